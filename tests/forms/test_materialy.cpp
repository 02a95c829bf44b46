// The materials catalogue reader: where each kind of line lands in the tree,
// how a record's eight lines are read whatever they begin with, the failures
// that keep what was read, and the catalogue the program ships.
#include <QSet>
#include <QTest>
#include <QTreeWidget>
#include <cmath>

#include "calc/errors.h"
#include "calc/textfile.h"
#include "forms/materialy.h"
#include "forms/warstwy.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

// Eight record lines with the given name and round numbers.
QByteArray record(const QByteArray& name, const QByteArray& pattern = "beto") {
  return name + "\r\n" + pattern + "\r\n0.5\r\n0.6\r\n30\r\n2000\r\n0.2\r\n840\r\n";
}

// "label" for a group or subgroup, "label=name" for a material; children in
// braces, siblings separated by commas.
QString dump(const QTreeWidgetItem* item) {
  QString text = item->text(0);
  if (const veltor::LayerRecord* r = MaterialOf(item)) text += QLatin1Char('=') + r->nameText();
  if (item->childCount() > 0) {
    QStringList children;
    for (int i = 0; i < item->childCount(); ++i) children << dump(item->child(i));
    text += QLatin1Char('{') + children.join(QLatin1Char(',')) + QLatin1Char('}');
  }
  return text;
}

QString dump(const QTreeWidget& tree) {
  QStringList top;
  for (int i = 0; i < tree.topLevelItemCount(); ++i) top << dump(tree.topLevelItem(i));
  return top.join(QLatin1Char(','));
}

QList<const QTreeWidgetItem*> materials(const QTreeWidget& tree) {
  QList<const QTreeWidgetItem*> found;
  for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it)
    if (MaterialOf(*it)) found << *it;
  return found;
}

}  // namespace

class TestMaterialy : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void treeShape_data();
  void treeShape();
  void recordFields();
  void missingFile();
  void badNumberKeepsWhatWasRead();
  void fileEndsInsideRecord();
  void windowCreatedDespiteMissingFile();
  void shippedCatalogue();
};

void TestMaterialy::treeShape_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<QString>("expected");

  QTest::newRow("star after subgroup hangs beside it")
      << QByteArray("[Mury]\r\n@Ceramika\r\n#Cegla\r\n" +
                    record("Ceg\xb3"
                           "a") +
                    "*Blok\r\n" + record("Blok"))
      << QStringLiteral("Mury{Ceramika{Cegla=Cegła},Blok=Blok}");
  QTest::newRow("hash hangs inside the latest subgroup")
      << QByteArray("[G]\r\n@S1\r\n#a\r\n" + record("A") + "@S2\r\n#b\r\n" + record("B") + "#c\r\n" +
                    record("C"))
      << QStringLiteral("G{S1{a=A},S2{b=B,c=C}}");
  QTest::newRow("entries before any group are top level")
      << QByteArray("*x\r\n" + record("X") + "#y\r\n" + record("Y") + "@S\r\n[G]\r\n*z\r\n" + record("Z"))
      << QStringLiteral("x=X,y=Y,S,G{z=Z}");
  QTest::newRow("record lines starting with ; [ @ * # are content")
      << QByteArray(
             "[G]\r\n*m\r\n;nie komentarz\r\n[ab\r\n0.5\r\n0.6\r\n30\r\n2000\r\n0.2\r\n840\r\n"
             "*n\r\n[nie "
             "grupa]\r\n@x\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n*o\r\n#\r\n*\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n")
      << QStringLiteral("G{m=;nie komentarz,n=[nie grupa],o=#}");
  QTest::newRow("comments and empty lines only") << QByteArray("; a\r\n\r\n;[G]\r\n\r\n") << QString();
  QTest::newRow("empty file") << QByteArray() << QString();
  QTest::newRow("unknown first characters are ignored")
      << QByteArray("[G]\r\nxyz\r\n *spacja\r\n-\r\n*m\r\n" + record("M")) << QStringLiteral("G{m=M}");
  QTest::newRow("bare LF line ends") << QByteArray("[G]\n@S\n#m\nM\nbeto\n1\n1\n1\n1\n1\n1\n")
                                     << QStringLiteral("G{S{m=M}}");
  QTest::newRow("group label loses its last character whatever it is")
      << QByteArray("[Izolacje)\r\n[A]\r\n[\r\n") << QStringLiteral("Izolacje,A,");
  QTest::newRow("Windows-1250 labels and names")
      << QByteArray("[\xa3\xb9ki]\r\n*We\xb3na\r\n" + record("We\xb3na szklana"))
      << QStringLiteral("Łąki{Wełna=Wełna szklana}");
}

void TestMaterialy::treeShape() {
  QFETCH(QByteArray, content);
  QFETCH(QString, expected);
  TestEnvironment env;
  env.writeFile(QStringLiteral("k.txt"), content);
  QTreeWidget tree;
  MaterialStore store;
  LoadMaterials(QStringLiteral("k.txt"), &tree, store);
  QCOMPARE(dump(tree), expected);
  QCOMPARE(static_cast<int>(store.size()), static_cast<int>(materials(tree).size()));
}

void TestMaterialy::recordFields() {
  // The numbers use a point in the file whatever the user's locale.
  LocaleScope locale(QStringLiteral("pl_PL"));
  TestEnvironment env;
  const QByteArray longName(300, 'n');
  env.writeFile(QStringLiteral("k.txt"),
                "*m\r\n" + longName +
                    "\r\nabcde\r\n0.045\r\n0.05\r\n-1\r\n15.5\r\n"
                    "0.12\r\n1460\r\n*v\r\nV\r\npowi\r\n  \r\n0\r\n0\r\n0\r\n1e1  reszta\r\n"
                    "\r\n0.3\r\n1000\r\n");
  QTreeWidget tree;
  MaterialStore store;
  LoadMaterials(QStringLiteral("k.txt"), &tree, store);
  QCOMPARE(tree.topLevelItemCount(), 2);
  const veltor::LayerRecord* m = MaterialOf(tree.topLevelItem(0));
  QVERIFY(m);
  QCOMPARE(m->name, longName.left(255));
  QCOMPARE(m->fillPattern, QByteArray("abcd"));
  QCOMPARE(m->lambdaMedium, 0.045);
  QCOMPARE(m->lambdaHumid, 0.05);
  QVERIFY(std::isinf(m->vapourCoefficient) && m->vapourCoefficient < 0);
  QCOMPARE(m->density, 15.5);
  QCOMPARE(m->thickness, 0.12);
  QCOMPARE(m->specificHeat, 1460.0);
  // Blank lines before a number are passed over, and the rest of a number's line is skipped.
  const veltor::LayerRecord* v = MaterialOf(tree.topLevelItem(1));
  QVERIFY(v);
  QCOMPARE(v->name, QByteArray("V"));
  QCOMPARE(v->lambdaMedium, 0.0);
  QCOMPARE(v->vapourCoefficient, 0.0);
  QCOMPARE(v->density, 10.0);
  QCOMPARE(v->thickness, 0.3);
  QCOMPARE(v->specificHeat, 1000.0);
}

void TestMaterialy::missingFile() {
  TestEnvironment env;
  QTreeWidget tree;
  MaterialStore store;
  try {
    LoadMaterials(QStringLiteral("Dane/brak.txt"), &tree, store);
    QFAIL("no error for a missing file");
  } catch (const veltor::IoError& e) {
    QCOMPARE(e.message(), QStringLiteral("File not found"));
  }
  QCOMPARE(tree.topLevelItemCount(), 0);
}

void TestMaterialy::badNumberKeepsWhatWasRead() {
  TestEnvironment env;
  env.writeFile(QStringLiteral("k.txt"),
                "[G]\r\n*dobry\r\n" + record("Dobry") +
                    "*zly\r\nZ\xb3y\r\nbeto\r\n0.5\r\n0,6\r\n30\r\n2000\r\n0.2\r\n840\r\n"
                    "*potem\r\n" +
                    record("Potem"));
  QTreeWidget tree;
  MaterialStore store;
  try {
    LoadMaterials(QStringLiteral("k.txt"), &tree, store);
    QFAIL("no error for a bad number");
  } catch (const veltor::IoError& e) {
    QCOMPARE(e.message(), QStringLiteral("Invalid numeric input"));
  }
  QCOMPARE(dump(tree), QStringLiteral("G{dobry=Dobry,zly=Zły}"));
  const veltor::LayerRecord* bad = MaterialOf(tree.topLevelItem(0)->child(1));
  QCOMPARE(bad->fillPattern, QByteArray("beto"));
  QCOMPARE(bad->lambdaMedium, 0.5);
  QCOMPARE(bad->lambdaHumid, 0.0);
  QCOMPARE(bad->density, 0.0);
}

void TestMaterialy::fileEndsInsideRecord() {
  TestEnvironment env;
  env.writeFile(QStringLiteral("k.txt"), "[G]\r\n*a\r\nA\r\ncegl\r\n0.77\r\n");
  QTreeWidget tree;
  MaterialStore store;
  LoadMaterials(QStringLiteral("k.txt"), &tree, store);
  const veltor::LayerRecord* a = MaterialOf(tree.topLevelItem(0)->child(0));
  QVERIFY(a);
  QCOMPARE(a->lambdaMedium, 0.77);
  QCOMPARE(a->lambdaHumid, 0.0);
  QCOMPARE(a->thickness, 0.0);
  QCOMPARE(a->specificHeat, 0.0);

  env.writeFile(QStringLiteral("k.txt"), "*b\r\n");
  QTreeWidget tree2;
  LoadMaterials(QStringLiteral("k.txt"), &tree2, store);
  const veltor::LayerRecord* b = MaterialOf(tree2.topLevelItem(0));
  QVERIFY(b);
  QVERIFY(b->name.isEmpty());
  QVERIFY(b->fillPattern.isEmpty());
  QCOMPARE(b->density, 0.0);
}

void TestMaterialy::windowCreatedDespiteMissingFile() {
  TestEnvironment env;
  env.writeFile(QStringLiteral("Dane/materiały.txt"),
                "[G]\r\n*a\r\n" + record("A") + "*b\r\nB\r\nx\r\nzle\r\n");
  ScriptedDialogs dialogs;
  dialogs.expectMessage(QStringLiteral("Invalid numeric input."));
  Project project;
  TFormWarstwy window(nullptr, project);
  // As the window set runs the creation handler: the error is reported, the window stays.
  QVERIFY(!ui::Guard([&] { window.FormCreate(); }));
  QCOMPARE(dump(*window.TreeViewMaterialy), QStringLiteral("G{a=A,b=B}"));

  env.removeFile(QStringLiteral("Dane/materiały.txt"));
  dialogs.expectMessage(QStringLiteral("File not found."));
  TFormWarstwy empty(nullptr, project);
  QVERIFY(!ui::Guard([&] { empty.FormCreate(); }));
  QCOMPARE(empty.TreeViewMaterialy->topLevelItemCount(), 0);
  QVERIFY(dialogs.allUsed());
}

void TestMaterialy::shippedCatalogue() {
  TestEnvironment env;
  QTreeWidget tree;
  MaterialStore store;
  LoadMaterials(kMaterialsFile, &tree, store);
  const QList<const QTreeWidgetItem*> all = materials(tree);
  QVERIFY2(all.size() >= 60, qPrintable(QString::number(all.size())));

  // The hatch pictures the charts draw layers with.
  const QSet<QByteArray> patterns = {"cegl", "sili", "komo", "beto", "tynk", "styr", "welm", "pian",
                                     "izol", "drew", "plyt", "foli", "powi", "stal", "posa"};
  int air = 0;
  for (const QTreeWidgetItem* item : all) {
    const veltor::LayerRecord* r = MaterialOf(item);
    const QString what = item->text(0);
    QVERIFY2(!r->name.isEmpty(), qPrintable(what));
    QVERIFY2(patterns.contains(r->fillPattern), qPrintable(what));
    QVERIFY2(r->thickness > 0, qPrintable(what));
    QVERIFY2(r->density > 0 && r->specificHeat > 0, qPrintable(what));
    QVERIFY2(r->vapourCoefficient > 0 || (std::isinf(r->vapourCoefficient) && r->vapourCoefficient < 0),
             qPrintable(what));
    if (r->isAirLayer()) {
      ++air;
      QCOMPARE(what, QString::fromUtf8(veltor::kAirLayerName));
      QVERIFY(r->thickness <= 0.3);
      continue;
    }
    // Moisture never lowers a conductivity; the medium-humid one is a real insulator's at least,
    // and only metals conduct like metals.
    const double highest = r->fillPattern == "stal" ? 400 : 3;
    QVERIFY2(r->lambdaMedium >= 0.02 && r->lambdaMedium < highest, qPrintable(what));
    QVERIFY2(r->lambdaHumid >= r->lambdaMedium && r->lambdaHumid < 1.2 * r->lambdaMedium, qPrintable(what));
  }
  QCOMPARE(air, 1);
}

QTEST_MAIN(TestMaterialy)
#include "test_materialy.moc"
