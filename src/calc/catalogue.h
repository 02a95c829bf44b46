// The line grammar shared by the catalogue files (materials, Umax requirements):
// ";" comments and empty lines are skipped, "[" opens a group labelled by the line
// without its first and last character, and three marker characters, whose roles
// differ from file to file, open a subgroup, an item in the latest group and an
// item in the latest subgroup. A subgroup or group item before any group, and a
// subgroup item before any subgroup, land at the top level. A new group does not
// forget the latest subgroup. Lines starting with anything else are ignored.
//
// The node is added before the item's payload is read, so an item whose payload
// fails halfway stays in the tree with what was read.
#pragma once

#include <QByteArray>

#include "calc/textfile.h"

namespace veltor {

enum class CatalogueEntry { Group, Subgroup, ItemInGroup, ItemInSubgroup };

// A marker of 0 marks no line: a file without subgroups has none for them.
struct CatalogueMarkers {
  char subgroup;
  char itemInGroup;
  char itemInSubgroup;
};

// Materials: "@" subgroup, "*" material in the group, "#" material in the subgroup.
inline constexpr CatalogueMarkers kMaterialsMarkers{'@', '*', '#'};
// Umax requirements: "*" subgroup, "#" requirement in the group, "@" requirement in the subgroup.
inline constexpr CatalogueMarkers kUmaxMarkers{'*', '#', '@'};

// `addNode(Node* parent, const QByteArray& label, CatalogueEntry kind) -> Node*`
// (parent nullptr = top level); `readItem(Node* item, TextReader&)` reads the
// payload that follows an item line. Returns how many item lines there were,
// added or not.
template <class Node, class AddNode, class ReadItem>
int ReadCatalogue(TextReader& reader, const CatalogueMarkers& markers, AddNode addNode, ReadItem readItem) {
  int items = 0;
  Node* group = nullptr;
  Node* subgroup = nullptr;
  while (!reader.atEnd()) {
    const QByteArray line = reader.readLine();
    if (line.isEmpty() || line.front() == ';') continue;
    const char first = line.front();
    const QByteArray rest = line.mid(1);
    if (first == '[') {
      group = addNode(nullptr, line.mid(1, line.size() - 2), CatalogueEntry::Group);
    } else if (markers.subgroup && first == markers.subgroup) {
      subgroup = addNode(group, rest, CatalogueEntry::Subgroup);
    } else if (markers.itemInGroup && first == markers.itemInGroup) {
      ++items;
      readItem(addNode(group, rest, CatalogueEntry::ItemInGroup), reader);
    } else if (markers.itemInSubgroup && first == markers.itemInSubgroup) {
      ++items;
      readItem(addNode(subgroup, rest, CatalogueEntry::ItemInSubgroup), reader);
    }
  }
  return items;
}

}  // namespace veltor
