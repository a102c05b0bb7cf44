#include "cli/FullProgram.h"

#include "cli/CommandLine.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// The folder of the running executable, links resolved: the full program lies beside it, in
// the build folder as in an installation. Asked of the system, not of ProgramFolder(): no
// application object exists yet when the window is handed over.
std::string OwnFolder()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    const std::string self(path, size_t(length));
    const size_t slash = self.rfind('/');
    return slash == std::string::npos ? "." : self.substr(0, slash);
}

} // namespace

bool NeedsFullProgram(int argc, const char *const argv[])
{
    if (argc <= 1)
        return true;
    const TCommandLine line = ParseCommandLine(argc, argv);
    return ((line.Action == TCommandAction::Single || line.Action == TCommandAction::Batch) && line.Verify)
           || WritesPdf(line);
}

int StartFullProgram(char *argv[])
{
    const std::string program = OwnFolder() + "/" QUORVEL_FULL_PROGRAM;
    // The same first argument: the window keeps the program's name (its settings, its title).
    execv(program.c_str(), argv);
    const int error = errno;
    std::fprintf(stderr, "quorvel: cannot start \"%s\": %s\n", program.c_str(), std::strerror(error));
    return ExitFailure;
}
