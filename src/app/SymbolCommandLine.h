#pragma once

#include <QString>
#include <QStringList>

class TBarcode;

// "Copy as command line": the program's command that writes the symbol the window shows.

// The arguments that make the command line write `barcode` to `outputFile`: the symbology, the
// data, the primary message where there is one, and every option whose value differs from the
// default (those of the symbology's options area only where the symbology takes them).
QStringList SymbolArguments(const TBarcode &barcode, const QString &outputFile);

// The words joined for a POSIX shell: each word that needs it in single quotes.
QString ShellCommand(const QStringList &words);
