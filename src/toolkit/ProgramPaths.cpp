#include "toolkit/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString &ProgramFolderOverride()
{
    static QString folder;
    return folder;
}
}

QString ProgramFolder()
{
    const QString &override = ProgramFolderOverride();
    if (!override.isEmpty())
        return override;
    return QCoreApplication::applicationDirPath();
}

void SetProgramFolderForTests(const QString &folder)
{
    ProgramFolderOverride() = folder;
}

QString LanguageFilePath(const QString &language)
{
    return ProgramFolder() + QDir::separator() + language + QStringLiteral(".lng");
}
