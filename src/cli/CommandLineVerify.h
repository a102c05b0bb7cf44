#pragma once

#include <QList>
#include <QString>

class TBarcode;

// --verify: files just written, read back with the independent reader.
struct TWrittenFile
{
    QString FileName;
    QString Data;
};

struct TReadBackProblem
{
    QString FileName;
    QString Message; // the reader's verdict
    bool Fails = true; // false: the format cannot be read back, which fails nothing
};

// The files among `files` that do not read back as their data, and those not read back at all.
using TReadBackWritten = QList<TReadBackProblem> (*)(const TBarcode &barcode, const QList<TWrittenFile> &files);

// The independent reader's answer (ZXing): only the full program links it.
QList<TReadBackProblem> ReadBackWritten(const TBarcode &barcode, const QList<TWrittenFile> &files);
