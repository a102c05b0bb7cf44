#include "app/Form1.h"
#include "app/ProcessMemory.h"
#include "cli/CommandLineRun.h"
#include "cli/CommandLineVerify.h"
#include "toolkit/Application.h"
#include "toolkit/EventGuard.h"
#include "toolkit/MessageBox.h"

#include <QIcon>
#include <exception>
#include <memory>

// The full program: the window, and every command line (quorvel hands it those that read written
// files back).
int main(int argc, char *argv[])
{
    // Any argument asks for the command-line mode, which never opens a window.
    if (argc > 1)
        return RunCommandLine(argc, argv, ReadBackWritten);

    PrepareProcessMemory();
    // Shows what would otherwise escape an event's delivery instead of ending the program.
    TApplication application(argc, argv);
    // The desktop entry and the icon of an installed program go with its windows.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(QUORVEL_APP_ID)));
    try {
        SetApplicationTitle(QStringLiteral("Quorvel (QR code) Generator"));
        // An error in the main window's construction ends the program after it was shown.
        std::unique_ptr<TForm1> mainWindow(CreateForm1());
        mainWindow->Show();
        application.exec();
    } catch (...) {
        ShowException(std::current_exception());
    }
    return 0;
}
