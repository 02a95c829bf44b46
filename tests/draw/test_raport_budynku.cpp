// The building's document: page 1 lists every partition with its verdicts and
// the overall verdict, the table of contents gives the page each partition's
// section starts on, and the pages are numbered through the whole document.
#include <QBuffer>
#include <QDate>
#include <QPdfWriter>
#include <QTest>
#include <cmath>

#include "calc/layer.h"
#include "calc/reftables.h"
#include "calc/textfile.h"
#include "draw/raport_budynku.h"
#include "project/projectfile.h"

class TestRaportBudynku : public QObject {
  Q_OBJECT

  veltor::ReferenceTables tables_;
  veltor::LoadedProject example_;
  std::vector<veltor::LayerTable> tables;  // one per partition, as the model keeps them

  designreport::Input Partition(double umax, int layersKept) {
    tables.push_back(example_.contents.layers.copy());
    veltor::LayerTable& t = tables.back();
    while (t.size() > layersKept) t.RemoveLayer(t.size() - 1);
    designreport::Input input;
    input.description = example_.contents.description;
    input.conditions = example_.contents.conditions;
    input.conditions.umax = umax;
    input.version = QStringLiteral("0.9");
    input.date = QDate(2026, 12, 8);
    designreport::Compute(input, t, tables_, QStringLiteral(VELTOR_DATA_DIR));
    return input;
  }

 private Q_SLOTS:
  void initTestCase() {
    const QString data = QStringLiteral(VELTOR_DATA_DIR);
    veltor::LoadSaturationTable(tables_.saturation, data + QStringLiteral("/Dane/para.txt"));
    veltor::LoadAirLayerTable(tables_.air, data + QStringLiteral("/Dane/opory powietrza.txt"));
    example_ = veltor::LoadProjectFile(data + QStringLiteral("/Projekty/Przykład.Veltor"));
    tables.reserve(8);
  }

  void frontPageAndPageNumbers_data() {
    QTest::addColumn<QList<double>>("umax");  // one partition each; 0: no requirement
    QTest::addColumn<QString>("overall");
    QTest::newRow("all meet") << QList<double>{0.8, 0, 0.25}
                              << QStringLiteral("Wszystkie przegrody spełniają wymagania");
    QTest::newRow("the second fails")
        << QList<double>{0.8, 0.15, 0.25} << QStringLiteral("Wymagań nie spełniają: DA-2 (Uc &gt; Uc(max))");
  }
  void frontPageAndPageNumbers() {
    QFETCH(QList<double>, umax);
    QFETCH(QString, overall);
    tables.clear();
    std::vector<designreport::Input> inputs;
    for (double u : umax) inputs.push_back(Partition(u, int(inputs.size()) + 2));
    std::vector<designreport::BuildingPart> parts;
    const char* symbols[] = {"SZ-1", "DA-2", "PG-3"};
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      veltor::PartitionIdentity id;
      id.symbol = QString::fromLatin1(symbols[i]);
      id.kind = i == 1 ? veltor::PartitionKind::Roof : veltor::PartitionKind::ExternalWall;
      parts.push_back({id, &inputs[i]});
    }
    // Each partition alone, as its own document, to count its pages.
    std::vector<int> alone;
    for (const designreport::Input& in : inputs) {
      QBuffer buffer;
      buffer.open(QIODevice::WriteOnly);
      QPdfWriter writer(&buffer);
      alone.push_back(designreport::PaintDocument(writer, in));
    }
    std::vector<int> firstPages;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    std::vector<const designreport::Input*> pointers;
    for (const auto& in : inputs) pointers.push_back(&in);
    QString front;
    const int pages = designreport::PaintDocuments(writer, pointers, [&](const std::vector<int>& first) {
      firstPages = first;
      front = designreport::BuildingFront(veltor::ProjectDescription{}, parts, first);
      return front;
    });
    // One front page, then each partition's pages, counted through.
    QCOMPARE(firstPages.size(), inputs.size());
    QCOMPARE(firstPages[0], 2);
    for (std::size_t i = 1; i < firstPages.size(); ++i)
      QCOMPARE(firstPages[i], firstPages[i - 1] + alone[i - 1]);
    QCOMPARE(pages, firstPages.back() + alone.back() - 1);
    QVERIFY(front.contains(QStringLiteral("Zestawienie przegród")));
    QVERIFY2(front.contains(overall), qPrintable(front));
    QVERIFY(front.contains(QStringLiteral("<td>DA-2</td>")));
    QVERIFY(front.contains(QStringLiteral("strona %1").arg(firstPages[2])));
    // A partition without a requirement says so rather than passing silently.
    QCOMPARE(front.contains(QStringLiteral("<td>bez wymagań</td>")), umax.contains(0.0));
  }
};

QTEST_MAIN(TestRaportBudynku)
#include "test_raport_budynku.moc"
