// A report page drawn over the earlier one (the window's redraw after a
// change) must be, pixel for pixel, the page drawn afresh: rows whose texts
// stayed are copied, the others drawn again.
#include <QTest>

#include "calc/calculation.h"
#include "calc/reftables.h"
#include "draw/pictures.h"
#include "draw/raport_draw.h"

namespace {

const QString kData = QStringLiteral(VELTOR_DATA_DIR);

veltor::LayerTable Wall(int layers) {
  veltor::LayerTable table;
  for (int i = 0; i < layers; ++i) {
    veltor::LayerRecord layer;
    layer.name = i == 1 ? QByteArray("Wełna mineralna") : QByteArray("Mur");
    layer.thickness = 0.05 + 0.01 * i;
    layer.lambdaMedium = layer.lambdaHumid = i == 1 ? 0.04 : 0.8;
    layer.vapourCoefficient = 20 + i;
    table.AppendLayer(layer);
  }
  return table;
}

}  // namespace

class TestReportRows : public QObject {
  Q_OBJECT
  veltor::ReferenceTables tables;
  veltor::DesignConditions conditions = veltor::DesignConditions::startupValues();

  QImage page(veltor::LayerTable& table, const QImage& earlier, raport::DrawnRows& drawn) {
    veltor::PartitionSummary summary;
    veltor::CalculatePartition(table, summary, conditions, tables);
    const QImage templatePicture = ui::KeptPicture(kData + QLatin1String(raport::kTemplatePath));
    return raport::BuildReport(templatePicture, table, summary, conditions, {}, earlier, drawn);
  }

 private Q_SLOTS:
  void initTestCase() {
    veltor::LoadSaturationTable(tables.saturation, kData + QStringLiteral("/Dane/para.txt"));
    veltor::LoadAirLayerTable(tables.air, kData + QStringLiteral("/Dane/opory powietrza.txt"));
  }

  void redrawnOverTheEarlierPage_data() {
    QTest::addColumn<QString>("change");
    QTest::newRow("nothing") << "";
    QTest::newRow("one thickness") << "thickness";
    QTest::newRow("a name over two lines") << "name";
    QTest::newRow("a layer added") << "add";
    QTest::newRow("a layer removed") << "remove";
  }
  void redrawnOverTheEarlierPage() {
    QFETCH(QString, change);
    veltor::LayerTable before = Wall(6);
    raport::DrawnRows drawn;
    const QImage earlier = page(before, {}, drawn);
    veltor::LayerTable after = Wall(change == QLatin1String("add") ? 7 : 6);
    if (change == QLatin1String("thickness")) after.at(3).thickness = 0.3;
    if (change == QLatin1String("name"))
      after.at(2).name = "Bloczek z betonu komórkowego odmiany 600 na zaprawie do cienkich spoin";
    if (change == QLatin1String("remove")) after.RemoveLayer(0);
    raport::DrawnRows fresh;
    const QImage expected = page(after, {}, fresh);
    const QImage redrawn = page(after, earlier, drawn);
    QCOMPARE(redrawn.size(), expected.size());
    QVERIFY(redrawn == expected);
    QCOMPARE(drawn.texts, fresh.texts);
  }
};

QTEST_MAIN(TestReportRows)
#include "test_report_rows.moc"
