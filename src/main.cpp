#include "app/Form1.h"
#include "app/ProcessMemory.h"
#include "toolkit/Application.h"
#include "toolkit/EventGuard.h"
#include "toolkit/MessageBox.h"

#include <exception>
#include <memory>

int main(int argc, char *argv[])
{
    PrepareProcessMemory();
    // Shows what would otherwise escape an event's delivery instead of ending the program.
    TApplication application(argc, argv);
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
