#include "draw/rysunek_labels.h"

#include <QFontMetrics>
#include <algorithm>

#include "draw/fixedfont.h"

namespace chart {

std::vector<QRect> PlaceLabels(const std::vector<LabelRequest>& requests, int firstRowTop, int rowStep,
                               const QFont& font) {
  const int height = QFontMetrics(font).height();
  std::vector<QRect> boxes(requests.size());
  std::vector<QRect> taken;
  const auto free = [&taken](const QRect& box) {
    const QRect spaced = box.adjusted(-kLabelGap, 0, kLabelGap, 0);
    return std::none_of(taken.begin(), taken.end(),
                        [&spaced](const QRect& t) { return t.intersects(spaced); });
  };
  const auto place = [&](size_t k) {
    const LabelRequest& r = requests[k];
    const QSize size(ui::KeptAdvance(font, r.text), height);
    for (const int row : {r.row, 1 - r.row}) {
      const QRect box(QPoint(r.x, firstRowTop + row * rowStep), size);
      if (free(box)) {
        boxes[k] = box;
        taken.push_back(box);
        return;
      }
    }
  };
  for (size_t k = 0; k < requests.size(); ++k)
    if (requests[k].always) place(k);
  for (size_t k = 0; k < requests.size(); ++k)
    if (!requests[k].always) place(k);
  return boxes;
}

}  // namespace chart
