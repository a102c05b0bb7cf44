#pragma once

#include <QByteArray>
#include <QSize>
#include <QSizeF>
#include <QString>

// Sizes on paper. The engine's raster output draws one module (one X-dimension) as 2 x Scale
// pixels, and never less than one pixel (Scale 0.5).

// The Scale whose modules are `xDimensionMm` wide at `dpi`, rounded to a whole number of pixels
// per module (at least one), so that every module is equally wide. EBarcodeError when either
// value is zero, negative or not finite.
float ScaleForXDimension(double xDimensionMm, double dpi);
// The X-dimension, in millimetres, that `scale` draws at `dpi`.
double XDimensionAtScale(float scale, double dpi);

struct TPhysicalSize
{
    QSize Pixels;
    QSizeF Millimetres;
};

// What an image of `pixels` (the component's Bitmap) measures printed at `dpi`.
TPhysicalSize PhysicalSizeOf(const QSize &pixels, double dpi);
// How many modules wide and high an image of `pixels` drawn at `scale` is (quiet zones,
// border and text included).
QSizeF ModulesOf(const QSize &pixels, float scale);

// Writes `dpi` into the resolution fields of the file the engine wrote: BMP (pixels per metre),
// PCX (dots per inch), PNG (a pHYs chunk) and TIF (X/YResolution in inches). Formats without
// such a field (GIF, TXT) and vector formats (SVG, EPS, EMF, whose sizes are in their own units)
// are left as they are: the result is false. EBarcodeError for a dpi that is not positive, a file
// that cannot be read or written, or a file damaged in the fields it needs.
bool StampResolution(const QString &fileName, double dpi);
// The same on the file's bytes; `fileName` names it in the messages.
bool StampResolutionBytes(QByteArray &bytes, double dpi, const QString &fileName);
