#pragma once

#include "toolkit/Component.h"

#include <QAction>

// A menu item; its caption may carry an accelerator mark ("&").
class TMenuItem final : public TComponent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMenuItem)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TMenuItem(QObject *AOwner);

    QString Caption() const { return FAction->text(); }
    void SetCaption(const QString &value) { FAction->setText(value); }
    bool Checked() const { return FAction->isChecked(); }
    void SetChecked(bool value);
    bool Enabled() const { return FAction->isEnabled(); }
    void SetEnabled(bool value) { FAction->setEnabled(value); }
    QString Hint() const { return FAction->statusTip(); }
    // Shown in the status line and, in menus that show tips, as the item's tooltip.
    void SetHint(const QString &value);
    bool Visible() const { return FAction->isVisible(); }
    void SetVisible(bool value) { FAction->setVisible(value); }

    // The Qt action to put into a menu.
    QAction *Action() const { return FAction; }
    void Click() { FAction->trigger(); }

Q_SIGNALS:
    void OnClick(QObject *Sender);

private:
    QAction *FAction;
};
