#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>

class QMimeData;
class QTemporaryDir;
class TBarcode;

// The symbol handed to other programs, through the clipboard or by dragging.

// The MIME type of SVG data.
extern const QString SvgMimeType;

// A new folder in the system's temporary folder, removed with the object. When there is none (a
// TMPDIR naming a missing folder leaves Qt with an empty path, which would put the folder at the
// root), or it cannot be made, raises Exception.
std::unique_ptr<QTemporaryDir> MakeTemporaryFolder();
// The current symbol as SVG, as the engine writes it: into a temporary file that is read back
// and removed. Errors of the component and of MakeTemporaryFolder pass through.
QByteArray SymbolSvg(TBarcode &barcode);
// What the clipboard or a drag carries: the picture as an image, the SVG when there is one, and
// the file when one is named. The caller owns the result.
QMimeData *SymbolMimeData(const QImage &picture, const QByteArray &svg, const QString &fileName = QString());
// Writes `picture` as the PNG file `folder`/symbol-`number`.png and gives its path; a file that
// cannot be written raises Exception.
QString WriteSymbolFile(const QImage &picture, const QString &folder, int number);
