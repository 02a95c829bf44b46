// The reference tables: readers, lookups at and beyond their ends, and the two
// shipped data files checked against the standards they come from.
#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <cmath>

#include "calc/errors.h"
#include "calc/reftables.h"
#include "calc/textfile.h"

using namespace veltor;

namespace {

// Each entry holds its own index in tenths of a degree, so a lookup tells which entry it read.
SaturationTable IndexTable() {
  SaturationTable table;
  for (int i = 0; i < kSaturationCount; ++i) table.pa[i] = i + kSaturationLowestIndex;
  return table;
}

// EN ISO 6946, high-emissivity surfaces: thickness, up, horizontal, down.
constexpr AirLayerRow kStandardRows[] = {
    {0.0, 0.00, 0.00, 0.00},  {0.005, 0.11, 0.11, 0.11}, {0.007, 0.13, 0.13, 0.13},
    {0.01, 0.15, 0.15, 0.15}, {0.015, 0.16, 0.17, 0.17}, {0.025, 0.16, 0.18, 0.19},
    {0.05, 0.16, 0.18, 0.21}, {0.1, 0.16, 0.18, 0.22},   {0.3, 0.16, 0.18, 0.23}};

AirLayerTable StandardAirTable() {
  AirLayerTable table;
  for (const AirLayerRow& row : kStandardRows) table.rows[table.rowCount++] = row;
  return table;
}

class LocaleOverride {
 public:
  explicit LocaleOverride(const char* name) { QLocale::setDefault(QLocale(QString::fromLatin1(name))); }
  ~LocaleOverride() { QLocale::setDefault(previous_); }

 private:
  QLocale previous_;
};

struct LookupCase {
  const char* name;
  double temperature;
  int tenths;
};

class SaturationLookupTest : public testing::TestWithParam<LookupCase> {};

TEST_P(SaturationLookupTest, ReadsTheRoundedIndexInsideTheTable) {
  EXPECT_EQ(SaturationPressure(IndexTable(), GetParam().temperature), GetParam().tenths);
}

INSTANTIATE_TEST_SUITE_P(
    Temperatures, SaturationLookupTest,
    testing::Values(LookupCase{"TieGoesDownToEven", 0.25, 2}, LookupCase{"TieGoesUpToEven", 0.75, 8},
                    LookupCase{"NegativeTie", -0.25, -2}, LookupCase{"Ordinary", 20.0, 200},
                    // Not ties: the binary values lie just off the half, though 10 x t rounds onto it.
                    LookupCase{"BinaryJustBelowHalf", 0.35, 3}, LookupCase{"BinaryJustAboveHalf", 2.45, 25},
                    LookupCase{"NegativeBinaryJustBeyondHalf", -18.85, -189},
                    LookupCase{"NegativeBinaryJustInsideHalf", -0.35, -3}, LookupCase{"TopEnd", 30.9, 309},
                    LookupCase{"AboveTable", 31.5, 309}, LookupCase{"FarAboveTable", 1e300, 309},
                    LookupCase{"OldBottomEnd", -20.9, -209}, LookupCase{"ZoneV", -24.0, -240},
                    LookupCase{"BottomEnd", -40.0, -400}, LookupCase{"BelowTable", -45.0, -400},
                    LookupCase{"NotANumber", NAN, -400}),
    [](const testing::TestParamInfo<LookupCase>& info) { return std::string(info.param.name); });

TEST(TemperatureForPressure, ExactMatchLowestElseNearest) {
  SaturationTable table;
  for (int i = 0; i < kSaturationCount; ++i) table.pa[i] = 100 + 10 * i;
  const auto at = [](int tenths) { return tenths - kSaturationLowestIndex; };
  table.pa[at(91)] = table.pa[at(92)];  // 9.1 and 9.2 degC share a value
  EXPECT_DOUBLE_EQ(TemperatureForPressure(table, table.pa[at(92)]), 9.1);
  EXPECT_DOUBLE_EQ(TemperatureForPressure(table, 100 + 10 * 5 + 4), -39.5);  // nearer to entry 5
  EXPECT_DOUBLE_EQ(TemperatureForPressure(table, 100 + 10 * 5 + 5), -39.5);  // a tie takes the lower
  EXPECT_DOUBLE_EQ(TemperatureForPressure(table, 0), -40.0);
  EXPECT_DOUBLE_EQ(TemperatureForPressure(table, 1e9), 30.9);
  // A file that stopped at -20.9 degC: nothing below is looked at or answered.
  table.lowest = -209;
  EXPECT_DOUBLE_EQ(TemperatureForPressure(table, 0), -20.9);
  EXPECT_EQ(SaturationPressure(table, -24.0), table.pa[at(-209)]);
}

TEST(SaturationPressureAt, LinearAcrossTheLayerAndRefusesZeroThickness) {
  const SaturationTable table = IndexTable();
  EXPECT_EQ(SaturationPressureAt(table, -10.0, 10.0, 0.0, 0.2), 100);
  EXPECT_EQ(SaturationPressureAt(table, -10.0, 10.0, 0.05, 0.2), 50);
  EXPECT_EQ(SaturationPressureAt(table, -10.0, 10.0, 0.2, 0.2), -100);
  EXPECT_THROW(SaturationPressureAt(table, -10.0, 10.0, 0.0, 0.0), DivisionByZero);
}

TEST(ReadSaturationTable, CommentsAndEmptyLinesDoNotShiftTheFirstValue) {
  TextReader reader("; comment\r\n\r\n;another\r\n4464\r\n4439\r\n");
  SaturationTable table;
  table.pa[0] = 5;
  ReadSaturationTable(reader, table);
  EXPECT_EQ(SaturationPressure(table, 30.9), 4464);
  EXPECT_EQ(SaturationPressure(table, 30.8), 4439);
  // Below the values the file held, the lowest of them.
  EXPECT_EQ(SaturationPressure(table, -20.9), 4439);
  EXPECT_DOUBLE_EQ(table.lowestTemperature(), 30.8);
}

TEST(ReadSaturationTable, RefusesAFileTooLong) {
  QByteArray content;
  for (int i = 0; i < kSaturationCount + 1; ++i) content += "100\r\n";
  TextReader reader(content);
  SaturationTable table;
  EXPECT_THROW(ReadSaturationTable(reader, table), DataError);
}

TEST(ReadSaturationTable, ANonIntegerLineIsAConversionError) {
  TextReader reader("4464\n12.5\n");
  SaturationTable table;
  try {
    ReadSaturationTable(reader, table);
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.message(), QStringLiteral("'12.5' is not a valid integer value"));
  }
}

TEST(LoadReferenceTables, RefuseATableThatWouldCalculateWithZeros) {
  // A saturation file cut short, and an air-layer file without a row.
  QTemporaryDir dir;
  const auto write = [&](const char* name, const QByteArray& bytes) {
    QFile f(dir.filePath(QString::fromLatin1(name)));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return f.fileName();
  };
  SaturationTable saturation;
  AirLayerTable air;
  EXPECT_THROW(LoadSaturationTable(saturation, write("para.txt", "; tablica\r4464\r4436\r")), DataError);
  EXPECT_THROW(LoadAirLayerTable(air, write("opory.txt", "; opory\r\n0.005\r\n0.11\r\n")), DataError);
  QByteArray full;
  for (int i = 0; i < kSaturationCount; ++i) full += "100\r\n";
  EXPECT_NO_THROW(LoadSaturationTable(saturation, write("pelna.txt", full)));
  EXPECT_DOUBLE_EQ(saturation.lowestTemperature(), -40.0);
  // A file written before the table went below -20.9 degC still serves its range.
  full.truncate(kSaturationMinimumCount * 5);
  EXPECT_NO_THROW(LoadSaturationTable(saturation, write("dawna.txt", full)));
  EXPECT_DOUBLE_EQ(saturation.lowestTemperature(), -20.9);
  full.chop(5);
  EXPECT_THROW(LoadSaturationTable(saturation, write("krotka.txt", full)), DataError);
}

TEST(ReadAirLayerTable, ReadsBracketsWhateverTheClosingCharacter) {
  const LocaleOverride locale("pl_PL");
  TextReader reader("; c\n[0,01)\n0.15\n0.16 up\n0.17\nignored\n[0.02]\n\n0.2\n0.3\n0.4\n");
  AirLayerTable table;
  ReadAirLayerTable(reader, table);
  ASSERT_EQ(table.rowCount, 2);
  EXPECT_EQ(table.rows[0].thickness, 0.01);
  EXPECT_EQ(table.rows[0].horizontal, 0.16);
  EXPECT_EQ(table.rows[1].thickness, 0.02);
  EXPECT_EQ(table.rows[1].up, 0.2);
  EXPECT_EQ(table.rows[1].down, 0.4);
}

TEST(ReadAirLayerTable, RefusesTenRowsAndBadNumbers) {
  QByteArray tooLong;
  for (int i = 0; i <= kAirLayerRowCount; ++i) tooLong += "[0.1]\n0.1\n0.1\n0.1\n";
  AirLayerTable table;
  TextReader longReader(tooLong);
  EXPECT_THROW(ReadAirLayerTable(longReader, table), DataError);
  TextReader badThickness("[abc]\n0.1\n0.1\n0.1\n");
  EXPECT_THROW(ReadAirLayerTable(badThickness, table), ConversionError);
  TextReader badResistance("[0.1]\n0.1\nx\n0.1\n");
  EXPECT_THROW(ReadAirLayerTable(badResistance, table), IoError);
}

struct AirCase {
  const char* name;
  int direction;
  double thickness;
  double expected;
};

class AirLayerLookupTest : public testing::TestWithParam<AirCase> {};

TEST_P(AirLayerLookupTest, Resistance) {
  EXPECT_NEAR(AirLayerResistance(StandardAirTable(), GetParam().direction, GetParam().thickness),
              GetParam().expected, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AirLayerLookupTest,
    testing::Values(AirCase{"ExactUp", 0, 0.025, 0.16}, AirCase{"ExactHorizontal", 1, 0.025, 0.18},
                    AirCase{"ExactDown", 2, 0.025, 0.19},
                    AirCase{"OtherDirectionIsHorizontal", 5, 0.015, 0.17}, AirCase{"Halfway", 1, 0.02, 0.175},
                    AirCase{"QuarterWay", 2, 0.05 + 0.25 * 0.05, 0.2125},
                    AirCase{"BelowFirstRow", 2, -0.01, 0.0}, AirCase{"AboveLastRow", 2, 0.5, 0.23}),
    [](const testing::TestParamInfo<AirCase>& info) { return std::string(info.param.name); });

TEST(AirLayerResistance, OutsideAShortTableUsesItsEndRows) {
  AirLayerTable table;
  table.rows[0] = {0.01, 0.15, 0.15, 0.15};
  table.rows[1] = {0.02, 0.17, 0.17, 0.17};
  table.rows[2] = {0.03, 9, 9, 9};  // beyond rowCount: never read
  EXPECT_EQ(AirLayerResistance(table, 1, 0.01), 0.0);
  table.rowCount = 2;
  EXPECT_EQ(AirLayerResistance(table, 1, 0.005), 0.15);
  EXPECT_EQ(AirLayerResistance(table, 1, 0.05), 0.17);
}

double SaturationFormula(double t) {
  return t >= 0 ? 610.5 * std::exp(17.269 * t / (237.3 + t)) : 610.5 * std::exp(21.875 * t / (265.5 + t));
}

TEST(ShippedData, SaturationFileMatchesTheFormulasAtEveryEntry) {
  SaturationTable table;
  LoadSaturationTable(table, QStringLiteral(VELTOR_DATA_DIR "/Dane/para.txt"));
  for (int tenths = kSaturationLowestIndex; tenths <= kSaturationHighestIndex; ++tenths) {
    EXPECT_EQ(table.atTenths(tenths), std::lround(SaturationFormula(tenths / 10.0))) << "at " << tenths;
  }
  EXPECT_EQ(SaturationPressure(table, 0.0), 611);   // the exact half, rounded up
  EXPECT_EQ(SaturationPressure(table, -5.0), 401);  // over ice, not over water
}

TEST(ShippedData, AirLayerFileHoldsTheStandardRowsUnderAnyLocale) {
  for (const char* localeName : {"pl_PL", "en_US"}) {
    const LocaleOverride locale(localeName);
    AirLayerTable table;
    LoadAirLayerTable(table, QStringLiteral(VELTOR_DATA_DIR "/Dane/opory powietrza.txt"));
    ASSERT_EQ(table.rowCount, kAirLayerRowCount) << localeName;
    for (int i = 0; i < kAirLayerRowCount; ++i) {
      EXPECT_EQ(table.rows[i].thickness, kStandardRows[i].thickness) << i;
      EXPECT_EQ(table.rows[i].up, kStandardRows[i].up) << i;
      EXPECT_EQ(table.rows[i].horizontal, kStandardRows[i].horizontal) << i;
      EXPECT_EQ(table.rows[i].down, kStandardRows[i].down) << i;
    }
  }
}

}  // namespace
