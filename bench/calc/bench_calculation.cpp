// Times the calculation pass over partitions of 4, 100 and 10,000 layers, one
// air layer among every four so that the air-layer lookup is part of it.
#include <benchmark/benchmark.h>

#include <cmath>

#include "calc/calculation.h"

using namespace veltor;

namespace {

ReferenceTables MakeTables() {
  ReferenceTables tables;
  for (int i = 0; i < kSaturationCount; ++i) {
    const double t = (i + kSaturationLowestIndex) / 10.0;
    const double psat =
        t >= 0 ? 610.5 * std::exp(17.269 * t / (237.3 + t)) : 610.5 * std::exp(21.875 * t / (265.5 + t));
    tables.saturation.pa[i] = static_cast<std::int32_t>(std::lround(psat));
  }
  const double rows[kAirLayerRowCount][4] = {{0, 0, 0, 0},
                                             {0.005, 0.11, 0.11, 0.11},
                                             {0.007, 0.13, 0.13, 0.13},
                                             {0.01, 0.15, 0.15, 0.15},
                                             {0.015, 0.16, 0.17, 0.17},
                                             {0.025, 0.16, 0.18, 0.19},
                                             {0.05, 0.16, 0.18, 0.21},
                                             {0.1, 0.16, 0.18, 0.22},
                                             {0.3, 0.16, 0.18, 0.23}};
  for (const auto& r : rows) tables.air.rows[tables.air.rowCount++] = {r[0], r[1], r[2], r[3]};
  return tables;
}

LayerTable MakePartition(int count) {
  LayerTable table;
  for (int i = 0; i < count; ++i) {
    LayerRecord layer;
    layer.name = i % 4 == 2 ? QByteArray(kAirLayerName) : QByteArray("Mur");
    layer.thickness = i % 4 == 2 ? 0.02 : 0.24 / count;
    layer.lambdaMedium = 0.5 + 0.01 * (i % 7);
    layer.lambdaHumid = layer.lambdaMedium * 1.1;
    layer.vapourCoefficient = i % 5 == 0 ? -INFINITY : 45;
    table.AppendLayer(layer);
  }
  return table;
}

void BM_CalculatePartition(benchmark::State& state) {
  const ReferenceTables tables = MakeTables();
  LayerTable table = MakePartition(static_cast<int>(state.range(0)));
  DesignConditions conditions = DesignConditions::startupValues();
  PartitionSummary summary;
  for (auto _ : state) {
    CalculatePartition(table, summary, conditions, tables);
    benchmark::DoNotOptimize(summary);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_CalculatePartition)->Arg(4)->Arg(100)->Arg(10000);

}  // namespace
