#include "batch/LabelSheetPreview.h"

#include "batch/LabelSheetPrint.h"

#include <QPainter>

TLabelSheetPreview::TLabelSheetPreview(QWidget *parent, TLabelSymbols &symbols)
    : QWidget(parent)
    , FSymbols(symbols)
{
    setMinimumSize(180, 220);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TLabelSheetPreview::SetSheet(const TLabelSheet &sheet, int count)
{
    FSheet = sheet;
    FPlaces = LayOutLabels(sheet, count);
    update();
}

QSize TLabelSheetPreview::sizeHint() const
{
    return {260, 340};
}

void TLabelSheetPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    const QSizeF page = FSheet.PageMm;
    if (!(page.width() > 0) || !(page.height() > 0))
        return;
    constexpr int Margin = 8;
    const double scale = qMin((width() - 2 * Margin) / page.width(), (height() - 2 * Margin) / page.height());
    if (!(scale > 0))
        return;
    painter.translate((width() - page.width() * scale) / 2, (height() - page.height() * scale) / 2);
    painter.fillRect(QRectF(QPointF(0, 0), page * scale), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    // Fitted as on a 600 dpi printer, so that the preview shows the sizes that print.
    PaintLabelPage(painter, FSheet, FPlaces, FSymbols, 0, scale, LabelPdfDpi / 25.4, true);
}
