// EN ISO 13370 figures worked out by hand from the formulas (ground.h), each
// row's arithmetic beside it; compared to 1e-9 relative.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/conditions.h"
#include "calc/errors.h"
#include "calc/ground.h"
#include "calc/layer.h"
#include "calc/reftables.h"

using namespace veltor;

namespace {

struct GroundCase {
  const char* name;
  GroundSettings settings;
  double rf;
  // Expected; NaN where the kind has none.
  double bPrime, dt, psi, ubf, ubw, uGround, uConstruction;
  bool thick;
};

GroundSettings Slab(double a, double p, double w, SoilKind soil, EdgeInsulation edge = {}) {
  GroundSettings s;
  s.kind = GroundKind::Slab;
  s.area = a;
  s.perimeter = p;
  s.wallThickness = w;
  s.soil = soil;
  s.edge = edge;
  return s;
}

GroundSettings Suspended() {
  GroundSettings s = Slab(80, 36, 0.3, SoilKind::Clay);
  s.kind = GroundKind::Suspended;
  s.height = 0.5;
  s.openings = 0.003;
  s.crawlWallU = 1.5;  // v left at its default, 4 m/s; shielding average, fw 0.05
  return s;
}

GroundSettings Basement(GroundKind kind, double w, double rw) {
  GroundSettings s = Slab(100, 40, w, SoilKind::Sand);
  s.kind = kind;
  s.depth = kind == GroundKind::HeatedBasement ? 2.5 : 2.0;
  s.wallResistance = rw;
  s.height = 0.5;
  s.wallAboveU = 1.2;
  s.volume = 250;  // n left at 0.3
  return s;
}

const double kNone = NAN;

class GroundFormulas : public testing::TestWithParam<GroundCase> {};

void ExpectFigure(double actual, double expected, const char* what) {
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(actual)) << what;
    return;
  }
  EXPECT_NEAR(actual, expected, std::abs(expected) * 1e-9 + 1e-15) << what;
}

TEST_P(GroundFormulas, MatchHandCalculation) {
  const GroundCase& c = GetParam();
  const GroundResult r = ComputeGround(c.settings, c.rf);
  ExpectFigure(r.bPrime, c.bPrime, "B'");
  ExpectFigure(r.dt, c.dt, "dt");
  ExpectFigure(r.psiGe, c.psi, "psi");
  ExpectFigure(r.ubf, c.ubf, "Ubf");
  ExpectFigure(r.ubw, c.ubw, "Ubw");
  ExpectFigure(r.uGround, c.uGround, "U ground");
  ExpectFigure(r.uConstruction, c.uConstruction, "U construction");
  EXPECT_EQ(r.thickFloor, c.thick);
  EXPECT_EQ(r.uCompared, r.uConstruction);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, GroundFormulas,
    testing::Values(
        // B' = 100/(0.5·40) = 5; dt = 0.3 + 2·(0.17 + 2 + 0.04) = 4.72 < 5:
        // U = 4/(5π + 4.72)·ln(5π/4.72 + 1) = 0.286880467102; U6946 = 1/2.17
        GroundCase{"slab_thin", Slab(100, 40, 0.3, SoilKind::Sand), 2.0, 5, 4.72, 0, kNone, kNone,
                   0.2868804671021306, 1 / 2.17, false},
        // dt = 0.3 + 1.5·(0.17 + 4 + 0.04) = 6.615 ≥ 5: U = 1.5/(0.457·5 + 6.615) = 0.168539325843
        GroundCase{"slab_thick", Slab(100, 40, 0.3, SoilKind::Clay), 4.0, 5, 6.615, 0, kNone, kNone,
                   0.16853932584269665, 1 / 4.17, true},
        // dt = 0.3 + 2·0.71 = 1.72, U0 = 4/(5π + 1.72)·ln(5π/1.72 + 1) = 0.531502545462;
        // d' = (0.05/0.035 − 0.05/2)·2 = 2.807142857143;
        // Ψ = −2/π·[ln(1/1.72 + 1) − ln(1/4.527142857 + 1)] = −0.164711102299;
        // U' = U0 + 2Ψ/5 = 0.465618104542
        GroundCase{"slab_edge_horizontal",
                   Slab(100, 40, 0.3, SoilKind::Sand, {EdgeKind::Horizontal, 1.0, 0.05, 0.035}), 0.5, 5, 1.72,
                   -0.16471110229858268, kNone, kNone, 0.46561810454223024, 1 / 0.67, false},
        // Ψ = −2/π·[ln(2/1.72 + 1) − ln(2/4.527142857 + 1)] = −0.258162747563; U' = 0.428237446436
        GroundCase{"slab_edge_vertical",
                   Slab(100, 40, 0.3, SoilKind::Sand, {EdgeKind::Vertical, 1.0, 0.05, 0.035}), 0.5, 5, 1.72,
                   -0.25816274756306645, kNone, kNone, 0.42823744643643674, 1 / 0.67, false},
        // P → tiny: B' = 100/0.005 = 20000; U = 4/(20000π + 1.72)·ln(20000π/1.72 + 1) = 0.000668809365
        GroundCase{"slab_perimeter_tiny", Slab(100, 0.01, 0.3, SoilKind::Sand), 0.5, 20000, 1.72, 0, kNone,
                   kNone, 0.0006688093646898777, 1 / 0.67, false},
        // dt ≫ B': B' = 1/20 = 0.05, dt = 0.3 + 2·5.21 = 10.72; U = 2/(0.457·0.05 + 10.72) = 0.186170336549
        GroundCase{"slab_dt_far_above_b", Slab(1, 40, 0.3, SoilKind::Sand), 5.0, 0.05, 10.72, 0, kNone, kNone,
                   0.18617033654942589, 1 / 5.17, true},
        // B' = 80/18 = 4.444444; dg = 0.3 + 1.5·0.21 = 0.615;
        // Ug = 3/(4.4444π + 0.615)·ln(4.4444π/0.615 + 1) = 0.651468155626;
        // Ux = 2·0.5·1.5/B' + 1450·0.003·4·0.05/B' = 0.3375 + 0.19575 = 0.53325;
        // Uf = 1/(0.17 + 2.5 + 0.17) = 0.352112676056; U = 1/(1/Uf + 1/(Ug + Ux)) = 0.271437995354
        GroundCase{"suspended", Suspended(), 2.5, 80.0 / 18, 0.615, kNone, kNone, kNone, 0.2714379953539739,
                   1 / 2.84, false},
        // dt = 0.4 + 2·1.21 = 2.82; dt + z/2 = 4.07 < 5: Ubf = 4/(5π + 4.07)·ln(5π/4.07 + 1) =
        // 0.319734712974; dw = 2·(0.13 + 2 + 0.04) = 4.34 ≥ dt: Ubw = 4/(2.5π)·(1 + 1.41/5.32)·ln(2.5/4.34 +
        // 1) = 0.293090846901; U' = (100·Ubf + 100·Ubw)/200 = 0.306412779938
        GroundCase{"heated_basement", Basement(GroundKind::HeatedBasement, 0.4, 2.0), 1.0, 5, 2.82, kNone,
                   0.319734712974386, 0.293090846901404, 0.306412779937895, 1 / 1.17, false},
        // dw = 2·0.67 = 1.34 < dt, so d = dw: Ubw = 4/(2.5π)·(1 + 0.67/3.84)·ln(2.5/1.34 + 1) =
        // 0.629741681204
        GroundCase{"heated_basement_thin_walls", Basement(GroundKind::HeatedBasement, 0.4, 0.5), 1.0, 5, 2.82,
                   kNone, 0.319734712974386, 0.6297416812040776, 0.4747381970892318, 1 / 1.17, false},
        // Basement floor bare: dt = 0.3 + 2·0.21 = 0.72, Ubf = 4/(5π + 1.72)·ln(5π/1.72 + 1) =
        // 0.531502545462; dw = 2·0.47 = 0.94 ≥ dt: Ubw = 4/(2π)·(1 + 0.36/2.72)·ln(2/0.94 + 1) =
        // 0.822006669226; Uf = 1/3.34; 1/U = 3.34 + 100/(100·Ubf + 80·Ubw + 0.5·40·1.2 + 0.33·0.3·250) → U =
        // 0.254036488452
        GroundCase{"unheated_basement", Basement(GroundKind::UnheatedBasement, 0.3, 0.3), 3.0, 5, 0.72, kNone,
                   0.5315025454616634, 0.8220066692264943, 0.25403648845193333, 1 / 3.34, false}),
    [](const testing::TestParamInfo<GroundCase>& info) { return std::string(info.param.name); });

// Inputs no formula can take are refused in Polish, never answered with NaN.
struct RefusalCase {
  const char* name;
  GroundSettings settings;
};

class GroundRefusals : public testing::TestWithParam<RefusalCase> {};

TEST_P(GroundRefusals, RaiseDataError) {
  EXPECT_THROW(ComputeGround(GetParam().settings, 1.0), DataError);
}

GroundSettings With(GroundSettings s, void (*change)(GroundSettings&)) {
  change(s);
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, GroundRefusals,
    testing::Values(RefusalCase{"no_perimeter", Slab(100, 0, 0.3, SoilKind::Sand)},
                    RefusalCase{"no_area", Slab(0, 40, 0.3, SoilKind::Sand)},
                    RefusalCase{"typed_lambda_zero", With(Slab(100, 40, 0.3, SoilKind::Typed),
                                                          [](GroundSettings& s) { s.soilLambda = 0; })},
                    RefusalCase{"edge_without_lambda",
                                Slab(100, 40, 0.3, SoilKind::Sand, {EdgeKind::Vertical, 1.0, 0.05, 0.0})},
                    RefusalCase{"basement_without_depth", With(Basement(GroundKind::HeatedBasement, 0.4, 2.0),
                                                               [](GroundSettings& s) { s.depth = 0; })}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

// Rf comes from the layers as EN ISO 6946 counts them for a heat flow downwards,
// whatever the conditions' own direction and outer side; the choice picks U.
TEST(GroundLayers, FloorResistanceAndChoice) {
  LayerTable table;
  LayerRecord concrete;
  concrete.name = "Beton";
  concrete.thickness = 0.2;
  concrete.lambdaMedium = concrete.lambdaHumid = 1.0;
  LayerRecord eps = concrete;
  eps.name = "Styropian";
  eps.thickness = 0.1;
  eps.lambdaMedium = eps.lambdaHumid = 0.04;
  table.AppendLayer(concrete);
  table.AppendLayer(eps);
  DesignConditions c = DesignConditions::startupValues();
  c.outerSide.kind = OuterSideKind::Unheated;
  GroundSettings s = Slab(100, 40, 0.3, SoilKind::Sand);
  s.compare = ComparedU::Ground;
  const GroundResult r = EvaluateGround(table, c, AirLayerTable{}, s);
  EXPECT_NEAR(r.floorResistance, 0.2 + 2.5, 1e-12);  // 0.2/1.0 + 0.1/0.04
  EXPECT_EQ(r.uCompared, r.uGround);
  EXPECT_EQ(table.at(1).resistance, 0);  // the table itself untouched
}

}  // namespace
