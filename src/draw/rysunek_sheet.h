// The sheets the charts are drawn on (wykres1.bmp, wykres2.bmp): drawn by code
// at the sheet's pixel positions onto any painter.
#pragma once

#include <QSize>

class QPainter;

namespace chart {

// The sheet of chart `kind` (1 temperature, 2 vapour pressure).
QSize SheetSize(int kind);

// Paints the sheet of `kind` at its pixel positions, white ground included.
// False when a drawing's legend runs into the rows the chart writes in.
bool PaintSheet(QPainter& painter, int kind);

}  // namespace chart
