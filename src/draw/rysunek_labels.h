// The numbers a chart writes in pairs of rows beside a drawing: the running
// totals under the bands, the layer numbers over them, the face temperatures
// above those. Each text goes into the row the layout gives it; where it would
// touch a text already there it moves to the other row, and where both are
// taken it is left out (the report's table keeps every value). Texts that must
// be read whatever the crowding (the first and the last total) are placed
// before all others, so that they always find a row.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <vector>

namespace chart {

// A text the drawing wrote and the box it covers, reported so that what was
// written where can be checked without reading pixels.
struct DrawnLabel {
  QString text;
  QRect box;
};

struct LabelRequest {
  QString text;
  int x = 0;    // left edge of the text
  int row = 0;  // 0 the first row, 1 the second
  bool always = false;
};

// Free columns kept between two texts, so that "0,1" and "0,43" never read as one.
inline constexpr int kLabelGap = 4;

// The box of every request, in the order given; an empty box for a text left
// out. Row 0's boxes start at `firstRowTop`, row 1's `rowStep` lower (a
// negative step stacks the second row above the first).
std::vector<QRect> PlaceLabels(const std::vector<LabelRequest>& requests, int firstRowTop, int rowStep,
                               const QFont& font);

}  // namespace chart
