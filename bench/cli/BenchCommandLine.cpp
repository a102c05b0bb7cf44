// The command line against the engine's own command-line tool (Debian's zint), in one run:
//   - one symbol per process, as a script writing labels one by one calls it: the median of
//     alternating runs of `quorvel -d ... -o ...` and `zint -d ... -o ...` (goal 1.5);
//   - a batch of strings to files, `quorvel --batch` on every core against `zint --batch`, for
//     QR Code and Code 128 to SVG and BMP (goal 0.55 on two cores).
//
//   BenchCommandLine [batch count] [single runs]     defaults: 10000 strings, 60 runs per side
//
// Both programs write with the same look (border 8, white space 4) into memory-backed folders
// when the machine has /dev/shm, so that the disk does not decide the comparison.

#include "../BatchLines.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>
#include <zint.h>

namespace {

// Seconds of wall-clock for one run, or a negative number when it failed.
double TimedRun(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), process.readAllStandardError().constData());
        return -1.0;
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

int FileCount(const QString &folder)
{
    return int(QDir(folder).entryList(QDir::Files).size());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    const int singleRuns = std::max(1, argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 60);
    const QString ours = QCoreApplication::applicationDirPath() + QStringLiteral("/quorvel");
    const QString zint = QStandardPaths::findExecutable(QStringLiteral("zint"));
    if (zint.isEmpty() || !QFileInfo(ours).isExecutable()) {
        std::fprintf(stderr, "needs %s and the zint command-line tool (Debian: apt-get install zint)\n", qPrintable(ours));
        return 1;
    }
    const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm/BenchCommandLine-XXXXXX")
                                                                            : QDir::tempPath() + QStringLiteral("/BenchCommandLine-XXXXXX");
    QTemporaryDir work(base);
    if (!work.isValid())
        return 1;
    // The program reads its settings nowhere on the command line, but keep the user's own apart.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(work.filePath(QStringLiteral("config"))));
    const QStringList look = {QStringLiteral("--border=8"), QStringLiteral("--whitesp=4"), QStringLiteral("--vwhitesp=4")};
    int status = 0;

    // One symbol per process, the sides taking turns; a few warm-up runs fill the file cache.
    const QString data = QStringLiteral("https://example.org/label?id=000123");
    const QString ourFile = work.filePath(QStringLiteral("ours.svg"));
    const QString zintFile = work.filePath(QStringLiteral("zint.svg"));
    const QStringList ourArguments = {QStringLiteral("-d"), data, QStringLiteral("-o"), ourFile};
    const QStringList zintArguments = QStringList{QStringLiteral("-b"), QString::number(BARCODE_QRCODE), QStringLiteral("-d"), data,
                                                  QStringLiteral("-o"), zintFile} + look;
    for (int i = 0; i < 5; ++i) {
        TimedRun(ours, ourArguments);
        TimedRun(zint, zintArguments);
    }
    std::vector<double> ourTimes;
    std::vector<double> zintTimes;
    for (int i = 0; i < singleRuns; ++i) {
        const bool oursFirst = i % 2 == 0;
        const double first = oursFirst ? TimedRun(ours, ourArguments) : TimedRun(zint, zintArguments);
        const double second = oursFirst ? TimedRun(zint, zintArguments) : TimedRun(ours, ourArguments);
        if (first < 0 || second < 0) {
            status = 2;
            break;
        }
        ourTimes.push_back(oursFirst ? first : second);
        zintTimes.push_back(oursFirst ? second : first);
    }
    if (!ourTimes.empty()) {
        const double ourMedian = Median(ourTimes);
        const double zintMedian = Median(zintTimes);
        std::printf("one QR Code to SVG per process, median of %d alternating runs: quorvel %.2f ms, zint %.2f ms\n",
                    int(ourTimes.size()), ourMedian * 1e3, zintMedian * 1e3);
        std::printf("RATIO\tone symbol per process, quorvel / zint, median\t%.3f\t1.5\n", ourMedian / zintMedian);
    }

    // Batches: each side writes into folders of its own; the sides take turns going first.
    const QString input = work.filePath(QStringLiteral("input.txt"));
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        for (int i = 1; i <= count; ++i)
            file.write(BatchLine(i).toUtf8() + '\n');
    }
    struct TCase
    {
        const char *Name;
        const char *OurSymbology;
        int EngineId;
        const char *Format;
    };
    const TCase cases[] = {
        {"QR Code", "QRCode", BARCODE_QRCODE, "svg"},
        {"QR Code", "QRCode", BARCODE_QRCODE, "bmp"},
        {"Code 128", "Code128", BARCODE_CODE128, "svg"},
        {"Code 128", "Code128", BARCODE_CODE128, "bmp"},
    };
    int folderNumber = 0;
    for (const TCase &test : cases) {
        const QString format = QString::fromLatin1(test.Format);
        double ourBest = 1e300;
        double zintBest = 1e300;
        for (int run = 0; run < 2; ++run) {
            ++folderNumber;
            const QString ourFolder = work.filePath(QStringLiteral("ours-%1").arg(folderNumber));
            const QString zintFolder = work.filePath(QStringLiteral("zint-%1").arg(folderNumber));
            QDir().mkpath(ourFolder);
            QDir().mkpath(zintFolder);
            const auto runOurs = [&] {
                const double seconds = TimedRun(ours, {QStringLiteral("--batch"), input, QStringLiteral("--folder"), ourFolder,
                                                       QStringLiteral("--format"), format, QStringLiteral("-b"),
                                                       QString::fromLatin1(test.OurSymbology)});
                if (seconds < 0 || FileCount(ourFolder) != count)
                    status = 2;
                else
                    ourBest = std::min(ourBest, seconds);
            };
            const auto runZint = [&] {
                const double seconds = TimedRun(zint, QStringList{QStringLiteral("--batch"), QStringLiteral("-b"),
                                                                  QString::number(test.EngineId),
                                                                  QStringLiteral("--filetype=") + format, QStringLiteral("-o"),
                                                                  zintFolder + QStringLiteral("/~~~~~.") + format,
                                                                  QStringLiteral("--input=") + input} + look);
                if (seconds < 0 || FileCount(zintFolder) != count)
                    status = 2;
                else
                    zintBest = std::min(zintBest, seconds);
            };
            if (run % 2 == 0) {
                runOurs();
                runZint();
            } else {
                runZint();
                runOurs();
            }
            QDir(ourFolder).removeRecursively();
            QDir(zintFolder).removeRecursively();
        }
        if (status != 0)
            break;
        std::printf("%s %s, %d strings: quorvel --batch %.3f s, zint --batch %.3f s (best of 2)\n", test.Name,
                    qPrintable(format.toUpper()), count, ourBest, zintBest);
        std::printf("RATIO\tcommand-line batch %s %s, quorvel / zint\t%.3f\t0.55\n", test.Name, qPrintable(format.toUpper()),
                    ourBest / zintBest);
        std::fflush(stdout);
    }
    return status;
}
