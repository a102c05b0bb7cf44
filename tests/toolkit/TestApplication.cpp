#include "support/TestPresenters.h"
#include "toolkit/Application.h"
#include "toolkit/Exception.h"

#include <QtTest>

// Throws from its event handler for the first event it receives.
class TThrowingReceiver final : public QObject
{
public:
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++Received;
        if (Received == 1)
            throw Exception("Engine not loaded");
        return true;
    }

    int Received = 0;
};

class TestApplication final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void EscapingErrorIsShownAndDeliveryGoesOn()
    {
        TRecordingMessages presenter;
        TThrowingReceiver receiver;
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        QTRY_COMPARE(receiver.Received, 2);
        QCOMPARE(presenter.Texts(), QStringList({"Engine not loaded."}));
    }
};

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestApplication.moc"
