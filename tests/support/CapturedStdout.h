#pragma once

#include <QFile>
#include <QString>

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

// Standard output goes into a file while the object lives.
class TCapturedStdout
{
public:
    explicit TCapturedStdout(const QString &path)
    {
        std::fflush(stdout);
        FSaved = ::dup(STDOUT_FILENO);
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, STDOUT_FILENO);
        ::close(fd);
    }
    ~TCapturedStdout()
    {
        std::fflush(stdout);
        ::dup2(FSaved, STDOUT_FILENO);
        ::close(FSaved);
    }
    TCapturedStdout(const TCapturedStdout &) = delete;
    TCapturedStdout &operator=(const TCapturedStdout &) = delete;

private:
    int FSaved;
};
