// Batch mode end to end through its command line: the figures it prints for a
// project and for a JSON description, and every refusal with its message and
// exit status. The data files are the shipped ones.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <functional>

#include "batch/batch.h"
#include "project/projectfile.h"

namespace {

class BatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir::setCurrent(QStringLiteral(VELTOR_DATA_DIR));
    ASSERT_TRUE(scratch_.isValid());
  }

  QString write(const QString& name, const QByteArray& bytes) {
    const QString path = scratch_.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }

  int run(const QStringList& args) {
    out_.clear();
    err_.clear();
    return batch::RunBatchCommand(QStringList{QStringLiteral("veltorobl")} + args, out_, err_);
  }

  QJsonObject calc(const QByteArray& json) {
    EXPECT_EQ(run({QStringLiteral("--calc"), write(QStringLiteral("in.json"), json)}), batch::kExitOk)
        << err_.data();
    return QJsonDocument::fromJson(out_).object();
  }

  QTemporaryDir scratch_;
  QByteArray out_;
  QByteArray err_;
};

// The sample project: the figures the layer window shows for it.
TEST_F(BatchTest, SampleProjectGivesTheWindowsFigures) {
  ASSERT_EQ(run({QStringLiteral("--oblicz"),
                 QDir::current().absoluteFilePath(QStringLiteral("Projekty/Przykład.Veltor"))}),
            batch::kExitOk)
      << err_.data();
  const QJsonObject r = QJsonDocument::fromJson(out_).object();
  EXPECT_NEAR(r[QStringLiteral("U")].toDouble(), 0.19928812877017238, 1e-15);
  EXPECT_EQ(r[QStringLiteral("Uc")].toDouble(), r[QStringLiteral("U")].toDouble());
  EXPECT_TRUE(r[QStringLiteral("meets")].toBool());
  EXPECT_EQ(r[QStringLiteral("layers")].toArray().size(), 4);
  const QJsonObject dynamic = r[QStringLiteral("dynamic")].toObject();
  EXPECT_GT(dynamic[QStringLiteral("f")].toDouble(), 0);
  EXPECT_LT(dynamic[QStringLiteral("f")].toDouble(), 1);
  EXPECT_NEAR(dynamic[QStringLiteral("f")].toDouble() * r[QStringLiteral("U")].toDouble(),
              dynamic[QStringLiteral("Y12")].toDouble(), 1e-12);
}

// A wall by hand: cement-lime plaster from the catalogue (λ 0.82), 20 cm of an
// explicit masonry λ 0.4 with sd, a 4 cm air layer (R 0.18 from the table,
// horizontal flow) and mineral wool μ 1; Rsi 0.13, Rse 0.04.
TEST_F(BatchTest, JsonWallByHand) {
  const QJsonObject r = calc(R"({
    "conditions": {"ti": 20, "te": -20, "phi_i": 50, "umax": 0.3, "direction": "horizontal"},
    "description": {"name": "Ściana próbna"},
    "layers": [
      {"material": "Tynk cementowo-wapienny", "d": 0.015},
      {"name": "Mur", "d": 0.2, "lambda": 0.4, "sd": 2.0, "density": 1200, "heat_capacity": 1000},
      {"air": true, "d": 0.04},
      {"name": "Wełna", "d": 0.1, "lambda": 0.04, "mu": 1}
    ],
    "climate": {"months": [[-2,85],[-1,83],[3,78],[8,72],[13,70],[17,72],[19,73],[18,75],[14,80],[9,84],[4,87],[0,87]],
                "indoor": {"class": 3}}
  })");
  const double expectedR = 0.13 + 0.015 / 0.82 + 0.2 / 0.4 + 0.18 + 0.1 / 0.04 + 0.04;
  EXPECT_NEAR(r[QStringLiteral("R")].toDouble(), expectedR, 1e-12);
  EXPECT_NEAR(r[QStringLiteral("U")].toDouble(), 1 / expectedR, 1e-12);
  EXPECT_TRUE(r[QStringLiteral("meets")].toBool());  // U 0.297 against 0.3
  EXPECT_NEAR(r[QStringLiteral("thickness")].toDouble(), 0.355, 1e-12);
  const QJsonArray layers = r[QStringLiteral("layers")].toArray();
  EXPECT_TRUE(layers[2].toObject()[QStringLiteral("lambda")].isNull());
  EXPECT_NEAR(layers[1].toObject()[QStringLiteral("sd")].toDouble(), 2.0, 1e-12);
  EXPECT_NEAR(layers[3].toObject()[QStringLiteral("theta_out")].toDouble(), -20 + 40 * 0.04 / expectedR,
              1e-9);
  const QJsonObject m = r[QStringLiteral("moisture")].toObject();
  EXPECT_EQ(m[QStringLiteral("months")].toArray().size(), 12);
  EXPECT_TRUE(
      QStringList({"none", "dries", "accumulates"}).contains(m[QStringLiteral("verdict")].toString()));
  EXPECT_EQ(r[QStringLiteral("name")].toString(), QStringLiteral("Ściana próbna"));
  // The wool has no density: no summer figures, and no refusal of the rest.
  EXPECT_TRUE(r[QStringLiteral("dynamic")].isNull());
}

// A rafter roof (wool between rafters at 10 %) with six anchors of declared
// χp 0.002 W/K per m²: the limits bracket R, and ΔUf = n·χp.
TEST_F(BatchTest, BridgedLayerAndCorrections) {
  const QJsonObject r = calc(R"({
    "conditions": {"direction": "up", "outer_side": "ventilated", "umax": 0.15},
    "layers": [
      {"name": "Płyta g-k", "d": 0.0125, "lambda": 0.25, "mu": 8},
      {"name": "Wełna", "d": 0.2, "lambda": 0.035, "mu": 1, "bridge": {"lambda": 0.13, "fraction": 0.1}}
    ],
    "corrections": {"air_gap_level": 1, "fasteners": {"per_m2": 6, "chi_p": 0.002}}
  })");
  const double upper = r[QStringLiteral("R_upper")].toDouble();
  const double lower = r[QStringLiteral("R_lower")].toDouble();
  EXPECT_GT(upper, lower);
  EXPECT_NEAR(r[QStringLiteral("R")].toDouble(), (upper + lower) / 2, 1e-12);
  EXPECT_NEAR(r[QStringLiteral("dU_f")].toDouble(), 6 * 0.002, 1e-12);
  EXPECT_NEAR(r[QStringLiteral("Uc")].toDouble(),
              r[QStringLiteral("U")].toDouble() + r[QStringLiteral("dU_g")].toDouble() + 6 * 0.002, 1e-12);
}

// An air layer takes no hatch from the description; the chart still has one to fill it with.
// A heated basement (the ground module's hand-calculated row): the floor's
// layers give Rf = 0.04/0.04 = 1, the walls' Rw = 0.08/0.04 = 2; sand, w 0.4,
// z 2.5, A 100, P 40. Every key of `ground` is there, null where the kind has none.
TEST_F(BatchTest, HeatedBasementOnTheGround) {
  const QJsonObject r = calc(R"({
    "conditions": {"umax": 0.3},
    "layers": [{"name": "Styropian", "d": 0.04, "lambda": 0.04, "mu": 60}],
    "ground": {"kind": "heated_basement", "area": 100, "perimeter": 40, "wall_thickness": 0.4,
               "soil": "sand", "depth": 2.5, "compare": "ground",
               "wall_layers": [{"name": "XPS", "d": 0.08, "lambda": 0.04, "mu": 150}]}})");
  const QJsonObject g = r[QStringLiteral("ground")].toObject();
  EXPECT_EQ(g.keys(), (QStringList{"B_prime", "U_bf", "U_bw", "U_compared", "U_construction", "U_ground",
                                   "dt", "psi_ge"}));
  EXPECT_NEAR(g[QStringLiteral("B_prime")].toDouble(), 5, 1e-12);
  EXPECT_NEAR(g[QStringLiteral("dt")].toDouble(), 2.82, 1e-12);
  EXPECT_NEAR(g[QStringLiteral("U_bf")].toDouble(), 0.319734712974386, 1e-12);
  EXPECT_NEAR(g[QStringLiteral("U_bw")].toDouble(), 0.293090846901404, 1e-12);
  EXPECT_NEAR(g[QStringLiteral("U_ground")].toDouble(), 0.306412779937895, 1e-12);
  EXPECT_NEAR(g[QStringLiteral("U_construction")].toDouble(), 1 / 1.17, 1e-12);
  EXPECT_EQ(g[QStringLiteral("U_compared")], g[QStringLiteral("U_ground")]);
  EXPECT_TRUE(g[QStringLiteral("psi_ge")].isNull());
  EXPECT_FALSE(r[QStringLiteral("meets")].toBool());  // 0.306 against 0.3
}

TEST_F(BatchTest, AirLayerIsHatchedInTheChart) {
  const QString json = write(QStringLiteral("air.json"),
                             R"({"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1,"hatch":"tynk"},
                                           {"air":true,"d":0.04}]})");
  EXPECT_EQ(run({QStringLiteral("--wykres-temperatury"), scratch_.filePath(QStringLiteral("t.bmp")), json}),
            batch::kExitOk)
      << err_.data();
}

TEST_F(BatchTest, ArrayInArrayOutInOrder) {
  const QByteArray wall = R"({"layers": [{"name": "A", "d": 0.1, "lambda": 0.05, "mu": 1}]})";
  const QByteArray wall2 = R"({"layers": [{"name": "B", "d": 0.2, "lambda": 0.05, "mu": 1}]})";
  ASSERT_EQ(run({QStringLiteral("--calc"), write(QStringLiteral("a.json"), "[" + wall + "," + wall2 + "]")}),
            batch::kExitOk);
  const QJsonArray results = QJsonDocument::fromJson(out_).array();
  ASSERT_EQ(results.size(), 2);
  EXPECT_NEAR(results[1].toObject()[QStringLiteral("thickness")].toDouble(), 0.2, 1e-15);
  EXPECT_TRUE(results[0].toObject()[QStringLiteral("meets")].isNull());
}

// A building: each partition's results as a wall of its own gives them, with
// its identity; the summary's sums over the partitions with an area, and the
// partition above its Umax named.
TEST_F(BatchTest, BuildingGivesEachPartitionAndTheSummary) {
  const QByteArray a =
      R"("layers": [{"name": "A", "d": 0.1, "lambda": 0.05, "mu": 1}], "conditions": {"umax": 0.5})";
  const QByteArray b =
      R"("layers": [{"name": "B", "d": 0.2, "lambda": 0.05, "mu": 1}], "conditions": {"umax": 0.3})";
  const QJsonObject wallA = calc("{" + a + "}");
  const QJsonObject wallB = calc("{" + b + "}");
  const QJsonObject r = calc(R"({"building": {"name": "Dom"}, "partitions": [)"
                             R"({"symbol": "SZ-1", "kind": "external_wall", "area": 10, )" +
                             a + "}, " + R"({"kind": "roof", "area": 4, "name": "Dach", )" + b + "}, " +
                             R"({"kind": "ground_floor", )" + b + "}]}");
  const QJsonArray parts = r[QStringLiteral("partitions")].toArray();
  ASSERT_EQ(parts.size(), 3);
  EXPECT_EQ(parts[0].toObject()[QStringLiteral("Uc")], wallA[QStringLiteral("Uc")]);
  EXPECT_EQ(parts[1].toObject()[QStringLiteral("Uc")], wallB[QStringLiteral("Uc")]);
  EXPECT_EQ(parts[1].toObject()[QStringLiteral("symbol")].toString(), QStringLiteral("DA-2"));
  EXPECT_EQ(parts[1].toObject()[QStringLiteral("kind")].toString(), QStringLiteral("roof"));
  EXPECT_TRUE(parts[2].toObject()[QStringLiteral("area")].isNull());
  const QJsonObject summary = r[QStringLiteral("summary")].toObject();
  const double ucA = wallA[QStringLiteral("Uc")].toDouble();
  const double ucB = wallB[QStringLiteral("Uc")].toDouble();
  EXPECT_DOUBLE_EQ(summary[QStringLiteral("area")].toDouble(), 14);
  EXPECT_DOUBLE_EQ(summary[QStringLiteral("transmission")].toDouble(), 10 * ucA + 4 * ucB);
  // 0.1 m at λ 0.05 is U ≈ 0.46 ≤ 0.5; 0.2 m is U ≈ 0.24 ≤ 0.3: all meet.
  EXPECT_TRUE(summary[QStringLiteral("meets")].toBool());
}

TEST_F(BatchTest, OutputFileHoldsWhatStandardOutputWould) {
  const QString in =
      write(QStringLiteral("w.json"), R"({"layers": [{"name": "A", "d": 0.1, "lambda": 0.05, "mu": 1}]})");
  const QString outFile = scratch_.filePath(QStringLiteral("wynik.json"));
  ASSERT_EQ(run({QStringLiteral("--calc"), in, QStringLiteral("--output"), outFile}), batch::kExitOk);
  EXPECT_TRUE(out_.isEmpty());
  QFile file(outFile);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(QJsonDocument::fromJson(file.readAll()).object().contains(QStringLiteral("U")));
}

struct OutputName {
  const char* row;
  const char* value;  // of --output
  const char* file;   // where the results land, under the start folder; empty: standard output
};

void PrintTo(const OutputName& o, std::ostream* os) {
  *os << o.row;
}

class BatchOutputName : public BatchTest, public ::testing::WithParamInterface<OutputName> {};

// Names are the user's, relative to the folder the command started in; "-" is
// standard output, and a device is written into, never replaced.
TEST_P(BatchOutputName, LandsWhereTheUserMeant) {
  const OutputName& p = GetParam();
#ifdef _WIN32
  if (QByteArray(p.value).startsWith("/dev/")) GTEST_SKIP() << "no POSIX devices on Windows";
#endif
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  QByteArray err;
  const int status = batch::RunBatchCommand(
      {QStringLiteral("veltorobl"), QStringLiteral("--calc"), QStringLiteral("Przykład.Veltor"),
       QStringLiteral("--output"), QString::fromUtf8(p.value)},
      out, err, QStringLiteral(VELTOR_DATA_DIR "/Projekty"));
  ASSERT_EQ(status, batch::kExitOk) << err.data();
  if (*p.file) {
    EXPECT_TRUE(out.data().isEmpty());
    const QString landed = QString::fromUtf8(p.file).replace(QStringLiteral("@/"), scratch_.path() + '/');
    EXPECT_EQ(QFileInfo(landed).isFile(), !landed.startsWith(QStringLiteral("/dev/")));
    EXPECT_TRUE(QFileInfo::exists(landed));
    if (QFileInfo(landed).isFile()) QFile::remove(landed);
  } else {
    EXPECT_TRUE(QJsonDocument::fromJson(out.data()).object().contains(QStringLiteral("U")));
  }
}

INSTANTIATE_TEST_SUITE_P(Names, BatchOutputName,
                         ::testing::Values(OutputName{"Dash", "-", ""},
                                           OutputName{"StartsWithADash", "-w.json",
                                                      VELTOR_DATA_DIR "/Projekty/-w.json"},
                                           OutputName{"Device", "/dev/null", "/dev/null"}),
                         [](const auto& info) { return std::string(info.param.row); });

// Standard output that cannot take the results is no success.
TEST_F(BatchTest, FailingStandardOutputExitsWithRefusal) {
  QFile full(QStringLiteral("/dev/full"));
  if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) GTEST_SKIP() << "no /dev/full here";
  QByteArray err;
  EXPECT_EQ(batch::RunBatchCommand({QStringLiteral("veltorobl"), QStringLiteral("--calc"),
                                    QStringLiteral("Projekty/Przykład.Veltor")},
                                   full, err, QDir::currentPath()),
            batch::kExitRefused);
  EXPECT_TRUE(err.contains("standardowe wyjście")) << err.data();
}

struct StoredConditions {
  const char* row;
  std::function<void(veltor::DesignConditions&, veltor::LayerTable&)> change;
  const char* refusal;  // empty: the U of the sample as the window opens it
};

void PrintTo(const StoredConditions& c, std::ostream* os) {
  *os << c.row;
}

class BatchStoredProject : public BatchTest, public ::testing::WithParamInterface<StoredConditions> {};

// A project whose stored figures the window would not take as they are: batch
// mode gives the window's U or refuses, naming the field.
TEST_P(BatchStoredProject, GivesTheWindowsUOrRefuses) {
  const StoredConditions& p = GetParam();
  veltor::LoadedProject sample =
      veltor::LoadProjectFile(QDir::current().absoluteFilePath(QStringLiteral("Projekty/Przykład.Veltor")));
  veltor::ProjectContents& c = sample.contents;
  p.change(c.conditions, c.layers);
  const QString path = scratch_.filePath(QStringLiteral("zmieniony.Veltor"));
  veltor::SaveProjectFile(path, [&](QIODevice& file) {
    veltor::WriteProject(file, c.description, c.conditions, c.layers, c.extras);
  });
  const int status = run({QStringLiteral("--calc"), path});
  if (*p.refusal) {
    EXPECT_EQ(status, batch::kExitRefused);
    EXPECT_TRUE(err_.contains(p.refusal)) << err_.data();
    return;
  }
  ASSERT_EQ(status, batch::kExitOk) << err_.data();
  EXPECT_NEAR(QJsonDocument::fromJson(out_).object()[QStringLiteral("U")].toDouble(), 0.19928812877017238,
              1e-15);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BatchStoredProject,
    ::testing::Values(StoredConditions{"NanRsi", [](auto& c, auto&) { c.rsi = NAN; }, ""},
                      StoredConditions{"NegativeRse", [](auto& c, auto&) { c.rse = -1; }, ""},
                      StoredConditions{"OddRsi", [](auto& c, auto&) { c.rsi = 5; }, ""},
                      StoredConditions{"HugeThickness", [](auto&, auto& l) { l.at(1).thickness = 1e300; },
                                       "layers[1].d: grubość"},
                      StoredConditions{"TinyLambda", [](auto&, auto& l) { l.at(0).lambdaMedium = 5e-324; },
                                       "layers[0].lambda"}),
    [](const auto& info) { return std::string(info.param.row); });

// A project's saved climate gives the moisture assessment as the window makes
// it; no climate, or twelve months with one left empty, gives none.
TEST_F(BatchTest, SavedClimateGivesTheMoistureAssessment) {
  const struct {
    veltor::MoistureSettings::Climate climate;
    int emptyMonth;  // -1: all twelve typed
    bool assessed;
  } rows[] = {{veltor::MoistureSettings::Climate::Default, -1, false},
              {veltor::MoistureSettings::Climate::Typed, -1, true},
              {veltor::MoistureSettings::Climate::Typed, 4, false}};
  for (const auto& row : rows) {
    veltor::LoadedProject sample =
        veltor::LoadProjectFile(QDir::current().absoluteFilePath(QStringLiteral("Projekty/Przykład.Veltor")));
    veltor::ProjectContents& c = sample.contents;
    c.extras.moisture = {};
    c.extras.moisture.climate = row.climate;
    if (row.climate == veltor::MoistureSettings::Climate::Typed) {
      for (int m = 0; m < 12; ++m) {
        c.extras.moisture.te[m] = m == row.emptyMonth ? NAN : -2 + 2 * std::min(m, 11 - m);
        c.extras.moisture.phiE[m] = 85;
      }
    }
    const QString path = scratch_.filePath(QStringLiteral("klimat.Veltor"));
    veltor::SaveProjectFile(path, [&](QIODevice& file) {
      veltor::WriteProject(file, c.description, c.conditions, c.layers, c.extras);
    });
    ASSERT_EQ(run({QStringLiteral("--calc"), path}), batch::kExitOk) << err_.data();
    const QJsonObject moisture =
        QJsonDocument::fromJson(out_).object()[QStringLiteral("moisture")].toObject();
    EXPECT_EQ(!moisture.isEmpty(), row.assessed) << int(row.climate) << " " << row.emptyMonth;
  }
}

struct UserStations {
  const char* row;
  QByteArray file;  // the user's klimat.txt
  bool station;     // whether the description names a station
  const char* refusal;
};

void PrintTo(const UserStations& u, std::ostream* os) {
  *os << u.row;
}

class BatchUserStations : public BatchTest, public ::testing::WithParamInterface<UserStations> {};

// The user's station file counts only for a run that names a station, and
// never stands in for a shipped station of the same name.
TEST_P(BatchUserStations, NamedWhenUsedNeverOverriding) {
  const UserStations& p = GetParam();
#ifdef _WIN32
  GTEST_SKIP() << "the user's data folder is moved through XDG_DATA_HOME, which Windows ignores";
#endif
  const QByteArray kept = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", scratch_.path().toLocal8Bit());
  write(QStringLiteral("veltorobl/klimat.txt"), p.file);
  const QByteArray climate = p.station ? R"(,"climate":{"station":"Warszawa-Okęcie"})" : "";
  const int status = run({QStringLiteral("--calc"),
                          write(QStringLiteral("in.json"),
                                R"({"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}])" + climate + "}")});
  qputenv("XDG_DATA_HOME", kept);
  if (!*p.refusal) {
    EXPECT_EQ(status, batch::kExitOk) << err_.data();
    return;
  }
  EXPECT_EQ(status, batch::kExitRefused);
  EXPECT_TRUE(QString::fromUtf8(err_).contains(QString::fromUtf8(p.refusal))) << err_.data();
  EXPECT_TRUE(err_.contains("veltorobl/klimat.txt")) << err_.data();
}

QByteArray Station(const QByteArray& name) {
  QByteArray text = "[" + name + "]\n";
  for (int m = 0; m < 12; ++m) text += "1 80\n";
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BatchUserStations,
    ::testing::Values(UserStations{"DamagedButNoClimate", "[X]\n1 80\n", false, ""},
                      UserStations{"DamagedAndAStation", "[X]\n1 80\n", true, "ma tylko 1 z 12"},
                      UserStations{"NameOfAShippedOne",
                                   Station("Warszawa-Ok\xea"
                                           "cie"),
                                   true, "stacje o nazwach stacji dostarczanych z programem pominięto"}),
    [](const auto& info) { return std::string(info.param.row); });

struct Document {
  const char* row;
  const char* option;
  const char* file;
  QByteArray signature;
  const char* input = "Projekty/Przykład.Veltor";  // from the data folder
};

void PrintTo(const Document& d, std::ostream* os) {
  *os << d.row;
}

class BatchDocument : public BatchTest, public ::testing::WithParamInterface<Document> {};

// Each picture and document of the sample project, without a window: the file
// exists and starts as its format does.
TEST_P(BatchDocument, WritesItsFormat) {
  const Document& p = GetParam();
  const QString target = scratch_.filePath(QString::fromLatin1(p.file));
  ASSERT_EQ(run({QString::fromLatin1(p.option), target,
                 QDir::current().absoluteFilePath(QString::fromUtf8(p.input))}),
            batch::kExitOk)
      << err_.data();
  QFile file(target);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.read(p.signature.size()), p.signature);
  EXPECT_TRUE(out_.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, BatchDocument,
    ::testing::Values(
        Document{"ReportPdf", "--raport", "r.pdf", "%PDF"}, Document{"ReportOdt", "--report", "r.odt", "PK"},
        Document{"PageBmp", "--strona", "s.bmp", "BM"}, Document{"PagePdf", "--page", "s.pdf", "%PDF"},
        Document{"TemperatureJpeg", "--wykres-temperatury", "t.jpg", QByteArray("\xFF\xD8", 2)},
        Document{"PressureBmp", "--pressure-chart", "p.bmp", "BM"},
        Document{"BuildingReportPdf", "--raport", "b.pdf", "%PDF", "../docs/batch/budynek.json"},
        Document{"BuildingReportOdt", "--raport", "b.odt", "PK", "../docs/batch/budynek.json"}),
    [](const auto& info) { return std::string(info.param.row); });

struct Refusal {
  const char* row;
  const char* json;  // nullptr: the arguments alone
  const char* args;  // extra arguments, space separated
  int status;
  const char* message;  // a part of standard error
};

void PrintTo(const Refusal& r, std::ostream* os) {
  *os << r.row;
}

class BatchRefusal : public BatchTest, public ::testing::WithParamInterface<Refusal> {};

// "@/" in the arguments stands for the scratch folder, "@in" for the input.
TEST_P(BatchRefusal, SaysWhatAndWhereAndExits) {
  const Refusal& p = GetParam();
  QStringList args = QString::fromUtf8(p.args).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  const QString in = write(QStringLiteral("bad.json"), p.json ? QByteArray(p.json) : QByteArray("{}"));
  if (p.json && !args.contains(QStringLiteral("@in"))) args << QStringLiteral("--calc") << in;
  for (QString& arg : args)
    arg.replace(QStringLiteral("@in"), in).replace(QStringLiteral("@/"), scratch_.path() + '/');
  EXPECT_EQ(run(args), p.status);
  EXPECT_TRUE(QString::fromUtf8(err_).contains(QString::fromUtf8(p.message))) << err_.data();
  EXPECT_TRUE(out_.isEmpty());
  // A refused run writes nothing, and never over its input.
  EXPECT_EQ(QDir(scratch_.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("bad.json")});
  QFile input(in);
  ASSERT_TRUE(input.open(QIODevice::ReadOnly));
  EXPECT_EQ(input.readAll(), p.json ? QByteArray(p.json) : QByteArray("{}"));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, BatchRefusal,
    ::testing::Values(
        Refusal{
            "ZeroThickness",
            R"({"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1},{"name":"B","d":1,"lambda":1,"mu":1},{"name":"C","d":0,"lambda":1,"mu":1}]})",
            "", 1, "bad.json: layers[2].d: grubość musi być liczbą większą od 0"},
        Refusal{"TextForNumber", R"({"layers":[{"name":"A","d":"0,1","lambda":1,"mu":1}]})", "", 1,
                "layers[0].d: grubość"},
        Refusal{"UnknownMaterial", R"({"layers":[{"material":"Nieistniejący","d":0.1}]})", "", 1,
                "layers[0].material: w katalogu nie ma materiału"},
        Refusal{"AmbiguousMaterial", R"({"layers":[{"material":"Beton komórkowy","d":0.1}]})", "", 1,
                "niejednoznaczna: \"Beton komórkowy 300\""},
        Refusal{"MisspeltKey", R"({"layers":[{"name":"A","d":0.1,"lamda":1,"mu":1}]})", "", 1,
                "layers[0].lamda: nieznane pole"},
        Refusal{"TemperatureOutOfTable",
                R"({"conditions":{"te":-99},"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}]})", "", 1,
                "conditions.te: Dopuszczalne wartości"},
        Refusal{"ElementOfArray", R"([{"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}]},{"layers":[]}])",
                "", 1, "[1].layers: oczekiwano niepustej tablicy"},
        Refusal{"NotJson", "{\n  \"layers\": [1 2]", "", 1,
                "niepoprawny JSON (wiersz 2, kolumna 17): brak przecinka"},
        Refusal{
            "DuplicateKey",
            R"({"conditions":{"umax":0.2,"ti":20,"umax":0.3},"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}]})",
            "", 1, "pole \"umax\" występuje dwa razy"},
        Refusal{"HugeThickness", R"({"layers":[{"name":"A","d":1e308,"lambda":1,"mu":1}]})", "", 1,
                "layers[0].d: grubość musi być liczbą większą od 0 i nie większą niż 10 m"},
        Refusal{"DenormalLambda", R"({"layers":[{"name":"A","d":0.1,"lambda":5e-324,"mu":1}]})", "", 1,
                "layers[0].lambda: współczynnik przewodzenia ciepła λ musi być z zakresu"},
        Refusal{"HugeMu", R"({"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1e308}]})", "", 1,
                "layers[0].mu"},
        Refusal{"SdBelowThickness", R"({"layers":[{"name":"A","d":0.1,"lambda":1,"sd":1e-300}]})", "", 1,
                "layers[0].sd"},
        Refusal{"HugeDensity", R"({"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1,"density":1e308}]})", "",
                1, "layers[0].density"},
        Refusal{"ThickAirLayer",
                R"({"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1},{"air":true,"d":0.5}]})", "", 1,
                "layers[1].d: grubość niewentylowanej warstwy powietrza"},
        Refusal{
            "FastenerInBothForms",
            R"({"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}],"corrections":{"fasteners":{"per_m2":4,"chi_p":0.002,"lambda":50}}})",
            "", 1, "corrections.fasteners.lambda: łącznik opisuje albo χp"},
        Refusal{
            "HugeFastener",
            R"({"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}],"corrections":{"fasteners":{"per_m2":4,"chi_p":1e308}}})",
            "", 1, "corrections.fasteners.chi_p"},
        Refusal{
            "RecessDeeperThanInsulation",
            R"({"layers":[{"name":"A","d":0.1,"lambda":0.04,"mu":1}],"corrections":{"fasteners":{"per_m2":4,"lambda":50,"area_mm2":20,"penetration":"recessed","depth":0.2}}})",
            "", 1, "Zagłębienie łącznika (200 mm) nie może przekraczać"},
        Refusal{"OutputOverInput", R"({"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}]})",
                "--calc @in --output @in", 1, "plik wejściowy nie może być plikiem wyników"},
        Refusal{"RefusedRunWritesNoPicture", nullptr,
                "--page @/p.bmp --calc Projekty/Przykład.Veltor --output @/brak/o.json", 1,
                "brak/o.json: nie można zapisać"},
        Refusal{"MissingOutputFolderWritesNoPicture", nullptr,
                "--page @/p.bmp Projekty/Przykład.Veltor --temperature-chart @/brak/t.bmp", 1,
                "brak/t.bmp: nie można zapisać"},
        Refusal{"SingleDashOption", nullptr, "-calc x.json", 2, "Nieznana opcja: -calc"},
        Refusal{"ShortClimate",
                R"({"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}],"climate":{"months":[[0,80]]}})", "", 1,
                "climate.months: oczekiwano dwunastu"},
        Refusal{"UnknownStation",
                R"({"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}],"climate":{"station":"Atlantyda"}})",
                "", 1, "climate.station: nie ma stacji"},
        Refusal{
            "BridgeShare",
            R"({"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1,"bridge":{"lambda":0.1,"fraction":1.5}}]})",
            "", 1, "layers[0].bridge.fraction: udział"},
        Refusal{
            "FastenerWithoutCount",
            R"({"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}],"corrections":{"fasteners":{"chi_p":0.002}}})",
            "", 1, "corrections.fasteners.per_m2"},
        Refusal{
            "GroundKindUnknown",
            R"({"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}],"ground":{"kind":"cellar","area":9,"perimeter":12}})",
            "", 1, "ground.kind: oczekiwano jednej z wartości"},
        Refusal{
            "BasementWithoutDepth",
            R"({"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}],"ground":{"kind":"heated_basement","area":9,"perimeter":12}})",
            "", 1, "ground.depth: wartość musi być liczbą większą od 0"},
        Refusal{
            "EdgeWithoutLambda",
            R"({"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}],"ground":{"kind":"slab","area":9,"perimeter":12,"edge":{"type":"vertical","size":1,"thickness":0.1}}})",
            "", 1, "ground.edge.lambda"},
        Refusal{"MissingFile", nullptr, "--calc /nonexistent/x.json", 1, "File not found"},
        Refusal{"NoInput", nullptr, "--wyjscie x.json", 2, "--oblicz PLIK"},
        Refusal{"UnknownOption", nullptr, "--obliczaj x", 2, "obliczaj"},
        Refusal{"ReportOfWrongType", nullptr, "--raport r.doc x.json", 2,
                "--raport: plik musi mieć rozszerzenie .pdf, .odt"},
        Refusal{"BuildingKind",
                R"({"partitions":[{"kind":"wall","layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}]}]})", "",
                1, "partitions[0].kind: rodzaj przegrody: jeden z unspecified, external_wall"},
        Refusal{"BuildingArea",
                R"({"partitions":[{"area":-1,"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}]}]})", "", 1,
                "partitions[0].area: pole powierzchni"},
        Refusal{"BuildingWallField", R"({"partitions":[{"layers":[{"name":"A","d":0,"lambda":1,"mu":1}]}]})",
                "", 1, "partitions[0].layers[0].d: grubość"},
        Refusal{
            "BuildingSymbolTwice",
            R"({"partitions":[{"symbol":"S","layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}]},{"symbol":"S","layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}]}]})",
            "", 1, "partitions[1].symbol: symbol powtarza się"},
        Refusal{
            "BuildingUnknownKey",
            R"({"building":{"name":"D"},"walls":[],"partitions":[{"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}]}]})",
            "", 1, "walls: nieznane pole"},
        Refusal{"PageOfABuilding", R"({"partitions":[{"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}]}]})",
                "--strona s.bmp", 1, "dla budynku powstaje tylko raport projektowy"},
        Refusal{"ReportOfAnArray", R"([{"layers":[{"name":"A","d":0.1,"lambda":1,"mu":1}]}])",
                "--raport r.pdf", 1, "dla jednej przegrody"}),
    [](const auto& info) { return std::string(info.param.row); });

}  // namespace

int main(int argc, char** argv) {
  // Test discovery runs this at build time, where no display may exist.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
