#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/MessageBox.h"

#include <QtTest>

class TRecordingPresenter final : public TMessagePresenter
{
public:
    TModalResult Present(const TMessageBoxRequest &request) override
    {
        Texts.append(request.Text);
        return mrOk;
    }

    QStringList Texts;
};

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
        TRecordingPresenter presenter;
        SetMessagePresenterForTests(&presenter);
        TThrowingReceiver receiver;
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        QTRY_COMPARE(receiver.Received, 2);
        SetMessagePresenterForTests(nullptr);
        QCOMPARE(presenter.Texts, QStringList({"Engine not loaded."}));
    }
};

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestApplication.moc"
