#include "batch/FormBatchGenerator.h"

#include "barcode/Barcode.h"
#include "batch/BatchHost.h"
#include "batch/BatchPlan.h"
#include "batch/BatchRun.h"
#include "batch/BatchSummary.h"
#include "batch/BatchSummaryDialog.h"
#include "toolkit/StdCtrls.h"

#include <QProgressDialog>
#include <QScopeGuard>

namespace {

TBatchSummaryPresenter &SummaryPresenter()
{
    static TBatchSummaryPresenter presenter;
    return presenter;
}

} // namespace

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
        ShowMessage(Translate(QStringLiteral("Choose one of the file formats BMP, EMF, EPS, GIF, PCX, TXT or SVG in the main window first.")));
        return;
    }

    QStringList strings;
    strings.reserve(ListBox1->count());
    for (int i = 0; i < ListBox1->count(); ++i)
        strings.append(ListBox1->item(i)->text());
    const TBatchPlan plan = PlanBatch(strings, folder, extension);
    if (plan.ExistingCount > 0) {
        const QString question = Translate(QStringLiteral("%1 of the %2 files to write already exist in the output folder. Overwrite them?"))
                                     .arg(plan.ExistingCount)
                                     .arg(plan.Items.size());
        // Yes destroys files: a hasty Enter keeps them.
        if (!MessageDlgYesNo(question, mrNo))
            return;
    }

    ShowSummary(WritePlan(plan, folder));
}

TBatchResult TFormBatchGenerator::WritePlan(const TBatchPlan &plan, const QString &folder)
{
    TBarcode *barcode = FHost->Barcode();
    const QString inputText = barcode->InputText();
    FRunning = true;
    UpdateBusyState();
    QProgressDialog progress(this);
    progress.setWindowTitle(Caption());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setCancelButtonText(Translate(QStringLiteral("Cancel")));
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setRange(0, int(qMin<qsizetype>(plan.Items.size(), INT_MAX)));
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

    return RunBatch(
        plan, folder,
        [this, barcode](const TBatchItem &item) {
            barcode->SetInputText(item.Text);
            FHost->SaveBarcode(item.BasePath);
        },
        [this, &progress, &progressText](qsizetype done, qsizetype total) {
            progress.setValue(int(qMin<qsizetype>(done, INT_MAX)));
            progress.setLabelText(progressText.arg(done).arg(total));
            emit BatchProgress(done, total);
            ProcessMessages();
            return !progress.wasCanceled();
        });
}

void TFormBatchGenerator::ShowSummary(const TBatchResult &result)
{
    if (SummaryPresenter()) {
        SummaryPresenter()(this, result);
        return;
    }
    const TTranslate translate = [this](const QString &message) { return Translate(message); };
    const QString headline = BatchSummaryHeadline(result, translate);
    if (result.Failures.isEmpty()) {
        ShowMessage(headline);
        return;
    }
    TBatchSummaryDialog dialog(this, headline, BatchFailureLines(result), translate);
    dialog.exec();
}
