#include "toolkit/Image.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

// The picture control: its picture, zoom, scrolling and input. Painting is in ImagePaint.cpp.

namespace {

// One notch of an ordinary mouse wheel.
constexpr int WheelNotch = 120;

} // namespace

TImage::TImage(QObject *AOwner, QWidget *AParent)
    : QAbstractScrollArea(AParent), TControl(this)
{
    setFrameShape(QFrame::NoFrame);
    // A picture control takes no focus unless its window asks for it.
    setFocusPolicy(Qt::NoFocus);
    // Every pixel of the visible area is painted here, the container's colour included.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    Register(AOwner, AParent);
}

void TImage::SetPicture(const QImage &picture)
{
    // The same picture again (a refresh after a change that altered nothing) shows nothing new.
    if (picture.cacheKey() == FPicture.cacheKey())
        return;
    const QSize oldSize = FPicture.size();
    const QRect before = PictureRect();
    FPicture = picture;
    PrepareSource();
    if (FPicture.size() != oldSize)
        UpdateScrollBars();
    // Only where the picture was or is now changes; its edge line lies just outside.
    viewport()->update(before.united(PictureRect()).adjusted(-2, -2, 2, 2));
    NoteDrawnScale();
}

void TImage::SetCenter(bool value)
{
    FCenter = value;
    viewport()->update();
}

void TImage::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    PrepareSource();
    viewport()->update();
}

void TImage::SetFitToWindow()
{
    ApplyZoom(true, FZoom);
}

void TImage::SetZoom(TZoomFactor zoom)
{
    if (zoom.Up < 1 || zoom.Down < 1 || (zoom.Up > 1 && zoom.Down > 1))
        return;
    ApplyZoom(false, zoom);
}

void TImage::ZoomIn()
{
    const TLayout layout = CurrentLayout();
    const double current = FFit ? layout.Scale.Value() / layout.Ratio : FZoom.Value();
    // A fit beyond the last step is already larger than any step.
    const TZoomFactor next = ZoomStep(current, 1);
    if (next.Value() > current)
        SetZoom(next);
}

void TImage::ZoomOut()
{
    const TLayout layout = CurrentLayout();
    SetZoom(ZoomStep(FFit ? layout.Scale.Value() / layout.Ratio : FZoom.Value(), -1));
}

TZoomFactor TImage::DrawnScale() const
{
    return CurrentLayout().Scale;
}

QRect TImage::PictureRect() const
{
    const TLayout layout = CurrentLayout();
    if (layout.Picture.isEmpty())
        return QRect();
    const QRectF logical(QPointF(layout.Picture.topLeft()) / layout.Ratio, QSizeF(layout.Picture.size()) / layout.Ratio);
    return logical.toAlignedRect();
}

void TImage::ApplyZoom(bool fit, TZoomFactor zoom)
{
    if (fit == FFit && zoom == FZoom)
        return;
    // The point in the middle of the visible area stays there.
    const TLayout before = CurrentLayout();
    const QPointF middle(before.Viewport.width() / 2.0, before.Viewport.height() / 2.0);
    QPointF share(0.5, 0.5);
    if (!before.Picture.isEmpty())
        share = QPointF((middle.x() - before.Picture.x()) / before.Picture.width(),
                        (middle.y() - before.Picture.y()) / before.Picture.height());
    FFit = fit;
    FZoom = zoom;
    UpdateScrollBars();
    const TLayout after = CurrentLayout();
    horizontalScrollBar()->setValue(
        int(std::lround((share.x() * after.Picture.width() - middle.x()) / after.Ratio)));
    verticalScrollBar()->setValue(
        int(std::lround((share.y() * after.Picture.height() - middle.y()) / after.Ratio)));
    viewport()->update();
    FShownScale = after.Scale;
    Q_EMIT OnZoomChange(this);
}

void TImage::NoteDrawnScale()
{
    // Fitting follows the picture and the control's size, so the magnification changes with them.
    const TZoomFactor scale = CurrentLayout().Scale;
    if (scale == FShownScale)
        return;
    FShownScale = scale;
    Q_EMIT OnZoomChange(this);
}

void TImage::UpdateScrollBars()
{
    const TLayout layout = CurrentLayout();
    FScrollRatio = layout.Ratio;
    const QSize picture = layout.Picture.size();
    const auto range = [&](int pictureSide, int viewportSide) {
        return std::max(0, int(std::ceil((pictureSide - viewportSide) / layout.Ratio)));
    };
    horizontalScrollBar()->setRange(0, range(picture.width(), layout.Viewport.width()));
    verticalScrollBar()->setRange(0, range(picture.height(), layout.Viewport.height()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setPageStep(viewport()->height());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
}

void TImage::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    NoteDrawnScale();
}

void TImage::scrollContentsBy(int, int)
{
    // The visible part is scaled anew; moving the old pixels would only be painted over.
    viewport()->update();
}

void TImage::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // Touchpads send small steps: a zoom step per notch's worth.
    FWheelAngle += event->angleDelta().y();
    for (; FWheelAngle >= WheelNotch; FWheelAngle -= WheelNotch)
        ZoomIn();
    for (; FWheelAngle <= -WheelNotch; FWheelAngle += WheelNotch)
        ZoomOut();
    event->accept();
}

QPoint TImage::PopupPosition() const
{
    const QRect shown = PictureRect().intersected(viewport()->rect());
    return viewport()->mapToGlobal((shown.isEmpty() ? viewport()->rect() : shown).center());
}

void TImage::keyPressEvent(QKeyEvent *event)
{
    const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (menuKey || shiftF10) {
        event->accept();
        Q_EMIT OnContextPopup(this, PopupPosition());
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void TImage::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    const QPoint position =
        event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : PopupPosition();
    Q_EMIT OnContextPopup(this, position);
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    FDragArmed = event->button() == Qt::LeftButton && PictureRect().contains(at);
    FDragFrom = at;
    QAbstractScrollArea::mousePressEvent(event);
}

void TImage::mouseMoveEvent(QMouseEvent *event)
{
    if (FDragArmed && (event->buttons() & Qt::LeftButton)
        && (event->position().toPoint() - FDragFrom).manhattanLength() >= QApplication::startDragDistance()) {
        FDragArmed = false;
        Q_EMIT OnStartDrag(this);
        return;
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    FDragArmed = false;
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void TImage::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TImage::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}
