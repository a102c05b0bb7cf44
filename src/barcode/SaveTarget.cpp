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

// A file at or over the file-size limit may have stopped there: the system refuses every byte
// beyond it, and the engine does not look.
void CheckSizeLimit(qint64 size, const QString &shown)
{
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY
        && quint64(size) >= quint64(limit.rlim_cur))
        FailWrite(shown, EFBIG);
}

// File systems give room in whole blocks (multiples of 512 bytes): a write that finds no room
// for its next block stops where the last one ended, so a file that a full disk or a quota cut
// short ends on a block boundary. A file that ends elsewhere ended where the engine stopped.
bool MayEndWhereRoomDid(qint64 size)
{
    return size % 512 == 0;
}

// Whether the engine's file (open as `descriptor`) can have been cut short: 0 when it is whole,
// ENOSPC or EDQUOT when it ends on a block boundary and the file system takes not one byte more,
// so that it may have ended where the room did. The engine writes through buffered streams and
// drops what the system refuses; a file that stopped at the file-size limit is cut, and any other
// refusal of the probing byte is a fault of the file system itself. `shown` is the target's name
// for the messages.
int RoomAfter(int descriptor, const QString &shown, qint64 &size)
{
    struct stat info {};
    if (::fstat(descriptor, &info) != 0)
        FailWrite(shown, errno);
    size = qint64(info.st_size);
    CheckSizeLimit(size, shown);
    if (!MayEndWhereRoomDid(size))
        return 0;
    const char probe = '\n';
    if (::pwrite(descriptor, &probe, 1, off_t(size)) == 1) {
        if (::ftruncate(descriptor, off_t(size)) != 0)
            FailWrite(shown, errno);
        if (size == 0)
            throw EBarcodeError(QStringLiteral("The file \"%1\" could not be written: the engine wrote nothing")
                                    .arg(Native(shown)));
        return 0;
    }
    const int error = errno;
    if (error != ENOSPC && error != EDQUOT)
        FailWrite(shown, error);
    return error;
}

// A file that ends where the disk did is whole when the engine, printing it again where there
// is room, writes as many bytes. Without such room nobody can tell, and it counts as cut short.
bool SameSizeElsewhere(qint64 size, const QString &suffix, const TReprint &reprint, const QString &shown)
{
    for (const QString &folder : {QDir::tempPath(), QStringLiteral("/dev/shm")}) {
        if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
            continue;
        TWorkFile scratch(folder, suffix, TWorkFile::NameOnly);
        reprint(scratch.Path());
        qint64 scratchSize = 0;
        if (scratch.Open() && RoomAfter(scratch.Descriptor(), shown, scratchSize) == 0)
            return scratchSize == size;
    }
    return false;
}

void CheckWhole(int descriptor, const QString &suffix, const TReprint &reprint, const QString &shown)
{
    qint64 size = 0;
    const int error = RoomAfter(descriptor, shown, size);
    if (error != 0 && !(size > 0 && reprint && SameSizeElsewhere(size, suffix, reprint, shown)))
        FailWrite(shown, error);
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
    // One look at a new name; an existing one is looked at through its link, if it is one.
    struct stat info {};
    bool exists = ::lstat(encoded.constData(), &info) == 0;
    if (exists && S_ISLNK(info.st_mode)) {
        FIntoDevice = LeadsIntoProc(encoded);
        exists = ::stat(encoded.constData(), &info) == 0;
    }
    // A device, FIFO or socket: something that exists and is no regular file and no folder.
    FIntoDevice = FIntoDevice || (exists && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode));
    if (!FIntoDevice) {
        // A regular file that we may not write is left to the engine to refuse, rather than a
        // rename replacing a file that its owner made read-only.
        if (exists && S_ISREG(info.st_mode) && ::access(encoded.constData(), W_OK) != 0) {
            FWay = TWay::InPlace;
            return;
        }
        if (exists && S_ISREG(info.st_mode))
            FMode = {true, info.st_mode, info.st_uid, info.st_gid};
        // A folder that takes no new files leaves the engine to write an existing target itself.
        // A new name is not looked up: where no work file can be made, the target cannot be
        // either, and the engine says so in the same words.
        const QString folder = QFileInfo(fileName).path();
        if (exists && ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0) {
            FWay = TWay::InPlace;
            return;
        }
        auto beside = std::make_unique<TWorkFile>(folder, suffix, TWorkFile::NameOnly);
        if (QFile::encodeName(beside->Path()).size() < engineNameLimit) {
            FWay = TWay::Rename;
            FEngineFile = std::move(beside);
            return;
        }
        // No room in the engine's name field: the engine writes elsewhere, we copy beside.
        FPlaceFile = std::make_unique<TWorkFile>(folder, suffix, TWorkFile::Create);
        if (!FPlaceFile->IsOpen())
            throw EBarcodeError(QStringLiteral("The file \"%1\" could not be written: %2")
                                    .arg(Native(fileName), qt_error_string(FPlaceFile->Error())));
    }
    FWay = TWay::Copy;
    const QString scratch = QDir::tempPath();
    if (::access(QFile::encodeName(scratch).constData(), W_OK | X_OK) != 0)
        throw EBarcodeError(QStringLiteral("No temporary file for writing to \"%1\": %2")
                                .arg(Native(fileName), qt_error_string(errno)));
    FEngineFile = std::make_unique<TWorkFile>(scratch, suffix, TWorkFile::NameOnly);
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
    if (FWay == TWay::Rename && dpi <= 0) {
        // Most of a batch: the engine's bytes as they are, in a file that cannot have been cut
        // short and has the mode it needs, put in place without being opened.
        TWorkFile::TLook look;
        if (!FEngineFile->Look(look))
            FailWrite(FFileName, FEngineFile->Error());
        if (!MayEndWhereRoomDid(look.Size) && !FMode.Differs(look)) {
            CheckSizeLimit(look.Size, FFileName);
            if (const int error = FEngineFile->MoveTo(FFileName))
                FailWrite(FFileName, error);
            return;
        }
    }
    if (!FEngineFile->Open())
        FailWrite(FFileName, FEngineFile->Error());
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
    if (FMode.Known)
        placed->TakeMode(FMode.Mode, FMode.Owner, FMode.Group);
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
