// The four System files over the shared catalogue grammar. What differs from
// file to file is which markers exist (the others are ignored lines), where a
// node goes, and, for the systems file, the family filter.
#include "calc/systemfiles.h"

#include <iterator>

#include "calc/catalogue.h"
#include "calc/textfile.h"

namespace veltor {

namespace {

// Files with groups and entries only: "@" and "#" lines are ignored.
constexpr CatalogueMarkers kEntriesOnly{0, '*', 0};

CatalogueNode* Append(CatalogueNode* parent, CatalogueNodes& topLevel, const QByteArray& label,
                      bool withRecord) {
  CatalogueNodes& siblings = parent ? parent->children : topLevel;
  auto node = std::make_unique<CatalogueNode>();
  node->label = label;
  if (withRecord) node->record = std::make_unique<LayerRecord>();
  siblings.push_back(std::move(node));
  return siblings.back().get();
}

bool IsEntry(CatalogueEntry kind) {
  return kind == CatalogueEntry::ItemInGroup || kind == CatalogueEntry::ItemInSubgroup;
}

void ReadRecord(CatalogueNode* node, TextReader& reader) {
  if (node && node->record) ReadLayerRecord(reader, *node->record);
}

}  // namespace

void ReadMasonryFile(TextReader& reader, CatalogueNodes& tree) {
  const auto addNode = [&tree](CatalogueNode* parent, const QByteArray& label, CatalogueEntry kind) {
    return Append(parent, tree, label, IsEntry(kind));
  };
  ReadCatalogue<CatalogueNode>(reader, kMaterialsMarkers, addNode, ReadRecord);
}

void ReadInsulationFile(TextReader& reader, CatalogueNodes& tree) {
  const auto addNode = [&tree](CatalogueNode* parent, const QByteArray& label, CatalogueEntry kind) {
    return Append(parent, tree, label, IsEntry(kind));
  };
  ReadCatalogue<CatalogueNode>(reader, kEntriesOnly, addNode, ReadRecord);
}

void ReadAdhesiveFile(TextReader& reader, CatalogueNodes& list) {
  const auto addNode = [&list](CatalogueNode*, const QByteArray& label, CatalogueEntry kind) {
    return Append(nullptr, list, label, IsEntry(kind));
  };
  ReadCatalogue<CatalogueNode>(reader, kEntriesOnly, addNode, ReadRecord);
}

namespace {

// The insulation's first letter, the adhesive's position and the system family
// go together; the position is the family's index here.
struct FamilyRow {
  char letter;
  SystemFamily family;
  const char* key;
};
constexpr FamilyRow kFamilies[] = {{'B', SystemFamily::Talmo, "TALMO"},
                                   {'S', SystemFamily::Viren, "VIREN"},
                                   {'F', SystemFamily::Duskar, "DUSKAR"}};
constexpr int kFamilyCount = static_cast<int>(std::size(kFamilies));

}  // namespace

QByteArray FamilyKey(SystemFamily family) {
  for (const FamilyRow& row : kFamilies)
    if (row.family == family) return QByteArray(row.key);
  return {};
}

std::optional<SystemFamily> FamilyAt(int adhesivePosition) {
  if (adhesivePosition < 0 || adhesivePosition >= kFamilyCount) return std::nullopt;
  return kFamilies[adhesivePosition].family;
}

char AdhesiveLetter(int adhesivePosition) {
  return adhesivePosition >= 0 && adhesivePosition < kFamilyCount ? kFamilies[adhesivePosition].letter : '\0';
}

void ReadSystemsFile(TextReader& reader, const QByteArray& familyKey, CatalogueNodes& tree) {
  // Entries before the first group belong to the empty name, which no family has.
  QByteArray groupName;
  const auto addNode = [&](CatalogueNode* group, const QByteArray& label,
                           CatalogueEntry kind) -> CatalogueNode* {
    switch (kind) {
      case CatalogueEntry::Group:
        groupName = label;
        return label == familyKey ? Append(nullptr, tree, label, false) : nullptr;
      case CatalogueEntry::ItemInGroup:
        // Not added, nothing read: the record's lines come back as ordinary lines.
        return groupName == familyKey ? Append(group, tree, label, true) : nullptr;
      default:
        return nullptr;
    }
  };
  ReadCatalogue<CatalogueNode>(reader, kEntriesOnly, addNode, ReadRecord);
}

std::optional<int> AdhesivePositionFor(const LayerRecord& insulation) {
  if (insulation.name.isEmpty()) return std::nullopt;
  for (int i = 0; i < kFamilyCount; ++i)
    if (insulation.name.front() == kFamilies[i].letter) return i;
  return std::nullopt;
}

}  // namespace veltor
