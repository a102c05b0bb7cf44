#pragma once

// What the settings dialog's tests share: the test environment, language files written as lines,
// and the main window the dialog is opened from.

#include "app/AppSettings.h"
#include "app/Form1.h"
#include "lang/LangFile.h"
#include "support/TestEnvironment.h"

#include <memory>

class TSettingsEnvironment final : public TTestEnvironment
{
public:
    ~TSettingsEnvironment() { Main.reset(); }

    QString Folder() const { return ProgramFolderPath(); }

    // A language file in the program's folder, UTF-16 LE with a byte-order mark and CR LF.
    void WriteLanguage(const QString &language, const QStringList &lines) const
    {
        WriteLanguageBytes(PathOf(language + QStringLiteral(".lng")), EncodeLines(lines));
    }

    // The main window as the program creates it, with the language it is to start from.
    TForm1 *CreateMain(const QString &language)
    {
        Main.reset(CreateForm1());
        AppSettings.Language = language;
        return Main.get();
    }

    std::unique_ptr<TForm1> Main;
};
