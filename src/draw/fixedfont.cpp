#include "draw/fixedfont.h"

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

}  // namespace ui
