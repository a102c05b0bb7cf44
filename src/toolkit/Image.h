#pragma once

#include "toolkit/Controls.h"
#include "toolkit/PictureZoom.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

// Shows a picture, centred while it is smaller than the control. Transparent: the pixels of the
// picture's bottom-left pixel's colour are not drawn, so the colour of the control's container
// shows through. The picture is shared, never copied; zoom and the transparent colour are applied
// while painting, to the visible part only.
//
// Zoom: fit to the window (the default) enlarges the picture by the largest whole factor that fits
// and reduces it by the smallest whole factor that fits when it is larger; a chosen zoom enlarges or reduces
// by whole factors, with scroll bars once the picture outgrows the control. Ctrl+wheel zooms. A
// thin line marks the picture's edge, so its margins show where they are transparent.
class TImage final : public QAbstractScrollArea, public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TImage)
    TCONTROL_PUBLISHED
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)

public:
    TImage(QObject *AOwner, QWidget *AParent);

    // Shares `picture` (no pixels are copied; whoever draws into the original next detaches from
    // it). A null image empties the control; the picture shown already changes nothing.
    void SetPicture(const QImage &picture);
    void ClearPicture() { SetPicture(QImage()); }
    QImage Picture() const { return FPicture; }
    bool HasPicture() const { return !FPicture.isNull(); }
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

    bool FitToWindow() const { return FFit; }
    void SetFitToWindow();
    // A chosen zoom, in the screen's logical pixels (1:1 is {1, 1}).
    TZoomFactor Zoom() const { return FZoom; }
    void SetZoom(TZoomFactor zoom);
    // The next zoom step above or below the magnification shown now.
    void ZoomIn();
    void ZoomOut();
    // Device pixels per picture pixel as the picture is drawn now.
    TZoomFactor DrawnScale() const;
    // Where the picture stands in the visible area, in logical pixels (empty without a picture).
    QRect PictureRect() const;

Q_SIGNALS:
    // The zoom was chosen, or the magnification drawn changed (a fitted picture or control that
    // changed its size).
    void OnZoomChange(QObject *Sender);
    // The user pulled the picture with the mouse; the owner starts a drag.
    void OnStartDrag(QObject *Sender);
    // A context menu was asked for, with the mouse, the menu key or Shift+F10, at a global position.
    void OnContextPopup(QObject *Sender, const QPoint &Position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // Where things stand, in device pixels of the visible area.
    struct TLayout
    {
        qreal Ratio = 1;     // device pixels per logical pixel
        QSize Viewport;      // the visible area
        TZoomFactor Scale;   // device pixels per picture pixel
        QRect Picture;       // the zoomed picture; may reach beyond the visible area
    };
    // What the cached part of the picture was made from.
    struct TCacheKey
    {
        qint64 Picture = 0;
        TZoomFactor Scale;
        QRect Placed;
        QRect Visible;
        QRgb Surround = 0;
        bool Transparent = false;
        bool operator==(const TCacheKey &other) const;
    };

    TLayout CurrentLayout() const;
    void UpdateScrollBars();
    void ApplyZoom(bool fit, TZoomFactor zoom);
    // The picture in the form it is scaled from, with its transparent colour where known upfront.
    void PrepareSource();
    // Scales the visible part of the picture into FCache and replaces its transparent colour.
    void PrepareCache(const TLayout &layout, const QRect &visible, QColor surround);
    QColor SurroundColor() const;
    QPoint PopupPosition() const;
    // Tells of a magnification that differs from the one last told.
    void NoteDrawnScale();

    QImage FPicture;
    QImage FSource;
    QRgb FKey = 0;
    // The picture has transparent pixels of its own (a transparent background): they show a
    // checker pattern, and its colour is not keyed.
    bool FOwnTransparency = false;
    QImage FCache;
    TCacheKey FCacheKey;
    bool FCenter = true;
    bool FTransparent = true;
    bool FFit = true;
    TZoomFactor FZoom;
    TZoomFactor FShownScale;
    qreal FScrollRatio = 0; // the device pixel ratio the scroll bars were set for
    int FWheelAngle = 0;
    bool FDragArmed = false;
    QPoint FDragFrom;
};
