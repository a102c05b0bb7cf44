#include "batch/BatchNameDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace {

// Between the text and the name.
constexpr int Gap = 12;
// The name takes at most this share of the row; a longer one is shortened in its middle.
constexpr double NameShare = 0.5;

} // namespace

TBatchNameDelegate::TBatchNameDelegate(QObject *parent, TFileNameOf fileName)
    : QStyledItemDelegate(parent), FFileName(std::move(fileName))
{
}

void TBatchNameDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    const QString name = FFileName ? FFileName(index.row()) : QString();
    if (name.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget *widget = option.widget;
    QStyle *style = widget != nullptr ? widget->style() : QApplication::style();

    // The row's background (selection, focus) across its whole width, then the text on the left.
    const QString text = item.text;
    item.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    const QFontMetrics metrics(item.font);
    const int nameWidth = std::min(metrics.horizontalAdvance(name), int(item.rect.width() * NameShare));
    QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    QRect nameRect = textRect;
    nameRect.setLeft(textRect.right() - nameWidth);
    textRect.setRight(nameRect.left() - Gap);

    const bool selected = item.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    painter->save();
    painter->setFont(item.font);
    painter->setPen(item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                      metrics.elidedText(text, Qt::ElideRight, std::max(0, textRect.width())));
    painter->setPen(item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
    painter->drawText(nameRect, Qt::AlignRight | Qt::AlignVCenter,
                      metrics.elidedText(name, Qt::ElideMiddle, nameRect.width()));
    painter->restore();
}
