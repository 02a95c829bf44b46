// The EN ISO 13788 moisture assessment against figures worked out by hand, and
// the climate-file reader's refusals.
//
// Hand figures: the same formulas evaluated step by step for the one plane that
// condenses (its temperature from the resistances, psat there, the two flows
// δ0·Δp/Δsd, their difference times the month's seconds, Ma summed from the
// start month with drying clamped at zero); the January line of the drying
// wall is written out below. Tolerance 1e-6 kg/m² (and 1e-5 for factors):
// the hand figures carry seven significant digits.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include "calc/errors.h"
#include "calc/moisture.h"
#include "calc/textfile.h"

using namespace veltor;

namespace {

// A climate for the tests, not a station: te and φe, January first.
constexpr MonthlyClimate kClimate{{-4, -3, 1, 7, 12, 16, 18, 17, 13, 8, 3, -1},
                                  {88, 85, 80, 75, 72, 74, 75, 77, 82, 86, 89, 90}};

struct LayerData {
  double thickness;
  double lambda;
  double coefficient;  // 10^-6 g/(m h Pa), μ = 720 / coefficient
};

LayerTable Wall(std::initializer_list<LayerData> layers) {
  LayerTable table;
  for (const LayerData& layerData : layers) {
    LayerRecord layer;
    layer.name = "Warstwa";
    layer.thickness = layerData.thickness;
    layer.lambdaMedium = layer.lambdaHumid = layerData.lambda;
    layer.vapourCoefficient = layerData.coefficient;
    table.AppendLayer(layer);
  }
  return table;
}

MoistureInput Input(double phiI) {
  MoistureInput input;
  input.climate = kClimate;
  input.indoor.phiI = phiI;
  return input;
}

// Brick 25 cm, EPS 12 cm, render 5 mm: R of the layers 3.331818 m²K/W.
LayerTable InsulatedWall() {
  return Wall({{0.25, 0.77, 72}, {0.12, 0.04, 12}, {0.005, 0.7, 48}});
}

TEST(MoistureSurface, TemperatureFactorAgainstTheDecisiveMonth) {
  MoistureInput input = Input(50);
  input.indoor.mode = IndoorHumidity::HumidityClass;
  input.indoor.humidityClass = 3;
  const MoistureResult result = AssessMoisture(InsulatedWall(), input, AirLayerTable{});
  // fRsi = 1 - 0.25 / (0.25 + 3.331818 + 0.04) = 0.930974.
  EXPECT_NEAR(result.fRsi, 0.930974, 1e-5);
  EXPECT_NEAR(result.months[0].thetaSi, 18.3434, 1e-4);  // -4 + 0.930974 * 24
  // December: pe = 0.90 * 562.04 = 505.84 Pa, pi = pe + 1.10 * 810 = 1396.84 Pa,
  // psat(θsi,min) = pi / 0.8 = 1746.05 Pa -> θsi,min = 15.3755 °C,
  // fRsi,min = (15.3755 + 1) / 21 = 0.77978, the highest of the year.
  EXPECT_EQ(result.decisiveMonth, 11);
  EXPECT_NEAR(result.fRsiMinDecisive, 0.77978, 1e-5);
  EXPECT_NEAR(*result.months[0].fRsiMin, 0.74863, 1e-5);
  EXPECT_TRUE(result.meetsCriticalFactor);
  EXPECT_TRUE(result.meetsSimplifiedThreshold);
}

struct YearCase {
  const char* name;
  LayerTable (*wall)();
  double phiI;
  InterstitialVerdict verdict;
  int startMonth;
  int planes;
  double depth;  // of the plane
  double januaryGc;
  double maxMa;
  int maxMaMonth;
  double leftOver;  // Ma at the end of the month before the start
};

class MoistureYearTest : public testing::TestWithParam<YearCase> {};

TEST_P(MoistureYearTest, VerdictPlaneAndAccumulatedMoisture) {
  const YearCase& c = GetParam();
  const MoistureResult result = AssessMoisture(c.wall(), Input(c.phiI), AirLayerTable{});
  EXPECT_EQ(result.verdict, c.verdict);
  EXPECT_EQ(result.startMonth, c.startMonth);
  ASSERT_EQ(static_cast<int>(result.planes.size()), c.planes);
  EXPECT_NEAR(result.maxMa, c.maxMa, 1e-6);
  EXPECT_EQ(result.maxMaMonth, c.maxMaMonth);
  if (c.planes == 0) return;
  EXPECT_NEAR(result.planes[0].depth, c.depth, 1e-12);
  EXPECT_NEAR(result.planes[0].gc[0], c.januaryGc, 1e-6);
  EXPECT_NEAR(result.months[0].gc, c.januaryGc, 1e-6);
  EXPECT_NEAR(result.planes[0].ma[(c.startMonth + 11) % 12], c.leftOver, 1e-6);
}

// Board (μ 10) 12.5 mm, wool 10 mm, OSB (μ 200) 12 mm; φi 50 %. January by hand:
// RT = 0.13 + 0.05 + 0.243902 + 0.092308 + 0.04 = 0.556210, plane behind the wool
// at 20 - 0.423902 / 0.556210 * 24 = 1.70897 °C, psat 690.734 Pa; pi 1168.476,
// pe 0.88 * 436.89 = 384.459; sd 0.135 m inside, 2.4 m outside:
// gc = 2e-10 * ((1168.476 - 690.734) / 0.135 - (690.734 - 384.459) / 2.4) * 31 * 86400
//    = 1.827316 kg/m².
LayerTable DryingWall() {
  return Wall({{0.0125, 0.25, 72}, {0.01, 0.041, 720}, {0.012, 0.13, 3.6}});
}
// Inner board μ 400, wool, a sheet of μ 10^6 outside; φi 65 %.
LayerTable SealedWall() {
  return Wall({{0.0125, 0.25, 1.8}, {0.01, 0.041, 720}, {0.001, 50, 0.00072}});
}

INSTANTIATE_TEST_SUITE_P(
    Walls, MoistureYearTest,
    testing::Values(YearCase{"StaysDry", InsulatedWall, 50, InterstitialVerdict::NoCondensation, -1, 0, 0, 0,
                             0, -1, 0},
                    YearCase{"CondensesAndDriesOut", DryingWall, 50, InterstitialVerdict::DriesOut, 10, 1,
                             0.0225, 1.827316, 6.202789, 2, 0},
                    YearCase{"Accumulates", SealedWall, 65, InterstitialVerdict::Accumulates, 9, 1, 0.0225,
                             0.106728, 0.535590, 4, 0.386997}),
    [](const testing::TestParamInfo<YearCase>& info) { return std::string(info.param.name); });

struct BadWallCase {
  const char* name;
  LayerTable (*wall)();
  const char* message;  // a part of the Polish message
};

class MoistureBadWallTest : public testing::TestWithParam<BadWallCase> {};

TEST_P(MoistureBadWallTest, RefusedWithAMessageNotNaN) {
  try {
    AssessMoisture(GetParam().wall(), Input(50), AirLayerTable{});
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().contains(QString::fromUtf8(GetParam().message))) << e.message().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Walls, MoistureBadWallTest,
    testing::Values(BadWallCase{"ZeroThickness",
                                [] {
                                  return Wall({{0.25, 0.77, 72}, {0, 0.04, 12}});
                                },
                                "Warstwa 2 („Warstwa”) ma grubość 0 m"},
                    BadWallCase{"NoVapourResistance",
                                [] {
                                  return Wall({{0.25, 0.77, 0}, {0.1, 0.04, -INFINITY}});
                                },
                                "Przegroda nie ma oporu dyfuzyjnego"},
                    // Open board outside a wool layer whose cold face is below the dew point of the room.
                    BadWallCase{"VapourOpenToTheRoom",
                                [] {
                                  return Wall({{0.1, 0.04, 0}, {0.01, 0.2, 0.72}});
                                },
                                "dzielą tylko warstwy bez oporu dyfuzyjnego"},
                    BadWallCase{"NoLayers", [] { return LayerTable(); }, "Nie zdefiniowano warstw"}),
    [](const testing::TestParamInfo<BadWallCase>& info) { return std::string(info.param.name); });

struct ClimateFileCase {
  const char* name;
  const char* content;  // Windows-1250 bytes
  const char* message;
};

class ClimateFileTest : public testing::TestWithParam<ClimateFileCase> {};

QByteArray Months(int count, const char* line = "-1.5 86\n") {
  QByteArray text;
  for (int i = 0; i < count; ++i) text += line;
  return text;
}

TEST(ClimateFile, ReadsStationsWithCommentsAndBlankLines) {
  TextReader reader("; source\n[Gda\xf1sk]\n" + Months(11) + "\n18.25 79 ; lipiec\n[B]\n" + Months(12));
  const std::vector<ClimateStation> stations = ReadClimateFile(reader);
  ASSERT_EQ(stations.size(), 2u);
  EXPECT_EQ(stations[0].name, QStringLiteral("Gdańsk"));
  EXPECT_EQ(stations[0].climate.te[0], -1.5);
  EXPECT_EQ(stations[0].climate.te[11], 18.25);
  EXPECT_EQ(stations[0].climate.phiE[11], 79);
  TextReader commentsOnly("; no station yet\n");
  EXPECT_TRUE(ReadClimateFile(commentsOnly).empty());
  // CR alone ends a line: a leading comment does not swallow the stations.
  TextReader crOnly("; source\r[A]\r" + Months(12, "-1.5 86\r"));
  EXPECT_EQ(ReadClimateFile(crOnly).size(), 1u);
  EXPECT_THROW(LoadClimateFile(QStringLiteral("/nonexistent/klimat.txt")), IoError);
  EXPECT_NO_THROW(LoadClimateFile(QStringLiteral(VELTOR_DATA_DIR "/Dane/klimat.txt")));  // the shipped file
}

TEST_P(ClimateFileTest, RefusesNamingTheLine) {
  TextReader reader(GetParam().content);
  try {
    ReadClimateFile(reader);
    FAIL() << "no error";
  } catch (const DataError& e) {
    EXPECT_EQ(e.message(), QString::fromUtf8(GetParam().message));
  }
}

const QByteArray kShortStation = "[A]\n" + Months(11) + "[B]\n" + Months(12);
const QByteArray kShortAtEnd = "[A]\n" + Months(12) + "[B]\n" + Months(3);
const QByteArray kLongStation = "[A]\n" + Months(13);
const QByteArray kText = "[A]\n" + Months(4) + "-1,5 86\n" + Months(7);
const QByteArray kHot = "[A]\n" + Months(2) + "55 86\n" + Months(9);
const QByteArray kWet = "[A]\n" + Months(2) + "1 101\n" + Months(9);
const QByteArray kOneNumber = "[A]\n-1.5\n" + Months(11);
const QByteArray kLongName = "[A]\n" + Months(12) + "[" + QByteArray(61, 'W') + "]\n" + Months(12);

INSTANTIATE_TEST_SUITE_P(
    Failures, ClimateFileTest,
    testing::Values(
        ClimateFileCase{"MissingMonth", kShortStation.constData(),
                        "Plik danych klimatycznych, wiersz 13: stacja „A” ma tylko 11 z 12 miesięcy"},
        ClimateFileCase{"MissingMonthAtTheEnd", kShortAtEnd.constData(),
                        "Plik danych klimatycznych, wiersz 17: stacja „B” ma tylko 3 z 12 miesięcy"},
        ClimateFileCase{"ThirteenMonths", kLongStation.constData(),
                        "Plik danych klimatycznych, wiersz 14: stacja „A” ma więcej niż 12 miesięcy"},
        ClimateFileCase{"TextForANumber", kText.constData(),
                        "Plik danych klimatycznych, wiersz 6: „-1,5” nie jest liczbą"},
        ClimateFileCase{
            "TemperatureOutOfRange", kHot.constData(),
            "Plik danych klimatycznych, wiersz 4: temperatura 55 °C poza zakresem od -50 do 50 °C"},
        ClimateFileCase{
            "HumidityOutOfRange", kWet.constData(),
            "Plik danych klimatycznych, wiersz 4: wilgotność względna 101% poza zakresem od 1 do 100%"},
        ClimateFileCase{"OneNumber", kOneNumber.constData(),
                        "Plik danych klimatycznych, wiersz 2: oczekiwano dwóch liczb: temperatury [°C] i "
                        "wilgotności względnej [%]"},
        ClimateFileCase{"DataBeforeAStation", "1 80\n[A]\n",
                        "Plik danych klimatycznych, wiersz 1: dane przed nazwą pierwszej stacji"},
        ClimateFileCase{"NameLongerThanASavedOne", kLongName.constData(),
                        "Plik danych klimatycznych, wiersz 14: nazwa stacji może mieć najwyżej 60 znaków"}),
    [](const testing::TestParamInfo<ClimateFileCase>& info) { return std::string(info.param.name); });

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Stations the user saves are added to a file they may also edit by hand:
// what is there stays byte for byte, and what is added reads back as saved.
TEST(ClimateFile, AppendedStationsReadBackAndKeepTheFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("nowy/klimat.txt"));  // folder made on the way
  ClimateStation first{QStringLiteral("Łódź-Lublinek"), kClimate};
  first.climate.te[0] = -0.25;
  first.climate.phiE[6] = 71.123456;
  AppendClimateStation(path, first, QStringLiteral("wpisane ręcznie\nz notatek"));
  const QByteArray handEdited = FileBytes(path) + "; dopisek bez końca wiersza";
  QFile out(path);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(handEdited);
  out.close();
  AppendClimateStation(path, {QStringLiteral("B"), kClimate}, {});
  const QByteArray bytes = FileBytes(path);
  EXPECT_TRUE(bytes.startsWith(handEdited + "\r\n[B]\r\n")) << bytes.constData();
  EXPECT_TRUE(
      bytes.contains("; wpisane r\xea"
                     "cznie z notatek\r\n-0.25 88\r\n"));
  const std::vector<ClimateStation> stations = LoadClimateFile(path);
  ASSERT_EQ(stations.size(), 2u);
  EXPECT_EQ(stations[0].name, first.name);
  EXPECT_EQ(stations[0].climate.te, first.climate.te);
  EXPECT_EQ(stations[0].climate.phiE, first.climate.phiE);
  EXPECT_EQ(stations[1].climate.te, kClimate.te);
}

struct AppendRefusalCase {
  const char* name;
  const char* station;  // UTF-8
  const char* message;  // a part of the refusal
  double january = -4;
  const char* damage = "";  // appended to the file before the station is saved
};

// A station added by hand with CR-only line ends after a comment: read as such,
// not as one comment line that would let the same name be saved twice.
const QByteArray kCrOnlyStation = "; dopisana\r[Druga]\r" + Months(12, "-1.5 86\r");
const QByteArray kLongLine = "; " + QByteArray(kMaxDataLineLength, 'x') + "\n";

class AppendRefusalTest : public testing::TestWithParam<AppendRefusalCase> {};

TEST_P(AppendRefusalTest, LeavesTheFileAsItWas) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("klimat.txt"));
  const QByteArray before =
      "; r\xea"
      "cznie\n[Istniej\xb9"
      "ca]\n" +
      Months(12);
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(before + GetParam().damage);
  }
  const QByteArray content = FileBytes(path);
  ClimateStation station{QString::fromUtf8(GetParam().station), kClimate};
  station.climate.te[0] = GetParam().january;
  try {
    AppendClimateStation(path, station, QStringLiteral("test"));
    FAIL() << "no error";
  } catch (const DataError& e) {
    EXPECT_TRUE(e.message().contains(QString::fromUtf8(GetParam().message))) << e.message().toStdString();
  }
  EXPECT_EQ(FileBytes(path), content);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, AppendRefusalTest,
    testing::Values(AppendRefusalCase{"SameNameOtherCase", " ISTNIEJĄCA ", "Stacja „ISTNIEJĄCA” już jest"},
                    AppendRefusalCase{"BrokenFile", "Nowa",
                                      "Plik danych klimatycznych, wiersz 15: stacja „Istniejąca” ma więcej",
                                      -4, "x 80\n"},
                    AppendRefusalCase{"SameNameInACrOnlyPart", "Istniejąca", "Stacja „Istniejąca” już jest",
                                      -4, kCrOnlyStation.constData()},
                    AppendRefusalCase{"LongLine", "Nowa",
                                      "klimat.txt, wiersz 15: wiersz dłuższy niż 65536 znaków", -4,
                                      kLongLine.constData()},
                    AppendRefusalCase{"Empty", "  ", "Wpisz nazwę stacji"},
                    AppendRefusalCase{"Bracket", "Hel]", "Nazwa stacji nie może zawierać"},
                    AppendRefusalCase{"Semicolon", "Hel; port", "Nazwa stacji nie może zawierać"},
                    AppendRefusalCase{"OutsideTheCodePage", "Ζάκυνθος", "Nazwa stacji zawiera znak"},
                    AppendRefusalCase{"TooLong",
                                      "Sześćdziesiąt jeden znaków to o jeden za dużo na nazwę stacji",
                                      "Nazwa stacji może mieć najwyżej 60"},
                    AppendRefusalCase{"MonthOutOfRange", "Nowa", "Styczeń: temperatura 60 °C", 60}),
    [](const testing::TestParamInfo<AppendRefusalCase>& info) { return std::string(info.param.name); });

}  // namespace
