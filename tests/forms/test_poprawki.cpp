// The corrections to U driven through their window and the layer window's
// summary, on an ETICS wall of round values: plaster 0.02 m (λ 0.8), masonry
// 0.24 m (λ 0.6), insulation 0.1 m (λ 0.04), render 0.01 m (λ 0.8), Rsi 0.13,
// Rse 0.04: RT = 0.13 + 0.025 + 0.4 + 2.5 + 0.0125 + 0.04 = 3.1075, U = 0.32180,
// and the insulation's share (R1/RT)² = (2.5/3.1075)² = 0.647237.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <cmath>
#include <memory>

#include "forms/appstate.h"
#include "forms/glowna.h"
#include "forms/poprawki.h"
#include "forms/warstwy.h"
#include "model/project.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

const QByteArray kCatalogue =
    "[Test]\r\n"
    "*Tynk\r\nTynk\r\ntynk\r\n0.8\r\n0.8\r\n40\r\n1800\r\n0.02\r\n840\r\n"
    "*Mur\r\nMur\r\ncegl\r\n0.6\r\n0.75\r\n100\r\n1500\r\n0.24\r\n880\r\n"
    "*Izolacja\r\nIzolacja\r\nstyr\r\n0.04\r\n0.04\r\n12.5\r\n15\r\n0.1\r\n1460\r\n";

constexpr double kU = 1 / 3.1075;
constexpr double kShare = (2.5 / 3.1075) * (2.5 / 3.1075);
constexpr double kOthers = 0.13 + 0.025 + 0.4 + 0.0125 + 0.04;  // all but the insulation

QString typed(QString text) {
  return text.replace(QLatin1Char(','), QLocale().decimalPoint());
}

QString fixed3(double v) {
  return QLocale().toString(v, 'f', 3);
}

}  // namespace

class TestPoprawki : public QObject {
  Q_OBJECT

  std::unique_ptr<LocaleScope> locale;
  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<ScriptedDialogs> dialogs;

  Project& project() { return FormGlowna->project(); }
  QString field(const char* name) {
    return FormWarstwy->findChild<QLabel*>(QString::fromLatin1(name))->text();
  }
  bool shown(const char* name) {
    return !FormWarstwy->findChild<QWidget*>(QString::fromLatin1(name))->isHidden();
  }

  // The wall added through the layer window, as a user adds it, against `umax`.
  void wall(double umax) {
    veltor::DesignConditions c = project().conditions();
    c.direction = 1;
    c.setSurfaceResistancesFromDirection();
    c.umax = umax;
    project().setConditions(c);
    FormWarstwy->show();
    const struct {
      const char* name;
      const char* d;
    } layers[] = {{"Tynk", "0,02"}, {"Mur", "0,24"}, {"Izolacja", "0,1"}, {"Tynk", "0,01"}};
    for (const auto& l : layers) {
      FormWarstwy->TreeViewMaterialy->setCurrentItem(FormWarstwy->TreeViewMaterialy->findItems(
          QString::fromLatin1(l.name), Qt::MatchExactly | Qt::MatchRecursive)[0]);
      FormWarstwy->EditGW->setText(typed(QString::fromLatin1(l.d)));
      FormWarstwy->BitBtnDodaj->click();
    }
  }
  void anchors(const QString& n, const QString& chiP) {
    FormPoprawki->ComboBoxLaczniki->setCurrentIndex(int(veltor::FastenerMethod::PointTransmittance));
    FormPoprawki->EditLiczbaLacznikow->setText(typed(n));
    FormPoprawki->EditChiP->setText(typed(chiP));
  }

 private Q_SLOTS:
  void init() {
    locale = std::make_unique<LocaleScope>(QStringLiteral("pl_PL"));
    env = std::make_unique<TestEnvironment>();
    env->writeFile(QStringLiteral("Dane/materiały.txt"), kCatalogue);
    dialogs = std::make_unique<ScriptedDialogs>();
    env->startProgram();
  }
  void cleanup() {
    env.reset();
    dialogs.reset();
    locale.reset();
  }

  // Each correction typed in the window, committed with OK, shown in the
  // summary against its hand figure; the warning follows Uc, and one undo
  // takes the corrections back to a summary that looks as it did without.
  void correctionsInTheSummary_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<QStringList>("values");  // n, χp or λ, Af mm², recess mm
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("layer");  // of the fasteners; -1 the insulation
    QTest::addColumn<double>("deltaU");
    QTest::addColumn<double>("umax");
    // ΔUf = n·χp = 6 · 0.002.
    QTest::newRow("ETICS, 6 anchors, chi_p") << 2 << QStringList{"6", "0,002"} << 0 << -1 << 0.012 << 0.35;
    QTest::newRow("ETICS anchors push Uc over Umax")
        << 2 << QStringList{"6", "0,002"} << 0 << -1 << 0.012 << 0.33;
    // ΔUf = 0.8 · 50 · 20e-6 · 6 / 0.1 · share.
    QTest::newRow("steel through the insulation")
        << 1 << QStringList{"6", "50", "20", "0"} << 0 << -1 << 0.048 * kShare << 0.4;
    // α = 0.8 · (100 − 50) / 100.
    QTest::newRow("steel recessed 50 mm")
        << 1 << QStringList{"6", "50", "20", "50"} << 0 << -1 << 0.024 * kShare << 0.4;
    // Ties through the masonry instead: d0 = 0.24, R1 = 0.4.
    QTest::newRow("steel through the masonry")
        << 1 << QStringList{"60", "50", "200", "0"} << 0 << 1
        << 0.8 * 50 * 200e-6 * 60 / 0.24 * (0.4 / 3.1075) * (0.4 / 3.1075) << 0.4;
    QTest::newRow("air gaps level 2") << 0 << QStringList() << 2 << -1 << 0.04 * kShare << 0.33;
    QTest::newRow("air gaps 1 and anchors")
        << 2 << QStringList{"6", "0,002"} << 1 << -1 << 0.012 + 0.01 * kShare << 0.35;
  }
  void correctionsInTheSummary() {
    QFETCH(int, method);
    QFETCH(QStringList, values);
    QFETCH(int, level);
    QFETCH(int, layer);
    QFETCH(double, deltaU);
    QFETCH(double, umax);
    wall(umax);
    QVERIFY(!shown("StaticTextUc") && !shown("StaticTextDeltaU"));
    FormPoprawki->ActionPoprawki->trigger();
    QVERIFY(FormPoprawki->isVisible());
    FormPoprawki->ComboBoxLaczniki->setCurrentIndex(method);
    QLineEdit* boxes[] = {FormPoprawki->EditLiczbaLacznikow,
                          method == 2 ? FormPoprawki->EditChiP : FormPoprawki->EditLambdaLacznika,
                          FormPoprawki->EditPrzekroj, FormPoprawki->EditZaglebienie};
    for (int i = 0; i < values.size(); ++i) boxes[i]->setText(typed(values[i]));
    FormPoprawki->findChild<QRadioButton*>(QStringLiteral("RadioPoziom%1").arg(level))->setChecked(true);
    FormPoprawki->ComboBoxWarstwaF->setCurrentIndex(FormPoprawki->ComboBoxWarstwaF->findData(layer));
    const int steps = project().undoStack().count();
    FormPoprawki->ButtonOK->click();
    QVERIFY(dialogs->shownMessages.isEmpty());
    QVERIFY(!FormPoprawki->isVisible());
    QCOMPARE(project().undoStack().count(), steps + 1);

    QCOMPARE(field("StaticText4"), fixed3(kU));
    QCOMPARE(field("StaticTextDeltaU"), fixed3(deltaU));
    QCOMPARE(field("StaticTextUc"), fixed3(kU + deltaU));
    QVERIFY(std::abs(FormWarstwy->Summary().transmittance.uc - (kU + deltaU)) < 1e-12);
    QVERIFY(shown("StaticTextUc") && !shown("StaticTextRGorna"));
    const bool over = kU + deltaU > umax;
    QCOMPARE(shown("LabelUwaga"), over);
    QCOMPARE(field("LabelUwaga"), QStringLiteral("UWAGA! Uc > Uc(max)"));

    project().undoStack().undo();
    QVERIFY(!shown("StaticTextUc") && !shown("LabelUwaga"));
    QCOMPARE(field("StaticText4"), fixed3(kU));
    QVERIFY(FormPoprawki->RadioPoziom0->isChecked());
    QCOMPARE(FormPoprawki->ComboBoxLaczniki->currentIndex(), 0);
    // Redone, then a new project: the corrections were the old wall's.
    project().undoStack().redo();
    QCOMPARE(FormPoprawki->ComboBoxLaczniki->currentIndex(), method);
    project().startNew();
    QVERIFY(project().conditions().corrections == veltor::UCorrections{});
    QCOMPARE(FormPoprawki->ComboBoxLaczniki->currentIndex(), 0);
    QCOMPARE(project().conditions().umax, umax);
  }

  // The insulation bridged over 10 % of its area: R'T over the two paths,
  // R''T with λ'' = 0.9·0.04 + 0.1·λb, RT their mean and e = (R'T − R''T)/(2·RT),
  // whose limits are close for timber and far apart for steel.
  void bridgedLayerInTheSummary_data() {
    QTest::addColumn<double>("lambdaB");
    QTest::newRow("timber") << 0.13;
    QTest::newRow("steel") << 50.0;
  }
  void bridgedLayerInTheSummary() {
    QFETCH(double, lambdaB);
    wall(0.3);
    veltor::LayerRecord insulation = project().layers().at(2);
    insulation.bridge = {"Mostek", lambdaB, lambdaB, 0.1};
    project().setLayer(2, insulation);
    const double upper = 1 / (0.9 / 3.1075 + 0.1 / (kOthers + 0.1 / lambdaB));
    const double lower = kOthers + 0.1 / (0.9 * 0.04 + 0.1 * lambdaB);
    const double rt = (upper + lower) / 2;
    QCOMPARE(field("StaticTextRGorna"), QLocale().toString(upper, 'f', 2));
    QCOMPARE(field("StaticTextRDolna"), QLocale().toString(lower, 'f', 2));
    QCOMPARE(field("StaticText3"), QLocale().toString(rt, 'f', 2));
    QCOMPARE(field("StaticTextBlad"), QLocale().toString((upper - lower) / (2 * rt) * 100, 'f', 1));
    QCOMPARE(field("StaticTextDeltaU"), fixed3(0));
    QCOMPARE(field("StaticTextUc"), fixed3(1 / rt));
  }

  // "Przelicz grubość warstwy" on the insulation of the wall with 6 anchors of
  // χp 0.002: 1/RT + 0.012 = Umax, so d = 0.04 · (1/(Umax − 0.012) − others),
  // stored rounded up to whole millimetres: 0.14377 -> 0.144, 0.18847 -> 0.189.
  void thicknessForUc_data() {
    QTest::addColumn<double>("umax");
    QTest::newRow("0,25") << 0.25;
    QTest::newRow("0,20") << 0.20;
  }
  void thicknessForUc() {
    QFETCH(double, umax);
    wall(umax);
    // Reached from the layer window and from the main window's data menu alike.
    QVERIFY(FormGlowna->findChild<QMenu*>(QStringLiteral("MenuDane"))
                ->actions()
                .contains(FormPoprawki->ActionPoprawki));
    FormWarstwy->ButtonPoprawki->click();
    QVERIFY(FormPoprawki->isVisible());
    anchors(QStringLiteral("6"), QStringLiteral("0,002"));
    QVERIFY(FormPoprawki->ButtonOKClick());
    QVERIFY(shown("LabelUwaga"));
    FormWarstwy->ListViewMaterialy->setCurrentItem(FormWarstwy->ListViewMaterialy->topLevelItem(2));
    FormWarstwy->Button2->click();
    const double d = 0.04 * (1 / (umax - 0.012) - kOthers);
    QCOMPARE(project().layers().at(2).thickness, std::ceil(d * 1000) / 1000);
    QVERIFY(FormWarstwy->Summary().transmittance.uc <= umax);
    QVERIFY(!shown("LabelUwaga"));
  }

  // A refused box is told in Polish, nothing reaches the project and the
  // window stays open; "Anuluj" leaves the project as it was and the window
  // shows the project's values when it opens again.
  void refusedAndCancelled_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");  // empty: cancelled instead of OK
    QTest::newRow("chi_p empty") << "EditChiP"
                                 << ""
                                 << "Współczynnik punktowy χp łącznika: Wpisz liczbę";
    QTest::newRow("chi_p not a number") << "EditChiP"
                                        << "0,0o2"
                                        << "Współczynnik punktowy χp łącznika: „0,0o2” nie jest liczbą – "
                                           "wpisz np. 0,18 lub 0.18";
    QTest::newRow("no anchors per m2")
        << "EditLiczbaLacznikow"
        << "0"
        << "Liczba łączników nf: Wartość musi być większa od 0 i nie większa niż 100";
    QTest::newRow("chi_p a typing slip") << "EditChiP"
                                         << "2"
                                         << "Współczynnik punktowy χp łącznika: Wartość musi być "
                                            "większa od 0 i nie większa niż 1";
    QTest::newRow("cancelled") << "EditChiP"
                               << "0,004"
                               << "";
    QTest::newRow("Esc") << "EditChiP"
                         << "0,004"
                         << "Esc";
  }
  void refusedAndCancelled() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, message);
    wall(0.3);
    FormPoprawki->ActionPoprawki->trigger();
    anchors(QStringLiteral("6"), QStringLiteral("0,002"));
    FormPoprawki->CheckBoxDachOdwrocony->setChecked(true);
    FormPoprawki->EditOpad->setText(QStringLiteral("2"));
    FormPoprawki->EditDrenaz->setText(typed(QStringLiteral("0,5")));
    FormPoprawki->EditWspX->setText(typed(QStringLiteral("0,04")));
    FormPoprawki->findChild<QLineEdit*>(box)->setText(typed(text));
    const veltor::DesignConditions before = project().conditions();
    const int steps = project().undoStack().count();
    if (message == QLatin1String("Esc")) {
      FormPoprawki->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(FormPoprawki));
      QTest::keyClick(FormPoprawki->EditChiP, Qt::Key_Escape);
      QVERIFY(!FormPoprawki->isVisible());
    } else if (message.isEmpty()) {
      FormPoprawki->ButtonAnuluj->click();
      QVERIFY(!FormPoprawki->isVisible());
      FormPoprawki->ActionPoprawki->trigger();
      QCOMPARE(FormPoprawki->ComboBoxLaczniki->currentIndex(), 0);
      QVERIFY(!FormPoprawki->CheckBoxDachOdwrocony->isChecked());
    } else {
      dialogs->expectMessage(message);
      FormPoprawki->ButtonOK->click();
      QVERIFY(dialogs->allUsed());
      QVERIFY(FormPoprawki->isVisible());
      QCOMPARE(FormPoprawki->focusWidget(), FormPoprawki->findChild<QLineEdit*>(box));
    }
    QVERIFY(project().conditions() == before);
    QCOMPARE(project().undoStack().count(), steps);
  }

  // The layer lists follow the table while the window is hidden: a change of
  // figures keeps them (and the choice), a layer added or removed renews them.
  void layerListsFollowTheTable_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("thickness") << "thickness" << QStringList{"1. Tynk", "2. Mur", "3. Izolacja", "4. Tynk"};
    QTest::newRow("removed") << "remove" << QStringList{"1. Mur", "2. Izolacja", "3. Tynk"};
    QTest::newRow("undone") << "undo" << QStringList{"1. Tynk", "2. Mur", "3. Izolacja"};
  }
  void layerListsFollowTheTable() {
    QFETCH(QString, change);
    QFETCH(QStringList, listed);
    wall(0.3);
    QComboBox* combo = FormPoprawki->ComboBoxWarstwaF;
    combo->setCurrentIndex(combo->findData(2));
    if (change == QLatin1String("thickness")) project().setThickness(1, 0.3);
    if (change == QLatin1String("remove")) project().removeLayer(0);
    if (change == QLatin1String("undo")) project().undoStack().undo();
    for (QComboBox* list :
         {FormPoprawki->ComboBoxWarstwaG, FormPoprawki->ComboBoxWarstwaF, FormPoprawki->ComboBoxWarstwaR}) {
      QStringList texts;
      for (int i = 1; i < list->count(); ++i) texts << list->itemText(i);
      QCOMPARE(texts, listed);
    }
    if (change == QLatin1String("thickness")) QCOMPARE(combo->currentData().toInt(), 2);
  }
};

QTEST_MAIN(TestPoprawki)
#include "test_poprawki.moc"
