#include "app/SymbolExport.h"

#include "barcode/Barcode.h"
#include "toolkit/Exception.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

const QString SvgMimeType = QStringLiteral("image/svg+xml");

std::unique_ptr<QTemporaryDir> MakeTemporaryFolder()
{
    const QString temporary = QDir::tempPath();
    if (temporary.isEmpty() || !QFileInfo(temporary).isDir())
        throw Exception(QStringLiteral("No temporary folder could be made: the system's temporary folder "
                                       "(TMPDIR) does not exist"));
    auto folder = std::make_unique<QTemporaryDir>(QDir(temporary).filePath(QStringLiteral("quorvel-XXXXXX")));
    if (!folder->isValid())
        throw Exception(QStringLiteral("No temporary folder could be made: %1").arg(folder->errorString()));
    return folder;
}

QByteArray SymbolSvg(TBarcode &barcode)
{
    // zint 2.11 writes vector formats to files only.
    const std::unique_ptr<QTemporaryDir> folder = MakeTemporaryFolder();
    const QString fileName = folder->filePath(QStringLiteral("symbol.svg"));
    barcode.Save(fileName);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("The SVG could not be read back: %1").arg(file.errorString()));
    return file.readAll();
}

QMimeData *SymbolMimeData(const QImage &picture, const QByteArray &svg, const QString &fileName)
{
    auto *data = new QMimeData;
    data->setImageData(picture);
    if (!svg.isEmpty())
        data->setData(SvgMimeType, svg);
    if (!fileName.isEmpty())
        data->setUrls({QUrl::fromLocalFile(fileName)});
    return data;
}

QString WriteSymbolFile(const QImage &picture, const QString &folder, int number)
{
    const QString fileName = QDir(folder).filePath(QStringLiteral("symbol-%1.png").arg(number));
    QImageWriter writer(fileName, "png");
    if (!writer.write(picture))
        throw Exception(QStringLiteral("The file \"%1\" could not be written: %2")
                            .arg(QDir::toNativeSeparators(fileName), writer.errorString()));
    return fileName;
}
