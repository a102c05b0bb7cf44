#include "app/ButtonImages.h"
#include "app/ComputerInfo.h"
#include "app/Form1.h"
#include "app/SaveFormats.h"
#include "barcode/Barcode.h"
#include "lang/LangChanger.h"
#include "toolkit/ColorBox.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/Dialogs.h"
#include "toolkit/EventGuard.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/ImgList.h"
#include "toolkit/LocaleNumbers.h"
#include "toolkit/StdCtrls.h"

// The window's design: every control with its name, bounds, caption and tab order, in creation
// order, followed by the handlers.

namespace {

constexpr int DesignClientWidth = 837;
constexpr int DesignClientHeight = 646;
constexpr int BottomPanelHeight = 334;

// Rows of the option panel and the columns of rows 2 and 3.
constexpr int Row1 = 8, Row2 = 40, Row3 = 72, Row4 = 106, Row5 = 166, Row6 = 278;
constexpr int RowHeight = 24;
constexpr int LabelShift = 4; // a label's text stands level with its control's text
// Labels leave room for longer translated captions.
constexpr int ColorLabelLeft = 8, ColorLeft = 92, ColorWidth = 140;
constexpr int MarginLabelLeft = 248, MarginLeft = 336;
constexpr int SizeLabelLeft = 428, SizeLeft = 516;
constexpr int NumberEditWidth = 60, SpinWidth = 17;
constexpr int LastLabelLeft = 608, LastLeft = 684, LastWidth = 145;
constexpr int LabelWidth = 84, LastLabelWidth = 74;

template <typename T>
T *Create(TForm1 *owner, QWidget *parent, const char *name)
{
    auto *control = new T(owner, parent);
    control->SetName(QLatin1String(name));
    return control;
}

TLabel *CreateLabel(TForm1 *owner, QWidget *parent, const char *name, const QString &caption,
                    int left, int top, int width)
{
    auto *label = Create<TLabel>(owner, parent, name);
    label->SetCaption(caption);
    label->SetBounds(left, top, width, 17);
    return label;
}

TCheckBox *CreateCheckBox(TForm1 *owner, QWidget *parent, const char *name, const QString &caption,
                          int column, int tabOrder)
{
    auto *box = Create<TCheckBox>(owner, parent, name);
    box->SetCaption(caption);
    box->SetBounds(8 + column * 137, Row4, 130, 20);
    box->SetTabOrder(tabOrder);
    return box;
}

// An integer edit with its attached spin; the spin shows the position with thousands separators.
void CreateNumberEdit(TForm1 *owner, QWidget *parent, const char *editName, const char *spinName,
                      int left, int top, int width, int max, int editTab, int spinTab, TEdit *&edit,
                      TUpDown *&spin)
{
    edit = Create<TEdit>(owner, parent, editName);
    edit->SetBounds(left, top, width, RowHeight);
    edit->SetText(QStringLiteral("0"));
    edit->SetTabOrder(editTab);
    spin = Create<TUpDown>(owner, parent, spinName);
    spin->SetBounds(left + width, top, SpinWidth, RowHeight);
    spin->SetMin(0);
    spin->SetMax(max);
    spin->SetIncrement(1);
    spin->SetThousands(true);
    spin->SetAssociate(edit);
    spin->SetTabOrder(spinTab);
}

// A text edit with a spin of its own (no attachment); the spin counts tenths.
void CreateTenthsEdit(TForm1 *owner, QWidget *parent, const char *editName, const char *spinName,
                      int left, int top, int editTab, int spinTab, TEdit *&edit, TUpDown *&spin)
{
    edit = Create<TEdit>(owner, parent, editName);
    edit->SetBounds(left, top, NumberEditWidth, RowHeight);
    edit->SetTabOrder(editTab);
    spin = Create<TUpDown>(owner, parent, spinName);
    spin->SetBounds(left + NumberEditWidth, top, SpinWidth, RowHeight);
    spin->SetMin(0);
    spin->SetMax(100);
    spin->SetIncrement(1);
    spin->SetTabOrder(spinTab);
}

} // namespace

void TForm1::CreateComponents()
{
    SetName(QStringLiteral("Form1"));
    SetCaption(QStringLiteral("Quorvel (QR code) Generator"));
    SetPosition(poDesigned); // centred by FormShow, after the off-screen test
    SetClientWidth(DesignClientWidth);
    SetClientHeight(DesignClientHeight);

    CreatePreviewPanel();
    CreateOptionControls();
    CreateButtonRow();

    StatusBar = Create<TStatusBar>(this, PanelBottom, "StatusBar");
    StatusBar->SetHeight(20);
    StatusBar->SetAlign(alBottom);

    Barcode = new TBarcode(this);
    Barcode->SetName(QStringLiteral("Barcode"));
    Barcode->SetBorderWidth(8);
    Barcode->SetInputText(QStringLiteral("123456"));
    Barcode->SetWhiteSpaceHeight(4);
    Barcode->SetWhiteSpaceWidth(4);

    SavePictureDialog = new TSavePictureDialog(this);
    SavePictureDialog->SetName(QStringLiteral("SavePictureDialog"));
    SavePictureDialog->SetTitle(QStringLiteral("Save Barcode"));
    // No overwrite prompt, no start folder; the read-only box hidden, resizing allowed.
    SavePictureDialog->SetOptions(ofHideReadOnly | ofEnableSizing);

    ImageList1 = new TImageList(this);
    ImageList1->SetName(QStringLiteral("ImageList1"));
    ImageList1->SetWidth(ButtonImageSize);
    ImageList1->SetHeight(ButtonImageSize);
    for (int index = 0; index < ButtonImageCount; ++index)
        ImageList1->Add(ButtonImage(index));
    ButtonSave->SetImages(ImageList1);
    ButtonSave->SetImageIndex(0);
    ButtonBatch->SetImages(ImageList1);
    ButtonBatch->SetImageIndex(1);
    ButtonSettings->SetImages(ImageList1);
    ButtonSettings->SetImageIndex(3);

    LangChanger1 = new TLangChanger(this);
    LangChanger1->SetName(QStringLiteral("LangChanger1"));
    LangChanger1->SetSeparator(QStringLiteral(","));
    LangChanger1->SetLngPostfix(QStringLiteral("_lng"));
    LangChanger1->SetExcludeProperties({QStringLiteral("Category"), QStringLiteral("DefaultExt"),
                                        QStringLiteral("JvComputerInfoEx1"),
                                        QStringLiteral("ImageEnVersion")});

    JvComputerInfoEx1 = new TComputerInfo(this);
    JvComputerInfoEx1->SetName(QStringLiteral("JvComputerInfoEx1"));

    CreatePreviewCommands();
    ConnectHandlers();
}

void TForm1::CreatePreviewPanel()
{
    // The bottom panel docks first so that the preview takes the rest of the client area.
    PanelTop = Create<TPanel>(this, this, "PanelTop");
    PanelTop->SetBevelOuter(bvNone);
    PanelTop->SetColor(int(clAppWorkSpace));
    PanelTop->SetTabOrder(1);

    Image = Create<TImage>(this, PanelTop, "Image");
    Image->SetCenter(true);
    Image->SetTransparent(true);
    Image->SetAlign(alClient);

    PanelBottom = Create<TPanel>(this, this, "PanelBottom");
    PanelBottom->SetBevelOuter(bvNone);
    PanelBottom->SetHeight(BottomPanelHeight);
    PanelBottom->SetAlign(alBottom);
    PanelBottom->SetTabOrder(0);
    PanelTop->SetAlign(alClient);
}

void TForm1::CreateOptionControls()
{
    QWidget *panel = PanelBottom;

    // Row 1: the symbology, across the panel.
    LabelSymbology = CreateLabel(this, panel, "LabelSymbology", QStringLiteral("&Symbology:"),
                                 ColorLabelLeft, Row1 + LabelShift, LabelWidth);
    ComboBoxSymbology = Create<TComboBox>(this, panel, "ComboBoxSymbology");
    ComboBoxSymbology->SetStyle(csDropDownList);
    ComboBoxSymbology->SetBounds(ColorLeft, Row1, LastLabelLeft - 8 - ColorLeft, RowHeight);
    ComboBoxSymbology->SetAnchors(akLeft | akTop | akRight);
    ComboBoxSymbology->SetTabOrder(0);
    ComboBoxSymbology->setMaxVisibleItems(24);
    LabelSymbology->SetFocusControl(ComboBoxSymbology);
    CreateSymbologyFilter();

    // Row 2: fore colour, border, scale, height.
    LabelForeColor = CreateLabel(this, panel, "LabelForeColor", QStringLiteral("&Fore color:"),
                                 ColorLabelLeft, Row2 + LabelShift, LabelWidth);
    ColorBoxForeColor = Create<TColorBox>(this, panel, "ColorBoxForeColor");
    ColorBoxForeColor->SetBounds(ColorLeft, Row2, ColorWidth, RowHeight);
    ColorBoxForeColor->SetTabOrder(3);
    LabelForeColor->SetFocusControl(ColorBoxForeColor);

    LabelBorderWidth = CreateLabel(this, panel, "LabelBorderWidth", QStringLiteral("B&order:"),
                                   MarginLabelLeft, Row2 + LabelShift, LabelWidth);
    CreateNumberEdit(this, panel, "EditBorderWidth", "UpDownBorderWidth", MarginLeft, Row2,
                     NumberEditWidth, 100, 6, 5, EditBorderWidth, UpDownBorderWidth);
    LabelBorderWidth->SetFocusControl(EditBorderWidth);

    LabelScale = CreateLabel(this, panel, "LabelScale", QStringLiteral("S&cale:"), SizeLabelLeft,
                             Row2 + LabelShift, LabelWidth);
    CreateTenthsEdit(this, panel, "EditScale", "UpDownScale", SizeLeft, Row2, 20, 21, EditScale,
                     UpDownScale);
    LabelScale->SetFocusControl(EditScale);

    LabelHeight = CreateLabel(this, panel, "LabelHeight", QStringLiteral("&Height:"), LastLabelLeft,
                              Row2 + LabelShift, LastLabelWidth);
    CreateNumberEdit(this, panel, "EditHeight", "UpDownHeight", LastLeft, Row2, LastWidth - SpinWidth,
                     2000, 10, 11, EditHeight, UpDownHeight);
    LabelHeight->SetFocusControl(EditHeight);

    // Row 3: back colour, white space, dot size, rotation.
    LabelBackColor = CreateLabel(this, panel, "LabelBackColor", QStringLiteral("&Back color:"),
                                 ColorLabelLeft, Row3 + LabelShift, LabelWidth);
    ColorBoxBackColor = Create<TColorBox>(this, panel, "ColorBoxBackColor");
    ColorBoxBackColor->SetBounds(ColorLeft, Row3, ColorWidth, RowHeight);
    ColorBoxBackColor->SetTabOrder(4);
    LabelBackColor->SetFocusControl(ColorBoxBackColor);

    LabelWhiteSpace = CreateLabel(this, panel, "LabelWhiteSpace", QStringLiteral("&White space:"),
                                  MarginLabelLeft, Row3 + LabelShift, LabelWidth);
    CreateNumberEdit(this, panel, "EditWhiteSpace", "UpDownWhiteSpace", MarginLeft, Row3,
                     NumberEditWidth, 100, 7, 8, EditWhiteSpace, UpDownWhiteSpace);
    LabelWhiteSpace->SetFocusControl(EditWhiteSpace);

    LabelDotSize = CreateLabel(this, panel, "LabelDotSize", QStringLiteral("Dot si&ze:"),
                               SizeLabelLeft, Row3 + LabelShift, LabelWidth);
    CreateTenthsEdit(this, panel, "EditDotSize", "UpDownDotSize", SizeLeft, Row3, 18, 19, EditDotSize,
                     UpDownDotSize);
    LabelDotSize->SetFocusControl(EditDotSize);

    LabelRotation = CreateLabel(this, panel, "LabelRotation", QStringLiteral("&Rotation:"),
                                LastLabelLeft, Row3 + LabelShift, LastLabelWidth);
    ComboBoxRotation = Create<TComboBox>(this, panel, "ComboBoxRotation");
    ComboBoxRotation->SetStyle(csDropDownList);
    ComboBoxRotation->SetBounds(LastLeft, Row3, LastWidth, RowHeight);
    for (const char *item : {"0 degree", "90 degree", "180 degree", "270 degree"})
        ComboBoxRotation->AddItem(QLatin1String(item));
    ComboBoxRotation->SetItemIndex(-1);
    ComboBoxRotation->SetTabOrder(12);
    LabelRotation->SetFocusControl(ComboBoxRotation);

    // Row 4: the drawing options.
    CheckBoxShowText = CreateCheckBox(this, panel, "CheckBoxShowText", QStringLiteral("Show &text"), 0, 9);
    CheckBoxSmallText = CreateCheckBox(this, panel, "CheckBoxSmallText", QStringLiteral("S&mall text"), 1, 13);
    CheckBoxBoldText = CreateCheckBox(this, panel, "CheckBoxBoldText", QStringLiteral("B&old text"), 2, 14);
    CheckBoxBars = CreateCheckBox(this, panel, "CheckBoxBars", QStringLiteral("B&ars"), 3, 15);
    CheckBoxBox = CreateCheckBox(this, panel, "CheckBoxBox", QStringLiteral("Bo&x"), 4, 16);
    CheckBoxDotty = CreateCheckBox(this, panel, "CheckBoxDotty", QStringLiteral("&Dotty"), 5, 17);

    // Row 5: the data, in two halves.
    const int half = (DesignClientWidth - 3 * 8) / 2;
    LabelInputText = CreateLabel(this, panel, "LabelInputText", QStringLiteral("Input Text"), 8, Row5, half);
    MemoInputText = Create<TMemo>(this, panel, "MemoInputText");
    MemoInputText->SetBounds(8, Row5 + 18, half, 86);
    MemoInputText->SetScrollBars(ssVertical);
    MemoInputText->SetTabOrder(2);
    LabelPrimaryMessage = CreateLabel(this, panel, "LabelPrimaryMessage",
                                      QStringLiteral("Primary Message"), 16 + half, Row5, half);
    MemoPrimaryMessage = Create<TMemo>(this, panel, "MemoPrimaryMessage");
    MemoPrimaryMessage->SetBounds(16 + half, Row5 + 18, half, 86);
    MemoPrimaryMessage->SetScrollBars(ssVertical);
    MemoPrimaryMessage->SetAnchors(akLeft | akTop | akRight);
    MemoPrimaryMessage->SetTabOrder(22);

    // The row between the drawing options and the data: the size on paper.
    CreatePhysicalSizeControls();
}

void TForm1::CreateSymbologyFilter()
{
    // Beside the symbology list, in the columns of the height and the rotation.
    QWidget *panel = PanelBottom;
    LabelFilter = CreateLabel(this, panel, "LabelFilter", QStringLiteral("Fi&lter:"), LastLabelLeft,
                              Row1 + LabelShift, LastLabelWidth);
    LabelFilter->SetAnchors(akTop | akRight);
    EditFilter = Create<TEdit>(this, panel, "EditFilter");
    EditFilter->SetBounds(LastLeft, Row1, LastWidth, RowHeight);
    EditFilter->SetAnchors(akTop | akRight);
    EditFilter->SetTabOrder(1);
    EditFilter->SetTextHint(QStringLiteral("e.g. qr micro"));
    EditFilter->SetHint(QStringLiteral("Type words to narrow the symbology list; Down or Enter opens "
                                       "the list, Escape clears the filter"));
    LabelFilter->SetFocusControl(EditFilter);
}

void TForm1::CreatePhysicalSizeControls()
{
    // Tab order: after the primary message (same number, later creation), before Save As.
    QWidget *panel = PanelBottom;
    constexpr int Row = 134;
    CheckBoxPhysicalSize = Create<TCheckBox>(this, panel, "CheckBoxPhysicalSize");
    CheckBoxPhysicalSize->SetCaption(QStringLiteral("Ph&ysical size"));
    CheckBoxPhysicalSize->SetBounds(8, Row + 2, 130, 20);
    CheckBoxPhysicalSize->SetTabOrder(22);
    CheckBoxPhysicalSize->SetHint(QStringLiteral("The scale follows from the X-dimension and the "
                                                 "resolution; saved BMP, PCX, PNG and TIF files carry "
                                                 "the resolution"));

    LabelXDimension = CreateLabel(this, panel, "LabelXDimension", QStringLiteral("X-dime&nsion (mm):"),
                                  146, Row + LabelShift, 120);
    EditXDimension = Create<TEdit>(this, panel, "EditXDimension");
    EditXDimension->SetBounds(270, Row, NumberEditWidth, RowHeight);
    EditXDimension->SetTabOrder(22);
    EditXDimension->SetText(FloatToStr(0.33L));
    EditXDimension->SetHint(QStringLiteral("The width of the narrowest bar or of one module, in millimetres"));
    LabelXDimension->SetFocusControl(EditXDimension);

    LabelResolution = CreateLabel(this, panel, "LabelResolution", QStringLiteral("Resol&ution (dpi):"),
                                  340, Row + LabelShift, 110);
    EditResolution = Create<TEdit>(this, panel, "EditResolution");
    EditResolution->SetBounds(454, Row, NumberEditWidth, RowHeight);
    EditResolution->SetTabOrder(22);
    EditResolution->SetText(QStringLiteral("300"));
    EditResolution->SetHint(QStringLiteral("The printer's or the page's dots per inch"));
    LabelResolution->SetFocusControl(EditResolution);

    // What the symbol measures, or why the fields cannot be applied.
    LabelPhysicalSize = CreateLabel(this, panel, "LabelPhysicalSize", QString(), 524, Row + LabelShift,
                                    DesignClientWidth - 8 - 524);
    LabelPhysicalSize->SetAnchors(akLeft | akTop | akRight);
}

void TForm1::CreateButtonRow()
{
    QWidget *panel = PanelBottom;
    ButtonSave = Create<TButton>(this, panel, "ButtonSave");
    ButtonSave->SetCaption(QStringLiteral("Save As ..."));
    ButtonSave->SetBounds(8, Row6, 130, 32);
    ButtonSave->SetTabOrder(23);

    ComboBoxExt = Create<TComboBox>(this, panel, "ComboBoxExt");
    ComboBoxExt->SetStyle(csDropDownList);
    ComboBoxExt->SetBounds(146, Row6 + 4, 76, RowHeight);
    for (int index = 0; index < SaveFormatCount; ++index)
        ComboBoxExt->AddItem(QLatin1String(SaveFormats[index].Code));
    ComboBoxExt->SetItemIndex(0);
    ComboBoxExt->SetTabOrder(24);

    // The batch button stands out: bold and taller than its neighbours.
    ButtonBatch = Create<TButton>(this, panel, "ButtonBatch");
    ButtonBatch->SetCaption(QStringLiteral("Batch Generator ..."));
    ButtonBatch->SetBounds(DesignClientWidth - 8 - 130 - 8 - 190, Row6 - 3, 190, 38);
    ButtonBatch->Font()->SetStyle(TFont::fsBold);
    ButtonBatch->SetAnchors(akTop | akRight);
    ButtonBatch->SetTabOrder(25);

    ButtonSettings = Create<TButton>(this, panel, "ButtonSettings");
    ButtonSettings->SetCaption(QStringLiteral("Settings ..."));
    ButtonSettings->SetBounds(DesignClientWidth - 8 - 130, Row6, 130, 32);
    ButtonSettings->SetAnchors(akTop | akRight);
    ButtonSettings->SetTabOrder(26);
}

void TForm1::ConnectHandlers()
{
    ConnectGuarded(ComboBoxSymbology, &TComboBox::OnChange, this, &TForm1::ComboBoxSymbologyChange);
    ConnectGuarded(MemoInputText, &TMemo::OnChange, this, &TForm1::MemoInputTextChange);
    ConnectGuarded(MemoPrimaryMessage, &TMemo::OnChange, this, &TForm1::MemoPrimaryMessageChange);
    ConnectGuarded(ColorBoxForeColor, &TColorBox::OnChange, this, &TForm1::ColorBoxForeColorChange);
    ConnectGuarded(ColorBoxBackColor, &TColorBox::OnChange, this, &TForm1::ColorBoxBackColorChange);
    ConnectGuarded(EditBorderWidth, &TEdit::OnChange, this, &TForm1::EditBorderWidthChange);
    ConnectGuarded(EditWhiteSpace, &TEdit::OnChange, this, &TForm1::EditWhiteSpaceChange);
    ConnectGuarded(EditHeight, &TEdit::OnChange, this, &TForm1::EditHeightChange);
    ConnectGuarded(EditDotSize, &TEdit::OnChange, this, &TForm1::EditDotSizeChange);
    ConnectGuarded(EditScale, &TEdit::OnChange, this, &TForm1::EditScaleChange);
    ConnectGuarded(CheckBoxShowText, &TCheckBox::OnClick, this, &TForm1::CheckBoxShowTextClick);
    ConnectGuarded(ComboBoxRotation, &TComboBox::OnChange, this, &TForm1::ComboBoxRotationChange);
    ConnectGuarded(CheckBoxSmallText, &TCheckBox::OnClick, this, &TForm1::CheckBoxSmallTextClick);
    ConnectGuarded(CheckBoxBoldText, &TCheckBox::OnClick, this, &TForm1::CheckBoxBoldTextClick);
    ConnectGuarded(CheckBoxBars, &TCheckBox::OnClick, this, &TForm1::CheckBoxBarsClick);
    ConnectGuarded(CheckBoxBox, &TCheckBox::OnClick, this, &TForm1::CheckBoxBoxClick);
    ConnectGuarded(CheckBoxDotty, &TCheckBox::OnClick, this, &TForm1::CheckBoxDottyClick);
    ConnectGuarded(UpDownDotSize, &TUpDown::OnChangingEx, this, &TForm1::UpDownDotSizeChangingEx);
    ConnectGuarded(UpDownScale, &TUpDown::OnChangingEx, this, &TForm1::UpDownScaleChangingEx);
    ConnectGuarded(ButtonSave, &TButton::OnClick, this, &TForm1::ButtonSaveClick);
    ConnectGuarded(ButtonBatch, &TButton::OnClick, this, &TForm1::ButtonBatchClick);
    ConnectGuarded(ButtonSettings, &TButton::OnClick, this, &TForm1::ButtonSettingsClick);
    ConnectGuarded(this, &TForm::OnShow, this, &TForm1::FormShow);
    // Connected after FormShow so that it runs after it, also when FormShow failed.
    ConnectGuarded(this, &TForm::OnShow, this, [this] { CentreAtFirstShow(); });
    ConnectGuarded(this, &TForm::OnClose, this, &TForm1::FormClose);
    ConnectGuarded(EditFilter, &TEdit::OnChange, this, &TForm1::EditFilterChange);
    ConnectSymbologyFilter();
    ConnectGuarded(CheckBoxPhysicalSize, &TCheckBox::OnClick, this, &TForm1::CheckBoxPhysicalSizeClick);
    ConnectGuarded(EditXDimension, &TEdit::OnChange, this, &TForm1::EditXDimensionChange);
    ConnectGuarded(EditResolution, &TEdit::OnChange, this, &TForm1::EditResolutionChange);
    ConnectPreviewHandlers();
}
