// The designer's report: the document handed to a client or a building
// authority. Page 1 the project, the boundary conditions, the layer table and
// the verdict against Uc(max); page 2 both charts; page 3, when asked for, the
// moisture check; the standards used at the end. Text stays text (a PDF can
// be searched and copied, an ODT edited in an office suite); every page has
// a footer with "strona n z m", the program's version and the date.
//
// The document is built from one input value, so the windows and batch mode
// hand over the same figures and get the same pages. The PDF and the printer
// get the charts and the moisture page painted by their drawing code as
// vectors; the ODT gets them as pictures, which an office suite can hold.
#pragma once

#include <QDate>
#include <QImage>
#include <QString>
#include <memory>
#include <optional>

#include "calc/calculation.h"
#include "calc/dynamic.h"
#include "draw/kondensacja_draw.h"
#include "project/projectfile.h"

class QPagedPaintDevice;
class QTextDocument;

namespace designreport {

struct Input {
  veltor::ProjectDescription description;  // name, client, designer, date
  QString address;                         // of the investment, optional
  QString licence;                         // the designer's licence number, optional
  veltor::DesignConditions conditions;
  QString climateZone;                         // e.g. "III (−20 °C)", empty when te was typed
  QString umaxSource;                          // the requirement's caption, empty when Umax was typed
  const veltor::LayerTable* layers = nullptr;  // after the calculation pass
  const veltor::SaturationTable* saturation = nullptr;
  QString startFolder;  // of the charts' hatches
  // R'T, R''T, the corrections and Uc are in its transmittance.
  veltor::PartitionSummary summary;
  bool surfaceCondensation = false;
  double surfaceTemperature = 0;  // θsi of the design state, °C
  QImage temperatureChart;        // empty: the page says why it is missing
  QImage pressureChart;
  QStringList chartNotes;  // drawings left out, and why
  // The third page when asked for, drawn for the partition of description[0].
  std::optional<kondensacja::Assessment> moisture;
  // The EN ISO 13786 figures, listed with the results when asked for.
  std::optional<veltor::DynamicResult> dynamic;
  QString version;
  QDate date;
};

// Runs the calculation pass over `table` with `input.conditions` and fills
// the figures and both charts (backgrounds and hatches from the start folder's
// pictures; a chart that cannot be drawn is left out with a note).
void Compute(Input& input, veltor::LayerTable& table, const veltor::ReferenceTables& tables,
             const QString& startFolder);

// "Przegroda spełnia wymaganie Uc ≤ Uc(max)" or "... nie spełnia ...", or that
// no requirement was set.
QString Verdict(double uc, double umax);

// The whole document as one flow (as the ODT holds it), sections after the
// first starting on a new page.
std::unique_ptr<QTextDocument> BuildDocument(const Input& input);

// Paints the document on A4 pages of `device` (a PDF writer or a printer, one
// job), each section from a new page, every page with its footer; returns the
// page count.
int PaintDocument(QPagedPaintDevice& device, const Input& input);

// The document as a PDF (A4, text embedded) and as an ODT; raise veltor::IoError
// when the file cannot be written, leaving an earlier file as it was.
void WritePdf(const Input& input, const QString& path);
void WriteOdt(const Input& input, const QString& path);
// The same documents as bytes, for a caller that writes them with other files
// and keeps none unless all succeed.
QByteArray PdfBytes(const Input& input);
QByteArray OdtBytes(const Input& input);

}  // namespace designreport
