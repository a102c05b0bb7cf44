#pragma once

#include <QString>

// One entry of the format list of "Save As ...": the code shown in the list, the dialog's
// filter (description, bar, patterns), the dialog's default extension, and the extension that a
// save to a given path appends. The all-formats entry has no default extension or appended
// extension of its own.
struct TSaveFormat
{
    const char *Code;
    const char *Filter;
    const char *DefaultExt;
    const char *Extension;
    bool Raster; // a picture of pixels, as the preview shows it
};

// The program's formats (barcode/FileFormats.h) in list order, then "ALL".
constexpr int SaveFormatCount = 10;
extern const TSaveFormat SaveFormats[SaveFormatCount + 1];

// The format whose code equals `code` exactly (same case, whole text), the first one in table
// order; nullptr when none does. With `includeAll` the "ALL" entry can match too.
const TSaveFormat *FindSaveFormat(const QString &code, bool includeAll);
