// Draws the illustrations at the left edge of the system wizard's four steps
// into data/obrazki, each 105 x 381 pixels (the steps' height above their
// line of buttons):
//   system1.png  a brick wall (step 1, the masonry)
//   system2.png  a stack of insulation boards (step 2)
//   system3.png  the grain of a thin render with colour swatches (step 3)
//   system4.png  a cutaway of the finished wall, inside on the left (step 4)
// The textures come from a fixed seed, so every run draws the same pictures.
// Run from the repository root: make_system_pictures [output folder]
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <random>

namespace {

constexpr int kWidth = 105;
constexpr int kHeight = 381;

std::mt19937& rng() {
  static std::mt19937 generator(1321);
  return generator;
}

int randomInt(int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(rng());
}

QImage canvas() {
  QImage img(kWidth, kHeight, QImage::Format_RGB32);
  img.fill(Qt::white);
  return img;
}

void save(const QImage& img, const QString& folder, const QString& name) {
  const QString path = folder + QLatin1Char('/') + name;
  if (!img.save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// A sky fading into the picture's lower part, the common backdrop.
QLinearGradient skyGradient() {
  QLinearGradient g(0, 0, 0, kHeight);
  g.setColorAt(0, QColor(120, 165, 215));
  g.setColorAt(0.6, QColor(200, 222, 240));
  g.setColorAt(1, QColor(235, 240, 245));
  return g;
}

void sky(QPainter& p) {
  p.fillRect(0, 0, kWidth, kHeight, skyGradient());
}

// Fine speckles of a material's grain over `area`.
void grain(QPainter& p, const QRectF& area, QColor base, int count, int spread) {
  for (int i = 0; i < count; ++i) {
    const int shade = randomInt(-spread, spread);
    p.setPen(QColor(qBound(0, base.red() + shade, 255), qBound(0, base.green() + shade, 255),
                    qBound(0, base.blue() + shade, 255)));
    p.drawPoint(QPointF(area.left() + randomInt(0, int(area.width()) - 1),
                        area.top() + randomInt(0, int(area.height()) - 1)));
  }
}

// Bricks in running bond filling `area`, mortar in the joints.
void bricks(QPainter& p, const QRectF& area, int brickWidth, int brickHeight) {
  p.save();
  p.setClipRect(area);
  p.fillRect(area, QColor(205, 200, 190));  // mortar
  const int joint = 2;
  int row = 0;
  for (qreal y = area.top(); y < area.bottom(); y += brickHeight + joint, ++row) {
    const qreal shift = (row % 2) ? -brickWidth / 2.0 : 0;
    for (qreal x = area.left() + shift; x < area.right(); x += brickWidth + joint) {
      const QColor c(randomInt(160, 190), randomInt(70, 90), randomInt(45, 60));
      const QRectF brick(x, y, brickWidth, brickHeight);
      QLinearGradient g(brick.topLeft(), brick.bottomLeft());
      g.setColorAt(0, c.lighter(112));
      g.setColorAt(1, c.darker(112));
      p.fillRect(brick, g);
      grain(p, brick.intersected(area), c, brickWidth * brickHeight / 12, 18);
    }
  }
  p.restore();
}

void drawWall(QImage& img) {
  QPainter p(&img);
  sky(p);
  // The wall rises from the ground, its top edge stepped as a wall under construction.
  const QRectF wall(0, 60, kWidth, kHeight - 60 - 28);
  bricks(p, wall, 30, 11);
  p.fillRect(QRectF(0, 60, 38, 13), skyGradient());
  p.fillRect(QRectF(70, 60, 35, 26), skyGradient());
  // Ground.
  p.fillRect(QRectF(0, kHeight - 28, kWidth, 28), QColor(110, 140, 80));
  grain(p, QRectF(0, kHeight - 28, kWidth, 28), QColor(110, 140, 80), 600, 25);
  // A trowel resting on the top of the wall.
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath blade;
  blade.moveTo(44, 72);
  blade.lineTo(66, 60);
  blade.lineTo(70, 72);
  blade.closeSubpath();
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.setBrush(QColor(190, 195, 200));
  p.drawPath(blade);
  p.setPen(QPen(QColor(120, 70, 30), 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(66, 60), QPointF(80, 48));
}

// One board seen from above and the front: a top face and a front edge.
void board(QPainter& p, qreal x, qreal y, qreal w, qreal depth, qreal thick, QColor face) {
  const QPolygonF top(
      {QPointF(x, y + depth), QPointF(x + depth, y), QPointF(x + w + depth, y), QPointF(x + w, y + depth)});
  const QPolygonF front({QPointF(x, y + depth), QPointF(x + w, y + depth), QPointF(x + w, y + depth + thick),
                         QPointF(x, y + depth + thick)});
  const QPolygonF side({QPointF(x + w, y + depth), QPointF(x + w + depth, y),
                        QPointF(x + w + depth, y + thick), QPointF(x + w, y + depth + thick)});
  p.setPen(QPen(face.darker(150), 1));
  p.setBrush(face);
  p.drawPolygon(top);
  p.setBrush(face.darker(112));
  p.drawPolygon(front);
  p.setBrush(face.darker(125));
  p.drawPolygon(side);
}

void drawBoards(QImage& img) {
  QPainter p(&img);
  sky(p);
  p.fillRect(QRectF(0, kHeight - 40, kWidth, 40), QColor(150, 150, 145));
  p.setRenderHint(QPainter::Antialiasing);
  // A pallet stack: white, graphite and mineral wool boards, the lowest first.
  const QColor kinds[] = {QColor(245, 245, 240), QColor(245, 245, 240), QColor(120, 125, 130),
                          QColor(120, 125, 130), QColor(215, 190, 110), QColor(215, 190, 110),
                          QColor(245, 245, 240), QColor(245, 245, 240), QColor(120, 125, 130)};
  const qreal thick = 22;
  qreal y = kHeight - 40 - 30 - thick;
  for (const QColor& c : kinds) {
    board(p, 8, y, 72, 22, thick, c);
    // Speckles of expanded beads or fibres on the front edge.
    grain(p, QRectF(9, y + 23, 70, thick - 2), c, 180, 30);
    y -= thick;
  }
  // The topmost board, loose and tilted, shows the board's size.
  p.translate(52, 60);
  p.rotate(-12);
  board(p, -40, -10, 74, 22, 10, QColor(245, 245, 240));
}

void drawRender(QImage& img) {
  QPainter p(&img);
  // The render's grain: a light base with darker and lighter grains of one size.
  const QColor base(232, 222, 200);
  p.fillRect(img.rect(), base);
  for (int i = 0; i < 9000; ++i) {
    const int shade = randomInt(-28, 22);
    const QColor c(qBound(0, base.red() + shade, 255), qBound(0, base.green() + shade, 255),
                   qBound(0, base.blue() + shade, 255));
    p.fillRect(QRectF(randomInt(0, kWidth - 2), randomInt(0, kHeight - 2), 2, 2), c);
  }
  // Swatches of the colours a render comes in, as on a sample card.
  const QColor swatches[] = {QColor(240, 238, 230), QColor(225, 200, 150), QColor(200, 120, 80),
                             QColor(150, 175, 190), QColor(170, 185, 140)};
  p.setRenderHint(QPainter::Antialiasing);
  qreal y = 40;
  for (const QColor& c : swatches) {
    const QRectF swatch(18, y, 69, 44);
    p.setPen(QPen(QColor(90, 80, 70), 1));
    p.setBrush(c);
    p.drawRoundedRect(swatch, 4, 4);
    grain(p, swatch.adjusted(2, 2, -2, -2), c, 500, 20);
    y += 58;
  }
}

void drawCutaway(QImage& img) {
  QPainter p(&img);
  sky(p);
  // The layers, inside on the left, with a stepped cut so each shows its face.
  const int top = 30;
  const int bottom = kHeight - 30;
  // Inner plaster-free masonry.
  bricks(p, QRectF(0, top + 40, 46, bottom - top - 40), 22, 10);
  // Insulation boards with their joints.
  const QRectF insulation(46, top + 20, 36, bottom - top - 20);
  p.fillRect(insulation, QColor(245, 245, 240));
  grain(p, insulation, QColor(245, 245, 240), 1600, 22);
  p.setPen(QColor(200, 200, 195));
  for (qreal y = insulation.top() + 50; y < insulation.bottom(); y += 50)
    p.drawLine(QPointF(46, y), QPointF(82, y));
  // Adhesive with its mesh.
  const QRectF adhesive(82, top + 10, 10, bottom - top - 10);
  p.fillRect(adhesive, QColor(190, 190, 185));
  p.setPen(QPen(QColor(90, 140, 200), 1));
  for (qreal y = adhesive.top(); y < adhesive.bottom(); y += 6)
    p.drawLine(QPointF(83, y), QPointF(91, y + 3));
  // Render, the outer face.
  const QRectF renderLayer(92, top, 13, bottom - top);
  p.fillRect(renderLayer, QColor(225, 200, 150));
  grain(p, renderLayer, QColor(225, 200, 150), 500, 25);
  // The ground.
  p.fillRect(QRectF(0, bottom, kWidth, kHeight - bottom), QColor(110, 140, 80));
  p.setPen(QPen(QColor(60, 60, 60), 1, Qt::DashLine));
  p.drawLine(QPointF(0, bottom), QPointF(kWidth, bottom));
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("data/obrazki");
  QDir().mkpath(folder);
  const struct {
    const char* name;
    void (*draw)(QImage&);
  } pictures[] = {{"system1.png", drawWall},
                  {"system2.png", drawBoards},
                  {"system3.png", drawRender},
                  {"system4.png", drawCutaway}};
  for (const auto& picture : pictures) {
    QImage img = canvas();
    picture.draw(img);
    save(img, folder, QString::fromLatin1(picture.name));
  }
  return 0;
}
