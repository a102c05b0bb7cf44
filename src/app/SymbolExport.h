#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QMimeData;
class TBarcode;

// The symbol handed to other programs, through the clipboard or by dragging.

// The MIME type of SVG data.
extern const QString SvgMimeType;

// The current symbol as SVG, as the engine writes it: into a temporary file that is read back
// and removed. Errors of the component pass through; a temporary folder that cannot be made
// raises Exception.
QByteArray SymbolSvg(TBarcode &barcode);
// What the clipboard or a drag carries: the picture as an image, the SVG when there is one, and
// the file when one is named. The caller owns the result.
QMimeData *SymbolMimeData(const QImage &picture, const QByteArray &svg, const QString &fileName = QString());
// Writes `picture` as the PNG file `folder`/symbol-`number`.png and gives its path; a file that
// cannot be written raises Exception.
QString WriteSymbolFile(const QImage &picture, const QString &folder, int number);
