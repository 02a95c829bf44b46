// Batch mode's output on Windows: the program is a windowed program there, so
// that a double-click opens no console; run from a console, it writes to the
// console it was started from.
#pragma once

namespace ui {

// Connects standard output and error to the parent's console when they lead
// nowhere (Windows, started from a console without redirection); elsewhere
// it does nothing.
void AttachParentConsole();

}  // namespace ui
