#pragma once

#include "toolkit/Controls.h"
#include "toolkit/Image.h"

#include <QFrame>
#include <QWidget>

inline namespace ExtCtrlTypes {
Q_NAMESPACE
enum TBevelCut { bvNone, bvLowered, bvRaised };
Q_ENUM_NS(TBevelCut)
} // namespace ExtCtrlTypes

// A container with an optional bevel, a background colour and a centred caption.
class TPanel final : public QFrame, public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPanel)
    TCONTROL_PUBLISHED
    Q_PROPERTY(ExtCtrlTypes::TBevelCut BevelOuter READ BevelOuter WRITE SetBevelOuter)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Color READ Color WRITE SetColor)

public:
    TPanel(QObject *AOwner, QWidget *AParent);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &value);
    int Color() const { return int(FColor); }
    // An RGB colour or a system colour such as clAppWorkSpace.
    void SetColor(int value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QString FCaption;
    TColor FColor = clBtnFace;
    TBevelCut FBevelOuter = bvRaised;
};
