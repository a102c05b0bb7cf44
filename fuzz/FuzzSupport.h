#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

// A broken property is a finding just like a crash: print what failed and abort, so libFuzzer
// saves the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "fuzz check failed at %s:%d: %s\n", __FILE__, __LINE__,         \
                         #condition);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// Raw bytes as UTF-16 code units, little-endian: reaches texts that no UTF-8 decoder produces
// (unpaired surrogates, NUL, U+FFFE).
inline QString Utf16FromBytes(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        text.append(QChar(char16_t(uchar(bytes.at(i)) | (uchar(bytes.at(i + 1)) << 8))));
    return text;
}

// The one scratch language file of a fuzz run, in a folder of its own.
inline const QString &FuzzLangFilePath()
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("Fuzz.lng"));
    return path;
}

inline void WriteFuzzLangFile(const QByteArray &bytes)
{
    QFile file(FuzzLangFilePath());
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
}
