// The main window as the hub: which actions a partition enables, the check
// marks that follow the windows, the questions before data is destroyed and
// their answers, the wizard start, the chart toggle, the close query, help on
// F1 and the error box for an action that fails. The whole window set runs; the
// questions are answered by script.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>
#include <QtTest>

#include "calc/errors.h"
#include "calc/ownmaterials.h"
#include "forms/appstate.h"
#include "forms/daneprojektu.h"
#include "forms/glowna.h"
#include "forms/kondensacja.h"
#include "forms/raport_new.h"
#include "forms/rysunek.h"
#include "forms/system1.h"
#include "forms/system2.h"
#include "forms/system3.h"
#include "forms/system4.h"
#include "forms/warstwy.h"
#include "forms/warunki_poczatkowe.h"
#include "platform/printing.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

Q_DECLARE_METATYPE(ui::Answer)

namespace {

const QString kNewQuestion =
    QStringLiteral("Utworzenie nowego projektu spowoduje skasowanie danych obecnej przegrody. Kontynuować ?");
const QString kWizardQuestion =
    QStringLiteral("UWAGA! Zostaną usunięte dane przegrody wg systemów VELTOR. Kontynuować?");
const QString kLayersQuestion = QStringLiteral("UWAGA! Zostaną usunięte dane przegrody. Kontynuować?");
const QString kSaveQuestion = QStringLiteral("Zapisać projektowaną przegrodę?");
const QString kUmaxMissingText = QStringLiteral("Należy zdefiniować wartość Umax");

std::unique_ptr<veltor::LayerRecord> Layer(const char* name) {
  auto r = std::make_unique<veltor::LayerRecord>();
  r->name = name;
  r->fillPattern = "cegl";
  r->density = 1800;
  r->lambdaMedium = 0.77;
  r->lambdaHumid = 0.91;
  r->vapourCoefficient = 100;
  r->specificHeat = 880;
  r->thickness = 0.25;
  return r;
}

void AddToTable() {
  FormWarstwy->AppendLayer(Layer("Mur z cegły pełnej"));
}
void AddToWizard() {
  FormSystem4->Layers().AppendLayer(Layer("Styropian"));
  FormSystem4->ListViewPrzegroda->addItem(QStringLiteral("Styropian"));
}

QAction* Action(const char* name) {
  return FormGlowna->findChild<QAction*>(QString::fromLatin1(name));
}

QStringList Description() {
  return {FormDaneProj->LabeledEdit1->text(), FormDaneProj->LabeledEdit2->text(),
          FormDaneProj->LabeledEdit3->text(), FormDaneProj->LabeledEdit4->text()};
}

// Answers as ScriptedDialogs does, but only after the event loop has run, as
// it does while a real message box waits for the user (the queued update of
// the actions runs meanwhile).
class WaitingDialogs : public ScriptedDialogs {
 public:
  ui::Answer message(const ui::MessageRequest& request) override {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    return ScriptedDialogs::message(request);
  }
};

int ChartsOfKind(int kind) {
  int n = 0;
  for (const TFormRysunek* w : TFormRysunek::Instances()) n += w->ChartKind() == kind;
  return n;
}

}  // namespace

class TestGlowna : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<ScriptedDialogs> startupDialogs;

 private Q_SLOTS:
  void initTestCase() { QApplication::setApplicationName(QStringLiteral("VELTORobl")); }

  void init() {
    env = std::make_unique<TestEnvironment>();
    {
      // Start-up itself asks nothing.
      ScriptedDialogs quiet;
      env->startProgram();
      QVERIFY(quiet.shownMessages.isEmpty());
    }
    gDesignConditions.umax = 0.3;
  }

  void cleanup() {
    for (TFormRysunek* w : TFormRysunek::Instances()) delete w;
    env.reset();
  }

  // The picture is drawn for the area it gets: proportions kept, centred, the
  // wall's bands where the picture has them, the window's colour beside it.
  void mainPictureFitsItsArea_data() {
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QRect>("picture");
    QTest::addColumn<QPoint>("beside");
    QTest::newRow("wide") << QSize(1200, 500) << QRect(225, 0, 750, 500) << QPoint(100, 250);
    QTest::newRow("tall") << QSize(600, 800) << QRect(0, 200, 600, 400) << QPoint(300, 100);
  }
  void mainPictureFitsItsArea() {
    QFETCH(QSize, area);
    QFETCH(QRect, picture);
    QFETCH(QPoint, beside);
    // The main window's own picture, in an area of its own that no layout resizes.
    TScaledImage image;
    image.setPicture(FormGlowna->Image1->picture());
    image.resize(area);
    QCOMPARE(image.pictureRect(), picture);
    const QImage shot = image.grab().toImage();
    const auto at = [&](double x, double y) {
      return shot.pixelColor(picture.left() + qRound(x * picture.width() / 900),
                             picture.top() + qRound(y * picture.height() / 600));
    };
    const QColor brick = at(369, 450), insulation = at(543, 450);
    QVERIFY2(brick.red() > brick.green() + 40, qPrintable(brick.name()));
    QVERIFY2(insulation.green() > insulation.blue() + 40, qPrintable(insulation.name()));
    QCOMPARE(shot.pixelColor(beside), image.palette().color(QPalette::Window));
  }

  void resultActionsNeedAPartition_data() {
    QTest::addColumn<int>("tableLayers");
    QTest::addColumn<int>("wizardLayers");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("no layers anywhere") << 0 << 0 << false;
    QTest::newRow("one layer in the layer table") << 1 << 0 << true;
    QTest::newRow("one layer in the wizard") << 0 << 1 << true;
    QTest::newRow("layers in both") << 2 << 1 << true;
  }
  void resultActionsNeedAPartition() {
    QFETCH(int, tableLayers);
    QFETCH(int, wizardLayers);
    QFETCH(bool, enabled);
    for (int i = 0; i < tableLayers; ++i) AddToTable();
    for (int i = 0; i < wizardLayers; ++i) AddToWizard();
    // A layer added to the table tells the main window through the project;
    // the wizard's list is filled here behind its last step's back, which
    // otherwise updates the actions as it shows.
    if (wizardLayers > 0) FormGlowna->UpdateActions();
    QCOMPARE(Action("ActionZapisz")->isEnabled(), enabled);
    QCOMPARE(FormGlowna->PartitionDefined(), enabled);
    for (const char* name : {"ActionZapisz", "ActionPokazRaport", "ActionRysTemp", "ActionRysCisn"})
      QVERIFY2(Action(name)->isEnabled() == enabled, name);
    for (const char* name :
         {"ActionNowy", "ActionOtworz", "ActionPokazDaneProj", "ActionSystem", "ActionHelp"})
      QVERIFY2(Action(name)->isEnabled(), name);
  }

  void removingTheLastLayerDisablesThemAgain() {
    AddToTable();
    FormGlowna->UpdateActions();
    QVERIFY(Action("ActionRysTemp")->isEnabled());
    FormWarstwy->ClearLayers();
    FormGlowna->UpdateActions();
    QVERIFY(!Action("ActionRysTemp")->isEnabled());
    // A stale enabled state does not let a click through.
    Action("ActionPokazRaport")->setEnabled(true);
    FormGlowna->ExecuteAction(Action("ActionPokazRaport"));
    QVERIFY(!FormRaportNew->isVisible());
  }

  // A result window open behind another window comes forward when its action
  // is executed; only from the front does the action close it.
  void coveredResultWindowComesForward_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("report") << "ActionPokazRaport";
    QTest::newRow("moisture") << "ActionKondensacja";
    QTest::newRow("temperature chart") << "ActionRysTemp";
  }
  void coveredResultWindowComesForward() {
    QFETCH(QString, action);
    AddToTable();
    QAction* a = Action(action.toLatin1().constData());
    FormGlowna->ExecuteAction(a);
    const auto result = [&]() -> QWidget* {
      if (action == QLatin1String("ActionPokazRaport")) return FormRaportNew;
      if (action == QLatin1String("ActionKondensacja")) return FormKondensacja;
      return TFormRysunek::Instances().value(0);
    };
    QPointer<QWidget> w = result();
    QVERIFY(w && w->isVisible());
    // The designer turns to another window, which may cover it.
    FormDaneProj->show();
    QApplication::setActiveWindow(FormDaneProj);
    FormGlowna->ExecuteAction(a);
    QVERIFY(w && w->isVisible());
    QVERIFY(a->isChecked());
    // Read there, in front, the action closes it.
    QApplication::setActiveWindow(w);
    FormGlowna->ExecuteAction(a);
    QTRY_VERIFY(!w || !w->isVisible());
    QVERIFY(!a->isChecked());
  }

  void checkMarkFollowsTheWindow_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("byClick");
    const QList<std::pair<const char*, const char*>> pairs = {
        {"ActionPokazDaneProj", "FormDaneProj"},
        {"ActionPokazWarunkiPocz", "FormWarunkiPoczatkowe"},
        {"ActionPokazWarstwy", "FormWarstwy"},
        {"ActionPokazRaport", "FormRaportNew"}};
    for (const auto& [action, window] : pairs) {
      QTest::addRow("%s executed", window) << action << window << false;
      QTest::addRow("%s clicked", window) << action << window << true;
    }
  }
  void checkMarkFollowsTheWindow() {
    QFETCH(QString, action);
    QFETCH(QString, window);
    QFETCH(bool, byClick);
    AddToTable();  // the report needs a partition
    QAction* a = FormGlowna->findChild<QAction*>(action);
    QWidget* w = FormGlowna->findChild<QWidget*>(window);
    QVERIFY(a && w);
    auto run = [&] { byClick ? a->trigger() : FormGlowna->ExecuteAction(a); };
    // A result window is closed only from the front; a covered one comes forward.
    const auto front = [&] {
      if (window == QLatin1String("FormRaportNew")) QApplication::setActiveWindow(w);
    };

    run();
    QVERIFY(w->isVisible());
    QVERIFY(a->isChecked());
    front();
    run();
    QVERIFY(!w->isVisible());
    QVERIFY(!a->isChecked());
    // Shown by someone else: the next execution hides it, whatever the mark said.
    w->show();
    front();
    run();
    QVERIFY(!w->isVisible());
    QVERIFY(!a->isChecked());
    // Shown and hidden by someone else: the mark follows at once.
    w->show();
    QVERIFY(a->isChecked());
    w->hide();
    QVERIFY(!a->isChecked());
  }

  void wizardActionCheckedWhileAnyStepShows() {
    for (QWidget* step : {static_cast<QWidget*>(FormSystem1), static_cast<QWidget*>(FormSystem2),
                          static_cast<QWidget*>(FormSystem3), static_cast<QWidget*>(FormSystem4)}) {
      step->show();
      FormGlowna->UpdateActions();
      QVERIFY2(Action("ActionSystem")->isChecked(), qPrintable(step->objectName()));
      step->hide();
      FormGlowna->UpdateActions();
      QVERIFY(!Action("ActionSystem")->isChecked());
    }
  }

  void newProject_data() {
    QTest::addColumn<bool>("partition");
    QTest::addColumn<ui::Answer>("answer");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("nothing to lose asks nothing") << false << ui::Answer::Ok << true;
    QTest::newRow("No keeps everything") << true << ui::Answer::No << false;
    QTest::newRow("Yes clears") << true << ui::Answer::Yes << true;
    QTest::newRow("close box clears like Yes") << true << ui::Answer::Closed << true;
  }
  void newProject() {
    QFETCH(bool, partition);
    QFETCH(ui::Answer, answer);
    QFETCH(bool, cleared);
    FormDaneProj->LabeledEdit1->setText(QStringLiteral("Ściana zewnętrzna"));
    FormDaneProj->LabeledEdit4->setText(QStringLiteral("7 grudnia"));
    if (partition) {
      AddToTable();
      AddToWizard();
      FormWarstwy->ShowMaterial(&FormWarstwy->Layers().at(0));
    }
    const double umaxBefore = gDesignConditions.umax;
    const QStringList before = Description();
    ScriptedDialogs d;
    if (partition) d.expectMessage(kNewQuestion, answer);
    FormGlowna->ExecuteAction(Action("ActionNowy"));
    QVERIFY(d.allUsed());
    if (partition) {
      const ui::MessageRequest& q = d.shownMessages.value(0);
      QCOMPARE(q.kind, ui::MessageKind::Warning);
      QCOMPARE(q.buttons, unsigned(ui::Yes | ui::No));
      QCOMPARE(q.defaultButton, ui::Answer::Yes);
      QCOMPARE(q.escapeButton, ui::Answer::No);
    }
    if (cleared) {
      QCOMPARE(FormWarstwy->LayerCount(), 0);
      QCOMPARE(FormSystem4->LayerCount(), 0);
      QVERIFY(FormWarstwy->LabelOpis->text() == "Opis" && FormWarstwy->EditGW->text().isEmpty());
      // Showing the description window may put today's date into the emptied box.
      QCOMPARE(Description().mid(0, 3), QStringList({"", "", ""}));
      QVERIFY(Description().at(3) != QLatin1String("7 grudnia"));
      QVERIFY(FormDaneProj->isVisible());
      QVERIFY(Action("ActionPokazDaneProj")->isChecked());
    } else {
      QCOMPARE(FormWarstwy->LayerCount(), 1);
      QCOMPARE(FormSystem4->LayerCount(), 1);
      QCOMPARE(Description(), before);
      QVERIFY(!FormDaneProj->isVisible());
    }
    // The design conditions are not part of what New clears.
    QCOMPARE(gDesignConditions.umax, umaxBefore);
  }

  // A step forward (or back) shows its window and raises it; one already
  // shown is never taken away by the main window's toggle.
  void forwardStepsNeverHide_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("target");
    // clang-format off
    QTest::newRow("Nowy") << "FormGlowna" << "ActionNowy" << "FormDaneProj";
    QTest::newRow("description's Dalej") << "FormDaneProj" << "ButtonDalej" << "FormWarunkiPoczatkowe";
    QTest::newRow("conditions' free choice") << "FormWarunkiPoczatkowe" << "ButtonAnuluj" << "FormWarstwy";
    QTest::newRow("conditions' back") << "FormWarunkiPoczatkowe" << "Button1" << "FormDaneProj";
    QTest::newRow("layer window's back") << "FormWarstwy" << "ButtonWstecz" << "FormWarunkiPoczatkowe";
    // clang-format on
  }
  void forwardStepsNeverHide() {
    QFETCH(QString, from);
    QFETCH(QString, control);
    QFETCH(QString, target);
    const auto window = [](const QString& name) -> QWidget* {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return w;
      return nullptr;
    };
    QWidget* shown = window(target);
    QWidget* source = window(from);
    QVERIFY(shown && source);
    shown->show();
    source->show();
    ScriptedDialogs d;
    if (auto* action = source->findChild<QAction*>(control))
      FormGlowna->ExecuteAction(action);
    else
      source->findChild<QPushButton*>(control)->click();
    QVERIFY(shown->isVisible());
    QVERIFY(d.shownMessages.isEmpty());
  }

  // A foil's μ of 100 000 and its r of tens of thousands are written out in
  // every window the designer reads, never as "1E5" or "1,667E4".
  void noScientificNotationInAnyWindow() {
    auto foil = Layer("Folia PE");
    foil->vapourCoefficient = veltor::kMuPermeability / 100000;
    foil->thickness = 0.0002;
    FormWarstwy->AppendLayer(Layer("Mur z cegły pełnej"));
    FormWarstwy->AppendLayer(std::move(foil));
    for (const char* action :
         {"ActionPokazWarstwy", "ActionPokazRaport", "ActionKondensacja", "ActionDynamika"})
      FormGlowna->ExecuteAction(Action(action));
    FormWarstwy->findChild<QTreeWidget*>(QStringLiteral("ListViewMaterialy"))
        ->setCurrentItem(
            FormWarstwy->findChild<QTreeWidget*>(QStringLiteral("ListViewMaterialy"))->topLevelItem(1));
    QCoreApplication::sendPostedEvents();
    const QRegularExpression scientific(QStringLiteral("\\d[eE][+\\-−]?\\d"));
    QStringList texts;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (!top->isVisible()) continue;
      for (const QLabel* l : top->findChildren<QLabel*>()) texts << l->text() << l->toolTip();
      for (const QLineEdit* e : top->findChildren<QLineEdit*>()) texts << e->text();
      for (const QTreeWidget* t : top->findChildren<QTreeWidget*>())
        for (int i = 0; i < t->topLevelItemCount(); ++i)
          for (int c = 0; c < t->columnCount(); ++c)
            texts << t->topLevelItem(i)->text(c) << t->topLevelItem(i)->data(c, Qt::ToolTipRole).toString();
      for (const QTableWidget* t : top->findChildren<QTableWidget*>())
        for (int r = 0; r < t->rowCount(); ++r)
          for (int c = 0; c < t->columnCount(); ++c)
            if (const QTableWidgetItem* item = t->item(r, c)) texts << item->text();
    }
    QVERIFY(!texts.filter(QStringLiteral("100\u2009000")).isEmpty());
    for (const QString& text : texts) QVERIFY2(!text.contains(scientific), qPrintable(text));
  }

  // Result windows are tool windows of the main window, which the window
  // manager keeps above it: X11 learns it from WM_TRANSIENT_FOR, which Qt
  // writes only for the dialog-like window types.
  void resultWindowsStayAboveTheMainWindow_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("report") << "ActionPokazRaport";
    QTest::newRow("moisture") << "ActionKondensacja";
    QTest::newRow("dynamics") << "ActionDynamika";
    QTest::newRow("temperature chart") << "ActionRysTemp";
    QTest::newRow("pressure chart") << "ActionRysCisn";
  }
  void resultWindowsStayAboveTheMainWindow() {
    QFETCH(QString, action);
    AddToTable();
    FormGlowna->ExecuteAction(Action(action.toLatin1().constData()));
    QWidget* result = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != FormGlowna && w->isVisible() && w->parentWidget() == FormGlowna &&
          w->objectName() != QLatin1String("FormWarstwy"))
        result = w;
    QVERIFY(result);
    QCOMPARE(result->windowType(), Qt::Tool);
    QVERIFY(result->windowHandle());
    QCOMPARE(result->windowHandle()->transientParent(), FormGlowna->windowHandle());
  }

  void freeDefinitionWithAWizardPartition_data() {
    QTest::addColumn<ui::Answer>("answer");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("Yes clears and shows") << ui::Answer::Yes << true;
    QTest::newRow("No keeps the wizard's layers") << ui::Answer::No << false;
    QTest::newRow("close box keeps them") << ui::Answer::Closed << false;
  }
  void freeDefinitionWithAWizardPartition() {
    QFETCH(ui::Answer, answer);
    QFETCH(bool, cleared);
    AddToWizard();
    ScriptedDialogs d;
    d.expectMessage(kWizardQuestion, answer);
    FormGlowna->ExecuteAction(Action("ActionPokazWarstwy"));
    QVERIFY(d.allUsed());
    QCOMPARE(d.shownMessages.value(0).kind, ui::MessageKind::Warning);
    QCOMPARE(FormSystem4->LayerCount(), cleared ? 0 : 1);
    QCOMPARE(FormWarstwy->isVisible(), cleared);
    QCOMPARE(Action("ActionPokazWarstwy")->isChecked(), cleared);
  }

  void questionWaitingForTheUserKeepsTheToggle_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("tableLayer");
    QTest::addColumn<bool>("wizardLayer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("shown");
    QTest::newRow("free definition") << "ActionPokazWarstwy" << false << true << kWizardQuestion
                                     << "FormWarstwy";
    QTest::newRow("new project") << "ActionNowy" << true << false << kNewQuestion << "FormDaneProj";
    QTest::newRow("wizard start") << "ActionSystem" << true << false << kLayersQuestion << "FormSystem1";
  }
  void questionWaitingForTheUserKeepsTheToggle() {
    QFETCH(QString, action);
    QFETCH(bool, tableLayer);
    QFETCH(bool, wizardLayer);
    QFETCH(QString, question);
    QFETCH(QString, shown);
    if (tableLayer) AddToTable();
    if (wizardLayer) AddToWizard();
    QWidget* w = FormGlowna->findChild<QWidget*>(shown);
    QVERIFY(w && !w->isVisible());
    WaitingDialogs d;
    d.expectMessage(question, ui::Answer::Yes);
    FormGlowna->ExecuteAction(Action(qPrintable(action)));
    QVERIFY(d.allUsed());
    QVERIFY(w->isVisible());
  }

  void wizardStart_data() {
    QTest::addColumn<bool>("layers");
    QTest::addColumn<ui::Answer>("answer");
    QTest::addColumn<double>("umax");
    QTest::addColumn<bool>("wizardShown");
    QTest::addColumn<bool>("conditionsShown");
    QTest::addColumn<int>("layersAfter");
    QTest::newRow("empty table starts at step 1") << false << ui::Answer::Ok << 0.3 << true << false << 0;
    QTest::newRow("No keeps the layers, no wizard") << true << ui::Answer::No << 0.3 << false << false << 1;
    QTest::newRow("close box keeps the layers") << true << ui::Answer::Closed << 0.3 << false << false << 1;
    QTest::newRow("Yes clears and starts") << true << ui::Answer::Yes << 0.3 << true << false << 0;
    QTest::newRow("Yes with Umax 0 clears, asks for Umax")
        << true << ui::Answer::Yes << 0.0 << false << true << 0;
    QTest::newRow("no Umax asks for it") << false << ui::Answer::Ok << 0.0 << false << true << 0;
  }
  void wizardStart() {
    QFETCH(bool, layers);
    QFETCH(ui::Answer, answer);
    QFETCH(double, umax);
    QFETCH(bool, wizardShown);
    QFETCH(bool, conditionsShown);
    QFETCH(int, layersAfter);
    if (layers) AddToTable();
    gDesignConditions.umax = umax;
    FormWarunkiPoczatkowe->setVisible(wizardShown);  // the wizard start hides it
    ScriptedDialogs d;
    if (layers) d.expectMessage(kLayersQuestion, answer);
    if (umax == 0 && (!layers || answer == ui::Answer::Yes)) d.expectMessage(kUmaxMissingText);
    FormGlowna->ExecuteAction(Action("ActionSystem"));
    QVERIFY(d.allUsed());
    if (umax == 0) QCOMPARE(d.shownMessages.constLast().kind, ui::MessageKind::Error);
    QCOMPARE(FormSystem1->isVisible(), wizardShown);
    QCOMPARE(FormWarunkiPoczatkowe->isVisible(), conditionsShown);
    QCOMPARE(Action("ActionPokazWarunkiPocz")->isChecked(), conditionsShown);
    QCOMPARE(FormWarstwy->LayerCount(), layersAfter);
  }

  void wizardStartDoesNotCloseAnOpenWizard() {
    FormSystem3->show();
    ScriptedDialogs d;
    FormGlowna->ExecuteAction(Action("ActionSystem"));
    QVERIFY(FormSystem1->isVisible());
    QVERIFY(Action("ActionSystem")->isChecked());
    FormGlowna->ExecuteAction(Action("ActionSystem"));
    QVERIFY(FormSystem1->isVisible());
  }

  void toolBarButtonsTakeNoFocus() {
    ScriptedDialogs d;
    for (const QToolButton* b : FormGlowna->CoolBarGlowna->findChildren<QToolButton*>())
      QVERIFY2(b->focusPolicy() == Qt::NoFocus, qPrintable(b->text()));
    FormGlowna->show();
    QVERIFY(QTest::qWaitForWindowActive(FormGlowna));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : FormGlowna, Qt::Key_Space);
    QVERIFY(!FormSystem1->isVisible());
  }

  void przegrodaButtonStartsTheWizard() {
    ScriptedDialogs d;
    FormGlowna->findChild<QToolButton*>(QStringLiteral("ButtonPrzegroda"))->click();
    QVERIFY(FormSystem1->isVisible());
    QVERIFY(!Action("ActionRodzajWarstw")->isChecked());
  }

  void chartToggle_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("kind");
    QTest::newRow("temperature") << "ActionRysTemp" << 1;
    QTest::newRow("vapour pressure") << "ActionRysCisn" << 2;
  }
  void chartToggle() {
    QFETCH(QString, action);
    QFETCH(int, kind);
    QAction* a = FormGlowna->findChild<QAction*>(action);
    const int other = 3 - kind;
    AddToTable();
    AddToWizard();
    ScriptedDialogs d;
    // One chart of the other kind, which the toggles must leave alone.
    FormGlowna->ExecuteAction(other == 1 ? Action("ActionRysTemp") : Action("ActionRysCisn"));
    QCOMPARE(ChartsOfKind(other), 2);

    FormGlowna->ExecuteAction(a);
    QCOMPARE(ChartsOfKind(kind), 2);
    QVERIFY(a->isChecked());
    QList<QPointer<TFormRysunek>> charts;
    for (TFormRysunek* w : TFormRysunek::Instances())
      if (w->ChartKind() == kind) charts << w;

    // Closed from the front only.
    QApplication::setActiveWindow(charts.at(0));
    a->trigger();  // as a click
    QCOMPARE(ChartsOfKind(kind), 1);
    QCOMPARE(TFormRysunek::Instances().contains(charts.at(1).data()), true);
    QTRY_VERIFY(charts.at(0).isNull());
    QVERIFY(charts.at(1)->isVisible());
    // The window for the wizard's list is still there, so the mark stays.
    FormGlowna->UpdateActions();
    QVERIFY(a->isChecked());

    QApplication::setActiveWindow(charts.at(1));
    FormGlowna->ExecuteAction(a);
    QCOMPARE(ChartsOfKind(kind), 0);
    QVERIFY(!a->isChecked());
    QCOMPARE(ChartsOfKind(other), 2);
  }

  void chartForOneListOnly() {
    AddToWizard();
    ScriptedDialogs d;
    FormGlowna->ExecuteAction(Action("ActionRysTemp"));
    QCOMPARE(ChartsOfKind(1), 1);
    // A chart closed by its own window clears the mark.
    TFormRysunek::Instances().constFirst()->close();
    QVERIFY(!Action("ActionRysTemp")->isChecked());
  }

  void closeQuery_data() {
    QTest::addColumn<bool>("partition");
    QTest::addColumn<ui::Answer>("answer");
    QTest::addColumn<QString>("saveAs");  // "" no dialog, "-" cancelled
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("closes");
    QTest::newRow("nothing to save") << false << ui::Answer::Ok << ""
                                     << "" << true;
    QTest::newRow("No closes without saving") << true << ui::Answer::No << ""
                                              << "" << true;
    QTest::newRow("Cancel stays") << true << ui::Answer::Cancel << ""
                                  << "" << false;
    QTest::newRow("close box stays") << true << ui::Answer::Closed << ""
                                     << "" << false;
    QTest::newRow("Yes saves and closes") << true << ui::Answer::Yes << "Projekty/koniec.Veltor"
                                          << "" << true;
    QTest::newRow("Yes, save cancelled, stays") << true << ui::Answer::Yes << "-"
                                                << "" << false;
    QTest::newRow("Yes, save failed, stays") << true << ui::Answer::Yes << "brak/koniec.Veltor"
                                             << "Path not found." << false;
  }
  void closeQuery() {
    QFETCH(bool, partition);
    QFETCH(ui::Answer, answer);
    QFETCH(QString, saveAs);
    QFETCH(QString, error);
    QFETCH(bool, closes);
    if (partition) AddToTable();
    FormGlowna->show();
    ScriptedDialogs d;
    if (partition) d.expectMessage(kSaveQuestion, answer);
    if (!saveAs.isEmpty())
      d.expectFile(QStringLiteral("SaveDialogProjekt"),
                   saveAs == QLatin1String("-") ? QString() : env->file(saveAs));
    if (!error.isEmpty()) d.expectMessage(error);

    QCOMPARE(FormGlowna->close(), closes);
    QVERIFY(d.allUsed());
    QCOMPARE(FormGlowna->isVisible(), !closes);
    if (partition) {
      const ui::MessageRequest& q = d.shownMessages.value(0);
      // A question, titled for what it asks.
      QCOMPARE(q.kind, ui::MessageKind::Confirmation);
      QCOMPARE(q.title, QStringLiteral("Zapisanie projektu"));
      QCOMPARE(q.buttons, unsigned(ui::Yes | ui::No | ui::Cancel));
      QCOMPARE(q.escapeButton, ui::Answer::Cancel);
    }
    if (!error.isEmpty()) QCOMPARE(d.shownMessages.constLast().title, QStringLiteral("VELTORobl"));
    if (saveAs.endsWith(QLatin1String(".Veltor")) && error.isEmpty())
      QVERIFY(QFile::exists(env->file(saveAs)));
    // Nothing was cleared by any answer.
    QCOMPARE(FormWarstwy->LayerCount(), partition ? 1 : 0);
  }

  void closeActionRunsTheSameQuery() {
    AddToTable();
    FormGlowna->show();
    ScriptedDialogs d;
    d.expectMessage(kSaveQuestion, ui::Answer::Cancel);
    FormGlowna->ExecuteAction(Action("ActionClose"));
    QVERIFY(FormGlowna->isVisible());
    d.expectMessage(kSaveQuestion, ui::Answer::No);
    FormGlowna->ExecuteAction(Action("ActionClose"));
    QVERIFY(!FormGlowna->isVisible());
  }

  void closingTakesTheChartsAlong() {
    AddToTable();
    FormGlowna->show();
    ScriptedDialogs d;
    FormGlowna->ExecuteAction(Action("ActionRysCisn"));
    QCOMPARE(ChartsOfKind(2), 1);
    d.expectMessage(kSaveQuestion, ui::Answer::No);
    QVERIFY(FormGlowna->close());
    QCOMPARE(ChartsOfKind(2), 0);
  }

  void failingActionShowsTheErrorBoxAndTheProgramGoesOn() {
    ScriptedDialogs d;
    d.expectFile(QStringLiteral("OpenDialogProjekt"), env->file(QStringLiteral("Projekty/nie ma.Veltor")));
    d.expectMessage(QStringLiteral("File not found."));
    Action("ActionOtworz")->trigger();  // as a click, through the same guard
    QVERIFY(d.allUsed());
    QCOMPARE(d.shownMessages.value(0).kind, ui::MessageKind::Error);
    QCOMPARE(d.shownMessages.value(0).title, QStringLiteral("VELTORobl"));
    FormGlowna->ExecuteAction(Action("ActionPokazDaneProj"));
    QVERIFY(FormDaneProj->isVisible());
  }

  void helpIndex() {
    ScriptedDialogs d;
    FormGlowna->ExecuteAction(Action("ActionHelp"));
    QCOMPARE(d.openedTargets, QStringList{env->path() + QStringLiteral("/Pomoc/index.htm")});
    QCOMPARE(StartFolder(), env->path());
    QVERIFY(QFile::exists(d.openedTargets.value(0)));
  }

  // The set-up dialog configures the printer the charts and the report print on,
  // not a temporary one whose settings would be lost.
  void printerSetupKeepsTheChoices() {
    ScriptedDialogs d;
    FormGlowna->ExecuteAction(Action("FilePrintSetup1"));
    FormGlowna->ExecuteAction(Action("FilePrintSetup1"));
    QCOMPARE(d.printersSetUp, (QList<QPrinter*>{&ui::SharedPrinter(), &ui::SharedPrinter()}));
  }

  void f1OpensOnlyTheActiveWindowsPage_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("page");
    QTest::newRow("main window") << "FormGlowna"
                                 << "index.htm";
    QTest::newRow("description") << "FormDaneProj"
                                 << "11.htm";
    QTest::newRow("conditions") << "FormWarunkiPoczatkowe"
                                << "12.htm";
    QTest::newRow("layers") << "FormWarstwy"
                            << "1.htm";
    QTest::newRow("wizard step 1") << "FormSystem1"
                                   << "1321.htm";
    QTest::newRow("wizard step 2") << "FormSystem2"
                                   << "1322.htm";
    QTest::newRow("wizard step 3") << "FormSystem3"
                                   << "1323.htm";
    QTest::newRow("wizard step 4") << "FormSystem4"
                                   << "1324.htm";
    QTest::newRow("chart") << "FormRysunek"
                           << "141.htm";
  }
  void f1OpensOnlyTheActiveWindowsPage() {
    QFETCH(QString, window);
    QFETCH(QString, page);
    FormGlowna->show();
    QVERIFY(QTest::qWaitForWindowExposed(FormGlowna));
    ScriptedDialogs d;
    QWidget* w = FormGlowna->findChild<QWidget*>(window);
    if (window == QLatin1String("FormGlowna")) {
      w = FormGlowna;
    } else if (window == QLatin1String("FormRysunek")) {
      AddToTable();
      FormGlowna->ExecuteAction(Action("ActionRysTemp"));
      w = TFormRysunek::Instances().value(0);
    }
    QVERIFY(w);
    // Showing a wizard step may read its data; nothing is expected to fail.
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_F1);
    QCOMPARE(d.openedTargets, QStringList{env->path() + QStringLiteral("/Pomoc/") + page});
    QVERIFY(QFile::exists(d.openedTargets.value(0)));
  }

  // Every page the windows open exists, declares its encoding and links only
  // to pages and anchors that exist.
  void helpPagesHoldTogether() {
    const QDir pomoc(env->file(QStringLiteral("Pomoc")));
    static const QRegularExpression href(QStringLiteral("href=\"([^\"#]*)(?:#([^\"]*))?\""));
    for (const char* name : {"index.htm", "1.htm", "11.htm", "12.htm", "1321.htm", "1322.htm", "1323.htm",
                             "1324.htm", "141.htm"}) {
      const QString page = QString::fromLatin1(name);
      QFile f(pomoc.filePath(page));
      QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(page));
      const QString html = QString::fromUtf8(f.readAll());
      QVERIFY2(html.contains(QLatin1String("<meta charset=\"utf-8\">")), qPrintable(page));
      for (auto it = href.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QFile target(pomoc.filePath(m.captured(1)));
        QVERIFY2(target.open(QIODevice::ReadOnly), qPrintable(page + QLatin1String(" -> ") + m.captured(0)));
        if (!m.captured(2).isEmpty())
          QVERIFY2(
              QString::fromUtf8(target.readAll()).contains(QStringLiteral("id=\"%1\"").arg(m.captured(2))),
              qPrintable(page + QLatin1String(" -> ") + m.captured(0)));
      }
    }
  }

  void statusBarShowsTheHints() {
    FormGlowna->show();
    QVERIFY(QTest::qWaitForWindowExposed(FormGlowna));
    QStatusBar* status = FormGlowna->findChild<QStatusBar*>(QStringLiteral("StatusBar1"));
    QVERIFY(status);
    Action("ActionRysTemp")->showStatusText(FormGlowna);
    QCOMPARE(status->currentMessage(), QStringLiteral("Wykres rozkładu temperatur w przegrodzie"));
  }
};

QTEST_MAIN(TestGlowna)
#include "test_glowna.moc"
