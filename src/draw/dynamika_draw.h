// What the dynamics window shows, apart from the window: the rows of its
// table (quantity, value, unit, one-line meaning) and the picture of the
// daily temperature waves outside and inside with the damping and the delay.
//
// Data flow: Evaluate runs the core over a layer table and keeps either the
// result or the Polish message that refused it; Rows and DrawDailyWaves only
// read that. WaveLayout names the picture's axes once, for the drawing and
// for tests that look at its pixels.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

#include "calc/dynamic.h"

namespace dynamika {

struct Outcome {
  std::optional<veltor::DynamicResult> result;  // empty when refused
  QString message;                              // why it was refused
};

// Runs the core; its refusal (veltor::Error, a Polish message) becomes the message.
Outcome Evaluate(const veltor::LayerTable& table, const veltor::DesignConditions& conditions,
                 const veltor::AirLayerTable& air);

enum Row {
  RowY12,
  RowDelay,
  RowDecrement,
  RowU,
  RowY11,
  RowY11Shift,
  RowY22,
  RowY22Shift,
  RowKappa1,
  RowKappa2,
  kRowCount
};
enum Column { ColumnQuantity, ColumnValue, ColumnUnit, ColumnMeaning, kColumnCount };
// "Wielkość", "Wartość", "Jednostka", "Znaczenie".
QStringList ColumnTitles();
// The row's four texts; the value is empty without a result.
QStringList RowTexts(const Outcome& outcome, int row);

// The outdoor wave peaks at this hour of the day; the inner one Δt later.
inline constexpr double kOutdoorPeakHour = 15;
// Two days, so that a delay of many hours still shows its peak.
inline constexpr double kHoursShown = 48;

struct WaveLayout {
  QRect plot;
  // Pixel column of an hour from the first midnight, pixel row of a value
  // (the outdoor amplitude is 1, the middle line 0).
  int xOf(double hour) const;
  int yOf(double value) const;
};
WaveLayout WavesLayout(QSize size);

inline const QColor kOutdoorColour(215, 90, 30);
inline const QColor kIndoorColour(30, 90, 200);

// The outdoor wave of amplitude 1 and the inner one of amplitude f, delayed by
// Δt, with the delay and the damping marked; a note instead without a result.
QImage DrawDailyWaves(const Outcome& outcome, QSize size);

}  // namespace dynamika
