// The four chart drawings. On a picture, one painter works for the whole chart
// with the AND raster operation for strokes and fills; text is laid over in
// the ordinary way, antialiased, in the fixed drawing font. A vector device (a
// PDF, a printer) has no raster operations: there strokes and hatches are
// painted over the sheet in the ordinary way (black over white or a hatch
// looks the same; the sheet's grid is painted again over a hatch), and
// the condensation zone is a translucent fill under the lines. The numbers
// that come in rows (totals, layer numbers, face temperatures) are placed by
// rysunek_labels so that none is written over another.
#include "draw/rysunek_draw.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QPolygon>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

#include "calc/numbers.h"
#include "calc/transmittance.h"
#include "calc/units.h"
#include "draw/fixedfont.h"
#include "draw/pictures.h"
#include "draw/rysunek_sheet.h"

namespace chart {

namespace {

constexpr int kFontPixels = 11;
constexpr int kTickGap = 10;  // below the band
constexpr int kTickLength = 3;
constexpr int kLabelDigits = 2;
const QColor kZeroPointColour(0, 0, 255);
// Multiplied into the picture, so lines and hatch stay visible through it. A
// vector page cannot multiply; this red at this opacity gives the same colour
// over white and lets the hatch show through.
const QColor kCondensationShade(255, 190, 190);
const QColor kCondensationVectorShade(255, 0, 0, 65);
// A bridged layer's mark: blocks across its band, as the bridging members cut
// through it, one every this many rows, each as tall as the bridge's share of
// that pitch (at least four rows, so that a small share still shows its hatch).
constexpr int kBridgePitch = 60;
constexpr int kBridgeMinimumRows = 4;
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

// Totals: two significant digits, written out in full.
QString Number(double v) {
  return veltor::FormatPlain(v, kLabelDigits);
}

// A fixed number of decimals; a value that rounds to zero has no sign.
QString Decimals(double v, int decimals) {
  return veltor::FormatPolish(v, decimals);
}

QString Temperature(double t) {
  return veltor::FormatQuantity(veltor::Quantity::Temperature, t) + QStringLiteral(" °C");
}

// The row of a broken line (points in rising columns) at column x.
double RowAt(const std::vector<QPointF>& line, double x) {
  const auto after =
      std::upper_bound(line.begin(), line.end(), x, [](double v, const QPointF& p) { return v < p.x(); });
  if (after == line.begin()) return line.front().y();
  if (after == line.end()) return line.back().y();
  const QPointF a = *(after - 1), b = *after;
  return a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x());
}

// The bridge's cross hatch as a tile, black on white: ANDed into a picture its
// white leaves the main hatch showing (a pattern brush would fill solid there).
QBrush BridgeBrush() {
  constexpr int kTile = 6;
  QImage tile(kTile, kTile, QImage::Format_RGB32);
  tile.fill(Qt::white);
  for (int k = 0; k < kTile; ++k) {
    tile.setPixel(k, k, qRgb(0, 0, 0));
    tile.setPixel(kTile - 1 - k, k, qRgb(0, 0, 0));
  }
  return QBrush(tile);
}

bool Scalable(double total) {
  return std::isfinite(total) && total > 0;
}

// Text in lines of at most `width` pixels, broken at blanks (a word wider than
// that stands alone on its line).
QStringList WrapWords(const QString& text, int width, const QFontMetrics& metrics) {
  QStringList lines;
  for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (!lines.isEmpty() && metrics.horizontalAdvance(lines.back() + QLatin1Char(' ') + word) <= width)
      lines.back() += QLatin1Char(' ') + word;
    else
      lines.append(word);
  }
  return lines;
}

class Painter {
 public:
  // `vector`: the painter's device has no raster operations (see the top).
  Painter(QPainter& painter, int sheetWidth, bool vector, const ChartData& data, const HatchLoader& hatches,
          int originX)
      : sheetWidth_(sheetWidth), vector_(vector), data_(data), hatches_(hatches), x0_(originX), p_(painter) {
    if (!vector_) p_.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setFont(ui::DrawingFont(kFontPixels));
    metrics_ = QFontMetrics(p_.font());
    ascent_ = metrics_.ascent();
    solid();
  }

  void TemperatureOverResistance();
  void TemperatureOverThickness();
  void PressureOverDiffusion();
  void PressureOverThickness();

  QStringList skipped;
  std::vector<DrawnLabel> labels;

 private:
  // The scale of a drawing over `total`, or nothing (and the reason noted).
  std::optional<double> scaleFor(double total, const QString& what, const QString& quantity,
                                 const QString& unit);
  double width() const { return sheetWidth_ - kHorizontalMargins; }
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
    labels.push_back({s, QRect(QPoint(x, top), QSize(ui::KeptAdvance(p_.font(), s), metrics_.height()))});
  }
  // Texts in a pair of rows, each where it does not touch another.
  void textRows(const std::vector<LabelRequest>& requests, int firstRowTop, int rowStep) {
    const std::vector<QRect> boxes = PlaceLabels(requests, firstRowTop, rowStep, p_.font());
    for (size_t k = 0; k < requests.size(); ++k)
      if (!boxes[k].isEmpty()) text(boxes[k].left(), boxes[k].top(), requests[k].text);
  }
  // Lines of the air's state under the legend in the right margin, then what
  // marks a bridged layer.
  void legendState(const DrawingRows& r, const QStringList& lines) {
    for (int k = 0; k < lines.size(); ++k)
      text(kLegendX, r.top + kLegendStateOffset + k * kLegendLineStep, lines[k]);
    bridgeLegend(r, r.top + kLegendStateOffset + static_cast<int>(lines.size()) * kLegendLineStep + 6);
  }
  void bridgeLegend(const DrawingRows& r, int top);
  void bridgeMark(const DrawingRows& r, int xl, int xr, double share);
  // On a picture through whole pixels, as the chart tests pin; a vector page
  // keeps the exact points, so a curve does not step.
  void polyline(const std::vector<QPointF>& points) {
    if (vector_) {
      p_.drawPolyline(points.data(), static_cast<int>(points.size()));
      return;
    }
    QPolygon line;
    line.reserve(static_cast<int>(points.size()));
    for (const QPointF& pt : points) line << QPoint(Px(pt.x()), Px(pt.y()));
    p_.drawPolyline(line);
  }
  // Inclusive of both ends, in the pen set now (square-capped).
  void upright(int x, int y1, int y2) {
    if (vector_) {
      p_.drawLine(x, y1, x, y2);
      return;
    }
    for (int y = y1; y <= y2; y += kRowsPerPiece) p_.drawLine(x, y, x, std::min(y + kRowsPerPiece - 1, y2));
  }
  void fill(const QRect& area, const QBrush& brush) {
    // Pieces would show their seams on a vector page, which has no thread pool to avoid.
    if (vector_) {
      p_.fillRect(area, brush);
      return;
    }
    for (int y = area.top(); y <= area.bottom(); y += kRowsPerPiece)
      p_.fillRect(QRect(area.left(), y, area.width(), std::min(kRowsPerPiece, area.bottom() - y + 1)), brush);
  }
  // One band from xl to xr: hatch (none for a surface zone), outline, tick.
  void band(const DrawingRows& r, int xl, int xr, const QImage* hatch) {
    const int left = std::min(xl, xr), right = std::max(xl, xr);
    if (hatch && right > left) {
      const QRect area(left, r.top, right - left, r.bottom - r.top);
      fill(area, QBrush(*hatch));
      if (vector_) PaintSheetGrid(p_, r, area);
    }
    // Neighbours share their edge column; ANDing it twice changes nothing. The
    // square cap closes the corners; the tick below, flat, stops short of its
    // end point.
    if (outlines_) {
      outlines_->add(left, right, r, xr);
      return;
    }
    p_.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap));
    p_.drawLine(left, r.top, right, r.top);
    p_.drawLine(left, r.bottom, right, r.bottom);
    upright(left, r.top, r.bottom);
    upright(right, r.top, r.bottom);
    solid();
    p_.drawLine(xr, r.bottom + kTickGap, xr, r.bottom + kTickGap + kTickLength);
  }
  // The outlines and ticks of a run of bands on a picture, drawn together:
  // every stroke there is ANDed in, so their order against the hatches does
  // not matter, and an edge two bands share, or the top and bottom running on
  // across many narrow bands, costs one stroke instead of a stroke per band.
  // With hundreds of layers the strokes one by one cost more than the rest of
  // the chart.
  struct Outlines {
    int top = 0, bottom = 0;
    std::vector<std::pair<int, int>> runs;  // horizontal extents, in band order
    std::vector<int> edges, ticks;
    void add(int left, int right, const DrawingRows& r, int tick) {
      top = r.top;
      bottom = r.bottom;
      runs.emplace_back(left, right);
      edges.push_back(left);
      edges.push_back(right);
      ticks.push_back(tick);
    }
  };
  void strokeOutlines(Outlines& o) {
    QList<QLine> lines;
    std::sort(o.runs.begin(), o.runs.end());
    for (size_t k = 0; k < o.runs.size();) {
      auto [left, right] = o.runs[k];
      // Pixels left to right inclusive: a run touching the next one joins it.
      for (++k; k < o.runs.size() && o.runs[k].first <= right + 1; ++k)
        right = std::max(right, o.runs[k].second);
      lines << QLine(left, o.top, right, o.top) << QLine(left, o.bottom, right, o.bottom);
    }
    std::sort(o.edges.begin(), o.edges.end());
    o.edges.erase(std::unique(o.edges.begin(), o.edges.end()), o.edges.end());
    for (const int x : o.edges)
      for (int y = o.top; y <= o.bottom; y += kRowsPerPiece)
        lines << QLine(x, y, x, std::min(y + kRowsPerPiece - 1, o.bottom));
    p_.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap));
    p_.drawLines(lines);
    lines.clear();
    std::sort(o.ticks.begin(), o.ticks.end());
    o.ticks.erase(std::unique(o.ticks.begin(), o.ticks.end()), o.ticks.end());
    for (const int x : o.ticks) lines << QLine(x, o.bottom + kTickGap, x, o.bottom + kTickGap + kTickLength);
    solid();
    p_.drawLines(lines);
  }
  // The layers over a quantity, from column `start`, with their numbers above
  // them: each layer's band edges as exact (unrounded) columns, first edge
  // included, and the running total at each right edge.
  struct Bands {
    std::vector<double> edges;
    std::vector<double> running;
  };
  template <class Quantity>
  Bands layerBands(const DrawingRows& r, double start, double scale, Quantity quantity, double runningStart);
  // The running totals of the layers, in alternating rows from the first; the caller
  // adds or marks those that are always written.
  static std::vector<LabelRequest> layerTotals(const Bands& bands);
  void totals(const DrawingRows& r, std::vector<LabelRequest> requests) {
    // A long last total ("280 000") would run into the axis title: it moves left.
    for (LabelRequest& t : requests) t.x = std::min(t.x, kTotalsRight - ui::KeptAdvance(p_.font(), t.text));
    textRows(requests, r.totalsRow, kLabelRowStep);
  }
  // The first and the last layer's totals are always written.
  void totals(const DrawingRows& r, const Bands& bands) {
    std::vector<LabelRequest> requests = layerTotals(bands);
    if (!requests.empty()) requests.front().always = requests.back().always = true;
    totals(r, std::move(requests));
  }
  int temperatureRow(const DrawingRows& r, double t) const { return Px(r.zeroRow - r.pixelsPerUnit * t); }
  double pressureRow(const DrawingRows& r, double p) const { return r.zeroRow - r.pixelsPerUnit * p; }
  void airTemperatureLines(const DrawingRows& r);
  // The partial pressure at every layer face, innermost first, from the
  // diffusion resistances; empty when they give no scale.
  std::vector<double> facePartialPressures() const;
  void partialPressureLine(const std::vector<QPointF>& partial, const std::vector<QPointF>& saturation);
  void pressureState(const DrawingRows& r);
  void shade(const std::vector<QPointF>& saturation, const std::vector<QPointF>& partial);
  const QImage& hatchOf(const QString& pattern);

  const int sheetWidth_;
  const bool vector_;
  const ChartData& data_;
  const HatchLoader& hatches_;
  // One tile per pattern and drawing: a layer per band would otherwise ask
  // for its file again, and a PDF keep every picture it is given as one of its own.
  QHash<QString, QImage> hatchesSeen_;
  // Set while the bands of a drawing are laid on a picture (layerBands).
  Outlines* outlines_ = nullptr;
  const int x0_;
  QPainter& p_;
  QFontMetrics metrics_{QFont()};
  int ascent_ = 0;
};

const QImage& Painter::hatchOf(const QString& pattern) {
  auto found = hatchesSeen_.constFind(pattern);
  if (found == hatchesSeen_.cend()) found = hatchesSeen_.insert(pattern, hatches_(pattern));
  return *found;
}

std::optional<double> Painter::scaleFor(double total, const QString& what, const QString& quantity,
                                        const QString& unit) {
  if (Scalable(total)) return width() / total;
  skipped << QStringLiteral("Nie narysowano %1: %2 przegrody (%3 %4) nie pozwala ustalić skali rysunku.")
                 .arg(what, quantity, veltor::FormatGeneral(total), unit);
  return std::nullopt;
}

template <class Quantity>
Painter::Bands Painter::layerBands(const DrawingRows& r, double start, double scale, Quantity quantity,
                                   double runningStart) {
  Bands bands{{start}, {}};
  double running = runningStart;
  double position = start;
  std::vector<LabelRequest> numbers;
  Outlines outlines;
  if (!vector_) outlines_ = &outlines;
  // A hatch that cannot be read ends the drawing; the bands laid by then keep their outlines.
  const auto finish = [this, &outlines] {
    if (!outlines_) return;
    outlines_ = nullptr;
    strokeOutlines(outlines);
  };
  const auto stroked = qScopeGuard(finish);
  const int n = data_.layers.size();
  for (int i = 0; i < n; ++i) {
    const veltor::LayerRecord& layer = data_.layers.at(i);
    const double value = quantity(layer);
    const int xl = Px(position);
    position += value * scale;
    running += value;
    const int xr = Px(position);
    if (const QString pattern = layer.fillPatternText(); pattern.isEmpty()) {
      // A layer typed without a pattern (batch mode's own layers) has no hatch
      // to load: its band stays white rather than the chart being lost.
      band(r, xl, xr, nullptr);
    } else {
      band(r, xl, xr, &hatchOf(pattern));
    }
    if (layer.bridge.present()) bridgeMark(r, xl, xr, layer.bridge.share);
    numbers.push_back({QString::number(i + 1), xl + (xr - xl) / 2 - 3, i % 2, i == 0 || i == n - 1});
    bands.edges.push_back(position);
    bands.running.push_back(running);
  }
  finish();
  textRows(numbers, r.top - kLabelRowStep, -kLabelRowStep);
  return bands;
}

std::vector<LabelRequest> Painter::layerTotals(const Bands& bands) {
  std::vector<LabelRequest> requests;
  for (size_t i = 0; i < bands.running.size(); ++i)
    requests.push_back({Number(bands.running[i]), Px(bands.edges[i + 1]) - 10, static_cast<int>(i % 2)});
  return requests;
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
  const Bands bands = layerBands(
      r, x0_ + rsi * *scale, *scale, [](const veltor::LayerRecord& l) { return l.resistance; }, rsi);
  const int outerLeft = Px(bands.edges.back());
  const int outerRight = Px(bands.edges.back() + rse * *scale);
  band(r, outerLeft, outerRight, nullptr);
  // Rsi and the total resistance frame the layers' totals and are always written.
  std::vector<LabelRequest> requests{{Number(rsi), surface - 10, 1, true}};
  for (LabelRequest& t : layerTotals(bands)) requests.push_back(std::move(t));
  const bool evenCount = data_.layers.size() % 2 == 0;
  requests.push_back({Number(total), outerRight - 10, evenCount ? 0 : 1, true});
  totals(r, std::move(requests));
  legendState(r, {});

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
  const Bands bands = layerBands(
      r, x0_, *scale, [](const veltor::LayerRecord& l) { return l.thickness; }, 0.0);
  totals(r, bands);
  airTemperatureLines(r);
  const int n = data_.layers.size();
  std::vector<LabelRequest> faces;
  for (int i = 0; i <= n; ++i) {
    // Face i is the inner face of layer i, and the last one the outer face of the last layer.
    const double t = i < n ? data_.layers.at(i).innerTemperature : data_.layers.at(n - 1).outerTemperature;
    const QString s = (i == 0 ? QStringLiteral("θsi = ") : QString()) + Decimals(t, 1);
    faces.push_back({s, Px(bands.edges[i]) - ui::KeptAdvance(p_.font(), s) / 2, i % 2, i == 0 || i == n});
  }
  if (n > 0) textRows(faces, kFaceTemperatureRow, -kLabelRowStep);
  for (int i = 0; i < n; ++i) {
    const veltor::LayerRecord& layer = data_.layers.at(i);
    p_.drawLine(Px(bands.edges[i]), temperatureRow(r, layer.innerTemperature), Px(bands.edges[i + 1]),
                temperatureRow(r, layer.outerTemperature));
  }
  // Beside the 0 degC point, the indoor air's dew point, which it is often taken for.
  const veltor::DesignConditions& c = data_.conditions;
  const double dewPoint = veltor::TemperatureForPressure(
      data_.saturation, veltor::PartialPressure(data_.saturation, c.ti, c.phiI));
  legendState(r,
              {QStringLiteral("powietrze wewnętrzne:"),
               QStringLiteral("ti = %1, φi = %2%").arg(Temperature(c.ti)).arg(c.phiI),
               QStringLiteral("temperatura punktu rosy:"), QStringLiteral("td = ") + Temperature(dewPoint)});
  if (!data_.summary.zeroPointDepth || n == 0) return;
  const double depth = *data_.summary.zeroPointDepth;
  const int x = Px(x0_ + depth * *scale);
  p_.setPen(QPen(kZeroPointColour, 1, Qt::DashDotLine, Qt::FlatCap, Qt::MiterJoin));
  p_.drawPolyline(
      QPolygon({QPoint(x, kZeroPointRow), QPoint(x, r.zeroRow), QPoint(x0_ + kAirLineLeft, r.zeroRow)}));
  solid();
  text(x, kZeroPointRow, QStringLiteral("punkt 0 °C: ") + Decimals(depth, 2) + QStringLiteral(" m"),
       kZeroPointColour);
}

std::vector<double> Painter::facePartialPressures() const {
  const veltor::DesignConditions& c = data_.conditions;
  const double total = data_.summary.totalDiffusionResistance;
  if (!Scalable(total)) return {};
  const double pi = veltor::PartialPressure(data_.saturation, c.ti, c.phiI);
  const double pe = ChartOutdoorPartialPressure(data_);
  // The surfaces' resistances lie beyond the last layer, as the upper drawing
  // places them, so the first face has pi.
  std::vector<double> faces{pi};
  double running = 0;
  for (int i = 0; i < data_.layers.size(); ++i) {
    running += data_.layers.at(i).diffusionResistance;
    faces.push_back(pi - (pi - pe) * running / total);
  }
  return faces;
}

void Painter::partialPressureLine(const std::vector<QPointF>& partial,
                                  const std::vector<QPointF>& saturation) {
  shade(saturation, partial);
  solid(Qt::black, 2);
  polyline(partial);
  solid();
}

void Painter::pressureState(const DrawingRows& r) {
  const veltor::DesignConditions& c = data_.conditions;
  legendState(
      r,
      {QStringLiteral("ti = %1, φi = %2%").arg(Temperature(c.ti)).arg(c.phiI),
       QStringLiteral("te = %1, φe = %2%").arg(Temperature(veltor::kSaturationProfileOutdoor)).arg(c.phiE)});
}

// Light red between the partial-pressure line and the saturation line, in
// every pixel column where the partial pressure is the higher of the two (the
// higher pressure is the smaller row).
void Painter::shade(const std::vector<QPointF>& saturation, const std::vector<QPointF>& partial) {
  if (saturation.size() < 2 || partial.size() < 2) return;
  if (vector_) {
    // The same zone as one outline: above the saturation line and below the
    // partial-pressure line (rows grow downwards), the one closed upwards, the
    // other downwards, beyond the drawing.
    const double far = 1e5;
    // The curve comes sampled every millimetre, which a thick layer makes
    // thousands of points; the outlines' intersection need not see more than
    // one point per pixel column.
    QPolygonF above;
    for (size_t k = 0; k < saturation.size(); ++k)
      if (k == 0 || k + 1 == saturation.size() || Px(saturation[k].x()) != Px(above.back().x()))
        above << saturation[k];
    above << QPointF(saturation.back().x(), -far) << QPointF(saturation.front().x(), -far);
    QPolygonF below(QList<QPointF>(partial.begin(), partial.end()));
    below << QPointF(partial.back().x(), far) << QPointF(partial.front().x(), far);
    QPainterPath zone;
    zone.addPolygon(above);
    QPainterPath under;
    under.addPolygon(below);
    p_.fillPath(zone.intersected(under), kCondensationVectorShade);
    return;
  }
  p_.save();
  p_.setCompositionMode(QPainter::CompositionMode_Multiply);
  const QBrush brush(kCondensationShade);
  for (size_t k = 0; k + 1 < saturation.size(); ++k) {
    const QPointF a = saturation[k], b = saturation[k + 1];
    if (b.x() <= a.x()) continue;
    // Each column once: the segment owns [a, b), the last one its end too.
    const int last =
        k + 2 == saturation.size() ? static_cast<int>(std::floor(b.x())) : Px(std::ceil(b.x())) - 1;
    for (int x = Px(std::ceil(a.x())); x <= last; ++x) {
      const double satRow = a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x());
      const double partialRow = RowAt(partial, x);
      if (partialRow < satRow) fill(QRect(QPoint(x, Px(partialRow)), QPoint(x, Px(satRow))), brush);
    }
  }
  p_.restore();
}

// Blocks across the band at the bridge's share of each pitch, hatched
// crosswise and outlined, so the main hatch shows between them.
void Painter::bridgeMark(const DrawingRows& r, int xl, int xr, double share) {
  const int left = std::min(xl, xr), right = std::max(xl, xr);
  if (right - left < 3) return;
  const int rows = std::clamp(static_cast<int>(std::lround(share * kBridgePitch)), kBridgeMinimumRows,
                              kBridgePitch - kBridgeMinimumRows);
  p_.setBrush(BridgeBrush());
  for (int y = r.top + (kBridgePitch - rows) / 2; y + rows < r.bottom; y += kBridgePitch)
    p_.drawRect(QRect(left, y, right - left, rows));
  solid();
}

// Under the legend: the mark's sample, then each bridged layer by its number
// and its bridge (the layer's whole caption stands in the tables), or the
// numbers alone when those lines would run past the drawing: never cut.
void Painter::bridgeLegend(const DrawingRows& r, int top) {
  QStringList lines;
  QStringList numbers;
  const int room = kPictureWidth - kLegendX - 12;
  for (int i = 0; i < data_.layers.size(); ++i) {
    const veltor::LayerBridge& bridge = data_.layers.at(i).bridge;
    if (!bridge.present()) continue;
    numbers << QString::number(i + 1);
    lines << WrapWords(QStringLiteral("%1: %2 (%3 %)")
                           .arg(i + 1)
                           .arg(bridge.material.isEmpty() ? QStringLiteral("mostek") : bridge.material,
                                veltor::FormatGeneral(bridge.share * 100, 3)),
                       room, metrics_);
  }
  const int rowsBelowSample = (r.bottom - top) / kLegendLineStep - 1;
  if (lines.size() > rowsBelowSample)
    lines =
        WrapWords(QStringLiteral("w warstwach %1").arg(numbers.join(QStringLiteral(", "))), room, metrics_);
  if (lines.isEmpty() || lines.size() > rowsBelowSample) return;
  const int sampleWidth = 34;
  p_.setBrush(BridgeBrush());
  p_.drawRect(QRect(kLegendX, top + 3, sampleWidth, 8));
  solid();
  text(kLegendX + sampleWidth + 8, top, QStringLiteral("mostek w warstwie"));
  int y = top + kLegendLineStep;
  for (const QString& line : lines) {
    text(kLegendX, y, line);
    y += kLegendLineStep;
  }
}

void Painter::PressureOverDiffusion() {
  const DrawingRows& r = kPressureOverDiffusion;
  const double total = data_.summary.totalDiffusionResistance;
  const auto scale = scaleFor(total, QStringLiteral("rozkładu ciśnienia pary w skali oporu dyfuzyjnego"),
                              QStringLiteral("opór dyfuzyjny"), veltor::unit::kDiffusionResistance);
  if (!scale) return;
  const Bands bands = layerBands(
      r, x0_, *scale, [](const veltor::LayerRecord& l) { return l.diffusionResistance; }, 0.0);
  totals(r, bands);
  pressureState(r);
  std::vector<QPointF> saturation;
  for (int i = 0; i < data_.layers.size(); ++i) {
    const veltor::LayerRecord& layer = data_.layers.at(i);
    saturation.emplace_back(bands.edges[i], pressureRow(r, layer.innerSaturation));
    saturation.emplace_back(bands.edges[i + 1], pressureRow(r, layer.outerSaturation));
  }
  const std::vector<double> faces = facePartialPressures();
  if (saturation.empty() || faces.empty()) return;
  // Over diffusion resistance the partial pressure is one straight line, on to
  // pe past the surfaces' resistances.
  partialPressureLine({QPointF(x0_, pressureRow(r, faces.front())),
                       QPointF(x0_ + total * *scale, pressureRow(r, ChartOutdoorPartialPressure(data_)))},
                      saturation);
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
  const Bands bands = layerBands(
      r, x0_, *scale, [](const veltor::LayerRecord& l) { return l.thickness; }, 0.0);
  totals(r, bands);
  pressureState(r);
  std::vector<QPointF> saturation;
  for (int i = 0; i < data_.layers.size(); ++i) {
    const veltor::LayerRecord& layer = data_.layers.at(i);
    saturation.emplace_back(bands.edges[i], pressureRow(r, layer.innerSaturation));
    for (const CurveSample& s : SaturationCurve(layer, data_.saturation))
      saturation.emplace_back(bands.edges[i] + s.position * *scale, pressureRow(r, s.pressure));
  }
  const std::vector<double> faces = facePartialPressures();
  if (saturation.empty()) return;
  if (!faces.empty()) {
    // Straight within each layer, bending at the faces as the layers' diffusion
    // resistances differ.
    std::vector<QPointF> partial;
    for (size_t k = 0; k < faces.size(); ++k) partial.emplace_back(bands.edges[k], pressureRow(r, faces[k]));
    partialPressureLine(partial, saturation);
  }
  polyline(saturation);
}

}  // namespace

QString BackgroundPath(const QString& startFolder, int kind) {
  return startFolder + QStringLiteral("/obrazki/wykres%1.bmp").arg(kind);
}

QString HatchPath(const QString& startFolder, const QString& pattern) {
  return startFolder + QStringLiteral("/obrazki/Wypełnienia/") + pattern + QStringLiteral(".bmp");
}

HatchLoader HatchesFrom(const QString& startFolder) {
  return [startFolder](const QString& pattern) { return ui::KeptPicture(HatchPath(startFolder, pattern)); };
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

double ChartOutdoorPartialPressure(const ChartData& data) {
  return veltor::PartialPressure(data.saturation, veltor::kSaturationProfileOutdoor, data.conditions.phiE);
}

namespace {

DrawnChart Draw(Painter& painter, int kind) {
  if (kind == 1) {
    painter.TemperatureOverResistance();
    painter.TemperatureOverThickness();
  } else if (kind == 2) {
    painter.PressureOverDiffusion();
    painter.PressureOverThickness();
  }
  return {painter.skipped, std::move(painter.labels)};
}

}  // namespace

DrawnChart DrawChart(QImage& picture, int kind, const ChartData& data, const HatchLoader& hatches,
                     int originX) {
  if (picture.format() != QImage::Format_RGB32) picture.convertTo(QImage::Format_RGB32);
  QPainter p(&picture);
  Painter painter(p, picture.width(), false, data, hatches, originX);
  return Draw(painter, kind);
}

ui::VectorPage ChartVectorPage(int kind, const ChartData& data, const QString& startFolder) {
  struct Copy {
    veltor::LayerTable layers;
    veltor::PartitionSummary summary;
    veltor::DesignConditions conditions;
    veltor::SaturationTable saturation;
  };
  auto copy =
      std::make_shared<Copy>(Copy{data.layers.copy(), data.summary, data.conditions, data.saturation});
  return {SheetSize(kind), [kind, copy, startFolder](QPainter& painter) {
            PaintChart(painter, kind, {copy->layers, copy->summary, copy->conditions, copy->saturation},
                       HatchesFrom(startFolder));
          }};
}

DrawnChart PaintChart(QPainter& painter, int kind, const ChartData& data, const HatchLoader& hatches) {
  painter.save();
  PaintSheet(painter, kind);
  DrawnChart drawn;
  {
    Painter vector(painter, SheetSize(kind).width(), true, data, hatches, kOriginX);
    drawn = Draw(vector, kind);
  }
  painter.restore();
  return drawn;
}

QStringList ChartNotes(int kind, const ChartData& data, const HatchLoader& hatches) {
  QPicture recording;
  QPainter painter(&recording);
  Painter vector(painter, SheetSize(kind).width(), true, data, hatches, kOriginX);
  return Draw(vector, kind).skipped;
}

}  // namespace chart
