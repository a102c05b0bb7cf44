#pragma once

#include <QSize>
#include <QSizeF>
#include <QString>

class QIODevice;
struct TSymbolVector;

// A PDF of one page exactly the symbol's size, `dpi` engine units to the inch (the resolution of
// the symbol's pictures), the shapes drawn as vectors and the texts as text; no picture inside.
// EBarcodeError when the page cannot be written.
void WriteSymbolPdf(const TSymbolVector &vector, double dpi, QIODevice &device, const QString &shownName);
// The same into the file `fileName`; "-" is the standard output.
void WriteSymbolPdf(const TSymbolVector &vector, double dpi, const QString &fileName);

// The page, in whole points, for a symbol of `units` at `dpi` (0: the default): PDF pages from
// Qt measure whole points, so the symbol's size is rounded up.
QSize PdfPageSize(const QSizeF &units, double dpi);

// The resolution of a PDF when the symbol has none of its own: the usual screen's.
constexpr double PdfDefaultDpi = 96.0;
