// Batch mode: the program's calculation from a command line, without a window
// and without a display. The options have Polish names and English aliases;
// the exit status is 0 on success, 1 when an input is refused (a Polish message
// on standard error naming the file and the field) and 2 for a wrong command
// line.
#pragma once

#include <QStringList>

class QIODevice;

namespace batch {

inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// Whether the arguments ask for batch mode (any of its options); a project
// path alone still opens the program's windows.
bool IsBatchCommandLine(int argc, char* argv[]);

// Creates its own application object on the offscreen platform and runs the
// command line; data files are read from the program's own folder.
int RunBatch(int argc, char* argv[]);

// The same on an application object that exists already (for tests): `arguments`
// as QCoreApplication::arguments() gives them, the program's name first. Output
// goes to `out` and `err`.
int RunBatchCommand(const QStringList& arguments, QByteArray& out, QByteArray& err);
// The same with the results streamed to `out` as each partition is computed,
// and relative paths taken from `startFolder`. A write to `out` that fails
// ends the run with kExitRefused.
int RunBatchCommand(const QStringList& arguments, QIODevice& out, QByteArray& err,
                    const QString& startFolder);

}  // namespace batch
