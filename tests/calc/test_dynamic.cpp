// The EN ISO 13786 characteristics against an evaluation of the matrices
// written out here independently (complex cosh and sinh of (1+i)ξ, the 2×2
// products spelled element by element, inside to outside as the wave sees
// the wall), against the published admittance of a semi-infinite solid, and
// in the massless limit, where the wall must behave as its steady U.
//
// No public worked example of the standard with its input and figures was
// found; the semi-infinite solid stands in: its admittance is the material's
// effusivity times √ω, leading the temperature by an eighth of the period
// (any heat-conduction textbook: |Y| = √(λρc·2π/T), phase 45°, 3 h in 24 h).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "calc/dynamic.h"
#include "calc/errors.h"
#include "calc/textfile.h"

using namespace veltor;

namespace {

struct LayerData {
  const char* name;
  double thickness, lambda, density, specificHeat;  // m, W/(m K), kg/m³, J/(kg K)
};

LayerTable Wall(std::initializer_list<LayerData> layers) {
  LayerTable table;
  for (const LayerData& d : layers) {
    LayerRecord layer;
    layer.name = ToCp1250(QString::fromUtf8(d.name));
    layer.thickness = d.thickness;
    layer.lambdaMedium = layer.lambdaHumid = d.lambda;
    layer.density = d.density;
    layer.specificHeat = d.specificHeat;
    table.AppendLayer(layer);
  }
  return table;
}

DesignConditions Horizontal() {
  DesignConditions c;
  c.direction = 1;
  c.rsi = 0.13;
  c.rse = 0.04;
  return c;
}

AirLayerTable OneAirRow() {
  AirLayerTable air;
  air.rows[0] = {0.05, 0.16, 0.18, 0.21};
  air.rowCount = 1;
  return air;
}

// Environment to environment, written out without the core's matrix type.
struct Expected {
  Complex a{1}, b{0}, c{0}, d{1};  // rows (a b; c d)
};
Expected Times(const Expected& m, const Expected& n) {
  return {m.a * n.a + m.b * n.c, m.a * n.b + m.b * n.d, m.c * n.a + m.d * n.c, m.c * n.b + m.d * n.d};
}
Expected Evaluate(const LayerTable& table, const DesignConditions& c, const AirLayerTable& air) {
  // Walking inwards-out, each new matrix multiplies on the left.
  Expected z{1, -c.rsi, 0, 1};
  for (int i = 0; i < table.size(); ++i) {
    const LayerRecord& l = table.at(i);
    Expected layer;
    if (l.isAirLayer()) {
      layer = {1, -AirLayerResistance(air, c.direction, l.thickness), 0, 1};
    } else {
      const Complex k = Complex(1, 1) * std::sqrt(std::numbers::pi * l.density * l.specificHeat /
                                                  (l.lambdaMedium * kDayPeriod));
      layer = {std::cosh(k * l.thickness), -std::sinh(k * l.thickness) / (l.lambdaMedium * k),
               -l.lambdaMedium * k * std::sinh(k * l.thickness), std::cosh(k * l.thickness)};
    }
    z = Times(layer, z);
  }
  return Times({1, -c.rse, 0, 1}, z);
}

struct WallCase {
  const char* name;
  LayerTable (*build)();
};

// Board, mineral wool between studs (taken as the wool), OSB: a light timber wall.
LayerTable Timber() {
  return Wall({{"Płyta g-k", 0.0125, 0.25, 900, 1000},
               {"Wełna", 0.15, 0.04, 30, 1030},
               {"OSB", 0.022, 0.13, 650, 1700}});
}
// Render, solid brick, EPS, thin render: a heavy masonry wall.
LayerTable Masonry() {
  return Wall({{"Tynk", 0.015, 0.82, 1800, 1000},
               {"Cegła", 0.38, 0.77, 1800, 1000},
               {"EPS", 0.12, 0.04, 20, 1450},
               {"Tynk cienkowarstwowy", 0.005, 0.7, 1800, 1000}});
}
// Concrete, a ventilated-free air gap, brick: the air layer as a resistance.
LayerTable Cavity() {
  LayerTable table = Wall({{"Beton", 0.2, 1.7, 2300, 1000}});
  LayerRecord air;
  air.name = kAirLayerName;
  air.thickness = 0.05;
  table.AppendLayer(air);
  table.AppendLayer(Wall({{"Cegła", 0.12, 0.77, 1800, 1000}}).at(0));
  return table;
}

class DynamicIndependent : public ::testing::TestWithParam<WallCase> {};

TEST_P(DynamicIndependent, FiguresFollowFromTheWrittenOutProduct) {
  const LayerTable table = GetParam().build();
  const DesignConditions c = Horizontal();
  const DynamicResult r = DynamicCharacteristics(table, c, OneAirRow());
  const Expected z = Evaluate(table, c, OneAirRow());
  const double hoursPerRadian = 24 / (2 * std::numbers::pi);
  const double kJ = kDayPeriod / (2 * std::numbers::pi) / 1000;
  // Relative 1e-9: the two evaluations differ only in rounding.
  const auto near = [](double actual, double expected) {
    EXPECT_NEAR(actual, expected, 1e-9 * std::max(1.0, std::abs(expected)));
  };
  near(r.periodicTransmittance, std::abs(1.0 / z.b));
  const double lag = -hoursPerRadian * std::arg(-1.0 / z.b);
  near(r.delayH, lag < 0 ? lag + 24 : lag);
  near(std::abs(r.y11), std::abs(z.a / z.b));
  near(r.y11ShiftH, hoursPerRadian * std::arg(-z.a / z.b));
  near(std::abs(r.y22), std::abs(z.d / z.b));
  near(r.y22ShiftH, hoursPerRadian * std::arg(-z.d / z.b));
  near(r.kappa1, kJ * std::abs((z.a - 1.0) / z.b));
  near(r.kappa2, kJ * std::abs((z.d - 1.0) / z.b));
  near(r.decrementFactor, r.periodicTransmittance * (1 / r.u));
  // Heat conduction is reciprocal: the matrix's determinant is 1.
  near(std::abs(r.z.z11 * r.z.z22 - r.z.z12 * r.z.z21), 1.0);
}

INSTANTIATE_TEST_SUITE_P(Walls, DynamicIndependent,
                         ::testing::Values(WallCase{"LightTimber", Timber}, WallCase{"HeavyMasonry", Masonry},
                                           WallCase{"WithAirLayer", Cavity}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DynamicPublished, HeavyWallDelaysByHoursMoreThanTimber) {
  const DynamicResult light = DynamicCharacteristics(Timber(), Horizontal(), {});
  const DynamicResult heavy = DynamicCharacteristics(Masonry(), Horizontal(), {});
  EXPECT_GT(heavy.delayH, light.delayH + 5);
  EXPECT_LT(heavy.decrementFactor, light.decrementFactor);
}

// The semi-infinite solid: ten penetration depths of concrete, no surface resistances.
TEST(DynamicPublished, ThickLayerAdmittanceIsTheEffusivityLeadingByThreeHours) {
  const double lambda = 1.7, rho = 2300, c = 1000;
  const double delta = PenetrationDepth(lambda, rho, c);
  const DynamicResult r =
      DynamicCharacteristics(Wall({{"Beton", 10 * delta, lambda, rho, c}}), DesignConditions{}, {});
  const double effusivityTimesRootOmega = std::sqrt(lambda * rho * c * 2 * std::numbers::pi / kDayPeriod);
  EXPECT_NEAR(std::abs(r.y11), effusivityTimesRootOmega, 1e-6 * effusivityTimesRootOmega);
  EXPECT_NEAR(r.y11ShiftH, 3.0, 1e-6);
  EXPECT_NEAR(delta, 0.14257, 1e-5);  // √(1.7 · 86400 / (π · 2300 · 1000)) m
}

struct MasslessCase {
  const char* name;
  double thickness, lambda, density, specificHeat;
};

class DynamicMassless : public ::testing::TestWithParam<MasslessCase> {};

// The mass taken a millionfold smaller: the wave passes whole and at once.
TEST_P(DynamicMassless, TendsToTheSteadyU) {
  const MasslessCase& m = GetParam();
  const DesignConditions c = Horizontal();
  const DynamicResult r = DynamicCharacteristics(
      Wall({{"Warstwa", m.thickness, m.lambda, m.density * 1e-6, m.specificHeat}}), c, {});
  const double u = 1 / (c.rsi + m.thickness / m.lambda + c.rse);
  EXPECT_NEAR(r.u, u, 1e-12);
  EXPECT_NEAR(r.decrementFactor, 1.0, 1e-6);
  EXPECT_NEAR(r.delayH, 0.0, 1e-3);
  EXPECT_NEAR(r.kappa1, 0.0, 1e-3);
  EXPECT_NEAR(r.kappa2, 0.0, 1e-3);
  EXPECT_NEAR(std::abs(r.y11), u, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Layers, DynamicMassless,
                         ::testing::Values(MasslessCase{"Concrete", 0.3, 1.7, 2300, 1000},
                                           MasslessCase{"Wool", 0.2, 0.04, 30, 1030},
                                           MasslessCase{"ThinBoard", 0.01, 0.25, 900, 1000}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
  const char* name;
  double density, specificHeat, lambda;
  const char* expected;
};

class DynamicRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(DynamicRefusal, NamesTheLayer) {
  const RefusalCase& rc = GetParam();
  LayerTable table =
      Wall({{"Tynk", 0.015, 0.82, 1800, 1000}, {"Płyta", 0.05, rc.lambda, rc.density, rc.specificHeat}});
  try {
    DynamicCharacteristics(table, Horizontal(), {});
    FAIL() << "accepted";
  } catch (const Error& e) {
    EXPECT_TRUE(
        e.message().startsWith(QStringLiteral("Warstwa 2 („Płyta”) ") + QString::fromUtf8(rc.expected)))
        << e.message().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layers, DynamicRefusal,
    ::testing::Values(RefusalCase{"NoDensity", 0, 1000, 0.5, "nie ma gęstości"},
                      RefusalCase{"NoSpecificHeat", 600, 0, 0.5, "nie ma ciepła właściwego"},
                      RefusalCase{"NaNDensity", std::nan(""), 1000, 0.5, "nie ma gęstości"},
                      RefusalCase{"NoConductivity", 600, 1000, 0, "nie ma współczynnika przewodzenia"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DynamicRefusal, EmptyAndTooMassiveWalls) {
  EXPECT_THROW(DynamicCharacteristics(LayerTable{}, Horizontal(), {}), Error);
  // 500 m of concrete: cosh of thousands leaves double.
  EXPECT_THROW(DynamicCharacteristics(Wall({{"Beton", 500, 1.7, 2300, 1000}}), Horizontal(), {}), Error);
}

}  // namespace
