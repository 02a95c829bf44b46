// Numbers as the user sees and types them. The program is Polish whatever the
// system's locale: every display writes a decimal comma, a typographic minus
// (U+2212) and, from five integer digits on, a thin space (U+2009) between
// groups of three, and never scientific notation. A quantity the designer
// reads (d, λ, R, U...) has its own fixed decimals, the same in every window,
// chart, report and document: FormatQuantity. Typed numbers are read with
// either separator and that minus. Data files and JSON use a point.
#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

namespace veltor {

// The quantities the designer reads, each shown with its fixed decimals.
enum class Quantity {
  Thickness,            // d in m: 3 decimals, more when the value has them (0,0125)
  Conductivity,         // λ: 3
  Resistance,           // R, RT, Rsi, Rse: 2
  Transmittance,        // U, Uc, ΔU: 3
  TransmittanceLimit,   // Uc(max): 2
  Temperature,          // θ in °C: 1
  Pressure,             // p in Pa: whole
  VapourCoefficient,    // μ: whole
  DiffusionThickness,   // sd in m: 2
  DiffusionResistance,  // r in m²·h·Pa/g: whole
  Density,              // ρ in kg/m³: whole
  TemperatureFactor,    // fRsi: 3
  Condensate,           // Ma in kg/m²: 3
  HeatCapacity,         // κ in kJ/(m²·K): 1
};

// The decimals a quantity is shown with (for a thickness, the least).
int QuantityDecimals(Quantity quantity);
// `value` as the designer reads it: "0,198", "−24,0", "100 000" (thin space).
QString FormatQuantity(Quantity quantity, double value);
// For a box the user edits: at least the quantity's decimals, and as many
// more as the value needs (up to 15 significant digits), so that a box left
// as shown never changes the value behind it ("0,040", "0,0315").
QString FormatEditable(Quantity quantity, double value);
// `value` with exactly `decimals` decimals in the Polish style above.
QString FormatPolish(double value, int decimals);

// Rounded to `precision` significant digits, trailing zeros and separator removed;
// fixed notation for 0 and for 0.0001 <= |v| < 10^precision, otherwise scientific
// ("1,235E4", "1E-5"); infinities as "INF" / "-INF".
QString FormatGeneral(double value, int precision, QChar decimalSeparator);
// For a display: the same rounding written out in the Polish style
// (FormatPlain), so a specified number of significant digits never turns
// into "1E5".
QString FormatGeneral(double value, int precision = 15);
// The same rounding, never in scientific notation: the digits written out in
// full with the locale's decimal separator and its grouping of thousands
// ("3 600" for 3567 to two digits, "0,0005"). Infinities, NaN and magnitudes
// from 10^15 on, which no real partition gives, keep the general format.
QString FormatPlain(double value, int precision, const QLocale& locale);
// In the Polish display style whatever the locale.
QString FormatPlain(double value, int precision);

// Shown with exactly `decimals` decimals in the Polish display style (U 0,198,
// R 5,05); infinities as "INF" / "−INF".
QString FormatFixed(double value, int decimals);

// The smallest whole number of 1/stepsPerUnit not below `value`: a thickness
// rounded up to whole millimetres (1000) or centimetres (100).
double RoundUpToStep(double value, int stepsPerUnit);

// Conversions of user input; blanks around the number are allowed.
// Raise ConversionError with "'%s' is not a valid floating point value" /
// "'%s' is not a valid integer value".
double StrToFloat(const QString& text, QChar decimalSeparator);
// What the user typed: "," and "." are both decimal separators, in any locale;
// a typographic minus is a minus, and thin or no-break spaces between digits
// (as the displays group them) are passed over.
double StrToFloat(const QString& text);
// The same, without raising: empty when the text is no number.
std::optional<double> ParseTypedNumber(const QString& text);
std::int32_t StrToInt(const QString& text);

// Plain numeric syntax with a point (optional sign, digits, fraction, exponent);
// a point has a digit on each side.
std::optional<double> ParsePointNumber(QByteArrayView token);
// The shortest text in that syntax that reads back as the same double, so that a
// value the user typed is saved in a data file exactly.
QByteArray PointNumberText(double value);

}  // namespace veltor
