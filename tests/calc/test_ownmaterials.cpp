// The own materials file: each change keeps every other byte of the file, and
// each refusal leaves the file exactly as it was.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <optional>

#include "calc/errors.h"
#include "calc/ownmaterials.h"

namespace {

using veltor::LayerRecord;

LayerRecord Material(const QByteArray& name, double lambda = 0.031) {
  LayerRecord r;
  r.name = name;
  r.fillPattern = "styr";
  r.lambdaMedium = lambda;
  r.lambdaHumid = lambda;
  r.vapourCoefficient = 720.0 / 60;
  r.density = 15;
  r.thickness = 0.15;
  r.specificHeat = 1450;
  return r;
}

// A hand-written file: a comment, a group, LF and CR LF lines, and a last
// entry without its line end.
const QByteArray kEntryA = "*A\nA\nbeto\n0.5\n0.6\n30\n2000\n0.2\n840\n";
const QByteArray kEntryB = "*B\r\nB\r\ncegl\r\n1\r\n1\r\n-1\r\n1\r\n0.1\r\n1000";
const QByteArray kFile = "; moje\n[G]\n" + kEntryA + "; uwaga\r\n" + kEntryB;

struct FileCase {
  const char* name;
  std::optional<QByteArray> before;  // empty: no file yet
  std::function<void(const QString& path)> change;
  std::optional<QByteArray> after;  // empty: refused, the file as it was
  const char* error = "";           // a part of the refusal's message
};

class OwnMaterialsFile : public testing::TestWithParam<FileCase> {};

TEST_P(OwnMaterialsFile, ChangesKeepTheOtherBytes) {
  const FileCase& c = GetParam();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("veltorobl/materiały.txt"));
  if (c.before) {
    QDir().mkpath(dir.filePath(QStringLiteral("veltorobl")));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(*c.before);
  }
  try {
    c.change(path);
    ASSERT_TRUE(c.after.has_value()) << "no refusal";
  } catch (const veltor::Error& e) {
    ASSERT_FALSE(c.after.has_value()) << e.what();
    EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.error))) << e.what();
  }
  QFile f(path);
  const std::optional<QByteArray> now =
      f.open(QIODevice::ReadOnly) ? std::optional<QByteArray>(f.readAll()) : std::nullopt;
  EXPECT_EQ(now, c.after ? c.after : c.before);
}

const QByteArray kNewC = veltor::MaterialEntryText(QStringLiteral("C"), Material("C"));

INSTANTIATE_TEST_SUITE_P(
    Changes, OwnMaterialsFile,
    testing::Values(
        FileCase{"AddAfterLastLineWithoutEnd", kFile,
                 [](const QString& p) { veltor::AddOwnMaterial(p, QStringLiteral("C"), Material("C")); },
                 kFile + "\r\n" + kNewC},
        FileCase{"ReplaceKeepsBytesAround", kFile,
                 [](const QString& p) {
                   veltor::ReplaceOwnMaterial(p, 0, QStringLiteral("A"), QStringLiteral("C"), Material("C"));
                 },
                 "; moje\n[G]\n" + kNewC + "; uwaga\r\n" + kEntryB},
        FileCase{"ReplaceLastEntryWithoutLineEnd", kFile,
                 [](const QString& p) {
                   veltor::ReplaceOwnMaterial(p, 1, QStringLiteral("B"), QStringLiteral("b"), Material("b"));
                 },
                 "; moje\n[G]\n" + kEntryA + "; uwaga\r\n" +
                     veltor::MaterialEntryText(QStringLiteral("b"), Material("b"))},
        FileCase{"RemoveCutsOnlyTheEntry", kFile,
                 [](const QString& p) { veltor::RemoveOwnMaterial(p, 0, QStringLiteral("A")); },
                 "; moje\n[G]\n; uwaga\r\n" + kEntryB},
        // A source line belongs to its entry: replaced and removed with it.
        FileCase{"ReplaceTakesTheSourceLine",
                 "; moje\n[G]\n" + kEntryA + "&DoP 1/2024\n; uwaga\r\n" + kEntryB,
                 [](const QString& p) {
                   veltor::ReplaceOwnMaterial(p, 0, QStringLiteral("A"), QStringLiteral("C"), Material("C"),
                                              QStringLiteral("PN-EN ISO 10456, tablica 3"));
                 },
                 "; moje\n[G]\n" +
                     veltor::MaterialEntryText(QStringLiteral("C"), Material("C"),
                                               QStringLiteral("PN-EN ISO 10456, tablica 3")) +
                     "; uwaga\r\n" + kEntryB},
        FileCase{"RemoveTakesTheSourceLine", "; moje\n[G]\n" + kEntryA + "&DoP 1/2024\n; uwaga\r\n" + kEntryB,
                 [](const QString& p) { veltor::RemoveOwnMaterial(p, 0, QStringLiteral("A")); },
                 "; moje\n[G]\n; uwaga\r\n" + kEntryB},
        FileCase{"TakenLabelLetterCaseAside", kFile,
                 [](const QString& p) { veltor::AddOwnMaterial(p, QStringLiteral("b "), Material("b")); },
                 std::nullopt, "już jest w grupie"},
        FileCase{"RenameToAnothersLabel", kFile,
                 [](const QString& p) {
                   veltor::ReplaceOwnMaterial(p, 0, QStringLiteral("A"), QStringLiteral("B"), Material("B"));
                 },
                 std::nullopt, "już jest w grupie"},
        FileCase{"EntryMovedOutsideTheProgram", kFile,
                 [](const QString& p) { veltor::RemoveOwnMaterial(p, 1, QStringLiteral("A")); }, std::nullopt,
                 "zmienił się poza programem"},
        FileCase{"ValueOutOfRange", kFile,
                 [](const QString& p) { veltor::AddOwnMaterial(p, QStringLiteral("C"), Material("C", 0)); },
                 std::nullopt, "λ (warunki średniowilgotne)"},
        FileCase{"BrokenFileNamedAndKept", kFile + "\r\n*Z\r\nZ\r\nx\r\nzle\r\n",
                 [](const QString& p) { veltor::AddOwnMaterial(p, QStringLiteral("C"), Material("C")); },
                 std::nullopt, "materiały.txt, wiersz 25: materiał „Z”: oczekiwano liczby"},
        FileCase{"LambdaZeroRefusedOnReading", kFile + "\r\n*Z\r\nZ\r\nx\r\n0\r\n0\r\n-1\r\n1\r\n0.1\r\n1000",
                 [](const QString& p) { veltor::AddOwnMaterial(p, QStringLiteral("C"), Material("C")); },
                 std::nullopt, "materiały.txt, wiersz 22: materiał „Z”: Współczynnik przewodzenia ciepła λ"},
        FileCase{"CutRecordRefusedOnReading", kFile + "\r\n*Z\r\nZ\r\nx\r\n0.5\r\n",
                 [](const QString& p) { veltor::AddOwnMaterial(p, QStringLiteral("C"), Material("C")); },
                 std::nullopt, "materiały.txt, wiersz 22: dane warstwy urwane"}),
    [](const testing::TestParamInfo<FileCase>& info) { return info.param.name; });

// The one row above whose result depends on the header: the file read back.
TEST(OwnMaterials, NewFileReadsBackExactly) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("a/b/m.txt"));
  LayerRecord r = Material("Wełna \xb3");
  r.lambdaMedium = 0.1 + 0.2;  // no short decimal form
  r.lambdaHumid = 0.31;
  r.vapourCoefficient = -INFINITY;
  veltor::AddOwnMaterial(path, QStringLiteral("Wełna"), r);
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  std::vector<veltor::OwnMaterial> read;
  veltor::ReadOwnMaterials(f.readAll(), read);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].label, QStringLiteral("Wełna"));
  EXPECT_EQ(read[0].record.name, r.name);
  EXPECT_EQ(read[0].record.lambdaMedium, r.lambdaMedium);
  EXPECT_TRUE(std::isinf(read[0].record.vapourCoefficient));
}

struct ImportCase {
  const char* name;
  QByteArray source;
  std::vector<veltor::ImportChoice> answers;  // one per clash, in order
  int imported;
  QStringList labels;  // of the own file afterwards
};

class OwnMaterialsImport : public testing::TestWithParam<ImportCase> {};

TEST_P(OwnMaterialsImport, AsksBeforeEveryReplacement) {
  const ImportCase& c = GetParam();
  QTemporaryDir dir;
  const QString own = dir.filePath(QStringLiteral("own.txt"));
  const QString source = dir.filePath(QStringLiteral("kolega.txt"));
  for (const auto& [path, bytes] : {std::pair{own, kFile}, std::pair{source, c.source}}) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  size_t asked = 0;
  const auto onClash = [&](const QString&) {
    return asked < c.answers.size() ? c.answers[asked++] : veltor::ImportChoice::Cancel;
  };
  int imported = -1;
  try {
    imported = veltor::ImportOwnMaterials(own, source, onClash);
  } catch (const veltor::Error&) {
  }
  EXPECT_EQ(imported, c.imported);
  EXPECT_EQ(asked, c.answers.size());
  QFile f(own);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray now = f.readAll();
  std::vector<veltor::OwnMaterial> read;
  veltor::ReadOwnMaterials(now, read);
  QStringList labels;
  for (const auto& m : read) labels << m.label;
  EXPECT_EQ(labels, c.labels);
  if (imported <= 0) {
    EXPECT_EQ(now, kFile);
  }
  EXPECT_TRUE(now.startsWith("; moje\n[G]\n")) << "the bytes before the changes were lost";
}

const QByteArray kC = veltor::MaterialEntryText(QStringLiteral("C"), Material("C"));
const QByteArray kA2 = veltor::MaterialEntryText(QStringLiteral("a"), Material("a2"));

INSTANTIATE_TEST_SUITE_P(
    Import, OwnMaterialsImport,
    testing::Values(
        ImportCase{"NewNamesAdded", "[X]\r\n" + kC, {}, 1, {"A", "B", "C"}},
        ImportCase{"ClashReplacedInPlace", kA2 + kC, {veltor::ImportChoice::Replace}, 2, {"a", "B", "C"}},
        ImportCase{"ClashSkipped", kA2 + kC, {veltor::ImportChoice::Skip}, 1, {"A", "B", "C"}},
        ImportCase{"CancelWritesNothing", kC + kA2, {veltor::ImportChoice::Cancel}, 0, {"A", "B"}},
        ImportCase{"TwiceInSourceAsked", kC + kC, {veltor::ImportChoice::Skip}, 1, {"A", "B", "C"}},
        ImportCase{"BrokenSourceRefused", kC + "*D\r\nD\r\nx\r\n1\r\nzle\r\n", {}, -1, {"A", "B"}},
        ImportCase{"OutOfRangeRefused",
                   veltor::MaterialEntryText(QStringLiteral("D"), Material("D", 1e9)),
                   {},
                   -1,
                   {"A", "B"}}),
    [](const testing::TestParamInfo<ImportCase>& info) { return info.param.name; });

TEST(OwnMaterials, MoistureFactorIsTheMedianRatio) {
  LayerRecord a = Material("a", 1), b = Material("b", 1), c = Material("c", 1), none = Material("n", 0);
  a.lambdaHumid = 1.05;
  b.lambdaHumid = 1.2;
  c.lambdaHumid = 1.1;
  EXPECT_DOUBLE_EQ(veltor::MoistureFactor({&a, &b, &c, &none}), 1.1);
  EXPECT_DOUBLE_EQ(veltor::MoistureFactor({&none}), 1.0);
}

}  // namespace
