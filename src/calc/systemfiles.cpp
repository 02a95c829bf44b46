// The four System files over the shared catalogue grammar. What differs from
// file to file is which markers exist (the others are ignored lines), where a
// node goes, and, for the systems file, the family filter.
#include "calc/systemfiles.h"

#include "calc/catalogue.h"
#include "calc/textfile.h"

namespace veltor {

namespace {

// A marker no text line starts with in practice; a line that does is dropped
// by the addNode callbacks below, which add nothing for a subgroup.
constexpr char kUnused = '\0';
// Files with groups and entries only: "@" and "#" lines are ignored.
constexpr CatalogueMarkers kEntriesOnly{kUnused, '*', kUnused};

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
  const auto addNode = [&tree](CatalogueNode* parent, const QByteArray& label,
                               CatalogueEntry kind) -> CatalogueNode* {
    if (kind == CatalogueEntry::Subgroup) return nullptr;
    return Append(parent, tree, label, IsEntry(kind));
  };
  ReadCatalogue<CatalogueNode>(reader, kEntriesOnly, addNode, ReadRecord);
}

void ReadAdhesiveFile(TextReader& reader, CatalogueNodes& list) {
  const auto addNode = [&list](CatalogueNode*, const QByteArray& label,
                               CatalogueEntry kind) -> CatalogueNode* {
    if (kind == CatalogueEntry::Subgroup) return nullptr;
    return Append(nullptr, list, label, IsEntry(kind));
  };
  ReadCatalogue<CatalogueNode>(reader, kEntriesOnly, addNode, ReadRecord);
}

QByteArray FamilyKey(SystemFamily family) {
  switch (family) {
    case SystemFamily::Talmo:
      return QByteArrayLiteral("TALMO");
    case SystemFamily::Viren:
      return QByteArrayLiteral("VIREN");
    case SystemFamily::Duskar:
      return QByteArrayLiteral("DUSKAR");
  }
  return {};
}

std::optional<SystemFamily> FamilyAt(int adhesivePosition) {
  switch (adhesivePosition) {
    case 0:
      return SystemFamily::Talmo;
    case 1:
      return SystemFamily::Viren;
    case 2:
      return SystemFamily::Duskar;
    default:
      return std::nullopt;
  }
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
  switch (insulation.name.front()) {
    case 'B':
      return 0;
    case 'S':
      return 1;
    case 'F':
      return 2;
    default:
      return std::nullopt;
  }
}

}  // namespace veltor
