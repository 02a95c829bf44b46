#include "forms/warstwy.h"

#include <QListWidget>
#include <QTreeWidget>

TFormWarstwy* FormWarstwy = nullptr;

TFormWarstwy::TFormWarstwy(QWidget* mainWindow)
    : TCompanionWindow(mainWindow, QStringLiteral("FormWarstwy"),
                       QStringLiteral("Definicja warstw przegrody"), QStringLiteral("1.htm")) {
  TreeViewMaterialy = new QTreeWidget(this);
  TreeViewMaterialy->setObjectName(QStringLiteral("TreeViewMaterialy"));
  ListViewMaterialy = new QListWidget(this);
  ListViewMaterialy->setObjectName(QStringLiteral("ListViewMaterialy"));
}

TFormWarstwy::~TFormWarstwy() = default;

void TFormWarstwy::FormCreate() {}

void TFormWarstwy::ClearLayers() {
  layers_.clear();
  current_ = nullptr;
  rebuildList();
}

void TFormWarstwy::ReplaceLayers(veltor::LayerTable&& table) {
  layers_.clear();
  for (auto& record : table.takeAll()) layers_.AppendLayer(std::move(record));
  current_ = nullptr;
  rebuildList();
}

void TFormWarstwy::AppendLayer(std::unique_ptr<veltor::LayerRecord> record) {
  layers_.AppendLayer(std::move(record));
  rebuildList();
}

void TFormWarstwy::RefreshSummary() {}

void TFormWarstwy::rebuildList() {
  ListViewMaterialy->clear();
  for (int i = 0; i < layers_.size(); ++i) ListViewMaterialy->addItem(layers_.at(i).nameText());
}
