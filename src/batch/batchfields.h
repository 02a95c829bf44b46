// Reading batch mode's JSON objects: each field named by its path for the
// refusal ("[2].layers[0].lambda"), and keys nobody reads refused.
#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

#include "batch/batchinput.h"

namespace batch {

inline QString Join(const QString& path, const QString& key) {
  return path.isEmpty() ? key : path + QLatin1Char('.') + key;
}

inline QString Indexed(const QString& path, qsizetype index) {
  return path + QStringLiteral("[%1]").arg(index);
}

// An object whose keys are checked against the ones the caller reads.
class Fields {
 public:
  Fields(const QJsonValue& value, QString path, std::initializer_list<const char*> known)
      : path_(std::move(path)) {
    if (!value.isObject()) throw InputError(path_, QStringLiteral("oczekiwano obiektu JSON"));
    object_ = value.toObject();
    // A handful of names each: a look through them costs less than a set.
    for (auto it = object_.begin(); it != object_.end(); ++it) {
      const QString key = it.key();
      if (std::none_of(known.begin(), known.end(), [&](const char* k) { return key == QLatin1String(k); }))
        throw InputError(Join(path_, key), QStringLiteral("nieznane pole"));
    }
  }

  bool has(const char* key) const { return object_.contains(QLatin1String(key)); }
  QJsonValue value(const char* key) const { return object_.value(QLatin1String(key)); }
  QString pathOf(const char* key) const { return Join(path_, QString::fromLatin1(key)); }
  const QString& path() const { return path_; }

  double number(const char* key, const QString& requirement) const {
    const QJsonValue v = value(key);
    if (!v.isDouble() || !std::isfinite(v.toDouble())) throw InputError(pathOf(key), requirement);
    return v.toDouble();
  }
  std::optional<double> optionalNumber(const char* key, const QString& requirement) const {
    if (!has(key)) return std::nullopt;
    return number(key, requirement);
  }
  QString string(const char* key) const {
    const QJsonValue v = value(key);
    if (!v.isString()) throw InputError(pathOf(key), QStringLiteral("oczekiwano tekstu"));
    return v.toString();
  }
  bool boolean(const char* key) const {
    const QJsonValue v = value(key);
    if (!v.isBool()) throw InputError(pathOf(key), QStringLiteral("oczekiwano wartości true albo false"));
    return v.toBool();
  }

 private:
  QJsonObject object_;
  QString path_;
};

}  // namespace batch
