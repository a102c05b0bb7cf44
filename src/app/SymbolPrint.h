#pragma once

#include <QImage>

class QPrinter;
class TBarcode;

// Pixels per inch at which the symbol's pixels are printed: the component's Resolution (the one
// its saved files carry), or 96 when it has none.
double SymbolPrintDpi(const TBarcode &barcode);
// Prints `picture` on one page of `printer`, `dpi` pixels to the inch, at the top left of the
// printable area, without smoothing or lossy compression. A symbol larger than the printable area
// is reduced to fit: the result is false then. A printer that cannot start raises Exception.
bool PrintSymbol(QPrinter &printer, const QImage &picture, double dpi);
