// A bridged layer entered in the layer window as a designer enters it: a roof
// of plasterboard and mineral wool between timber rafters, the rafters picked
// from the catalogue or given by a typed λ, the share typed or worked out from
// the members. R and U are compared with the combined method worked by hand.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "calc/calculation.h"
#include "forms/appstate.h"
#include "forms/numberbox.h"
#include "forms/warstwy.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

// label, name, pattern, λ medium, λ humid, vapour, density, thickness, c
const QByteArray kCatalogue =
    "[Test]\r\n"
    "*Plyta\r\nPlyta\r\ntynk\r\n0.25\r\n0.25\r\n20\r\n900\r\n0.0125\r\n1000\r\n"
    "*Welna\r\nWelna\r\nwelna\r\n0.04\r\n0.04\r\n500\r\n30\r\n0.2\r\n1030\r\n"
    "*Drewno\r\nDrewno\r\ndrew\r\n0.13\r\n0.16\r\n15\r\n500\r\n0.2\r\n2500\r\n"
    "*Stal\r\nStal\r\nstal\r\n50\r\n50\r\n0.001\r\n7800\r\n0.002\r\n450\r\n"
    "*Niewentylowana warstwa powietrza\r\nNiewentylowana warstwa powietrza\r\npowi\r\n0\r\n0\r\n-1\r\n"
    "1.2\r\n0.04\r\n1000\r\n";

struct Stand {
  TestEnvironment env;
  std::unique_ptr<ScriptedDialogs> dialogs = std::make_unique<ScriptedDialogs>();
  Project project;
  std::unique_ptr<TFormWarstwy> w;

  explicit Stand(bool ventilated) {
    env.writeFile(QStringLiteral("Dane/materiały.txt"), kCatalogue);
    LoadReferenceTables();
    veltor::DesignConditions& c = gDesignConditions;
    c = {};
    c.direction = 0;  // a roof: heat flows upward, Rsi 0.10, Rse 0.04
    c.setSurfaceResistancesFromDirection();
    c.ti = 20;
    c.te = -20;
    c.outerSide.kind = ventilated ? veltor::OuterSideKind::WellVentilated : veltor::OuterSideKind::Outdoor;
    w = std::make_unique<TFormWarstwy>(nullptr, project);
    w->FormCreate();
    add(QStringLiteral("Plyta"), QStringLiteral("0,0125"));
    add(QStringLiteral("Welna"), QStringLiteral("0,2"));
    if (ventilated) {
      add(QString::fromUtf8(veltor::kAirLayerName), QStringLiteral("0,04"));
      add(QStringLiteral("Plyta"), QStringLiteral("0,025"));
    }
    list()->setCurrentItem(list()->topLevelItem(1));
  }
  template <class T>
  T* find(const char* name) const {
    T* control = w->findChild<T*>(QString::fromLatin1(name));
    if (!control) qFatal("no control %s", name);
    return control;
  }
  QTreeWidget* list() const { return find<QTreeWidget>("ListViewMaterialy"); }
  void add(const QString& label, const QString& thickness) const {
    QTreeWidget* tree = find<QTreeWidget>("TreeViewMaterialy");
    tree->setCurrentItem(tree->findItems(label, Qt::MatchExactly | Qt::MatchRecursive).value(0));
    find<QLineEdit>("EditGW")->setText(thickness);
    find<QPushButton>("BitBtnDodaj")->click();
  }
  // Empties a box and types `text` into it key by key (a Polish locale: decimal commas).
  void type(const char* box, const QString& text) const {
    QLineEdit* edit = find<QLineEdit>(box);
    edit->clear();
    QTest::keyClicks(edit, text);
  }
  void pickBridge(const QString& label) const {
    w->runBridgePicker = [label](QDialog& dialog) {
      auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("TreeViewMaterialy"));
      tree->setCurrentItem(tree->findItems(label, Qt::MatchExactly | Qt::MatchRecursive).value(0));
      return true;
    };
    find<QPushButton>("ButtonMaterialMostka")->click();
  }
  const veltor::LayerBridge& bridge() const { return project.layers().at(1).bridge; }
};

}  // namespace

class TestWarstwyMostek : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void rafterRoof_data();
  void rafterRoof();
  void refusedInput_data();
  void refusedInput();
};

// Hand calculation, Rsi 0.10 (upward); plasterboard 0.0125/0.25 = 0.05;
// wool 0.2/0.04 = 5.0; timber 0.2/0.13 = 1.538462 (medium-humid λ, humidity class 0).
//  outdoor air, Rse 0.04, f = 0.10:
//    paths 0.10 + 0.05 + 5.0 + 0.04 = 5.19 and 0.10 + 0.05 + 1.538462 + 0.04 = 1.728462
//    1/R'T = 0.9/5.19 + 0.1/1.728462 -> R'T = 4.324038
//    λ'' = 0.9·0.04 + 0.1·0.13 = 0.049 -> R''T = 0.19 + 0.2/0.049 = 4.271633
//    RT = 4.297835, U = 0.232675
//  well-ventilated outer side: the air layer and the boarding outside it drop
//  out and Rse = Rsi = 0.10: paths 5.25 and 1.788462 -> R'T = 4.398649,
//    R''T = 0.25 + 4.081633 = 4.331633, RT = 4.365141, U = 0.229088
//  steel (λ 50) at 10 %: paths 5.19 and 0.194 -> R'T = 1.451644;
//    λ'' = 0.036 + 5 = 5.036 -> R''T = 0.229714; RT = 0.840679, U = 1.189515;
//    R'T/R''T = 6.3 > 1.5 and metal through insulation: both warnings.
// The tolerance is that of the six digits written above.
void TestWarstwyMostek::rafterRoof_data() {
  QTest::addColumn<bool>("ventilated");
  QTest::addColumn<QString>("bridge");   // a catalogue label, or "λ " and the λ typed
  QTest::addColumn<QString>("members");  // "width;spacing" for the helper; empty: the share typed
  QTest::addColumn<double>("rt");
  QTest::addColumn<double>("u");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("warnings");
  const QString both = veltor::kLimitRatioWarning + QLatin1Char('\n') + veltor::kMetalBridgeWarning;
  // clang-format off
  QTest::newRow("timber from the catalogue") << false << "Drewno" << "" << 4.297835 << 0.232675 << "Welna + Drewno (10 %)" << "";
  QTest::newRow("typed lambda, 8 cm every 80") << false << "λ 0,13" << "8;80" << 4.297835 << 0.232675 << "Welna + mostek (10 %)" << "";
  QTest::newRow("well-ventilated outer side") << true << "Drewno" << "" << 4.365141 << 0.229088 << "Welna + Drewno (10 %)" << "";
  QTest::newRow("steel through the wool") << false << "Stal" << "" << 0.840679 << 1.189515 << "Welna + Stal (10 %)" << both;
  // clang-format on
}

void TestWarstwyMostek::rafterRoof() {
  QFETCH(bool, ventilated);
  QFETCH(QString, bridge);
  QFETCH(QString, members);
  LocaleScope scope(QStringLiteral("pl_PL"));
  Stand s(ventilated);
  const int steps = s.project.undoStack().count();

  s.find<QCheckBox>("CheckWarstwaNiejednorodna")->click();
  // Ticked alone the layer is not yet bridged, and nothing is stored.
  QCOMPARE(s.project.undoStack().count(), steps);
  if (bridge.startsWith(QStringLiteral("λ ")))
    s.type("EditLambdaMostka", bridge.mid(2));
  else
    s.pickBridge(bridge);
  if (members.isEmpty()) {
    s.type("EditUdzialMostka", QStringLiteral("10"));
  } else {
    s.type("EditSzerokoscMostka", members.section(QLatin1Char(';'), 0, 0));
    s.type("EditRozstawMostka", members.section(QLatin1Char(';'), 1, 1));
    s.find<QPushButton>("ButtonObliczUdzial")->click();
    QCOMPARE(s.find<QLineEdit>("EditUdzialMostka")->text(), QStringLiteral("10"));
  }

  QCOMPARE(s.bridge().share, 0.1);
  QFETCH(double, rt);
  QVERIFY(qAbs(s.w->Summary().totalResistance - rt) < 1e-6);
  QFETCH(double, u);
  QVERIFY2(qAbs(s.w->Summary().u - u) < 1e-6, qPrintable(QString::number(s.w->Summary().u, 'g', 10)));
  QTEST(s.list()->topLevelItem(1)->text(0), "caption");
  QFETCH(QString, warnings);
  QCOMPARE(s.find<QLabel>("LabelUwagaMostek")->text(), warnings);
  QCOMPARE(s.find<QLabel>("LabelUwagaMostek")->isHidden(), warnings.isEmpty());
  // Outside the ventilated air layer the list shows what R leaves out.
  for (int i = 2; i < s.list()->topLevelItemCount(); ++i)
    QVERIFY(s.list()->topLevelItem(i)->text(0).endsWith(QStringLiteral(" (pominięta)")));
  QVERIFY(!s.list()->topLevelItem(1)->text(0).contains(QStringLiteral("pominięta")));
  QVERIFY(s.project.isModified());

  // The share, typed key by key or worked out, is one step: undone, the layer
  // is homogeneous again and the boxes say so.
  s.project.undoStack().undo();
  QCOMPARE(s.bridge().share, 0.0);
  QCOMPARE(s.find<QLineEdit>("EditUdzialMostka")->text(), QString());
  QCOMPARE(s.list()->topLevelItem(1)->text(0), QStringLiteral("Welna"));
  // Unticking removes the bridge in one step of its own.
  // An undo or redo leaves no current layer: the designer picks it again.
  s.project.undoStack().redo();
  s.list()->setCurrentItem(s.list()->topLevelItem(1));
  s.find<QCheckBox>("CheckWarstwaNiejednorodna")->click();
  QCOMPARE(s.bridge(), veltor::LayerBridge{});
  s.project.undoStack().undo();
  s.list()->setCurrentItem(s.list()->topLevelItem(1));
  QCOMPARE(s.bridge().share, 0.1);
  QVERIFY(s.find<QCheckBox>("CheckWarstwaNiejednorodna")->isChecked());
  // Humid conditions: the box shows the catalogue's humid λ, which is no λ
  // typed over the material's, so a new share keeps the material.
  if (bridge == QLatin1String("Drewno")) {
    gDesignConditions.humidityClass = 1;
    s.project.setConditions(gDesignConditions);
    QCOMPARE(s.find<QLineEdit>("EditLambdaMostka")->text(), QStringLiteral("0,16"));
    s.type("EditUdzialMostka", QStringLiteral("20"));
    QCOMPARE(s.bridge().material, QStringLiteral("Drewno"));
    QCOMPARE(s.bridge().lambdaMedium, 0.13);
    QCOMPARE(s.bridge().share, 0.2);
  }
  QVERIFY(s.dialogs->allUsed());
}

void TestWarstwyMostek::refusedInput_data() {
  QTest::addColumn<QString>("box");  // typed into and entered; empty: the helper's "width;spacing"
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("message");
  const QString share = QStringLiteral("Udział mostka musi być większy od 0 % i mniejszy od 100 %");
  // clang-format off
  QTest::newRow("share 0") << "EditUdzialMostka" << "0" << share;
  QTest::newRow("share 100") << "EditUdzialMostka" << "100" << share;
  QTest::newRow("share text") << "EditUdzialMostka" << "dziesiec" << NotANumber(QStringLiteral("dziesiec"));
  QTest::newRow("lambda 0") << "EditLambdaMostka" << "0" << "Współczynnik λ materiału mostka musi być większy od zera";
  QTest::newRow("spacing below width") << "" << "90;8" << "Rozstaw elementów mostka musi być większy od ich szerokości.";
  QTest::newRow("spacing missing") << "" << "8;" << "Podaj szerokość elementów mostka i ich rozstaw (np. krokwie 8 cm co 90 cm)";
  // clang-format on
}

// A refused value is told in Polish and leaves the layer and its box as they were.
void TestWarstwyMostek::refusedInput() {
  QFETCH(QString, box);
  QFETCH(QString, text);
  QFETCH(QString, message);
  LocaleScope scope(QStringLiteral("pl_PL"));
  Stand s(false);
  s.find<QCheckBox>("CheckWarstwaNiejednorodna")->click();
  s.pickBridge(QStringLiteral("Drewno"));
  s.type("EditUdzialMostka", QStringLiteral("10"));
  const veltor::LayerBridge before = s.bridge();

  s.dialogs->expectMessage(message);
  if (box.isEmpty()) {
    s.type("EditSzerokoscMostka", text.section(QLatin1Char(';'), 0, 0));
    s.type("EditRozstawMostka", text.section(QLatin1Char(';'), 1, 1));
    s.find<QPushButton>("ButtonObliczUdzial")->click();
  } else {
    s.type(qPrintable(box), text);
    QTest::keyClick(s.find<QLineEdit>(qPrintable(box)), Qt::Key_Return);
  }
  QTRY_VERIFY(s.dialogs->allUsed());
  QCOMPARE(s.bridge(), before);
  QCOMPARE(s.find<QLineEdit>("EditUdzialMostka")->text(), QStringLiteral("10"));
  QCOMPARE(s.find<QLineEdit>("EditLambdaMostka")->text(), QStringLiteral("0,13"));
}

QTEST_MAIN(TestWarstwyMostek)
#include "test_warstwy_mostek.moc"
