#include "toolkit/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

const QString TemplateName = QStringLiteral("Native.lng");

QString &ProgramFolderOverride()
{
    static QString folder;
    return folder;
}

bool HasLanguageFiles(const QString &folder)
{
    QDirIterator it(folder, {QStringLiteral("*.lng")}, QDir::Files | QDir::Hidden | QDir::System);
    return it.hasNext();
}

// Asks the file system instead of reading permission bits: the administrator passes every
// permission test and still cannot write to a read-only file system.
bool TakesNewFiles(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".quorvel-XXXXXX")));
    return probe.open();
}

} // namespace

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

QString LanguageFolder()
{
    const QString program = ProgramFolder();
    if (HasLanguageFiles(program))
        return program;
    // Relative to the program, so that an installation moved elsewhere (or unpacked into a
    // temporary root) still finds its files.
    const QString installed = QDir::cleanPath(program + QLatin1Char('/')
                                              + QStringLiteral(QUORVEL_LANGUAGE_FOLDER_FROM_PROGRAM));
    return QDir(installed).exists() ? installed : program;
}

QString UserLanguageFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
         + QStringLiteral("/Quorvel(QRcode)Generator");
}

QString LanguageFilePath(const QString &language)
{
    const QString fileName = language + QStringLiteral(".lng");
    const QString shipped = LanguageFolder() + QDir::separator() + fileName;
    if (!QFile::exists(shipped)) {
        const QString own = UserLanguageFolder() + QDir::separator() + fileName;
        if (QFile::exists(own))
            return own;
    }
    return shipped;
}

QString TemplateFilePath()
{
    const QString folder = LanguageFolder();
    if (QFile::exists(QDir(folder).filePath(TemplateName)) || TakesNewFiles(folder))
        return QDir(folder).filePath(TemplateName);
    // A failure to create the folder shows when the template is written there.
    QDir().mkpath(UserLanguageFolder());
    return QDir(UserLanguageFolder()).filePath(TemplateName);
}
