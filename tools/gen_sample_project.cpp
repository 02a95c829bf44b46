// Writes Projekty/Przykład.Veltor, the worked example shipped with the program:
// an aerated-concrete external wall insulated with EPS, for ti 20 / te -20 degC,
// 55 / 85 %, horizontal heat flow, medium-humid conditions and Umax 0.20.
// The layer records are copied from the materials catalogue (Dane/materiały.txt)
// so that the example matches what the user can add; the EPS thickness is the
// one the wall needs for Umax, rounded up to a whole centimetre as the boards are
// sold; the result fields come from the calculation pass, as after a real save.
//
// Usage: gen_sample_project <data folder> [<output file>]
//   (the output defaults to <data folder>/Projekty/Przykład.Veltor)
#include <QCoreApplication>
#include <QDir>
#include <QIODevice>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "calc/calculation.h"
#include "calc/catalogue.h"
#include "calc/errors.h"
#include "calc/textfile.h"
#include "project/projectfile.h"

namespace {

using namespace veltor;

struct Material {
  QString label;
  LayerRecord record;
};

std::vector<std::unique_ptr<Material>> LoadCatalogue(const QString& path) {
  std::vector<std::unique_ptr<Material>> materials;
  TextReader reader = TextReader::open(path);
  struct Node {};
  Node dummy;
  ReadCatalogue<Node>(
      reader, kMaterialsMarkers,
      [&](Node*, const QByteArray& label, CatalogueEntry kind) -> Node* {
        if (kind == CatalogueEntry::ItemInGroup || kind == CatalogueEntry::ItemInSubgroup)
          materials.push_back(std::make_unique<Material>(Material{FromCp1250(label), {}}));
        return &dummy;
      },
      [&](Node*, TextReader& r) { ReadLayerRecord(r, materials.back()->record); });
  return materials;
}

struct Wanted {
  const char* what;
  std::function<bool(const Material&)> matches;
  double thickness;  // m; 0: computed
};

bool Has(const Material& m, const char* text) {
  return m.record.nameText().contains(QString::fromUtf8(text), Qt::CaseInsensitive) ||
         m.label.contains(QString::fromUtf8(text), Qt::CaseInsensitive);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s <data folder> [<output file>]\n", argv[0]);
    return 2;
  }
  const QDir data(QString::fromLocal8Bit(argv[1]));
  const QString output =
      argc == 3 ? QString::fromLocal8Bit(argv[2]) : data.filePath(QStringLiteral("Projekty/Przykład.Veltor"));
  try {
    const auto catalogue = LoadCatalogue(data.filePath(QStringLiteral("Dane/materiały.txt")));
    ReferenceTables tables;
    LoadSaturationTable(tables.saturation, data.filePath(kSaturationFile));
    LoadAirLayerTable(tables.air, data.filePath(kAirLayerFile));

    const std::vector<Wanted> wanted = {
        {"cement-lime plaster", [](const Material& m) { return Has(m, "Tynk cementowo-wapienny"); }, 0.015},
        {"aerated concrete 600",
         [](const Material& m) { return Has(m, "komórkow") && m.record.density == 600; }, 0.24},
        {"EPS 0.038",
         [](const Material& m) { return Has(m, "EPS 038 fasadowy") && m.record.lambdaMedium == 0.038; }, 0},
        {"thin-coat render", [](const Material& m) { return Has(m, "Tynk cienkowarstwowy mineralny"); },
         0.002},
    };
    LayerTable table;
    for (const Wanted& w : wanted) {
      const Material* found = nullptr;
      for (const auto& m : catalogue)
        if (w.matches(*m)) {
          found = m.get();
          break;
        }
      if (!found) {
        std::fprintf(stderr, "no material in the catalogue for: %s\n", w.what);
        return 1;
      }
      std::printf("%-22s <- %s\n", w.what, qPrintable(found->label));
      LayerRecord& layer = table.AppendLayer(found->record);
      layer.thickness = w.thickness;
    }

    DesignConditions conditions;
    conditions.humidityClass = 0;
    conditions.direction = 1;
    conditions.setSurfaceResistancesFromDirection();
    conditions.umax = 0.20;
    conditions.ti = 20;
    conditions.te = -20;
    conditions.phiI = 55;
    conditions.phiE = 85;

    PartitionSummary summary;
    CalculatePartition(table, summary, conditions, tables);
    const double needed = RequiredThickness(table, 3, conditions);
    table.at(2).thickness = std::ceil(needed * 100 - 1e-9) / 100;
    CalculatePartition(table, summary, conditions, tables);
    std::printf("EPS needed %.4f m, used %.2f m: U = %.4f, R = %.4f\n", needed, table.at(2).thickness,
                summary.u, summary.totalResistance);
    if (summary.u > conditions.umax) {
      std::fprintf(stderr, "the example does not meet Umax\n");
      return 1;
    }

    const ProjectDescription description{
        QStringLiteral("Ściana zewnętrzna z ociepleniem"), QStringLiteral("Przykładowy inwestor"),
        QStringLiteral("Przykładowy projektant"), QStringLiteral("07.12.2026")};
    SaveProjectFile(output, [&](QIODevice& file) {
      WriteDescriptionSection(file, description);
      WriteConditionsSection(file, conditions);
      WriteLayers(file, table);
    });
    std::printf("written %s\n", qPrintable(output));
  } catch (const Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
