#include "batch/BatchFolder.h"

#include <QFileInfo>

QString NormaliseBatchFolder(const QString &text)
{
    if (text.isEmpty())
        return text;
#ifdef Q_OS_WIN
    if (text.size() == 1 && text[0].unicode() < 128 && text[0].isLetter())
        return text + QStringLiteral(":\\");
    const QChar last = text.back();
    if (last == u':' || last == u'\\')
        return text;
    return text + u'\\';
#else
    if (text.back() == u'/')
        return text;
    return text + u'/';
#endif
}

bool BatchFolderExists(const QString &folder)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}
