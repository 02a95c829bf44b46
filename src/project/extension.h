// The extension block: data a project holds beyond the three fixed sections,
// appended after the last layer record so that a project using none of it is
// written exactly as before and older files open unchanged.
//
//   header   4 bytes  "VLTX"
//            4 bytes  uint32 version (1)
//   chunks   4 bytes  tag, four ASCII letters
//            4 bytes  uint32 payload length
//            n bytes  payload
//   footer   4 bytes  uint32 length of the whole block, header to footer
//            4 bytes  "XTLV"
//
// The footer lets a reader find the block from the end of the file: the layers
// run from 1077 to where the block begins. A reader skips chunks it does not
// know, and keeps them: they are written back, as they were, after the chunks
// it writes itself; bytes after the fields of one of its own chunks are written
// back after those fields whenever the chunk is written. Tags in use: "MOIS"
// (moisture settings, below), "BRDG" (the bridges of bridged layers), "UCOR"
// (the corrections of U), "OUTS" (the kind of the outer side), "DESC" (the
// investment's address and the designer's licence number), "REPT" (what the
// designer's report includes) and "GRND" (a partition on the ground: its kind,
// geometry and ground). Each is written only when what it holds differs
// from the default. The byte layout of every chunk is in the README.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <map>

#include "calc/conditions.h"
#include "calc/ground.h"

namespace veltor {

class LayerTable;
struct ProjectContents;

// The project's description. The first four fields are the file's fixed
// description section; the address and the licence number came later and live
// in the extension block's chunk "DESC".
enum DescriptionFieldIndex { kName, kClient, kDesigner, kDate, kAddress, kLicence, kDescriptionFieldCount };
inline constexpr int kFixedDescriptionFields = 4;
using ProjectDescription = std::array<QString, kDescriptionFieldCount>;
// The longest text of a description field or a bridge's material, in UTF-16
// units, as the description window's boxes take it.
inline constexpr int kMaxFieldLength = 255;

inline constexpr char kExtensionMagic[] = "VLTX";
inline constexpr char kExtensionFooterMagic[] = "XTLV";
inline constexpr std::uint32_t kExtensionVersion = 1;
inline constexpr int kExtensionHeaderSize = 8;
inline constexpr int kExtensionFooterSize = 8;
inline constexpr int kChunkHeaderSize = 8;
// A block of a single partition stays far below it; a building's block holds
// its other partitions, and fifty of them of twenty layers take under 1 MiB. A
// claim beyond it is a damaged file. (Versions before the building read at
// most 1 MiB and refuse a larger block as damaged.)
inline constexpr qsizetype kMaxExtensionSize = 64 * 1024 * 1024;

// The moisture window's choices. The default (`climate` Default) is what a
// project without the chunk opens with: the window's first station, the design
// φi, no second report page.
struct MoistureSettings {
  enum class Climate : std::uint8_t { Default = 0, Station = 1, Typed = 2 };
  Climate climate = Climate::Default;
  QString stationName;  // Station only
  // The station's months as chosen, so the project reproduces its result when
  // the station file changes; for typed months NaN marks a cell left empty.
  std::array<double, 12> te{};
  std::array<double, 12> phiE{};
  int humidityClass = 0;  // 0: the design φi; 1..5: an EN ISO 13788 class
  bool inReport = false;

  bool isDefault() const { return *this == MoistureSettings{}; }
  bool operator==(const MoistureSettings& other) const;
};

struct ProjectExtras {
  MoistureSettings moisture;
  // The dynamics window's tick: the EN ISO 13786 figures in the designer's
  // report, whether it is made by the window or by batch mode.
  bool dynamicsInReport = true;
  // The partition's kind on the ground; a partition in air by default.
  GroundSettings ground;
  // What a later version wrote and this one does not read, kept so that
  // opening and saving loses none of it: the chunks of unknown tags, whole
  // (tag, length, payload) and in file order, and the bytes after the fields
  // of a chunk of ours, by its tag.
  QByteArray unknownChunks;
  std::map<QByteArray, QByteArray> tails;
  bool isDefault() const {
    return moisture.isDefault() && dynamicsInReport && ground.isDefault() && unknownChunks.isEmpty() &&
           tails.empty();
  }
  bool operator==(const ProjectExtras&) const = default;
};

// The whole block for a project, empty when every part is at its default: the
// extras, the address and licence of the description, the conditions' outer
// side and corrections, and the bridges of the layers.
// `moreChunks` (whole chunks, already encoded) go after ours, and make a block
// even when everything else is at its default.
QByteArray EncodeExtensionBlock(const ProjectDescription& description, const DesignConditions& conditions,
                                const LayerTable& layers, const ProjectExtras& extras,
                                QByteArrayView moreChunks = {});
// One chunk: its tag, its payload's length and the payload.
void AppendChunk(QByteArray& out, const char* tag, const QByteArray& payload);
// A chunk that another module reads from the block itself (FindChunk) is one
// the decoder keeps as unknown; that module drops it from the kept chunks, so
// that the next save does not write it a second time or into another file.
void DropKeptChunk(ProjectExtras& extras, const char* tag);
// The payload of the chunk `tag` in a block that DecodeExtensionBlock
// accepted; empty and `found` false when there is none.
QByteArrayView FindChunk(QByteArrayView block, const char* tag, bool& found);
// A field's text as the chunks keep it: a uint16 byte length and at most
// kMaxFieldLength units of UTF-8. The reader takes it from `bytes` at `pos`,
// moves `pos` past it and raises DataError(kDamagedProject) as the chunks' do.
void AppendFieldText(QByteArray& out, const QString& text);
QString TakeFieldText(QByteArrayView bytes, qsizetype& pos);
// Where the block of a file's bytes begins: the file's size when it has none.
// Raises DataError(kDamagedProject) when the footer's magic is there but the
// length it gives does not fit the file or is above kMaxExtensionSize.
qsizetype ExtensionBlockOffset(const QByteArray& file);
// Decodes a block found by ExtensionBlockOffset (empty: the defaults) into
// `contents`, whose fixed sections are already read (a bridge names a layer by
// its index). A wrong magic or version, a chunk that overruns the block, a
// chunk of ours twice, or a chunk of ours that does not hold what it must (a
// bridge beyond the layers, a share outside (0, 1), a conductivity or a
// correction's figure that is negative or not finite, an unknown kind, method
// or level, a text too long or not UTF-8, ground settings ValidGroundSettings
// refuses) raises DataError(kDamagedProject).
// `contents` may then hold part of the block: it is the caller's scratch copy.
void DecodeExtensionBlock(QByteArrayView block, ProjectContents& contents);

}  // namespace veltor
