// Times the report page for a partition of 20 layers: the drawing alone (the
// template already in memory) and a whole showing (the template read from its
// file, the calculation pass, the drawing). Drawing text needs a GUI
// application, so this benchmark has its own main.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLocale>

#include "calc/calculation.h"
#include "draw/raport_draw.h"
#include "draw/raport_projektowy.h"

using namespace veltor;

namespace {

const QString kDataDir = QStringLiteral(VELTOR_DATA_DIR);

ReferenceTables LoadTables() {
  ReferenceTables tables;
  LoadSaturationTable(tables.saturation, kDataDir + QStringLiteral("/Dane/para.txt"));
  LoadAirLayerTable(tables.air, kDataDir + QStringLiteral("/Dane/opory powietrza.txt"));
  return tables;
}

// Names of the length the materials database holds, one air layer among every five.
LayerTable MakePartition(int count) {
  LayerTable table;
  for (int i = 0; i < count; ++i) {
    LayerRecord layer;
    layer.name = i % 5 == 2 ? QByteArray(kAirLayerName)
                            : QByteArray("Mur z betonu komorkowego 600 na cienkiej spoinie");
    layer.thickness = i % 5 == 2 ? 0.02 : 0.01 * (i + 1);
    layer.lambdaMedium = 0.2 + 0.01 * (i % 7);
    layer.lambdaHumid = layer.lambdaMedium * 1.1;
    layer.vapourCoefficient = i % 4 == 0 ? -INFINITY : 45;
    table.AppendLayer(layer);
  }
  return table;
}

const ProjectDescription kDescription = {
    QStringLiteral("Ściana zewnętrzna z ociepleniem"), QStringLiteral("Przykładowy inwestor"),
    QStringLiteral("Przykładowy projektant"), QStringLiteral("07.12.2026")};

void BM_DrawReport(benchmark::State& state) {
  const ReferenceTables tables = LoadTables();
  const QImage templatePicture = raport::LoadReportTemplate(kDataDir + QLatin1String(raport::kTemplatePath));
  LayerTable table = MakePartition(static_cast<int>(state.range(0)));
  const DesignConditions conditions = DesignConditions::startupValues();
  PartitionSummary summary;
  CalculatePartition(table, summary, conditions, tables);
  for (auto _ : state) {
    QImage page = raport::BuildReport(templatePicture, table, summary, conditions, kDescription);
    benchmark::DoNotOptimize(page);
  }
}

void BM_ShowReport(benchmark::State& state) {
  const ReferenceTables tables = LoadTables();
  LayerTable table = MakePartition(static_cast<int>(state.range(0)));
  const DesignConditions conditions = DesignConditions::startupValues();
  PartitionSummary summary;
  for (auto _ : state) {
    const QImage templatePicture =
        raport::LoadReportTemplate(kDataDir + QLatin1String(raport::kTemplatePath));
    CalculatePartition(table, summary, conditions, tables);
    QImage page = raport::BuildReport(templatePicture, table, summary, conditions, kDescription);
    benchmark::DoNotOptimize(page);
  }
}

// The designer's whole document as a PDF in memory's place on disk: the pass,
// both charts drawn, the pages laid out and written.
void BM_DesignReportPdf(benchmark::State& state) {
  const ReferenceTables tables = LoadTables();
  LayerTable table = MakePartition(static_cast<int>(state.range(0)));
  const QString pdf = QDir::temp().filePath(QStringLiteral("veltor-bench-raport.pdf"));
  for (auto _ : state) {
    designreport::Input input;
    input.description = kDescription;
    input.conditions = DesignConditions::startupValues();
    input.conditions.umax = 0.2;
    designreport::Compute(input, table, tables, kDataDir);
    designreport::WritePdf(input, pdf);
  }
  QFile::remove(pdf);
}

BENCHMARK(BM_DrawReport)->Arg(20)->Unit(benchmark::kMillisecond);
// The largest document made: a partition at the layer cap.
BENCHMARK(BM_DesignReportPdf)->Arg(20)->Arg(designreport::kMaxDocumentLayers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowReport)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QLocale::setDefault(QLocale(QStringLiteral("pl_PL")));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
