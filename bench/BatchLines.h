#pragma once

#include <QString>

// The strings of the batch benchmarks: URLs with a serial number, each a little different, as
// labels of a product range would carry.
inline QString BatchLine(int i)
{
    return QStringLiteral("ITEM-%1-https://example.org/p?id=%2&ref=batch-%3")
        .arg(i, 6, 10, QChar(u'0'))
        .arg(i * 7919 % 1000003)
        .arg(i);
}
