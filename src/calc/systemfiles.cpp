// The four System files over the shared catalogue grammar. What differs from
// file to file is which markers exist (the others are ignored lines), where a
// node goes, and, for the systems file, the family filter.
#include "calc/systemfiles.h"

#include <iterator>

#include "calc/catalogue.h"
#include "calc/errors.h"
#include "calc/textfile.h"

namespace veltor {

namespace {

// Files with groups and entries only: "@" and "#" lines are ignored.
constexpr CatalogueMarkers kEntriesOnly{0, '*', 0};

// Appends the nodes of one reading and reads their records. An entry whose
// record fails is the latest node appended, and goes again.
class TreeBuilder {
 public:
  TreeBuilder(TextReader& reader, CatalogueNodes& topLevel) : reader_(reader), topLevel_(topLevel) {}

  CatalogueNode* append(CatalogueNode* parent, const QByteArray& label, CatalogueEntry kind) {
    CatalogueNodes& siblings = parent ? parent->children : topLevel_;
    auto node = std::make_unique<CatalogueNode>();
    node->label = label;
    if (kind == CatalogueEntry::ItemInGroup || kind == CatalogueEntry::ItemInSubgroup)
      node->record = std::make_unique<LayerRecord>();
    siblings.push_back(std::move(node));
    latest_ = &siblings;
    return siblings.back().get();
  }

  // Reads with `markers`; `addNode` decides where each line's node goes (or
  // that it goes nowhere) and appends it through append().
  template <class AddNode>
  void read(const CatalogueMarkers& markers, AddNode addNode) {
    const auto readRecord = [this](CatalogueNode* node, TextReader& reader) {
      if (!node || !node->record) return;
      try {
        ReadLayerRecord(reader, *node->record);
      } catch (...) {
        latest_->pop_back();
        throw;
      }
    };
    const int entries = ReadCatalogue<CatalogueNode>(reader_, markers, addNode, readRecord);
    if (entries == 0 && !reader_.isBlank())
      throw reader_.fileError(QStringLiteral("nie zawiera żadnej pozycji do wyboru"));
  }

 private:
  TextReader& reader_;
  CatalogueNodes& topLevel_;
  CatalogueNodes* latest_ = nullptr;
};

}  // namespace

namespace {

// Every node where the grammar puts it, or with `flat` every node at the top level.
void ReadNodes(TextReader& reader, CatalogueNodes& tree, const CatalogueMarkers& markers, bool flat) {
  TreeBuilder builder(reader, tree);
  builder.read(markers,
               [&builder, flat](CatalogueNode* parent, const QByteArray& label, CatalogueEntry kind) {
                 return builder.append(flat ? nullptr : parent, label, kind);
               });
}

}  // namespace

void ReadMasonryFile(TextReader& reader, CatalogueNodes& tree) {
  ReadNodes(reader, tree, kMaterialsMarkers, false);
}

void ReadInsulationFile(TextReader& reader, CatalogueNodes& tree) {
  ReadNodes(reader, tree, kEntriesOnly, false);
}

void ReadAdhesiveFile(TextReader& reader, CatalogueNodes& list) {
  ReadNodes(reader, list, kEntriesOnly, true);
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
  TreeBuilder builder(reader, tree);
  builder.read(kEntriesOnly,
               [&](CatalogueNode* group, const QByteArray& label, CatalogueEntry kind) -> CatalogueNode* {
                 switch (kind) {
                   case CatalogueEntry::Group:
                     groupName = label;
                     return label == familyKey ? builder.append(nullptr, label, kind) : nullptr;
                   case CatalogueEntry::ItemInGroup:
                     // Not added, nothing read: the record's lines come back as ordinary lines.
                     return groupName == familyKey ? builder.append(group, label, kind) : nullptr;
                   default:
                     return nullptr;
                 }
               });
}

std::optional<int> AdhesivePositionFor(const LayerRecord& insulation) {
  if (insulation.name.isEmpty()) return std::nullopt;
  for (int i = 0; i < kFamilyCount; ++i)
    if (insulation.name.front() == kFamilies[i].letter) return i;
  return std::nullopt;
}

}  // namespace veltor
