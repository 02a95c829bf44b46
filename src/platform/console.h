// Batch mode's standard streams on Windows: the program is a windowed program
// there, so that a double-click opens no console; run from a console, it
// writes to the console it was started from, and its output is the same bytes
// as on other systems.
#pragma once

namespace ui {

// Connects standard output and error to the parent's console when they lead
// nowhere (started from a console without redirection), and puts standard
// output in binary mode so that JSON lines end in "\n" as everywhere else.
// Elsewhere it does nothing.
void PrepareBatchStreams();

}  // namespace ui
