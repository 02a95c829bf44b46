// The report page's template (raport.bmp): every fixed text of the page,
// drawn by code. The template generator makes the BMP the windows draw on
// from here; a vector page (a PDF, a printer) paints it directly, so that its
// captions stay texts. Positions are those the page's values are drawn at:
//   - the captions of the six header values end left of x = 235 on the lines
//     y = 325, 349, 374, 399 (description) and 443, 466 (conditions), drawn in
//     the report's own 13-pixel face so that caption and value share a baseline;
//   - the column headings of the layer table sit above y = 589, in cells whose
//     borders are the layer rows' borders (x = 13, 38, 508, 548, 588, 628, 668,
//     709), so that row 0 closes the heading row;
//   - everything below y = 589 stays white: rows and the summary are drawn
//     there, and a page grown for many rows goes on below in white, so
//     nothing here may frame the page's lower part.
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QtGlobal>
#include <algorithm>

#include "draw/raport_draw.h"

namespace raport {

namespace {

constexpr int kValueX = 235;
constexpr int kCaptionX = 30;
constexpr int kHeadingX = 21;
constexpr int kTableTop = 513;
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
  if (right >= kValueX - 4) qWarning("caption '%s' reaches x = %d, over the value", qPrintable(text), right);
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
    qWarning("unit %s/%s is %d px, wider than its column", qPrintable(numerator), qPrintable(denominator),
             unitWidth);
  if (denominator.isEmpty()) {
    centredText(p, QRect(left, kTableTop + 38, width, 26), numerator);
    return;
  }
  centredText(p, QRect(left, kTableTop + 34, width, 14), numerator);
  const int bar = kTableTop + 50;
  p.drawLine(left + (width - unitWidth) / 2, bar, left + (width + unitWidth) / 2, bar);
  centredText(p, QRect(left, kTableTop + 52, width, 14), denominator);
}

}  // namespace

void PaintReportTemplate(QPainter& p) {
  p.save();
  p.fillRect(QRect(0, 0, kTemplateWidth, kTemplateHeight), Qt::white);
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
  centredText(p, QRect(0, 146, kTemplateWidth, 40),
              QStringLiteral("Obliczenia cieplno-wilgotnościowe przegrody"));
  p.setFont(font("DejaVu Sans", 13));
  p.setPen(kGrey);
  centredText(
      p, QRect(0, 192, kTemplateWidth, 22),
      QStringLiteral("opór cieplny R, współczynnik przenikania ciepła U, opór dyfuzyjny, punkt 0 °C"));
  p.setPen(QPen(kBlue, 1));
  p.drawLine(kTemplateWidth / 2 - 60, 230, kTemplateWidth / 2 + 60, 230);

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
  p.fillRect(QRect(kColumns[0], kTableTop, kColumns[7] - kColumns[0], kRowTop - kTableTop), kFill);
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(kColumns[0], kTableTop, kColumns[7] - 1, kTableTop);
  p.drawLine(kColumns[0], kRowTop, kColumns[7] - 1, kRowTop);
  for (int x : kColumns) {
    const int line = x == kColumns[7] ? x - 1 : x;
    p.drawLine(line, kTableTop, line, kRowTop);
  }
  p.setFont(font("DejaVu Sans", 11, true));
  centredText(p, QRect(kColumns[0], kTableTop, kColumns[1] - kColumns[0], kRowTop - kTableTop),
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
  p.restore();
}

}  // namespace raport
