// Partitions on the ground: a floor on the ground (slab), a suspended floor over
// a crawl space, a heated basement and the ceiling over an unheated basement,
// by EN ISO 13370:2017 (steady state; the formulas used here are those of the
// 2007 edition, which the 2017 edition keeps). The layer table is the floor
// (for an unheated basement, its ceiling); the settings hold the geometry, the
// ground and what lies around the floor. EvaluateGround takes the table's own
// resistance for a heat flow downwards and hands back every U, so a window, the
// report and batch mode read one result.
//
//   λ     ground: clay or silt 1.5, sand or gravel 2.0, homogeneous rock 3.5, or typed
//   B'    = A / (0.5·P)
//   dt    = w + λ·(Rsi + Rf + Rse),  Rsi 0.17 (down), Rse 0.04
//   slab  U0 = 2λ/(π·B' + dt)·ln(π·B'/dt + 1)   for dt < B'
//         U0 = λ/(0.457·B' + dt)                 for dt ≥ B'
//   edge  R' = dn/λn − dn/λ,  d' = R'·λ
//         horizontal Ψge = −λ/π·[ln(D/dt + 1) − ln(D/(dt + d') + 1)]
//         vertical   Ψge = −λ/π·[ln(2D/dt + 1) − ln(2D/(dt + d') + 1)]
//         U = U0 + 2·Ψge/B'
//   suspended  Uf = 1/(Rsi + Rf + Rsi);  dg = w + λ·(Rsi + Rse)
//         Ug = 2λ/(π·B' + dg)·ln(π·B'/dg + 1)
//         Ux = 2·h·Uw/B' + 1450·ε·v·fw/B',  fw 0.02 / 0.05 / 0.10
//         1/U = 1/Uf + 1/(Ug + Ux)
//   heated basement  Ubf as the slab with dt + 0.5·z in place of dt
//         dw = λ·(Rsi,wall + Rw + Rse),  Rsi,wall 0.13
//         Ubw = 2λ/(π·z)·(1 + 0.5·d/(d + z))·ln(z/dw + 1),  d = dt, or dw when dw < dt
//         U' = (A·Ubf + z·P·Ubw)/(A + z·P)
//   unheated basement  Uf = 1/(Rsi + Rf + Rsi) of the ceiling
//         1/U = 1/Uf + A/(A·Ubf + z·P·Ubw + h·P·Uw + 0.33·n·V)
//   construction  U = 1/(Rsi + Rf + Rse) by EN ISO 6946: Rse 0 on the ground,
//         Rsi again over a crawl space or an unheated basement (= Uf).
#pragma once

#include <QString>
#include <QStringList>
#include <cmath>
#include <cstdint>

#include "calc/partitionkind.h"

namespace veltor {

class LayerTable;
struct DesignConditions;
struct AirLayerTable;

enum class GroundKind : std::int32_t {
  None = 0,              // a partition in air, as before
  Slab = 1,              // "Podłoga na gruncie"
  Suspended = 2,         // "Podłoga podniesiona nad przestrzenią podpodłogową"
  HeatedBasement = 3,    // "Piwnica ogrzewana (podłoga i ściany)"
  UnheatedBasement = 4,  // "Strop nad piwnicą nieogrzewaną"
};
inline constexpr int kGroundKindCount = 5;

enum class SoilKind : std::int32_t { Clay = 0, Sand = 1, Rock = 2, Typed = 3 };
inline constexpr int kSoilKindCount = 4;
inline constexpr double kSoilLambda[] = {1.5, 2.0, 3.5};

enum class EdgeKind : std::int32_t { None = 0, Horizontal = 1, Vertical = 2 };
inline constexpr int kEdgeKindCount = 3;

enum class WindShielding : std::int32_t { Sheltered = 0, Average = 1, Exposed = 2 };
inline constexpr int kWindShieldingCount = 3;
inline constexpr double kWindShieldingFactor[] = {0.02, 0.05, 0.10};

enum class ComparedU : std::int32_t { Construction = 0, Ground = 1 };

inline constexpr double kGroundRsiDown = 0.17;  // floor, heat flow downwards
inline constexpr double kGroundRsiWall = 0.13;  // basement wall, horizontal
inline constexpr double kGroundRse = 0.04;      // the ground's own surface in dt, dg, dw
inline constexpr double kVentilationFactor = 1450;
inline constexpr double kAirHeatCapacity = 0.33;  // W·h/(m³·K), of n·V
// EN ISO 13370 leaves v to climatic data; without a local figure the program
// takes a moderate inland mean.
inline constexpr double kDefaultWindSpeed = 4.0;   // m/s at 10 m
inline constexpr double kDefaultAirChanges = 0.3;  // 1/h, an unheated basement

struct EdgeInsulation {
  EdgeKind kind = EdgeKind::None;
  double size = 0;       // D: width (horizontal) or depth (vertical), m
  double thickness = 0;  // dn, m
  double lambda = 0;     // λn, W/(m·K)
  bool operator==(const EdgeInsulation&) const = default;
};

// What the designer enters beyond the layers. Figures a kind does not read are
// kept as typed, so that going back to that kind brings them back.
struct GroundSettings {
  GroundKind kind = GroundKind::None;
  double area = 0;           // A, m²
  double perimeter = 0;      // P, exposed, m
  double wallThickness = 0;  // w, m
  SoilKind soil = SoilKind::Sand;
  double soilLambda = 2.0;               // read only for SoilKind::Typed
  EdgeInsulation edge;                   // slab only
  double depth = 0;                      // z, basements, m
  double height = 0;                     // h: floor (suspended) or basement walls above the ground, m
  double openings = 0;                   // ε, m² per m of perimeter
  double windSpeed = kDefaultWindSpeed;  // v, m/s
  WindShielding shielding = WindShielding::Average;
  double crawlWallU = 0;                   // Uw of the crawl-space walls, W/(m²·K)
  double airChanges = kDefaultAirChanges;  // n, 1/h
  double volume = 0;                       // V, m³
  double wallAboveU = 0;                   // Uw of the unheated basement's walls above the ground
  double wallResistance = 0;               // Rw of the basement walls' layers, m²·K/W
  double basementFloorResistance = 0;      // Rf of an unheated basement's floor, m²·K/W
  ComparedU compare = ComparedU::Construction;

  bool onGround() const { return kind != GroundKind::None; }
  bool isDefault() const { return *this == GroundSettings{}; }
  bool operator==(const GroundSettings&) const = default;
};

// NaN marks a figure the kind has none of.
struct GroundResult {
  double lambda = NAN;           // of the ground
  double floorResistance = NAN;  // Rf of the layers, m²·K/W
  double bPrime = NAN;           // B', m
  double dt = NAN;               // dt (slab, basement floor) or dg (suspended), m
  double dw = NAN;               // basements
  double u0 = NAN;               // slab without its edge insulation
  double psiGe = NAN;            // slab, W/(m·K); 0 without edge insulation
  double ug = NAN, ux = NAN;     // suspended
  double uf = NAN;               // suspended, unheated basement: the floor or ceiling itself
  double ubf = NAN, ubw = NAN;   // basements
  double uGround = NAN;          // U (U' for an edge-insulated slab or a heated basement)
  double uConstruction = NAN;    // EN ISO 6946
  double uCompared = NAN;        // the one held against Umax
  bool thickFloor = false;       // the slab (or basement floor) formula of dt ≥ B'
};

double GroundLambda(const GroundSettings& settings);
// Whether stored settings are ones the program can hold: known kinds and every
// figure finite and not negative (in use or not).
bool ValidGroundSettings(const GroundSettings& settings);

// The formulas above, for a floor (or ceiling) of resistance Rf. Raises
// DataError with a Polish message naming the figure when the kind's inputs
// cannot give a result (area, perimeter or depth not positive, an edge
// insulation without width, thickness or λ, a λ of the ground not positive).
GroundResult ComputeGround(const GroundSettings& settings, double floorResistance);

// R of the layers (EN ISO 6946 with bridges and air layers as the pass counts
// them, no surface resistances), on a copy of the table: a floor for a heat flow
// downwards, a basement wall for a horizontal one.
double FloorResistance(const LayerTable& table, const DesignConditions& conditions, const AirLayerTable& air);
double WallResistance(const LayerTable& table, const DesignConditions& conditions, const AirLayerTable& air);

// Both together; a partition in air gives an empty result.
GroundResult EvaluateGround(const LayerTable& table, const DesignConditions& conditions,
                            const AirLayerTable& air, const GroundSettings& settings);

// The lines the layer window's summary and the designer's report give for a
// partition on the ground: the kind, the geometry, the ground, B', dt and each U
// with its formula's name, then the U held against Umax. Polish decimal commas.
QStringList GroundReportLines(const GroundSettings& settings, const GroundResult& result);

// The building regulation's kind of partition a ground kind is: a floor on the
// ground (slab, heated basement) or a ceiling over an unheated space (a crawl
// space, an unheated basement).
PartitionKind PartitionKindOfGround(GroundKind kind);

// The kind's name as the windows and the report write it.
QString GroundKindName(GroundKind kind);
// What the moisture assessment and the winter charts say of a partition on the ground.
inline const QString kNotForGround = QStringLiteral("nie dotyczy: przegroda na gruncie");

}  // namespace veltor
