// What the moisture assessment shows, apart from the window that shows it: the
// texts of its month table and of its verdicts, the month chart of accumulated
// moisture and the report's second page. Tests build all of them without a
// window, and the report prints exactly what the window shows.
//
// Data flow: Assess runs the core over a layer table with a MoistureInput and
// keeps either the result with its verdicts or the Polish message that refused
// it; MonthTexts, DrawMoistureChart and BuildMoisturePage only read that. Texts
// on pictures use the program's fixed drawing face at pixel sizes, as the
// report's first page does.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "calc/moisture.h"
#include "draw/pictures.h"
#include "project/extension.h"

class QPainter;
class QRectF;

namespace kondensacja {

// The climate's name when the user typed the twelve months.
inline const QString kOwnClimateName = QStringLiteral("dane wpisane przez użytkownika");

struct Verdict {
  QString text;
  bool ok = true;
};

struct Assessment {
  QString climateName;  // a station's name, or kOwnClimateName
  veltor::MoistureInput input;
  std::optional<veltor::MoistureResult> result;  // empty when refused
  QString message;                               // why it was refused
  // Surface against the critical factor, the simplified 0.72 threshold,
  // interstitial condensation; empty without a result.
  std::vector<Verdict> verdicts;
  // Refused because no climate was chosen: the page says so in its own words.
  bool climateMissing = false;
};

// Runs the core; its refusal (veltor::Error, always a Polish message) becomes
// the assessment's message instead of a result.
Assessment Assess(const veltor::LayerTable& table, const veltor::MoistureInput& input,
                  const veltor::AirLayerTable& air, const QString& climateName);
// An assessment that could not start, e.g. a month typed wrong.
Assessment Refused(const QString& message, const QString& climateName, const veltor::MoistureInput& input);

// Refused before it could start because no climate was chosen; `message` is
// what the window shows.
Assessment NoClimate(const QString& message, const veltor::MoistureInput& input);

// The assessment the project's moisture settings ask for, made from the same
// choices the moisture window shows: the station's months or the typed ones,
// the design φi or a humidity class. Empty when the project never chose a
// climate or typed no month; a month left empty or out of range refuses it.
std::optional<Assessment> AssessSettings(const veltor::LayerTable& table,
                                         const veltor::MoistureSettings& settings,
                                         const veltor::DesignConditions& conditions,
                                         const veltor::AirLayerTable& air);

// The assessment of the choices `settings` as shown, from the result (or the
// refusal `error`) the model computed for them: a refusal on the ground, no
// climate when none was chosen, the request's refusal of the months.
Assessment AssessmentOf(const veltor::MoistureSettings& settings, const veltor::DesignConditions& conditions,
                        bool onGround, const std::optional<veltor::MoistureResult>& result,
                        const QString& error, const veltor::LayerTable& table);

// What the report's page says of an assessment without a result.
QString RefusalText(const Assessment& assessment);

// The three verdicts in plain Polish; `table` names the layers of a condensation plane.
std::vector<Verdict> Verdicts(const veltor::MoistureResult& result, const veltor::LayerTable& table);

enum MonthColumn { ColumnTe, ColumnPhiE, ColumnThetaSi, ColumnFRsi, ColumnFRsiMin, ColumnGc, ColumnMa };
inline constexpr int kMonthColumnCount = 7;
// "θe [°C]", "φe [%]", "θsi [°C]", "fRsi", "fRsi,min", "gc [kg/m²]", "Ma [kg/m²]".
QStringList MonthColumnTitles();
// One month's row, te and φe from the input; the result columns are empty
// without a result, and fRsi,min is "–" in a month where it means nothing.
QStringList MonthTexts(const Assessment& assessment, int month);
// "sty", "lut", ... "gru".
QString MonthShortName(int month);

// A green disc with a tick, or a red disc with a cross (the shapes differ, so
// the marks read on a black-and-white print too), filling `box`.
void DrawMark(QPainter& painter, const QRectF& box, bool ok);

// The accumulated moisture Ma at each month's end, January first, as bars: blue
// when it dries out within the year, red when it accumulates, the highest one
// labelled; a note instead of bars when nothing condenses or there is no result.
QImage DrawMoistureChart(const Assessment& assessment, QSize size);
// The same chart painted onto any painter from its origin (a vector page
// keeps it as vectors); the painter's state is left as it was.
void PaintMoistureChart(QPainter& painter, const Assessment& assessment, QSize size);

// The report's second page: title, the conditions used, the month table, the
// verdicts and the chart; the refusal's message instead of results when the
// assessment was refused. Pages smaller than kMinimumPageSize are made that big.
inline constexpr QSize kMinimumPageSize(730, 1032);
QImage BuildMoisturePage(const Assessment& assessment, const QString& partitionName, QSize size);
// The same page painted onto any painter from its origin, `size` as it is.
void PaintMoisturePage(QPainter& painter, const Assessment& assessment, const QString& partitionName,
                       QSize size);
// That page for a PDF or a printer (size made at least kMinimumPageSize).
ui::VectorPage MoistureVectorPage(const Assessment& assessment, const QString& partitionName, QSize size);

}  // namespace kondensacja
