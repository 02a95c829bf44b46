// The layer record's two outside forms (the 640-byte block and the eight-line
// text form) and the layer table. The block is encoded field by field at fixed
// offsets over the bytes it was read from, so unknown bytes pass through.
#include "calc/layer.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "calc/errors.h"
#include "calc/textfile.h"

namespace veltor {

namespace {

constexpr int kNameOffset = 0;
constexpr int kNameCapacity = 255;
constexpr int kFillOffset = 512;
constexpr int kFillCapacity = 4;
constexpr int kDensityOffset = 520;
constexpr int kLambdaMediumOffset = 528;
constexpr int kLambdaHumidOffset = 536;
constexpr int kVapourOffset = 544;
constexpr int kSpecificHeatOffset = 552;
constexpr int kThicknessOffset = 560;
constexpr int kResistanceOffset = 568;
constexpr int kInnerTemperatureOffset = 576;
constexpr int kOuterTemperatureOffset = 584;
constexpr int kDiffusionOffset = 592;
constexpr int kInnerSaturationOffset = 616;
constexpr int kOuterSaturationOffset = 624;

// The lines of a record's text form.
constexpr int kLayerTextLines = 8;
// The value -1 in a data file stands for a vapour-tight layer.
constexpr double kVapourTightMarker = -1.0;

void putDouble(char* block, int offset, double value) {
  qToLittleEndian(std::bit_cast<std::uint64_t>(value), block + offset);
}

double getDouble(const char* block, int offset) {
  return std::bit_cast<double>(qFromLittleEndian<std::uint64_t>(block + offset));
}

void putShortString(char* block, int offset, int capacity, const QByteArray& text) {
  const int length = static_cast<int>(std::min<qsizetype>(text.size(), capacity));
  block[offset] = static_cast<char>(length);
  if (length > 0) std::memcpy(block + offset + 1, text.constData(), length);
}

QByteArray getShortString(const char* block, int offset, int capacity) {
  const int length = std::min<int>(static_cast<unsigned char>(block[offset]), capacity);
  return QByteArray(block + offset + 1, length);
}

// The record's 640 bytes into `block`: the raw block as last read, the fields over it.
void EncodeRecord(const LayerRecord& record, char* block) {
  std::memcpy(block, record.raw.data(), kLayerRecordSize);
  putShortString(block, kNameOffset, kNameCapacity, record.name);
  putShortString(block, kFillOffset, kFillCapacity, record.fillPattern);
  putDouble(block, kDensityOffset, record.density);
  putDouble(block, kLambdaMediumOffset, record.lambdaMedium);
  putDouble(block, kLambdaHumidOffset, record.lambdaHumid);
  putDouble(block, kVapourOffset, record.vapourCoefficient);
  putDouble(block, kSpecificHeatOffset, record.specificHeat);
  putDouble(block, kThicknessOffset, record.thickness);
  putDouble(block, kResistanceOffset, record.resistance);
  putDouble(block, kInnerTemperatureOffset, record.innerTemperature);
  putDouble(block, kOuterTemperatureOffset, record.outerTemperature);
  putDouble(block, kDiffusionOffset, record.diffusionResistance);
  putDouble(block, kInnerSaturationOffset, record.innerSaturation);
  putDouble(block, kOuterSaturationOffset, record.outerSaturation);
}

}  // namespace

QString LayerRecord::nameText() const {
  return FromCp1250(name);
}

QString LayerRecord::fillPatternText() const {
  return FromCp1250(fillPattern);
}

bool LayerRecord::isAirLayer() const {
  return name == QByteArrayView(kAirLayerName);
}

QByteArray LayerRecord::toBytes() const {
  QByteArray block(kLayerRecordSize, Qt::Uninitialized);
  EncodeRecord(*this, block.data());
  return block;
}

LayerRecord LayerRecord::fromBytes(QByteArrayView block) {
  LayerRecord record;
  std::memcpy(record.raw.data(), block.data(), std::min<qsizetype>(block.size(), kLayerRecordSize));
  const char* b = record.raw.data();
  record.name = getShortString(b, kNameOffset, kNameCapacity);
  record.fillPattern = getShortString(b, kFillOffset, kFillCapacity);
  record.density = getDouble(b, kDensityOffset);
  record.lambdaMedium = getDouble(b, kLambdaMediumOffset);
  record.lambdaHumid = getDouble(b, kLambdaHumidOffset);
  record.vapourCoefficient = getDouble(b, kVapourOffset);
  record.specificHeat = getDouble(b, kSpecificHeatOffset);
  record.thickness = getDouble(b, kThicknessOffset);
  record.resistance = getDouble(b, kResistanceOffset);
  record.innerTemperature = getDouble(b, kInnerTemperatureOffset);
  record.outerTemperature = getDouble(b, kOuterTemperatureOffset);
  record.diffusionResistance = getDouble(b, kDiffusionOffset);
  record.innerSaturation = getDouble(b, kInnerSaturationOffset);
  record.outerSaturation = getDouble(b, kOuterSaturationOffset);
  return record;
}

void ReadLayerRecord(TextReader& reader, LayerRecord& record) {
  const qsizetype start = reader.position();
  int linesRead = 0;
  // Before each of the eight lines: nothing but blanks after it means the file was cut.
  const auto present = [&]() -> TextReader& {
    if (reader.restIsBlank()) {
      throw reader.lineError(reader.lineNumberAt(start) - 1,
                             QStringLiteral("dane warstwy urwane, plik kończy się po %1 z %2 wierszy")
                                 .arg(linesRead)
                                 .arg(kLayerTextLines));
    }
    ++linesRead;
    return reader;
  };
  record.name = present().readLine().left(kNameCapacity);
  record.fillPattern = present().readLine().left(kFillCapacity);
  record.lambdaMedium = present().readNumberLine();
  record.lambdaHumid = present().readNumberLine();
  const double vapour = present().readNumberLine();
  record.vapourCoefficient = vapour == kVapourTightMarker ? -INFINITY : vapour;
  record.density = present().readNumberLine();
  record.thickness = present().readNumberLine();
  record.specificHeat = present().readNumberLine();
}

int LayerTable::indexOf(const LayerRecord* record) const {
  for (int i = 0; i < size(); ++i) {
    if (layers_[i].get() == record) return i;
  }
  return -1;
}

LayerRecord& LayerTable::AppendLayer(std::unique_ptr<LayerRecord> record) {
  if (!record) record = std::make_unique<LayerRecord>();
  layers_.push_back(std::move(record));
  return *layers_.back();
}

LayerRecord& LayerTable::AppendLayer(const LayerRecord& record) {
  return AppendLayer(std::make_unique<LayerRecord>(record));
}

LayerTable LayerTable::copy() const {
  LayerTable out;
  out.layers_.reserve(layers_.size());
  for (const auto& record : layers_) out.AppendLayer(*record);
  return out;
}

LayerRecord& LayerTable::InsertLayer(int index, const LayerRecord& record) {
  index = std::clamp(index, 0, size());
  return **layers_.insert(layers_.begin() + index, std::make_unique<LayerRecord>(record));
}

int LayerTable::MoveLayerInward(int index) {
  if (index <= 0 || index >= size()) return index;
  std::swap(layers_[index], layers_[index - 1]);
  return index - 1;
}

int LayerTable::MoveLayerOutward(int index) {
  if (index < 0 || index >= size() - 1) return index;
  std::swap(layers_[index], layers_[index + 1]);
  return index + 1;
}

std::unique_ptr<LayerRecord> LayerTable::RemoveLayer(int index) {
  if (index < 0 || index >= size()) return nullptr;
  std::unique_ptr<LayerRecord> removed = std::move(layers_[index]);
  layers_.erase(layers_.begin() + index);
  return removed;
}

std::vector<std::unique_ptr<LayerRecord>> LayerTable::takeAll() {
  std::vector<std::unique_ptr<LayerRecord>> all = std::move(layers_);
  layers_.clear();
  return all;
}

void WriteLayers(QIODevice& device, const LayerTable& table) {
  char block[kLayerRecordSize];
  for (int i = 0; i < table.size(); ++i) {
    EncodeRecord(table.at(i), block);
    if (device.write(block, kLayerRecordSize) != kLayerRecordSize) throw IoError(IoCode::DiskFull);
  }
}

void ReadLayers(QIODevice& device, LayerTable& table) {
  while (!device.atEnd()) {
    const QByteArray block = device.read(kLayerRecordSize);
    if (block.size() != kLayerRecordSize) throw IoError(IoCode::EndOfFile);
    table.AppendLayer(std::make_unique<LayerRecord>(LayerRecord::fromBytes(block)));
  }
}

}  // namespace veltor
