#pragma once

#include <QString>

// The folder of the running executable, where the language files and the template live.
// Always without a trailing separator.
QString ProgramFolder();

// Test hook: makes ProgramFolder() answer the given folder (an empty text restores the real one).
void SetProgramFolderForTests(const QString &folder);

// The path of the current language file: the program's folder, the language name and ".lng".
QString LanguageFilePath(const QString &language);
