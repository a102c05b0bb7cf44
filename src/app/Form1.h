#pragma once

#include "toolkit/ComCtrls.h"
#include "toolkit/Form.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <initializer_list>
#include <memory>

class TBarcode;
class TBatchHost;
class TButton;
class TCheckBox;
class TColorBox;
class TComboBox;
class TComputerInfo;
class TEdit;
class TImage;
class TImageList;
class TLabel;
class TLangChanger;
class TMemo;
class TMenuItem;
class TPanel;
class TSavePictureDialog;
class TSettingsHost;
class TStatusBar;
class TScanVerdictView;
class TScanWorker;
struct TScanVerdict;
class TUpDown;
class TSymbologyOptionsView;
struct TBarcodeOption;
class QMenu;
class QTemporaryDir;
class QTimer;

// The main window: the option panel with its live preview, Save As, and the buttons that open the
// batch window and the settings dialog. It owns the barcode component and the translation
// component through which every window is translated.
class TForm1 final : public TForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm1)

public:
    // Builds the window from its design, reads the version, sets the application title, ensures
    // the per-user folder and loads the settings. Errors leave the constructor.
    explicit TForm1(QObject *AOwner);
    ~TForm1() override;

    // Controls and components, in design (creation) order.
    TPanel *PanelTop = nullptr;
    TImage *Image = nullptr;
    TPanel *PanelBottom = nullptr;
    TLabel *LabelSymbology = nullptr;
    TComboBox *ComboBoxSymbology = nullptr;
    TLabel *LabelFilter = nullptr;
    TEdit *EditFilter = nullptr;
    TLabel *LabelFilterMatches = nullptr;
    TLabel *LabelForeColor = nullptr;
    TColorBox *ColorBoxForeColor = nullptr;
    TLabel *LabelBorderWidth = nullptr;
    TEdit *EditBorderWidth = nullptr;
    TUpDown *UpDownBorderWidth = nullptr;
    TLabel *LabelScale = nullptr;
    TEdit *EditScale = nullptr;
    TUpDown *UpDownScale = nullptr;
    TLabel *LabelHeight = nullptr;
    TEdit *EditHeight = nullptr;
    TUpDown *UpDownHeight = nullptr;
    TLabel *LabelBackColor = nullptr;
    TColorBox *ColorBoxBackColor = nullptr;
    TLabel *LabelWhiteSpace = nullptr;
    TEdit *EditWhiteSpace = nullptr;
    TUpDown *UpDownWhiteSpace = nullptr;
    TLabel *LabelDotSize = nullptr;
    TEdit *EditDotSize = nullptr;
    TUpDown *UpDownDotSize = nullptr;
    TLabel *LabelRotation = nullptr;
    TComboBox *ComboBoxRotation = nullptr;
    TCheckBox *CheckBoxShowText = nullptr;
    TCheckBox *CheckBoxSmallText = nullptr;
    TCheckBox *CheckBoxBoldText = nullptr;
    TCheckBox *CheckBoxBars = nullptr;
    TCheckBox *CheckBoxBox = nullptr;
    TCheckBox *CheckBoxDotty = nullptr;
    TCheckBox *CheckBoxTransparent = nullptr;
    TLabel *LabelInputText = nullptr;
    TMemo *MemoInputText = nullptr;
    TLabel *LabelPrimaryMessage = nullptr;
    TMemo *MemoPrimaryMessage = nullptr;
    TCheckBox *CheckBoxPhysicalSize = nullptr;
    TLabel *LabelXDimension = nullptr;
    TEdit *EditXDimension = nullptr;
    TLabel *LabelResolution = nullptr;
    TEdit *EditResolution = nullptr;
    TLabel *LabelPhysicalSize = nullptr;
    // The options that only some symbologies have; hidden while it holds none.
    TPanel *PanelSymbologyOptions = nullptr;
    // Its controls, built from the option table.
    TSymbologyOptionsView *SymbologyOptions = nullptr;
    TButton *ButtonSave = nullptr;
    TComboBox *ComboBoxExt = nullptr;
    TButton *ButtonBatch = nullptr;
    TButton *ButtonLabelSheet = nullptr;
    TButton *ButtonSettings = nullptr;
    TStatusBar *StatusBar = nullptr;
    TLabel *LabelZoom = nullptr;
    // Beside the preview: whether the symbol reads back, and the warnings about it.
    TScanVerdictView *ScanVerdict = nullptr;
    TBarcode *Barcode = nullptr;
    TSavePictureDialog *SavePictureDialog = nullptr;
    TImageList *ImageList1 = nullptr;
    TLangChanger *LangChanger1 = nullptr;
    TComputerInfo *JvComputerInfoEx1 = nullptr;
    // The preview's commands, in its context menu and on the keyboard.
    TMenuItem *MenuItemCopy = nullptr;
    TMenuItem *MenuItemZoomIn = nullptr;
    TMenuItem *MenuItemZoomOut = nullptr;
    TMenuItem *MenuItemZoomFit = nullptr;
    TMenuItem *MenuItemZoomActual = nullptr;
    TMenuItem *MenuItemPrint = nullptr;
    TMenuItem *MenuItemSave = nullptr; // Save As, also by Ctrl+S
    TMenuItem *MenuItemCopyCommandLine = nullptr; // also by Ctrl+Shift+C

    // Life cycle (Form1.cpp).
    void GetFileVersionInfoMy();
    void FormCreate(QObject *Sender);

    // Option controls and preview (Form1Options.cpp).
    void ComboBoxSymbologyChange(QObject *Sender);
    void MemoInputTextChange(QObject *Sender);
    void MemoPrimaryMessageChange(QObject *Sender);
    void ColorBoxForeColorChange(QObject *Sender);
    void ColorBoxBackColorChange(QObject *Sender);
    void EditBorderWidthChange(QObject *Sender);
    void EditWhiteSpaceChange(QObject *Sender);
    void EditHeightChange(QObject *Sender);
    void EditDotSizeChange(QObject *Sender);
    void EditScaleChange(QObject *Sender);
    void CheckBoxShowTextClick(QObject *Sender);
    void ComboBoxRotationChange(QObject *Sender);
    void CheckBoxSmallTextClick(QObject *Sender);
    void CheckBoxBoldTextClick(QObject *Sender);
    void CheckBoxBarsClick(QObject *Sender);
    void CheckBoxBoxClick(QObject *Sender);
    void CheckBoxDottyClick(QObject *Sender);
    void UpDownDotSizeChangingEx(QObject *Sender, bool &AllowChange, short NewValue,
                                 ComCtrlTypes::TUpDownDirection Direction);
    void UpDownScaleChangingEx(QObject *Sender, bool &AllowChange, short NewValue,
                               ComCtrlTypes::TUpDownDirection Direction);

    // The symbol's own settings (Form1SymbolSettings.cpp): the options area, what is remembered
    // between runs, and the command line that writes the same symbol.
    void SymbologyOptionChange(const TBarcodeOption *Option, double Value);
    void ButtonResetOptionsClick(QObject *Sender);
    void MenuItemCopyCommandLineClick(QObject *Sender);
    // The command that writes the symbol shown, as "Copy as command line" copies it.
    QString CommandLineText() const;

    // The filter over the symbology list (Form1Filter.cpp): the list offers only the names that
    // match; the selected symbology stays until the user picks another.
    void EditFilterChange(QObject *Sender);

    // Physical size (Form1PhysicalSize.cpp): with the box checked, the scale follows from the
    // X-dimension in millimetres and the resolution, and saved files carry that resolution.
    void CheckBoxPhysicalSizeClick(QObject *Sender);
    void EditXDimensionChange(QObject *Sender);
    void EditResolutionChange(QObject *Sender);

    // The transparent background (Form1Transparent.cpp): a format that cannot keep it says so in
    // the status bar while it is chosen.
    void CheckBoxTransparentClick(QObject *Sender);
    void ComboBoxExtChange(QObject *Sender);

    // Save As (Form1Save.cpp).
    void ButtonSaveClick(QObject *Sender);
    // Saves the current barcode to `Path` plus the extension of the format chosen in
    // ComboBoxExt; does nothing when the list shows no known format.
    void ButtonSavePathClick(const QString &Path);
    // Tells in the status bar which file a save wrote.
    void NoteSaved(const QString &fileName);

    // The preview's commands (Form1Preview.cpp).
    void MenuItemCopyClick(QObject *Sender);
    void MenuItemZoomInClick(QObject *Sender);
    void MenuItemZoomOutClick(QObject *Sender);
    void MenuItemZoomFitClick(QObject *Sender);
    void MenuItemZoomActualClick(QObject *Sender);
    void MenuItemPrintClick(QObject *Sender);
    void ImageStartDrag(QObject *Sender);
    void ImageContextPopup(QObject *Sender, const QPoint &Position);
    void ImageZoomChange(QObject *Sender);
    // The preview's context menu.
    QMenu *PreviewMenu() const { return FPreviewMenu; }

    // The batch window and the settings dialog (Form1Dialogs.cpp).
    void ButtonBatchClick(QObject *Sender);
    // The current symbol on every label of a sheet, printed or saved as PDF.
    void ButtonLabelSheetClick(QObject *Sender);
    void ButtonSettingsClick(QObject *Sender);
    // What this window offers the batch window and the settings dialog (Form1Hosts.cpp).
    TBatchHost *BatchHost() const { return FBatchHost.get(); }
    TSettingsHost *SettingsHost() const { return FSettingsHost.get(); }

    // The scan check (Form1ScanCheck.cpp): the latest picture is read back off this thread.
    void CheckBoxScanCheckClick(QObject *Sender);
    void ScanChecked(quint64 Number, const TScanVerdict &Verdict);

    // Life cycle (Form1.cpp).
    void Resetposition1Click();
    void FormClose(QObject *Sender, FormTypes::TCloseAction &Action);
    void FormShow(QObject *Sender);

    // Why the chosen format will not keep the transparent background; empty when it will.
    QString TransparencyNote() const;

    // Rebuilds the preview from the barcode component: the picture, or an empty preview and the
    // error's message in the status bar.
    void RefreshPreview();

    // A message in the current language (the message itself when there is none).
    QString TranslateMessage(const QString &message) const;

    // True once the panel set-up has finished (the numeric fields react to input from then on).
    bool ControlsReady() const { return FControlsReady; }

private:
    // Design (Form1Design.cpp).
    void CreateComponents();
    void CreatePreviewPanel();
    void CreateOptionControls();
    void CreateButtonRow();
    void CreateLayouts();
    void ConnectHandlers();
    // The symbology filter (Form1Filter.cpp).
    void CreateSymbologyFilter();
    void ConnectSymbologyFilter();
    void ApplySymbologyFilter();
    // Physical size (Form1PhysicalSize.cpp).
    void CreatePhysicalSizeControls();
    void ApplyPhysicalSize();
    void ShowPhysicalSize();
    // The scan check (Form1ScanCheck.cpp).
    void CreateScanCheck();
    void ConnectScanCheck();
    // Reads the picture back once it has stood for a moment.
    void CheckScan();
    void SubmitScan();
    // The preview's commands (Form1Preview.cpp).
    void CreatePreviewCommands();
    void ConnectPreviewHandlers();
    // Copy and Print need a symbol.
    void UpdatePreviewCommands();
    // The zoom drawn now, in the status bar.
    void ShowZoom();
    // The status bar: the note of the last save, then the engine's message about the symbol.
    void ShowStatus();
    QString DragFolder();

    // The panel set-up run by FormCreate (Form1Options.cpp).
    void SetupPanel();
    // The option controls take the component's values.
    void ShowPanelValues();
    // The settings memory (Form1SymbolSettings.cpp): the stored symbol into the component at
    // start, the component's into the store at the end.
    void ApplyStoredSymbol();
    void StoreSymbol();
    // The chosen symbology's own options, as last set for it, into the component.
    void ApplySymbologyOptions();
    void SetOutputOption(int option, bool present);
    // Enables the fields that apply to the symbology and the physical size; the others are
    // disabled with a hint that says why.
    void UpdateApplicableFields();
    void SetApplies(std::initializer_list<QWidget *> controls, bool applies, const QString &reason);

    // At the first showing, after FormShow: centred in the primary screen's work area.
    void CentreAtFirstShow();
    // The stored size is the outer size, but the frame is known only once the window shows:
    // the client area is corrected then, so that the window does not grow from run to run.
    bool KeepOuterSize();

protected:
    void moveEvent(QMoveEvent *event) override;

private:
    std::unique_ptr<TBatchHost> FBatchHost;
    std::unique_ptr<TSettingsHost> FSettingsHost;
    bool FControlsReady = false;
    bool FCentred = false;
    QSize FOuterSize; // outer size still to be made good once the frame is known
    bool FOuterIsClient = false; // the reset position takes the client size as the outer size
    QMenu *FPreviewMenu = nullptr;
    TScanWorker *FScanWorker = nullptr;
    QTimer *FScanTimer = nullptr;
    // Files dragged out of the preview live until the program ends.
    std::unique_ptr<QTemporaryDir> FDragFolder;
    int FDragCount = 0;
    // Why the physical size cannot be applied (shown beside its fields); empty when it can.
    QString FPhysicalSizeProblem;
    // The scale typed before the physical size took over; given back when it is switched off.
    QString FScaleBeforePhysicalSize;
    QString FEngineMessage; // why the preview is empty, or the engine's warning
    QString FSaveNote;      // which file the last save wrote, until the symbol changes
};

// The main window, from the start of its construction to its destruction.
extern TForm1 *Form1;
// The program's version, four dotted numbers.
extern QString VersionText;

// Creates the main window as the program does: construction (errors leave this function), then
// the creation event, whose errors are shown while the window is still returned.
TForm1 *CreateForm1();
