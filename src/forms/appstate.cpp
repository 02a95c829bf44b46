#include "forms/appstate.h"

#include "model/project.h"
#include "platform/dialogs.h"

veltor::DesignConditions gDesignConditions;
veltor::ReferenceTables gReferenceTables;

namespace {
QString& startFolder() {
  static QString folder;
  return folder;
}
}  // namespace

void LoadReferenceTables() {
  veltor::LoadSaturationTable(gReferenceTables.saturation);
  veltor::LoadAirLayerTable(gReferenceTables.air);
}

void RunCalculationPass(veltor::LayerTable& table, veltor::PartitionSummary& summary, bool tell) {
  veltor::CalculatePartition(table, summary, gDesignConditions, gReferenceTables,
                             [tell](const QString& text) {
                               if (tell) ui::inform(ui::MessageKind::Error, text);
                             });
}

const veltor::PartitionSummary& CurrentSummary(Project& project, bool tell) {
  Building& building = project.building();
  if (!building.hasReferenceTables()) {
    return building
        .resultsOver(project.currentId(), gDesignConditions, gReferenceTables,
                     [tell](const QString& text) {
                       if (tell) ui::inform(ui::MessageKind::Error, text);
                     })
        .summary;
  }
  const PartitionResults& r = building.results(project.currentId());
  if (r.failure) std::rethrow_exception(r.failure);
  if (tell && !r.notice.isEmpty()) ui::inform(ui::MessageKind::Error, r.notice);
  return r.summary;
}

double RequiredThickness(Project& project, int row) {
  return veltor::RequiredLayerThickness(project.layers(), row + 1, gDesignConditions, gReferenceTables.air);
}

QString StartFolder() {
  return startFolder();
}

void SetStartFolder(const QString& folder) {
  startFolder() = folder;
}

void OpenHelpPage(const QString& page) {
  ui::dialogs().showHelp(StartFolder() + QStringLiteral("/Pomoc/") + page);
}
