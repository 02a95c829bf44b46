// The report window's designer's report: the document of the layer table as
// it stands, saved as a PDF or an ODT, or printed whole in one job per copy.
#include <QDate>
#include <QPrinter>
#include <QStandardPaths>

#include "calc/errors.h"
#include "calc/ownmaterials.h"
#include "draw/kondensacja_draw.h"
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
    const designreport::Input input = DesignInput(project_);
    ui::PrintJobs(printer, *copies, [&](QPrinter& job) { designreport::PaintDocument(job, input); });
  });
}
