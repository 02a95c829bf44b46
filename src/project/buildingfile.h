// A building of partitions in one project file. The file is the first
// partition written as a plain project (the building's description, that
// partition's conditions, layers and extension block), and its extension block
// carries one more chunk, "BLDG", with every partition's identity and the other
// partitions, each as a plain project of its own with an empty description.
// A building of one partition whose identity is at its default has no "BLDG"
// chunk: it is the plain project byte for byte. A program that knows no
// "BLDG" opens such a file as its first partition.
//
//   BLDG payload  uint32  layout version (1)
//                 uint32  partitions n, 1 to kMaxPartitions
//                 n times: symbol and name (uint16 byte length, UTF-8), uint8
//                          kind, float64 area in m² (NaN: not given)
//                 n - 1 times: uint32 length, then the partition's plain project
//
// The whole layout is in the README.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <cmath>
#include <vector>

#include "calc/conditions.h"
#include "calc/layer.h"
#include "calc/partitionkind.h"
#include "project/extension.h"
#include "project/projectfile.h"

namespace veltor {

inline constexpr std::uint32_t kBuildingLayoutVersion = 1;
inline constexpr int kMaxPartitions = 1000;

// What names a partition within the building.
struct PartitionIdentity {
  QString symbol;  // "SZ-1"; empty in a plain project
  QString name;
  PartitionKind kind = PartitionKind::Unspecified;
  double area = std::nan("");  // m²; NaN when not given
  bool hasArea() const { return !std::isnan(area); }
  bool isDefault() const;
  bool operator==(const PartitionIdentity& o) const;
};

// One partition: what a plain project holds but the building's description.
struct PartitionContents {
  PartitionIdentity identity;
  DesignConditions conditions;
  LayerTable layers;
  ProjectExtras extras;

  PartitionContents() = default;
  PartitionContents(const PartitionContents& o)
      : identity(o.identity), conditions(o.conditions), layers(o.layers.copy()), extras(o.extras) {}
  PartitionContents& operator=(const PartitionContents& o) {
    if (this != &o) *this = PartitionContents(o);
    return *this;
  }
  PartitionContents(PartitionContents&&) = default;
  PartitionContents& operator=(PartitionContents&&) = default;
};

struct BuildingContents {
  ProjectDescription description;
  std::vector<PartitionContents> partitions;  // never empty once read
};

// A plain project's contents as a building of one partition and back.
BuildingContents BuildingOf(ProjectContents&& project);

// A building file or a plain project read whole from its bytes; raises what
// ReadProjectBytes raises for any part, and DataError(kDamagedProject) for a
// "BLDG" chunk that is malformed, of another layout version or holding more
// than kMaxPartitions partitions. Nothing is returned unless all of it is sound.
BuildingContents ReadBuildingBytes(QByteArray bytes);
BuildingContents LoadBuildingFile(const QString& path);

// The building as one file (the plain project when it is one partition of the
// default identity). `partitions` is not empty.
void WriteBuilding(QIODevice& device, const ProjectDescription& description,
                   const std::vector<const PartitionContents*>& partitions);
// One partition as a plain project with the building's description.
void WritePartitionAsProject(QIODevice& device, const ProjectDescription& description,
                             const PartitionContents& partition);

}  // namespace veltor
