#pragma once

#include <QApplication>

// The program's application object. Besides the guard around every handler it catches whatever
// would still escape an event's delivery and shows it with the top-level error display, so that
// no exception ever unwinds through Qt's event loop.
class TApplication final : public QApplication
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TApplication)

public:
    TApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
