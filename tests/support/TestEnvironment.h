#pragma once

// A program run inside temporary folders: the per-user and machine-wide settings stores, the
// program's folder (language files) and the per-user data folder; message boxes and file
// dialogs are answered by stand-ins.

#include "support/TestPresenters.h"
#include "toolkit/ProgramPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TTestEnvironment
{
public:
    TTestEnvironment()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FUser.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, FMachine.path());
        SetProgramFolderForTests(FProgram.path());
        qputenv("XDG_DATA_HOME", FData.path().toLocal8Bit());
    }
    ~TTestEnvironment() { SetProgramFolderForTests(QString()); }
    TTestEnvironment(const TTestEnvironment &) = delete;
    TTestEnvironment &operator=(const TTestEnvironment &) = delete;

    QString UserStore() const { return FUser.path() + QStringLiteral("/Marvane/Quorvel (QR code) Generator.conf"); }
    QString MachineStore() const
    {
        return FMachine.path() + QStringLiteral("/Marvane/Quorvel (QR code) Generator.conf");
    }
    QString ProgramFolderPath() const { return FProgram.path(); }
    QString PathOf(const QString &fileName) const { return FProgram.filePath(fileName); }
    QString DataFolder() const { return FData.path(); }

    static void WriteFile(const QString &fileName, const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(fileName).path());
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(content), content.size());
    }

    // A language file in the program's folder as translators write it: UTF-16 LE with a
    // byte-order mark.
    void WriteLanguageFile(const QString &language, const QString &text) const
    {
        QByteArray bytes("\xFF\xFE", 2);
        for (QChar c : text) {
            bytes.append(char(c.unicode() & 0xFF));
            bytes.append(char(c.unicode() >> 8));
        }
        WriteFile(PathOf(language + QStringLiteral(".lng")), bytes);
    }

    TRecordingMessages Messages;
    TAnsweringFileDialog Dialog;

private:
    QTemporaryDir FUser, FMachine, FProgram, FData;
};
