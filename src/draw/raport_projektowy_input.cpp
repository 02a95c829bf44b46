// The designer's report's input: one partition's figures, charts, moisture
// assessment and dynamics, and what the catalogues say of its values. The
// window and batch mode both come here, so the document cannot differ by the
// path that made it.
#include <QFile>
#include <QRegularExpression>
#include <cmath>
#include <deque>

#include "calc/catalogue.h"
#include "calc/errors.h"
#include "calc/numbers.h"
#include "calc/ownmaterials.h"
#include "calc/systemfiles.h"
#include "calc/textfile.h"
#include "draw/pictures.h"
#include "draw/raport_projektowy.h"
#include "draw/rysunek_draw.h"
#include "draw/rysunek_sheet.h"

namespace designreport {

namespace {

const QString kMaterialsFile = QStringLiteral("/Dane/materiały.txt");
const QString kRequirementsFile = QStringLiteral("/Dane/maksymalne.txt");

void ReadProgramMaterials(const QString& path, Catalogue& out) {
  veltor::TextReader reader = veltor::TextReader::open(path);
  veltor::CatalogueNodes tree;
  veltor::ReadMasonryFile(reader, tree);
  const auto walk = [&out](const veltor::CatalogueNodes& nodes, const auto& self) -> void {
    for (const auto& node : nodes) {
      if (node->record) out.materials.push_back({*node->record, QString(), false});
      self(node->children, self);
    }
  };
  walk(tree, walk);
  out.materialsRead = true;
}

void ReadRequirements(const QString& path, Catalogue& out) {
  struct Node {
    QString label;
    Node* parent = nullptr;
  };
  std::deque<Node> nodes;
  veltor::TextReader reader = veltor::TextReader::open(path);
  const auto addNode = [&nodes](Node* parent, const QByteArray& label, veltor::CatalogueEntry) {
    nodes.push_back({veltor::FromCp1250(label).trimmed(), parent});
    return &nodes.back();
  };
  const auto readItem = [&out](Node* item, veltor::TextReader& r) {
    const double umax = r.readNumberLine();
    QStringList path;
    for (const Node* n = item; n; n = n->parent) path.prepend(n->label);
    if (path.size() < 2) return;  // "bez wymagań" at the top level
    const QString group = path.takeFirst();
    out.requirements.push_back({group, path.join(QStringLiteral(", ")), umax});
  };
  veltor::ReadCatalogue<Node>(reader, veltor::kUmaxMarkers, addNode, readItem);
}

bool Same(double a, double b) {
  return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(a));
}

// Whether a requirement's caption admits θi: "ti od 16 °C", "ti od 8 °C do
// poniżej 16 °C", "ti poniżej 8 °C"; a caption without ti admits any.
bool AdmitsTi(const QString& caption, double ti) {
  static const QRegularExpression from(QStringLiteral("ti od (\\d+)"));
  static const QRegularExpression below(QStringLiteral("poniżej (\\d+)"));
  if (!caption.contains(QStringLiteral("ti "))) return true;
  const QRegularExpressionMatch f = from.match(caption);
  const QRegularExpressionMatch b = below.match(caption);
  if (f.hasMatch() && ti < f.captured(1).toDouble()) return false;
  if (b.hasMatch() && ti >= b.captured(1).toDouble()) return false;
  return true;
}

// The kind of partition the heat flow suggests, to choose among rows of one value.
QString KindWord(int direction) {
  switch (direction) {
    case 0:
      return QStringLiteral("Dachy");
    case 2:
      return QStringLiteral("Stropy");
    default:
      return QStringLiteral("Ściany zewnętrzne");
  }
}

QStringList RequirementRows(const Catalogue& catalogue, const veltor::DesignConditions& c) {
  if (c.umax <= 0) return {};
  QStringList rows, kindRows;
  QString group;
  for (const Catalogue::Requirement& r : catalogue.requirements) {
    // The first group that has the value is the one in force; later groups
    // are earlier levels of the regulation.
    if (!group.isEmpty() && r.group != group) break;
    if (!Same(r.umax, c.umax) || !AdmitsTi(r.caption, c.ti)) continue;
    group = r.group;
    const QString row = r.group + QStringLiteral(", ") + r.caption;
    rows << row;
    if (r.caption.startsWith(KindWord(c.direction))) kindRows << row;
  }
  return kindRows.isEmpty() ? rows : kindRows;
}

QString FigureText(double v) {
  return veltor::FormatGeneral(v, 4);
}

}  // namespace

Catalogue LoadCatalogue(const QString& startFolder, const QString& ownMaterialsFile) {
  Catalogue catalogue;
  try {
    ReadProgramMaterials(startFolder + kMaterialsFile, catalogue);
  } catch (const veltor::Error&) {
    // The window reports the catalogue; the document names no source for it.
    catalogue.materials.clear();
  }
  try {
    std::vector<veltor::OwnMaterial> own;
    if (!ownMaterialsFile.isEmpty() && QFile::exists(ownMaterialsFile))
      veltor::ReadOwnMaterials(veltor::ReadDataFile(ownMaterialsFile), own);
    for (veltor::OwnMaterial& m : own) catalogue.materials.push_back({std::move(m.record), m.source, true});
  } catch (const veltor::Error&) {
    // As above: an own material that does not read is no source.
  }
  try {
    ReadRequirements(startFolder + kRequirementsFile, catalogue);
  } catch (const veltor::Error&) {
    catalogue.requirements.clear();
  }
  return catalogue;
}

LayerSource SourceOf(const veltor::LayerRecord& layer, const Catalogue& catalogue, bool humid) {
  if (layer.isAirLayer()) return {QStringLiteral("PN-EN ISO 6946 (opór warstwy powietrza)"), {}, {}};
  const Catalogue::Material* best = nullptr;
  QStringList bestEdited;
  for (const Catalogue::Material& m : catalogue.materials) {
    if (m.record.name != layer.name) continue;
    QStringList edited;
    const double lambda = humid ? layer.lambdaHumid : layer.lambdaMedium;
    const double catalogueLambda = humid ? m.record.lambdaHumid : m.record.lambdaMedium;
    if (!Same(lambda, catalogueLambda)) edited << QStringLiteral("λ");
    if (!Same(layer.vapourCoefficient, m.record.vapourCoefficient) &&
        !(std::isinf(layer.vapourCoefficient) && std::isinf(m.record.vapourCoefficient)))
      edited << QStringLiteral("μ");
    // A layer given without density (as batch mode allows) changed nothing.
    if (layer.density > 0 && !Same(layer.density, m.record.density)) edited << QStringLiteral("ρ");
    if (!best || edited.size() < bestEdited.size()) {
      best = &m;
      bestEdited = edited;
    }
    if (edited.isEmpty()) break;
  }
  if (!best)
    return {catalogue.materialsRead ? QStringLiteral("wartość wpisana") : QStringLiteral("–"), {}, {}};
  if (!bestEdited.isEmpty()) {
    const veltor::LayerRecord& r = best->record;
    QStringList values;
    if (bestEdited.contains(QStringLiteral("λ")))
      values << QStringLiteral("λ = %1").arg(FigureText(humid ? r.lambdaHumid : r.lambdaMedium));
    if (bestEdited.contains(QStringLiteral("μ")))
      values << QStringLiteral("μ = %1").arg(
          std::isinf(r.vapourCoefficient) || r.vapourCoefficient <= 0
              ? QStringLiteral("–")
              : FigureText(veltor::kAirVapourCoefficient / r.vapourCoefficient));
    if (bestEdited.contains(QStringLiteral("ρ")))
      values << QStringLiteral("ρ = %1").arg(FigureText(r.density));
    return {QStringLiteral("wartość wpisana"), bestEdited, values.join(QStringLiteral(", "))};
  }
  if (best->own)
    return {best->source.trimmed().isEmpty() ? QStringLiteral("materiał własny") : best->source.trimmed(),
            {},
            {}};
  return {QStringLiteral("katalog programu"), {}, {}};
}

void CheckLayerCount(const veltor::LayerTable& table) {
  if (table.size() > kMaxDocumentLayers)
    throw veltor::DataError(QStringLiteral("Przegroda ma zbyt wiele warstw (%1), aby sporządzić raport "
                                           "projektowy; raport obejmuje najwyżej %2 warstw")
                                .arg(table.size())
                                .arg(kMaxDocumentLayers));
}

void Compute(Input& input, veltor::LayerTable& table, const veltor::ReferenceTables& tables,
             const QString& startFolder) {
  CheckLayerCount(table);
  veltor::CalculatePartition(table, input.summary, input.conditions, tables);
  input.layers = &table;
  input.saturation = &tables.saturation;
  input.startFolder = startFolder;
  input.surfaceCondensation = veltor::SurfaceCondensation(table, input.conditions, tables.saturation);
  input.surfaceTemperature = table.empty() ? input.conditions.ti : table.at(0).innerTemperature;
  if (input.ground.onGround()) {
    // The winter charts assume outdoor air beyond the outer face.
    input.chartNotes << veltor::kNotForGround;
    try {
      input.groundResult = veltor::EvaluateGround(table, input.conditions, tables.air, input.ground);
    } catch (const veltor::Error& e) {
      input.chartNotes << e.message();
    }
    return;
  }
  const veltor::DesignConditions boundary = veltor::WithRseInForce(input.conditions);
  const chart::ChartData data{table, input.summary, boundary, tables.saturation};
  for (const int kind : {1, 2}) {
    bool& drawn = kind == 1 ? input.temperatureChart : input.pressureChart;
    try {
      // A chart whose sheet the window could not read is left out here too.
      ui::KeptPicture(chart::BackgroundPath(startFolder, kind));
      input.chartNotes << chart::ChartNotes(kind, data, chart::HatchesFrom(startFolder));
      drawn = true;
    } catch (const veltor::Error& e) {
      // The document goes out without that chart; its page says why.
      drawn = false;
      input.chartNotes << e.message();
    }
  }
}

Input Prepare(const veltor::ProjectDescription& description, const veltor::DesignConditions& conditions,
              veltor::LayerTable& table, const veltor::ProjectExtras& extras, const Catalogue& catalogue,
              const veltor::ReferenceTables& tables, const QString& startFolder) {
  Input input;
  input.description = description;
  input.address = description[veltor::kAddress];
  input.licence = description[veltor::kLicence];
  input.conditions = conditions;
  input.ground = extras.ground;
  Compute(input, table, tables, startFolder);
  // Under a floor on the ground lies the ground, not the climate's outdoor air.
  if (!input.ground.onGround()) {
    input.moisture = kondensacja::AssessSettings(table, extras.moisture, conditions, tables.air);
    input.moisturePage = extras.moisture.inReport;
  }
  if (input.moisturePage && !input.moisture)
    input.moisture =
        kondensacja::NoClimate(QString(), veltor::MoistureInput::FromDesignConditions(conditions, {}));
  if (extras.dynamicsInReport) {
    try {
      input.dynamic = veltor::DynamicCharacteristics(table, conditions, tables.air);
    } catch (const veltor::Error& e) {
      input.dynamicNote = e.message();
    }
  }
  for (int i = 0; i < table.size(); ++i)
    input.sources.push_back(SourceOf(table.at(i), catalogue, conditions.humid()));
  input.umaxRows = RequirementRows(catalogue, conditions);
  return input;
}

}  // namespace designreport
