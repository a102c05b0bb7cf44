#pragma once

#include "batch/BatchHost.h"
#include "toolkit/Dialogs.h"
#include "toolkit/MessageBox.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <functional>

// Stand-ins for the user in front of the batch window's message boxes and file dialog.

// Records every message box and answers questions with a chosen result.
class TRecordingMessages final : public TMessagePresenter
{
public:
    TRecordingMessages() { SetMessagePresenterForTests(this); }
    ~TRecordingMessages() override { SetMessagePresenterForTests(nullptr); }

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

// Answers the open dialog with a chosen file (or a cancel) and records what it was shown.
class TChoosingFileDialog final : public TFileDialogPresenter
{
public:
    TChoosingFileDialog() { SetFileDialogPresenterForTests(this); }
    ~TChoosingFileDialog() override { SetFileDialogPresenterForTests(nullptr); }

    bool Present(const TOpenDialog &dialog, bool save, QString &fileName, int &filterIndex) override
    {
        ++Calls;
        SeenFilter = dialog.Filter();
        SeenDefaultExt = dialog.DefaultExt();
        SeenSave = save;
        if (Choice.isEmpty())
            return false;
        fileName = Choice;
        filterIndex = 1;
        return true;
    }

    QString Choice; // empty: the user cancels
    int Calls = 0;
    QString SeenFilter;
    QString SeenDefaultExt;
    bool SeenSave = false;
};

// The batch window's opener when no main window is there: it keeps the output folder, translates
// nothing and offers no format, so that a run stops before writing.
class TFolderKeepingHost final : public TBatchHost
{
public:
    QString TranslateMessage(const QString &message) const override { return message; }
    TImageList *ButtonImages() const override { return nullptr; }
    QString OutputFolder() const override { return Folder; }
    void SetOutputFolder(const QString &folder) override { Folder = folder; }
    QString SaveExtension() const override { return QString(); }
    TBarcode *Barcode() const override { return nullptr; }
    void SaveBarcode(const QString &) override {}

    QString Folder;
};

inline bool WriteBytes(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
