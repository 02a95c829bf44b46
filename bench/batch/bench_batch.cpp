// Batch mode in process: an array of twenty-layer walls without climate read,
// computed and written as JSON, the data files read as a run reads them. The
// whole process (start included) is timed from outside; see the README.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "batch/batch.h"

namespace {

QByteArray Walls(int count) {
  QJsonArray walls;
  for (int w = 0; w < count; ++w) {
    QJsonArray layers;
    for (int i = 0; i < 20; ++i)
      layers.append(QJsonObject{{"name", QStringLiteral("Warstwa %1").arg(i)},
                                {"d", 0.01 + 0.001 * ((w + i) % 50)},
                                {"lambda", 0.03 + 0.01 * (i % 7)},
                                {"mu", 1 + i}});
    walls.append(QJsonObject{{"conditions", QJsonObject{{"ti", 20}, {"te", -20}, {"umax", 0.2}}}, {"layers", layers}});
  }
  return QJsonDocument(walls).toJson(QJsonDocument::Compact);
}

void BM_BatchWalls(benchmark::State& state) {
  QDir::setCurrent(QStringLiteral(VELTOR_DATA_DIR));
  QTemporaryDir scratch;
  const QString input = scratch.filePath(QStringLiteral("walls.json"));
  QFile file(input);
  file.open(QIODevice::WriteOnly);
  file.write(Walls(static_cast<int>(state.range(0))));
  file.close();
  for (auto _ : state) {
    QByteArray out;
    QByteArray err;
    const int status = batch::RunBatchCommand({QStringLiteral("veltorobl"), QStringLiteral("--oblicz"), input}, out, err);
    if (status != batch::kExitOk) state.SkipWithError(err.constData());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BatchWalls)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
