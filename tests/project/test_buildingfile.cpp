// The building's file: a plain project stays byte for byte what it was, and a
// building whose "BLDG" chunk is damaged anywhere is refused whole.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QtEndian>
#include <functional>

#include "calc/errors.h"
#include "project/buildingfile.h"

using namespace veltor;

namespace {

QByteArray Write(const BuildingContents& b) {
  std::vector<const PartitionContents*> parts;
  for (const PartitionContents& p : b.partitions) parts.push_back(&p);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  WriteBuilding(buffer, b.description, parts);
  return bytes;
}

QByteArray Example() {
  QFile file(QStringLiteral(VELTOR_DATA_DIR "/Projekty/Przykład.Veltor"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  return file.readAll();
}

TEST(BuildingFile, PlainProjectIsOnePartitionAndWritesBackUnchanged) {
  const QByteArray plain = Example();
  const BuildingContents b = ReadBuildingBytes(plain);
  ASSERT_EQ(b.partitions.size(), 1u);
  EXPECT_TRUE(b.partitions[0].identity.isDefault());
  EXPECT_EQ(Write(b), plain);
}

// Three partitions written from the example: where the chunk's fields lie.
struct Damage {
  const char* name;
  std::function<void(QByteArray& file, qsizetype payload)> apply;
};

class DamagedBuilding : public testing::TestWithParam<Damage> {};

TEST_P(DamagedBuilding, IsRefusedWhole) {
  BuildingContents b = ReadBuildingBytes(Example());
  b.partitions.push_back(b.partitions[0]);
  b.partitions.push_back(b.partitions[0]);
  b.partitions[0].identity.symbol = QStringLiteral("SZ-1");
  b.partitions[1].identity.kind = PartitionKind::Roof;
  b.partitions[2].identity.area = 12.5;
  QByteArray file = Write(b);
  ASSERT_EQ(ReadBuildingBytes(file).partitions.size(), 3u);
  const qsizetype payload = file.indexOf("BLDG") + 8;
  ASSERT_GT(payload, 8);
  GetParam().apply(file, payload);
  try {
    (void)ReadBuildingBytes(file);
    FAIL() << "accepted";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), kDamagedProject);
  }
}

void PutU32(QByteArray& file, qsizetype at, quint32 value) {
  qToLittleEndian(value, file.data() + at);
}

// The identities start after the version and the count: the first one's
// symbol "SZ-1" (2 + 4 bytes), an empty name (2), the kind (1), the area (8).
constexpr qsizetype kFirstKind = 8 + 6 + 2;
// The other two have neither symbol nor name.
constexpr qsizetype kSecondPartition = 8 + (6 + 2 + 1 + 8) + 2 * (2 + 2 + 1 + 8);

INSTANTIATE_TEST_SUITE_P(
    Fields, DamagedBuilding,
    testing::Values(
        Damage{"LaterLayout", [](QByteArray& f, qsizetype p) { PutU32(f, p, 2); }},
        Damage{"NoPartitions", [](QByteArray& f, qsizetype p) { PutU32(f, p + 4, 0); }},
        Damage{"TooManyPartitions", [](QByteArray& f, qsizetype p) { PutU32(f, p + 4, kMaxPartitions + 1); }},
        Damage{"MorePartitionsThanHeld", [](QByteArray& f, qsizetype p) { PutU32(f, p + 4, 4); }},
        Damage{"UnknownKind", [](QByteArray& f, qsizetype p) { f[p + kFirstKind] = char(200); }},
        Damage{"NegativeArea",
               [](QByteArray& f, qsizetype p) {
                 qToLittleEndian(std::bit_cast<quint64>(-1.0), f.data() + p + kFirstKind + 1);
               }},
        Damage{"SymbolTooLong", [](QByteArray& f, qsizetype p) { f[p + 8] = f[p + 9] = char(0xff); }},
        Damage{"PartitionLengthPastChunk",
               [](QByteArray& f, qsizetype p) { PutU32(f, p + kSecondPartition, 0x7fffffff); }},
        Damage{"PartitionCutShort",
               [](QByteArray& f, qsizetype p) {
                 const qsizetype at = p + kSecondPartition;
                 PutU32(f, at, qFromLittleEndian<quint32>(f.constData() + at) - 1);
               }}),
    [](const testing::TestParamInfo<Damage>& info) { return info.param.name; });

}  // namespace
