// The moisture window driven as a user drives it, on the whole window set: the
// main window's action, the typed months and their refusals, the verdicts of a
// wall that condenses and of one that stays dry, a wall the core refuses, the
// live recalculation, the stations of the climate file and the report's
// second page. The figures themselves are the core's and are checked there;
// here the texts, marks and pages built from them.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "calc/numbers.h"
#include "calc/textfile.h"
#include "forms/appstate.h"
#include "forms/glowna.h"
#include "forms/kondensacja.h"
#include "forms/pictureframe.h"
#include "forms/raport_new.h"
#include "forms/warstwy.h"
#include "platform/picturefile.h"
#include "platform/printing.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

// A climate for the tests, not a station: te and φe, January first, as typed in Polish.
const QStringList kTe = {"-4", "-3", "1", "7", "12", "16", "18", "17", "13", "8", "3", "-1"};
const QStringList kPhi = {"88", "85", "80", "75", "72", "74", "75", "77", "82", "86", "89", "90"};

struct LayerData {
  const char* name;
  double thickness, lambda, coefficient;
};
using Wall = QList<LayerData>;
// Board, mineral wool and OSB outside: vapour-open inside, tight outside.
const Wall kCondensing = {
    {"Płyta g-k", 0.0125, 0.25, 72}, {"Wełna", 0.15, 0.04, 720}, {"OSB", 0.022, 0.13, 3.6}};
// Brick, EPS, render: fRsi = 1 - 0.25 / (0.25 + 3.331818 + 0.04) = 0.930974.
const Wall kDry = {{"Cegła", 0.25, 0.77, 72}, {"EPS", 0.12, 0.04, 12}, {"Tynk", 0.005, 0.7, 48}};
// Bare concrete: fRsi = 1 - 0.25 / (0.25 + 0.1 / 1.7 + 0.04) = 0.2833.
const Wall kCold = {{"Beton", 0.1, 1.7, 6}};

void Build(const Wall& wall) {
  for (const LayerData& layerData : wall) {
    auto layer = std::make_unique<veltor::LayerRecord>();
    layer->name = veltor::ToCp1250(QString::fromUtf8(layerData.name));
    layer->thickness = layerData.thickness;
    layer->lambdaMedium = layer->lambdaHumid = layerData.lambda;
    layer->vapourCoefficient = layerData.coefficient;
    FormWarstwy->AppendLayer(std::move(layer));
  }
}

void Type(int month, int column, const QString& text) {
  FormKondensacja->TableMiesiace->item(month, column)->setText(text);
}
void TypeClimate() {
  // The shipped stations come first; the tests type their own months.
  QComboBox* combo = FormKondensacja->ComboBoxStacja;
  combo->setCurrentIndex(combo->count() - 1);
  for (int m = 0; m < 12; ++m) {
    Type(m, 0, kTe[m]);
    Type(m, 1, kPhi[m]);
  }
}

int PdfPages(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray bytes = file.readAll();
  // The page tree's "/Type /Pages" is not a page.
  return static_cast<int>(bytes.count("/Type /Page") - bytes.count("/Type /Pages"));
}

// The stations of the shipped Dane/klimat.txt.
constexpr int kShippedStations = 10;

QAction* Action() {
  return FormGlowna->ActionKondensacja;
}

}  // namespace

Q_DECLARE_METATYPE(Wall)

class TestKondensacja : public QObject {
  Q_OBJECT
  std::unique_ptr<LocaleScope> locale;
  std::unique_ptr<TestEnvironment> env;

  void start(const QByteArray& climateFile = {}) {
    env = std::make_unique<TestEnvironment>();
    if (!climateFile.isEmpty()) env->writeFile(QStringLiteral("Dane/klimat.txt"), climateFile);
    env->startProgram();
  }
  // The window shown with the wall and the typed climate.
  void showWith(const Wall& wall) {
    Build(wall);
    FormGlowna->ExecuteAction(Action());
    QVERIFY(FormKondensacja->isVisible());
    TypeClimate();
  }

 private Q_SLOTS:
  void init() { locale = std::make_unique<LocaleScope>(QStringLiteral("pl_PL")); }
  void cleanup() {
    env.reset();
    locale.reset();
  }

  void actionNeedsAPartitionAndFollowsTheWindow() {
    start();
    ScriptedDialogs d;
    FormGlowna->UpdateActions();
    QVERIFY(!Action()->isEnabled());
    FormGlowna->ExecuteAction(Action());
    QVERIFY(!FormKondensacja->isVisible());
    Build(kDry);
    QTRY_VERIFY(Action()->isEnabled());
    FormGlowna->ExecuteAction(Action());
    QVERIFY(FormKondensacja->isVisible() && Action()->isChecked());
    QTest::keyClick(FormKondensacja, Qt::Key_F1);
    QVERIFY(d.openedTargets.value(0).endsWith(QLatin1String("/Pomoc/kondensacja.htm")));
    QVERIFY(QFile::exists(env->file(QStringLiteral("Pomoc/kondensacja.htm"))));
    // The window's own button hides it, and the check mark follows at once.
    FormKondensacja->ButtonZamknij->click();
    QVERIFY(!FormKondensacja->isVisible() && !Action()->isChecked());
    FormGlowna->ExecuteAction(Action());
    QApplication::setActiveWindow(FormKondensacja);  // closed from the front
    FormGlowna->ExecuteAction(Action());
    QVERIFY(!FormKondensacja->isVisible() && !Action()->isChecked());
    QVERIFY(d.shownMessages.isEmpty());
  }

  void typedMonths_data() {
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");  // empty: assessed
    QTest::newRow("all twelve") << 0 << 0 << "-4"
                                << "";
    QTest::newRow("decimal comma") << 2 << 0 << "1,5"
                                   << "";
    QTest::newRow("decimal point") << 2 << 0 << "1.5"
                                   << "";
    QTest::newRow("two separators")
        << 2 << 0 << "1.5,0"
        << "Marzec, temperatura θe: „1.5,0” nie jest liczbą (separator dziesiętny: przecinek lub kropka)";
    QTest::newRow("text") << 5 << 1 << "wilgotno"
                          << "Czerwiec, wilgotność względna φe: „wilgotno” nie jest liczbą (separator "
                             "dziesiętny: przecinek lub kropka)";
    QTest::newRow("missing month") << 3 << 1 << " "
                                   << "Kwiecień: brak wartości (wilgotność względna φe)";
    QTest::newRow("humidity above 100") << 4 << 1 << "120"
                                        << "Maj: wilgotność względna 120% poza zakresem od 1 do 100%";
    QTest::newRow("temperature below -50")
        << 0 << 0 << "-60"
        << "Styczeń: temperatura \u221260 °C poza zakresem od \u221250 do 50 °C";
    QTest::newRow("nan")
        << 0 << 0 << "nan"
        << "Styczeń, temperatura θe: „nan” nie jest liczbą (separator dziesiętny: przecinek lub kropka)";
  }
  void typedMonths() {
    QFETCH(int, month);
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    start();
    ScriptedDialogs d;  // a refusal is shown in the window, never in a box
    Build(kDry);
    FormGlowna->ExecuteAction(Action());
    FormKondensacja->ComboBoxStacja->setCurrentIndex(kShippedStations);
    for (int m = 0; m < 12; ++m) {
      Type(m, 0, QString());
      Type(m, 1, QString());
    }
    QCOMPARE(FormKondensacja->LabelKomunikat->text(),
             QStringLiteral("Wpisz w tabeli średnie miesięczne temperatury θe i wilgotności względne φe "
                            "powietrza zewnętrznego (dwanaście miesięcy) albo wybierz stację klimatyczną"));
    // The report's page says so in its own words: the request to type is for the window.
    QCOMPARE(kondensacja::RefusalText(FormKondensacja->Current()),
             QStringLiteral("Oceny nie wykonano: nie wybrano klimatu zewnętrznego."));
    TypeClimate();
    Type(month, column, typed);
    QCOMPARE(FormKondensacja->LabelKomunikat->text(), message);
    QCOMPARE(FormKondensacja->LabelKomunikat->isVisible(), !message.isEmpty());
    QCOMPARE(FormKondensacja->LabelKondensacja->isVisible(), message.isEmpty());
    // The cell typed stands out while the assessment refuses it.
    QCOMPARE(FormKondensacja->TableMiesiace->item(month, column)->background().style() != Qt::NoBrush,
             !message.isEmpty());
    for (int m = 0; m < 12; ++m) {
      for (int c = 2; c < 7; ++c) {
        const QString cell = FormKondensacja->TableMiesiace->item(m, c)->text();
        QVERIFY2(message.isEmpty() ? !cell.isEmpty() : cell.isEmpty(), qPrintable(cell));
        QVERIFY(!cell.contains(QLatin1String("nan"), Qt::CaseInsensitive) &&
                !cell.contains(QLatin1Char('.')));
      }
    }
  }

  void verdicts_data() {
    QTest::addColumn<Wall>("wall");
    QTest::addColumn<int>("verdict");  // 0 surface, 1 simplified threshold, 2 interstitial
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("dry wall: surface")
        << kDry << 0 << "Powierzchnia wewnętrzna: fRsi = 0,931 ≥ fRsi,min = " << true;
    QTest::newRow("dry wall: threshold")
        << kDry << 1 << "Wymaganie uproszczone dla pomieszczeń ogrzewanych: fRsi = 0,931 ≥ 0,72 – spełnione"
        << true;
    QTest::newRow("dry wall: no condensation")
        << kDry << 2 << "Kondensacja międzywarstwowa: nie występuje w żadnym miesiącu" << true;
    QTest::newRow("condensing wall: accumulates behind the wool")
        << kCondensing << 2
        << "Kondensacja międzywarstwowa: wilgoć kumuluje się na granicy warstw 2 („Wełna”) i 3 („OSB”) – po "
           "roku "
           "w przegrodzie zostaje woda; największa ilość wody Ma = "
        << false;
    QTest::newRow("cold wall: mould")
        << kCold << 0 << "Powierzchnia wewnętrzna: fRsi = 0,2833 < fRsi,min = " << false;
    QTest::newRow("cold wall: threshold") << kCold << 1 << "fRsi = 0,2833 < 0,72 – niespełnione" << false;
  }
  void verdicts() {
    QFETCH(Wall, wall);
    QFETCH(int, verdict);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    start();
    showWith(wall);
    QLabel* const labels[] = {FormKondensacja->LabelPowierzchnia, FormKondensacja->LabelProgUproszczony,
                              FormKondensacja->LabelKondensacja};
    QLabel* const marks[] = {FormKondensacja->MarkPowierzchnia, FormKondensacja->MarkProgUproszczony,
                             FormKondensacja->MarkKondensacja};
    QVERIFY2(labels[verdict]->text().contains(text), qPrintable(labels[verdict]->text()));
    QCOMPARE(marks[verdict]->property("ok").toBool(), ok);
    // The mark is drawn in its colour: green for a pass, red for a failure.
    const QColor centre = marks[verdict]->pixmap().toImage().pixelColor(3, 8);
    QVERIFY(ok ? centre.green() > centre.red() : centre.red() > centre.green());
  }

  void refusedWall_data() {
    QTest::addColumn<Wall>("wall");
    QTest::addColumn<QString>("message");
    QTest::newRow("zero thickness")
        << Wall{{"Tynk", 0, 0.8, 40}}
        << "Warstwa 1 („Tynk”) ma grubość 0 m; ocena wilgotnościowa wymaga warstw o "
           "grubości większej od zera";
    QTest::newRow("no vapour resistance")
        << Wall{{"Folia", 0.01, 0.2, -INFINITY}, {"Wełna", 0.1, 0.04, -INFINITY}}
        << "Przegroda nie ma oporu dyfuzyjnego: żadna warstwa nie stawia "
           "oporu parze wodnej, więc kondensacji "
           "międzywarstwowej nie można ocenić";
  }
  void refusedWall() {
    QFETCH(Wall, wall);
    QFETCH(QString, message);
    start();
    ScriptedDialogs d;
    showWith(wall);
    QCOMPARE(FormKondensacja->LabelKomunikat->text(), message);
    QVERIFY(FormKondensacja->LabelKomunikat->isVisible() && !FormKondensacja->LabelPowierzchnia->isVisible());
    QVERIFY(FormKondensacja->TableMiesiace->item(0, 3)->text().isEmpty());
    // The queued redraws keep quiet as well.
    QCoreApplication::processEvents();
    QVERIFY(d.shownMessages.isEmpty());
  }

  void liveRecalculation() {
    start();
    showWith(kDry);
    QCOMPARE(FormKondensacja->LabelKondensacja->text(),
             QStringLiteral("Kondensacja międzywarstwowa: nie występuje w żadnym miesiącu"));
    // A vapour-tight sheet outside, added in the layer window.
    Build({{"Folia", 0.001, 50, 0.00072}});
    QTRY_VERIFY(FormKondensacja->LabelKondensacja->text().contains(QLatin1String("kumuluje")));
    FormWarstwy->ClearLayers();
    QTRY_COMPARE(FormKondensacja->LabelKomunikat->text(),
                 QStringLiteral("Nie zdefiniowano warstw przegrody"));
    // The conditions window's φi shows in the indoor choice.
    Build(kDry);
    veltor::DesignConditions conditions = FormGlowna->project().conditions();
    conditions.phiI = 65;
    FormGlowna->project().setConditions(conditions);
    QTRY_VERIFY(FormKondensacja->RadioWilgotnoscProjektowa->text().contains(QStringLiteral("φi = 65%")));
    QCOMPARE(FormKondensacja->Current().input.indoor.phiI, 65.0);
    FormKondensacja->RadioKlasaWilgotnosci->setChecked(true);
    FormKondensacja->ComboBoxKlasa->setCurrentIndex(4);
    QCOMPARE(FormKondensacja->Current().input.indoor.mode, veltor::IndoorHumidity::HumidityClass);
    QCOMPARE(FormKondensacja->Current().input.indoor.humidityClass, 5);
  }

  void stationsOfTheClimateFile() {
    QByteArray file = "; for the tests only\r\n[Stacja testowa]\r\n";
    for (int m = 0; m < 12; ++m) file += kTe[m].toLatin1() + ".5 " + kPhi[m].toLatin1() + "\r\n";
    start(file);
    QComboBox* combo = FormKondensacja->ComboBoxStacja;
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->currentText(), QStringLiteral("Stacja testowa"));
    QCOMPARE(combo->itemText(1), TFormKondensacja::kOwnDataItem);
    QTableWidgetItem* january = FormKondensacja->TableMiesiace->item(0, 0);
    QCOMPARE(january->text(), QStringLiteral("\u22124,5"));
    QVERIFY(!(january->flags() & Qt::ItemIsEditable));
    // Own data starts from the station shown, and what is typed survives a look at the station.
    combo->setCurrentIndex(1);
    QVERIFY(january->flags() & Qt::ItemIsEditable);
    QCOMPARE(january->text(), QStringLiteral("\u22124,5"));
    january->setText(QStringLiteral("-7"));
    combo->setCurrentIndex(0);
    QCOMPARE(january->text(), QStringLiteral("\u22124,5"));
    combo->setCurrentIndex(1);
    QCOMPARE(january->text(), QStringLiteral("-7"));
    QCOMPARE(FormKondensacja->Assess().climateName, QStringLiteral("dane wpisane przez użytkownika"));
  }

  // The longest name a station may have does not widen the window, which
  // would otherwise outgrow the screen, nor is it lost: the picker elides it
  // and its tip holds it whole.
  void longStationNameDoesNotWidenTheWindow() {
    const QByteArray months = QByteArray("-1 80\r\n").repeated(12);
    start("[A]\r\n" + months);
    const int width = FormKondensacja->sizeHint().width();
    env.reset();
    const QString name(veltor::kMaxStationName, QLatin1Char('W'));
    start("[" + name.toLatin1() + "]\r\n" + months);
    QComboBox* combo = FormKondensacja->ComboBoxStacja;
    QCOMPARE(combo->itemData(0, Qt::ToolTipRole).toString(), name);
    QVERIFY(combo->sizeHint().width() < combo->fontMetrics().horizontalAdvance(name));
    QCOMPARE(FormKondensacja->sizeHint().width(), width);
  }

  void brokenClimateFileLeavesTypedMonths() {
    ScriptedDialogs d;
    d.expectMessage(QStringLiteral("Plik danych klimatycznych, wiersz 2: „x” nie jest liczbą."));
    start("[Stacja]\r\nx 80\r\n");
    QVERIFY(d.allUsed());
    QCOMPARE(FormKondensacja->ComboBoxStacja->count(), 1);
    QVERIFY(FormKondensacja->TableMiesiace->item(0, 0)->flags() & Qt::ItemIsEditable);
  }

  // Typed months saved under a name are a station from then on, also after a
  // restart; a refused name writes nothing and keeps the typing.
  void savedStationComesBack() {
    start();
    ScriptedDialogs d;
    showWith(kDry);
    QComboBox* combo = FormKondensacja->ComboBoxStacja;
    QVERIFY(FormKondensacja->ButtonZapiszStacje->isEnabled());
    d.expectMessage(QStringLiteral("Wpisz nazwę stacji."));
    FormKondensacja->ButtonZapiszStacje->click();
    Type(0, 0, QStringLiteral("-4,5"));
    FormKondensacja->EditNazwaStacji->setText(QStringLiteral("Działka w Łodzi"));
    QTest::keyClick(FormKondensacja->EditNazwaStacji, Qt::Key_Return);
    QCOMPARE(combo->currentText(), QStringLiteral("Działka w Łodzi"));
    QCOMPARE(combo->itemText(combo->count() - 1), TFormKondensacja::kOwnDataItem);
    QVERIFY(!FormKondensacja->ButtonZapiszStacje->isEnabled());
    QCOMPARE(FormKondensacja->Assess().input.climate.te[0], -4.5);
    QVERIFY(QFile::exists(env->userData() + QStringLiteral("/veltorobl/klimat.txt")));

    combo->setCurrentIndex(combo->count() - 1);
    d.expectMessage(QStringLiteral("Stacja „DZIAŁKA W ŁODZI” już jest na liście stacji."));
    FormKondensacja->EditNazwaStacji->setText(QStringLiteral("DZIAŁKA W ŁODZI"));
    FormKondensacja->ButtonZapiszStacje->click();
    QCOMPARE(combo->count(), kShippedStations + 2);

    env->stopProgram();
    env->startProgram();
    combo = FormKondensacja->ComboBoxStacja;
    QCOMPARE(combo->itemText(kShippedStations), QStringLiteral("Działka w Łodzi"));
    combo->setCurrentIndex(kShippedStations);
    QCOMPARE(FormKondensacja->TableMiesiace->item(0, 0)->text(), QStringLiteral("\u22124,5"));
    QVERIFY(d.allUsed());
  }

  void shippedStations() {
    start();
    QStringList names;
    for (int i = 0; i < FormKondensacja->ComboBoxStacja->count(); ++i)
      names.append(FormKondensacja->ComboBoxStacja->itemText(i));
    QCOMPARE(
        names.join(QLatin1Char(',')),
        QStringLiteral("Warszawa-Okęcie,Kraków-Balice,Wrocław-Strachowice,Poznań-Ławica,Łódź-Lublinek,Hel,"
                       "Łeba,Suwałki,Białystok,Zakopane,") +
            TFormKondensacja::kOwnDataItem);
  }

  void paste_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<int>("column");      // the current cell's
    QTest::addColumn<QString>("months");  // January and December after the paste, empty: refused
    QString rows, semicolons, column,
        twoRows = kTe.join(QLatin1Char('\t')) + QStringLiteral("\n") + kPhi.join(';');
    for (int m = 0; m < 12; ++m) {
      rows += QStringLiteral("%1.5\t%2\r\n").arg(kTe[m], kPhi[m]);
      semicolons += QStringLiteral("%1,5;%2\n").arg(kTe[m], kPhi[m]);
      column += kPhi[m] + QStringLiteral("\n");
    }
    QTest::newRow("rows, tab, point") << rows << 0 << "-4,5 88 -1,5 90";
    QTest::newRow("rows, semicolon, comma") << semicolons << 0 << "-4,5 88 -1,5 90";
    QTest::newRow("one column into φe") << column << 1 << "-4 88 -1 90";
    QTest::newRow("two rows of twelve") << twoRows << 0 << "-4 88 -1 90";
    QTest::newRow("a word: red cell")
        << QString(rows).replace(QStringLiteral("-4.5"), QStringLiteral("zimno")) << 0 << "zimno 88 -1,5 90";
    QTest::newRow("eleven rows") << rows.section(QLatin1Char('\n'), 1) << 0 << "";
  }
  void paste() {
    QFETCH(QString, clipboard);
    QFETCH(int, column);
    QFETCH(QString, months);
    start();
    ScriptedDialogs d;
    showWith(kDry);  // January -4 88, December -1 90
    if (months.isEmpty()) {
      d.expectMessage(
          QStringLiteral("Schowek nie zawiera miesięcy w układzie, który można wkleić: potrzeba dwunastu "
                         "wierszy z θe albo z θe "
                         "i φe, albo dwóch wierszy po dwanaście wartości (θe, potem φe), oddzielonych "
                         "tabulatorem lub średnikiem."));
    }
    FormKondensacja->ComboBoxStacja->setCurrentIndex(0);  // pasting chooses the typed months
    FormKondensacja->TableMiesiace->setCurrentCell(3, column);
    QGuiApplication::clipboard()->setText(clipboard);
    FormKondensacja->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FormKondensacja));
    FormKondensacja->TableMiesiace->setFocus();
    QTest::keySequence(FormKondensacja->TableMiesiace, QKeySequence::Paste);
    QVERIFY(d.allUsed());
    QCOMPARE(FormKondensacja->ComboBoxStacja->currentIndex(), months.isEmpty() ? 0 : kShippedStations);
    if (months.isEmpty()) return;
    QStringList shown;
    for (int m : {0, 11})
      shown << FormKondensacja->TableMiesiace->item(m, 0)->text()
            << FormKondensacja->TableMiesiace->item(m, 1)->text();
    QCOMPARE(shown.join(QLatin1Char(' ')), months);
    const bool refused = months.startsWith(QLatin1String("zimno"));
    QCOMPARE(FormKondensacja->TableMiesiace->item(0, 0)->background().style() != Qt::NoBrush, refused);
    // The pasted months are the project's, as one step to undo.
    const veltor::MoistureSettings stored = FormGlowna->project().extras().moisture;
    QCOMPARE(stored.climate, veltor::MoistureSettings::Climate::Typed);
    const std::optional<double> december = veltor::ParseTypedNumber(shown[2]);
    if (december) QCOMPARE(stored.te[11], *december);
    // One undo brings the station back, months and choice together.
    FormGlowna->project().undoStack().undo();
    QVERIFY(FormGlowna->project().extras().moisture.climate != veltor::MoistureSettings::Climate::Typed);
    QCoreApplication::processEvents();
    QCOMPARE(FormKondensacja->ComboBoxStacja->currentIndex(), 0);
  }

  // However long a verdict, the chart stays above the bottom row: the window
  // grows when a longer verdict comes in while it is shown.
  void longestVerdictKeepsTheChartInView() {
    start();
    showWith(kDry);
    Wall wall = kCondensing;
    const QByteArray longName(255, 'W');
    wall[1].name = wall[2].name = longName.constData();
    FormWarstwy->ClearLayers();
    Build(wall);
    // Warszawa at φi 55 %: it dries out, the longest of the verdicts, naming two layers.
    gDesignConditions.phiI = 55;
    FormKondensacja->ComboBoxStacja->setCurrentIndex(0);
    QVERIFY(FormKondensacja->LabelKondensacja->text().contains(QLatin1String("wysycha")));
    const auto top = [](QWidget* w) { return w->mapTo(FormKondensacja, QPoint(0, 0)).y(); };
    QWidget* verdict = FormKondensacja->LabelKondensacja;
    QVERIFY(top(verdict) + verdict->heightForWidth(verdict->width()) <= top(FormKondensacja->ImageWykres));
    QVERIFY(top(FormKondensacja->ImageWykres) + FormKondensacja->ImageWykres->height() <=
            top(FormKondensacja->ButtonZamknij));
  }

  // What a project keeps of the window brings back the same table and verdicts,
  // also when the station file has changed since.
  void settingsComeBack_data() {
    QTest::addColumn<int>("station");  // -1: the typed months
    QTest::addColumn<bool>("changed");
    QTest::newRow("station") << 3 << false;
    QTest::newRow("station changed since") << 3 << true;
    QTest::newRow("typed months") << -1 << false;
  }
  void settingsComeBack() {
    QFETCH(int, station);
    QFETCH(bool, changed);
    start();
    showWith(kCondensing);
    if (station >= 0) FormKondensacja->ComboBoxStacja->setCurrentIndex(station);
    FormKondensacja->RadioKlasaWilgotnosci->setChecked(true);
    FormKondensacja->CheckBoxRaport->setChecked(true);
    const TFormKondensacja::MoistureSettings saved = FormKondensacja->Settings();
    const auto shown = [] {
      QStringList texts = {FormKondensacja->LabelPowierzchnia->text(),
                           FormKondensacja->LabelKondensacja->text(), FormKondensacja->Current().climateName};
      for (int m = 0; m < 84; ++m) texts.append(FormKondensacja->TableMiesiace->item(m / 7, m % 7)->text());
      return texts;
    };
    const QStringList before = shown();
    if (changed) {  // a later session, the station's months edited in the file since
      env->stopProgram();
      env->writeFile(QStringLiteral("Dane/klimat.txt"), "[" + veltor::ToCp1250(saved.stationName) + "]\r\n" +
                                                            QByteArray("5 80\r\n").repeated(12));
      env->startProgram();
      showWith(kCondensing);
    }
    FormKondensacja->ApplySettings(FormKondensacja->DefaultSettings());
    QVERIFY(FormKondensacja->ComboBoxStacja->currentIndex() == 0 &&
            !FormKondensacja->CheckBoxRaport->isChecked());
    FormKondensacja->ApplySettings(saved);
    QCOMPARE(shown(), before);
    QCOMPARE(FormKondensacja->Settings(), saved);
    QCOMPARE(FormKondensacja->ComboBoxStacja->currentText().endsWith(QLatin1String(" (z projektu)")),
             changed);
  }

  void reportSecondPage_data() {
    QTest::addColumn<bool>("asked");
    QTest::newRow("not asked: one page") << false;
    QTest::newRow("asked: two pages") << true;
  }
  void reportSecondPage() {
    QFETCH(bool, asked);
    start();
    ScriptedDialogs d;
    showWith(kCondensing);
    FormKondensacja->CheckBoxRaport->setChecked(asked);
    FormGlowna->ExecuteAction(FormGlowna->ActionPokazRaport);
    const QList<QImage> pages = FormRaportNew->Pages();
    QCOMPARE(pages.size(), asked ? 2 : 1);
    const QImage shown = FormRaportNew->ImageRaport->Picture();
    QCOMPARE(shown.height(),
             asked ? pages[0].height() + ui::kPageBreakBand + pages[1].height() : pages[0].height());

    d.expectFile(QStringLiteral("SavePictureDialogRaport"), env->file(QStringLiteral("raport")), 2);
    d.expectFile(QStringLiteral("SavePictureDialogRaport"), env->file(QStringLiteral("raport")), 0);
    FormRaportNew->ActionSave->trigger();
    FormRaportNew->ActionSave->trigger();
    QCOMPARE(PdfPages(env->file(QStringLiteral("raport.pdf"))), asked ? 2 : 1);
    QCOMPARE(QImage(env->file(QStringLiteral("raport.bmp"))).size(), shown.size());

    d.expectPrint(QStringLiteral("PrintDialogRaport"), 2);
    FormRaportNew->ActionPrint->trigger();
    QCOMPARE(d.printJobs, 2);
    QCOMPARE(PdfPages(ui::SharedPrinter().outputFileName()), asked ? 2 : 1);

    // Ticking the box while the report is shown redraws it, through the project.
    FormKondensacja->CheckBoxRaport->setChecked(!asked);
    QTRY_COMPARE(FormRaportNew->Pages().size(), asked ? 1 : 2);
    QVERIFY(d.allUsed());
  }

  // The report's page comes from the project's saved choices and the model's
  // assessment of them, the moisture window never opened; it is the page of
  // what the window shows once opened.
  void reportPageFromTheProject() {
    start();
    ScriptedDialogs d;
    Build(kCondensing);
    veltor::MoistureSettings m;
    m.climate = veltor::MoistureSettings::Climate::Typed;
    for (int i = 0; i < 12; ++i) {
      m.te[i] = veltor::StrToFloat(kTe[i]);
      m.phiE[i] = veltor::StrToFloat(kPhi[i]);
    }
    m.inReport = true;
    FormGlowna->project().setMoisture(m);
    FormGlowna->ExecuteAction(FormGlowna->ActionPokazRaport);
    const QList<QImage> pages = FormRaportNew->Pages();
    QCOMPARE(pages.size(), 2);
    QVERIFY(!FormKondensacja->isVisible());
    FormGlowna->ExecuteAction(Action());
    QVERIFY(FormKondensacja->Current().result);
    QCOMPARE(pages[1],
             kondensacja::BuildMoisturePage(FormKondensacja->Current(),
                                            FormGlowna->project().description()[0], pages[1].size()));
  }
};

QTEST_MAIN(TestKondensacja)
#include "test_kondensacja.moc"
