// The units the program writes beside its figures, one spelling each.
#pragma once

#include <QString>

namespace veltor::unit {

inline const QString kResistance = QStringLiteral("m²K/W");       // R, Rsi, Rse
inline const QString kTransmittance = QStringLiteral("W/(m²K)");  // U, Umax
// Dots between the factors: "m²hPa/g" read as hectopascals.
inline const QString kDiffusionResistance = QStringLiteral("m²·h·Pa/g");  // r
inline const QString kDensity = QStringLiteral("kg/m³");

// "[unit]" as the hints and tips write it after a value.
inline QString Bracketed(const QString& unit) {
  return QStringLiteral(" [%1]").arg(unit);
}

}  // namespace veltor::unit
