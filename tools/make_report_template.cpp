// Draws the report template data/obrazki/raport.bmp: an A4-proportioned page
// carrying every fixed text of the report. The report window draws only values
// onto it, at fixed pixel positions, so this page must keep to them:
//   - the captions of the six header values end left of x = 235 on the lines
//     y = 325, 349, 374, 399 (description) and 443, 466 (conditions), drawn in
//     the report's own 13-pixel face so that caption and value share a baseline;
//   - the column headings of the layer table sit above y = 589, in cells whose
//     borders are the layer rows' borders (x = 13, 38, 508, 548, 588, 628, 668,
//     709), so that row 0 closes the heading row;
//   - everything below y = 589 stays white: rows and the summary are drawn
//     there, and a page grown for many rows goes on below in white, so
//     nothing here may frame the page's lower part.
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

namespace {

constexpr int kWidth = 730;
constexpr int kHeight = 1032;  // A4: 730 * 297 / 210
constexpr int kValueX = 235;
constexpr int kCaptionX = 30;
constexpr int kHeadingX = 21;
constexpr int kTableTop = 513;
constexpr int kRowsTop = 589;
constexpr int kColumns[] = {13, 38, 508, 548, 588, 628, 668, 709};

const QColor kInk(0x20, 0x20, 0x20);
const QColor kBlue(0x1e, 0x5a, 0xa8);
const QColor kGrey(0x70, 0x70, 0x70);
const QColor kFill(0xe8, 0xee, 0xf6);

QFont font(const char* family, int pixelSize, bool bold = false, bool italic = false) {
  QFont f(QString::fromLatin1(family));
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  f.setItalic(italic);
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setKerning(false);
  return f;
}

// The face of the values the report draws: captions share it.
QFont valueFont(bool bold = false) {
  return font("DejaVu Sans", 13, bold);
}

// A text with its top-left corner at (x, y), as the report places its values.
void textAt(QPainter& p, int x, int y, const QString& text) {
  p.drawText(QPointF(x, y + QFontMetrics(p.font()).ascent()), text);
}

void centredText(QPainter& p, const QRect& box, const QString& text) {
  p.drawText(box, Qt::AlignCenter, text);
}

void sectionHeading(QPainter& p, int y, const QString& text) {
  p.setFont(font("DejaVu Sans", 13, true));
  p.setPen(kBlue);
  textAt(p, kHeadingX, y, text);
  const int after = kHeadingX + QFontMetrics(p.font()).horizontalAdvance(text) + 8;
  p.setPen(QPen(kBlue, 1));
  p.drawLine(after, y + 9, kColumns[7] - 9, y + 9);
}

// Caption left of the value column with a dotted line under the value's place.
void caption(QPainter& p, int y, const QString& text) {
  p.setFont(valueFont());
  p.setPen(kInk);
  textAt(p, kCaptionX, y, text);
  const int right = kCaptionX + QFontMetrics(p.font()).horizontalAdvance(text);
  if (right >= kValueX - 4)
    std::fprintf(stderr, "caption '%s' reaches x = %d, over the value\n", qPrintable(text), right);
  p.setPen(QPen(QColor(0xa0, 0xa0, 0xa0), 1, Qt::DotLine));
  p.drawLine(kValueX, y + 18, kColumns[7] - 9, y + 18);
}

// A physical quantity's heading: its symbol, and its unit as a fraction (or
// alone when it has no denominator).
void quantityHeading(QPainter& p, int column, const QString& symbol, const QString& numerator,
                     const QString& denominator) {
  const int left = kColumns[column];
  const int width = kColumns[column + 1] - left;
  p.setPen(kInk);
  p.setFont(font("DejaVu Serif", 17, false, true));
  centredText(p, QRect(left, kTableTop + 6, width, 24), symbol);
  p.setFont(font("DejaVu Sans", 10));
  const QFontMetrics metrics(p.font());
  const int unitWidth =
      std::max(metrics.horizontalAdvance(numerator), metrics.horizontalAdvance(denominator));
  if (unitWidth > width - 4)
    std::fprintf(stderr, "unit %s/%s is %d px, wider than its column\n", qPrintable(numerator),
                 qPrintable(denominator), unitWidth);
  if (denominator.isEmpty()) {
    centredText(p, QRect(left, kTableTop + 38, width, 26), numerator);
    return;
  }
  centredText(p, QRect(left, kTableTop + 34, width, 14), numerator);
  const int bar = kTableTop + 50;
  p.drawLine(left + (width - unitWidth) / 2, bar, left + (width + unitWidth) / 2, bar);
  centredText(p, QRect(left, kTableTop + 52, width, 14), denominator);
}

void drawPage(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, true);

  // Band at the top of the page.
  const QRect band(kColumns[0], 14, kColumns[7] - kColumns[0], 54);
  p.fillRect(band, kFill);
  p.setPen(QPen(kBlue, 2));
  p.drawLine(band.left(), band.bottom(), band.right(), band.bottom());
  p.setFont(font("DejaVu Sans", 26, true));
  p.setPen(kBlue);
  p.drawText(band.adjusted(14, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VELTOR"));
  p.setFont(font("DejaVu Sans", 11));
  p.setPen(kGrey);
  const QRect right = band.adjusted(0, 6, -10, -6);
  p.drawText(right, Qt::AlignRight | Qt::AlignTop,
             QStringLiteral("Program do obliczania parametrów fizykalnych przegrody"));
  p.drawText(right, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("VELTORobl, wersja 0.9"));

  // Title.
  p.setPen(kInk);
  p.setFont(font("DejaVu Sans", 24, true));
  centredText(p, QRect(0, 146, kWidth, 40), QStringLiteral("Obliczenia cieplno-wilgotnościowe przegrody"));
  p.setFont(font("DejaVu Sans", 13));
  p.setPen(kGrey);
  centredText(
      p, QRect(0, 192, kWidth, 22),
      QStringLiteral("opór cieplny R, współczynnik przenikania ciepła U, opór dyfuzyjny, punkt 0 °C"));
  p.setPen(QPen(kBlue, 1));
  p.drawLine(kWidth / 2 - 60, 230, kWidth / 2 + 60, 230);

  // The description and the conditions in a thin frame.
  p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
  p.drawRect(QRect(kColumns[0], 280, kColumns[7] - 1 - kColumns[0], 207));
  sectionHeading(p, 290, QStringLiteral("Opis projektu"));
  caption(p, 325, QStringLiteral("Nazwa przegrody"));
  caption(p, 349, QStringLiteral("Odbiorca"));
  caption(p, 374, QStringLiteral("Projektant"));
  caption(p, 399, QStringLiteral("Data"));

  sectionHeading(p, 420, QStringLiteral("Warunki obliczeniowe"));
  caption(p, 443, QStringLiteral("Kierunek strumienia ciepła"));
  caption(p, 466, QStringLiteral("Warunki wilgotnościowe"));

  // Heading row of the layer table: its cells are the rows' cells, the
  // bottom border is the top border of row 0.
  p.fillRect(QRect(kColumns[0], kTableTop, kColumns[7] - kColumns[0], kRowsTop - kTableTop), kFill);
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(kColumns[0], kTableTop, kColumns[7] - 1, kTableTop);
  p.drawLine(kColumns[0], kRowsTop, kColumns[7] - 1, kRowsTop);
  for (int x : kColumns) {
    const int line = x == kColumns[7] ? x - 1 : x;
    p.drawLine(line, kTableTop, line, kRowsTop);
  }
  p.setFont(font("DejaVu Sans", 11, true));
  centredText(p, QRect(kColumns[0], kTableTop, kColumns[1] - kColumns[0], kRowsTop - kTableTop),
              QStringLiteral("Nr"));
  centredText(p, QRect(kColumns[1], kTableTop, kColumns[2] - kColumns[1], 52), QStringLiteral("Materiał"));
  p.setFont(font("DejaVu Sans", 10));
  p.setPen(kGrey);
  centredText(p, QRect(kColumns[1], kTableTop + 40, kColumns[2] - kColumns[1], 24),
              QStringLiteral("warstwy od strony wewnętrznej do zewnętrznej"));
  quantityHeading(p, 2, QStringLiteral("λ"), QStringLiteral("W"), QStringLiteral("m·K"));
  quantityHeading(p, 3, QStringLiteral("δ"), QStringLiteral("10⁻⁶ g"), QStringLiteral("m·h·Pa"));
  quantityHeading(p, 4, QStringLiteral("d"), QStringLiteral("m"), QString());
  quantityHeading(p, 5, QStringLiteral("R"), QStringLiteral("m²K"), QStringLiteral("W"));
  quantityHeading(p, 6, QStringLiteral("r"), QStringLiteral("m²hPa"), QStringLiteral("g"));
}

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
  QImage page(kWidth, kHeight, QImage::Format_RGB32);
  page.fill(Qt::white);
  {
    QPainter p(&page);
    drawPage(p);
  }
  const QString path = folder + QStringLiteral("/raport.bmp");
  if (!toPalette(page).save(path, "BMP")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return 1;
  }
  return 0;
}
