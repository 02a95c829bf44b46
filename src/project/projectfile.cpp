// Byte-level readers and writers of the project file's sections, and the
// whole-file reader that checks a file completely before the program applies it.
// Numbers go field by field in little-endian order, never as an in-memory
// struct, so the 53-byte conditions section keeps its unaligned layout.
#include "project/projectfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QtEndian>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "calc/errors.h"
#include "calc/safefile.h"
#include "calc/textfile.h"
#include "project/extension.h"

namespace veltor {

namespace {

constexpr int kShortStringSize = 256;

void writeAll(QIODevice& device, const QByteArray& bytes) {
  if (device.write(bytes) != bytes.size()) throw IoError(IoCode::DiskFull);
}

QByteArray readExactly(QIODevice& device, qint64 size) {
  QByteArray bytes = device.read(size);
  if (bytes.size() != size) throw IoError(IoCode::EndOfFile);
  return bytes;
}

template <typename T>
void putLe(QByteArray& out, T value) {
  char bytes[sizeof(T)];
  qToLittleEndian(value, bytes);
  out.append(bytes, sizeof(T));
}

void putDouble(QByteArray& out, double value) {
  putLe(out, std::bit_cast<quint64>(value));
}

template <typename T>
T getLe(const char*& p) {
  T value = qFromLittleEndian<T>(p);
  p += sizeof(T);
  return value;
}

double getDouble(const char*& p) {
  return std::bit_cast<double>(getLe<quint64>(p));
}

QString decodeShortString(const QByteArray& field) {
  const int length = static_cast<unsigned char>(field.at(0));
  return FromCp1250(QByteArrayView(field).sliced(1, length));
}

// The description, conditions and layers of a whole file in memory, the
// layers ending at `layersEnd`; raises IoError(EndOfFile) for a layer section
// that is not 640 n bytes.
ProjectContents ParseProject(const QByteArray& all, qsizetype layersEnd) {
  if (layersEnd < kLayersOffset || (layersEnd - kLayersOffset) % kLayerRecordSize != 0)
    throw IoError(IoCode::EndOfFile);

  // The buffer reads `all` in place (QBuffer shares it), no second copy.
  QBuffer buffer;
  buffer.setData(all);
  buffer.open(QIODevice::ReadOnly);
  ProjectContents contents;
  ReadDescriptionSection(buffer, [&](int index, const QString& text) { contents.description[index] = text; });
  contents.conditions = ReadConditionsSection(buffer);
  // Each record is decoded straight into its place on the heap (a prvalue
  // initialises the new object itself), not decoded and then copied there.
  for (qint64 offset = kLayersOffset; offset < layersEnd; offset += kLayerRecordSize)
    contents.layers.AppendLayer(std::unique_ptr<LayerRecord>(
        new LayerRecord(LayerRecord::fromBytes(QByteArrayView(all).sliced(offset, kLayerRecordSize)))));
  return contents;
}

// kDamagedProject for a file that cannot be a project whatever it holds:
// shorter than the fixed sections, or longer than the most layers and the
// largest extension block together. Checked before a file is read.
void CheckProjectSize(qint64 size) {
  if (size < kLayersOffset ||
      size > kLayersOffset + qint64(kLayerRecordSize) * kMaxProjectLayers + kMaxExtensionSize)
    throw DataError(kDamagedProject);
}

// kDamagedProject for a part before the extension block whose length is not
// 1077 + 640 n or holds more than kMaxProjectLayers layers.
void CheckProjectLength(qint64 size) {
  if (size < kLayersOffset || (size - kLayersOffset) % kLayerRecordSize != 0 ||
      (size - kLayersOffset) / kLayerRecordSize > kMaxProjectLayers)
    throw DataError(kDamagedProject);
}

// Refuses (DataError naming the layer and the field) a layer whose thickness or,
// unless it is an air layer, conductivity is not a finite number above 0, or
// whose vapour coefficient is NaN, +INF or a finite negative (-INF is "max").
void CheckProjectLayers(const LayerTable& layers) {
  // Any of these would turn every result into NaN, an infinity or a division
  // by zero the moment the layer window shows the project.
  const auto positive = [](double v) { return std::isfinite(v) && v > 0; };
  for (int i = 0; i < layers.size(); ++i) {
    const LayerRecord& layer = layers.at(i);
    QString field;
    if (!positive(layer.thickness)) {
      field = QStringLiteral("grubość");
    } else if (!layer.isAirLayer() && !positive(layer.lambdaMedium)) {
      field = QStringLiteral("współczynnik przewodzenia ciepła λ w warunkach średniowilgotnych");
    } else if (!layer.isAirLayer() && !positive(layer.lambdaHumid)) {
      field = QStringLiteral("współczynnik przewodzenia ciepła λ w warunkach wilgotnych");
    } else if (std::isnan(layer.vapourCoefficient) ||
               (layer.vapourCoefficient < 0 && std::isfinite(layer.vapourCoefficient)) ||
               layer.vapourCoefficient == std::numeric_limits<double>::infinity()) {
      // -INF is the coefficient "max"; anything else below 0 means nothing.
      field = QStringLiteral("współczynnik przepuszczalności pary wodnej");
    }
    if (!field.isEmpty()) {
      throw DataError(QStringLiteral("Plik projektu zawiera niedopuszczalną wartość w warstwie %1: %2")
                          .arg(i + 1)
                          .arg(field));
    }
  }
}

// Bytes of a size that CheckProjectSize accepted.
LoadedProject CheckedProject(QByteArray bytes) {
  const qsizetype blockOffset = ExtensionBlockOffset(bytes);
  CheckProjectLength(blockOffset);
  LoadedProject loaded;
  loaded.bytes = std::move(bytes);
  loaded.contents = ParseProject(loaded.bytes, blockOffset);
  DecodeExtensionBlock(QByteArrayView(loaded.bytes).sliced(blockOffset), loaded.contents);
  CheckProjectLayers(loaded.contents.layers);
  return loaded;
}

}  // namespace

QByteArray EncodeShortString(const QString& text, int maxLength) {
  QByteArray chars = ToCp1250(text);
  if (chars.size() > maxLength) chars.truncate(maxLength);
  QByteArray field(maxLength + 1, '\0');
  field[0] = static_cast<char>(chars.size());
  std::memcpy(field.data() + 1, chars.constData(), chars.size());
  return field;
}

void WriteDescriptionSection(QIODevice& device, const ProjectDescription& description) {
  // Field by field, so a full disk stops at the first field that did not fit.
  for (int i = 0; i < kFixedDescriptionFields; ++i)
    writeAll(device, EncodeShortString(description[i], kShortStringSize - 1));
}

void ReadDescriptionSection(QIODevice& device, const std::function<void(int, const QString&)>& onField) {
  for (int i = 0; i < kFixedDescriptionFields; ++i) {
    const QByteArray field = readExactly(device, kShortStringSize);
    if (onField) onField(i, decodeShortString(field));
  }
}

void WriteConditionsSection(QIODevice& device, const DesignConditions& c) {
  QByteArray out;
  out.reserve(kConditionsSectionSize);
  putDouble(out, c.rsi);
  putDouble(out, c.rse);
  out.append(static_cast<char>(c.humidityClass));
  putLe<qint32>(out, c.direction);
  putDouble(out, c.umax);
  putDouble(out, c.ti);
  putDouble(out, c.te);
  putLe<qint32>(out, c.phiI);
  putLe<qint32>(out, c.phiE);
  Q_ASSERT(out.size() == kConditionsSectionSize);
  writeAll(device, out);
}

DesignConditions ReadConditionsSection(QIODevice& device) {
  // The whole section or nothing: a cut file never yields half a record.
  const QByteArray bytes = readExactly(device, kConditionsSectionSize);
  const char* p = bytes.constData();
  DesignConditions c;
  c.rsi = getDouble(p);
  c.rse = getDouble(p);
  c.humidityClass = static_cast<std::uint8_t>(*p++);
  c.direction = getLe<qint32>(p);
  c.umax = getDouble(p);
  c.ti = getDouble(p);
  c.te = getDouble(p);
  c.phiI = getLe<qint32>(p);
  c.phiE = getLe<qint32>(p);
  return c;
}

ProjectContents ReadProject(QIODevice& device) {
  // Everything is read into memory and the length checked up front, so that a
  // damaged file is refused before any part of it reaches the windows.
  const QByteArray all = device.readAll();
  return ParseProject(all, all.size());
}

LoadedProject LoadProjectFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) throw IoError(IoCode::FileNotFound);
  QFile file(path);
  // Only a regular file: a device or a pipe chosen under "Wszystkie pliki" could
  // be read for ever.
  if (!info.isFile() || !file.open(QIODevice::ReadOnly)) throw IoError(IoCode::AccessDenied);
  // The length alone tells a damaged or absurd file; such a file is not read
  // at all (a sparse file of a gigabyte would otherwise be).
  const qint64 size = info.size();
  CheckProjectSize(size);
  QByteArray bytes = file.read(size);
  if (file.error() != QFileDevice::NoError || bytes.size() != size) throw IoError(IoCode::EndOfFile);
  return CheckedProject(std::move(bytes));
}

LoadedProject ReadProjectBytes(QByteArray bytes) {
  CheckProjectSize(bytes.size());
  return CheckedProject(std::move(bytes));
}

void WriteProject(QIODevice& device, const ProjectDescription& description,
                  const DesignConditions& conditions, const LayerTable& layers, const ProjectExtras& extras,
                  QByteArrayView moreChunks) {
  WriteDescriptionSection(device, description);
  WriteConditionsSection(device, conditions);
  WriteLayers(device, layers);
  const QByteArray block = EncodeExtensionBlock(description, conditions, layers, extras, moreChunks);
  if (!block.isEmpty()) writeAll(device, block);
}

void SaveProjectFile(const QString& path, const std::function<void(QIODevice&)>& writeSections) {
  // Opened first, so that a folder or a read-only mark is refused before the
  // sections are built.
  SafeFile file(path);
  // The whole file is built in memory and reaches the disk in one write; an
  // exception while building it leaves the disk untouched.
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    writeSections(buffer);
  }
  file.write(bytes);
  file.commit();
}

}  // namespace veltor
