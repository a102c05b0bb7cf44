#include "toolkit/PictureZoom.h"

#include <algorithm>
#include <cmath>

namespace {

const TZoomFactor ZoomSteps[] = {{1, 8}, {1, 6}, {1, 4}, {1, 3}, {1, 2}, {1, 1}, {2, 1},
                                 {3, 1}, {4, 1}, {6, 1}, {8, 1}, {12, 1}, {16, 1}, {24, 1},
                                 {32, 1}, {48, 1}, {64, 1}};

// Steps count as equal to a factor within this relative margin, so that a fit that happens to be
// a step moves on to the next one.
constexpr double SameStep = 1e-6;

int DivideRoundingUp(int value, int divisor)
{
    return (value + divisor - 1) / divisor;
}

} // namespace

TZoomFactor ZoomStep(double current, int direction)
{
    if (direction > 0) {
        for (const TZoomFactor &step : ZoomSteps)
            if (step.Value() > current * (1 + SameStep))
                return step;
        return std::end(ZoomSteps)[-1];
    }
    for (auto step = std::rbegin(ZoomSteps); step != std::rend(ZoomSteps); ++step)
        if (step->Value() < current * (1 - SameStep))
            return *step;
    return ZoomSteps[0];
}

TZoomFactor DeviceZoom(TZoomFactor zoom, qreal devicePixelRatio)
{
    const double exact = zoom.Value() * (devicePixelRatio > 0 ? devicePixelRatio : 1.0);
    if (exact >= 1.0)
        return {int(std::lround(exact)), 1};
    return {1, std::max(1, int(std::lround(1.0 / exact)))};
}

TZoomFactor FitZoom(QSize picture, QSize area, qreal devicePixelRatio)
{
    if (picture.isEmpty() || area.isEmpty())
        return DeviceZoom({1, 1}, devicePixelRatio);
    const int up = std::min(area.width() / picture.width(), area.height() / picture.height());
    if (up >= 1)
        return {up, 1};
    const int down = std::max(DivideRoundingUp(picture.width(), area.width()),
                              DivideRoundingUp(picture.height(), area.height()));
    return {1, down};
}

QSize ZoomedSize(QSize picture, TZoomFactor zoom)
{
    if (picture.isEmpty())
        return QSize();
    return {DivideRoundingUp(picture.width() * zoom.Up, zoom.Down),
            DivideRoundingUp(picture.height() * zoom.Up, zoom.Down)};
}
