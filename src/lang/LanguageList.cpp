#include "lang/LanguageList.h"

#include "lang/Flags.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

QString LanguageNameOfFile(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? fileName : fileName.left(dot);
}

QList<TLanguageEntry> FindLanguages(const QString &folder)
{
    QList<TLanguageEntry> entries;
    // Hidden and system files count like any other. The match is case-sensitive because the
    // program later opens "<name>.lng" exactly: on a case-sensitive file system a "German.LNG"
    // would be listed but could never be opened. Folders are not language files.
    QDirIterator it(folder, {QStringLiteral("*.lng")},
                    QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive);
    while (it.hasNext()) {
        it.next();
        const QString name = LanguageNameOfFile(it.fileName());
        entries.append({name, FlagIndexOfLanguage(name)});
    }
    return entries;
}

QList<TLanguageEntry> FindLanguages(const QStringList &folders)
{
    QList<TLanguageEntry> entries;
    QStringList seenFolders;
    for (const QString &folder : folders) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || seenFolders.contains(canonical))
            continue;
        seenFolders.append(canonical);
        for (const TLanguageEntry &entry : FindLanguages(folder)) {
            const bool listed = std::any_of(entries.cbegin(), entries.cend(),
                                            [&entry](const TLanguageEntry &e) { return e.Name == entry.Name; });
            if (!listed)
                entries.append(entry);
        }
    }
    return entries;
}
