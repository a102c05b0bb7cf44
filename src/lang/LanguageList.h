#pragma once

#include <QList>
#include <QString>

// One choice of the settings dialog: a language file beside the program.
struct TLanguageEntry
{
    QString Name;       // the file name without its last extension
    int ImageIndex;     // flag picture, -1 for none
};

// Every "*.lng" file in `folder`, in the order the directory listing returns them (never
// sorted), each with the flag its name selects.
QList<TLanguageEntry> FindLanguages(const QString &folder);

// A file name without its extension (the part from the last dot on).
QString LanguageNameOfFile(const QString &fileName);
