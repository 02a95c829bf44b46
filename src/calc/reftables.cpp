// Readers of the saturation-pressure and air-layer files and the lookups over
// the two tables. Every lookup stays inside its table: outside the covered
// range it answers with the nearest end.
#include "calc/reftables.h"

#include <algorithm>
#include <cmath>

#include "calc/errors.h"
#include "calc/numbers.h"
#include "calc/textfile.h"

namespace veltor {

std::int32_t SaturationTable::atTenths(int tenths) const {
  return pa[std::clamp(tenths, lowest, kSaturationHighestIndex) - kSaturationLowestIndex];
}

int ReadSaturationTable(TextReader& reader, SaturationTable& table) {
  table = SaturationTable{};
  int count = 0;
  while (!reader.atEnd()) {
    const QByteArray line = reader.readLine();
    const QString text = FromCp1250(line).trimmed();
    if (text.isEmpty() || line.front() == ';') continue;
    const std::int32_t value = StrToInt(text);
    if (count >= kSaturationCount) {
      throw DataError(QStringLiteral("Plik z ciśnieniem pary nasyconej zawiera więcej niż %1 wartości")
                          .arg(kSaturationCount));
    }
    table.pa[kSaturationCount - 1 - count] = value;
    ++count;
  }
  table.lowest = kSaturationHighestIndex - std::max(count, 1) + 1;
  return count;
}

void ReadAirLayerTable(TextReader& reader, AirLayerTable& table) {
  table = AirLayerTable{};
  while (!reader.atEnd()) {
    const QByteArray line = reader.readLine();
    if (line.isEmpty() || line.front() != '[') continue;
    if (table.rowCount >= kAirLayerRowCount) {
      throw DataError(QStringLiteral("Plik z oporami warstw powietrza zawiera więcej niż %1 wierszy")
                          .arg(kAirLayerRowCount));
    }
    // The closing character goes whatever it is.
    const QString thicknessText = FromCp1250(line.mid(1, line.size() - 2));
    AirLayerRow& row = table.rows[table.rowCount];
    try {
      row.thickness = StrToFloat(thicknessText);
    } catch (const ConversionError&) {
      // The shipped file writes the thickness with a point; it must load under
      // any locale, so point syntax is accepted as well.
      const std::optional<double> point = ParsePointNumber(thicknessText.trimmed().toLatin1());
      if (!point) throw;
      row.thickness = *point;
    }
    ++table.rowCount;
    row.up = reader.readNumberLine();
    row.horizontal = reader.readNumberLine();
    row.down = reader.readNumberLine();
  }
}

// A table short of values (a file cut short, or CR-only line ends that make it
// one comment line) would let every calculation run on zeros without a word.
void LoadSaturationTable(SaturationTable& table, const QString& path) {
  TextReader reader = TextReader::open(path);
  const int count = ReadSaturationTable(reader, table);
  if (count < kSaturationMinimumCount) {
    throw DataError(QStringLiteral("Plik %1 zawiera tylko %2 z %3 wartości ciśnienia pary nasyconej")
                        .arg(path)
                        .arg(count)
                        .arg(kSaturationMinimumCount));
  }
}

void LoadAirLayerTable(AirLayerTable& table, const QString& path) {
  TextReader reader = TextReader::open(path);
  ReadAirLayerTable(reader, table);
  if (table.rowCount == 0)
    throw DataError(QStringLiteral("Plik %1 nie zawiera żadnego wiersza oporów warstw powietrza").arg(path));
}

namespace {

// 10 x t rounded to the nearest integer as the binary value of t has it, a tie
// to the even one. The product 10 x t is itself rounded, and for a typed 0.35
// (binary 0.34999...) it comes out as 3.5 exactly; the exact remainder of the
// product then tells on which side of the half the true value lies.
double NearestTenth(double temperature) {
  const double product = 10.0 * temperature;
  double tenths = std::nearbyint(product);
  if (std::fabs(product - tenths) == 0.5) {
    const double remainder = std::fma(10.0, temperature, -product);
    if (remainder > 0) tenths = std::floor(product) + 1;
    if (remainder < 0) tenths = std::floor(product);
  }
  return tenths;
}

}  // namespace

std::int32_t SaturationPressure(const SaturationTable& table, double temperature) {
  if (std::isnan(temperature)) return table.atTenths(table.lowest);
  // Clamped before the conversion so that no temperature overflows an int.
  const double tenths =
      std::clamp(NearestTenth(temperature), double{kSaturationLowestIndex}, double{kSaturationHighestIndex});
  return table.atTenths(static_cast<int>(tenths));
}

double TemperatureForPressure(const SaturationTable& table, double pressure) {
  int nearest = table.lowest - kSaturationLowestIndex;
  double nearestDistance = INFINITY;
  for (int i = table.lowest - kSaturationLowestIndex; i < kSaturationCount; ++i) {
    const double distance = std::fabs(table.pa[i] - pressure);
    if (distance == 0) return (i + kSaturationLowestIndex) / 10.0;
    if (distance < nearestDistance) {
      nearestDistance = distance;
      nearest = i;
    }
  }
  return (nearest + kSaturationLowestIndex) / 10.0;
}

double SaturationPressureAt(const SaturationTable& table, double outer, double inner, double position,
                            double thickness) {
  if (thickness == 0) throw DivisionByZero();
  return SaturationPressure(table, outer + (inner - outer) * (thickness - position) / thickness);
}

double AirLayerResistance(const AirLayerTable& table, int direction, double thickness) {
  const int count = std::clamp(table.rowCount, 0, kAirLayerRowCount);
  if (count == 0) return 0;
  const auto resistance = [direction](const AirLayerRow& row) {
    if (direction == 0) return row.up;
    if (direction == 2) return row.down;
    return row.horizontal;
  };
  for (int i = 0; i < count; ++i) {
    if (table.rows[i].thickness == thickness) return resistance(table.rows[i]);
  }
  for (int i = 0; i < count; ++i) {
    const AirLayerRow& upper = table.rows[i];
    if (upper.thickness <= thickness) continue;
    if (i == 0) return resistance(upper);
    const AirLayerRow& lower = table.rows[i - 1];
    const double r1 = resistance(lower);
    return r1 +
           (thickness - lower.thickness) / (upper.thickness - lower.thickness) * (resistance(upper) - r1);
  }
  return resistance(table.rows[count - 1]);
}

}  // namespace veltor
