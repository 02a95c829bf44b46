// Draws the help page's sketch of the partitions on the ground into
// data/Pomoc/grunt.png: three sections side by side (a floor on the ground with
// edge insulation, a suspended floor over a crawl space, a basement), each with
// the dimensions the ground window asks for.
// Run from the repository root: make_ground_sketch [output file]
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 340;
constexpr int kPanel = kWidth / 3;
constexpr int kGroundY = 150;  // the ground's surface outside

const QColor kSoil(222, 200, 160);
const QColor kWall(190, 190, 190);
const QColor kInsulation(250, 230, 90);
const QColor kAir(205, 230, 250);
const QColor kDimension(30, 80, 170);

void soil(QPainter& p, int x0, int y, int x1) {
  p.fillRect(QRect(x0, y, x1 - x0, kHeight - 40 - y), kSoil);
  p.setPen(QPen(Qt::black, 2));
  p.drawLine(x0, y, x1, y);
}

// A dimension line with arrows at both ends and its label beside it.
void dimension(QPainter& p, QPointF a, QPointF b, const QString& label, QPointF at) {
  p.setPen(QPen(kDimension, 1.5));
  p.drawLine(a, b);
  const QPointF d = (b - a) / std::max(1.0, std::hypot(b.x() - a.x(), b.y() - a.y()));
  const QPointF n(-d.y(), d.x());
  for (const auto& [tip, dir] : {std::pair{a, d}, std::pair{b, -d}}) {
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(tip + dir * 8 + n * 4);
    arrow.lineTo(tip + dir * 8 - n * 4);
    arrow.closeSubpath();
    p.fillPath(arrow, kDimension);
  }
  p.setPen(kDimension);
  p.drawText(at, label);
}

void caption(QPainter& p, int x0, const QString& text) {
  QFont f = p.font();
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::black);
  p.drawText(QRect(x0, kHeight - 34, kPanel, 30), Qt::AlignCenter, text);
  f.setBold(false);
  p.setFont(f);
}

void slab(QPainter& p, int x0) {
  soil(p, x0 + 10, kGroundY, x0 + kPanel - 10);
  // The wall outside and the floor inside.
  p.fillRect(QRect(x0 + 60, 40, 30, kGroundY + 40 - 40), kWall);
  p.fillRect(QRect(x0 + 90, kGroundY - 20, kPanel - 110, 20), kWall);
  p.fillRect(QRect(x0 + 90, kGroundY - 32, kPanel - 110, 12), kInsulation);
  // Vertical edge insulation on the foundation's outer face.
  p.fillRect(QRect(x0 + 50, kGroundY - 10, 10, 80), kInsulation);
  p.setPen(QPen(Qt::black, 1));
  p.drawRect(QRect(x0 + 60, 40, 30, kGroundY));
  dimension(p, {x0 + 60.0, 30}, {x0 + 90.0, 30}, QStringLiteral("w"), {x0 + 70.0, 24});
  dimension(p, {x0 + 40.0, kGroundY - 10.0}, {x0 + 40.0, kGroundY + 70.0}, QStringLiteral("D"),
            {x0 + 22.0, kGroundY + 35.0});
  dimension(p, {x0 + 100.0, kGroundY - 60.0}, {x0 + kPanel - 20.0, kGroundY - 60.0},
            QStringLiteral("A, P: podłoga i jej obwód"), {x0 + 110.0, kGroundY - 66.0});
  caption(p, x0, QStringLiteral("Podłoga na gruncie"));
}

void suspended(QPainter& p, int x0) {
  soil(p, x0 + 10, kGroundY, x0 + kPanel - 10);
  const int floorY = kGroundY - 60;
  p.fillRect(QRect(x0 + 90, floorY + 18, kPanel - 110, kGroundY - floorY - 18), kAir);
  p.fillRect(QRect(x0 + 60, 40, 30, kGroundY + 40 - 40), kWall);
  p.fillRect(QRect(x0 + 90, floorY, kPanel - 110, 18), kWall);
  // A ventilation opening in the crawl-space wall.
  p.fillRect(QRect(x0 + 60, floorY + 30, 30, 10), kAir);
  p.setPen(QPen(Qt::black, 1));
  p.drawRect(QRect(x0 + 60, 40, 30, kGroundY));
  p.setPen(kDimension);
  p.drawText(QPointF(x0 + 120, floorY + 45), QStringLiteral("przestrzeń podpodłogowa"));
  p.drawText(QPointF(x0 + 94, floorY + 38), QStringLiteral("ε"));
  dimension(p, {x0 + 40.0, floorY + 0.0}, {x0 + 40.0, kGroundY + 0.0}, QStringLiteral("h"),
            {x0 + 26.0, floorY + 35.0});
  p.drawText(QPointF(x0 + 120, floorY - 8), QStringLiteral("Uf: warstwy podłogi"));
  p.drawText(QPointF(x0 + 20, 30), QStringLiteral("Uw ścian, wiatr v, fw"));
  caption(p, x0, QStringLiteral("Podłoga podniesiona"));
}

void basement(QPainter& p, int x0) {
  soil(p, x0 + 10, kGroundY - 60, x0 + kPanel - 10);
  const int floorY = kGroundY + 60;
  p.fillRect(QRect(x0 + 90, 40, kPanel - 110, floorY - 40), QColor(245, 245, 245));
  p.fillRect(QRect(x0 + 60, 40, 30, floorY + 20 - 40), kWall);
  p.fillRect(QRect(x0 + 90, floorY, kPanel - 110, 20), kWall);
  p.setPen(QPen(Qt::black, 1));
  p.drawRect(QRect(x0 + 60, 40, 30, floorY + 20 - 40));
  dimension(p, {x0 + 40.0, kGroundY - 60.0}, {x0 + 40.0, floorY + 0.0}, QStringLiteral("z"),
            {x0 + 26.0, kGroundY});
  p.setPen(kDimension);
  p.drawText(QPointF(x0 + 100, floorY - 8), QStringLiteral("Ubf: podłoga piwnicy"));
  p.drawText(QPointF(x0 + 96, kGroundY), QStringLiteral("Ubw: ściany (Rw)"));
  p.drawText(QPointF(x0 + 100, 60), QStringLiteral("n, V: piwnica nieogrzewana"));
  caption(p, x0, QStringLiteral("Piwnica"));
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("data/Pomoc/grunt.png");
  QImage picture(kWidth, kHeight, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(13);
  p.setFont(font);
  slab(p, 0);
  suspended(p, kPanel);
  basement(p, 2 * kPanel);
  p.end();
  if (!picture.save(out, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
    return 1;
  }
  return 0;
}
