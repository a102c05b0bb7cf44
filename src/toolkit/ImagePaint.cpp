#include "toolkit/ColorKey.h"
#include "toolkit/Image.h"
#include "toolkit/PictureScale.h"

#include <QMetaObject>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

// Painting of the picture control: only the visible part of the picture is scaled, and the
// transparent colour is replaced by the container's colour in that part alone, so the cost of a
// new picture follows the size of the control, not the size of the picture.

namespace {

constexpr QRgb Opaque = 0xFF000000u;

bool IsIndexed(const QImage &image)
{
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
        return true;
    default:
        return false;
    }
}

// The line around the picture: a step lighter or darker than the container.
QColor EdgeColor(QColor surround)
{
    const QColor toward = surround.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black);
    const auto mix = [](int from, int to) { return from + (to - from) * 2 / 5; };
    return QColor(mix(surround.red(), toward.red()), mix(surround.green(), toward.green()),
                  mix(surround.blue(), toward.blue()));
}

// Whether any pixel of a premultiplied picture is less than opaque.
bool HasTransparentPixel(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return true;
    }
    return false;
}

// Light and mid grey squares of 8 device pixels, the usual sign of transparency.
const QBrush &CheckerBrush()
{
    static const QBrush brush = [] {
        constexpr int Square = 8;
        QImage tile(2 * Square, 2 * Square, QImage::Format_RGB32);
        tile.fill(QColor(0xFF, 0xFF, 0xFF));
        QPainter painter(&tile);
        painter.fillRect(0, 0, Square, Square, QColor(0xCC, 0xCC, 0xCC));
        painter.fillRect(Square, Square, Square, Square, QColor(0xCC, 0xCC, 0xCC));
        return QBrush(tile);
    }();
    return brush;
}

} // namespace

bool TImage::TCacheKey::operator==(const TCacheKey &other) const
{
    return Picture == other.Picture && Scale == other.Scale && Placed == other.Placed
        && Visible == other.Visible && Surround == other.Surround && Transparent == other.Transparent;
}

namespace {

// The width of the line around the picture, in device pixels.
constexpr int EdgeLine = 1;

} // namespace

TImage::TLayout TImage::CurrentLayout() const
{
    TLayout layout;
    layout.Ratio = viewport()->devicePixelRatioF();
    layout.Viewport = QSize(int(std::lround(viewport()->width() * layout.Ratio)),
                            int(std::lround(viewport()->height() * layout.Ratio)));
    // An enlarged picture leaves room for its edge line on every side; a picture that fills the
    // control at its own size is not reduced for the line's sake.
    if (FFit) {
        const QSize lined = (layout.Viewport - QSize(2 * EdgeLine, 2 * EdgeLine)).expandedTo(QSize(1, 1));
        layout.Scale = FitZoom(FPicture.size(), lined, layout.Ratio);
        if (layout.Scale.Down > 1)
            layout.Scale = FitZoom(FPicture.size(), layout.Viewport, layout.Ratio);
    } else {
        layout.Scale = DeviceZoom(FZoom, layout.Ratio);
    }
    const QSize size = ZoomedSize(FPicture.size(), layout.Scale);
    if (size.isEmpty())
        return layout;
    const auto place = [&](int pictureSide, int viewportSide, const QScrollBar *bar) {
        if (pictureSide <= viewportSide)
            return FCenter ? (viewportSide - pictureSide) / 2 : 0;
        const int scrolled = int(std::lround(bar->value() * layout.Ratio));
        return -std::min(scrolled, pictureSide - viewportSide);
    };
    layout.Picture = QRect(QPoint(place(size.width(), layout.Viewport.width(), horizontalScrollBar()),
                                  place(size.height(), layout.Viewport.height(), verticalScrollBar())),
                           size);
    return layout;
}

void TImage::PrepareSource()
{
    FSource = QImage();
    FKey = 0;
    FOwnTransparency = false;
    if (FPicture.isNull())
        return;
    if (FPicture.format() == QImage::Format_RGB32 || IsIndexed(FPicture)) {
        // Used as it is: an opaque picture has its colour replaced after scaling, an indexed one
        // in its colour table.
        FSource = FPicture;
    } else if (FPicture.hasAlphaChannel()) {
        // Pictures with an alpha channel: premultiplied once. Those without transparent pixels
        // of their own have the transparent colour made fully transparent.
        FSource = FPicture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        FOwnTransparency = HasTransparentPixel(FSource);
        if (FTransparent && !FOwnTransparency)
            ReplaceColor(FSource, FSource.pixel(0, FSource.height() - 1), 0);
    } else {
        FSource = FPicture.convertToFormat(QImage::Format_RGB32);
    }
    FKey = FPicture.pixel(0, FPicture.height() - 1) | Opaque;
    FCacheKey = TCacheKey();
}

void TImage::PrepareCache(const TLayout &layout, const QRect &visible, QColor surround)
{
    const QRgb surroundRgb = surround.rgb() | Opaque;
    const TCacheKey key{FPicture.cacheKey(), layout.Scale, layout.Picture, visible, surroundRgb, FTransparent};
    if (key == FCacheKey && !FCache.isNull())
        return;
    FCacheKey = key;
    if (FCache.size() != visible.size() || !FCache.isDetached())
        FCache = QImage(visible.size(), QImage::Format_RGB32);

    const bool alpha = FSource.hasAlphaChannel();
    const bool replace = FTransparent && !alpha && FKey != surroundRgb;
    if (FSource.format() == QImage::Format_RGB32) {
        // The usual picture: scaled and keyed in one pass over the visible pixels.
        ScaleKeyed(FSource, layout.Scale, visible.topLeft() - layout.Picture.topLeft(), FCache, FKey,
                   replace ? surroundRgb : FKey);
        return;
    }
    QImage source = FSource;
    if (replace) {
        // Indexed: a view of the same pixels with another colour table; no pixel is touched.
        source = QImage(FSource.constBits(), FSource.width(), FSource.height(), FSource.bytesPerLine(),
                        FSource.format());
        source.setColorTable(ReplaceTableColor(FSource.colorTable(), FKey, surroundRgb));
    }
    QPainter painter(&FCache);
    // What a transparent picture lets through is shown on a checker pattern, fixed to the
    // picture so that it scrolls with it. A reduced picture's last, partial block leaves the
    // surround.
    if (FOwnTransparency) {
        painter.setBrushOrigin(layout.Picture.topLeft() - visible.topLeft());
        painter.fillRect(FCache.rect(), CheckerBrush());
    } else if (alpha || layout.Scale.Down > 1) {
        painter.fillRect(FCache.rect(), surround);
    }
    if (!alpha)
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.translate(layout.Picture.topLeft() - visible.topLeft());
    painter.scale(layout.Scale.Value(), layout.Scale.Value());
    painter.drawImage(0, 0, source);
}

QColor TImage::SurroundColor() const
{
    const QWidget *container = parentWidget();
    if (container == nullptr)
        return palette().color(QPalette::Window);
    return container->palette().color(container->backgroundRole());
}

void TImage::paintEvent(QPaintEvent *)
{
    const TLayout layout = CurrentLayout();
    if (layout.Ratio != FScrollRatio) // moved to a screen of another pixel density
        QMetaObject::invokeMethod(this, [this] { UpdateScrollBars(); }, Qt::QueuedConnection);
    const QColor surround = SurroundColor();
    QPainter painter(viewport());
    painter.save();
    // Device pixels from here on: the picture's pixels land on whole screen pixels.
    painter.scale(1.0 / layout.Ratio, 1.0 / layout.Ratio);
    const QRect all(QPoint(0, 0), layout.Viewport);
    const QRect visible = layout.Picture.intersected(all);
    QRegion around(all);
    if (!visible.isEmpty()) {
        PrepareCache(layout, visible, surround);
        painter.drawImage(visible.topLeft(), FCache);
        const QRect edge = layout.Picture.adjusted(-1, -1, 1, 1);
        const QRegion line = QRegion(edge).subtracted(QRegion(layout.Picture)).intersected(all);
        for (const QRect &part : line)
            painter.fillRect(part, EdgeColor(surround));
        around = around.subtracted(QRegion(edge));
    }
    for (const QRect &part : around)
        painter.fillRect(part, surround);
    painter.restore();

    if (hasFocus()) {
        // Where the keyboard is: a frame along the inside of the visible area.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(viewport()->rect()).adjusted(1, 1, -1, -1));
    }
}
