// Draws the report template data/obrazki/raport.bmp: an A4-proportioned page
// carrying every fixed text of the report, drawn by draw/raport_template
// (where the positions it must keep are listed).
// The picture is stored as an 8-bit palette bitmap: it holds a few ramps of
// antialiased text colours only, and a third of the size of a 24-bit one.
// Run from the repository root: make_report_template [output folder]
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

#include "draw/raport_draw.h"

namespace {

// Maps every colour to the nearest of at most 256 that the page holds: the
// drawing uses a handful of inks, and antialiasing only blends them.
QImage toPalette(const QImage& page) {
  QHash<QRgb, int> counts;
  for (int y = 0; y < page.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
    for (int x = 0; x < page.width(); ++x) ++counts[line[x] | 0xff000000u];
  }
  QList<QRgb> colours = counts.keys();
  std::sort(colours.begin(), colours.end(), [&](QRgb a, QRgb b) { return counts[a] > counts[b]; });
  if (colours.size() > 256) colours.resize(256);
  QHash<QRgb, int> nearest;
  auto indexOf = [&](QRgb c) {
    const auto found = nearest.constFind(c);
    if (found != nearest.constEnd()) return *found;
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < colours.size(); ++i) {
      const long dr = qRed(c) - qRed(colours[i]), dg = qGreen(c) - qGreen(colours[i]),
                 db = qBlue(c) - qBlue(colours[i]);
      const long distance = dr * dr + dg * dg + db * db;
      if (bestDistance < 0 || distance < bestDistance) {
        best = i;
        bestDistance = distance;
      }
    }
    nearest.insert(c, best);
    return best;
  };
  QImage indexed(page.size(), QImage::Format_Indexed8);
  indexed.setColorTable(QList<QRgb>(colours.begin(), colours.end()));
  for (int y = 0; y < page.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
    uchar* out = indexed.scanLine(y);
    for (int x = 0; x < page.width(); ++x) out[x] = static_cast<uchar>(indexOf(line[x] | 0xff000000u));
  }
  return indexed;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("data/obrazki");
  QImage page(raport::kTemplateWidth, raport::kTemplateHeight, QImage::Format_RGB32);
  page.fill(Qt::white);
  {
    QPainter p(&page);
    raport::PaintReportTemplate(p);
  }
  const QString path = folder + QStringLiteral("/raport.bmp");
  if (!toPalette(page).save(path, "BMP")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return 1;
  }
  return 0;
}
