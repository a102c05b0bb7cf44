#pragma once

// The command-line program loads Qt Core and the engine alone, so that a script calling it once
// per label does not pay for the windowing libraries. What needs them - the window, and command
// lines that read written pictures back (--verify) or draw PDF pages - is the full program's,
// installed beside it.

// True when this command line (the process's own arguments) is the full program's.
bool NeedsFullProgram(int argc, const char *const argv[]);

// Replaces this process by the full program with the same arguments. Returns only when that
// cannot start, having said why on the error output, with the exit code to end with.
int StartFullProgram(char *argv[]);
