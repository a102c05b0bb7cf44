#pragma once

#include "barcode/Barcode.h"

// What the independent reader knows about each symbology and what a scanner expects of it: the
// reader's formats, how its answer is compared with the data, the quiet zones and the usual
// range of the X-dimension.

// How the reader's text is compared with the data that was asked for.
enum class TScanRule : quint8 {
    None,      // the reader does not know the symbology
    Exact,     // the same text
    Upper,     // the symbology has no lower case: the data upper-cased
    Digits,    // EAN/UPC/ISBN/ITF: leading zeros and one added check digit allowed, add-ons
    Gs1,       // GS1 element strings: brackets against the reader's separators
    Gtin,      // a number behind a fixed AI (01 or 00), check digit added
    Hibc,      // "+" in front and a check character behind, upper case
    Codabar,   // the start and stop characters are not part of the reader's text
    Code32,    // the Italian pharmacy code, carried in base 32
    Pzn,       // "-" in front (some readers answer "PZN"), check digit added
};

struct TScanProfile
{
    int Formats = 0;            // ZXing::BarcodeFormats bits; 0: no reader
    TScanRule Rule = TScanRule::None;
    bool Code39Extended = false; // the reader must decode Code 39's full-ASCII pairs
    quint8 QuietLeft = 0;        // the least quiet zone each side, in modules (0: no rule)
    quint8 QuietRight = 0;
    float XMinMm = 0.0f;         // the usual range of the X-dimension (0: no rule)
    float XMaxMm = 0.0f;
    const char *CharacterSet = nullptr; // the data's character set when the symbol does not say
};

const TScanProfile &ScanProfile(TSymbology symbology);
