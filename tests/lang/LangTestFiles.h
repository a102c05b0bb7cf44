#pragma once

#include "support/FileBytes.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

// Language files for tests, built byte by byte so that the encoding is exactly what the test says.

inline QByteArray Utf16Le(const QString &text, bool withMark = true)
{
    QByteArray bytes;
    if (withMark)
        bytes.append("\xFF\xFE", 2);
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

inline QByteArray Utf16Be(const QString &text)
{
    QByteArray bytes("\xFE\xFF", 2);
    for (QChar c : text) {
        bytes.append(char(c.unicode() >> 8));
        bytes.append(char(c.unicode() & 0xFF));
    }
    return bytes;
}

inline void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

