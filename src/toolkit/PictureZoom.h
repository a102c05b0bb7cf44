#pragma once

#include <QSize>
#include <QtGlobal>

// A magnification by a whole factor: `Up` pixels for every `Down` pixels of the picture, one of the
// two being 1. Each picture pixel then covers whole pixels (enlarged), or whole blocks of picture
// pixels meet in one pixel (reduced), so the edges of a symbol's modules stay sharp.
struct TZoomFactor
{
    int Up = 1;
    int Down = 1;

    double Value() const { return double(Up) / double(Down); }
    bool operator==(const TZoomFactor &other) const { return Up == other.Up && Down == other.Down; }
    bool operator!=(const TZoomFactor &other) const { return !(*this == other); }
};

// The step after (`direction` > 0) or before (< 0) the magnification `current` among the zoom steps
// 1/8 ... 1/2, 1, 2 ... 64; the first or last step when there is none beyond.
TZoomFactor ZoomStep(double current, int direction);
// Device pixels per picture pixel for `zoom` (in the screen's logical pixels) on a screen with
// `devicePixelRatio`: the whole factor nearest to the exact one.
TZoomFactor DeviceZoom(TZoomFactor zoom, qreal devicePixelRatio);
// Fit to the window, in device pixels: the picture enlarged by the largest whole factor with which
// it fits `area` (at least its own size in device pixels), otherwise reduced by the smallest whole
// factor that makes it fit. Whole factors keep every module's edges sharp.
TZoomFactor FitZoom(QSize picture, QSize area, qreal devicePixelRatio);
// The size of `picture` at `zoom`; a reduced picture's last, partial block still takes a pixel.
QSize ZoomedSize(QSize picture, TZoomFactor zoom);
