#include "app/SymbolPrint.h"

#include "barcode/Barcode.h"
#include "toolkit/Exception.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>

double SymbolPrintDpi(const TBarcode &barcode)
{
    // The resolution written into saved files gives the symbol its size on paper too; without
    // one, the pixels are taken at the usual screen resolution.
    constexpr double ScreenDpi = 96.0;
    return barcode.Resolution() > 0 ? barcode.Resolution() : ScreenDpi;
}

bool PrintSymbol(QPrinter &printer, const QImage &picture, double dpi)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw Exception(QStringLiteral("Printing failed: the printer or its output file could not be opened"));
    // A JPEG-compressed or smoothed picture would blur the modules' edges.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const double pixel = printer.resolution() / dpi;
    QSizeF size(picture.width() * pixel, picture.height() * pixel);
    const QSizeF area = printer.pageRect(QPrinter::DevicePixel).size();
    const bool fits = size.width() <= area.width() && size.height() <= area.height();
    if (!fits)
        size.scale(area, Qt::KeepAspectRatio);
    painter.drawImage(QRectF(QPointF(0, 0), size), picture);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw Exception(QStringLiteral("Printing failed: the printer or its output file could not be opened"));
    return fits;
}
