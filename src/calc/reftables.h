// The two physical tables read once at start-up: saturation water-vapour pressure
// for every 0.1 degC from -40.0 to 30.9, and the resistance of unventilated air
// layers by thickness and heat-flow direction. Lookups never read outside them.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace veltor {

class TextReader;

// The file lists 30.9 degC first and goes down by 0.1; values were added at its
// end (down to -40.0 degC for the coldest climate zones), so every entry keeps
// the place it always had and a file that stops at -20.9 degC still reads.
inline constexpr int kSaturationLowestIndex = -400;  // -40.0 degC
inline constexpr int kSaturationHighestIndex = 309;  // 30.9 degC
inline constexpr int kSaturationCount = 710;
inline constexpr int kSaturationMinimumCount = 519;  // down to -20.9 degC
inline constexpr int kAirLayerRowCount = 9;

struct SaturationTable {
  std::array<std::int32_t, kSaturationCount> pa{};  // [0] is -40.0 degC
  // The lowest tenths of a degree the file reached; below it the table has no values.
  int lowest = kSaturationLowestIndex;
  // Entry at tenths of a degree, clamped to the ends of what the file held.
  std::int32_t atTenths(int tenths) const;
  // The range of temperatures the table serves; design temperatures must lie in it.
  double lowestTemperature() const { return lowest / 10.0; }
  static constexpr double highestTemperature() { return kSaturationHighestIndex / 10.0; }
  bool covers(double temperature) const {
    return temperature >= lowestTemperature() && temperature <= highestTemperature();
  }
};

struct AirLayerRow {
  double thickness = 0;   // m
  double up = 0;          // direction 0
  double horizontal = 0;  // direction 1 (and any other value)
  double down = 0;        // direction 2
};

struct AirLayerTable {
  std::array<AirLayerRow, kAirLayerRowCount> rows{};
  int rowCount = 0;  // rows the file actually held; lookups use only these
};

struct ReferenceTables {
  SaturationTable saturation;
  AirLayerTable air;
};

inline const QString kSaturationFile = QStringLiteral("Dane/para.txt");
inline const QString kAirLayerFile = QStringLiteral("Dane/opory powietrza.txt");

// Readers. The first value of the saturation file is 30.9 degC, each next one 0.1
// lower; more than 710 values, or more than 9 air-layer rows, raise DataError.
// Returns how many values the file held.
int ReadSaturationTable(TextReader& reader, SaturationTable& table);
void ReadAirLayerTable(TextReader& reader, AirLayerTable& table);
// The loaders also refuse a saturation table of fewer than 519 values (one
// that does not reach -20.9 degC) and an
// air-layer table without a row (DataError naming the file).
void LoadSaturationTable(SaturationTable& table, const QString& path = kSaturationFile);
void LoadAirLayerTable(AirLayerTable& table, const QString& path = kAirLayerFile);

// Entry at 10 x t rounded half to even; outside the table the nearest end.
std::int32_t SaturationPressure(const SaturationTable& table, double temperature);
// Lowest temperature whose entry equals `pressure`; with no exact match, the
// temperature of the nearest entry.
double TemperatureForPressure(const SaturationTable& table, double pressure);
// Saturation pressure at `position` m from the inner face of a layer `thickness` m
// thick whose faces are at `inner` and `outer` degC.
double SaturationPressureAt(const SaturationTable& table, double outer, double inner, double position,
                            double thickness);
// R of an air layer; exact rows win, between rows a straight line, outside the
// table the first or last row's R.
double AirLayerResistance(const AirLayerTable& table, int direction, double thickness);

}  // namespace veltor
