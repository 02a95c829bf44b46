// The report window's designer's report: the document of the layer table as
// it stands, saved as a PDF or an ODT, or printed whole in one job per copy.
#include <QCheckBox>
#include <QCoreApplication>
#include <QDate>
#include <QPrinter>
#include <QStandardPaths>

#include "calc/errors.h"
#include "draw/kondensacja_draw.h"
#include "draw/raport_projektowy.h"
#include "forms/appstate.h"
#include "forms/dynamika.h"
#include "forms/kondensacja.h"
#include "forms/raport_new.h"
#include "platform/dialogs.h"
#include "platform/printing.h"

namespace {

// Everything the document shows, from the project and the result windows'
// ticks, after a fresh pass.
designreport::Input DesignInput(Project& project) {
  designreport::Input input;
  input.description = project.description();
  input.address = input.description[veltor::kAddress];
  input.licence = input.description[veltor::kLicence];
  input.conditions = project.conditions();
  input.version = QCoreApplication::applicationVersion();
  input.date = QDate::currentDate();
  input.ground = project.extras().ground;
  veltor::LayerTable& layers = project.layersForResults();
  designreport::Compute(input, layers, gReferenceTables, StartFolder());
  if (FormKondensacja && FormKondensacja->CheckBoxRaport->isChecked())
    input.moisture = FormKondensacja->Assess(layers);
  if (FormDynamika && FormDynamika->CheckBoxRaport->isChecked()) {
    try {
      input.dynamic = veltor::DynamicCharacteristics(layers, input.conditions, gReferenceTables.air);
    } catch (const veltor::Error&) {
      // The dynamics window already says why; the document goes out without them.
    }
  }
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
