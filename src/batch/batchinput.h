// The JSON description of a partition that batch mode reads: conditions,
// description, layers (from the catalogue by name, with explicit values, or air
// layers) and an optional climate for the moisture check. It becomes the same
// records the windows hold, so the batch results come from the same core.
//
// Every refusal names the path of the field it is about ("layers[2].d") and says
// in Polish what is wrong; nothing is guessed, and an unknown key is refused so
// that a misspelt field never silently takes its default.
#pragma once

#include <QJsonArray>
#include <QJsonValue>
#include <QString>
#include <optional>
#include <vector>

#include "calc/conditions.h"
#include "calc/ground.h"
#include "calc/layer.h"
#include "calc/moisture.h"
#include "project/buildingfile.h"
#include "project/projectfile.h"

namespace batch {

// A refused input: `path` is the field ("layers[2].d", or empty for the whole
// document), `message` the Polish sentence.
class InputError : public std::runtime_error {
 public:
  InputError(QString path, QString message);
  const QString& path() const { return path_; }
  const QString& message() const { return message_; }
  // "layers[2].d: grubość musi być liczbą większą od 0"
  QString text() const;

 private:
  QString path_;
  QString message_;
};

// A catalogue entry that a layer may name.
struct CatalogueMaterial {
  QString name;
  veltor::LayerRecord record;
};

// Everything the description gives, as the windows would hold it.
struct BatchCase {
  veltor::ProjectDescription description;  // with the address and licence
  veltor::DesignConditions conditions;
  veltor::LayerTable layers;
  std::optional<veltor::MoistureInput> moisture;
  QString climateName;  // the station's name, or empty for typed months
  // A partition on the ground; `layers` are then its floor (or ceiling), and
  // the basement's walls, when given as layers, are here (their R replaces
  // the settings' wallResistance).
  veltor::GroundSettings ground;
  veltor::LayerTable groundWallLayers;
  // A project file's extras (its moisture settings and report options), which
  // give its designer's report as the window gives it; empty for JSON.
  std::optional<veltor::ProjectExtras> extras;
  veltor::PartitionIdentity identity;  // a building's partition: symbol, name, kind, area
};

// What a description may refer to by name.
struct Catalogues {
  std::vector<CatalogueMaterial> materials;
  std::vector<veltor::ClimateStation> stations;
  // Why the user's stations are not all there (a damaged file, a clash of
  // names), told to a description that names a station; empty when they are.
  QString stationsProblem;
};

// The layer window's limits (thickness, air layers up to 0.3 m, λ, μ or sd,
// density and specific heat 0 or in range, the bridge's λ), refused naming the
// field under `path` ("layers[2].lambda"); `sdGiven` names sd for the vapour.
void CheckLayerLimits(const veltor::LayerRecord& record, const QString& path, bool sdGiven = false);

// Every material of a materials catalogue file, in file order.
std::vector<CatalogueMaterial> LoadCatalogueMaterials(const QString& path);

// The description's keys ("name", "client", … "licence") of the object at `path`;
// nothing given, all empty.
veltor::ProjectDescription ReadDescriptionObject(const QJsonValue& value, const QString& path);

// One element of the description (an object). `path` prefixes every refusal
// ("[3]" for the fourth element of an array, empty for a single object).
BatchCase ReadCase(const QJsonValue& value, const Catalogues& catalogues, const QString& path = {});

// A parsed description whose cases are read one at a time, so that a run over
// an array holds one partition's records and results at once, not all of them.
// Refuses text that is not JSON, naming the line and the column.
class Document {
 public:
  Document(const QByteArray& json, const Catalogues& catalogues);
  // Whether the document is an array, so that the results keep the input's shape.
  bool isArray() const { return array_; }
  qsizetype size() const { return array_ ? items_.size() : 1; }
  BatchCase read(qsizetype index) const;
  // An object with "partitions": every partition read at once.
  bool isBuilding() const { return building_.has_value(); }
  std::vector<BatchCase> takeBuilding() { return std::move(*building_); }

 private:
  const Catalogues& catalogues_;
  std::optional<std::vector<BatchCase>> building_;
  bool array_ = false;
  QJsonArray items_;  // the elements, or the one object
};

// Every case of a document at once (tests, the fuzz target).
// An object with "partitions" is a building (batchbuilding.h; `isBuilding`).
std::vector<BatchCase> ReadDocument(const QByteArray& json, const Catalogues& catalogues,
                                    bool* isArray = nullptr, bool* isBuilding = nullptr);

}  // namespace batch
