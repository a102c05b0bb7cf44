#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

// Reading the strings of a batch: a text file or clipboard text, one string per line.

// The text of a whole file. A byte-order mark picks the encoding, tested in this order: UTF-16
// little-endian, UTF-16 big-endian, UTF-8; the mark itself is not part of the text. Without a
// mark the bytes are taken in the system's 8-bit encoding. A NUL character ends the text.
QString DecodeBatchFile(const QByteArray &bytes);

// The lines of `text`: they end at CR LF, at a lone LF or at a lone CR; a line break at the very
// end adds no empty line; empty lines inside the text are kept. A NUL character ends the text.
QStringList SplitBatchLines(QStringView text);

// `text` without the blanks (characters of code 32 or less) at both ends.
QString TrimBatchLine(const QString &text);
