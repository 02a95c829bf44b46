// The extension block after the layers: a project without extras is the fixed
// layout byte for byte, what the block holds comes back, chunks of later
// programs are skipped, and a damaged block refuses the whole file.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QtEndian>
#include <bit>
#include <cmath>

#include "calc/errors.h"
#include "project/extension.h"
#include "project/projectfile.h"

using namespace veltor;

namespace {

QByteArray U32(quint32 v) {
  QByteArray b(4, '\0');
  qToLittleEndian(v, b.data());
  return b;
}

QByteArray Written(const LoadedProject& p) {
  QBuffer b;
  b.open(QIODevice::WriteOnly);
  WriteProject(b, p.contents.description, p.contents.conditions, p.contents.layers, p.contents.extras);
  return b.data();
}

QByteArray Sample() {
  QFile f(QStringLiteral(VELTOR_DATA_DIR "/Projekty/Przykład.Veltor"));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A project of every field at its limit: 255 characters in each description
// field, 255-byte names and 4-byte patterns, conditions at the ends of their ranges.
QByteArray AtLimits() {
  const QString longText(255, QChar(0x0105));  // "ą", one byte in Windows-1250
  DesignConditions c{0.17, 0.04, 1, 2, 10, 30.9, -20.9, 100, 0};
  LayerTable layers;
  for (int i = 0; i < 3; ++i) {
    LayerRecord r;
    r.name = QByteArray(255, char('a' + i));
    r.fillPattern = "ABCD";
    r.thickness = 10;
    r.lambdaMedium = r.lambdaHumid = 1e-300;
    r.vapourCoefficient = -INFINITY;
    layers.AppendLayer(r);
  }
  QBuffer b;
  b.open(QIODevice::WriteOnly);
  WriteProject(b, {longText, longText, longText, longText}, c, layers, {});
  return b.data();
}

MoistureSettings Station() {
  MoistureSettings m;
  m.climate = MoistureSettings::Climate::Station;
  m.stationName = QStringLiteral("Białystok");
  for (int i = 0; i < 12; ++i) {
    m.te[i] = -4.5 + i;
    m.phiE[i] = 70 + i;
  }
  m.humidityClass = 3;
  m.inReport = true;
  return m;
}

TEST(ExtensionBlock, ProjectWithoutExtrasIsTheFixedLayout) {
  for (const QByteArray& file : {Sample(), AtLimits()}) {
    ASSERT_GE(file.size(), kLayersOffset);
    EXPECT_EQ((file.size() - kLayersOffset) % kLayerRecordSize, 0);
    EXPECT_EQ(Written(ReadProjectBytes(file)), file);
  }
}

// Every extra the block holds, one kind at a time and all together (with each
// outer side): it comes back as it was, the fixed sections stay the sample's
// bytes, and the file read back is written again byte for byte.
struct ExtrasCase {
  const char* name;
  void (*apply)(ProjectContents&);
};

void TypedMonths(ProjectContents& c) {
  c.extras.moisture.climate = MoistureSettings::Climate::Typed;
  c.extras.moisture.te.fill(std::nan(""));
  c.extras.moisture.te[11] = -0.5;
}

void BridgedLayers(ProjectContents& c) {
  c.layers.at(1).bridge = {QStringLiteral("drewno sosnowe"), 0.16, 0.18, 0.1};
  // A character outside the basic plane: two UTF-16 units, four UTF-8 bytes.
  c.layers.at(3).bridge = {QStringLiteral("łącznik \U0001F529"), 50, 58, 0.002};
}

void AddressAndLicence(ProjectContents& c) {
  c.description[kAddress] = QStringLiteral("ul. Źródlana 5, 05-500 Piaseczno");
  c.description[kLicence] = QStringLiteral("MAZ/0123/POOK/05");
}

void OnTheGround(ProjectContents& c) {
  GroundSettings& g = c.extras.ground;
  g.kind = GroundKind::Slab;
  g.area = 96.5;
  g.perimeter = 41.2;
  g.wallThickness = 0.44;
  g.soil = SoilKind::Typed;
  g.soilLambda = 1.8;
  g.edge = {EdgeKind::Vertical, 1.2, 0.1, 0.035};
  g.compare = ComparedU::Ground;
}

template <OuterSideKind kKind>
void Everything(ProjectContents& c) {
  OnTheGround(c);
  c.extras.moisture = Station();
  BridgedLayers(c);
  AddressAndLicence(c);
  c.conditions.outerSide = {kKind, 700};
  c.conditions.corrections = {
      {2, 1}, {FastenerMethod::Conductivity, 1, 6, 50, 1.3e-5, 0.01, 0.004}, {true, -1, 2.2, 0.5, 0.04}};
}

class Extras : public testing::TestWithParam<ExtrasCase> {};

TEST_P(Extras, ComeBackAndAreWrittenAgainByteForByte) {
  LoadedProject p = ReadProjectBytes(Sample());
  GetParam().apply(p.contents);
  const QByteArray file = Written(p);
  EXPECT_GT(file.size(), Sample().size());
  EXPECT_EQ(file.left(Sample().size()), Sample());
  const LoadedProject back = ReadProjectBytes(file);
  EXPECT_EQ(back.contents.description, p.contents.description);
  EXPECT_EQ(back.contents.conditions, p.contents.conditions);
  EXPECT_EQ(back.contents.extras.moisture, p.contents.extras.moisture);
  EXPECT_EQ(back.contents.extras.ground, p.contents.extras.ground);
  ASSERT_EQ(back.contents.layers.size(), p.contents.layers.size());
  for (int i = 0; i < p.contents.layers.size(); ++i)
    EXPECT_EQ(back.contents.layers.at(i).bridge, p.contents.layers.at(i).bridge) << i;
  EXPECT_EQ(Written(back), file);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Extras,
    testing::Values(ExtrasCase{"StationMonths", [](ProjectContents& c) { c.extras.moisture = Station(); }},
                    ExtrasCase{"TypedGapsStayGaps", TypedMonths}, ExtrasCase{"OnTheGround", OnTheGround},
                    ExtrasCase{"BridgedLayers", BridgedLayers},
                    ExtrasCase{"OnlyTheLicence",
                               [](ProjectContents& c) { c.description[kLicence] = QStringLiteral("1/05"); }},
                    ExtrasCase{"OutdoorWithOpeningsTyped", Everything<OuterSideKind::Outdoor>},
                    ExtrasCase{"SlightlyVentilated", Everything<OuterSideKind::SlightlyVentilated>},
                    ExtrasCase{"WellVentilated", Everything<OuterSideKind::WellVentilated>},
                    ExtrasCase{"Unheated", Everything<OuterSideKind::Unheated>}),
    [](const testing::TestParamInfo<ExtrasCase>& info) { return info.param.name; });

struct BlockCase {
  const char* name;
  QByteArray block;  // appended to the sample project
  bool accepted;
  // Written again from what was read, the block comes back byte for byte.
  bool canonical = false;
};

// A block of the given chunks, with a footer giving its true length unless told otherwise.
QByteArray Block(const QByteArray& chunks, const char* magic = "VLTX", quint32 version = 1,
                 qint64 footerLength = -1) {
  QByteArray b = QByteArray(magic, 4) + U32(version) + chunks;
  return b + U32(footerLength >= 0 ? quint32(footerLength) : quint32(b.size() + 8)) + "XTLV";
}

QByteArray Chunk(const char* tag, const QByteArray& payload, qint64 length = -1) {
  return QByteArray(tag, 4) + U32(length >= 0 ? quint32(length) : quint32(payload.size())) + payload;
}

QByteArray MoisturePayload() {
  ProjectExtras e;
  e.moisture = Station();
  const QByteArray block = EncodeExtensionBlock({}, {}, LayerTable{}, e);
  return block.mid(16, block.size() - 24);  // header, chunk header; footer
}

// The chunks' payloads built by hand from the README's tables, not by the encoder.
QByteArray I32(qint32 v) {
  return U32(quint32(v));
}
QByteArray F64(double v) {
  QByteArray b(8, '\0');
  qToLittleEndian(std::bit_cast<quint64>(v), b.data());
  return b;
}
QByteArray Text(const QByteArray& utf8) {
  QByteArray b(2, '\0');
  qToLittleEndian(quint16(utf8.size()), b.data());
  return b + utf8;
}
QByteArray BridgeEntry(quint32 layer, double share, double lambda = 0.16, const QByteArray& name = "drewno") {
  return U32(layer) + Text(name) + F64(lambda) + F64(lambda * 1.1) + F64(share);
}
QByteArray Bridges(quint32 layer, double share, double lambda = 0.16, const QByteArray& name = "drewno") {
  return U32(1) + BridgeEntry(layer, share, lambda, name);
}
// Air gaps at `level`, fasteners by `method` with every figure `figure`, the
// inverted roof on; the fasteners' layer given, the others automatic.
QByteArray Corrections(qint32 level, qint32 method, double figure = 0.5, qint32 layer = 2) {
  QByteArray b = I32(level) + I32(kLayerAuto) + I32(method) + I32(layer);
  for (int i = 0; i < 5; ++i) b += F64(figure);
  b += QByteArray("\1\0\0\0", 4) + I32(kLayerAuto);
  for (int i = 0; i < 3; ++i) b += F64(figure);
  return b;
}
QByteArray Side(qint32 kind, double openings) {
  return I32(kind) + F64(openings);
}
// A heated basement on sand, the other choices first of their kind, every figure `figure`.
QByteArray Ground(qint32 kind, double figure = 2.5) {
  QByteArray b = I32(kind) + I32(1) + I32(0) + I32(0) + I32(0);
  for (int i = 0; i < 17; ++i) b += F64(figure);
  return b;
}
QByteArray Address(const QByteArray& address, const QByteArray& licence) {
  return Text(address) + Text(licence);
}

class Blocks : public testing::TestWithParam<BlockCase> {};

TEST_P(Blocks, ReadOrRefusedWhole) {
  const QByteArray file = Sample() + GetParam().block;
  try {
    const LoadedProject p = ReadProjectBytes(file);
    EXPECT_TRUE(GetParam().accepted);
    EXPECT_EQ(p.contents.layers.size(), (Sample().size() - kLayersOffset) / kLayerRecordSize);
    if (GetParam().block.contains("MOIS")) {
      EXPECT_EQ(p.contents.extras.moisture, Station());
    }
    if (GetParam().canonical) {
      EXPECT_EQ(Written(p).toHex(), file.toHex());
    }
  } catch (const DataError& e) {
    EXPECT_FALSE(GetParam().accepted);
    EXPECT_EQ(e.message(), kDamagedProject);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Blocks,
    testing::Values(
        BlockCase{"Moisture", Block(Chunk("MOIS", MoisturePayload())), true},
        BlockCase{"UnknownChunkSkipped", Block(Chunk("ZZZZ", "later") + Chunk("MOIS", MoisturePayload())),
                  true},
        BlockCase{"AllOurChunks",
                  Block(Chunk("MOIS", MoisturePayload()) + Chunk("BRDG", Bridges(3, 0.1)) +
                        Chunk("UCOR", Corrections(2, 2)) + Chunk("OUTS", Side(3, 0)) +
                        Chunk("DESC", Address("ul. Polna 1", "MAZ/1/05")) + Chunk("GRND", Ground(3))),
                  true, true},
        BlockCase{"TwoBridgesInnermostFirst",
                  Block(Chunk("BRDG", U32(2) + BridgeEntry(0, 0.5) + BridgeEntry(2, 0.999))), true, true},
        // What a later version wrote survives opening and saving.
        BlockCase{"LaterFieldsKept", Block(Chunk("OUTS", Side(1, 900) + "later")), true, true},
        BlockCase{"UnknownChunkKept", Block(Chunk("MOIS", MoisturePayload()) + Chunk("ZZZZ", "later")), true,
                  true},
        BlockCase{"OnlyAnUnknownChunk", Block(Chunk("ZZZZ", "later") + Chunk("YYYY", {})), true, true},
        BlockCase{"LaterFieldsOfEveryChunk",
                  Block(Chunk("MOIS", MoisturePayload() + "1") + Chunk("BRDG", Bridges(3, 0.1) + "2") +
                        Chunk("UCOR", Corrections(2, 2) + "3") + Chunk("OUTS", Side(3, 0) + "4") +
                        Chunk("DESC", Address("ul. Polna 1", "MAZ/1/05") + "5") + Chunk("ZZZZ", "6")),
                  true, true},
        BlockCase{"BridgeBeyondTheLayers", Block(Chunk("BRDG", Bridges(4, 0.1))), false},
        BlockCase{"BridgeShareZero", Block(Chunk("BRDG", Bridges(0, 0))), false},
        BlockCase{"BridgeShareWhole", Block(Chunk("BRDG", Bridges(0, 1))), false},
        BlockCase{"BridgeLambdaNegative", Block(Chunk("BRDG", Bridges(0, 0.1, -0.16))), false},
        BlockCase{"BridgeLambdaInfinite", Block(Chunk("BRDG", Bridges(0, 0.1, INFINITY))), false},
        BlockCase{"BridgeNameTooLong", Block(Chunk("BRDG", Bridges(0, 0.1, 0.16, QByteArray(256, 'a')))),
                  false},
        BlockCase{"BridgeNameNotUtf8", Block(Chunk("BRDG", Bridges(0, 0.1, 0.16, "\xff"))), false},
        BlockCase{"BridgeTwiceOnOneLayer",
                  Block(Chunk("BRDG", U32(2) + BridgeEntry(1, 0.1) + BridgeEntry(1, 0.2))), false},
        BlockCase{"AirGapLevelThree", Block(Chunk("UCOR", Corrections(3, 0))), false},
        BlockCase{"UnknownFastenerMethod", Block(Chunk("UCOR", Corrections(0, 3))), false},
        BlockCase{"CorrectionFigureNegative", Block(Chunk("UCOR", Corrections(0, 1, -0.5))), false},
        BlockCase{"CorrectionOnARemovedLayer", Block(Chunk("UCOR", Corrections(1, 1, 0.5, 4))), true, true},
        BlockCase{"CorrectionBeyondAnyProject", Block(Chunk("UCOR", Corrections(1, 1, 0.5, 10000))), false},
        BlockCase{"CorrectionsCut", Block(Chunk("UCOR", Corrections(1, 1).left(60))), false},
        BlockCase{"UnknownOuterSide", Block(Chunk("OUTS", Side(4, 0))), false},
        BlockCase{"OpeningsNegative", Block(Chunk("OUTS", Side(1, -1))), false},
        BlockCase{"OuterSideTwice", Block(Chunk("OUTS", Side(1, 0)) + Chunk("OUTS", Side(2, 0))), false},
        BlockCase{"GroundKindUnknown", Block(Chunk("GRND", Ground(5))), false},
        BlockCase{"GroundFigureNegative", Block(Chunk("GRND", Ground(1, -0.3))), false},
        BlockCase{"GroundFigureNaN", Block(Chunk("GRND", Ground(1, NAN))), false},
        BlockCase{"GroundCut", Block(Chunk("GRND", Ground(1).left(100))), false},
        BlockCase{"AddressTooLong", Block(Chunk("DESC", Address(QByteArray(256, 'a'), ""))), false},
        BlockCase{"LicenceNotUtf8", Block(Chunk("DESC", Address("", "\xc3"))), false},
        BlockCase{"Empty", Block({}), true}, BlockCase{"WrongMagic", Block({}, "VLTY"), false},
        BlockCase{"LaterVersion", Block({}, "VLTX", 2), false},
        BlockCase{"ChunkOverruns", Block(Chunk("ZZZZ", "abc", 400)), false},
        BlockCase{"ChunkHeaderCut", Block(QByteArray("MOI")), false},
        BlockCase{"FooterBeyondFile", Block({}, "VLTX", 1, 1 << 19), false},
        BlockCase{"AboveOneMegabyte", Block({}, "VLTX", 1, (1 << 20) + 1), false},
        BlockCase{"LayersNotWhole", QByteArray(3, 'x') + Block({}), false},
        BlockCase{"MoistureCut", Block(Chunk("MOIS", MoisturePayload().left(30))), false},
        BlockCase{"MoistureClassSix",
                  Block(Chunk("MOIS", MoisturePayload().replace(1, 1, QByteArray(1, '\6')))), false}),
    [](const testing::TestParamInfo<BlockCase>& info) { return info.param.name; });

}  // namespace
