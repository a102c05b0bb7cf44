#pragma once

// The command-line mode: writes one symbol or a batch without opening a window, and answers the
// process's exit code (ExitSuccess, ExitFailure, ExitUsage). Creates its own application object
// without a display.
int RunCommandLine(int argc, char *argv[]);
