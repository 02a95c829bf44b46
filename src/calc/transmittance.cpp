// The combined method, the outer boundary and the corrections to U. One
// evaluation walks the table once for the layers' resistances; the paths of
// the upper limit are enumerated only over the bridged layers.
#include "calc/transmittance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "calc/calculation.h"
#include "calc/conditions.h"
#include "calc/errors.h"
#include "calc/layer.h"
#include "calc/numbers.h"
#include "calc/reftables.h"

namespace veltor {

double BridgeShare(double width, double spacing) {
  if (!(width > 0) || !(spacing > width) || !std::isfinite(spacing))
    throw DataError(QStringLiteral("Rozstaw elementów mostka musi być większy od ich szerokości"));
  return width / spacing;
}

QString LayerCaption(const QString& name, const LayerBridge& bridge) {
  if (!bridge.present()) return name;
  const QString material = bridge.material.isEmpty() ? QStringLiteral("mostek") : bridge.material;
  return QStringLiteral("%1 + %2 (%3 %)").arg(name, material, FormatGeneral(bridge.share * 100, 3));
}

double EquivalentLambda(const LayerRecord& layer, const DesignConditions& c) {
  if (layer.isAirLayer()) return NAN;
  const double main = EffectiveLambda(layer, c);
  const LayerBridge& b = layer.bridge;
  if (!b.present()) return main;
  return (1 - b.share) * main + b.share * (c.humid() ? b.lambdaHumid : b.lambdaMedium);
}

namespace {

struct BridgedLayer {
  int index;
  double main;        // R of the main material, m2 K/W
  double bridge;      // R of the bridge
  double equivalent;  // d / λ''
  double share;
  bool air;
};

// The combined method over the layers before `end`, with the outer surface
// resistance `rse`. Each layer's resistance field gets its share of RT; the
// layers from `end` on get 0.
struct Limits {
  double upper = 0, lower = 0, total = 0;
  // RT,h of the corrections: every layer as its own main material, the
  // bridges ignored.
  double withoutBridges = 0;
  bool metal = false;
  int insulation = -1;  // the counted layer of the largest R that is not an air layer
};

// The refusals, out of line so that the pass's loop stays small.
[[noreturn, gnu::cold, gnu::noinline]] void RefuseShare(int index) {
  throw DataError(
      QStringLiteral("Udział mostka w warstwie %1 musi mieścić się w zakresie 0 ÷ 100%").arg(index + 1));
}
[[noreturn, gnu::cold, gnu::noinline]] void RefuseBridgeLambda(int index) {
  throw DataError(QStringLiteral("Współczynnik λ materiału mostka w warstwie %1 musi być większy od zera")
                      .arg(index + 1));
}
[[noreturn, gnu::cold, gnu::noinline]] void RefuseBridgeCount() {
  throw DataError(
      QStringLiteral("Przegroda może mieć najwyżej %1 warstw niejednorodnych").arg(kMaxBridgedLayers));
}

Limits CombinedMethod(LayerTable& table, int end, const DesignConditions& c, const AirLayerTable& air,
                      double rse) {
  std::array<BridgedLayer, kMaxBridgedLayers> bridged;
  int bridgedCount = 0;
  Limits out;
  double sum = 0, homogeneous = 0, largest = 0;
  for (int i = 0; i < end; ++i) {
    LayerRecord& layer = table.at(i);
    const bool airLayer = layer.isAirLayer();
    // Written at once, so that a failure further on leaves the layers before
    // it with their R, as a plain sum would.
    if (airLayer) {
      layer.resistance = AirLayerResistance(air, c.direction, layer.thickness);
    } else {
      const double lambda = EffectiveLambda(layer, c);
      if (lambda == 0) throw DivisionByZero();
      layer.resistance = layer.thickness / lambda;
    }
    const double main = layer.resistance;
    out.withoutBridges += main;
    const LayerBridge& b = layer.bridge;
    if (!(b.share > 0) || layer.thickness == 0) {
      if (b.share != 0 && !(b.share > 0 && b.share <= 1)) [[unlikely]]
        RefuseShare(i);
      sum += main;
      homogeneous += main;
      if (!airLayer && (out.insulation < 0 || main > largest)) {
        out.insulation = i;
        largest = main;
      }
      continue;
    }
    if (b.share > 1) [[unlikely]]
      RefuseShare(i);
    const double lambdaB = c.humid() ? b.lambdaHumid : b.lambdaMedium;
    if (!(lambdaB > 0) || !std::isfinite(lambdaB)) [[unlikely]]
      RefuseBridgeLambda(i);
    if (bridgedCount == kMaxBridgedLayers) [[unlikely]]
      RefuseBridgeCount();
    // An air layer's own conductivity is its thickness over the table's R.
    const double lambdaA = main > 0 ? layer.thickness / main : 0;
    const double equivalent = layer.thickness / ((1 - b.share) * lambdaA + b.share * lambdaB);
    bridged[bridgedCount++] = {i, main, layer.thickness / lambdaB, equivalent, b.share, airLayer};
    if (lambdaB >= kMetalLambda && !airLayer && lambdaA <= kInsulationLambda) out.metal = true;
    layer.resistance = equivalent;
    sum += equivalent;
  }
  for (int i = end; i < table.size(); ++i) table.at(i).resistance = 0;
  // Summed in table order, as a plain sum of d/λ is, so that a partition
  // without bridges gives that sum to the last bit.
  out.lower = sum + c.rsi + rse;
  out.withoutBridges += c.rsi + rse;
  if (bridgedCount == 0) {
    out.upper = out.total = out.lower;
    return out;
  }
  const double base = homogeneous + c.rsi + rse;
  double conductance = 0;
  const unsigned paths = 1u << bridgedCount;
  if (bridgedCount == 1) {
    // The common wall, studs or rafters in one layer: its two paths written
    // out, in the order and with the checks of the loop below.
    const BridgedLayer& only = bridged[0];
    const double outside = base + only.main, through = base + only.bridge;
    if (1 - only.share != 0) {
      if (outside == 0) throw DivisionByZero();
      conductance += (1 - only.share) / outside;
    }
    if (through == 0) throw DivisionByZero();
    conductance += only.share / through;
  }
  for (unsigned mask = 0; bridgedCount > 1 && mask < paths; ++mask) {
    double share = 1, resistance = base;
    for (int k = 0; k < bridgedCount; ++k) {
      const bool throughBridge = mask & (1u << k);
      share *= throughBridge ? bridged[k].share : 1 - bridged[k].share;
      resistance += throughBridge ? bridged[k].bridge : bridged[k].main;
    }
    if (share == 0) continue;
    if (resistance == 0) throw DivisionByZero();
    conductance += share / resistance;
  }
  out.upper = 1.0 / conductance;
  out.total = (out.upper + out.lower) / 2;
  // The bridged layers take up what RT adds above the lower limit.
  double equivalentSum = 0;
  for (int k = 0; k < bridgedCount; ++k) equivalentSum += bridged[k].equivalent;
  if (equivalentSum > 0) {
    const double scale = (out.total - out.lower + equivalentSum) / equivalentSum;
    for (int k = 0; k < bridgedCount; ++k)
      table.at(bridged[k].index).resistance = bridged[k].equivalent * scale;
  }
  for (int k = 0; k < bridgedCount; ++k) {
    const double r = table.at(bridged[k].index).resistance;
    if (!bridged[k].air && (out.insulation < 0 || r > largest)) {
      out.insulation = bridged[k].index;
      largest = r;
    }
  }
  return out;
}

int OutermostAirLayer(const LayerTable& table) {
  for (int i = table.size() - 1; i >= 0; --i)
    if (table.at(i).isAirLayer()) return i;
  return -1;
}

bool Ventilated(OuterSideKind kind) {
  return kind == OuterSideKind::WellVentilated || kind == OuterSideKind::SlightlyVentilated;
}

// The share of the well-ventilated case: 1 above 1500 mm², 0 below 500.
double Ventilation(const OuterSide& side) {
  if (side.kind == OuterSideKind::SlightlyVentilated)
    return std::clamp((side.openings - 500) / 1000, 0.0, 1.0);
  return side.kind == OuterSideKind::WellVentilated ? 1.0 : 0.0;
}

// The counted layer the correction concerns: the one named, or the counted
// layer of the largest resistance that is not an air layer.
int CorrectionLayer(const LayerTable& table, std::int32_t layer, int counted, int insulation) {
  if (layer != kLayerAuto) {
    if (layer < 0 || layer >= table.size())
      throw DataError(
          QStringLiteral("Poprawka współczynnika U wskazuje warstwę %1, której nie ma w przegrodzie")
              .arg(layer + 1));
    return layer < counted ? layer : -1;
  }
  return insulation;
}

[[noreturn, gnu::cold, gnu::noinline]] void RefuseParameter(const char* what) {
  throw DataError(
      QStringLiteral("Poprawka współczynnika U: %1 musi być liczbą nieujemną").arg(QString::fromUtf8(what)));
}

// Inline, with the refusal out of line: the pass runs these checks every time.
inline void CheckParameter(double value, const char* what) {
  if (!(value >= 0) || !std::isfinite(value)) [[unlikely]]
    RefuseParameter(what);
}

// The annex's R1 is the insulation's own d/λ and its RT the total without
// the bridges: the combined method's figures (a bridged layer's share of RT,
// and RT itself) make the ratio smaller and the correction too small.
void ApplyCorrections(const LayerTable& table, const DesignConditions& c, const AirLayerTable& air,
                      int counted, int insulation, double withoutBridges, TransmittanceResult& out) {
  const UCorrections& corr = c.corrections;
  out.correctionRt = withoutBridges;
  CorrectionBasis* basis = nullptr;
  auto ratioSquared = [&](std::int32_t which, int& index) {
    index = CorrectionLayer(table, which, counted, insulation);
    if (index < 0) return 0.0;
    const LayerRecord& layer = table.at(index);
    const double r1 = layer.isAirLayer() ? AirLayerResistance(air, c.direction, layer.thickness)
                                         : layer.thickness / EffectiveLambda(layer, c);
    *basis = {index, r1};
    if (withoutBridges == 0) throw DivisionByZero();
    const double ratio = r1 / withoutBridges;
    return ratio * ratio;
  };
  int index = -1;
  const AirGapCorrection& gaps = corr.airGaps;
  if (gaps.level < 0 || gaps.level > 2)
    throw DataError(QStringLiteral("Poziom poprawki na nieszczelności izolacji musi wynosić 0, 1 lub 2"));
  basis = &out.airGapBasis;
  if (gaps.level > 0) out.deltaAirGaps = kAirGapDeltaU[gaps.level] * ratioSquared(gaps.layer, index);

  const FastenerCorrection& f = corr.fasteners;
  basis = &out.fastenerBasis;
  if (f.method == FastenerMethod::PointTransmittance) {
    CheckParameter(f.perSquareMetre, "liczba łączników na m²");
    CheckParameter(f.chiP, "χp łącznika");
    out.deltaFasteners = f.perSquareMetre * f.chiP;
  } else if (f.method == FastenerMethod::Conductivity) {
    CheckParameter(f.perSquareMetre, "liczba łączników na m²");
    CheckParameter(f.lambda, "λ łącznika");
    CheckParameter(f.area, "przekrój łącznika");
    CheckParameter(f.recess, "zagłębienie łącznika");
    const double squared = ratioSquared(f.layer, index);
    const double d0 = index >= 0 ? table.at(index).thickness : 0;
    // A layer of no thickness has no fastener in it (ΔUf tends to 0 with d0).
    if (d0 > 0) {
      // A head sunk deeper than the insulation is thick is a typing slip that
      // would quietly drop the correction.
      if (f.recess > d0)
        throw DataError(QStringLiteral("Zagłębienie łącznika (%1 mm) nie może przekraczać grubości warstwy "
                                       "izolacji (%2 mm)")
                            .arg(FormatGeneral(f.recess * 1000), FormatGeneral(d0 * 1000)));
      const double d1 = d0 - f.recess;
      const double alpha = f.recess > 0 ? 0.8 * d1 / d0 : 0.8;
      out.deltaFasteners = alpha * f.lambda * f.area * f.perSquareMetre / d0 * squared;
    }
  } else if (f.method != FastenerMethod::None) {
    throw DataError(QStringLiteral("Nieznany sposób uwzględnienia łączników mechanicznych"));
  }

  const InvertedRoofCorrection& roof = corr.invertedRoof;
  basis = &out.invertedRoofBasis;
  if (roof.enabled) {
    CheckParameter(roof.precipitation, "opad p");
    CheckParameter(roof.drainage, "współczynnik f");
    CheckParameter(roof.factor, "współczynnik x");
    out.deltaInvertedRoof =
        roof.precipitation * roof.drainage * roof.factor * ratioSquared(roof.layer, index);
  }
  out.deltaU = out.deltaAirGaps + out.deltaFasteners + out.deltaInvertedRoof;
}

}  // namespace

bool ValidOuterSide(const OuterSide& side) {
  const int kind = static_cast<int>(side.kind);
  return kind >= 0 && kind < kOuterSideKindCount && std::isfinite(side.openings) && side.openings >= 0;
}

bool ValidCorrections(const UCorrections& c) {
  const auto figures = [](std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v) && v >= 0; });
  };
  const FastenerCorrection& f = c.fasteners;
  const InvertedRoofCorrection& roof = c.invertedRoof;
  const int method = static_cast<int>(f.method);
  return c.airGaps.level >= 0 && c.airGaps.level <= 2 && method >= 0 &&
         method <= static_cast<int>(FastenerMethod::PointTransmittance) && c.airGaps.layer >= kLayerAuto &&
         f.layer >= kLayerAuto && roof.layer >= kLayerAuto &&
         figures({f.perSquareMetre, f.lambda, f.area, f.recess, f.chiP, roof.precipitation, roof.drainage,
                  roof.factor});
}

double RseInForce(const DesignConditions& c) {
  const double ventilation = Ventilation(c.outerSide);
  if (ventilation == 0) return c.outerSide.kind == OuterSideKind::Unheated ? c.rsi : c.rse;
  if (ventilation == 1) return c.rsi;
  return (1 - ventilation) * c.rse + ventilation * c.rsi;
}

int FirstIgnoredLayer(const LayerTable& table, const OuterSide& side) {
  return Ventilation(side) == 1 ? OutermostAirLayer(table) : -1;
}

TransmittanceResult ComputeTransmittance(LayerTable& table, const DesignConditions& c,
                                         const AirLayerTable& air) {
  TransmittanceResult out;
  const int n = table.size();
  const OuterSide& side = c.outerSide;
  if (!(side.openings >= 0) || !std::isfinite(side.openings))
    throw DataError(QStringLiteral("Pole otworów wentylacyjnych musi być liczbą nieujemną"));
  const double ventilation = Ventilation(side);
  const int airLayer = Ventilated(side.kind) ? OutermostAirLayer(table) : -1;
  const int ventedEnd = airLayer >= 0 ? airLayer : n;
  // One rule for the Rse in force, here and wherever else it is read.
  out.rse = RseInForce(c);

  Limits limits;
  if (ventilation == 0) {
    limits = CombinedMethod(table, n, c, air, out.rse);
  } else if (ventilation == 1) {
    limits = CombinedMethod(table, ventedEnd, c, air, out.rse);
    out.firstIgnoredLayer = FirstIgnoredLayer(table, side);
  } else {
    // Between the two cases, every figure and every layer's share of RT alike.
    const Limits v = CombinedMethod(table, ventedEnd, c, air, c.rsi);
    std::vector<double> vented(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) vented[i] = table.at(i).resistance;
    const Limits u = CombinedMethod(table, n, c, air, c.rse);
    const double a = 1 - ventilation, b = ventilation;
    for (int i = 0; i < n; ++i) table.at(i).resistance = a * table.at(i).resistance + b * vented[i];
    limits = {a * u.upper + b * v.upper, a * u.lower + b * v.lower,
              a * u.total + b * v.total, a * u.withoutBridges + b * v.withoutBridges,
              u.metal || v.metal,        -1};
    for (int i = 0; i < n; ++i) {
      const double r = table.at(i).resistance;
      if (!table.at(i).isAirLayer() && (limits.insulation < 0 || r > table.at(limits.insulation).resistance))
        limits.insulation = i;
    }
  }
  out.upperResistance = limits.upper;
  out.lowerResistance = limits.lower;
  out.totalResistance = limits.total;
  if (out.totalResistance == 0) throw DivisionByZero();
  out.relativeError = (limits.upper - limits.lower) / (2 * limits.total);
  out.u = 1.0 / out.totalResistance;
  out.limitRatioExceeded = limits.lower > 0 && limits.upper / limits.lower > kMaxLimitRatio;
  out.metalBridgesInsulation = limits.metal;
  if (c.corrections.any())
    ApplyCorrections(table, c, air, out.firstIgnoredLayer >= 0 ? out.firstIgnoredLayer : n, limits.insulation,
                     limits.withoutBridges, out);
  out.uc = out.u + out.deltaU;
  return out;
}

namespace {

// Sets the layer's thickness for one evaluation and puts it back afterwards.
class ThicknessTrial {
 public:
  explicit ThicknessTrial(LayerRecord& layer) : layer_(layer), kept_(layer.thickness) {}
  ~ThicknessTrial() { layer_.thickness = kept_; }
  ThicknessTrial(const ThicknessTrial&) = delete;
  ThicknessTrial& operator=(const ThicknessTrial&) = delete;

 private:
  LayerRecord& layer_;
  double kept_;
};

}  // namespace

double RequiredThicknessUc(LayerTable& table, int position, const DesignConditions& c,
                           const AirLayerTable& air) {
  if (c.umax == 0) throw DivisionByZero();
  const int chosen = position - 1;
  if (chosen < 0 || chosen >= table.size()) throw DataError(QStringLiteral("Nie wybrano warstwy"));
  LayerRecord& layer = table.at(chosen);
  if (layer.isAirLayer()) throw DataError(QStringLiteral("Dla tej warstwy nie można dokonać obliczeń"));
  const TransmittanceResult now = ComputeTransmittance(table, c, air);
  if (now.firstIgnoredLayer >= 0 && chosen >= now.firstIgnoredLayer)
    throw DataError(QStringLiteral("Warstwa na zewnątrz wentylowanej warstwy powietrza nie wpływa na U"));
  bool bridged = false;
  for (int i = 0; i < table.size(); ++i)
    bridged =
        bridged || (table.at(i).bridge.present() && (now.firstIgnoredLayer < 0 || i < now.firstIgnoredLayer));
  // Where RT is linear in the thickness the answer is closed, as it has always
  // been, with the outer surface resistance in force.
  const double closed = RequiredThickness(table, position, WithRseInForce(c));
  if (!bridged && !c.corrections.any() && c.outerSide.kind != OuterSideKind::SlightlyVentilated)
    return std::max(closed, 0.0);
  double result = 0;
  {
    ThicknessTrial trial(layer);
    auto meets = [&](double d) {
      layer.thickness = d;
      return !ExceedsUmax(ComputeTransmittance(table, c, air).uc, c.umax);
    };
    if (!meets(0)) {
      // Bracket the root from the thickness a homogeneous layer would need,
      // then halve the bracket below the tolerance, keeping the side that
      // meets Umax.
      // A bracket of infinite width (an absurdly small Umax gives a closed
      // thickness of inf) would never halve below the tolerance.
      constexpr double kThickest = 1000;  // m: no partition is thicker
      double lo = 0;
      double hi = std::isfinite(closed) ? std::clamp(closed, 0.01, kThickest) : kThickest;
      while (!meets(hi)) {
        lo = hi;
        hi *= 2;
        if (hi > kThickest)
          throw Error(QStringLiteral(
              "Żadna grubość tej warstwy nie daje Uc ≤ Umax: poprawki ΔU same przekraczają Umax"));
      }
      while (hi - lo > kThicknessTolerance / 4) {
        const double mid = (lo + hi) / 2;
        (meets(mid) ? hi : lo) = mid;
      }
      result = hi;
    }
  }
  ComputeTransmittance(table, c, air);
  return result;
}

double RequiredLayerThickness(const LayerTable& table, int position, const DesignConditions& conditions,
                              const AirLayerTable& air) {
  LayerTable trial = table.copy();
  return RequiredThicknessUc(trial, position, conditions, air);
}

}  // namespace veltor
