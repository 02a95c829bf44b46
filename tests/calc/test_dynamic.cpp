// The EN ISO 13786 characteristics against the matrices written out here
// independently (complex cosh, sinh of (1+i)ξ, 2×2 products element by
// element), the massless limit (the steady U), and, as no public worked
// example of the standard was found, the semi-infinite solid of any
// heat-conduction textbook: |Y| = √(λρc·2π/T), leading by 45°, 3 h in 24 h.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "calc/dynamic.h"
#include "calc/errors.h"
#include "dynamic_walls.h"

using namespace veltor;
using dynamic_walls::Wall;

namespace {

// Heat flowing horizontally: Rsi 0.13, Rse 0.04; one row of air-layer resistances.
const DesignConditions kHorizontal{0.13, 0.04, 0, 1};
const AirLayerTable kAir{{{{0.05, 0.16, 0.18, 0.21}}}, 1};

// Environment to environment, rows (a b; c d), without the core's matrix type.
struct Expected {
  Complex a{1}, b{0}, c{0}, d{1};
};
Expected Times(const Expected& m, const Expected& n) {
  return {m.a * n.a + m.b * n.c, m.a * n.b + m.b * n.d, m.c * n.a + m.d * n.c, m.c * n.b + m.d * n.d};
}
Expected Evaluate(const LayerTable& table, const DesignConditions& c, const AirLayerTable& air) {
  Expected z{1, -c.rsi, 0, 1};  // walking outwards, each matrix multiplies on the left
  for (int i = 0; i < table.size(); ++i) {
    const LayerRecord& l = table.at(i);
    const Complex k = Complex(1, 1) * std::sqrt(std::numbers::pi * l.density * l.specificHeat /
                                                (l.lambdaMedium * kDayPeriod));
    const Complex ch = std::cosh(k * l.thickness), sh = std::sinh(k * l.thickness);
    z = Times(l.isAirLayer() ? Expected{1, -AirLayerResistance(air, c.direction, l.thickness), 0, 1}
                             : Expected{ch, -sh / (l.lambdaMedium * k), -l.lambdaMedium * k * sh, ch},
              z);
  }
  return Times({1, -c.rse, 0, 1}, z);
}

// Concrete, an unventilated air gap, brick: the air layer as a resistance.
LayerTable Cavity() {
  LayerTable table = Wall({{"Beton", 0.2, 1.7, 2300, 1000}, {kAirLayerName, 0.05, 0, 0, 0}});
  table.AppendLayer(Wall({{"Cegła", 0.12, 0.77, 1800, 1000}}).at(0));
  return table;
}

struct WallCase {
  const char* name;
  LayerTable (*build)();
};
class DynamicIndependent : public ::testing::TestWithParam<WallCase> {};

TEST_P(DynamicIndependent, FiguresFollowFromTheWrittenOutProduct) {
  const LayerTable table = GetParam().build();
  const DynamicResult r = DynamicCharacteristics(table, kHorizontal, kAir);
  const Expected z = Evaluate(table, kHorizontal, kAir);
  const double hours = 24 / (2 * std::numbers::pi), kJ = kDayPeriod / (2 * std::numbers::pi) / 1000;
  // Relative 1e-9: the two evaluations differ only in rounding.
  const auto near = [](double actual, double expected) {
    EXPECT_NEAR(actual, expected, 1e-9 * std::max(1.0, std::abs(expected)));
  };
  const double lag = -hours * std::arg(-1.0 / z.b);
  near(r.periodicTransmittance, std::abs(1.0 / z.b));
  near(r.delayH, lag < 0 ? lag + 24 : lag);
  near(std::abs(r.y11), std::abs(z.a / z.b));
  near(r.y11ShiftH, hours * std::arg(-z.a / z.b));
  near(std::abs(r.y22), std::abs(z.d / z.b));
  near(r.y22ShiftH, hours * std::arg(-z.d / z.b));
  near(r.kappa1, kJ * std::abs((z.a - 1.0) / z.b));
  near(r.kappa2, kJ * std::abs((z.d - 1.0) / z.b));
  near(r.decrementFactor, r.periodicTransmittance / r.u);
  near(std::abs(r.z.z11 * r.z.z22 - r.z.z12 * r.z.z21), 1.0);  // reciprocity: det Z = 1
}

INSTANTIATE_TEST_SUITE_P(Walls, DynamicIndependent,
                         ::testing::Values(WallCase{"LightTimber", dynamic_walls::Timber},
                                           WallCase{"HeavyMasonry", dynamic_walls::Masonry},
                                           WallCase{"WithAirLayer", Cavity}),
                         [](const auto& info) { return std::string(info.param.name); });

// Ten penetration depths of concrete without surface resistances: a semi-infinite solid.
TEST(DynamicPublished, ThickLayerAdmittanceIsTheEffusivityLeadingByThreeHours) {
  const double lambda = 1.7, rho = 2300, c = 1000, delta = PenetrationDepth(lambda, rho, c);
  EXPECT_NEAR(delta, 0.14257, 1e-5);  // √(1.7 · 86400 / (π · 2300 · 1000)) m
  const DynamicResult r = DynamicCharacteristics(Wall({{"Beton", 10 * delta, lambda, rho, c}}), {}, {});
  const double expected = std::sqrt(lambda * rho * c * 2 * std::numbers::pi / kDayPeriod);
  EXPECT_NEAR(std::abs(r.y11), expected, 1e-6 * expected);
  EXPECT_NEAR(r.y11ShiftH, 3.0, 1e-6);
}

struct LayerCase {
  const char* name;
  double thickness, lambda, density, specificHeat;
  const char* refusal;  // the message after "Warstwa 2 („Płyta”) ", or none for the massless limit
};
class DynamicLayer : public ::testing::TestWithParam<LayerCase> {};

// The mass taken a millionfold smaller: the wave passes whole and at once.
TEST_P(DynamicLayer, MasslessTendsToTheSteadyUAndBadDataIsRefusedByName) {
  const LayerCase& m = GetParam();
  const DesignConditions c = kHorizontal;
  if (!m.refusal) {
    const DynamicResult r = DynamicCharacteristics(
        Wall({{"Warstwa", m.thickness, m.lambda, m.density * 1e-6, m.specificHeat}}), c, {});
    const double u = 1 / (c.rsi + m.thickness / m.lambda + c.rse);
    EXPECT_NEAR(r.u, u, 1e-12);
    EXPECT_NEAR(r.decrementFactor, 1.0, 1e-6);
    EXPECT_NEAR(r.delayH, 0.0, 1e-3);
    EXPECT_NEAR(r.kappa1 + r.kappa2, 0.0, 1e-3);
    EXPECT_NEAR(std::abs(r.y11), u, 1e-6);
    return;
  }
  try {
    DynamicCharacteristics(Wall({{"Tynk", 0.015, 0.82, 1800, 1000},
                                 {"Płyta", m.thickness, m.lambda, m.density, m.specificHeat}}),
                           c, {});
    FAIL() << "accepted";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().startsWith(QStringLiteral("Warstwa 2 („Płyta”) ") + QString::fromUtf8(m.refusal)))
        << e.message().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layers, DynamicLayer,
    ::testing::Values(LayerCase{"MasslessConcrete", 0.3, 1.7, 2300, 1000, nullptr},
                      LayerCase{"MasslessWool", 0.2, 0.04, 30, 1030, nullptr},
                      LayerCase{"NoDensity", 0.05, 0.5, 0, 1000, "nie ma gęstości"},
                      LayerCase{"NoSpecificHeat", 0.05, 0.5, 600, 0, "nie ma ciepła właściwego"},
                      LayerCase{"NaNDensity", 0.05, 0.5, std::nan(""), 1000, "nie ma gęstości"},
                      LayerCase{"NoConductivity", 0.05, 0, 600, 1000, "nie ma współczynnika przewodzenia"},
                      LayerCase{"NegativeThickness", -0.05, 0.5, 600, 1000, "ma grubość"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DynamicRefusal, EmptyAndTooMassiveWalls) {
  EXPECT_THROW(DynamicCharacteristics(LayerTable{}, kHorizontal, {}), Error);
  // 500 m of concrete: cosh of thousands leaves double.
  EXPECT_THROW(DynamicCharacteristics(Wall({{"Beton", 500, 1.7, 2300, 1000}}), kHorizontal, {}), Error);
}

}  // namespace
