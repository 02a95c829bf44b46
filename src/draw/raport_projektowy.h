// The designer's report: the document handed to a client or a building
// authority, written to be checked line by line. Page 1 opens with the
// verdicts (Uc against Uc(max), the inner surface, interstitial condensation,
// each with the regulation's paragraph it answers), then the project, the
// conditions with every assumption and where it comes from, the layer table
// with the source of each value, the results with every correction's inputs,
// the standards and the signature; then each chart on a page of its own, and
// the moisture page when the project asks for it. Text stays text (a PDF can
// be searched and copied, an ODT edited in an office suite); every page has a
// footer with "strona n z m", the program's version and the date.
//
// Data flow: Prepare turns one partition's inputs (description, conditions,
// layers, the project's extras) and the catalogues into an Input; the window
// and batch mode both call it, so one project file gives one document. The
// PDF and the printer get the charts and the moisture page painted by their
// drawing code as vectors; the ODT gets them as pictures at 300 dpi.
#pragma once

#include <QDate>
#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "calc/calculation.h"
#include "calc/dynamic.h"
#include "calc/ground.h"
#include "draw/kondensacja_draw.h"
#include "project/projectfile.h"

class QPagedPaintDevice;
class QTextDocument;

namespace designreport {

// What the document looks up to say where a value comes from.
struct Catalogue {
  struct Material {
    veltor::LayerRecord record;
    QString source;  // an own material's declared source; empty for the program's catalogue
    bool own = false;
  };
  std::vector<Material> materials;  // the program's catalogue, then the user's own materials
  bool materialsRead = false;       // false: the program's catalogue could not be read
  // The rows of the Uc(max) requirements: "Wymagania od 2021 r., Ściany
  // zewnętrzne, ti od 16 °C" and the value.
  struct Requirement {
    QString group;
    QString caption;
    double umax = 0;
  };
  std::vector<Requirement> requirements;
};

// The program's catalogues under `startFolder` and the own materials of
// `ownMaterialsFile`; a file that cannot be read leaves its part empty (the
// document then names no source rather than a wrong one).
Catalogue LoadCatalogue(const QString& startFolder, const QString& ownMaterialsFile);

// Where a layer's values come from: "katalog programu", an own material's
// source, "wartość wpisana"; `edited` names the figures typed over the
// catalogue's ("λ", "μ", "ρ"), `catalogueValues` what the catalogue had.
struct LayerSource {
  QString text;
  QStringList edited;
  QString catalogueValues;
};
LayerSource SourceOf(const veltor::LayerRecord& layer, const Catalogue& catalogue, bool humid);

struct Input {
  veltor::ProjectDescription description;  // name, client, designer, date
  QString address;                         // of the investment, optional
  QString licence;                         // the designer's licence number, optional
  veltor::DesignConditions conditions;
  const veltor::LayerTable* layers = nullptr;  // after the calculation pass
  const veltor::SaturationTable* saturation = nullptr;
  QString startFolder;  // of the charts' hatches
  // R'T, R''T, the corrections and Uc are in its transmittance.
  veltor::PartitionSummary summary;
  bool surfaceCondensation = false;
  double surfaceTemperature = 0;  // θsi of the design state, °C
  bool temperatureChart = false;  // false: the page says why it is missing
  bool pressureChart = false;
  QStringList chartNotes;  // drawings left out, and why
  // Per layer, in table order; empty: no source column.
  std::vector<LayerSource> sources;
  // The requirement rows that give conditions.umax for θi; empty when the
  // value is the designer's own.
  QStringList umaxRows;
  // The moisture assessment, whose verdicts page 1 always shows; empty when
  // no climate was chosen. Its page is added when `moisturePage`.
  std::optional<kondensacja::Assessment> moisture;
  bool moisturePage = false;
  // The EN ISO 13786 figures when the project lists them; `dynamicNote` says
  // why they are missing when it does and they could not be computed.
  std::optional<veltor::DynamicResult> dynamic;
  // A partition on the ground (set before Compute): its EN ISO 13370 block,
  // the chosen U in the verdict, and no winter charts.
  veltor::GroundSettings ground;
  std::optional<veltor::GroundResult> groundResult;
  QString dynamicNote;
  QString version;
  QDate date;
  // A building's partition: its symbol and name over its section.
  QString partitionHeading;
};

// A document of more layers than this is refused, as the one-page report is:
// its table would run over hundreds of pages and take minutes to lay out.
inline constexpr int kMaxDocumentLayers = 800;
// Raises DataError for a table of more layers than that.
void CheckLayerCount(const veltor::LayerTable& table);

// Runs the calculation pass over `table` with `input.conditions` and fills
// the figures and both charts (backgrounds and hatches from the start folder's
// pictures; a chart that cannot be drawn is left out with a note). Raises
// DataError for more than kMaxDocumentLayers layers.
void Compute(Input& input, veltor::LayerTable& table, const veltor::ReferenceTables& tables,
             const QString& startFolder);

// The whole input of one partition's document: Compute, the moisture
// assessment the extras' settings ask for, the dynamics when the extras list
// them, the sources of the layers and the requirement's row. Version and date
// are the caller's.
Input Prepare(const veltor::ProjectDescription& description, const veltor::DesignConditions& conditions,
              veltor::LayerTable& table, const veltor::ProjectExtras& extras, const Catalogue& catalogue,
              const veltor::ReferenceTables& tables, const QString& startFolder);

// "Przegroda spełnia wymaganie Uc ≤ Uc(max)" or "... nie spełnia ...", or that
// no requirement was set.
QString Verdict(double uc, double umax);

// The three verdicts of page 1 as values: whether Uc meets Uc(max), the inner
// surface its critical factor, the interstitial condensation its limit;
// empty where there is nothing to judge (no requirement, no climate).
struct Judgement {
  std::optional<bool> uc, surface, interstitial;
};
Judgement Judge(const Input& input);

// Pages in front of a document of several partitions (a building's), made
// from the first page of each partition's part (1-based, in `inputs` order;
// empty for the ODT, which has no pages), as HTML.
using FrontPages = std::function<QString(const std::vector<int>& firstPages)>;
// The document of several partitions: the front pages, then each input's
// sections as PaintDocument lays them out, the pages numbered through.
int PaintDocuments(QPagedPaintDevice& device, const std::vector<const Input*>& inputs,
                   const FrontPages& front);
std::unique_ptr<QTextDocument> BuildDocuments(const std::vector<const Input*>& inputs,
                                              const FrontPages& front);
void WritePdf(const std::vector<const Input*>& inputs, const FrontPages& front, const QString& path);
void WriteOdt(const std::vector<const Input*>& inputs, const FrontPages& front, const QString& path);

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
// The same documents as bytes, for a caller that writes them with other files
// and keeps none unless all succeed.
QByteArray PdfBytes(const Input& input);
QByteArray OdtBytes(const Input& input);

}  // namespace designreport
