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
#include <random>

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

LayerTable Wall(const std::vector<LayerData>& layers) {
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
  // December: pe = 0.90 * 567.475 = 510.728 Pa (over water), pi = pe + 1.10 * 810
  // = 1401.728 Pa, psat(θsi,min) = pi / 0.8 = 1752.160 Pa -> θsi,min = 15.42995 °C,
  // fRsi,min = (15.42995 + 1) / 21 = 0.78238, the highest of the year.
  EXPECT_EQ(result.decisiveMonth, 11);
  EXPECT_NEAR(result.fRsiMinDecisive, 0.78238, 1e-5);
  EXPECT_NEAR(*result.months[0].fRsiMin, 0.75619, 1e-5);
  EXPECT_TRUE(result.meetsCriticalFactor);
  EXPECT_TRUE(result.meetsSimplifiedThreshold);

  // No factor where it means nothing: a June at 19.5 °C has its limit below the
  // outdoor air (a negative factor before), and saturated room air fails the surface.
  input.climate.te[5] = 19.5;
  input.indoor = {20, IndoorHumidity::Fixed, 100};
  const MoistureResult june = AssessMoisture(InsulatedWall(), input, AirLayerTable{});
  EXPECT_FALSE(june.months[5].fRsiMin || june.months[0].fRsiMin || june.meetsCriticalFactor);
  EXPECT_EQ(june.saturatedMonth, 0);
  input.indoor.phiI = 50;
  EXPECT_FALSE(AssessMoisture(InsulatedWall(), input, AirLayerTable{}).months[5].fRsiMin.has_value());
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
// pe 0.88 * 454.045 = 399.559 (over water); sd 0.135 m inside, 2.4 m outside:
// gc = 2e-10 * ((1168.476 - 690.734) / 0.135 - (690.734 - 399.559) / 2.4) * 31 * 86400
//    = 1.830687 kg/m².
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
                             0.0225, 1.830687, 6.209639, 2, 0},
                    YearCase{"Accumulates", SealedWall, 65, InterstitialVerdict::Accumulates, 9, 1, 0.0225,
                             0.106736, 0.535606, 4, 0.387013}),
    [](const testing::TestParamInfo<YearCase>& info) { return std::string(info.param.name); });

// Walls whose verdict depends on how the method is applied, not on its
// arithmetic. Reference figures from running each year month by month for
// years until it repeats, with the month split where a wet plane runs dry;
// tolerance 0.5 %.
struct PeriodicCase {
  const char* name;
  std::vector<LayerData> layers;
  MonthlyClimate climate;
  IndoorConditions indoor;
  InterstitialVerdict verdict;
  double maxMa;
  int maxMaMonth;
};

class MoisturePeriodicYearTest : public testing::TestWithParam<PeriodicCase> {};

TEST_P(MoisturePeriodicYearTest, VerdictOnTheRepeatingYear) {
  const PeriodicCase& c = GetParam();
  const MoistureResult result = AssessMoisture(Wall(c.layers), {c.climate, c.indoor}, AirLayerTable{});
  EXPECT_EQ(result.verdict, c.verdict);
  EXPECT_NEAR(result.maxMa, c.maxMa, 0.005 * c.maxMa);
  EXPECT_EQ(result.maxMaMonth, c.maxMaMonth);
}

IndoorConditions HumidityClass(int n) {
  IndoorConditions indoor;
  indoor.mode = IndoorHumidity::HumidityClass;
  indoor.humidityClass = n;
  return indoor;
}

INSTANTIATE_TEST_SUITE_P(
    Walls, MoisturePeriodicYearTest,
    testing::Values(
        // Two condensation seasons, a mild February between them: the year must
        // start in November, after the dry summer, not in March.
        PeriodicCase{
            "TwoSeasons",
            {{0.01, 0.57, 72}, {0.1, 0.035, 720}, {0.03, 0.022, 0.24}, {0.12, 1.05, 14.4}},
            {{-4, 9, -3, 6, 12, 16, 18, 17, 13, 8, 0, -3}, {90, 70, 88, 75, 70, 72, 73, 75, 81, 85, 89, 90}},
            HumidityClass(3),
            InterstitialVerdict::DriesOut,
            4.77,
            3},
        // A wet plane on the foil feeds its neighbours only while it holds water.
        PeriodicCase{
            "WetPlaneRunsDry",
            {{0.0125, 0.25, 72}, {0.0002, 0.33, 0.0072}, {0.2, 0.035, 720}, {0.04, 0.042, 144}},
            {{-2, 0, 5, 11, 17, 22, 26, 25, 20, 12, 5, 0}, {88, 85, 78, 72, 75, 85, 88, 88, 85, 82, 86, 88}},
            IndoorConditions{},
            InterstitialVerdict::DriesOut,
            1.31,
            7},
        // A steel sheet typed with a coefficient of 0 outside the wool is vapour-tight:
        // from October, the first month after the dry summer, the face behind the
        // wool takes 2e-10 · (pi − psat) / 0.225 m each month and gives nothing
        // outside; 7.236208 kg/m² by April, 0.384 kg/m² still there in September.
        PeriodicCase{"TightSheetOutside",
                     {{0.0125, 0.25, 72}, {0.1, 0.04, 720}, {0.001, 50, 0}},
                     kClimate,
                     IndoorConditions{},
                     InterstitialVerdict::Accumulates,
                     7.236208,
                     3}),
    [](const testing::TestParamInfo<PeriodicCase>& info) { return std::string(info.param.name); });

TEST(MoistureSublayers, CountedWithARoundingTolerance) {
  EXPECT_EQ(SublayerCount(0.07 / 0.040), 7);  // 70 mm of EPS: 1.7500000000000002
  EXPECT_EQ(SublayerCount(1e9), kMaxSublayers);
}

// Water is conserved: over generated walls and climates, in every month of
// the year shown the change of the water held is the vapour that came in
// from the room less what left to the outside.
TEST(MoistureBalance, WaterHeldChangesByWhatCrossesTheSurfaces) {
  std::mt19937 random(20261207);
  const auto uniform = [&](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  const double coefficients[] = {0.0036, 0.024, 0.24, 3.6, 14.4, 72, 144, 720, 0, -INFINITY};
  int assessed = 0;
  int condensing = 0;
  for (int n = 0; n < 400 && assessed < 250; ++n) {
    SCOPED_TRACE(n);
    std::vector<LayerData> layers(1 + random() % 6);
    for (LayerData& layer : layers)
      layer = {uniform(0.001, 0.25), uniform(0.02, 2.0), coefficients[random() % std::size(coefficients)]};
    MoistureInput input;
    input.indoor = random() % 2 ? HumidityClass(1 + static_cast<int>(random() % 5)) : IndoorConditions{};
    input.indoor.phiI = uniform(30, 75);
    const double winter = uniform(-15, 3);
    const double summer = uniform(12, 26);
    for (int m = 0; m < kMonthCount; ++m) {
      input.climate.te[m] =
          winter + (summer - winter) * (1 - std::cos(2 * M_PI * m / 12)) / 2 + uniform(-3, 3);
      input.climate.phiE[m] = uniform(60, 98);
    }
    MoistureResult result;
    try {
      result = AssessMoisture(Wall(layers), input, AirLayerTable{});
    } catch (const Error&) {
      continue;  // a wall the method cannot assess (no resistance, open to the air)
    }
    ++assessed;
    if (result.verdict == InterstitialVerdict::NoCondensation) continue;
    ++condensing;
    double held = 0;  // the year shown starts from a dry partition
    for (int step = 0; step < kMonthCount; ++step) {
      const MonthResult& month = result.months[(result.startMonth + step) % kMonthCount];
      ASSERT_NEAR(month.ma - held, month.vapourIn - month.vapourOut, 1e-9) << "month " << step;
      ASSERT_NEAR(month.gc, month.ma - held, 1e-9);
      ASSERT_GE(month.ma, 0);
      held = month.ma;
    }
  }
  EXPECT_GE(assessed, 200);
  EXPECT_GE(condensing, 60);
}

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
                                  return Wall({{0.25, 0.77, -INFINITY}, {0.1, 0.04, -INFINITY}});
                                },
                                "Przegroda nie ma oporu dyfuzyjnego"},
                    // Open board outside a wool layer whose cold face is below the dew point of the room.
                    BadWallCase{"VapourOpenToTheRoom",
                                [] {
                                  return Wall({{0.1, 0.04, -INFINITY}, {0.01, 0.2, 0.72}});
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
  // The shipped file: its stations (the window lists their names) and where they come from.
  const QString shippedPath = QStringLiteral(VELTOR_DATA_DIR "/Dane/klimat.txt");
  EXPECT_EQ(LoadClimateFile(shippedPath).at(9).climate.phiE[11], 83.3);  // Zakopane, December
  QFile file(shippedPath);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(
      FromCp1250(file.readAll())
          .contains(QStringLiteral("Źródło danych: Instytut Meteorologii i Gospodarki Wodnej – Państwowy "
                                   "Instytut Badawczy (IMGW-PIB). Dane przetworzone (średnie miesięczne z "
                                   "lat 1981–2010).")));
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
const QByteArray kNameTwice = "[A]\n" + Months(12) + "[a]\n" + Months(12);
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
            "Plik danych klimatycznych, wiersz 4: temperatura 55 °C poza zakresem od \u221250 do 50 °C"},
        ClimateFileCase{
            "HumidityOutOfRange", kWet.constData(),
            "Plik danych klimatycznych, wiersz 4: wilgotność względna 101% poza zakresem od 1 do 100%"},
        ClimateFileCase{"OneNumber", kOneNumber.constData(),
                        "Plik danych klimatycznych, wiersz 2: oczekiwano dwóch liczb: temperatury [°C] i "
                        "wilgotności względnej [%]"},
        ClimateFileCase{"DataBeforeAStation", "1 80\n[A]\n",
                        "Plik danych klimatycznych, wiersz 1: dane przed nazwą pierwszej stacji"},
        ClimateFileCase{"NameTwice", kNameTwice.constData(),
                        "Plik danych klimatycznych, wiersz 14: stacja „a” występuje w pliku drugi raz"},
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
