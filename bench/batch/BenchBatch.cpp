// The batch run through the real batch window (on worker threads, one per core) against
// Debian's zint command-line tool doing the same batch, for QR Code and Code 128 to SVG and BMP,
// in one run; and the time to load a long file into the list. A loop over the bare
// engine in this process shows what the engine alone costs here, apart from process start-up.
//
//   BenchBatch [count] [lines to load] [repeats] [keep folder]
//   defaults: 10000 strings, 100000 lines, 3 repeats, written files removed
//   BENCH_THREADS=n runs the batch window on n workers instead of one per core (1 shows the
//   cost per file apart from running in parallel)
//
// Each side runs `repeats` times, taking turns to go first; the best wall-clock time and the best processor
// time (user + system, of this process or of the tool's process) count. On a busy machine the
// processor times are the steadier comparison.

#include "../BatchLines.h"

#include "app/Form1.h"
#include "barcode/Barcode.h"
#include "batch/BatchParallel.h"
#include "batch/BatchRun.h"
#include "batch/FormBatchGenerator.h"
#include "toolkit/DirectoryEdit.h"
#include "toolkit/StdCtrls.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <sys/resource.h>
#include <zint.h>

namespace {

bool WriteLines(const QString &fileName, int count)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += BatchLine(i).toUtf8() + '\n';
    return file.write(bytes) == bytes.size();
}

double CpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct TTiming
{
    double Wall = 1e300;
    double Cpu = 1e300;
    void Take(double wall, double cpu)
    {
        Wall = std::min(Wall, wall);
        Cpu = std::min(Cpu, cpu);
    }
};

// The same files straight through the engine: record, encode, print, delete.
bool BareEngine(const QStringList &lines, const QString &folder, const QString &extension, int symbology)
{
    bool ok = true;
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray data = lines.at(i).toUtf8();
        const QByteArray name = QStringLiteral("%1/%2.%3").arg(folder).arg(i + 1, 5, 10, QChar(u'0')).arg(extension).toUtf8();
        zint_symbol *symbol = ZBarcode_Create();
        symbol->symbology = symbology;
        symbol->border_width = 8;
        symbol->whitespace_width = 4;
        symbol->whitespace_height = 4;
        qstrncpy(symbol->outfile, name.constData(), sizeof symbol->outfile);
        if (ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char *>(data.constData()), int(data.size())) != 0
            || ZBarcode_Print(symbol, 0) != 0)
            ok = false;
        ZBarcode_Delete(symbol);
    }
    return ok;
}

int FileCount(const QString &folder)
{
    return int(QDir(folder).entryList(QDir::Files).size());
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The files go to memory when the machine offers a memory file system: the comparison is
    // about the work per file, not about the disk (on ext4, creating files soon after many were
    // deleted costs whichever side comes first several times more).
    const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                             ? QStringLiteral("/dev/shm/BenchBatch-XXXXXX")
                             : QDir::tempPath() + QStringLiteral("/BenchBatch-XXXXXX");
    QTemporaryDir work(base);
    if (!work.isValid())
        return 1;
    // The main window reads and writes its settings: keep the user's own out of it.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(work.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(work.filePath(QStringLiteral("data"))));

    QApplication application(argc, argv);
    const int threads = qEnvironmentVariableIntValue("BENCH_THREADS") > 0 ? qEnvironmentVariableIntValue("BENCH_THREADS")
                                                                           : BatchThreadCount();
    SetBatchThreadCountForTests(threads);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    const int loadLines = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 100000;
    const int repeats = std::max(1, argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 3);
    // Where the written files of the last run go, to compare them; by default they are removed.
    const QString keep = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QString();

    const QString zint = QStandardPaths::findExecutable(QStringLiteral("zint"));
    if (zint.isEmpty()) {
        std::fprintf(stderr, "the zint command-line tool is missing (Debian: apt-get install zint)\n");
        return 1;
    }

    CreateForm1();
    std::optional<TBatchResult> result;
    SetBatchSummaryPresenterForTests([&result](QWidget *, const TBatchResult &r) { result = r; });

    const QString input = work.filePath(QStringLiteral("input.txt"));
    if (!WriteLines(input, count))
        return 1;
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(BatchLine(i));

    auto *window = new TFormBatchGenerator(Form1, Form1->BatchHost());
    FormBatchGenerator = window;
    window->show();
    window->LoadFromFile(input);

    std::printf("batch of %d strings like \"%s\", best of %d, %d worker threads, files in %s\n", count,
                qPrintable(BatchLine(123)), repeats, threads, qPrintable(work.path()));
    int status = 0;
    // Every run writes into folders of its own, and nothing is deleted until the end: the file
    // system pays for creating files next to recently deleted ones, and that would be charged to
    // whichever side runs after a deletion. The sides take turns going first.
    int folderNumber = 0;
    struct TCase
    {
        const char *Name;
        TSymbology Symbology;
        int EngineId;
        const char *Format;
    };
    const TCase cases[] = {
        {"QR Code", syQRCode, BARCODE_QRCODE, "SVG"},
        {"QR Code", syQRCode, BARCODE_QRCODE, "BMP"},
        {"Code 128", syCode128, BARCODE_CODE128, "SVG"},
        {"Code 128", syCode128, BARCODE_CODE128, "BMP"},
    };
    for (const TCase &test : cases) {
        const char *format = test.Format;
        const QString extension = QString::fromLatin1(format).toLower();
        const QString label = QStringLiteral("%1 %2").arg(QLatin1String(test.Name), QLatin1String(format));
        const QString caseTag = QString::fromLatin1(test.Name).remove(u' ').toLower() + u'-' + extension;
        Form1->ComboBoxExt->SetText(QString::fromLatin1(format));
        Form1->Barcode->SetSymbology(test.Symbology);
        TTiming oursTime;
        TTiming zintTime;
        TTiming bareTime;
        QString ours;
        QString theirs;
        QString bare;
        for (int run = 0; run < repeats; ++run) {
            ++folderNumber;
            ours = work.filePath(QStringLiteral("ours-%1-%2").arg(caseTag).arg(folderNumber));
            theirs = work.filePath(QStringLiteral("zint-%1-%2").arg(caseTag).arg(folderNumber));
            bare = work.filePath(QStringLiteral("bare-%1-%2").arg(caseTag).arg(folderNumber));
            QDir().mkpath(ours);
            QDir().mkpath(theirs);
            QDir().mkpath(bare);

            const auto runOurs = [&] {
                window->DirectoryEdit1->SetText(ours);
                result.reset();
                QElapsedTimer timer;
                const double cpu = CpuSeconds(RUSAGE_SELF);
                timer.start();
                window->ButtonStart->Click();
                oursTime.Take(double(timer.nsecsElapsed()) / 1e9, CpuSeconds(RUSAGE_SELF) - cpu);
                if (FileCount(ours) != count || !result || !result->Failures.isEmpty())
                    status = 2;
            };
            const auto runZint = [&] {
                // The same look as the main window's start values: border 8, white space 4.
                QProcess process;
                QElapsedTimer timer;
                const double cpu = CpuSeconds(RUSAGE_CHILDREN);
                timer.start();
                process.start(zint, {QStringLiteral("--batch"), QStringLiteral("-b"), QString::number(test.EngineId),
                                     QStringLiteral("--border=8"), QStringLiteral("--whitesp=4"),
                                     QStringLiteral("--vwhitesp=4"), QStringLiteral("--filetype=") + extension,
                                     QStringLiteral("-o"), theirs + QStringLiteral("/~~~~~.") + extension,
                                     QStringLiteral("--input=") + input});
                process.waitForFinished(-1);
                zintTime.Take(double(timer.nsecsElapsed()) / 1e9, CpuSeconds(RUSAGE_CHILDREN) - cpu);
                if (FileCount(theirs) != count)
                    status = 2;
            };
            const auto runBare = [&] {
                QElapsedTimer timer;
                const double cpu = CpuSeconds(RUSAGE_SELF);
                timer.start();
                if (!BareEngine(lines, bare, extension, test.EngineId) || FileCount(bare) != count)
                    status = 2;
                bareTime.Take(double(timer.nsecsElapsed()) / 1e9, CpuSeconds(RUSAGE_SELF) - cpu);
            };
            switch (run % 3) {
            case 0: runOurs(); runZint(); runBare(); break;
            case 1: runZint(); runBare(); runOurs(); break;
            default: runBare(); runOurs(); runZint(); break;
            }
        }
        // The goal is about waiting time; processor times are printed as plain quotients, since
        // workers add up the processor time of every core.
        std::printf("%s: batch window %.3f s (processor %.3f s), zint CLI %.3f s (processor %.3f s); "
                    "ratio %.3f wall-clock; processor ours / zint %.3f\n",
                    qPrintable(label), oursTime.Wall, oursTime.Cpu, zintTime.Wall, zintTime.Cpu,
                    oursTime.Wall / zintTime.Wall, oursTime.Cpu / zintTime.Cpu);
        std::printf("%s: bare engine in this process, one thread %.3f s (processor %.3f s); wall-clock "
                    "batch window / bare engine %.3f; processor batch window / bare engine %.3f\n",
                    qPrintable(label), bareTime.Wall, bareTime.Cpu, oursTime.Wall / bareTime.Wall,
                    oursTime.Cpu / bareTime.Cpu);
        std::fflush(stdout);
        if (!keep.isEmpty()) {
            QDir().mkpath(keep);
            QDir().rename(ours, keep + QStringLiteral("/ours-") + caseTag);
            QDir().rename(theirs, keep + QStringLiteral("/zint-") + caseTag);
        }
    }

    const QString longInput = work.filePath(QStringLiteral("long.txt"));
    if (!WriteLines(longInput, loadLines))
        return 1;
    QElapsedTimer timer;
    timer.start();
    window->LoadFromFile(longInput);
    const double loadSeconds = double(timer.nsecsElapsed()) / 1e9;
    std::printf("loading %d lines into the list: %.3f s (%d items)\n", loadLines, loadSeconds,
                window->ListBox1->count());
    if (window->ListBox1->count() != loadLines)
        status = 2;

    SetBatchSummaryPresenterForTests(nullptr);
    delete Form1;
    return status;
}
