#include "app/Form1.h"

#include "app/SymbologyOptionsView.h"
#include "barcode/Barcode.h"
#include "barcode/BarcodeOptions.h"
#include "toolkit/ColorBox.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/DisabledReason.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/LocaleNumbers.h"
#include "toolkit/StdCtrls.h"

#include <cmath>
#include <limits>

// The option controls: their start values, their handlers and the preview they refresh.

namespace {

// floor(value) as an int; values beyond int's range end at its limits, and a value that is not a
// number gives 0 (the spins limit the position to their range afterwards).
int FloorToInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double floored = std::floor(value);
    if (floored <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (floored >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return int(floored);
}

// Clears a ready flag for the moment in which a handler updates its companion control, and sets
// it again however that ends.
class TNotReady
{
public:
    explicit TNotReady(bool &flag) : FFlag(flag) { FFlag = false; }
    ~TNotReady() { FFlag = true; }
    TNotReady(const TNotReady &) = delete;
    TNotReady &operator=(const TNotReady &) = delete;

private:
    bool &FFlag;
};

} // namespace

void TForm1::SetupPanel()
{
    ApplyStoredSymbol();
    ShowPanelValues();
    MemoInputText->SetText(Barcode->InputText());
    MemoPrimaryMessage->SetText(Barcode->PrimaryMessage());

    for (int index = 0; index < SymbologyCount; ++index)
        if (OfferedInWindow(TSymbology(index)))
            ComboBoxSymbology->AddItem(TBarcode::SymbologyNames(TSymbology(index)));
    ComboBoxSymbology->SetSorted(true);
    const TSymbology start = OfferedInWindow(Barcode->Symbology()) ? Barcode->Symbology() : syQRCode;
    ComboBoxSymbology->SetText(TBarcode::SymbologyNames(start));
    ComboBoxSymbologyChange(ComboBoxSymbology);

    FControlsReady = true;
}

void TForm1::ShowPanelValues()
{
    // Start values from the component; handlers that fire here write the same value back.
    ColorBoxForeColor->SetSelectedColor(Barcode->ForeColor());
    ColorBoxBackColor->SetSelectedColor(Barcode->BackColor());
    UpDownBorderWidth->SetPosition(Barcode->BorderWidth());
    UpDownWhiteSpace->SetPosition(Barcode->WhiteSpaceWidth());
    UpDownHeight->SetPosition(FloorToInt(Barcode->Height()));
    UpDownDotSize->SetPosition(FloorToInt(double(Barcode->DotSize()) * 10));
    EditDotSize->SetText(FloatToStr(static_cast<long double>(Barcode->DotSize())));
    UpDownScale->SetPosition(FloorToInt(double(Barcode->Scale()) * 10));
    EditScale->SetText(FloatToStr(static_cast<long double>(Barcode->Scale())));
    ComboBoxRotation->SetItemIndex(Barcode->Rotation() / 90);
    const TOutputOptions options = Barcode->OutputOptions();
    CheckBoxShowText->SetChecked(Barcode->ShowText());
    CheckBoxSmallText->SetChecked(InSet(options, opSmallText));
    CheckBoxBoldText->SetChecked(InSet(options, opBoldText));
    CheckBoxBars->SetChecked(InSet(options, opBars));
    CheckBoxBox->SetChecked(InSet(options, opBox));
    CheckBoxDotty->SetChecked(InSet(options, opDotty));
    CheckBoxTransparent->SetChecked(Barcode->TransparentBack());
}

void TForm1::RefreshPreview()
{
    FEngineMessage.clear();
    FSaveNote.clear();
    bool rendered = false;
    try {
        Image->SetPicture(Barcode->Bitmap());
        // A warning (an ECI the engine added, say) keeps the symbol and is shown beside it.
        FEngineMessage = Barcode->Warning();
        rendered = true;
    } catch (const Exception &error) {
        FEngineMessage = error.Message();
        Image->ClearPicture();
    }
    if (SymbologyOptions != nullptr)
        SymbologyOptions->ShowAutomatic(*Barcode, rendered);
    ShowStatus();
    UpdatePreviewCommands();
    ShowPhysicalSize();
    ShowZoom();
    CheckScan();
}

void TForm1::ShowStatus()
{
    QStringList parts;
    for (const QString &part : {FSaveNote, FEngineMessage, TransparencyNote()})
        if (!part.isEmpty())
            parts << part;
    StatusBar->SetSimpleText(parts.join(QStringLiteral(" \u2014 ")));
}

void TForm1::ComboBoxSymbologyChange(QObject *)
{
    Barcode->SetSymbologyName(ComboBoxSymbology->Text());
    ApplySymbologyOptions();
    UpdateApplicableFields();
    // A disabled dotty box keeps its check, so the option returns with a symbology that has dots.
    SetOutputOption(opDotty, CheckBoxDotty->isEnabled() && CheckBoxDotty->Checked());
    RefreshPreview();
}

void TForm1::UpdateApplicableFields()
{
    const TCapabilities capabilities = Barcode->Capabilities();
    SymbologyOptions->ShowFor(*Barcode, capabilities);
    const bool dotty = InSet(capabilities, caDotty);
    SetApplies({CheckBoxDotty, LabelDotSize, EditDotSize, UpDownDotSize}, dotty,
               TranslateMessage(QStringLiteral("This symbology cannot be drawn with dots.")));

    const bool text = InSet(capabilities, caHumanReadable);
    const QString noText = TranslateMessage(QStringLiteral("This symbology prints no text."));
    SetApplies({CheckBoxShowText}, text, noText);
    SetApplies({CheckBoxSmallText, CheckBoxBoldText}, text && CheckBoxShowText->Checked(),
               text ? TranslateMessage(QStringLiteral("Tick \"Show text\" first.")) : noText);

    // Matrix symbols grow in both directions with their data; their height is not set.
    SetApplies({LabelHeight, EditHeight, UpDownHeight}, !InSet(capabilities, caFixedRatio),
               TranslateMessage(QStringLiteral("The height of this symbology follows from its data.")));

    // Composite symbols carry the linear part there; MaxiCode its structured carrier message.
    const bool primary = InSet(capabilities, caComposite) || Barcode->Symbology() == syMaxicode;
    SetApplies({LabelPrimaryMessage, MemoPrimaryMessage}, primary,
               TranslateMessage(QStringLiteral("Only composite symbologies and MaxiCode take a primary message.")));

    const bool physical = CheckBoxPhysicalSize->Checked();
    SetApplies({LabelXDimension, EditXDimension, LabelResolution, EditResolution}, physical,
               TranslateMessage(QStringLiteral("Tick \"Physical size\" to set the scale from these.")));
    SetApplies({EditScale, UpDownScale}, !physical,
               TranslateMessage(QStringLiteral("The scale follows from the physical size.")));
}

void TForm1::SetApplies(std::initializer_list<QWidget *> controls, bool applies, const QString &reason)
{
    for (QWidget *control : controls) {
        control->setEnabled(applies);
        SetDisabledReason(control, reason);
    }
}

void TForm1::MemoInputTextChange(QObject *)
{
    Barcode->SetInputText(MemoInputText->Text());
    RefreshPreview();
}

void TForm1::MemoPrimaryMessageChange(QObject *)
{
    Barcode->SetPrimaryMessage(MemoPrimaryMessage->Text());
    RefreshPreview();
}

void TForm1::ColorBoxForeColorChange(QObject *)
{
    Barcode->SetForeColor(ColorBoxForeColor->SelectedColor());
    RefreshPreview();
}

void TForm1::ColorBoxBackColorChange(QObject *)
{
    Barcode->SetBackColor(ColorBoxBackColor->SelectedColor());
    RefreshPreview();
}

// The attached spins hold the last valid number of their edits, so text that is not a number in
// range writes the previous value again.
void TForm1::EditBorderWidthChange(QObject *)
{
    if (!FControlsReady)
        return;
    Barcode->SetBorderWidth(UpDownBorderWidth->Position());
    RefreshPreview();
}

void TForm1::EditWhiteSpaceChange(QObject *)
{
    if (!FControlsReady)
        return;
    Barcode->SetWhiteSpaceWidth(UpDownWhiteSpace->Position());
    Barcode->SetWhiteSpaceHeight(UpDownWhiteSpace->Position());
    RefreshPreview();
}

void TForm1::EditHeightChange(QObject *)
{
    if (!FControlsReady)
        return;
    Barcode->SetHeight(float(UpDownHeight->Position()));
    RefreshPreview();
}

// The dot size and the scale are typed as locale decimals; their spins count tenths.
void TForm1::EditDotSizeChange(QObject *)
{
    if (!FControlsReady)
        return;
    const double value = StrToFloat(EditDotSize->Text()).value_or(0.0);
    Barcode->SetDotSize(float(value));
    {
        TNotReady notReady(FControlsReady);
        UpDownDotSize->SetPosition(FloorToInt(10 * value));
    }
    RefreshPreview();
}

void TForm1::EditScaleChange(QObject *)
{
    if (!FControlsReady)
        return;
    const double value = StrToFloat(EditScale->Text()).value_or(0.0);
    Barcode->SetScale(float(value));
    {
        TNotReady notReady(FControlsReady);
        UpDownScale->SetPosition(FloorToInt(10 * value));
    }
    RefreshPreview();
}

void TForm1::UpDownDotSizeChangingEx(QObject *, bool &, short NewValue, ComCtrlTypes::TUpDownDirection)
{
    if (!FControlsReady)
        return;
    {
        TNotReady notReady(FControlsReady);
        const long double value = NewValue * 0.1L;
        EditDotSize->SetText(FloatToStr(value));
        Barcode->SetDotSize(float(value));
    }
    RefreshPreview();
}

void TForm1::UpDownScaleChangingEx(QObject *, bool &, short NewValue, ComCtrlTypes::TUpDownDirection)
{
    if (!FControlsReady)
        return;
    {
        TNotReady notReady(FControlsReady);
        const long double value = NewValue * 0.1L;
        EditScale->SetText(FloatToStr(value));
        Barcode->SetScale(float(value));
    }
    RefreshPreview();
}

void TForm1::CheckBoxShowTextClick(QObject *)
{
    Barcode->SetShowText(CheckBoxShowText->Checked());
    UpdateApplicableFields();
    RefreshPreview();
}

void TForm1::ComboBoxRotationChange(QObject *)
{
    const int index = ComboBoxRotation->ItemIndex();
    if (index >= 0 && index <= 3)
        Barcode->SetRotation(index * 90);
    RefreshPreview();
}

void TForm1::SetOutputOption(int option, bool present)
{
    // Only this flag changes; the flags that no control shows stay as they are.
    TOutputOptions options = Barcode->OutputOptions();
    const TOutputOptions flag = SetOf(TOutputOption(option));
    options = present ? TOutputOptions(options | flag) : TOutputOptions(options & ~flag);
    Barcode->SetOutputOptions(options);
}

void TForm1::CheckBoxSmallTextClick(QObject *)
{
    SetOutputOption(opSmallText, CheckBoxSmallText->Checked());
    RefreshPreview();
}

void TForm1::CheckBoxBoldTextClick(QObject *)
{
    SetOutputOption(opBoldText, CheckBoxBoldText->Checked());
    RefreshPreview();
}

void TForm1::CheckBoxBarsClick(QObject *)
{
    SetOutputOption(opBars, CheckBoxBars->Checked());
    RefreshPreview();
}

void TForm1::CheckBoxBoxClick(QObject *)
{
    SetOutputOption(opBox, CheckBoxBox->Checked());
    RefreshPreview();
}

void TForm1::CheckBoxDottyClick(QObject *)
{
    SetOutputOption(opDotty, CheckBoxDotty->Checked());
    RefreshPreview();
}
