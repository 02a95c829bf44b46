// The JSON description of a partition that batch mode reads: conditions,
// description, layers (from the catalogue by name, with explicit values, or air
// layers) and an optional climate for the moisture check. It becomes the same
// records the windows hold, so the batch results come from the same core.
//
// Every refusal names the path of the field it is about ("layers[2].d") and says
// in Polish what is wrong; nothing is guessed, and an unknown key is refused so
// that a misspelt field never silently takes its default.
#pragma once

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
};

// Every material of a materials catalogue file, in file order.
std::vector<CatalogueMaterial> LoadCatalogueMaterials(const QString& path);

// The description's keys ("name", "client", … "licence") of the object at `path`;
// nothing given, all empty.
veltor::ProjectDescription ReadDescriptionObject(const QJsonValue& value, const QString& path);

// One element of the description (an object). `path` prefixes every refusal
// ("[3]" for the fourth element of an array, empty for a single object).
BatchCase ReadCase(const QJsonValue& value, const Catalogues& catalogues, const QString& path = {});

// A whole document: an object gives one case, an array one case per element
// (`isArray` tells which, so that the results keep the input's shape).
// Refuses text that is not JSON, naming the offset.
// An object with "partitions" is a building (batchbuilding.h; `isBuilding`).
std::vector<BatchCase> ReadDocument(const QByteArray& json, const Catalogues& catalogues,
                                    bool* isArray = nullptr, bool* isBuilding = nullptr);

}  // namespace batch
