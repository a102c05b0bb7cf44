#include "barcode/SymbolPdf.h"

#include "barcode/BarcodeError.h"
#include "barcode/SymbolVector.h"

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>
#include <cstdio>

namespace {

[[noreturn]] void Fail(const QString &shownName, const QString &reason)
{
    throw EBarcodeError(QStringLiteral("The file \"%1\" could not be written: %2")
                            .arg(QDir::toNativeSeparators(shownName), reason));
}

} // namespace

QSize PdfPageSize(const QSizeF &units, double dpi)
{
    const QSizeF points = units * (72.0 / (dpi > 0 ? dpi : PdfDefaultDpi));
    // A hair of rounding error must not add a point.
    return QSize(int(std::ceil(points.width() - 1e-6)), int(std::ceil(points.height() - 1e-6)));
}

void WriteSymbolPdf(const TSymbolVector &vector, double dpi, QIODevice &device, const QString &shownName)
{
    if (vector.Size.isEmpty())
        Fail(shownName, QStringLiteral("the symbol is empty"));
    const double unitsPerInch = dpi > 0 ? dpi : PdfDefaultDpi;
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Quorvel (QR code) Generator"));
    // Fine enough that module edges fall where the engine put them.
    writer.setResolution(1200);
    // Qt's pages measure whole points: the page is the symbol's size rounded up to the next
    // point, the symbol at its exact size at the top left and the sliver beyond in its background.
    const QSize page = PdfPageSize(vector.Size, dpi);
    // Exact: a fuzzy match would round a symbol of nearly A6 up to A6.
    writer.setPageLayout(QPageLayout(QPageSize(page, QString(), QPageSize::ExactMatch), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer))
        Fail(shownName, device.errorString());
    const double scale = writer.resolution() / unitsPerInch;
    if (vector.Back.alpha() != 0)
        painter.fillRect(QRectF(QPointF(0, 0), QSizeF(page) * (writer.resolution() / 72.0)), vector.Back);
    PaintSymbolVector(painter, vector, QRectF(QPointF(0, 0), vector.Size * scale));
    if (!painter.end())
        Fail(shownName, device.errorString());
}

void WriteSymbolPdf(const TSymbolVector &vector, double dpi, const QString &fileName)
{
    QFile file;
    const bool opened = fileName == QLatin1String("-")
                            ? file.open(stdout, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)
                            : (file.setFileName(fileName), file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    if (!opened)
        Fail(fileName, file.errorString());
    WriteSymbolPdf(vector, dpi, file, fileName);
    if (!file.flush() || file.error() != QFileDevice::NoError)
        Fail(fileName, file.errorString());
}
