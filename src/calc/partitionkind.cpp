// The table of partition kinds.
#include "calc/partitionkind.h"

#include <array>

namespace veltor {

namespace {
constexpr std::array<PartitionKindInfo, 10> kKinds{{
    {PartitionKind::Unspecified, "unspecified", "nieokreślona", "P"},
    {PartitionKind::ExternalWall, "external_wall", "ściana zewnętrzna", "SZ"},
    {PartitionKind::InternalWall, "internal_wall", "ściana wewnętrzna", "SW"},
    {PartitionKind::InternalWallUnheated, "internal_wall_unheated",
     "ściana wewnętrzna do pomieszczenia nieogrzewanego", "SWN"},
    {PartitionKind::ExpansionJointWall, "expansion_joint_wall", "ściana przy szczelinie dylatacyjnej", "SD"},
    {PartitionKind::UnheatedBasementWall, "unheated_basement_wall",
     "ściana nieogrzewanej kondygnacji podziemnej", "SP"},
    {PartitionKind::Roof, "roof", "dach/stropodach", "DA"},
    {PartitionKind::GroundFloor, "ground_floor", "podłoga na gruncie", "PG"},
    {PartitionKind::CeilingUnheated, "ceiling_unheated", "strop nad nieogrzewaną piwnicą", "STN"},
    {PartitionKind::CeilingHeated, "ceiling_heated", "strop międzykondygnacyjny", "ST"},
}};
}  // namespace

std::span<const PartitionKindInfo> PartitionKinds() {
  return kKinds;
}

const PartitionKindInfo& KindInfo(PartitionKind kind) {
  for (const PartitionKindInfo& info : kKinds)
    if (info.kind == kind) return info;
  return kKinds.front();
}

QString KindLabel(PartitionKind kind) {
  return QString::fromUtf8(KindInfo(kind).label);
}

std::optional<PartitionKind> KindFromKey(QStringView key) {
  for (const PartitionKindInfo& info : kKinds)
    if (key == QLatin1StringView(info.key)) return info.kind;
  return std::nullopt;
}

std::optional<PartitionKind> KindFromNumber(int number) {
  for (const PartitionKindInfo& info : kKinds)
    if (int(info.kind) == number) return info.kind;
  return std::nullopt;
}

}  // namespace veltor
