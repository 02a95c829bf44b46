// A building in batch mode: an object {"building": {the description's keys},
// "partitions": [walls as batch mode reads one, each with "symbol", "name",
// "kind" and "area" besides]} gives {"partitions": [each wall's results with
// its symbol, name, kind and area], "summary": {the verdicts, ΣA, ΣA·Uc}}.
// A building project file gives the same.
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <vector>

#include "batch/batchinput.h"
#include "batch/jsonout.h"
#include "project/buildingfile.h"

namespace batch {

// Whether a document is a building: an object with the key "partitions".
bool IsBuildingObject(const QJsonObject& object);

// One case per partition, in order, each with the building's description and
// its own identity. Refusals name the field ("partitions[1].kind").
std::vector<BatchCase> ReadBuilding(const QJsonObject& object, const Catalogues& catalogues);

// The results of each partition (ComputeResults, in the order of `cases`)
// with its identity, and the building's summary.
OutValue BuildingResults(const std::vector<BatchCase>& cases, std::vector<OutValue> results);

}  // namespace batch
