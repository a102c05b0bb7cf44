#include "toolkit/ExtCtrls.h"

#include <QPainter>

TPanel::TPanel(QObject *AOwner, QWidget *AParent)
    : QFrame(AParent), TControl(this)
{
    Register(AOwner, AParent);
    SetBevelOuter(bvRaised);
    SetColor(int(clBtnFace));
}

void TPanel::SetCaption(const QString &value)
{
    FCaption = value;
    update();
}

void TPanel::SetColor(int value)
{
    FColor = TColor(value);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ResolveColor(FColor));
    setPalette(palette);
    setAutoFillBackground(true);
    update();
}

void TPanel::SetBevelOuter(TBevelCut value)
{
    FBevelOuter = value;
    switch (value) {
    case bvNone: setFrameStyle(QFrame::NoFrame); break;
    case bvLowered: setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
    case bvRaised: setFrameStyle(QFrame::Panel | QFrame::Raised); break;
    }
    ArrangeChildren(this, QSize());
}

void TPanel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (FCaption.isEmpty())
        return;
    QPainter painter(this);
    painter.drawText(contentsRect(), Qt::AlignCenter | Qt::TextShowMnemonic, FCaption);
}

void TPanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    ArrangeChildren(this, QSize());
}
