#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One choice of the settings dialog: a language file beside the program.
struct TLanguageEntry
{
    QString Name;       // the file name without its last extension
    int ImageIndex;     // flag picture, -1 for none
};

// Every "*.lng" file in `folder`, in the order the directory listing returns them (never
// sorted), each with the flag its name selects.
QList<TLanguageEntry> FindLanguages(const QString &folder);

// The languages of several folders, each folder's in listing order; a name listed by an earlier
// folder is not listed again, as its file is the one the program opens.
QList<TLanguageEntry> FindLanguages(const QStringList &folders);

// A file name without its extension (the part from the last dot on).
QString LanguageNameOfFile(const QString &fileName);
