#pragma once

#include "barcode/Barcode.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

struct TBarcodeOption;

// The program's command line: what it asks for, read without running anything. Its messages
// are English, like the messages of other command-line tools.

// Exit codes of the command-line mode.
constexpr int ExitSuccess = 0;
constexpr int ExitFailure = 1; // something could not be read or written
constexpr int ExitUsage = 2;   // the command line itself is wrong

enum class TCommandAction { Help, Version, List, Single, Batch, Invalid };

struct TCommandLine
{
    TCommandAction Action = TCommandAction::Invalid;
    QString Error; // with Invalid: what is wrong, one sentence

    TSymbology Symbology = syQRCode;
    QString Data;
    QString Primary;
    // The options given, each with its checked value, in the order of the option table; the
    // others keep their defaults.
    QList<QPair<const TBarcodeOption *, double>> Settings;
    QString Output;    // Single: the file to write
    QString BatchFile; // Batch: the text file of strings, one per line, or a table
    // Batch from a table: the column of the data and that of the file names, by number (from 1)
    // or, with Header, by the name in the first row; empty: one string per line, names from the
    // data.
    QString Column;
    QString NameColumn;
    bool Header = false; // the table's first row names the columns
    QString Folder;    // Batch: the folder to write into
    QString Format = QStringLiteral("bmp"); // Batch: the extension of the files, without a dot
    bool Verify = false; // read back what was written
    bool Transparent = false; // a background that lets through what lies behind
};

// `arguments` as QCoreApplication::arguments() gives them, the program's path first.
TCommandLine ParseCommandLine(const QStringList &arguments);

// The same from the process's own argument bytes. An argument that is not UTF-8 is refused,
// naming the argument and the byte's position: read any other way, its text would be encoded or
// its file written under another name than the one given.
TCommandLine ParseCommandLine(int argc, const char *const argv[]);

// True when the command line writes PDF pages (one file or a batch), which are drawn with the
// fonts of a GUI application.
bool WritesPdf(const TCommandLine &line);

// The text of --help.
QString CommandLineHelp();

// The file formats the engine writes, by extension (lower case, without a dot).
QStringList OutputFormats();
