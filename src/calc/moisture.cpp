// The monthly moisture assessment. The partition is turned once into a row of
// planes (layer faces, plus notional faces inside thermally thick layers), each
// with its thermal resistance and equivalent air-layer thickness sd from the
// inner face. Every month then has its temperatures, saturation pressures and
// the vapour-pressure line through the partition: the tightest line from pi to
// pe that stays at or below saturation (the tangent construction, here the
// lower convex hull of the saturation points in sd coordinates), pinned to
// saturation at planes that still hold water. Where the line bends, vapour
// condenses (or, at wet planes, may evaporate) at the difference of the flows.
#include "calc/moisture.h"

#include <algorithm>
#include <cmath>

#include "calc/calculation.h"
#include "calc/errors.h"
#include "calc/numbers.h"

namespace veltor {

namespace {

constexpr std::array<int, kMonthCount> kDaysInMonth = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr double kSecondsPerDay = 86400;
// Split counts beyond this would only slow a pathological wall down.
constexpr int kMaxSublayers = 100;
constexpr double kLowestIndoorTemperature = -50;
constexpr double kHighestIndoorTemperature = 50;

double MonthSeconds(int month) {
  return kDaysInMonth[month] * kSecondsPerDay;
}

QString LayerText(const LayerTable& table, int index) {
  return QStringLiteral("Warstwa %1 („%2”)").arg(index + 1).arg(QuotedInput(table.at(index).nameText()));
}

// One plane of the partition; index 0 is the inner face, the last the outer face.
struct Plane {
  double r = 0;      // thermal resistance from the inner face, surfaces excluded
  double sd = 0;     // m
  double depth = 0;  // m
  int innerLayer = 0;
  int outerLayer = 0;
};

struct Partition {
  std::vector<Plane> planes;
  double layerResistance = 0;
  double totalSd = 0;
};

double LayerSd(const LayerTable& table, int index) {
  const LayerRecord& layer = table.at(index);
  // The air layer and the coefficients 0 and "max" carry no vapour resistance,
  // as in the diffusion resistance of the calculation pass.
  const std::optional<double> sd = EquivalentAirThickness(layer);
  if (layer.isAirLayer() || !sd) return 0;
  if (!(layer.vapourCoefficient > 0)) {
    throw Error(
        QStringLiteral("%1 ma ujemny współczynnik przepuszczania pary wodnej").arg(LayerText(table, index)));
  }
  return *sd;
}

Partition BuildPartition(const LayerTable& table, const MoistureInput& input, const AirLayerTable& air) {
  if (table.empty()) throw Error(QStringLiteral("Nie zdefiniowano warstw przegrody"));
  DesignConditions lambdaConditions;
  lambdaConditions.humidityClass = input.humid ? 1 : 0;
  Partition partition;
  partition.planes.push_back({0, 0, 0, 0, 0});
  for (int i = 0; i < table.size(); ++i) {
    const LayerRecord& layer = table.at(i);
    if (!(layer.thickness > 0) || !std::isfinite(layer.thickness)) {
      throw Error(
          QStringLiteral("%1 ma grubość %2 m; ocena wilgotnościowa wymaga warstw o grubości większej od zera")
              .arg(LayerText(table, i), FormatGeneral(layer.thickness)));
    }
    double r = 0;
    if (layer.isAirLayer()) {
      r = AirLayerResistance(air, input.direction, layer.thickness);
    } else {
      const double lambda = EffectiveLambda(layer, lambdaConditions);
      if (!(lambda > 0) || !std::isfinite(lambda)) {
        throw Error(
            QStringLiteral("%1 ma zerowy współczynnik przewodzenia ciepła λ").arg(LayerText(table, i)));
      }
      r = layer.thickness / lambda;
    }
    const double sd = LayerSd(table, i);
    const int parts = std::clamp(static_cast<int>(std::ceil(r / kMaxSublayerResistance)), 1, kMaxSublayers);
    const Plane start = partition.planes.back();
    for (int k = 1; k <= parts; ++k) {
      const double share = static_cast<double>(k) / parts;
      const bool face = k == parts;
      partition.planes.push_back({start.r + r * share, start.sd + sd * share,
                                  start.depth + layer.thickness * share, i,
                                  face ? std::min(i + 1, table.size() - 1) : i});
    }
    // Sums kept exact at the faces, so that sd compares equal across vapour-open layers.
    partition.planes.back().r = start.r + r;
    partition.planes.back().sd = start.sd + sd;
    partition.planes.back().depth = start.depth + layer.thickness;
  }
  partition.layerResistance = partition.planes.back().r;
  partition.totalSd = partition.planes.back().sd;
  partition.planes.front().outerLayer = 0;
  if (!(partition.totalSd > 0)) {
    throw Error(QStringLiteral(
        "Przegroda nie ma oporu dyfuzyjnego: żadna warstwa nie stawia oporu parze wodnej, więc "
        "kondensacji międzywarstwowej nie można ocenić"));
  }
  return partition;
}

void ValidateIndoor(const IndoorConditions& indoor) {
  if (!(indoor.ti >= kLowestIndoorTemperature && indoor.ti <= kHighestIndoorTemperature)) {
    throw Error(QStringLiteral("Temperatura wewnętrzna %1 °C poza zakresem od %2 do %3 °C")
                    .arg(FormatGeneral(indoor.ti), FormatGeneral(kLowestIndoorTemperature),
                         FormatGeneral(kHighestIndoorTemperature)));
  }
  if (indoor.mode == IndoorHumidity::Fixed && !(indoor.phiI >= 1 && indoor.phiI <= 100)) {
    throw Error(QStringLiteral("Wilgotność względna powietrza wewnętrznego %1% poza zakresem od 1 do 100%")
                    .arg(FormatGeneral(indoor.phiI)));
  }
  if (indoor.mode == IndoorHumidity::HumidityClass &&
      (indoor.humidityClass < 1 || indoor.humidityClass > kHumidityClassCount)) {
    throw Error(QStringLiteral("Klasa wilgotności %1 nie istnieje; dostępne są klasy od 1 do %2")
                    .arg(indoor.humidityClass)
                    .arg(kHumidityClassCount));
  }
}

double IndoorPressure(const IndoorConditions& indoor, double te, double pe) {
  const double saturated = SaturationPressureIso(indoor.ti);
  if (indoor.mode == IndoorHumidity::Fixed) return indoor.phiI / 100.0 * saturated;
  // Room air cannot hold more than saturation, whatever the class adds.
  return std::min(pe + kHumidityClassSafetyFactor * HumidityClassExcess(indoor.humidityClass, te), saturated);
}

// A point the vapour-pressure line passes through: the two air sides, wet
// planes, and planes where the line touches saturation.
struct Contact {
  double sd;
  double p;
  int node;  // -1 for the air sides
};

// Planes sharing one sd (vapour-open layers between them) are one node: the
// vapour pressure is the same at all of them, so the coldest decides.
struct Node {
  double sd;
  int firstPlane;
  int lastPlane;
};

class MonthlyGlaser {
 public:
  MonthlyGlaser(const LayerTable& table, const Partition& partition, double rsi, double rse)
      : table_(table), partition_(partition), rsi_(rsi), total_(rsi + partition.layerResistance + rse) {
    const std::vector<Plane>& planes = partition.planes;
    const int last = static_cast<int>(planes.size()) - 1;
    int k = 1;
    while (k < last && planes[k].sd == 0) innerOpen_.push_back(k++);
    for (int j = last - 1; j >= k && planes[j].sd == partition.totalSd; --j) outerOpen_.push_back(j);
    const int end = outerOpen_.empty() ? last : outerOpen_.back();
    while (k < end) {
      Node node{planes[k].sd, k, k};
      while (node.lastPlane + 1 < end && planes[node.lastPlane + 1].sd == node.sd) ++node.lastPlane;
      nodes_.push_back(node);
      k = node.lastPlane + 1;
    }
  }

  int nodeCount() const { return static_cast<int>(nodes_.size()); }
  const Node& node(int index) const { return nodes_[index]; }

  // Saturation at each node for the month, and the plane that sets it.
  void SetMonth(int month, double ti, double te, double pi, double pe) {
    const std::vector<Plane>& planes = partition_.planes;
    const auto saturation = [&](int plane) {
      return SaturationPressureIso(ti - (rsi_ + planes[plane].r) / total_ * (ti - te));
    };
    CheckOpenSide(innerOpen_, saturation, pi, month, QStringLiteral("pomieszczenia"));
    CheckOpenSide(outerOpen_, saturation, pe, month, QStringLiteral("powietrza zewnętrznego"));
    ceiling_.resize(nodes_.size());
    coldest_.resize(nodes_.size());
    for (size_t j = 0; j < nodes_.size(); ++j) {
      ceiling_[j] = INFINITY;
      for (int k = nodes_[j].firstPlane; k <= nodes_[j].lastPlane; ++k) {
        const double ps = saturation(k);
        if (ps < ceiling_[j]) {
          ceiling_[j] = ps;
          coldest_[j] = k;
        }
      }
    }
    pi_ = pi;
    pe_ = pe;
  }

  int coldestPlane(int node) const { return coldest_[node]; }

  // Condensation rate at every node, kg/(m² s); wet nodes are held at saturation.
  void Solve(const std::vector<bool>& wet, std::vector<double>& rates) {
    contacts_.clear();
    contacts_.push_back({0, pi_, -1});
    int from = 0;
    for (int j = 0; j <= nodeCount(); ++j) {
      if (j < nodeCount() && !wet[j]) continue;
      const Contact fixed =
          j < nodeCount() ? Contact{nodes_[j].sd, ceiling_[j], j} : Contact{partition_.totalSd, pe_, -1};
      AppendLowerHull(from, j, fixed);
      from = j + 1;
    }
    rates.assign(nodes_.size(), 0.0);
    for (size_t c = 1; c + 1 < contacts_.size(); ++c) {
      const Contact& before = contacts_[c - 1];
      const Contact& here = contacts_[c];
      const Contact& after = contacts_[c + 1];
      const double in = kVapourPermeabilityOfAir * (before.p - here.p) / (here.sd - before.sd);
      const double out = kVapourPermeabilityOfAir * (here.p - after.p) / (after.sd - here.sd);
      rates[here.node] = in - out;
    }
  }

 private:
  template <typename Saturation>
  void CheckOpenSide(const std::vector<int>& open, const Saturation& saturation, double air, int month,
                     const QString& side) const {
    for (int plane : open) {
      if (saturation(plane) < air) {
        const int layer = partition_.planes[plane].innerLayer;
        throw Error(
            QStringLiteral("%1: para wodna skrapla się na granicy warstwy %2 („%3”), którą od %4 dzielą "
                           "tylko warstwy bez oporu dyfuzyjnego; metoda EN ISO 13788 nie daje tu wyniku. "
                           "Warstwom po tej stronie należy przypisać współczynnik przepuszczania pary wodnej")
                .arg(MonthName(month))
                .arg(layer + 1)
                .arg(QuotedInput(table_.at(layer).nameText()), side));
      }
    }
  }

  // The lower convex hull from the last contact over the dry nodes [from, to) to `end`.
  void AppendLowerHull(int from, int to, const Contact& end) {
    const size_t base = contacts_.size() - 1;
    const auto push = [&](const Contact& point) {
      while (contacts_.size() >= base + 2) {
        const Contact& a = contacts_[contacts_.size() - 2];
        const Contact& b = contacts_.back();
        const double cross = (b.sd - a.sd) * (point.p - a.p) - (b.p - a.p) * (point.sd - a.sd);
        if (cross > 0) break;
        contacts_.pop_back();
      }
      contacts_.push_back(point);
    };
    for (int j = from; j < to; ++j) push({nodes_[j].sd, ceiling_[j], j});
    push(end);
  }

  const LayerTable& table_;
  const Partition& partition_;
  double rsi_;
  double total_;
  std::vector<int> innerOpen_;
  std::vector<int> outerOpen_;
  std::vector<Node> nodes_;
  std::vector<double> ceiling_;
  std::vector<int> coldest_;
  std::vector<Contact> contacts_;
  double pi_ = 0;
  double pe_ = 0;
};

void AssessSurface(const Partition& partition, const MoistureInput& input, MoistureResult& result) {
  const double ti = input.indoor.ti;
  result.fRsi = 1.0 - kMouldRsi / (kMouldRsi + partition.layerResistance + input.rse);
  for (int m = 0; m < kMonthCount; ++m) {
    MonthResult& month = result.months[m];
    month.thetaSi = month.te + result.fRsi * (ti - month.te);
    month.fRsi = result.fRsi;
    if (ti > month.te) {
      const double thetaSiMin = SaturationTemperatureIso(month.pi / kMouldSurfaceHumidity);
      month.fRsiMin = (thetaSiMin - month.te) / (ti - month.te);
      if (result.decisiveMonth < 0 || *month.fRsiMin > result.fRsiMinDecisive) {
        result.decisiveMonth = m;
        result.fRsiMinDecisive = *month.fRsiMin;
      }
    }
  }
  result.meetsCriticalFactor = result.decisiveMonth < 0 || result.fRsi >= result.fRsiMinDecisive;
  result.meetsSimplifiedThreshold = result.fRsi >= kSimplifiedFRsiThreshold;
}

void AssessInterstitial(const LayerTable& table, const Partition& partition, const MoistureInput& input,
                        MoistureResult& result) {
  MonthlyGlaser glaser(table, partition, input.rsi, input.rse);
  const int nodes = glaser.nodeCount();
  std::vector<double> rates;
  std::vector<bool> wet(nodes, false);

  // From a dry partition: which months condense at all.
  std::array<double, kMonthCount> dryAmount{};
  for (int m = 0; m < kMonthCount; ++m) {
    const MonthResult& month = result.months[m];
    glaser.SetMonth(m, input.indoor.ti, month.te, month.pi, month.pe);
    glaser.Solve(wet, rates);
    for (double rate : rates) dryAmount[m] += std::max(0.0, rate * MonthSeconds(m));
  }
  const auto condenses = [&](int m) { return dryAmount[m] > kNegligibleMoisture; };
  if (std::none_of(dryAmount.begin(), dryAmount.end(), [](double a) { return a > kNegligibleMoisture; })) {
    result.verdict = InterstitialVerdict::NoCondensation;
    return;
  }
  // The year starts in the first month that condenses after one that does not;
  // when every month condenses, after the month that condenses least.
  int start = -1;
  for (int m = 0; m < kMonthCount && start < 0; ++m) {
    if (condenses(m) && !condenses((m + kMonthCount - 1) % kMonthCount)) start = m;
  }
  if (start < 0) {
    start = (std::min_element(dryAmount.begin(), dryAmount.end()) - dryAmount.begin() + 1) % kMonthCount;
  }
  result.startMonth = start;

  std::vector<double> ma(nodes, 0.0);
  std::vector<std::array<double, kMonthCount>> gcByNode(nodes);
  std::vector<std::array<double, kMonthCount>> maByNode(nodes);
  std::vector<int> planeOfNode(nodes, -1);
  for (int step = 0; step < kMonthCount; ++step) {
    const int m = (start + step) % kMonthCount;
    const MonthResult& month = result.months[m];
    glaser.SetMonth(m, input.indoor.ti, month.te, month.pi, month.pe);
    for (int j = 0; j < nodes; ++j) wet[j] = ma[j] > 0;
    glaser.Solve(wet, rates);
    for (int j = 0; j < nodes; ++j) {
      double amount = rates[j] * MonthSeconds(m);
      if (!wet[j] && amount <= kNegligibleMoisture) amount = 0;
      ma[j] = std::max(0.0, ma[j] + amount);
      gcByNode[j][m] = amount;
      maByNode[j][m] = ma[j];
      if (amount != 0 && planeOfNode[j] < 0) planeOfNode[j] = glaser.coldestPlane(j);
    }
  }
  const bool leftover = std::any_of(ma.begin(), ma.end(), [](double v) { return v > 0; });
  result.verdict = leftover ? InterstitialVerdict::Accumulates : InterstitialVerdict::DriesOut;

  for (int j = 0; j < nodes; ++j) {
    if (planeOfNode[j] < 0) continue;
    const Plane& plane = partition.planes[planeOfNode[j]];
    CondensationPlane out;
    out.innerLayer = plane.innerLayer;
    out.outerLayer = plane.outerLayer;
    out.depth = plane.depth;
    out.sd = plane.sd;
    out.gc = gcByNode[j];
    out.ma = maByNode[j];
    const int index = static_cast<int>(result.planes.size());
    result.planes.push_back(out);
    for (int m = 0; m < kMonthCount; ++m) {
      MonthResult& month = result.months[m];
      month.gc += out.gc[m];
      month.ma += out.ma[m];
      if (out.gc[m] != 0 || out.ma[m] > 0) month.planes.push_back(index);
    }
  }
  for (int step = 0; step < kMonthCount; ++step) {
    const int m = (start + step) % kMonthCount;
    if (result.months[m].ma > result.maxMa) {
      result.maxMa = result.months[m].ma;
      result.maxMaMonth = m;
    }
  }
}

}  // namespace

double SaturationPressureIso(double temperature) {
  if (temperature >= 0) return 610.5 * std::exp(17.269 * temperature / (237.3 + temperature));
  return 610.5 * std::exp(21.875 * temperature / (265.5 + temperature));
}

double SaturationTemperatureIso(double pressure) {
  const double x = std::log(pressure / 610.5);
  if (pressure >= 610.5) return 237.3 * x / (17.269 - x);
  return 265.5 * x / (21.875 - x);
}

double HumidityClassExcess(int humidityClass, double te) {
  const double atZero = kHumidityClassStep * humidityClass;
  if (te <= 0) return atZero;
  if (te >= 20) return 0;
  return atZero * (1.0 - te / 20.0);
}

QString MonthName(int month) {
  static const char* const kNames[kMonthCount] = {"Styczeń",  "Luty",        "Marzec",   "Kwiecień",
                                                  "Maj",      "Czerwiec",    "Lipiec",   "Sierpień",
                                                  "Wrzesień", "Październik", "Listopad", "Grudzień"};
  return month >= 0 && month < kMonthCount ? QString::fromUtf8(kNames[month]) : QString();
}

MoistureInput MoistureInput::FromDesignConditions(const DesignConditions& conditions,
                                                  const MonthlyClimate& climate) {
  MoistureInput input;
  input.climate = climate;
  input.indoor.ti = conditions.ti;
  input.indoor.mode = IndoorHumidity::Fixed;
  input.indoor.phiI = conditions.phiI;
  input.humid = conditions.humid();
  input.direction = conditions.direction;
  input.rsi = conditions.rsi;
  input.rse = conditions.rse;
  return input;
}

MoistureResult AssessMoisture(const LayerTable& table, const MoistureInput& input, const AirLayerTable& air) {
  ValidateClimate(input.climate);
  ValidateIndoor(input.indoor);
  if (!(input.rsi >= 0 && input.rse >= 0))
    throw Error(QStringLiteral("Opory przejmowania ciepła nie mogą być ujemne"));
  const Partition partition = BuildPartition(table, input, air);

  MoistureResult result;
  result.totalSd = partition.totalSd;
  for (int m = 0; m < kMonthCount; ++m) {
    MonthResult& month = result.months[m];
    month.te = input.climate.te[m];
    month.phiE = input.climate.phiE[m];
    month.pe = month.phiE / 100.0 * SaturationPressureIso(month.te);
    month.pi = IndoorPressure(input.indoor, month.te, month.pe);
  }
  AssessSurface(partition, input, result);
  AssessInterstitial(table, partition, input, result);
  return result;
}

}  // namespace veltor
