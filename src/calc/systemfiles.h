// The wizard's four catalogues in the folder System: masonry (groups,
// subgroups, entries, subentries), insulation (groups and entries), adhesives
// (a flat list) and systems (groups filtered by the system family). Each entry
// carries a whole layer record in its eight-line text form, so that a chosen
// entry becomes a layer without further input.
//
// The readers fill a tree of nodes that owns the records; the wizard's windows
// mirror it in their trees and lists. On a failure (IoError, or DataError for
// a record cut short by the end of the file) the entries read before stay in
// the tree for the caller to show; the entry whose record failed is taken out,
// so that no half-read record is offered. A file that is not blank but holds
// no entry at all (for the systems file: under no group) raises DataError
// naming the file.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "calc/layer.h"

namespace veltor {

class TextReader;

struct CatalogueNode;
using CatalogueNodes = std::vector<std::unique_ptr<CatalogueNode>>;

struct CatalogueNode {
  QByteArray label;                     // Windows-1250, as in the file
  std::unique_ptr<LayerRecord> record;  // none for groups, subgroups and the adhesive list's group lines
  CatalogueNodes children;
};

inline const QString kMasonryFile = QStringLiteral("System/mur.txt");
inline const QString kInsulationFile = QStringLiteral("System/docieplenie.txt");
inline const QString kAdhesiveFile = QStringLiteral("System/kleje.txt");
// Found under the start folder, re-read on every showing of step 3.
inline const QString kSystemsFile = QStringLiteral("System/systemy.txt");

// "[" group, "@" subgroup, "*" entry in the group, "#" entry in the subgroup.
void ReadMasonryFile(TextReader& reader, CatalogueNodes& tree);
// "[" group, "*" entry in the group.
void ReadInsulationFile(TextReader& reader, CatalogueNodes& tree);
// One item per "[" line (its name, no record) and per "*" entry, in file order.
void ReadAdhesiveFile(TextReader& reader, CatalogueNodes& list);

// The system families and their keys, the exact group names of the systems
// file that each admits. Their order is the order of the adhesives.
enum class SystemFamily { Talmo, Viren, Duskar };
QByteArray FamilyKey(SystemFamily family);
std::optional<SystemFamily> FamilyAt(int adhesivePosition);

// Only groups named exactly `familyKey` (byte for byte) with their entries.
// An entry under another group is skipped on its own line: its eight record
// lines pass through the line grammar like any other line.
void ReadSystemsFile(TextReader& reader, const QByteArray& familyKey, CatalogueNodes& tree);

// The adhesive that goes with an insulation, by the first character of the
// record's name: "B" 0, "S" 1, "F" 2 (case-sensitive); empty for any other.
std::optional<int> AdhesivePositionFor(const LayerRecord& insulation);
// The first letter of the insulations that take the adhesive at `adhesivePosition`; 0 for none.
char AdhesiveLetter(int adhesivePosition);

}  // namespace veltor
