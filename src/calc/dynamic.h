// Dynamic thermal characteristics of a partition by EN ISO 13786: how the wall
// damps and delays a daily temperature wave (the summer question of a light
// attic or timber wall), from the 24-hour heat transfer matrices of its layers.
//
// Data flow: a caller (the dynamics window) passes the layer table, the design
// conditions (humidity class for λ, heat-flow direction for the air layers and
// Rsi, Rse) and the air-layer table to DynamicCharacteristics. Nothing is
// written into the layer records and no state is kept.
//
// Formulas (EN ISO 13786:2017, sections on plane layers; public descriptions:
// the standard's published scope and contents at standards.iteh.ai, and the
// derivation of the layer matrix from the one-dimensional heat equation by
// F. Berloco, fabrizioberloco.com, 2026-04-14, "Derivation of heat transfer
// matrix occurring inside ISO 13786"; the help page Pomoc/dynamika.htm lists them):
//   T = 86 400 s, periodic penetration depth δ = √(λ T / (π ρ c)), ξ = d / δ
//   layer matrix, relating (θ, q) on its outer side to its inner side:
//     Z11 = Z22 = cosh ξ cos ξ + i sinh ξ sin ξ
//     Z12 = −δ/(2λ) · [sinh ξ cos ξ + cosh ξ sin ξ + i (cosh ξ sin ξ − sinh ξ cos ξ)]
//     Z21 = −λ/δ · [sinh ξ cos ξ − cosh ξ sin ξ + i (sinh ξ cos ξ + cosh ξ sin ξ)]
//     (the same as cosh, sinh of (1+i)ξ: Z11 = cosh((1+i)ξ), ...)
//   a surface or an air layer of resistance R: [[1, −R], [0, 1]]
//   the wall, environment to environment, multiplied from outside to inside:
//     Z = Z_se · Z_N · … · Z_2 · Z_1 · Z_si   (layer 1 the innermost)
//   Y11 = −Z11/Z12, Y22 = −Z22/Z12 (thermal admittances, inside and outside)
//   Y12 = −1/Z12 (periodic thermal transmittance), f = |Y12| / U
//   time shifts Δt = T/(2π) · arg(Y); for Y12 the delay −T/(2π) · arg(Y12),
//     taken in [0, 24) h: one wave cannot tell a delay from one a day longer
//   κ1 = T/(2π) · |(Z11 − 1)/Z12|, κ2 = T/(2π) · |(Z22 − 1)/Z12| (areal heat
//     capacities, inside and outside)
// Air layers are pure resistances (the air-layer table, as in the steady
// calculation); their air stores no heat worth counting.
#pragma once

#include <complex>

#include "calc/conditions.h"
#include "calc/layer.h"
#include "calc/reftables.h"

namespace veltor {

// The period of the daily wave, s.
inline constexpr double kDayPeriod = 86400.0;

using Complex = std::complex<double>;

// A 2×2 complex heat transfer matrix: (θ, q) on one side from (θ, q) on the other.
struct HeatTransferMatrix {
  Complex z11{1.0}, z12{0.0}, z21{0.0}, z22{1.0};
};
HeatTransferMatrix operator*(const HeatTransferMatrix& a, const HeatTransferMatrix& b);

double PenetrationDepth(double lambda, double density, double specificHeat, double period = kDayPeriod);
// Matrix of a homogeneous layer; a layer of zero thickness gives the unit matrix.
HeatTransferMatrix LayerMatrix(double thickness, double lambda, double density, double specificHeat,
                               double period = kDayPeriod);
// Matrix of a surface or of a layer that stores no heat.
HeatTransferMatrix ResistanceMatrix(double resistance);

struct DynamicResult {
  HeatTransferMatrix z;              // environment to environment
  double u = 0;                      // W/(m²K), steady
  Complex y11, y22, y12;             // W/(m²K)
  double y11ShiftH = 0;              // h, the admittance's lead
  double y22ShiftH = 0;              // h
  double periodicTransmittance = 0;  // |Y12|, W/(m²K)
  double delayH = 0;                 // Δt of Y12, h, in [0, 24)
  double decrementFactor = 0;        // f = |Y12| / U
  double kappa1 = 0;                 // kJ/(m²K), inside
  double kappa2 = 0;                 // kJ/(m²K), outside
};

// The characteristics of the wall as built. Raises Error with a Polish
// message for an empty table, for a layer (an air layer aside) without
// density, specific heat or conductivity, naming the layer, and for a wall
// whose matrices leave the range of double.
DynamicResult DynamicCharacteristics(const LayerTable& table, const DesignConditions& conditions,
                                     const AirLayerTable& air, double period = kDayPeriod);

}  // namespace veltor
