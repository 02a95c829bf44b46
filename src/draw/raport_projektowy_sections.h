// The designer's report's text and its pages share these: the measures of
// the page, the body's face and style, the drawings' names in the flow, and
// the HTML of a partition's sections (raport_projektowy_sections.cpp), which
// raport_projektowy.cpp lays out, paints and writes.
#pragma once

#include <QString>

#include "draw/raport_projektowy.h"

namespace designreport {

// Points: the document is laid out at the paint device's resolution.
inline constexpr int kBodyPoints = 8;
inline constexpr int kFooterPoints = 7;
// A4 with narrow side margins: a chart or the moisture page across the text
// width prints its 10 and 11 px texts at 7 pt at least.
inline constexpr double kPageWidthMm = 210;
inline constexpr double kSideMarginMm = 14;
inline constexpr double kTopMarginMm = 12;
inline constexpr double kBottomMarginMm = 10;
inline constexpr double kFooterMm = 7;

inline const QString kFontFamily = QStringLiteral("DejaVu Sans");
inline const QString kStyle = QStringLiteral(
    "h2 { font-size: 14pt; } h3 { font-size: 10pt; margin-top: 8px; margin-bottom: 3px; } "
    "th { background-color: #e8e8e8; } td { padding: 1px; } "
    "p.note { font-size: 7pt; margin-top: 2px; margin-bottom: 0px; }");
inline const QString kTemperatureChartName = QStringLiteral("wykres-temperatury.png");
inline const QString kPressureChartName = QStringLiteral("wykres-cisnienia.png");
inline const QString kMoisturePageName = QStringLiteral("ocena-wilgotnosciowa.png");
inline const QString kStandardsHeading = QStringLiteral("5. Normy i przepisy");
inline const QString kSignature = QStringLiteral("podpis projektanta");

// Widths in the document's pixels (1/96 in): the drawings as wide as the
// text, their heights keeping their shapes.
inline int DrawingWidth() {
  return static_cast<int>((kPageWidthMm - 2 * kSideMarginMm) / 25.4 * 96);
}

// The text part: verdicts first, then everything they rest on.
QString TextSection(const Input& in);
QString StandardsSection();
QString SignatureBlock();
// The temperature (1) or the vapour-pressure (2) chart with its caption.
QString ChartSection(const Input& in, int kind);
// The moisture page's place; empty when the report has none.
QString MoistureSection(const Input& in);

}  // namespace designreport
