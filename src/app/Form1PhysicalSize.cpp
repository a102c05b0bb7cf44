#include "app/Form1.h"

#include "barcode/Barcode.h"
#include "barcode/PhysicalSize.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/LocaleNumbers.h"
#include "toolkit/StdCtrls.h"

#include <QApplication>
#include <QPalette>
#include <cmath>
#include <optional>

// The size on paper: an X-dimension in millimetres at a resolution sets the scale, and the
// component stamps that resolution into the files it saves. A value that cannot be applied is
// named beside the fields; the preview and the scale stay as they were.

namespace {

constexpr double DefaultXDimensionMm = 0.33;
constexpr int DefaultResolution = 300;

// `value` in the user's notation with at most `decimals` decimals.
QString Rounded(double value, int decimals)
{
    const double factor = std::pow(10.0, decimals);
    return FloatToStr(static_cast<long double>(std::round(value * factor) / factor));
}

std::optional<double> PositiveNumber(const QString &text)
{
    const std::optional<double> value = StrToFloat(text.trimmed());
    if (!value || !std::isfinite(*value) || *value <= 0)
        return std::nullopt;
    return value;
}

} // namespace

void TForm1::CheckBoxPhysicalSizeClick(QObject *)
{
    if (CheckBoxPhysicalSize->Checked()) {
        FScaleBeforePhysicalSize = EditScale->Text();
    } else if (!FScaleBeforePhysicalSize.isEmpty()) {
        // The scale's own handler writes it into the component.
        EditScale->SetText(FScaleBeforePhysicalSize);
        FScaleBeforePhysicalSize.clear();
    }
    ApplyPhysicalSize();
}

void TForm1::EditXDimensionChange(QObject *)
{
    if (CheckBoxPhysicalSize->Checked())
        ApplyPhysicalSize();
}

void TForm1::EditResolutionChange(QObject *)
{
    if (CheckBoxPhysicalSize->Checked())
        ApplyPhysicalSize();
}

void TForm1::ApplyPhysicalSize()
{
    const bool on = CheckBoxPhysicalSize->Checked();
    // While the size on paper decides, the scale is not typed, and the other way round.
    UpdateApplicableFields();
    FPhysicalSizeProblem.clear();
    if (!on) {
        Barcode->SetResolution(0);
        RefreshPreview();
        return;
    }
    const std::optional<double> millimetres = PositiveNumber(EditXDimension->Text());
    const std::optional<double> dpi = PositiveNumber(EditResolution->Text());
    if (!millimetres)
        FPhysicalSizeProblem = TranslateMessage(QStringLiteral("The X-dimension must be a number of millimetres above 0, such as %1."))
                                   .arg(FloatToStr(static_cast<long double>(DefaultXDimensionMm)));
    else if (!dpi)
        FPhysicalSizeProblem = TranslateMessage(QStringLiteral("The resolution must be a number of dots per inch above 0, such as %1."))
                                   .arg(DefaultResolution);
    if (!FPhysicalSizeProblem.isEmpty()) {
        Barcode->SetResolution(0);
        RefreshPreview();
        return;
    }
    Barcode->SetResolution(*dpi);
    // The scale's own handler writes it into the component; the refresh below covers a scale
    // that did not change.
    EditScale->SetText(FloatToStr(static_cast<long double>(ScaleForXDimension(*millimetres, *dpi))));
    RefreshPreview();
}

void TForm1::ShowPhysicalSize()
{
    QString text;
    if (!CheckBoxPhysicalSize->Checked()) {
        // nothing to show
    } else if (!FPhysicalSizeProblem.isEmpty()) {
        text = FPhysicalSizeProblem;
    } else if (Image->HasPicture() && Barcode->Resolution() > 0) {
        const double dpi = Barcode->Resolution();
        const TPhysicalSize size = PhysicalSizeOf(Image->Picture().size(), dpi);
        text = TranslateMessage(QStringLiteral("%1 x %2 mm, %3 x %4 pixels, module %5 mm"))
                   .arg(Rounded(size.Millimetres.width(), 1), Rounded(size.Millimetres.height(), 1))
                   .arg(size.Pixels.width())
                   .arg(size.Pixels.height())
                   .arg(Rounded(XDimensionAtScale(Barcode->Scale(), dpi), 3));
    }
    // Called at every keystroke: a label that is set to what it shows already would still be
    // told of a change and repainted.
    if (text != LabelPhysicalSize->Caption()) {
        LabelPhysicalSize->SetCaption(text);
        LabelPhysicalSize->setToolTip(text);
        LabelPhysicalSize->SetVisible(!text.isEmpty());
    }
    const QColor colour = FPhysicalSizeProblem.isEmpty() ? QApplication::palette().color(QPalette::WindowText)
                                                         : QColor(0xC0, 0, 0);
    if (LabelPhysicalSize->palette().color(QPalette::WindowText) != colour) {
        QPalette palette = LabelPhysicalSize->palette();
        palette.setColor(QPalette::WindowText, colour);
        LabelPhysicalSize->setPalette(palette);
    }
}
