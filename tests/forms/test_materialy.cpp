// The materials catalogue reader: where each kind of line lands in the tree,
// how a record's eight lines are read whatever they begin with, the failures
// that keep what was read, and the catalogue the program ships.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QTreeWidget>
#include <cmath>

#include "calc/errors.h"
#include "calc/ownmaterials.h"
#include "calc/textfile.h"
#include "forms/katalog.h"
#include "forms/material.h"
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
  void startWithOwnFile_data();
  void startWithOwnFile();
  void ownMaterialLifecycle();
  void editorRefuses_data();
  void editorRefuses();
  void humidLambdaProposed_data();
  void humidLambdaProposed();
  void exportAndImport();
  void search_data();
  void search();
};

namespace {

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A record within every limit of the own materials file.
veltor::LayerRecord validRecord(const QByteArray& name) {
  veltor::LayerRecord r;
  r.name = name;
  r.fillPattern = "beto";
  r.lambdaMedium = r.lambdaHumid = 1;
  r.vapourCoefficient = 7.2;
  r.density = 2000;
  r.specificHeat = 1000;
  r.thickness = 0.2;
  return r;
}

// A hand-written own file: the program must keep its comment and spacing.
const QByteArray kOwnFile =
    "; od kolegi\r\n\r\n*Stary\r\nStary  \r\nstyr\r\n0.04\r\n0.04\r\n12\r\n15\r\n0.1\r\n1450\r\n";

// The layer window over the scratch data, its editor answered by `fill`.
struct Window {
  TestEnvironment env;
  std::unique_ptr<ScriptedDialogs> dialogs = std::make_unique<ScriptedDialogs>();
  Project project;
  std::unique_ptr<TFormWarstwy> w;
  std::function<void(TFormMaterial&)> fill;

  explicit Window(const std::optional<QByteArray>& own = kOwnFile) {
    if (own) env.writeFile(QStringLiteral("user-data/veltorobl/materiały.txt"), *own);
    w = std::make_unique<TFormWarstwy>(nullptr, project);
    w->FormCreate();
    w->Katalog->runEditor = [this](TFormMaterial& editor) {
      if (fill) fill(editor);
      editor.ButtonOKClick();
      return editor.result() == QDialog::Accepted;
    };
  }
  ~Window() {
    w.reset();
    dialogs.reset();
  }
  QString ownFile() const { return TFrameKatalog::UserMaterialsFile(); }
  QStringList own() const {
    QStringList labels;
    for (int i = 0; i < w->Katalog->OwnGroup()->childCount(); ++i)
      labels << w->Katalog->OwnGroup()->child(i)->text(0);
    return labels;
  }
  void pick(const QString& label) const {
    const auto found = w->TreeViewMaterialy->findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty()) qFatal("no catalogue node %s", qPrintable(label));
    w->TreeViewMaterialy->setCurrentItem(found.first());
  }
  const veltor::LayerRecord* picked() const { return MaterialOf(w->TreeViewMaterialy->currentItem()); }
};

}  // namespace

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
  // The material that failed is not offered half-read.
  QCOMPARE(dump(tree), QStringLiteral("G{dobry=Dobry}"));
  QCOMPARE(store.size(), size_t(1));
}

void TestMaterialy::fileEndsInsideRecord() {
  TestEnvironment env;
  env.writeFile(QStringLiteral("k.txt"), "[G]\r\n*a\r\n" + record("A") + "*b\r\nB\r\ncegl\r\n0.77\r\n");
  QTreeWidget tree;
  MaterialStore store;
  try {
    LoadMaterials(QStringLiteral("k.txt"), &tree, store);
    QFAIL("no error for a cut record");
  } catch (const veltor::DataError& e) {
    QCOMPARE(e.message(),
             QStringLiteral("Plik k.txt, wiersz 11: dane warstwy urwane, plik kończy się po 3 z 8 wierszy"));
  }
  QCOMPARE(dump(tree), QStringLiteral("G{a=A}"));
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
  QCOMPARE(dump(*window.TreeViewMaterialy), QStringLiteral("Moje materiały,G{a=A}"));

  env.removeFile(QStringLiteral("Dane/materiały.txt"));
  dialogs.expectMessage(QStringLiteral("File not found."));
  TFormWarstwy empty(nullptr, project);
  QVERIFY(!ui::Guard([&] { empty.FormCreate(); }));
  QCOMPARE(dump(*empty.TreeViewMaterialy), QStringLiteral("Moje materiały"));
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

void TestMaterialy::startWithOwnFile_data() {
  QTest::addColumn<QByteArray>("own");
  QTest::addColumn<QString>("message");  // %1 the own file's path; empty: none
  QTest::addColumn<QString>("tree");

  QTest::newRow("own materials first")
      << kOwnFile << QString() << QStringLiteral("Moje materiały{Stary=Stary  }");
  // The broken entry is not listed: added to a project, it would break it.
  QTest::newRow("broken own file named with its line, catalogue still read")
      << QByteArray(kOwnFile + "*Zly\r\nZ\r\nbeto\r\nzle\r\n")
      << QStringLiteral("Plik %1, wiersz 15: materiał „Zly”: oczekiwano liczby z kropką dziesiętną.")
      << QStringLiteral("Moje materiały{Stary=Stary  }");
  // Read through the data files' guard: a folder (or a pipe) is refused unread.
  QTest::newRow("a folder in its place")
      << QByteArray("/") << QStringLiteral("%1: File access denied.") << QStringLiteral("Moje materiały");
}

void TestMaterialy::startWithOwnFile() {
  QFETCH(QByteArray, own);
  QFETCH(QString, message);
  QFETCH(QString, tree);
  TestEnvironment env;
  env.writeFile(QStringLiteral("Dane/materiały.txt"), "[G]\r\n*a\r\n" + record("A"));
  if (own == "/")
    QDir().mkpath(TFrameKatalog::UserMaterialsFile());
  else
    env.writeFile(QStringLiteral("user-data/veltorobl/materiały.txt"), own);
  ScriptedDialogs dialogs;
  if (!message.isEmpty())
    dialogs.expectMessage(message.arg(QDir::toNativeSeparators(TFrameKatalog::UserMaterialsFile())));
  Project project;
  TFormWarstwy window(nullptr, project);
  ui::Guard([&] { window.FormCreate(); });
  QCOMPARE(dump(*window.TreeViewMaterialy), tree + QStringLiteral(",G{a=A}"));
  QVERIFY(dialogs.allUsed());
}

void TestMaterialy::ownMaterialLifecycle() {
  LocaleScope locale(QStringLiteral("pl_PL"));
  Window s;
  // New: the humid λ is proposed from the kind's factor (the insulations' 1).
  s.fill = [](TFormMaterial& e) {
    e.EditNazwa->setText(QStringLiteral("EPS 031 Termo"));
    e.ComboBoxWypelnienie->setCurrentIndex(e.ComboBoxWypelnienie->findData(QStringLiteral("styr")));
    e.ComboBoxRodzaj->setCurrentIndex(e.ComboBoxRodzaj->count() - 1);
    e.EditLambda1->setText(QStringLiteral("0,031"));
    Q_EMIT e.EditLambda1->textEdited(e.EditLambda1->text());
    e.EditOpor->setText(QStringLiteral("60"));
    e.EditGestosc->setText(QStringLiteral("15"));
    e.EditCieplo->setText(QStringLiteral("1450"));
    e.EditGrubosc->setText(QStringLiteral("0.15"));
  };
  s.w->Katalog->ActionNowyMaterial->trigger();
  QCOMPARE(s.own(), QStringList({QStringLiteral("Stary"), QStringLiteral("EPS 031 Termo")}));
  QVERIFY(fileBytes(s.ownFile()).startsWith(kOwnFile));
  const veltor::LayerRecord* made = s.picked();
  QVERIFY(made);
  QCOMPARE(made->lambdaHumid, 0.031);
  QCOMPARE(made->vapourCoefficient, 12.0);
  QCOMPARE(made->thickness, 0.15);
  QVERIFY(s.w->Katalog->ActionEdytujMaterial->isEnabled());

  // Edit: sd 3 m at 0,15 m is μ 20.
  s.fill = [](TFormMaterial& e) {
    e.RadioSd->setChecked(true);
    e.EditOpor->setText(QStringLiteral("3"));
  };
  s.w->Katalog->ActionEdytujMaterial->trigger();
  QCOMPARE(s.picked()->vapourCoefficient, 36.0);

  // Copies: a catalogue entry keeps its label; an own one is numbered.
  s.fill = nullptr;
  s.pick(QStringLiteral("Wełna skalna fasadowa 036"));
  QVERIFY(!s.w->Katalog->ActionEdytujMaterial->isEnabled());
  const veltor::LayerRecord shipped = *s.picked();
  s.w->Katalog->ActionKopiujMaterial->trigger();
  s.pick(QStringLiteral("Stary"));
  s.w->Katalog->ActionKopiujMaterial->trigger();
  QCOMPARE(s.own(), QStringList({QStringLiteral("Stary"), QStringLiteral("EPS 031 Termo"),
                                 QStringLiteral("Wełna skalna fasadowa 036"), QStringLiteral("Stary (2)")}));
  s.pick(QStringLiteral("Wełna skalna fasadowa 036"));
  QCOMPARE(s.picked()->lambdaHumid, shipped.lambdaHumid);
  QCOMPARE(s.picked()->vapourCoefficient, shipped.vapourCoefficient);

  // Remove asks; No keeps the file as it was.
  const QByteArray before = fileBytes(s.ownFile());
  const QString question = QStringLiteral("Usunąć materiał „EPS 031 Termo” z grupy „Moje materiały”?");
  s.pick(QStringLiteral("EPS 031 Termo"));
  s.dialogs->expectMessage(question, ui::Answer::No);
  s.w->Katalog->ActionUsunMaterial->trigger();
  QCOMPARE(fileBytes(s.ownFile()), before);
  s.dialogs->expectMessage(question, ui::Answer::Yes);
  s.w->Katalog->ActionUsunMaterial->trigger();
  QCOMPARE(s.own().size(), 3);
  QVERIFY(fileBytes(s.ownFile()).startsWith(kOwnFile));
  QVERIFY(!fileBytes(s.ownFile()).contains("EPS 031"));
  QVERIFY(s.dialogs->allUsed());
}

void TestMaterialy::editorRefuses_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("message");  // empty: accepted

  QTest::newRow("point and comma both taken") << "EditLambda1"
                                              << "0.5" << QString();
  QTest::newRow("lambda of zero")
      << "EditLambda1"
      << "0"
      << "Współczynnik przewodzenia ciepła λ (warunki średniowilgotne) musi być z "
         "zakresu od 0,001 do 500 W/(m·K)";
  QTest::newRow("humid below medium")
      << "EditLambda2"
      << "0,1"
      << "Współczynnik przewodzenia ciepła λ w warunkach wilgotnych nie może być "
         "mniejszy niż w warunkach średniowilgotnych.";
  QTest::newRow("not a number") << "EditGestosc"
                                << "1.000,5"
                                << "„1.000,5” nie jest liczbą (gęstość ρ)";
  QTest::newRow("mu below air's")
      << "EditOpor"
      << "0,5"
      << "Współczynnik oporu dyfuzyjnego μ musi być z zakresu od 1 do 1\u2009000\u2009000 (μ = 0,5)";
  QTest::newRow("heat out of range") << "EditCieplo"
                                     << "1e9"
                                     << "Ciepło właściwe c musi być z zakresu od 100 do 5000 J/(kg·K)";
  QTest::newRow("no thickness") << "EditGrubosc"
                                << "0"
                                << "Grubość domyślna d musi być większa od 0 i nie większa niż 10 m.";
  QTest::newRow("no name") << "EditNazwa"
                           << "  "
                           << "Wpisz nazwę materiału.";
  QTest::newRow("name taken") << "EditNazwa"
                              << "stary "
                              << "Materiał „stary” już jest w grupie „Moje materiały”";
  QTest::newRow("name outside the code page")
      << "EditNazwa"
      << "EPS ☃"
      << "Pole „nazwa materiału” zawiera znak, którego nie można zapisać "
         "w pliku materiałów (Windows-1250)";
}

void TestMaterialy::editorRefuses() {
  QFETCH(QString, box);
  QFETCH(QString, text);
  QFETCH(QString, message);
  LocaleScope locale(QStringLiteral("pl_PL"));
  ScriptedDialogs dialogs;
  const veltor::LayerRecord r = validRecord("");
  TFormMaterial editor(nullptr, QStringLiteral("Nowy materiał"), {{QStringLiteral("Betony"), 1.08}}, {"beto"},
                       {}, {QStringLiteral("Stary")});
  editor.setMaterial(QStringLiteral("Nowy"), r);
  editor.findChild<QLineEdit*>(box)->setText(text);
  if (!message.isEmpty()) dialogs.expectMessage(message);
  editor.ButtonOKClick();
  QCOMPARE(editor.result() == QDialog::Accepted, message.isEmpty());
  QVERIFY(dialogs.allUsed());
}

// The proposal of the humid λ stands aside (a placeholder) while the user
// types, and is taken only when the box is left empty.
void TestMaterialy::humidLambdaProposed_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<double>("humid");
  QTest::newRow("typed over the proposal") << "0,035" << 0.035;
  QTest::newRow("left empty") << "" << 0.031 * 1.08;
}

void TestMaterialy::humidLambdaProposed() {
  QFETCH(QString, typed);
  QFETCH(double, humid);
  ScriptedDialogs dialogs;
  TFormMaterial editor(nullptr, QStringLiteral("Nowy materiał"), {{QStringLiteral("Betony"), 1.08}}, {"beto"},
                       {}, {});
  editor.setMaterial(QStringLiteral("Nowy"), validRecord(""));
  editor.ComboBoxRodzaj->setCurrentIndex(1);
  editor.EditLambda1->clear();
  QTest::keyClicks(editor.EditLambda1, QStringLiteral("0,031"));
  QTest::keyClicks(editor.EditLambda2, typed);
  QCOMPARE(editor.EditLambda2->text(), typed);
  editor.ButtonOK->click();
  QVERIFY(dialogs.shownMessages.isEmpty());
  QCOMPARE(editor.record().lambdaHumid, humid);
  // The hatches by their words.
  QCOMPARE(editor.ComboBoxWypelnienie->itemText(editor.ComboBoxWypelnienie->findData(QStringLiteral("beto"))),
           QStringLiteral("beton"));
}

void TestMaterialy::exportAndImport() {
  Window s;
  const QString exported = s.env.file(QStringLiteral("dla kolegi.txt"));
  s.dialogs->expectFile(QStringLiteral("SaveDialogMaterialy"), exported);
  s.w->Katalog->ActionEksportujMaterialy->trigger();
  QCOMPARE(fileBytes(exported), kOwnFile);

  // The colleague's file: one name we have (asked, kept on No), one new.
  const QString theirs = s.env.file(QStringLiteral("od kolegi.txt"));
  const veltor::LayerRecord r = validRecord("Cegla K");
  s.env.writeFile(QStringLiteral("od kolegi.txt"),
                  veltor::MaterialEntryText(QStringLiteral("STARY"), r) +
                      veltor::MaterialEntryText(QStringLiteral("Cegła K"), r));
  const QString clash = QStringLiteral(
      "Materiał „STARY” już jest w grupie „Moje materiały”. Zastąpić go materiałem z importowanego pliku?");
  s.dialogs->expectFile(QStringLiteral("OpenDialogMaterialy"), theirs)
      .expectMessage(clash, ui::Answer::Cancel);
  s.w->Katalog->ActionImportujMaterialy->trigger();
  QCOMPARE(fileBytes(s.ownFile()), kOwnFile);
  s.dialogs->expectFile(QStringLiteral("OpenDialogMaterialy"), theirs).expectMessage(clash, ui::Answer::No);
  s.w->Katalog->ActionImportujMaterialy->trigger();
  QCOMPARE(s.own(), QStringList({QStringLiteral("Stary"), QStringLiteral("Cegła K")}));
  QVERIFY(fileBytes(s.ownFile()).startsWith(kOwnFile));
  QVERIFY(s.dialogs->allUsed());
}

void TestMaterialy::search_data() {
  QTest::addColumn<QString>("query");
  QTest::addColumn<QStringList>("words");  // what every shown label holds, without diacritics
  QTest::addColumn<bool>("found");

  QTest::newRow("diacritics and case folded") << "WEŁNA" << QStringList{"welna"} << true;
  QTest::newRow("all words, any order") << "040 eps" << QStringList{"eps", "040"} << true;
  QTest::newRow("l for the stroked l") << "plyta" << QStringList{"plyta"} << true;
  QTest::newRow("nothing") << "xyzzy" << QStringList{"xyzzy"} << false;
}

void TestMaterialy::search() {
  QFETCH(QString, query);
  QFETCH(QStringList, words);
  QFETCH(bool, found);
  Window s(std::nullopt);
  QTreeWidget* tree = s.w->TreeViewMaterialy;
  int expected = 0;
  for (const QTreeWidgetItem* item : materials(*tree)) {
    QString text = (item->text(0) + QLatin1Char(' ') + MaterialOf(item)->nameText()).toLower();
    const QString polish = QStringLiteral("ąćęłńóśźż"), plain = QStringLiteral("acelnoszz");
    for (int i = 0; i < polish.size(); ++i) text.replace(polish[i], plain[i]);
    expected += std::all_of(words.begin(), words.end(), [&](const QString& w) { return text.contains(w); });
  }
  s.w->Katalog->EditSzukaj->setText(query);
  int shown = 0;
  for (const QTreeWidgetItem* item : materials(*tree)) {
    bool visible = !item->isHidden();
    for (const QTreeWidgetItem* p = item->parent(); p; p = p->parent()) visible = visible && !p->isHidden();
    shown += visible;
  }
  QCOMPARE(shown, expected);
  QCOMPARE(expected > 0, found);
  QCOMPARE(s.w->Katalog->LabelZnalezione->text(),
           found ? QStringLiteral("Znaleziono: %1").arg(expected) : QStringLiteral("Nie znaleziono"));
  // Esc clears the box and brings the whole catalogue back.
  QTest::keyClick(s.w->Katalog->EditSzukaj, Qt::Key_Escape);
  QVERIFY(s.w->Katalog->EditSzukaj->text().isEmpty());
  QVERIFY(s.w->Katalog->LabelZnalezione->text().isEmpty());
  for (const QTreeWidgetItem* item : materials(*tree)) QVERIFY(!item->isHidden());
}

QTEST_MAIN(TestMaterialy)
#include "test_materialy.moc"
