// The initial-conditions window as the program creates it: the catalogue read
// at start-up, the commit behind every button, the checks on leaving a box and
// the conditions section of the project file.
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <QtEndian>
#include <cmath>
#include <limits>
#include <memory>

#include "calc/calculation.h"
#include "calc/errors.h"
#include "calc/textfile.h"
#include "forms/appstate.h"
#include "forms/daneprojektu.h"
#include "forms/glowna.h"
#include "forms/numberbox.h"
#include "forms/warstwy.h"
#include "forms/warunki_poczatkowe.h"
#include "model/project.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using veltor::DesignConditions;

namespace {

QString dumpItem(const QTreeWidgetItem* item) {
  QString s = item->text(0);
  const QVariant value = item->data(0, Qt::UserRole);
  if (value.isValid()) s += QLatin1Char('=') + QString::number(value.toDouble());
  if (item->childCount() > 0) {
    QStringList children;
    for (int i = 0; i < item->childCount(); ++i) children << dumpItem(item->child(i));
    s += QLatin1Char('(') + children.join(QLatin1Char(';')) + QLatin1Char(')');
  }
  return s;
}

// "group(subgroup(item=0.2);item=0.3);top=0" in file order.
QString dumpTree(const QTreeWidget* tree) {
  QStringList top;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) top << dumpItem(tree->topLevelItem(i));
  return top.join(QLatin1Char(';'));
}

QTreeWidgetItem* findItem(QTreeWidget* tree, const QString& path) {
  QTreeWidgetItem* item = nullptr;
  for (const QString& label : path.split(QLatin1Char('/'))) {
    QTreeWidgetItem* next = nullptr;
    const int n = item ? item->childCount() : tree->topLevelItemCount();
    for (int i = 0; i < n && !next; ++i) {
      QTreeWidgetItem* c = item ? item->child(i) : tree->topLevelItem(i);
      if (c->text(0) == label) next = c;
    }
    if (!next) return nullptr;
    item = next;
  }
  return item;
}

QByteArray conditionsBytes(const DesignConditions& c) {
  QByteArray b;
  auto put = [&b](auto v) {
    const auto le = qToLittleEndian(v);
    b.append(reinterpret_cast<const char*>(&le), sizeof le);
  };
  put(c.rsi);
  put(c.rse);
  put(c.humidityClass);
  put(c.direction);
  put(c.umax);
  put(c.ti);
  put(c.te);
  put(c.phiI);
  put(c.phiE);
  return b;
}

bool sameConditions(const DesignConditions& a, const DesignConditions& b) {
  return conditionsBytes(a) == conditionsBytes(b);
}

// A message box of the real program takes the focus from the window while it
// is open; this stand-in does the same with a window of its own.
class FocusStealingDialogs : public ScriptedDialogs {
 public:
  ui::Answer message(const ui::MessageRequest& request) override {
    QWidget* previous = QApplication::activeWindow();
    QWidget box;
    box.show();
    box.activateWindow();
    (void)QTest::qWaitForWindowActive(&box);
    const ui::Answer answer = ScriptedDialogs::message(request);
    box.hide();
    if (previous) previous->activateWindow();  // as the window system does when a modal box closes
    return answer;
  }
};

// A stored Umax as a commit of the program would leave it.
void setUmax(double umax) {
  DesignConditions c = FormGlowna->project().conditions();
  c.umax = umax;
  FormGlowna->project().setConditions(c);
}

}  // namespace

class TestWarunkiPoczatkowe : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestEnvironment> env_;
  TFormWarunkiPoczatkowe* form() const { return FormWarunkiPoczatkowe; }
  QLineEdit* edit(const char* name) const { return form()->findChild<QLineEdit*>(QLatin1String(name)); }
  TRadioGroup* radio(const char* name) const { return form()->findChild<TRadioGroup*>(QLatin1String(name)); }
  QPushButton* button(const char* name) const { return form()->findChild<QPushButton*>(QLatin1String(name)); }
  [[nodiscard]] bool showActive() {
    form()->show();
    form()->activateWindow();
    return QTest::qWaitForWindowActive(form());
  }
  // Moves the focus out of `from` with Tab and lets the queued check run.
  void leave(QLineEdit* from) {
    from->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), from);
    QTest::keyClick(from, Qt::Key_Tab);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
  }

 private Q_SLOTS:
  void init() { env_ = std::make_unique<TestEnvironment>(); }
  void cleanup() { env_.reset(); }

  void startupValues() {
    ScriptedDialogs dialogs;
    env_->startProgram();
    const DesignConditions& c = gDesignConditions;
    QCOMPARE(c.rsi, 0.13);
    QCOMPARE(c.rse, 0.04);
    QCOMPARE(int(c.humidityClass), 0);
    QCOMPARE(c.direction, 1);
    QCOMPARE(c.umax, 0.0);
    QCOMPARE(c.ti, 20.0);
    QCOMPARE(c.te, -16.0);
    QCOMPARE(c.phiI, 55);
    QCOMPARE(c.phiE, 85);
    QVERIFY(form()->EditUmax->text().isEmpty());
    QCOMPARE(radio("RadioGroup1")->itemIndex(), 0);
    QCOMPARE(radio("RadioGroup2")->itemIndex(), 1);
    QVERIFY(!form()->isVisible());
    QCOMPARE(form()->minimumSize(), QSize(453, 480));
    QVERIFY(form()->windowFlags() & Qt::Tool);
    QVERIFY(!(form()->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(form()->TreeViewUmax->editTriggers() == QAbstractItemView::NoEditTriggers);

    // The shipped catalogue: the top-level "no requirement" entry and the
    // current external-wall requirement.
    QTreeWidgetItem* none = form()->TreeViewUmax->topLevelItem(0);
    QVERIFY(none);
    QCOMPARE(none->text(0), QStringLiteral("bez wymagań"));
    QCOMPARE(none->data(0, Qt::UserRole).toDouble(), 0.0);
    QTreeWidgetItem* wall =
        findItem(form()->TreeViewUmax, QStringLiteral("Wymagania od 2021 r./Ściany zewnętrzne/ti od 16 °C"));
    QVERIFY(wall);
    QCOMPARE(wall->data(0, Qt::UserRole).toDouble(), 0.20);
    QCOMPARE(wall->text(1), QStringLiteral("0,20"));  // Polish whatever the locale

    QVERIFY(showActive());
    QCOMPARE(QApplication::focusWidget(), form()->TreeViewUmax);
    // The tree's focus made a row current, which chooses nothing.
    QVERIFY(form()->EditUmax->text().isEmpty());
    QTest::keyClick(form(), Qt::Key_F1);
    QVERIFY(!dialogs.openedTargets.isEmpty());
    QVERIFY(dialogs.openedTargets.constFirst().endsWith(QStringLiteral("/Pomoc/12.htm")));
  }

  // A zone writes its te into the box, which stays editable; a typed te shows
  // its zone or none. The outer side and its openings are committed with the rest.
  void zoneAndOuterSide_data() {
    QTest::addColumn<int>("zone");
    QTest::addColumn<QString>("typedTe");
    QTest::addColumn<int>("side");
    QTest::addColumn<QString>("openings");
    QTest::addColumn<QString>("message");
    QTest::addColumn<double>("te");
    QTest::addColumn<double>("rse");  // the pass's outer surface resistance
    QTest::newRow("zone V, outdoor") << 4 << QString() << 0 << "0" << QString() << -24.0 << 0.04;
    QTest::newRow("typed zone II, well ventilated") << -1 << "-18" << 2 << "0" << QString() << -18.0 << 0.13;
    QTest::newRow("typed -17, unheated") << -1 << "-17" << 3 << "0" << QString() << -17.0 << 0.13;
    QTest::newRow("slightly ventilated, Av 1000")
        << 0 << QString() << 1 << "1000" << QString() << -16.0 << 0.085;
    QTest::newRow("openings negative")
        << 0 << QString() << 1 << "-5"
        << "Pole otworów wentylacyjnych musi być liczbą nieujemną" << -16.0 << 0.04;
    QTest::newRow("openings not a number") << 0 << QString() << 1 << "abc"
                                           << "'abc' is not a valid floating point value." << -16.0 << 0.04;
  }
  void zoneAndOuterSide() {
    QFETCH(int, zone);
    QFETCH(QString, typedTe);
    QFETCH(int, side);
    QFETCH(QString, openings);
    QFETCH(QString, message);
    QFETCH(double, te);
    QFETCH(double, rse);
    LocaleScope scope(QStringLiteral("pl_PL"));
    ScriptedDialogs dialogs;
    env_->startProgram();
    QVERIFY(showActive());
    auto* zones = form()->findChild<QComboBox*>(QStringLiteral("ComboBoxStrefa"));
    auto* sides = form()->findChild<QComboBox*>(QStringLiteral("ComboBoxStronaZewn"));
    QCOMPARE(zones->currentIndex(), 0);  // -16 degC at start-up is zone I
    if (zone >= 0) {
      zones->setCurrentIndex(zone);
      Q_EMIT zones->activated(zone);
    } else {
      edit("LabeledEditTZ")->setText(typedTe);
    }
    const int shownZone = te == -16 ? 0 : te == -18 ? 1 : te == -24 ? 4 : -1;
    QCOMPARE(zones->currentIndex(), shownZone);
    sides->setCurrentIndex(side);
    QCOMPARE(edit("EditOtwory")->isEnabled(), side == 1);
    edit("EditOtwory")->setText(openings);
    if (!message.isEmpty()) dialogs.expectMessage(message);
    QTest::mouseClick(button("Button2"), Qt::LeftButton);
    QVERIFY(dialogs.allUsed());
    QCOMPARE(gDesignConditions.te, te);
    QCOMPARE(int(gDesignConditions.outerSide.kind), message.isEmpty() ? side : 0);
    if (!message.isEmpty()) return;

    // The pass runs with that winter and that boundary: a 0.24 m wall of λ 0.6.
    veltor::LayerTable table;
    veltor::LayerRecord layer;
    layer.name = "Mur";
    layer.thickness = 0.24;
    layer.lambdaMedium = layer.lambdaHumid = 0.6;
    table.AppendLayer(layer);
    veltor::PartitionSummary summary;
    veltor::CalculatePartition(table, summary, gDesignConditions, gReferenceTables);
    QVERIFY(qAbs(summary.transmittance.rse - rse) < 1e-12);
    const double q = (20 - te) / (0.13 + 0.4 + rse);
    QVERIFY(qAbs(table.at(0).outerTemperature - (te + rse * q)) < 1e-9);
  }

  // While typing, a box that holds no value is red and says why in its tip and
  // in the main window's status bar, and asks nothing.
  void typingSaysWhyWithoutAsking() {
    ScriptedDialogs dialogs;
    env_->startProgram();
    QVERIFY(showActive());
    QLineEdit* e = form()->LabeledEditTW;
    e->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), e);
    e->selectAll();
    QTest::keyClicks(e, QStringLiteral("2x"));
    const QString why = NotANumber(QStringLiteral("2x"));
    QCOMPARE(e->toolTip(), why);
    QCOMPARE(FormGlowna->statusBar()->currentMessage(), why);
    QCOMPARE(e->palette().color(QPalette::Text), QColor(Qt::red));
    QTest::keyClick(e, Qt::Key_Backspace);
    QCOMPARE(e->toolTip(), QString());
    QCOMPARE(FormGlowna->statusBar()->currentMessage(), QString());
    QVERIFY(dialogs.shownMessages.isEmpty());
  }

  // φi on the other side of 75 % than the chosen class is pointed out.
  void humidityNote_data() {
    QTest::addColumn<QString>("phi");
    QTest::addColumn<int>("humidityClass");
    QTest::addColumn<bool>("note");
    QTest::newRow("55 %, medium-humid") << "55" << 0 << false;
    QTest::newRow("75 %, medium-humid") << "75" << 0 << true;
    QTest::newRow("74,5 %, humid") << "74,5" << 1 << true;
    QTest::newRow("80 %, humid") << "80" << 1 << false;
  }
  void humidityNote() {
    QFETCH(QString, phi);
    QFETCH(int, humidityClass);
    env_->startProgram();
    form()->RadioGroup1->setItemIndex(humidityClass);
    form()->LabeledEditWW->setText(phi);
    QTEST(!form()->LabelUwagaWilgotnosc->isHidden(), "note");
  }

  void directionCommitted_data() {
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("humidityClass");
    QTest::addColumn<double>("rsi");
    QTest::newRow("upward, medium-humid") << 0 << 0 << 0.10;
    QTest::newRow("horizontal, humid") << 1 << 1 << 0.13;
    QTest::newRow("downward, humid") << 2 << 1 << 0.17;
  }
  void directionCommitted() {
    QFETCH(int, direction);
    QFETCH(int, humidityClass);
    QFETCH(double, rsi);
    ScriptedDialogs dialogs;
    env_->startProgram();
    QVERIFY(showActive());
    QTest::mouseClick(form()->findChild<QWidget*>(QStringLiteral("RadioGroup2Item%1").arg(direction)),
                      Qt::LeftButton);
    QTest::mouseClick(form()->findChild<QWidget*>(QStringLiteral("RadioGroup1Item%1").arg(humidityClass)),
                      Qt::LeftButton);
    QTest::mouseClick(button("Button2"), Qt::LeftButton);
    QCOMPARE(gDesignConditions.direction, direction);
    QCOMPARE(int(gDesignConditions.humidityClass), humidityClass);
    QCOMPARE(gDesignConditions.rsi, rsi);
    QCOMPARE(gDesignConditions.rse, 0.04);
    QVERIFY(form()->isVisible());
  }

  void temperatureLeft_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString range = QStringLiteral("Dopuszczalne wartości: -40.0 ÷ 30.9");
    QTest::newRow("lowest bound, comma") << "pl_PL"
                                         << "LabeledEditTW"
                                         << "-40,0" << QString();
    QTest::newRow("zone V") << "pl_PL"
                            << "LabeledEditTZ"
                            << "-24" << QString();
    QTest::newRow("highest bound, point") << "en_US"
                                          << "LabeledEditTZ"
                                          << "30.9" << QString();
    QTest::newRow("below range") << "pl_PL"
                                 << "LabeledEditTW"
                                 << "-40,1" << range;
    QTest::newRow("above range") << "en_US"
                                 << "LabeledEditTZ"
                                 << "31" << range;
    QTest::newRow("just above range") << "pl_PL"
                                      << "LabeledEditTZ"
                                      << "30,91" << range;
    QTest::newRow("point under comma locale") << "pl_PL"
                                              << "LabeledEditTW"
                                              << "20.5" << QString();
    QTest::newRow("comma under point locale") << "en_US"
                                              << "LabeledEditTZ"
                                              << "-5,5" << QString();
    QTest::newRow("no number") << "pl_PL"
                               << "LabeledEditTW"
                               << "20,5a"
                               << "'20,5a' is not a valid floating point value.";
  }
  void temperatureLeft() {
    QFETCH(QString, locale);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    LocaleScope scope(locale);
    ScriptedDialogs dialogs;
    env_->startProgram();
    QVERIFY(showActive());
    QLineEdit* e = edit(field.toLatin1().constData());
    e->setText(text);
    const bool rangeRefusal = message.startsWith(QStringLiteral("Dopuszczalne"));
    if (!message.isEmpty()) dialogs.expectMessage(message);
    leave(e);
    QVERIFY(dialogs.allUsed());
    QCOMPARE(e->text(), text);
    if (rangeRefusal)
      QCOMPARE(QApplication::focusWidget(), e);
    else
      QVERIFY(QApplication::focusWidget() != e);
    if (rangeRefusal) QCOMPARE(dialogs.shownMessages.constLast().kind, ui::MessageKind::Error);
  }

  void humidityLeft_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("shown");
    QTest::newRow("zero") << "pl_PL"
                          << "0" << false << "0";
    QTest::newRow("hundred") << "en_US"
                             << "100" << false << "100";
    QTest::newRow("fraction truncated") << "pl_PL"
                                        << "55,9" << false << "55";
    QTest::newRow("above hundred, comma") << "pl_PL"
                                          << "100,5" << true << "100";
    QTest::newRow("above hundred, point") << "en_US"
                                          << "100.5" << true << "100";
    QTest::newRow("small negative") << "pl_PL"
                                    << "-0,5" << true << "0";
    QTest::newRow("far above") << "pl_PL"
                               << "150,5" << true << "150";
  }
  void humidityLeft() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, refused);
    QFETCH(QString, shown);
    LocaleScope scope(locale);
    ScriptedDialogs dialogs;
    env_->startProgram();
    QVERIFY(showActive());
    for (const char* name : {"LabeledEditWW", "LabeledEditWZ"}) {
      QLineEdit* e = edit(name);
      e->setText(text);
      if (refused) dialogs.expectMessage(QStringLiteral("Dopuszczalne wartości: 0 ÷ 100"));
      leave(e);
      QVERIFY(dialogs.allUsed());
      QCOMPARE(e->text(), shown);
      QCOMPARE(QApplication::focusWidget() == e, refused);
    }
  }

  void humidityNotANumber() {
    ScriptedDialogs dialogs;
    env_->startProgram();
    QVERIFY(showActive());
    edit("LabeledEditWW")->setText(QStringLiteral("dużo"));
    dialogs.expectMessage(QStringLiteral("'dużo' is not a valid floating point value."));
    leave(edit("LabeledEditWW"));
    QVERIFY(dialogs.allUsed());
    QCOMPARE(edit("LabeledEditWW")->text(), QStringLiteral("dużo"));
  }

  // The check runs when the designer leaves a box, not when the focus goes to
  // another window or comes back to the refused box.
  void noSpuriousChecks() {
    FocusStealingDialogs dialogs;
    env_->startProgram();
    QVERIFY(showActive());
    QLineEdit* tw = edit("LabeledEditTW");
    tw->setText(QStringLiteral("-41"));
    edit("LabeledEditTZ")->setText(QStringLiteral("99"));  // would be refused if checked
    dialogs.expectMessage(QStringLiteral("Dopuszczalne wartości: -40.0 ÷ 30.9"));
    leave(tw);  // lands in TZ; the box takes the focus away and it comes back to TW
    QTest::qWait(20);
    QVERIFY(dialogs.allUsed());
    QVERIFY(QTest::qWaitForWindowActive(form()));
    QCOMPARE(QApplication::focusWidget(), tw);

    // Hiding the window with a bad value in the focused box says nothing; the
    // main window takes over, as it does in the program.
    form()->hide();
    FormGlowna->show();
    FormGlowna->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FormGlowna));
    QTest::qWait(20);
    QCOMPARE(dialogs.shownMessages.size(), 1);

    // Leaving it again does check again.
    QVERIFY(showActive());
    dialogs.expectMessage(QStringLiteral("Dopuszczalne wartości: -40.0 ÷ 30.9"));
    leave(tw);
    QTest::qWait(20);
    QVERIFY(dialogs.allUsed());
  }

  void requirementChosen_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("umax");
    QTest::newRow("no requirement")
        << "pl_PL"
        << "Wymagania od 2021 r./Ściany nieogrzewanych kondygnacji podziemnych/bez wymagań"
        << "bez wymagań" << 0.0;
    QTest::newRow("wall, comma") << "pl_PL"
                                 << "Wymagania od 2021 r./Ściany zewnętrzne/ti od 8 °C do poniżej 16 °C"
                                 << "0,45" << 0.45;
    QTest::newRow("roof, point") << "en_US"
                                 << "Wymagania od 2021 r./Dachy, stropodachy i stropy pod nieogrzewanymi "
                                    "poddaszami lub nad przejazdami/ti od 16 °C"
                                 << "0,15" << 0.15;
  }
  void requirementChosen() {
    QFETCH(QString, locale);
    QFETCH(QString, path);
    QFETCH(QString, shown);
    QFETCH(double, umax);
    LocaleScope scope(locale);
    ScriptedDialogs dialogs;
    env_->startProgram();
    QVERIFY(showActive());
    form()->EditUmax->setText(QStringLiteral("9"));
    setUmax(9);
    QTreeWidgetItem* item = findItem(form()->TreeViewUmax, path);
    QVERIFY(item);
    // A group changes nothing, but opens.
    QTreeWidgetItem* group = item->parent();
    form()->TreeViewUmax->setCurrentItem(group);
    QCOMPARE(form()->EditUmax->text(), QStringLiteral("9"));
    QVERIFY(group->isExpanded());
    form()->TreeViewUmax->setCurrentItem(item);
    QCOMPARE(form()->EditUmax->text(), shown);
    QCOMPARE(gDesignConditions.umax, 9.0);  // not before the commit
    QTest::mouseClick(button("Button2"), Qt::LeftButton);
    QCOMPARE(gDesignConditions.umax, umax);
  }

  void umaxTyped_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("umax");
    QTest::newRow("comma locale") << "pl_PL"
                                  << "0,35" << 0.35;
    QTest::newRow("point locale") << "en_US"
                                  << "0.35" << 0.35;
    QTest::newRow("empty") << "pl_PL"
                           << "" << 0.0;
    QTest::newRow("no requirement text") << "en_US"
                                         << "bez wymagań" << 0.0;
  }
  void umaxTyped() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(double, umax);
    LocaleScope scope(locale);
    ScriptedDialogs dialogs;
    env_->startProgram();
    setUmax(7);
    form()->EditUmax->setText(text);
    QVERIFY(form()->CommitConditions());
    QCOMPARE(gDesignConditions.umax, umax);
  }

  // A failing field stops the commit there: the fields before it are stored,
  // it and the ones after it keep their values, and the button goes no further.
  void commitStopsAtFailingField_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("umax not a number") << "EditUmax"
                                       << "abc"
                                       << "'abc' is not a valid floating point value.";
    // A project saved with it could not be opened again.
    QTest::newRow("umax negative") << "EditUmax"
                                   << "-0,3"
                                   << "Wartość Umax nie może być ujemna";
    QTest::newRow("umax absurd") << "EditUmax"
                                 << "25"
                                 << "Wartość Umax nie może przekraczać 10 W/(m²K)";
    QTest::newRow("indoor temperature too high") << "LabeledEditTW"
                                                 << "35"
                                                 << "Dopuszczalne wartości: -40.0 ÷ 30.9";
    QTest::newRow("outdoor temperature too low") << "LabeledEditTZ"
                                                 << "-45"
                                                 << "Dopuszczalne wartości: -40.0 ÷ 30.9";
    QTest::newRow("indoor humidity not an integer") << "LabeledEditWW"
                                                    << "55,5"
                                                    << "'55,5' is not a valid integer value.";
    QTest::newRow("outdoor humidity too high") << "LabeledEditWZ"
                                               << "101"
                                               << "Dopuszczalne wartości: 0 ÷ 100";
  }
  void commitStopsAtFailingField() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    LocaleScope scope(QStringLiteral("pl_PL"));
    ScriptedDialogs dialogs;
    env_->startProgram();
    QVERIFY(showActive());
    setUmax(0.5);
    const DesignConditions before = gDesignConditions;
    radio("RadioGroup2")->setItemIndex(2);
    radio("RadioGroup1")->setItemIndex(1);
    edit("LabeledEditTW")->setText(QStringLiteral("18,5"));
    edit("LabeledEditTZ")->setText(QStringLiteral("-20"));
    edit("LabeledEditWW")->setText(QStringLiteral("60"));
    edit("LabeledEditWZ")->setText(QStringLiteral("90"));
    form()->EditUmax->setText(QStringLiteral("0,3"));
    QLineEdit* failing = form()->findChild<QLineEdit*>(field);
    failing->setText(text);
    dialogs.expectMessage(message);
    // The button that does most after its commit: it would hide the window.
    QTest::mouseClick(button("ButtonAnuluj"), Qt::LeftButton);
    QVERIFY(dialogs.allUsed());
    QVERIFY(form()->isVisible());
    QVERIFY(!FormWarstwy->isVisible());

    // All fields or none: the fields before the failing one are not kept
    // either, so the commit is one step to undo.
    QVERIFY(sameConditions(gDesignConditions, before));
    QCOMPARE(gDesignConditions.direction, 1);
    QCOMPARE(gDesignConditions.umax, 0.5);
    QCOMPARE(QApplication::focusWidget(), failing);
  }

  void buttonsAfterCommit_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("staysVisible");
    QTest::addColumn<QString>("shownWindow");
    QTest::newRow("Zatwierdź") << "Button2" << true << QString();
    QTest::newRow("Zamknij") << "ButtonZamknij" << false << QString();
    QTest::newRow("Wstecz") << "Button1" << false << "FormDaneProj";
    QTest::newRow("Dowolny dobór") << "ButtonAnuluj" << false << "FormWarstwy";
    // The wizard's action hides this window once the committed Umax lets it start.
    QTest::newRow("systemy VELTOR") << "Button3" << false << "FormSystem1";
  }
  void buttonsAfterCommit() {
    QFETCH(QString, button);
    QFETCH(bool, staysVisible);
    QFETCH(QString, shownWindow);
    ScriptedDialogs dialogs;
    env_->startProgram();
    QVERIFY(showActive());
    edit("LabeledEditTW")->setText(QStringLiteral("21"));
    form()->EditUmax->setText(QStringLiteral("1"));
    QTest::mouseClick(form()->findChild<QPushButton*>(button), Qt::LeftButton);
    QCOMPARE(gDesignConditions.ti, 21.0);
    QCOMPARE(gDesignConditions.umax, 1.0);
    QCOMPARE(form()->isVisible(), staysVisible);
    if (!shownWindow.isEmpty()) QVERIFY(FormGlowna->findChild<QWidget*>(shownWindow)->isVisible());
  }

  void catalogue_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QString>("message");
    auto cp = [](const char* utf8) { return veltor::ToCp1250(QString::fromUtf8(utf8)); };
    QTest::newRow("groups, subgroups and both item kinds")
        << cp("[Ściany]\r\n*Zewnętrzne\r\n@ti od 16°C\r\n0.2\r\n#ogólne\r\n0.3\r\n")
        << "Ściany(Zewnętrzne(ti od 16°C=0.2);ogólne=0.3)" << QString();
    QTest::newRow("lone bracket") << QByteArray("[\r\n#a\r\n0.5\r\n") << "(a=0.5)" << QString();
    QTest::newRow("item before any subgroup")
        << QByteArray("@a\r\n0.25\r\n[G]\r\n#b\r\n1\r\n") << "a=0.25;G(b=1)" << QString();
    QTest::newRow("LF ends, blanks, rest of line")
        << QByteArray("[G]\n#a\n\n   0.45 reszta\n#b\n1e-1\n") << "G(a=0.45;b=0.1)" << QString();
    QTest::newRow("value missing at the end") << QByteArray("[G]\r\n#a") << "G(a=0)" << QString();
    QTest::newRow("comments and other lines")
        << QByteArray(";[X]\r\n\r\nxyz\r\n [Y]\r\n[G]\r\n") << "G" << QString();
    QTest::newRow("bad number keeps the nodes before it")
        << QByteArray("[G]\r\n#a\r\n0.3\r\n#b\r\n0,3\r\n#c\r\n0.1\r\n") << "G(a=0.3;b)"
        << "Invalid numeric input.";
    QTest::newRow("empty file") << QByteArray() << "" << QString();
  }
  void catalogue() {
    QFETCH(QByteArray, content);
    QFETCH(QString, tree);
    QFETCH(QString, message);
    LocaleScope scope(QStringLiteral("pl_PL"));  // the file's point syntax does not follow it
    ScriptedDialogs dialogs;
    if (!message.isEmpty()) dialogs.expectMessage(message);
    env_->writeFile(QStringLiteral("Dane/maksymalne.txt"), content);
    env_->startProgram();
    QVERIFY(dialogs.allUsed());
    QCOMPARE(dumpTree(form()->TreeViewUmax), tree);
    // A failed load never reaches the commit: the conditions stay all zero.
    QCOMPARE(gDesignConditions.rsi, message.isEmpty() ? 0.13 : 0.0);
    QCOMPARE(gDesignConditions.ti, message.isEmpty() ? 20.0 : 0.0);
  }

  void catalogueMissing() {
    ScriptedDialogs dialogs;
    dialogs.expectMessage(QStringLiteral("File not found."));
    env_->removeFile(QStringLiteral("Dane/maksymalne.txt"));
    env_->startProgram();
    QVERIFY(dialogs.allUsed());
    QVERIFY(form());
    QCOMPARE(form()->TreeViewUmax->topLevelItemCount(), 0);
    QVERIFY(sameConditions(gDesignConditions, DesignConditions{}));
    // The first commit brings the controls in.
    QVERIFY(form()->CommitConditions());
    QCOMPARE(gDesignConditions.rsi, 0.13);
    QCOMPARE(gDesignConditions.phiE, 85);
  }

  void sectionLayout() {
    ScriptedDialogs dialogs;
    env_->startProgram();
    DesignConditions c;
    c.rsi = 0.17;
    c.rse = 0.04;
    c.humidityClass = 1;
    c.direction = 2;
    c.umax = 0.25;
    c.ti = 18.5;
    c.te = -20.9;
    c.phiI = 60;
    c.phiE = 100;
    FormGlowna->project().setConditions(c);
    form()->EditUmax->setText(QStringLiteral("5"));  // not committed, so not saved
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    form()->SaveToProject(buffer);
    const QByteArray bytes = buffer.data();
    QCOMPARE(bytes.size(), 53);
    QCOMPARE(bytes, conditionsBytes(c));
    QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 17), 2);
    QCOMPARE(qFromLittleEndian<double>(bytes.constData() + 21), 0.25);
    QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 49), 100);
  }

  void loadRefreshesWindow_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("humidityClass");
    QTest::addColumn<int>("direction");
    QTest::addColumn<double>("umax");
    QTest::addColumn<QString>("umaxText");
    QTest::addColumn<double>("rsi");
    QTest::addColumn<QString>("teText");
    QTest::addColumn<QString>("node");  // where the first requirement of that value is; empty: none
    QTest::newRow("downward, comma") << "pl_PL" << 1 << 2 << 0.25 << "0,25" << 0.17 << "\u221220,9"
                                     << "Stropy nad p";
    QTest::newRow("upward, typed") << "en_US" << 0 << 0 << 0.125 << "0,125" << 0.10 << "\u221220,9"
                                   << "";
    QTest::newRow("no requirement") << "pl_PL" << 0 << 1 << 0.0 << "bez wymagań" << 0.13 << "\u221220,9"
                                    << "bez wymagań";
    // A class byte other than 0 and 1 is kept as read; the window's choice stays.
    QTest::newRow("odd class byte") << "pl_PL" << 7 << 1 << 1.0 << "1" << 0.13 << "\u221220,9"
                                    << "Ściany wew";
  }
  void loadRefreshesWindow() {
    QFETCH(QString, locale);
    QFETCH(int, humidityClass);
    QFETCH(int, direction);
    QFETCH(double, umax);
    QFETCH(QString, umaxText);
    QFETCH(double, rsi);
    QFETCH(QString, teText);
    QFETCH(QString, node);
    LocaleScope scope(locale);
    ScriptedDialogs dialogs;
    env_->startProgram();
    form()->TreeViewUmax->setCurrentItem(form()->TreeViewUmax->topLevelItem(1));
    radio("RadioGroup1")->setItemIndex(1);
    DesignConditions c;
    c.rsi = 9;  // replaced by the direction's value
    c.rse = 9;
    c.humidityClass = std::uint8_t(humidityClass);
    c.direction = direction;
    c.umax = umax;
    c.ti = 30.9;
    c.te = -20.9;
    c.phiI = 0;
    c.phiE = 100;
    QBuffer buffer;
    buffer.setData(conditionsBytes(c));
    buffer.open(QIODevice::ReadOnly);
    form()->LoadFromProject(buffer);
    QCOMPARE(buffer.pos(), 53);

    QCOMPARE(gDesignConditions.rsi, rsi);
    QCOMPARE(gDesignConditions.rse, 0.04);
    QCOMPARE(int(gDesignConditions.humidityClass), humidityClass);
    QCOMPARE(gDesignConditions.umax, umax);
    QCOMPARE(radio("RadioGroup1")->itemIndex(), humidityClass == 0 ? 0 : 1);
    QCOMPARE(radio("RadioGroup2")->itemIndex(), direction);
    QCOMPARE(form()->EditUmax->text(), umaxText);
    QCOMPARE(edit("LabeledEditTW")->text(), QStringLiteral("30,9"));
    QCOMPARE(edit("LabeledEditTZ")->text(), teText);
    QCOMPARE(edit("LabeledEditWW")->text(), QStringLiteral("0"));
    QCOMPARE(edit("LabeledEditWZ")->text(), QStringLiteral("100"));
    const QTreeWidgetItem* chosen = form()->TreeViewUmax->selectedItems().value(0);
    const QString path =
        chosen ? (chosen->parent() ? chosen->parent()->text(0) + "/" : "") + chosen->text(0) : "";
    QVERIFY2(node.isEmpty() ? !chosen : path.startsWith(node), qPrintable(path));

    // Saved again, the section is what was read, with the resistances of the direction.
    QBuffer again;
    again.open(QIODevice::WriteOnly);
    form()->SaveToProject(again);
    c.rsi = rsi;
    c.rse = 0.04;
    QCOMPARE(again.data(), conditionsBytes(c));
  }

  void loadRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QString refused = QStringLiteral("Plik projektu zawiera niedopuszczalne warunki początkowe");
    auto with = [](auto change) {
      DesignConditions c = DesignConditions::startupValues();
      change(c);
      return conditionsBytes(c);
    };
    QTest::newRow("indoor temperature") << with([](DesignConditions& c) { c.ti = 31; }) << refused;
    QTest::newRow("outdoor temperature") << with([](DesignConditions& c) { c.te = -40.1; }) << refused;
    QTest::newRow("temperature NaN") << with([](DesignConditions& c) {
      c.ti = std::numeric_limits<double>::quiet_NaN();
    }) << refused;
    QTest::newRow("indoor humidity") << with([](DesignConditions& c) { c.phiI = 101; }) << refused;
    QTest::newRow("outdoor humidity") << with([](DesignConditions& c) { c.phiE = -1; }) << refused;
    QTest::newRow("direction") << with([](DesignConditions& c) { c.direction = 3; }) << refused;
    QTest::newRow("umax infinite") << with([](DesignConditions& c) {
      c.umax = std::numeric_limits<double>::infinity();
    }) << refused;
    QTest::newRow("section cut short")
        << with([](DesignConditions&) {}).left(30) << veltor::IoError::messageFor(veltor::IoCode::EndOfFile);
  }
  void loadRefused() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    ScriptedDialogs dialogs;
    env_->startProgram();
    edit("LabeledEditTW")->setText(QStringLiteral("12"));
    form()->EditUmax->setText(QStringLiteral("0,3"));
    const DesignConditions before = gDesignConditions;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QString raised;
    try {
      form()->LoadFromProject(buffer);
    } catch (const veltor::Error& e) {
      raised = e.message();
    }
    QCOMPARE(raised, message);
    QVERIFY(sameConditions(gDesignConditions, before));
    QCOMPARE(edit("LabeledEditTW")->text(), QStringLiteral("12"));
    QCOMPARE(form()->EditUmax->text(), QStringLiteral("0,3"));
    QCOMPARE(radio("RadioGroup2")->itemIndex(), 1);
  }
};

QTEST_MAIN(TestWarunkiPoczatkowe)
#include "test_warunki_poczatkowe.moc"
