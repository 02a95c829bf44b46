// Pages painted as vectors: a PDF of the report page, the moisture page and a
// chart must hold their texts as texts (pdftotext reads them) and no picture;
// a bridged layer's mark shows in the chart, on a picture and painted as
// vectors alike.
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "calc/calculation.h"
#include "calc/numbers.h"
#include "calc/reftables.h"
#include "calc/transmittance.h"
#include "draw/kondensacja_draw.h"
#include "draw/pictures.h"
#include "draw/raport_draw.h"
#include "draw/rysunek_draw.h"
#include "draw/rysunek_sheet.h"

namespace {

const QString kData = QStringLiteral(VELTOR_DATA_DIR);

QString Run(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

// Two 10 cm layers: masonry typed without a hatch, then wool bridged by
// timber at 10 %.
struct Wall {
  veltor::LayerTable layers;
  veltor::PartitionSummary summary;
  veltor::DesignConditions conditions = veltor::DesignConditions::startupValues();
  veltor::ReferenceTables tables;
  Wall() {
    veltor::LoadSaturationTable(tables.saturation, kData + QStringLiteral("/Dane/para.txt"));
    veltor::LoadAirLayerTable(tables.air, kData + QStringLiteral("/Dane/opory powietrza.txt"));
    for (const char* pattern : {"", "welm"}) {
      const bool masonry = *pattern == '\0';
      veltor::LayerRecord layer;
      layer.name = masonry ? QByteArray("Mur") : QByteArray("Welna");
      layer.fillPattern = pattern;
      layer.thickness = 0.1;
      layer.lambdaMedium = layer.lambdaHumid = masonry ? 0.8 : 0.04;
      layer.vapourCoefficient = 720.0 / 5;
      layers.AppendLayer(layer);
    }
    layers.at(1).bridge = {QStringLiteral("drewno"), 0.13, 0.13, 0.1};
    veltor::CalculatePartition(layers, summary, conditions, tables);
  }
  chart::ChartData data() const { return {layers, summary, conditions, tables.saturation}; }
};

bool Dark(QRgb pixel) {
  return qGray(pixel) < 90;
}

}  // namespace

class TestVectorPages : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void pdfHoldsTexts_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("report page") << 0
                                 << QStringList{QStringLiteral("Współczynnik przenikania ciepła U"),
                                                QStringLiteral("Nazwa przegrody"),
                                                QStringLiteral("Ściana próbna")};
    QTest::newRow("moisture page") << 1
                                   << QStringList{QStringLiteral("Ocena wilgotnościowa przegrody"),
                                                  QStringLiteral("Oceny nie wykonano")};
    QTest::newRow("temperature chart") << 2
                                       << QStringList{QStringLiteral("Przekrój w skali"),
                                                      QStringLiteral("θsi = "), QStringLiteral("mostek")};
  }
  void pdfHoldsTexts() {
    QFETCH(int, page);
    QFETCH(QStringList, texts);
    const Wall wall;
    const veltor::ProjectDescription description{QStringLiteral("Ściana próbna"), {}, {}, {}};
    const chart::ChartData data = wall.data();
    const ui::VectorPage pages[] = {
        raport::ReportVectorPage(wall.layers, wall.summary, wall.conditions, description),
        kondensacja::MoistureVectorPage(kondensacja::Refused(QStringLiteral("brak klimatu"), {}, {}),
                                        description[0], {}),
        chart::ChartVectorPage(1, data, kData),
    };
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("strona.pdf"));
    ui::WriteFileSafely(
        pdf, ui::EncodePages({QImage(8, 8, QImage::Format_RGB32)}, ui::PictureType::Pdf, {pages[page]}));
    const QString text = Run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    for (const QString& t : texts)
      QVERIFY2(text.contains(t), qPrintable(t + QStringLiteral(" in:\n") + text));
    // No picture at all: the hatches are patterns, everything else strokes and text.
    const QStringList images =
        Run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(images.size(), 2);  // the listing's two heading lines
  }

  // The bridged wool (x 400..600 in the lower drawing) carries a block of the
  // bridge across its band every 60 rows, 6 rows tall at 10 %: the block's top
  // edge is dark all across, a row between blocks is not; the legend names it.
  void bridgedLayerMarked_data() {
    QTest::addColumn<bool>("vector");
    QTest::newRow("picture") << false;
    QTest::newRow("vector") << true;
  }
  void bridgedLayerMarked() {
    QFETCH(bool, vector);
    const Wall wall;
    QImage picture = vector ? QImage(chart::SheetSize(1), QImage::Format_RGB32)
                            : ui::LoadPicture(chart::BackgroundPath(kData, 1));
    chart::DrawnChart drawn;
    if (vector) {
      QPainter painter(&picture);
      drawn = chart::PaintChart(painter, 1, wall.data(), chart::HatchesFrom(kData));
    } else {
      drawn = chart::DrawChart(picture, 1, wall.data(), chart::HatchesFrom(kData));
    }
    const int blockTop = chart::kTemperatureOverThickness.top + 27;
    int edge = 0, between = 0;
    for (int x = 404; x <= 596; ++x) {
      edge += Dark(picture.pixel(x, blockTop));
      between += Dark(picture.pixel(x, blockTop + 30));
    }
    QCOMPARE(edge, 193);
    QVERIFY2(between < 100, qPrintable(QString::number(between)));
    const veltor::LayerBridge& bridge = wall.layers.at(1).bridge;
    const QString caption =
        QStringLiteral("2: %1 (%2 %)").arg(bridge.material, veltor::FormatGeneral(bridge.share * 100, 3));
    QVERIFY(std::any_of(drawn.labels.begin(), drawn.labels.end(),
                        [&](const chart::DrawnLabel& l) { return l.text == caption; }));
  }
};

QTEST_MAIN(TestVectorPages)
#include "test_vector_pages.moc"
