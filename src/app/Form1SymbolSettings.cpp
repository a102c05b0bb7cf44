#include "app/AppSettings.h"
#include "app/Form1.h"
#include "app/SaveFormats.h"
#include "app/SymbolCommandLine.h"
#include "app/SymbologyOptionsView.h"
#include "barcode/Barcode.h"
#include "barcode/BarcodeOptions.h"
#include "barcode/Symbologies.h"
#include "toolkit/StdCtrls.h"

#include <QClipboard>
#include <QGuiApplication>

#include <optional>

// The symbol's own settings: the options area's handlers, the settings memory of the symbol
// (the look, and each symbology's options), and the command line that writes the same symbol.

namespace {

// A stored value, or nothing when it is unreadable or out of range (the default then stands,
// without a message: a store written by another version must not stop the program).
std::optional<double> StoredValue(const TBarcodeOption &option, TSymbology symbology, const QString &text)
{
    double value = 0;
    if (option.Kind == TOptionKind::Switch || option.Kind == TOptionKind::Choice) {
        bool ok = false;
        value = text.toInt(&ok);
        if (!ok)
            return std::nullopt;
        if (option.Kind == TOptionKind::Switch)
            return value == 0 || value == 1 ? std::optional<double>(value) : std::nullopt;
        for (int i = 0; i < option.ChoiceCount; ++i)
            if (option.Choices[i].Value == value)
                return value;
        return std::nullopt;
    }
    if (!ParseOptionValue(option, symbology, text, value).isEmpty())
        return std::nullopt;
    return value;
}

// The values of `place` that differ from their defaults, as stored texts.
QMap<QString, QString> ChangedValues(const TBarcode &barcode, TOptionPlace place)
{
    QMap<QString, QString> values;
    for (const TBarcodeOption *option : BarcodeOptions()) {
        if (option->Place != place)
            continue;
        const double value = option->Read(barcode);
        if (value != option->Default)
            values.insert(QLatin1String(option->Name), OptionValueText(*option, value));
    }
    return values;
}

} // namespace

void TForm1::ApplyStoredSymbol()
{
    if (!AppSettings.HasSymbol)
        return;
    TSymbology symbology = syQRCode;
    if (FindSymbologyShortName(AppSettings.Symbology, symbology) && OfferedInWindow(symbology))
        Barcode->SetSymbology(symbology);
    Barcode->SetInputText(AppSettings.Data);
    Barcode->SetPrimaryMessage(AppSettings.PrimaryMessage);
    for (auto stored = AppSettings.Appearance.cbegin(); stored != AppSettings.Appearance.cend(); ++stored) {
        const TBarcodeOption *option = FindBarcodeOption(stored.key());
        if (option == nullptr || option->Place != TOptionPlace::Appearance)
            continue;
        if (const std::optional<double> value = StoredValue(*option, Barcode->Symbology(), stored.value()))
            option->Write(*Barcode, *value);
    }
}

void TForm1::ApplySymbologyOptions()
{
    ResetSymbologyOptions(*Barcode);
    const TSymbology symbology = Barcode->Symbology();
    const QMap<QString, QString> stored = AppSettings.SymbologyOptions.value(SymbologyShortName(symbology));
    for (auto entry = stored.cbegin(); entry != stored.cend(); ++entry) {
        const TBarcodeOption *option = FindBarcodeOption(entry.key());
        if (option == nullptr || option->Place != TOptionPlace::Symbology)
            continue;
        if (const std::optional<double> value = StoredValue(*option, symbology, entry.value()))
            option->Write(*Barcode, *value);
    }
    // Some settings wait for another change before they take effect.
    Barcode->Invalidate();
}

void TForm1::StoreSymbol()
{
    AppSettings.HasSymbol = true;
    AppSettings.Symbology = SymbologyShortName(Barcode->Symbology());
    AppSettings.Data = Barcode->InputText();
    AppSettings.PrimaryMessage = Barcode->PrimaryMessage();
    AppSettings.Appearance = ChangedValues(*Barcode, TOptionPlace::Appearance);
    AppSettings.SymbologyOptions.insert(AppSettings.Symbology, ChangedValues(*Barcode, TOptionPlace::Symbology));
}

void TForm1::SymbologyOptionChange(const TBarcodeOption *Option, double Value)
{
    Option->Write(*Barcode, Value);
    Barcode->Invalidate();
    // Kept at once, so that the option comes back with the symbology.
    AppSettings.SymbologyOptions.insert(SymbologyShortName(Barcode->Symbology()),
                                        ChangedValues(*Barcode, TOptionPlace::Symbology));
    RefreshPreview();
}

void TForm1::ButtonResetOptionsClick(QObject *)
{
    AppSettings.Appearance.clear();
    AppSettings.SymbologyOptions.clear();
    const QString text = Barcode->InputText(), primary = Barcode->PrimaryMessage();
    const TSymbology symbology = Barcode->Symbology();
    ApplyOptionDefaults(*Barcode);
    Barcode->SetSymbology(symbology);
    Barcode->SetInputText(text);
    Barcode->SetPrimaryMessage(primary);
    {
        // The numeric fields write their value back only once they are ready again.
        const bool ready = FControlsReady;
        FControlsReady = false;
        ShowPanelValues();
        FControlsReady = ready;
    }
    ApplySymbologyOptions();
    ApplyPhysicalSize();
    UpdateApplicableFields();
    RefreshPreview();
}

QString TForm1::CommandLineText() const
{
    const int format = ComboBoxExt->ItemIndex();
    const QString extension = format >= 0 && format < SaveFormatCount ? QLatin1String(SaveFormats[format].DefaultExt)
                                                                      : QStringLiteral("png");
    return ShellCommand(QStringList{QStringLiteral("quorvel")}
                        + SymbolArguments(*Barcode, QStringLiteral("barcode.") + extension));
}

void TForm1::MenuItemCopyCommandLineClick(QObject *)
{
    const QString command = CommandLineText();
    QGuiApplication::clipboard()->setText(command);
    FSaveNote = TranslateMessage(QStringLiteral("Command line copied: %1")).arg(command);
    ShowStatus();
}
