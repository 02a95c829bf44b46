// The free layer definition window. It owns the layer table (innermost first)
// and mirrors it in ListViewMaterialy, whose items carry a pointer to their
// record; every change of the table goes through this window so that the two
// never differ. Every change runs the calculation pass and refreshes the live
// summary (d, count, R, U against Umax, diffusion resistance, warnings).
#pragma once

#include "calc/layer.h"
#include "forms/companion.h"

class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;

class TFormWarstwy : public TCompanionWindow {
  Q_OBJECT
 public:
  explicit TFormWarstwy(QWidget* mainWindow);
  ~TFormWarstwy() override;

  // Creation handler: loads "Dane/materiały.txt" into TreeViewMaterialy.
  void FormCreate();

  veltor::LayerTable& Layers() { return layers_; }
  const veltor::LayerTable& Layers() const { return layers_; }
  int LayerCount() const { return layers_.size(); }

  // Table changes made by other windows (new project, open, wizard); each
  // leaves no current layer.
  void ClearLayers();
  void ReplaceLayers(veltor::LayerTable&& table);
  void AppendLayer(std::unique_ptr<veltor::LayerRecord> record);

  void RefreshSummary();
  // The layer whose thickness EditGW edits; nullptr when none.
  veltor::LayerRecord* CurrentLayer() const { return current_; }

  QTreeWidget* TreeViewMaterialy = nullptr;
  QListWidget* ListViewMaterialy = nullptr;

 private:
  void rebuildList();

  veltor::LayerTable layers_;
  veltor::LayerRecord* current_ = nullptr;
};

extern TFormWarstwy* FormWarstwy;
