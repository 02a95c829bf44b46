#include "targets.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstdlib>
#include <deque>

#include "calc/calculation.h"
#include "calc/catalogue.h"
#include "calc/errors.h"
#include "calc/layer.h"
#include "calc/moisture.h"
#include "calc/numbers.h"
#include "calc/ownmaterials.h"
#include "calc/reftables.h"
#include "calc/systemfiles.h"
#include "calc/textfile.h"
#include "project/projectfile.h"

namespace fuzz {

namespace {

QByteArray bytesOf(const std::uint8_t* data, std::size_t size) {
  return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The program's own errors are the right answer to bad input.
template <class Body>
int guarded(Body body) {
  try {
    body();
  } catch (const veltor::Error&) {
  }
  return 0;
}

QByteArray Written(const veltor::ProjectContents& c) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  veltor::WriteProject(buffer, c.description, c.conditions, c.layers, c.extras);
  return buffer.data();
}

// Plausible tables, so that a project that opens is also calculated.
const veltor::ReferenceTables& tables() {
  static const veltor::ReferenceTables t = [] {
    veltor::ReferenceTables r;
    for (int i = 0; i < veltor::kSaturationCount; ++i) {
      const double theta = (i + veltor::kSaturationLowestIndex) / 10.0;
      r.saturation.pa[i] = static_cast<std::int32_t>(std::lround(
          610.5 * std::exp(theta < 0 ? 21.875 * theta / (265.5 + theta) : 17.269 * theta / (237.3 + theta))));
    }
    const double rows[][4] = {{0, 0, 0, 0},
                              {0.005, 0.11, 0.11, 0.11},
                              {0.025, 0.16, 0.18, 0.19},
                              {0.1, 0.16, 0.18, 0.22},
                              {0.3, 0.16, 0.18, 0.23}};
    for (const auto& row : rows) r.air.rows[r.air.rowCount++] = {row[0], row[1], row[2], row[3]};
    return r;
  }();
  return t;
}

struct Node {
  std::deque<Node> children;
  veltor::LayerRecord record;
  double value = 0;
};

// The user's own file is the materials grammar too: every entry the program
// would accept is rewritten in place as the program writes it, and the file
// must then read back with the same entries and exactly the same values.
void OwnMaterialsRoundTrip(const QByteArray& content) {
  std::vector<veltor::OwnMaterial> entries;
  veltor::ReadOwnMaterials(content, entries);
  QByteArray rewritten = content;
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    if (it->begin < 0 || it->begin > it->end || it->end > content.size()) std::abort();
    if (veltor::CheckMaterial(it->label, it->record)) continue;
    rewritten.replace(it->begin, it->end - it->begin, veltor::MaterialEntryText(it->label, it->record));
  }
  std::vector<veltor::OwnMaterial> again;
  veltor::ReadOwnMaterials(rewritten, again);
  if (again.size() != entries.size()) std::abort();
  for (size_t i = 0; i < entries.size(); ++i) {
    if (veltor::CheckMaterial(entries[i].label, entries[i].record)) continue;
    const veltor::LayerRecord& a = entries[i].record;
    const veltor::LayerRecord& b = again[i].record;
    const auto same = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
    if (again[i].label != entries[i].label.trimmed() || a.name != b.name || a.fillPattern != b.fillPattern ||
        !same(a.lambdaMedium, b.lambdaMedium) || !same(a.lambdaHumid, b.lambdaHumid) ||
        !same(a.vapourCoefficient, b.vapourCoefficient) || !same(a.density, b.density) ||
        !same(a.thickness, b.thickness) || !same(a.specificHeat, b.specificHeat))
      std::abort();
  }
}

}  // namespace

int ProjectFile(const std::uint8_t* data, std::size_t size) {
  return guarded([&] {
    veltor::LoadedProject project = veltor::ReadProjectBytes(bytesOf(data, size));
    // What the file held is written back as read: a file written from it reads
    // back to the same file (unknown chunks are the only thing dropped).
    const QByteArray once = Written(project.contents);
    try {
      if (Written(veltor::ReadProjectBytes(once).contents) != once) std::abort();
    } catch (const veltor::Error&) {
      std::abort();  // the program refusing a file it wrote itself
    }
    veltor::DesignConditions c = project.contents.conditions;
    // The checks of opening a project, which raise our Error for anything else.
    veltor::CheckStoredConditions(c, tables().saturation);
    c.setSurfaceResistancesFromDirection();
    veltor::PartitionSummary summary;
    veltor::CalculatePartition(project.contents.layers, summary, c, tables());
    if (c.umax > 0 && !project.contents.layers.empty())
      (void)veltor::RequiredThicknessUc(project.contents.layers, 1, c, tables().air);
    (void)veltor::FormatGeneral(summary.u, 2);
  });
}

int Catalogue(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the grammar: materials (layer records) or Umax (numbers).
  const bool materials = data[0] & 1;
  guarded([&] {
    veltor::TextReader reader(bytesOf(data + 1, size - 1));
    Node root;
    const auto addNode = [&](Node* parent, const QByteArray& label, veltor::CatalogueEntry) {
      (void)veltor::FromCp1250(label);
      Node& owner = parent ? *parent : root;
      owner.children.emplace_back();
      return &owner.children.back();
    };
    const auto readItem = [&](Node* item, veltor::TextReader& r) {
      if (materials) {
        veltor::ReadLayerRecord(r, item->record);
        (void)item->record.nameText();
      } else {
        item->value = r.readNumberLine();
      }
    };
    veltor::ReadCatalogue<Node>(reader, materials ? veltor::kMaterialsMarkers : veltor::kUmaxMarkers, addNode,
                                readItem);
  });
  if (materials) guarded([&] { OwnMaterialsRoundTrip(bytesOf(data + 1, size - 1)); });
  return 0;
}

int SaturationTable(const std::uint8_t* data, std::size_t size) {
  return guarded([&] {
    veltor::TextReader reader(bytesOf(data, size));
    veltor::SaturationTable table;
    veltor::ReadSaturationTable(reader, table);
    for (double t : {-100.0, -40.05, -20.95, -5.0, 0.05, 30.9, 1e300, std::nan("")}) {
      const std::int32_t p = veltor::SaturationPressure(table, t);
      (void)veltor::TemperatureForPressure(table, p);
    }
  });
}

int AirLayerTable(const std::uint8_t* data, std::size_t size) {
  return guarded([&] {
    veltor::TextReader reader(bytesOf(data, size));
    veltor::AirLayerTable table;
    veltor::ReadAirLayerTable(reader, table);
    for (int direction = 0; direction < 3; ++direction)
      for (double d : {0.0, 0.004, 0.02, 0.3, 5.0}) (void)veltor::AirLayerResistance(table, direction, d);
  });
}

int Numbers(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes = bytesOf(data, size);
  const QString text = QString::fromUtf8(bytes);
  guarded(
      [&] { (void)veltor::FormatGeneral(veltor::StrToFloat(text, QLatin1Char(',')), 15, QLatin1Char(',')); });
  guarded(
      [&] { (void)veltor::FormatGeneral(veltor::StrToFloat(text, QLatin1Char('.')), 2, QLatin1Char('.')); });
  guarded([&] { (void)veltor::StrToInt(text); });
  if (const auto v = veltor::ParsePointNumber(bytes)) (void)veltor::FormatGeneral(*v, 5, QLatin1Char(','));
  return 0;
}

int SystemFiles(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the reader (and the family the systems file is filtered by).
  const int which = data[0] % 6;
  return guarded([&] {
    veltor::TextReader reader(bytesOf(data + 1, size - 1));
    veltor::CatalogueNodes tree;
    switch (which) {
      case 0:
        veltor::ReadMasonryFile(reader, tree);
        break;
      case 1:
        veltor::ReadInsulationFile(reader, tree);
        break;
      case 2:
        veltor::ReadAdhesiveFile(reader, tree);
        break;
      default:
        veltor::ReadSystemsFile(reader, veltor::FamilyKey(*veltor::FamilyAt(which - 3)), tree);
        break;
    }
    for (const auto& node : tree)
      if (node->record) (void)veltor::AdhesivePositionFor(*node->record);
  });
}

namespace {

// A wall that condenses in a cold climate: board, mineral wool, OSB outside.
const veltor::LayerTable& condensingWall() {
  static const veltor::LayerTable wall = [] {
    veltor::LayerTable t;
    const double layers[][3] = {{0.0125, 0.25, 72}, {0.15, 0.04, 720}, {0.022, 0.13, 3.6}};
    for (const auto& l : layers) {
      auto layer = std::make_unique<veltor::LayerRecord>();
      layer->thickness = l[0];
      layer->lambdaMedium = layer->lambdaHumid = l[1];
      layer->vapourCoefficient = l[2];
      t.AppendLayer(std::move(layer));
    }
    return t;
  }();
  return wall;
}

bool finite(double v) {
  return std::isfinite(v);
}

}  // namespace

int ClimateFile(const std::uint8_t* data, std::size_t size) {
  return guarded([&] {
    veltor::TextReader reader(bytesOf(data, size));
    for (const veltor::ClimateStation& station : veltor::ReadClimateFile(reader)) {
      // A station as the window saves it reads back exactly as it was.
      veltor::TextReader again(veltor::ClimateStationText(station, QStringLiteral("fuzz")));
      const std::vector<veltor::ClimateStation> back = veltor::ReadClimateFile(again);
      if (back.size() != 1 || back[0].name != station.name.trimmed()) std::abort();
      for (int m = 0; m < veltor::kMonthCount; ++m) {
        if (back[0].climate.te[m] != station.climate.te[m] ||
            back[0].climate.phiE[m] != station.climate.phiE[m])
          std::abort();
      }
      // Every climate the reader accepts is assessed, and without a NaN.
      for (const int humidityClass : {0, 5}) {
        veltor::MoistureInput input;
        input.climate = station.climate;
        if (humidityClass > 0) {
          input.indoor.mode = veltor::IndoorHumidity::HumidityClass;
          input.indoor.humidityClass = humidityClass;
        }
        const veltor::MoistureResult result = veltor::AssessMoisture(condensingWall(), input, tables().air);
        for (const veltor::MonthResult& month : result.months)
          if (!finite(month.thetaSi) || !finite(month.gc) || !finite(month.ma)) std::abort();
      }
    }
  });
}

}  // namespace fuzz
