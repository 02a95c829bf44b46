// Wizard step 4, "Utworzona przegroda": on every showing it builds the created
// partition from the choices of steps 1 to 3 (masonry, insulation, adhesive,
// render, inside first), gives the insulation the thickness at which U equals
// Umax, and runs the calculation pass into its own summary. The partition is
// held in its own layer table, mirrored in ListViewPrzegroda, until
// "Zakończ" hands it to the layer window.
#pragma once

#include "calc/layer.h"
#include "forms/systemstep.h"

class QLabel;
class QListWidget;

class TFormSystem4 : public TSystemStep {
  Q_OBJECT
 public:
  explicit TFormSystem4(QWidget* mainWindow);
  ~TFormSystem4() override;

  void FormCreate() {}

  veltor::LayerTable& Layers() { return layers_; }
  int LayerCount() const { return layers_.size(); }
  void ClearLayers();
  // The summary of the wizard's own pass over Layers().
  const veltor::PartitionSummary& Summary() const { return summary_; }

  // The tip of the layer in `row`; empty for a row without a layer.
  QString ListViewPrzegrodaInfoTip(int row) const;
  void ButtonWsteczClick();
  void ButtonZakonczClick();

  QListWidget* ListViewPrzegroda = nullptr;
  QLabel* StaticTextUmax = nullptr;
  QLabel* StaticTextGW = nullptr;
  QLabel* StaticTextU = nullptr;  // U of the wall as built
  QPushButton* ButtonWstecz = nullptr;
  QPushButton* ButtonZakoncz = nullptr;

 protected:
  void FormShow() override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void buildPartition();
  void rebuildList();
  veltor::LayerTable layers_;
  veltor::PartitionSummary summary_;
};

extern TFormSystem4* FormSystem4;
