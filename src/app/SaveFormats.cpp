#include "app/SaveFormats.h"

const TSaveFormat SaveFormats[SaveFormatCount + 1] = {
    {"BMP", "Bitmap (*.bmp)|*.bmp", "bmp", ".bmp", true},
    {"EMF", "Enhanced Metafile (*.emf)|*.emf", "emf", ".emf", false},
    {"EPS", "Encapsulated PostScript (*.eps)|*.eps", "eps", ".eps", false},
    {"GIF", "GIF (*.gif)|*.gif", "gif", ".gif", true},
    {"PCX", "PCX (*.pcx)|*.pcx", "pcx", ".pcx", true},
    {"TXT", "Text (*.txt)|*.txt", "txt", ".txt", false},
    {"SVG", "Scalable Vector Graphics (*.svg)|*.svg", "svg", ".svg", false},
    {"PNG", "Portable Network Graphics (*.png)|*.png", "png", ".png", true},
    {"TIF", "Tagged Image File Format (*.tif)|*.tif", "tif", ".tif", true},
    {"PDF", "Portable Document Format (*.pdf)|*.pdf", "pdf", ".pdf", false},
    {"ALL", "All available formats | *.bmp;*.emf;*.eps;*.gif;*.pcx;*.txt;*.svg;*.png;*.tif;*.pdf", nullptr, nullptr, false},
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
