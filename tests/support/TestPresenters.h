#pragma once

// Stand-ins for the user in front of message boxes and file dialogs. Each one answers in place of
// the real box or dialog for as long as it lives.

#include "toolkit/Dialogs.h"
#include "toolkit/MessageBox.h"

#include <QList>
#include <QString>
#include <QStringList>

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
