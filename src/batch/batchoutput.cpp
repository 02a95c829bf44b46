// One partition's results as a JSON object; the same calls as the windows make.
#include "batch/batchoutput.h"

#include <cmath>

#include "calc/calculation.h"
#include "calc/dynamic.h"
#include "calc/errors.h"
#include "calc/ground.h"
#include "calc/moisture.h"
#include "calc/transmittance.h"

namespace batch {

namespace {

// A number, or null where the program has none (an infinity never reaches JSON).
OutValue Number(std::optional<double> value) {
  if (!value || !std::isfinite(*value)) return nullptr;
  return *value;
}

// Months and layers count from 1 for the reader of the output.
OutValue MonthNumber(int index) {
  return index < 0 ? OutValue() : OutValue(index + 1);
}

QString VerdictKey(veltor::InterstitialVerdict verdict) {
  switch (verdict) {
    case veltor::InterstitialVerdict::NoCondensation:
      return QStringLiteral("none");
    case veltor::InterstitialVerdict::DriesOut:
      return QStringLiteral("dries");
    case veltor::InterstitialVerdict::Accumulates:
      break;
  }
  return QStringLiteral("accumulates");
}

OutValue MoistureResults(const veltor::MoistureResult& r) {
  OutValue months = OutValue::Array();
  for (const veltor::MonthResult& m : r.months) {
    OutValue month = OutValue::Object();
    month.insert("te", m.te);
    month.insert("phi_e", m.phiE);
    month.insert("theta_si", m.thetaSi);
    month.insert("fRsi_min", Number(m.fRsiMin));
    month.insert("gc", m.gc);
    month.insert("Ma", m.ma);
    months.append(std::move(month));
  }
  const bool decisive = r.decisiveMonth >= 0;
  OutValue out = OutValue::Object();
  out.insert("fRsi", r.fRsi);
  out.insert("fRsi_min", decisive ? OutValue(r.fRsiMinDecisive) : OutValue());
  out.insert("decisive_month", MonthNumber(r.decisiveMonth));
  out.insert("verdict", VerdictKey(r.verdict));
  out.insert("Ma_max", r.maxMa);
  out.insert("Ma_max_month", MonthNumber(r.maxMaMonth));
  out.insert("months", std::move(months));
  return out;
}

// The summer figures; null for a wall that lacks a density or a specific heat.
OutValue DynamicResults(const BatchCase& c, const veltor::ReferenceTables& tables) {
  try {
    const veltor::DynamicResult r = veltor::DynamicCharacteristics(c.layers, c.conditions, tables.air);
    OutValue out = OutValue::Object();
    out.insert("Y12", r.periodicTransmittance);
    out.insert("delta_t_h", r.delayH);
    out.insert("f", r.decrementFactor);
    out.insert("kappa_1", r.kappa1);
    out.insert("kappa_2", r.kappa2);
    out.insert("Y11", std::abs(r.y11));
    out.insert("Y11_shift_h", r.y11ShiftH);
    out.insert("Y22", std::abs(r.y22));
    out.insert("Y22_shift_h", r.y22ShiftH);
    return out;
  } catch (const veltor::Error&) {
    return nullptr;
  }
}

OutValue GroundResults(const veltor::GroundResult& r) {
  OutValue out = OutValue::Object();
  out.insert("B_prime", Number(r.bPrime));
  out.insert("dt", Number(r.dt));
  out.insert("U_ground", Number(r.uGround));
  out.insert("psi_ge", Number(r.psiGe));
  out.insert("U_bf", Number(r.ubf));
  out.insert("U_bw", Number(r.ubw));
  out.insert("U_construction", Number(r.uConstruction));
  out.insert("U_compared", Number(r.uCompared));
  return out;
}

}  // namespace

OutValue ComputeResults(BatchCase& c, const veltor::ReferenceTables& tables, QStringList& notices) {
  veltor::PartitionSummary summary;
  veltor::CalculatePartition(c.layers, summary, c.conditions, tables,
                             [&](const QString& notice) { notices << notice; });
  double sdTotal = 0;
  OutValue layers = OutValue::Array();
  for (int i = 0; i < c.layers.size(); ++i) {
    const veltor::LayerRecord& layer = c.layers.at(i);
    const std::optional<double> sd = veltor::EquivalentAirThickness(layer);
    if (sd) sdTotal += *sd;
    OutValue row = OutValue::Object();
    row.insert("name", layer.nameText());
    row.insert("d", layer.thickness);
    row.insert("lambda", layer.isAirLayer() ? OutValue() : Number(veltor::EffectiveLambda(layer, c.conditions)));
    row.insert("R", layer.resistance);
    row.insert("sd", Number(sd));
    row.insert("theta_in", layer.innerTemperature);
    row.insert("theta_out", layer.outerTemperature);
    layers.append(std::move(row));
  }
  const double umax = c.conditions.umax;
  std::optional<veltor::GroundResult> ground;
  if (c.ground.onGround()) {
    if (!c.groundWallLayers.empty())
      c.ground.wallResistance = veltor::WallResistance(c.groundWallLayers, c.conditions, tables.air);
    ground = veltor::EvaluateGround(c.layers, c.conditions, tables.air, c.ground);
  }
  // On the ground the designer's chosen U is the one held against Umax.
  const double compared = ground ? ground->uCompared : summary.transmittance.uc;
  OutValue out = OutValue::Object();
  out.insert("R", summary.totalResistance);
  out.insert("U", summary.u);
  out.insert("dU_g", summary.transmittance.deltaAirGaps);
  out.insert("dU_f", summary.transmittance.deltaFasteners);
  out.insert("dU_r", summary.transmittance.deltaInvertedRoof);
  out.insert("Uc", summary.transmittance.uc);
  out.insert("Umax", umax);
  out.insert("meets", umax == 0 ? OutValue() : OutValue(!veltor::ExceedsUmax(compared, umax)));
  out.insert("thickness", summary.totalThickness);
  out.insert("sd_total", sdTotal);
  out.insert("zero_point", Number(summary.zeroPointDepth));
  out.insert("surface_condensation", veltor::SurfaceCondensation(c.layers, c.conditions, tables.saturation));
  out.insert("layers", std::move(layers));
  out.insert("dynamic", DynamicResults(c, tables));
  const veltor::TransmittanceResult& t = summary.transmittance;
  bool bridged = false;
  for (int i = 0; i < c.layers.size(); ++i) bridged = bridged || c.layers.at(i).bridge.present();
  if (bridged) {
    out.insert("R_upper", t.upperResistance);
    out.insert("R_lower", t.lowerResistance);
    out.insert("relative_error", t.relativeError);
  }
  OutValue warnings = OutValue::Array();
  if (t.limitRatioExceeded) warnings.append(veltor::kLimitRatioWarning);
  if (t.metalBridgesInsulation) warnings.append(veltor::kMetalBridgeWarning);
  if (warnings.size() > 0) out.insert("warnings", std::move(warnings));
  if (!c.description[0].isEmpty()) out.insert("name", c.description[0]);
  if (ground) out.insert("ground", GroundResults(*ground));
  // Outdoor air is not what lies under a floor on the ground.
  if (c.moisture && !ground)
    out.insert("moisture", MoistureResults(veltor::AssessMoisture(c.layers, *c.moisture, tables.air)));
  return out;
}

}  // namespace batch
