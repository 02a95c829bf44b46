// Encoding and decoding of the extension block (layout in extension.h and the
// README). The block is built whole in memory and checked whole before any of
// it is used, like the rest of the file.
#include "project/extension.h"

#include <QStringDecoder>
#include <QtEndian>
#include <bit>
#include <cmath>
#include <cstring>

#include "calc/errors.h"
#include "project/projectfile.h"

namespace veltor {

namespace {

constexpr char kMoistureTag[] = "MOIS";
// climate, class, report, reserved, name length, then 24 doubles after the name.
constexpr int kMoistureFixedSize = 4 + 2 + 24 * 8;
constexpr int kMaxHumidityClass = 5;
// Sixty characters of the station file, four bytes each at most in UTF-8.
constexpr int kMaxStationNameBytes = 240;

template <typename T>
void put(QByteArray& out, T value) {
  char bytes[sizeof(T)];
  qToLittleEndian(value, bytes);
  out.append(bytes, sizeof(T));
}

[[noreturn]] void damaged() {
  throw DataError(kDamagedProject);
}

// Reads little-endian values from a view, refusing to run past its end.
class Reader {
 public:
  explicit Reader(QByteArrayView bytes) : bytes_(bytes) {}
  template <typename T>
  T get() {
    if (left() < qsizetype(sizeof(T))) damaged();
    const T value = qFromLittleEndian<T>(bytes_.data() + pos_);
    pos_ += sizeof(T);
    return value;
  }
  double getDouble() { return std::bit_cast<double>(get<quint64>()); }
  QByteArrayView take(qsizetype n) {
    if (n < 0 || left() < n) damaged();
    const QByteArrayView part = bytes_.sliced(pos_, n);
    pos_ += n;
    return part;
  }
  qsizetype left() const { return bytes_.size() - pos_; }

 private:
  QByteArrayView bytes_;
  qsizetype pos_ = 0;
};

bool sameDouble(double a, double b) {
  return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b);
}

QByteArray encodeMoisture(const MoistureSettings& m) {
  QByteArray out;
  const QByteArray name = m.stationName.toUtf8().left(kMaxStationNameBytes);
  out.append(static_cast<char>(m.climate));
  out.append(static_cast<char>(m.humidityClass));
  out.append(static_cast<char>(m.inReport ? 1 : 0));
  out.append('\0');
  put<quint16>(out, static_cast<quint16>(name.size()));
  out.append(name);
  for (double v : m.te) put<quint64>(out, std::bit_cast<quint64>(v));
  for (double v : m.phiE) put<quint64>(out, std::bit_cast<quint64>(v));
  return out;
}

MoistureSettings decodeMoisture(QByteArrayView payload) {
  if (payload.size() < kMoistureFixedSize) damaged();
  Reader r(payload);
  MoistureSettings m;
  const auto climate = r.get<quint8>();
  const auto humidityClass = r.get<quint8>();
  const auto report = r.get<quint8>();
  (void)r.get<quint8>();
  if (climate > 2 || humidityClass > kMaxHumidityClass || report > 1) damaged();
  m.climate = static_cast<MoistureSettings::Climate>(climate);
  m.humidityClass = humidityClass;
  m.inReport = report == 1;
  const auto nameSize = r.get<quint16>();
  if (nameSize > kMaxStationNameBytes) damaged();
  // Text that is not UTF-8 would come back altered from a save.
  QStringDecoder utf8(QStringDecoder::Utf8);
  m.stationName = utf8.decode(r.take(nameSize));
  if (utf8.hasError()) damaged();
  // An infinity is no month; NaN is an empty typed cell.
  for (double& v : m.te)
    if (v = r.getDouble(); std::isinf(v)) damaged();
  for (double& v : m.phiE)
    if (v = r.getDouble(); std::isinf(v)) damaged();
  // Bytes after the fields are room for later versions of the chunk.
  return m;
}

void appendChunk(QByteArray& block, const char* tag, const QByteArray& payload) {
  block.append(tag, 4);
  put<quint32>(block, static_cast<quint32>(payload.size()));
  block.append(payload);
}

}  // namespace

bool MoistureSettings::operator==(const MoistureSettings& o) const {
  for (int i = 0; i < 12; ++i)
    if (!sameDouble(te[i], o.te[i]) || !sameDouble(phiE[i], o.phiE[i])) return false;
  return climate == o.climate && stationName == o.stationName && humidityClass == o.humidityClass &&
         inReport == o.inReport;
}

QByteArray EncodeExtensionBlock(const ProjectExtras& extras) {
  if (extras.isDefault()) return {};
  QByteArray block(kExtensionMagic, 4);
  put<quint32>(block, kExtensionVersion);
  if (!extras.moisture.isDefault()) appendChunk(block, kMoistureTag, encodeMoisture(extras.moisture));
  put<quint32>(block, static_cast<quint32>(block.size() + kExtensionFooterSize));
  block.append(kExtensionFooterMagic, 4);
  return block;
}

qsizetype ExtensionBlockOffset(const QByteArray& file) {
  if (file.size() < kLayersOffset + kExtensionHeaderSize + kExtensionFooterSize ||
      std::memcmp(file.constData() + file.size() - 4, kExtensionFooterMagic, 4) != 0)
    return file.size();
  const quint32 length = qFromLittleEndian<quint32>(file.constData() + file.size() - kExtensionFooterSize);
  if (length > kMaxExtensionSize || length < quint32(kExtensionHeaderSize + kExtensionFooterSize) ||
      length > quint64(file.size() - kLayersOffset))
    damaged();
  return file.size() - length;
}

ProjectExtras DecodeExtensionBlock(QByteArrayView block) {
  ProjectExtras extras;
  if (block.isEmpty()) return extras;
  if (block.size() > kMaxExtensionSize || block.size() < kExtensionHeaderSize + kExtensionFooterSize)
    damaged();
  Reader r(block.first(block.size() - kExtensionFooterSize));
  if (r.take(4) != QByteArrayView(kExtensionMagic, 4)) damaged();
  // A later version may change what a chunk means; this reader cannot tell.
  if (r.get<quint32>() != kExtensionVersion) damaged();
  while (r.left() > 0) {
    const QByteArrayView tag = r.take(4);
    const QByteArrayView payload = r.take(r.get<quint32>());
    if (tag == QByteArrayView(kMoistureTag, 4)) extras.moisture = decodeMoisture(payload);
  }
  return extras;
}

}  // namespace veltor
