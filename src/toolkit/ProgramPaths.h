#pragma once

#include <QString>

// The folder of the running executable. Always without a trailing separator.
QString ProgramFolder();

// Test hook: makes ProgramFolder() answer the given folder (an empty text restores the real one).
void SetProgramFolderForTests(const QString &folder);

// The folder of the shipped language files: the program's folder when a "*.lng" file lies there
// (the build folder, a program folder copied whole), otherwise the data folder of an installed
// program ("<prefix>/share/<id>/lang" beside "<prefix>/bin") when it exists, otherwise the
// program's folder again.
QString LanguageFolder();

// The user's own folder for language files, the per-user data folder of the program. It holds
// the template when the language folder takes no new files, and languages the user adds.
QString UserLanguageFolder();

// The path of a language's file: the language folder's file, else the user's, else the language
// folder's path (which then names no file).
QString LanguageFilePath(const QString &language);

// Where the language template "Native.lng" is written: the language folder's template when it
// is there or the folder takes a new file, otherwise the user's language folder (created when
// missing).
QString TemplateFilePath();
