// The design conditions: one record, written only by the initial-conditions
// window (and by opening a project), read by every calculation.
#pragma once

#include <cstdint>

#include "calc/transmittance.h"

namespace veltor {

// The design outdoor temperatures of the national annex of PN-EN 12831 and a
// few towns of each zone, to help the designer find theirs on the map.
struct ClimateZone {
  const char* label;  // UTF-8: the zone's numeral, its temperature, the towns
  const char* numeral;
  double te;
};
inline constexpr ClimateZone kClimateZones[] = {
    {"I (-16 °C): Szczecin, Koszalin, Zielona Góra", "I", -16},
    {"II (-18 °C): Poznań, Wrocław, Gdańsk", "II", -18},
    {"III (-20 °C): Warszawa, Kraków, Łódź", "III", -20},
    {"IV (-22 °C): Białystok, Olsztyn", "IV", -22},
    {"V (-24 °C): Suwałki, Zakopane", "V", -24},
};

struct DesignConditions {
  double rsi = 0;                  // m2 K/W, follows the heat-flow direction
  double rse = 0;                  // m2 K/W, 0.04
  std::uint8_t humidityClass = 0;  // 0 medium-humid, anything else humid
  std::int32_t direction = 0;      // 0 up, 1 horizontal, 2 down
  double umax = 0;                 // W/(m2 K); 0 = no requirement ("bez wymagań")
  double ti = 0;                   // degC indoor
  double te = 0;                   // degC outdoor
  std::int32_t phiI = 0;           // % indoor relative humidity
  std::int32_t phiE = 0;           // % outdoor relative humidity
  // Not in the 53-byte section of the project file: its extension block keeps them.
  OuterSide outerSide{};       // what lies beyond the outer face
  UCorrections corrections{};  // ΔU of the project; none gives Uc = U

  // The values the conditions window commits right after start-up.
  static DesignConditions startupValues();
  // Rsi 0.10 / 0.13 / 0.17 for directions 0 / 1 / 2 and Rse 0.04; another
  // direction leaves both as they are.
  void setSurfaceResistancesFromDirection();
  bool humid() const { return humidityClass != 0; }
  bool operator==(const DesignConditions&) const = default;
};

}  // namespace veltor
