#include "barcode/FileFormats.h"

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
