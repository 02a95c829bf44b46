// The program's start-up, kept out of main() so that it can be tested.
#pragma once

#include <QString>
#include <QStringList>

// The application's title, used by the error box.
inline constexpr char kApplicationTitle[] = "VELTORobl";

// Loads the reference tables (a failure shows the error box and ends the program
// without a window), plays the splash, creates the window set and runs the loop.
int RunProgram(int argc, char* argv[]);

// The first argument that is not an option, as an absolute path (a project to
// open after start-up); empty when there is none.
QString TakeProjectArgument(const QStringList& arguments);

// Qt's own texts (message box buttons, file and print dialogs) in Polish. False
// when the translation is not installed; Qt's English texts remain then.
bool InstallQtTranslations();

// Everything RunProgram does between creating the application and running its
// loop: the reference tables, the splash, the window set, the main window
// shown. False (after the error box) when the reference tables did not load;
// then no window exists.
bool StartUp();
