#include "barcode/FileFormats.h"

#include <QFileInfo>

QString FileExtension(const TFileFormat &format)
{
    return QString::fromLatin1(format.Code).toLower();
}

QStringList FileExtensions()
{
    QStringList extensions;
    for (const TFileFormat &format : WrittenFileFormats)
        extensions << FileExtension(format);
    return extensions;
}

const TFileFormat *FileFormatOf(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    for (const TFileFormat &format : WrittenFileFormats)
        if (suffix.compare(QLatin1String(format.Code), Qt::CaseInsensitive) == 0)
            return &format;
    return nullptr;
}
