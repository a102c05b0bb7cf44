#include "cli/CommandLineRun.h"
#include "cli/FullProgram.h"

// The program as scripts and the desktop start it: any argument asks for the command-line
// mode, which never opens a window; the window is the full program's.
int main(int argc, char *argv[])
{
    if (!NeedsFullProgram(argc, argv))
        return RunCommandLine(argc, argv, nullptr);
    return StartFullProgram(argv);
}
