// What the program keeps besides its windows: the design conditions (written
// only by the conditions window and by opening a project), the reference
// tables loaded at start-up, and the way every window reads the current
// partition's figures from the model and opens its help page.
#pragma once

#include <QString>

#include "calc/calculation.h"

class Project;

// All zero until the conditions window commits its controls for the first time.
extern veltor::DesignConditions gDesignConditions;
extern veltor::ReferenceTables gReferenceTables;

// Told when the wizard is started, or reaches its last step, while Umax is 0.
inline const QString kUmaxMissing = QStringLiteral("Należy zdefiniować wartość Umax");

// Loads both reference tables from the working directory; raises on failure.
void LoadReferenceTables();

// The current partition's figures, computed by the model once per change
// (Building::results): a reference into the model's results, valid until the
// next change. The pass's notice (equal temperatures) is told in an error box
// with OK when `tell`, and a partition that cannot be computed raises the
// pass's error. The windows call this; none runs a pass of its own over the
// project. A project whose building was given no reference tables (a window
// made on its own, outside the program's window set) gets the pass with the
// program's conditions and tables at every call (Building::resultsOver).
const veltor::PartitionSummary& CurrentSummary(Project& project, bool tell = true);

// The thickness the current partition's layer `row` needs for Uc ≤ Umax
// under the program's conditions, whose Umax the layer window shows
// (veltor::RequiredLayerThickness over a copy: the table is left as it is).
double RequiredThickness(Project& project, int row);

// The calculation pass over a table that is not a partition of the building
// (the wizard's): the program's conditions and tables, the notice told as above.
void RunCalculationPass(veltor::LayerTable& table, veltor::PartitionSummary& summary, bool tell = true);

// The working directory recorded when the main window was created, no trailing "/".
QString StartFolder();
void SetStartFolder(const QString& folder);

// Where the project dialogs start: the user's documents folder (the home folder
// when there is none), never the program's own, possibly read-only, folder.
QString ProjectsFolder();

// Shows start folder + "/Pomoc/" + page in the help window.
void OpenHelpPage(const QString& page);
