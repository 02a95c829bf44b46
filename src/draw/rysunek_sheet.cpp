// The chart sheets: scales, grid, axis titles and legend, at the rows of
// rysunek_layout.h. The picture generator draws them into the BMP backgrounds
// the windows draw on; a vector page (a PDF, a printer) gets them from here
// directly, so that their texts stay texts there.
#include "draw/rysunek_sheet.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <QtGlobal>
#include <cmath>
#include <vector>

#include "calc/numbers.h"
#include "draw/rysunek_layout.h"

namespace chart {

namespace {

const QColor kInk(40, 40, 40);
const QColor kFrame(150, 150, 150);
const QColor kGridMajor(200, 200, 200);
const QColor kGridMinor(230, 230, 230);

// Not ui::DrawingFont: the sheets were drawn with kerning, and the pictures
// made from here must stay as they are.
QFont font(int pixelSize, bool bold = false) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

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
  return veltor::FormatPolish(v, 0);
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

const Scale kTemperatureScale{5, 10, 5, -20, 30, QStringLiteral("Temperatura [°C]")};
const Scale kPressureScale{500, 500, 100, 0, 4500, QStringLiteral("Ciśnienie pary wodnej [Pa]")};

// Grid: faint minor lines, stronger labelled ones, the zero line strongest.
void drawGrid(QPainter& p, const DrawingRows& r, const Scale& scale) {
  const int left = kOriginX, right = kOriginX + 400;
  p.setRenderHint(QPainter::Antialiasing, false);
  const auto lines = [&](double step, const QColor& colour) {
    p.setPen(QPen(colour, 1));
    for (double v = std::ceil(((r.zeroRow - r.bottom) / r.pixelsPerUnit) / step) * step; rowOf(r, v) >= r.top;
         v += step) {
      const int y = rowOf(r, v);
      if (y > r.top && y < r.bottom) p.drawLine(left + 1, y, right - 1, y);
    }
  };
  lines(scale.minorStep, kGridMinor);
  lines(scale.majorStep, kGridMajor);
  p.setPen(QPen(kFrame, 1));
  if (r.zeroRow > r.top && r.zeroRow < r.bottom) p.drawLine(left + 1, r.zeroRow, right - 1, r.zeroRow);
}

// False when the legend runs into the rows where the drawing writes the air's state.
bool drawDrawing(QPainter& p, const DrawingSheet& d) {
  const DrawingRows& r = d.rows;
  const int left = kOriginX, right = kOriginX + 400;

  drawGrid(p, r, d.scale);
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
  const int sideRow = r.top - 2 * kLabelRowStep;
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
  const bool legendFits = y <= r.top + kLegendStateOffset;
  if (!legendFits) qWarning("the legend of the drawing at row %d is too long", r.top);

  // What the numbers above the layer numbers are, in the upper of their rows.
  if (!d.faceRowsTitle.isEmpty()) {
    p.setFont(font(11));
    p.setPen(kInk);
    p.drawText(QRect(left - 140, kFaceTemperatureRow - kLabelRowStep, 120, 14), Qt::AlignRight | Qt::AlignTop,
               d.faceRowsTitle);
  }

  // The horizontal axis title beside the running totals, right of where the
  // last total may end, with an arrow.
  p.setFont(font(11, true));
  p.setPen(kInk);
  const int arrowLeft = kTotalsRight + 4;
  int ay = r.totalsRow;
  for (const QString& part : d.axis.split(QLatin1Char('\n'))) {
    p.drawText(QRect(arrowLeft + 14, ay, 150, 14), Qt::AlignLeft | Qt::AlignTop, part);
    ay += kLabelRowStep;
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

// False when a drawing's legend does not fit.
bool sheet(QPainter& p, int height, const QString& title, const QString& subtitle, int subtitleRow,
           const std::vector<DrawingSheet>& drawings) {
  const QRect img(0, 0, kPictureWidth, height);
  p.save();
  p.fillRect(img, Qt::white);
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
  p.restore();
  return fits;
}

bool temperatureSheet(QPainter& p) {
  const Scale& scale = kTemperatureScale;
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
  return sheet(p, kTemperaturePictureHeight, QStringLiteral("Rozkład temperatury w przegrodzie"),
               QStringLiteral("W skali oporu cieplnego temperatura spada liniowo; w skali grubości – "
                              "najszybciej w izolacji."),
               36,
               {{kTemperatureOverResistance,
                 scale,
                 {QStringLiteral("Przekrój w skali"), QStringLiteral("oporu cieplnego R")},
                 QStringLiteral("Opór cieplny R\n[m²K/W]"),
                 upper},
                {kTemperatureOverThickness,
                 scale,
                 {QStringLiteral("Przekrój w skali"), QStringLiteral("grubości d")},
                 QStringLiteral("Grubość d\n[m]"),
                 lower,
                 QStringLiteral("θ [°C]")}});
}

bool pressureSheet(QPainter& p) {
  const Scale& scale = kPressureScale;
  const std::vector<LegendEntry> legend = {
      {LegendEntry::ThickLine, QStringLiteral("ciśnienie cząstkowe\npary wodnej p")},
      {LegendEntry::Line, QStringLiteral("ciśnienie pary\nnasyconej ps\n(na zewnątrz −5 °C)")},
      {LegendEntry::Shade, QStringLiteral("p > ps: strefa\nkondensacji")},
  };
  return sheet(p, kPressurePictureHeight, QStringLiteral("Rozkład ciśnienia pary wodnej w przegrodzie"),
               QStringLiteral("Para skrapla się tam, gdzie ciśnienie cząstkowe przekracza ciśnienie pary "
                              "nasyconej."),
               28,
               {{kPressureOverDiffusion,
                 scale,
                 {QStringLiteral("Przekrój w skali"), QStringLiteral("oporu dyfuzyjnego r")},
                 QStringLiteral("Opór dyfuzyjny r\n[m²·h·Pa/g]"),
                 legend},
                {kPressureOverThickness,
                 scale,
                 {QStringLiteral("Przekrój w skali"), QStringLiteral("grubości d")},
                 QStringLiteral("Grubość d\n[m]"),
                 legend}});
}

}  // namespace

QSize SheetSize(int kind) {
  return QSize(kPictureWidth, kind == 1 ? kTemperaturePictureHeight : kPressurePictureHeight);
}

bool PaintSheet(QPainter& painter, int kind) {
  return kind == 1 ? temperatureSheet(painter) : pressureSheet(painter);
}

void PaintSheetGrid(QPainter& painter, const DrawingRows& rows, const QRect& area) {
  painter.save();
  painter.setClipRect(area, Qt::IntersectClip);
  const bool temperature = &rows == &kTemperatureOverResistance || &rows == &kTemperatureOverThickness;
  drawGrid(painter, rows, temperature ? kTemperatureScale : kPressureScale);
  painter.restore();
}

}  // namespace chart
