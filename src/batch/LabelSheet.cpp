#include "batch/LabelSheet.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

// Measures typed to a tenth of a millimetre still fit a page that they fill exactly.
constexpr double Tolerance = 0.01;

QString Mm(double value)
{
    return QLocale().toString(value, 'g', 6);
}

} // namespace

const QList<TLabelPreset> &LabelPresets()
{
    static const QList<TLabelPreset> presets = [] {
        QList<TLabelPreset> list;
        TLabelSheet a4;
        a4.PageMm = PageA4Mm;
        a4.Rows = 8;
        a4.Columns = 3;
        a4.LabelMm = {70.0, 37.0};
        a4.LeftMm = 0.0;
        a4.TopMm = (297.0 - 8 * 37.0) / 2;
        list.append({"A4, 3 \u00D7 8, 70 \u00D7 37 mm", a4});

        // Address labels of 2 5/8 x 1 inch: 3/16 inch side margins, 1/8 inch between columns.
        TLabelSheet letter;
        letter.PageMm = PageLetterMm;
        letter.Rows = 10;
        letter.Columns = 3;
        letter.LabelMm = {66.675, 25.4};
        letter.LeftMm = 4.7625;
        letter.TopMm = 12.7;
        letter.GapXMm = 3.175;
        list.append({"Letter, 3 \u00D7 10, 66.7 \u00D7 25.4 mm", letter});

        TLabelSheet a4Large;
        a4Large.PageMm = PageA4Mm;
        a4Large.Rows = 7;
        a4Large.Columns = 2;
        a4Large.LabelMm = {99.1, 38.1};
        a4Large.LeftMm = 4.65;
        a4Large.TopMm = 15.15;
        a4Large.GapXMm = 2.5;
        list.append({"A4, 2 \u00D7 7, 99.1 \u00D7 38.1 mm", a4Large});
        return list;
    }();
    return presets;
}

QString LabelSheetProblem(const TLabelSheet &sheet, const TTranslate &translate)
{
    const auto atLeast = [&](const QString &what, double value, double minimum) {
        return translate(QStringLiteral("%1 must be at least %2, not %3.")).arg(what, Mm(minimum), Mm(value));
    };
    if (!(sheet.PageMm.width() > 0) || !(sheet.PageMm.height() > 0))
        return translate(QStringLiteral("The page must be larger than 0 mm, not %1 \u00D7 %2 mm."))
            .arg(Mm(sheet.PageMm.width()), Mm(sheet.PageMm.height()));
    if (sheet.Rows < 1)
        return atLeast(translate(QStringLiteral("Rows")), sheet.Rows, 1);
    if (sheet.Columns < 1)
        return atLeast(translate(QStringLiteral("Columns")), sheet.Columns, 1);
    if (!(sheet.LabelMm.width() > 0) || !(sheet.LabelMm.height() > 0))
        return translate(QStringLiteral("A label must be larger than 0 mm, not %1 \u00D7 %2 mm."))
            .arg(Mm(sheet.LabelMm.width()), Mm(sheet.LabelMm.height()));
    const std::pair<QString, double> lengths[] = {
        {translate(QStringLiteral("The left margin")), sheet.LeftMm},
        {translate(QStringLiteral("The top margin")), sheet.TopMm},
        {translate(QStringLiteral("The gap between columns")), sheet.GapXMm},
        {translate(QStringLiteral("The gap between rows")), sheet.GapYMm}};
    for (const auto &[what, value] : lengths)
        if (!(value >= 0))
            return atLeast(what, value, 0);
    const double across = sheet.LeftMm + sheet.Columns * sheet.LabelMm.width() + (sheet.Columns - 1) * sheet.GapXMm;
    if (across > sheet.PageMm.width() + Tolerance)
        return translate(QStringLiteral("%1 columns of %2 mm need %3 mm across, but the page is %4 mm wide."))
            .arg(QString::number(sheet.Columns), Mm(sheet.LabelMm.width()), Mm(across), Mm(sheet.PageMm.width()));
    const double down = sheet.TopMm + sheet.Rows * sheet.LabelMm.height() + (sheet.Rows - 1) * sheet.GapYMm;
    if (down > sheet.PageMm.height() + Tolerance)
        return translate(QStringLiteral("%1 rows of %2 mm need %3 mm down, but the page is %4 mm high."))
            .arg(QString::number(sheet.Rows), Mm(sheet.LabelMm.height()), Mm(down), Mm(sheet.PageMm.height()));
    if (sheet.StartPosition < 1 || sheet.StartPosition > sheet.LabelsPerPage())
        return translate(QStringLiteral("The start position must be from 1 to %1, the labels of one page, not %2."))
            .arg(sheet.LabelsPerPage())
            .arg(sheet.StartPosition);
    if (LabelSymbolAreaMm(sheet, QRectF(QPointF(0, 0), sheet.LabelMm)).isEmpty())
        return translate(QStringLiteral("A label of %1 \u00D7 %2 mm leaves no room for a symbol."))
            .arg(Mm(sheet.LabelMm.width()), Mm(sheet.LabelMm.height()));
    return QString();
}

QList<TLabelPlace> LayOutLabels(const TLabelSheet &sheet, int count)
{
    QList<TLabelPlace> places;
    if (count <= 0 || !LabelSheetProblem(sheet, [](const QString &text) { return text; }).isEmpty())
        return places;
    places.reserve(count);
    const int perPage = sheet.LabelsPerPage();
    for (int item = 0; item < count; ++item) {
        // Counted over the whole run of labels, the skipped ones of the first page included.
        const qint64 slot = qint64(sheet.StartPosition - 1) + item;
        const int onPage = int(slot % perPage);
        const int row = onPage / sheet.Columns, column = onPage % sheet.Columns;
        places.append({int(slot / perPage), item,
                       QRectF(sheet.LeftMm + column * sheet.PitchXMm(), sheet.TopMm + row * sheet.PitchYMm(),
                              sheet.LabelMm.width(), sheet.LabelMm.height())});
    }
    return places;
}

int LabelPageCount(const TLabelSheet &sheet, int count)
{
    const QList<TLabelPlace> places = LayOutLabels(sheet, count);
    return places.isEmpty() ? 0 : places.last().Page + 1;
}

double LabelCaptionHeightMm(const TLabelSheet &sheet)
{
    // One line of about 2.5 mm text, less on a very low label.
    return sheet.Caption ? std::min(3.5, sheet.LabelMm.height() / 4) : 0.0;
}

QRectF LabelSymbolAreaMm(const TLabelSheet &sheet, const QRectF &label)
{
    const QRectF inner = label.adjusted(LabelPaddingMm, LabelPaddingMm, -LabelPaddingMm, -LabelPaddingMm);
    if (inner.width() <= 0 || inner.height() <= 0)
        return QRectF();
    const QRectF area = inner.adjusted(0, 0, 0, -LabelCaptionHeightMm(sheet));
    return area.height() > 0 ? area : QRectF();
}

QRectF LabelCaptionAreaMm(const TLabelSheet &sheet, const QRectF &label)
{
    const double height = LabelCaptionHeightMm(sheet);
    if (height <= 0)
        return QRectF();
    const QRectF area = LabelSymbolAreaMm(sheet, label);
    return QRectF(area.left(), area.bottom(), area.width(), height);
}

TSymbolFit FitSymbol(const QRectF &areaMm, const QSizeF &modules, double dotsPerMm)
{
    TSymbolFit fit;
    if (areaMm.isEmpty() || modules.isEmpty() || !(dotsPerMm > 0))
        return fit;
    const double largest = std::min(areaMm.width() / modules.width(), areaMm.height() / modules.height());
    const double dots = std::max(1.0, std::floor(largest * dotsPerMm + 1e-9));
    fit.ModuleMm = dots / dotsPerMm;
    const QSizeF size = modules * fit.ModuleMm;
    fit.TargetMm = QRectF(areaMm.center().x() - size.width() / 2, areaMm.center().y() - size.height() / 2,
                          size.width(), size.height());
    return fit;
}
