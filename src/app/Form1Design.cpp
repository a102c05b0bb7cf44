#include "app/ButtonImages.h"
#include "app/ComputerInfo.h"
#include "app/Form1.h"
#include "app/SaveFormats.h"
#include "app/ScanVerdictView.h"
#include "app/SymbologyOptionsView.h"
#include "barcode/Barcode.h"
#include "barcode/BarcodeOptions.h"
#include "lang/LangChanger.h"
#include "toolkit/ColorBox.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/Dialogs.h"
#include "toolkit/EventGuard.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/ImgList.h"
#include "toolkit/LocaleNumbers.h"
#include "toolkit/StdCtrls.h"

#include <QBoxLayout>
#include <QGridLayout>

// The window's design: every control with its name, caption and tab order, in creation order,
// placed by layouts so that the window adapts to its size, the font and the language; then the
// handlers. A language file may still set a control's position or size, but the layout places
// the control again at the next change.

namespace {

constexpr int DesignClientWidth = 837;
constexpr int DesignClientHeight = 646;
// The preview keeps at least this much room at the window's smallest size.
constexpr int PreviewMinimumWidth = 200, PreviewMinimumHeight = 120;
constexpr int SpinWidth = 17;
constexpr int Spacing = 6, Margin = 8;
// Number fields are wide enough for these digits in the window's font.
const QString NumberSample = QStringLiteral("00,000");

template <typename T>
T *Create(TForm1 *owner, QWidget *parent, const char *name)
{
    auto *control = new T(owner, parent);
    control->SetName(QLatin1String(name));
    return control;
}

TLabel *CreateLabel(TForm1 *owner, QWidget *parent, const char *name, const QString &caption)
{
    auto *label = Create<TLabel>(owner, parent, name);
    label->SetCaption(caption);
    return label;
}

TCheckBox *CreateCheckBox(TForm1 *owner, QWidget *parent, const char *name, const QString &caption,
                          int tabOrder)
{
    auto *box = Create<TCheckBox>(owner, parent, name);
    box->SetCaption(caption);
    box->SetTabOrder(tabOrder);
    return box;
}

void SizeNumberEdit(TEdit *edit)
{
    const int digits = edit->fontMetrics().horizontalAdvance(NumberSample);
    edit->setMinimumWidth(digits + 2 * edit->fontMetrics().averageCharWidth() + 8);
}

void SizeSpin(TUpDown *spin, const TEdit *edit)
{
    spin->setFixedSize(SpinWidth, edit->sizeHint().height());
}

// An integer edit with its attached spin; the spin shows the position with thousands separators.
void CreateNumberEdit(TForm1 *owner, QWidget *parent, const char *editName, const char *spinName,
                      int max, int editTab, int spinTab, TEdit *&edit, TUpDown *&spin)
{
    edit = Create<TEdit>(owner, parent, editName);
    edit->SetText(QStringLiteral("0"));
    edit->SetTabOrder(editTab);
    SizeNumberEdit(edit);
    spin = Create<TUpDown>(owner, parent, spinName);
    spin->SetMin(0);
    spin->SetMax(max);
    spin->SetIncrement(1);
    spin->SetThousands(true);
    spin->SetAssociate(edit);
    spin->SetTabOrder(spinTab);
    SizeSpin(spin, edit);
}

// A text edit with a spin of its own (no attachment); the spin counts tenths.
void CreateTenthsEdit(TForm1 *owner, QWidget *parent, const char *editName, const char *spinName,
                      int editTab, int spinTab, TEdit *&edit, TUpDown *&spin)
{
    edit = Create<TEdit>(owner, parent, editName);
    edit->SetTabOrder(editTab);
    SizeNumberEdit(edit);
    spin = Create<TUpDown>(owner, parent, spinName);
    spin->SetMin(0);
    spin->SetMax(100);
    spin->SetIncrement(1);
    spin->SetTabOrder(spinTab);
    SizeSpin(spin, edit);
}

// An edit and its spin side by side, as one cell of the option grid.
QHBoxLayout *EditWithSpin(TEdit *edit, TUpDown *spin)
{
    auto *pair = new QHBoxLayout;
    pair->setSpacing(0);
    pair->addWidget(edit, 1);
    pair->addWidget(spin);
    return pair;
}

// Label and field in one grid cell pair; the label's text stands level with the field's.
void AddField(QGridLayout *grid, int row, int column, TLabel *label, QWidget *field)
{
    grid->addWidget(label, row, column);
    grid->addWidget(field, row, column + 1);
}

void AddField(QGridLayout *grid, int row, int column, TLabel *label, QLayout *field)
{
    grid->addWidget(label, row, column);
    grid->addLayout(field, row, column + 1);
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
    // The zoom of the preview stands at the right end, beside whatever message is shown.
    LabelZoom = Create<TLabel>(this, StatusBar, "LabelZoom");
    LabelZoom->SetHint(QStringLiteral("The preview's zoom: Ctrl+0 fits the symbol into the window, "
                                      "Ctrl+1 shows it 1:1"));
    StatusBar->addPermanentWidget(LabelZoom);

    Barcode = new TBarcode(this);
    Barcode->SetName(QStringLiteral("Barcode"));
    // The program's start values; the component's own defaults differ (raw bytes, no border).
    ApplyOptionDefaults(*Barcode);
    Barcode->SetInputText(QStringLiteral("123456"));
    // The preview shows a symbol the engine warns about, and the warning beside it.
    Barcode->SetKeepWarnings(true);

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
    CreateScanCheck();
    CreateLayouts();
    ConnectHandlers();
}

void TForm1::CreatePreviewPanel()
{
    PanelTop = Create<TPanel>(this, this, "PanelTop");
    PanelTop->SetBevelOuter(bvNone);
    PanelTop->SetColor(int(clAppWorkSpace));
    PanelTop->SetTabOrder(1);
    PanelTop->setMinimumSize(PreviewMinimumWidth, PreviewMinimumHeight);

    Image = Create<TImage>(this, PanelTop, "Image");
    Image->SetCenter(true);
    // The symbol is drawn in its own colours; only the surround takes the panel's.
    Image->SetTransparent(false);
    Image->SetAlign(alClient);

    PanelBottom = Create<TPanel>(this, this, "PanelBottom");
    PanelBottom->SetBevelOuter(bvNone);
    PanelBottom->SetTabOrder(0);
    // The options keep the height they need; the preview grows with the window.
    PanelBottom->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
}

void TForm1::CreateOptionControls()
{
    QWidget *panel = PanelBottom;

    LabelSymbology = CreateLabel(this, panel, "LabelSymbology", QStringLiteral("&Symbology:"));
    ComboBoxSymbology = Create<TComboBox>(this, panel, "ComboBoxSymbology");
    ComboBoxSymbology->SetStyle(csDropDownList);
    ComboBoxSymbology->SetTabOrder(0);
    ComboBoxSymbology->setMaxVisibleItems(24);
    // The longest names do not widen the window; the drop-down shows them whole.
    ComboBoxSymbology->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBoxSymbology->setMinimumContentsLength(16);
    LabelSymbology->SetFocusControl(ComboBoxSymbology);
    CreateSymbologyFilter();

    LabelForeColor = CreateLabel(this, panel, "LabelForeColor", QStringLiteral("&Fore color:"));
    ColorBoxForeColor = Create<TColorBox>(this, panel, "ColorBoxForeColor");
    ColorBoxForeColor->SetTabOrder(3);
    LabelForeColor->SetFocusControl(ColorBoxForeColor);

    LabelBorderWidth = CreateLabel(this, panel, "LabelBorderWidth", QStringLiteral("Bord&er:"));
    CreateNumberEdit(this, panel, "EditBorderWidth", "UpDownBorderWidth", 100, 6, 5, EditBorderWidth,
                     UpDownBorderWidth);
    LabelBorderWidth->SetFocusControl(EditBorderWidth);

    LabelScale = CreateLabel(this, panel, "LabelScale", QStringLiteral("S&cale:"));
    CreateTenthsEdit(this, panel, "EditScale", "UpDownScale", 20, 21, EditScale, UpDownScale);
    LabelScale->SetFocusControl(EditScale);

    LabelHeight = CreateLabel(this, panel, "LabelHeight", QStringLiteral("&Height:"));
    CreateNumberEdit(this, panel, "EditHeight", "UpDownHeight", 2000, 10, 11, EditHeight, UpDownHeight);
    LabelHeight->SetFocusControl(EditHeight);

    LabelBackColor = CreateLabel(this, panel, "LabelBackColor", QStringLiteral("&Back color:"));
    ColorBoxBackColor = Create<TColorBox>(this, panel, "ColorBoxBackColor");
    ColorBoxBackColor->SetTabOrder(4);
    LabelBackColor->SetFocusControl(ColorBoxBackColor);

    LabelWhiteSpace = CreateLabel(this, panel, "LabelWhiteSpace", QStringLiteral("&White space:"));
    CreateNumberEdit(this, panel, "EditWhiteSpace", "UpDownWhiteSpace", 100, 7, 8, EditWhiteSpace,
                     UpDownWhiteSpace);
    LabelWhiteSpace->SetFocusControl(EditWhiteSpace);

    LabelDotSize = CreateLabel(this, panel, "LabelDotSize", QStringLiteral("Dot si&ze:"));
    CreateTenthsEdit(this, panel, "EditDotSize", "UpDownDotSize", 18, 19, EditDotSize, UpDownDotSize);
    LabelDotSize->SetFocusControl(EditDotSize);

    LabelRotation = CreateLabel(this, panel, "LabelRotation", QStringLiteral("&Rotation:"));
    ComboBoxRotation = Create<TComboBox>(this, panel, "ComboBoxRotation");
    ComboBoxRotation->SetStyle(csDropDownList);
    for (const char *item : {"0 degree", "90 degree", "180 degree", "270 degree"})
        ComboBoxRotation->AddItem(QLatin1String(item));
    ComboBoxRotation->SetItemIndex(-1);
    ComboBoxRotation->SetTabOrder(12);
    LabelRotation->SetFocusControl(ComboBoxRotation);

    CheckBoxShowText = CreateCheckBox(this, panel, "CheckBoxShowText", QStringLiteral("Show &text"), 9);
    CheckBoxSmallText = CreateCheckBox(this, panel, "CheckBoxSmallText", QStringLiteral("S&mall text"), 13);
    CheckBoxBoldText = CreateCheckBox(this, panel, "CheckBoxBoldText", QStringLiteral("B&old text"), 14);
    CheckBoxBars = CreateCheckBox(this, panel, "CheckBoxBars", QStringLiteral("B&ars"), 15);
    CheckBoxBox = CreateCheckBox(this, panel, "CheckBoxBox", QStringLiteral("Bo&x"), 16);
    CheckBoxDotty = CreateCheckBox(this, panel, "CheckBoxDotty", QStringLiteral("&Dotty"), 17);
    CheckBoxTransparent = CreateCheckBox(this, panel, "CheckBoxTransparent", QStringLiteral("Transparent back&ground"), 17);
    CheckBoxTransparent->SetHint(QStringLiteral("What lies behind the symbol shows through its background, in PNG, SVG, TIF, GIF and PDF files"));

    LabelInputText = CreateLabel(this, panel, "LabelInputText", QStringLiteral("Input Text"));
    MemoInputText = Create<TMemo>(this, panel, "MemoInputText");
    MemoInputText->SetScrollBars(ssVertical);
    MemoInputText->SetTabOrder(2);
    LabelPrimaryMessage = CreateLabel(this, panel, "LabelPrimaryMessage", QStringLiteral("Primary Message"));
    MemoPrimaryMessage = Create<TMemo>(this, panel, "MemoPrimaryMessage");
    MemoPrimaryMessage->SetScrollBars(ssVertical);
    MemoPrimaryMessage->SetTabOrder(22);
    for (TMemo *memo : {MemoInputText, MemoPrimaryMessage}) {
        // Four lines of text, down to two when the window is small; the preview takes the rest.
        const int lines = memo->fontMetrics().lineSpacing();
        memo->setMinimumHeight(lines * 2 + 12);
        memo->setMaximumHeight(lines * 4 + 12);
        memo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    }

    CreatePhysicalSizeControls();

    // The options that only some symbologies have; each shows while the symbology takes it.
    PanelSymbologyOptions = Create<TPanel>(this, panel, "PanelSymbologyOptions");
    PanelSymbologyOptions->SetBevelOuter(bvNone);
    PanelSymbologyOptions->SetTabOrder(22);
    SymbologyOptions = new TSymbologyOptionsView(this, PanelSymbologyOptions,
                                                 [this](const QString &message) { return TranslateMessage(message); });
}

void TForm1::CreateSymbologyFilter()
{
    QWidget *panel = PanelBottom;
    LabelFilter = CreateLabel(this, panel, "LabelFilter", QStringLiteral("Fi&lter:"));
    EditFilter = Create<TEdit>(this, panel, "EditFilter");
    EditFilter->SetTabOrder(1);
    EditFilter->SetTextHint(QStringLiteral("e.g. qr micro"));
    EditFilter->SetHint(QStringLiteral("Type words to narrow the symbology list; Down or Enter opens "
                                       "the list, Escape clears the filter"));
    LabelFilter->SetFocusControl(EditFilter);
    // How many symbologies the filter leaves; set with the list.
    LabelFilterMatches = Create<TLabel>(this, panel, "LabelFilterMatches");
    LabelFilterMatches->SetHint(QStringLiteral("How many symbologies match the filter"));
}

void TForm1::CreatePhysicalSizeControls()
{
    // Tab order: after the primary message (same number, later creation), before Save As.
    QWidget *panel = PanelBottom;
    CheckBoxPhysicalSize = Create<TCheckBox>(this, panel, "CheckBoxPhysicalSize");
    CheckBoxPhysicalSize->SetCaption(QStringLiteral("Ph&ysical size"));
    CheckBoxPhysicalSize->SetTabOrder(22);
    CheckBoxPhysicalSize->SetHint(QStringLiteral("The scale follows from the X-dimension and the "
                                                 "resolution; saved BMP, PCX, PNG and TIF files carry "
                                                 "the resolution"));

    LabelXDimension = CreateLabel(this, panel, "LabelXDimension", QStringLiteral("X-dime&nsion (mm):"));
    EditXDimension = Create<TEdit>(this, panel, "EditXDimension");
    EditXDimension->SetTabOrder(22);
    EditXDimension->SetText(FloatToStr(0.33L));
    EditXDimension->SetHint(QStringLiteral("The width of the narrowest bar or of one module, in millimetres"));
    SizeNumberEdit(EditXDimension);
    LabelXDimension->SetFocusControl(EditXDimension);

    LabelResolution = CreateLabel(this, panel, "LabelResolution", QStringLiteral("Resol&ution (dpi):"));
    EditResolution = Create<TEdit>(this, panel, "EditResolution");
    EditResolution->SetTabOrder(22);
    EditResolution->SetText(QStringLiteral("300"));
    EditResolution->SetHint(QStringLiteral("The printer's or the page's dots per inch"));
    SizeNumberEdit(EditResolution);
    LabelResolution->SetFocusControl(EditResolution);

    // What the symbol measures, or why the fields cannot be applied; wraps rather than being cut.
    // Its own row, shown while it has something to say.
    LabelPhysicalSize = CreateLabel(this, panel, "LabelPhysicalSize", QString());
    LabelPhysicalSize->setWordWrap(true);
    LabelPhysicalSize->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    LabelPhysicalSize->SetVisible(false);
}

void TForm1::CreateButtonRow()
{
    QWidget *panel = PanelBottom;
    ButtonSave = Create<TButton>(this, panel, "ButtonSave");
    ButtonSave->SetCaption(QStringLiteral("Save As ..."));
    ButtonSave->SetTabOrder(23);
    ButtonSave->SetHint(QStringLiteral("Saves the symbol in the format chosen beside (Ctrl+S)"));

    ComboBoxExt = Create<TComboBox>(this, panel, "ComboBoxExt");
    ComboBoxExt->SetStyle(csDropDownList);
    for (int index = 0; index < SaveFormatCount; ++index)
        ComboBoxExt->AddItem(QLatin1String(SaveFormats[index].Code));
    ComboBoxExt->SetItemIndex(0);
    ComboBoxExt->SetTabOrder(24);

    // The batch button stands out: bold and taller than its neighbours.
    ButtonBatch = Create<TButton>(this, panel, "ButtonBatch");
    ButtonBatch->SetCaption(QStringLiteral("Batch Generator ..."));
    ButtonBatch->Font()->SetStyle(TFont::fsBold);
    ButtonBatch->SetTabOrder(25);

    ButtonLabelSheet = Create<TButton>(this, panel, "ButtonLabelSheet");
    ButtonLabelSheet->SetCaption(QStringLiteral("Label Sheet ..."));
    ButtonLabelSheet->SetHint(QStringLiteral("Prints the symbol on a sheet of labels, or saves the sheet as PDF"));
    ButtonLabelSheet->SetTabOrder(25);

    ButtonSettings = Create<TButton>(this, panel, "ButtonSettings");
    ButtonSettings->SetCaption(QStringLiteral("Settings ..."));
    ButtonSettings->SetTabOrder(26);
}

void TForm1::CreateLayouts()
{
    // The preview takes what the option panel leaves; the panel takes the height it needs.
    auto *window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    auto *preview = new QHBoxLayout;
    preview->setSpacing(0);
    preview->addWidget(PanelTop, 1);
    preview->addWidget(ScanVerdict->PanelScanCheck, 0);
    window->addLayout(preview, 1);
    window->addWidget(PanelBottom, 0);

    auto *panel = new QVBoxLayout(PanelBottom);
    panel->setContentsMargins(Margin, Margin, Margin, 0);
    panel->setSpacing(Spacing);

    // Four pairs of label and field; the fields share the width that is left.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(Spacing);
    grid->setVerticalSpacing(Spacing);
    auto *symbology = new QHBoxLayout;
    symbology->addWidget(ComboBoxSymbology, 1);
    symbology->addWidget(LabelFilter);
    symbology->addWidget(EditFilter);
    symbology->addWidget(LabelFilterMatches);
    grid->addWidget(LabelSymbology, 0, 0);
    grid->addLayout(symbology, 0, 1, 1, 7);
    AddField(grid, 1, 0, LabelForeColor, ColorBoxForeColor);
    AddField(grid, 1, 2, LabelBorderWidth, EditWithSpin(EditBorderWidth, UpDownBorderWidth));
    AddField(grid, 1, 4, LabelScale, EditWithSpin(EditScale, UpDownScale));
    AddField(grid, 1, 6, LabelHeight, EditWithSpin(EditHeight, UpDownHeight));
    AddField(grid, 2, 0, LabelBackColor, ColorBoxBackColor);
    AddField(grid, 2, 2, LabelWhiteSpace, EditWithSpin(EditWhiteSpace, UpDownWhiteSpace));
    AddField(grid, 2, 4, LabelDotSize, EditWithSpin(EditDotSize, UpDownDotSize));
    AddField(grid, 2, 6, LabelRotation, ComboBoxRotation);
    grid->setColumnStretch(1, 3);
    for (int column : {3, 5, 7})
        grid->setColumnStretch(column, 2);
    panel->addLayout(grid);

    auto *drawing = new QHBoxLayout;
    drawing->setSpacing(2 * Spacing);
    for (TCheckBox *box : {CheckBoxShowText, CheckBoxSmallText, CheckBoxBoldText, CheckBoxBars, CheckBoxBox,
                           CheckBoxDotty, CheckBoxTransparent})
        drawing->addWidget(box);
    drawing->addStretch(1);
    panel->addLayout(drawing);

    auto *physical = new QHBoxLayout;
    physical->setSpacing(Spacing);
    physical->addWidget(CheckBoxPhysicalSize);
    physical->addSpacing(Spacing);
    physical->addWidget(LabelXDimension);
    physical->addWidget(EditXDimension);
    physical->addSpacing(Spacing);
    physical->addWidget(LabelResolution);
    physical->addWidget(EditResolution);
    physical->addStretch(1);
    panel->addLayout(physical);
    panel->addWidget(LabelPhysicalSize);

    panel->addWidget(PanelSymbologyOptions);

    // The data, in two halves of equal width.
    auto *dataRow = new QGridLayout;
    dataRow->setHorizontalSpacing(Margin);
    dataRow->setVerticalSpacing(2);
    dataRow->addWidget(LabelInputText, 0, 0);
    dataRow->addWidget(MemoInputText, 1, 0);
    dataRow->addWidget(LabelPrimaryMessage, 0, 1);
    dataRow->addWidget(MemoPrimaryMessage, 1, 1);
    dataRow->setColumnStretch(0, 1);
    dataRow->setColumnStretch(1, 1);
    panel->addLayout(dataRow, 1);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(Margin);
    buttons->addWidget(ButtonSave);
    buttons->addWidget(ComboBoxExt);
    buttons->addStretch(1);
    buttons->addWidget(ButtonBatch);
    buttons->addWidget(ButtonLabelSheet);
    buttons->addWidget(ButtonSettings);
    panel->addLayout(buttons);
    for (TButton *button : {ButtonSave, ButtonLabelSheet, ButtonSettings})
        button->setMinimumHeight(32);
    ButtonBatch->setMinimumHeight(38);

    panel->addWidget(StatusBar);
    // Placed now, so that positions read before the first showing are those of the layout.
    window->activate();
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
    ConnectGuarded(CheckBoxTransparent, &TCheckBox::OnClick, this, &TForm1::CheckBoxTransparentClick);
    ConnectGuarded(ComboBoxExt, &TComboBox::OnChange, this, &TForm1::ComboBoxExtChange);
    ConnectGuarded(UpDownDotSize, &TUpDown::OnChangingEx, this, &TForm1::UpDownDotSizeChangingEx);
    ConnectGuarded(UpDownScale, &TUpDown::OnChangingEx, this, &TForm1::UpDownScaleChangingEx);
    ConnectGuarded(ButtonSave, &TButton::OnClick, this, &TForm1::ButtonSaveClick);
    ConnectGuarded(ButtonBatch, &TButton::OnClick, this, &TForm1::ButtonBatchClick);
    ConnectGuarded(ButtonLabelSheet, &TButton::OnClick, this, &TForm1::ButtonLabelSheetClick);
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
    ConnectScanCheck();
    ConnectGuarded(SymbologyOptions, &TSymbologyOptionsView::OnOptionChange, this, &TForm1::SymbologyOptionChange);
    ConnectGuarded(SymbologyOptions, &TSymbologyOptionsView::OnReset, this, [this] { ButtonResetOptionsClick(SymbologyOptions->ButtonResetOptions); });
}
