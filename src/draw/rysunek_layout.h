// Where the chart drawings stand on their background pictures. The pictures
// (drawn by tools/make_chart_pictures) carry the scales at these rows, and the
// drawing code puts its bands, lines and numbers at the same rows, so both read
// them from here.
#pragma once

namespace chart {

inline constexpr int kOriginX = 200;  // left edge of every drawing
// A drawing spans the picture's width less this, from the origin.
inline constexpr int kHorizontalMargins = 400;
// Texts stacked in two rows this far apart, so that neighbours do not collide.
inline constexpr int kLabelRowStep = 15;
// Running totals end left of this column, where the picture's arrow and the
// horizontal axis title begin.
inline constexpr int kTotalsRight = kOriginX + 400 + 24;

struct DrawingRows {
  int top;               // band rows, top ...
  int bottom;            // ... and bottom
  int zeroRow;           // row of 0 of the vertical quantity
  double pixelsPerUnit;  // upward per degC or per Pa
  int totalsRow;         // running totals of even layers; odd ones a step lower
};

inline constexpr DrawingRows kTemperatureOverResistance{154, 454, 313, 5.0, 474};
inline constexpr DrawingRows kTemperatureOverThickness{637, 937, 797, 5.0, 957};
inline constexpr DrawingRows kPressureOverDiffusion{76, 536, 536, 0.1, 551};
inline constexpr DrawingRows kPressureOverThickness{618, 1078, 1078, 0.1, 1093};

// The 0 degC point's line starts here and its label hangs from it.
inline constexpr int kZeroPointRow = 1007;
// The lower temperature drawing writes the temperature of every layer face in
// two rows above its layer numbers, this one and the one a step higher.
inline constexpr int kFaceTemperatureRow = kTemperatureOverThickness.top - 3 * kLabelRowStep;
// Dashed air-temperature lines run from a little left of the origin to here
// (relative to the origin).
inline constexpr int kAirLineLeft = -10;
inline constexpr int kAirLineRight = 400;

// The legend in the right margin: the picture's part ends above this many rows
// below a drawing's top, and the drawing writes the air's state it was drawn
// for from there, in lines this far apart.
inline constexpr int kLegendX = kOriginX + kAirLineRight + 16;
inline constexpr int kLegendStateOffset = 184;
inline constexpr int kLegendLineStep = 14;

// Picture sizes: wide enough for the margins' scales and legend, tall enough
// for the lowest text row (the zero-point label, the lower pressure totals).
inline constexpr int kPictureWidth = 800;
inline constexpr int kTemperaturePictureHeight = 1040;
inline constexpr int kPressurePictureHeight = 1136;

}  // namespace chart
