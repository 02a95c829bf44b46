#include "draw/dynamika_draw.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

#include "calc/errors.h"
#include "calc/numbers.h"
#include "draw/fixedfont.h"
#include "draw/raport_draw.h"

namespace dynamika {

namespace {

const QColor kAxisColour(120, 120, 120);
const QColor kGridColour(220, 220, 220);
const QColor kMarkColour(40, 40, 40);

// Units, once: the table and the picture write them the same way.
const QString kUnitTransmittance = QStringLiteral("W/(m²·K)");
const QString kUnitHours = QStringLiteral("h");
const QString kUnitNone = QStringLiteral("–");
const QString kUnitCapacity = QStringLiteral("kJ/(m²·K)");

// Three significant digits: the inputs (λ, ρ, c) carry no more.
constexpr int kDigits = 3;

QString Number(double value) {
  return veltor::FormatGeneral(value, kDigits);
}

struct RowText {
  QString quantity, unit, meaning;
};

const RowText kRows[kRowCount] = {
    {QStringLiteral("Okresowy współczynnik przenikania ciepła |Y12|"), kUnitTransmittance,
     QStringLiteral("Strumień do wnętrza na 1 K amplitudy temperatury zewnętrznej")},
    {QStringLiteral("Przesunięcie fazowe Δt"), kUnitHours,
     QStringLiteral("O tyle godzin później szczyt upału dociera do wnętrza")},
    {QStringLiteral("Współczynnik tłumienia f = |Y12| / U"), kUnitNone,
     QStringLiteral("Część amplitudy przechodząca przez przegrodę (bez masy: 1)")},
    {QStringLiteral("Współczynnik przenikania ciepła U"), kUnitTransmittance,
     QStringLiteral("Stan ustalony, dla porównania")},
    {QStringLiteral("Admitancja cieplna wewnętrzna |Y11|"), kUnitTransmittance,
     QStringLiteral("Wymiana ciepła z pomieszczeniem na 1 K wahań po tej stronie")},
    {QStringLiteral("Przesunięcie admitancji wewnętrznej"), kUnitHours,
     QStringLiteral("O tyle godzin strumień wyprzedza wahania temperatury")},
    {QStringLiteral("Admitancja cieplna zewnętrzna |Y22|"), kUnitTransmittance,
     QStringLiteral("Wymiana ciepła z otoczeniem na 1 K wahań po tej stronie")},
    {QStringLiteral("Przesunięcie admitancji zewnętrznej"), kUnitHours,
     QStringLiteral("O tyle godzin strumień wyprzedza wahania temperatury")},
    {QStringLiteral("Pojemność cieplna powierzchniowa wewnętrzna κ1"), kUnitCapacity,
     QStringLiteral("Ciepło magazynowane w cyklu dobowym od strony wnętrza, na 1 K")},
    {QStringLiteral("Pojemność cieplna powierzchniowa zewnętrzna κ2"), kUnitCapacity,
     QStringLiteral("To samo od strony zewnętrznej")},
};

double Value(const veltor::DynamicResult& r, int row) {
  switch (row) {
    case RowY12:
      return r.periodicTransmittance;
    case RowDelay:
      return r.delayH;
    case RowDecrement:
      return r.decrementFactor;
    case RowU:
      return r.u;
    case RowY11:
      return std::abs(r.y11);
    case RowY11Shift:
      return r.y11ShiftH;
    case RowY22:
      return std::abs(r.y22);
    case RowY22Shift:
      return r.y22ShiftH;
    case RowKappa1:
      return r.kappa1;
    default:
      return r.kappa2;
  }
}

// One wave over the two days shown: amplitude, peak hour.
QPainterPath Wave(const WaveLayout& layout, double amplitude, double peakHour) {
  QPainterPath path;
  for (int x = layout.plot.left(); x <= layout.plot.right(); ++x) {
    const double hour = (x - layout.plot.left()) * kHoursShown / layout.plot.width();
    const double value = amplitude * std::cos(2 * std::numbers::pi * (hour - peakHour) / 24);
    const QPointF point(x, layout.yOf(value));
    if (x == layout.plot.left())
      path.moveTo(point);
    else
      path.lineTo(point);
  }
  return path;
}

void Arrow(QPainter& painter, QPointF from, QPointF to) {
  painter.drawLine(from, to);
  const QPointF d = to - from;
  const double length = std::hypot(d.x(), d.y());
  if (length < 1) return;
  const QPointF unit = d / length, normal(-unit.y(), unit.x());
  constexpr double kHead = 5;
  painter.drawLine(to, to - unit * kHead + normal * kHead * 0.5);
  painter.drawLine(to, to - unit * kHead - normal * kHead * 0.5);
}

}  // namespace

Outcome Evaluate(const veltor::LayerTable& table, const veltor::DesignConditions& conditions,
                 const veltor::AirLayerTable& air) {
  Outcome outcome;
  try {
    outcome.result = veltor::DynamicCharacteristics(table, conditions, air);
  } catch (const veltor::Error& e) {
    outcome.message = e.message();
  }
  return outcome;
}

QStringList ColumnTitles() {
  return {QStringLiteral("Wielkość"), QStringLiteral("Wartość"), QStringLiteral("Jednostka"),
          QStringLiteral("Znaczenie")};
}

QStringList RowTexts(const Outcome& outcome, int row) {
  const RowText& text = kRows[row];
  QString value;
  if (outcome.result) {
    const double v = Value(*outcome.result, row);
    // Transmittances and capacities as every other window shows them; hours
    // and the decrement factor have no fixed decimals of their own.
    if (text.unit == kUnitTransmittance)
      value = veltor::FormatQuantity(veltor::Quantity::Transmittance, v);
    else if (text.unit == kUnitCapacity)
      value = veltor::FormatQuantity(veltor::Quantity::HeatCapacity, v);
    else
      value = Number(v);
  }
  return {text.quantity, value, text.unit, text.meaning};
}

int WaveLayout::xOf(double hour) const {
  return plot.left() + static_cast<int>(std::lround(hour / kHoursShown * plot.width()));
}

int WaveLayout::yOf(double value) const {
  return plot.center().y() - static_cast<int>(std::lround(value * plot.height() / 2.0));
}

WaveLayout WavesLayout(QSize size) {
  // Room above for the title and the legend, below for the hours.
  return {QRect(QPoint(34, 72), QPoint(size.width() - 14, size.height() - 26))};
}

QImage DrawDailyWaves(const Outcome& outcome, QSize size) {
  QImage picture = raport::ChartPicture(
      size, QStringLiteral("Dobowe fale temperatury: na zewnątrz i po stronie wewnętrznej"));
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  const WaveLayout layout = WavesLayout(size);
  if (layout.plot.width() < 48 || layout.plot.height() < 24) return picture;
  painter.setFont(ui::DrawingFont(11));
  const QFontMetrics metrics(painter.font());
  for (int hour = 0; hour <= kHoursShown; hour += 6) {
    const int x = layout.xOf(hour);
    painter.setPen(kGridColour);
    painter.drawLine(x, layout.plot.top(), x, layout.plot.bottom());
    painter.setPen(Qt::black);
    painter.drawText(QRect(x - 20, layout.plot.bottom() + 3, 40, metrics.height()), Qt::AlignHCenter,
                     QStringLiteral("%1:00").arg(hour % 24));
  }
  painter.setPen(kAxisColour);
  painter.drawLine(layout.plot.left(), layout.yOf(0), layout.plot.right(), layout.yOf(0));
  painter.drawText(QRect(2, layout.yOf(0) - metrics.height() / 2, layout.plot.left() - 6, metrics.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("θm"));

  if (!outcome.result) {
    painter.setPen(Qt::black);
    painter.drawText(layout.plot.adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("Nie obliczono parametrów dynamicznych"));
    return picture;
  }
  const veltor::DynamicResult& r = *outcome.result;
  const double f = std::clamp(r.decrementFactor, 0.0, 1.0);
  const double innerPeak = kOutdoorPeakHour + r.delayH;

  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(kOutdoorColour, 2));
  painter.drawPath(Wave(layout, 1, kOutdoorPeakHour));
  painter.setPen(QPen(kIndoorColour, 2));
  painter.drawPath(Wave(layout, f, innerPeak));

  // The delay between the two peaks, the damping at the inner peak.
  painter.setPen(QPen(kMarkColour, 1, Qt::DashLine));
  const int top = layout.yOf(1);
  painter.drawLine(layout.xOf(kOutdoorPeakHour), top, layout.xOf(kOutdoorPeakHour), layout.yOf(0));
  painter.drawLine(layout.xOf(innerPeak), top, layout.xOf(innerPeak), layout.yOf(0));
  painter.setPen(QPen(kMarkColour, 1));
  const int arrowY = top - 6;
  Arrow(painter, QPointF(layout.xOf(kOutdoorPeakHour), arrowY), QPointF(layout.xOf(innerPeak), arrowY));
  painter.drawText(
      QRect(layout.xOf(kOutdoorPeakHour), arrowY - metrics.height() - 1,
            std::max(60, layout.xOf(innerPeak) - layout.xOf(kOutdoorPeakHour)), metrics.height()),
      Qt::AlignHCenter, QStringLiteral("Δt = %1 h").arg(Number(r.delayH)));
  const int dampX = std::min(layout.xOf(innerPeak) + 8, layout.plot.right() - 70);
  if (layout.yOf(f) - top > 8) Arrow(painter, QPointF(dampX, top), QPointF(dampX, layout.yOf(f)));
  painter.drawText(QRect(dampX + 4, (top + layout.yOf(f)) / 2 - metrics.height() / 2, 80, metrics.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("f = %1").arg(Number(r.decrementFactor)));

  // The legend under the title.
  painter.setRenderHint(QPainter::Antialiasing, false);
  int x = 10;
  const int legendY = 28;
  for (const auto& [colour, text] :
       {std::pair{kOutdoorColour, QStringLiteral("na zewnątrz (amplituda A)")},
        std::pair{kIndoorColour, QStringLiteral("po stronie wewnętrznej (f·A, później o Δt)")}}) {
    painter.fillRect(QRect(x, legendY + metrics.height() / 2 - 1, 18, 3), colour);
    painter.setPen(Qt::black);
    raport::TextAt(painter, x + 22, legendY, text);
    x += 22 + metrics.horizontalAdvance(text) + 16;
  }
  return picture;
}

}  // namespace dynamika
