#include "app/Form1.h"
#include "app/SymbologyFilter.h"
#include "toolkit/StdCtrls.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QKeyEvent>
#include <QListView>
#include <QPalette>
#include <QStandardItemModel>

// The filter over the symbology list. Entries that do not match are hidden in the drop-down and
// disabled, so the arrow keys pass over them too; the items themselves stay, so the selection,
// the sorted order and a language change that replaces the items are not disturbed.

namespace {

// Down, Enter and Return in the filter open the list; Escape clears the filter.
class TFilterKeys final : public QObject
{
public:
    TFilterKeys(TEdit *filter, TComboBox *list) : QObject(filter), FFilter(filter), FList(list) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != FFilter || event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        switch (key->key()) {
        case Qt::Key_Down:
        case Qt::Key_Enter:
        case Qt::Key_Return:
            FList->setFocus(Qt::TabFocusReason);
            FList->showPopup();
            return true;
        case Qt::Key_Escape:
            if (FFilter->Text().isEmpty())
                return false;
            FFilter->SetText(QString());
            return true;
        default:
            return false;
        }
    }

private:
    TEdit *FFilter;
    TComboBox *FList;
};

} // namespace

void TForm1::EditFilterChange(QObject *)
{
    ApplySymbologyFilter();
}

void TForm1::ApplySymbologyFilter()
{
    auto *model = qobject_cast<QStandardItemModel *>(ComboBoxSymbology->model());
    auto *view = qobject_cast<QListView *>(ComboBoxSymbology->view());
    if (model == nullptr || view == nullptr)
        return;
    const QString filter = EditFilter->Text();
    int matches = 0;
    for (int row = 0; row < model->rowCount(); ++row) {
        const bool match = MatchesSymbologyFilter(ComboBoxSymbology->itemText(row), filter);
        if (QStandardItem *item = model->item(row))
            item->setEnabled(match);
        view->setRowHidden(row, !match);
        matches += match ? 1 : 0;
    }
    // How many names are left; nothing while the filter is empty. The label keeps the width of
    // its longest text, so that the row does not move while typing.
    const int total = model->rowCount();
    const QString count = TranslateMessage(QStringLiteral("%1 of %2"));
    LabelFilterMatches->setMinimumWidth(
        LabelFilterMatches->fontMetrics().horizontalAdvance(count.arg(total).arg(total)));
    LabelFilterMatches->SetCaption(filter.trimmed().isEmpty() ? QString() : count.arg(matches).arg(total));
    // A filter that matches nothing shows in red.
    QPalette palette = EditFilter->palette();
    palette.setColor(QPalette::Text, matches == 0 ? QColor(0xC0, 0, 0) : QApplication::palette().color(QPalette::Text));
    EditFilter->setPalette(palette);
}

void TForm1::ConnectSymbologyFilter()
{
    EditFilter->installEventFilter(new TFilterKeys(EditFilter, ComboBoxSymbology));
    // New items (the list filled at start, or replaced by a language) are filtered as well.
    QAbstractItemModel *model = ComboBoxSymbology->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, [this] { ApplySymbologyFilter(); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] { ApplySymbologyFilter(); });
    connect(model, &QAbstractItemModel::layoutChanged, this, [this] { ApplySymbologyFilter(); });
}
