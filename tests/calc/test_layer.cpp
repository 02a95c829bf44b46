// Layer records in their text and binary forms, and the layer table.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <bit>
#include <cmath>

#include "calc/errors.h"
#include "calc/layer.h"
#include "calc/textfile.h"

using namespace veltor;

namespace {

double DoubleAt(const QByteArray& block, int offset) {
  std::uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits |= std::uint64_t{static_cast<unsigned char>(block[offset + i])} << (8 * i);
  return std::bit_cast<double>(bits);
}

TEST(ReadLayerRecord, ReadsTheEightLinesWithTheirCutsAndSkips) {
  const QByteArray name(300, 'a');
  TextReader reader(name + "\r\nABCDE\r\n0.5 comment\r\n\r\n \t0.6\r\n-1\r\n1800\r\n0.24\r\n880\r\nnext");
  LayerRecord record;
  record.resistance = 7;
  ReadLayerRecord(reader, record);
  EXPECT_EQ(record.name, name.left(255));
  EXPECT_EQ(record.fillPattern, QByteArray("ABCD"));
  EXPECT_EQ(record.lambdaMedium, 0.5);
  EXPECT_EQ(record.lambdaHumid, 0.6);
  EXPECT_EQ(record.vapourCoefficient, -INFINITY);
  EXPECT_EQ(record.density, 1800);
  EXPECT_EQ(record.thickness, 0.24);
  EXPECT_EQ(record.specificHeat, 880);
  EXPECT_EQ(record.resistance, 7);
  EXPECT_EQ(reader.readLine(), QByteArray("next"));
}

// LF, CR LF and CR each end a line, also mixed in one file.
class RecordLineEnds : public testing::TestWithParam<std::pair<const char*, QByteArray>> {};

TEST_P(RecordLineEnds, ReadTheSameRecord) {
  TextReader reader(GetParam().second);
  LayerRecord record;
  ReadLayerRecord(reader, record);
  EXPECT_EQ(record.name, QByteArray("Cegla"));
  EXPECT_EQ(record.fillPattern, QByteArray("cegl"));
  EXPECT_EQ(record.lambdaHumid, 0.6);
  EXPECT_EQ(record.specificHeat, 880);
  EXPECT_EQ(reader.readLine(), QByteArray("next"));
}

INSTANTIATE_TEST_SUITE_P(
    Ends, RecordLineEnds,
    testing::Values(std::pair{"lf", QByteArray("Cegla\ncegl\n0.5\n0.6\n-1\n1800\n0.24\n880\nnext")},
                    std::pair{"crlf",
                              QByteArray("Cegla\r\ncegl\r\n0.5\r\n0.6\r\n-1\r\n1800\r\n0.24\r\n880\r\nnext")},
                    std::pair{"cr", QByteArray("Cegla\rcegl\r0.5\r0.6\r-1\r1800\r0.24\r880\rnext")},
                    std::pair{"mixed", QByteArray("Cegla\rcegl\r\n0.5\n0.6\r-1\r\n1800\n0.24\r880\r\nnext")}),
    [](const auto& info) { return std::string(info.param.first); });

// A record cut short by the end of the file is refused, naming the file and
// the entry's line, whatever line it was cut after.
struct CutCase {
  const char* name;
  QByteArray file;  // an entry line at line 3, then what is left of its record
  int linesLeft;
};

class CutRecord : public testing::TestWithParam<CutCase> {};

TEST_P(CutRecord, IsRefusedNamingTheEntry) {
  TextReader reader("; kat\n[G]\n*Tynk\n" + GetParam().file, QStringLiteral("System/mur.txt"));
  for (int i = 0; i < 3; ++i) reader.readLine();
  LayerRecord record;
  try {
    ReadLayerRecord(reader, record);
    FAIL() << "no refusal";
  } catch (const DataError& e) {
    EXPECT_EQ(QDir::fromNativeSeparators(e.message()),
              QStringLiteral("Plik System/mur.txt, wiersz 3: dane warstwy urwane, plik kończy "
                             "się po %1 z 8 wierszy")
                  .arg(GetParam().linesLeft));
  }
}

INSTANTIATE_TEST_SUITE_P(Cuts, CutRecord,
                         testing::Values(CutCase{"nothing", "", 0}, CutCase{"name_only", "Tynk\n", 1},
                                         CutCase{"seven_lines", "Tynk\ntynk\n1\n1\n10\n1000\n0.02", 7},
                                         CutCase{"blank_lines_after_five", "Tynk\ntynk\n1\n1\n10\n\n \r\n\n",
                                                 5},
                                         CutCase{"cr_only", "Tynk\rtynk\r1\r", 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadLayerRecord, ANonNumberFailsAndKeepsWhatWasRead) {
  TextReader reader("Tynk\nT1\n0.82\n0,82\n45\n");
  LayerRecord record;
  record.lambdaHumid = 9;
  try {
    ReadLayerRecord(reader, record);
    FAIL();
  } catch (const IoError& e) {
    EXPECT_EQ(e.code(), IoCode::InvalidInput);
    EXPECT_EQ(e.message(), QStringLiteral("Invalid numeric input"));
  }
  EXPECT_EQ(record.name, QByteArray("Tynk"));
  EXPECT_EQ(record.lambdaMedium, 0.82);
  EXPECT_EQ(record.lambdaHumid, 9);
}

TEST(TextReader, MissingFileIsFileNotFound) {
  try {
    TextReader::open(QStringLiteral("/nonexistent-folder/none.txt"));
    FAIL();
  } catch (const IoError& e) {
    EXPECT_EQ(e.message(), QStringLiteral("File not found"));
  }
}

TEST(TextReader, RefusesWhatIsNotARegularFileOrTooLargeUnread) {
  QTemporaryDir dir;
#ifndef _WIN32
  // A FIFO would block the open for ever; the refusal must come before it.
  const QByteArray fifo = dir.filePath(QStringLiteral("para.txt")).toLocal8Bit();
  ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
  EXPECT_THROW(
      {
        try {
          TextReader::open(QString::fromLocal8Bit(fifo));
        } catch (const IoError& e) {
          EXPECT_EQ(e.code(), IoCode::AccessDenied);
          // Start-up reads many files: the refusal says which.
          EXPECT_EQ(e.message(), QString::fromLocal8Bit(fifo) + QStringLiteral(": File access denied"));
          throw;
        }
      },
      IoError);
#endif
  EXPECT_THROW(TextReader::open(dir.path()), IoError);
  // Sparse: no disk is spent, but the size says 51 MB.
  QFile big(dir.filePath(QStringLiteral("duzy.txt")));
  ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(kMaxDataFileSize + 1));
  big.close();
  EXPECT_THROW(TextReader::open(big.fileName()), DataError);
}

// A line above the limit is refused before it is copied, naming the file and
// the line, whatever ends the lines; one at the limit passes.
TEST(TextReader, RefusesALineLongerThanTheLimit) {
  const QByteArray atLimit(kMaxDataLineLength, 'x');
  for (const QByteArray end : {"\n", "\r\n", "\r"}) {
    EXPECT_NO_THROW(TextReader("a" + end + atLimit + end + "b"));
    try {
      TextReader("a" + end + "b" + end + atLimit + "x" + end + "c", QStringLiteral("Dane/klimat.txt"));
      ADD_FAILURE() << "no refusal";
    } catch (const DataError& e) {
      // The message names the file as the system writes paths.
      EXPECT_EQ(QDir::fromNativeSeparators(e.message()),
                QStringLiteral("Plik Dane/klimat.txt, wiersz 3: wiersz dłuższy niż 65536 znaków"));
    }
  }
}

TEST(Cp1250, PolishLettersRoundTrip) {
  const QString text = QStringLiteral("Wełna mineralna ŻÓŁĆ źśąę");
  EXPECT_EQ(FromCp1250(ToCp1250(text)), text);
  EXPECT_EQ(ToCp1250(QStringLiteral("ł")), QByteArray("\xB3"));
  QByteArray everyByte;
  for (int b = 0; b < 256; ++b) everyByte.append(char(b));
  EXPECT_EQ(ToCp1250(FromCp1250(everyByte)), everyByte);
  // Outside the code page: one '?' per character, an emoji's surrogate pair included.
  EXPECT_EQ(ToCp1250(QString::fromUtf8("a\u2265b\U0001F600c")), QByteArray("a?b?c"));
  // Our table against the toolkit's converter where it has one (Qt with ICU).
  QStringDecoder toolkit("windows-1250");
  if (!toolkit.isValid()) GTEST_SKIP() << "this Qt has no Windows-1250 converter to compare with";
  const QString theirs = toolkit(everyByte);
  const QString ours = FromCp1250(everyByte);
  ASSERT_EQ(theirs.size(), 256);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(ours.at(b), theirs.at(b)) << "byte " << b;
}

struct FieldCase {
  const char* name;
  int offset;
  double LayerRecord::*field;
};

class LayerLayoutTest : public testing::TestWithParam<FieldCase> {};

TEST_P(LayerLayoutTest, DoubleSitsAtItsOffset) {
  const FieldCase& c = GetParam();
  LayerRecord record;
  record.*(c.field) = 1234.5 + c.offset;
  EXPECT_EQ(DoubleAt(record.toBytes(), c.offset), 1234.5 + c.offset);
  EXPECT_EQ(LayerRecord::fromBytes(record.toBytes()).*(c.field), 1234.5 + c.offset);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, LayerLayoutTest,
    testing::Values(FieldCase{"Density", 520, &LayerRecord::density},
                    FieldCase{"LambdaMedium", 528, &LayerRecord::lambdaMedium},
                    FieldCase{"LambdaHumid", 536, &LayerRecord::lambdaHumid},
                    FieldCase{"Vapour", 544, &LayerRecord::vapourCoefficient},
                    FieldCase{"SpecificHeat", 552, &LayerRecord::specificHeat},
                    FieldCase{"Thickness", 560, &LayerRecord::thickness},
                    FieldCase{"Resistance", 568, &LayerRecord::resistance},
                    FieldCase{"InnerTemperature", 576, &LayerRecord::innerTemperature},
                    FieldCase{"OuterTemperature", 584, &LayerRecord::outerTemperature},
                    FieldCase{"DiffusionResistance", 592, &LayerRecord::diffusionResistance},
                    FieldCase{"InnerSaturation", 616, &LayerRecord::innerSaturation},
                    FieldCase{"OuterSaturation", 624, &LayerRecord::outerSaturation}),
    [](const testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

TEST(LayerRecord, ShortStringsAreLengthPrefixed) {
  LayerRecord record;
  record.name = "Cegła";
  record.fillPattern = "CEG";
  const QByteArray block = record.toBytes();
  ASSERT_EQ(block.size(), kLayerRecordSize);
  EXPECT_EQ(block[0], char(record.name.size()));
  EXPECT_EQ(block.mid(1, record.name.size()), record.name);
  EXPECT_EQ(block[512], 3);
  EXPECT_EQ(block.mid(513, 3), QByteArray("CEG"));
}

TEST(LayerRecord, BlockRoundTripIsByteIdentical) {
  QByteArray block(kLayerRecordSize, '\0');
  for (int i = 0; i < kLayerRecordSize; ++i) block[i] = char((i * 37 + 11) & 0xFF);
  block[0] = char(200);  // a name shorter than its field, with bytes after it
  block[512] = 2;        // fill pattern; its spare bytes and the padding must survive too
  EXPECT_EQ(LayerRecord::fromBytes(block).toBytes(), block);
}

TEST(LayerTable, WriteAndReadKeepsRecordsIncludingMax) {
  LayerTable table;
  LayerRecord record;
  record.name = "Styropian";
  record.vapourCoefficient = -INFINITY;
  table.AppendLayer(record);
  record.name = "Tynk";
  table.AppendLayer(record);

  QBuffer buffer;
  buffer.open(QIODevice::ReadWrite);
  WriteLayers(buffer, table);
  EXPECT_EQ(buffer.size(), 2 * kLayerRecordSize);
  buffer.seek(0);
  LayerTable read;
  ReadLayers(buffer, read);
  ASSERT_EQ(read.size(), 2);
  EXPECT_EQ(read.at(1).name, QByteArray("Tynk"));
  EXPECT_EQ(read.at(0).vapourCoefficient, -INFINITY);
  EXPECT_EQ(read.at(0).toBytes(), table.at(0).toBytes());
}

TEST(LayerTable, ShortLastBlockFailsAfterTheCompleteOnes) {
  QByteArray data = LayerRecord{}.toBytes() + QByteArray(100, 'x');
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  LayerTable table;
  try {
    ReadLayers(buffer, table);
    FAIL();
  } catch (const IoError& e) {
    EXPECT_EQ(e.code(), IoCode::EndOfFile);
  }
  EXPECT_EQ(table.size(), 1);
}

TEST(LayerTable, FailedWriteIsReported) {
  LayerTable table;
  table.AppendLayer(LayerRecord{});
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  EXPECT_THROW(WriteLayers(buffer, table), IoError);
}

TEST(LayerTable, MovesKeepRecordIdentityAndStopAtTheEnds) {
  LayerTable table;
  LayerRecord* first = &table.AppendLayer(LayerRecord{});
  LayerRecord* second = &table.AppendLayer(LayerRecord{});
  LayerRecord* third = &table.AppendLayer(LayerRecord{});
  EXPECT_EQ(table.MoveLayerInward(0), 0);
  EXPECT_EQ(table.MoveLayerOutward(2), 2);
  EXPECT_EQ(table.MoveLayerOutward(7), 7);
  EXPECT_EQ(table.MoveLayerInward(-1), -1);
  EXPECT_EQ(table.indexOf(first), 0);
  EXPECT_EQ(table.indexOf(third), 2);

  EXPECT_EQ(table.MoveLayerInward(2), 1);
  EXPECT_EQ(table.indexOf(third), 1);
  EXPECT_EQ(table.MoveLayerOutward(0), 1);
  EXPECT_EQ(table.indexOf(first), 1);
  EXPECT_EQ(&table.at(0), third);

  std::unique_ptr<LayerRecord> removed = table.RemoveLayer(2);
  EXPECT_EQ(removed.get(), second);
  EXPECT_EQ(table.RemoveLayer(2), nullptr);
  EXPECT_EQ(table.size(), 2);
}

struct AirNameCase {
  const char* name;
  const char* layerName;
  bool air;
};

class AirLayerNameTest : public testing::TestWithParam<AirNameCase> {};

TEST_P(AirLayerNameTest, OnlyTheExactNameIsAnAirLayer) {
  LayerRecord record;
  record.name = GetParam().layerName;
  EXPECT_EQ(record.isAirLayer(), GetParam().air);
}

INSTANTIATE_TEST_SUITE_P(
    Names, AirLayerNameTest,
    testing::Values(AirNameCase{"Exact", "Niewentylowana warstwa powietrza", true},
                    AirNameCase{"TrailingBlank", "Niewentylowana warstwa powietrza ", false},
                    AirNameCase{"LowerCaseFirst", "niewentylowana warstwa powietrza", false},
                    AirNameCase{"Empty", "", false}),
    [](const testing::TestParamInfo<AirNameCase>& info) { return std::string(info.param.name); });

}  // namespace
