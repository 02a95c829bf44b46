// The designer's report as files: the PDF's text as pdftotext reads it (every
// figure a reviewer looks for, the verdict in words, the page count), and the
// ODT as the zip an office suite opens.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "calc/reftables.h"
#include "draw/raport_projektowy.h"
#include "project/projectfile.h"

namespace {

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
        << 0.20 << false << QStringLiteral("Przegroda spełnia wymaganie") << 2;
    QTest::newRow("fails, with the moisture page")
        << 0.15 << true << QStringLiteral("Przegroda nie spełnia wymagania") << 3;
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
    input.conditions = project.contents.conditions;
    input.conditions.umax = umax;
    input.version = QStringLiteral("0.9");
    input.date = QDate(2026, 12, 7);
    designreport::Compute(input, project.contents.layers, tables_, data);
    if (moisturePage) {
      input.moisture = kondensacja::Refused(QStringLiteral("brak klimatu"), QString(), {});
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
    for (int i = 0; i < project.contents.layers.size(); ++i)
      QVERIFY2(text.simplified().contains(project.contents.layers.at(i).nameText().simplified()),
               qPrintable(project.contents.layers.at(i).nameText()));
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

  void odtIsAZipWithTheVerdict() {
    const QString data = QStringLiteral(VELTOR_DATA_DIR);
    veltor::LoadedProject project =
        veltor::LoadProjectFile(data + QStringLiteral("/Projekty/Przykład.Veltor"));
    designreport::Input input;
    input.description = project.contents.description;
    input.conditions = project.contents.conditions;
    designreport::Compute(input, project.contents.layers, tables_, data);
    const QString odt = scratch_.filePath(QStringLiteral("raport.odt"));
    designreport::WriteOdt(input, odt);
    QFile file(odt);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(2), QByteArray("PK"));
    const QString content =
        Run(QStringLiteral("unzip"), {QStringLiteral("-p"), odt, QStringLiteral("content.xml")});
    QVERIFY(content.contains(QStringLiteral("Przegroda spełnia wymaganie Uc ≤ Uc(max)")));
  }

 private:
  QTemporaryDir scratch_;
  veltor::ReferenceTables tables_;
};

QTEST_MAIN(TestRaportProjektowy)
#include "test_raport_projektowy.moc"
