#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Reading the strings of a batch: a text file or clipboard text, one string per line.

// The text of a whole file. A byte-order mark picks the encoding, tested in this order: UTF-16
// little-endian, UTF-16 big-endian, UTF-8; the mark itself is not part of the text. Without a
// mark, text whose every second byte is zero is UTF-16 (the zero bytes tell the byte order);
// other text is UTF-8, and a file with no UTF-8 sequence at all is taken byte by byte (Latin-1).
// In a UTF-8 file the lines that hold bytes that are not UTF-8 are taken byte by byte and named.
// A NUL character ends the text; NUL characters followed by more data make the file binary.
struct TBatchDecoded
{
    QString Text;
    bool Binary = false;            // no text: the file holds NUL characters amid its data
    QList<qsizetype> StrayLines;    // lines (from 1) read byte by byte in a UTF-8 file
};

TBatchDecoded DecodeBatchText(const QByteArray &bytes);

// The text alone (empty for a binary file).
QString DecodeBatchFile(const QByteArray &bytes);

// A batch file read whole, never more than MaxTextFileSize bytes (a FIFO or a device such as
// /dev/stdin is read until its end, /dev/zero only up to the limit). Without `Loaded`, `Reason`
// says why (a clause such as "it is not a text file ..."), and nothing is to be loaded.
struct TBatchFile
{
    bool Loaded = false;
    QString Reason;
    QString Text;
    QList<qsizetype> StrayLines;
};

TBatchFile LoadBatchFile(const QString &path);
// The same from the standard input, read to its end.
TBatchFile LoadBatchStandardInput();

// "3, 7 and 12" for the stray lines of a file, at most ten of them named ("... and 5 more").
QString BatchLineList(const QList<qsizetype> &lines);

// The lines of `text`: they end at CR LF, at a lone LF or at a lone CR; a line break at the very
// end adds no empty line; empty lines inside the text are kept. A NUL character ends the text.
QStringList SplitBatchLines(QStringView text);

// `text` without the blanks (characters of code 32 or less) at both ends.
QString TrimBatchLine(const QString &text);
