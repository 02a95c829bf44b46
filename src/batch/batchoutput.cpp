// One partition's results as a JSON object; the same calls as the windows make.
#include "batch/batchoutput.h"

#include <QJsonArray>
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
QJsonValue Number(std::optional<double> value) {
  if (!value || !std::isfinite(*value)) return QJsonValue::Null;
  return *value;
}

// Months and layers count from 1 for the reader of the output.
QJsonValue MonthNumber(int index) {
  return index < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(index + 1);
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

QJsonObject MoistureResults(const veltor::MoistureResult& r) {
  QJsonArray months;
  for (const veltor::MonthResult& m : r.months)
    months.append(QJsonObject{{QStringLiteral("te"), m.te},
                              {QStringLiteral("phi_e"), m.phiE},
                              {QStringLiteral("theta_si"), m.thetaSi},
                              {QStringLiteral("fRsi_min"), Number(m.fRsiMin)},
                              {QStringLiteral("gc"), m.gc},
                              {QStringLiteral("Ma"), m.ma}});
  const bool decisive = r.decisiveMonth >= 0;
  return {
      {QStringLiteral("fRsi"), r.fRsi},
      {QStringLiteral("fRsi_min"), decisive ? QJsonValue(r.fRsiMinDecisive) : QJsonValue(QJsonValue::Null)},
      {QStringLiteral("decisive_month"), MonthNumber(r.decisiveMonth)},
      {QStringLiteral("verdict"), VerdictKey(r.verdict)},
      {QStringLiteral("Ma_max"), r.maxMa},
      {QStringLiteral("Ma_max_month"), MonthNumber(r.maxMaMonth)},
      {QStringLiteral("months"), months}};
}

// The summer figures; null for a wall that lacks a density or a specific heat.
QJsonValue DynamicResults(const BatchCase& c, const veltor::ReferenceTables& tables) {
  try {
    const veltor::DynamicResult r = veltor::DynamicCharacteristics(c.layers, c.conditions, tables.air);
    return QJsonObject{{QStringLiteral("Y12"), r.periodicTransmittance},
                       {QStringLiteral("delta_t_h"), r.delayH},
                       {QStringLiteral("f"), r.decrementFactor},
                       {QStringLiteral("kappa_1"), r.kappa1},
                       {QStringLiteral("kappa_2"), r.kappa2},
                       {QStringLiteral("Y11"), std::abs(r.y11)},
                       {QStringLiteral("Y11_shift_h"), r.y11ShiftH},
                       {QStringLiteral("Y22"), std::abs(r.y22)},
                       {QStringLiteral("Y22_shift_h"), r.y22ShiftH}};
  } catch (const veltor::Error&) {
    return QJsonValue::Null;
  }
}

QJsonObject GroundResults(const veltor::GroundResult& r) {
  return {{QStringLiteral("B_prime"), Number(r.bPrime)},
          {QStringLiteral("dt"), Number(r.dt)},
          {QStringLiteral("U_ground"), Number(r.uGround)},
          {QStringLiteral("psi_ge"), Number(r.psiGe)},
          {QStringLiteral("U_bf"), Number(r.ubf)},
          {QStringLiteral("U_bw"), Number(r.ubw)},
          {QStringLiteral("U_construction"), Number(r.uConstruction)},
          {QStringLiteral("U_compared"), Number(r.uCompared)}};
}

}  // namespace

QJsonObject ComputeResults(BatchCase& c, const veltor::ReferenceTables& tables, QStringList& notices) {
  veltor::PartitionSummary summary;
  veltor::CalculatePartition(c.layers, summary, c.conditions, tables,
                             [&](const QString& notice) { notices << notice; });
  double sdTotal = 0;
  QJsonArray layers;
  for (int i = 0; i < c.layers.size(); ++i) {
    const veltor::LayerRecord& layer = c.layers.at(i);
    const std::optional<double> sd = veltor::EquivalentAirThickness(layer);
    if (sd) sdTotal += *sd;
    layers.append(QJsonObject{
        {QStringLiteral("name"), layer.nameText()},
        {QStringLiteral("d"), layer.thickness},
        {QStringLiteral("lambda"), layer.isAirLayer() ? QJsonValue(QJsonValue::Null)
                                                      : Number(veltor::EffectiveLambda(layer, c.conditions))},
        {QStringLiteral("R"), layer.resistance},
        {QStringLiteral("sd"), Number(sd)},
        {QStringLiteral("theta_in"), layer.innerTemperature},
        {QStringLiteral("theta_out"), layer.outerTemperature}});
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
  QJsonObject out{{QStringLiteral("R"), summary.totalResistance},
                  {QStringLiteral("U"), summary.u},
                  {QStringLiteral("dU_g"), summary.transmittance.deltaAirGaps},
                  {QStringLiteral("dU_f"), summary.transmittance.deltaFasteners},
                  {QStringLiteral("dU_r"), summary.transmittance.deltaInvertedRoof},
                  {QStringLiteral("Uc"), summary.transmittance.uc},
                  {QStringLiteral("Umax"), umax},
                  {QStringLiteral("meets"), umax == 0 ? QJsonValue(QJsonValue::Null)
                                                      : QJsonValue(!veltor::ExceedsUmax(compared, umax))},
                  {QStringLiteral("thickness"), summary.totalThickness},
                  {QStringLiteral("sd_total"), sdTotal},
                  {QStringLiteral("zero_point"), Number(summary.zeroPointDepth)},
                  {QStringLiteral("surface_condensation"),
                   veltor::SurfaceCondensation(c.layers, c.conditions, tables.saturation)},
                  {QStringLiteral("layers"), layers}};
  out.insert(QStringLiteral("dynamic"), DynamicResults(c, tables));
  const veltor::TransmittanceResult& t = summary.transmittance;
  bool bridged = false;
  for (int i = 0; i < c.layers.size(); ++i) bridged = bridged || c.layers.at(i).bridge.present();
  if (bridged) {
    out.insert(QStringLiteral("R_upper"), t.upperResistance);
    out.insert(QStringLiteral("R_lower"), t.lowerResistance);
    out.insert(QStringLiteral("relative_error"), t.relativeError);
  }
  QJsonArray warnings;
  if (t.limitRatioExceeded) warnings.append(veltor::kLimitRatioWarning);
  if (t.metalBridgesInsulation) warnings.append(veltor::kMetalBridgeWarning);
  if (!warnings.isEmpty()) out.insert(QStringLiteral("warnings"), warnings);
  if (!c.description[0].isEmpty()) out.insert(QStringLiteral("name"), c.description[0]);
  if (ground) out.insert(QStringLiteral("ground"), GroundResults(*ground));
  // Outdoor air is not what lies under a floor on the ground.
  if (c.moisture && !ground)
    out.insert(QStringLiteral("moisture"),
               MoistureResults(veltor::AssessMoisture(c.layers, *c.moisture, tables.air)));
  return out;
}

}  // namespace batch
