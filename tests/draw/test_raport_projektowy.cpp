// The designer's report as files: the PDF's text as pdftotext reads it (every
// figure a reviewer looks for, the verdict in words, the page count), and the
// ODT as the zip an office suite opens.
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "calc/numbers.h"
#include "calc/reftables.h"
#include "calc/textfile.h"
#include "draw/raport_projektowy.h"
#include "project/projectfile.h"

namespace {

veltor::LayerRecord Layer(const QString& name, double thickness, double lambda, double mu) {
  veltor::LayerRecord l;
  l.name = veltor::ToCp1250(name);
  l.thickness = thickness;
  l.lambdaMedium = l.lambdaHumid = lambda;
  l.vapourCoefficient = mu > 0 ? veltor::kAirVapourCoefficient / mu : -INFINITY;
  return l;
}

QString Run(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class TestRaportProjektowy : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY(scratch_.isValid());
    const QString data = QStringLiteral(VELTOR_DATA_DIR);
    veltor::LoadSaturationTable(tables_.saturation, data + QStringLiteral("/Dane/para.txt"));
    veltor::LoadAirLayerTable(tables_.air, data + QStringLiteral("/Dane/opory powietrza.txt"));
  }

  void pdfHoldsTheFigures_data() {
    QTest::addColumn<double>("umax");
    QTest::addColumn<bool>("moisturePage");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<int>("pages");
    QTest::newRow("meets, no moisture page")
        << 0.20 << false << QStringLiteral("Przegroda spełnia wymaganie") << 4;
    QTest::newRow("fails, with the moisture page")
        << 0.15 << true << QStringLiteral("Przegroda nie spełnia wymagania") << 5;
  }
  void pdfHoldsTheFigures() {
    QFETCH(double, umax);
    QFETCH(bool, moisturePage);
    QFETCH(QString, verdict);
    QFETCH(int, pages);
    const QString data = QStringLiteral(VELTOR_DATA_DIR);
    veltor::LoadedProject project =
        veltor::LoadProjectFile(data + QStringLiteral("/Projekty/Przykład.Veltor"));
    designreport::Input input;
    input.description = project.contents.description;
    input.description[0] += QStringLiteral(" (styropian grafitowy)");
    input.conditions = project.contents.conditions;
    input.conditions.umax = umax;
    input.version = QStringLiteral("0.9");
    input.date = QDate(2026, 12, 7);
    designreport::Compute(input, project.contents.layers, tables_, data);
    if (moisturePage) {
      input.moisture = kondensacja::Refused(QStringLiteral("brak klimatu"), QString(), {});
      input.moisturePage = true;
      input.dynamic = veltor::DynamicCharacteristics(*input.layers, input.conditions, tables_.air);
    }
    const QString pdf = scratch_.filePath(QStringLiteral("raport.pdf"));
    designreport::WritePdf(input, pdf);
    if (qEnvironmentVariableIsSet("VELTOR_KEEP_REPORT"))
      QFile::copy(
          pdf, qEnvironmentVariable("VELTOR_KEEP_REPORT") + QString::number(pages) + QStringLiteral(".pdf"));
    const QString text = Run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
    QVERIFY(text.contains(input.description[0]));
    // A name wrapped in its cell reads on in drawing order.
    const QString raw = Run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    for (int i = 0; i < project.contents.layers.size(); ++i)
      QVERIFY2(raw.simplified().contains(project.contents.layers.at(i).nameText().simplified()),
               qPrintable(project.contents.layers.at(i).nameText()));
    // The signature stands on the page of the last section, never alone.
    for (int page = 1; page <= pages; ++page) {
      const QString one =
          Run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                            QString::number(page), pdf, QStringLiteral("-")});
      if (one.contains(QStringLiteral("podpis projektanta")))
        QVERIFY2(one.contains(QStringLiteral("5. Normy i przepisy")), qPrintable(one));
    }
    QVERIFY(text.contains(QStringLiteral("grafitowy")));
    QVERIFY(text.contains(QStringLiteral("Współczynnik przenikania ciepła U")));
    QVERIFY(text.contains(QStringLiteral("Skorygowany współczynnik Uc")));
    QVERIFY(text.contains(QStringLiteral("0.199")) || text.contains(QStringLiteral("0,199")));
    QVERIFY(text.contains(verdict));
    QCOMPARE(text.contains(QStringLiteral("Współczynnik tłumienia f")), moisturePage);
    QVERIFY(text.contains(QStringLiteral("strona 1 z %1").arg(pages)));
    // The charts and the moisture page are drawn, not pictured: their texts are
    // in the PDF, and it holds no picture.
    QVERIFY(text.contains(QStringLiteral("Przekrój w skali")));
    QVERIFY(text.contains(QStringLiteral("θsi = ")));
    QCOMPARE(text.contains(QStringLiteral("Ocena wilgotnościowa przegrody wg EN ISO 13788")), moisturePage);
    QCOMPARE(Run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).count(QLatin1Char('\n')), 2);
    const QString info = Run(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))),
             qPrintable(info));
  }

  // A pitched roof: wool between rafters, a ventilated gap and the tiles
  // outside it, an air-gap correction; beside it the same roof unbridged,
  // whose document keeps no word of the combined method.
  void bridgedRoof_data() {
    QTest::addColumn<double>("share");
    QTest::addColumn<double>("bridgeLambda");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("bridged, corrected, ventilated")
        << 0.1 << 0.13
        << QStringList{QStringLiteral("Wełna mineralna + drewno sosnowe (10 %)"),
                       QStringLiteral("Dachówka ceramiczna (pominięta)"),
                       QStringLiteral("dobrze wentylowana warstwa powietrza")}
        << QStringList{QStringLiteral("powietrze zewnętrzne")};
    QTest::newRow("steel studs through the wool")
        << 0.02 << 50.0 << QStringList{QStringLiteral("UWAGA! Izolacja jest przebita metalem")}
        << QStringList{};
    QTest::newRow("homogeneous") << 0.0 << 0.0 << QStringList{QStringLiteral("Wełna mineralna")}
                                 << QStringList{QStringLiteral("granica R"), QStringLiteral("drewno")};
  }
  void bridgedRoof() {
    QFETCH(double, share);
    QFETCH(double, bridgeLambda);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    veltor::LayerTable roof;
    roof.AppendLayer(Layer(QStringLiteral("Płyta gipsowo-kartonowa"), 0.0125, 0.25, 8));
    roof.AppendLayer(Layer(QStringLiteral("Wełna mineralna"), 0.2, 0.035, 1)).bridge = {
        bridgeLambda > 1 ? QStringLiteral("stal") : QStringLiteral("drewno sosnowe"), bridgeLambda,
        bridgeLambda, share};
    roof.AppendLayer(Layer(QString::fromLatin1(veltor::kAirLayerName), 0.04, 0, 0));
    roof.AppendLayer(Layer(QStringLiteral("Dachówka ceramiczna"), 0.02, 1.0, 40));
    veltor::DesignConditions conditions = veltor::DesignConditions::startupValues();
    conditions.direction = 0;
    conditions.rsi = 0.10;
    conditions.te = -20;
    conditions.corrections.airGaps.level = 1;
    if (share > 0) conditions.outerSide.kind = veltor::OuterSideKind::WellVentilated;
    conditions.umax = 0.15;
    // The board as the catalogue has it, the wool's λ typed over the catalogue's 0,04.
    designreport::Catalogue catalogue = designreport::LoadCatalogue(QStringLiteral(VELTOR_DATA_DIR), {});
    catalogue.materials.push_back({roof.at(0), {}, false});
    catalogue.materials.push_back({Layer(QStringLiteral("Wełna mineralna"), 0.1, 0.04, 1), {}, false});
    catalogue.materials.push_back(
        {Layer(QStringLiteral("Dachówka ceramiczna"), 0.02, 1.0, 40), QStringLiteral("DoP 12/2024"), true});
    designreport::Input input = designreport::Prepare({QStringLiteral("Dach skośny")}, conditions, roof, {},
                                                      catalogue, tables_, QStringLiteral(VELTOR_DATA_DIR));
    const QString pdf = scratch_.filePath(QStringLiteral("dach.pdf"));
    designreport::WritePdf(input, pdf);
    // Drawing order: a caption wrapped in its cell reads on.
    const QString text =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")}).simplified();
    const veltor::TransmittanceResult& t = input.summary.transmittance;
    QVERIFY(t.uc > t.u);
    present << QStringLiteral("Skorygowany współczynnik Uc %1").arg(QString::number(t.uc, 'f', 3))
            << QStringLiteral("0.0125") << QStringLiteral("katalog programu") << QStringLiteral("DoP 12/2024")
            << QStringLiteral("wartość wpisana")
            << QStringLiteral("λ wpisane przez projektanta (w katalogu λ = 0.04)")
            << QStringLiteral("poziom 1, ΔU'' = 0.01 W/(m²K); warstwa 2 „Wełna mineralna”, R1 = %1 m²K/W")
                   .arg(QString::number(t.airGapBasis.r1, 'f', 2))
            << QStringLiteral("Zasada 3 % nie zastosowano") << QStringLiteral("strefa klimatyczna III")
            << QStringLiteral(
                   "Dachy, stropodachy i stropy pod nieogrzewanymi poddaszami lub nad przejazdami, "
                   "ti od 16 °C");
    if (share > 0)
      present << QStringLiteral("R'T = %1 m²K/W").arg(QString::number(t.upperResistance, 'f', 2))
              << QStringLiteral("R''T = %1 m²K/W").arg(QString::number(t.lowerResistance, 'f', 2));
    for (QString expected : present) {
      expected.replace(QLatin1Char('.'), QLatin1Char(','));  // Polish whatever the locale
      QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" not in: ") + text));
    }
    for (const QString& unexpected : absent) QVERIFY2(!text.contains(unexpected), qPrintable(unexpected));
  }

  // A floor on sand (Rf = 0.08/0.04 = 2, so U = 0.287 by EN ISO 13370 and
  // 1/2.17 = 0.461 by EN ISO 6946) against 0.3: the verdict follows the U chosen.
  void groundFloorBlock_data() {
    QTest::addColumn<int>("compare");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("construction") << 0
                                  << QStringLiteral("Z Umax porównano U konstrukcji (PN-EN ISO 6946) = 0,461")
                                  << QStringLiteral("Przegroda nie spełnia wymagania");
    QTest::newRow("ground") << 1 << QStringLiteral("Z Umax porównano U z gruntem (PN-EN ISO 13370) = 0,287")
                            << QStringLiteral("Przegroda spełnia wymaganie");
  }
  void groundFloorBlock() {
    QFETCH(int, compare);
    QFETCH(QString, line);
    QFETCH(QString, verdict);
    veltor::LayerTable floor;
    floor.AppendLayer(Layer(QStringLiteral("Styropian"), 0.08, 0.04, 60));
    designreport::Input input;
    input.description = {QStringLiteral("Podłoga parteru"), QString(), QString(), QString()};
    input.conditions = veltor::DesignConditions::startupValues();
    input.conditions.umax = 0.3;
    input.ground.kind = veltor::GroundKind::Slab;
    input.ground.area = 100;
    input.ground.perimeter = 40;
    input.ground.wallThickness = 0.3;
    input.ground.compare = static_cast<veltor::ComparedU>(compare);
    designreport::Compute(input, floor, tables_, QStringLiteral(VELTOR_DATA_DIR));
    const QString pdf = scratch_.filePath(QStringLiteral("podloga.pdf"));
    designreport::WritePdf(input, pdf);
    const QString text = Run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).simplified();
    for (const QString& expected :
         {line, verdict, QStringLiteral("Wymiar charakterystyczny B' = A/(0,5·P) = 5,00 m"),
          QStringLiteral("Grubość równoważna dt = w + λ·(Rsi + Rf + Rse) = 4,720 m"),
          QStringLiteral("U0 = 2λ/(π·B' + dt)·ln(π·B'/dt + 1) = 0,287"), veltor::kNotForGround})
      QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" not in: ") + text));
  }

  // Page 1 carries the three verdicts whatever the moisture page: for a wall
  // whose foil outside the wool holds the vapour, for a climate in which it
  // dries out, and for a project that never chose a climate.
  void verdictsOnPageOne_data() {
    QTest::addColumn<double>("winter");  // θe of every month but June to August
    QTest::addColumn<bool>("climate");
    QTest::addColumn<QStringList>("present");
    QTest::newRow("accumulates") << -5.0 << true
                                 << QStringList{QStringLiteral("wilgoć kumuluje się z roku na rok; Ma,max ="),
                                                QStringLiteral("§ 321 ust. 2"), QStringLiteral("fRsi = ")};
    QTest::newRow("dries out") << 5.0 << true
                               << QStringList{QStringLiteral("woda wysycha w ciągu roku"),
                                              QStringLiteral("fRsi = ")};
    QTest::newRow("no climate") << 0.0 << false
                                << QStringList{
                                       QStringLiteral("nie oceniono – nie wybrano klimatu zewnętrznego"),
                                       QStringLiteral("Oceny wilgotnościowej według PN-EN ISO 13788 nie "
                                                      "wykonano")};
  }
  void verdictsOnPageOne() {
    QFETCH(double, winter);
    QFETCH(bool, climate);
    QFETCH(QStringList, present);
    veltor::LayerTable wall;
    wall.AppendLayer(Layer(QStringLiteral("Wełna mineralna"), 0.2, 0.035, 1));
    wall.AppendLayer(Layer(QStringLiteral("Folia"), 0.0002, 0.2, 100000));
    veltor::ProjectExtras extras;
    if (climate) {
      extras.moisture.climate = veltor::MoistureSettings::Climate::Typed;
      extras.moisture.te.fill(winter);
      for (int m : {5, 6, 7}) extras.moisture.te[m] = 25;
      extras.moisture.phiE.fill(80);
    }
    const designreport::Input input =
        designreport::Prepare({QStringLiteral("Ściana z folią")}, veltor::DesignConditions::startupValues(),
                              wall, extras, {}, tables_, QStringLiteral(VELTOR_DATA_DIR));
    const QString pdf = scratch_.filePath(QStringLiteral("folia.pdf"));
    designreport::WritePdf(input, pdf);
    const QString first =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                          QStringLiteral("1"), pdf, QStringLiteral("-")})
            .simplified();
    present << QStringLiteral("Uc ≤ Uc(max)") << QStringLiteral("fRsi ≥ fRsi,min")
            << QStringLiteral("§ 328 ust. 1");
    for (const QString& expected : present)
      QVERIFY2(first.contains(expected), qPrintable(expected + QStringLiteral(" not in: ") + first));
  }

  // The ODT as an office suite reads it: the verdicts, the material column
  // widest, tables across the text, the footer with the page count.
  void odtHoldsWidthsAndFooter_data() {
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("expected");
    QTest::newRow("verdict") << "content.xml"
                             << QStringLiteral("Przegroda spełnia wymaganie Uc ≤ Uc\\(max\\)");
    QTest::newRow("material column widest")
        << "content.xml"
        << QStringLiteral(
               "rel-column-width=\"400\\*\"/>.*column-width=\"5.460cm\" style:rel-column-width=\"3000\\*\"");
    QTest::newRow("tables across the text") << "content.xml" << QStringLiteral("style:width=\"18.2cm\"");
    QTest::newRow("page count in the footer")
        << "styles.xml" << QStringLiteral("strona <text:page-number[^>]*/> z <text:page-count/>");
    QTest::newRow("date in the footer") << "styles.xml" << QStringLiteral("VELTORobl 0.9 · 07.12.2026");
    QTest::newRow("A4") << "styles.xml" << QStringLiteral("fo:page-width=\"21cm\" fo:page-height=\"29.7cm\"");
    QTest::newRow("styles in the manifest")
        << "META-INF/manifest.xml" << QStringLiteral("full-path=\"styles.xml\"");
  }
  void odtHoldsWidthsAndFooter() {
    QFETCH(QString, part);
    QFETCH(QString, expected);
    if (odt_.isEmpty()) {
      const QString data = QStringLiteral(VELTOR_DATA_DIR);
      veltor::LoadedProject project =
          veltor::LoadProjectFile(data + QStringLiteral("/Projekty/Przykład.Veltor"));
      designreport::Input input;
      input.description = project.contents.description;
      input.conditions = project.contents.conditions;
      input.version = QStringLiteral("0.9");
      input.date = QDate(2026, 12, 7);
      designreport::Compute(input, project.contents.layers, tables_, data);
      odt_ = scratch_.filePath(QStringLiteral("raport.odt"));
      designreport::WriteOdt(input, odt_);
    }
    const QString text = Run(QStringLiteral("unzip"), {QStringLiteral("-p"), odt_, part});
    QVERIFY2(text.contains(QRegularExpression(expected, QRegularExpression::DotMatchesEverythingOption)),
             qPrintable(expected));
    QVERIFY(!text.contains(QRegularExpression(QStringLiteral("column-width=\"[0-9.]+%"))));
    // The charts are pictures of 300 dpi across the 182 mm of text.
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), odt_, QStringLiteral("Pictures/Picture1")});
    QVERIFY(unzip.waitForFinished(60000));
    QVERIFY(QImage::fromData(unzip.readAllStandardOutput()).width() >= 2100);
  }

 private:
  QString odt_;
  QTemporaryDir scratch_;
  veltor::ReferenceTables tables_;
};

QTEST_MAIN(TestRaportProjektowy)
#include "test_raport_projektowy.moc"
