#pragma once

// What the settings dialog's tests share: a main window built in temporary settings stores and a
// temporary program folder, language files written there, and a recorder for message boxes.

#include "app/AppSettings.h"
#include "app/Form1.h"
#include "lang/LangFile.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ProgramPaths.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class TMessageRecorder final : public TMessagePresenter
{
public:
    TModalResult Present(const TMessageBoxRequest &request) override
    {
        Texts.append(request.Text);
        return mrOk;
    }
    QStringList Texts;
};

class TSettingsEnvironment
{
public:
    TSettingsEnvironment()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FUser.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, FMachine.path());
        qputenv("XDG_DATA_HOME", FData.path().toLocal8Bit());
        SetProgramFolderForTests(FProgram.path());
        SetMessagePresenterForTests(&Messages);
    }
    ~TSettingsEnvironment()
    {
        Main.reset();
        SetMessagePresenterForTests(nullptr);
        SetProgramFolderForTests(QString());
    }
    TSettingsEnvironment(const TSettingsEnvironment &) = delete;
    TSettingsEnvironment &operator=(const TSettingsEnvironment &) = delete;

    QString Folder() const { return FProgram.path(); }
    QString PathOf(const QString &fileName) const { return FProgram.filePath(fileName); }

    // A language file in the program's folder, UTF-16 LE with a byte-order mark and CR LF.
    void WriteLanguage(const QString &language, const QStringList &lines) const
    {
        WriteLanguageBytes(PathOf(language + QStringLiteral(".lng")), EncodeLines(lines));
    }

    // The main window as the program creates it, with the language it is to start from.
    TForm1 *CreateMain(const QString &language)
    {
        Main.reset(CreateForm1());
        AppSettings.Language = language;
        return Main.get();
    }

    TMessageRecorder Messages;
    std::unique_ptr<TForm1> Main;

private:
    QTemporaryDir FUser, FMachine, FData, FProgram;
};
