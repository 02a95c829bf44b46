// Times the readers of the wizard's four System files on the shipped data,
// each from opening the file to the finished tree: the masonry and insulation
// trees and the adhesive list are read at start-up, the systems file on every
// showing of step 3.
#include <benchmark/benchmark.h>

#include "calc/systemfiles.h"
#include "calc/textfile.h"

using namespace veltor;

namespace {

const QString kData = QStringLiteral(VELTOR_DATA_DIR "/");

template <class Read>
void ReadFile(benchmark::State& state, const QString& file, Read read) {
  for (auto _ : state) {
    CatalogueNodes nodes;
    TextReader reader = TextReader::open(kData + file);
    read(reader, nodes);
    benchmark::DoNotOptimize(nodes.data());
  }
}

void BM_Masonry(benchmark::State& state) {
  ReadFile(state, kMasonryFile, ReadMasonryFile);
}
void BM_Insulation(benchmark::State& state) {
  ReadFile(state, kInsulationFile, ReadInsulationFile);
}
void BM_Adhesive(benchmark::State& state) {
  ReadFile(state, kAdhesiveFile, ReadAdhesiveFile);
}
void BM_Systems(benchmark::State& state) {
  ReadFile(state, kSystemsFile,
           [](TextReader& r, CatalogueNodes& n) { ReadSystemsFile(r, FamilyKey(SystemFamily::Viren), n); });
}

// The four together, as the wizard needs them.
void BM_AllFour(benchmark::State& state) {
  for (auto _ : state) {
    CatalogueNodes masonry, insulation, adhesives, systems;
    TextReader mur = TextReader::open(kData + kMasonryFile);
    ReadMasonryFile(mur, masonry);
    TextReader docieplenie = TextReader::open(kData + kInsulationFile);
    ReadInsulationFile(docieplenie, insulation);
    TextReader kleje = TextReader::open(kData + kAdhesiveFile);
    ReadAdhesiveFile(kleje, adhesives);
    TextReader systemy = TextReader::open(kData + kSystemsFile);
    ReadSystemsFile(systemy, FamilyKey(SystemFamily::Talmo), systems);
    benchmark::DoNotOptimize(systems.data());
  }
}

BENCHMARK(BM_Masonry)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Insulation)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Adhesive)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Systems)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AllFour)->Unit(benchmark::kMicrosecond);

}  // namespace
