// Times a full-year moisture assessment of a 20-layer wall that condenses in
// winter, so that the accumulation year runs too; thick layers are split into
// notional sub-layers, which the timing includes.
#include <benchmark/benchmark.h>

#include <cmath>

#include "calc/moisture.h"

using namespace veltor;

namespace {

LayerTable MakeWall(int count) {
  LayerTable table;
  for (int i = 0; i < count; ++i) {
    LayerRecord layer;
    const bool air = i % 7 == 3;
    layer.name = air ? QByteArray(kAirLayerName) : QByteArray("Warstwa");
    layer.thickness = air ? 0.02 : 0.3 / count;
    // Vapour-open, insulating layers inside, a tight one last: condensation at the cold end.
    layer.lambdaMedium = layer.lambdaHumid = i < count - 1 ? 0.04 + 0.02 * (i % 3) : 0.13;
    layer.vapourCoefficient = i == count - 1 ? 0.72 : (i % 5 == 4 ? -INFINITY : 360);
    table.AppendLayer(layer);
  }
  return table;
}

void BM_AssessMoistureYear(benchmark::State& state) {
  const LayerTable wall = MakeWall(static_cast<int>(state.range(0)));
  AirLayerTable air;
  air.rows[0] = {0.01, 0.15, 0.15, 0.15};
  air.rows[1] = {0.05, 0.16, 0.18, 0.21};
  air.rowCount = 2;
  MoistureInput input;
  input.climate = {{-3.1, -2.0, 1.6, 7.6, 13.0, 16.3, 18.5, 18.0, 13.3, 8.1, 3.3, -0.9},
                   {86, 83, 77, 71, 70, 71, 72, 73, 79, 83, 88, 88}};
  input.indoor.phiI = 55;
  MoistureResult result;
  for (auto _ : state) {
    result = AssessMoisture(wall, input, air);
    benchmark::DoNotOptimize(result);
  }
  // Shown beside the time: a wall that stopped condensing would time only half the work.
  state.counters["planes"] = static_cast<double>(result.planes.size());
  state.counters["maxMa"] = result.maxMa;
}

BENCHMARK(BM_AssessMoistureYear)->Arg(20)->Unit(benchmark::kMicrosecond);

}  // namespace
