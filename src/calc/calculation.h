// The calculation pass over a layer table: layer resistances, R and U, diffusion
// resistance, face temperatures, saturation pressures at -5 degC outdoors, the
// 0 degC point and the inner-surface condensation check. No state is kept: the
// results go into the layer records and the summary passed in.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "calc/conditions.h"
#include "calc/layer.h"
#include "calc/reftables.h"

namespace veltor {

// Told to the caller (who shows it) when ti equals te; the pass then goes on.
inline const QString kNoTemperatureDifference =
    QStringLiteral("Nie wybrano temperatury wewnątrz i na zewnątrz budynku");
using NoticeCallback = std::function<void(const QString&)>;

// The outdoor temperature of the saturation profile, whatever te is.
inline constexpr double kSaturationProfileOutdoor = -5.0;
// Surface diffusion resistances added to every partition, m2 h Pa/g.
inline constexpr double kInnerSurfaceDiffusion = 27.0;
inline constexpr double kOuterSurfaceDiffusion = 13.0;

double EffectiveLambda(const LayerRecord& layer, const DesignConditions& conditions);
// Whether U fails the requirement. A thickness just computed for U == Umax can
// give U = 0.30000000000000004 against 0.3; a relative tolerance keeps such a
// wall compliant. Umax 0 is "no requirement".
inline constexpr double kUmaxTolerance = 1e-9;
bool ExceedsUmax(double u, double umax);
double TotalThickness(const LayerTable& table);
// Thickness the layer at `position` (1 = innermost) needs for U == Umax, from the
// resistance fields as they stand. Not clamped: <= 0 means the others suffice;
// a remainder below 1e-9 m (a few 1e-17 m of rounding) comes back as 0.
// Raises DivisionByZero for Umax 0. A conductivity of 0 gives 0 here; the pass
// that must run first has already refused it.
double RequiredThickness(const LayerTable& table, int position, const DesignConditions& conditions);
// Writes every layer's diffusion resistance; the layers from `counted` on
// (none when negative) get 0, being outside the vapour path.
double DiffusionResistanceSum(LayerTable& table, int counted = -1);
// Vapour coefficient of still air in the records' units, 10^-6 g/(m h Pa): μ = this / coefficient.
inline constexpr double kAirVapourCoefficient = 720.0;
// The layer's equivalent air-layer thickness sd = μ·d in m; none for a
// coefficient of 0 or "max", which give no finite μ.
std::optional<double> EquivalentAirThickness(const LayerRecord& layer);
// False (nothing written) when ti == te.
bool ComputeTemperatures(LayerTable& table, const PartitionSummary& summary,
                         const DesignConditions& conditions);
bool ComputeSaturationProfile(LayerTable& table, const PartitionSummary& summary,
                              const DesignConditions& conditions, const SaturationTable& saturation,
                              double outdoorTemperature);
// Empty when the table is empty or the partition has no 0 degC point inside it.
// Only the first `counted` layers are searched (all when negative): layers
// beyond a ventilated air layer lie flat at the outdoor temperature.
std::optional<double> ZeroPointDepth(const LayerTable& table, int counted = -1);
// Partial vapour pressure of air at `temperature` and relative humidity `phi` %.
double PartialPressure(const SaturationTable& saturation, double temperature, int phi);
bool SurfaceCondensation(const LayerTable& table, const DesignConditions& conditions,
                         const SaturationTable& saturation);

// Conditions read from a file that no calculation could serve (a temperature
// outside the saturation table, a humidity outside 0..100 %, Umax outside
// 0..10 W/(m²K), an unknown direction, an outer side or a correction that
// ValidOuterSide / ValidCorrections refuse) raise Error with this.
inline const QString kInvalidStoredConditions =
    QStringLiteral("Plik projektu zawiera niedopuszczalne warunki początkowe");
void CheckStoredConditions(const DesignConditions& conditions, const SaturationTable& saturation);

// The conditions with Rse replaced by the one in force for the outer side
// (RseInForce), for drawings that lay Rsi, the layers' R and Rse end to end;
// outdoor air gives the conditions unchanged.
DesignConditions WithRseInForce(const DesignConditions& conditions);

// The pass. `notice` receives kNoTemperatureDifference when ti == te. The
// resistances, R and U are those of EN ISO 6946 (calc/transmittance.h): the
// bridged layers, the outer side and the corrections of the conditions.
void CalculatePartition(LayerTable& table, PartitionSummary& summary, const DesignConditions& conditions,
                        const ReferenceTables& tables, const NoticeCallback& notice = {});

}  // namespace veltor
