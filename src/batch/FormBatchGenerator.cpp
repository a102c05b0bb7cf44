#include "batch/FormBatchGenerator.h"

#include "batch/BatchColumnsDialog.h"
#include "batch/BatchCsv.h"
#include "batch/BatchFolder.h"
#include "batch/BatchHost.h"
#include "batch/BatchNameDelegate.h"
#include "batch/BatchPlan.h"
#include "batch/BatchSequenceDialog.h"
#include "batch/LabelSheetDialog.h"
#include "batch/BatchText.h"
#include "barcode/Barcode.h"
#include "toolkit/Dialogs.h"
#include "toolkit/DirectoryEdit.h"
#include "toolkit/EventGuard.h"
#include "toolkit/Exception.h"
#include "toolkit/ImgList.h"
#include "toolkit/MessageBox.h"
#include "toolkit/StdCtrls.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QGridLayout>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QScopeGuard>
#include <QTimer>

QPointer<TFormBatchGenerator> FormBatchGenerator;

namespace {

// Image 2 of the host's image list: the chequered flag.
constexpr int StartImageIndex = 2;

// Shortest pause, in milliseconds, between two batches of lines added to the list during a fill.
constexpr int FillBatchInterval = 50;
// Nanoseconds of filling between two rounds of event processing.
constexpr qint64 EventInterval = 1000000;

// The local file that a drag carries, or an empty text.
QString DraggedFile(const QMimeData *mime)
{
    if (mime == nullptr || !mime->hasUrls())
        return QString();
    const QList<QUrl> urls = mime->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return QString();
    return urls.first().toLocalFile();
}

TBatchColumnsPresenter &ColumnsPresenter()
{
    static TBatchColumnsPresenter presenter;
    return presenter;
}

} // namespace

void SetBatchColumnsPresenterForTests(TBatchColumnsPresenter presenter)
{
    ColumnsPresenter() = std::move(presenter);
}

namespace {

TBatchDialogPresenter &DialogPresenter()
{
    static TBatchDialogPresenter presenter;
    return presenter;
}

} // namespace

void SetBatchDialogPresenterForTests(TBatchDialogPresenter presenter)
{
    DialogPresenter() = std::move(presenter);
}

bool PresentBatchDialog(QDialog &dialog)
{
    if (DialogPresenter())
        return DialogPresenter()(dialog);
    return dialog.exec() == QDialog::Accepted;
}

TFormBatchGenerator::TFormBatchGenerator(QObject *AOwner, TBatchHost *AHost)
    : TForm(AOwner), FHost(AHost)
{
    setObjectName(QStringLiteral("FormBatchGenerator"));
    CreateControls();
}

TFormBatchGenerator::~TFormBatchGenerator() = default;

void TFormBatchGenerator::CreateControls()
{
    SetCaption(QStringLiteral("Batch Generator"));
    // The list gains from a larger window; the layout keeps everything visible when it is small.
    SetBorderStyle(bsSizeable);
    SetPosition(poMainFormCenter);
    SetClientWidth(420);
    SetClientHeight(496);
    SetEscapeCloses(true);

    ButtonStart = new TButton(this, this);
    ButtonStart->SetName(QStringLiteral("ButtonStart"));
    ButtonStart->SetCaption(QStringLiteral("START"));
    ButtonStart->Font()->SetStyle(TFont::fsBold);
    if (TImageList *images = FHost != nullptr ? FHost->ButtonImages() : nullptr) {
        ButtonStart->SetImages(images);
        ButtonStart->SetImageIndex(StartImageIndex);
    }
    ButtonStart->SetTabOrder(0);
    ConnectGuarded(ButtonStart, &TButton::OnClick, this, &TFormBatchGenerator::ButtonStartClick);

    ListBox1 = new TListBox(this, this);
    ListBox1->SetName(QStringLiteral("ListBox1"));
    ListBox1->SetTabOrder(1);
    // Every line has the same height: the view then lays out a million items without measuring
    // each of them.
    ListBox1->setUniformItemSizes(true);
    ListBox1->setAcceptDrops(true);
    ListBox1->viewport()->setAcceptDrops(true);
    ListBox1->installEventFilter(this);
    ListBox1->viewport()->installEventFilter(this);
    ListBox1->setItemDelegate(new TBatchNameDelegate(ListBox1, [this](int row) { return FileNameOf(row); }));

    ButtonLoadFromFile = new TButton(this, this);
    ButtonLoadFromFile->SetName(QStringLiteral("ButtonLoadFromFile"));
    ButtonLoadFromFile->SetCaption(QStringLiteral("Load From File ..."));
    ButtonLoadFromFile->SetTabOrder(2);
    ConnectGuarded(ButtonLoadFromFile, &TButton::OnClick, this,
                   &TFormBatchGenerator::ButtonLoadFromFileClick);

    ButtonPasteFromClipboard = new TButton(this, this);
    ButtonPasteFromClipboard->SetName(QStringLiteral("ButtonPasteFromClipboard"));
    ButtonPasteFromClipboard->SetCaption(QStringLiteral("Paste From Clipboard"));
    ButtonPasteFromClipboard->SetTabOrder(3);
    ConnectGuarded(ButtonPasteFromClipboard, &TButton::OnClick, this,
                   &TFormBatchGenerator::ButtonPasteFromClipboardClick);

    ButtonSequence = new TButton(this, this);
    ButtonSequence->SetName(QStringLiteral("ButtonSequence"));
    ButtonSequence->SetCaption(QStringLiteral("Sequence ..."));
    ButtonSequence->SetHint(QStringLiteral("Fills the list with numbers from a start to an end, such as SN-000001 to SN-000500"));
    ButtonSequence->SetTabOrder(3);
    ConnectGuarded(ButtonSequence, &TButton::OnClick, this, &TFormBatchGenerator::ButtonSequenceClick);

    DirectoryEdit1 = new TDirectoryEdit(this, this);
    DirectoryEdit1->SetName(QStringLiteral("DirectoryEdit1"));
    DirectoryEdit1->SetText(QStringLiteral("C:\\"));
    DirectoryEdit1->SetButtonHint(QStringLiteral("Browse"));
    DirectoryEdit1->SetDialogText(QStringLiteral("Choose the folder:"));
    DirectoryEdit1->SetTabOrder(4);
    // The names beside the strings are cut to what the folder leaves room for.
    connect(DirectoryEdit1, &TDirectoryEdit::OnChange, this, [this] { ForgetFileNames(); });

    LabelStrings = new TLabel(this, this);
    LabelStrings->SetName(QStringLiteral("LabelStrings"));
    LabelStrings->SetCaption(QStringLiteral("Strings: 0"));

    LabelSymbology = new TLabel(this, this);
    LabelSymbology->SetName(QStringLiteral("LabelSymbology"));
    LabelSymbology->SetCaption(QStringLiteral("Symbology:"));
    LabelSymbologyName = new TLabel(this, this);
    LabelSymbologyName->SetName(QStringLiteral("LabelSymbologyName"));
    LabelSymbologyName->SetHint(QStringLiteral("Chosen in the main window, with its colours and sizes"));

    LabelFormat = new TLabel(this, this);
    LabelFormat->SetName(QStringLiteral("LabelFormat"));
    LabelFormat->SetCaption(QStringLiteral("File &format:"));
    ComboBoxFormat = new TComboBox(this, this);
    ComboBoxFormat->SetName(QStringLiteral("ComboBoxFormat"));
    ComboBoxFormat->SetStyle(csDropDownList);
    ComboBoxFormat->SetTabOrder(5);
    ComboBoxFormat->SetHint(QStringLiteral("The format of the files; the main window's choice changes with it"));
    LabelFormat->SetFocusControl(ComboBoxFormat);

    CheckBoxCheckFiles = new TCheckBox(this, this);
    CheckBoxCheckFiles->SetName(QStringLiteral("CheckBoxCheckFiles"));
    CheckBoxCheckFiles->SetCaption(QStringLiteral("&Check every file"));
    CheckBoxCheckFiles->SetHint(QStringLiteral("Reads every written file back with an independent reader; the summary lists those that do not read back"));
    CheckBoxCheckFiles->SetTabOrder(6);

    ButtonLabelSheet = new TButton(this, this);
    ButtonLabelSheet->SetName(QStringLiteral("ButtonLabelSheet"));
    ButtonLabelSheet->SetCaption(QStringLiteral("Label Sheet ..."));
    ButtonLabelSheet->SetHint(QStringLiteral("Prints the list on sheets of labels, or saves them as PDF: one label per string"));
    ButtonLabelSheet->SetTabOrder(7);
    ConnectGuarded(ButtonLabelSheet, &TButton::OnClick, this, &TFormBatchGenerator::ButtonLabelSheetClick);

    OpenDialog1 = new TOpenDialog(this);
    OpenDialog1->SetName(QStringLiteral("OpenDialog1"));

    CreateLayout();
    ShowTarget();
    ConnectGuarded(ComboBoxFormat, &TComboBox::OnChange, this, &TFormBatchGenerator::ComboBoxFormatChange);
    TControl::ApplyTabOrder(this);
    ConnectGuarded(this, &TForm::OnShow, this, &TFormBatchGenerator::FormShow);
    // A window closed while a fill is still running stops the fill.
    connect(this, &TForm::OnClose, this, [this](QObject *, TCloseAction &) { FAbortFill = true; });
}

void TFormBatchGenerator::CreateLayout()
{
    auto *window = new QVBoxLayout(this);
    window->setContentsMargins(8, 8, 8, 8);
    window->setSpacing(6);

    auto *sources = new QHBoxLayout;
    sources->addWidget(ButtonLoadFromFile, 1);
    sources->addWidget(ButtonPasteFromClipboard, 1);
    sources->addWidget(ButtonSequence, 1);
    window->addLayout(sources);
    window->addWidget(LabelStrings);
    window->addWidget(ListBox1, 1);

    auto *target = new QGridLayout;
    target->addWidget(LabelSymbology, 0, 0);
    target->addWidget(LabelSymbologyName, 0, 1);
    target->addWidget(LabelFormat, 1, 0);
    target->addWidget(ComboBoxFormat, 1, 1, Qt::AlignLeft);
    target->setColumnStretch(1, 1);
    window->addLayout(target);
    window->addWidget(DirectoryEdit1);
    auto *extras = new QHBoxLayout;
    extras->addWidget(CheckBoxCheckFiles, 1);
    extras->addWidget(ButtonLabelSheet);
    window->addLayout(extras);

    ButtonStart->setMinimumSize(140, 44);
    window->addWidget(ButtonStart, 0, Qt::AlignHCenter);
    for (TButton *button : {ButtonLoadFromFile, ButtonPasteFromClipboard, ButtonSequence})
        button->setMinimumHeight(28);
    ListBox1->setMinimumHeight(ListBox1->fontMetrics().lineSpacing() * 4);
    // Placed now, so that positions read before the first showing are those of the layout.
    window->activate();
}

void TFormBatchGenerator::ShowTarget()
{
    TBarcode *barcode = FHost != nullptr ? FHost->Barcode() : nullptr;
    LabelSymbologyName->SetCaption(barcode != nullptr ? TBarcode::SymbologyNames(barcode->Symbology()) : QString());
    const QStringList formats = FHost != nullptr ? FHost->SaveFormats() : QStringList();
    if (ComboBoxFormat->Items()->ToStringList() != formats) {
        ComboBoxFormat->clear();
        for (const QString &format : formats)
            ComboBoxFormat->AddItem(format);
    }
    ComboBoxFormat->SetItemIndex(FHost != nullptr ? FHost->SaveFormatIndex() : -1);
}

void TFormBatchGenerator::ComboBoxFormatChange(QObject *)
{
    if (FHost != nullptr)
        FHost->SetSaveFormatIndex(ComboBoxFormat->ItemIndex());
    ForgetFileNames();
}

void TFormBatchGenerator::ForgetFileNames()
{
    FShownNames.clear();
    FShownNamesValid = false;
    ListBox1->viewport()->update();
}

QString TFormBatchGenerator::FileNameOf(int row)
{
    if (FFilling || row < 0 || row >= ListBox1->count())
        return QString();
    if (!FShownNamesValid) {
        // Every name depends on those before it (a name given twice is numbered), so all are made
        // at once, as a run makes them.
        QStringList strings;
        strings.reserve(ListBox1->count());
        for (int i = 0; i < ListBox1->count(); ++i)
            strings.append(ListBox1->item(i)->text());
        const QStringList &names = FNames.size() == strings.size() ? FNames : strings;
        const QString extension = FHost != nullptr ? FHost->SaveExtension() : QString();
        FShownNames = PreviewBatchNames(names, NormaliseBatchFolder(DirectoryEdit1->Text()), extension,
                                        names.size())
                          .First;
        FShownNamesValid = true;
    }
    return FShownNames.value(row);
}

void TFormBatchGenerator::FormShow(QObject *)
{
    if (FHost != nullptr)
        DirectoryEdit1->SetText(FHost->OutputFolder());
    ShowTarget();
}

void TFormBatchGenerator::ButtonLoadFromFileClick(QObject *)
{
    if (IsBusy())
        return;
    OpenDialog1->SetDefaultExt(QStringLiteral("txt"));
    OpenDialog1->SetFilter(Translate(QStringLiteral("Text and tables")) + QStringLiteral("|*.txt;*.csv;*.tsv|")
                           + Translate(QStringLiteral("All files")) + QStringLiteral("|*.*"));
    if (OpenDialog1->Execute(this))
        LoadFromFile(OpenDialog1->FileName());
    RefreshCount();
}

void TFormBatchGenerator::LoadFromFile(const QString &fileName)
{
    if (IsBusy())
        return;
    const TBatchFile file = LoadBatchFile(fileName);
    if (!file.Loaded)
        throw Exception(QStringLiteral("Cannot load the file \"%1\": %2").arg(QDir::toNativeSeparators(fileName), file.Reason));
    const QString &text = file.Text;
    if (!file.StrayLines.isEmpty())
        ShowMessage(Translate(QStringLiteral("These lines of \"%1\" hold bytes that are not UTF-8 and were read byte by byte: %2"))
                        .arg(QDir::toNativeSeparators(fileName), BatchLineList(file.StrayLines)));
    if (!TakeTable(text))
        return;
    if (FWorkList.isEmpty()) {
        FWorkList = SplitBatchLines(text);
        FWorkNames.clear();
    }
    FileListWork();
    RefreshCount();
}

bool TFormBatchGenerator::TakeTable(const QString &text)
{
    FWorkList.clear();
    FWorkNames.clear();
    const TCsvTable table = DetectCsv(text);
    switch (table.Kind) {
    case TCsvKind::NoColumns:
        return true;
    case TCsvKind::MixedColumns:
        return MessageDlgYesNo(Translate(QStringLiteral("The file looks like a table, but line %1 has %2 columns where the first line has %3. Load it as one string per line?"))
                                   .arg(table.BadLine)
                                   .arg(table.BadCount)
                                   .arg(table.ColumnCount));
    case TCsvKind::UnclosedQuote:
        return MessageDlgYesNo(Translate(QStringLiteral("The file looks like a table, but the quote opened on line %1 is never closed. Load it as one string per line?"))
                                   .arg(table.BadLine));
    case TCsvKind::Table:
        break;
    }

    const QString extension = FHost != nullptr ? FHost->SaveExtension() : QString();
    TBatchColumnsDialog dialog(this, table, NormaliseBatchFolder(DirectoryEdit1->Text()), extension,
                               [this](const QString &message) { return Translate(message); });
    TBatchColumnChoice choice;
    if (ColumnsPresenter())
        choice = ColumnsPresenter()(dialog);
    else if (dialog.exec() == QDialog::Accepted)
        choice = dialog.Choice();
    switch (choice.Action) {
    case TBatchColumnChoice::Cancel:
        return false;
    case TBatchColumnChoice::Lines:
        return true;
    case TBatchColumnChoice::Columns:
        break;
    }
    const qsizetype firstRow = choice.Header ? 1 : 0;
    QStringList strings = CsvColumn(table.Rows, choice.DataColumn, firstRow);
    if (AllBlank(strings)) {
        ShowMessage(Translate(QStringLiteral("The chosen data column is empty: nothing was loaded.")));
        return false;
    }
    if (choice.NameColumn >= 0)
        FWorkNames = CsvColumn(table.Rows, choice.NameColumn, firstRow);
    FWorkList = std::move(strings);
    return true;
}

void TFormBatchGenerator::ButtonPasteFromClipboardClick(QObject *)
{
    if (IsBusy())
        return;
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    if (mime != nullptr && mime->hasText()) {
        FWorkList = SplitBatchLines(mime->text());
        FWorkNames.clear();
        FileListWork();
    }
    RefreshCount();
}

void TFormBatchGenerator::ButtonSequenceClick(QObject *)
{
    if (IsBusy())
        return;
    TBatchSequenceDialog dialog(this, [this](const QString &text) { return Translate(text); });
    if (!PresentBatchDialog(dialog) || dialog.Strings().isEmpty())
        return;
    FWorkList = dialog.Strings();
    FWorkNames.clear();
    FileListWork();
    RefreshCount();
}

void TFormBatchGenerator::ButtonLabelSheetClick(QObject *)
{
    if (IsBusy())
        return;
    if (FHost == nullptr || FHost->Barcode() == nullptr)
        throw EInvalidOperation(QStringLiteral("The main window is not available"));
    // Blank strings are skipped, as a run skips them.
    QStringList strings;
    for (int i = 0; i < ListBox1->count(); ++i)
        if (!ListBox1->item(i)->text().trimmed().isEmpty())
            strings.append(ListBox1->item(i)->text());
    if (strings.isEmpty()) {
        ShowMessage(Translate(QStringLiteral("The list is empty: there is nothing to write.")));
        return;
    }
    TLabelSheetDialog dialog(this, *FHost->Barcode(), strings, TLabelSheetDialog::TFill::OnePerString,
                             [this](const QString &text) { return Translate(text); });
    PresentBatchDialog(dialog);
}

void TFormBatchGenerator::FileListWork()
{
    if (FWorkList.isEmpty())
        return;
    // Pending events run during the fill, so a second load could start inside this one: the
    // buttons that start one stay disabled until the fill is done.
    FFilling = true;
    FAbortFill = false;
    UpdateBusyState();
    ListBox1->BeginUpdate();
    ListBox1->clear();
    FNames.clear();
    const auto finish = qScopeGuard([this] {
        ListBox1->EndUpdate();
        // Names belong to the items only when every item made it into the list.
        if (!FAbortFill && FWorkNames.size() == FWorkList.size())
            FNames = FWorkNames;
        ForgetFileNames();
        FWorkNames.clear();
        FWorkList.clear();
        FFilling = false;
        UpdateBusyState();
    });
    // Pending events are processed between lines, at most every EventInterval: asking the
    // system for events costs a system call, which after every line was most of the work of a
    // long fill, and a millisecond is well below what a user notices. The lines reach the list
    // box in batches: a visible list lays out all its items after each insertion that events get
    // to see, so one item at a time made a fill quadratic in the number of lines. The pause
    // between batches grows with the time that the list's layout takes, so that laying out
    // stays a small part of a long fill.
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    QElapsedTimer sinceBatch;
    sinceBatch.start();
    qint64 interval = FillBatchInterval;
    qsizetype added = 0;
    for (qsizetype i = 0; i < FWorkList.size() && !FAbortFill; ++i) {
        FWorkList[i] = TrimBatchLine(FWorkList.at(i));
        if (sinceEvents.nsecsElapsed() < EventInterval)
            continue;
        if (sinceBatch.elapsed() >= interval) {
            ListBox1->addItems(FWorkList.mid(added, i + 1 - added));
            added = i + 1;
            QElapsedTimer layout;
            layout.start();
            ProcessMessages();
            interval = qMax<qint64>(FillBatchInterval, 4 * layout.elapsed());
            sinceBatch.restart();
        } else {
            ProcessMessages();
        }
        sinceEvents.restart();
    }
    if (!FAbortFill)
        ListBox1->addItems(FWorkList.mid(added));
}

void TFormBatchGenerator::RefreshCount()
{
    LabelStrings->SetCaption(Translate(QStringLiteral("Strings")) + QStringLiteral(": ")
                             + QString::number(ListBox1->count()));
}

void TFormBatchGenerator::UpdateBusyState()
{
    const bool idle = !IsBusy();
    ButtonLoadFromFile->SetEnabled(idle);
    ButtonPasteFromClipboard->SetEnabled(idle);
    ButtonSequence->SetEnabled(idle);
    ButtonLabelSheet->SetEnabled(idle);
    ButtonStart->SetEnabled(idle);
}

QString TFormBatchGenerator::Translate(const QString &message) const
{
    return FHost != nullptr ? FHost->TranslateMessage(message) : message;
}

void TFormBatchGenerator::ButtonStartClick(QObject *)
{
    if (IsBusy())
        return;
    const QString folder = NormaliseBatchFolder(DirectoryEdit1->Text());
    // Remembered before the test, so that a folder that does not exist yet is kept too.
    if (FHost != nullptr)
        FHost->SetOutputFolder(folder);
    if (!BatchFolderExists(folder)) {
        ShowMessage(QStringLiteral("Output folder does not exist !"));
        return;
    }
    RunBatchInto(folder);
}

bool TFormBatchGenerator::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == ListBox1 && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)) {
            RunGuarded([this] { ButtonPasteFromClipboardClick(ListBox1); });
            return true;
        }
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (!IsBusy() && !DraggedFile(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString fileName = DraggedFile(drop->mimeData());
        if (IsBusy() || fileName.isEmpty())
            break;
        drop->acceptProposedAction();
        // The load processes events while it fills the list; let the drop finish first.
        QTimer::singleShot(0, this, [this, fileName] { RunGuarded([this, &fileName] { LoadFromFile(fileName); }); });
        return true;
    }
    default:
        break;
    }
    return TForm::eventFilter(watched, event);
}
