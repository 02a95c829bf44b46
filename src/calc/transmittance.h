// The heat transfer coefficient the building regulation compares with Umax:
// U of a partition with bridged (inhomogeneous) layers, the boundary on its
// outer side, and the corrections ΔU, after EN ISO 6946:2017. The calculation
// pass calls ComputeTransmittance in place of a plain sum of d/λ; with no
// bridge, no correction and outdoor air outside it gives exactly that sum.
//
// Formulas (EN ISO 6946:2017 as its public summaries and national guidance
// describe it: the BSI/ISO abstracts of the 2017 edition, the UK BRE report
// "Examples of U-value calculations using BS EN ISO 6946", the Scottish
// building standards' annex of worked combined-method examples):
//
//  Combined method (bridged layers). A layer j of thickness d_j is crossed by
//  a bridge of conductivity λb over the share f of the area; its main material
//  has λa. With every bridged layer in the bridge or out of it independently,
//  the partition falls into paths m of share f_m = Π f or (1 − f):
//    upper limit   1/R'T = Σ f_m / R_T,m     (R_T,m: Rsi + Σ R of the path + Rse)
//    lower limit   R''T  = Rsi + Σ d_j/λ''_j + Rse,  λ''_j = (1 − f)·λa + f·λb
//    (an air layer's λa is d/R of the air-layer table)
//    RT = (R'T + R''T) / 2,  estimated relative error e = (R'T − R''T) / (2·RT)
//  The standard confines the method to R'T/R''T ≤ 1.5 and excludes insulation
//  bridged by metal; both raise a warning here, and the numbers are still given.
//  Reading where the sources are silent: a bridge of λ ≥ 10 W/(m·K) is metal
//  (no building material that is not a metal comes near it) and a main material
//  of λ ≤ 0.1 W/(m·K) is insulation.
//
//  Layer resistances for temperatures. Each homogeneous layer keeps d/λ; the
//  bridged layers share what RT adds above the lower limit in proportion to
//  their equivalent resistances d/λ'', so that Rsi + Σ R_j + Rse = RT and the
//  face temperatures are those of a plane heat flow through RT.
//
//  Outer side. Outdoor air: Rse of the conditions (0.04). Well-ventilated air
//  layer or façade: the outermost air layer and every layer outside it are
//  disregarded and Rse = Rsi of the heat-flow direction (still air). Unheated
//  space: Rse = Rsi. Slightly ventilated air layer with openings Av (mm² per m
//  of length for vertical layers, per m² of area for horizontal ones):
//    RT = (1500 − Av)/1000 · RT,u + (Av − 500)/1000 · RT,v
//  between the partition with that air layer unventilated (RT,u) and well
//  ventilated (RT,v); Av ≤ 500 is unventilated, Av ≥ 1500 well ventilated.
//
//  Corrections (the standard's annex F):   Uc = U + ΔUg + ΔUf + ΔUr
//    air gaps       ΔUg = ΔU''·(R1/RT,h)²,  ΔU'' = 0 / 0.01 / 0.04 for levels 0 / 1 / 2
//    fasteners      ΔUf = α·λf·Af·nf/d0·(R1/RT,h)²,  α = 0.8, for a recessed
//                   fastener α = 0.8·d1/d0 (d1 = d0 − recess depth);
//                   or from a declared point transmittance: ΔUf = nf·χp
//    inverted roof  ΔUr = p·f·x·(R1/RT,h)²
//  R1 is the thermal resistance d/λ of the layer the correction concerns (the
//  insulation), of its own material even where a bridge crosses it; RT,h the
//  total resistance ignoring thermal bridges (Rsi + Σ d/λ of the main
//  materials + Rse, the counted layers only), not the combined method's RT:
//  both of those are smaller and would give a correction on the unsafe side.
//  Without bridges RT,h = RT. The standard lets a total correction below
//  3 % of U, and fasteners of λ < 1 W/(m·K), go uncounted; the program counts
//  them all, which errs on the safe side.
#pragma once

#include <QString>
#include <cstdint>

namespace veltor {

class LayerTable;
struct LayerRecord;
struct AirLayerTable;
struct DesignConditions;

// A second material crossing a layer over part of its area: studs or rafters
// in wool, mortar joints in masonry. Plain values, stored with the layer.
struct LayerBridge {
  QString material;         // the bridging material's name, for display
  double lambdaMedium = 0;  // W/(m K), medium-humid conditions
  double lambdaHumid = 0;   // W/(m K), humid conditions
  double share = 0;         // fraction of the layer's area, 0..1; 0 = a homogeneous layer
  bool present() const { return share > 0; }
  bool operator==(const LayerBridge&) const = default;
};

// The share of members `width` wide every `spacing` (both in the same unit);
// DataError when the spacing is not above the width or either is not positive.
double BridgeShare(double width, double spacing);

// After the caption of a layer the outer side disregards, in the layer list
// and on the report page alike.
inline const QString kIgnoredLayerMark = QStringLiteral(" (pominięta)");

// How every list, table and report names a layer: its own name, and for a
// bridged layer the bridge and its share, "wełna mineralna + drewno (10 %)".
QString LayerCaption(const QString& name, const LayerBridge& bridge);

// The λ a table of layers shows: for a bridged layer the equivalent
// λ'' = (1 − f)·λa + f·λb of the lower limit, else the material's own λ, both
// for the conditions' humidity class. An air layer has none (NaN).
double EquivalentLambda(const LayerRecord& layer, const DesignConditions& conditions);

enum class OuterSideKind : std::int32_t {
  Outdoor = 0,             // outdoor air
  SlightlyVentilated = 1,  // a slightly ventilated air layer, by its openings
  WellVentilated = 2,      // a well-ventilated air layer or façade
  Unheated = 3,            // an unheated space
};
inline constexpr int kOuterSideKindCount = 4;

struct OuterSide {
  OuterSideKind kind = OuterSideKind::Outdoor;
  double openings = 0;  // Av, mm² per m or per m²; read only for a slightly ventilated layer
  bool operator==(const OuterSide&) const = default;
};

// Which layer (0 = innermost) a correction concerns; kLayerAuto means the
// insulation, taken as the counted layer of the largest resistance.
inline constexpr std::int32_t kLayerAuto = -1;

struct AirGapCorrection {
  std::int32_t level = 0;  // 0, 1 or 2
  std::int32_t layer = kLayerAuto;
  bool operator==(const AirGapCorrection&) const = default;
};

enum class FastenerMethod : std::int32_t {
  None = 0,
  Conductivity = 1,        // α·λf·Af·nf/d0·(R1/RT)²
  PointTransmittance = 2,  // nf·χp
};

struct FastenerCorrection {
  FastenerMethod method = FastenerMethod::None;
  std::int32_t layer = kLayerAuto;
  double perSquareMetre = 0;  // nf, 1/m²
  double lambda = 0;          // λf, W/(m K)
  double area = 0;            // Af, cross-section of one fastener, m²
  double recess = 0;          // m the fastener's head is sunk into the insulation; 0 = through
  double chiP = 0;            // χp, W/K per fastener
  bool operator==(const FastenerCorrection&) const = default;
};

struct InvertedRoofCorrection {
  bool enabled = false;
  std::int32_t layer = kLayerAuto;  // the insulation above the waterproofing
  double precipitation = 0;         // p, mm/day over the heating season
  double drainage = 0;              // f, share of p reaching the membrane
  double factor = 0;                // x, W·day/(m²·K·mm)
  bool operator==(const InvertedRoofCorrection&) const = default;
};

// The project's corrections to U; all off by default, so that Uc = U.
struct UCorrections {
  AirGapCorrection airGaps;
  FastenerCorrection fasteners;
  InvertedRoofCorrection invertedRoof;
  bool any() const {
    return airGaps.level != 0 || fasteners.method != FastenerMethod::None || invertedRoof.enabled;
  }
  bool operator==(const UCorrections&) const = default;
};

// Whether stored values are ones the program can hold: a known kind with
// openings finite and not negative; known levels and methods, layers kLayerAuto
// or not negative, and every figure finite and not negative (in use or not).
bool ValidOuterSide(const OuterSide& side);
bool ValidCorrections(const UCorrections& corrections);

// ΔU'' of the air-gap levels 0, 1 and 2.
inline constexpr double kAirGapDeltaU[] = {0.0, 0.01, 0.04};
// The largest ratio of the limits for which the combined method holds.
inline constexpr double kMaxLimitRatio = 1.5;
inline constexpr double kMetalLambda = 10.0;      // W/(m K): a bridge this conductive is metal
inline constexpr double kInsulationLambda = 0.1;  // W/(m K): a main material this low is insulation
// Each bridged layer doubles the paths of the upper limit.
inline constexpr int kMaxBridgedLayers = 12;

inline const QString kLimitRatioWarning = QStringLiteral(
    "UWAGA! Stosunek górnej i dolnej granicy oporu przekracza 1,5: metoda uproszczona nie ma "
    "zastosowania, potrzebne jest obliczenie numeryczne");
inline const QString kMetalBridgeWarning = QStringLiteral(
    "UWAGA! Izolacja jest przebita metalem: metoda uproszczona nie ma zastosowania, potrzebne jest "
    "obliczenie numeryczne");

// What a correction rested on, so that a document can show the figures: the
// layer it concerned (-1: none, the correction is 0) and its R1.
struct CorrectionBasis {
  std::int32_t layer = -1;
  double r1 = 0;  // m2 K/W
};

struct TransmittanceResult {
  double upperResistance = 0;  // R'T, m2 K/W
  double lowerResistance = 0;  // R''T
  double totalResistance = 0;  // RT
  double relativeError = 0;    // e, a fraction
  double u = 0;                // 1/RT
  double deltaAirGaps = 0;     // W/(m2 K)
  double deltaFasteners = 0;
  double deltaInvertedRoof = 0;
  double deltaU = 0;
  double uc = 0;                        // U + ΔU
  double rse = 0;                       // the outer surface resistance in force
  std::int32_t firstIgnoredLayer = -1;  // layers from here outward are disregarded; -1 none
  CorrectionBasis airGapBasis, fastenerBasis, invertedRoofBasis;
  double correctionRt = 0;  // the RT the ratios R1/RT of the corrections divide by
  bool limitRatioExceeded = false;
  bool metalBridgesInsulation = false;
};

// The outer surface resistance in force: Rse of the conditions for outdoor air,
// Rsi for a well-ventilated layer or an unheated space, and for a slightly
// ventilated layer the interpolation between them by its openings. NaN for
// openings that are not a number (ComputeTransmittance refuses them).
double RseInForce(const DesignConditions& conditions);
// The first layer (0 = innermost) that the heat and vapour paths disregard:
// the outermost air layer when the outer side counts as well ventilated (a
// slightly ventilated one from 1500 mm² of openings); -1 when none is.
int FirstIgnoredLayer(const LayerTable& table, const OuterSide& side);

// Writes every layer's resistance (consistent with RT; 0 for a disregarded
// layer) and returns the partition's figures. Raises DivisionByZero for a
// conductivity of 0, DataError (in Polish) for a bridge or correction that
// cannot be computed.
TransmittanceResult ComputeTransmittance(LayerTable& table, const DesignConditions& conditions,
                                         const AirLayerTable& air);

// The thickness in m the layer at `position` (1 = innermost) needs for
// Uc == Umax, the others unchanged, within 1e-6 m and never above Umax.
// 0 when the other layers alone already reach Umax. Raises DivisionByZero for
// Umax 0 and Error when no thickness reaches Umax (a correction alone above
// it). Every resistance field is left as for the layer's own thickness.
double RequiredThicknessUc(LayerTable& table, int position, const DesignConditions& conditions,
                           const AirLayerTable& air);
inline constexpr double kThicknessTolerance = 1e-6;  // m
// The same over a copy of the table: nothing of `table` changes. What the
// model and the wizard size a layer with.
double RequiredLayerThickness(const LayerTable& table, int position, const DesignConditions& conditions,
                              const AirLayerTable& air);

}  // namespace veltor
