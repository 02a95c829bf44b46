// Times the EN ISO 13786 characteristics of a 20-layer wall (target: well
// under 50 µs), air layers among them, every layer a full complex matrix.
#include <benchmark/benchmark.h>

#include "calc/dynamic.h"

using namespace veltor;

namespace {

LayerTable MakeMassiveWall(int count) {
  LayerTable table;
  for (int i = 0; i < count; ++i) {
    LayerRecord layer;
    const bool air = i % 7 == 3;
    layer.name = air ? QByteArray(kAirLayerName) : QByteArray("Warstwa");
    layer.thickness = air ? 0.02 : 0.5 / count;
    layer.lambdaMedium = layer.lambdaHumid = 0.04 + 0.3 * (i % 4);
    layer.density = 30 + 600 * (i % 4);
    layer.specificHeat = 1000 + 100 * (i % 3);
    table.AppendLayer(layer);
  }
  return table;
}

void BM_DynamicCharacteristics(benchmark::State& state) {
  const LayerTable wall = MakeMassiveWall(static_cast<int>(state.range(0)));
  AirLayerTable air;
  air.rows[0] = {0.01, 0.15, 0.15, 0.15};
  air.rows[1] = {0.05, 0.16, 0.18, 0.21};
  air.rowCount = 2;
  DesignConditions conditions;
  conditions.direction = 1;
  conditions.rsi = 0.13;
  conditions.rse = 0.04;
  DynamicResult result;
  for (auto _ : state) {
    result = DynamicCharacteristics(wall, conditions, air);
    benchmark::DoNotOptimize(result);
  }
  state.counters["delay_h"] = result.delayH;
}

BENCHMARK(BM_DynamicCharacteristics)->Arg(20)->Unit(benchmark::kMicrosecond);

}  // namespace
