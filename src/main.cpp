// VELTORobl: load the reference tables, play the splash, create the window set
// and run the event loop.
#include "forms/startup.h"

int main(int argc, char* argv[]) { return RunProgram(argc, argv); }
