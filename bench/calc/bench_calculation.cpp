// Times the calculation pass over partitions of 4, 20, 100 and 10,000 layers,
// one air layer among every four so that the air-layer lookup is part of it,
// against the same arithmetic written as two plain loops over the same layers:
// what the pass costs beyond the arithmetic is its steps' walking the table one
// by one. The plain loops' results are checked equal to the pass's, bit for bit.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>

#include "calc/calculation.h"
#include "calc/errors.h"

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

// The pass for design conditions with ti != te, in two loops: resistances,
// thickness and diffusion resistance; then the faces' temperatures and
// saturation pressures and the 0 degC point.
void PlainLoops(LayerTable& table, PartitionSummary& summary, const DesignConditions& c,
                const ReferenceTables& tables) {
  double thickness = 0, resistance = 0, diffusion = 0;
  for (int i = 0; i < table.size(); ++i) {
    LayerRecord& layer = table.at(i);
    thickness += layer.thickness;
    if (layer.isAirLayer()) {
      layer.resistance = AirLayerResistance(tables.air, c.direction, layer.thickness);
    } else {
      const double lambda = c.humid() ? layer.lambdaHumid : layer.lambdaMedium;
      if (lambda == 0) throw DivisionByZero();
      layer.resistance = layer.thickness / lambda;
    }
    resistance += layer.resistance;
    const double mu = layer.vapourCoefficient;
    layer.diffusionResistance = mu == 0 || std::isinf(mu) ? 0.0 : layer.thickness / (mu * 1e-6);
    diffusion += layer.diffusionResistance;
  }
  summary.layerCount = table.size();
  summary.totalThickness = thickness;
  summary.totalResistance = resistance + c.rsi + c.rse;
  summary.u = 1.0 / summary.totalResistance;
  summary.totalDiffusionResistance = diffusion + kInnerSurfaceDiffusion + kOuterSurfaceDiffusion;

  const double q = (c.ti - c.te) / summary.totalResistance;
  const double qs = (c.ti - kSaturationProfileOutdoor) / summary.totalResistance;
  double t = c.ti - c.rsi * q;
  double ts = c.ti - c.rsi * qs;
  double face = SaturationPressure(tables.saturation, ts);
  std::optional<double> zero;
  double depth = 0;
  bool searching = t >= 0;
  for (int i = 0; i < table.size(); ++i) {
    LayerRecord& layer = table.at(i);
    layer.innerTemperature = t;
    t -= layer.resistance * q;
    layer.outerTemperature = t;
    layer.innerSaturation = face;
    ts -= layer.resistance * qs;
    face = SaturationPressure(tables.saturation, ts);
    layer.outerSaturation = face;
    if (!searching) continue;
    if (layer.outerTemperature > 0) {
      depth += layer.thickness;
    } else {
      const double ta = layer.innerTemperature, tb = layer.outerTemperature;
      zero = depth + ta * layer.thickness / (ta - tb);
      searching = false;
    }
  }
  summary.zeroPointDepth = zero;
}

bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// The plain loops compute what the pass computes, to the last bit.
bool SameResults(const LayerTable& a, const PartitionSummary& sa, const LayerTable& b,
                 const PartitionSummary& sb) {
  bool same = sa.layerCount == sb.layerCount && SameBits(sa.totalThickness, sb.totalThickness) &&
              SameBits(sa.totalResistance, sb.totalResistance) && SameBits(sa.u, sb.u) &&
              SameBits(sa.totalDiffusionResistance, sb.totalDiffusionResistance) &&
              sa.zeroPointDepth.has_value() == sb.zeroPointDepth.has_value() &&
              (!sa.zeroPointDepth || SameBits(*sa.zeroPointDepth, *sb.zeroPointDepth));
  for (int i = 0; same && i < a.size(); ++i) {
    const LayerRecord &x = a.at(i), &y = b.at(i);
    same = SameBits(x.resistance, y.resistance) && SameBits(x.diffusionResistance, y.diffusionResistance) &&
           SameBits(x.innerTemperature, y.innerTemperature) &&
           SameBits(x.outerTemperature, y.outerTemperature) &&
           SameBits(x.innerSaturation, y.innerSaturation) && SameBits(x.outerSaturation, y.outerSaturation);
  }
  return same;
}

void BM_PlainLoops(benchmark::State& state) {
  const ReferenceTables tables = MakeTables();
  const DesignConditions conditions = DesignConditions::startupValues();
  LayerTable table = MakePartition(static_cast<int>(state.range(0)));
  LayerTable reference = MakePartition(static_cast<int>(state.range(0)));
  PartitionSummary summary, referenceSummary;
  CalculatePartition(reference, referenceSummary, conditions, tables);
  PlainLoops(table, summary, conditions, tables);
  if (!SameResults(table, summary, reference, referenceSummary)) {
    state.SkipWithError("the plain loops and the pass differ");
    return;
  }
  for (auto _ : state) {
    PlainLoops(table, summary, conditions, tables);
    benchmark::DoNotOptimize(summary);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
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

// The same partitions with their second layer bridged by timber over 10 % and
// the corrections for air gaps and fasteners: what the regulation's Uc costs
// beyond the plain pass above.
void BM_CalculatePartitionBridged(benchmark::State& state) {
  const ReferenceTables tables = MakeTables();
  LayerTable table = MakePartition(static_cast<int>(state.range(0)));
  table.at(1).bridge = {QStringLiteral("Drewno"), 0.16, 0.18, 0.1};
  DesignConditions conditions = DesignConditions::startupValues();
  conditions.corrections.airGaps.level = 1;
  // Sunk half-way into the insulation, whose thickness shrinks with the count.
  conditions.corrections.fasteners = {
      FastenerMethod::Conductivity, kLayerAuto, 6, 50, 2e-5, 0.12 / static_cast<double>(state.range(0)), 0};
  PartitionSummary summary;
  for (auto _ : state) {
    CalculatePartition(table, summary, conditions, tables);
    benchmark::DoNotOptimize(summary);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_CalculatePartition)->Arg(4)->Arg(20)->Arg(100)->Arg(10000);
BENCHMARK(BM_CalculatePartitionBridged)->Arg(4)->Arg(20)->Arg(100)->Arg(10000);
BENCHMARK(BM_PlainLoops)->Arg(4)->Arg(20)->Arg(100)->Arg(10000);

}  // namespace
