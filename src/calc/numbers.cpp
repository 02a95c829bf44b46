// The general number format and the text-to-number conversions. Parsing is done
// here rather than with strtod, whose separator follows the C locale that Qt
// sets from the environment; from_chars sees only a point.
#include "calc/numbers.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "calc/errors.h"

namespace veltor {

QString FormatGeneral(double value, int precision, QChar decimalSeparator) {
  if (std::isnan(value)) return QStringLiteral("NAN");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  if (value == 0) return QStringLiteral("0");
  precision = std::clamp(precision, 1, 17);

  // The C library writes the exact decimal expansion (80 digits are far more
  // than any double needs to tell it from a rounding midpoint); the rounding to
  // `precision` digits is done here, half away from zero, so that a value that
  // is exactly a midpoint (12345 to four digits) rounds up as it reads.
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, "%.80e", std::fabs(value));
  std::string digits;
  const char* p = buffer;
  // The C library writes the locale's separator, which Qt sets from the
  // environment: a Polish desktop gives "1,5e+00". Only the digits count.
  for (; *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') digits.push_back(*p);
  }
  int exponent = std::atoi(p + 1);
  const bool roundUp = digits[precision] >= '5';
  digits.resize(precision);
  if (roundUp) {
    int i = precision - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i >= 0) {
      ++digits[i];
    } else {
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      ++exponent;
    }
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  QString text;
  if (value < 0) text.append(QLatin1Char('-'));
  const int count = static_cast<int>(digits.size());
  if (exponent >= -4 && exponent < precision) {
    if (exponent >= 0) {
      for (int i = 0; i <= exponent; ++i) text.append(QLatin1Char(i < count ? digits[i] : '0'));
      if (count > exponent + 1) {
        text.append(decimalSeparator);
        text.append(QLatin1String(digits.data() + exponent + 1, count - exponent - 1));
      }
    } else {
      text.append(QLatin1Char('0'));
      text.append(decimalSeparator);
      text.append(QString(-exponent - 1, QLatin1Char('0')));
      text.append(QLatin1String(digits.data(), count));
    }
  } else {
    text.append(QLatin1Char(digits[0]));
    if (count > 1) {
      text.append(decimalSeparator);
      text.append(QLatin1String(digits.data() + 1, count - 1));
    }
    text.append(QLatin1Char('E'));
    text.append(QString::number(exponent));
  }
  return text;
}

QString FormatGeneral(double value, int precision) {
  return FormatPlain(value, precision);
}

namespace {

constexpr QChar kMinus(0x2212);
constexpr QChar kThinSpace(0x2009);
// Past this the integer digits leave a 64-bit integer's range.
constexpr double kPlainLimit = 1e15;

// The general format's rounding with its mantissa's point moved by the
// exponent ("3.6E3" is 36 followed by two zeros): a sign, the integer digits
// and the fraction's digits, without grouping.
struct PlainDigits {
  bool negative = false;
  QString integer;
  QString fraction;
};

PlainDigits WrittenOut(double value, int precision) {
  const QString general = FormatGeneral(value, precision, QChar('.'));
  PlainDigits out;
  out.negative = general.startsWith(QLatin1Char('-'));
  const qsizetype e = general.indexOf(QLatin1Char('E'));
  QString mantissa = general.mid(out.negative ? 1 : 0, e < 0 ? -1 : e - (out.negative ? 1 : 0));
  const int exponent = e < 0 ? 0 : general.mid(e + 1).toInt();
  qsizetype pointAt = mantissa.indexOf(QLatin1Char('.'));
  if (pointAt < 0) pointAt = mantissa.size();
  QString digits = mantissa.remove(QLatin1Char('.'));
  pointAt += exponent;
  if (pointAt <= 0) {
    digits.prepend(QString(-pointAt + 1, QLatin1Char('0')));
    pointAt = 1;
  }
  if (pointAt > digits.size()) digits.append(QString(pointAt - digits.size(), QLatin1Char('0')));
  out.integer = digits.left(pointAt);
  out.fraction = digits.mid(pointAt);
  return out;
}

// Polish typography groups only numbers of five integer digits or more.
QString Polish(const PlainDigits& d) {
  QString integer = d.integer;
  if (integer.size() >= 5) {
    for (qsizetype at = integer.size() - 3; at > 0; at -= 3) integer.insert(at, kThinSpace);
  }
  QString text = d.negative ? QString(kMinus) + integer : integer;
  if (!d.fraction.isEmpty()) text += QLatin1Char(',') + d.fraction;
  return text;
}

QString Infinite(double value) {
  if (std::isnan(value)) return QStringLiteral("NAN");
  return value > 0 ? QStringLiteral("INF") : QString(kMinus) + QStringLiteral("INF");
}

}  // namespace

QString FormatPlain(double value, int precision, const QLocale& locale) {
  const QString point = locale.decimalPoint();
  const QChar separator = point.isEmpty() ? QChar('.') : point.front();
  if (!std::isfinite(value) || std::fabs(value) >= kPlainLimit)
    return FormatGeneral(value, precision, separator);
  const PlainDigits d = WrittenOut(value, precision);
  QString text = locale.toString(d.integer.toLongLong());
  if (!d.fraction.isEmpty()) text += separator + d.fraction;
  return d.negative ? QLatin1Char('-') + text : text;
}

QString FormatPlain(double value, int precision) {
  if (!std::isfinite(value)) return Infinite(value);
  if (std::fabs(value) >= kPlainLimit) return FormatGeneral(value, precision, QChar(','));
  return Polish(WrittenOut(value, precision));
}

QString FormatPolish(double value, int decimals) {
  if (!std::isfinite(value)) return Infinite(value);
  const QString fixed = QString::number(std::fabs(value), 'f', std::clamp(decimals, 0, 17));
  const qsizetype point = fixed.indexOf(QLatin1Char('.'));
  PlainDigits d;
  d.integer = point < 0 ? fixed : fixed.left(point);
  d.fraction = point < 0 ? QString() : fixed.mid(point + 1);
  // A negative value that rounds to zero shows as 0, not −0.
  d.negative =
      value < 0 && std::any_of(fixed.cbegin(), fixed.cend(), [](QChar c) { return c >= u'1' && c <= u'9'; });
  return Polish(d);
}

int QuantityDecimals(Quantity quantity) {
  switch (quantity) {
    case Quantity::Thickness:
    case Quantity::Conductivity:
    case Quantity::Transmittance:
    case Quantity::TemperatureFactor:
    case Quantity::Condensate:
      return 3;
    case Quantity::Resistance:
    case Quantity::TransmittanceLimit:
    case Quantity::DiffusionThickness:
      return 2;
    case Quantity::Temperature:
    case Quantity::HeatCapacity:
      return 1;
    case Quantity::Pressure:
    case Quantity::VapourCoefficient:
    case Quantity::DiffusionResistance:
    case Quantity::Density:
      return 0;
  }
  return 3;
}

QString FormatEditable(Quantity quantity, double value) {
  if (!std::isfinite(value) || std::fabs(value) >= kPlainLimit) return FormatPlain(value, 15);
  const int decimals = static_cast<int>(WrittenOut(value, 15).fraction.size());
  return FormatPolish(value, std::max(decimals, QuantityDecimals(quantity)));
}

QString FormatQuantity(Quantity quantity, double value) {
  int decimals = QuantityDecimals(quantity);
  if (quantity == Quantity::Thickness && std::isfinite(value)) {
    // A thickness typed to the tenth of a millimetre (0,0125) keeps its
    // digits; past micrometres no designer has typed them. A sum's last-bit
    // noise (0,30000000000000004) is no typed digit.
    constexpr int kMostThicknessDecimals = 6;
    const auto shows = [value](int d) {
      return std::fabs(QString::number(value, 'f', d).toDouble() - value) <= 1e-12 * std::fabs(value);
    };
    while (decimals < kMostThicknessDecimals && !shows(decimals)) ++decimals;
  }
  return FormatPolish(value, decimals);
}

namespace {

// Checks plain numeric syntax (sign, digits, one separator, exponent) and
// returns it rewritten with a point and without a plus sign, ready for
// from_chars; empty when the text is not such a number.
std::optional<std::string> NormaliseNumber(QStringView text, QChar separator, QChar alternative = QChar()) {
  std::string out;
  qsizetype i = 0;
  const qsizetype n = text.size();
  if (i < n && (text[i] == u'+' || text[i] == u'-')) {
    if (text[i] == u'-') out.push_back('-');
    ++i;
  }
  int mantissaDigits = 0;
  bool seenSeparator = false;
  for (; i < n; ++i) {
    const QChar c = text[i];
    if (c >= u'0' && c <= u'9') {
      out.push_back(static_cast<char>(c.unicode()));
      ++mantissaDigits;
    } else if ((c == separator || (!alternative.isNull() && c == alternative)) && !seenSeparator) {
      seenSeparator = true;
      out.push_back('.');
    } else {
      break;
    }
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    out.push_back('e');
    ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
      if (text[i] == u'-') out.push_back('-');
      ++i;
    }
    int exponentDigits = 0;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
      out.push_back(static_cast<char>(text[i].unicode()));
      ++exponentDigits;
    }
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != n) return std::nullopt;
  return out;
}

// Decimal exponent of the leading significant digit of a normalised number, to
// tell an overflow from an underflow when from_chars reports a range error.
long LeadingMagnitude(const std::string& number) {
  long exponent = 0;
  const auto e = number.find('e');
  if (e != std::string::npos) {
    // Clamped: only the sign of the result matters.
    const std::string tail = number.substr(e + 1);
    std::string_view digits = tail.front() == '-' ? std::string_view(tail).substr(1) : tail;
    // Its value counts, not its length: "1e0000000005" is 1e5.
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    exponent = digits.size() > 9 ? 1000000000L : std::stol(std::string(digits));
    if (tail.front() == '-') exponent = -exponent;
  }
  const std::string mantissa = number.substr(0, e);
  const auto point = mantissa.find('.');
  const auto intEnd = point == std::string::npos ? mantissa.size() : point;
  long position = 0;
  for (std::size_t i = 0; i < mantissa.size(); ++i) {
    const char c = mantissa[i];
    if (c < '1' || c > '9') continue;
    position = i < intEnd ? static_cast<long>(intEnd - i - 1) : -static_cast<long>(i - intEnd);
    break;
  }
  return position + exponent;
}

std::optional<double> ConvertNormalised(const std::string& number) {
  double value = 0;
  const char* first = number.data();
  const char* last = first + number.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (end != last) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    // Too small to hold is zero; too large to hold is no number at all.
    if (LeadingMagnitude(number) < 0) return number.front() == '-' ? -0.0 : 0.0;
    return std::nullopt;
  }
  if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<double> ParseWithSeparator(QStringView text, QChar separator, QChar alternative = QChar()) {
  const std::optional<std::string> number = NormaliseNumber(text, separator, alternative);
  if (!number) return std::nullopt;
  return ConvertNormalised(*number);
}

}  // namespace

double StrToFloat(const QString& text, QChar decimalSeparator) {
  const std::optional<double> value = ParseWithSeparator(QStringView(text).trimmed(), decimalSeparator);
  if (!value) throw ConversionError::notFloat(text);
  return *value;
}

double StrToFloat(const QString& text) {
  const std::optional<double> value = ParseTypedNumber(text);
  if (!value) throw ConversionError::notFloat(text);
  return *value;
}

std::optional<double> ParseTypedNumber(const QString& text) {
  // A designer types whichever separator the keyboard's keypad gives, so the
  // other one is read too; neither is ever a thousands separator here. What a
  // display wrote ("−24,0", "100 000") reads back as it was shown.
  QString typed = text.trimmed();
  typed.replace(kMinus, QLatin1Char('-'));
  typed.remove(kThinSpace);
  typed.remove(QChar(0x00A0));
  typed.remove(QChar(0x202F));
  return ParseWithSeparator(typed, QChar(','), QChar('.'));
}

QString FormatFixed(double value, int decimals) {
  return FormatPolish(value, decimals);
}

double RoundUpToStep(double value, int stepsPerUnit) {
  if (!std::isfinite(value) || stepsPerUnit <= 0) return value;
  // The product may land a rounding step above a whole number (0.15 * 100);
  // one step less is taken whenever it still covers the value.
  double steps = std::ceil(value * stepsPerUnit);
  if ((steps - 1) / stepsPerUnit >= value) steps -= 1;
  return steps / stepsPerUnit;
}

std::int32_t StrToInt(const QString& text) {
  const QStringView body = QStringView(text).trimmed();
  qsizetype i = 0;
  bool negative = false;
  if (i < body.size() && (body[i] == u'+' || body[i] == u'-')) {
    negative = body[i] == u'-';
    ++i;
  }
  if (i == body.size()) throw ConversionError::notInteger(text);
  std::int64_t magnitude = 0;
  for (; i < body.size(); ++i) {
    const QChar c = body[i];
    if (c < u'0' || c > u'9') throw ConversionError::notInteger(text);
    magnitude = magnitude * 10 + (c.unicode() - u'0');
    if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
      throw ConversionError::notInteger(text);
    }
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) throw ConversionError::notInteger(text);
  return static_cast<std::int32_t>(value);
}

std::optional<double> ParsePointNumber(QByteArrayView token) {
  // A point needs a digit on each side: ".3" and "5." are a number cut short
  // (a file truncated inside it) as often as a number meant.
  const qsizetype point = token.indexOf('.');
  const auto digit = [&](qsizetype i) {
    return i >= 0 && i < token.size() && token[i] >= '0' && token[i] <= '9';
  };
  if (point >= 0 && !(digit(point - 1) && digit(point + 1))) return std::nullopt;
  return ParseWithSeparator(QString::fromLatin1(token), QChar('.'));
}

QByteArray PointNumberText(double value) {
  return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

}  // namespace veltor
