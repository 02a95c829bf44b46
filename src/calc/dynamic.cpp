// The 24-hour heat transfer matrices of the layers and what follows from their
// product. The layer matrix is written in the real form the standard gives;
// the tests evaluate it independently through the complex cosh and sinh.
#include "calc/dynamic.h"

#include <cmath>
#include <numbers>

#include "calc/calculation.h"
#include "calc/errors.h"
#include "calc/numbers.h"
#include "calc/transmittance.h"

namespace veltor {

namespace {

QString LayerName(const LayerTable& table, int index) {
  return QStringLiteral("Warstwa %1 („%2”)").arg(index + 1).arg(QuotedInput(table.at(index).nameText()));
}

bool Positive(double value) {
  return value > 0 && std::isfinite(value);
}

bool Finite(const HeatTransferMatrix& z) {
  for (const Complex& c : {z.z11, z.z12, z.z21, z.z22})
    if (!std::isfinite(c.real()) || !std::isfinite(c.imag())) return false;
  return true;
}

// The phase of a complex figure as a time in hours of a `period`.
double PhaseHours(const Complex& value, double period) {
  return std::arg(value) * period / (2 * std::numbers::pi) / 3600.0;
}

}  // namespace

HeatTransferMatrix operator*(const HeatTransferMatrix& a, const HeatTransferMatrix& b) {
  return {a.z11 * b.z11 + a.z12 * b.z21, a.z11 * b.z12 + a.z12 * b.z22, a.z21 * b.z11 + a.z22 * b.z21,
          a.z21 * b.z12 + a.z22 * b.z22};
}

double PenetrationDepth(double lambda, double density, double specificHeat, double period) {
  return std::sqrt(lambda * period / (std::numbers::pi * density * specificHeat));
}

HeatTransferMatrix LayerMatrix(double thickness, double lambda, double density, double specificHeat,
                               double period) {
  const double delta = PenetrationDepth(lambda, density, specificHeat, period);
  const double xi = thickness / delta;
  const double ch = std::cosh(xi), sh = std::sinh(xi), c = std::cos(xi), s = std::sin(xi);
  HeatTransferMatrix z;
  z.z11 = z.z22 = Complex(ch * c, sh * s);
  z.z12 = -delta / (2 * lambda) * Complex(sh * c + ch * s, ch * s - sh * c);
  z.z21 = -lambda / delta * Complex(sh * c - ch * s, sh * c + ch * s);
  return z;
}

HeatTransferMatrix ResistanceMatrix(double resistance) {
  HeatTransferMatrix z;
  z.z12 = -resistance;
  return z;
}

DynamicResult DynamicCharacteristics(const LayerTable& table, const DesignConditions& conditions,
                                     const AirLayerTable& air, double period) {
  if (table.empty()) throw Error(QStringLiteral("Nie zdefiniowano warstw przegrody"));
  // The outer surface and the layers as U counts them (transmittance.h): for
  // outdoor air the conditions' Rse and every layer, as always; beyond a
  // well-ventilated air layer nothing, with Rse = Rsi at the counted layers'
  // outer face. The wave is then the one that reaches that face.
  const double rse = RseInForce(conditions);
  const int ignored = FirstIgnoredLayer(table, conditions.outerSide);
  const int counted = ignored >= 0 ? ignored : table.size();
  if (!(conditions.rsi >= 0) || !(rse >= 0))
    throw Error(QStringLiteral("Opory przejmowania ciepła nie mogą być ujemne"));
  // From outside to inside: each layer further in multiplies on the right.
  HeatTransferMatrix z = ResistanceMatrix(rse);
  double resistance = conditions.rsi + rse;
  for (int i = counted - 1; i >= 0; --i) {
    const LayerRecord& layer = table.at(i);
    if (!(layer.thickness >= 0) || !std::isfinite(layer.thickness))
      throw Error(
          QStringLiteral("%1 ma grubość %2 m").arg(LayerName(table, i), FormatGeneral(layer.thickness)));
    if (layer.isAirLayer()) {
      const double r = AirLayerResistance(air, conditions.direction, layer.thickness);
      z = z * ResistanceMatrix(r);
      resistance += r;
      continue;
    }
    const double lambda = EffectiveLambda(layer, conditions);
    if (!Positive(lambda))
      throw Error(QStringLiteral("%1 nie ma współczynnika przewodzenia ciepła λ").arg(LayerName(table, i)));
    if (!Positive(layer.density))
      throw Error(QStringLiteral("%1 nie ma gęstości; parametry dynamiczne wymagają gęstości i ciepła "
                                 "właściwego każdej warstwy")
                      .arg(LayerName(table, i)));
    if (!Positive(layer.specificHeat))
      throw Error(QStringLiteral("%1 nie ma ciepła właściwego; parametry dynamiczne wymagają gęstości i "
                                 "ciepła właściwego każdej warstwy")
                      .arg(LayerName(table, i)));
    z = z * LayerMatrix(layer.thickness, lambda, layer.density, layer.specificHeat, period);
    resistance += layer.thickness / lambda;
  }
  z = z * ResistanceMatrix(conditions.rsi);

  // A wall of metres of concrete takes cosh past the range of double; its
  // wave would arrive as nothing, but no figure here could say so honestly.
  if (!Finite(z) || std::abs(z.z12) == 0 || !std::isfinite(std::abs(z.z12)) || !Positive(resistance))
    throw Error(
        QStringLiteral("Parametrów dynamicznych tej przegrody nie da się obliczyć: przegroda jest "
                       "zbyt masywna lub bez oporu cieplnego"));

  DynamicResult r;
  r.z = z;
  r.u = 1.0 / resistance;
  r.y11 = -z.z11 / z.z12;
  r.y22 = -z.z22 / z.z12;
  r.y12 = -1.0 / z.z12;
  r.y11ShiftH = PhaseHours(r.y11, period);
  r.y22ShiftH = PhaseHours(r.y22, period);
  r.periodicTransmittance = std::abs(r.y12);
  const double periodH = period / 3600.0;
  r.delayH = std::fmod(-PhaseHours(r.y12, period) + periodH, periodH);
  // A lag of a hair under zero comes back as a whole period.
  if (r.delayH >= periodH - 1e-9) r.delayH = 0;
  r.decrementFactor = r.periodicTransmittance / r.u;
  const double toKilojoules = period / (2 * std::numbers::pi) / 1000.0;
  r.kappa1 = toKilojoules * std::abs((z.z11 - 1.0) / z.z12);
  r.kappa2 = toKilojoules * std::abs((z.z22 - 1.0) / z.z12);
  return r;
}

}  // namespace veltor
