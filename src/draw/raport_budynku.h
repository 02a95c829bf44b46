// The designer's report of a building: page 1 "Zestawienie przegród" (the
// building's description, every partition with its three verdicts and the
// overall verdict), the table of contents, then each partition's section as
// the one-partition report makes it, the pages numbered through.
#pragma once

#include <vector>

#include "draw/raport_projektowy.h"
#include "project/buildingfile.h"

namespace designreport {

struct BuildingPart {
  veltor::PartitionIdentity identity;
  const Input* input = nullptr;
};

// The heading of a partition's section: "SZ-1 Ściana zewnętrzna (ściana zewnętrzna)".
QString PartHeading(const veltor::PartitionIdentity& identity);

// The front pages of the building's document (FrontPages): `firstPages` empty
// gives the table of contents without page numbers (the ODT).
QString BuildingFront(const veltor::ProjectDescription& description, const std::vector<BuildingPart>& parts,
                      const std::vector<int>& firstPages);

// "Wszystkie przegrody spełniają wymagania", or which do not and why.
QString OverallVerdict(const std::vector<BuildingPart>& parts);

// The whole building's document as a PDF or an ODT (by the path's suffix).
void WriteBuildingDocument(const veltor::ProjectDescription& description,
                           const std::vector<BuildingPart>& parts, const QString& path, bool pdf);
int PaintBuildingDocument(QPagedPaintDevice& device, const veltor::ProjectDescription& description,
                          const std::vector<BuildingPart>& parts);

}  // namespace designreport
