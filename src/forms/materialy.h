// The materials catalogue: "Dane/materiały.txt" read into a tree of groups,
// "@" subgroups and materials. Each material node points (Qt::UserRole) at a
// template layer record kept in a store owned by the window that shows the
// tree; adding a layer copies the template, so the catalogue never changes.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "calc/layer.h"

class QTreeWidget;
class QTreeWidgetItem;

using MaterialStore = std::vector<std::unique_ptr<veltor::LayerRecord>>;

inline const QString kMaterialsFile = QStringLiteral("Dane/materiały.txt");

// Appends the file's nodes to `tree` and their records to `store`. A node is in
// the tree before its record is read, so a record that fails halfway stays with
// what was read. Raises IoError ("File not found", "Invalid numeric input").
void LoadMaterials(const QString& path, QTreeWidget* tree, MaterialStore& store);

// The template record of a material node; nullptr for groups, subgroups and null.
veltor::LayerRecord* MaterialOf(const QTreeWidgetItem* item);
