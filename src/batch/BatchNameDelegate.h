#pragma once

#include <QStyledItemDelegate>
#include <functional>

// Draws a list item of the batch window with the name of the file it will become at its right
// end, in a quieter colour; the item's text keeps the rest of the row.
class TBatchNameDelegate final : public QStyledItemDelegate
{
public:
    // `fileName` gives the file name of a row; an empty name leaves the row as it is.
    using TFileNameOf = std::function<QString(int row)>;
    TBatchNameDelegate(QObject *parent, TFileNameOf fileName);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    TFileNameOf FFileName;
};
