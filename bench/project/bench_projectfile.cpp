// Times Save and Open of a project of 1000 layers against the plainest way to
// do the same with the file: Save against writing the same bytes to a
// temporary file, syncing it (as QSaveFile does before it renames) and
// renaming it over the target; Open against reading the file's bytes. The
// files lie in a temporary folder, so the page cache serves the reads.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "calc/errors.h"
#include "project/projectfile.h"

using namespace veltor;

namespace {

LayerTable MakePartition(int count) {
  LayerTable table;
  for (int i = 0; i < count; ++i) {
    LayerRecord layer;
    layer.name = i % 5 == 2 ? QByteArray(kAirLayerName) : QByteArray("Mur z betonu komorkowego 600");
    layer.fillPattern = "B1";
    layer.thickness = i % 5 == 2 ? 0.02 : 0.01 * (i % 30 + 1);
    layer.lambdaMedium = 0.2 + 0.01 * (i % 7);
    layer.lambdaHumid = layer.lambdaMedium * 1.1;
    layer.vapourCoefficient = i % 4 == 0 ? -INFINITY : 45;
    table.AppendLayer(layer);
  }
  return table;
}

const ProjectDescription kDescription = {QStringLiteral("Ściana zewnętrzna"), QStringLiteral("Inwestor"),
                                         QStringLiteral("Projektant"), QStringLiteral("07.12.2026")};

void WriteProject(QIODevice& device, const LayerTable& layers) {
  WriteDescriptionSection(device, kDescription);
  WriteConditionsSection(device, DesignConditions::startupValues());
  WriteLayers(device, layers);
}

QByteArray ProjectBytes(const LayerTable& layers) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  WriteProject(buffer, layers);
  return buffer.data();
}

void BM_SaveProject(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("projekt.Veltor"));
  const LayerTable layers = MakePartition(static_cast<int>(state.range(0)));
  for (auto _ : state) SaveProjectFile(path, [&](QIODevice& file) { WriteProject(file, layers); });
  state.SetBytesProcessed(state.iterations() * (kLayersOffset + kLayerRecordSize * state.range(0)));
}

// The same bytes, already in memory, written whole to a temporary file that is
// synced and renamed over the target.
void BM_PlainWriteRename(benchmark::State& state) {
  QTemporaryDir dir;
  const QByteArray target = dir.filePath(QStringLiteral("projekt.Veltor")).toLocal8Bit();
  const QByteArray temporary = target + ".tmp";
  const QByteArray bytes = ProjectBytes(MakePartition(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool written = fd >= 0 && ::write(fd, bytes.constData(), bytes.size()) == bytes.size() &&
                         ::fdatasync(fd) == 0 && ::close(fd) == 0;
    if (!written || ::rename(temporary.constData(), target.constData()) != 0) {
      state.SkipWithError("plain write failed");
      return;
    }
  }
  state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_OpenProject(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("projekt.Veltor"));
  const LayerTable layers = MakePartition(static_cast<int>(state.range(0)));
  SaveProjectFile(path, [&](QIODevice& file) { WriteProject(file, layers); });
  for (auto _ : state) {
    LoadedProject project = LoadProjectFile(path);
    benchmark::DoNotOptimize(project);
  }
  state.SetBytesProcessed(state.iterations() * (kLayersOffset + kLayerRecordSize * state.range(0)));
}

// The file's bytes read into fresh memory of the file's size, nothing made of them.
void BM_PlainRead(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("projekt.Veltor"));
  const QByteArray bytes = ProjectBytes(MakePartition(static_cast<int>(state.range(0))));
  SaveProjectFile(path, [&](QIODevice& file) { file.write(bytes); });
  const QByteArray name = path.toLocal8Bit();
  for (auto _ : state) {
    const int fd = ::open(name.constData(), O_RDONLY);
    struct stat info {};
    bool complete = fd >= 0 && ::fstat(fd, &info) == 0;
    QByteArray read(complete ? info.st_size : 0, Qt::Uninitialized);
    complete = complete && ::read(fd, read.data(), read.size()) == read.size() && ::close(fd) == 0;
    if (!complete) {
      state.SkipWithError("plain read failed");
      return;
    }
    benchmark::DoNotOptimize(read.data());
  }
  state.SetBytesProcessed(state.iterations() * bytes.size());
}

BENCHMARK(BM_SaveProject)->Arg(1000);
BENCHMARK(BM_PlainWriteRename)->Arg(1000);
BENCHMARK(BM_OpenProject)->Arg(1000);
BENCHMARK(BM_PlainRead)->Arg(1000);

}  // namespace
