#include "barcode/WorkFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstring>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int RandomLetters = 8;
constexpr qint64 StrayAfterSeconds = 60;

QString RandomPart()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString text;
    text.reserve(RandomLetters);
    for (int i = 0; i < RandomLetters; ++i)
        text.append(QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]));
    return text;
}

} // namespace

TWorkFile::TWorkFile(const QString &folder, const QString &suffix, TStart start)
{
    static const QString pid = QString::number(::getpid());
    const QString begin = (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'))
                          + Prefix() + pid + QLatin1Char('-');
    // Another writer may have taken a name between the draw and the creation: draw again.
    for (int attempt = 0; attempt < 16; ++attempt) {
        FPath = begin + RandomPart() + suffix;
        FEncodedPath = QFile::encodeName(FPath);
        if (start == NameOnly)
            return;
        FDescriptor = ::open(FEncodedPath.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (FDescriptor >= 0)
            return;
        FError = errno;
        if (FError != EEXIST)
            break;
    }
    FEncodedPath.clear(); // nothing of ours to remove
}

TWorkFile::~TWorkFile()
{
    if (FDescriptor >= 0)
        ::close(FDescriptor);
    if (!FEncodedPath.isEmpty())
        ::unlink(FEncodedPath.constData());
}

bool TWorkFile::Open()
{
    if (FDescriptor < 0)
        FDescriptor = ::open(FEncodedPath.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    FError = FDescriptor < 0 ? errno : 0;
    return FDescriptor >= 0;
}

bool TWorkFile::Look(TLook &look)
{
    struct stat info {};
    if (::lstat(FEncodedPath.constData(), &info) != 0)
        FError = errno;
    else if (!S_ISREG(info.st_mode))
        FError = S_ISLNK(info.st_mode) ? ELOOP : EINVAL;
    else
        FError = 0;
    if (FError == 0)
        look = {qint64(info.st_size), unsigned(info.st_mode & 07777), unsigned(info.st_uid), unsigned(info.st_gid)};
    return FError == 0;
}

void TWorkFile::TakeMode(unsigned mode, unsigned owner, unsigned group) const
{
    // Owner first: changing it may clear the set-id bits that the mode then puts back.
    if (::fchown(FDescriptor, uid_t(owner), gid_t(group)) != 0) {
        // Only the privileged may give a file away: the new file stays the user's own.
    }
    ::fchmod(FDescriptor, mode_t(mode & 07777));
}

int TWorkFile::MoveTo(const QString &fileName)
{
    if (::rename(FEncodedPath.constData(), QFile::encodeName(fileName).constData()) != 0)
        return errno;
    FEncodedPath.clear();
    return 0;
}

bool IsStrayWorkFile(const QString &name, qint64 secondsSinceModified)
{
    if (!name.startsWith(TWorkFile::Prefix()) || secondsSinceModified < StrayAfterSeconds)
        return false;
    const qsizetype start = TWorkFile::Prefix().size();
    const qsizetype dash = name.indexOf(QLatin1Char('-'), start);
    if (dash <= start || name.size() < dash + 1 + RandomLetters)
        return false;
    bool ok = false;
    const qint64 pid = name.mid(start, dash - start).toLongLong(&ok);
    if (!ok || pid <= 0 || pid > INT_MAX)
        return false;
    // Our own files are never strays; another program's only once it has ended.
    if (pid == ::getpid())
        return false;
    return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

void RemoveStrayWorkFiles(const QString &folder)
{
    const QByteArray encoded = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    const int descriptor = ::open(encoded.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    DIR *entries = ::fdopendir(descriptor);
    if (entries == nullptr) {
        ::close(descriptor);
        return;
    }
    const QByteArray prefix = QByteArray(TWorkFile::Prefix().data(), TWorkFile::Prefix().size());
    const std::time_t now = std::time(nullptr);
    while (const dirent *entry = ::readdir(entries)) {
        if (std::strncmp(entry->d_name, prefix.constData(), size_t(prefix.size())) != 0)
            continue;
        struct stat info {};
        if (::fstatat(descriptor, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode))
            continue;
        if (IsStrayWorkFile(QFile::decodeName(entry->d_name), qint64(now - info.st_mtime)))
            ::unlinkat(descriptor, entry->d_name, 0);
    }
    ::closedir(entries);
}
