#pragma once

#include "barcode/Barcode.h"
#include "toolkit/Color.h"

#include <QImage>
#include <QList>
#include <QString>

// Reading a symbol back with an independent decoder (ZXing) and comparing what it finds with the
// data that was asked for, plus the warnings a printer of the symbol should hear before printing.

// What was asked for, and how it was drawn: taken from the component, so that the check can
// run on another thread while the component goes on.
struct TScanRequest
{
    TSymbology Symbology = syQRCode;
    QString Data;
    QString Primary;
    bool Gs1 = false;               // the data is in GS1 bracket form
    bool Parentheses = false;       // GS1 AIs in parentheses instead of brackets
    bool Escapes = false;           // the data holds backslash escapes that the engine resolves
    bool Linear = true;             // bars, not a matrix: light-on-dark matters to scanners
    int Rotation = 0;               // degrees the picture was turned
    TColor ForeColor = 0;
    TColor BackColor = 0xFFFFFF;
    int SymbolWidth = 0;            // in modules, as the engine laid the symbol out
    float Scale = 1.0f;
    bool Framed = false;            // a box or bind bars are drawn around the symbol
    int WhiteSpace = 0;             // modules of white space the settings ask for, horizontally
    TQuietZones QuietZones = qzDefault;
    double XDimensionMm = 0.0;      // with a physical size: the X-dimension on paper; else 0
};

// The request for what `barcode` draws now; it is drawn if it has to be (errors pass through).
TScanRequest ScanRequestOf(TBarcode &barcode, double xDimensionMm = 0.0);
// The same for reading back a file written from `barcode`'s settings with `data`: nothing is
// drawn, and the drawing's measures stay unknown.
TScanRequest FileScanRequest(const TBarcode &barcode, const QString &data);

enum class TScanOutcome : quint8 { ReadsBack, ReadsDifferently, DoesNotRead, NoReader };

enum class TScanWarningKind : quint8 { Contrast, LightOnDark, QuietZone, SmallModules, XDimension };

// A warning and the figures it names: the measured value and the limit it misses (for the
// X-dimension the limit is the range Limit..Limit2).
struct TScanWarning
{
    TScanWarningKind Kind;
    double Value = 0.0;
    double Limit = 0.0;
    double Limit2 = 0.0;

    bool operator==(const TScanWarning &other) const
    {
        return Kind == other.Kind && Value == other.Value && Limit == other.Limit && Limit2 == other.Limit2;
    }
};

struct TScanVerdict
{
    TScanOutcome Outcome = TScanOutcome::NoReader;
    QString Seen;   // what the reader saw when it differs; the reader's words when it failed
    QList<TScanWarning> Warnings;

    bool operator==(const TScanVerdict &other) const
    {
        return Outcome == other.Outcome && Seen == other.Seen && Warnings == other.Warnings;
    }
};

// True when the reader knows the symbology.
bool HasScanReader(TSymbology symbology);

// Decodes `picture` (the engine's bitmap, or a file's picture) and compares, without warnings.
TScanVerdict ReadBack(const QImage &picture, const TScanRequest &request);
// The same with the warnings about the drawn symbol.
TScanVerdict CheckPicture(const QImage &picture, const TScanRequest &request);

// Only the comparison: does `seen`, the reader's text, stand for the data asked for?
bool ReadsAsAsked(const TScanRequest &request, const QString &seen);
