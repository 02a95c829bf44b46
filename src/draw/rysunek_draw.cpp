// The four chart drawings. One painter works on the picture for the whole
// chart with the AND raster operation for strokes and fills; text is laid over
// in the ordinary way, antialiased, in the fixed drawing font.
#include "draw/rysunek_draw.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <optional>

#include "calc/numbers.h"
#include "draw/fixedfont.h"
#include "draw/pictures.h"

namespace chart {

namespace {

constexpr int kFontPixels = 11;
constexpr int kTickGap = 10;  // below the band
constexpr int kTickLength = 3;
constexpr int kLabelDigits = 2;
const QColor kZeroPointColour(0, 0, 255);
// Multiplied into the picture, so lines and hatch stay visible through it.
const QColor kCondensationShade(255, 190, 190);
// Qt hands a fill or stroke of 96 rows or more to its thread pool; on a busy
// machine the hand-off costs far more than the drawing. Upright strokes and
// fills therefore go in shorter pieces (the brush origin stays where it is, so
// a hatch runs on across the pieces).
constexpr int kRowsPerPiece = 64;

// A pixel coordinate. Finite totals still allow absurd layers (a project file
// may hold anything), and a double out of int's range must not reach lround.
int Px(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::lround(std::clamp(v, -1e6, 1e6)));
}

QString Number(double v) {
  return veltor::FormatGeneral(v, kLabelDigits);
}

bool Scalable(double total) {
  return std::isfinite(total) && total > 0;
}

class Painter {
 public:
  Painter(QImage& picture, const ChartData& data, const HatchLoader& hatches, int originX)
      : picture_(picture), data_(data), hatches_(hatches), x0_(originX), p_(&picture) {
    p_.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setFont(ui::DrawingFont(kFontPixels));
    ascent_ = QFontMetrics(p_.font()).ascent();
    solid();
  }

  void TemperatureOverResistance();
  void TemperatureOverThickness();
  void PressureOverDiffusion();
  void PressureOverThickness();

  QStringList skipped;

 private:
  // The scale of a drawing over `total`, or nothing (and the reason noted).
  std::optional<double> scaleFor(double total, const QString& what, const QString& quantity,
                                 const QString& unit);
  double width() const { return picture_.width() - kHorizontalMargins; }
  void solid(const QColor& colour = Qt::black, int width = 1) {
    p_.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p_.setBrush(Qt::NoBrush);
  }
  void text(int x, int top, const QString& s, const QColor& colour = Qt::black) {
    p_.save();
    p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p_.setPen(colour);
    p_.drawText(x, top + ascent_, s);
    p_.restore();
  }
  // Inclusive of both ends, in the pen set now (square-capped).
  void upright(int x, int y1, int y2) {
    for (int y = y1; y <= y2; y += kRowsPerPiece) p_.drawLine(x, y, x, std::min(y + kRowsPerPiece - 1, y2));
  }
  void fill(const QRect& area, const QBrush& brush) {
    for (int y = area.top(); y <= area.bottom(); y += kRowsPerPiece)
      p_.fillRect(QRect(area.left(), y, area.width(), std::min(kRowsPerPiece, area.bottom() - y + 1)), brush);
  }
  // One band from xl to xr: hatch (none for a surface zone), outline, tick.
  void band(const DrawingRows& r, int xl, int xr, const QImage* hatch) {
    const int left = std::min(xl, xr), right = std::max(xl, xr);
    if (hatch && right > left) fill(QRect(left, r.top, right - left, r.bottom - r.top), QBrush(*hatch));
    // Neighbours share their edge column; ANDing it twice changes nothing. The
    // square cap closes the corners; the tick below, flat, stops short of its
    // end point.
    p_.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap));
    p_.drawLine(left, r.top, right, r.top);
    p_.drawLine(left, r.bottom, right, r.bottom);
    upright(left, r.top, r.bottom);
    upright(right, r.top, r.bottom);
    solid();
    p_.drawLine(xr, r.bottom + kTickGap, xr, r.bottom + kTickGap + kTickLength);
  }
  // The layers over a quantity, from column `start`; returns each layer's band
  // edges as exact (unrounded) columns, first edge included.
  template <class Quantity>
  std::vector<double> layerBands(const DrawingRows& r, double start, double scale, Quantity quantity,
                                 double runningStart);
  int temperatureRow(const DrawingRows& r, double t) const { return Px(r.zeroRow - r.pixelsPerUnit * t); }
  double pressureRow(const DrawingRows& r, double p) const { return r.zeroRow - r.pixelsPerUnit * p; }
  void airTemperatureLines(const DrawingRows& r);
  void partialPressureLine(const DrawingRows& r, double right, const std::vector<QPointF>& saturation);
  void shade(const std::vector<QPointF>& saturation, QPointF from, QPointF to);

  QImage& picture_;
  const ChartData& data_;
  const HatchLoader& hatches_;
  const int x0_;
  QPainter p_;
  int ascent_ = 0;
};

std::optional<double> Painter::scaleFor(double total, const QString& what, const QString& quantity,
                                        const QString& unit) {
  if (Scalable(total)) return width() / total;
  skipped << QStringLiteral("Nie narysowano %1: %2 przegrody (%3 %4) nie pozwala ustalić skali rysunku.")
                 .arg(what, quantity, veltor::FormatGeneral(total), unit);
  return std::nullopt;
}

template <class Quantity>
std::vector<double> Painter::layerBands(const DrawingRows& r, double start, double scale, Quantity quantity,
                                        double runningStart) {
  std::vector<double> edges{start};
  double running = runningStart;
  double position = start;
  for (int i = 0; i < data_.layers.size(); ++i) {
    const veltor::LayerRecord& layer = data_.layers.at(i);
    const double value = quantity(layer);
    const int xl = Px(position);
    position += value * scale;
    running += value;
    const int xr = Px(position);
    {
      // Loaded for its one band and let go at once.
      const QImage hatch = hatches_(layer.fillPatternText());
      band(r, xl, xr, &hatch);
    }
    const bool odd = i % 2 != 0;
    text(xr - 10, r.totalsRow + (odd ? kLabelRowStep : 0), Number(running));
    text(xl + (xr - xl) / 2 - 3, r.top - (odd ? 2 : 1) * kLabelRowStep, QString::number(i + 1));
    edges.push_back(position);
  }
  return edges;
}

void Painter::airTemperatureLines(const DrawingRows& r) {
  p_.setPen(QPen(Qt::black, 1, Qt::DashLine));
  for (const double t : {data_.conditions.ti, data_.conditions.te}) {
    const int row = temperatureRow(r, t);
    p_.drawLine(x0_ + kAirLineLeft, row, x0_ + kAirLineRight, row);
  }
  solid();
}

void Painter::TemperatureOverResistance() {
  const DrawingRows& r = kTemperatureOverResistance;
  const double total = data_.summary.totalResistance;
  const auto scale = scaleFor(total, QStringLiteral("rozkładu temperatury w skali oporu cieplnego"),
                              QStringLiteral("opór cieplny"), QStringLiteral("m²K/W"));
  if (!scale) return;
  const double rsi = data_.conditions.rsi, rse = data_.conditions.rse;
  // The inner surface zone, then the layers from its edge, then the outer one.
  const int surface = Px(x0_ + rsi * *scale);
  band(r, x0_, surface, nullptr);
  text(surface - 10, r.totalsRow + kLabelRowStep, Number(rsi));
  const std::vector<double> edges = layerBands(
      r, x0_ + rsi * *scale, *scale, [](const veltor::LayerRecord& l) { return l.resistance; }, rsi);
  const int outerLeft = Px(edges.back());
  const int outerRight = Px(edges.back() + rse * *scale);
  band(r, outerLeft, outerRight, nullptr);
  const bool evenCount = data_.layers.size() % 2 == 0;
  text(outerRight - 10, r.totalsRow + (evenCount ? 0 : kLabelRowStep), Number(total));

  airTemperatureLines(r);
  // Over resistance the temperature falls along one straight line.
  p_.drawLine(x0_, temperatureRow(r, data_.conditions.ti), Px(x0_ + total * *scale),
              temperatureRow(r, data_.conditions.te));
}

void Painter::TemperatureOverThickness() {
  const DrawingRows& r = kTemperatureOverThickness;
  const auto scale =
      scaleFor(data_.summary.totalThickness, QStringLiteral("rozkładu temperatury w skali grubości"),
               QStringLiteral("grubość"), QStringLiteral("m"));
  if (!scale) return;
  const std::vector<double> edges = layerBands(
      r, x0_, *scale, [](const veltor::LayerRecord& l) { return l.thickness; }, 0.0);
  airTemperatureLines(r);
  for (int i = 0; i < data_.layers.size(); ++i) {
    const veltor::LayerRecord& layer = data_.layers.at(i);
    p_.drawLine(Px(edges[i]), temperatureRow(r, layer.innerTemperature), Px(edges[i + 1]),
                temperatureRow(r, layer.outerTemperature));
  }
  if (!data_.summary.zeroPointDepth || data_.layers.empty()) return;
  const double depth = *data_.summary.zeroPointDepth;
  const int x = Px(x0_ + depth * *scale);
  p_.setPen(QPen(kZeroPointColour, 1, Qt::DashDotLine, Qt::FlatCap, Qt::MiterJoin));
  p_.drawPolyline(
      QPolygon({QPoint(x, kZeroPointRow), QPoint(x, r.zeroRow), QPoint(x0_ + kAirLineLeft, r.zeroRow)}));
  solid();
  text(x, kZeroPointRow, QStringLiteral("punkt rosy : ") + Number(depth), kZeroPointColour);
}

void Painter::partialPressureLine(const DrawingRows& r, double right,
                                  const std::vector<QPointF>& saturation) {
  const veltor::DesignConditions& c = data_.conditions;
  const double pi = veltor::PartialPressure(data_.saturation, c.ti, c.phiI);
  const double pe = veltor::PartialPressure(data_.saturation, c.te, c.phiE);
  const QPointF from(x0_, pressureRow(r, pi)), to(right, pressureRow(r, pe));
  shade(saturation, from, to);
  solid(Qt::black, 2);
  p_.drawLine(Px(from.x()), Px(from.y()), Px(to.x()), Px(to.y()));
  solid();
}

// Light red between the partial-pressure line and the saturation line, in
// every pixel column where the partial pressure is the higher of the two (the
// higher pressure is the smaller row).
void Painter::shade(const std::vector<QPointF>& saturation, QPointF from, QPointF to) {
  if (saturation.size() < 2 || to.x() <= from.x()) return;
  p_.save();
  p_.setCompositionMode(QPainter::CompositionMode_Multiply);
  const QBrush brush(kCondensationShade);
  const double slope = (to.y() - from.y()) / (to.x() - from.x());
  for (size_t k = 0; k + 1 < saturation.size(); ++k) {
    const QPointF a = saturation[k], b = saturation[k + 1];
    if (b.x() <= a.x()) continue;
    // Each column once: the segment owns [a, b), the last one its end too.
    const int last =
        k + 2 == saturation.size() ? static_cast<int>(std::floor(b.x())) : Px(std::ceil(b.x())) - 1;
    for (int x = Px(std::ceil(a.x())); x <= last; ++x) {
      const double satRow = a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x());
      const double partialRow = from.y() + slope * (x - from.x());
      if (partialRow < satRow) fill(QRect(QPoint(x, Px(partialRow)), QPoint(x, Px(satRow))), brush);
    }
  }
  p_.restore();
}

void Painter::PressureOverDiffusion() {
  const DrawingRows& r = kPressureOverDiffusion;
  const double total = data_.summary.totalDiffusionResistance;
  const auto scale = scaleFor(total, QStringLiteral("rozkładu ciśnienia pary w skali oporu dyfuzyjnego"),
                              QStringLiteral("opór dyfuzyjny"), QStringLiteral("m²hPa/g"));
  if (!scale) return;
  const std::vector<double> edges = layerBands(
      r, x0_, *scale, [](const veltor::LayerRecord& l) { return l.diffusionResistance; }, 0.0);
  std::vector<QPointF> saturation;
  for (int i = 0; i < data_.layers.size(); ++i) {
    const veltor::LayerRecord& layer = data_.layers.at(i);
    saturation.emplace_back(edges[i], pressureRow(r, layer.innerSaturation));
    saturation.emplace_back(edges[i + 1], pressureRow(r, layer.outerSaturation));
  }
  if (saturation.empty()) return;
  partialPressureLine(r, x0_ + total * *scale, saturation);
  for (size_t k = 0; k + 1 < saturation.size(); k += 2) {
    p_.drawLine(Px(saturation[k].x()), Px(saturation[k].y()), Px(saturation[k + 1].x()),
                Px(saturation[k + 1].y()));
  }
}

void Painter::PressureOverThickness() {
  const DrawingRows& r = kPressureOverThickness;
  const double total = data_.summary.totalThickness;
  const auto scale = scaleFor(total, QStringLiteral("rozkładu ciśnienia pary w skali grubości"),
                              QStringLiteral("grubość"), QStringLiteral("m"));
  if (!scale) return;
  const std::vector<double> edges = layerBands(
      r, x0_, *scale, [](const veltor::LayerRecord& l) { return l.thickness; }, 0.0);
  std::vector<QPointF> saturation;
  for (int i = 0; i < data_.layers.size(); ++i) {
    const veltor::LayerRecord& layer = data_.layers.at(i);
    saturation.emplace_back(edges[i], pressureRow(r, layer.innerSaturation));
    for (const CurveSample& s : SaturationCurve(layer, data_.saturation))
      saturation.emplace_back(edges[i] + s.position * *scale, pressureRow(r, s.pressure));
  }
  if (saturation.empty()) return;
  partialPressureLine(r, x0_ + total * *scale, saturation);
  QPolygon curve;
  curve.reserve(static_cast<int>(saturation.size()));
  for (const QPointF& pt : saturation) curve << QPoint(Px(pt.x()), Px(pt.y()));
  p_.drawPolyline(curve);
}

}  // namespace

QString BackgroundPath(const QString& startFolder, int kind) {
  return startFolder + QStringLiteral("/obrazki/wykres%1.bmp").arg(kind);
}

QString HatchPath(const QString& startFolder, const QString& pattern) {
  return startFolder + QStringLiteral("/obrazki/Wypełnienia/") + pattern + QStringLiteral(".bmp");
}

HatchLoader HatchesFrom(const QString& startFolder) {
  return [startFolder](const QString& pattern) { return ui::LoadPicture(HatchPath(startFolder, pattern)); };
}

std::vector<CurveSample> SaturationCurve(const veltor::LayerRecord& layer,
                                         const veltor::SaturationTable& saturation) {
  const double d = layer.thickness;
  if (!std::isfinite(d) || d <= 0) return {};
  // Face temperatures recovered from the face pressures, as the pass left them.
  const double inner = veltor::TemperatureForPressure(saturation, layer.innerSaturation);
  const double outer = veltor::TemperatureForPressure(saturation, layer.outerSaturation);
  const double step = d / kCurveStep > kMaxCurveSamples ? d / kMaxCurveSamples : kCurveStep;
  std::vector<CurveSample> samples;
  // k x step rather than a running sum, whose error would add a sample at an
  // exact number of millimetres.
  for (int k = 1;; ++k) {
    const double m = k * step;
    const double at = std::min(m, d);
    samples.push_back({at, veltor::SaturationPressureAt(saturation, outer, inner, at, d)});
    if (!(m < d)) break;
  }
  return samples;
}

QStringList DrawChart(QImage& picture, int kind, const ChartData& data, const HatchLoader& hatches,
                      int originX) {
  if (picture.format() != QImage::Format_RGB32) picture.convertTo(QImage::Format_RGB32);
  Painter painter(picture, data, hatches, originX);
  if (kind == 1) {
    painter.TemperatureOverResistance();
    painter.TemperatureOverThickness();
  } else if (kind == 2) {
    painter.PressureOverDiffusion();
    painter.PressureOverThickness();
  }
  return painter.skipped;
}

}  // namespace chart
