#include "app/Form1.h"

#include "app/AppSettings.h"
#include "barcode/Barcode.h"
#include "barcode/SymbolVector.h"
#include "batch/FormBatchGenerator.h"
#include "batch/LabelSheetDialog.h"
#include "lang/FormSettings.h"
#include "lang/LangChanger.h"
#include "toolkit/ProgramPaths.h"

#include <memory>

// The windows the main window opens: each opening creates, translates, shows and destroys a new
// instance.

void TForm1::ButtonBatchClick(QObject *)
{
    std::unique_ptr<TFormBatchGenerator> window(new TFormBatchGenerator(this, BatchHost()));
    FormBatchGenerator = window.get();
    LangChanger1->SetLangFile(LanguageFilePath(AppSettings.Language));
    LangChanger1->TranslateForm(window.get());
    window->ShowModal();
}

void TForm1::ButtonLabelSheetClick(QObject *)
{
    // The symbol must be drawable before its sheet is shown; its error goes to the error display.
    Barcode->Vector();
    TLabelSheetDialog dialog(this, *Barcode, {Barcode->InputText()}, TLabelSheetDialog::TFill::FillPage,
                             [this](const QString &text) { return TranslateMessage(text); });
    PresentBatchDialog(dialog);
}

void TForm1::ButtonSettingsClick(QObject *)
{
    std::unique_ptr<TFormSettings> dialog(new TFormSettings(this, SettingsHost()));
    FormSettings = dialog.get();
    dialog->SetEscapeCloses(true);
    LangChanger1->SetLangFile(LanguageFilePath(AppSettings.Language));
    LangChanger1->TranslateForm(dialog.get());
    dialog->ShowModal();
    // The texts this window writes itself follow a language chosen there.
    UpdateApplicableFields();
    ApplySymbologyFilter();
}
