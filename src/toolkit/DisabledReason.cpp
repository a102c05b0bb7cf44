#include "toolkit/DisabledReason.h"

#include <QEvent>
#include <QHelpEvent>
#include <QToolTip>
#include <QVariant>
#include <QWidget>

namespace {

const char *const ReasonProperty = "_q_disabledReason";

// One watcher serves every control; it answers their tooltip requests while they are disabled.
class TReasonTips final : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *control = qobject_cast<QWidget *>(watched);
        if (event->type() != QEvent::ToolTip || control == nullptr || control->isEnabled())
            return false;
        const QString text = ShownHint(control);
        if (text.isEmpty())
            return false;
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text, control);
        return true;
    }
};

TReasonTips *Watcher()
{
    static TReasonTips *watcher = new TReasonTips;
    return watcher;
}

} // namespace

void SetDisabledReason(QWidget *control, const QString &reason)
{
    if (control == nullptr)
        return;
    if (!control->property(ReasonProperty).isValid())
        control->installEventFilter(Watcher());
    control->setProperty(ReasonProperty, reason);
}

QString ShownHint(const QWidget *control)
{
    if (control == nullptr)
        return QString();
    const QString reason = control->property(ReasonProperty).toString();
    if (control->isEnabled() || reason.isEmpty())
        return control->toolTip();
    return control->toolTip().isEmpty() ? reason : reason + QLatin1Char('\n') + control->toolTip();
}
