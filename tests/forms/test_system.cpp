// The system wizard driven through its controls on small System files of round
// values: masonry R = 0.9 at 0.36 m, insulation lambda 0.04, adhesive and
// render lambda 0.3, so that the insulation's thickness is worked out by hand.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <cmath>
#include <memory>

#include "calc/calculation.h"
#include "forms/appstate.h"
#include "forms/glowna.h"
#include "forms/system1.h"
#include "forms/system2.h"
#include "forms/system3.h"
#include "forms/system4.h"
#include "forms/warstwy.h"
#include "forms/warunki_poczatkowe.h"
#include "model/project.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

QByteArray Rec(const char* name, const char* pattern, double lambda, double thickness) {
  return QByteArray(name) + '\n' + pattern + '\n' + QByteArray::number(lambda) + '\n' +
         QByteArray::number(lambda) + "\n100\n1500\n" + QByteArray::number(thickness) + "\n900\n";
}

const QByteArray kMasonry = "[Ceglane]\n@Pelne\n#Mur 38\n" + Rec("Mur testowy", "cegl", 0.4, 0.38) +
                            "*Klinkier\n" + Rec("Klinkier", "cegl", 1, 0.25);
const QByteArray kInsulation =
    "[Izolacje]\n*EPS\n" + Rec("Bstyropian", "styr", 0.04, 0.1) + "*Welna\n" +
    Rec("Swelna", "welm", 0.04, 0.1) + "*Fenol\n" + Rec("Ffenol", "pian", 0.04, 0.1) + "*Male s\n" +
    Rec("sstyropian", "styr", 0.04, 0.1) + "*Bez litery\n" + Rec("Xinna", "izol", 0.04, 0.1);
// The adhesives' files say 1 cm; the wall gets 3 mm.
const QByteArray kAdhesives = "*Klej B\n" + Rec("KlejB", "tynk", 0.3, 0.01) + "*Klej S\n" +
                              Rec("KlejS", "tynk", 0.3, 0.01) + "*Klej F\n" + Rec("KlejF", "tynk", 0.3, 0.01);
const QByteArray kSystems = "[TALMO]\n*Tynk T\n" + Rec("TynkT", "tynk", 0.3, 0.002) + "[VIREN]\n*Tynk V\n" +
                            Rec("TynkV", "tynk", 0.3, 0.002) + "[DUSKAR]\n*Tynk D\n" +
                            Rec("TynkD", "tynk", 0.3, 0.002);

const QString kUmaxMissingText = QStringLiteral("Należy zdefiniować wartość Umax");
const QString kNoInsulation =
    QStringLiteral("Mur, klej i tynk spełniają wymaganie Uc ≤ Uc(max) bez izolacji termicznej.");

template <class T>
T* Find(QWidget* w, const char* name) {
  T* control = w->findChild<T*>(QString::fromLatin1(name));
  if (!control) qFatal("no control %s", name);
  return control;
}

void Pick(QTreeWidget* tree, const QString& label) {
  const auto found = tree->findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
  if (found.size() != 1) qFatal("no node %s", qPrintable(label));
  tree->setCurrentItem(found.first());
}

QStringList TopLevel(const QTreeWidget* tree) {
  QStringList labels;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) labels << tree->topLevelItem(i)->text(0);
  return labels;
}

QStringList Captions(const QListWidget* list) {
  QStringList captions;
  for (int i = 0; i < list->count(); ++i) captions << list->item(i)->text();
  return captions;
}

QStringList VisibleSteps() {
  QStringList visible;
  for (QWidget* w : {static_cast<QWidget*>(FormSystem1), static_cast<QWidget*>(FormSystem2),
                     static_cast<QWidget*>(FormSystem3), static_cast<QWidget*>(FormSystem4)})
    if (w->isVisible()) visible << w->objectName();
  return visible;
}

void Click(QWidget* window, const char* button) {
  Find<QPushButton>(window, button)->click();
}

}  // namespace

class TestSystem : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<LocaleScope> locale;
  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<ScriptedDialogs> dialogs;

  void start(const QByteArray& adhesives = kAdhesives) {
    env->writeFile(QStringLiteral("System/mur.txt"), kMasonry);
    env->writeFile(QStringLiteral("System/docieplenie.txt"), kInsulation);
    env->writeFile(QStringLiteral("System/kleje.txt"), adhesives);
    env->writeFile(QStringLiteral("System/systemy.txt"), kSystems);
    env->startProgram();
    gDesignConditions.direction = 1;
    gDesignConditions.setSurfaceResistancesFromDirection();
    gDesignConditions.umax = 0.3;
    // The hand figures here are of the wall without anchors.
    FormSystem4->CheckBoxLaczniki->setChecked(false);
  }
  // Steps 1 to 3 as a user goes through them, ending in step 4.
  void walk(const QString& insulation = QStringLiteral("EPS"), int render = 0) {
    FormGlowna->ExecuteAction(FormGlowna->ActionSystem);
    Pick(FormSystem1->TreeViewMur, QStringLiteral("Mur 38"));
    FormSystem1->EditGW->setText(QStringLiteral("0,36"));
    Click(FormSystem1, "ButtonDalej");
    Pick(FormSystem2->TreeViewDocieplenie, insulation);
    Click(FormSystem2, "ButtonDalej");
    Pick(FormSystem3->TreeViewSystemy, FormSystem3->TreeViewSystemy->topLevelItem(0)->child(0)->text(0));
    FormSystem3->ComboBoxTynk->setCurrentIndex(render);
    Click(FormSystem3, "ButtonDalej");
  }

 private Q_SLOTS:
  void init() {
    locale = std::make_unique<LocaleScope>(QStringLiteral("pl_PL"));
    env = std::make_unique<TestEnvironment>();
    dialogs = std::make_unique<ScriptedDialogs>();
  }
  void cleanup() {
    env.reset();
    dialogs.reset();
    locale.reset();
  }

  void stepWindows_data() {
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("caption");
    QTest::newRow("1") << "FormSystem1"
                       << "Mur";
    QTest::newRow("2") << "FormSystem2"
                       << "Materiał termoizolacyjny";
    QTest::newRow("3") << "FormSystem3"
                       << "Tynk cienkowarstwowy";
    QTest::newRow("4") << "FormSystem4"
                       << "Utworzona przegroda";
  }
  void stepWindows() {
    QFETCH(QString, step);
    QFETCH(QString, caption);
    start();
    auto* w = FormGlowna->findChild<QWidget*>(step);
    QVERIFY(w);
    ShowSystemStep(w);
    QCOMPARE(w->windowTitle(), caption + QStringLiteral(" – krok %1 z 4").arg(step.right(1)));
    QCOMPARE(w->size(), QSize(372, 423));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
    auto* image = Find<QLabel>(w, "Image1");
    QCOMPARE(image->geometry().left(), 0);
    QCOMPARE(image->width(), 105);
    QVERIFY(!image->pixmap().isNull());
    for (QPushButton* b : w->findChildren<QPushButton*>()) QCOMPARE(b->size(), QSize(75, 25));
  }

  void masonryThickness_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("kind");
    QTest::newRow("0") << "0"
                       << "Należy podać grubość muru." << int(ui::MessageKind::Warning);
    QTest::newRow("-0,2") << "-0,2"
                          << "Należy podać grubość muru." << int(ui::MessageKind::Warning);
    QTest::newRow("empty") << ""
                           << "Należy podać grubość muru." << int(ui::MessageKind::Warning);
    QTest::newRow("0,2x is no number")
        << "0,2x"
        << "'0,2x' is not a valid floating point value." << int(ui::MessageKind::Error);
    QTest::newRow("0.25 with a point passes") << "0.25" << QString() << -1;
    QTest::newRow("0,25 passes") << "0,25" << QString() << -1;
  }
  void masonryThickness() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, kind);
    start();
    FormGlowna->ExecuteAction(FormGlowna->ActionSystem);
    Pick(FormSystem1->TreeViewMur, QStringLiteral("Mur 38"));
    FormSystem1->EditGW->setText(text);
    if (!message.isEmpty()) dialogs->expectMessage(message);
    Click(FormSystem1, "ButtonDalej");
    QVERIFY(dialogs->allUsed());
    if (!message.isEmpty()) QCOMPARE(int(dialogs->shownMessages.constLast().kind), kind);
    QCOMPARE(VisibleSteps(), QStringList{message.isEmpty() ? "FormSystem2" : "FormSystem1"});
  }

  void masonryEntryProposesItsThickness() {
    start();
    FormGlowna->ExecuteAction(FormGlowna->ActionSystem);
    auto* dalej = Find<QPushButton>(FormSystem1, "ButtonDalej");
    QVERIFY(!dalej->isEnabled());
    Pick(FormSystem1->TreeViewMur, QStringLiteral("Mur 38"));
    QCOMPARE(FormSystem1->EditGW->text(), QStringLiteral("0,38"));
    QVERIFY(dalej->isEnabled());
    Pick(FormSystem1->TreeViewMur, QStringLiteral("Pelne"));
    QCOMPARE(FormSystem1->EditGW->text(), QStringLiteral("0,38"));
    QVERIFY(!dalej->isEnabled());
  }

  // The adhesive follows the insulation's first letter and the family follows
  // the adhesive when step 2 is closed, here with its close box.
  void adhesiveAndFamily_data() {
    QTest::addColumn<QStringList>("picks");
    QTest::addColumn<int>("adhesive");
    QTest::addColumn<QString>("family");
    QTest::newRow("B") << QStringList{"EPS"} << 0 << "TALMO";
    QTest::newRow("S") << QStringList{"Welna"} << 1 << "VIREN";
    QTest::newRow("S, then F") << QStringList{"Welna", "Fenol"} << 2 << "DUSKAR";
    QTest::newRow("S, then lower-case s") << QStringList{"Welna", "Male s"} << 1 << "VIREN";
  }
  void adhesiveAndFamily() {
    QFETCH(QStringList, picks);
    QFETCH(int, adhesive);
    QFETCH(QString, family);
    start();
    ShowSystemStep(FormSystem2);
    for (const QString& pick : picks) {
      Pick(FormSystem2->TreeViewDocieplenie, pick);
      // Each family is offered in turn, as the user goes back and forth.
      FormSystem2->close();
      ShowSystemStep(FormSystem2);
    }
    QCOMPARE(FormSystem2->ListViewKlej->currentRow(), adhesive);
    QVERIFY(Find<QPushButton>(FormSystem2, "ButtonDalej")->isEnabled());
    FormSystem2->close();
    for (int showing = 0; showing < 2; ++showing) {
      ShowSystemStep(FormSystem3);
      QCOMPARE(TopLevel(FormSystem3->TreeViewSystemy), QStringList{family});
      QCOMPARE(FormSystem3->TreeViewSystemy->topLevelItem(0)->childCount(), 1);
      QVERIFY(!Find<QPushButton>(FormSystem3, "ButtonDalej")->isEnabled());
      FormSystem3->hide();
    }
  }

  // Step 4 needs an adhesive with a record; without one step 2 cannot go on
  // and says which one is missing.
  void adhesiveMissing_data() {
    QTest::addColumn<QByteArray>("adhesives");
    QTest::addColumn<QStringList>("picks");
    QTest::addColumn<QString>("message");
    QTest::newRow("present") << kAdhesives << QStringList{"EPS"} << QString();
    QTest::newRow("no letter, none chosen before") << kAdhesives << QStringList{"Bez litery"} << "B, S ani F";
    QTest::newRow("group line at the position")
        << "[Kleje]\n" + kAdhesives << QStringList{"EPS"} << "literą B";
    QTest::newRow("too few adhesives") << kAdhesives.left(kAdhesives.indexOf("*Klej F"))
                                       << QStringList{"EPS", "Fenol"} << "literą F (pozycja 3";
  }
  void adhesiveMissing() {
    QFETCH(QByteArray, adhesives);
    QFETCH(QStringList, picks);
    QFETCH(QString, message);
    start(adhesives);
    ShowSystemStep(FormSystem2);
    for (const QString& pick : picks) Pick(FormSystem2->TreeViewDocieplenie, pick);
    QCOMPARE(Find<QPushButton>(FormSystem2, "ButtonDalej")->isEnabled(), message.isEmpty());
    QCOMPARE(FormSystem2->LabelBrakKleju->isVisible(), !message.isEmpty());
    QVERIFY2(FormSystem2->LabelBrakKleju->text().contains(message),
             qPrintable(FormSystem2->LabelBrakKleju->text()));
    QCOMPARE(FormSystem2->SelectedAdhesive() != nullptr, message.isEmpty());
  }

  void createdPartition_data() {
    QTest::addColumn<int>("render");
    QTest::addColumn<double>("renderThickness");
    QTest::addColumn<QString>("u");
    // d = 0.04 * (1/0.3 - 0.13 - 0.04 - (0.9 + 0.01 + t / 0.3)): 0.08993 and
    // 0.08947, both rounded up to 0.09; U = 1 / (0.17 + 0.915 + 2.25) and
    // 1 / (0.17 + 0.92667 + 2.25).
    QTest::newRow("1,5 mm") << 0 << 0.0015 << "0,300";
    QTest::newRow("5 mm") << 3 << 0.005 << "0,299";
  }
  void createdPartition() {
    QFETCH(int, render);
    QFETCH(double, renderThickness);
    start();
    walk(QStringLiteral("EPS"), render);
    // Back to step 3 and forward again builds the same wall, not a second one.
    Click(FormSystem4, "ButtonWstecz");
    Pick(FormSystem3->TreeViewSystemy, QStringLiteral("Tynk T"));
    Click(FormSystem3, "ButtonDalej");
    QCOMPARE(VisibleSteps(), QStringList{"FormSystem4"});
    QCOMPARE(Captions(FormSystem4->ListViewPrzegroda),
             (QStringList{"Mur testowy", "Bstyropian", "KlejB", "TynkT"}));
    veltor::LayerTable& layers = FormSystem4->Layers();
    QCOMPARE(layers.at(0).thickness, 0.36);
    QCOMPARE(layers.at(2).thickness, 0.003);
    QCOMPARE(layers.at(3).thickness, renderThickness);
    const double d = 0.04 * (1 / 0.3 - 0.17 - (0.36 / 0.4 + 0.003 / 0.3 + renderThickness / 0.3));
    // Exactly the thickness shown, whole centimetres above d.
    QVERIFY(layers.at(1).thickness == 0.09 && d < 0.09);
    QCOMPARE(FormSystem4->StaticTextGW->text(), QStringLiteral("0,09"));
    QCOMPARE(FormSystem4->StaticTextUmax->text(), QStringLiteral("0,30"));
    // The results are those of the wall as built, at or below Umax.
    QVERIFY(std::abs(layers.at(1).resistance - layers.at(1).thickness / 0.04) < 1e-15);
    QVERIFY(FormSystem4->Summary().u <= 0.3);
    QTEST(FormSystem4->StaticTextU->text(), "u");
    QCOMPARE(FormSystem4->ListViewPrzegrodaInfoTip(0),
             QStringLiteral(
                 "Numer warstwy = 1\r\nOpór cieplny R = 0,9 [m²K/W]\r\nOpór dyfuzyjny r = 3600 [m²·h·Pa/g]"));
    QVERIFY(Find<QPushButton>(FormSystem4, "ButtonZakoncz")->isEnabled());
  }

  // Anchors of n per m² and χp each: the insulation is sized for
  // Uc = 1/RT + n·χp = Umax, d = 0.04 · (1/(0.3 − n·χp) − 1.085) rounded up to
  // whole centimetres, the others being 0.17 + 0.9 + 0.01 + 0.005 = 1.085;
  // "Zakończ" gives the project the wall and the correction, one undo takes both.
  void createdPartitionWithAnchors_data() {
    QTest::addColumn<bool>("anchors");
    QTest::addColumn<QString>("n");
    QTest::addColumn<QString>("chiP");
    QTest::addColumn<double>("board");
    QTest::addColumn<QString>("uc");
    // d = 0.09549 -> 0.10; Uc = 1/3.585 + 0.012.
    QTest::newRow("typical 6 anchors, as shown") << true << ""
                                                 << "" << 0.10 << "0,291";
    // d = 0.10394 -> 0.11; Uc = 1/3.835 + 0.024.
    QTest::newRow("8 anchors of 0,003") << true << "8"
                                        << "0,003" << 0.11 << "0,285";
    QTest::newRow("no anchors") << false << ""
                                << "" << 0.09 << "0,300";
    // A refused box is told and builds no wall to finish with.
    QTest::newRow("chi_p refused") << true << "6"
                                   << "0" << 0.0 << "";
  }
  void createdPartitionWithAnchors() {
    QFETCH(bool, anchors);
    QFETCH(QString, n);
    QFETCH(QString, chiP);
    QFETCH(double, board);
    start();
    FormSystem4->CheckBoxLaczniki->setChecked(anchors);
    // The typical value is in the window for the designer to see.
    QCOMPARE(FormSystem4->EditLiczbaLacznikow->text(), QStringLiteral("6"));
    QCOMPARE(FormSystem4->EditChiP->text(), QStringLiteral("0,002"));
    QVERIFY(Find<QLabel>(FormSystem4, "LabelLaczniki")->text().contains("aprobaty/oceny technicznej"));
    if (!n.isEmpty()) FormSystem4->EditLiczbaLacznikow->setText(n);
    if (!chiP.isEmpty()) FormSystem4->EditChiP->setText(chiP);
    if (board == 0) {
      dialogs->expectMessage(
          QStringLiteral("χp jednego łącznika: Wartość musi być większa od 0 i nie większa niż 1"));
      walk();
      QVERIFY(dialogs->allUsed());
      QCOMPARE(FormSystem4->LayerCount(), 0);
      QVERIFY(!Find<QPushButton>(FormSystem4, "ButtonZakoncz")->isEnabled());
      return;
    }
    walk();
    QCOMPARE(FormSystem4->Layers().at(1).thickness, board);
    QTEST(FormSystem4->StaticTextUc->text(), "uc");
    QVERIFY(FormSystem4->Summary().transmittance.uc <= 0.3);
    Project& project = FormGlowna->project();
    const int steps = project.undoStack().count();
    const veltor::UCorrections before = project.conditions().corrections;
    Click(FormSystem4, "ButtonZakoncz");
    const veltor::FastenerCorrection& f = project.conditions().corrections.fasteners;
    QCOMPARE(f.method, anchors ? veltor::FastenerMethod::PointTransmittance : veltor::FastenerMethod::None);
    QCOMPARE(f.perSquareMetre * f.chiP, FormSystem4->Summary().transmittance.deltaFasteners);
    QCOMPARE(project.layers().size(), 4);
    QCOMPARE(project.undoStack().count(), steps + 1);
    project.undoStack().undo();
    QCOMPARE(project.layers().size(), 0);
    QVERIFY(project.conditions().corrections == before);
  }

  // When masonry, adhesive and render already reach Umax the wall gets no
  // insulation layer, also when d is a rounding remainder above 0.
  void noInsulationNeeded_data() {
    QTest::addColumn<double>("umax");
    QTest::newRow("the others exceed Umax") << 2.0;
    // d comes out at +8.9e-18 m.
    QTest::newRow("the others meet Umax exactly")
        << std::nextafter(1.0 / (0.13 + 0.04 + (0.36 / 0.4 + 0.003 / 0.3 + 0.0015 / 0.3)), 0.0);
  }
  void noInsulationNeeded() {
    QFETCH(double, umax);
    start();
    gDesignConditions.umax = umax;
    dialogs->expectMessage(kNoInsulation);
    walk();
    QVERIFY(dialogs->allUsed());
    QCOMPARE(Captions(FormSystem4->ListViewPrzegroda), (QStringList{"Mur testowy", "KlejB", "TynkT"}));
    QCOMPARE(FormSystem4->StaticTextGW->text(), QStringLiteral("0,00"));
    Click(FormSystem4, "ButtonZakoncz");
    QCOMPARE(TopLevel(FormWarstwy->ListViewMaterialy), (QStringList{"Mur testowy", "KlejB", "TynkT"}));
  }

  void umaxSetToZeroWhileTheWizardIsOpen() {
    start();
    walk();
    QCOMPARE(FormSystem4->LayerCount(), 4);
    FormSystem4->hide();
    gDesignConditions.umax = 0;
    dialogs->expectMessage(kUmaxMissingText);
    ShowSystemStep(FormSystem4);
    QVERIFY(dialogs->allUsed());
    QCOMPARE(dialogs->shownMessages.constLast().kind, ui::MessageKind::Error);
    QCOMPARE(FormSystem4->LayerCount(), 0);
    QCOMPARE(FormSystem4->ListViewPrzegroda->count(), 0);
    QVERIFY(!Find<QPushButton>(FormSystem4, "ButtonZakoncz")->isEnabled());
    FormSystem4->hide();
    gDesignConditions.umax = 0.3;
    ShowSystemStep(FormSystem4);
    QCOMPARE(FormSystem4->LayerCount(), 4);
    QVERIFY(Find<QPushButton>(FormSystem4, "ButtonZakoncz")->isEnabled());
  }

  // "Zakończ" replaces whatever the layer table holds and shows the wall there,
  // meeting Umax without a warning.
  void finishReplacesTheLayerTable_data() {
    QTest::addColumn<bool>("layerWindowOpen");
    QTest::newRow("layer window hidden") << false;
    QTest::newRow("layer window open") << true;
  }
  void finishReplacesTheLayerTable() {
    QFETCH(bool, layerWindowOpen);
    start();
    walk();
    auto added = std::make_unique<veltor::LayerRecord>();
    added->name = "Dodana w międzyczasie";
    added->lambdaMedium = added->lambdaHumid = 1;
    added->thickness = 0.1;
    FormWarstwy->AppendLayer(std::move(added));
    FormWarstwy->setVisible(layerWindowOpen);
    Click(FormSystem4, "ButtonZakoncz");
    QCOMPARE(TopLevel(FormWarstwy->ListViewMaterialy),
             (QStringList{"Mur testowy", "Bstyropian", "KlejB", "TynkT"}));
    QCOMPARE(FormSystem4->LayerCount(), 0);
    QCOMPARE(FormSystem4->ListViewPrzegroda->count(), 0);
    QVERIFY(FormWarstwy->isVisible());
    QCOMPARE(VisibleSteps(), QStringList());
    FormWarstwy->RefreshSummary();
    QCOMPARE(FormWarstwy->StaticText4->text(), QStringLiteral("0,300"));
    QVERIFY(FormWarstwy->LabelUwaga->isHidden());
  }

  // "Przelicz grubość warstwy" right after the thickness is computed for Umax.
  void layerWindowRecalculationAtUmax_data() {
    QTest::addColumn<double>("umax");
    QTest::addColumn<bool>("notNeeded");
    // 2.2971666666666666 m of brick, rounded up to 2.298 m.
    QTest::newRow("rounded up to whole millimetres") << 0.3 << false;
    // The air layer alone meets Umax; d comes out at +2.1e-17 m.
    QTest::newRow("d a rounding remainder") << std::nextafter(1.0 / (0.13 + 0.04 + 0.18), 0.0) << true;
  }
  void layerWindowRecalculationAtUmax() {
    QFETCH(double, umax);
    QFETCH(bool, notNeeded);
    start();
    gDesignConditions.umax = umax;
    for (const auto& [name, thickness] : {std::pair{"Mur", 0.25}, std::pair{veltor::kAirLayerName, 0.3}}) {
      auto layer = std::make_unique<veltor::LayerRecord>();
      layer->name = name;
      layer->lambdaMedium = layer->lambdaHumid = 0.77;
      layer->thickness = thickness;
      FormWarstwy->AppendLayer(std::move(layer));
    }
    FormWarstwy->ListViewMaterialy->setCurrentItem(FormWarstwy->ListViewMaterialy->topLevelItem(0));
    if (notNeeded)
      dialogs->expectMessage(QStringLiteral("Zaznaczona warstwa nie jest potrzebna. Wykasować?"),
                             ui::Answer::No);
    Find<QPushButton>(FormWarstwy, "Button2")->click();
    QVERIFY(dialogs->allUsed());
    QCOMPARE(FormWarstwy->Layers().at(0).thickness, notNeeded ? 0.25 : 2.298);
    QVERIFY(FormWarstwy->Summary().u <= umax);
    QVERIFY(FormWarstwy->LabelUwaga->isHidden());
    QVERIFY(FormWarstwy->StaticText4->palette().color(QPalette::WindowText) != Qt::red);
  }

  // Whoever shows a step, the others are hidden first.
  void oneStepAtATime_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("visible");
    QTest::newRow("wizard start while step 3 is open")
        << "FormSystem3" << QString() << QStringList{"FormSystem1"};
    QTest::newRow("step shown directly") << "FormSystem1"
                                         << "show FormSystem2" << QStringList{"FormSystem2"};
    QTest::newRow("step 1 back") << "FormSystem1"
                                 << "Button1" << QStringList();
    QTest::newRow("step 1 close") << "FormSystem1"
                                  << "Button2" << QStringList();
    QTest::newRow("step 2 back") << "FormSystem2"
                                 << "Button3" << QStringList{"FormSystem1"};
    QTest::newRow("step 2 finish") << "FormSystem2"
                                   << "Button1" << QStringList();
    QTest::newRow("step 3 back") << "FormSystem3"
                                 << "Button3" << QStringList{"FormSystem2"};
    QTest::newRow("step 3 finish") << "FormSystem3"
                                   << "Button2" << QStringList();
    QTest::newRow("step 4 back") << "FormSystem4"
                                 << "ButtonWstecz" << QStringList{"FormSystem3"};
  }
  void oneStepAtATime() {
    QFETCH(QString, from);
    QFETCH(QString, button);
    QFETCH(QStringList, visible);
    start();
    auto* step = FormGlowna->findChild<QWidget*>(from);
    ShowSystemStep(step);
    if (button.isEmpty())
      FormGlowna->ExecuteAction(FormGlowna->ActionSystem);
    else if (button.startsWith(QLatin1String("show ")))
      FormGlowna->findChild<QWidget*>(button.mid(5))->show();
    else
      Click(step, button.toLatin1().constData());
    QCOMPARE(VisibleSteps(), visible);
    // Step 1's back button returns to the conditions.
    QCOMPARE(FormWarunkiPoczatkowe->isVisible(),
             button == QLatin1String("Button1") && from == QLatin1String("FormSystem1"));
  }

  // A file that fails at start-up is reported; what was read stays and the
  // program goes on. The insulation failing leaves the adhesives unread.
  void startupReadingFailure_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("masonry");
    QTest::addColumn<QString>("insulation");
    QTest::addColumn<int>("adhesives");
    QTest::newRow("masonry missing") << "System/mur.txt" << QByteArray() << "File not found."
                                     << ""
                                     << "Izolacje" << 3;
    QTest::newRow("masonry a folder")
        << "System/mur.txt" << QByteArray("<folder>") << "System/mur.txt: File access denied."
        << ""
        << "Izolacje" << 3;
    QTest::newRow("masonry record cut")
        << "System/mur.txt"
        << "[Ceglane]\n*Cegla\n" + Rec("Cegla", "cegl", 0.7, 0.25) + "*Zla\nZla\n"
        << "Plik System/mur.txt, wiersz 11: dane warstwy urwane, plik kończy się "
           "po 1 z 8 wierszy."
        << "Ceglane"
        << "Izolacje" << 3;
    QTest::newRow("insulation number with a comma")
        << "System/docieplenie.txt"
        << "[Izolacje]\n*EPS\n" + Rec("Bstyropian", "styr", 0.04, 0.1) + "*Welna\n" +
               Rec("Swelna", "welm", 0.04, 0.1) + "*Zla\nB\nstyr\n0,04\n"
        << "Invalid numeric input."
        << "Ceglane"
        << "Izolacje(EPS,Welna)" << 0;
  }
  void startupReadingFailure() {
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(QString, masonry);
    QFETCH(QString, insulation);
    QFETCH(int, adhesives);
    env->writeFile(QStringLiteral("System/mur.txt"), kMasonry);
    env->writeFile(QStringLiteral("System/docieplenie.txt"), kInsulation);
    if (content.isEmpty() || content == "<folder>")
      env->removeFile(file);
    else
      env->writeFile(file, content);
    if (content == "<folder>") QVERIFY(QDir().mkdir(env->file(file)));
    dialogs->expectMessage(message);
    env->startProgram();
    QVERIFY(dialogs->allUsed());
    QCOMPARE(TopLevel(FormSystem1->TreeViewMur).join(','), masonry);
    QTreeWidgetItem* group = FormSystem2->TreeViewDocieplenie->topLevelItem(0);
    QString tree = group->text(0);
    if (group->childCount() == 2)
      tree += QStringLiteral("(%1,%2)").arg(group->child(0)->text(0), group->child(1)->text(0));
    QCOMPARE(tree, insulation);
    QCOMPARE(FormSystem2->ListViewKlej->count(), adhesives);
  }

  void systemsFileGoneKeepsTheTree() {
    start();
    ShowSystemStep(FormSystem3);
    QCOMPARE(TopLevel(FormSystem3->TreeViewSystemy), QStringList{"TALMO"});
    FormSystem3->hide();
    env->removeFile(QStringLiteral("System/systemy.txt"));
    dialogs->expectMessage(QStringLiteral("File not found."));
    ShowSystemStep(FormSystem3);
    QVERIFY(dialogs->allUsed());
    QVERIFY(FormSystem3->isVisible());
    QCOMPARE(TopLevel(FormSystem3->TreeViewSystemy), QStringList{"TALMO"});
  }
};

QTEST_MAIN(TestSystem)
#include "test_system.moc"
