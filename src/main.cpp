// VELTORobl: with a batch option, the calculation from the command line without
// a window; otherwise load the reference tables, play the splash, create the
// window set and run the event loop.
#include "batch/batch.h"
#include "forms/startup.h"
#include "platform/console.h"

int main(int argc, char* argv[]) {
  if (batch::IsBatchCommandLine(argc, argv)) {
    ui::PrepareBatchStreams();
    return batch::RunBatch(argc, argv);
  }
  return RunProgram(argc, argv);
}
