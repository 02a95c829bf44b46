// The windows of the program, created once at start-up in a fixed order and
// alive until the end. A window whose creation handler fails (a data file it
// cannot read) is reported in the error box and start-up goes on.
#pragma once

#include <functional>

class QWidget;

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
