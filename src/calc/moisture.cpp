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
#include <limits>

#include "calc/calculation.h"
#include "calc/errors.h"
#include "calc/numbers.h"
#include "calc/transmittance.h"

namespace veltor {

namespace {

constexpr std::array<int, kMonthCount> kDaysInMonth = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr double kSecondsPerDay = 86400;
constexpr double kLowestIndoorTemperature = -50;
constexpr double kHighestIndoorTemperature = 50;
// Years run from the start of the season before a partition that never dries is called so.
constexpr int kMaxMoistureYears = 20;

double MonthSeconds(int month) {
  return kDaysInMonth[month] * kSecondsPerDay;
}

QString LayerText(const LayerTable& table, int index) {
  return QStringLiteral("Warstwa %1 („%2”)").arg(index + 1).arg(QuotedInput(table.at(index).nameText()));
}

// One plane of the partition; index 0 is the inner face, the last the outer face.
struct Plane {
  double r = 0;      // thermal resistance from the inner face, surfaces excluded
  double sd = 0;     // m, of the vapour-permeable layers from the inner face
  double depth = 0;  // m
  int innerLayer = 0;
  int outerLayer = 0;
  int segment = 0;  // vapour-tight layers between this plane and the inner face
};

struct Partition {
  std::vector<Plane> planes;
  double layerResistance = 0;
  double totalSd = 0;  // of the vapour-permeable layers
  int tightLayers = 0;
};

// A layer's sd; empty for a vapour-tight one. By μ = δ0 / δ a coefficient of 0
// is an impermeable layer, while "max" (an infinity) and the air layer carry
// no resistance, as the calculation pass counts them.
std::optional<double> LayerSd(const LayerTable& table, int index) {
  const LayerRecord& layer = table.at(index);
  if (layer.isAirLayer() || std::isinf(layer.vapourCoefficient)) return 0.0;
  if (layer.vapourCoefficient == 0) return std::nullopt;
  if (!(layer.vapourCoefficient > 0)) {
    throw Error(
        QStringLiteral("%1 ma ujemny współczynnik przepuszczania pary wodnej").arg(LayerText(table, index)));
  }
  return EquivalentAirThickness(layer);
}

// Over the layers the heat and vapour paths count: beyond a well-ventilated air
// layer the outdoor air is taken to reach the layer's inner face, as U takes it
// (FirstIgnoredLayer), so those layers hold back neither heat nor vapour.
Partition BuildPartition(const LayerTable& table, const MoistureInput& input, const AirLayerTable& air) {
  if (table.empty()) throw Error(QStringLiteral("Nie zdefiniowano warstw przegrody"));
  const int ignored = FirstIgnoredLayer(table, input.outerSide);
  const int counted = ignored >= 0 ? ignored : table.size();
  if (counted == 0)
    throw Error(
        QStringLiteral("Wentylowana warstwa powietrza jest najbardziej wewnętrzną warstwą przegrody: "
                       "nie ma warstw do oceny"));
  DesignConditions lambdaConditions;
  lambdaConditions.humidityClass = input.humid ? 1 : 0;
  Partition partition;
  partition.planes.push_back({0, 0, 0, 0, 0, 0});
  for (int i = 0; i < counted; ++i) {
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
    const std::optional<double> layerSd = LayerSd(table, i);
    const double sd = layerSd.value_or(0);
    const Plane start = partition.planes.back();
    // Nothing reaches the inside of a vapour-tight layer, so it needs no planes there.
    const int parts = layerSd ? SublayerCount(r) : 1;
    const int segment = start.segment + (layerSd ? 0 : 1);
    if (!layerSd) ++partition.tightLayers;
    for (int k = 1; k <= parts; ++k) {
      const double share = static_cast<double>(k) / parts;
      const bool face = k == parts;
      partition.planes.push_back({start.r + r * share, start.sd + sd * share,
                                  start.depth + layer.thickness * share, i,
                                  face ? std::min(i + 1, counted - 1) : i, segment});
    }
    // Sums kept exact at the faces, so that sd compares equal across vapour-open layers.
    partition.planes.back().r = start.r + r;
    partition.planes.back().sd = start.sd + sd;
    partition.planes.back().depth = start.depth + layer.thickness;
  }
  partition.layerResistance = partition.planes.back().r;
  partition.totalSd = partition.planes.back().sd;
  partition.planes.front().outerLayer = 0;
  if (!(partition.totalSd > 0) && partition.tightLayers == 0) {
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
  int node;  // -1 for the air sides and the faces of vapour-tight layers
};

// Planes sharing one sd (vapour-open layers between them) are one node: the
// vapour pressure is the same at all of them, so the coldest decides.
struct Node {
  double sd;
  int firstPlane;
  int lastPlane;
};

// The nodes between two vapour-tight layers (or a tight layer and the air).
struct Segment {
  int firstNode;
  int endNode;  // one past the last
  double startSd;
  double endSd;
};

class MonthlyGlaser {
 public:
  MonthlyGlaser(const LayerTable& table, const Partition& partition, double rsi, double rse)
      : table_(table), partition_(partition), rsi_(rsi), total_(rsi + partition.layerResistance + rse) {
    const std::vector<Plane>& planes = partition.planes;
    const int last = static_cast<int>(planes.size()) - 1;
    const int lastSegment = partition.tightLayers;
    int k = 1;
    while (k < last && planes[k].segment == 0 && planes[k].sd == 0) innerOpen_.push_back(k++);
    for (int j = last - 1; j >= k && planes[j].segment == lastSegment && planes[j].sd == partition.totalSd;
         --j)
      outerOpen_.push_back(j);
    const int end = outerOpen_.empty() ? last : outerOpen_.back();
    segments_.push_back({0, 0, 0, 0});
    while (k < end) {
      while (planes[k].segment > static_cast<int>(segments_.size()) - 1) {
        segments_.back().endSd = planes[k].sd;
        segments_.push_back({nodeCount(), nodeCount(), planes[k].sd, planes[k].sd});
      }
      Node node{planes[k].sd, k, k};
      while (node.lastPlane + 1 < end && planes[node.lastPlane + 1].sd == node.sd &&
             planes[node.lastPlane + 1].segment == planes[k].segment)
        ++node.lastPlane;
      nodes_.push_back(node);
      segments_.back().endNode = nodeCount();
      segments_.back().endSd = node.sd;
      k = node.lastPlane + 1;
    }
    while (static_cast<int>(segments_.size()) <= lastSegment)
      segments_.push_back({nodeCount(), nodeCount(), partition.totalSd, partition.totalSd});
    segments_.back().endSd = partition.totalSd;
  }

  int nodeCount() const { return static_cast<int>(nodes_.size()); }

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
  // kg/(m² s) from the room into the partition and out of it to the outside, of the last Solve.
  double fromRoom() const { return fromRoom_; }
  double toOutside() const { return toOutside_; }

  // Condensation rate at every node, kg/(m² s); wet nodes are held at saturation.
  void Solve(const std::vector<bool>& wet, std::vector<double>& rates) {
    rates.assign(nodes_.size(), 0.0);
    fromRoom_ = toOutside_ = 0;
    const int lastSegment = static_cast<int>(segments_.size()) - 1;
    for (int s = 0; s <= lastSegment; ++s) {
      const Segment& segment = segments_[s];
      const bool roomSide = s == 0;
      const bool outerSide = s == lastSegment;
      // A vapour-tight face passes no vapour: the line meets it level, at the
      // lowest pressure it can keep up to the first point that is held.
      contacts_.clear();
      if (roomSide) {
        contacts_.push_back({0, pi_, -1});
      } else {
        int j = segment.firstNode;
        double level = INFINITY;
        for (; j < segment.endNode && !wet[j]; ++j) level = std::min(level, ceiling_[j]);
        level = std::min(level, j < segment.endNode ? ceiling_[j] : outerSide ? pe_ : INFINITY);
        if (!std::isfinite(level)) continue;  // sealed on both sides without a node
        contacts_.push_back({segment.startSd - 1, level, -1});
      }
      int from = segment.firstNode;
      for (int j = segment.firstNode; j < segment.endNode; ++j) {
        if (!wet[j]) continue;
        AppendLowerHull(from, j, {nodes_[j].sd, ceiling_[j], j});
        from = j + 1;
      }
      if (outerSide) {
        AppendLowerHull(from, segment.endNode, {partition_.totalSd, pe_, -1});
      } else {
        double level = contacts_.back().p;
        for (int j = from; j < segment.endNode; ++j) level = std::min(level, ceiling_[j]);
        AppendLowerHull(from, segment.endNode, {segment.endSd + 1, level, -1});
      }
      for (size_t c = 1; c + 1 < contacts_.size(); ++c) rates[contacts_[c].node] = Flow(c - 1) - Flow(c);
      if (roomSide) fromRoom_ = Flow(0);
      if (outerSide) toOutside_ = Flow(contacts_.size() - 2);
    }
  }

 private:
  // kg/(m² s) between contacts c and c + 1; nothing along a level line.
  double Flow(size_t c) const {
    const Contact& a = contacts_[c];
    const Contact& b = contacts_[c + 1];
    return a.p == b.p ? 0.0 : kVapourPermeabilityOfAir * (a.p - b.p) / (b.sd - a.sd);
  }

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
  std::vector<Segment> segments_;
  std::vector<double> ceiling_;
  std::vector<int> coldest_;
  std::vector<Contact> contacts_;
  double pi_ = 0;
  double pe_ = 0;
  double fromRoom_ = 0;
  double toOutside_ = 0;
};

void AssessSurface(const Partition& partition, const MoistureInput& input, MoistureResult& result) {
  const double ti = input.indoor.ti;
  const double indoorSaturation = SaturationPressureIso(ti);
  result.fRsi = 1.0 - kMouldRsi / (kMouldRsi + partition.layerResistance + input.rse);
  for (int m = 0; m < kMonthCount; ++m) {
    MonthResult& month = result.months[m];
    month.thetaSi = month.te + result.fRsi * (ti - month.te);
    month.fRsi = result.fRsi;
    if (!(ti > month.te)) continue;
    // Saturated room air leaves no surface temperature that keeps below the
    // mould limit: no factor, and the month fails whatever the wall.
    if (month.pi >= indoorSaturation) {
      if (result.saturatedMonth < 0) result.saturatedMonth = m;
      continue;
    }
    const double thetaSiMin = SaturationTemperatureIso(month.pi / kMouldSurfaceHumidity);
    // A limit at or below the outdoor air is met by any surface: no factor either.
    if (!(thetaSiMin > month.te)) continue;
    month.fRsiMin = (thetaSiMin - month.te) / (ti - month.te);
    if (result.decisiveMonth < 0 || *month.fRsiMin > result.fRsiMinDecisive) {
      result.decisiveMonth = m;
      result.fRsiMinDecisive = *month.fRsiMin;
    }
  }
  result.meetsCriticalFactor =
      result.saturatedMonth < 0 && (result.decisiveMonth < 0 || result.fRsi >= result.fRsiMinDecisive);
  result.meetsSimplifiedThreshold = result.fRsi >= kSimplifiedFRsiThreshold;
}

// Water held at the nodes of the partition, carried month by month.
class MoistureYear {
 public:
  MoistureYear(MonthlyGlaser& glaser, const MoistureResult& result, double ti)
      : glaser_(glaser), result_(result), ti_(ti), ma_(glaser.nodeCount(), 0.0) {}

  const std::vector<double>& ma() const { return ma_; }
  bool dry() const {
    return std::all_of(ma_.begin(), ma_.end(), [](double v) { return v == 0; });
  }

  // One month: gc[j] the net water gained at node j, in and out the vapour
  // from the room and to the outside, all kg/m². A wet plane held at
  // saturation feeds its neighbours only while it holds water: the month is
  // split where one runs dry, and the line is drawn again without it.
  void Advance(int m, std::vector<double>& gc, double& in, double& out) {
    const MonthResult& month = result_.months[m];
    glaser_.SetMonth(m, ti_, month.te, month.pi, month.pe);
    const int nodes = glaser_.nodeCount();
    gc.assign(nodes, 0.0);
    in = out = 0;
    double remaining = MonthSeconds(m);
    // Each split dries one plane; past this many the rest of the month runs
    // as it is, so that a pathological case stays finite.
    const int lastSplit = 4 * nodes + 16;
    for (int split = 0; remaining > 0 && split <= lastSplit; ++split) {
      for (int j = 0; j < nodes; ++j) wet_[j] = ma_[j] > 0;
      glaser_.Solve(wet_, rates_);
      double t = remaining;
      int drying = -1;
      for (int j = 0; j < nodes; ++j) {
        // A dry plane on the line only gains; a negative rate there is rounding.
        if (!wet_[j]) rates_[j] = std::max(0.0, rates_[j]);
        if (wet_[j] && rates_[j] < 0 && ma_[j] < -rates_[j] * t) {
          t = ma_[j] / -rates_[j];
          drying = j;
        }
      }
      if (split == lastSplit) {
        t = remaining;
        drying = -1;
      }
      for (int j = 0; j < nodes; ++j) {
        const double before = ma_[j];
        ma_[j] = std::max(0.0, ma_[j] + rates_[j] * t);
        // Planes running dry within rounding of the one that sets the split dry with it.
        if (j == drying || (wet_[j] && rates_[j] < 0 && ma_[j] <= 1e-12 * before)) ma_[j] = 0;
        gc[j] += ma_[j] - before;
      }
      in += glaser_.fromRoom() * t;
      out += glaser_.toOutside() * t;
      remaining = drying < 0 ? 0 : remaining - t;
    }
  }

 private:
  MonthlyGlaser& glaser_;
  const MoistureResult& result_;
  double ti_;
  std::vector<double> ma_;
  std::vector<bool> wet_ = std::vector<bool>(ma_.size(), false);
  std::vector<double> rates_;
};

// The month after the longest run of months in which a dry partition takes
// no water: with two condensation seasons, the first in calendar order may
// start while the wall still holds the other's water. When every month
// condenses, after the month that condenses least.
int SeasonStart(const std::array<double, kMonthCount>& dryAmount) {
  const auto condenses = [&](int m) { return dryAmount[m % kMonthCount] > kNegligibleMoisture; };
  int start = -1;
  int longest = 0;
  for (int end = 0; end < kMonthCount; ++end) {
    // A run of dry months ending at `end`, followed by a condensing month.
    if (condenses(end) || !condenses(end + 1)) continue;
    int length = 0;
    while (length < kMonthCount && !condenses(end + kMonthCount - length)) ++length;
    if (length > longest) {
      longest = length;
      start = (end + 1) % kMonthCount;
    }
  }
  if (start >= 0) return start;
  return static_cast<int>((std::min_element(dryAmount.begin(), dryAmount.end()) - dryAmount.begin() + 1) %
                          kMonthCount);
}

void AssessInterstitial(const LayerTable& table, const Partition& partition, const MoistureInput& input,
                        MoistureResult& result) {
  MonthlyGlaser glaser(table, partition, input.rsi, input.rse);
  const int nodes = glaser.nodeCount();
  std::vector<double> rates;

  // From a dry partition: which months condense at all.
  std::array<double, kMonthCount> dryAmount{};
  for (int m = 0; m < kMonthCount; ++m) {
    const MonthResult& month = result.months[m];
    glaser.SetMonth(m, input.indoor.ti, month.te, month.pi, month.pe);
    glaser.Solve(std::vector<bool>(nodes, false), rates);
    for (double rate : rates) dryAmount[m] += std::max(0.0, rate * MonthSeconds(m));
    result.months[m].vapourIn = glaser.fromRoom() * MonthSeconds(m);
    result.months[m].vapourOut = glaser.toOutside() * MonthSeconds(m);
  }
  if (std::none_of(dryAmount.begin(), dryAmount.end(), [](double a) { return a > kNegligibleMoisture; })) {
    result.verdict = InterstitialVerdict::NoCondensation;
    return;
  }
  const int seasonStart = SeasonStart(dryAmount);

  // The year is run on until it repeats: the same calendar month ending with
  // the partition dry twelve months apart makes the twelve months between a
  // periodic year, which then dries out. Without one the water stays, and the
  // first year from a dry partition is shown, as the method does.
  struct Month {
    std::vector<double> gc, ma;
    double in = 0, out = 0;
  };
  std::array<Month, kMonthCount> recent;  // by calendar month, the latest run of each
  std::array<Month, kMonthCount> firstYear;
  std::array<int, kMonthCount> lastDry;
  lastDry.fill(std::numeric_limits<int>::min());
  lastDry[(seasonStart + kMonthCount - 1) % kMonthCount] = -1;  // the season starts after a dry month
  MoistureYear year(glaser, result, input.indoor.ti);
  int periodicEnd = -1;
  int lastDryAt = -1;
  for (int t = 0; t < kMaxMoistureYears * kMonthCount && periodicEnd < 0; ++t) {
    const int m = (seasonStart + t) % kMonthCount;
    Month& month = recent[m];
    year.Advance(m, month.gc, month.in, month.out);
    month.ma = year.ma();
    if (t == kMonthCount - 1) firstYear = recent;
    if (year.dry()) {
      if (lastDry[m] == t - kMonthCount) periodicEnd = t;
      lastDry[m] = lastDryAt = t;
    }
    // A whole year never dry stays so: more water at its start only keeps more.
    if (t - lastDryAt >= kMonthCount) break;
  }
  const bool periodic = periodicEnd >= 0;
  const std::array<Month, kMonthCount>& shown = periodic ? recent : firstYear;
  result.verdict = periodic ? InterstitialVerdict::DriesOut : InterstitialVerdict::Accumulates;
  result.startMonth = periodic ? (seasonStart + periodicEnd + 1) % kMonthCount : seasonStart;

  std::vector<int> planeOfNode(nodes, -1);
  for (int step = 0; step < kMonthCount; ++step) {
    const int m = (result.startMonth + step) % kMonthCount;
    const MonthResult& month = result.months[m];
    glaser.SetMonth(m, input.indoor.ti, month.te, month.pi, month.pe);
    for (int j = 0; j < nodes; ++j) {
      if (planeOfNode[j] < 0 && (shown[m].gc[j] != 0 || shown[m].ma[j] > 0))
        planeOfNode[j] = glaser.coldestPlane(j);
    }
  }
  for (int m = 0; m < kMonthCount; ++m) {
    result.months[m].vapourIn = shown[m].in;
    result.months[m].vapourOut = shown[m].out;
  }
  for (int j = 0; j < nodes; ++j) {
    if (planeOfNode[j] < 0) continue;
    const Plane& plane = partition.planes[planeOfNode[j]];
    CondensationPlane out;
    out.innerLayer = plane.innerLayer;
    out.outerLayer = plane.outerLayer;
    out.depth = plane.depth;
    out.sd = plane.segment > 0 ? INFINITY : plane.sd;
    for (int m = 0; m < kMonthCount; ++m) {
      out.gc[m] = shown[m].gc[j];
      out.ma[m] = shown[m].ma[j];
    }
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
    const int m = (result.startMonth + step) % kMonthCount;
    if (result.months[m].ma > result.maxMa) {
      result.maxMa = result.months[m].ma;
      result.maxMaMonth = m;
    }
  }
}

}  // namespace

double SaturationPressureIso(double temperature) {
  if (temperature >= 0) return SaturationPressureOverWater(temperature);
  return 610.5 * std::exp(21.875 * temperature / (265.5 + temperature));
}

double SaturationPressureOverWater(double temperature) {
  return 610.5 * std::exp(17.269 * temperature / (237.3 + temperature));
}

int SublayerCount(double resistance) {
  // R = d / λ may land a rounding step above a whole number of steps (70 mm at
  // λ 0.040 gives 1.7500000000000002): that is not one more sub-layer.
  const double steps = resistance / kMaxSublayerResistance;
  const double count = std::ceil(steps - 1e-9 * std::max(1.0, steps));
  // Compared before the conversion: a NaN or an infinity has no int.
  if (!(count < kMaxSublayers)) return kMaxSublayers;
  return count >= 1 ? static_cast<int>(count) : 1;
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
  // The Rse in force for the outer side (outdoor air: the conditions' own),
  // and the side itself for the layers it makes the paths disregard.
  input.rse = RseInForce(conditions);
  input.outerSide = conditions.outerSide;
  return input;
}

MoistureResult AssessMoisture(const LayerTable& table, const MoistureInput& input, const AirLayerTable& air) {
  ValidateClimate(input.climate);
  ValidateIndoor(input.indoor);
  if (!(input.rsi >= 0 && input.rse >= 0))
    throw Error(QStringLiteral("Opory przejmowania ciepła nie mogą być ujemne"));
  const Partition partition = BuildPartition(table, input, air);

  MoistureResult result;
  result.totalSd = partition.tightLayers > 0 ? INFINITY : partition.totalSd;
  for (int m = 0; m < kMonthCount; ++m) {
    MonthResult& month = result.months[m];
    month.te = input.climate.te[m];
    month.phiE = input.climate.phiE[m];
    // Station humidity is relative to saturation over water, below 0 °C too.
    month.pe = month.phiE / 100.0 * SaturationPressureOverWater(month.te);
    month.pi = IndoorPressure(input.indoor, month.te, month.pe);
  }
  AssessSurface(partition, input, result);
  AssessInterstitial(table, partition, input, result);
  return result;
}

}  // namespace veltor
