#include "toolkit/ExtCtrls.h"

#include <QBitmap>
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

TImage::TImage(QObject *AOwner, QWidget *AParent)
    : QWidget(AParent), TControl(this)
{
    Register(AOwner, AParent);
}

void TImage::SetPicture(const QImage &picture)
{
    // Shared, not copied: whoever draws into the original next detaches from it.
    FPicture = picture;
    Rebuild();
}

void TImage::SetCenter(bool value)
{
    FCenter = value;
    update();
}

void TImage::SetTransparent(bool value)
{
    FTransparent = value;
    Rebuild();
}

void TImage::Rebuild()
{
    if (FPicture.isNull()) {
        FDrawn = QPixmap();
        update();
        return;
    }
    // Premultiplied: the form the screen's pixmaps take, so no further conversion is needed. An
    // opaque picture (the usual case) already has those bytes and is copied in the keying pass.
    const bool opaque = FPicture.format() == QImage::Format_RGB32;
    const QImage source = opaque ? FPicture : FPicture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage image(source.size(), QImage::Format_ARGB32_Premultiplied);
    // The picture's bottom-left pixel names the colour that is not drawn.
    const QRgb key = source.pixel(0, source.height() - 1) | 0xFF000000u;
    const QRgb alpha = opaque ? 0xFF000000u : 0;
    const int width = source.width();
    for (int y = 0; y < source.height(); ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        auto *to = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = from[x] | alpha;
            to[x] = FTransparent && (pixel | 0xFF000000u) == key ? 0 : pixel;
        }
    }
    FDrawn = QPixmap::fromImage(std::move(image));
    update();
}

void TImage::paintEvent(QPaintEvent *)
{
    if (FDrawn.isNull())
        return;
    QPainter painter(this);
    QPoint origin(0, 0);
    if (FCenter)
        origin = QPoint((width() - FDrawn.width()) / 2, (height() - FDrawn.height()) / 2);
    painter.drawPixmap(origin, FDrawn);
}
