#include "toolkit/Menus.h"

TMenuItem::TMenuItem(QObject *AOwner)
    : TComponent(AOwner), FAction(new QAction(this))
{
    connect(FAction, &QAction::triggered, this, [this] { Q_EMIT OnClick(this); });
}

void TMenuItem::SetChecked(bool value)
{
    FAction->setCheckable(FAction->isCheckable() || value);
    FAction->setChecked(value);
}

void TMenuItem::SetHint(const QString &value)
{
    FAction->setStatusTip(value);
    FAction->setToolTip(value);
}
