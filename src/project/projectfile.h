// The project file: three sections with no header, found by offset alone.
//   0     1024 bytes  description: four short strings of 256 bytes
//   1024    53 bytes  design conditions, field after field, little-endian
//   1077  640 x n     layer records, innermost first
// Writers and readers of each section work at the device's current position and
// raise IoError on the first transfer that is not complete.
#pragma once

#include <QString>
#include <array>
#include <functional>

#include "calc/conditions.h"
#include "calc/layer.h"
#include "project/extension.h"

class QIODevice;

namespace veltor {

inline constexpr int kDescriptionSectionSize = 1024;
inline constexpr int kConditionsSectionSize = 53;
inline constexpr int kLayersOffset = kDescriptionSectionSize + kConditionsSectionSize;  // 1077

// Short string of N + 1 bytes: a length byte, then up to N Windows-1250 characters.
QByteArray EncodeShortString(const QString& text, int maxLength);

// The fixed section holds the first four fields (kFixedDescriptionFields).
void WriteDescriptionSection(QIODevice& device, const ProjectDescription& description);
// Reads the four fields in order; `onField(index, text)` runs as soon as each is read.
void ReadDescriptionSection(QIODevice& device, const std::function<void(int, const QString&)>& onField);

void WriteConditionsSection(QIODevice& device, const DesignConditions& conditions);
DesignConditions ReadConditionsSection(QIODevice& device);

// A whole project file read and checked before anything in the program changes.
struct ProjectContents {
  ProjectDescription description;  // address and licence from the extension block
  DesignConditions conditions;     // outer side and corrections from the extension block
  LayerTable layers;               // bridges from the extension block
  ProjectExtras extras;            // the rest of the extension block (extension.h)
};
// The three fixed sections only (no extension block): raises IoError(EndOfFile)
// for a file shorter than 1077 bytes or whose layer section is not a whole
// number of 640-byte blocks.
ProjectContents ReadProject(QIODevice& device);

// More layers than any wall has; a file claiming more is refused unread.
inline constexpr int kMaxProjectLayers = 10000;
inline const QString kDamagedProject = QStringLiteral("Plik projektu jest uszkodzony lub zbyt duży");

// A project file as it lies on disk: its bytes, already checked, and what they
// hold. Raises IoError ("File not found", "File access denied", "Read beyond
// end of file") and DataError: kDamagedProject for a part before the extension
// block whose length is not 1077 + 640 n or that holds more than
// kMaxProjectLayers layers, for a malformed extension block, and the refusal, naming the layer and the field,
// of a layer whose thickness or (unless an air layer) conductivity is not a finite number above 0, or whose
// vapour coefficient is NaN, +INF or a finite negative (-INF is "max").
struct LoadedProject {
  QByteArray bytes;
  ProjectContents contents;
};
LoadedProject LoadProjectFile(const QString& path);
// The checks of LoadProjectFile over a file's bytes already in memory.
LoadedProject ReadProjectBytes(QByteArray bytes);

// The whole file: the three sections, then the extension block unless every
// extra is at its default (such a file is byte for byte the fixed layout).
// `moreChunks` go into the block after the project's own (EncodeExtensionBlock).
void WriteProject(QIODevice& device, const ProjectDescription& description,
                  const DesignConditions& conditions, const LayerTable& layers, const ProjectExtras& extras,
                  QByteArrayView moreChunks = {});

// Writes `path` through a temporary file beside it: `writeSections` fills a
// buffer in memory, which goes to the temporary file in one write, and the
// target is replaced only when everything was written, so a failure (an
// exception from `writeSections` included) leaves a previous file exactly as
// it was. A read-only target is refused with "File access denied"; a failed
// write, flush or replacement raises IoError::writeFailed (SafeFile).
void SaveProjectFile(const QString& path, const std::function<void(QIODevice&)>& writeSections);

}  // namespace veltor
