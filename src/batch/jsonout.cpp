#include "batch/jsonout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace batch {

namespace {

void Indent(QByteArray& out, int depth) {
  out.append(4 * depth, ' ');
}

char HexDigit(unsigned v) {
  return static_cast<char>(v < 10 ? '0' + v : 'a' + v - 10);
}

void AppendEscaped(QByteArray& out, const QString& text) {
  const char16_t* p = reinterpret_cast<const char16_t*>(text.constData());
  const char16_t* const end = p + text.size();
  const auto escape = [&](unsigned u, int digits) {
    out += "\\u";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += HexDigit((u >> shift) & 0xf);
  };
  while (p != end) {
    const char16_t u = *p++;
    if (u < 0x80) {
      switch (u) {
        case u'"': out += "\\\""; break;
        case u'\\': out += "\\\\"; break;
        case u'\b': out += "\\b"; break;
        case u'\f': out += "\\f"; break;
        case u'\n': out += "\\n"; break;
        case u'\r': out += "\\r"; break;
        case u'\t': out += "\\t"; break;
        default:
          if (u < 0x20)
            escape(u, 4);
          else
            out += static_cast<char>(u);
      }
    } else if (u < 0x800) {
      out += static_cast<char>(0xc0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3f));
    } else if (u >= 0xd800 && u <= 0xdfff) {
      // A pair is one character; half of one cannot be UTF-8 and is escaped.
      if (u <= 0xdbff && p != end && *p >= 0xdc00 && *p <= 0xdfff) {
        const char32_t c = 0x10000 + ((char32_t(u) - 0xd800) << 10) + (*p++ - 0xdc00);
        out += static_cast<char>(0xf0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
      } else {
        escape(u, 4);
      }
    } else {
      out += static_cast<char>(0xe0 | (u >> 12));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3f));
      out += static_cast<char>(0x80 | (u & 0x3f));
    }
  }
}

}  // namespace

void AppendNumber(QByteArray& out, double value) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  // A whole number a JSON value can hold exactly is written as an integer
  // (so -0 as 0, and 100000 rather than 1e+05).
  constexpr double kExactIntegers = 9007199254740992.0;  // 2^53
  if (std::trunc(value) == value && std::abs(value) <= kExactIntegers) {
    out += QByteArray::number(static_cast<long long>(value));
    return;
  }
  // The shortest digits that read back as `value`, as d.ddde±x.
  char buffer[40];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
  const std::size_t e = text.find('e');
  std::string_view mantissa = text.substr(0, e);
  int exponent = 0;
  const char* sign = text.data() + e + 1;
  std::from_chars(sign + (*sign == '+'), text.data() + text.size(), exponent);
  const bool negative = mantissa.front() == '-';
  if (negative) mantissa.remove_prefix(1);
  char digits[40];
  int count = 0;
  for (char c : mantissa)
    if (c != '.') digits[count++] = c;
  const int point = exponent + 1;  // digits before the decimal point
  // Whichever form is shorter, the plain one when they tie; the exponent has
  // two digits at least.
  const int magnitude = std::abs(exponent);
  const int exponentLength = count + (count > 1) + 2 + (magnitude >= 100 ? 3 : 2);
  const int plainLength = point <= 0 ? 2 - point + count : point < count ? count + 1 : point;
  // Built here and appended once: a byte at a time costs more than the digits.
  char result[64];
  char* r = result;
  const auto put = [&](const char* from, int n) {
    std::memcpy(r, from, static_cast<std::size_t>(n));
    r += n;
  };
  if (negative) *r++ = '-';
  if (plainLength <= exponentLength) {
    if (point <= 0) {
      put("0.", 2);
      r = std::fill_n(r, -point, '0');
      put(digits, count);
    } else if (point < count) {
      put(digits, point);
      *r++ = '.';
      put(digits + point, count - point);
    } else {
      put(digits, count);
      r = std::fill_n(r, point - count, '0');
    }
  } else {
    *r++ = digits[0];
    if (count > 1) {
      *r++ = '.';
      put(digits + 1, count - 1);
    }
    put(exponent < 0 ? "e-" : "e+", 2);
    if (magnitude < 10) *r++ = '0';
    r = std::to_chars(r, result + sizeof result, magnitude).ptr;
  }
  out.append(result, r - result);
}

OutValue OutValue::Array() {
  OutValue v;
  v.kind_ = Kind::Array;
  return v;
}

OutValue OutValue::Object() {
  OutValue v;
  v.kind_ = Kind::Object;
  return v;
}

double OutValue::toDouble() const {
  if (kind_ == Kind::Double) return number_;
  if (kind_ == Kind::Integer) return static_cast<double>(integer_);
  return 0;
}

void OutValue::insert(std::string_view key, OutValue value) {
  const auto at = std::lower_bound(keys_.begin(), keys_.end(), key);
  const auto index = at - keys_.begin();
  if (at != keys_.end() && *at == key) {
    values_[static_cast<std::size_t>(index)] = std::move(value);
    return;
  }
  keys_.insert(at, key);
  values_.insert(values_.begin() + index, std::move(value));
}

const OutValue* OutValue::find(std::string_view key) const {
  const auto at = std::lower_bound(keys_.begin(), keys_.end(), key);
  return at != keys_.end() && *at == key ? &values_[static_cast<std::size_t>(at - keys_.begin())] : nullptr;
}

void OutValue::append(OutValue value) {
  values_.push_back(std::move(value));
}

void OutValue::write(QByteArray& out, int depth) const {
  switch (kind_) {
    case Kind::Null:
      out += "null";
      return;
    case Kind::Bool:
      out += integer_ ? "true" : "false";
      return;
    case Kind::Integer:
      out += QByteArray::number(integer_);
      return;
    case Kind::Double:
      AppendNumber(out, number_);
      return;
    case Kind::String:
      out += '"';
      AppendEscaped(out, text_);
      out += '"';
      return;
    case Kind::Array:
    case Kind::Object: {
      const bool object = kind_ == Kind::Object;
      out += object ? "{\n" : "[\n";
      for (std::size_t i = 0; i < values_.size(); ++i) {
        Indent(out, depth + 1);
        if (object) {
          out += '"';
          out.append(keys_[i].data(), static_cast<qsizetype>(keys_[i].size()));
          out += "\": ";
        }
        values_[i].write(out, depth + 1);
        out += i + 1 < values_.size() ? ",\n" : "\n";
      }
      Indent(out, depth);
      out += object ? '}' : ']';
      return;
    }
  }
}

QByteArray ToJson(const OutValue& value) {
  QByteArray out;
  value.write(out, 0);
  out += '\n';
  return out;
}

}  // namespace batch
