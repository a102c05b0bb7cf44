#pragma once

#include <QString>
#include <QtGlobal>

// How much outside text the program takes in at once: data typed, pasted or given on the command
// line, batch files, clipboard text and language files. Beyond these limits the text is refused
// with a message; nothing is loaded in part.

// The engine takes at most 17,400 bytes of data for one symbol (ZINT_MAX_DATA_LEN), and an escape
// sequence spends at most 8 characters on one byte ("\U000041"), so no symbology can use more than
// 139,200 characters. The limit leaves a margin above that; the engine binding checks it.
constexpr qsizetype MaxDataLength = 256 * 1024; // characters

// A batch file or a language file holds many texts, but more than this is no list anybody made.
constexpr qint64 MaxTextFileSize = qint64(128) * 1024 * 1024; // bytes

// The most strings the batch window makes into a list itself (a number sequence): a list of a
// million still fills in seconds and scrolls smoothly; more belongs in a file for the command line.
constexpr qsizetype MaxSequenceStrings = 1000 * 1000;

// A size for messages: "128 MiB", "256 KiB", "512 bytes".
QString LimitText(qint64 bytes);
