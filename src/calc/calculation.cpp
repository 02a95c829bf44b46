// The calculation pass: each step writes its per-layer results into the records
// and the pass gathers the totals into the summary. Divisions that would put an
// infinity into a result raise DivisionByZero instead.
#include "calc/calculation.h"

#include <algorithm>
#include <cmath>

#include "calc/errors.h"

namespace veltor {

double EffectiveLambda(const LayerRecord& layer, const DesignConditions& conditions) {
  return conditions.humid() ? layer.lambdaHumid : layer.lambdaMedium;
}

double TotalThickness(const LayerTable& table) {
  double sum = 0;
  for (int i = 0; i < table.size(); ++i) sum += table.at(i).thickness;
  return sum;
}

bool ExceedsUmax(double u, double umax) {
  return umax != 0 && u > umax * (1.0 + kUmaxTolerance);
}

double RequiredThickness(const LayerTable& table, int position, const DesignConditions& conditions) {
  if (conditions.umax == 0) throw DivisionByZero();
  const int chosen = position - 1;
  double others = 0;
  for (int i = 0; i < table.size(); ++i) {
    if (i != chosen) others += table.at(i).resistance;
  }
  const double lambda =
      chosen >= 0 && chosen < table.size() ? EffectiveLambda(table.at(chosen), conditions) : 0;
  const double d = lambda * (1.0 / conditions.umax - conditions.rsi - conditions.rse - others);
  // A rounding remainder: the other layers already meet Umax.
  constexpr double kNegligibleThickness = 1e-9;
  return d > 0 && d < kNegligibleThickness ? 0.0 : d;
}

std::optional<double> EquivalentAirThickness(const LayerRecord& layer) {
  const double coefficient = layer.vapourCoefficient;
  if (coefficient == 0 || std::isinf(coefficient)) return std::nullopt;
  return kAirVapourCoefficient / coefficient * layer.thickness;
}

double DiffusionResistanceSum(LayerTable& table, int counted) {
  double sum = 0;
  for (int i = 0; i < table.size(); ++i) {
    LayerRecord& layer = table.at(i);
    const double coefficient = layer.vapourCoefficient;
    // A coefficient of 0 or "max" (an infinity) contributes nothing, and a
    // layer beyond a well-ventilated air layer is outside the vapour path as
    // it is outside the heat path (its R is 0 too).
    const bool outside = counted >= 0 && i >= counted;
    layer.diffusionResistance =
        outside || coefficient == 0 || std::isinf(coefficient) ? 0.0 : layer.thickness / (coefficient * 1e-6);
    sum += layer.diffusionResistance;
  }
  return sum;
}

bool ComputeTemperatures(LayerTable& table, const PartitionSummary& summary,
                         const DesignConditions& conditions) {
  if (conditions.ti == conditions.te) return false;
  const double q = (conditions.ti - conditions.te) / summary.totalResistance;
  double t = conditions.ti - conditions.rsi * q;
  for (int i = 0; i < table.size(); ++i) {
    LayerRecord& layer = table.at(i);
    layer.innerTemperature = t;
    t -= layer.resistance * q;
    layer.outerTemperature = t;
  }
  return true;
}

bool ComputeSaturationProfile(LayerTable& table, const PartitionSummary& summary,
                              const DesignConditions& conditions, const SaturationTable& saturation,
                              double outdoorTemperature) {
  // The test is on the design temperatures, whatever outdoor temperature is asked for.
  if (conditions.ti == conditions.te) return false;
  const double q = (conditions.ti - outdoorTemperature) / summary.totalResistance;
  double t = conditions.ti - conditions.rsi * q;
  // A layer's inner face is its inner neighbour's outer face, at the very same
  // temperature: each face is looked up once.
  double face = SaturationPressure(saturation, t);
  for (int i = 0; i < table.size(); ++i) {
    LayerRecord& layer = table.at(i);
    layer.innerSaturation = face;
    t -= layer.resistance * q;
    face = SaturationPressure(saturation, t);
    layer.outerSaturation = face;
  }
  return true;
}

std::optional<double> ZeroPointDepth(const LayerTable& table, int counted) {
  if (table.empty() || table.at(0).innerTemperature < 0) return std::nullopt;
  const int end = counted < 0 ? table.size() : std::min(counted, table.size());
  double depth = 0;
  for (int i = 0; i < end; ++i) {
    const LayerRecord& layer = table.at(i);
    if (layer.outerTemperature > 0) {
      depth += layer.thickness;
      continue;
    }
    const double ta = layer.innerTemperature;
    const double tb = layer.outerTemperature;
    if (ta == tb) {
      // A layer lying exactly at 0 degC (fresh records all read 0 before any
      // temperatures were computed) puts the point at its inner face; any other
      // flat layer here would divide by zero.
      if (ta == 0) return depth;
      throw DivisionByZero();
    }
    return depth + ta * layer.thickness / (ta - tb);
  }
  // Warm all the way through: the 0 degC point lies outside the partition.
  return std::nullopt;
}

double PartialPressure(const SaturationTable& saturation, double temperature, int phi) {
  const std::int64_t product = std::int64_t{SaturationPressure(saturation, temperature)} * phi;
  return static_cast<double>(product) / 100.0;
}

bool SurfaceCondensation(const LayerTable& table, const DesignConditions& conditions,
                         const SaturationTable& saturation) {
  if (table.empty()) return false;
  return SaturationPressure(saturation, table.at(0).innerTemperature) <
         PartialPressure(saturation, conditions.ti, conditions.phiI);
}

void CheckStoredConditions(const DesignConditions& c, const SaturationTable& saturation) {
  const auto within = [](double v, double lo, double hi) { return std::isfinite(v) && v >= lo && v <= hi; };
  if (!saturation.covers(c.ti) || !saturation.covers(c.te) || !within(c.phiI, 0, 100) ||
      !within(c.phiE, 0, 100) || c.direction < 0 || c.direction > 2 || !within(c.umax, 0, 10) ||
      !ValidOuterSide(c.outerSide) || !ValidCorrections(c.corrections))
    throw Error(kInvalidStoredConditions);
}

DesignConditions WithRseInForce(const DesignConditions& conditions) {
  DesignConditions inForce = conditions;
  inForce.rse = RseInForce(conditions);
  return inForce;
}

void CalculatePartition(LayerTable& table, PartitionSummary& summary, const DesignConditions& conditions,
                        const ReferenceTables& tables, const NoticeCallback& notice) {
  if (table.empty()) {
    summary = PartitionSummary{};
    return;
  }
  summary.layerCount = table.size();
  summary.totalThickness = TotalThickness(table);
  summary.transmittance = ComputeTransmittance(table, conditions, tables.air);
  summary.totalResistance = summary.transmittance.totalResistance;
  summary.u = summary.transmittance.u;
  summary.totalDiffusionResistance = DiffusionResistanceSum(table, summary.transmittance.firstIgnoredLayer) +
                                     kInnerSurfaceDiffusion + kOuterSurfaceDiffusion;
  // The profiles run through the resistances just written and RT; the outer
  // surface takes what is left of RT, the Rse the outer side calls for.
  if (!ComputeTemperatures(table, summary, conditions) && notice) notice(kNoTemperatureDifference);
  ComputeSaturationProfile(table, summary, conditions, tables.saturation, kSaturationProfileOutdoor);
  summary.zeroPointDepth = ZeroPointDepth(table, summary.transmittance.firstIgnoredLayer);
}

}  // namespace veltor
