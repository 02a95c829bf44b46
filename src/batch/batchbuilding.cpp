// Reading a building's JSON into one case per partition, and its results.
#include "batch/batchbuilding.h"

#include <QJsonValue>
#include <QStringList>
#include <cmath>

#include "batch/batchfields.h"
#include "calc/partitionkind.h"

namespace batch {

namespace {

const char* const kIdentityKeys[] = {"symbol", "name", "kind", "area"};

QString KindKeys() {
  QStringList keys;
  for (const veltor::PartitionKindInfo& info : veltor::PartitionKinds())
    keys << QString::fromLatin1(info.key);
  return keys.join(QStringLiteral(", "));
}

QString Text(const QJsonObject& o, const char* key, const QString& path) {
  const QJsonValue v = o.value(QLatin1String(key));
  if (v.isUndefined()) return {};
  if (!v.isString())
    throw InputError(path + QLatin1Char('.') + QLatin1String(key), QStringLiteral("oczekiwano tekstu"));
  if (v.toString().size() > veltor::kMaxFieldLength)
    throw InputError(path + QLatin1Char('.') + QLatin1String(key),
                     QStringLiteral("tekst może mieć najwyżej %1 znaków").arg(veltor::kMaxFieldLength));
  return v.toString();
}

veltor::PartitionIdentity ReadIdentity(const QJsonObject& o, const QString& path) {
  veltor::PartitionIdentity id;
  id.symbol = Text(o, "symbol", path);
  id.name = Text(o, "name", path);
  const QJsonValue kind = o.value(QLatin1String("kind"));
  if (!kind.isUndefined()) {
    const std::optional<veltor::PartitionKind> k =
        kind.isString() ? veltor::KindFromKey(kind.toString()) : std::nullopt;
    if (!k)
      throw InputError(path + QStringLiteral(".kind"),
                       QStringLiteral("rodzaj przegrody: jeden z %1").arg(KindKeys()));
    id.kind = *k;
  }
  const QJsonValue area = o.value(QLatin1String("area"));
  if (!area.isUndefined()) {
    if (!area.isDouble() || !std::isfinite(area.toDouble()) || area.toDouble() < 0)
      throw InputError(path + QStringLiteral(".area"),
                       QStringLiteral("pole powierzchni musi być liczbą nieujemną [m²]"));
    id.area = area.toDouble();
  }
  return id;
}

}  // namespace

bool IsBuildingObject(const QJsonObject& object) {
  return object.contains(QLatin1String("partitions"));
}

std::vector<BatchCase> ReadBuilding(const QJsonObject& object, const Catalogues& catalogues) {
  const Fields checked(object, QString(), {"building", "partitions"});
  const veltor::ProjectDescription description =
      ReadDescriptionObject(object.value(QLatin1String("building")), QStringLiteral("building"));
  const QJsonValue list = object.value(QLatin1String("partitions"));
  if (!list.isArray() || list.toArray().isEmpty())
    throw InputError(QStringLiteral("partitions"), QStringLiteral("oczekiwano niepustej tablicy przegród"));
  const QJsonArray partitions = list.toArray();
  if (partitions.size() > veltor::kMaxPartitions)
    throw InputError(QStringLiteral("partitions"),
                     QStringLiteral("budynek może mieć najwyżej %1 przegród").arg(veltor::kMaxPartitions));
  std::vector<BatchCase> cases;
  QStringList symbols;
  for (qsizetype i = 0; i < partitions.size(); ++i) {
    const QString path = QStringLiteral("partitions[%1]").arg(i);
    if (!partitions.at(i).isObject()) throw InputError(path, QStringLiteral("oczekiwano obiektu JSON"));
    QJsonObject wall = partitions.at(i).toObject();
    if (wall.contains(QLatin1String("description")))
      throw InputError(path + QStringLiteral(".description"),
                       QStringLiteral("opis należy do budynku (\"building\")"));
    const veltor::PartitionIdentity identity = ReadIdentity(wall, path);
    for (const char* key : kIdentityKeys) wall.remove(QLatin1String(key));
    BatchCase c = ReadCase(wall, catalogues, path);
    c.description = description;
    c.identity = identity;
    // A symbol the results can be told apart by: the kind's prefix and the row.
    if (c.identity.symbol.isEmpty())
      c.identity.symbol =
          QStringLiteral("%1-%2").arg(QString::fromLatin1(veltor::KindInfo(identity.kind).prefix)).arg(i + 1);
    if (symbols.contains(c.identity.symbol))
      throw InputError(path + QStringLiteral(".symbol"), QStringLiteral("symbol powtarza się w budynku"));
    symbols << c.identity.symbol;
    cases.push_back(std::move(c));
  }
  return cases;
}

OutValue BuildingResults(const std::vector<BatchCase>& cases, std::vector<OutValue> results) {
  OutValue partitions = OutValue::Array();
  OutValue failing = OutValue::Array();
  double area = 0;
  double transmission = 0;
  bool anyArea = false;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const veltor::PartitionIdentity& id = cases[i].identity;
    OutValue& r = results[i];
    r.insert("symbol", id.symbol);
    r.insert("name", id.name);
    r.insert("kind", QString::fromLatin1(veltor::KindInfo(id.kind).key));
    r.insert("area", id.hasArea() ? OutValue(id.area) : OutValue());
    if (const OutValue* meets = r.find("meets"); meets && meets->isFalse()) failing.append(id.symbol);
    if (id.hasArea()) {
      anyArea = true;
      area += id.area;
      // On the ground the U the designer holds against Umax is the one counted.
      const OutValue* ground = r.find("ground");
      const OutValue* compared = ground ? ground->find("U_compared") : r.find("Uc");
      transmission += id.area * (compared ? compared->toDouble() : 0);
    }
    partitions.append(std::move(r));
  }
  OutValue summary = OutValue::Object();
  summary.insert("meets", failing.size() == 0);
  summary.insert("failing", std::move(failing));
  summary.insert("area", anyArea ? OutValue(area) : OutValue());
  summary.insert("transmission", anyArea ? OutValue(transmission) : OutValue());
  OutValue out = OutValue::Object();
  out.insert("partitions", std::move(partitions));
  out.insert("summary", std::move(summary));
  return out;
}

}  // namespace batch
