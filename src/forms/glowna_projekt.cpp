// Save and Open of the project file, run by the main window's actions.
#include "forms/glowna.h"

void TFormGlowna::ActionZapiszExecute() {}
void TFormGlowna::ActionOtworzExecute() {}
