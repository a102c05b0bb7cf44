#pragma once

#include "toolkit/Form.h"

#include <QPointer>

class TButton;
class TComboBox;
class TImageList;
class TLabel;
class TSettingsHost;

// The settings dialog: the user-interface language, chosen among the language files beside the
// program. A choice applies at once (the dialog and the main window are translated again); the
// hidden "LNG" button writes the language template of the program's three windows. The main
// window, the language setting and the translation come from the host that opens the dialog.
class TFormSettings final : public TForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormSettings)

public:
    // Builds the dialog and its language list (no entry selected yet). `AHost` may be nullptr:
    // a choice then changes nothing but the dialog's list.
    TFormSettings(QObject *AOwner, TSettingsHost *AHost);
    ~TFormSettings() override;

    // Controls and components, in design (creation) order.
    TLabel *LabelLanguage = nullptr;
    TButton *ButtonOK = nullptr;
    TComboBox *ComboBoxLang = nullptr;
    TButton *Button1 = nullptr;
    TImageList *ImageListFlags = nullptr;

    // Selects the stored language (else "English") and applies it.
    void FormShow(QObject *Sender);
    // Makes the selected entry the current language and translates this dialog and the main window.
    void ComboBoxLangChange(QObject *Sender);
    // Writes the template of this dialog, the main window and a batch window into "Native.lng".
    void Button1Click(QObject *Sender);

private:
    void CreateControls();
    void FillLanguageList();

    TSettingsHost *FHost; // not owned; outlives the dialog
};

// The settings dialog while it is open; nullptr otherwise.
extern QPointer<TFormSettings> FormSettings;
