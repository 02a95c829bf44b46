// The calculation pass on small partitions worked out by hand.
#include <gtest/gtest.h>

#include <QStringList>
#include <array>
#include <cmath>

#include "calc/calculation.h"
#include "calc/errors.h"

using namespace veltor;

namespace {

LayerRecord Layer(double thickness, double lambda, double vapour = 0) {
  LayerRecord record;
  record.name = "Mur";
  record.thickness = thickness;
  record.lambdaMedium = lambda;
  record.lambdaHumid = lambda;
  record.vapourCoefficient = vapour;
  return record;
}

// Each saturation entry holds its own index in tenths of a degree.
ReferenceTables Tables() {
  ReferenceTables tables;
  for (int i = 0; i < kSaturationCount; ++i) tables.saturation.pa[i] = i + kSaturationLowestIndex;
  tables.air.rows[0] = {0.01, 0.15, 0.15, 0.15};
  tables.air.rows[1] = {0.05, 0.16, 0.18, 0.21};
  tables.air.rowCount = 2;
  return tables;
}

DesignConditions Conditions(double ti = 20, double te = -20) {
  DesignConditions c = DesignConditions::startupValues();
  c.ti = ti;
  c.te = te;
  return c;
}

TEST(CalculatePartition, SingleLayerResistanceAndU) {
  LayerTable table;
  table.AppendLayer(Layer(0.24, 0.6));
  PartitionSummary summary;
  CalculatePartition(table, summary, Conditions(), Tables());
  EXPECT_NEAR(table.at(0).resistance, 0.4, 1e-15);
  EXPECT_NEAR(summary.totalResistance, 0.57, 1e-15);
  EXPECT_NEAR(summary.u, 1 / 0.57, 1e-14);
  EXPECT_EQ(summary.layerCount, 1);
  EXPECT_EQ(summary.totalThickness, 0.24);
}

TEST(CalculatePartition, HumidClassPicksTheHumidLambda) {
  LayerTable table;
  LayerRecord layer = Layer(0.24, 0.6);
  layer.lambdaHumid = 0.8;
  table.AppendLayer(layer);
  DesignConditions conditions = Conditions();
  conditions.humidityClass = 1;
  PartitionSummary summary;
  CalculatePartition(table, summary, conditions, Tables());
  EXPECT_NEAR(table.at(0).resistance, 0.3, 1e-15);
}

TEST(CalculatePartition, FaceTemperaturesAndTheMinusFiveSaturationProfile) {
  LayerTable table;
  table.AppendLayer(Layer(0.24, 0.6));
  PartitionSummary summary;
  CalculatePartition(table, summary, Conditions(20, -20), Tables());
  const double q = 40 / 0.57;
  EXPECT_NEAR(table.at(0).innerTemperature, 20 - 0.13 * q, 1e-12);
  EXPECT_NEAR(table.at(0).outerTemperature, -20 + 0.04 * q, 1e-12);

  // te only moves the temperatures; the saturation profile always runs to -5 degC.
  CalculatePartition(table, summary, Conditions(20, 10), Tables());
  const double qs = 25 / 0.57;
  EXPECT_EQ(table.at(0).innerSaturation, std::nearbyint(10 * (20 - 0.13 * qs)));
  EXPECT_EQ(table.at(0).outerSaturation, std::nearbyint(10 * (-5 + 0.04 * qs)));
}

TEST(CalculatePartition, EqualTemperaturesTellTheCallerAndStillGiveRAndU) {
  LayerTable table;
  LayerRecord layer = Layer(0.24, 0.6);
  layer.innerTemperature = 10;  // left by an earlier pass
  layer.outerTemperature = -10;
  layer.innerSaturation = 222;
  table.AppendLayer(layer);
  PartitionSummary summary;
  QStringList notices;
  CalculatePartition(table, summary, Conditions(5, 5), Tables(),
                     [&notices](const QString& text) { notices << text; });
  EXPECT_EQ(notices, QStringList{QStringLiteral("Nie wybrano temperatury wewnątrz i na zewnątrz budynku")});
  EXPECT_NEAR(summary.u, 1 / 0.57, 1e-14);
  EXPECT_EQ(table.at(0).innerTemperature, 10);
  EXPECT_EQ(table.at(0).innerSaturation, 222);
  // The 0 degC point still comes from the temperatures the records hold.
  EXPECT_NEAR(summary.zeroPointDepth.value(), 0.12, 1e-15);

  // Told again on the next pass, not only the first time.
  CalculatePartition(table, summary, Conditions(5, 5), Tables(),
                     [&notices](const QString& text) { notices << text; });
  EXPECT_EQ(notices.size(), 2);
}

TEST(CalculatePartition, EmptyTableGivesAnAllZeroSummary) {
  LayerTable table;
  PartitionSummary summary;
  summary.u = 3;
  summary.zeroPointDepth.reset();
  bool told = false;
  CalculatePartition(table, summary, Conditions(5, 5), Tables(), [&told](const QString&) { told = true; });
  EXPECT_EQ(summary.u, 0);
  EXPECT_EQ(summary.totalResistance, 0);
  EXPECT_EQ(summary.zeroPointDepth, std::optional<double>(0.0));
  EXPECT_FALSE(told);
}

TEST(CalculatePartition, DiffusionOfZeroAndMaxLayersIsExactlyTheSurfaces) {
  LayerTable table;
  table.AppendLayer(Layer(0.1, 1.0, 0));
  table.AppendLayer(Layer(0.2, 1.0, -INFINITY));
  PartitionSummary summary;
  CalculatePartition(table, summary, Conditions(), Tables());
  EXPECT_EQ(summary.totalDiffusionResistance, 40.0);
  EXPECT_FALSE(std::signbit(table.at(1).diffusionResistance));

  table.AppendLayer(Layer(0.3, 1.0, 150));
  CalculatePartition(table, summary, Conditions(), Tables());
  EXPECT_NEAR(table.at(2).diffusionResistance, 2000, 1e-9);
}

TEST(CalculatePartition, AirLayerFollowsDirectionNotHumidity) {
  LayerTable table;
  LayerRecord air = Layer(0.03, 0);  // conductivity 0 must not matter for an air layer
  air.name = kAirLayerName;
  table.AppendLayer(air);
  DesignConditions conditions = Conditions();
  conditions.direction = 2;
  conditions.setSurfaceResistancesFromDirection();
  conditions.humidityClass = 1;
  PartitionSummary summary;
  CalculatePartition(table, summary, conditions, Tables());
  EXPECT_NEAR(table.at(0).resistance, 0.18, 1e-12);  // halfway between the rows, downward column
  EXPECT_NEAR(summary.totalResistance, table.at(0).resistance + 0.17 + 0.04, 1e-12);
}

TEST(CalculatePartition, ZeroConductivityIsADivisionByZero) {
  LayerTable table;
  table.AppendLayer(Layer(0.24, 0.6));
  table.AppendLayer(Layer(0.1, 0.0));
  PartitionSummary summary;
  try {
    CalculatePartition(table, summary, Conditions(), Tables());
    FAIL();
  } catch (const DivisionByZero& e) {
    EXPECT_EQ(e.message(), QStringLiteral("Floating point division by zero"));
  }
  EXPECT_NEAR(table.at(0).resistance, 0.4, 1e-15);
}

TEST(RequiredThickness, NegativeWhenTheOthersSufficeAndRefusesNoRequirement) {
  LayerTable table;
  table.AppendLayer(Layer(0.24, 0.6));
  table.AppendLayer(Layer(0.1, 0.04));  // R 2.5
  DesignConditions conditions = Conditions();
  conditions.umax = 0.3;
  PartitionSummary summary;
  CalculatePartition(table, summary, conditions, Tables());
  EXPECT_NEAR(RequiredThickness(table, 2, conditions), 0.04 * (1 / 0.3 - 0.17 - 0.4), 1e-12);
  conditions.umax = 1.0;
  EXPECT_LT(RequiredThickness(table, 1, conditions), 0);
  conditions.umax = 0;
  EXPECT_THROW(RequiredThickness(table, 1, conditions), DivisionByZero);
}

// Layers with face temperatures set directly: inner, outer, thickness.
LayerTable Profile(std::initializer_list<std::array<double, 3>> faces) {
  LayerTable table;
  for (const auto& [inner, outer, thickness] : faces) {
    LayerRecord& layer = table.AppendLayer(Layer(thickness, 1));
    layer.innerTemperature = inner;
    layer.outerTemperature = outer;
  }
  return table;
}

TEST(ZeroPointDepth, InsideOrAbsent) {
  EXPECT_NEAR(*ZeroPointDepth(Profile({{18, 2, 0.2}, {2, -2, 0.1}})), 0.25, 1e-15);
  EXPECT_NEAR(ZeroPointDepth(Profile({{18, 2, 0.2}, {2, 0, 0.1}})).value(), 0.3, 1e-15);
  EXPECT_EQ(ZeroPointDepth(Profile({{18, 12, 0.2}, {12, 1, 0.1}})), std::nullopt);  // warm throughout
  EXPECT_EQ(ZeroPointDepth(Profile({{-1, -3, 0.2}})), std::nullopt);                // cold throughout
  EXPECT_EQ(ZeroPointDepth(LayerTable{}), std::nullopt);
  EXPECT_EQ(ZeroPointDepth(Profile({{0, 0, 0.2}})), 0.0);  // fresh records: no temperatures yet
  EXPECT_EQ(ZeroPointDepth(Profile({{5, 0, 0.1}, {0, 0, 0.2}})), 0.1);
  EXPECT_THROW(ZeroPointDepth(Profile({{5, 1, 0.1}, {-1, -1, 0.2}})), DivisionByZero);
}

TEST(SurfaceCondensation, EqualityIsNoCondensation) {
  SaturationTable saturation;
  saturation.pa[200 - kSaturationLowestIndex] = 2000;  // 20 degC
  saturation.pa[100 - kSaturationLowestIndex] = 1000;  // 10 degC
  saturation.pa[99 - kSaturationLowestIndex] = 999;
  DesignConditions conditions = Conditions();
  conditions.phiI = 50;
  EXPECT_EQ(PartialPressure(saturation, 20, 50), 1000.0);
  EXPECT_FALSE(SurfaceCondensation(Profile({{10, 0, 0.1}}), conditions, saturation));
  EXPECT_TRUE(SurfaceCondensation(Profile({{9.9, 0, 0.1}}), conditions, saturation));
  EXPECT_FALSE(SurfaceCondensation(LayerTable{}, conditions, saturation));
}

TEST(DesignConditions, SurfaceResistancesFollowTheDirection) {
  DesignConditions c = DesignConditions::startupValues();
  EXPECT_EQ(c.rsi, 0.13);
  c.direction = 0;
  c.setSurfaceResistancesFromDirection();
  EXPECT_EQ(c.rsi, 0.10);
  c.direction = 7;
  c.rse = 0.5;
  c.setSurfaceResistancesFromDirection();
  EXPECT_EQ(c.rsi, 0.10);
  EXPECT_EQ(c.rse, 0.5);
}

}  // namespace
