#pragma once

#include "toolkit/Controls.h"

#include <QFrame>
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace ExtCtrlTypes {
Q_NAMESPACE
enum TBevelCut { bvNone, bvLowered, bvRaised };
Q_ENUM_NS(TBevelCut)
} // namespace ExtCtrlTypes
using namespace ExtCtrlTypes;

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

// Shows a picture centred at its own size (never scaled). Transparent: the pixels of the picture's
// bottom-left pixel's colour are not drawn, so the container's colour shows through.
class TImage final : public QWidget, public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TImage)
    TCONTROL_PUBLISHED
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)

public:
    TImage(QObject *AOwner, QWidget *AParent);

    // Takes a copy of `picture`; a null image empties the control.
    void SetPicture(const QImage &picture);
    void ClearPicture() { SetPicture(QImage()); }
    QImage Picture() const { return FPicture; }
    bool HasPicture() const { return !FPicture.isNull(); }
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    // What the control draws: the picture with its transparent colour removed.
    QPixmap DrawnPixmap() const { return FDrawn; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Rebuild();

    QImage FPicture;
    QPixmap FDrawn;
    bool FCenter = true;
    bool FTransparent = true;
};
