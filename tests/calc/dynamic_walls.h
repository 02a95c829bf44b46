// Walls of the core's and the window's dynamics tests, innermost layer first.
#pragma once

#include <QString>
#include <initializer_list>

#include "calc/layer.h"
#include "calc/textfile.h"

namespace dynamic_walls {

struct LayerData {
  const char* name;
  double thickness, lambda, density, specificHeat;  // m, W/(m K), kg/m³, J/(kg K)
};

inline veltor::LayerTable Wall(std::initializer_list<LayerData> layers) {
  veltor::LayerTable table;
  for (const LayerData& d : layers) {
    veltor::LayerRecord layer;
    layer.name = veltor::ToCp1250(QString::fromUtf8(d.name));
    layer.thickness = d.thickness;
    layer.lambdaMedium = layer.lambdaHumid = d.lambda;
    layer.density = d.density;
    layer.specificHeat = d.specificHeat;
    table.AppendLayer(layer);
  }
  return table;
}

// Board, mineral wool between studs (taken as the wool), OSB.
inline veltor::LayerTable Timber() {
  return Wall({{"Płyta g-k", 0.0125, 0.25, 900, 1000},
               {"Wełna", 0.15, 0.04, 30, 1030},
               {"OSB", 0.022, 0.13, 650, 1700}});
}
// Plaster, 38 cm of solid brick, EPS, thin render.
inline veltor::LayerTable Masonry() {
  return Wall({{"Tynk", 0.015, 0.82, 1800, 1000},
               {"Cegła", 0.38, 0.77, 1800, 1000},
               {"EPS", 0.12, 0.04, 20, 1450},
               {"Tynk cienkowarstwowy", 0.005, 0.7, 1800, 1000}});
}

}  // namespace dynamic_walls
