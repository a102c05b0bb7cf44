#pragma once

// Stand-ins for the user in front of message boxes and file dialogs. Each one answers in place of
// the real box or dialog for as long as it lives.

#include "toolkit/Dialogs.h"
#include "toolkit/MessageBox.h"

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

// Records every message box and answers a Yes/No question with `Answer`.
class TRecordingMessages final : public TMessagePresenter
{
public:
    TRecordingMessages() { SetMessagePresenterForTests(this); }
    ~TRecordingMessages() override { SetMessagePresenterForTests(nullptr); }
    TRecordingMessages(const TRecordingMessages &) = delete;
    TRecordingMessages &operator=(const TRecordingMessages &) = delete;

    TModalResult Present(const TMessageBoxRequest &request) override
    {
        Requests.append(request);
        return request.Buttons == mbYesNo ? Answer : mrOk;
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (const TMessageBoxRequest &request : Requests)
            texts.append(request.Text);
        return texts;
    }

    QList<TMessageBoxRequest> Requests;
    TModalResult Answer = mrYes;
};

// Answers open and save dialogs with `Answer` (empty: the user cancels) and records what the
// dialog showed.
class TAnsweringFileDialog final : public TFileDialogPresenter
{
public:
    TAnsweringFileDialog() { SetFileDialogPresenterForTests(this); }
    ~TAnsweringFileDialog() override { SetFileDialogPresenterForTests(nullptr); }
    TAnsweringFileDialog(const TAnsweringFileDialog &) = delete;
    TAnsweringFileDialog &operator=(const TAnsweringFileDialog &) = delete;

    bool Present(const TOpenDialog &dialog, bool save, QString &fileName, int &filterIndex) override
    {
        ++Calls;
        WasSave = save;
        SeenFileName = dialog.FileName();
        SeenFilter = dialog.Filter();
        SeenDefaultExt = dialog.DefaultExt();
        SeenTitle = dialog.Title();
        SeenOptions = dialog.Options();
        SeenInitialDir = dialog.InitialDir();
        if (Answer.isEmpty())
            return false;
        fileName = Answer;
        filterIndex = 1;
        return true;
    }

    QString Answer;
    int Calls = 0;
    bool WasSave = false;
    QString SeenFileName, SeenFilter, SeenDefaultExt, SeenTitle, SeenInitialDir;
    TOpenOptions SeenOptions;
};

// Presses `key` on the next real message box that opens (none of the stand-ins above may be
// alive), as a hurried user would; its text goes to `seenText`.
inline void PressKeyOnNextMessageBox(Qt::Key key, QString *seenText)
{
    auto press = std::make_shared<std::function<void()>>();
    *press = [key, seenText, press] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr) {
            QTimer::singleShot(10, *press);
            return;
        }
        *seenText = box->text();
        QTest::keyClick(box, key);
        *press = nullptr; // ends the cycle of the function holding itself
    };
    QTimer::singleShot(0, *press);
}
