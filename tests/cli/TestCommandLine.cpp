// The program's command line, run as a user's script runs it: the real program binary, without a
// display, its exit code, its messages and the files it writes.
#include "support/ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sched.h>

namespace {

using TRun = TProgramRun;

// What each format's file starts with.
QString SignatureOf(const QString &extension)
{
    static const QHash<QString, QString> signatures = {
        {"bmp", "^BM"}, {"gif", "^GIF8[79]a"}, {"eps", "^%!PS-Adobe"}, {"svg", "^<\\?xml"},
        {"png", "^\\x{89}PNG"}, {"tif", "^(II\\*\\x{0}|MM\\x{0}\\*)"}, {"pcx", "^\\x{0a}"},
        {"emf", "^.{40} EMF"}, {"pdf", "^%PDF-1\\.[0-9]"}, {"txt", "^[0-9A-F]{2}( [0-9A-F]{2})*\\n"},
    };
    return signatures.value(extension);
}

bool HasSignature(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString head = QString::fromLatin1(file.read(64));
    const QRegularExpression signature(SignatureOf(QFileInfo(path).suffix()),
                                       QRegularExpression::DotMatchesEverythingOption);
    return signature.isValid() && signature.match(head).hasMatch();
}

// What the engine itself says about a case: its own command-line tool run with the same input
// (first line of its error output). A row's expected error "engine: A|B|C" (the tool's
// arguments) stands for that, so
// that no engine version's wording is copied here. Empty when the tool is not installed.
QString EngineSays(const QString &expected)
{
    const QString prefix = QStringLiteral("engine: ");
    if (!expected.startsWith(prefix))
        return expected;
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("zint"));
    if (tool.isEmpty())
        return QString();
    QTemporaryDir dir;
    const TProgramRun run = RunProgram(tool, expected.mid(prefix.size()).split(u'|'), dir.path());
    return run.Err.section(u'\n', 0, 0).trimmed();
}

// The first processor this test may run on, for taskset: a run held to it has one worker.
QString FirstProcessor()
{
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof allowed, &allowed) == 0)
        for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
            if (CPU_ISSET(cpu, &allowed))
                return QString::number(cpu);
    return QStringLiteral("0");
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> FDir;

    // Runs the program in the temporary folder.
    TRun Run(const QStringList &arguments) const { return RunProgram(ProgramPath(), arguments, FDir->path()); }
    QString PathOf(const QString &name) const { return FDir->filePath(name); }
    void Write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(PathOf(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void init()
    {
        FDir = std::make_unique<QTemporaryDir>();
        QVERIFY(FDir->isValid());
    }

    void commandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");  // part of the standard output
        QTest::addColumn<QString>("err");  // part of the error output; empty: none at all
        QTest::addColumn<QString>("file"); // the file written; empty: nothing is written

        QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: quorvel" << "" << "";
        QTest::newRow("help, short") << QStringList{"-h"} << 0 << "--batch FILE" << "" << "";
        QTest::newRow("version") << QStringList{"--version"} << 0
                                 << "Quorvel (QR code) Generator " QUORVEL_VERSION_TEXT "\nEngine: libzint" << "" << "";
        QTest::newRow("list") << QStringList{"--list"} << 0 << "\nQRCode\tQR Code\n" << "" << "";
        for (const char *extension : {"bmp", "emf", "eps", "gif", "pcx", "pdf", "png", "svg", "tif", "txt"})
            QTest::newRow(extension) << QStringList{"-d", "Quorvel", "-o", QStringLiteral("symbol.") + extension}
                                     << 0 << "" << "" << QStringLiteral("symbol.") + extension;
        QTest::newRow("extension in capitals") << QStringList{"--data=1", "--output=UPPER.SVG"} << 0 << "" << "" << "UPPER.SVG";
        QTest::newRow("short name") << QStringList{"-b", "DataMatrix", "-d", "x", "-o", "dm.svg"} << 0 << "" << "" << "dm.svg";
        QTest::newRow("list name, any case") << QStringList{"-b", "code 128", "-d", "A-1", "-o", "c.gif"} << 0 << "" << "" << "c.gif";
        QTest::newRow("composite with primary")
            << QStringList{"-b", "EAN Composite", "-p", "331234567890", "-d", "[21]A12345678", "-o", "ean.svg"}
            << 0 << "" << "" << "ean.svg";
        // Text beyond the symbology's character set gets an ECI; the engine warns, the file stays.
        QTest::newRow("non-ASCII data and name") << QStringList{"-d", "Grüße €", "-o", "Grüße.png"} << 0 << ""
                                                 << "engine: -b|58|-d|Grüße €|-o|Grüße.png" << "Grüße.png";

        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "" << "Unknown option 'bogus'" << "";
        QTest::newRow("value missing") << QStringList{"-o", "x.svg", "-d"} << 2 << "" << "Missing value after '-d'" << "";
        QTest::newRow("positional argument") << QStringList{"file.txt"} << 2 << "" << "unexpected argument \"file.txt\"" << "";
        QTest::newRow("no output") << QStringList{"-d", "x"} << 2 << "" << "--output is missing" << "";
        QTest::newRow("no data") << QStringList{"-o", "x.svg"} << 2 << "" << "--data is missing" << "";
        QTest::newRow("unknown format") << QStringList{"-d", "x", "-o", "x.jpg"} << 2 << "" << "the format of \"x.jpg\" is unknown" << "";
        QTest::newRow("no extension") << QStringList{"-d", "x", "-o", "symbol"} << 2 << "" << "is unknown: end the file name with one of bmp" << "";
        QTest::newRow("unknown symbology") << QStringList{"-b", "QR Kode", "-d", "x", "-o", "x.svg"} << 2 << "" << "unknown symbology \"QR Kode\"" << "";
        // Every number has one syntax and its range, checked before the engine sees it.
        for (const char *scale : {"0", "200", "0.001", "inf", "infinity", "nan", "1e1", "2,5", "0x10", "-1"})
            QTest::newRow(qPrintable(QStringLiteral("scale %1").arg(QLatin1String(scale))))
                << QStringList{"-s", scale, "-d", "x", "-o", "x.svg"} << 2 << ""
                << QStringLiteral("--scale needs a number from 0.01 to 100, such as 2 or 0.5, not \"%1\"").arg(QLatin1String(scale)) << "";
        QTest::newRow("scale at the top") << QStringList{"-s", "100", "-d", "x", "-o", "x.svg"} << 0 << "" << "" << "x.svg";
        QTest::newRow("scale .5") << QStringList{"-s", ".5", "-d", "x", "-o", "x.svg"} << 0 << "" << "" << "x.svg";
        QTest::newRow("rotation 90.0") << QStringList{"-r", "90.0", "-d", "x", "-o", "x.svg"} << 0 << "" << "" << "x.svg";
        QTest::newRow("rotation 1e2") << QStringList{"-r", "1e2", "-d", "x", "-o", "x.svg"} << 2 << "" << "--rotate takes 0, 90, 180 or 270, not \"1e2\"" << "";
        QTest::newRow("scale text") << QStringList{"-s", "big", "-d", "x", "-o", "x.svg"} << 2 << "" << "--scale needs a number" << "";
        QTest::newRow("rotation 45") << QStringList{"-r", "45", "-d", "x", "-o", "x.svg"} << 2 << "" << "--rotate takes 0, 90, 180 or 270, not \"45\"" << "";
        // The symbol's options: their range depends on the symbology, and each is named.
        QTest::newRow("error correction beyond QR Code's") << QStringList{"--secure=9", "-d", "x", "-o", "x.svg"} << 2 << ""
                                                           << "--secure takes 0 (automatic) or a whole number from 1 to 4 with QR Code, not \"9\"" << "";
        QTest::newRow("PDF417 takes level 8") << QStringList{"-b", "PDF417", "--secure=8", "-d", "x", "-o", "p.svg"} << 0 << ""
                                              << "engine: -b|55|--secure=8|-d|x|--height=50|-o|p.svg" << "p.svg";
        QTest::newRow("version beyond Micro QR's") << QStringList{"-b", "MicroQRCode", "--vers=5", "-d", "1", "-o", "x.svg"} << 2 << ""
                                                   << "--vers takes 0 (automatic) or a whole number from 1 to 4 with Micro QR Code, not \"5\"" << "";
        QTest::newRow("separator not whole") << QStringList{"--separator=1.5", "-d", "x", "-o", "x.svg"} << 2 << ""
                                             << "--separator needs a whole number from 0 to 4, not \"1.5\"" << "";
        QTest::newRow("colour by name") << QStringList{"--fg=red", "-d", "x", "-o", "x.svg"} << 2 << ""
                                        << "--fg needs a colour as six hexadecimal digits RRGGBB" << "";
        QTest::newRow("square and DMRE") << QStringList{"-b", "DataMatrix", "--square", "--dmre", "-d", "x", "-o", "x.svg"} << 2 << ""
                                         << "--square and --dmre exclude each other" << "";
        QTest::newRow("switch with a value") << QStringList{"--dotty=1", "-d", "x", "-o", "x.svg"} << 2 << ""
                                             << "Unexpected value after '--dotty'" << "";
        QTest::newRow("GS1 Data Matrix") << QStringList{"-b", "DataMatrix", "--gs1", "-d", "[01]09501101530003", "-o", "g.svg"}
                                         << 0 << "" << "" << "g.svg";
        QTest::newRow("column without batch") << QStringList{"--column=2", "-d", "x", "-o", "x.svg"} << 2 << ""
                                              << "--column belongs to --batch" << "";
        QTest::newRow("column zero") << QStringList{"--batch", "l.txt", "--folder", ".", "--column=0"} << 2 << ""
                                     << "--column needs a column number from 1 on" << "";
        QTest::newRow("column by name without header") << QStringList{"--batch", "l.txt", "--folder", ".", "--column=serial"} << 2 << ""
                                                       << "--column needs a column number from 1 on, or with --header" << "";
        QTest::newRow("batch with output") << QStringList{"--batch", "l.txt", "--folder", ".", "-o", "x.svg"} << 2 << "" << "--data and --output are for one symbol" << "";
        QTest::newRow("batch without folder") << QStringList{"--batch", "l.txt"} << 2 << "" << "--folder is missing" << "";
        QTest::newRow("folder without batch") << QStringList{"-d", "x", "-o", "x.svg", "--folder", "."} << 2 << "" << "--folder and --format belong to --batch" << "";
        QTest::newRow("transparent PNG") << QStringList{"--transparent", "-d", "x", "-o", "clear.png"} << 0 << "" << "" << "clear.png";
        QTest::newRow("transparent PDF") << QStringList{"--transparent", "-d", "x", "-o", "clear.pdf"} << 0 << "" << "" << "clear.pdf";
        QTest::newRow("transparent BMP") << QStringList{"--transparent", "-d", "x", "-o", "x.bmp"} << 2 << ""
                                         << "--transparent: bmp files have no transparent background; use one of gif, pdf, png, svg, tif" << "";
        QTest::newRow("transparent batch of EPS") << QStringList{"--transparent", "--batch", "l.txt", "--folder", ".", "--format", "eps"}
                                                  << 2 << "" << "--transparent: eps files have no transparent" << "";
        QTest::newRow("batch format unknown") << QStringList{"--batch", "l.txt", "--folder", ".", "--format", "jpg"} << 2 << "" << "unknown format \"jpg\"" << "";

        QTest::newRow("data the symbology refuses") << QStringList{"-b", "EAN", "-d", "ABC", "-o", "ean.svg"} << 1 << ""
                                                    << "engine: -b|13|-d|ABC|-o|ean.svg" << "";
        QTest::newRow("composite without primary") << QStringList{"-b", "EAN Composite", "-d", "[21]A1", "-o", "c.svg"} << 1 << ""
                                                   << "engine: -b|130|-d|[21]A1|-o|c.svg" << "";
        QTest::newRow("folder that cannot hold files") << QStringList{"-d", "x", "-o", "/proc/x.svg"} << 1 << ""
                                                       << "engine: -b|58|-d|x|-o|/proc/x.svg" << "";
    }

    void commandLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(QString, file);
        const bool fromEngine = err.startsWith(QStringLiteral("engine: "));
        err = EngineSays(err);
        if (fromEngine && err.isEmpty())
            QSKIP("the engine's own tool is not installed to say what it makes of this");
        const TRun run = Run(arguments);
        QCOMPARE(run.ExitCode, exitCode);
        QVERIFY2(run.Out.contains(out), qPrintable(run.Out));
        if (err.isEmpty())
            QCOMPARE(run.Err, QString());
        else
            QVERIFY2(run.Err.startsWith(QStringLiteral("quorvel: ")) && run.Err.contains(err), qPrintable(run.Err));
        if (exitCode == 2)
            QVERIFY2(run.Err.contains(QStringLiteral("Try \"quorvel --help\".")), qPrintable(run.Err));
        const QStringList written = QDir(FDir->path()).entryList(QDir::Files);
        QCOMPARE(written, file.isEmpty() ? QStringList() : QStringList{file});
        if (!file.isEmpty())
            QVERIFY2(HasSignature(PathOf(file)), qPrintable(file));
    }

    // Bytes that are not UTF-8 would be encoded, or a file written, as something else: refused,
    // naming where they stand. The shell hands the program the raw bytes.
    void argumentsThatAreNotUtf8_data()
    {
        QTest::addColumn<QString>("arguments"); // for the shell, printf escapes allowed
        QTest::addColumn<QString>("err");
        QTest::newRow("data") << R"sh(-d "$(printf '\377\376AB')" -o x.svg)sh"
                              << "the value of -d is not valid UTF-8: byte 0xFF at position 1";
        QTest::newRow("file name") << R"sh(-d x -o "$(printf 'caf\351.svg')")sh"
                                   << "the value of -o is not valid UTF-8: byte 0xE9 at position 4";
        QTest::newRow("value after an equals sign") << R"sh("$(printf -- '--data=\303')" -o x.svg)sh"
                                                    << "argument 1 is not valid UTF-8: byte 0xC3 at position 8";
    }

    void argumentsThatAreNotUtf8()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, err);
        QProcess process;
        process.setWorkingDirectory(FDir->path());
        process.start(QStringLiteral("/bin/sh"),
                      {"-c", QStringLiteral("exec \"$0\" ") + arguments,
                       QCoreApplication::applicationDirPath() + QStringLiteral("/quorvel")});
        QVERIFY(process.waitForFinished(120000));
        QCOMPARE(process.exitCode(), 2);
        const QString error = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(error.contains(err), qPrintable(error));
        QCOMPARE(QDir(FDir->path()).entryList(QDir::Files), QStringList());
    }

    // The look of the symbol reaches the engine: the same data at scale 2 and turned by 90
    // degrees.
    void scaleAndRotation()
    {
        QCOMPARE(Run({"-b", "Code 128", "-d", "ABC", "-o", "plain.png"}).ExitCode, 0);
        QCOMPARE(Run({"-b", "Code 128", "-d", "ABC", "-o", "scaled.png", "--scale", "2"}).ExitCode, 0);
        QCOMPARE(Run({"-b", "Code 128", "-d", "ABC", "-o", "turned.png", "-r", "90"}).ExitCode, 0);
        const QImage plain(PathOf("plain.png")), scaled(PathOf("scaled.png")), turned(PathOf("turned.png"));
        QVERIFY(!plain.isNull() && !scaled.isNull() && !turned.isNull());
        QVERIFY(plain.width() > plain.height());
        QCOMPARE(scaled.width(), 2 * plain.width());
        QCOMPARE(turned.size(), plain.size().transposed());
    }

    // --verify reads back what was written: a symbol that does not read back is named on the
    // error output and fails the run, and its file stays; a format that cannot be read back is
    // named and fails nothing.
    void verify_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("named");
        QTest::newRow("QR Code") << QStringList{"-d", "verified", "-o", "qr.png"} << QStringList{"qr.png"} << 0 << QStringList{};
        QTest::newRow("SVG") << QStringList{"-b", "Code 128", "-d", "ABC", "-o", "c.svg"} << QStringList{"c.svg"} << 0
                             << QStringList{};
        QTest::newRow("unreadable") << QStringList{"-b", "MaxiCode", "-d", "ABC", "-r", "90", "-o", "m.png"}
                                    << QStringList{"m.png"} << 1 << QStringList{"m.png"};
        QTest::newRow("EPS") << QStringList{"-d", "ABC", "-o", "q.eps"} << QStringList{"q.eps"} << 0 << QStringList{"q.eps"};
        QTest::newRow("batch") << QStringList{"--batch", "list.txt", "--folder", ".", "--format", "gif", "-b", "MaxiCode", "-r", "90"}
                               << QStringList{"one.gif", "two.gif"} << 1 << QStringList{"one.gif", "two.gif"};
        QTest::newRow("batch reads back") << QStringList{"--batch", "list.txt", "--folder", ".", "--format", "bmp"}
                                          << QStringList{"one.bmp", "two.bmp"} << 0 << QStringList{};
    }

    void verify()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, files);
        QFETCH(int, exitCode);
        QFETCH(QStringList, named);
        Write("list.txt", "one\ntwo\n");
        const TRun run = Run(arguments << QStringLiteral("--verify"));
        QCOMPARE(run.ExitCode, exitCode);
        for (const QString &file : files)
            QVERIFY2(HasSignature(PathOf(file)), qPrintable(file));
        for (const QString &file : named)
            QVERIFY2(run.Err.contains(u'"' + file) || run.Err.contains(u'/' + file + u'"'), qPrintable(run.Err));
        if (named.isEmpty())
            QCOMPARE(run.Err, QString());
    }

    void batch_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::addColumn<QStringList>("files");

        QTest::newRow("every line a file") << QByteArray("one\r\n  two  \nthree") << QStringList{"--format", "svg"}
                                           << 0 << "3 of 3 files written, 0 failed." << ""
                                           << QStringList{"one.svg", "three.svg", "two.svg"};
        QTest::newRow("default format") << QByteArray("one\n") << QStringList() << 0 << "1 of 1 files written" << ""
                                        << QStringList{"one.bmp"};
        QTest::newRow("format with a dot, in capitals") << QByteArray("one\n") << QStringList{"--format", ".GIF"} << 0 << "" << ""
                                                        << QStringList{"one.gif"};
        QTest::newRow("UTF-16 with a mark") << QByteArray("\xFF\xFEG\0\xFC\0\n\0", 8) << QStringList{"--format", "png"}
                                            << 0 << "1 of 1" << "" << QStringList{"Gü.png"};
        QTest::newRow("a line the symbology refuses")
            << QByteArray("12345\nABC\n67890\n") << QStringList{"-b", "EAN", "--format", "svg"} << 1
            << "2 of 3 files written, 1 failed." << "engine: -b|13|-d|ABC|-o|x.svg"
            << QStringList{"12345.svg", "67890.svg"};
        QTest::newRow("empty line") << QByteArray("one\n\ntwo\n") << QStringList{"--format", "svg"} << 0
                                    << "2 of 3 files written, 0 failed. Blank lines skipped: 1." << "" << QStringList{"one.svg", "two.svg"};
        QTest::newRow("no strings") << QByteArray() << QStringList() << 1 << "" << "holds no strings" << QStringList();
        QTest::newRow("UTF-8 with one stray byte") << QByteArray("h\xC3\xA9llo\ncaf\xE9\n") << QStringList{"--format", "svg"}
                                                   << 0 << "2 of 2" << "quorvel: line 2 of \"list.txt\" holds bytes that are not UTF-8"
                                                   << QStringList{"café.svg", "héllo.svg"};
        QTest::newRow("UTF-16 without a mark") << QByteArray("G\0\xFC\0\n\0", 6) << QStringList{"--format", "png"}
                                               << 0 << "1 of 1" << "" << QStringList{"Gü.png"};
        // Text that takes an ECI is written, and the engine's warning is named with its line (the
        // one line that has it, from whichever worker wrote it).
        QTest::newRow("a line with an ECI") << QByteArray("plain\nGr\xC3\xBC\xC3\x9F\xE2\x82\xAC\n") << QStringList{"--format", "svg"}
                                            << 0 << "2 of 2" << "quorvel: line 2: " << QStringList{"Grüß€.svg", "plain.svg"};
        // Tables as the batch window reads them.
        QTest::newRow("CSV, second column, names from the first")
            << QByteArray("name,serial\r\nfirst,A-1\r\nsecond,\"B,2\"\r\n")
            << QStringList{"--column=2", "--name-column=1", "--header", "--format", "svg"} << 0 << "2 of 2" << ""
            << QStringList{"first.svg", "second.svg"};
        QTest::newRow("semicolons, columns by header name") << QByteArray("name;serial\nfirst;A-1\n")
            << QStringList{"--column=serial", "--name-column=name", "--header", "--format", "svg"} << 0 << "1 of 1" << ""
            << QStringList{"first.svg"};
        QTest::newRow("tabs, data names the files") << QByteArray("one\tx\ntwo\ty\n") << QStringList{"--column=1", "--format", "svg"}
                                                    << 0 << "2 of 2" << "" << QStringList{"one.svg", "two.svg"};
        QTest::newRow("plain list, first column") << QByteArray("a b\nc d\n") << QStringList{"--column=1", "--format", "svg"}
                                                  << 0 << "2 of 2" << "" << QStringList{"a b.svg", "c d.svg"};
        QTest::newRow("commas without --column stay in the strings") << QByteArray("a,b\n") << QStringList{"--format", "svg"}
                                                                     << 0 << "1 of 1" << "" << QStringList{"a,b.svg"};
        QTest::newRow("column that is not there") << QByteArray("a,b\nc,d\n") << QStringList{"--column=3"} << 1 << ""
                                                  << "it has no column \"3\" (it has 2 columns)" << QStringList();
        QTest::newRow("rows of different widths") << QByteArray("a,b\nc,d,e\n") << QStringList{"--column=1"} << 1 << ""
                                                  << "line 2 has 3 columns where the first line has 2" << QStringList();
        QTest::newRow("binary") << QByteArray("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0", 18) << QStringList()
                                << 1 << "" << "it is not a text file" << QStringList();
    }

    void batch()
    {
        QFETCH(QByteArray, list);
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(QStringList, files);
        const bool fromEngine = err.startsWith(QStringLiteral("engine: "));
        err = EngineSays(err);
        if (fromEngine && err.isEmpty())
            QSKIP("the engine's own tool is not installed to say what it makes of this");
        Write("list.txt", list);
        // The list from the file on every core, from the standard input ("-"), and from the file
        // on one core (its own worker count): the same messages and the same files each time.
        struct TWay
        {
            const char *Folder;
            QStringList Arguments;
            QString StandardInput;
        };
        const TWay ways[] = {
            {"out", {ProgramPath(), "--batch", "list.txt"}, QString()},
            {"piped", {ProgramPath(), "--batch", "-"}, PathOf("list.txt")},
            {"one-core", {"-c", FirstProcessor(), ProgramPath(), "--batch", "list.txt"}, QString()},
        };
        QHash<QString, QByteArray> first;
        for (const TWay &way : ways) {
            const QString name = QString::fromLatin1(way.Folder);
            QVERIFY(QDir(FDir->path()).mkdir(name));
            const bool oneCore = way.Arguments.first() == "-c";
            const TRun run = RunProgram(oneCore ? QStringLiteral("taskset") : ProgramPath(),
                                        (oneCore ? way.Arguments : way.Arguments.mid(1)) + QStringList{"--folder", name} + options,
                                        FDir->path(), QString(), way.StandardInput);
            QCOMPARE(run.ExitCode, exitCode);
            QVERIFY2(run.Out.contains(out), qPrintable(run.Out));
            QString expectedErr = err;
            if (!way.StandardInput.isEmpty())
                expectedErr.replace("\"list.txt\"", "the standard input");
            if (err.isEmpty())
                QCOMPARE(run.Err, QString());
            else
                QVERIFY2(run.Err.contains(expectedErr), qPrintable(run.Err));
            QDir folder(PathOf(name));
            QCOMPARE(folder.entryList(QDir::Files, QDir::Name), files);
            for (const QString &file : files) {
                QVERIFY2(HasSignature(folder.filePath(file)), qPrintable(file));
                QFile written(folder.filePath(file));
                QVERIFY(written.open(QIODevice::ReadOnly));
                const QByteArray bytes = written.readAll();
                if (first.contains(file))
                    QVERIFY2(bytes == first.value(file), qPrintable(name + u'/' + file));
                else
                    first.insert(file, bytes);
            }
        }
    }

    void batchInputsThatAreNotThere_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("input"); // the standard input's file; empty: none
        QTest::addColumn<QString>("err");
        QTest::newRow("no batch file") << QStringList{"--batch", "missing.txt", "--folder", "."} << ""
                                       << "cannot load the batch file \"missing.txt\"";
        QTest::newRow("batch file is a folder") << QStringList{"--batch", ".", "--folder", "."} << ""
                                                << "the batch file \".\"";
        QTest::newRow("endless device") << QStringList{"--batch", "/dev/zero", "--folder", "."} << ""
                                        << "cannot load the batch file \"/dev/zero\": it is larger than";
        QTest::newRow("endless standard input") << QStringList{"--batch", "-", "--folder", "."} << "/dev/zero"
                                                << "cannot load the standard input: it is larger than";
        QTest::newRow("empty standard input") << QStringList{"--batch", "-", "--folder", "."} << "/dev/null"
                                              << "the standard input holds no strings";
        QTest::newRow("no output folder") << QStringList{"--batch", "list.txt", "--folder", "gone"} << ""
                                          << "the output folder \"gone\" does not exist";
    }

    void batchInputsThatAreNotThere()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, input);
        QFETCH(QString, err);
        Write("list.txt", "one\n");
        const TRun run = RunProgram(ProgramPath(), arguments, FDir->path(), QString(), input);
        QCOMPARE(run.ExitCode, 1);
        QVERIFY2(run.Err.startsWith("quorvel: ") && run.Err.contains(err), qPrintable(run.Err));
        QCOMPARE(QDir(FDir->path()).entryList(QDir::Files), QStringList{"list.txt"});
    }

    // An installation that lost the full program: what needs it says so, the rest still works.
    void withoutTheFullProgram_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("the window") << QStringList() << 1;
        QTest::newRow("--verify") << QStringList{"-d", "x", "-o", "x.png", "--verify"} << 1;
        QTest::newRow("PDF") << QStringList{"-d", "x", "-o", "x.pdf"} << 1;
        QTest::newRow("SVG") << QStringList{"-d", "x", "-o", "x.svg"} << 0;
    }

    void withoutTheFullProgram()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        const QString alone = PathOf("quorvel");
        QVERIFY(QFile::copy(ProgramPath(), alone));
        const TRun run = RunProgram(alone, arguments, FDir->path());
        QCOMPARE(run.ExitCode, exitCode);
        if (exitCode != 0)
            QVERIFY2(run.Err.startsWith("quorvel: cannot start \"") && run.Err.contains("/quorvel-window\": "), qPrintable(run.Err));
        else
            QVERIFY(QFileInfo(PathOf("x.svg")).isFile());
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "TestCommandLine.moc"
