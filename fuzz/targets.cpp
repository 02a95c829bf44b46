#include "targets.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <deque>

#include "batch/batch.h"
#include "batch/batchinput.h"
#include "batch/batchoutput.h"
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
#include "project/buildingfile.h"
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

QByteArray WrittenBuilding(const veltor::BuildingContents& b) {
  std::vector<const veltor::PartitionContents*> parts;
  for (const veltor::PartitionContents& p : b.partitions) parts.push_back(&p);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  veltor::WriteBuilding(buffer, b.description, parts);
  return buffer.data();
}

// The same bytes as a building: read whole or refused whole, and what was read
// written back to bytes that read back to the same bytes. A plain project also
// goes in as two partitions, so that the building's own chunk is written from
// whatever the project held.
void BuildingRoundTrip(QByteArrayView bytes) {
  veltor::BuildingContents building = veltor::ReadBuildingBytes(bytes.toByteArray());
  if (building.partitions.size() == 1) {
    veltor::BuildingContents twin = veltor::ReadBuildingBytes(bytes.toByteArray());
    building.partitions.front().identity.symbol = QStringLiteral("SZ-1");
    twin.partitions.front().identity.symbol = QStringLiteral("SZ-2");
    building.partitions.push_back(std::move(twin.partitions.front()));
  }
  const QByteArray once = WrittenBuilding(building);
  try {
    if (WrittenBuilding(veltor::ReadBuildingBytes(once)) != once) std::abort();
  } catch (const veltor::Error&) {
    std::abort();  // the program refusing a building it wrote itself
  }
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
  guarded([&] { BuildingRoundTrip(QByteArrayView(data, qsizetype(size))); });
  return guarded([&] {
    veltor::LoadedProject project = veltor::ReadProjectBytes(bytesOf(data, size));
    // What the file held is written back as read: a file written from it reads
    // back to the same file.
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

namespace {

// What a description may name: one catalogue material, one station.
const batch::Catalogues& catalogues() {
  static const batch::Catalogues c = [] {
    batch::Catalogues out;
    veltor::LayerRecord brick;
    brick.name = "Cegła";
    brick.fillPattern = "cegl";
    brick.lambdaMedium = 0.77;
    brick.lambdaHumid = 0.8;
    brick.vapourCoefficient = 72;
    brick.density = 1800;
    brick.thickness = 0.25;
    brick.specificHeat = 880;
    out.materials.push_back({QStringLiteral("Cegła pełna"), brick});
    veltor::ClimateStation station{QStringLiteral("Stacja"), {}};
    for (int m = 0; m < veltor::kMonthCount; ++m) {
      station.climate.te[m] = -5 + 2 * m;
      station.climate.phiE[m] = 85;
    }
    out.stations.push_back(station);
    return out;
  }();
  return c;
}

// A scratch folder for the writers, made once per process.
const QString& scratch() {
  static QTemporaryDir dir;
  static const QString path = dir.path();
  return path;
}

QByteArray FileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

}  // namespace

int BatchJson(const std::uint8_t* data, std::size_t size) {
  return guarded([&] {
    try {
      std::vector<batch::BatchCase> cases = batch::ReadDocument(bytesOf(data, size), catalogues());
      // Whatever the reader accepts lies within the editor's limits and is
      // computed without a NaN in U.
      for (batch::BatchCase& c : cases) {
        for (int i = 0; i < c.layers.size(); ++i) batch::CheckLayerLimits(c.layers.at(i), {});
        QStringList notices;
        const batch::OutValue r = batch::ComputeResults(c, tables(), notices);
        const batch::OutValue* u = r.find("U");
        if (!u || u->kind() != batch::OutValue::Kind::Double) std::abort();
      }
    } catch (const batch::InputError& e) {
      if (e.text().isEmpty()) std::abort();
    }
  });
}

int CommandLine(const std::uint8_t* data, std::size_t size) {
  // One argument per line. The data files are read from an empty folder, so
  // every run ends before anything could be written; what is exercised is
  // the parsing, the paths and the refusals.
  QStringList arguments{QStringLiteral("veltorobl")};
  for (const QByteArray& line : bytesOf(data, size).split('\n')) arguments << QString::fromUtf8(line);
  std::vector<QByteArray> bytes;
  std::vector<char*> argv;
  for (const QString& a : arguments) bytes.push_back(a.toLocal8Bit());
  for (QByteArray& b : bytes) argv.push_back(b.data());
  argv.push_back(nullptr);
  (void)batch::IsBatchCommandLine(static_cast<int>(bytes.size()), argv.data());
  const QString kept = QDir::currentPath();
  QDir::setCurrent(scratch());
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  QByteArray err;
  const int status = batch::RunBatchCommand(arguments, out, err, scratch());
  QDir::setCurrent(kept);
  if (status != batch::kExitOk && status != batch::kExitRefused && status != batch::kExitUsage) std::abort();
  if (status != batch::kExitOk && err.isEmpty()) std::abort();
  if (!QDir(scratch()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty())
    std::abort();
  return 0;
}

int OwnMaterialsWriters(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first byte picks the change; the rest up to a NUL is the file, after it
  // the source of an import.
  const int which = data[0] % 4;
  const QByteArray rest = bytesOf(data + 1, size - 1);
  const qsizetype split = rest.indexOf('\0');
  const QByteArray content = split < 0 ? rest : rest.left(split);
  const QByteArray source = split < 0 ? QByteArray() : rest.mid(split + 1);
  const QString path = scratch() + QStringLiteral("/own.txt");
  const QString sourcePath = scratch() + QStringLiteral("/import.txt");
  for (const auto& [file, bytes] : {std::pair{path, content}, std::pair{sourcePath, source}}) {
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly)) std::abort();
    f.write(bytes);
  }
  std::vector<veltor::OwnMaterial> before;
  const bool readable = [&] {
    try {
      veltor::ReadOwnMaterials(content, before, path);
      return true;
    } catch (const veltor::Error&) {
      return false;
    }
  }();
  veltor::LayerRecord record = catalogues().materials.front().record;
  bool changed = true;
  try {
    switch (which) {
      case 0:
        veltor::AddOwnMaterial(path, QStringLiteral("Nowy"), record);
        break;
      case 1:
        veltor::ReplaceOwnMaterial(path, 0, before.empty() ? QString() : before.front().label,
                                   QStringLiteral("Zmieniony"), record);
        break;
      case 2:
        veltor::RemoveOwnMaterial(path, 0, before.empty() ? QString() : before.front().label);
        break;
      default:
        veltor::ImportOwnMaterials(path, sourcePath,
                                   [](const QString&) { return veltor::ImportChoice::Replace; });
        break;
    }
  } catch (const veltor::Error&) {
    changed = false;
  }
  const QByteArray after = FileBytes(path);
  // A refused change leaves the file as it was; an accepted one leaves a file
  // that reads, and a file that did not read is never changed.
  if (!changed && after != content) std::abort();
  if (changed) {
    if (!readable) std::abort();
    std::vector<veltor::OwnMaterial> now;
    try {
      veltor::ReadOwnMaterials(after, now, path);
    } catch (const veltor::Error&) {
      std::abort();
    }
    const qsizetype expected = which == 0 ? before.size() + 1 : which == 2 ? before.size() - 1 : -1;
    if (which != 3 && which != 1 && static_cast<qsizetype>(now.size()) != expected) std::abort();
  }
  QFile::remove(path);
  QFile::remove(sourcePath);
  return 0;
}

}  // namespace fuzz
