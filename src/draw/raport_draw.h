// Drawing of the one-page report, apart from the window that shows it, so that
// tests and the benchmark build a page without any window.
//
// Data flow: the template picture (LoadReportTemplate) carries every fixed text;
// LayOutTable wraps every layer's name and sets each row's height from it;
// BuildReport copies the template onto a page tall enough for those rows, and
// draws the values at the template's fixed pixel positions: DrawHeader
// (description and conditions), one DrawLayerRow per layer of the table (whose
// results the caller's calculation pass has just written), and DrawSummary
// below the rows. Texts use the
// program's fixed drawing face at pixel sizes, so that every position holds on
// every desktop.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <limits>
#include <vector>

#include "calc/conditions.h"
#include "calc/layer.h"
#include "draw/pictures.h"
#include "project/projectfile.h"

class QFontMetrics;
class QPainter;

namespace raport {

// The template under the start folder.
inline constexpr char kTemplatePath[] = "/obrazki/raport.bmp";

// 10 and 8 point at 96 dpi.
inline constexpr int kHeaderPixels = 13;
inline constexpr int kRowPixels = 11;

inline constexpr int kRowTop = 589;
// A row of one or two lines of text; a name of more lines makes its row taller
// by kLineStep a line, and everything below it moves down.
inline constexpr int kRowHeight = 40;
// Text lines of a wrapped layer name.
inline constexpr int kLineStep = 15;
// A name that would take more lines ends its last one with "…"; the whole
// name stays in the layer list and the designer's report. Six lines hold any
// name of 255 characters of ordinary words.
inline constexpr int kMaxNameLines = 6;
// The raster painter's coordinates are 16-bit: no page is drawn taller.
inline constexpr int kMaxPageHeight = 32767;
// A project may hold thousands of layers; their page would take gigabytes and
// be no page any more, so a report is refused beyond this many.
inline constexpr int kMaxLayers = 800;
// Column 2 runs from x 38 to 509 and its text starts at 43: the name keeps
// inside the cell's white, since the next column's cell covers whatever
// reaches beyond it.
inline constexpr int kNameX = 43;
inline constexpr int kNameWidth = 463;
// However narrow a template, the page holds the table and a margin right of it.
inline constexpr int kMinimumPageWidth = 730;

// The template as a picture that the mask pen can work on. Raises veltor::Error:
// "Cannot open file <path>" when it cannot be read, "Bitmap image is not valid"
// when it is no picture.
QImage LoadReportTemplate(const QString& path);

// The template the program ships, as PaintReportTemplate draws it.
inline constexpr int kTemplateWidth = 730;
inline constexpr int kTemplateHeight = 1032;  // A4: 730 * 297 / 210
// Paints that template at its pixel positions, white ground included.
void PaintReportTemplate(QPainter& painter);

// Where the rows of a table stand on the page and what their name cells hold.
struct TableLayout {
  std::vector<int> rowTops;        // y of each row's top border
  std::vector<QStringList> names;  // each row's name, line by line
  int summaryShift = 0;            // how far the summary stands below its place on the template
  int firstIgnoredLayer = -1;      // layers from here outward are not counted; -1 none
  // With bridged layers or corrections the summary adds ΔU and Uc below U;
  // without them the page is as it always was.
  bool corrected = false;
};

// The table's rows: each layer's caption wrapped to the name column in the
// row font, its row as tall as the lines need.
TableLayout LayOutTable(const veltor::LayerTable& table, const veltor::PartitionSummary& summary,
                        const veltor::DesignConditions& conditions);

// Height of a page for the table's rows and the summary: the template's own,
// or more when they would run below it.
int ReportPageHeight(int templateHeight, const TableLayout& layout);

// The name a table of layers gives a layer: its caption with the bridge and
// share, and a mark when the outer side leaves it out of the calculation.
QString RowCaption(const veltor::LayerRecord& layer, bool ignored);

// A text in the painter's font with the top-left corner of its box at (x, y).
void TextAt(QPainter& painter, int x, int y, const QString& text);

// The ground of a chart on a window or a page: white, a grey border and
// `title` in bold at the top left.
QImage ChartPicture(QSize size, const QString& title);
// The same ground painted from the painter's origin, leaving its pen and font set.
void PaintChartGround(QPainter& painter, QSize size, const QString& title);

// Puts `painter` into the report's drawing state: cells' borders in the mask
// pen, white fill, texts on white.
void BeginReportPainter(QPainter& painter);

// The six header values: the description texts (name, client, designer, date),
// the heat-flow direction and the humidity class.
void DrawHeader(QPainter& painter, const veltor::ProjectDescription& description,
                const veltor::DesignConditions& conditions);
// Row `index` (0 = innermost) of the layer table, from the results in its
// record, where `layout` puts it.
void DrawLayerRow(QPainter& painter, const veltor::LayerTable& table, int index,
                  const veltor::DesignConditions& conditions, const TableLayout& layout);
// The summary in bold, in the size the rows left (that of the header when there
// are none), below the rows of `layout`.
void DrawSummary(QPainter& painter, const TableLayout& layout, const veltor::PartitionSummary& summary);
// `text` in lines of at most `widthLimit` pixels, broken at blanks (which no
// line keeps at either end); a word wider than the limit is split after its
// last character that fits. Beyond `maxLines` the last line kept ends in "…".
QStringList WrapText(const QFontMetrics& metrics, int widthLimit, const QString& text,
                     int maxLines = std::numeric_limits<int>::max());
// Draws `text` wrapped by WrapText in the painter's font from (x, y), lines
// kLineStep apart; returns the lines drawn.
QStringList DrawTextWrapped(QPainter& painter, int x, int y, int widthLimit, const QString& text);

// The whole page: the template with the header, one row per layer and the
// summary. The table's results and `summary` come from a pass just run. A
// template moved in becomes the page without a copy. Raises veltor::DataError
// for a table of more than kMaxLayers layers, or whose page would be taller
// than kMaxPageHeight.
QImage BuildReport(QImage templatePicture, const veltor::LayerTable& table,
                   const veltor::PartitionSummary& summary, const veltor::DesignConditions& conditions,
                   const veltor::ProjectDescription& description);

// What the rows of a page were drawn from: a later page on the same template
// takes a row's pixels from the earlier one while its place and texts are
// unchanged, and draws only the rows a change touched (a thickness typed
// changes one row of hundreds). Header and summary are drawn anew each time.
struct DrawnRows {
  qint64 templateKey = 0;
  QSize pageSize;
  std::vector<int> rowTops;
  std::vector<QStringList> texts;
};
// BuildReport over `earlier` (a page BuildReport or this made, drawn from
// `drawn`); `drawn` then describes the new page.
QImage BuildReport(QImage templatePicture, const veltor::LayerTable& table,
                   const veltor::PartitionSummary& summary, const veltor::DesignConditions& conditions,
                   const veltor::ProjectDescription& description, const QImage& earlier, DrawnRows& drawn);

// The same page painted onto any painter from its origin, over the template as
// PaintReportTemplate draws it (not the template file: a vector page keeps
// the template's texts as texts), ReportPageSize pixels. Raises as BuildReport.
QSize ReportPageSize(const TableLayout& layout);
void PaintReport(QPainter& painter, const veltor::LayerTable& table, const veltor::PartitionSummary& summary,
                 const veltor::DesignConditions& conditions, const veltor::ProjectDescription& description);
// That page for a PDF or a printer, holding its own copy of the figures.
ui::VectorPage ReportVectorPage(const veltor::LayerTable& table, const veltor::PartitionSummary& summary,
                                const veltor::DesignConditions& conditions,
                                const veltor::ProjectDescription& description);

// The heat-flow direction as the report's header names it; empty for a value
// that is none of the three.
QString DirectionText(std::int32_t direction);

}  // namespace raport
