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
    bool Transparency;       // can let through what lies behind a transparent background
    bool DrawnPage;          // drawn by the program from the engine's shapes (PDF)
};

// In the order of the Save As list; PNG, TIF and then PDF come after the first seven so that the
// places of the earlier ones in the list stay as they were.
inline constexpr TFileFormat WrittenFileFormats[] = {
    {"BMP", "Bitmap", true, false, false},
    {"EMF", "Enhanced Metafile", false, false, false},
    {"EPS", "Encapsulated PostScript", false, false, false},
    {"GIF", "GIF", true, true, false},
    {"PCX", "PCX", true, false, false},
    {"TXT", "Text", false, false, false},
    {"SVG", "Scalable Vector Graphics", false, true, false},
    {"PNG", "Portable Network Graphics", true, true, false},
    {"TIF", "Tagged Image File Format", true, true, false},
    {"PDF", "Portable Document Format", false, true, true},
};
inline constexpr int WrittenFileFormatCount = int(sizeof WrittenFileFormats / sizeof WrittenFileFormats[0]);

// The extension of a format, lower case and without a dot ("bmp").
QString FileExtension(const TFileFormat &format);
// Every format's extension, in list order.
QStringList FileExtensions();
// The format of a file name's extension (any case), or nullptr for one the program does not write.
const TFileFormat *FileFormatOf(const QString &fileName);
