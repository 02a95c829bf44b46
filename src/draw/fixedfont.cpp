#include "draw/fixedfont.h"

#include <QFontMetrics>
#include <QHash>
#include <utility>

namespace ui {

QFont DrawingFont(int pixelSize, bool bold) {
  // Installed with the program's dependencies (fonts-dejavu-core).
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setStyleHint(QFont::SansSerif);
  // Hinting differs between desktops and would move glyphs by a pixel.
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  return font;
}

int KeptAdvance(const QFont& font, const QString& text) {
  thread_local QHash<std::pair<QFont, QString>, int> kept;
  // Numbers typed one after another would pile up without bound.
  constexpr qsizetype kMostKept = 50000;
  std::pair<QFont, QString> key(font, text);
  if (const auto found = kept.constFind(key); found != kept.cend()) return *found;
  if (kept.size() >= kMostKept) kept.clear();
  const int advance = QFontMetrics(font).horizontalAdvance(text);
  kept.insert(std::move(key), advance);
  return advance;
}

}  // namespace ui
