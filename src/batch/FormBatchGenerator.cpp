#include "batch/FormBatchGenerator.h"

#include "batch/BatchColumnsDialog.h"
#include "batch/BatchCsv.h"
#include "batch/BatchFolder.h"
#include "batch/BatchHost.h"
#include "batch/BatchText.h"
#include "toolkit/Dialogs.h"
#include "toolkit/DirectoryEdit.h"
#include "toolkit/EventGuard.h"
#include "toolkit/Exception.h"
#include "toolkit/ImgList.h"
#include "toolkit/MessageBox.h"
#include "toolkit/StdCtrls.h"

#include <QClipboard>
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
    SetBorderStyle(bsDialog);
    SetPosition(poMainFormCenter);
    SetClientWidth(420);
    SetClientHeight(496);

    ButtonStart = new TButton(this, this);
    ButtonStart->SetName(QStringLiteral("ButtonStart"));
    ButtonStart->SetCaption(QStringLiteral("START"));
    ButtonStart->SetBounds(140, 444, 140, 44);
    ButtonStart->SetAnchors(akBottom);
    ButtonStart->Font()->SetStyle(TFont::fsBold);
    if (TImageList *images = FHost != nullptr ? FHost->ButtonImages() : nullptr) {
        ButtonStart->SetImages(images);
        ButtonStart->SetImageIndex(StartImageIndex);
    }
    ButtonStart->SetTabOrder(0);
    ConnectGuarded(ButtonStart, &TButton::OnClick, this, &TFormBatchGenerator::ButtonStartClick);

    ListBox1 = new TListBox(this, this);
    ListBox1->SetName(QStringLiteral("ListBox1"));
    ListBox1->SetBounds(8, 62, 404, 338);
    ListBox1->SetTabOrder(1);
    // Every line has the same height: the view then lays out a million items without measuring
    // each of them.
    ListBox1->setUniformItemSizes(true);
    ListBox1->setAcceptDrops(true);
    ListBox1->viewport()->setAcceptDrops(true);
    ListBox1->installEventFilter(this);
    ListBox1->viewport()->installEventFilter(this);

    ButtonLoadFromFile = new TButton(this, this);
    ButtonLoadFromFile->SetName(QStringLiteral("ButtonLoadFromFile"));
    ButtonLoadFromFile->SetCaption(QStringLiteral("Load From File ..."));
    ButtonLoadFromFile->SetBounds(8, 8, 198, 28);
    ButtonLoadFromFile->SetTabOrder(2);
    ConnectGuarded(ButtonLoadFromFile, &TButton::OnClick, this,
                   &TFormBatchGenerator::ButtonLoadFromFileClick);

    ButtonPasteFromClipboard = new TButton(this, this);
    ButtonPasteFromClipboard->SetName(QStringLiteral("ButtonPasteFromClipboard"));
    ButtonPasteFromClipboard->SetCaption(QStringLiteral("Paste From Clipboard"));
    ButtonPasteFromClipboard->SetBounds(214, 8, 198, 28);
    ButtonPasteFromClipboard->SetTabOrder(3);
    ConnectGuarded(ButtonPasteFromClipboard, &TButton::OnClick, this,
                   &TFormBatchGenerator::ButtonPasteFromClipboardClick);

    DirectoryEdit1 = new TDirectoryEdit(this, this);
    DirectoryEdit1->SetName(QStringLiteral("DirectoryEdit1"));
    DirectoryEdit1->SetText(QStringLiteral("C:\\"));
    DirectoryEdit1->SetButtonHint(QStringLiteral("Browse"));
    DirectoryEdit1->SetDialogText(QStringLiteral("Choose the folder:"));
    DirectoryEdit1->SetBounds(8, 408, 404, 26);
    DirectoryEdit1->SetTabOrder(4);

    LabelStrings = new TLabel(this, this);
    LabelStrings->SetName(QStringLiteral("LabelStrings"));
    LabelStrings->SetCaption(QStringLiteral("Strings: 0"));
    LabelStrings->SetBounds(8, 42, 404, 18);

    OpenDialog1 = new TOpenDialog(this);
    OpenDialog1->SetName(QStringLiteral("OpenDialog1"));

    TControl::ApplyTabOrder(this);
    ConnectGuarded(this, &TForm::OnShow, this, &TFormBatchGenerator::FormShow);
    // A window closed while a fill is still running stops the fill.
    connect(this, &TForm::OnClose, this, [this](QObject *, TCloseAction &) { FAbortFill = true; });
}

void TFormBatchGenerator::FormShow(QObject *)
{
    if (FHost != nullptr)
        DirectoryEdit1->SetText(FHost->OutputFolder());
}

void TFormBatchGenerator::ButtonLoadFromFileClick(QObject *)
{
    if (IsBusy())
        return;
    OpenDialog1->SetDefaultExt(QStringLiteral("txt"));
    OpenDialog1->SetFilter(QStringLiteral("Text file|*.txt|All files|*.*"));
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
