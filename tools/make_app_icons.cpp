// Draws the program's desktop icon: a wall in section (plaster, masonry,
// insulation, render) with the temperature falling through it. One list of
// shapes gives both the scalable SVG and the PNGs at the usual hicolor sizes,
// so every size shows the same picture.
//   packaging/icons/veltorobl.svg, packaging/icons/veltorobl-NN.png,
//   packaging/icons/veltorobl.ico (Windows: the program, its installer and
//   the .Veltor file type)
// Run from the repository root: make_app_icons [output folder]
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <vector>

namespace {

constexpr double kBox = 64;  // the design's own units

struct Band {
  double x0, x1;
  const char* fill;
};

// Inside on the left, as the program draws its charts.
const std::vector<Band> kBands = {
    {10, 13, "#e9e4da"},  // plaster
    {13, 31, "#c65a3a"},  // masonry
    {31, 49, "#f3d64c"},  // insulation
    {49, 53, "#d8d2c4"},  // render
};
const QPointF kLine[] = {{6, 16}, {10, 18}, {13, 19}, {31, 25}, {49, 47}, {53, 48}, {58, 50}};

QString svg() {
  QString out = QStringLiteral(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 64\">\n"
      "  <rect x=\"2\" y=\"2\" width=\"60\" height=\"60\" rx=\"9\" fill=\"#f7f5f0\" stroke=\"#4a5560\" "
      "stroke-width=\"2\"/>\n");
  for (const Band& b : kBands)
    out += QStringLiteral(
               "  <rect x=\"%1\" y=\"9\" width=\"%2\" height=\"46\" fill=\"%3\" stroke=\"#303840\" "
               "stroke-width=\"1\"/>\n")
               .arg(b.x0)
               .arg(b.x1 - b.x0)
               .arg(QLatin1String(b.fill));
  out += QStringLiteral(
      "  <polyline fill=\"none\" stroke=\"#1a56b0\" stroke-width=\"3\" "
      "stroke-linejoin=\"round\" stroke-linecap=\"round\" points=\"");
  for (const QPointF& p : kLine) out += QStringLiteral("%1,%2 ").arg(p.x()).arg(p.y());
  out.chop(1);
  out += QStringLiteral("\"/>\n</svg>\n");
  return out;
}

QImage png(int size) {
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / kBox, size / kBox);
  // Thin strokes vanish at 16 px; they keep at least one device pixel.
  const double hair = std::max(1.0, kBox / size);
  p.setPen(QPen(QColor(0x4a, 0x55, 0x60), std::max(2.0, hair)));
  p.setBrush(QColor(0xf7, 0xf5, 0xf0));
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 9, 9);
  p.setPen(QPen(QColor(0x30, 0x38, 0x40), hair));
  for (const Band& b : kBands) {
    p.setBrush(QColor(QString::fromLatin1(b.fill)));
    p.drawRect(QRectF(b.x0, 9, b.x1 - b.x0, 46));
  }
  p.setPen(
      QPen(QColor(0x1a, 0x56, 0xb0), std::max(3.0, 1.5 * hair), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(kLine, static_cast<int>(std::size(kLine)));
  return img;
}

void putLE(QByteArray& out, quint32 value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += char((value >> (8 * i)) & 0xff);
}

// An icon file whose images are PNGs, as Windows reads them since Vista: a
// directory of sizes, then the images.
QByteArray icoFile(std::initializer_list<int> sizes) {
  QList<QByteArray> images;
  for (int size : sizes) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    png(size).save(&buffer, "PNG");
    images.append(bytes);
  }
  QByteArray out;
  putLE(out, 0, 2);
  putLE(out, 1, 2);  // an icon, not a cursor
  putLE(out, quint32(images.size()), 2);
  quint32 offset = 6 + 16 * quint32(images.size());
  int i = 0;
  for (int size : sizes) {
    out += char(size >= 256 ? 0 : size);  // 0 stands for 256
    out += char(size >= 256 ? 0 : size);
    putLE(out, 0, 2);  // no palette, reserved
    putLE(out, 1, 2);  // planes
    putLE(out, 32, 2);
    putLE(out, quint32(images.at(i).size()), 4);
    putLE(out, offset, 4);
    offset += quint32(images.at(i).size());
    ++i;
  }
  for (const QByteArray& image : images) out += image;
  return out;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("packaging/icons");
  QDir().mkpath(folder);
  QFile file(folder + QStringLiteral("/veltorobl.svg"));
  if (!file.open(QIODevice::WriteOnly) || file.write(svg().toUtf8()) < 0) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
    return 1;
  }
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString path = folder + QStringLiteral("/veltorobl-%1.png").arg(size);
    if (!png(size).save(path)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  QFile ico(folder + QStringLiteral("/veltorobl.ico"));
  if (!ico.open(QIODevice::WriteOnly) || ico.write(icoFile({16, 24, 32, 48, 64, 256})) < 0) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(ico.fileName()));
    return 1;
  }
  return 0;
}
