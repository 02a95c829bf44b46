// Start-up values of the design conditions and the surface resistances that
// follow the heat-flow direction.
#include "calc/conditions.h"

namespace veltor {

DesignConditions DesignConditions::startupValues() {
  DesignConditions c;
  c.rsi = 0.13;
  c.rse = 0.04;
  c.direction = 1;
  c.ti = 20;
  c.te = -16;
  c.phiI = 55;
  c.phiE = 85;
  return c;
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
