// The windows of the program, created once at start-up in a fixed order and
// alive until the end. A window whose creation handler fails (a data file it
// cannot read) is reported in the error box and start-up goes on.
#pragma once

#include <functional>

class QWidget;

// What a companion window asks of the set, knowing no other window: the
// windows it may bring forward, and the main window's check marks following
// a window it showed or hid itself.
enum class WindowId { ProjectDescription, Conditions, Layers, Wizard };
// A forward step ("Dalej", "Wstecz", a double click): a window already shown
// is raised, otherwise it is shown as the main window's action shows it, with
// that action's questions; the wizard always starts over at its first step.
// Nothing happens without a window set.
void ShowWindow(WindowId window);
// A window of the set was shown or hidden, or a chart closed: the actions'
// check marks follow.
void WindowsChanged();
// The main window, over which companions and charts are placed; null without
// a window set.
QWidget* MainWindow();

// Creates FormGlowna, FormWarstwy, FormWarunkiPoczatkowe, FormDaneProj, AboutBox,
// FormSystem1..4, FormRaportNew, FormKondensacja, FormDynamika, FormPoprawki, FormPrzegrody, FormPorownanie
// and FormDoborGrubosci, running each one's FormCreate in turn.
void CreateWindowSet();
// Destroys them (chart windows included) and resets the global pointers.
void DestroyWindowSet();

// Runs right after each window's creation handler, inside the same error
// guard, with the window just created. Tests use it to make one window's
// creation fail; empty by default.
using CreationHook = std::function<void(QWidget* window)>;
void SetCreationHook(CreationHook hook);
