#pragma once

#include <QString>

// Qt's own texts (the buttons of message boxes, the file, folder and colour dialogs, the context
// menus of edits) follow the chosen language through Qt's translation catalogue "qtbase".

// The locale of a language: the entry "Locale" of the section "Language" of its file, else the
// locale of a language this program knows by name (the shipped ones and those with a flag),
// else the language Qt knows by that English or native name ("Polish", "Deutsch"). Empty when
// none fits.
QString LocaleOfLanguage(const QString &language, const QString &languageFile);

// Replaces Qt's translation loaded before by the one for the language's locale, when Qt's
// translations folder has one. Answers whether one is loaded now. Never fails loudly: without a
// catalogue Qt's texts stay English.
bool LoadToolkitTranslation(const QString &language, const QString &languageFile);
