// What a partition of a building is, as the rows of the Umax catalogue group
// its requirements: the kind decides which requirement applies and how the
// building's summary names the partition. Batch mode names a kind by its
// English key, the windows and documents by its Polish label.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <span>

namespace veltor {

// The stored value of a kind is its number here: never renumber, only append.
enum class PartitionKind : std::uint8_t {
  Unspecified = 0,
  ExternalWall = 1,
  InternalWall = 2,
  InternalWallUnheated = 3,
  ExpansionJointWall = 4,
  UnheatedBasementWall = 5,
  Roof = 6,
  GroundFloor = 7,
  CeilingUnheated = 8,
  CeilingHeated = 9,
};

struct PartitionKindInfo {
  PartitionKind kind;
  const char* key;     // batch mode's name of the kind
  const char* label;   // UTF-8, as the windows show it
  const char* prefix;  // of the symbols the program proposes ("SZ" for "SZ-1")
};

// Every kind, Unspecified first, in the catalogue's order.
std::span<const PartitionKindInfo> PartitionKinds();
const PartitionKindInfo& KindInfo(PartitionKind kind);
QString KindLabel(PartitionKind kind);
std::optional<PartitionKind> KindFromKey(QStringView key);
// A stored number that names no kind yields nothing.
std::optional<PartitionKind> KindFromNumber(int number);

}  // namespace veltor
