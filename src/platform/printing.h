// The program's one printer: the printer set-up dialog configures it, and the
// chart and report windows print on it, so the user's choices are kept for the
// whole run.
#pragma once

class QPrinter;

namespace ui {
QPrinter& SharedPrinter();
}  // namespace ui
