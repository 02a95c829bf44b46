// The extension block after the layers: a project without extras is the fixed
// layout byte for byte, what the block holds comes back, chunks of later
// programs are skipped, and a damaged block refuses the whole file.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QtEndian>
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

TEST(ExtensionBlock, SettingsComeBackAndTypedGapsStayGaps) {
  MoistureSettings typed;
  typed.climate = MoistureSettings::Climate::Typed;
  typed.te.fill(std::nan(""));
  typed.te[11] = -0.5;
  for (const MoistureSettings& m : {Station(), typed}) {
    LoadedProject p = ReadProjectBytes(Sample());
    p.contents.extras.moisture = m;
    const QByteArray file = Written(p);
    EXPECT_EQ(file.left(Sample().size()), Sample());
    const LoadedProject back = ReadProjectBytes(file);
    EXPECT_EQ(back.contents.extras.moisture, m);
    EXPECT_EQ(back.contents.layers.size(), p.contents.layers.size());
    EXPECT_EQ(Written(back), file);
  }
}

struct BlockCase {
  const char* name;
  QByteArray block;  // appended to the sample project
  bool accepted;
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
  const QByteArray block = EncodeExtensionBlock(e);
  return block.mid(16, block.size() - 24);  // header, chunk header; footer
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
  } catch (const DataError& e) {
    EXPECT_FALSE(GetParam().accepted);
    EXPECT_EQ(e.message(), kDamagedProject);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Blocks,
    testing::Values(BlockCase{"Moisture", Block(Chunk("MOIS", MoisturePayload())), true},
                    BlockCase{"UnknownChunkSkipped",
                              Block(Chunk("ZZZZ", "later") + Chunk("MOIS", MoisturePayload())), true},
                    BlockCase{"ReservedChunkSkipped", Block(Chunk("BRDG", QByteArray(40, '\1'))), true},
                    BlockCase{"Empty", Block({}), true}, BlockCase{"WrongMagic", Block({}, "VLTY"), false},
                    BlockCase{"LaterVersion", Block({}, "VLTX", 2), false},
                    BlockCase{"ChunkOverruns", Block(Chunk("ZZZZ", "abc", 400)), false},
                    BlockCase{"ChunkHeaderCut", Block(QByteArray("MOI")), false},
                    BlockCase{"FooterBeyondFile", Block({}, "VLTX", 1, 1 << 19), false},
                    BlockCase{"AboveOneMegabyte", Block({}, "VLTX", 1, (1 << 20) + 1), false},
                    BlockCase{"LayersNotWhole", QByteArray(3, 'x') + Block({}), false},
                    BlockCase{"MoistureCut", Block(Chunk("MOIS", MoisturePayload().left(30))), false},
                    BlockCase{"MoistureClassSix",
                              Block(Chunk("MOIS", MoisturePayload().replace(1, 1, QByteArray(1, '\6')))),
                              false}),
    [](const testing::TestParamInfo<BlockCase>& info) { return info.param.name; });

}  // namespace
