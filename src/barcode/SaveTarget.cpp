#include "barcode/SaveTarget.h"

#include "barcode/BarcodeError.h"
#include "barcode/PhysicalSize.h"
#include "barcode/WorkFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The engine chooses the format by the text after the name's last full stop.
QString EngineSuffix(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QString Native(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

[[noreturn]] void FailWrite(const QString &fileName, int error)
{
    throw EBarcodeError(QStringLiteral("The file \"%1\" could not be written: %2")
                            .arg(Native(fileName), qt_error_string(error)));
}

// A device, FIFO or socket, also behind a link (/dev/stdout is one): something that exists and
// is no regular file and no folder.
bool IsSpecialFile(const QByteArray &encoded)
{
    struct stat info {};
    if (::stat(encoded.constData(), &info) != 0)
        return false;
    return !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
}

// A name that leads into /proc, as /dev/stdout or /dev/fd/1 do: an open file of a process
// (the standard output redirected into a file, say), written into where it is, never replaced.
bool LeadsIntoProc(const QByteArray &encoded)
{
    QByteArray current = encoded;
    for (int hop = 0; hop < 40; ++hop) {
        const qsizetype slash = current.lastIndexOf('/');
        const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : current.left(slash);
        char resolved[PATH_MAX];
        if (::realpath(folder.constData(), resolved) != nullptr
            && (std::strcmp(resolved, "/proc") == 0 || std::strncmp(resolved, "/proc/", 6) == 0))
            return true;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(current.constData(), target, sizeof target - 1);
        if (length <= 0)
            return false;
        const QByteArray next(target, qsizetype(length));
        current = next.startsWith('/') ? next : folder + '/' + next;
    }
    return false;
}

// An existing regular file that we may not write: the engine is left to refuse it as before,
// rather than a rename replacing a file that its owner made read-only.
bool IsReadOnlyFile(const QByteArray &encoded)
{
    struct stat info {};
    return ::stat(encoded.constData(), &info) == 0 && S_ISREG(info.st_mode)
           && ::access(encoded.constData(), W_OK) != 0;
}

enum class TCheck { Whole, NoRoomLeft };

// Whether the engine's file (open as `descriptor`) can have been cut short. The engine writes
// through buffered streams and drops what the system refuses: a file that stopped at the
// file-size limit, or beside which the file system takes not one byte more, may be incomplete.
// Any other refusal of the probing byte is a fault of the file system itself. `shown` is the
// target's name for the messages.
TCheck CheckWritten(int descriptor, const QString &shown, qint64 &size)
{
    struct stat info {};
    if (::fstat(descriptor, &info) != 0)
        FailWrite(shown, errno);
    size = qint64(info.st_size);
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY
        && quint64(size) >= quint64(limit.rlim_cur))
        FailWrite(shown, EFBIG);
    const char probe = '\n';
    if (::pwrite(descriptor, &probe, 1, off_t(size)) == 1) {
        if (::ftruncate(descriptor, off_t(size)) != 0)
            FailWrite(shown, errno);
        if (size == 0)
            throw EBarcodeError(QStringLiteral("The file \"%1\" could not be written: the engine wrote nothing")
                                    .arg(Native(shown)));
        return TCheck::Whole;
    }
    const int error = errno;
    if (error == ENOSPC || error == EDQUOT)
        return TCheck::NoRoomLeft;
    FailWrite(shown, error);
}

// A file that ends where the disk did is whole when the engine, printing it again where there
// is room, writes as many bytes. Without such room nobody can tell, and it counts as cut short.
bool SameSizeElsewhere(qint64 size, const QString &suffix, const TReprint &reprint, const QString &shown)
{
    for (const QString &folder : {QDir::tempPath(), QStringLiteral("/dev/shm")}) {
        TWorkFile scratch(folder, suffix);
        if (!scratch.IsOpen())
            continue;
        reprint(scratch.Path());
        qint64 scratchSize = 0;
        if (CheckWritten(scratch.Descriptor(), shown, scratchSize) == TCheck::Whole)
            return scratchSize == size;
    }
    return false;
}

void CheckWhole(int descriptor, const QString &suffix, const TReprint &reprint, const QString &shown)
{
    qint64 size = 0;
    if (CheckWritten(descriptor, shown, size) == TCheck::NoRoomLeft
        && !(size > 0 && reprint && SameSizeElsewhere(size, suffix, reprint, shown)))
        FailWrite(shown, ENOSPC);
}

QByteArray ReadAll(int descriptor, const QString &shown)
{
    struct stat info {};
    if (::fstat(descriptor, &info) != 0)
        FailWrite(shown, errno);
    QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(descriptor, bytes.data() + done, size_t(bytes.size() - done), off_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            FailWrite(shown, got < 0 ? errno : EIO);
        done += qsizetype(got);
    }
    return bytes;
}

// Every byte is written or the errno is reported: the system may take fewer than asked.
void WriteAll(int descriptor, const QByteArray &bytes, const QString &shown)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(descriptor, bytes.constData() + done, size_t(bytes.size() - done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            FailWrite(shown, put < 0 ? errno : EIO);
        done += qsizetype(put);
    }
}

// The engine's file with the resolution in its header; other formats are left alone.
void StampInPlace(int descriptor, double dpi, const QString &shown)
{
    QByteArray bytes = ReadAll(descriptor, shown);
    if (!StampResolutionBytes(bytes, dpi, shown))
        return;
    if (::lseek(descriptor, 0, SEEK_SET) != 0)
        FailWrite(shown, errno);
    WriteAll(descriptor, bytes, shown);
    if (::ftruncate(descriptor, off_t(bytes.size())) != 0)
        FailWrite(shown, errno);
}

} // namespace

TSaveTarget::TSaveTarget(const QString &fileName, bool toStdout, qsizetype engineNameLimit)
    : FFileName(fileName)
{
    if (toStdout || fileName == QLatin1String("-"))
        return;
    const QByteArray encoded = QFile::encodeName(fileName);
    const QString suffix = EngineSuffix(fileName);
    FIntoDevice = IsSpecialFile(encoded) || (::access(encoded.constData(), F_OK) == 0 && LeadsIntoProc(encoded));
    if (!FIntoDevice) {
        if (IsReadOnlyFile(encoded)) {
            FWay = TWay::InPlace;
            return;
        }
        auto beside = std::make_unique<TWorkFile>(QFileInfo(fileName).path(), suffix);
        if (!beside->IsOpen()) {
            FWay = TWay::InPlace;
            return;
        }
        if (QFile::encodeName(beside->Path()).size() < engineNameLimit) {
            FWay = TWay::Rename;
            FEngineFile = std::move(beside);
            return;
        }
        FPlaceFile = std::move(beside);
    }
    FWay = TWay::Copy;
    FEngineFile = std::make_unique<TWorkFile>(QDir::tempPath(), suffix);
    if (!FEngineFile->IsOpen())
        throw EBarcodeError(QStringLiteral("No temporary file for writing to \"%1\": %2")
                                .arg(Native(fileName), qt_error_string(FEngineFile->Error())));
}

TSaveTarget::~TSaveTarget() = default;

QString TSaveTarget::EngineFileName() const
{
    return FEngineFile ? FEngineFile->Path() : FFileName;
}

void TSaveTarget::Finish(const TReprint &reprint, double dpi)
{
    const QString suffix = EngineSuffix(FFileName);
    switch (FWay) {
    case TWay::Stdout:
        return;
    case TWay::InPlace:
        FinishInPlace(reprint, dpi);
        return;
    case TWay::Rename:
    case TWay::Copy:
        break;
    }
    CheckWhole(FEngineFile->Descriptor(), suffix, reprint, FFileName);
    if (!FIntoDevice && dpi > 0)
        StampInPlace(FEngineFile->Descriptor(), dpi, FFileName);

    TWorkFile *placed = FEngineFile.get();
    if (FWay == TWay::Copy) {
        const QByteArray bytes = ReadAll(FEngineFile->Descriptor(), FFileName);
        if (FIntoDevice) {
            QFile device(FFileName);
            if (!device.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                throw EBarcodeError(QStringLiteral("The file \"%1\" could not be written: %2")
                                        .arg(Native(FFileName), device.errorString()));
            WriteAll(int(device.handle()), bytes, FFileName);
            return;
        }
        WriteAll(FPlaceFile->Descriptor(), bytes, FFileName);
        placed = FPlaceFile.get();
    }
    placed->TakeModeOf(FFileName);
    if (const int error = placed->MoveTo(FFileName))
        FailWrite(FFileName, error);
}

// The engine wrote the target itself: the file is checked where it is, and only a resolution
// is put in by rewriting it.
void TSaveTarget::FinishInPlace(const TReprint &reprint, double dpi) const
{
    const QByteArray encoded = QFile::encodeName(FFileName);
    const int descriptor = ::open(encoded.constData(), O_RDWR | O_CLOEXEC);
    if (descriptor < 0) {
        // Written, but not ours to check (a file we may only create): as much as can be said.
        if (!QFileInfo(FFileName).isFile() || QFileInfo(FFileName).size() <= 0)
            throw EBarcodeError(QStringLiteral("The file \"%1\" could not be written completely (is the disk full?)")
                                    .arg(Native(FFileName)));
        return;
    }
    struct TClose {
        int Descriptor;
        ~TClose() { ::close(Descriptor); }
    } closeAtEnd{descriptor};
    CheckWhole(descriptor, EngineSuffix(FFileName), reprint, FFileName);
    if (dpi > 0)
        StampInPlace(descriptor, dpi, FFileName);
}
