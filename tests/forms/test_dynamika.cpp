// The dynamics window on the whole window set: its action, the table and the
// picture (pixels at the peaks the layout computes) for a light and a heavy
// wall, a refused layer, and the window following the layers and conditions.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>

#include "calc/dynamic_walls.h"
#include "calc/numbers.h"
#include "forms/appstate.h"
#include "forms/dynamika.h"
#include "forms/glowna.h"
#include "forms/pictureframe.h"
#include "forms/warstwy.h"
#include "model/project.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

void Build(veltor::LayerTable wall) {
  for (auto& layer : wall.takeAll()) FormWarstwy->AppendLayer(std::move(layer));
}

QAction* Action() {
  return FormGlowna->ActionDynamika;
}

QString Value(int row) {
  return FormDynamika->TableParametry->item(row, dynamika::ColumnValue)->text();
}

// A pixel of `colour` within two pixels of (x, y): the lines are two pixels wide and antialiased.
bool ColourNear(const QImage& image, int x, int y, const QColor& colour) {
  for (int i = 0; i < 25; ++i) {
    const QColor c = image.pixelColor(x + i % 5 - 2, y + i / 5 - 2);
    if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
            std::abs(c.blue() - colour.blue()) <
        90)
      return true;
  }
  return false;
}

}  // namespace

class TestDynamika : public QObject {
  Q_OBJECT
  std::unique_ptr<LocaleScope> locale;
  std::unique_ptr<TestEnvironment> env;

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

  void actionNeedsAPartitionAndFollowsTheWindow() {
    ScriptedDialogs d;
    FormGlowna->UpdateActions();
    QVERIFY(!Action()->isEnabled());
    QVERIFY(FormGlowna->ActionToolBarWyniki->actions().contains(Action()));
    Build(dynamic_walls::Timber());
    FormGlowna->ExecuteAction(Action());
    QVERIFY(FormDynamika->isVisible() && Action()->isChecked());
    QTest::keyClick(FormDynamika, Qt::Key_F1);
    QVERIFY(d.openedTargets.value(0).endsWith(QLatin1String("/Pomoc/dynamika.htm")));
    QVERIFY(QFile::exists(env->file(QStringLiteral("Pomoc/dynamika.htm"))));
    FormDynamika->ButtonZamknij->click();
    QVERIFY(!FormDynamika->isVisible() && !Action()->isChecked());
  }

  void figuresAndPicture_data() {
    QTest::addColumn<bool>("heavy");
    QTest::addColumn<double>("lowestDelay");
    QTest::addColumn<double>("highestDelay");
    QTest::newRow("light timber") << false << 1.0 << 4.0;
    QTest::newRow("heavy masonry") << true << 12.0 << 20.0;
  }
  void figuresAndPicture() {
    QFETCH(bool, heavy);
    QFETCH(double, lowestDelay);
    QFETCH(double, highestDelay);
    ScriptedDialogs d;
    Build(heavy ? dynamic_walls::Masonry() : dynamic_walls::Timber());
    FormGlowna->ExecuteAction(Action());
    QVERIFY(FormDynamika->Current().result && !FormDynamika->LabelKomunikat->isVisible());
    const veltor::DynamicResult& r = *FormDynamika->Current().result;
    QVERIFY2(r.delayH > lowestDelay && r.delayH < highestDelay, qPrintable(QString::number(r.delayH)));
    // Each row its own figure, in Polish decimals.
    QCOMPARE(Value(dynamika::RowDelay), veltor::FormatGeneral(r.delayH, 3));
    QCOMPARE(Value(dynamika::RowY12),
             veltor::FormatQuantity(veltor::Quantity::Transmittance, r.periodicTransmittance));
    QCOMPARE(Value(dynamika::RowKappa2), veltor::FormatQuantity(veltor::Quantity::HeatCapacity, r.kappa2));

    const QImage& picture = FormDynamika->ImageFale->Picture();
    const dynamika::WaveLayout layout = dynamika::WavesLayout(picture.size());
    const double innerPeak = dynamika::kOutdoorPeakHour + r.delayH;
    QVERIFY(
        ColourNear(picture, layout.xOf(dynamika::kOutdoorPeakHour), layout.yOf(1), dynamika::kOutdoorColour));
    QVERIFY(
        ColourNear(picture, layout.xOf(innerPeak), layout.yOf(r.decrementFactor), dynamika::kIndoorColour));
    QVERIFY(!ColourNear(picture, layout.xOf(innerPeak), layout.yOf(1) - 4, dynamika::kIndoorColour));
  }

  void refusedLayerAndLiveChanges() {
    ScriptedDialogs d;  // a refusal is shown in the window, never in a box
    Build(dynamic_walls::Timber());
    FormGlowna->ExecuteAction(Action());
    const QString lightDelay = Value(dynamika::RowDelay);
    Build(dynamic_walls::Wall({{"Masa bez danych", 0.05, 0.5, 1200, 0}}));
    QTRY_COMPARE(FormDynamika->LabelKomunikat->text(),
                 QStringLiteral("Warstwa 4 („Masa bez danych”) nie ma ciepła właściwego; parametry "
                                "dynamiczne wymagają gęstości i ciepła właściwego każdej warstwy"));
    QVERIFY(FormDynamika->LabelKomunikat->isVisible() && Value(dynamika::RowDelay).isEmpty());
    FormWarstwy->ClearLayers();
    Build(dynamic_walls::Timber());
    QTRY_COMPARE(Value(dynamika::RowDelay), lightDelay);
    // Heat flowing upwards: Rsi 0.10 instead of 0.13.
    const QString u = Value(dynamika::RowU);
    veltor::DesignConditions upwards = FormGlowna->project().conditions();
    upwards.direction = 0;
    upwards.setSurfaceResistancesFromDirection();
    FormGlowna->project().setConditions(upwards);
    QTRY_VERIFY(Value(dynamika::RowU) != u);
    QVERIFY(FormDynamika->LabelZalozenia->text().contains(QStringLiteral("Rsi = 0,10,")));
  }
};

QTEST_MAIN(TestDynamika)
#include "test_dynamika.moc"
