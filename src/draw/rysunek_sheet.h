// The sheets the charts are drawn on (wykres1.bmp, wykres2.bmp): drawn by code
// at the sheet's pixel positions onto any painter.
#pragma once

#include <QSize>

#include "draw/rysunek_layout.h"

class QPainter;
class QRect;

namespace chart {

// The sheet of chart `kind` (1 temperature, 2 vapour pressure).
QSize SheetSize(int kind);

// Paints the sheet of `kind` at its pixel positions, white ground included.
// False when a drawing's legend runs into the rows the chart writes in.
bool PaintSheet(QPainter& painter, int kind);

// The grid lines of the drawing at `rows` again, within `area` only: a vector
// page paints them over a band's hatch, where a picture's AND lets them show.
void PaintSheetGrid(QPainter& painter, const DrawingRows& rows, const QRect& area);

}  // namespace chart
