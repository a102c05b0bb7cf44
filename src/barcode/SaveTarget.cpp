#include "barcode/SaveTarget.h"

#include "barcode/BarcodeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#else
#include <QStorageInfo>
#endif

namespace {

// A device, FIFO or socket: something that exists, is no regular file and no folder.
bool IsSpecialFile(const QString &fileName)
{
#if defined(Q_OS_UNIX)
    struct stat info {};
    if (::stat(QFile::encodeName(fileName).constData(), &info) != 0)
        return false;
    return !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
#else
    const QFileInfo info(fileName);
    return info.exists() && !info.isFile() && !info.isDir();
#endif
}

// The engine chooses the format by the text after the name's last full stop.
QString EngineSuffix(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

// `fileName` is the written file itself: asked about it, the system answers for the file system
// that holds it, through any links, in one call.
bool DiskIsFull(const QString &fileName)
{
#if defined(Q_OS_UNIX)
    struct statvfs info {};
    if (statvfs(QFile::encodeName(fileName).constData(), &info) != 0)
        return false;
    static const bool privileged = geteuid() == 0;
    return NoRoomLeft(info.f_blocks, info.f_bfree, info.f_bavail, privileged);
#else
    const QStorageInfo storage(QFileInfo(fileName).canonicalFilePath());
    return storage.isValid() && storage.bytesAvailable() == 0;
#endif
}

// The size of the file, -1 when there is none; one look, since a batch asks this of every file.
qint64 WrittenSize(const QString &fileName)
{
#if defined(Q_OS_UNIX)
    struct stat info {};
    if (::stat(QFile::encodeName(fileName).constData(), &info) != 0)
        return -1;
    return qint64(info.st_size);
#else
    const QFileInfo info(fileName);
    return info.exists() ? info.size() : -1;
#endif
}

QString Native(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

} // namespace

bool NoRoomLeft(quint64 blocks, quint64 freeBlocks, quint64 availableBlocks, bool privileged)
{
    if (blocks == 0)
        return false;
    return (privileged ? freeBlocks : availableBlocks) == 0;
}

TSaveTarget::TSaveTarget(const QString &fileName, bool toStdout)
    : FFileName(fileName)
    , FToStdout(toStdout)
{
    if (toStdout || !IsSpecialFile(fileName))
        return;
    FDetour = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/quorvel-XXXXXX")
                                               + EngineSuffix(fileName));
    if (!FDetour->open())
        throw EBarcodeError(QStringLiteral("No temporary file for writing to \"%1\": %2")
                                .arg(Native(fileName), FDetour->errorString()));
    FDetour->close();
}

TSaveTarget::~TSaveTarget() = default;

QString TSaveTarget::EngineFileName() const
{
    return FDetour ? FDetour->fileName() : FFileName;
}

bool TSaveTarget::IsRegularFile() const
{
    return ChecksArrival(FToStdout) && !FDetour && FFileName != QLatin1String("-");
}

void TSaveTarget::Finish() const
{
    if (FDetour) {
        QFile source(FDetour->fileName());
        // Unbuffered, so that a device's refusal shows at the write that it refuses.
        QFile target(FFileName);
        if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            throw EBarcodeError(QStringLiteral("The file \"%1\" could not be written: %2")
                                    .arg(Native(FFileName), source.isOpen() ? target.errorString() : source.errorString()));
        while (!source.atEnd()) {
            const QByteArray block = source.read(1 << 16);
            if (block.isEmpty() || target.write(block) != block.size())
                throw EBarcodeError(QStringLiteral("The file \"%1\" could not be written: %2")
                                        .arg(Native(FFileName), target.errorString()));
        }
        return;
    }
    if (!IsRegularFile())
        return;
    if (WrittenSize(FFileName) <= 0 || DiskIsFull(FFileName))
        throw EBarcodeError(QStringLiteral("The file \"%1\" could not be written completely (is the disk full?)")
                                .arg(Native(FFileName)));
}
