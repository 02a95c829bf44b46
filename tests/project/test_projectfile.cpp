// The project file at the byte level: where every field lies, what a short
// transfer raises, which files the whole-file reader refuses, and that a save
// which fails leaves the previous file alone.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "calc/errors.h"
#include "project/projectfile.h"

using namespace veltor;

namespace {

// Accepts `capacity` bytes and then refuses every write, like a full disk.
class FullDevice : public QIODevice {
 public:
  explicit FullDevice(qint64 capacity) : capacity_(capacity) { open(QIODevice::WriteOnly); }
  QByteArray written;

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    const qint64 n = std::min(size, capacity_ - written.size());
    if (n <= 0) return -1;
    written.append(data, n);
    return n;
  }

 private:
  qint64 capacity_;
};

template <typename Body>
int IoCodeOf(Body body) {
  try {
    body();
  } catch (const IoError& e) {
    return e.code();
  }
  return 0;
}

QByteArray Le(double v) {
  QByteArray b(8, '\0');
  qToLittleEndian(std::bit_cast<quint64>(v), b.data());
  return b;
}

QByteArray Le(qint32 v) {
  QByteArray b(4, '\0');
  qToLittleEndian(v, b.data());
  return b;
}

DesignConditions SampleConditions() {
  DesignConditions c;
  c.rsi = 0.17;
  c.rse = 0.04;
  c.humidityClass = 1;
  c.direction = 2;
  c.umax = 0.23;
  c.ti = 20.5;
  c.te = -20.9;
  c.phiI = 55;
  c.phiE = -7;
  return c;
}

// A layer block with every byte of the unused areas set to a pattern of its own.
QByteArray SampleBlock(const char* name, double vapour) {
  QByteArray block(kLayerRecordSize, '\0');
  for (int i = 0; i < kLayerRecordSize; ++i) block[i] = static_cast<char>(i * 7 + 3);
  block[0] = static_cast<char>(std::strlen(name));
  std::memcpy(block.data() + 1, name, std::strlen(name));
  block[512] = 2;
  block[513] = 'B';
  block[514] = '1';
  const double fields[] = {600, 0.21, 0.25, vapour, 840, 0.24, 1.14, 19.2, 3.6, 1600, 2200, 780};
  const int offsets[] = {520, 528, 536, 544, 552, 560, 568, 576, 584, 592, 616, 624};
  for (int i = 0; i < 12; ++i) block.replace(offsets[i], 8, Le(fields[i]));
  return block;
}

QByteArray ProjectBytes(int layers, const ProjectDescription& description = {}) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  WriteDescriptionSection(buffer, description);
  WriteConditionsSection(buffer, SampleConditions());
  for (int i = 0; i < layers; ++i) buffer.write(SampleBlock("Beton komórkowy", 150));
  return buffer.data();
}

}  // namespace

// --- Section 2: every field at its offset -----------------------------------

struct FieldCase {
  const char* name;
  int offset;
  QByteArray bytes;
};

class ConditionsLayout : public testing::TestWithParam<FieldCase> {};

TEST_P(ConditionsLayout, FieldAtItsOffset) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  WriteConditionsSection(buffer, SampleConditions());
  ASSERT_EQ(buffer.data().size(), kConditionsSectionSize);
  const FieldCase& f = GetParam();
  EXPECT_EQ(buffer.data().mid(f.offset, f.bytes.size()).toHex(), f.bytes.toHex());
}

INSTANTIATE_TEST_SUITE_P(Fields, ConditionsLayout,
                         testing::Values(FieldCase{"rsi", 0, Le(0.17)}, FieldCase{"rse", 8, Le(0.04)},
                                         FieldCase{"humidity", 16, QByteArray(1, '\1')},
                                         FieldCase{"direction", 17, Le(qint32{2})},
                                         FieldCase{"umax", 21, Le(0.23)}, FieldCase{"ti", 29, Le(20.5)},
                                         FieldCase{"te", 37, Le(-20.9)},
                                         FieldCase{"phiI", 45, Le(qint32{55})},
                                         FieldCase{"phiE", 49, Le(qint32{-7})}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ConditionsSection, ReadsBackWhatWasWritten) {
  QBuffer buffer;
  buffer.open(QIODevice::ReadWrite);
  DesignConditions c = SampleConditions();
  c.humidityClass = 7;  // a byte the window does not know still comes back as it was
  c.umax = -std::numeric_limits<double>::infinity();
  WriteConditionsSection(buffer, c);
  buffer.seek(0);
  const DesignConditions r = ReadConditionsSection(buffer);
  EXPECT_EQ(r.rsi, c.rsi);
  EXPECT_EQ(r.rse, c.rse);
  EXPECT_EQ(r.humidityClass, 7);
  EXPECT_EQ(r.direction, c.direction);
  EXPECT_EQ(r.umax, c.umax);
  EXPECT_EQ(r.ti, c.ti);
  EXPECT_EQ(r.te, c.te);
  EXPECT_EQ(r.phiI, c.phiI);
  EXPECT_EQ(r.phiE, c.phiE);
}

// --- Section 1: short strings ----------------------------------------------

struct TextCase {
  const char* name;
  QString text;
  QByteArray stored;  // the length byte's text
};

class DescriptionField : public testing::TestWithParam<TextCase> {};

TEST_P(DescriptionField, StoredInEachOfTheFourFields) {
  const TextCase& t = GetParam();
  for (int field = 0; field < 4; ++field) {
    ProjectDescription d;
    d[field] = t.text;
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    WriteDescriptionSection(buffer, d);
    ASSERT_EQ(buffer.data().size(), kDescriptionSectionSize);
    const QByteArray f = buffer.data().mid(field * 256, 256);
    EXPECT_EQ(static_cast<unsigned char>(f[0]), t.stored.size()) << "field " << field;
    EXPECT_EQ(f.mid(1, t.stored.size()), t.stored) << "field " << field;
    EXPECT_EQ(f.mid(1 + t.stored.size()), QByteArray(255 - t.stored.size(), '\0')) << "field " << field;

    buffer.seek(0);
    ProjectDescription back;
    ReadDescriptionSection(buffer, [&](int i, const QString& s) { back[i] = s; });
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(back[i], i == field ? t.text.left(255) : QString()) << "field " << field << " read " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DescriptionField,
    testing::Values(TextCase{"empty", QString(), QByteArray()},
                    TextCase{"polish", QStringLiteral("Ściana żółć"),
                             QByteArray("\x8C"
                                        "ciana \xBF\xF3\xB3\xE6")},
                    TextCase{"exactly255", QString(255, QLatin1Char('x')), QByteArray(255, 'x')},
                    TextCase{"cutAt255", QString(300, QLatin1Char('y')), QByteArray(255, 'y')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DescriptionSection, BytesAfterTheTextAreIgnored) {
  QByteArray bytes(kDescriptionSectionSize, '\x55');
  for (int i = 0; i < 4; ++i) bytes[i * 256] = static_cast<char>(i);  // lengths 0, 1, 2, 3
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  ProjectDescription d;
  ReadDescriptionSection(buffer, [&](int i, const QString& s) { d[i] = s; });
  EXPECT_EQ(d[0], QString());
  EXPECT_EQ(d[3], QStringLiteral("UUU"));
}

// --- Short transfers ---------------------------------------------------------

struct ShortCase {
  const char* name;
  int size;
  int fieldsDelivered;
};

class ShortDescription : public testing::TestWithParam<ShortCase> {};

TEST_P(ShortDescription, CompleteFieldsThenEndOfFile) {
  QByteArray bytes = ProjectBytes(0).left(GetParam().size);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  int delivered = 0;
  EXPECT_EQ(IoCodeOf([&] { ReadDescriptionSection(buffer, [&](int, const QString&) { ++delivered; }); }),
            IoCode::EndOfFile);
  EXPECT_EQ(delivered, GetParam().fieldsDelivered);
}

INSTANTIATE_TEST_SUITE_P(Cuts, ShortDescription,
                         testing::Values(ShortCase{"empty", 0, 0}, ShortCase{"inSecond", 300, 1},
                                         ShortCase{"oneByteShort", 1023, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ShortTransfers, ConditionsCutShortAndFullDisk) {
  QByteArray cut = ProjectBytes(0).mid(kDescriptionSectionSize, kConditionsSectionSize - 1);
  QBuffer buffer(&cut);
  buffer.open(QIODevice::ReadOnly);
  EXPECT_EQ(IoCodeOf([&] { ReadConditionsSection(buffer); }), IoCode::EndOfFile);

  FullDevice conditionsDisk(kConditionsSectionSize - 1);
  EXPECT_EQ(IoCodeOf([&] { WriteConditionsSection(conditionsDisk, SampleConditions()); }), IoCode::DiskFull);
  FullDevice descriptionDisk(600);
  EXPECT_EQ(IoCodeOf([&] { WriteDescriptionSection(descriptionDisk, {}); }), IoCode::DiskFull);
  EXPECT_EQ(IoError(IoCode::DiskFull).message(), QStringLiteral("Disk full"));
}

// --- The whole file ------------------------------------------------------------

struct LengthCase {
  const char* name;
  int length;
  int layers;  // -1: refused
};

class ProjectLength : public testing::TestWithParam<LengthCase> {};

TEST_P(ProjectLength, WholeLayersOnly) {
  QByteArray bytes = ProjectBytes(4).left(GetParam().length);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  if (GetParam().layers < 0) {
    try {
      ReadProject(buffer);
      FAIL() << "accepted";
    } catch (const IoError& e) {
      EXPECT_EQ(e.code(), IoCode::EndOfFile);
      EXPECT_EQ(e.message(), QStringLiteral("Read beyond end of file"));
    }
  } else {
    EXPECT_EQ(ReadProject(buffer).layers.size(), GetParam().layers);
  }
}

INSTANTIATE_TEST_SUITE_P(Lengths, ProjectLength,
                         testing::Values(LengthCase{"empty", 0, -1}, LengthCase{"cutInDescription", 1000, -1},
                                         LengthCase{"cutInConditions", 1076, -1},
                                         LengthCase{"noLayers", 1077, 0},
                                         LengthCase{"oneByteOfALayer", 1078, -1},
                                         LengthCase{"oneLayer", 1077 + 640, 1},
                                         LengthCase{"threeLayersAndABit", 1077 + 640 * 3 + 100, -1},
                                         LengthCase{"fourLayers", 1077 + 640 * 4, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProjectRoundTrip, IdenticalRecordsAndFields) {
  const double minusInf = -std::numeric_limits<double>::infinity();
  const QByteArray inner = SampleBlock("Tynk cementowo-wapienny", 45);
  const QByteArray outer = SampleBlock("Folia", minusInf);
  LayerTable table;
  table.AppendLayer(LayerRecord::fromBytes(inner));
  table.AppendLayer(LayerRecord::fromBytes(outer));
  const ProjectDescription description{QStringLiteral("Ściana"), QString(), QStringLiteral("Jan Kowalski"),
                                       QStringLiteral("07.12.2026")};

  QBuffer file;
  file.open(QIODevice::ReadWrite);
  WriteDescriptionSection(file, description);
  WriteConditionsSection(file, SampleConditions());
  WriteLayers(file, table);
  ASSERT_EQ(file.data().size(), kLayersOffset + 2 * kLayerRecordSize);
  EXPECT_EQ(file.data().mid(kLayersOffset, kLayerRecordSize), inner);
  EXPECT_EQ(file.data().mid(kLayersOffset + kLayerRecordSize), outer);

  file.seek(0);
  const ProjectContents back = ReadProject(file);
  EXPECT_EQ(back.description, description);
  EXPECT_EQ(back.conditions.te, -20.9);
  ASSERT_EQ(back.layers.size(), 2);
  EXPECT_EQ(back.layers.at(0).toBytes(), inner);
  EXPECT_EQ(back.layers.at(1).toBytes(), outer);
  EXPECT_EQ(back.layers.at(1).vapourCoefficient, minusInf);
  EXPECT_EQ(back.layers.at(0).innerSaturation, 2200);
}

// --- Files on disk ---------------------------------------------------------------

class ProjectFiles : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    old = ProjectBytes(2);
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(old);
  }
  QString path() const { return dir.filePath(QStringLiteral("stary.Veltor")); }
  QByteArray onDisk() const {
    QFile f(path());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
  }
  // Only the target may remain in the folder: no temporary left behind.
  QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

  QTemporaryDir dir;
  QByteArray old;
};

TEST_F(ProjectFiles, FailedSaveLeavesTheOldFile) {
  // The description gets through, then the disk is full.
  EXPECT_EQ(IoCodeOf([&] {
              SaveProjectFile(path(), [](QIODevice& d) {
                WriteDescriptionSection(d, {QStringLiteral("nowy")});
                throw IoError(IoCode::DiskFull);
              });
            }),
            IoCode::DiskFull);
  EXPECT_EQ(onDisk(), old);
  EXPECT_EQ(entries(), QStringList{QStringLiteral("stary.Veltor")});
}

TEST_F(ProjectFiles, OpenRefusesABadLengthBeforeReadingIt) {
  // Sparse files: a gigabyte on paper that must not be read into memory.
  for (const qint64 size : {qint64{kLayersOffset} + 640LL * (kMaxProjectLayers + 1), qint64{1} << 30,
                            qint64{kLayersOffset} + 639}) {
    QFile big(dir.filePath(QStringLiteral("duzy.Veltor")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly | QIODevice::Truncate) && big.resize(size));
    big.close();
    try {
      LoadProjectFile(big.fileName());
      ADD_FAILURE() << size;
    } catch (const DataError& e) {
      EXPECT_EQ(e.message(), kDamagedProject);
    }
  }
}

TEST_F(ProjectFiles, OpenRefusesWhatIsNotARegularFile) {
  EXPECT_EQ(IoCodeOf([&] { LoadProjectFile(dir.path()); }), IoCode::AccessDenied);
  if (QFileInfo::exists(QStringLiteral("/dev/zero"))) {  // endless: must be refused, not read
    EXPECT_EQ(IoCodeOf([] { LoadProjectFile(QStringLiteral("/dev/zero")); }), IoCode::AccessDenied);
  }
  EXPECT_EQ(IoCodeOf([&] { LoadProjectFile(dir.filePath(QStringLiteral("brak.Veltor"))); }),
            IoCode::FileNotFound);
  EXPECT_EQ(LoadProjectFile(path()).contents.layers.size(), 2);
}
