// The free layer definition window driven as a user drives it: partitions are
// composed from a small catalogue of round values through the controls found
// by their names, and the summary is compared with values worked out by hand.
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "calc/calculation.h"
#include "forms/appstate.h"
#include "forms/glowna.h"
#include "forms/numberbox.h"
#include "forms/undokeys.h"
#include "forms/warstwy.h"
#include "forms/warunki_poczatkowe.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

// Resistances at 0.02/0.24/0.1/0.01 m: 0.025, 0.4, 2.5, 0.0125; diffusion 500, 2400, 8000, 250.
const QByteArray kCatalogue =
    "; catalogue of round values\r\n"
    "[Test]\r\n"
    "*Tynk\r\nTynk\r\ntynk\r\n0.8\r\n0.8\r\n40\r\n1800\r\n0.02\r\n840\r\n"
    "*Mur\r\nMur\r\ncegl\r\n0.6\r\n0.75\r\n100\r\n1500\r\n0.24\r\n880\r\n"
    "@Izolacje\r\n"
    "#Izolacja\r\nIzolacja\r\nstyr\r\n0.04\r\n0.04\r\n12.5\r\n15\r\n0.1\r\n1460\r\n"
    "*Niewentylowana warstwa powietrza\r\nNiewentylowana warstwa powietrza\r\npowi\r\n0\r\n0\r\n-1\r\n"
    "1.2\r\n0.05\r\n1000\r\n"
    "*Para\r\nPara\r\ntynk\r\n1\r\n1\r\n1000000\r\n1000\r\n0.5\r\n1000\r\n"
    "*Zero\r\nZero\r\ntynk\r\n0\r\n0\r\n40\r\n1800\r\n0.02\r\n840\r\n"
    "*Bez grubosci\r\nBez grubosci\r\ntynk\r\n0.5\r\n0.5\r\n-1\r\n1000\r\n0\r\n1000\r\n";

const QString kAir = QString::fromUtf8(veltor::kAirLayerName);

veltor::DesignConditions conditions(double umax) {
  veltor::DesignConditions c;
  c.humidityClass = 0;
  c.direction = 1;
  c.setSurfaceResistancesFromDirection();
  c.umax = umax;
  c.ti = 20;
  c.te = -20;
  c.phiI = 50;
  c.phiE = 85;
  return c;
}

// A number as the user types it: written here with a comma, typed with the locale's separator.
QString typed(QString text) {
  return text.replace(QLatin1Char(','), QLocale().decimalPoint());
}

// One window on a scratch data folder holding the catalogue above.
struct Stand {
  TestEnvironment env;
  std::unique_ptr<ScriptedDialogs> dialogs = std::make_unique<ScriptedDialogs>();
  Project project;
  std::unique_ptr<TFormWarstwy> w;

  explicit Stand(double umax = 0.3) {
    env.writeFile(QStringLiteral("Dane/materiały.txt"), kCatalogue);
    LoadReferenceTables();
    gDesignConditions = conditions(umax);
    w = std::make_unique<TFormWarstwy>(nullptr, project);
    w->FormCreate();
  }
  ~Stand() {
    w.reset();
    dialogs.reset();
  }

  template <class T>
  T* find(const char* name) const {
    T* control = w->findChild<T*>(QString::fromLatin1(name));
    if (!control) qFatal("no control %s", name);
    return control;
  }
  QString text(const char* name) const { return find<QLabel>(name)->text(); }
  QLineEdit* editGW() const { return find<QLineEdit>("EditGW"); }
  QTreeWidget* list() const { return find<QTreeWidget>("ListViewMaterialy"); }
  QTreeWidgetItem* row(int i) const { return list()->topLevelItem(i); }
  QTreeWidget* tree() const { return find<QTreeWidget>("TreeViewMaterialy"); }

  void pick(const QString& label) const {
    const auto found = tree()->findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.size() != 1) qFatal("no catalogue node %s", qPrintable(label));
    tree()->setCurrentItem(found.first());
  }
  void add(const QString& label, const QString& thickness) const {
    pick(label);
    editGW()->setText(typed(thickness));
    find<QPushButton>("BitBtnDodaj")->click();
  }
  // Plaster 0.02, wall 0.24, insulation 0.1, plaster 0.01.
  void wall() const {
    add(QStringLiteral("Tynk"), QStringLiteral("0,02"));
    add(QStringLiteral("Mur"), QStringLiteral("0,24"));
    add(QStringLiteral("Izolacja"), QStringLiteral("0,1"));
    add(QStringLiteral("Tynk"), QStringLiteral("0,01"));
  }
  void selectLayer(int i) const { list()->setCurrentItem(row(i)); }
  void activate() const {
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get())) qFatal("the window does not become active");
  }
  // The hint a summary field shows when the mouse comes over it.
  QString hint(const char* name) const {
    QLabel* field = find<QLabel>(name);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(field, &enter);
    return field->toolTip();
  }
  bool uIsRed() const {
    return find<QLabel>("StaticText4")->palette().color(QPalette::WindowText) == Qt::red;
  }
  bool shown(const char* name) const { return !find<QLabel>(name)->isHidden(); }
};

}  // namespace

class TestWarstwy : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void declaredValuesOfOneLayer();
  void summaryOfFourLayerWall_data();
  void summaryOfFourLayerWall();
  void emptyTableSummary();
  void diffusionResistanceRounding_data();
  void diffusionResistanceRounding();
  void uEqualToUmaxIsNoWarning();
  void warningsKeepTheLayout_data();
  void warningsKeepTheLayout();
  void noRequirement();
  void recalculationReachesUmax();
  void layerNotNeeded_data();
  void layerNotNeeded();
  void recalculationRefusals_data();
  void recalculationRefusals();
  void airLayerLimitWhenAdding_data();
  void airLayerLimitWhenAdding();
  void thicknessRules_data();
  void thicknessRules();
  void layerColumns();
  void typingThickness();
  void typedAirLayerThicknessLimited();
  void tipOfThirdLayer();
  void layerActionsEnabling_data();
  void layerActionsEnabling();
  void moveFollowsTheLayer();
  void currentLayerRules();
  void tableChangesFromOtherWindows();
  void typedValueLandsOnTheLayerShown_data();
  void typedValueLandsOnTheLayerShown();
  void undoKeysFromABox_data();
  void undoKeysFromABox();
  void condensationWarning_data();
  void condensationWarning();
  void activationRefreshes();
  void boxesDuringHandlers_data();
  void boxesDuringHandlers();
  void showingRefreshesQuietly_data();
  void showingRefreshesQuietly();
  void materialData();
  void leavingTheWindow();
};

void TestWarstwy::summaryOfFourLayerWall_data() {
  QTest::addColumn<QString>("locale");
  QTest::addColumn<QString>("d");
  QTest::addColumn<QString>("r");
  QTest::addColumn<QString>("u");
  QTest::addColumn<QString>("umax");
  QTest::addColumn<QString>("uHint");
  QTest::newRow("comma") << "pl_PL"
                         << "0,37"
                         << "3,11"
                         << "0,322"
                         << "0,30"
                         << "0,321802091713596 [W/(m²K)]";
  // Polish whatever the system's locale.
  QTest::newRow("point") << "en_US"
                         << "0,37"
                         << "3,11"
                         << "0,322"
                         << "0,30"
                         << "0,321802091713596 [W/(m²K)]";
}

void TestWarstwy::summaryOfFourLayerWall() {
  QFETCH(QString, locale);
  LocaleScope scope(locale);
  Stand s(0.3);
  s.wall();
  QCOMPARE(s.w->LayerCount(), 4);
  QCOMPARE(s.row(3)->text(0), QStringLiteral("Tynk"));
  // d = 0.37; R = 0.13 + 0.025 + 0.4 + 2.5 + 0.0125 + 0.04 = 3.1075; U = 1/R;
  // diffusion 500 + 2400 + 8000 + 250 + 27 + 13 = 11190.
  QTEST(s.text("StaticText1"), "d");
  QCOMPARE(s.text("StaticText2"), QStringLiteral("4"));
  QTEST(s.text("StaticText3"), "r");
  QTEST(s.text("StaticText4"), "u");
  QTEST(s.text("StaticText5"), "umax");
  QCOMPARE(s.text("StaticText6"), QStringLiteral("11\u2009190"));
  QVERIFY(s.uIsRed());
  QVERIFY(s.shown("LabelUwaga"));
  QVERIFY(!s.shown("LabelKond"));
  // Hints carry the full values.
  QCOMPARE(s.hint("StaticText1"), s.text("StaticText1") + QStringLiteral(" [m]"));
  QCOMPARE(s.hint("StaticText3"), QStringLiteral("3,1075 [m²K/W]"));
  QTEST(s.hint("StaticText4"), "uHint");
  QCOMPARE(s.hint("StaticText5"), QString());
  QCOMPARE(s.hint("StaticText6"), QStringLiteral("11\u2009190 [m²·h·Pa/g]"));
  QCOMPARE(s.hint("StaticText2"), QString());
}

void TestWarstwy::emptyTableSummary() {
  LocaleScope scope(QStringLiteral("pl_PL"));
  Stand s(0.25);
  s.w->RefreshSummary();
  for (const char* field : {"StaticText1", "StaticText2", "StaticText6"})
    QCOMPARE(s.text(field), QStringLiteral("0"));
  // No wall, no R and no U.
  QCOMPARE(s.text("StaticText3"), QStringLiteral("–"));
  QCOMPARE(s.text("StaticText4"), QStringLiteral("–"));
  QCOMPARE(s.text("StaticText5"), QStringLiteral("0,25"));
  QVERIFY(!s.shown("LabelUwaga"));
  QVERIFY(!s.shown("LabelKond"));
  QVERIFY(!s.uIsRed());
}

void TestWarstwy::diffusionResistanceRounding_data() {
  QTest::addColumn<QString>("material");
  QTest::addColumn<QString>("thickness");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<QString>("hint");
  // "Para" has r = d exactly; the two surfaces add 40.
  QTest::newRow("40.5 to the even 40") << "Para"
                                       << "0,5"
                                       << "40"
                                       << "40,5 [m²·h·Pa/g]";
  QTest::newRow("41.5 to the even 42") << "Para"
                                       << "1,5"
                                       << "42"
                                       << "41,5 [m²·h·Pa/g]";
  QTest::newRow("42.5 to the even 42") << "Para"
                                       << "2,5"
                                       << "42"
                                       << "42,5 [m²·h·Pa/g]";
  QTest::newRow("negative thickness") << "Para"
                                      << "-41,5"
                                      << "\u22122"
                                      << "\u22121,5 [m²·h·Pa/g]";
  QTest::newRow("beyond the doubles is max") << "Izolacja"
                                             << "1E308"
                                             << "max"
                                             << "max";
}

void TestWarstwy::diffusionResistanceRounding() {
  QFETCH(QString, material);
  QFETCH(QString, thickness);
  LocaleScope scope(QStringLiteral("pl_PL"));
  Stand s;
  // As a project file may hold them: thicknesses "Dodaj" would refuse.
  s.pick(material);
  auto layer = std::make_unique<veltor::LayerRecord>(*MaterialOf(s.tree()->currentItem()));
  layer->thickness = QLocale().toDouble(thickness);
  s.w->AppendLayer(std::move(layer));
  s.w->RefreshSummary();
  QTEST(s.text("StaticText6"), "shown");
  QTEST(s.hint("StaticText6"), "hint");
}

void TestWarstwy::uEqualToUmaxIsNoWarning() {
  Stand s(0.3);
  s.wall();
  QVERIFY(s.shown("LabelUwaga"));
  QVERIFY(!s.shown("LabelSpelnia"));
  gDesignConditions.umax = s.w->Summary().u;
  s.w->RefreshSummary();
  QVERIFY(!s.shown("LabelUwaga"));
  QVERIFY(!s.uIsRed());
  QCOMPARE(s.text("LabelSpelnia"), QStringLiteral("Uc ≤ Uc(max): spełnia"));
  QVERIFY(s.shown("LabelSpelnia"));
  // A rounding step above Umax is U computed for Umax, not a failing wall.
  gDesignConditions.umax = std::nextafter(s.w->Summary().u, 0.0);
  s.w->RefreshSummary();
  QVERIFY(!s.shown("LabelUwaga"));
  gDesignConditions.umax = s.w->Summary().u * (1 - 1e-8);
  s.w->RefreshSummary();
  QVERIFY(s.shown("LabelUwaga"));
  QVERIFY(s.uIsRed());
}

// A warning appearing or going while the user types moves nothing: its place
// is kept when it is hidden, so the window is not laid out again.
void TestWarstwy::warningsKeepTheLayout_data() {
  QTest::addColumn<QString>("warning");
  QTest::addColumn<double>("umax");
  QTest::addColumn<int>("phiI");
  QTest::newRow("U above Umax") << "LabelUwaga" << 0.1 << 50;
  QTest::newRow("condensation") << "LabelKond" << 0.3 << 100;
}

void TestWarstwy::warningsKeepTheLayout() {
  QFETCH(QString, warning);
  QFETCH(double, umax);
  QFETCH(int, phiI);
  Stand s(1.0);
  s.wall();
  s.activate();
  QVERIFY(!s.shown(qPrintable(warning)));
  const auto geometries = [&] {
    QList<QRect> all;
    for (const QWidget* child : s.w->findChildren<QWidget*>()) all << child->geometry();
    return all;
  };
  const QList<QRect> before = geometries();
  gDesignConditions.umax = umax;
  gDesignConditions.phiI = phiI;
  s.w->RefreshSummary();
  QCoreApplication::sendPostedEvents();
  QVERIFY(s.shown(qPrintable(warning)));
  QCOMPARE(geometries(), before);
}

void TestWarstwy::noRequirement() {
  Stand s(0);
  s.add(QStringLiteral("Mur"), QStringLiteral("0,24"));  // U = 1/0.57, far above any requirement
  QCOMPARE(s.text("StaticText5"), QStringLiteral("bez wym."));
  QCOMPARE(s.hint("StaticText5"), QStringLiteral("bez wymagań"));
  QVERIFY(!s.shown("LabelUwaga"));
  QVERIFY(!s.uIsRed());
}

void TestWarstwy::recalculationReachesUmax() {
  LocaleScope scope(QStringLiteral("pl_PL"));
  Stand s(0.3);
  s.wall();
  QCOMPARE(s.text("StaticText4"), QStringLiteral("0,322"));
  s.activate();
  s.selectLayer(2);
  // With the thickness box focused, showing the result there must not be taken
  // for typing: the text has 15 digits, the thickness more.
  s.editGW()->setFocus();
  s.find<QPushButton>("Button2")->click();
  // 0.04 * (1/0.3 - 0.17 - 0.025 - 0.4 - 0.0125) = 0.10903 m, rounded up to
  // whole millimetres: 0.110, U = 1 / (0.6075 + 2.75) = 0.29784 <= 0.3.
  // Exactly the value shown: QCOMPARE on doubles would forgive the last digits.
  QVERIFY(s.w->Layers().at(2).thickness == 0.11);
  QVERIFY(std::abs(s.w->Summary().u - 1 / 3.3575) < 1e-12);
  QVERIFY(!s.shown("LabelUwaga"));
  QCOMPARE(s.text("StaticText4"), QStringLiteral("0,298"));
  QCOMPARE(s.editGW()->text(), QStringLiteral("0,110"));
  QCOMPARE(s.w->CurrentLayer(), &s.w->Layers().at(2));
}

void TestWarstwy::layerNotNeeded_data() {
  QTest::addColumn<bool>("yes");
  QTest::newRow("Yes removes the layer") << true;
  QTest::newRow("No keeps it as it was") << false;
}

void TestWarstwy::layerNotNeeded() {
  QFETCH(bool, yes);
  // The other layers alone give R = 0.6075 > 1/2.
  Stand s(2.0);
  s.wall();
  s.selectLayer(2);
  s.dialogs->expectMessage(QStringLiteral("Zaznaczona warstwa nie jest potrzebna. Wykasować?"),
                           yes ? ui::Answer::Yes : ui::Answer::No);
  s.find<QPushButton>("Button2")->click();
  QCOMPARE(s.dialogs->shownMessages.last().kind, ui::MessageKind::Information);
  QCOMPARE(s.dialogs->shownMessages.last().buttons, unsigned(ui::Yes | ui::No));
  if (yes) {
    QCOMPARE(s.w->LayerCount(), 3);
    QCOMPARE(s.list()->topLevelItemCount(), 3);
    QCOMPARE(s.row(2)->text(0), QStringLiteral("Tynk"));
    QCOMPARE(s.w->CurrentLayer(), nullptr);
    QCOMPARE(s.text("StaticText2"), QStringLiteral("3"));
  } else {
    QCOMPARE(s.w->LayerCount(), 4);
    QCOMPARE(s.w->Layers().at(2).thickness, 0.1);
  }
}

void TestWarstwy::recalculationRefusals_data() {
  QTest::addColumn<double>("umax");
  QTest::addColumn<int>("row");
  QTest::addColumn<QString>("message");
  QTest::newRow("no requirement") << 0.0 << 1
                                  << "Nie można dokonać obliczeń. Umax zdefiniowano jako 'bez wymagań'";
  QTest::newRow("no layer selected") << 0.3 << -1 << "Nie wybrano warstwy";
  QTest::newRow("air layer") << 0.3 << 2 << "Dla tej warstwy nie można dokonać obliczeń";
}

void TestWarstwy::recalculationRefusals() {
  QFETCH(double, umax);
  QFETCH(int, row);
  QFETCH(QString, message);
  Stand s(umax);
  s.add(QStringLiteral("Tynk"), QStringLiteral("0,02"));
  s.add(QStringLiteral("Mur"), QStringLiteral("0,24"));
  s.add(kAir, QStringLiteral("0,05"));
  s.selectLayer(row);
  s.dialogs->expectMessage(message);
  s.find<QPushButton>("Button2")->click();
  QCOMPARE(s.dialogs->shownMessages.last().kind, ui::MessageKind::Error);
  QCOMPARE(s.w->Layers().at(1).thickness, 0.24);
  QCOMPARE(s.w->Layers().at(2).thickness, 0.05);
}

void TestWarstwy::airLayerLimitWhenAdding_data() {
  QTest::addColumn<QString>("thickness");
  QTest::addColumn<bool>("added");
  QTest::newRow("0.3 allowed") << "0,3" << true;
  QTest::newRow("0.31 refused") << "0,31" << false;
}

void TestWarstwy::airLayerLimitWhenAdding() {
  QFETCH(QString, thickness);
  QFETCH(bool, added);
  Stand s;
  if (!added)
    s.dialogs->expectMessage(
        QStringLiteral("Maksymalna grubość niewentylowanej warstwy powietrza nie może przekraczać 0.3m"));
  s.add(kAir, thickness);
  QCOMPARE(s.w->LayerCount(), added ? 1 : 0);
  QCOMPARE(s.list()->topLevelItemCount(), added ? 1 : 0);
  if (added) QCOMPARE(s.w->Layers().at(0).thickness, 0.3);
  if (!added) QCOMPARE(s.w->focusWidget(), s.editGW());
}

void TestWarstwy::thicknessRules_data() {
  QTest::addColumn<bool>("typing");  // typed for the current layer (0,24 m) rather than added
  QTest::addColumn<QString>("thickness");
  QTest::addColumn<double>("value");  // the layer's thickness afterwards; 0: none added
  QTest::addColumn<bool>("valid");
  QTest::addColumn<QString>("message");
  const QString missing = QStringLiteral("Musisz podać grubość warstwy");
  const QString tooThick = QStringLiteral("Grubość warstwy nie może przekraczać 10 m");
  QTest::newRow("add exactly 0") << false << "0" << 0.0 << false << missing;
  QTest::newRow("add 0,0") << false << "0,0" << 0.0 << false << missing;
  QTest::newRow("add 00") << false << "00" << 0.0 << false << missing;
  QTest::newRow("add negative") << false << "-0,1" << 0.0 << false
                                << "Grubość warstwy musi być większa od zera";
  QTest::newRow("add over 10 m") << false << "10,01" << 0.0 << false << tooThick;
  QTest::newRow("add 10 m") << false << "10" << 10.0 << true << "";
  QTest::newRow("type 0") << true << "0" << 0.24 << false << "";
  QTest::newRow("type negative") << true << "-0,1" << 0.24 << false << "";
  QTest::newRow("type 0. under a comma locale") << true << "0.18" << 0.18 << true << "";
  QTest::newRow("type over 10 m: 10 kept") << true << "10,5" << 10.0 << false << "";
  QTest::newRow("type 0,18 keystroke by keystroke") << true << "0,18" << 0.18 << true << "";
}

// Above 0, at most 10 m: "Dodaj" says why not; typed, the layer stays and the box turns red.
void TestWarstwy::thicknessRules() {
  QFETCH(bool, typing);
  QFETCH(QString, thickness);
  QFETCH(double, value);
  QFETCH(bool, valid);
  QFETCH(QString, message);
  LocaleScope scope(QStringLiteral("pl_PL"));
  Stand s;
  if (!message.isEmpty()) s.dialogs->expectMessage(message);
  if (!typing) {
    s.add(QStringLiteral("Bez grubosci"), thickness);
    QCOMPARE(s.w->LayerCount() ? s.w->Layers().at(0).thickness : 0.0, value);
    if (!valid) QCOMPARE(s.w->focusWidget(), s.editGW());
    return;
  }
  s.add(QStringLiteral("Mur"), QStringLiteral("0,24"));
  s.activate();  // the first layer becomes current
  s.editGW()->setFocus();
  s.editGW()->selectAll();
  QTest::keyClicks(s.editGW(), thickness);
  QCOMPARE(s.w->Summary().totalThickness, value);
  QCOMPARE(s.editGW()->palette().color(QPalette::Text) == Qt::red, !valid);
}

// Each layer's d, the lambda the pass used, R and sd = 720 / coefficient * d.
void TestWarstwy::layerColumns() {
  LocaleScope scope(QStringLiteral("pl_PL"));
  Stand s;
  s.add(QStringLiteral("Tynk"), QStringLiteral("0,02"));
  s.add(QStringLiteral("Mur"), QStringLiteral("0,24"));
  s.add(kAir, QStringLiteral("0,05"));
  auto open = std::make_unique<veltor::LayerRecord>(s.w->Layers().at(0));
  open->vapourCoefficient = 0;
  s.w->AppendLayer(std::move(open));  // hidden: the pass waits for the showing
  s.w->show();
  const auto row = [&s](int i) {
    const QTreeWidgetItem* r = s.row(i);
    return QStringList{r->text(0), r->text(1), r->text(2), r->text(3), r->text(4)}.join(' ');
  };
  QCOMPARE(row(0), QStringLiteral("Tynk 0,020 0,800 0,02 0,36"));
  QCOMPARE(row(1), QStringLiteral("Mur 0,240 0,600 0,40 1,73"));
  QVERIFY(row(2).startsWith(kAir + QStringLiteral(" 0,050 – ")) && row(2).endsWith(QStringLiteral(" –")));
  QCOMPARE(row(3), QStringLiteral("Tynk ✎ 0,020 0,800 0,02 –"));  // its coefficient is not the catalogue's
  // Each figure's column just holds its widest text, as the view measures it,
  // and narrows again when that text goes.
  const auto fitted = [&s] {
    const QTreeWidget* list = s.w->ListViewMaterialy;
    for (int c = 1; c < list->columnCount(); ++c) {
      int expected = list->header()->sectionSizeHint(c);
      for (int r = 0; r < list->topLevelItemCount(); ++r)
        expected = std::max(expected, list->sizeHintForIndex(list->model()->index(r, c)).width());
      if (list->header()->sectionSize(c) != expected) return c;
    }
    return 0;
  };
  QCOMPARE(fitted(), 0);
  const int narrow = s.w->ListViewMaterialy->header()->sectionSize(1);
  gDesignConditions.humidityClass = 1;  // the wall's other conductivity
  s.w->Layers().at(1).thickness = 1.23456e-5;
  s.activate();
  QCOMPARE(s.row(1)->text(1), QStringLiteral("0,000012"));
  QCOMPARE(fitted(), 0);
  QVERIFY(s.w->ListViewMaterialy->header()->sectionSize(1) > narrow);
  s.w->Layers().at(1).thickness = 0.24;
  s.w->RefreshSummary();
  QCOMPARE(row(1), QStringLiteral("Mur 0,240 0,750 0,32 1,73"));
  QCOMPARE(s.w->ListViewMaterialy->header()->sectionSize(1), narrow);
}

void TestWarstwy::typingThickness() {
  LocaleScope scope(QStringLiteral("pl_PL"));
  Stand s;
  s.wall();
  s.activate();
  s.selectLayer(1);
  QCOMPARE(s.w->CurrentLayer(), &s.w->Layers().at(1));
  QCOMPARE(s.editGW()->text(), QStringLiteral("0,240"));
  s.editGW()->setFocus();
  s.editGW()->selectAll();
  QTest::keyClicks(s.editGW(), QStringLiteral("0,3"));
  QCOMPARE(s.w->Layers().at(1).thickness, 0.3);
  QCOMPARE(s.text("StaticText1"), QStringLiteral("0,43"));
  QTest::keyClick(s.editGW(), Qt::Key_8);  // every keystroke recalculates
  QCOMPARE(s.w->Layers().at(1).thickness, 0.38);
  QCOMPARE(s.text("StaticText1"), QStringLiteral("0,51"));

  // A lone minus is no number yet: the layer keeps its thickness, the box
  // says why, and only Enter brings the message; the box then shows the
  // thickness the layer kept.
  s.editGW()->selectAll();
  QTest::keyClicks(s.editGW(), QStringLiteral("-"));
  QCOMPARE(s.w->Layers().at(1).thickness, 0.38);
  QCOMPARE(s.text("StaticText1"), QStringLiteral("0,51"));
  QCOMPARE(s.editGW()->toolTip(), NotANumber(QStringLiteral("-")));
  s.dialogs->expectMessage(QStringLiteral("'-' is not a valid floating point value."));
  QTest::keyClick(s.editGW(), Qt::Key_Return);
  QTRY_VERIFY(s.dialogs->allUsed());
  QCOMPARE(s.editGW()->text(), QStringLiteral("0,380"));
  QCOMPARE(s.editGW()->toolTip(), QString());
  s.editGW()->selectAll();
  QTest::keyClick(s.editGW(), Qt::Key_Minus);
  // Nor is an emptied box a thickness, and it tells nothing.
  QTest::keyClick(s.editGW(), Qt::Key_Backspace);
  QCOMPARE(s.editGW()->text(), QString());
  QCOMPARE(s.w->Layers().at(1).thickness, 0.38);

  // After the catalogue has had the focus there is no current layer: typing
  // changes no layer, and Enter adds the material with the typed thickness.
  s.tree()->setFocus();
  QCOMPARE(s.w->CurrentLayer(), nullptr);
  s.pick(QStringLiteral("Mur"));
  s.editGW()->setFocus();
  s.editGW()->selectAll();
  QTest::keyClicks(s.editGW(), QStringLiteral("0,12"));
  const std::array<double, 4> unchanged{0.02, 0.38, 0.1, 0.01};
  for (int i = 0; i < 4; ++i) QCOMPARE(s.w->Layers().at(i).thickness, unchanged[i]);
  QTest::keyClick(s.editGW(), Qt::Key_Return);  // as "Dodaj"
  QCOMPARE(s.w->LayerCount(), 5);
  QCOMPARE(s.w->Layers().at(4).thickness, 0.12);
}

void TestWarstwy::typedAirLayerThicknessLimited() {
  Stand s;
  s.add(kAir, QStringLiteral("0,05"));
  s.activate();
  s.selectLayer(0);
  s.editGW()->setFocus();
  s.editGW()->setText(typed(QStringLiteral("0,35")));
  QCOMPARE(s.w->Layers().at(0).thickness, 0.05);
  QCOMPARE(s.editGW()->toolTip(),
           QStringLiteral("Maksymalna grubość niewentylowanej warstwy powietrza nie może przekraczać 0.3m"));
  s.editGW()->setText(typed(QStringLiteral("0,3")));
  QCOMPARE(s.w->Layers().at(0).thickness, 0.3);
}

void TestWarstwy::tipOfThirdLayer() {
  LocaleScope scope(QStringLiteral("pl_PL"));
  Stand s;
  s.wall();
  QCOMPARE(s.row(2)->data(0, Qt::ToolTipRole).toString(),
           QStringLiteral("Numer warstwy = 3\r\nOpór cieplny R = 2,5 [m²K/W]\r\n"
                          "Opór dyfuzyjny r = 8000 [m²·h·Pa/g]"));
  // The tip follows the layer's place and its latest results.
  s.selectLayer(2);
  s.find<QAction>("ActionUp")->trigger();
  QVERIFY(s.row(1)->data(0, Qt::ToolTipRole).toString().startsWith(QStringLiteral("Numer warstwy = 2\r\n")));
}

void TestWarstwy::layerActionsEnabling_data() {
  QTest::addColumn<int>("layers");
  QTest::addColumn<int>("row");
  QTest::addColumn<bool>("remove");
  QTest::addColumn<bool>("up");
  QTest::addColumn<bool>("down");
  QTest::newRow("empty table") << 0 << -1 << false << false << false;
  QTest::newRow("nothing selected") << 2 << -1 << false << false << false;
  QTest::newRow("first of two") << 2 << 0 << true << false << true;
  QTest::newRow("last of two") << 2 << 1 << true << true << false;
  QTest::newRow("middle of three") << 3 << 1 << true << true << true;
  QTest::newRow("only layer") << 1 << 0 << true << false << false;
}

void TestWarstwy::layerActionsEnabling() {
  QFETCH(int, layers);
  QFETCH(int, row);
  QFETCH(bool, remove);
  QFETCH(bool, up);
  QFETCH(bool, down);
  Stand s;
  for (int i = 0; i < layers; ++i) s.add(QStringLiteral("Mur"), QStringLiteral("0,1"));
  s.selectLayer(row);
  const struct {
    const char* action;
    const char* button;
    bool enabled;
  } rules[] = {{"ActionUsunWarstwe", "BitBtnUsun", remove},
               {"ActionUp", "ButtonUp", up},
               {"ActionDown", "ButtonDown", down}};
  for (const auto& rule : rules) {
    QCOMPARE(s.find<QAction>(rule.action)->isEnabled(), rule.enabled);
    QCOMPARE(s.find<QPushButton>(rule.button)->isEnabled(), rule.enabled);
  }
}

void TestWarstwy::moveFollowsTheLayer() {
  Stand s;
  s.wall();
  veltor::LayerRecord* insulation = &s.w->Layers().at(2);
  s.selectLayer(2);
  s.find<QPushButton>("ButtonUp")->click();
  QCOMPARE(&s.w->Layers().at(1), insulation);
  QCOMPARE(s.list()->currentItem(), s.row(1));
  QCOMPARE(s.row(1)->text(0), QStringLiteral("Izolacja"));
  QCOMPARE(s.row(2)->text(0), QStringLiteral("Mur"));
  QCOMPARE(TFormWarstwy::LayerOf(s.row(1)), insulation);
  QCOMPARE(s.w->CurrentLayer(), insulation);
  s.find<QPushButton>("ButtonUp")->click();
  QCOMPARE(&s.w->Layers().at(0), insulation);
  QVERIFY(!s.find<QAction>("ActionUp")->isEnabled());
  s.find<QAction>("ActionDown")->trigger();
  QCOMPARE(&s.w->Layers().at(1), insulation);
  QCOMPARE(s.list()->currentItem(), s.row(1));
  // R does not depend on the order.
  QCOMPARE(s.text("StaticText3"), QStringLiteral("3,11"));
}

void TestWarstwy::currentLayerRules() {
  Stand s;
  s.wall();
  QCOMPARE(s.w->CurrentLayer(), nullptr);  // adding selects nothing
  QCOMPARE(s.list()->selectedItems().size(), 0);
  // Showing picks the first layer when none is current.
  s.w->show();
  QCOMPARE(s.w->CurrentLayer(), &s.w->Layers().at(0));
  QCOMPARE(s.list()->currentItem(), s.row(0));
  QCOMPARE(s.find<QLabel>("LabelOpis")->text(), QStringLiteral("Tynk"));
  // Another selection becomes current and is shown; hiding and showing keeps it.
  s.selectLayer(1);
  QCOMPARE(s.w->CurrentLayer(), &s.w->Layers().at(1));
  QCOMPARE(s.find<QLabel>("LabelOpis")->text(), QStringLiteral("Mur"));
  s.w->hide();
  s.w->show();
  QCOMPARE(s.w->CurrentLayer(), &s.w->Layers().at(1));
  // Removing the current layer leaves none.
  s.find<QPushButton>("BitBtnUsun")->click();
  QCOMPARE(s.w->CurrentLayer(), nullptr);
  QCOMPARE(s.w->LayerCount(), 3);
  QCOMPARE(s.list()->selectedItems().size(), 0);
  QCOMPARE(s.text("StaticText2"), QStringLiteral("3"));
  // The catalogue taking the focus leaves no current layer, and no highlight.
  s.activate();
  s.selectLayer(2);
  QCOMPARE(s.w->CurrentLayer(), &s.w->Layers().at(2));
  s.tree()->setFocus();
  QCOMPARE(s.w->CurrentLayer(), nullptr);
  QVERIFY(s.list()->selectedItems().isEmpty());
  QVERIFY(!s.find<QAction>("ActionUsunWarstwe")->isEnabled());
  // A click on a layer makes it current again.
  QTest::mouseClick(s.list()->viewport(), Qt::LeftButton, {}, s.list()->visualItemRect(s.row(2)).center());
  QCOMPARE(s.w->CurrentLayer(), &s.w->Layers().at(2));
  // Left with the catalogue focused and shown again: the first layer becomes
  // current, and the focus coming back to the catalogue with the activation
  // does not undo that.
  s.tree()->setFocus();
  s.w->hide();
  QWidget elsewhere;
  elsewhere.show();
  elsewhere.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
  s.activate();
  QCOMPARE(s.w->focusWidget(), s.tree());
  QCOMPARE(s.w->CurrentLayer(), &s.w->Layers().at(0));
  // A material picked there ends it: the thickness typed next is for "Dodaj".
  QTest::keyClick(s.tree(), Qt::Key_Down);
  QVERIFY(MaterialOf(s.tree()->currentItem()));
  QCOMPARE(s.w->CurrentLayer(), nullptr);
  QVERIFY(s.list()->selectedItems().isEmpty());
  QTest::keyClick(s.tree(), Qt::Key_Tab);
  QCOMPARE(s.w->focusWidget(), s.editGW());
  s.editGW()->selectAll();
  QTest::keyClicks(s.editGW(), QStringLiteral("5"));
  QCOMPARE(s.w->Layers().at(0).thickness, 0.02);
}

void TestWarstwy::tableChangesFromOtherWindows() {
  LocaleScope scope(QStringLiteral("pl_PL"));
  Stand s;
  s.wall();
  s.selectLayer(3);
  // A change the window did not make leaves no current layer behind.
  auto extra = std::make_unique<veltor::LayerRecord>(s.w->Layers().at(1));
  extra->name = "Dodatkowa";
  s.w->AppendLayer(std::move(extra));
  QCOMPARE(s.list()->topLevelItemCount(), 5);
  QCOMPARE(s.row(4)->text(0), QStringLiteral("Dodatkowa"));
  QCOMPARE(s.w->CurrentLayer(), nullptr);
  QVERIFY(s.list()->selectedItems().isEmpty());

  veltor::LayerTable table;
  table.AppendLayer(s.w->Layers().at(2));
  table.AppendLayer(s.w->Layers().at(0));
  s.w->ReplaceLayers(std::move(table));
  QCOMPARE(s.w->CurrentLayer(), nullptr);
  QCOMPARE(s.list()->topLevelItemCount(), 2);
  for (int i = 0; i < 2; ++i) {
    QCOMPARE(TFormWarstwy::LayerOf(s.row(i)), &s.w->Layers().at(i));
    QCOMPARE(s.row(i)->text(0), s.w->Layers().at(i).nameText());
  }
  QVERIFY(!s.find<QAction>("ActionUsunWarstwe")->isEnabled());

  s.selectLayer(0);
  s.w->ClearLayers();
  QCOMPARE(s.w->CurrentLayer(), nullptr);
  QCOMPARE(s.list()->topLevelItemCount(), 0);
  QCOMPARE(s.text("StaticText2"), QStringLiteral("0"));
  QCOMPARE(s.text("StaticText6"), QStringLiteral("0"));
}

// The records an undo frees come back at addresses other layers had: a
// window holding a record's address would show one layer and change another.
void TestWarstwy::typedValueLandsOnTheLayerShown_data() {
  QTest::addColumn<bool>("undo");
  QTest::newRow("wizard's table replaced") << false;
  QTest::newRow("then undone") << true;
}

void TestWarstwy::typedValueLandsOnTheLayerShown() {
  QFETCH(bool, undo);
  LocaleScope scope(QStringLiteral("pl_PL"));
  Stand s;
  s.wall();
  s.activate();
  veltor::LayerTable wizard;
  for (int i : {3, 2, 1, 0}) wizard.AppendLayer(s.w->Layers().at(i));
  s.w->ReplaceLayers(std::move(wizard));
  s.selectLayer(1);
  if (undo) {
    s.project.undoStack().undo();
    QCOMPARE(s.w->CurrentLayer(), nullptr);
    QVERIFY(s.list()->selectedItems().isEmpty());
    QCOMPARE(s.text("LabelOpis"), QStringLiteral("Opis"));
    s.selectLayer(1);
  }
  std::vector<double> before;
  for (int i = 0; i < s.w->LayerCount(); ++i) before.push_back(s.w->Layers().at(i).thickness);
  QCOMPARE(s.text("LabelOpis"), s.w->Layers().at(1).nameText());
  s.editGW()->setFocus();
  s.editGW()->selectAll();
  QTest::keyClicks(s.editGW(), QStringLiteral("0,33"));
  before[1] = 0.33;
  for (int i = 0; i < s.w->LayerCount(); ++i) QCOMPARE(s.w->Layers().at(i).thickness, before[i]);
  QCOMPARE(s.row(1)->text(1), QStringLiteral("0,330"));
}

// Ctrl+Z and Ctrl+Y in a box are the project's, not the box's own text undo.
void TestWarstwy::undoKeysFromABox_data() {
  QTest::addColumn<QKeySequence>("redo");
  QTest::newRow("Ctrl+Y") << QKeySequence(Qt::CTRL | Qt::Key_Y);
  QTest::newRow("Ctrl+Shift+Z") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
}

void TestWarstwy::undoKeysFromABox() {
  QFETCH(QKeySequence, redo);
  Stand s;
  s.wall();
  auto* undoAction = new QAction(s.w.get());
  undoAction->setShortcut(QKeySequence::Undo);
  auto* redoAction = new QAction(s.w.get());
  redoAction->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  for (QAction* a : {undoAction, redoAction}) {
    a->setShortcutContext(Qt::ApplicationShortcut);
    s.w->addAction(a);
  }
  QObject::connect(undoAction, &QAction::triggered, &s.project.undoStack(), &QUndoStack::undo);
  QObject::connect(redoAction, &QAction::triggered, &s.project.undoStack(), &QUndoStack::redo);
  TUndoKeys keys(s.w.get(), undoAction, redoAction);
  s.activate();
  s.selectLayer(1);
  s.editGW()->setFocus();
  s.editGW()->selectAll();
  QTest::keyClicks(s.editGW(), typed(QStringLiteral("0,3")));
  QCOMPARE(s.w->Layers().at(1).thickness, 0.3);
  QTest::keySequence(s.editGW(), QKeySequence::Undo);
  QCOMPARE(s.w->Layers().at(1).thickness, 0.24);
  QTest::keySequence(s.editGW(), redo);
  QCOMPARE(s.w->Layers().at(1).thickness, 0.3);
  QVERIFY(s.dialogs->shownMessages.isEmpty());
}

void TestWarstwy::condensationWarning_data() {
  QTest::addColumn<int>("phi");
  QTest::addColumn<bool>("condensation");
  // One layer with R 0.4: the inner surface is at 20 - 0.13 * 40 / 0.57 = 10.88 degC,
  // where the saturation pressure is 1303 Pa; indoors 2337 Pa * phi / 100.
  QTest::newRow("50 %: 1168.5 Pa") << 50 << false;
  QTest::newRow("55 %: 1285.4 Pa") << 55 << false;
  QTest::newRow("56 %: 1308.7 Pa") << 56 << true;
  QTest::newRow("80 %: 1869.6 Pa") << 80 << true;
}

void TestWarstwy::condensationWarning() {
  QFETCH(int, phi);
  QFETCH(bool, condensation);
  Stand s;
  gDesignConditions.phiI = phi;
  s.add(QStringLiteral("Mur"), QStringLiteral("0,24"));
  QCOMPARE(s.shown("LabelKond"), condensation);
  QCOMPARE(s.find<QLabel>("LabelKond")->text(),
           QStringLiteral("UWAGA! Kondensacja na wewnętrznej powierzchni przegrody"));
}

void TestWarstwy::activationRefreshes() {
  LocaleScope scope(QStringLiteral("pl_PL"));
  Stand s(0.3);
  s.wall();
  QVERIFY(s.shown("LabelUwaga"));
  // The conditions changed while the window was inactive appear when it is activated.
  gDesignConditions.umax = 0.45;
  gDesignConditions.humidityClass = 1;
  QCOMPARE(s.text("StaticText5"), QStringLiteral("0,30"));
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(s.w.get(), &activate);
  QCOMPARE(s.text("StaticText5"), QStringLiteral("0,45"));
  QVERIFY(!s.shown("LabelUwaga"));
  // Humid: the wall's conductivity is 0.75, so R = 0.17 + 0.025 + 0.32 + 2.5 + 0.0125.
  QCOMPARE(s.hint("StaticText3"), QStringLiteral("3,0275 [m²K/W]"));
}

// Stands in for a real message box: the window is inactive while it is up and
// becomes active again when it closes. A question is answered Yes.
class DeactivatingDialogs : public ui::Dialogs {
 public:
  explicit DeactivatingDialogs(QWidget* window) : window_(window) {}
  QStringList texts;
  ui::Answer message(const ui::MessageRequest& request) override {
    texts << request.text;
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(window_, &deactivate);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window_, &activate);
    return request.buttons & ui::Yes ? ui::Answer::Yes : ui::Answer::Ok;
  }
  std::optional<ui::FileChoice> openFile(const ui::FileDialogRequest&) override { return {}; }
  std::optional<ui::FileChoice> saveFile(const ui::FileDialogRequest&) override { return {}; }
  std::optional<int> printDialog(const QString&, QPrinter&) override { return {}; }
  void printerSetup(QPrinter&) override {}
  void openTarget(const QString&) override {}
  void showHelp(const QString&) override {}

 private:
  QWidget* window_;
};

void TestWarstwy::boxesDuringHandlers_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<bool>("sameTemperatures");
  QTest::addColumn<QStringList>("messages");
  const QString same = veltor::kNoTemperatureDifference;
  const QString division = QStringLiteral("Floating point division by zero.");
  QTest::newRow("activation, equal temperatures") << "activate" << true << QStringList{same};
  QTest::newRow("keystroke, equal temperatures") << "type 5" << true << QStringList{same};
  // Not yet a number: the box says so, no message while typing.
  QTest::newRow("lone minus, equal temperatures") << "type -" << true << QStringList{};
  QTest::newRow("adding a layer the pass fails on") << "add Zero" << false << QStringList{division};
  // The pass before the calculation and the one after it.
  QTest::newRow("recalculation, equal temperatures") << "recalculate" << true << QStringList{same, same};
  QTest::newRow("removal by the recalculation, equal temperatures")
      << "recalculate 2.0" << true
      << QStringList{same, QStringLiteral("Zaznaczona warstwa nie jest potrzebna. Wykasować?"), same, same};
}

// Every box shown while the window handles something is shown once: closing
// it gives the activation back, which must not refresh (and tell) again; the
// user's coming back later does.
void TestWarstwy::boxesDuringHandlers() {
  QFETCH(QString, action);
  QFETCH(bool, sameTemperatures);
  QFETCH(QStringList, messages);
  LocaleScope scope(QStringLiteral("pl_PL"));
  Stand s;
  s.wall();
  s.activate();
  s.selectLayer(2);
  if (sameTemperatures) gDesignConditions.te = gDesignConditions.ti;
  DeactivatingDialogs boxes(s.w.get());
  ui::setDialogs(&boxes);
  const auto activate = [&] {
    QEvent e(QEvent::WindowActivate);
    QApplication::sendEvent(s.w.get(), &e);
  };
  if (action == QLatin1String("activate")) {
    activate();
  } else if (action.startsWith(QLatin1String("type "))) {
    s.editGW()->setFocus();
    s.editGW()->selectAll();
    QTest::keyClicks(s.editGW(), action.mid(5));
  } else if (action.startsWith(QLatin1String("add "))) {
    s.add(action.mid(4), QStringLiteral("0,1"));
  } else {
    if (action.endsWith(QLatin1String("2.0"))) gDesignConditions.umax = 2.0;
    s.find<QPushButton>("Button2")->click();
  }
  QCOMPARE(boxes.texts, messages);
  boxes.texts.clear();
  activate();
  QCOMPARE(boxes.texts.size(), 1);
  ui::setDialogs(s.dialogs.get());
}

void TestWarstwy::showingRefreshesQuietly_data() {
  QTest::addColumn<bool>("layers");
  QTest::addColumn<double>("umax");
  QTest::addColumn<QString>("umaxText");
  QTest::addColumn<QString>("count");
  QTest::addColumn<bool>("warning");
  QTest::newRow("empty table, no requirement") << false << 0.0 << "bez wym."
                                               << "0" << false;
  QTest::newRow("wall, requirement eased") << true << 0.45 << "0,45"
                                           << "4" << false;
  QTest::newRow("wall, requirement tightened") << true << 0.2 << "0,20"
                                               << "4" << true;
}

// Before any activation (there may be none without a window manager) the
// summary already shows the latest pass against the conditions as they are
// now, and showing tells nothing: the equal temperatures are the activation's
// to report.
void TestWarstwy::showingRefreshesQuietly() {
  QFETCH(bool, layers);
  QFETCH(double, umax);
  LocaleScope scope(QStringLiteral("pl_PL"));
  Stand s(0.5);
  if (layers) s.wall();
  s.w->RefreshSummary();
  QCOMPARE(s.text("StaticText5"), QStringLiteral("0,50"));
  gDesignConditions.umax = umax;
  gDesignConditions.te = gDesignConditions.ti;
  s.w->show();
  QTEST(s.text("StaticText5"), "umaxText");
  QTEST(s.text("StaticText2"), "count");
  QTEST(s.shown("LabelUwaga"), "warning");
  QTEST(s.uIsRed(), "warning");
}

void TestWarstwy::materialData() {
  LocaleScope scope(QStringLiteral("pl_PL"));
  Stand s;
  s.pick(QStringLiteral("Mur"));
  QCOMPARE(s.find<QLabel>("LabelOpis")->text(), QStringLiteral("Mur"));
  QCOMPARE(s.find<QLineEdit>("EditPC1")->text(), QStringLiteral("0,600"));
  QCOMPARE(s.find<QLineEdit>("EditPC2")->text(), QStringLiteral("0,750"));
  QCOMPARE(s.find<QLineEdit>("EditOD")->text(), QStringLiteral("100"));
  QCOMPARE(s.find<QLineEdit>("EditCW")->text(), QStringLiteral("880"));
  QCOMPARE(s.find<QLineEdit>("EditG")->text(), QStringLiteral("1500"));
  QCOMPARE(s.editGW()->text(), QStringLiteral("0,240"));
  // The box holds δ = 720/μ; μ is beside it, and every caption names its unit.
  QCOMPARE(s.find<QLabel>("LabelMu")->text(), QStringLiteral("μ = 7"));
  QStringList captions;
  for (const QLabel* label : s.find<QWidget>("GroupBoxMaterial")->findChildren<QLabel*>())
    if (label->buddy() && label->buddy()->objectName().startsWith(QLatin1String("Edit")))
      captions << label->buddy()->objectName() + QLatin1Char('=') + label->text();
  captions.sort();
  QCOMPARE(
      captions.join(QLatin1Char('|')),
      QStringLiteral("EditCW=Ciepło właściwe w stanie suchym c [J/(kg·K)]|EditG=Gęstość ρ [kg/m³]|"
                     "EditGW=Grubość warstwy [m]|EditOD=Przepuszczalność pary wodnej δ [10⁻⁶ g/(m·h·Pa)]|"
                     "EditPC1=Współczynnik przewodzenia ciepła λ [W/(m·K)]\n(warunki średniowilgotne)|"
                     "EditPC2=Współczynnik przewodzenia ciepła λ [W/(m·K)]\n(warunki wilgotne)"));
  s.pick(kAir);
  QCOMPARE(s.find<QLineEdit>("EditOD")->text(), QStringLiteral("brak oporu (max)"));
  QVERIFY(
      s.find<QLineEdit>("EditOD")->toolTip().contains(QStringLiteral("nie uwzględniają oporu dyfuzyjnego")));
  QCOMPARE(s.find<QLabel>("LabelMu")->text(), QStringLiteral("μ = 0"));
  QVERIFY(s.find<QPushButton>("BitBtnDodaj")->isEnabled());
  // A group or subgroup shows nothing new, and "Dodaj" is not offered for it.
  s.pick(QStringLiteral("Izolacje"));
  QCOMPARE(s.find<QLabel>("LabelOpis")->text(), kAir);
  QVERIFY(!s.find<QPushButton>("BitBtnDodaj")->isEnabled());
  s.w->BitBtnDodajClick();
  QCOMPARE(s.w->LayerCount(), 0);
  // The five data boxes are read-only and out of the Tab chain; the thickness is not.
  for (const char* name : {"EditPC1", "EditPC2", "EditOD", "EditCW", "EditG"}) {
    QLineEdit* edit = s.find<QLineEdit>(name);
    QVERIFY2(edit->isReadOnly(), name);
    QVERIFY2(!(edit->focusPolicy() & Qt::TabFocus), name);
    QCOMPARE(edit->palette().color(QPalette::Base), edit->palette().color(QPalette::Button));
  }
  QVERIFY(!s.editGW()->isReadOnly());
  QVERIFY(s.editGW()->focusPolicy() & Qt::TabFocus);
}

void TestWarstwy::leavingTheWindow() {
  TestEnvironment env;
  ScriptedDialogs dialogs;
  env.startProgram();
  FormWarstwy->show();
  FormWarstwy->findChild<QPushButton*>(QStringLiteral("ButtonWstecz"))->click();
  QVERIFY(FormWarstwy->isHidden());
  QVERIFY(FormWarunkiPoczatkowe->isVisible());

  FormWarstwy->show();
  QTest::keyClick(FormWarstwy, Qt::Key_F1);
  QCOMPARE(dialogs.openedTargets.value(0), StartFolder() + QStringLiteral("/Pomoc/1.htm"));
  FormWarstwy->findChild<QPushButton*>(QStringLiteral("ButtonZamknij"))->click();
  QVERIFY(FormWarstwy->isHidden());
  env.stopProgram();
}

// A layer's own values: typed over its catalogue values, marked, kept by the
// project's layer blocks, and copied back from the catalogue.
void TestWarstwy::declaredValuesOfOneLayer() {
  LocaleScope scope(QStringLiteral("pl_PL"));
  Stand s;
  s.add(QStringLiteral("Mur"), QStringLiteral("0,24"));
  s.activate();  // the layer becomes current, its boxes editable
  QLineEdit* lambda = s.find<QLineEdit>("EditPC1");
  QVERIFY(!lambda->isReadOnly());
  const auto type = [](QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  };
  type(lambda, QStringLiteral("0,5"));
  type(s.find<QLineEdit>("EditMu"), QStringLiteral("20"));
  QCOMPARE(s.w->Layers().at(0).lambdaMedium, 0.5);
  // The humid λ follows by the catalogue's ratio 0.75 / 0.6.
  QCOMPARE(s.w->Layers().at(0).lambdaHumid, 0.625);
  QCOMPARE(s.find<QLineEdit>("EditPC2")->text(), QStringLiteral("0,625"));
  QCOMPARE(s.w->Layers().at(0).vapourCoefficient, 36.0);
  QCOMPARE(s.find<QLineEdit>("EditOD")->text(), QStringLiteral("36"));
  QCOMPARE(s.w->Summary().totalResistance, 0.13 + 0.24 / 0.5 + 0.04);
  // Out of its range: red, and the layer keeps the last good value.
  type(lambda, QStringLiteral("0"));
  QCOMPARE(lambda->palette().color(QPalette::Text), QColor(Qt::red));
  QCOMPARE(s.w->Layers().at(0).lambdaMedium, 0.5);
  QCOMPARE(s.row(0)->text(0), QStringLiteral("Mur ✎"));
  QVERIFY(
      s.row(0)
          ->data(0, Qt::ToolTipRole)
          .toString()
          .endsWith(QStringLiteral(
              "Wartości zmienione względem katalogu: λ (warunki średniowilgotne), λ (warunki wilgotne), μ")));

  // The project file's layer blocks carry the values: reopened, still marked.
  QBuffer file;
  file.open(QIODevice::ReadWrite);
  veltor::WriteLayers(file, s.w->Layers());
  file.seek(0);
  veltor::LayerTable reopened;
  veltor::ReadLayers(file, reopened);
  s.w->ReplaceLayers(std::move(reopened));
  QCOMPARE(s.row(0)->text(0), QStringLiteral("Mur ✎"));
  s.selectLayer(0);
  QVERIFY(s.find<QPushButton>("ButtonPrzywroc")->isEnabled());
  s.find<QPushButton>("ButtonPrzywroc")->click();
  QCOMPARE(s.w->Layers().at(0).lambdaMedium, 0.6);
  QCOMPARE(s.w->Layers().at(0).vapourCoefficient, 100.0);
  QCOMPARE(s.row(0)->text(0), QStringLiteral("Mur"));
  QVERIFY(!s.find<QPushButton>("ButtonPrzywroc")->isEnabled());
  // A layer without a catalogue entry could not be marked nor restored: read-only.
  auto foreign = std::make_unique<veltor::LayerRecord>(s.w->Layers().at(0));
  foreign->name = "Z kreatora";
  s.w->AppendLayer(std::move(foreign));
  s.selectLayer(1);
  QVERIFY(lambda->isReadOnly());
  // A catalogue entry is shown, not edited.
  s.pick(QStringLiteral("Tynk"));
  QVERIFY(lambda->isReadOnly());
  QVERIFY(s.find<QLineEdit>("EditMu")->isHidden());
}

QTEST_MAIN(TestWarstwy)
#include "test_warstwy.moc"
