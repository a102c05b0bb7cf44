// How the command line's writes end when the system refuses them: a file-size limit, a full
// standard output, a pipe as the target, a run killed halfway. The real program binary, run
// through the shell as a script would run it.
#include "support/FileBytes.h"
#include "support/ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <sys/stat.h>
#include <thread>
#include <utime.h>

namespace {

using TRun = TProgramRun;

QString Quoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return u'\'' + quoted + u'\'';
}

} // namespace

class TestCommandLineWrites : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> FDir;

    static QString Program() { return ProgramPath(); }

    // Runs `shellPrefix` and then the program with `arguments` in one shell, in the test's folder.
    TRun Run(const QString &shellPrefix, const QStringList &arguments, const QString &stdoutFile = QString()) const
    {
        QString command = shellPrefix + QStringLiteral(" exec ") + Quoted(Program());
        for (const QString &argument : arguments)
            command += u' ' + Quoted(argument);
        return RunProgram(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command}, FDir->path(), stdoutFile);
    }

    QString PathOf(const QString &name) const { return FDir->filePath(name); }

    QStringList WorkFiles(const QString &folder) const
    {
        return QDir(folder).entryList({QStringLiteral(".quorvel-*")}, QDir::Files | QDir::Hidden);
    }

    void WriteLines(const QString &name, int count, const QString &pattern) const
    {
        QFile file(PathOf(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < count; ++i)
            file.write(pattern.arg(i).toUtf8() + '\n');
    }

private slots:
    void init()
    {
        FDir = std::make_unique<QTemporaryDir>();
        QVERIFY(FDir->isValid());
    }

    // Under a file-size limit (its signal ignored, so that the writes fail instead) nothing is
    // reported written that was cut short, and the earlier file stays as it was.
    void FileSizeLimit()
    {
        const QString limited = QStringLiteral("ulimit -f 8; trap '' XFSZ;");
        QVERIFY(Run(QString(), {"-d", "early", "-o", "big.bmp"}).ExitCode == 0);
        const QByteArray early = ReadBytes(PathOf("big.bmp"));
        const TRun single = Run(limited, {"-d", QString(2000, u'A'), "-s", "4", "-o", "big.bmp"});
        QCOMPARE(single.ExitCode, 1);
        QVERIFY2(single.Err.contains(qt_error_string(EFBIG)), qPrintable(single.Err));
        QCOMPARE(ReadBytes(PathOf("big.bmp")), early);

        WriteLines(QStringLiteral("list.txt"), 5, QStringLiteral("%1") + QString(1500, u'Q'));
        QVERIFY(QDir(FDir->path()).mkdir(QStringLiteral("out")));
        const TRun batch = Run(limited, {"--batch", "list.txt", "--folder", "out", "--format", "svg", "-s", "4"});
        QCOMPARE(batch.ExitCode, 1);
        QVERIFY2(batch.Out.startsWith(QStringLiteral("0 of 5 files written, 5 failed.")), qPrintable(batch.Out));
        QCOMPARE(QDir(PathOf("out")).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // The listings report an output that takes nothing; a symbol written into a named pipe or
    // through a link to the standard output is a success.
    void StandardOutputAndPipes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("help") << QStringList{"--help"};
        QTest::newRow("list") << QStringList{"--list"};
        QTest::newRow("version") << QStringList{"--version"};
    }
    void StandardOutputAndPipes()
    {
        QFETCH(QStringList, arguments);
        const TRun full = Run(QString(), arguments, QStringLiteral("/dev/full"));
        QCOMPARE(full.ExitCode, 1);
        QVERIFY2(full.Err.contains(qt_error_string(ENOSPC)), qPrintable(full.Err));
        QCOMPARE(Run(QString(), arguments, PathOf("listing.txt")).ExitCode, 0);
        QVERIFY(!ReadBytes(PathOf("listing.txt")).isEmpty());
    }

    void SymbolIntoAPipeOrTheStandardOutput()
    {
        QCOMPARE(Run(QString(), {"-d", "pipe", "-o", "plain.svg"}).ExitCode, 0);
        const QByteArray expected = ReadBytes(PathOf("plain.svg"));
        QVERIFY(QFile::link(QStringLiteral("/dev/stdout"), PathOf("out.svg")));
        QCOMPARE(Run(QString(), {"-d", "pipe", "-o", "out.svg"}, PathOf("captured.txt")).ExitCode, 0);
        QCOMPARE(ReadBytes(PathOf("captured.txt")), expected);
        QVERIFY(QFileInfo(PathOf("out.svg")).isSymLink());

        QCOMPARE(::mkfifo(QFile::encodeName(PathOf("pipe.svg")).constData(), 0600), 0);
        QByteArray piped;
        std::thread reader([&] { piped = ReadBytes(PathOf("pipe.svg")); });
        const TRun run = Run(QString(), {"-d", "pipe", "-o", "pipe.svg"});
        reader.join();
        QCOMPARE(run.ExitCode, 0);
        QCOMPARE(piped, expected);
    }

    // A batch killed at any moment leaves only whole files under their names; the work files
    // it left are removed by a later run once they are a minute old.
    void KilledBatchLeavesWholeFiles()
    {
        WriteLines(QStringLiteral("list.txt"), 3000, QStringLiteral("SERIAL-%1"));
        QVERIFY(QDir(FDir->path()).mkdir(QStringLiteral("out")));
        QProcess process;
        process.setWorkingDirectory(FDir->path());
        process.start(Program(), {"--batch", "list.txt", "--folder", "out", "--format", "svg", "-s", "3"});
        QVERIFY(process.waitForStarted());
        // Wait until files appear, then kill it in the middle of its work.
        QElapsedTimer timer;
        timer.start();
        while (QDir(PathOf("out")).entryList(QDir::Files).size() < 50 && timer.elapsed() < 60000)
            QThread::msleep(2);
        const qint64 pid = process.processId();
        ::kill(pid_t(pid), SIGKILL);
        QVERIFY(process.waitForFinished());
        const QStringList written = QDir(PathOf("out")).entryList(QDir::Files);
        QVERIFY(written.size() >= 50);
        QVERIFY2(written.size() < 3000, "the run ended before it was killed");
        for (const QString &name : written) {
            const QByteArray bytes = ReadBytes(PathOf("out/" + name));
            QVERIFY2(bytes.startsWith("<?xml") && bytes.trimmed().endsWith("</svg>"), qPrintable(name));
        }

        // A stray work file (one may or may not be left by the kill) ages past a minute.
        const QString stray = PathOf("out/.quorvel-" + QString::number(pid) + "-abcd1234.svg");
        QFile file(stray);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<?xml cut");
        file.close();
        const std::time_t old = std::time(nullptr) - 120;
        for (const QString &name : WorkFiles(PathOf("out"))) {
            const struct utimbuf times{old, old};
            QCOMPARE(::utime(QFile::encodeName(PathOf("out/" + name)).constData(), &times), 0);
        }
        WriteLines(QStringLiteral("one.txt"), 1, QStringLiteral("LATER-%1"));
        QCOMPARE(Run(QString(), {"--batch", "one.txt", "--folder", "out", "--format", "svg"}).ExitCode, 0);
        QCOMPARE(WorkFiles(PathOf("out")), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestCommandLineWrites)
#include "TestCommandLineWrites.moc"
