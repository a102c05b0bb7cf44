#include "app/Form1.h"

#include "app/ScanVerdictView.h"
#include "barcode/Barcode.h"
#include "toolkit/EventGuard.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/LocaleNumbers.h"
#include "toolkit/StdCtrls.h"
#include "verify/ScanWorker.h"

#include <cmath>

// The scan check beside the preview: every new picture is read back on the worker's thread;
// only the verdict of the latest picture is shown.

void TForm1::CreateScanCheck()
{
    ScanVerdict = new TScanVerdictView(this, this, [this](const QString &message) { return TranslateMessage(message); });
    ScanVerdict->PanelScanCheck->SetTabOrder(2); // after the preview
    FScanWorker = new TScanWorker(this);
}

void TForm1::ConnectScanCheck()
{
    connect(FScanWorker, &TScanWorker::Checked, this, &TForm1::ScanChecked);
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
    if (!ScanVerdict->CheckOn() || !Image->HasPicture()) {
        FScanWorker->Cancel();
        ScanVerdict->ShowNothing();
        return;
    }
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
