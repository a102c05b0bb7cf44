#pragma once

#include "cli/CommandLineVerify.h"

// The command-line mode: writes one symbol or a batch without opening a window, and answers the
// process's exit code (ExitSuccess, ExitFailure, ExitUsage). Creates its own application object
// without a display. `readBack` reads written files back for --verify; a program built without
// the reader passes none and hands such command lines to the full program (FullProgram.h).
int RunCommandLine(int argc, char *argv[], TReadBackWritten readBack);
