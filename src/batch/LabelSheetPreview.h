#pragma once

#include "batch/LabelSheet.h"

#include <QWidget>

class TLabelSymbols;

// The first page of a label sheet, drawn small: the paper, each label's edge and its symbol
// where the printer will put it.
class TLabelSheetPreview final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TLabelSheetPreview)

public:
    TLabelSheetPreview(QWidget *parent, TLabelSymbols &symbols);

    // A sheet with a problem shows the paper alone.
    void SetSheet(const TLabelSheet &sheet, int count);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TLabelSymbols &FSymbols;
    TLabelSheet FSheet;
    QList<TLabelPlace> FPlaces;
};
