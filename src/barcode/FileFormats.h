#pragma once

#include <QString>
#include <QStringList>

// The file formats the engine writes, described once: the window's Save As list, its file
// dialog and the command line read them from here.
struct TFileFormat
{
    const char *Code;        // as the Save As list shows it: the extension in capitals
    const char *Description; // the file dialog's name of it
    bool Raster;             // a picture of pixels, as the preview shows it
};

// In the order of the Save As list; PNG and TIF come after the first seven so that the places of
// those in the list stay as they were.
inline constexpr TFileFormat EngineFileFormats[] = {
    {"BMP", "Bitmap", true},
    {"EMF", "Enhanced Metafile", false},
    {"EPS", "Encapsulated PostScript", false},
    {"GIF", "GIF", true},
    {"PCX", "PCX", true},
    {"TXT", "Text", false},
    {"SVG", "Scalable Vector Graphics", false},
    {"PNG", "Portable Network Graphics", true},
    {"TIF", "Tagged Image File Format", true},
};
inline constexpr int EngineFileFormatCount = int(sizeof EngineFileFormats / sizeof EngineFileFormats[0]);

// The extension of a format, lower case and without a dot ("bmp").
QString FileExtension(const TFileFormat &format);
// Every format's extension, in list order.
QStringList FileExtensions();
