// The report window's designer's report: the document of the layer table as
// it stands, saved as a PDF or an ODT, or printed whole in one job per copy;
// for a building of several partitions, the building's document.
#include <QDate>
#include <QPrinter>
#include <QStandardPaths>

#include "calc/errors.h"
#include "calc/ownmaterials.h"
#include "draw/kondensacja_draw.h"
#include "draw/raport_budynku.h"
#include "draw/raport_projektowy.h"
#include "forms/appstate.h"
#include "forms/raport_new.h"
#include "model/project.h"
#include "platform/dialogs.h"
#include "platform/printing.h"

namespace {

// Everything the document shows, from the project alone (its moisture
// settings and report options included) after a fresh pass: batch mode makes
// the same document from the same file.
designreport::Input DesignInput(Project& project) {
  designreport::Input input = designreport::Prepare(
      project.description(), project.conditions(), project.layersForResults(), project.extras(),
      designreport::LoadCatalogue(StartFolder(), veltor::OwnMaterialsFile()), gReferenceTables,
      StartFolder());
  input.version = QStringLiteral(VELTOR_VERSION);
  input.date = QDate::currentDate();
  return input;
}

// A building of several partitions: each partition's input, its section
// headed by its symbol and name, in the building's order.
struct BuildingInputs {
  std::vector<designreport::Input> inputs;
  std::vector<designreport::BuildingPart> parts;
};

BuildingInputs BuildingInput(Building& building) {
  BuildingInputs b;
  const designreport::Catalogue catalogue =
      designreport::LoadCatalogue(StartFolder(), veltor::OwnMaterialsFile());
  b.inputs.reserve(building.count());
  for (int row = 0; row < building.count(); ++row) {
    const Partition& p = building.at(row);
    veltor::ProjectDescription description = building.description();
    description[veltor::kName] = p.identity.name.isEmpty() ? building.label(p.id) : p.identity.name;
    designreport::Input input =
        designreport::Prepare(description, p.conditions, building.layersForResults(p.id), p.extras, catalogue,
                              gReferenceTables, StartFolder());
    input.version = QStringLiteral(VELTOR_VERSION);
    input.date = QDate::currentDate();
    veltor::PartitionIdentity identity = p.identity;
    identity.symbol = building.label(p.id);
    input.partitionHeading = designreport::PartHeading(identity);
    b.inputs.push_back(std::move(input));
    b.parts.push_back({identity, nullptr});
  }
  for (std::size_t i = 0; i < b.parts.size(); ++i) b.parts[i].input = &b.inputs[i];
  return b;
}

}  // namespace

void TFormRaportNew::saveDesignReport(bool pdf) {
  ui::Guard([this, pdf] {
    ui::FileDialogRequest request;
    request.objectName = QStringLiteral("SaveDialogRaportProjektowy");
    request.title = QStringLiteral("Zapisz raport projektowy");
    request.filters = {pdf ? QStringLiteral("Dokument PDF (*.pdf)") : QStringLiteral("Dokument ODT (*.odt)")};
    request.defaultSuffix = pdf ? QStringLiteral("pdf") : QStringLiteral("odt");
    request.initialDir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    request.confirmOverwrite = true;
    const std::optional<ui::FileChoice> choice = ui::dialogs().saveFile(request);
    if (!choice || choice->fileName.isEmpty()) return;
    QString path = choice->fileName;
    const QString suffix = QLatin1Char('.') + request.defaultSuffix;
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) path += suffix;
    if (project_.building().count() > 1) {
      const BuildingInputs b = BuildingInput(project_.building());
      designreport::WriteBuildingDocument(project_.description(), b.parts, path, pdf);
      return;
    }
    const designreport::Input input = DesignInput(project_);
    if (pdf)
      designreport::WritePdf(input, path);
    else
      designreport::WriteOdt(input, path);
  });
}

void TFormRaportNew::ActionRaportPdfExecute() {
  saveDesignReport(true);
}

void TFormRaportNew::ActionRaportOdtExecute() {
  saveDesignReport(false);
}

void TFormRaportNew::ActionDrukujRaportProjektowyExecute() {
  ui::Guard([this] {
    QPrinter& printer = ui::SharedPrinter();
    const std::optional<int> copies =
        ui::dialogs().printDialog(QStringLiteral("PrintDialogRaportProjektowy"), printer);
    if (!copies) return;
    if (project_.building().count() > 1) {
      const BuildingInputs b = BuildingInput(project_.building());
      ui::PrintJobs(printer, *copies, [&](QPrinter& job) {
        designreport::PaintBuildingDocument(job, project_.description(), b.parts);
      });
      return;
    }
    const designreport::Input input = DesignInput(project_);
    ui::PrintJobs(printer, *copies, [&](QPrinter& job) { designreport::PaintDocument(job, input); });
  });
}
