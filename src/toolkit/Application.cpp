#include "toolkit/Application.h"

#include "toolkit/EventGuard.h"

TApplication::TApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowException(std::current_exception());
        return false;
    }
}
