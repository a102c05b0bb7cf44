#pragma once

#include <QByteArrayView>

// The offset of the first byte of `bytes` that is not part of well-formed UTF-8 (no overlong
// forms, no surrogates, nothing above U+10FFFF, no sequence cut short), or -1 when every byte
// is. `multibyte`, when given, is set when a sequence of two bytes or more was met.
qsizetype FirstNonUtf8Byte(QByteArrayView bytes, bool *multibyte = nullptr);
