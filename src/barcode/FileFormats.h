#pragma once

#include <QString>
#include <QStringList>

// The file formats the program writes, described once: the window's Save As list, its file
// dialog and the command line read them from here. The engine writes all but PDF, which the
// program draws from the engine's shapes.
struct TFileFormat
{
    const char *Code;        // as the Save As list shows it: the extension in capitals
    const char *Description; // the file dialog's name of it
    bool Raster;             // a picture of pixels, as the preview shows it
};

// In the order of the Save As list; PNG, TIF and then PDF come after the first seven so that the
// places of the earlier ones in the list stay as they were.
inline constexpr TFileFormat WrittenFileFormats[] = {
    {"BMP", "Bitmap", true},
    {"EMF", "Enhanced Metafile", false},
    {"EPS", "Encapsulated PostScript", false},
    {"GIF", "GIF", true},
    {"PCX", "PCX", true},
    {"TXT", "Text", false},
    {"SVG", "Scalable Vector Graphics", false},
    {"PNG", "Portable Network Graphics", true},
    {"TIF", "Tagged Image File Format", true},
    {"PDF", "Portable Document Format", false},
};
inline constexpr int WrittenFileFormatCount = int(sizeof WrittenFileFormats / sizeof WrittenFileFormats[0]);

// The extension of a format, lower case and without a dot ("bmp").
QString FileExtension(const TFileFormat &format);
// Every format's extension, in list order.
QStringList FileExtensions();
