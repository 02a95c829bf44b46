// Encoding and decoding of the extension block (layout in extension.h and the
// README). The block is built whole in memory and checked whole before any of
// it is used, like the rest of the file.
#include "project/extension.h"

#include <QList>
#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "calc/errors.h"
#include "calc/layer.h"
#include "project/projectfile.h"

namespace veltor {

namespace {

constexpr char kMoistureTag[] = "MOIS";
constexpr char kBridgeTag[] = "BRDG";
constexpr char kCorrectionsTag[] = "UCOR";
constexpr char kOuterSideTag[] = "OUTS";
constexpr char kDescriptionTag[] = "DESC";
constexpr char kGroundTag[] = "GRND";
constexpr char kReportTag[] = "REPT";
// Bit 0 of the report chunk's flags byte: the dynamics are left out.
constexpr quint8 kReportWithoutDynamics = 1;
// kMaxFieldLength UTF-16 units take at most three bytes each in UTF-8 (a pair
// of surrogates, two units, takes four).
constexpr int kMaxFieldBytes = 3 * kMaxFieldLength;
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

void putDouble(QByteArray& out, double v) {
  put<quint64>(out, std::bit_cast<quint64>(v));
}

// A text of at most kMaxFieldLength units (cut there, never inside a pair of
// surrogates) as a uint16 byte length and its UTF-8.
void putText(QByteArray& out, const QString& text) {
  qsizetype length = std::min<qsizetype>(text.size(), kMaxFieldLength);
  if (length < text.size() && text.at(length - 1).isHighSurrogate()) --length;
  const QByteArray utf8 = text.first(length).toUtf8();
  put<quint16>(out, static_cast<quint16>(utf8.size()));
  out.append(utf8);
}

// Text that is not UTF-8 would come back altered from a save; a text longer
// than a box holds was not written by us.
QString getText(Reader& r, int maxBytes, int maxLength) {
  const auto size = r.get<quint16>();
  if (size > maxBytes) damaged();
  // Stateless: a sequence cut at the end is an error, not held back for more.
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(r.take(size));
  if (utf8.hasError() || text.size() > maxLength) damaged();
  return text;
}

// A figure the program could have written: finite and not negative.
double getFigure(Reader& r) {
  const double v = r.getDouble();
  if (!std::isfinite(v) || v < 0) damaged();
  return v;
}

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
  for (double v : m.te) putDouble(out, v);
  for (double v : m.phiE) putDouble(out, v);
  return out;
}

MoistureSettings decodeMoisture(Reader& r) {
  if (r.left() < kMoistureFixedSize) damaged();
  MoistureSettings m;
  const auto climate = r.get<quint8>();
  const auto humidityClass = r.get<quint8>();
  const auto report = r.get<quint8>();
  (void)r.get<quint8>();
  if (climate > 2 || humidityClass > kMaxHumidityClass || report > 1) damaged();
  m.climate = static_cast<MoistureSettings::Climate>(climate);
  m.humidityClass = humidityClass;
  m.inReport = report == 1;
  m.stationName = getText(r, kMaxStationNameBytes, kMaxStationNameBytes);
  // An infinity is no month; NaN is an empty typed cell.
  for (double& v : m.te)
    if (v = r.getDouble(); std::isinf(v)) damaged();
  for (double& v : m.phiE)
    if (v = r.getDouble(); std::isinf(v)) damaged();
  return m;
}

QByteArray encodeBridges(const LayerTable& layers) {
  QByteArray out;
  quint32 count = 0;
  for (int i = 0; i < layers.size(); ++i) count += layers.at(i).bridge.present();
  put<quint32>(out, count);
  for (int i = 0; i < layers.size(); ++i) {
    const LayerBridge& b = layers.at(i).bridge;
    if (!b.present()) continue;
    put<quint32>(out, static_cast<quint32>(i));
    putText(out, b.material);
    putDouble(out, b.lambdaMedium);
    putDouble(out, b.lambdaHumid);
    putDouble(out, b.share);
  }
  return out;
}

// Into the layers already read; each layer at most once, innermost first.
void decodeBridges(Reader& r, LayerTable& layers) {
  const auto count = r.get<quint32>();
  qint64 previous = -1;
  for (quint32 k = 0; k < count; ++k) {
    const auto index = r.get<quint32>();
    if (index <= previous || index >= quint32(layers.size())) damaged();
    previous = index;
    LayerBridge b;
    b.material = getText(r, kMaxFieldBytes, kMaxFieldLength);
    b.lambdaMedium = getFigure(r);
    b.lambdaHumid = getFigure(r);
    b.share = r.getDouble();
    if (!(b.share > 0 && b.share < 1)) damaged();
    layers.at(int(index)).bridge = b;
  }
}

QByteArray encodeCorrections(const UCorrections& c) {
  QByteArray out;
  put<qint32>(out, c.airGaps.level);
  put<qint32>(out, c.airGaps.layer);
  const FastenerCorrection& f = c.fasteners;
  put<qint32>(out, static_cast<qint32>(f.method));
  put<qint32>(out, f.layer);
  for (double v : {f.perSquareMetre, f.lambda, f.area, f.recess, f.chiP}) putDouble(out, v);
  const InvertedRoofCorrection& roof = c.invertedRoof;
  out.append(static_cast<char>(roof.enabled ? 1 : 0));
  out.append(3, '\0');
  put<qint32>(out, roof.layer);
  for (double v : {roof.precipitation, roof.drainage, roof.factor}) putDouble(out, v);
  return out;
}

// A correction names its layer by position, and removing layers leaves the
// number as it was: a project saved then names a layer it no longer has. Such
// a file is the program's own and opens (the pass then says which correction
// points nowhere); only a number no project can reach is damage.
UCorrections decodeCorrections(Reader& r) {
  UCorrections c;
  const auto layer = [&] {
    const auto index = r.get<qint32>();
    if (index != kLayerAuto && (index < 0 || index >= kMaxProjectLayers)) damaged();
    return index;
  };
  c.airGaps.level = r.get<qint32>();
  c.airGaps.layer = layer();
  FastenerCorrection& f = c.fasteners;
  f.method = static_cast<FastenerMethod>(r.get<qint32>());
  f.layer = layer();
  for (double* v : {&f.perSquareMetre, &f.lambda, &f.area, &f.recess, &f.chiP}) *v = getFigure(r);
  InvertedRoofCorrection& roof = c.invertedRoof;
  const auto enabled = r.get<quint8>();
  if (enabled > 1) damaged();
  roof.enabled = enabled == 1;
  (void)r.take(3);
  roof.layer = layer();
  for (double* v : {&roof.precipitation, &roof.drainage, &roof.factor}) *v = getFigure(r);
  // Levels and methods as the core knows them; the figures are checked above.
  if (!ValidCorrections(c)) damaged();
  return c;
}

QByteArray encodeOuterSide(const OuterSide& side) {
  QByteArray out;
  put<qint32>(out, static_cast<qint32>(side.kind));
  putDouble(out, side.openings);
  return out;
}

OuterSide decodeOuterSide(Reader& r) {
  OuterSide side;
  side.kind = static_cast<OuterSideKind>(r.get<qint32>());
  side.openings = r.getDouble();
  if (!ValidOuterSide(side)) damaged();
  return side;
}

QByteArray encodeDescription(const ProjectDescription& d) {
  QByteArray out;
  putText(out, d[kAddress]);
  putText(out, d[kLicence]);
  return out;
}

void decodeDescription(Reader& r, ProjectDescription& d) {
  d[kAddress] = getText(r, kMaxFieldBytes, kMaxFieldLength);
  d[kLicence] = getText(r, kMaxFieldBytes, kMaxFieldLength);
}

QByteArray encodeGround(const GroundSettings& g) {
  QByteArray out;
  for (auto kind :
       {static_cast<qint32>(g.kind), static_cast<qint32>(g.soil), static_cast<qint32>(g.edge.kind),
        static_cast<qint32>(g.shielding), static_cast<qint32>(g.compare)})
    put<qint32>(out, kind);
  for (double v : {g.area, g.perimeter, g.wallThickness, g.soilLambda, g.edge.size, g.edge.thickness,
                   g.edge.lambda, g.depth, g.height, g.openings, g.windSpeed, g.crawlWallU, g.airChanges,
                   g.volume, g.wallAboveU, g.wallResistance, g.basementFloorResistance})
    putDouble(out, v);
  return out;
}

GroundSettings decodeGround(Reader& r) {
  GroundSettings g;
  g.kind = static_cast<GroundKind>(r.get<qint32>());
  g.soil = static_cast<SoilKind>(r.get<qint32>());
  g.edge.kind = static_cast<EdgeKind>(r.get<qint32>());
  g.shielding = static_cast<WindShielding>(r.get<qint32>());
  g.compare = static_cast<ComparedU>(r.get<qint32>());
  for (double* v : {&g.area, &g.perimeter, &g.wallThickness, &g.soilLambda, &g.edge.size, &g.edge.thickness,
                    &g.edge.lambda, &g.depth, &g.height, &g.openings, &g.windSpeed, &g.crawlWallU,
                    &g.airChanges, &g.volume, &g.wallAboveU, &g.wallResistance, &g.basementFloorResistance})
    *v = r.getDouble();
  if (!ValidGroundSettings(g)) damaged();
  return g;
}

// Whether the dynamics go into the report. The other bits of the flags byte,
// and bytes after it, are room for later report options.
bool decodeReport(Reader& r) {
  return !(r.get<quint8>() & kReportWithoutDynamics);
}

bool anyBridge(const LayerTable& layers) {
  for (int i = 0; i < layers.size(); ++i)
    if (layers.at(i).bridge.present()) return true;
  return false;
}

}  // namespace

void AppendChunk(QByteArray& block, const char* tag, const QByteArray& payload) {
  block.append(tag, 4);
  put<quint32>(block, static_cast<quint32>(payload.size()));
  block.append(payload);
}

void DropKeptChunk(ProjectExtras& extras, const char* tag) {
  QByteArray kept;
  Reader r(extras.unknownChunks);
  while (r.left() > 0) {
    const QByteArrayView t = r.take(4);
    const auto length = r.get<quint32>();
    const QByteArrayView payload = r.take(length);
    if (t == QByteArrayView(tag, 4)) continue;
    kept += t.toByteArray();
    put<quint32>(kept, length);
    kept += payload.toByteArray();
  }
  extras.unknownChunks = kept;
}

QByteArrayView FindChunk(QByteArrayView block, const char* tag, bool& found) {
  found = false;
  if (block.size() < kExtensionHeaderSize + kExtensionFooterSize) return {};
  Reader r(block.sliced(kExtensionHeaderSize, block.size() - kExtensionHeaderSize - kExtensionFooterSize));
  while (r.left() > 0) {
    const QByteArrayView t = r.take(4);
    const QByteArrayView payload = r.take(r.get<quint32>());
    if (t == QByteArrayView(tag, 4)) {
      found = true;
      return payload;
    }
  }
  return {};
}

void AppendFieldText(QByteArray& out, const QString& text) {
  putText(out, text);
}

QString TakeFieldText(QByteArrayView bytes, qsizetype& pos) {
  if (pos < 0 || pos > bytes.size()) damaged();
  Reader r(bytes.sliced(pos));
  QString text = getText(r, kMaxFieldBytes, kMaxFieldLength);
  pos = bytes.size() - r.left();
  return text;
}

bool MoistureSettings::operator==(const MoistureSettings& o) const {
  for (int i = 0; i < 12; ++i)
    if (!sameDouble(te[i], o.te[i]) || !sameDouble(phiE[i], o.phiE[i])) return false;
  return climate == o.climate && stationName == o.stationName && humidityClass == o.humidityClass &&
         inReport == o.inReport;
}

QByteArray EncodeExtensionBlock(const ProjectDescription& description, const DesignConditions& conditions,
                                const LayerTable& layers, const ProjectExtras& extras,
                                QByteArrayView moreChunks) {
  // A layer whose bridge has no share is a homogeneous layer: nothing to keep.
  const bool bridges = anyBridge(layers);
  const bool corrections = conditions.corrections != UCorrections{};
  const bool outerSide = conditions.outerSide != OuterSide{};
  const bool address = !description[kAddress].isEmpty() || !description[kLicence].isEmpty();
  if (extras.isDefault() && !bridges && !corrections && !outerSide && !address && moreChunks.isEmpty())
    return {};
  QByteArray block(kExtensionMagic, 4);
  put<quint32>(block, kExtensionVersion);
  // Our fields, then whatever a later version had written after them.
  const auto append = [&](const char* tag, QByteArray payload) {
    if (const auto tail = extras.tails.find(QByteArray(tag, 4)); tail != extras.tails.end())
      payload += tail->second;
    AppendChunk(block, tag, payload);
  };
  // A chunk carrying a later version's fields is written even when our own
  // fields are at their defaults: dropping it would lose those fields, and an
  // empty block would not read back as the same project.
  const auto kept = [&](const char* tag) { return extras.tails.count(QByteArray(tag, 4)) > 0; };
  if (!extras.moisture.isDefault() || kept(kMoistureTag))
    append(kMoistureTag, encodeMoisture(extras.moisture));
  if (bridges || kept(kBridgeTag)) append(kBridgeTag, encodeBridges(layers));
  if (corrections || kept(kCorrectionsTag))
    append(kCorrectionsTag, encodeCorrections(conditions.corrections));
  if (outerSide || kept(kOuterSideTag)) append(kOuterSideTag, encodeOuterSide(conditions.outerSide));
  if (address || kept(kDescriptionTag)) append(kDescriptionTag, encodeDescription(description));
  if (!extras.ground.isDefault() || kept(kGroundTag)) append(kGroundTag, encodeGround(extras.ground));
  if (!extras.dynamicsInReport || kept(kReportTag))
    append(kReportTag, QByteArray(1, char(extras.dynamicsInReport ? 0 : kReportWithoutDynamics)));
  block.append(extras.unknownChunks);
  block.append(moreChunks);
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

void DecodeExtensionBlock(QByteArrayView block, ProjectContents& contents) {
  if (block.isEmpty()) return;
  if (block.size() > kMaxExtensionSize || block.size() < kExtensionHeaderSize + kExtensionFooterSize)
    damaged();
  Reader r(block.first(block.size() - kExtensionFooterSize));
  if (r.take(4) != QByteArrayView(kExtensionMagic, 4)) damaged();
  // A later version may change what a chunk means; this reader cannot tell.
  if (r.get<quint32>() != kExtensionVersion) damaged();
  // A chunk of ours twice is not something this program writes.
  QList<QByteArrayView> seen;
  const auto is = [&](QByteArrayView tag, const char* ours) {
    if (tag != QByteArrayView(ours, 4)) return false;
    if (seen.contains(tag)) damaged();
    seen.append(tag);
    return true;
  };
  while (r.left() > 0) {
    const QByteArrayView tag = r.take(4);
    const auto length = r.get<quint32>();
    const QByteArrayView payload = r.take(length);
    Reader fields(payload);
    if (is(tag, kMoistureTag)) {
      contents.extras.moisture = decodeMoisture(fields);
    } else if (is(tag, kBridgeTag)) {
      decodeBridges(fields, contents.layers);
    } else if (is(tag, kCorrectionsTag)) {
      contents.conditions.corrections = decodeCorrections(fields);
    } else if (is(tag, kOuterSideTag)) {
      contents.conditions.outerSide = decodeOuterSide(fields);
    } else if (is(tag, kDescriptionTag)) {
      decodeDescription(fields, contents.description);
    } else if (is(tag, kGroundTag)) {
      contents.extras.ground = decodeGround(fields);
    } else if (is(tag, kReportTag)) {
      contents.extras.dynamicsInReport = decodeReport(fields);
    } else {
      // A later version's chunk: kept whole, to be written back as it came.
      contents.extras.unknownChunks += tag.toByteArray();
      put<quint32>(contents.extras.unknownChunks, length);
      contents.extras.unknownChunks += payload.toByteArray();
      continue;
    }
    // A later version's fields after ours: kept for the next save.
    if (fields.left() > 0)
      contents.extras.tails[tag.toByteArray()] = payload.last(fields.left()).toByteArray();
  }
}

}  // namespace veltor
