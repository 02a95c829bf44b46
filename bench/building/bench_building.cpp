// A building of many partitions.
//
// Switching the current partition with every window open: the layer window,
// the conditions and description windows, the partitions table, a chart, the
// report and the moisture check all show the other partition, each repainted;
// fifty partitions of twenty layers must switch within one frame (16 ms).
//
// Save and Open of a building: the file written and read back whole, its cost
// growing linearly with the partitions.
//
// The building's whole document as batch mode writes it (`--report` of a
// building's JSON: charts, every partition's pages, the PDF): 50 partitions of
// twenty layers within 2 s.
//
// Windows need a GUI application, so this benchmark brings its own main.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cmath>

#include "batch/batch.h"
#include "forms/appstate.h"
#include "forms/glowna.h"
#include "forms/kondensacja.h"
#include "forms/przegrody.h"
#include "forms/raport_new.h"
#include "forms/rysunek.h"
#include "forms/warstwy.h"
#include "forms/windowset.h"
#include "model/project.h"
#include "project/buildingfile.h"

using namespace veltor;

namespace {

BuildingContents MakeBuilding(int partitions, int layers) {
  BuildingContents b;
  b.description[kName] = QStringLiteral("Budynek");
  for (int p = 0; p < partitions; ++p) {
    PartitionContents part;
    part.identity.symbol = QStringLiteral("SZ-%1").arg(p + 1);
    part.identity.kind = PartitionKind::ExternalWall;
    part.identity.area = 10 + p;
    part.conditions = DesignConditions::startupValues();
    part.conditions.umax = 0.2 + 0.01 * (p % 5);
    for (int i = 0; i < layers; ++i) {
      LayerRecord layer;
      layer.name = i % 5 == 2 ? QByteArray(kAirLayerName) : QByteArray("Mur z cegły pełnej");
      layer.fillPattern = "cegl";
      layer.thickness = i % 5 == 2 ? 0.02 : 0.01 * ((i + p) % 7 + 1);
      layer.lambdaMedium = i == 0 ? 0.04 : 0.5 + 0.05 * (i % 5);
      layer.lambdaHumid = layer.lambdaMedium;
      layer.vapourCoefficient = i % 4 == 0 ? -INFINITY : 45;
      layer.density = 1800;
      layer.specificHeat = 880;
      part.layers.AppendLayer(layer);
    }
    b.partitions.push_back(std::move(part));
  }
  return b;
}

class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    paints += e->type() == QEvent::Paint;
    return false;
  }
};

void BM_SwitchPartition(benchmark::State& state) {
  CreateWindowSet();
  Project& project = FormGlowna->project();
  project.loadBuilding(MakeBuilding(int(state.range(0)), 20), QString());
  MoistureSettings climate;
  climate.climate = MoistureSettings::Climate::Typed;
  for (int m = 0; m < 12; ++m) {
    climate.te[m] = -4 + 2 * m - (m > 6 ? 4 * (m - 6) : 0);
    climate.phiE[m] = 85 - m;
  }
  for (int row = 0; row < project.building().count(); ++row)
    project.building().setMoisture(project.building().at(row).id, climate);
  for (QAction* a :
       {FormGlowna->ActionPokazWarstwy, FormGlowna->ActionPokazWarunkiPocz, FormGlowna->ActionPokazDaneProj,
        FormGlowna->ActionRysTemp, FormGlowna->ActionPokazRaport, FormGlowna->ActionKondensacja,
        FormGlowna->ActionDynamika})
    FormGlowna->ExecuteAction(a);
  FormPrzegrody->ActionPrzegrodyExecute();
  QCoreApplication::processEvents();
  PaintCounter counter;
  FormWarstwy->ListViewMaterialy->viewport()->installEventFilter(&counter);
  const Building& building = project.building();
  int row = 0;
  for (auto _ : state) {
    row = (row + 1) % building.count();
    project.building().setCurrent(building.at(row).id);
    // The windows redraw at the next turn of the event loop, and paint.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
  if (counter.paints < state.iterations() || FormWarstwy->LayerCount() != 20)
    state.SkipWithError("the layer window did not show each partition");
  FormWarstwy->ListViewMaterialy->viewport()->removeEventFilter(&counter);
  DestroyWindowSet();
}

BENCHMARK(BM_SwitchPartition)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_SaveAndOpenBuilding(benchmark::State& state) {
  const BuildingContents b = MakeBuilding(int(state.range(0)), 20);
  std::vector<const PartitionContents*> parts;
  for (const PartitionContents& p : b.partitions) parts.push_back(&p);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("budynek.Veltor"));
  for (auto _ : state) {
    SaveProjectFile(path, [&](QIODevice& file) { WriteBuilding(file, b.description, parts); });
    const BuildingContents back = LoadBuildingFile(path);
    if (back.partitions.size() != parts.size()) state.SkipWithError("the building did not read back");
  }
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));  // partitions
}

BENCHMARK(BM_SaveAndOpenBuilding)
    ->Arg(5)
    ->Arg(50)
    ->Arg(500)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

QByteArray BuildingJson(int partitions) {
  QJsonArray parts;
  for (int p = 0; p < partitions; ++p) {
    QJsonArray layers;
    for (int i = 0; i < 20; ++i)
      layers.append(QJsonObject{{"name", QStringLiteral("Warstwa %1").arg(i)},
                                {"d", 0.01 + 0.001 * ((p + i) % 50)},
                                {"lambda", 0.03 + 0.01 * (i % 7)},
                                {"mu", 1 + i}});
    parts.append(QJsonObject{{"symbol", QStringLiteral("SZ-%1").arg(p + 1)},
                             {"kind", "external_wall"},
                             {"area", 10 + p},
                             {"conditions", QJsonObject{{"ti", 20}, {"te", -20}, {"umax", 0.2}}},
                             {"layers", layers}});
  }
  const QJsonObject building{{"name", QStringLiteral("Budynek")}, {"designer", QStringLiteral("Projektant")}};
  return QJsonDocument(QJsonObject{{"building", building}, {"partitions", parts}})
      .toJson(QJsonDocument::Compact);
}

void BM_BuildingDocument(benchmark::State& state) {
  QTemporaryDir scratch;
  const QString input = scratch.filePath(QStringLiteral("budynek.json"));
  const QString pdf = scratch.filePath(QStringLiteral("budynek.pdf"));
  QFile file(input);
  if (!file.open(QIODevice::WriteOnly) || file.write(BuildingJson(int(state.range(0)))) < 0)
    state.SkipWithError("cannot write the input");
  file.close();
  for (auto _ : state) {
    QByteArray out;
    QByteArray err;
    const int status = batch::RunBatchCommand(
        {QStringLiteral("veltorobl"), QStringLiteral("--oblicz"), input, QStringLiteral("--raport"), pdf},
        out, err);
    if (status != batch::kExitOk) state.SkipWithError(err.constData());
  }
  state.counters["pdf_kB"] = double(QFileInfo(pdf).size()) / 1024;
}

BENCHMARK(BM_BuildingDocument)->Arg(3)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt asks for a window's repaint after an idle time, 5 ms unless told: a
  // switch faster than that would be timed without its paint, which the
  // switch's check then misses.
  qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QStringLiteral("pl_PL")));
  QDir::setCurrent(QStringLiteral(VELTOR_DATA_DIR));
  LoadReferenceTables();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
