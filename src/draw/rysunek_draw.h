// The chart drawings, apart from the window that shows them. A chart is drawn
// once into a picture that already holds its background (or, on a vector
// page, over the sheet painted by rysunek_sheet): the layers as hatched
// bands side by side from the inside (left) to the outside (right), their widths
// following one quantity, with the profile lines over them. Strokes and fills
// are ANDed into the picture, so the background's grid and a band's hatch show
// through wherever a drawing leaves white.
//
//   kind 1  upper: temperature over thermal resistance (with the surface zones)
//           lower: temperature over thickness, with the 0 degC point
//   kind 2  upper: vapour pressures over diffusion resistance
//           lower: vapour pressures over thickness, the saturation pressure
//           sampled every millimetre
// Where the partial pressure rises above the saturation pressure, the kind-2
// drawings shade the zone in light red: interstitial condensation. Both kind-2
// drawings show one winter state, the one of the saturation profile: outdoor
// air at -5 degC with the design outdoor humidity; the partial pressure at each
// layer face follows from the diffusion resistances, so the lower drawing's
// broken line passes through the same face values as the upper one's straight
// line. A bridged layer keeps its main hatch with blocks across it at the
// bridge's share, and the legend names it with its bridge.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "calc/calculation.h"
#include "draw/pictures.h"
#include "draw/rysunek_labels.h"
#include "draw/rysunek_layout.h"

class QPainter;

namespace chart {

// Everything a chart reads; the layers hold the results of the latest pass.
struct ChartData {
  const veltor::LayerTable& layers;
  const veltor::PartitionSummary& summary;
  const veltor::DesignConditions& conditions;
  const veltor::SaturationTable& saturation;
};

// The hatch tile of a fill pattern; raises like ui::LoadPicture.
using HatchLoader = std::function<QImage(const QString& pattern)>;

// start folder + "/obrazki/wykres<kind>.bmp" and "/obrazki/Wypełnienia/<pattern>.bmp".
QString BackgroundPath(const QString& startFolder, int kind);
QString HatchPath(const QString& startFolder, const QString& pattern);
// Hatches read from the start folder's pictures, one file per band.
HatchLoader HatchesFrom(const QString& startFolder);

struct DrawnChart {
  QStringList skipped;             // why a drawing was left out
  std::vector<DrawnLabel> labels;  // every text written, with its box
};

// Draws the upper, then the lower drawing of `kind` into `picture`. A drawing
// whose total is not a positive finite number cannot be scaled and is left out;
// `skipped` says which and why. A layer without a fill pattern is drawn
// without a hatch; a hatch that cannot be loaded stops the
// drawing with its error, leaving in the picture what was drawn so far.
DrawnChart DrawChart(QImage& picture, int kind, const ChartData& data, const HatchLoader& hatches,
                     int originX = kOriginX);

// The same chart, sheet included, painted in ordinary (SourceOver) drawing at
// the sheet's pixel positions (chart::SheetSize) onto any painter: a PDF
// writer or a printer keeps its lines and texts as vectors. The caller's
// transform scales it; the painter's state is left as it was. Errors as DrawChart.
DrawnChart PaintChart(QPainter& painter, int kind, const ChartData& data, const HatchLoader& hatches);

// What drawing the chart would leave out and why, found by drawing it where
// nothing is rasterized: a document paints its own copy at its own resolution.
// Errors as DrawChart.
QStringList ChartNotes(int kind, const ChartData& data, const HatchLoader& hatches);
// That chart as a page for a PDF or a printer, holding its own copy of the
// figures, with the hatches of the start folder.
ui::VectorPage ChartVectorPage(int kind, const ChartData& data, const QString& startFolder);

// The partial vapour pressure of the outdoor air in the pressure chart: the
// design outdoor humidity at the saturation profile's outdoor temperature.
double ChartOutdoorPartialPressure(const ChartData& data);

// The saturation pressure inside one layer, every millimetre from its inner
// face, for the lower pressure drawing. A sample at or past the outer face is
// the last one and lies on the face.
struct CurveSample {
  double position;  // m from the inner face
  double pressure;  // Pa
};
inline constexpr double kCurveStep = 0.001;
// Beyond this many samples (a layer over 100 m thick, which only a damaged
// project file holds) the step grows, so that drawing cannot stall.
inline constexpr int kMaxCurveSamples = 100000;
std::vector<CurveSample> SaturationCurve(const veltor::LayerRecord& layer,
                                         const veltor::SaturationTable& saturation);

}  // namespace chart
