#include "app/Form1.h"
#include "app/ProcessMemory.h"
#include "toolkit/EventGuard.h"
#include "toolkit/MessageBox.h"

#include <QApplication>
#include <exception>
#include <memory>

int main(int argc, char *argv[])
{
    PrepareProcessMemory();
    QApplication application(argc, argv);
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
