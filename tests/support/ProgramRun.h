#pragma once

// Runs the program binary as a script runs it: in a given folder, without any display (a command
// line that needed one would fail), and answers its exit code and its two outputs.

#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QStringList>

struct TProgramRun
{
    int ExitCode = -1; // -1: it did not end normally within two minutes
    QString Out;
    QString Err;
};

inline QString ProgramPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/quorvel");
}

// `program` and `arguments` as QProcess takes them; the standard output goes to `stdoutFile`
// when one is named, the standard input comes from `stdinFile` when one is named.
inline TProgramRun RunProgram(const QString &program, const QStringList &arguments, const QString &folder,
                              const QString &stdoutFile = QString(), const QString &stdinFile = QString())
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QLatin1String(name));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    if (!stdoutFile.isEmpty())
        process.setStandardOutputFile(stdoutFile);
    if (!stdinFile.isEmpty())
        process.setStandardInputFile(stdinFile);
    process.start(program, arguments);
    TProgramRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.ExitCode = process.exitCode();
    run.Out = QString::fromUtf8(process.readAllStandardOutput());
    run.Err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
