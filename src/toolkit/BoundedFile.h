#pragma once

#include <QByteArray>
#include <QString>

// Reading a whole file whose size is not to be trusted: at most `limit` bytes are ever held, so
// /dev/zero, an endless pipe or a huge file cannot exhaust the memory.

struct TBoundedRead
{
    enum TResult { Read, NotRegular, TooLarge, Failed };
    TResult Result = Failed;
    QByteArray Bytes;  // Read only
    QString Error;     // Failed: the system's reason
};

// With `regularOnly` a device, FIFO or socket is refused before it is opened (opening a FIFO
// would wait for a writer). Otherwise a stream is read until its end or until it passes `limit`.
TBoundedRead ReadBoundedFile(const QString &path, qint64 limit, bool regularOnly);

// The same from the process's standard input, from where it stands to its end: a pipeline's
// list, a redirected file or a terminal until end of input.
TBoundedRead ReadBoundedStandardInput(qint64 limit);
