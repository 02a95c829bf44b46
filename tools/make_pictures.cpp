// Draws the program's own still pictures into data/obrazki:
//   ikona0.png .. ikona9.png  the main window's action images, 16 x 16
//                             (new, open, save, help, about, vapour chart,
//                             temperature chart, report, moisture assessment,
//                             dynamic characteristics)
//   glowna.pic                the picture in the middle of the main window, as
//                             the painter's commands (QPicture): the window
//                             replays them at the size it shows the picture at
//   about.png                 the upper picture of the About box
//   about_znak.png            the small bottom picture of the About box
// Run from the repository root: make_pictures [output folder]
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>
#include <functional>
#include <iterator>

#include "calc/calculation.h"
#include "calc/conditions.h"
#include "calc/layer.h"
#include "calc/reftables.h"
#include "calc/transmittance.h"

namespace {

QImage canvas(int w, int h, QColor fill = Qt::transparent) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(fill);
  return img;
}

void save(const QImage& img, const QString& folder, const QString& name) {
  const QString path = folder + QLatin1Char('/') + name;
  if (!img.save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// A sheet of paper with a folded corner, the base of "new" and "report".
void paper(QPainter& p) {
  QPainterPath sheet;
  sheet.moveTo(2.5, 0.5);
  sheet.lineTo(10.5, 0.5);
  sheet.lineTo(13.5, 3.5);
  sheet.lineTo(13.5, 15.5);
  sheet.lineTo(2.5, 15.5);
  sheet.closeSubpath();
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.setBrush(Qt::white);
  p.drawPath(sheet);
  p.setBrush(QColor(210, 210, 210));
  p.drawPolygon(QPolygonF({QPointF(10.5, 0.5), QPointF(10.5, 3.5), QPointF(13.5, 3.5)}));
}

void iconNew(QPainter& p) {
  paper(p);
  // A small star: something freshly started.
  p.setPen(QPen(QColor(230, 170, 0), 1.5));
  p.drawLine(QPointF(8, 7), QPointF(8, 13));
  p.drawLine(QPointF(5, 10), QPointF(11, 10));
  p.drawLine(QPointF(6, 8), QPointF(10, 12));
  p.drawLine(QPointF(10, 8), QPointF(6, 12));
}

void iconOpen(QPainter& p) {
  p.setPen(QPen(QColor(150, 110, 20), 1));
  p.setBrush(QColor(240, 200, 80));
  p.drawPolygon(QPolygonF({QPointF(0.5, 3.5), QPointF(5.5, 3.5), QPointF(7.5, 5.5), QPointF(13.5, 5.5),
                           QPointF(13.5, 14.5), QPointF(0.5, 14.5)}));
  p.setBrush(QColor(255, 225, 120));
  p.drawPolygon(QPolygonF({QPointF(3.5, 8.5), QPointF(15.5, 8.5), QPointF(13.5, 14.5), QPointF(0.5, 14.5)}));
}

void iconSave(QPainter& p) {
  p.setPen(QPen(QColor(20, 40, 90), 1));
  p.setBrush(QColor(50, 90, 170));
  p.drawRect(QRectF(1.5, 1.5, 13, 13));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.5, 1.5, 7, 5));
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(3.5, 9.5, 9, 5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(20, 40, 90));
  p.drawRect(QRectF(9, 2.5, 2, 3));
}

void roundBadge(QPainter& p, QColor colour, const QString& letter) {
  QRadialGradient g(QPointF(6, 5), 9);
  g.setColorAt(0, colour.lighter(160));
  g.setColorAt(1, colour);
  p.setPen(QPen(colour.darker(150), 1));
  p.setBrush(g);
  p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(12);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, letter);
}

void iconHelp(QPainter& p) {
  roundBadge(p, QColor(30, 110, 200), QStringLiteral("?"));
}
void iconAbout(QPainter& p) {
  roundBadge(p, QColor(40, 150, 70), QStringLiteral("i"));
}

// Axes of a small chart, shared by the two chart icons.
void axes(QPainter& p) {
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(0.5, 0.5, 15, 15));
  p.setPen(QPen(QColor(200, 200, 200), 1));
  for (int x = 4; x < 16; x += 4) p.drawLine(QPointF(x + 0.5, 1), QPointF(x + 0.5, 15));
}

void iconVapour(QPainter& p) {
  axes(p);
  p.setPen(QPen(QColor(20, 90, 210), 1.6));
  p.setBrush(Qt::NoBrush);
  QPainterPath curve;
  curve.moveTo(1, 3);
  curve.cubicTo(6, 4, 9, 11, 15, 13);
  p.drawPath(curve);
  // A drop of water.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 130, 230));
  QPainterPath drop;
  drop.moveTo(11, 2);
  drop.cubicTo(13, 5, 14, 6, 14, 7);
  drop.arcTo(QRectF(8, 5, 6, 4), 0, -180);
  drop.cubicTo(8, 6, 9, 5, 11, 2);
  p.drawPath(drop);
}

void iconTemperature(QPainter& p) {
  axes(p);
  p.setPen(QPen(QColor(210, 30, 30), 1.6));
  p.drawPolyline(QPolygonF({QPointF(1, 3), QPointF(5, 4), QPointF(11, 12), QPointF(15, 13)}));
  p.setPen(QPen(QColor(0, 120, 200), 1, Qt::DashLine));
  p.drawLine(QPointF(1, 9.5), QPointF(15, 9.5));
}

void iconReport(QPainter& p) {
  paper(p);
  p.setPen(QPen(QColor(60, 60, 160), 1));
  for (int y = 5; y <= 13; y += 2) p.drawLine(QPointF(4.5, y + 0.5), QPointF(y < 7 ? 9.5 : 11.5, y + 0.5));
}

// A wall in section, inside to the left: masonry, insulation, render, and a
// drop of water at the face where vapour condenses.
void iconMoisture(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(190, 120, 90));
  p.drawRect(QRectF(1, 1, 6, 14));
  p.setBrush(QColor(245, 215, 90));
  p.drawRect(QRectF(7, 1, 5, 14));
  p.setBrush(QColor(170, 170, 170));
  p.drawRect(QRectF(12, 1, 2, 14));
  p.setPen(QPen(QColor(70, 70, 70), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, 14, 15));
  p.setPen(QPen(QColor(150, 110, 20), 1));
  for (double y = 3.5; y < 15; y += 3) p.drawLine(QPointF(8, y), QPointF(11, y));
  p.setPen(QPen(QColor(10, 60, 150), 1));
  p.setBrush(QColor(40, 130, 230));
  QPainterPath drop;
  drop.moveTo(11, 6);
  drop.cubicTo(13.5, 9, 15, 10.5, 15, 12);
  drop.arcTo(QRectF(7, 9.5, 8, 6), 0, -180);
  drop.cubicTo(7, 10.5, 8.5, 9, 11, 6);
  p.drawPath(drop);
}

// A wide outdoor wave and, later and smaller, the one that reaches the room.
void iconDynamics(QPainter& p) {
  const auto wave = [&p](double amplitude, double shift, QColor colour) {
    QPainterPath path;
    for (int x = 0; x <= 15; ++x) {
      const double y = 8 - amplitude * std::sin((x - shift) * 2 * 3.14159265 / 15);
      if (x == 0)
        path.moveTo(0.5 + x, y);
      else
        path.lineTo(0.5 + x, y);
    }
    p.setPen(QPen(colour, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
  };
  wave(6, 0, QColor(220, 90, 30));
  wave(2.2, 5, QColor(30, 90, 200));
}

// The wall the main window's picture shows, inside first: the catalogue's
// cement-lime plaster, solid brick, adhesive, graphite EPS 031 and thin mineral
// render, for ti +20 / te -20 degC and horizontal heat flow (Rsi 0.13, Rse 0.04).
// Its face temperatures come from the calculation itself, so the line drawn
// over the cut wall is the one the program would compute.
struct PictureLayer {
  const char* name;
  double lambda, thickness;
  int x, width;  // px; the bands are not to scale, the temperatures are
  QColor colour;
  Qt::BrushStyle hatch;
};
const PictureLayer kPictureWall[] = {
    {"plaster", 0.82, 0.015, 260, 24, QColor(236, 232, 222), Qt::Dense6Pattern},
    {"brick", 0.77, 0.25, 284, 170, QColor(196, 112, 84), Qt::BDiagPattern},
    {"adhesive", 0.80, 0.005, 454, 14, QColor(200, 200, 200), Qt::Dense5Pattern},
    {"insulation", 0.031, 0.15, 468, 150, QColor(250, 248, 180), Qt::CrossPattern},
    {"render", 0.80, 0.002, 618, 22, QColor(230, 236, 240), Qt::Dense4Pattern},
};
constexpr double kPictureTi = 20, kPictureTe = -20;

veltor::LayerTable PictureWallTemperatures() {
  veltor::DesignConditions conditions;
  conditions.direction = 1;
  conditions.setSurfaceResistancesFromDirection();
  conditions.ti = kPictureTi;
  conditions.te = kPictureTe;
  veltor::LayerTable table;
  for (const PictureLayer& l : kPictureWall) {
    veltor::LayerRecord record;
    record.name = l.name;
    record.lambdaMedium = record.lambdaHumid = l.lambda;
    record.thickness = l.thickness;
    table.AppendLayer(record);
  }
  veltor::PartitionSummary summary;
  summary.totalResistance =
      veltor::ComputeTransmittance(table, conditions, veltor::AirLayerTable{}).totalResistance;
  veltor::ComputeTemperatures(table, summary, conditions);
  std::printf("glowna.pic: R = %.3f, U = %.3f, surfaces %.2f / %.2f degC\n", summary.totalResistance,
              1 / summary.totalResistance, table.at(0).innerTemperature,
              table.at(table.size() - 1).outerTemperature);
  return table;
}

// Text placed as drawText would place it, recorded as its outlines: the window
// replays it without looking up a font, and it looks the same whatever fonts
// the machine it is shown on has. The outlines' curves are recorded as the
// polygons they make, fine enough for twice the picture's size: smaller to
// store and quicker to fill.
void outlinedText(QPainter& p, const QRect& box, int flags, const QString& text) {
  const QRectF placed = p.boundingRect(QRectF(box), flags, text);
  QPainterPath outline;
  outline.addText(placed.left(), placed.top() + QFontMetricsF(p.font()).ascent(), p.font(), text);
  QPainterPath polygons;
  // Glyph contours overlap (the ogonek of "ą" crosses its bowl); only the
  // winding rule keeps every part filled.
  polygons.setFillRule(Qt::WindingFill);
  for (const QPolygonF& polygon : outline.toSubpathPolygons(QTransform::fromScale(2, 2)))
    polygons.addPolygon(QTransform::fromScale(0.5, 0.5).map(polygon));
  p.fillPath(polygons, p.pen().color());
}

// The main window's picture: a wall cut open, its layers from the warm inside
// to the cold outside, with the temperature falling through it. Recorded, not
// rendered: the window draws it at whatever size it has, without decoding or
// keeping a bitmap, on an opaque ground of its own.
QPicture mainPicture() {
  const int w = 900, h = 600;
  QPicture picture;
  picture.setBoundingRect(QRect(0, 0, w, h));
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(QRect(0, 0, w, h), QColor(244, 246, 250));
  QLinearGradient warm(0, 0, 260, 0);
  warm.setColorAt(0, QColor(255, 226, 200));
  warm.setColorAt(1, QColor(255, 246, 236));
  p.fillRect(QRect(0, 0, 260, h), warm);
  QLinearGradient cold(640, 0, w, 0);
  cold.setColorAt(0, QColor(232, 242, 255));
  cold.setColorAt(1, QColor(196, 222, 250));
  p.fillRect(QRect(640, 0, w - 640, h), cold);

  for (const PictureLayer& b : kPictureWall) {
    const QRect r(b.x, 70, b.width, h - 140);
    p.fillRect(r, b.colour);
    p.fillRect(r, QBrush(b.colour.darker(130), b.hatch));
    p.setPen(QPen(QColor(70, 70, 70), 1.5));
    p.drawRect(r);
  }

  // Temperature scale: +20 degC at y 150, -20 degC at y 450. The air on either
  // side takes the surface-resistance drop over its width.
  const auto y = [](double t) { return 300 - 7.5 * t; };
  const veltor::LayerTable wall = PictureWallTemperatures();
  QPolygonF line({QPointF(40, y(kPictureTi)), QPointF(260, y(wall.at(0).innerTemperature))});
  for (int i = 0; i < wall.size(); ++i)
    line << QPointF(kPictureWall[i].x + kPictureWall[i].width, y(wall.at(i).outerTemperature));
  line << QPointF(860, y(kPictureTe));
  p.setPen(QPen(QColor(200, 30, 30), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(line);
  p.setPen(QPen(QColor(30, 100, 200), 2, Qt::DashLine));
  p.drawLine(QPointF(40, y(0)), QPointF(860, y(0)));

  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(30);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(170, 60, 30));
  outlinedText(p, QRect(0, 16, 260, 40), Qt::AlignCenter, QStringLiteral("wewnątrz"));
  p.setPen(QColor(30, 80, 160));
  outlinedText(p, QRect(640, 16, w - 640, 40), Qt::AlignCenter, QStringLiteral("na zewnątrz"));
  f.setPixelSize(22);
  f.setBold(false);
  p.setFont(f);
  // The two air temperatures are the project's: the window writes them at
  // (40, 110) and (660, 460), 22 px high.
  p.setPen(QColor(30, 100, 200));
  outlinedText(p, QRect(660, static_cast<int>(y(0)) - 38, 220, 30), Qt::AlignLeft, QStringLiteral("0 °C"));
  f.setPixelSize(40);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(60, 60, 60));
  outlinedText(p, QRect(0, h - 64, w, 56), Qt::AlignCenter, QStringLiteral("U  ·  R  ·  Umax"));
  p.end();
  return picture;
}

// The About box's upper picture: a house whose wall is wrapped in insulation.
QImage aboutPicture() {
  const int w = 322, h = 306;  // twice the box it is scaled into
  QImage img = canvas(w, h, Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  QLinearGradient sky(0, 0, 0, h);
  sky.setColorAt(0, QColor(205, 228, 252));
  sky.setColorAt(1, Qt::white);
  p.setBrush(sky);
  p.drawRoundedRect(QRectF(4, 4, w - 8, h - 8), 24, 24);
  // Roof.
  p.setBrush(QColor(180, 60, 40));
  p.drawPolygon(QPolygonF({QPointF(40, 140), QPointF(161, 40), QPointF(282, 140)}));
  // Insulation wrapping the walls, then the walls themselves.
  p.setBrush(QColor(250, 240, 140));
  p.drawRect(QRectF(58, 132, 206, 148));
  p.setBrush(QColor(236, 236, 230));
  p.drawRect(QRectF(72, 140, 178, 140));
  p.setBrush(QColor(110, 160, 210));
  p.drawRect(QRectF(98, 170, 44, 44));
  p.drawRect(QRectF(180, 170, 44, 44));
  p.setBrush(QColor(120, 80, 50));
  p.drawRect(QRectF(142, 226, 38, 54));
  // A low winter sun: the cold outside that the insulation keeps out.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 205, 60));
  p.drawEllipse(QPointF(262, 56), 22, 22);
  return img;
}

// The About box's bottom picture: the maker's name on a transparent ground.
QImage aboutMark() {
  const int w = 140, h = 44;
  QImage img = canvas(w, h);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 90, 170));
  p.drawRoundedRect(QRectF(2, 6, 32, 32), 6, 6);
  p.setBrush(QColor(250, 220, 80));
  p.drawRect(QRectF(10, 6, 8, 32));
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(24);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(30, 90, 170));
  p.drawText(QRect(40, 0, w - 40, h), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("VELTOR"));
  return img;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("data/obrazki");
  QDir().mkpath(folder);

  const std::function<void(QPainter&)> icons[] = {iconNew,      iconOpen,    iconSave,        iconHelp,
                                                  iconAbout,    iconVapour,  iconTemperature, iconReport,
                                                  iconMoisture, iconDynamics};
  for (int i = 0; i < static_cast<int>(std::size(icons)); ++i) {
    QImage img = canvas(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    icons[i](p);
    p.end();
    save(img, folder, QStringLiteral("ikona%1.png").arg(i));
  }
  const QString mainPath = folder + QStringLiteral("/glowna.pic");
  if (!mainPicture().save(mainPath)) std::fprintf(stderr, "cannot write %s\n", qPrintable(mainPath));
  save(aboutPicture(), folder, QStringLiteral("about.png"));
  save(aboutMark(), folder, QStringLiteral("about_znak.png"));
  return 0;
}
