// What a save's safety costs a batch: 10,000 QR Code SVG files written by the bare engine, once
// straight under their names with the size looked at afterwards (how a save went before it
// wrote work files), once through the save target (a work file beside the target, checked,
// renamed into place). One thread, the same engine records and data, in one run. As in
// BenchBatch the files go to memory when the machine has a memory file system (the work per
// file, not the disk); BENCH_SAVE_DIR names another folder, a disk's for example.
//
//   BenchSaveCost [count] [repeats]      defaults: 10000 files, 3 repeats, best time counts

#include "barcode/SaveTarget.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <zint.h>

namespace {

QByteArray Data(int i)
{
    return QStringLiteral("ITEM-%1-https://example.org/p?id=%2").arg(i, 6, 10, QChar(u'0')).arg(i * 7919 % 1000003).toUtf8();
}

// The engine writes the target itself: a look whether the name is a device before, a size and
// a free-space look afterwards.
bool Direct(zint_symbol *symbol, const QString &name)
{
    const QByteArray encoded = QFile::encodeName(name);
    struct stat before {};
    if (::stat(encoded.constData(), &before) == 0 && !S_ISREG(before.st_mode))
        return false;
    qstrncpy(symbol->outfile, encoded.constData(), sizeof symbol->outfile);
    if (ZBarcode_Print(symbol, 0) != 0)
        return false;
    struct stat info {};
    struct statvfs disk {};
    return ::stat(encoded.constData(), &info) == 0 && info.st_size > 0 && ::statvfs(encoded.constData(), &disk) == 0;
}

bool ThroughWorkFile(zint_symbol *symbol, const QString &name)
{
    TSaveTarget target(name, false, qsizetype(sizeof symbol->outfile));
    qstrncpy(symbol->outfile, QFile::encodeName(target.EngineFileName()).constData(), sizeof symbol->outfile);
    if (ZBarcode_Print(symbol, 0) != 0)
        return false;
    target.Finish(nullptr, 0);
    return true;
}

double Run(const QString &folder, int count, bool (*save)(zint_symbol *, const QString &))
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i) {
        const QByteArray data = Data(i);
        zint_symbol *symbol = ZBarcode_Create();
        symbol->symbology = BARCODE_QRCODE;
        symbol->border_width = 8;
        symbol->whitespace_width = 4;
        symbol->whitespace_height = 4;
        const bool ok = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char *>(data.constData()), int(data.size())) == 0
                        && save(symbol, QStringLiteral("%1/%2.svg").arg(folder).arg(i));
        ZBarcode_Delete(symbol);
        if (!ok)
            return -1;
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int count = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10000;
    const int repeats = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 3;
    QString root = qEnvironmentVariable("BENCH_SAVE_DIR");
    if (root.isEmpty())
        root = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    QTemporaryDir work(root + QStringLiteral("/BenchSaveCost-XXXXXX"));
    if (!work.isValid())
        return 1;
    double direct = 1e300;
    double atomic = 1e300;
    // Fresh folders each time, the two ways taking turns to go first.
    for (int run = 0; run < repeats; ++run) {
        for (int side = 0; side < 2; ++side) {
            const bool atomicNow = (run + side) % 2 == 1;
            const QString folder = work.filePath(QStringLiteral("%1-%2").arg(atomicNow ? "atomic" : "direct").arg(run));
            QDir().mkpath(folder);
            const double seconds = Run(folder, count, atomicNow ? &ThroughWorkFile : &Direct);
            if (seconds < 0 || QDir(folder).entryList(QDir::Files | QDir::Hidden).size() != count) {
                std::fprintf(stderr, "a save failed or left a file too many in %s\n", qPrintable(folder));
                return 2;
            }
            (atomicNow ? atomic : direct) = std::min(atomicNow ? atomic : direct, seconds);
        }
    }
    std::printf("%d QR Code SVG files on one thread in %s, best of %d: written in place %.3f s, "
                "through a work file and a rename %.3f s\n",
                count, qPrintable(work.path()), repeats, direct, atomic);
    std::printf("RATIO\tsave through a work file / in place, %d SVG\t%.3f\t1.05\n", count, atomic / direct);
    return 0;
}
