#pragma once

#include "barcode/Barcode.h"

#include <QString>
#include <QStringList>

// Every setting of a symbol that the program offers, described once. The window's controls and
// its options area, the command line, the settings memory and "Copy as command line" are all
// read from these rows, so they offer the same options with the same names, ranges and defaults.
//
// A value is a number in every kind: a switch is 0 or 1, a colour 0xRRGGBB, a choice the
// number of its entry. Its text form is the command line's: "2", "0.5", "FF0000".

enum class TOptionKind : quint8 {
    Switch,  // --name, no value
    Integer, // --name=N in a range
    Decimal, // --name=X.Y in a range
    Colour,  // --name=RRGGBB
    Choice   // one switch per entry (--square, --dmre); the first entry has none
};

// Where the window shows an option: among the controls for every symbol, or in the options area
// of the symbologies it applies to (and remembered per symbology).
enum class TOptionPlace : quint8 { Appearance, Symbology };

struct TOptionChoice
{
    int Value;
    const char *Switch;  // command-line switch that selects it; nullptr for the first
    const char *Caption; // in the window, English
};

struct TBarcodeOption
{
    const char *Name;        // command-line long name and settings key, as the zint tool spells it
    const char *Caption;     // the options area's label, English, with its access key; nullptr
                             // where the window has a control of its own (the look)
    const char *Hint;        // the window's tooltip, English
    const char *EngineField; // the record field that the value ends in
    TOptionKind Kind;
    TOptionPlace Place;
    double Default;          // the program's start value (window and command line alike)
    double Minimum;          // Integer/Decimal: the widest range; the symbology may narrow it
    double Maximum;
    const TOptionChoice *Choices; // Choice entries, or named Integer values (nullptr: none)
    int ChoiceCount;
    double (*Read)(const TBarcode &barcode);
    void (*Write)(TBarcode &barcode, double value);
    // Whether the option means something to the symbology, given the engine's capabilities.
    bool (*AppliesTo)(TSymbology symbology, TCapabilities capabilities);
    // The range for one symbology (Integer only; nullptr: Minimum to Maximum for all).
    void (*RangeFor)(TSymbology symbology, int &minimum, int &maximum);
};

// The rows in the order in which the window shows them and the help lists them.
// Only those the engine this program was built for has.
const QList<const TBarcodeOption *> &BarcodeOptions();
// All rows, those the engine lacks too (for controls that keep their names across engines).
const QList<const TBarcodeOption *> &EveryBarcodeOption();
const TBarcodeOption *FindBarcodeOption(const QString &name);
// False for options that the engine this program was built for lacks (a record field or flag
// its header does not have); such options are not offered anywhere.
bool OptionAvailable(const TBarcodeOption &option);

// The range an Integer option takes with `symbology`.
void OptionRange(const TBarcodeOption &option, TSymbology symbology, int &minimum, int &maximum);

// The value read from its command-line text, checked by kind and range: "" when it is fine,
// else the one sentence to show (naming the option and what it takes).
QString ParseOptionValue(const TBarcodeOption &option, TSymbology symbology, const QString &text,
                         double &value);
// The command-line text of a value (the form ParseOptionValue reads).
QString OptionValueText(const TBarcodeOption &option, double value);
// The command-line arguments that give `value`: {"--secure=2"}, {"--square"}, {"--notext"};
// none for the default.
QStringList OptionArguments(const TBarcodeOption &option, double value);

// Every option at its default, symbology and data untouched: the symbol as the program starts.
void ApplyOptionDefaults(TBarcode &barcode);
// Only the options placed in the options area, at their defaults.
void ResetSymbologyOptions(TBarcode &barcode);

// The caption of a named Integer value ("M" for error correction 2 of QR Code); empty when the
// value has no name of its own.
QString OptionValueCaption(const TBarcodeOption &option, TSymbology symbology, int value);

// The symbologies the window's list offers (the catalogue's first 95); the command line takes
// all of them.
bool OfferedInWindow(TSymbology symbology);
