#pragma once

#include <QString>
#include <memory>

class QObject;
class TLangChanger;

// What the settings dialog needs from the window that opens it: the translation component, the
// language setting, the main window that is translated along with the dialog, and a batch window
// for the language template. The dialog knows nothing else of its opener.
class TSettingsHost
{
public:
    virtual ~TSettingsHost() = default;

    // The translation component every window is translated through; nullptr for none.
    virtual TLangChanger *LangChanger() const = 0;

    // The user-interface language kept between runs.
    virtual QString Language() const = 0;
    virtual void SetLanguage(const QString &language) = 0;

    // The main window: translated again when the language changes, and written to the template.
    virtual QObject *MainWindow() const = 0;
    // A new batch window owned by `owner`, never shown: the template takes its texts.
    virtual std::unique_ptr<QObject> CreateBatchWindow(QObject *owner) = 0;

protected:
    TSettingsHost() = default;
    TSettingsHost(const TSettingsHost &) = default;
    TSettingsHost &operator=(const TSettingsHost &) = default;
};
