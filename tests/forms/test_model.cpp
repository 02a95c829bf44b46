// The windows over the project model: the title names the file and marks
// changes, the save question comes only for unsaved work, result windows
// follow the wall, the moisture choices travel with the project file, and a
// refused file changes nothing.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

#include "forms/appstate.h"
#include "forms/daneprojektu.h"
#include "forms/glowna.h"
#include "forms/kondensacja.h"
#include "forms/pictureframe.h"
#include "forms/raport_new.h"
#include "forms/rysunek.h"
#include "forms/warstwy.h"
#include "model/project.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

const QString kCaption = QStringLiteral("Program do obliczania parametrów fizykalnych przegrody");
const QString kSaveQuestion = QStringLiteral("Zapisać projektowaną przegrodę?");
const QString kNewQuestion =
    QStringLiteral("Utworzenie nowego projektu spowoduje skasowanie danych obecnej przegrody. Kontynuować ?");

std::unique_ptr<veltor::LayerRecord> Layer(const char* name, double lambda, double thickness) {
  auto r = std::make_unique<veltor::LayerRecord>();
  r->name = name;
  r->fillPattern = "cegl";
  r->lambdaMedium = r->lambdaHumid = lambda;
  r->vapourCoefficient = 20;
  r->thickness = thickness;
  return r;
}

Project& project() {
  return FormGlowna->project();
}

// A station of two dozen values, written to the climate file before start-up.
QByteArray ClimateFile(const char* name, double shift) {
  QByteArray text = QByteArray("[") + name + "]\r\n";
  for (int m = 0; m < 12; ++m)
    text += QByteArray::number(-5 + 2 * m + shift) + " " + QByteArray::number(85 - m) + "\r\n";
  return text;
}

}  // namespace

class TestModel : public QObject {
  Q_OBJECT

  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<LocaleScope> locale;

  QString file(const QString& name) const { return env->file(QStringLiteral("Projekty/") + name); }
  void addWall() {
    FormWarstwy->AppendLayer(Layer("Mur", 0.6, 0.24));
    FormWarstwy->AppendLayer(Layer("Styropian", 0.04, 0.1));
  }
  void save(const QString& name) {
    ScriptedDialogs d;
    d.expectFile(QStringLiteral("SaveDialogProjekt"), file(name));
    FormGlowna->ExecuteAction(FormGlowna->ActionZapisz);
    QVERIFY(d.allUsed());
  }
  void open(const QString& name) {
    ScriptedDialogs d;
    d.expectFile(QStringLiteral("OpenDialogProjekt"), file(name));
    FormGlowna->ExecuteAction(FormGlowna->ActionOtworz);
    QVERIFY(d.allUsed());
  }

 private Q_SLOTS:
  void init() {
    locale = std::make_unique<LocaleScope>(QStringLiteral("pl_PL"));
    env = std::make_unique<TestEnvironment>();
    env->writeFile(QStringLiteral("Dane/klimat.txt"), ClimateFile("Gdansk", 0) + ClimateFile("Krakow", 1));
    env->startProgram();
  }
  void cleanup() {
    env.reset();
    locale.reset();
  }

  // Title and mark through new, edit, save, undo, open, a refused open, new.
  void titleFollowsTheFile() {
    const auto expect = [](const char* step, const QString& title, bool modified) {
      QVERIFY2(FormGlowna->windowTitle() == title, step);
      QVERIFY2(FormGlowna->isWindowModified() == modified, step);
    };
    const QString named = QStringLiteral("ściana.Veltor[*] – ") + kCaption;
    expect("new", kCaption + QStringLiteral("[*]"), false);
    addWall();
    expect("edited", kCaption + QStringLiteral("[*]"), true);
    save(QStringLiteral("ściana"));
    expect("saved", named, false);
    project().setThickness(0, 0.3, 1);
    expect("edited after saving", named, true);
    FormGlowna->ActionCofnij->trigger();
    expect("undone to the saved state", named, false);
    FormGlowna->ActionPonow->trigger();
    {
      ScriptedDialogs d;  // Ctrl+S: no dialog, the same file
      FormGlowna->ExecuteAction(FormGlowna->ActionZapiszBiezacy);
    }
    expect("saved again", named, false);
    env->writeFile(QStringLiteral("Projekty/zly.Veltor"), QByteArray(1077 + 5, '\0'));
    project().setDescriptionField(0, QStringLiteral("niezapisane"));
    {
      ScriptedDialogs d;
      d.expectMessage(kSaveQuestion, ui::Answer::No)
          .expectFile(QStringLiteral("OpenDialogProjekt"), file(QStringLiteral("zly.Veltor")))
          .expectMessage(veltor::kDamagedProject + QLatin1Char('.'));
      FormGlowna->ExecuteAction(FormGlowna->ActionOtworz);
      QVERIFY(d.allUsed());
    }
    expect("refused open", named, true);
    QCOMPARE(project().description()[0], QStringLiteral("niezapisane"));
    QVERIFY(project().undoStack().canUndo());
    {
      ScriptedDialogs d;
      d.expectMessage(kNewQuestion, ui::Answer::Yes);
      FormGlowna->ExecuteAction(FormGlowna->ActionNowy);
    }
    expect("new again", kCaption + QStringLiteral("[*]"), false);
    open(QStringLiteral("ściana.Veltor"));
    expect("opened", named, false);
    QCOMPARE(project().layers().at(0).thickness, 0.3);
    QCOMPARE(TFormGlowna::RecentProjects().value(0),
             QFileInfo(file(QStringLiteral("ściana.Veltor"))).absoluteFilePath());
  }

  void saveQuestionOnlyForUnsavedWork_data() {
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("modified");
    for (const char* step : {"close", "new", "open"}) {
      QTest::addRow("%s unmodified", step) << QString::fromLatin1(step) << false;
      QTest::addRow("%s modified", step) << QString::fromLatin1(step) << true;
    }
  }
  void saveQuestionOnlyForUnsavedWork() {
    QFETCH(QString, step);
    QFETCH(bool, modified);
    addWall();
    save(QStringLiteral("a"));
    if (modified) project().setThickness(1, 0.12);
    ScriptedDialogs d;
    if (step == QLatin1String("close")) {
      if (modified) d.expectMessage(kSaveQuestion, ui::Answer::Cancel);
      QCOMPARE(FormGlowna->close(), !modified);
    } else if (step == QLatin1String("new")) {
      if (modified) d.expectMessage(kNewQuestion, ui::Answer::No);
      FormGlowna->ExecuteAction(FormGlowna->ActionNowy);
      QCOMPARE(project().layers().size(), modified ? 2 : 0);
    } else {
      if (modified)
        d.expectMessage(kSaveQuestion, ui::Answer::Cancel);
      else
        d.expectFile(QStringLiteral("OpenDialogProjekt"), QString());
      FormGlowna->ExecuteAction(FormGlowna->ActionOtworz);
    }
    QVERIFY(d.allUsed());
  }

  // Typing a thickness key by key: the shown chart, report and moisture check
  // follow, each once per turn of the event loop, and the keys are one step.
  void resultsFollowTheWall() {
    ScriptedDialogs d;  // nothing to tell
    addWall();
    FormGlowna->ExecuteAction(FormGlowna->ActionRysTemp);
    FormGlowna->ExecuteAction(FormGlowna->ActionPokazRaport);
    FormGlowna->ExecuteAction(FormGlowna->ActionKondensacja);
    FormGlowna->ExecuteAction(FormGlowna->ActionPokazWarstwy);
    TFormRysunek* chart = TFormRysunek::Instances().value(0);
    QVERIFY(chart && FormRaportNew->isVisible() && FormKondensacja->isVisible());
    const QImage chartBefore = chart->ImageSciana->Picture();
    const QImage reportBefore = FormRaportNew->Pages().value(0);
    const double maBefore = FormKondensacja->Current().result->fRsi;

    FormWarstwy->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FormWarstwy));
    FormWarstwy->ListViewMaterialy->setCurrentItem(FormWarstwy->ListViewMaterialy->topLevelItem(1));
    FormWarstwy->EditGW->setFocus();
    FormWarstwy->EditGW->selectAll();
    QTest::keyClicks(FormWarstwy->EditGW, QStringLiteral("0,3"));
    QCOMPARE(project().layers().at(1).thickness, 0.3);
    QCOMPARE(project().undoStack().count(), 3);            // two layers added, one thickness typed
    QCOMPARE(chart->ImageSciana->Picture(), chartBefore);  // not yet: at the next turn
    QCoreApplication::sendPostedEvents();

    // The insulation's band and the profile through it move with its thickness.
    const QImage after = chart->ImageSciana->Picture();
    QCOMPARE(after.size(), chartBefore.size());
    int changed = 0;
    for (int y = 0; y < after.height(); y += 8)
      for (int x = 0; x < after.width(); x += 2) changed += after.pixel(x, y) != chartBefore.pixel(x, y);
    QVERIFY2(changed > 10, qPrintable(QString::number(changed)));
    QVERIFY(FormRaportNew->Pages().value(0) != reportBefore);
    QVERIFY(FormKondensacja->Current().result->fRsi != maBefore);
  }

  // Station, indoor class and report tick saved with the project and shown
  // again on open; a new project shows the defaults.
  void moistureChoicesTravelWithTheFile() {
    ScriptedDialogs quiet;
    addWall();
    FormGlowna->ExecuteAction(FormGlowna->ActionKondensacja);
    FormKondensacja->ComboBoxStacja->setCurrentIndex(1);
    FormKondensacja->RadioKlasaWilgotnosci->setChecked(true);
    FormKondensacja->ComboBoxKlasa->setCurrentIndex(4);
    FormKondensacja->CheckBoxRaport->setChecked(true);
    const QString verdict = FormKondensacja->LabelKondensacja->text();
    save(QStringLiteral("wilgoc"));
    {
      ScriptedDialogs d;
      FormGlowna->ExecuteAction(FormGlowna->ActionNowy);
    }
    QCOMPARE(FormKondensacja->ComboBoxStacja->currentIndex(), 0);
    QVERIFY(!FormKondensacja->CheckBoxRaport->isChecked());
    QVERIFY(!FormKondensacja->RadioKlasaWilgotnosci->isChecked());
    // The station file changes meanwhile: the project keeps its months.
    open(QStringLiteral("wilgoc.Veltor"));
    QCOMPARE(FormKondensacja->ComboBoxStacja->currentText(), QStringLiteral("Krakow"));
    QCOMPARE(FormKondensacja->ComboBoxKlasa->currentIndex(), 4);
    QVERIFY(FormKondensacja->RadioKlasaWilgotnosci->isChecked());
    QVERIFY(FormKondensacja->CheckBoxRaport->isChecked());
    QCoreApplication::sendPostedEvents();
    QCOMPARE(FormKondensacja->LabelKondensacja->text(), verdict);
    QVERIFY(!project().isModified());

    // Typed months, one of them left empty, come back as typed.
    FormKondensacja->ComboBoxStacja->setCurrentIndex(FormKondensacja->ComboBoxStacja->count() - 1);
    FormKondensacja->TableMiesiace->item(0, 0)->setText(QStringLiteral("-7,5"));
    FormKondensacja->TableMiesiace->item(3, 1)->setText(QString());
    save(QStringLiteral("wpisane"));
    {
      ScriptedDialogs d;
      FormGlowna->ExecuteAction(FormGlowna->ActionNowy);
    }
    open(QStringLiteral("wpisane.Veltor"));
    QCOMPARE(FormKondensacja->TableMiesiace->item(0, 0)->text(), QStringLiteral("\u22127,5"));
    QCOMPARE(FormKondensacja->TableMiesiace->item(3, 1)->text(), QString());
    QCOMPARE(FormKondensacja->TableMiesiace->item(1, 0)->text(),
             QStringLiteral("\u22122"));  // Krakow's, as typing began
  }
};

QTEST_MAIN(TestModel)
#include "test_model.moc"
