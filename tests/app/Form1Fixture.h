#pragma once

// What the main window's tests share: temporary settings stores, program and data folders, and
// presenters that answer message boxes and file dialogs instead of a user.

#include "app/AppSettings.h"
#include "app/Form1.h"
#include "toolkit/Dialogs.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ProgramPaths.h"
#include "toolkit/StdCtrls.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class TRecordedMessages final : public TMessagePresenter
{
public:
    TModalResult Present(const TMessageBoxRequest &request) override
    {
        Shown.append(request);
        return mrOk;
    }
    QList<TMessageBoxRequest> Shown;
};

// Answers the save dialog with a name, or cancels; remembers what the dialog showed.
class TAnsweringFileDialog final : public TFileDialogPresenter
{
public:
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
    QString Answer; // empty: the user cancels
    int Calls = 0;
    bool WasSave = false;
    QString SeenFileName, SeenFilter, SeenDefaultExt, SeenTitle, SeenInitialDir;
    TOpenOptions SeenOptions;
};

class TForm1Environment
{
public:
    TForm1Environment()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FUser.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, FMachine.path());
        SetProgramFolderForTests(FProgram.path());
        qputenv("XDG_DATA_HOME", FData.path().toLocal8Bit());
        SetMessagePresenterForTests(&Messages);
        SetFileDialogPresenterForTests(&Dialog);
    }
    ~TForm1Environment()
    {
        SetMessagePresenterForTests(nullptr);
        SetFileDialogPresenterForTests(nullptr);
        SetProgramFolderForTests(QString());
    }
    TForm1Environment(const TForm1Environment &) = delete;
    TForm1Environment &operator=(const TForm1Environment &) = delete;

    QString UserStore() const { return FUser.path() + QStringLiteral("/Marvane/Quorvel (QR code) Generator.conf"); }
    QString MachineStore() const
    {
        return FMachine.path() + QStringLiteral("/Marvane/Quorvel (QR code) Generator.conf");
    }
    QString ProgramFolderPath() const { return FProgram.path(); }
    QString DataFolder() const { return FData.path(); }

    static void WriteFile(const QString &fileName, const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(fileName).path());
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    // A language file as translators write it: UTF-16 LE with a byte-order mark.
    void WriteLanguageFile(const QString &language, const QString &text) const
    {
        QByteArray bytes("\xFF\xFE", 2);
        for (QChar c : text) {
            bytes.append(char(c.unicode() & 0xFF));
            bytes.append(char(c.unicode() >> 8));
        }
        WriteFile(FProgram.path() + QLatin1Char('/') + language + QStringLiteral(".lng"), bytes);
    }

    TRecordedMessages Messages;
    TAnsweringFileDialog Dialog;

private:
    QTemporaryDir FUser, FMachine, FProgram, FData;
};

// Picks a list entry as the user does: selection plus the change event.
inline void PickItem(QComboBox *box, const QString &text)
{
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
}

// Replaces an edit's text by typing, one keystroke after another.
inline void TypeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}
