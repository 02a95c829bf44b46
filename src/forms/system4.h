// Wizard step 4, "Utworzona przegroda": the created partition of four layers,
// held in its own layer table and mirrored in ListViewPrzegroda.
#pragma once

#include "calc/layer.h"
#include "forms/companion.h"

class QListWidget;

class TFormSystem4 : public TCompanionWindow {
  Q_OBJECT
 public:
  explicit TFormSystem4(QWidget* mainWindow);
  ~TFormSystem4() override;

  void FormCreate() {}

  veltor::LayerTable& Layers() { return layers_; }
  int LayerCount() const { return layers_.size(); }
  void ClearLayers();

  QListWidget* ListViewPrzegroda = nullptr;

 private:
  void rebuildList();
  veltor::LayerTable layers_;
};

extern TFormSystem4* FormSystem4;
