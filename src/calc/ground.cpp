// The ground formulas (list in ground.h). Each kind checks only the inputs it
// reads, so a figure left over from another kind never stops a calculation.
#include "calc/ground.h"

#include <cmath>
#include <numbers>

#include "calc/conditions.h"
#include "calc/errors.h"
#include "calc/layer.h"
#include "calc/transmittance.h"

namespace veltor {

namespace {

constexpr double kPi = std::numbers::pi;

[[noreturn]] void refuse(const QString& what) {
  throw DataError(what);
}

void requirePositive(double v, const QString& what) {
  if (!(v > 0) || !std::isfinite(v)) refuse(QStringLiteral("%1: wartość musi być większa od zera").arg(what));
}

void requireNotNegative(double v, const QString& what) {
  if (!(v >= 0) || !std::isfinite(v)) refuse(QStringLiteral("%1: wartość nie może być ujemna").arg(what));
}

// The slab's formula for an equivalent thickness d (dt, or dt + z/2 of a basement floor).
double SlabU(double lambda, double b, double d, bool& thick) {
  thick = !(d < b);
  if (!thick) return 2 * lambda / (kPi * b + d) * std::log(kPi * b / d + 1);
  return lambda / (0.457 * b + d);
}

double EdgePsi(const EdgeInsulation& e, double lambda, double dt) {
  const double extra = (e.thickness / e.lambda - e.thickness / lambda) * lambda;  // d' = R'·λ
  const double reach = e.kind == EdgeKind::Vertical ? 2 * e.size : e.size;
  return -lambda / kPi * (std::log(reach / dt + 1) - std::log(reach / (dt + extra) + 1));
}

void checkEdge(const EdgeInsulation& e) {
  if (e.kind == EdgeKind::None) return;
  requirePositive(e.size, e.kind == EdgeKind::Vertical ? QStringLiteral("Głębokość izolacji krawędziowej D")
                                                       : QStringLiteral("Szerokość izolacji krawędziowej D"));
  requirePositive(e.thickness, QStringLiteral("Grubość izolacji krawędziowej"));
  requirePositive(e.lambda, QStringLiteral("Wartość λ izolacji krawędziowej"));
}

struct Basement {
  double dt, dw, ubf, ubw;
  bool thick;
};

// Ubf and Ubw of a basement whose floor has resistance `rf` and walls `rw`.
Basement BasementParts(const GroundSettings& s, double lambda, double b, double rf) {
  requirePositive(s.depth, QStringLiteral("Głębokość piwnicy z"));
  requireNotNegative(s.wallResistance, QStringLiteral("Opór ściany piwnicy Rw"));
  Basement out{};
  out.dt = s.wallThickness + lambda * (kGroundRsiDown + rf + kGroundRse);
  out.ubf = SlabU(lambda, b, out.dt + 0.5 * s.depth, out.thick);
  out.dw = lambda * (kGroundRsiWall + s.wallResistance + kGroundRse);
  const double d = out.dw < out.dt ? out.dw : out.dt;
  const double z = s.depth;
  out.ubw = 2 * lambda / (kPi * z) * (1 + 0.5 * d / (d + z)) * std::log(z / out.dw + 1);
  return out;
}

bool finiteNotNegative(double v) {
  return std::isfinite(v) && v >= 0;
}

}  // namespace

double GroundLambda(const GroundSettings& s) {
  const int soil = static_cast<int>(s.soil);
  if (soil >= 0 && soil < 3) return kSoilLambda[soil];
  return s.soilLambda;
}

bool ValidGroundSettings(const GroundSettings& s) {
  const auto known = [](auto kind, int count) {
    const int v = static_cast<int>(kind);
    return v >= 0 && v < count;
  };
  if (!known(s.kind, kGroundKindCount) || !known(s.soil, kSoilKindCount) ||
      !known(s.edge.kind, kEdgeKindCount) || !known(s.shielding, kWindShieldingCount) || !known(s.compare, 2))
    return false;
  for (double v : {s.area, s.perimeter, s.wallThickness, s.soilLambda, s.edge.size, s.edge.thickness,
                   s.edge.lambda, s.depth, s.height, s.openings, s.windSpeed, s.crawlWallU, s.airChanges,
                   s.volume, s.wallAboveU, s.wallResistance, s.basementFloorResistance})
    if (!finiteNotNegative(v)) return false;
  return true;
}

GroundResult ComputeGround(const GroundSettings& s, double rf) {
  GroundResult r;
  if (!s.onGround()) return r;
  const double lambda = GroundLambda(s);
  requirePositive(lambda, QStringLiteral("Wartość λ gruntu"));
  requirePositive(s.area, QStringLiteral("Powierzchnia podłogi A"));
  requirePositive(s.perimeter, QStringLiteral("Obwód eksponowany P"));
  requireNotNegative(s.wallThickness, QStringLiteral("Grubość ściany w"));
  if (!std::isfinite(rf) || rf < 0) throw DivisionByZero();
  r.lambda = lambda;
  r.floorResistance = rf;
  const double b = s.area / (0.5 * s.perimeter);
  r.bPrime = b;
  const double ufOverSpace = 1 / (kGroundRsiDown + rf + kGroundRsiDown);
  r.uConstruction = 1 / (kGroundRsiDown + rf);

  switch (s.kind) {
    case GroundKind::Slab: {
      checkEdge(s.edge);
      r.dt = s.wallThickness + lambda * (kGroundRsiDown + rf + kGroundRse);
      r.u0 = SlabU(lambda, b, r.dt, r.thickFloor);
      r.psiGe = s.edge.kind == EdgeKind::None ? 0.0 : EdgePsi(s.edge, lambda, r.dt);
      r.uGround = r.u0 + 2 * r.psiGe / b;
      break;
    }
    case GroundKind::Suspended: {
      requireNotNegative(s.height, QStringLiteral("Wysokość podłogi nad terenem h"));
      requireNotNegative(s.openings, QStringLiteral("Powierzchnia otworów wentylacyjnych ε"));
      requireNotNegative(s.windSpeed, QStringLiteral("Prędkość wiatru v"));
      requireNotNegative(s.crawlWallU, QStringLiteral("Wartość U ścian przestrzeni podpodłogowej"));
      r.dt = s.wallThickness + lambda * (kGroundRsiDown + kGroundRse);  // dg: bare ground below
      r.ug = 2 * lambda / (kPi * b + r.dt) * std::log(kPi * b / r.dt + 1);
      const double fw = kWindShieldingFactor[static_cast<int>(s.shielding)];
      r.ux = 2 * s.height * s.crawlWallU / b + kVentilationFactor * s.openings * s.windSpeed * fw / b;
      r.uf = ufOverSpace;
      r.uGround = 1 / (1 / r.uf + 1 / (r.ug + r.ux));
      r.uConstruction = r.uf;
      break;
    }
    case GroundKind::HeatedBasement: {
      const Basement parts = BasementParts(s, lambda, b, rf);
      r.dt = parts.dt;
      r.dw = parts.dw;
      r.ubf = parts.ubf;
      r.ubw = parts.ubw;
      r.thickFloor = parts.thick;
      const double wallArea = s.depth * s.perimeter;
      r.uGround = (s.area * r.ubf + wallArea * r.ubw) / (s.area + wallArea);
      break;
    }
    case GroundKind::UnheatedBasement: {
      requireNotNegative(s.basementFloorResistance, QStringLiteral("Opór podłogi piwnicy"));
      requireNotNegative(s.height, QStringLiteral("Wysokość ścian piwnicy nad terenem h"));
      requireNotNegative(s.wallAboveU, QStringLiteral("Wartość U ścian piwnicy nad terenem"));
      requireNotNegative(s.airChanges, QStringLiteral("Krotność wymiany powietrza n"));
      requireNotNegative(s.volume, QStringLiteral("Kubatura piwnicy V"));
      const Basement parts = BasementParts(s, lambda, b, s.basementFloorResistance);
      r.dt = parts.dt;
      r.dw = parts.dw;
      r.ubf = parts.ubf;
      r.ubw = parts.ubw;
      r.thickFloor = parts.thick;
      r.uf = ufOverSpace;
      const double below = s.area * r.ubf + s.depth * s.perimeter * r.ubw +
                           s.height * s.perimeter * s.wallAboveU + kAirHeatCapacity * s.airChanges * s.volume;
      r.uGround = 1 / (1 / r.uf + s.area / below);
      r.uConstruction = r.uf;
      break;
    }
    case GroundKind::None:
      break;
  }
  r.uCompared = s.compare == ComparedU::Ground ? r.uGround : r.uConstruction;
  return r;
}

namespace {

double LayersResistance(const LayerTable& table, const DesignConditions& conditions, const AirLayerTable& air,
                        int direction, double rsi) {
  LayerTable copy = table.copy();
  DesignConditions c = conditions;
  c.direction = direction;
  c.rsi = rsi;
  c.rse = 0;
  c.outerSide = {};
  c.corrections = {};
  return ComputeTransmittance(copy, c, air).totalResistance - rsi;
}

}  // namespace

double FloorResistance(const LayerTable& table, const DesignConditions& conditions,
                       const AirLayerTable& air) {
  return LayersResistance(table, conditions, air, 2, kGroundRsiDown);
}

double WallResistance(const LayerTable& table, const DesignConditions& conditions, const AirLayerTable& air) {
  return LayersResistance(table, conditions, air, 1, kGroundRsiWall);
}

GroundResult EvaluateGround(const LayerTable& table, const DesignConditions& conditions,
                            const AirLayerTable& air, const GroundSettings& settings) {
  if (!settings.onGround()) return {};
  return ComputeGround(settings, FloorResistance(table, conditions, air));
}

PartitionKind PartitionKindOfGround(GroundKind kind) {
  switch (kind) {
    case GroundKind::Slab:
    case GroundKind::HeatedBasement:
      return PartitionKind::GroundFloor;
    case GroundKind::Suspended:
    case GroundKind::UnheatedBasement:
      return PartitionKind::CeilingUnheated;
    case GroundKind::None:
      break;
  }
  return PartitionKind::Unspecified;
}

QString GroundKindName(GroundKind kind) {
  switch (kind) {
    case GroundKind::Slab:
      return QStringLiteral("Podłoga na gruncie");
    case GroundKind::Suspended:
      return QStringLiteral("Podłoga podniesiona nad przestrzenią podpodłogową");
    case GroundKind::HeatedBasement:
      return QStringLiteral("Piwnica ogrzewana (podłoga i ściany)");
    case GroundKind::UnheatedBasement:
      return QStringLiteral("Strop nad piwnicą nieogrzewaną");
    case GroundKind::None:
      break;
  }
  return QStringLiteral("Przegroda w powietrzu");
}

}  // namespace veltor

namespace veltor {

namespace {

// Polish decimal comma whatever the locale: these lines go into documents.
QString Fixed(double v, int decimals) {
  QString text = QString::number(v, 'f', decimals);
  if (text.startsWith(QLatin1Char('-')) && text.count(QLatin1Char('0')) + 2 == text.size()) text.remove(0, 1);
  return text.replace(QLatin1Char('.'), QLatin1Char(',')).replace(QLatin1Char('-'), QChar(0x2212));
}

const QString kU = QStringLiteral(" W/(m²·K)");

QString ULine(const QString& formula, double u) {
  return QStringLiteral("%1 = %2%3").arg(formula, Fixed(u, 3), kU);
}

const QString kSlabThin = QStringLiteral("2λ/(π·B' + %1)·ln(π·B'/%1 + 1)");
const QString kSlabThick = QStringLiteral("λ/(0,457·B' + %1)");

}  // namespace

QStringList GroundReportLines(const GroundSettings& s, const GroundResult& r) {
  QStringList lines;
  if (!s.onGround()) return lines;
  const bool basement = s.kind == GroundKind::HeatedBasement || s.kind == GroundKind::UnheatedBasement;
  lines << QStringLiteral("Rodzaj przegrody: %1 (PN-EN ISO 13370:2017, stan ustalony)")
               .arg(GroundKindName(s.kind));
  QString geometry = QStringLiteral("Geometria: A = %1 m², P = %2 m, w = %3 m")
                         .arg(Fixed(s.area, 2), Fixed(s.perimeter, 2), Fixed(s.wallThickness, 2));
  if (basement) geometry += QStringLiteral(", z = %1 m").arg(Fixed(s.depth, 2));
  if (s.kind == GroundKind::Suspended || s.kind == GroundKind::UnheatedBasement)
    geometry += QStringLiteral(", h = %1 m").arg(Fixed(s.height, 2));
  lines << geometry;
  static const QString soils[] = {QStringLiteral("glina lub pył"), QStringLiteral("piasek lub żwir"),
                                  QStringLiteral("skała jednorodna"), QStringLiteral("wpisana wartość")};
  lines << QStringLiteral("Grunt: %1, λ = %2 W/(m·K)")
               .arg(soils[static_cast<int>(s.soil)], Fixed(GroundLambda(s), 2));
  if (s.kind == GroundKind::Slab) {
    if (s.edge.kind == EdgeKind::None)
      lines << QStringLiteral("Izolacja krawędziowa: brak");
    else
      lines << QStringLiteral("Izolacja krawędziowa %1: D = %2 m, dn = %3 m, λn = %4 W/(m·K)")
                   .arg(s.edge.kind == EdgeKind::Horizontal ? QStringLiteral("pozioma")
                                                            : QStringLiteral("pionowa"),
                        Fixed(s.edge.size, 2), Fixed(s.edge.thickness, 3), Fixed(s.edge.lambda, 3));
  }
  if (s.kind == GroundKind::Suspended) {
    static const QString shields[] = {QStringLiteral("osłonięty"), QStringLiteral("średnio"),
                                      QStringLiteral("odsłonięty")};
    const int shield = static_cast<int>(s.shielding);
    lines << QStringLiteral(
                 "Przestrzeń podpodłogowa: ε = %1 m²/m, v = %2 m/s, osłonięcie od wiatru: %3 (fw = %4), "
                 "Uw = %5%6")
                 .arg(Fixed(s.openings, 4), Fixed(s.windSpeed, 1), shields[shield],
                      Fixed(kWindShieldingFactor[shield], 2), Fixed(s.crawlWallU, 2), kU);
  }
  if (s.kind == GroundKind::UnheatedBasement)
    lines << QStringLiteral(
                 "Piwnica: n = %1 1/h, V = %2 m³, Uw nad terenem = %3%4, opór podłogi piwnicy = %5 m²·K/W")
                 .arg(Fixed(s.airChanges, 2), Fixed(s.volume, 1), Fixed(s.wallAboveU, 2), kU,
                      Fixed(s.basementFloorResistance, 2));
  if (basement) lines << QStringLiteral("Opór ścian piwnicy Rw = %1 m²·K/W").arg(Fixed(s.wallResistance, 2));
  if (s.kind != GroundKind::UnheatedBasement)
    lines << QStringLiteral("Opór podłogi Rf = %1 m²·K/W").arg(Fixed(r.floorResistance, 3));
  else
    lines << QStringLiteral("Opór stropu Rf = %1 m²·K/W").arg(Fixed(r.floorResistance, 3));
  lines << QStringLiteral("Wymiar charakterystyczny B' = A/(0,5·P) = %1 m").arg(Fixed(r.bPrime, 2));
  switch (s.kind) {
    case GroundKind::Slab:
      lines << QStringLiteral("Grubość równoważna dt = w + λ·(Rsi + Rf + Rse) = %1 m").arg(Fixed(r.dt, 3));
      lines << ULine(
          QStringLiteral("U0 = ") + (r.thickFloor ? kSlabThick : kSlabThin).arg(QStringLiteral("dt")), r.u0);
      if (s.edge.kind != EdgeKind::None) {
        const QString reach = s.edge.kind == EdgeKind::Vertical ? QStringLiteral("2D") : QStringLiteral("D");
        lines << QStringLiteral("Ψge = −λ/π·[ln(%1/dt + 1) − ln(%1/(dt + d') + 1)] = %2 W/(m·K)")
                     .arg(reach, Fixed(r.psiGe, 3));
        lines << ULine(QStringLiteral("U' = U0 + 2·Ψge/B'"), r.uGround);
      }
      break;
    case GroundKind::Suspended:
      lines << QStringLiteral("Grubość równoważna dg = w + λ·(Rsi + Rse) = %1 m").arg(Fixed(r.dt, 3));
      lines << ULine(QStringLiteral("Ug = ") + kSlabThin.arg(QStringLiteral("dg")), r.ug);
      lines << ULine(QStringLiteral("Ux = 2·h·Uw/B' + 1450·ε·v·fw/B'"), r.ux);
      lines << ULine(QStringLiteral("Uf = 1/(Rsi + Rf + Rsi)"), r.uf);
      lines << ULine(QStringLiteral("U = 1/(1/Uf + 1/(Ug + Ux))"), r.uGround);
      break;
    case GroundKind::HeatedBasement:
    case GroundKind::UnheatedBasement: {
      lines << QStringLiteral(
                   "Grubość równoważna dt = w + λ·(Rsi + Rf + Rse) = %1 m, dw = λ·(Rsi + Rw + Rse) = %2 m")
                   .arg(Fixed(r.dt, 3), Fixed(r.dw, 3));
      lines << ULine(QStringLiteral("Ubf = ") +
                         (r.thickFloor ? kSlabThick : kSlabThin).arg(QStringLiteral("dt + 0,5·z")),
                     r.ubf);
      const QString d = r.dw < r.dt ? QStringLiteral("dw") : QStringLiteral("dt");
      lines << ULine(QStringLiteral("Ubw = 2λ/(π·z)·(1 + 0,5·%1/(%1 + z))·ln(z/dw + 1)").arg(d), r.ubw);
      if (s.kind == GroundKind::HeatedBasement) {
        lines << ULine(QStringLiteral("U' = (A·Ubf + z·P·Ubw)/(A + z·P)"), r.uGround);
      } else {
        lines << ULine(QStringLiteral("Uf = 1/(Rsi + Rf + Rsi)"), r.uf);
        lines << ULine(QStringLiteral("U = 1/(1/Uf + A/(A·Ubf + z·P·Ubw + h·P·Uw + 0,33·n·V))"), r.uGround);
      }
      break;
    }
    case GroundKind::None:
      break;
  }
  const bool overSpace = s.kind == GroundKind::Suspended || s.kind == GroundKind::UnheatedBasement;
  lines << ULine(overSpace ? QStringLiteral("U konstrukcji (PN-EN ISO 6946, Rsi = Rse = 0,17)")
                           : QStringLiteral("U konstrukcji (PN-EN ISO 6946, Rsi = 0,17, Rse = 0)"),
                 r.uConstruction);
  lines << ULine(s.compare == ComparedU::Ground
                     ? QStringLiteral("Z Umax porównano U z gruntem (PN-EN ISO 13370)")
                     : QStringLiteral("Z Umax porównano U konstrukcji (PN-EN ISO 6946)"),
                 r.uCompared);
  return lines;
}

}  // namespace veltor
