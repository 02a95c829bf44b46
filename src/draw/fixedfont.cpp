#include "draw/fixedfont.h"

#include <QDir>
#include <QFontDatabase>

namespace ui {

QFont DrawingFont(int pixelSize, bool bold) {
  // Shipped beside the program (Czcionki) and installed with its dependencies.
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setStyleHint(QFont::SansSerif);
  // Hinting differs between desktops and would move glyphs by a pixel.
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  return font;
}

int LoadDrawingFonts(const QString& folder) {
  // A system without these faces (Windows has none of them) would substitute
  // others: wider glyphs at the fixed positions, and PDFs without text.
  int loaded = 0;
  const QDir dir(folder);
  for (const QString& name : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name))
    loaded += QFontDatabase::addApplicationFont(dir.filePath(name)) >= 0;
  return loaded;
}

}  // namespace ui
