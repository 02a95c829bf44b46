// One layer of a partition: the 640-byte record that is both the layer table's
// item data and the per-layer block of the project file, plus the layer table
// (innermost layer first) and the partition summary filled by the calculation.
//
// Records hold the raw block they were read from, so that bytes the program
// never interprets (reserved areas, the tail after a name) survive a round trip.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "calc/transmittance.h"

class QIODevice;

namespace veltor {

class TextReader;

inline constexpr int kLayerRecordSize = 640;
// The one name that makes a layer an unventilated air layer (compared byte for byte).
inline constexpr char kAirLayerName[] = "Niewentylowana warstwa powietrza";

struct LayerRecord {
  QByteArray name;         // Windows-1250, at most 255 bytes
  QByteArray fillPattern;  // Windows-1250, at most 4 bytes: hatch picture base name
  double density = 0;
  double lambdaMedium = 0;       // W/(m K), medium-humid conditions
  double lambdaHumid = 0;        // W/(m K), humid conditions
  double vapourCoefficient = 0;  // 10^-6 g/(m h Pa); -INF means "max"
  double specificHeat = 0;
  double thickness = 0;  // m
  // Results of the latest calculation pass.
  double resistance = 0;           // m2 K/W
  double innerTemperature = 0;     // degC
  double outerTemperature = 0;     // degC
  double diffusionResistance = 0;  // m2 h Pa/g
  double innerSaturation = 0;      // Pa, for an outdoor temperature of -5 degC
  double outerSaturation = 0;      // Pa
  // A second material over part of the area; not part of the 640 bytes (the
  // project file keeps it in its extension block).
  LayerBridge bridge{};
  // The block as last read (zeros for a fresh record); fields are written over it.
  std::array<char, kLayerRecordSize> raw{};

  QString nameText() const;         // decoded from Windows-1250
  QString fillPatternText() const;  // decoded from Windows-1250
  bool isAirLayer() const;

  QByteArray toBytes() const;                          // exactly 640 bytes
  static LayerRecord fromBytes(QByteArrayView block);  // block of exactly 640 bytes
};

// Fills `record` from the eight-line text form at the reader's position, field
// by field in file order (name, fill pattern, lambda medium, lambda humid, vapour
// coefficient (-1 -> -INF), density, thickness, specific heat). A failure leaves
// the fields read before it in place. Result fields and raw bytes are untouched.
// The record follows its entry line: a file that ends before the eighth line
// raises DataError naming the file and the entry's line, rather than giving
// a layer of empty names and zeros.
void ReadLayerRecord(TextReader& reader, LayerRecord& record);

// The partition, innermost layer first. Records live on the heap and never move,
// so a window may hold a pointer to "its" layer while others are added or moved.
class LayerTable {
 public:
  int size() const { return static_cast<int>(layers_.size()); }
  bool empty() const { return layers_.empty(); }
  LayerRecord& at(int index) { return *layers_.at(index); }
  const LayerRecord& at(int index) const { return *layers_.at(index); }
  int indexOf(const LayerRecord* record) const;  // -1 when not in the table

  LayerRecord& AppendLayer(std::unique_ptr<LayerRecord> record);
  LayerRecord& AppendLayer(const LayerRecord& record);
  // At `index` (clamped to the table), the layers from there moving outward by one.
  LayerRecord& InsertLayer(int index, const LayerRecord& record);
  // Exchange with the neighbour inside / outside; returns the layer's new index,
  // or `index` unchanged when it cannot move (already at that end, or invalid).
  int MoveLayerInward(int index);
  int MoveLayerOutward(int index);
  std::unique_ptr<LayerRecord> RemoveLayer(int index);
  void clear() { layers_.clear(); }
  // Hands every record over, leaving this table empty.
  std::vector<std::unique_ptr<LayerRecord>> takeAll();
  // A table of copies of every record, for what must keep the layers as they
  // were (a page painted later).
  LayerTable copy() const;

 private:
  std::vector<std::unique_ptr<LayerRecord>> layers_;
};

// Every record's 640 bytes in table order, nothing around them. IoError on a short write.
void WriteLayers(QIODevice& device, const LayerTable& table);
// Appends one layer per 640-byte block until the end of the device; a short last
// block raises IoError(EndOfFile) with the complete layers already appended.
void ReadLayers(QIODevice& device, LayerTable& table);

struct PartitionSummary {
  double totalResistance = 0;           // m2 K/W including Rsi and Rse
  double totalDiffusionResistance = 0;  // m2 h Pa/g including the constants 27 and 13
  double u = 0;                         // W/(m2 K)
  double totalThickness = 0;            // m
  std::int32_t layerCount = 0;
  // Depth of the 0 degC point from the inner face in m; empty when the partition
  // has no such point inside it. An empty table gives 0, like every other field.
  std::optional<double> zeroPointDepth = 0.0;
  // R'T, R''T, the corrections and Uc; totalResistance and u above are its RT and U.
  TransmittanceResult transmittance{};
};

}  // namespace veltor
