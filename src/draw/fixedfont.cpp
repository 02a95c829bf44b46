#include "draw/fixedfont.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <atomic>
#include <utility>

namespace ui {

namespace {
// Fonts registered later may measure otherwise than the face that stood in.
std::atomic<int> fontsRegistered{0};
}  // namespace

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

int KeptAdvance(const QFont& font, const QString& text) {
  thread_local QHash<std::pair<QFont, QString>, int> kept;
  thread_local int keptFor = 0;
  // Numbers typed one after another would pile up without bound.
  constexpr qsizetype kMostKept = 50000;
  if (keptFor != fontsRegistered.load()) {
    kept.clear();
    keptFor = fontsRegistered.load();
  }
  std::pair<QFont, QString> key(font, text);
  if (const auto found = kept.constFind(key); found != kept.cend()) return *found;
  if (kept.size() >= kMostKept) kept.clear();
  const int advance = QFontMetrics(font).horizontalAdvance(text);
  kept.insert(std::move(key), advance);
  return advance;
}

int LoadDrawingFonts(const QString& folder) {
  // A system without these faces (Windows has none of them) would substitute
  // others: wider glyphs at the fixed positions, and PDFs without text.
  int loaded = 0;
  const QDir dir(folder);
  for (const QString& name : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name))
    loaded += QFontDatabase::addApplicationFont(dir.filePath(name)) >= 0;
  ++fontsRegistered;
  return loaded;
}

}  // namespace ui
