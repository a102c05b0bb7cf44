#include "app/SaveFormats.h"

const TSaveFormat SaveFormats[SaveFormatCount + 1] = {
    {"BMP", "Bitmap (*.bmp)|*.bmp", "bmp", ".bmp"},
    {"EMF", "Enhanced Metafile (*.emf)|*.emf", "emf", ".emf"},
    {"EPS", "Encapsulated PostScript (*.eps)|*.eps", "eps", ".eps"},
    {"GIF", "GIF (*.gif)|*.gif", "gif", ".gif"},
    {"PCX", "PCX (*.pcx)|*.pcx", "pcx", ".pcx"},
    {"TXT", "Text (*.txt)|*.txt", "txt", ".txt"},
    {"SVG", "Scalable Vector Graphics (*.svg)|*.svg", "svg", ".svg"},
    {"PNG", "Portable Network Graphics (*.png)|*.png", "png", ".png"},
    {"TIF", "Tagged Image File Format (*.tif)|*.tif", "tif", ".tif"},
    {"ALL", "All available formats | *.bmp;*.emf;*.eps;*.gif;*.pcx;*.txt;*.svg;*.png;*.tif", nullptr, nullptr},
};

const TSaveFormat *FindSaveFormat(const QString &code, bool includeAll)
{
    const int count = includeAll ? SaveFormatCount + 1 : SaveFormatCount;
    for (int i = 0; i < count; ++i) {
        if (code == QLatin1String(SaveFormats[i].Code))
            return &SaveFormats[i];
    }
    return nullptr;
}
