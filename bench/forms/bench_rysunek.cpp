// Times one chart: both drawings of a kind for a 20-layer partition, drawn on
// a copy of the shipped background with the shipped hatches (each band loads
// its hatch file, as the window does).
#include <benchmark/benchmark.h>

#include <QApplication>

#include "calc/calculation.h"
#include "draw/rysunek_draw.h"
#include "platform/picturefile.h"

using namespace veltor;

namespace {

const QString kData = QStringLiteral(VELTOR_DATA_DIR);

ReferenceTables LoadTables() {
  ReferenceTables tables;
  LoadSaturationTable(tables.saturation, kData + QStringLiteral("/Dane/para.txt"));
  LoadAirLayerTable(tables.air, kData + QStringLiteral("/Dane/opory powietrza.txt"));
  return tables;
}

// Twenty layers of the usual kinds, 0.6 m in all, insulation in the middle.
LayerTable MakePartition() {
  static const char* patterns[] = {"tynk", "cegl", "beto", "styr", "welm",
                                   "drew", "plyt", "foli", "komo", "sili"};
  LayerTable table;
  for (int i = 0; i < 20; ++i) {
    LayerRecord layer;
    layer.name = "Warstwa";
    layer.fillPattern = patterns[i % 10];
    layer.thickness = 0.03;
    layer.lambdaMedium = layer.lambdaHumid = i >= 8 && i < 12 ? 0.04 : 0.8;
    layer.vapourCoefficient = 20 + 5 * i;
    table.AppendLayer(layer);
  }
  return table;
}

void BM_DrawChart(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  const ReferenceTables tables = LoadTables();
  LayerTable table = MakePartition();
  const DesignConditions conditions = DesignConditions::startupValues();
  PartitionSummary summary;
  CalculatePartition(table, summary, conditions, tables);
  const QImage background = ui::LoadPicture(chart::BackgroundPath(kData, kind));
  const chart::HatchLoader hatches = chart::HatchesFrom(kData);
  const chart::ChartData data{table, summary, conditions, tables.saturation};
  for (auto _ : state) {
    QImage picture = background.copy();
    benchmark::DoNotOptimize(chart::DrawChart(picture, kind, data, hatches));
  }
}

BENCHMARK(BM_DrawChart)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Fonts need a GUI application; no screen is needed to draw into a picture.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
