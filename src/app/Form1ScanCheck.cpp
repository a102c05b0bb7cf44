#include "app/Form1.h"

#include "app/ScanVerdictView.h"
#include "barcode/Barcode.h"
#include "toolkit/EventGuard.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/LocaleNumbers.h"
#include "toolkit/StdCtrls.h"
#include "verify/ScanWorker.h"

#include <QTimer>
#include <cmath>

// The scan check beside the preview: the picture is read back on the worker's thread once the
// user pauses, so that a burst of keystrokes costs one reading; only the verdict of the latest
// picture is shown.

namespace {

// How long the picture must stay before it is read: shorter than a scanner user notices.
constexpr int ScanPauseMs = 40;

} // namespace

void TForm1::CreateScanCheck()
{
    ScanVerdict = new TScanVerdictView(this, this, [this](const QString &message) { return TranslateMessage(message); });
    ScanVerdict->PanelScanCheck->SetTabOrder(2); // after the preview
    FScanWorker = new TScanWorker(this);
    FScanTimer = new QTimer(this);
    FScanTimer->setSingleShot(true);
    FScanTimer->setInterval(ScanPauseMs);
}

void TForm1::ConnectScanCheck()
{
    connect(FScanWorker, &TScanWorker::Checked, this, &TForm1::ScanChecked);
    connect(FScanTimer, &QTimer::timeout, this, &TForm1::SubmitScan);
    ConnectGuarded(ScanVerdict->CheckBoxScanCheck, &TCheckBox::OnClick, this, &TForm1::CheckBoxScanCheckClick);
}

void TForm1::CheckBoxScanCheckClick(QObject *)
{
    CheckScan();
}

void TForm1::CheckScan()
{
    if (ScanVerdict == nullptr)
        return;
    // A verdict still on its way is about an older picture.
    FScanWorker->Cancel();
    if (!ScanVerdict->CheckOn() || !Image->HasPicture()) {
        FScanTimer->stop();
        ScanVerdict->ShowNothing();
        return;
    }
    FScanTimer->start();
}

void TForm1::SubmitScan()
{
    if (!ScanVerdict->CheckOn() || !Image->HasPicture())
        return;
    // The X-dimension counts only while it sets the size.
    double xDimension = 0.0;
    if (CheckBoxPhysicalSize->Checked()) {
        const std::optional<double> value = StrToFloat(EditXDimension->Text().trimmed());
        if (value && std::isfinite(*value) && *value > 0)
            xDimension = *value;
    }
    try {
        FScanWorker->Submit(Barcode->Bitmap(), ScanRequestOf(*Barcode, xDimension));
    } catch (const Exception &) {
        // The picture failed after all: the status bar says why.
        FScanWorker->Cancel();
        ScanVerdict->ShowNothing();
    }
}

void TForm1::ScanChecked(quint64, const TScanVerdict &verdict)
{
    ScanVerdict->ShowVerdict(verdict);
}
