// Wizard step 4, "Utworzona przegroda": on every showing it builds the created
// partition from the wizard's choices in steps 1 to 3 (masonry, insulation,
// adhesive, render, inside first), gives the insulation the thickness at which Uc, U
// with the anchors' correction ΔUf = n·χp, equals Umax, and runs the
// calculation pass into its own summary. The partition is held by the project
// as its wizard's created partition (Project::wizardLayers), mirrored in
// ListViewPrzegroda, until "Zakończ" makes it the partition's layers, with the
// anchors' correction, as one step to undo (Project::adoptWizardLayers); the
// layer window follows the project's change as it follows an undo.
#pragma once

#include <optional>

#include "calc/conditions.h"
#include "calc/layer.h"
#include "forms/systemstep.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class Project;

class TFormSystem4 : public TSystemStep {
  Q_OBJECT
 public:
  TFormSystem4(QWidget* mainWindow, Project& project, const WizardChoices& choices);
  ~TFormSystem4() override;

  void FormCreate() {}

  // The project's wizard table.
  veltor::LayerTable& Layers();
  int LayerCount() const;
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
  QLabel* StaticTextU = nullptr;   // U of the wall as built
  QLabel* StaticTextUc = nullptr;  // Uc of the wall as built, with its anchors
  // The ETICS anchors: on by default with a typical declared number and χp.
  QCheckBox* CheckBoxLaczniki = nullptr;
  QLineEdit* EditLiczbaLacznikow = nullptr;  // per m²
  QLineEdit* EditChiP = nullptr;             // W/K per anchor
  QPushButton* ButtonWstecz = nullptr;
  QPushButton* ButtonZakoncz = nullptr;

 protected:
  void FormShow() override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void buildPartition();
  void rebuildList();
  // The wall anew after the anchors were changed.
  void anchorsChanged();
  // The conditions the wall is sized for and the project gets: the program's
  // with the anchors' correction (none when unticked) and no inverted roof;
  // empty, after telling the user, when an anchor box holds no valid value.
  std::optional<veltor::DesignConditions> sizingConditions(const veltor::DesignConditions& base) const;
  Project& project_;
  const WizardChoices& choices_;
  veltor::PartitionSummary summary_;
  veltor::UCorrections corrections_;  // those the wall was built with
};

extern TFormSystem4* FormSystem4;
