// The results of one partition as the JSON batch mode prints: the figures of the
// layer window's summary, each layer's faces, and the moisture check when the
// description gives a climate. SI units as the program shows them; numbers are
// the shortest text that reads back as the same double.
#pragma once

#include <QStringList>

#include "batch/batchinput.h"
#include "batch/jsonout.h"
#include "calc/reftables.h"

namespace batch {

// Runs the calculation pass (and the moisture check) over `c.layers` and
// returns the results. The pass's notice (ti equal to te) goes to `notices`.
// Raises veltor::Error as the windows' pass would.
OutValue ComputeResults(BatchCase& c, const veltor::ReferenceTables& tables, QStringList& notices);

}  // namespace batch
