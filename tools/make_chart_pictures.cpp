// Draws the chart windows' pictures into data/obrazki:
//   wykres1.bmp, wykres2.bmp   the sheets the temperature and the vapour-pressure
//                              charts are drawn on: scales, grid, axis titles,
//                              legend (drawn by draw/rysunek_sheet, which a
//                              vector page uses directly)
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

#include "draw/rysunek_sheet.h"

namespace {

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
  bool ok = true;
  for (const int kind : {1, 2}) {
    QImage sheet(chart::SheetSize(kind), QImage::Format_RGB32);
    QPainter painter(&sheet);
    const bool fits = chart::PaintSheet(painter, kind);
    painter.end();
    ok = fits && saveBitmap(sheet, folder + QStringLiteral("/wykres%1.bmp").arg(kind)) && ok;
  }
  const std::pair<const char*, std::function<QImage()>> patterns[] = {
      {"cegl", brick},       {"sili", silicate}, {"komo", cellular}, {"beto", concrete},   {"tynk", plaster},
      {"styr", polystyrene}, {"welm", wool},     {"pian", foam},     {"izol", insulation}, {"drew", wood},
      {"plyt", board},       {"foli", foil},     {"powi", air},      {"stal", steel},      {"posa", sand}};
  for (const auto& [name, draw] : patterns)
    ok = saveBitmap(draw(), hatches + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".bmp")) && ok;
  return ok ? 0 : 1;
}
