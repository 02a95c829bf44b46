// Moisture assessment of a partition by the monthly method of EN ISO 13788:
// the inner-surface temperature factor against mould growth and the monthly
// Glaser calculation of interstitial condensation over a year.
//
// Data flow: a caller (the moisture window, the report) fills a MoistureInput
// from the design conditions and a climate station of Dane/klimat.txt (or
// twelve months typed by the user) and calls AssessMoisture with the layer
// table and the air-layer table. Nothing is written into the layer records and
// no state is kept; the MoistureResult carries everything shown.
//
// Formulas of EN ISO 13788:2012, each checked against public descriptions of the
// standard (its published scope, public technical notes and open implementations
// of the monthly method; the help page Pomoc/kondensacja.htm lists them):
//   psat(θ) = 610.5 · exp(17.269 θ / (237.3 + θ))   θ >= 0 °C   [Pa]
//   psat(θ) = 610.5 · exp(21.875 θ / (265.5 + θ))   θ <  0 °C   (over ice)
//     evaluated as formulas, not read from Dane/para.txt, which rounds to whole Pa
//   fRsi = (θsi − θe) / (θi − θe) = 1 − Rsi / RT,  Rsi = 0.25 m²K/W
//   fRsi,min = (θsi,min − θe) / (θi − θe),  psat(θsi,min) = pi / 0.8
//   pe = φe · psat,water(θe): station humidity is relative to saturation over
//     water, below 0 °C too (meteorological practice);  pi = φi · psat(θi), or by humidity class (annex A):
//   pi = pe + 1.10 · Δp(θe), Δp = n · 270 Pa for class n = 1..5 at θe <= 0 °C,
//     falling linearly to 0 at θe = 20 °C (class 3: Δv 6 g/m³, about 810 Pa);
//     the 270 Pa steps and the factor 1.10 are the annex as we read it: no
//     public copy of the numbers was found, only of the class table's form
//   sd = μ · d,  μ = 720 / δ (δ the layer's vapour coefficient, 10^-6 g/(m h Pa))
//   g = δ0 · Δp / Δsd,  δ0 = 2·10^-10 kg/(m s Pa) (= 720·10^-6 g/(m h Pa))
//   gc = g_in − g_out at each plane where the pressure line meets saturation
//   (tangent construction); a wet plane is held at saturation only until it
//   runs dry, where the month is split and the line drawn again, so the water
//   of every month is what came in from the room less what left outside.
//   The year starts at the onset of condensation after the longest run of
//   months that condense nothing and is run on until it repeats; verdict on
//   that periodic year: no condensation / dries out / accumulates.
//   A vapour coefficient of 0 is a vapour-tight layer (μ = δ0/δ infinite): no
//   vapour crosses it; "max" (an infinity) and air layers carry no resistance.
//   Layers of R > 0.25 m²K/W are split into notional sub-layers (the standard's
//   rule as we read it); surface vapour resistances are neglected.
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "calc/conditions.h"
#include "calc/layer.h"
#include "calc/reftables.h"

namespace veltor {

class TextReader;

inline constexpr int kMonthCount = 12;

// Surface check: Rsi for mould risk whatever the heat-flow direction (heat
// flowing downwards included: the standard gives the one value for opaque
// elements, and it is larger than the design 0.17, so the check stays on the
// safe side), and the highest surface humidity tolerated.
inline constexpr double kMouldRsi = 0.25;
inline constexpr double kMouldSurfaceHumidity = 0.8;
// Simplified requirement for heated residential rooms.
inline constexpr double kSimplifiedFRsiThreshold = 0.72;
// Vapour permeability of still air, kg/(m s Pa); kAirVapourCoefficient in the records' units.
inline constexpr double kVapourPermeabilityOfAir = 2e-10;
// Layers thicker than this in thermal resistance are split into notional
// sub-layers, so that condensation inside a thick layer is found too.
inline constexpr double kMaxSublayerResistance = 0.25;
// Monthly amounts below this (kg/m²) are rounding remainders, not condensation.
inline constexpr double kNegligibleMoisture = 1e-9;
// Internal vapour pressure excess of humidity class 1 below 0 °C; class n has n times it.
inline constexpr double kHumidityClassStep = 270.0;
inline constexpr double kHumidityClassSafetyFactor = 1.10;
inline constexpr int kHumidityClassCount = 5;

// Saturation water-vapour pressure in Pa (over ice below 0 °C) and its inverse.
double SaturationPressureIso(double temperature);
// The same over water at any temperature, as relative humidities of the air are given.
double SaturationPressureOverWater(double temperature);
// Notional sub-layers of a layer of thermal resistance R, none above kMaxSublayerResistance.
inline constexpr int kMaxSublayers = 100;
int SublayerCount(double resistance);
double SaturationTemperatureIso(double pressure);
// Δp of an EN ISO 13788 humidity class (1..5) at a monthly mean te, without the 1.10 factor.
double HumidityClassExcess(int humidityClass, double te);
// "Styczeń" ... "Grudzień"; index 0..11.
QString MonthName(int month);

struct MonthlyClimate {
  std::array<double, kMonthCount> te{};    // °C, January first
  std::array<double, kMonthCount> phiE{};  // % relative humidity
  bool operator==(const MonthlyClimate&) const = default;
};

struct ClimateStation {
  QString name;
  MonthlyClimate climate;
};

inline const QString kClimateFile = QStringLiteral("Dane/klimat.txt");
// Lines "[Station]" followed by twelve lines "te φe"; ';' starts a comment.
// A short or long station, a non-number, a wrong count of numbers or a value out
// of range raises DataError naming the line. A file without stations gives an
// empty list.
std::vector<ClimateStation> ReadClimateFile(TextReader& reader);
std::vector<ClimateStation> LoadClimateFile(const QString& path = kClimateFile);
// The user's stations of the file at `path` after the shipped `stations`. A
// file that does not read raises its error naming the path, with `stations`
// as they were; a user station named as a shipped one is left out (never
// taken for it) and the others come in, then DataError names those left out.
void AppendUserStations(std::vector<ClimateStation>& stations, const QString& path);
// The same limits the reader applies, for twelve months typed by the user.
void ValidateClimate(const MonthlyClimate& climate);
// The station as the climate file holds it: "[name]", the ';' comment `note`
// (its source), twelve lines "te φe" with a point; Windows-1250, CR LF.
QByteArray ClimateStationText(const ClimateStation& station, const QString& note);
// Adds `station` at the end of the climate file at `path`, creating the file and
// its folder when missing and keeping every byte already there. The file is read
// first: one that the reader refuses raises its DataError and stays as it was.
// A name that the file cannot hold (empty, longer than kMaxStationName, with
// "[", "]", ";", a control character or a character outside Windows-1250) or
// that a station of the file already has (letter case aside) raises DataError;
// the months are validated as typed ones; a failed write raises IoError and
// leaves the old file whole.
inline constexpr qsizetype kMaxStationName = 60;
void AppendClimateStation(const QString& path, const ClimateStation& station, const QString& note);
// Why `name` cannot name a station (a Polish sentence), or empty when it can.
QString StationNameProblem(const QString& name);

enum class IndoorHumidity { Fixed, HumidityClass };

struct IndoorConditions {
  double ti = 20;  // °C
  IndoorHumidity mode = IndoorHumidity::Fixed;
  double phiI = 50;       // %, when Fixed
  int humidityClass = 3;  // 1..5, when HumidityClass
};

struct MoistureInput {
  MonthlyClimate climate;
  IndoorConditions indoor;
  bool humid = false;  // conductivities of humid conditions
  int direction = 1;   // heat-flow direction for the air-layer table (0 up, 1 horizontal, 2 down)
  double rsi = 0.13;   // interstitial calculation: the design Rsi of EN ISO 6946
  double rse = 0.04;   // the Rse in force for the outer side
  // Beyond a well-ventilated air layer the layers are disregarded (FirstIgnoredLayer).
  OuterSide outerSide{};
  // ti, φi (fixed), humidity of λ, direction, Rsi, the Rse in force and the
  // outer side from the design conditions.
  static MoistureInput FromDesignConditions(const DesignConditions& conditions,
                                            const MonthlyClimate& climate);
};

// A plane where vapour condenses in some month: a face between two layers
// (innerLayer + 1 == outerLayer) or a point inside one thick layer (both equal).
struct CondensationPlane {
  int innerLayer = 0;
  int outerLayer = 0;
  double depth = 0;                      // m from the inner face
  double sd = 0;                         // m, equivalent air-layer thickness from the inner face
  std::array<double, kMonthCount> gc{};  // kg/m² in the month: + condensed, − evaporated
  std::array<double, kMonthCount> ma{};  // kg/m² accumulated at the month's end
};

struct MonthResult {
  double te = 0;
  double phiE = 0;
  double pe = 0;       // Pa
  double pi = 0;       // Pa
  double thetaSi = 0;  // °C at Rsi 0.25
  double fRsi = 0;
  // Empty when te >= ti (no heat flows out), when the room air is saturated,
  // and when the limit lies at or below te (any surface meets it).
  std::optional<double> fRsiMin;
  double gc = 0;            // kg/m², all planes
  double ma = 0;            // kg/m² at the month's end, all planes
  double vapourIn = 0;      // kg/m² from the room into the partition in the month
  double vapourOut = 0;     // kg/m² from the partition to the outside
  std::vector<int> planes;  // indices into MoistureResult::planes active this month
};

enum class InterstitialVerdict { NoCondensation, DriesOut, Accumulates };

struct MoistureResult {
  std::array<MonthResult, kMonthCount> months;
  double fRsi = 0;
  int decisiveMonth = -1;   // highest fRsi,min; -1 when no month has one
  int saturatedMonth = -1;  // first month with saturated room air, which fails the surface
  double fRsiMinDecisive = 0;
  bool meetsCriticalFactor = true;       // fRsi >= fRsi,min of the decisive month
  bool meetsSimplifiedThreshold = true;  // fRsi >= 0.72
  double totalSd = 0;                    // m; infinite with a vapour-tight layer
  InterstitialVerdict verdict = InterstitialVerdict::NoCondensation;
  int startMonth = -1;  // first month of the year shown, -1 with no condensation
  std::vector<CondensationPlane> planes;
  double maxMa = 0;  // kg/m², all planes together
  int maxMaMonth = -1;
};

// Raises Error with a Polish message for a layer of zero (or negative)
// thickness, an ordinary layer without conductivity, a negative vapour
// coefficient, a partition without any vapour resistance, climate or indoor
// values out of range, and a vapour-open layer that ties a condensing plane
// straight to the indoor or outdoor air. An empty table raises it as well.
MoistureResult AssessMoisture(const LayerTable& table, const MoistureInput& input, const AirLayerTable& air);

}  // namespace veltor
