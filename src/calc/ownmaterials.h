// The designer's own materials: a file in the grammar of the materials
// catalogue (a marker line, then the eight lines of a layer record) kept in the
// user's data folder. It is read like the shipped catalogue, and every change
// (add, replace, remove, import) rewrites it in one step with the bytes of the
// other entries, comments included, exactly as they were. Each change reads the
// file afresh and refuses, leaving it untouched, when the file does not read or
// no longer holds the entry the caller saw.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "calc/layer.h"

namespace veltor {

struct OwnMaterial {
  QString label;  // the catalogue label (the marker line without its marker)
  LayerRecord record;
  // Where its values come from (a DoP number, a standard's table, an
  // approval), optional: a line "&text" after the record, which the program's
  // catalogue reader skips like any line it does not know.
  QString source;
  // The entry's bytes in the file: its marker line and its eight record lines.
  qsizetype begin = 0;
  qsizetype end = 0;
};

// Every material of `content`, in file order, whatever group or subgroup it is
// in. A record cut short, holding a value that is not a number or one that
// CheckMaterial refuses raises DataError "Plik <name>, wiersz <n>: ..." in
// Polish; `out` then holds the materials before it.
void ReadOwnMaterials(const QByteArray& content, std::vector<OwnMaterial>& out, const QString& name = {});

// What an own material may hold, so that it neither breaks the file nor the
// calculation. The vapour coefficient is the file's 720/μ, or -INF for a layer
// without diffusion resistance.
inline constexpr double kMinLambda = 0.001, kMaxLambda = 500;  // W/(m K)
inline constexpr double kMinMu = 1, kMaxMu = 1e6;
inline constexpr double kMinDensity = 1, kMaxDensity = 25000;             // kg/m3
inline constexpr double kMinSpecificHeat = 100, kMaxSpecificHeat = 5000;  // J/(kg K)
inline constexpr double kMaxMaterialThickness = 10;                       // m
inline constexpr double kMuPermeability = 720;                            // δ = 720/μ in 10^-6 g/(m h Pa)

enum class MaterialField {
  Name,
  Pattern,
  LambdaMedium,
  LambdaHumid,
  Vapour,
  Density,
  SpecificHeat,
  Thickness
};
struct MaterialFault {
  MaterialField field;
  QString message;  // a Polish sentence without its full stop
};
// The first field of `record` (with `label` as its name) that the file or the
// calculation cannot take, or empty.
std::optional<MaterialFault> CheckMaterial(const QString& label, const LayerRecord& record);

// "*label" and the eight record lines, Windows-1250, CR LF, numbers as the
// shortest exact text; then "&source" when there is one.
QByteArray MaterialEntryText(const QString& label, const LayerRecord& record, const QString& source = {});
// The longest source text, in characters.
inline constexpr qsizetype kMaxSourceLength = 200;
// The user's own materials file, in the user's data folder.
QString OwnMaterialsFile();

// The changes. A label that another own material has (letter case and outer
// blanks aside) and a value CheckMaterial refuses raise DataError; a file that
// does not read raises its error prefixed with its path; a failed write raises
// IoError. In every refusal the file stays as it was.
void AddOwnMaterial(const QString& path, const QString& label, const LayerRecord& record,
                    const QString& source = {});
// `index` counts the file's materials from 0; `expectedLabel` is the label the
// caller shows for it, so that a file changed meanwhile is not written blindly.
void ReplaceOwnMaterial(const QString& path, int index, const QString& expectedLabel, const QString& label,
                        const LayerRecord& record, const QString& source = {});
void RemoveOwnMaterial(const QString& path, int index, const QString& expectedLabel);

// Adds the materials of the file `source` to the file at `path`. For a label
// that is taken, `onClash(label)` decides: replace that entry, skip the
// imported one, or cancel the whole import (nothing is written). Returns the
// number of materials added or replaced.
enum class ImportChoice { Replace, Skip, Cancel };
int ImportOwnMaterials(const QString& path, const QString& source,
                       const std::function<ImportChoice(const QString& label)>& onClash);

// λ humid / λ medium of a kind of material: the median of its materials'
// ratios, 1 when none has a medium-humid conductivity above 0.
double MoistureFactor(const std::vector<const LayerRecord*>& materials);

}  // namespace veltor
