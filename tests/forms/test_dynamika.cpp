// The dynamics window on the whole window set: the main window's action, the
// figures of a light and a heavy wall as the table shows them and as the
// picture draws them (pixels at the peaks the layout computes), a layer the
// core refuses, and the window following the layers and the conditions. The
// figures themselves are the core's and are checked there.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>
#include <QTest>

#include "calc/numbers.h"
#include "calc/textfile.h"
#include "forms/appstate.h"
#include "forms/dynamika.h"
#include "forms/glowna.h"
#include "forms/pictureframe.h"
#include "forms/warstwy.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

struct LayerData {
  const char* name;
  double thickness, lambda, density, specificHeat;
};
using Wall = QList<LayerData>;
// Board, mineral wool, OSB: a light timber wall.
const Wall kTimber = {
    {"Płyta g-k", 0.0125, 0.25, 900, 1000}, {"Wełna", 0.15, 0.04, 30, 1030}, {"OSB", 0.022, 0.13, 650, 1700}};
// Plaster, 38 cm of solid brick, EPS, thin render: a heavy masonry wall.
const Wall kMasonry = {{"Tynk", 0.015, 0.82, 1800, 1000},
                       {"Cegła", 0.38, 0.77, 1800, 1000},
                       {"EPS", 0.12, 0.04, 20, 1450},
                       {"Tynk cienkowarstwowy", 0.005, 0.7, 1800, 1000}};

void Build(const Wall& wall) {
  for (const LayerData& d : wall) {
    auto layer = std::make_unique<veltor::LayerRecord>();
    layer->name = veltor::ToCp1250(QString::fromUtf8(d.name));
    layer->thickness = d.thickness;
    layer->lambdaMedium = layer->lambdaHumid = d.lambda;
    layer->density = d.density;
    layer->specificHeat = d.specificHeat;
    FormWarstwy->AppendLayer(std::move(layer));
  }
}

QAction* Action() {
  return FormGlowna->ActionDynamika;
}

QString Value(int row) {
  return FormDynamika->TableParametry->item(row, dynamika::ColumnValue)->text();
}

// Whether a pixel of `colour` lies within two pixels of (x, y): the lines are
// two pixels wide and antialiased.
bool ColourNear(const QImage& image, int x, int y, const QColor& colour) {
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx) {
      const QPoint p(x + dx, y + dy);
      if (!image.rect().contains(p)) continue;
      const QColor c = image.pixelColor(p);
      if (std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40 &&
          std::abs(c.blue() - colour.blue()) < 40)
        return true;
    }
  return false;
}

}  // namespace

Q_DECLARE_METATYPE(Wall)

class TestDynamika : public QObject {
  Q_OBJECT
  std::unique_ptr<LocaleScope> locale;
  std::unique_ptr<TestEnvironment> env;

  void start() {
    env = std::make_unique<TestEnvironment>();
    env->startProgram();
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
    QVERIFY(FormGlowna->ActionToolBarWyniki->actions().contains(Action()));
    FormGlowna->ExecuteAction(Action());
    QVERIFY(!FormDynamika->isVisible());
    Build(kTimber);
    FormGlowna->ExecuteAction(Action());
    QVERIFY(FormDynamika->isVisible() && Action()->isChecked());
    QCOMPARE(FormDynamika->windowTitle(), QStringLiteral("Parametry dynamiczne (EN ISO 13786)"));
    QTest::keyClick(FormDynamika, Qt::Key_F1);
    QVERIFY(d.openedTargets.value(0).endsWith(QLatin1String("/Pomoc/dynamika.htm")));
    QVERIFY(QFile::exists(env->file(QStringLiteral("Pomoc/dynamika.htm"))));
    FormDynamika->ButtonZamknij->click();
    QVERIFY(!FormDynamika->isVisible() && !Action()->isChecked());
    QVERIFY(d.shownMessages.isEmpty());
  }

  void figuresAndPicture_data() {
    QTest::addColumn<Wall>("wall");
    QTest::addColumn<double>("lowestDelay");
    QTest::addColumn<double>("highestDelay");
    QTest::newRow("light timber") << kTimber << 1.0 << 4.0;
    QTest::newRow("heavy masonry") << kMasonry << 12.0 << 20.0;
  }
  void figuresAndPicture() {
    QFETCH(Wall, wall);
    QFETCH(double, lowestDelay);
    QFETCH(double, highestDelay);
    start();
    ScriptedDialogs d;
    Build(wall);
    FormGlowna->ExecuteAction(Action());
    const dynamika::Outcome& outcome = FormDynamika->Current();
    QVERIFY(outcome.result);
    const veltor::DynamicResult& r = *outcome.result;
    QVERIFY2(r.delayH > lowestDelay && r.delayH < highestDelay, qPrintable(QString::number(r.delayH)));
    QVERIFY(!FormDynamika->LabelKomunikat->isVisible());
    // Polish decimals, three significant digits, each row its own figure.
    QCOMPARE(Value(dynamika::RowDelay), veltor::FormatGeneral(r.delayH, 3));
    QCOMPARE(Value(dynamika::RowY12), veltor::FormatGeneral(r.periodicTransmittance, 3));
    QCOMPARE(Value(dynamika::RowKappa1), veltor::FormatGeneral(r.kappa1, 3));
    QCOMPARE(Value(dynamika::RowY22Shift), veltor::FormatGeneral(r.y22ShiftH, 3));
    QCOMPARE(FormDynamika->TableParametry->item(dynamika::RowKappa2, dynamika::ColumnUnit)->text(),
             QStringLiteral("kJ/(m²·K)"));

    const QImage& picture = FormDynamika->ImageFale->Picture();
    const dynamika::WaveLayout layout = dynamika::WavesLayout(picture.size());
    QVERIFY(
        ColourNear(picture, layout.xOf(dynamika::kOutdoorPeakHour), layout.yOf(1), dynamika::kOutdoorColour));
    const double innerPeak = dynamika::kOutdoorPeakHour + r.delayH;
    QVERIFY(
        ColourNear(picture, layout.xOf(innerPeak), layout.yOf(r.decrementFactor), dynamika::kIndoorColour));
    // The inner wave stays below the outdoor amplitude at its own peak.
    QVERIFY(!ColourNear(picture, layout.xOf(innerPeak), layout.yOf(1) - 4, dynamika::kIndoorColour));
  }

  void refusedLayerAndLiveChanges() {
    start();
    ScriptedDialogs d;  // a refusal is shown in the window, never in a box
    Build(kTimber);
    FormGlowna->ExecuteAction(Action());
    const QString lightDelay = Value(dynamika::RowDelay);
    // A layer without specific heat, added in the layer window.
    Build({{"Masa bez danych", 0.05, 0.5, 1200, 0}});
    QTRY_COMPARE(FormDynamika->LabelKomunikat->text(),
                 QStringLiteral("Warstwa 4 („Masa bez danych”) nie ma ciepła właściwego; parametry "
                                "dynamiczne wymagają gęstości i ciepła właściwego każdej warstwy"));
    QVERIFY(FormDynamika->LabelKomunikat->isVisible());
    QVERIFY(Value(dynamika::RowDelay).isEmpty());
    FormWarstwy->ClearLayers();
    Build(kTimber);
    QTRY_COMPARE(Value(dynamika::RowDelay), lightDelay);
    // Heat flowing upwards: Rsi 0.10 instead of 0.13 changes the figures.
    const QString u = Value(dynamika::RowU);
    gDesignConditions.direction = 0;
    gDesignConditions.setSurfaceResistancesFromDirection();
    QTRY_VERIFY(Value(dynamika::RowU) != u);
    QVERIFY(FormDynamika->LabelZalozenia->text().contains(QStringLiteral("Rsi = 0,1,")));
  }
};

QTEST_MAIN(TestDynamika)
#include "test_dynamika.moc"
