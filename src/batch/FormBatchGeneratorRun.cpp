#include "batch/FormBatchGenerator.h"

#include "barcode/Barcode.h"
#include "barcode/WorkFile.h"
#include "batch/BatchHost.h"
#include "batch/BatchParallel.h"
#include "batch/BatchPlan.h"
#include "batch/BatchRun.h"
#include "batch/BatchSummary.h"
#include "batch/BatchSummaryDialog.h"
#include "toolkit/StdCtrls.h"
#include "verify/ScanFile.h"
#include "verify/ScanText.h"

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QSet>
#include <memory>

namespace {

TBatchSummaryPresenter &SummaryPresenter()
{
    static TBatchSummaryPresenter presenter;
    return presenter;
}

int &ThreadCountForTests()
{
    static int count = 0;
    return count;
}

} // namespace

void SetBatchThreadCountForTests(int count)
{
    ThreadCountForTests() = count;
}

void SetBatchSummaryPresenterForTests(TBatchSummaryPresenter presenter)
{
    SummaryPresenter() = std::move(presenter);
}

void TFormBatchGenerator::RunBatchInto(const QString &folder)
{
    if (ListBox1->count() == 0) {
        ShowMessage(Translate(QStringLiteral("The list is empty: there is nothing to write.")));
        return;
    }
    if (FHost == nullptr || FHost->Barcode() == nullptr)
        throw EInvalidOperation(QStringLiteral("The main window is not available"));
    const QString extension = FHost->SaveExtension();
    if (extension.isEmpty()) {
        ShowMessage(Translate(QStringLiteral("Choose one of the file formats BMP, EMF, EPS, GIF, PCX, TXT, SVG, PNG, TIF or PDF in the main window first.")));
        return;
    }

    QStringList strings;
    strings.reserve(ListBox1->count());
    for (int i = 0; i < ListBox1->count(); ++i)
        strings.append(ListBox1->item(i)->text());
    // File names from a chosen column when the list came from a table.
    const QStringList &names = FNames.size() == strings.size() ? FNames : strings;
    // Work files that a killed run left behind would otherwise stay hidden in the folder forever.
    RemoveStrayWorkFiles(folder);
    const TBatchPlan plan = PlanBatch(strings, names, folder, extension);
    if (plan.ExistingCount > 0) {
        const QString question = Translate(QStringLiteral("%1 of the %2 files to write already exist in the output folder. Overwrite them?"))
                                     .arg(plan.ExistingCount)
                                     .arg(plan.Items.size());
        // Yes destroys files: a hasty Enter keeps them.
        if (!MessageDlgYesNo(question, mrNo))
            return;
    }

    TBatchResult result = WritePlan(plan, folder);
    // A run that ended early leaves unknown which files are new: nothing is read back then.
    const bool complete = !result.Cancelled && !result.FolderLost && result.StoppedBy.isEmpty();
    if (CheckBoxCheckFiles->Checked() && complete)
        result.Check = ReadBackFiles(plan, result);
    ShowSummary(result);
}

void TFormBatchGenerator::PrepareProgress(QProgressDialog &progress, qsizetype total)
{
    progress.setWindowTitle(Caption());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setCancelButtonText(Translate(QStringLiteral("Cancel")));
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setRange(0, int(qMin<qsizetype>(total, INT_MAX)));
}

TBatchCheck TFormBatchGenerator::ReadBackFiles(const TBatchPlan &plan, const TBatchResult &result)
{
    TBatchCheck check;
    check.Ran = true;
    QSet<qsizetype> failed;
    for (const TBatchFailure &failure : result.Failures)
        failed.insert(failure.Line);
    const TBarcode &barcode = *FHost->Barcode();
    const TScanTranslate translate = [this](const QString &message) { return Translate(message); };

    QProgressDialog progress(this);
    PrepareProgress(progress, plan.Items.size());
    progress.setMinimumDuration(500); // most checks are over before it would show
    const QString progressText = Translate(QStringLiteral("Reading back files: %1 of %2"));
    FRunning = true;
    UpdateBusyState();
    const auto restore = qScopeGuard([this] {
        FRunning = false;
        UpdateBusyState();
    });
    QElapsedTimer shown;
    shown.start();
    for (qsizetype i = 0; i < plan.Items.size(); ++i) {
        const TBatchItem &item = plan.Items[i];
        if (IsBlankBatchText(item.Text) || failed.contains(item.Line))
            continue;
        const std::optional<TScanVerdict> verdict = ReadBackFile(item.FileName, FileScanRequest(barcode, item.Text));
        if (!verdict)
            ++check.Unchecked;
        else if (verdict->Outcome == TScanOutcome::ReadsBack)
            ++check.ReadBack;
        else
            check.Unreadable.append({item.Line, item.Text, ScanVerdictText(*verdict, translate)});
        if (shown.elapsed() >= ProgressInterval || i + 1 == plan.Items.size()) {
            shown.restart();
            progress.setValue(int(qMin<qsizetype>(i + 1, INT_MAX)));
            progress.setLabelText(progressText.arg(i + 1).arg(plan.Items.size()));
            ProcessMessages();
            if (progress.wasCanceled()) {
                // What was not read stays unchecked.
                check.Unchecked += plan.Items.size() - i - 1;
                break;
            }
        }
    }
    return check;
}

TBatchResult TFormBatchGenerator::WritePlan(const TBatchPlan &plan, const QString &folder)
{
    TBarcode *barcode = FHost->Barcode();
    const QString inputText = barcode->InputText();
    FRunning = true;
    UpdateBusyState();
    QProgressDialog progress(this);
    PrepareProgress(progress, plan.Items.size());
    progress.setMinimumDuration(0);
    const QString progressText = Translate(QStringLiteral("Writing files: %1 of %2"));
    progress.setLabelText(progressText.arg(0).arg(plan.Items.size()));
    progress.show();
    ProcessMessages();
    // Whatever happens, the host's data and this window's buttons come back.
    const auto restore = qScopeGuard([this, barcode, &inputText] {
        barcode->SetInputText(inputText);
        FRunning = false;
        UpdateBusyState();
    });

    const TBatchProgress report = [this, &progress, &progressText](qsizetype done, qsizetype total) {
        progress.setValue(int(qMin<qsizetype>(done, INT_MAX)));
        progress.setLabelText(progressText.arg(done).arg(total));
        emit BatchProgress(done, total);
        ProcessMessages();
        return !progress.wasCanceled();
    };

    const int threads = WorkersFor(*barcode, ThreadCountForTests() > 0 ? ThreadCountForTests() : BatchThreadCount());
    if (threads > 1)
        return RunBatchParallel(plan, folder, ComponentCopies(barcode), threads, report);
    return RunBatch(
        plan, folder,
        [this, barcode](const TBatchItem &item) {
            barcode->SetInputText(item.Text);
            FHost->SaveBarcode(item.BasePath);
        },
        report);
}

void TFormBatchGenerator::ShowSummary(const TBatchResult &result)
{
    if (SummaryPresenter()) {
        SummaryPresenter()(this, result);
        return;
    }
    const TTranslate translate = [this](const QString &message) { return Translate(message); };
    const QString headline = BatchSummaryHeadline(result, translate);
    if (result.Failures.isEmpty() && result.Check.Unreadable.isEmpty()) {
        ShowMessage(headline);
        return;
    }
    TBatchSummaryDialog dialog(this, headline, BatchFailureLines(result), translate);
    dialog.exec();
}
