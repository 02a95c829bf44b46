// Reading of the materials catalogue into a tree. The line grammar is the one
// shared with the Umax catalogue; what is particular here is the payload of a
// material line, the eight-line layer record read straight into the template
// that the new node already points at. A reading that fails keeps the
// materials read before, not the one that failed.
#include "forms/materialy.h"

#include <QTreeWidget>

#include "calc/catalogue.h"
#include "calc/textfile.h"

void LoadMaterials(const QString& path, QTreeWidget* tree, MaterialStore& store) {
  veltor::TextReader reader = veltor::TextReader::open(path);
  const auto addNode = [&](QTreeWidgetItem* parent, const QByteArray& label, veltor::CatalogueEntry kind) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, veltor::FromCp1250(label));
    if (kind == veltor::CatalogueEntry::ItemInGroup || kind == veltor::CatalogueEntry::ItemInSubgroup) {
      store.push_back(std::make_unique<veltor::LayerRecord>());
      item->setData(0, Qt::UserRole, QVariant::fromValue(store.back().get()));
    }
    return item;
  };
  const auto readItem = [&store](QTreeWidgetItem* item, veltor::TextReader& r) {
    try {
      veltor::ReadLayerRecord(r, *MaterialOf(item));
    } catch (...) {
      // A half-read material is not offered; it is the latest item and record.
      delete item;
      store.pop_back();
      throw;
    }
  };
  veltor::ReadCatalogue<QTreeWidgetItem>(reader, veltor::kMaterialsMarkers, addNode, readItem);
}

veltor::LayerRecord* MaterialOf(const QTreeWidgetItem* item) {
  return item ? item->data(0, Qt::UserRole).value<veltor::LayerRecord*>() : nullptr;
}
