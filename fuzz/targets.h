// Entry points of the fuzz targets, one per family of readers. Each takes
// arbitrary bytes, feeds them to the readers as the program does, and returns
// normally whatever the bytes are: our own errors are the expected answer to
// bad input, anything else (a crash, a sanitizer report, a hang) is a finding.
// The same functions replay the kept regression inputs in the normal tests.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

int ProjectFile(const std::uint8_t* data, std::size_t size);
int Catalogue(const std::uint8_t* data, std::size_t size);
int SaturationTable(const std::uint8_t* data, std::size_t size);
int AirLayerTable(const std::uint8_t* data, std::size_t size);
int Numbers(const std::uint8_t* data, std::size_t size);
int SystemFiles(const std::uint8_t* data, std::size_t size);
int ClimateFile(const std::uint8_t* data, std::size_t size);
int BatchJson(const std::uint8_t* data, std::size_t size);
int CommandLine(const std::uint8_t* data, std::size_t size);
int OwnMaterialsWriters(const std::uint8_t* data, std::size_t size);

struct Target {
  const char* name;
  int (*run)(const std::uint8_t*, std::size_t);
};
inline constexpr Target kTargets[] = {
    {"project", ProjectFile},
    {"catalogue", Catalogue},
    {"saturation", SaturationTable},
    {"airlayer", AirLayerTable},
    {"numbers", Numbers},
    {"system", SystemFiles},
    {"climate", ClimateFile},
    {"batchjson", BatchJson},
    {"commandline", CommandLine},
    {"ownmaterials", OwnMaterialsWriters},
};

}  // namespace fuzz
