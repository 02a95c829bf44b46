// The chart drawings asserted at the pixels their layout fixes, drawn onto a
// white picture with white hatches so that only the drawing's own marks are
// there; and the chart window as the user drives it: opening, saving,
// printing, scrolling, and what it does when a picture or a scale is missing.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QToolBar>
#include <QWheelEvent>
#include <QtTest>

#include "calc/calculation.h"
#include "calc/catalogue.h"
#include "draw/rysunek_draw.h"
#include "forms/appstate.h"
#include "forms/glowna.h"
#include "forms/pictureframe.h"
#include "forms/rysunek.h"
#include "forms/warstwy.h"
#include "platform/picturefile.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

struct Layer {
  double thickness, lambda, diffusion;  // diffusion resistance r, m2 h Pa/g
};
}  // namespace
Q_DECLARE_METATYPE(QList<Layer>)
Q_DECLARE_METATYPE(std::optional<int>)
namespace {

std::unique_ptr<veltor::LayerRecord> Record(const Layer& l) {
  auto r = std::make_unique<veltor::LayerRecord>();
  r->name = "Warstwa";
  r->fillPattern = "cegl";
  r->lambdaMedium = r->lambdaHumid = l.lambda;
  r->thickness = l.thickness;
  r->vapourCoefficient = l.thickness / l.diffusion * 1e6;
  return r;
}

veltor::DesignConditions Conditions(double ti, double te) {
  veltor::DesignConditions c = veltor::DesignConditions::startupValues();  // Rsi 0.13, Rse 0.04
  c.ti = ti;
  c.te = te;
  return c;
}

// R 0.5, 0.8, 0.53 (total 2.0 with the surfaces), d 0.4 m, r 360 (400 with the surfaces).
const QList<Layer> kThree = {{0.1, 0.2, 100}, {0.16, 0.2, 200}, {0.14, 0.14 / 0.53, 60}};
// Insulation inside a concrete wall: vapour reaches the cold side and condenses.
const QList<Layer> kInsulatedInside = {{0.2, 0.04, 417}, {0.1, 1.7, 3333}};
const QList<Layer> kInsulatedOutside = {{0.1, 1.7, 3333}, {0.2, 0.04, 417}};
// Aerated concrete 24 cm, mineral wool 15 cm, bitumen felt 4 mm outside: the
// felt stops the vapour just past the cold wool.
const QList<Layer> kFeltOutside = {{0.24, 0.21, 3333}, {0.15, 0.04, 208}, {0.004, 0.23, 277778}};
// Fifteen layers of 1 cm, alternately conductive and insulating, vapour-open and tight.
QList<Layer> FifteenThin() {
  QList<Layer> layers;
  for (int i = 0; i < 15; ++i) layers.append({0.01, i % 3 ? 0.8 : 0.04, i % 2 ? 50.0 + 100 * i : 20.0});
  return layers;
}

struct Wall {
  veltor::LayerTable table;
  veltor::PartitionSummary summary;
  veltor::DesignConditions conditions;

  explicit Wall(const QList<Layer>& layers, double ti = 20, double te = -16)
      : conditions(Conditions(ti, te)) {
    for (const Layer& l : layers) table.AppendLayer(Record(l));
    veltor::CalculatePartition(table, summary, conditions, gReferenceTables);
  }
  mutable std::vector<chart::DrawnLabel> labels;  // of the latest drawing

  QImage draw(int kind) const {
    QImage picture(chart::kPictureWidth, chart::kPressurePictureHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const chart::ChartData data{table, summary, conditions, gReferenceTables.saturation};
    labels = chart::DrawChart(picture, kind, data, [](const QString&) {
               QImage hatch(8, 8, QImage::Format_RGB32);
               hatch.fill(Qt::white);
               return hatch;
             }).labels;
    return picture;
  }
  // Where the latest drawing wrote `text` in rows from `top` to `bottom`; empty if nowhere.
  QRect box(const QString& text, int top = 0, int bottom = 2000) const {
    for (const chart::DrawnLabel& l : labels)
      if (l.text == text && l.box.top() >= top && l.box.top() <= bottom) return l.box;
    return {};
  }
};

int Count(const QImage& img, const QRect& area, bool (*test)(QRgb)) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += test(img.pixel(x, y));
  return n;
}
bool Dark(QRgb c) {
  return qGray(c) < 128;
}
bool Blue(QRgb c) {
  return qBlue(c) > 200 && qRed(c) < 80 && qGreen(c) < 80;
}
bool Shaded(QRgb c) {
  return qRed(c) > 200 && qRed(c) - qGreen(c) > 40;
}
// Text whose cell starts at (x, row): the digits' ink lies in the cell.
int Ink(const QImage& img, int x, int row, int width = 6) {
  return Count(img, QRect(x, row, width, 12), Dark);
}

}  // namespace

class TestRysunek : public QObject {
  Q_OBJECT
  std::unique_ptr<TestEnvironment> env;

  TFormRysunek* open(int kind, const QList<Layer>& layers = kThree) {
    for (const Layer& l : layers) FormWarstwy->AppendLayer(Record(l));
    return OpenChartWindow(kind, FormWarstwy->Layers(), &FormGlowna->project());
  }

 private Q_SLOTS:
  void init() {
    env = std::make_unique<TestEnvironment>();
    ScriptedDialogs quiet;
    env->startProgram();
  }
  void cleanup() {
    for (TFormRysunek* w : TFormRysunek::Instances()) delete w;
    env.reset();
  }

  void airTemperatureRows_data() {
    QTest::addColumn<double>("ti");
    QTest::addColumn<double>("te");
    QTest::addColumn<QList<int>>("rows");  // upper ti, te, lower ti, te
    QTest::newRow("20 and -16") << 20.0 << -16.0 << QList<int>{213, 393, 697, 877};
    QTest::newRow("25 and 5") << 25.0 << 5.0 << QList<int>{188, 288, 672, 772};
  }
  void airTemperatureRows() {
    QFETCH(double, ti);
    QFETCH(double, te);
    QFETCH(QList<int>, rows);
    const QImage img = Wall(kThree, ti, te).draw(1);
    for (const int row : rows) {
      // Left of the bands the dashed line stands alone.
      QVERIFY2(Count(img, QRect(190, row, 10, 1), Dark) >= 4, qPrintable(QString::number(row)));
      QCOMPARE(Count(img, QRect(190, row - 1, 10, 1), Dark) + Count(img, QRect(190, row + 1, 10, 1), Dark),
               0);
    }
    // Over resistance the profile is one straight line from ti to te.
    QVERIFY(Count(img, QRect(400, (rows[0] + rows[1]) / 2 - 1, 1, 3), Dark) > 0);
  }

  // Layer numbers alternate above the band, running totals below it, ticks at
  // every right edge; 400 pixels span each drawing's total.
  void bandsNumbersAndTotals_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("totalsRow");
    QTest::addColumn<QList<int>>("edges");
    QTest::newRow("temperature over resistance") << 1 << 154 << 454 << 474 << QList<int>{226, 326, 486, 592};
    QTest::newRow("temperature over thickness") << 1 << 637 << 937 << 957 << QList<int>{200, 300, 460, 600};
    QTest::newRow("pressure over diffusion") << 2 << 76 << 536 << 551 << QList<int>{200, 300, 500, 560};
    QTest::newRow("pressure over thickness") << 2 << 618 << 1078 << 1093 << QList<int>{200, 300, 460, 600};
  }
  void bandsNumbersAndTotals() {
    QFETCH(int, kind);
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(int, totalsRow);
    QFETCH(QList<int>, edges);
    const QImage img = Wall(kThree).draw(kind);
    for (int i = 0; i < 3; ++i) {
      const int xl = edges[i], xr = edges[i + 1], odd = i % 2;
      const QString at = QStringLiteral("layer %1").arg(i + 1);
      const int number = xl + (xr - xl) / 2 - 3;
      QVERIFY2(Ink(img, number, top - 15 - 15 * odd) > 0, qPrintable(at));
      QVERIFY2(Ink(img, number, top - 30 + 15 * odd) == 0, qPrintable(at));
      QVERIFY2(Ink(img, xr - 10, totalsRow + 15 * odd) > 0, qPrintable(at));
      QVERIFY2(Ink(img, xr - 10, totalsRow + 15 - 15 * odd) == 0, qPrintable(at));
      QVERIFY2(Count(img, QRect(xr, bottom + 9, 1, 5), Dark) == 3, qPrintable(at));  // 10 to 13 below
      QVERIFY2(Count(img, QRect(xr - 1, bottom + 10, 1, 3), Dark) == 0, qPrintable(at));
    }
    if (top == 154) {
      // The surface zones: Rsi's total in the odd row, the final total after three layers too.
      QVERIFY(Ink(img, 216, 489) > 0 && Ink(img, 216, 474) == 0);
      QVERIFY(Ink(img, 590, 489) > 0);
      QCOMPARE(Count(img, QRect(600, bottom + 10, 1, 3), Dark), 3);
    }
  }

  void zeroPoint_data() {
    QTest::addColumn<double>("te");
    QTest::addColumn<bool>("inside");
    QTest::newRow("0 degC inside the wall") << -16.0 << true;
    QTest::newRow("warm all through") << 5.0 << false;
  }
  void zeroPoint() {
    QFETCH(double, te);
    QFETCH(bool, inside);
    const Wall wall(kThree, 20, te);
    const QImage img = wall.draw(1);
    QCOMPARE(wall.summary.zeroPointDepth.has_value(), inside);
    if (!inside) {
      QCOMPARE(Count(img, img.rect(), Blue), 0);
      return;
    }
    const int x = qRound(200 + *wall.summary.zeroPointDepth * 1000);  // 0.4 m over 400 px
    QVERIFY(Count(img, QRect(x, 798, 1, 1007 - 798), Blue) > 80);
    QCOMPARE(Count(img, QRect(x - 1, 850, 1, 100), Blue) + Count(img, QRect(x + 1, 850, 1, 100), Blue), 0);
    QVERIFY(Count(img, QRect(190, 797, x - 190, 1), Blue) > (x - 190) / 3);
    QVERIFY(Count(img, QRect(x, 1007, 80, 13), Blue) > 20);
    // Named for what it is, in metres to the centimetre (0.196 m here).
    LocaleScope polish(QStringLiteral("pl_PL"));
    wall.draw(1);
    QCOMPARE(wall.box(QStringLiteral("punkt 0 °C: 0,20 m")).topLeft(), QPoint(x, 1007));
  }

  // However crowded the layers, no text is written over another, none uses an
  // exponent, and the totals of the first and the last layer are there.
  void labelsNeverOverlap_data() {
    QTest::addColumn<QList<Layer>>("layers");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("thicknessTotals");  // first and last, under the lower drawing
    QTest::newRow("15 layers of 1 cm, temperature") << FifteenThin() << 1 << QStringList{"0,01", "0,15"};
    QTest::newRow("15 layers of 1 cm, vapour pressure") << FifteenThin() << 2 << QStringList{"0,01", "0,15"};
    QTest::newRow("felt outside, temperature") << kFeltOutside << 1 << QStringList{"0,24", "0,39"};
    QTest::newRow("felt outside, vapour pressure") << kFeltOutside << 2 << QStringList{"0,24", "0,39"};
  }
  void labelsNeverOverlap() {
    QFETCH(QList<Layer>, layers);
    QFETCH(int, kind);
    QFETCH(QStringList, thicknessTotals);
    LocaleScope polish(QStringLiteral("pl_PL"));
    const Wall wall(layers);
    wall.draw(kind);
    const std::vector<chart::DrawnLabel>& labels = wall.labels;
    QVERIFY(labels.size() > 2 * size_t(layers.size()));
    for (size_t a = 0; a < labels.size(); ++a) {
      QVERIFY2(!labels[a].text.contains(QRegularExpression("\\dE")), qPrintable(labels[a].text));
      for (size_t b = a + 1; b < labels.size(); ++b)
        QVERIFY2(!labels[a].box.intersects(labels[b].box),
                 qPrintable(labels[a].text + " / " + labels[b].text));
    }
    const int row = kind == 1 ? 957 : 1093;
    for (const QString& total : thicknessTotals)
      QVERIFY2(!wall.box(total, row, row + 15).isNull(), qPrintable(total));
  }

  // Over the lower temperature drawing every face's temperature, the first marked
  // as the inner surface's, centred over its face in alternating rows.
  void faceTemperatures() {
    LocaleScope polish(QStringLiteral("pl_PL"));
    // q = 36 / 2.0 = 18 W/m2; faces at 20 - 18 x (0.13, 0.63, 1.43, 1.96).
    const Wall wall(kThree);
    wall.draw(1);
    const QStringList texts{"θsi = 17,7", "8,7", "−5,7", "−15,3"};
    const int faces[] = {200, 300, 460, 600};
    for (int k = 0; k < texts.size(); ++k) {
      const QRect box = wall.box(texts[k]);
      QVERIFY2(qAbs(box.center().x() - faces[k]) <= 1, qPrintable(texts[k]));
      QCOMPARE(box.top(), chart::kFaceTemperatureRow - 15 * (k % 2));
    }
  }

  // The partial pressure in the state of the saturation profile, outdoor air at
  // -5 degC whatever te: over diffusion resistance straight to pe, over
  // thickness a broken line through the same face values.
  void partialPressureLine_data() {
    QTest::addColumn<double>("te");
    QTest::addColumn<QList<QPointF>>("points");  // column, Pa
    // pi = 2337 x 55 % = 1285.35, pe = 401 x 85 % = 340.85; r 100, 200, 60 of 400.
    const QList<QPointF> upper{{200, 1285.35}, {600, 340.85}};
    const QList<QPointF> lower{{200, 1285.35}, {250, 1167.29}, {300, 1049.23}, {460, 577}, {600, 435.3}};
    for (const double te : {-20.0, -5.0, 5.0}) {
      QTest::addRow("upper, te %g", te) << te << upper;
      QTest::addRow("lower, te %g", te) << te << lower;
    }
  }
  void partialPressureLine() {
    QFETCH(double, te);
    QFETCH(QList<QPointF>, points);
    const Wall wall(kThree, 20, te);
    const QImage img = wall.draw(2);
    const int zeroRow = points.size() == 2 ? 536 : 1078;
    for (const QPointF& pt : points) {
      // Beside a band's edge, whose outline is dark all the way down.
      const int x = std::min(qRound(pt.x()) + 1, 599);
      const int row = qRound(zeroRow - pt.y() / 10);
      QVERIFY2(Count(img, QRect(x, row - 1, 1, 3), Dark) >= 2,
               qPrintable(QStringLiteral("%1 Pa at %2").arg(pt.y()).arg(x)));
    }
    QVERIFY(!wall.box(QStringLiteral("te = −5,0 °C, φe = 85%")).isNull());
  }

  // The help pages name the 0 degC point so, as the charts and the report do, never the dew point.
  void helpNamesTheZeroPoint() {
    const QRegularExpression oldNames(QStringLiteral("punkt? rosy( :|</b>)|ona punktem rosy"),
                                      QRegularExpression::CaseInsensitiveOption);
    for (const char* page : {"Pomoc/141.htm", "Pomoc/15.htm"}) {
      QFile file(env->file(QString::fromLatin1(page)));
      QVERIFY(file.open(QIODevice::ReadOnly));
      const QString html = QString::fromUtf8(file.readAll());
      QVERIFY2(html.contains(QStringLiteral("Punkt 0 °C")) && !html.contains(oldNames), page);
    }
  }

  void saturationSampling_data() {
    QTest::addColumn<double>("thickness");
    QTest::addColumn<int>("samples");
    QTest::newRow("10.5 mm") << 0.0105 << 11;
    QTest::newRow("exactly 10 mm") << 0.01 << 10;
    QTest::newRow("exactly 300 mm") << 0.3 << 300;
    QTest::newRow("below a millimetre") << 0.0004 << 1;
    QTest::newRow("absurdly thick") << 1e9 << chart::kMaxCurveSamples;
  }
  void saturationSampling() {
    QFETCH(double, thickness);
    QFETCH(int, samples);
    Wall wall({{thickness, 0.5, 100}});
    const auto curve = chart::SaturationCurve(wall.table.at(0), gReferenceTables.saturation);
    QCOMPARE(int(curve.size()), samples);
    if (samples > 1)
      QCOMPARE(curve[samples - 2].position,
               (samples - 1) * (thickness / samples > 0.001 ? thickness / samples : 0.001));
    // The curve ends on the outer face, at the face's own pressure.
    QCOMPARE(curve.back().position, thickness);
    QCOMPARE(curve.back().pressure, wall.table.at(0).outerSaturation);
  }

  void condensationShade_data() {
    QTest::addColumn<QList<Layer>>("layers");
    QTest::addColumn<bool>("condenses");
    QTest::newRow("insulated inside") << kInsulatedInside << true;
    QTest::newRow("insulated outside") << kInsulatedOutside << false;
    QTest::newRow("felt outside") << kFeltOutside << true;
  }
  void condensationShade() {
    QFETCH(QList<Layer>, layers);
    QFETCH(bool, condenses);
    const QImage img = Wall(layers).draw(2);
    for (const auto& [top, bottom] : {std::pair{76, 536}, std::pair{618, 1078}}) {
      const QRect drawing(200, top, 401, bottom - top + 1);
      QCOMPARE(Count(img, drawing, Shaded) > 0, condenses);
      // The partial-pressure line bounds the zone from above and stays black.
      for (int x = 200; x <= 600; ++x) {
        int y = top;
        while (y <= bottom && !Shaded(img.pixel(x, y))) ++y;
        if (y <= bottom)
          QVERIFY2(Count(img, QRect(x, y - 3, 1, 3), Dark) > 0, qPrintable(QString::number(x)));
      }
    }
  }

  // A fill pattern that a shipped data file names but no hatch file answers
  // would stop every chart of a partition holding that layer.
  void everyShippedFillPatternHasAHatch() {
    QSet<QString> patterns;
    for (const char* file : {"Dane/materiały.txt", "System/mur.txt", "System/docieplenie.txt",
                             "System/kleje.txt", "System/systemy.txt"}) {
      veltor::TextReader reader = veltor::TextReader::open(env->file(QString::fromUtf8(file)));
      int dummy = 0;
      veltor::ReadCatalogue<int>(
          reader, veltor::kMaterialsMarkers,
          [&](int*, const QByteArray&, veltor::CatalogueEntry) { return &dummy; },
          [&](int*, veltor::TextReader& r) {
            veltor::LayerRecord record;
            veltor::ReadLayerRecord(r, record);
            patterns << record.fillPatternText();
          });
    }
    QVERIFY(patterns.size() >= 13);
    for (const QString& pattern : patterns)
      QVERIFY2(!ui::LoadPicture(chart::HatchPath(env->path(), pattern)).isNull(), qPrintable(pattern));
  }

  void opensDrawnAndShown_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("height");
    QTest::newRow("temperature") << 1 << "Wykres rozkładu temperatury w przegrodzie" << 1040;
    QTest::newRow("vapour pressure") << 2 << "Wykres rozkładu ciśnienia pary wodnej w przegrodzie" << 1136;
  }
  void opensDrawnAndShown() {
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(int, height);
    ScriptedDialogs d;
    QPointer<TFormRysunek> w = open(kind);
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), caption);
    QCOMPARE(w->XOrigin(), 200);
    QCOMPARE(TFormRysunek::Instances(), QList<TFormRysunek*>{w.data()});
    auto* image = w->findChild<TPictureImage*>(QStringLiteral("ImageSciana"));
    QVERIFY(image && image->parentWidget() && w->findChild<TPictureFrame*>(QStringLiteral("FrameRys1")));
    QCOMPARE(image->Picture().size(), QSize(800, height));
    QCOMPARE(image->size(), QSize(800, height));
    QVERIFY(Dark(image->Picture().pixel(200, 300)));  // the first band's edge
    QStringList bar;
    for (QAction* a : w->findChild<QToolBar*>(QStringLiteral("ActionToolBarRys"))->actions())
      bar << a->objectName() + QLatin1Char('=') + a->text();
    QCOMPARE(bar, (QStringList{"ActionPrint=&Drukuj", "ActionSave=Za&pisz", "ActionClose=&Zamknij"}));
    w->findChild<QAction*>(QStringLiteral("ActionClose"))->trigger();
    QVERIFY(TFormRysunek::Instances().isEmpty());
    QTRY_VERIFY(w.isNull());
  }

  void savesPicture_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("written");
    QTest::newRow("bitmap") << "wykres" << 0 << "wykres.bmp";
    QTest::newRow("jpeg, preselected") << "wykres" << 1 << "wykres.jpg";
    QTest::newRow("jpeg named so") << "wykres.jpg" << 1 << "wykres.jpg";
    QTest::newRow("bitmap named so, capitals") << "wykres.BMP" << 0 << "wykres.BMP";
    QTest::newRow("bitmap typed, jpeg filter") << "wykres.bmp" << 1 << "wykres.bmp";
  }
  void savesPicture() {
    QFETCH(QString, chosen);
    QFETCH(int, type);
    QFETCH(QString, written);
    ScriptedDialogs d;
    TFormRysunek* w = open(2);
    d.expectFile(QStringLiteral("SavePictureDialogRys"), env->file(chosen), type);
    w->ActionSave->trigger();
    QVERIFY(d.allUsed());
    const ui::FileDialogRequest& request = d.shownFileDialogs.value(0);
    QCOMPARE(request.title, QStringLiteral("Zapisz wykres jako rysunek"));
    QCOMPARE(request.filters.size(), 3);
    QVERIFY(request.selectedFilter == 1 && request.confirmOverwrite);
    QVERIFY(request.fileName.endsWith(QStringLiteral("wykres ciśnienia pary wodnej")));
    const QImage saved(env->file(written));
    QCOMPARE(saved.size(), w->ImageSciana->Picture().size());
    QCOMPARE(QDir(env->path()).entryList({QStringLiteral("wykres*")}), QStringList{written});
  }

  void printsOneJobPerCopy_data() {
    QTest::addColumn<std::optional<int>>("copies");
    QTest::addColumn<int>("jobs");
    QTest::newRow("two copies") << std::optional<int>(2) << 2;
    QTest::newRow("cancelled") << std::optional<int>() << 0;
  }
  void printsOneJobPerCopy() {
    QFETCH(std::optional<int>, copies);
    QFETCH(int, jobs);
    ScriptedDialogs d;
    TFormRysunek* w = open(1);
    d.expectPrint(QStringLiteral("PrintDialogRys"), copies);
    w->ActionPrint->trigger();
    QVERIFY(d.allUsed());
    QCOMPARE(d.printJobs, jobs);
  }

  void wheelScrolls25Pixels() {
    ScriptedDialogs d;
    TFormRysunek* w = open(1);
    QScrollBar* bar = w->FrameRys1->verticalScrollBar();
    const auto turn = [&](int delta) {
      QWheelEvent e(QPointF(10, 10), QPointF(10, 10), {}, QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
      QApplication::sendEvent(w->FrameRys1->viewport(), &e);
    };
    turn(-120);
    QCOMPARE(bar->value(), 25);
    turn(-240);
    QCOMPARE(bar->value(), 75);
    turn(120);
    QCOMPARE(bar->value(), 50);
  }

  // The window stays open with what it could draw, and says why the rest is missing.
  void failuresLeaveTheWindowOpen_data() {
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QList<Layer>>("layers");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("caption");
    QTest::newRow("no background") << "obrazki/wykres1.bmp" << kThree << "File not found."
                                   << "Rysunek";
    QTest::newRow("no hatch") << "obrazki/Wypełnienia/cegl.bmp" << kThree << "File not found."
                              << "Wykres rozkładu temperatury w przegrodzie";
    QTest::newRow("no thickness")
        << "" << QList<Layer>{{0, 0.5, 1}}
        << QStringLiteral(
               "Nie narysowano rozkładu temperatury w skali grubości: grubość przegrody (0 m) nie pozwala "
               "ustalić skali rysunku.")
        << "Wykres rozkładu temperatury w przegrodzie";
  }
  void failuresLeaveTheWindowOpen() {
    QFETCH(QString, removed);
    QFETCH(QList<Layer>, layers);
    QFETCH(QString, message);
    QFETCH(QString, caption);
    if (!removed.isEmpty()) env->removeFile(removed);
    ScriptedDialogs d;
    d.expectMessage(message);
    TFormRysunek* w = open(1, layers);
    QVERIFY(d.allUsed());
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), caption);
    QCOMPARE(w->ActionSave->isEnabled(), !w->ImageSciana->Picture().isNull());
    // The upper drawing did not need what is missing; the temperature line is there.
    if (caption != QLatin1String("Rysunek") && removed.isEmpty())
      QVERIFY(Dark(w->ImageSciana->Picture().pixel(200, 213)));
  }
};

QTEST_MAIN(TestRysunek)
#include "test_rysunek.moc"
