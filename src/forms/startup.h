// The program's start-up, kept out of main() so that it can be tested.
#pragma once

// Loads the reference tables (a failure shows the error box and ends the program
// without a window), plays the splash, creates the window set and runs the loop.
int RunProgram(int argc, char* argv[]);
