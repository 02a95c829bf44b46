// Start-up values of the design conditions and the surface resistances that
// follow the heat-flow direction.
#include "calc/conditions.h"

namespace veltor {

DesignConditions DesignConditions::startupValues() {
  return {.rsi = 0.13,
          .rse = 0.04,
          .humidityClass = 0,
          .direction = 1,
          .umax = 0,
          .ti = 20,
          .te = -16,
          .phiI = 55,
          .phiE = 85};
}

void DesignConditions::setSurfaceResistancesFromDirection() {
  switch (direction) {
    case 0:
      rsi = 0.10;
      break;
    case 1:
      rsi = 0.13;
      break;
    case 2:
      rsi = 0.17;
      break;
    default:
      return;
  }
  rse = 0.04;
}

}  // namespace veltor
