// Draws the chart windows' pictures into data/obrazki:
//   wykres1.bmp, wykres2.bmp   the sheets the temperature and the vapour-pressure
//                              charts are drawn on: scales, grid, axis titles,
//                              legend, at the rows of draw/rysunek_layout.h
//   Wypełnienia/<pattern>.bmp  the hatch tiles of the layers' fill patterns, in
//                              the manner of Polish construction drawings
// The chart draws over these pictures with the AND of pen and pixel, so a sheet
// must be light wherever a drawing goes, and a hatch light enough for the black
// outlines and profile lines to stay readable over it.
// Run from the repository root: make_chart_pictures [output folder]
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <random>
#include <vector>

#include "draw/rysunek_layout.h"

namespace {

using chart::DrawingRows;

const QColor kInk(40, 40, 40);
const QColor kFrame(150, 150, 150);
const QColor kGridMajor(200, 200, 200);
const QColor kGridMinor(230, 230, 230);

QFont font(int pixelSize, bool bold = false) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

// BMP is what the program loads; an 8-bit palette keeps the sheets small. The
// palette is the picture's own most frequent colours, so lines, type and grid
// keep their exact colours and only a few antialiasing shades move.
bool saveBitmap(const QImage& picture, const QString& path) {
  QHash<QRgb, int> counts;
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) ++counts[line[x]];
  }
  QImage out = rgb;
  if (counts.size() > 256) {
    std::vector<std::pair<int, QRgb>> byCount;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) byCount.emplace_back(it.value(), it.key());
    std::sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) {
      return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    QList<QRgb> palette;
    for (int i = 0; i < 256; ++i) palette.append(byCount[i].second);
    out = rgb.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither | Qt::AvoidDither);
  } else {
    QList<QRgb> palette = counts.keys();
    std::sort(palette.begin(), palette.end());
    out = rgb.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither | Qt::AvoidDither);
  }
  const bool ok = out.save(path, "BMP");
  if (!ok) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return ok;
}

// ---------------------------------------------------------------- the sheets

struct Scale {
  double labelStep;  // a number and a tick
  double majorStep;  // a grid line
  double minorStep;  // a fainter grid line
  double from, to;   // labelled range
  QString title;     // vertical axis
};

struct LegendEntry {
  enum Kind { Line, ThickLine, Dashed, DashDotBlue, Shade, Outline } kind;
  QString text;
};

struct DrawingSheet {
  DrawingRows rows;
  Scale scale;
  QStringList caption;  // what the bands' widths follow
  QString axis;         // horizontal axis title, beside the totals
  std::vector<LegendEntry> legend;
  QString faceRowsTitle = {};  // left of the face temperatures, if the drawing writes them
};

int rowOf(const DrawingRows& rows, double value) {
  return static_cast<int>(std::lround(rows.zeroRow - value * rows.pixelsPerUnit));
}

QString number(double v) {
  QString s = QString::number(v, 'f', 0);
  if (v < 0) s.replace(0, 1, QChar(0x2212));  // a real minus sign
  return s;
}

void legendSample(QPainter& p, LegendEntry::Kind kind, int x, int y) {
  const int w = 34;
  switch (kind) {
    case LegendEntry::Line:
      p.setPen(QPen(Qt::black, 1));
      p.drawLine(x, y, x + w, y);
      break;
    case LegendEntry::ThickLine:
      p.setPen(QPen(Qt::black, 2));
      p.drawLine(x, y, x + w, y);
      break;
    case LegendEntry::Dashed:
      p.setPen(QPen(Qt::black, 1, Qt::DashLine));
      p.drawLine(x, y, x + w, y);
      break;
    case LegendEntry::DashDotBlue:
      p.setPen(QPen(Qt::blue, 1, Qt::DashDotLine));
      p.drawLine(x, y, x + w, y);
      break;
    case LegendEntry::Shade:
      p.setPen(QPen(Qt::black, 1));
      p.setBrush(QColor(255, 200, 200));
      p.drawRect(x, y - 6, w, 12);
      p.setBrush(Qt::NoBrush);
      break;
    case LegendEntry::Outline:
      p.setPen(QPen(Qt::black, 1));
      p.drawRect(x, y - 6, w, 12);
      break;
  }
}

// False when the legend runs into the rows where the drawing writes the air's state.
bool drawDrawing(QPainter& p, const DrawingSheet& d) {
  const DrawingRows& r = d.rows;
  const int left = chart::kOriginX, right = chart::kOriginX + 400;

  // Grid: faint minor lines, stronger labelled ones, the zero line strongest.
  p.setRenderHint(QPainter::Antialiasing, false);
  const auto lines = [&](double step, const QColor& colour) {
    p.setPen(QPen(colour, 1));
    for (double v = std::ceil(((r.zeroRow - r.bottom) / r.pixelsPerUnit) / step) * step; rowOf(r, v) >= r.top;
         v += step) {
      const int y = rowOf(r, v);
      if (y > r.top && y < r.bottom) p.drawLine(left + 1, y, right - 1, y);
    }
  };
  lines(d.scale.minorStep, kGridMinor);
  lines(d.scale.majorStep, kGridMajor);
  p.setPen(QPen(kFrame, 1));
  if (r.zeroRow > r.top && r.zeroRow < r.bottom) p.drawLine(left + 1, r.zeroRow, right - 1, r.zeroRow);
  p.drawRect(left, r.top, right - left, r.bottom - r.top);

  // The scale on the left: ticks and numbers, the axis title turned upright.
  p.setFont(font(11));
  const QFontMetrics fm(p.font());
  for (double v = d.scale.from; v <= d.scale.to + 1e-9; v += d.scale.labelStep) {
    const int y = rowOf(r, v);
    p.setPen(QPen(kInk, 1));
    p.drawLine(left - 6, y, left - 1, y);
    p.drawText(QRect(left - 70, y - 8, 62 - 4, 16), Qt::AlignRight | Qt::AlignVCenter, number(v));
  }
  p.save();
  p.translate(left - 62, (r.top + r.bottom) / 2);
  p.rotate(-90);
  p.setFont(font(12, true));
  p.setPen(kInk);
  p.drawText(QRect(-150, -16, 300, 18), Qt::AlignCenter, d.scale.title);
  p.restore();

  // Inside on the left, outside on the right, in the row of the upper numbers.
  p.setFont(font(11, true));
  p.setPen(QColor(160, 60, 30));
  const int sideRow = r.top - 2 * chart::kLabelRowStep;
  p.drawText(QRect(left - 140, sideRow, 128, 14), Qt::AlignRight | Qt::AlignTop,
             QStringLiteral("wewnątrz ◂"));
  p.setPen(QColor(30, 80, 160));
  p.drawText(QRect(right + 14, sideRow, 170, 14), Qt::AlignLeft | Qt::AlignTop,
             QStringLiteral("▸ na zewnątrz"));

  // Right margin: what the widths follow, then the legend.
  int y = r.top + 2;
  p.setPen(kInk);
  p.setFont(font(12, true));
  for (const QString& line : d.caption) {
    p.drawText(QRect(right + 16, y, 170, 16), Qt::AlignLeft | Qt::AlignTop, line);
    y += 16;
  }
  y += 14;
  p.setFont(font(11));
  for (const LegendEntry& e : d.legend) {
    const QStringList parts = e.text.split(QLatin1Char('\n'));
    legendSample(p, e.kind, right + 16, y + 7);
    p.setPen(kInk);
    for (const QString& part : parts) {
      p.drawText(QRect(right + 58, y, 130, 14), Qt::AlignLeft | Qt::AlignTop, part);
      y += 14;
    }
    y += 8;
  }
  const bool legendFits = y <= r.top + chart::kLegendStateOffset;
  if (!legendFits) std::fprintf(stderr, "the legend of the drawing at row %d is too long\n", r.top);

  // What the numbers above the layer numbers are, in the upper of their rows.
  if (!d.faceRowsTitle.isEmpty()) {
    p.setFont(font(11));
    p.setPen(kInk);
    p.drawText(QRect(left - 140, chart::kFaceTemperatureRow - chart::kLabelRowStep, 120, 14),
               Qt::AlignRight | Qt::AlignTop, d.faceRowsTitle);
  }

  // The horizontal axis title beside the running totals, right of where the
  // last total may end, with an arrow.
  p.setFont(font(11, true));
  p.setPen(kInk);
  const int arrowLeft = chart::kTotalsRight + 4;
  int ay = r.totalsRow;
  for (const QString& part : d.axis.split(QLatin1Char('\n'))) {
    p.drawText(QRect(arrowLeft + 14, ay, 150, 14), Qt::AlignLeft | Qt::AlignTop, part);
    ay += chart::kLabelRowStep;
  }
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kInk, 1));
  const int arrowRow = r.totalsRow + 7;
  p.drawLine(arrowLeft, arrowRow, arrowLeft + 9, arrowRow);
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF({QPointF(arrowLeft + 10, arrowRow), QPointF(arrowLeft + 5, arrowRow - 3),
                           QPointF(arrowLeft + 5, arrowRow + 3)}));
  p.setBrush(Qt::NoBrush);
  p.setRenderHint(QPainter::Antialiasing, false);
  return legendFits;
}

// A null picture when a drawing's legend does not fit.
QImage sheet(int height, const QString& title, const QString& subtitle, int subtitleRow,
             const std::vector<DrawingSheet>& drawings) {
  QImage img(chart::kPictureWidth, height, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::TextAntialiasing);
  // A drawing sheet's border, double as on a printed plan.
  p.setPen(QPen(kFrame, 1));
  p.drawRect(4, 4, img.width() - 9, img.height() - 9);
  p.setPen(QPen(QColor(200, 200, 200), 1));
  p.drawRect(7, 7, img.width() - 15, img.height() - 15);

  p.setPen(kInk);
  p.setFont(font(16, true));
  p.drawText(QRect(0, 10, img.width(), 20), Qt::AlignHCenter | Qt::AlignTop, title);
  p.setFont(font(11));
  p.setPen(QColor(90, 90, 90));
  p.drawText(QRect(0, subtitleRow, img.width(), 14), Qt::AlignHCenter | Qt::AlignTop, subtitle);
  bool fits = true;
  for (const DrawingSheet& d : drawings) fits = drawDrawing(p, d) && fits;
  return fits ? img : QImage();
}

QImage temperatureSheet() {
  const Scale scale{5, 10, 5, -20, 30, QStringLiteral("Temperatura [°C]")};
  const std::vector<LegendEntry> upper = {
      {LegendEntry::Line, QStringLiteral("temperatura\nw przegrodzie")},
      {LegendEntry::Dashed, QStringLiteral("temperatura powietrza\nti (wewnątrz),\nte (na zewnątrz)")},
      {LegendEntry::Outline, QStringLiteral("opory przejmowania\nciepła Rsi, Rse")},
  };
  const std::vector<LegendEntry> lower = {
      {LegendEntry::Line, QStringLiteral("temperatura\nw przegrodzie")},
      {LegendEntry::Dashed, QStringLiteral("temperatura powietrza\nti, te")},
      {LegendEntry::DashDotBlue, QStringLiteral("punkt 0 °C")},
  };
  return sheet(chart::kTemperaturePictureHeight, QStringLiteral("Rozkład temperatury w przegrodzie"),
               QStringLiteral("W skali oporu cieplnego temperatura spada liniowo; w skali grubości – "
                              "najszybciej w izolacji."),
               36,
               {{chart::kTemperatureOverResistance,
                 scale,
                 {QStringLiteral("Przekrój w skali"), QStringLiteral("oporu cieplnego R")},
                 QStringLiteral("Opór cieplny R\n[m²K/W]"),
                 upper},
                {chart::kTemperatureOverThickness,
                 scale,
                 {QStringLiteral("Przekrój w skali"), QStringLiteral("grubości d")},
                 QStringLiteral("Grubość d\n[m]"),
                 lower,
                 QStringLiteral("θ [°C]")}});
}

QImage pressureSheet() {
  const Scale scale{500, 500, 100, 0, 4500, QStringLiteral("Ciśnienie pary wodnej [Pa]")};
  const std::vector<LegendEntry> legend = {
      {LegendEntry::ThickLine, QStringLiteral("ciśnienie cząstkowe\npary wodnej p")},
      {LegendEntry::Line, QStringLiteral("ciśnienie pary\nnasyconej ps\n(na zewnątrz −5 °C)")},
      {LegendEntry::Shade, QStringLiteral("p > ps: strefa\nkondensacji")},
  };
  return sheet(chart::kPressurePictureHeight, QStringLiteral("Rozkład ciśnienia pary wodnej w przegrodzie"),
               QStringLiteral("Para skrapla się tam, gdzie ciśnienie cząstkowe przekracza ciśnienie pary "
                              "nasyconej."),
               28,
               {{chart::kPressureOverDiffusion,
                 scale,
                 {QStringLiteral("Przekrój w skali"), QStringLiteral("oporu dyfuzyjnego r")},
                 QStringLiteral("Opór dyfuzyjny r\n[m²hPa/g]"),
                 legend},
                {chart::kPressureOverThickness,
                 scale,
                 {QStringLiteral("Przekrój w skali"), QStringLiteral("grubości d")},
                 QStringLiteral("Grubość d\n[m]"),
                 legend}});
}

// ---------------------------------------------------------------- the hatches

// Tiles repeat seamlessly: everything drawn near an edge is drawn again one
// tile over, so a stroke leaving on one side enters on the other.
constexpr int kTile = 32;

QImage tile(const QColor& ground) {
  QImage img(kTile, kTile, QImage::Format_RGB32);
  img.fill(ground);
  return img;
}

void wrapped(QImage& img, const std::function<void(QPainter&)>& draw, bool antialias = true) {
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, antialias);
  for (int dy = -kTile; dy <= kTile; dy += kTile) {
    for (int dx = -kTile; dx <= kTile; dx += kTile) {
      p.save();
      p.translate(dx, dy);
      draw(p);
      p.restore();
    }
  }
}

// Straight hatch lines by pixel: `/` when rising, `\` otherwise, every `step`.
void diagonal(QImage& img, int step, bool rising, const QColor& colour, int offset = 0) {
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x) {
      const int k = rising ? x + y : x - y + kTile;
      if ((k + offset) % step == 0) img.setPixelColor(x, y, colour);
    }
}

void dots(QImage& img, const std::vector<QPoint>& at, const QColor& colour) {
  for (const QPoint& pt : at) img.setPixelColor(pt.x() % kTile, pt.y() % kTile, colour);
}

// A fixed, even scatter: one point in some of the 4 x 4 cells of the tile, at
// a random place in it. The same at every run (the engine's sequence is fixed
// by the standard; the distributions are not, so none is used).
std::vector<QPoint> scatter(unsigned percent, unsigned seed) {
  std::mt19937 engine(seed);
  std::vector<QPoint> points;
  for (int cy = 0; cy < kTile; cy += 4)
    for (int cx = 0; cx < kTile; cx += 4) {
      const int x = cx + static_cast<int>(engine() % 4), y = cy + static_cast<int>(engine() % 4);
      if (engine() % 100 < percent) points.emplace_back(x, y);
    }
  return points;
}

// Ceramic brick: the plain diagonal hatch of masonry.
QImage brick() {
  QImage img = tile(QColor(255, 244, 240));
  diagonal(img, 8, true, QColor(200, 96, 72));
  return img;
}

// Silicate brick: the masonry hatch crossed by a fainter one.
QImage silicate() {
  QImage img = tile(QColor(246, 246, 250));
  diagonal(img, 16, false, QColor(176, 176, 200));
  diagonal(img, 8, true, QColor(128, 128, 160));
  return img;
}

// Aerated concrete: a sparse masonry hatch with the pores between.
QImage cellular() {
  QImage img = tile(QColor(250, 250, 244));
  diagonal(img, 16, true, QColor(150, 150, 130));
  wrapped(img, [](QPainter& p) {
    p.setPen(QPen(QColor(150, 150, 130), 1));
    for (const QPointF c : {QPointF(6, 5), QPointF(22, 13), QPointF(12, 24), QPointF(27, 28)})
      p.drawEllipse(c, 1.8, 1.8);
  });
  return img;
}

// Concrete: dots and small stones (triangles).
QImage concrete() {
  QImage img = tile(QColor(246, 246, 246));
  dots(img, scatter(30, 7), QColor(120, 120, 120));
  wrapped(img, [](QPainter& p) {
    p.setPen(QPen(QColor(110, 110, 110), 1));
    const auto stone = [&p](QPointF a, QPointF b, QPointF c) { p.drawPolygon(QPolygonF({a, b, c})); };
    stone(QPointF(3, 9), QPointF(10, 6), QPointF(7, 12));
    stone(QPointF(21, 2), QPointF(24, 7), QPointF(19, 6));
    stone(QPointF(13, 18), QPointF(20, 21), QPointF(12, 25));
    stone(QPointF(27, 21), QPointF(29, 25), QPointF(25, 24));
  });
  return img;
}

// Plaster and mortar: a fine stipple.
QImage plaster() {
  QImage img = tile(QColor(252, 248, 236));
  dots(img, scatter(55, 3), QColor(150, 140, 110));
  return img;
}

// Insulations run as a line along the layer (the bands stand upright): zig-zag
// for expanded polystyrene, loops for mineral wool.
QImage polystyrene() {
  QImage img = tile(QColor(255, 254, 236));
  wrapped(img, [](QPainter& p) {
    p.setPen(QPen(QColor(150, 150, 180), 1));
    QPolygonF zig;
    for (int k = 0; k <= 4; ++k) zig << QPointF(k % 2 ? 27 : 5, k * 8);
    p.drawPolyline(zig);
  });
  return img;
}

QImage wool() {
  QImage img = tile(QColor(254, 252, 230));
  wrapped(img, [](QPainter& p) {
    p.setPen(QPen(QColor(140, 130, 80), 1));
    QPainterPath path;
    path.moveTo(16, 0);
    for (int k = 0; k < 2; ++k) {
      const double y = k * 16;
      path.cubicTo(QPointF(30, y + 1), QPointF(30, y + 9), QPointF(16, y + 8));
      path.cubicTo(QPointF(2, y + 7), QPointF(2, y + 15), QPointF(16, y + 16));
    }
    p.drawPath(path);
  });
  return img;
}

// Polyurethane and PIR boards: a tight zig-zag with the foam's cells.
QImage foam() {
  QImage img = tile(QColor(250, 252, 240));
  wrapped(img, [](QPainter& p) {
    p.setPen(QPen(QColor(110, 140, 110), 1));
    QPolygonF zig;
    for (int k = 0; k <= 8; ++k) zig << QPointF(k % 2 ? 22 : 10, k * 4);
    p.drawPolyline(zig);
    p.drawEllipse(QPointF(4, 8), 1.5, 1.5);
    p.drawEllipse(QPointF(28, 24), 1.5, 1.5);
  });
  return img;
}

// Other insulations (foam glass, fibre board, cork, loose clay): a gentle wave
// with short strokes across it.
QImage insulation() {
  QImage img = tile(QColor(252, 250, 238));
  wrapped(img, [](QPainter& p) {
    p.setPen(QPen(QColor(130, 120, 90), 1));
    QPolygonF wave;
    for (int y = 0; y <= kTile; ++y) wave << QPointF(16 + 9 * std::sin(y * 2 * std::numbers::pi / kTile), y);
    p.drawPolyline(wave);
    p.drawLine(QPointF(2, 8), QPointF(6, 8));
    p.drawLine(QPointF(26, 24), QPointF(30, 24));
  });
  return img;
}

// Wood: grain lines running along the board, gently waving, with a knot.
QImage wood() {
  QImage img = tile(QColor(252, 242, 226));
  wrapped(img, [](QPainter& p) {
    p.setPen(QPen(QColor(175, 125, 75), 1));
    const double lines[][3] = {{5, 1.5, 0}, {14, 2.5, 1.2}, {25, 2, 2.6}};  // column, amplitude, phase
    for (const auto& [x, amplitude, phase] : lines) {
      QPolygonF grain;
      for (int y = 0; y <= kTile; ++y)
        grain << QPointF(x + amplitude * std::sin(y * 2 * std::numbers::pi / kTile + phase), y);
      p.drawPolyline(grain);
    }
    p.drawEllipse(QPointF(20, 9), 1.5, 3.5);
  });
  return img;
}

// Boards (gypsum, cement-bonded): paired lines along the board with a stipple.
QImage board() {
  QImage img = tile(QColor(248, 248, 252));
  for (int y = 0; y < kTile; ++y) {
    img.setPixelColor(4, y, QColor(150, 150, 170));
    img.setPixelColor(20, y, QColor(150, 150, 170));
  }
  dots(img, {QPoint(12, 6), QPoint(12, 22), QPoint(28, 14), QPoint(28, 30)}, QColor(130, 130, 150));
  return img;
}

// Foils and membranes: a dash-dot line along the layer.
QImage foil() {
  QImage img = tile(QColor(240, 246, 255));
  for (int y = 0; y < kTile; ++y) {
    const int k = y % 16;
    if (k < 9 || k == 12) {
      img.setPixelColor(8, y, QColor(60, 90, 160));
      img.setPixelColor(24, (y + 8) % kTile, QColor(60, 90, 160));
    }
  }
  return img;
}

// An unventilated air layer: almost empty, a few faint rings.
QImage air() {
  QImage img = tile(QColor(246, 251, 255));
  wrapped(img, [](QPainter& p) {
    p.setPen(QPen(QColor(170, 200, 230), 1));
    p.drawEllipse(QPointF(8, 8), 2, 2);
    p.drawEllipse(QPointF(24, 24), 2, 2);
  });
  return img;
}

// Steel: the dense double hatch of metal sections.
QImage steel() {
  QImage img = tile(QColor(236, 240, 246));
  diagonal(img, 8, true, QColor(90, 100, 130));
  diagonal(img, 8, true, QColor(150, 160, 180), 2);
  return img;
}

// Floor finish and sand fill: dots of two sizes.
QImage sand() {
  QImage img = tile(QColor(252, 248, 232));
  dots(img, scatter(45, 11), QColor(160, 140, 90));
  wrapped(img, [](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 150, 100));
    for (const QPointF c : {QPointF(7, 20), QPointF(19, 9), QPointF(27, 27)}) p.drawEllipse(c, 1.2, 1.2);
  });
  return img;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("data/obrazki");
  const QString hatches = folder + QStringLiteral("/Wypełnienia");
  QDir().mkpath(hatches);
  bool ok = saveBitmap(temperatureSheet(), folder + QStringLiteral("/wykres1.bmp"));
  ok = saveBitmap(pressureSheet(), folder + QStringLiteral("/wykres2.bmp")) && ok;
  const std::pair<const char*, std::function<QImage()>> patterns[] = {
      {"cegl", brick},       {"sili", silicate}, {"komo", cellular}, {"beto", concrete},   {"tynk", plaster},
      {"styr", polystyrene}, {"welm", wool},     {"pian", foam},     {"izol", insulation}, {"drew", wood},
      {"plyt", board},       {"foli", foil},     {"powi", air},      {"stal", steel},      {"posa", sand}};
  for (const auto& [name, draw] : patterns)
    ok = saveBitmap(draw(), hatches + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".bmp")) && ok;
  return ok ? 0 : 1;
}
