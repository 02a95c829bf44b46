// The one font of the charts and the report. They place their texts at fixed
// pixel positions on their pictures, so the font is a fixed face at a pixel
// size, never the desktop's font, whose size would move every text.
#pragma once

#include <QFont>
#include <QString>

namespace ui {

QFont DrawingFont(int pixelSize, bool bold = false);

// QFontMetrics(font).horizontalAdvance(text), kept per thread: the charts and
// the report measure the same numbers on every drawing, and each measuring
// shapes the text anew.
int KeptAdvance(const QFont& font, const QString& text);

// Registers the font files of the folder (the program's Czcionki) with the
// application; returns how many were loaded. Needs a Gui application.
int LoadDrawingFonts(const QString& folder);

}  // namespace ui
