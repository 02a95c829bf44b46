// The building's file: the first partition as a plain project whose extension
// block carries the chunk "BLDG" (layout in buildingfile.h and the README).
// Every part is checked by the plain project's reader, so a building is read
// whole or refused whole.
#include "project/buildingfile.h"

#include <QBuffer>
#include <QtEndian>
#include <bit>

#include "calc/errors.h"
#include "project/extension.h"
#include "project/projectfile.h"

namespace veltor {

namespace {

constexpr char kBuildingTag[] = "BLDG";

[[noreturn]] void damaged() {
  throw DataError(kDamagedProject);
}

template <typename T>
void put(QByteArray& out, T value) {
  char bytes[sizeof(T)];
  qToLittleEndian(value, bytes);
  out.append(bytes, sizeof(T));
}

template <typename T>
T take(QByteArrayView bytes, qsizetype& pos) {
  if (bytes.size() - pos < qsizetype(sizeof(T))) damaged();
  const T value = qFromLittleEndian<T>(bytes.data() + pos);
  pos += sizeof(T);
  return value;
}

PartitionContents PartitionOf(ProjectContents&& project) {
  PartitionContents p;
  p.conditions = project.conditions;
  p.layers = std::move(project.layers);
  p.extras = std::move(project.extras);
  return p;
}

QByteArray PlainProject(const PartitionContents& p) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  WriteProject(buffer, {}, p.conditions, p.layers, p.extras);
  return bytes;
}

QByteArray EncodeBuilding(const std::vector<const PartitionContents*>& partitions) {
  QByteArray payload;
  put<quint32>(payload, kBuildingLayoutVersion);
  put<quint32>(payload, quint32(partitions.size()));
  for (const PartitionContents* p : partitions) {
    AppendFieldText(payload, p->identity.symbol);
    AppendFieldText(payload, p->identity.name);
    payload.append(char(p->identity.kind));
    put<quint64>(payload, std::bit_cast<quint64>(p->identity.area));
  }
  for (size_t i = 1; i < partitions.size(); ++i) {
    const QByteArray plain = PlainProject(*partitions[i]);
    put<quint32>(payload, quint32(plain.size()));
    payload.append(plain);
  }
  QByteArray chunk;
  AppendChunk(chunk, kBuildingTag, payload);
  return chunk;
}

BuildingContents FromLoaded(LoadedProject&& loaded) {
  BuildingContents building;
  building.description = loaded.contents.description;
  const QByteArrayView all(loaded.bytes);
  bool found = false;
  const QByteArrayView payload =
      FindChunk(all.sliced(ExtensionBlockOffset(loaded.bytes)), kBuildingTag, found);
  DropKeptChunk(loaded.contents.extras, kBuildingTag);
  building.partitions.push_back(PartitionOf(std::move(loaded.contents)));
  if (!found) return building;

  qsizetype pos = 0;
  // Another layout may mean other things by the same bytes.
  if (take<quint32>(payload, pos) != kBuildingLayoutVersion) damaged();
  const quint32 count = take<quint32>(payload, pos);
  if (count < 1 || count > quint32(kMaxPartitions)) damaged();
  std::vector<PartitionIdentity> identities(count);
  for (PartitionIdentity& id : identities) {
    id.symbol = TakeFieldText(payload, pos);
    id.name = TakeFieldText(payload, pos);
    const std::optional<PartitionKind> kind = KindFromNumber(take<quint8>(payload, pos));
    if (!kind) damaged();
    id.kind = *kind;
    id.area = std::bit_cast<double>(take<quint64>(payload, pos));
    if (id.hasArea() && !(std::isfinite(id.area) && id.area >= 0)) damaged();
  }
  building.partitions.front().identity = identities.front();
  for (quint32 i = 1; i < count; ++i) {
    const quint32 length = take<quint32>(payload, pos);
    if (qsizetype(length) > payload.size() - pos) damaged();
    LoadedProject part = ReadProjectBytes(payload.sliced(pos, length).toByteArray());
    pos += length;
    building.partitions.push_back(PartitionOf(std::move(part.contents)));
    building.partitions.back().identity = identities[i];
  }
  // Bytes after the partitions are room for later versions of the chunk.
  return building;
}

}  // namespace

bool PartitionIdentity::isDefault() const {
  return *this == PartitionIdentity{};
}

bool PartitionIdentity::operator==(const PartitionIdentity& o) const {
  // NaN is "not given", equal to itself here.
  return symbol == o.symbol && name == o.name && kind == o.kind &&
         std::bit_cast<quint64>(area) == std::bit_cast<quint64>(o.area);
}

BuildingContents BuildingOf(ProjectContents&& project) {
  BuildingContents building;
  building.description = project.description;
  building.partitions.push_back(PartitionOf(std::move(project)));
  return building;
}

BuildingContents ReadBuildingBytes(QByteArray bytes) {
  return FromLoaded(ReadProjectBytes(std::move(bytes)));
}

BuildingContents LoadBuildingFile(const QString& path) {
  return FromLoaded(LoadProjectFile(path));
}

void WriteBuilding(QIODevice& device, const ProjectDescription& description,
                   const std::vector<const PartitionContents*>& partitions) {
  Q_ASSERT(!partitions.empty());
  const PartitionContents& first = *partitions.front();
  const bool plain = partitions.size() == 1 && first.identity.isDefault();
  WriteProject(device, description, first.conditions, first.layers, first.extras,
               plain ? QByteArray() : EncodeBuilding(partitions));
}

void WritePartitionAsProject(QIODevice& device, const ProjectDescription& description,
                             const PartitionContents& partition) {
  WriteProject(device, description, partition.conditions, partition.layers, partition.extras);
}

}  // namespace veltor
