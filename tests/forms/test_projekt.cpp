// Save and Open of a project through the main window's actions, with the whole
// window set running: what lands in the file, what comes back into the windows,
// and that a damaged file or an unwritable target changes and loses nothing.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTreeWidget>
#include <QtTest>
#include <cmath>
#include <cstring>
#include <limits>

#include "calc/errors.h"
#include "forms/appstate.h"
#include "forms/daneprojektu.h"
#include "forms/glowna.h"
#include "forms/raport_new.h"
#include "forms/system4.h"
#include "forms/warstwy.h"
#include "forms/warunki_poczatkowe.h"
#include "model/project.h"
#include "project/projectfile.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using namespace veltor;

namespace {

const QString kSaveQuestion = QStringLiteral("Zapisać projektowaną przegrodę?");

QByteArray FileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

std::unique_ptr<LayerRecord> Layer(const char* name, double lambda, double vapour, double thickness) {
  auto r = std::make_unique<LayerRecord>();
  // Bytes the program never interprets must still come back as they were.
  for (int i = 0; i < kLayerRecordSize; ++i) r->raw[i] = static_cast<char>(0xA0 + i % 37);
  r->name = name;
  r->fillPattern = "B1";
  r->density = 600;
  r->lambdaMedium = lambda;
  r->lambdaHumid = lambda * 1.2;
  r->vapourCoefficient = vapour;
  r->specificHeat = 840;
  r->thickness = thickness;
  return r;
}

QByteArray ConditionsBytes(const DesignConditions& c) {
  QBuffer b;
  b.open(QIODevice::WriteOnly);
  WriteConditionsSection(b, c);
  return b.data();
}

QByteArray LayerBytes() {
  QByteArray out;
  const LayerTable& t = FormWarstwy->Layers();
  for (int i = 0; i < t.size(); ++i) out += t.at(i).toBytes();
  return out;
}

// Everything a project open may change, to compare before and after.
struct ProgramState {
  QStringList description;
  QByteArray conditions;
  QStringList conditionControls;
  QByteArray layers;
  bool layerWindowShown = false;

  static ProgramState now() {
    ProgramState s;
    for (QLineEdit* e :
         {FormDaneProj->LabeledEdit1, FormDaneProj->LabeledEdit2, FormDaneProj->LabeledEdit3,
          FormDaneProj->LabeledEdit4, FormDaneProj->LabeledEditAdres, FormDaneProj->LabeledEditUprawnienia})
      s.description << e->text();
    s.conditions = ConditionsBytes(gDesignConditions);
    for (const char* name : {"EditUmax", "LabeledEditTW", "LabeledEditTZ", "LabeledEditWW", "LabeledEditWZ"})
      s.conditionControls << FormWarunkiPoczatkowe->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    s.layers = LayerBytes();
    s.layerWindowShown = FormWarstwy->isVisible();
    return s;
  }
  bool operator==(const ProgramState&) const = default;
};

}  // namespace

class TestProjekt : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<LocaleScope> locale;

  // A project of our own in the windows: description, committed conditions, two layers.
  void composeProject() {
    FormDaneProj->LabeledEdit1->setText(QStringLiteral("Ściana piwnicy"));
    FormDaneProj->LabeledEdit2->setText(QString(300, QLatin1Char('o')));
    FormDaneProj->LabeledEdit3->clear();
    FormDaneProj->LabeledEdit4->setText(QStringLiteral("1 grudnia"));
    FormWarunkiPoczatkowe->findChild<QLineEdit*>(QStringLiteral("LabeledEditTZ"))
        ->setText(QStringLiteral("\u221218"));
    FormWarunkiPoczatkowe->findChild<QLineEdit*>(QStringLiteral("EditUmax"))->setText(QStringLiteral("0,25"));
    QVERIFY(FormWarunkiPoczatkowe->CommitConditions());
    FormWarstwy->AppendLayer(Layer("Beton komorkowy", 0.21, 150, 0.24));
    FormWarstwy->AppendLayer(Layer("Folia", 0.2, -std::numeric_limits<double>::infinity(), 0.0002));
  }

  void save(const QString& name) {
    ScriptedDialogs d;
    d.expectFile(QStringLiteral("SaveDialogProjekt"), name);
    FormGlowna->ExecuteAction(FormGlowna->ActionZapisz);
    QVERIFY(d.allUsed());
  }

  QString projekty(const QString& name) const { return env->file(QStringLiteral("Projekty/") + name); }
  QStringList projectFiles() const {
    return QDir(env->file(QStringLiteral("Projekty"))).entryList(QDir::Files | QDir::Hidden);
  }

 private Q_SLOTS:
  void init() {
    locale = std::make_unique<LocaleScope>(QStringLiteral("pl_PL"));
    env = std::make_unique<TestEnvironment>();
    env->startProgram();
  }
  void cleanup() {
    env.reset();
    locale.reset();
  }

  void saveWritesTheThreeSections() {
    composeProject();
    // Typed but not committed: not part of the project.
    FormWarunkiPoczatkowe->findChild<QLineEdit*>(QStringLiteral("LabeledEditTW"))
        ->setText(QStringLiteral("5"));
    ScriptedDialogs d;
    d.expectFile(QStringLiteral("SaveDialogProjekt"), projekty(QStringLiteral("ściana")));
    FormGlowna->ExecuteAction(FormGlowna->ActionZapisz);

    const ui::FileDialogRequest& request = d.shownFileDialogs.value(0);
    QCOMPARE(request.title, QStringLiteral("Zapisz projekt..."));
    QCOMPARE(request.filters.value(0), QStringLiteral("Projekt przegrody (*.Veltor)"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("Veltor"));
    QCOMPARE(request.initialDir, ProjectsFolder());
    QVERIFY(!request.initialDir.startsWith(QDir::currentPath()));
    QVERIFY(request.confirmOverwrite);

    const QByteArray file = FileBytes(projekty(QStringLiteral("ściana.Veltor")));
    QCOMPARE(file.size(), kLayersOffset + 2 * kLayerRecordSize);
    QCOMPARE(file.mid(0, 15), QByteArray("\x0E\x8C"
                                         "ciana piwnicy"));
    QCOMPARE(file.mid(256, 256), QByteArray(1, '\xFF') + QByteArray(255, 'o'));
    QCOMPARE(file.at(512), '\0');
    QCOMPARE(file.mid(768, 10), QByteArray("\x09"
                                           "1 grudnia"));
    QCOMPARE(file.mid(kDescriptionSectionSize, kConditionsSectionSize), ConditionsBytes(gDesignConditions));
    QCOMPARE(gDesignConditions.ti, 20.0);
    QCOMPARE(gDesignConditions.te, -18.0);
    QCOMPARE(file.mid(kLayersOffset), LayerBytes());
  }

  void cancelledSaveWritesNothing() {
    composeProject();
    const QStringList before = projectFiles();
    ScriptedDialogs d;
    d.expectFile(QStringLiteral("SaveDialogProjekt"), QString());
    QVERIFY(!FormGlowna->ActionZapiszExecute());
    QCOMPARE(projectFiles(), before);
  }

  void roundTripRestoresEverything() {
    composeProject();
    // The results as a pass leaves them: showing the opened layers runs one.
    veltor::PartitionSummary summary;
    RunCalculationPass(FormWarstwy->Layers(), summary);
    const ProgramState saved = ProgramState::now();
    save(projekty(QStringLiteral("a.Veltor")));

    FormDaneProj->ClearFields();
    FormWarstwy->ClearLayers();
    FormWarunkiPoczatkowe->findChild<QLineEdit*>(QStringLiteral("LabeledEditTZ"))
        ->setText(QStringLiteral("-5"));
    QVERIFY(FormWarunkiPoczatkowe->CommitConditions());

    ScriptedDialogs d;
    d.expectFile(QStringLiteral("OpenDialogProjekt"), projekty(QStringLiteral("a.Veltor")));
    FormGlowna->ExecuteAction(FormGlowna->ActionOtworz);
    const ui::FileDialogRequest& request = d.shownFileDialogs.value(0);
    QCOMPARE(request.title, QStringLiteral("Otwórz projekt..."));
    QCOMPARE(request.filters,
             QStringList({QStringLiteral("Projekty (*.Veltor)"), QStringLiteral("Wszystkie pliki (*.*)")}));
    QCOMPARE(request.defaultSuffix, QStringLiteral("Veltor"));
    QCOMPARE(request.initialDir, ProjectsFolder());
    QVERIFY(!request.initialDir.startsWith(QDir::currentPath()));
    QVERIFY(!request.mustExist);

    ProgramState opened = ProgramState::now();
    QCOMPARE(opened.description.value(1), QString(255, QLatin1Char('o')));
    opened.description[1] = saved.description.value(1);
    QVERIFY(opened.layerWindowShown);
    opened.layerWindowShown = saved.layerWindowShown;
    QCOMPARE(opened.description, saved.description);
    QCOMPARE(opened.conditions, saved.conditions);
    QCOMPARE(opened.conditionControls, saved.conditionControls);
    QCOMPARE(opened.layers.toHex(), saved.layers.toHex());
    QCOMPARE(FormWarstwy->Layers().at(1).vapourCoefficient, -std::numeric_limits<double>::infinity());
  }

  void wizardOnlyPartitionSavesNoLayers() {
    FormSystem4->Layers().AppendLayer(Layer("Mur", 0.5, 100, 0.3));
    save(projekty(QStringLiteral("kreator.Veltor")));
    QCOMPARE(FileBytes(projekty(QStringLiteral("kreator.Veltor"))).size(), kLayersOffset);

    FormWarstwy->AppendLayer(Layer("Tynk", 0.8, 45, 0.01));
    FormSystem4->ClearLayers();
    ScriptedDialogs d;
    d.expectMessage(kSaveQuestion, ui::Answer::No)
        .expectFile(QStringLiteral("OpenDialogProjekt"), projekty(QStringLiteral("kreator.Veltor")));
    FormGlowna->ExecuteAction(FormGlowna->ActionOtworz);
    QCOMPARE(FormWarstwy->LayerCount(), 0);
    QVERIFY(FormWarstwy->isVisible());
  }

  void surfaceResistancesFollowTheDirection() {
    DesignConditions stored = gDesignConditions;
    stored.direction = 2;
    stored.rsi = 0.5;
    stored.rse = 0.3;
    stored.umax = 0;
    WriteBytes(projekty(QStringLiteral("w dół.Veltor")),
               QByteArray(kDescriptionSectionSize, '\0') + ConditionsBytes(stored));
    ScriptedDialogs d;
    d.expectFile(QStringLiteral("OpenDialogProjekt"), projekty(QStringLiteral("w dół.Veltor")));
    FormGlowna->ExecuteAction(FormGlowna->ActionOtworz);
    QCOMPARE(gDesignConditions.direction, 2);
    QCOMPARE(gDesignConditions.rsi, 0.17);
    QCOMPARE(gDesignConditions.rse, 0.04);
    QCOMPARE(FormWarunkiPoczatkowe->EditUmax->text(), QStringLiteral("bez wymagań"));
  }

  void openShowsTheLayerWindow_data() {
    QTest::addColumn<bool>("shownBefore");
    QTest::newRow("hiddenBecomesShown") << false;
    QTest::newRow("shownStaysShown") << true;
  }
  // Shown with the figures at once: a window manager need not activate a tool window.
  void openShowsTheLayerWindow() {
    QFETCH(bool, shownBefore);
    composeProject();
    save(projekty(QStringLiteral("p.Veltor")));
    FormWarstwy->ClearLayers();
    if (shownBefore) FormGlowna->ExecuteAction(FormGlowna->ActionPokazWarstwy);
    QCOMPARE(FormWarstwy->isVisible(), shownBefore);
    ScriptedDialogs d;
    d.expectFile(QStringLiteral("OpenDialogProjekt"), projekty(QStringLiteral("p.Veltor")));
    FormGlowna->ExecuteAction(FormGlowna->ActionOtworz);
    QVERIFY(FormWarstwy->isVisible());
    QVERIFY(FormGlowna->ActionPokazWarstwy->isChecked());
    // R = 0.13 + 0.24 / 0.21 + 0.0002 / 0.2 + 0.04 = 1.3139
    QCOMPARE(FormWarstwy->findChild<QLabel*>("StaticText2")->text(), QStringLiteral("2"));
    QCOMPARE(FormWarstwy->findChild<QLabel*>("StaticText3")->text(), QStringLiteral("1,31"));
    QCOMPARE(FormWarstwy->ListViewMaterialy->topLevelItem(0)->text(3), QStringLiteral("1,14"));
  }

  void refusedFileChangesNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("length");  // -1: not created
    QTest::addColumn<double>("te");
    QTest::addColumn<double>("umax");
    QTest::addColumn<int>("spoiledLayer");  // 1-based; 0: none
    QTest::addColumn<double>("lambda");     // of the spoiled layer
    QTest::addColumn<double>("thickness");  // of the spoiled layer
    QTest::addColumn<QString>("message");
    const QString damaged = QStringLiteral("Plik projektu jest uszkodzony lub zbyt duży.");
    const QString conditions = QStringLiteral("Plik projektu zawiera niedopuszczalne warunki początkowe.");
    const double nan = std::nan("");
    QTest::newRow("empty") << "pusty.Veltor" << 0 << -18.0 << 0.3 << 0 << 1.0 << 0.1 << damaged;
    QTest::newRow("cutInDescription")
        << "krótki.Veltor" << 1000 << -18.0 << 0.3 << 0 << 1.0 << 0.1 << damaged;
    QTest::newRow("cutInLastLayer") << "urwany.Veltor" << kLayersOffset + 640 * 3 + 100 << -18.0 << 0.3 << 0
                                    << 1.0 << 0.1 << damaged;
    QTest::newRow("missing") << "brak.Veltor" << -1 << -18.0 << 0.3 << 0 << 1.0 << 0.1
                             << QStringLiteral("File not found.");
    QTest::newRow("outdoorBelowTable")
        << "mróz.Veltor" << kLayersOffset + 640 * 3 << -40.1 << 0.3 << 0 << 1.0 << 0.1 << conditions;
    QTest::newRow("umaxAbsurd") << "umax.Veltor" << kLayersOffset + 640 * 4 << -18.0 << 1.7e308 << 0 << 1.0
                                << 0.1 << conditions;
    QTest::newRow("nanConductivity")
        << "nan.Veltor" << kLayersOffset + 640 * 4 << -18.0 << 0.3 << 3 << nan << 0.1
        << QStringLiteral(
               "Plik projektu zawiera niedopuszczalną wartość w warstwie 3: współczynnik przewodzenia "
               "ciepła λ w warunkach średniowilgotnych.");
    QTest::newRow("zeroThickness") << "zero.Veltor" << kLayersOffset + 640 * 4 << -18.0 << 0.3 << 2 << 1.0
                                   << 0.0
                                   << QStringLiteral(
                                          "Plik projektu zawiera niedopuszczalną wartość w warstwie 2: "
                                          "grubość.");
  }
  void refusedFileChangesNothing() {
    QFETCH(QString, name);
    QFETCH(int, length);
    QFETCH(double, te);
    QFETCH(double, umax);
    QFETCH(int, spoiledLayer);
    QFETCH(double, lambda);
    QFETCH(double, thickness);
    QFETCH(QString, message);
    // A different project on disk: other texts, conditions and four layers.
    DesignConditions other = gDesignConditions;
    other.te = te;
    other.umax = umax;
    other.direction = 0;
    QByteArray bytes = QByteArray(kDescriptionSectionSize, '\x05') + ConditionsBytes(other);
    for (int i = 1; i <= 4; ++i)
      bytes += i == spoiledLayer ? Layer("Inna", lambda, 1, thickness)->toBytes()
                                 : Layer("Inna", 1, 1, 1)->toBytes();
    if (length >= 0) WriteBytes(projekty(name), bytes.left(length));

    composeProject();
    const ProgramState before = ProgramState::now();
    ScriptedDialogs d;
    // The unsaved project is offered for saving first; No goes on to the file.
    d.expectMessage(kSaveQuestion, ui::Answer::No)
        .expectFile(QStringLiteral("OpenDialogProjekt"), projekty(name))
        .expectMessage(message);
    FormGlowna->ExecuteAction(FormGlowna->ActionOtworz);
    QVERIFY(d.allUsed());
    QVERIFY(ProgramState::now() == before);
  }

  void unwritableTargetKeepsTheOldFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("readOnlyFile") << "stary.Veltor"
                                  << "File access denied.";
    QTest::newRow("folderOfThatName") << "folder.Veltor"
                                      << "File access denied.";
    QTest::newRow("missingFolder") << "brak/nowy.Veltor"
                                   << ui::WithFullStop(IoError::messageFor(IoCode::PathNotFound));
  }
  void unwritableTargetKeepsTheOldFile() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    const QByteArray old = QByteArray(kLayersOffset, '\x11');
    WriteBytes(projekty(QStringLiteral("stary.Veltor")), old);
    QFile::setPermissions(projekty(QStringLiteral("stary.Veltor")), QFileDevice::ReadOwner);
    QDir(env->file(QStringLiteral("Projekty"))).mkdir(QStringLiteral("folder.Veltor"));
    composeProject();
    const ProgramState before = ProgramState::now();
    const QStringList files = projectFiles();

    ScriptedDialogs d;
    d.expectFile(QStringLiteral("SaveDialogProjekt"), projekty(name)).expectMessage(message);
    FormGlowna->ExecuteAction(FormGlowna->ActionZapisz);
    QVERIFY(d.allUsed());
    QCOMPARE(FileBytes(projekty(QStringLiteral("stary.Veltor"))), old);
    QVERIFY(QFileInfo(projekty(QStringLiteral("folder.Veltor"))).isDir());
    QCOMPARE(projectFiles(), files);  // no temporary left behind
    QVERIFY(ProgramState::now() == before);
  }

  // The address and the licence number: a step each to undo and redo, kept in
  // the file's extension block, shown again on open, on the designer's report.
  void addressAndLicenceTravelWithTheProject() {
    composeProject();
    auto* address = FormDaneProj->findChild<QLineEdit*>(QStringLiteral("LabeledEditAdres"));
    auto* licence = FormDaneProj->findChild<QLineEdit*>(QStringLiteral("LabeledEditUprawnienia"));
    QVERIFY(address && licence);
    QCOMPARE(FormDaneProj->findChild<QLabel*>(QStringLiteral("LabeledEditAdresLabel"))->text(),
             QStringLiteral("Adres inwestycji"));
    QCOMPARE(FormDaneProj->findChild<QLabel*>(QStringLiteral("LabeledEditUprawnieniaLabel"))->text(),
             QStringLiteral("Nr uprawnień projektanta"));
    Project& project = FormGlowna->project();
    const int steps = project.undoStack().count();
    const QString street = QStringLiteral("ul. Źródlana 5, 05-500 Piaseczno");
    address->setText(street);
    QTest::keyClicks(licence, QStringLiteral("MAZ/0123/POOK/05"));
    QCOMPARE(project.undoStack().count(), steps + 2);
    QCOMPARE(project.description()[kLicence], QStringLiteral("MAZ/0123/POOK/05"));
    FormGlowna->ActionCofnij->trigger();
    QVERIFY(licence->text().isEmpty() && project.description()[kLicence].isEmpty());
    QCOMPARE(address->text(), street);
    FormGlowna->ActionPonow->trigger();
    QCOMPARE(licence->text(), QStringLiteral("MAZ/0123/POOK/05"));
    save(projekty(QStringLiteral("adres.Veltor")));
    const QByteArray file = FileBytes(projekty(QStringLiteral("adres.Veltor")));
    QVERIFY(file.mid(kLayersOffset + 2 * kLayerRecordSize).contains(street.toUtf8()));

    FormDaneProj->ClearFields();
    {
      ScriptedDialogs d;
      d.expectMessage(kSaveQuestion, ui::Answer::No)
          .expectFile(QStringLiteral("OpenDialogProjekt"), projekty(QStringLiteral("adres.Veltor")));
      FormGlowna->ExecuteAction(FormGlowna->ActionOtworz);
    }
    QCOMPARE(address->text(), street);
    QCOMPARE(licence->text(), QStringLiteral("MAZ/0123/POOK/05"));

    ScriptedDialogs d;
    const QString odt = env->file(QStringLiteral("raport.odt"));
    d.expectFile(QStringLiteral("SaveDialogRaportProjektowy"), odt);
    FormRaportNew->ActionRaportOdt->trigger();
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), odt, QStringLiteral("content.xml")});
    QVERIFY(unzip.waitForFinished(20000));
    const QString content = QString::fromUtf8(unzip.readAllStandardOutput());
    QVERIFY(content.contains(street));
    QVERIFY(content.contains(QStringLiteral("MAZ/0123/POOK/05")));
  }

  void sampleProjectOpens() {
    ScriptedDialogs d;
    d.expectFile(QStringLiteral("OpenDialogProjekt"), QStringLiteral("Projekty/Przykład.Veltor"));
    FormGlowna->ExecuteAction(FormGlowna->ActionOtworz);
    QVERIFY(d.allUsed());
    QCOMPARE(FormDaneProj->LabeledEdit1->text(), QStringLiteral("Ściana zewnętrzna z ociepleniem"));
    QCOMPARE(gDesignConditions.ti, 20.0);
    QCOMPARE(gDesignConditions.te, -20.0);
    QCOMPARE(gDesignConditions.umax, 0.2);
    QCOMPARE(gDesignConditions.rsi, 0.13);
    QCOMPARE(FormWarstwy->LayerCount(), 4);
    QVERIFY(FormWarstwy->isVisible());
    // The stored results are those of a pass under the stored conditions, and
    // the wall meets its requirement.
    const QByteArray stored = FileBytes(QStringLiteral("Projekty/Przykład.Veltor")).mid(kLayersOffset);
    veltor::PartitionSummary summary;
    RunCalculationPass(FormWarstwy->Layers(), summary);
    QCOMPARE(LayerBytes().toHex(), stored.toHex());
    QVERIFY(summary.u <= 0.2);
    QVERIFY(summary.u > 0.15);
  }
};

QTEST_MAIN(TestProjekt)
#include "test_projekt.moc"
