#pragma once

#include "toolkit/Form.h"

#include <QPointer>
#include <functional>
#include <QStringList>

class TBatchHost;
class TButton;
class TCheckBox;
class QProgressDialog;
class TComboBox;
class TDirectoryEdit;
class TLabel;
class TListBox;
class TOpenDialog;
class TBatchColumnsDialog;
class QDialog;
struct TBatchColumnChoice;
struct TCsvTable;
struct TBatchPlan;
struct TBatchResult;
struct TBatchCheck;

// The batch window: a list of strings, loaded from a text file or the clipboard, one per line,
// and an output folder. START writes one barcode file per string through the window that opened it
// (its host, the main window in the program).
class TFormBatchGenerator final : public TForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormBatchGenerator)

public:
    // `AHost` may be nullptr: the texts stay untranslated, START has no picture, the folder is not
    // remembered and a run reports that the main window is not available.
    TFormBatchGenerator(QObject *AOwner, TBatchHost *AHost);
    ~TFormBatchGenerator() override;

    TButton *ButtonStart = nullptr;
    TListBox *ListBox1 = nullptr;
    TButton *ButtonLoadFromFile = nullptr;
    TButton *ButtonPasteFromClipboard = nullptr;
    // Fills the list with a number sequence.
    TButton *ButtonSequence = nullptr;
    // Prints the list, or saves it as PDF, on sheets of labels: one label per string.
    TButton *ButtonLabelSheet = nullptr;
    TDirectoryEdit *DirectoryEdit1 = nullptr;
    TLabel *LabelStrings = nullptr;
    // What the run will produce: the main window's symbology and the file format.
    TLabel *LabelSymbology = nullptr;
    TLabel *LabelSymbologyName = nullptr;
    TLabel *LabelFormat = nullptr;
    TComboBox *ComboBoxFormat = nullptr;
    // Reads every written file back after the run; the summary lists those that do not read back.
    TCheckBox *CheckBoxCheckFiles = nullptr;
    TOpenDialog *OpenDialog1 = nullptr;

    Q_INVOKABLE void FormShow(QObject *Sender);
    Q_INVOKABLE void ButtonLoadFromFileClick(QObject *Sender);
    Q_INVOKABLE void ButtonPasteFromClipboardClick(QObject *Sender);
    Q_INVOKABLE void ButtonSequenceClick(QObject *Sender);
    Q_INVOKABLE void ButtonLabelSheetClick(QObject *Sender);
    Q_INVOKABLE void ButtonStartClick(QObject *Sender);
    // Moves the working list into the list box, trimmed, one item per line.
    void FileListWork();
    // The name of the file that row `row` of the list will be written to (without the folder);
    // empty while the list fills.
    QString FileNameOf(int row);

    // Loads a text file as the load button does after its dialog; used for a dropped file.
    void LoadFromFile(const QString &fileName);
    // True while a fill or a batch run is in progress (loading and START are refused then).
    bool IsBusy() const { return FFilling || FRunning; }

Q_SIGNALS:
    // A batch run reports progress (at most about ten times a second).
    void BatchProgress(qsizetype done, qsizetype total);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void CreateLayout();
    // Shows the opener's symbology and format choice.
    void ShowTarget();
    void ComboBoxFormatChange(QObject *Sender);
    // The names beside the strings are made again at the next painting.
    void ForgetFileNames();
    void RefreshCount();
    // A loaded file that is (or almost is) a table: asks how to read it. False: load nothing.
    bool TakeTable(const QString &text);
    void UpdateBusyState();
    QString Translate(const QString &message) const;

    // The batch run (FormBatchGeneratorRun.cpp).
    void RunBatchInto(const QString &folder);
    // Writes every item with a progress dialog; the main window's text is restored afterwards.
    TBatchResult WritePlan(const TBatchPlan &plan, const QString &folder);
    void ShowSummary(const TBatchResult &result);
    // A modal progress dialog over `total` items, with this window's title and a Cancel button.
    void PrepareProgress(QProgressDialog &progress, qsizetype total);
    // Reads back the files of the run's items that were written.
    TBatchCheck ReadBackFiles(const TBatchPlan &plan, const TBatchResult &result);

    TBatchHost *FHost; // not owned; outlives the window
    QStringList FWorkList;
    // The file-name source of each list item when the list came from a table's column; empty
    // when the names come from the strings.
    QStringList FNames;
    QStringList FWorkNames;
    // The file names shown beside the strings, made when first painted.
    QStringList FShownNames;
    bool FShownNamesValid = false;
    bool FFilling = false;
    bool FRunning = false;
    bool FAbortFill = false;
};

// The batch window while it is open; nullptr otherwise.
extern QPointer<TFormBatchGenerator> FormBatchGenerator;

// Shows the summary of a run. Tests replace it so that no window blocks them; an empty function
// restores the real summary window.
// Worker threads of a run; tests fix the number (0: one per processor core, 1: no workers).
void SetBatchThreadCountForTests(int count);

// Answers the column dialog of a loaded table. Tests replace it (they get the real dialog, built
// and filled, but not shown); an empty function restores the modal dialog.
using TBatchColumnsPresenter = std::function<TBatchColumnChoice(TBatchColumnsDialog &dialog)>;
void SetBatchColumnsPresenterForTests(TBatchColumnsPresenter presenter);

// Shows a dialog of the batch window (the sequence, the label sheet) and answers whether it was
// accepted. Tests replace it (they get the real dialog, built but not shown); an empty function
// restores the modal dialog.
using TBatchDialogPresenter = std::function<bool(QDialog &dialog)>;
void SetBatchDialogPresenterForTests(TBatchDialogPresenter presenter);
bool PresentBatchDialog(QDialog &dialog);

using TBatchSummaryPresenter = std::function<void(QWidget *parent, const TBatchResult &result)>;
void SetBatchSummaryPresenterForTests(TBatchSummaryPresenter presenter);
