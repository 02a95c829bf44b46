// Batch mode's results as they are written out: the bytes Qt's indented JSON
// gives, made without Qt's JSON objects. Those keep every key as a string and
// copy the sorted object on each insertion, which cost most of a wall's time
// in a run over thousands of walls.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <string_view>
#include <vector>

namespace batch {

class OutValue {
 public:
  enum class Kind { Null, Bool, Integer, Double, String, Array, Object };

  OutValue() = default;
  OutValue(std::nullptr_t) {}
  OutValue(bool b) : kind_(Kind::Bool), integer_(b) {}
  OutValue(int i) : kind_(Kind::Integer), integer_(i) {}
  OutValue(double d) : kind_(Kind::Double), number_(d) {}
  OutValue(QString s) : kind_(Kind::String), text_(std::move(s)) {}
  // A literal would otherwise become a bool.
  OutValue(const char*) = delete;

  static OutValue Array();
  static OutValue Object();

  Kind kind() const { return kind_; }
  bool isNull() const { return kind_ == Kind::Null; }
  // A number's value; 0 for anything else.
  double toDouble() const;
  bool isFalse() const { return kind_ == Kind::Bool && !integer_; }

  // Objects. Keys must outlive the value (they are literals here); a key
  // given again replaces its value. The members stay in the order the
  // writer needs: by key, as a JSON object sorts them.
  void insert(std::string_view key, OutValue value);
  const OutValue* find(std::string_view key) const;

  // Arrays.
  void append(OutValue value);
  std::size_t size() const { return values_.size(); }

  // Writes the value as it stands at nesting `depth` of an indented
  // document (its own first line not indented, no newline after it).
  void write(QByteArray& out, int depth) const;

 private:
  Kind kind_ = Kind::Null;
  long long integer_ = 0;
  double number_ = 0;
  QString text_;
  // An array's items, or an object's values beside their keys.
  std::vector<std::string_view> keys_;
  std::vector<OutValue> values_;
};

// The whole document: the value and a newline.
QByteArray ToJson(const OutValue& value);

// A double as Qt's JSON writer prints it: a whole number up to 2^53 as an
// integer, otherwise the shortest digits that read back as the same double in
// the shorter of the plain and the exponent form (0.001, 1e-04, 1.2e+16);
// null when it is not finite.
void AppendNumber(QByteArray& out, double value);

}  // namespace batch
