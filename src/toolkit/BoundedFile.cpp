#include "toolkit/BoundedFile.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

// Reads an opened file to its end; `knownSize` is a regular file's size (-1 for a stream).
TBoundedRead ReadOpened(QFile &file, qint64 limit, qint64 knownSize)
{
    TBoundedRead read;
    // One byte more than the limit tells a stream that is too long from one that just fits;
    // a file that grew since its size was read is caught the same way.
    QByteArray bytes;
    bytes.resize(std::min<qint64>(limit, knownSize >= 0 ? knownSize : 64 * 1024) + 1);
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > limit)
                break;
            bytes.resize(std::min<qint64>(limit + 1, qint64(bytes.size()) * 2));
        }
        const qint64 got = file.read(bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            read.Error = file.errorString();
            return read;
        }
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > limit) {
        read.Result = TBoundedRead::TooLarge;
        return read;
    }
    bytes.truncate(filled);
    read.Bytes = std::move(bytes);
    read.Result = TBoundedRead::Read;
    return read;
}

} // namespace

TBoundedRead ReadBoundedFile(const QString &path, qint64 limit, bool regularOnly)
{
    TBoundedRead read;
    const QFileInfo info(path);
    if (regularOnly && info.exists() && !info.isFile()) {
        read.Result = TBoundedRead::NotRegular;
        return read;
    }
    // A regular file says its size: a larger one is refused without reading a byte.
    if (info.isFile() && info.size() > limit) {
        read.Result = TBoundedRead::TooLarge;
        return read;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        read.Error = file.errorString();
        return read;
    }
    return ReadOpened(file, limit, info.isFile() ? info.size() : -1);
}

TBoundedRead ReadBoundedStandardInput(qint64 limit)
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        TBoundedRead read;
        read.Error = input.errorString();
        return read;
    }
    return ReadOpened(input, limit, -1);
}
