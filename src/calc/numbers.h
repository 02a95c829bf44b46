// Numbers as the user sees and types them. Displays use the general format with
// P significant digits and the locale's decimal separator; typed numbers are
// converted with that separator. Data files use a point whatever the locale.
#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

namespace veltor {

// The locale's decimal separator (QLocale() default).
QChar LocaleDecimalSeparator();

// Rounded to `precision` significant digits, trailing zeros and separator removed;
// fixed notation for 0 and for 0.0001 <= |v| < 10^precision, otherwise scientific
// ("1,235E4", "1E-5"); infinities as "INF" / "-INF".
QString FormatGeneral(double value, int precision, QChar decimalSeparator);
QString FormatGeneral(double value, int precision = 15);
// The same rounding, never in scientific notation: the digits written out in
// full with the locale's decimal separator and its grouping of thousands
// ("3 600" for 3567 to two digits, "0,0005"). Infinities, NaN and magnitudes
// from 10^15 on, which no real partition gives, keep the general format.
QString FormatPlain(double value, int precision, const QLocale& locale);
QString FormatPlain(double value, int precision);

// Shown with exactly `decimals` decimals and the locale's separator (U 0,198,
// R 5,05); infinities as in FormatGeneral.
QString FormatFixed(double value, int decimals);

// The smallest whole number of 1/stepsPerUnit not below `value`: a thickness
// rounded up to whole millimetres (1000) or centimetres (100).
double RoundUpToStep(double value, int stepsPerUnit);

// Conversions of user input; blanks around the number are allowed.
// Raise ConversionError with "'%s' is not a valid floating point value" /
// "'%s' is not a valid integer value".
double StrToFloat(const QString& text, QChar decimalSeparator);
// What the user typed: "," and "." are both decimal separators, in any locale.
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
