#pragma once

#include "toolkit/PictureZoom.h"

#include <QImage>
#include <QPoint>
#include <QRgb>

// Fills `target` (Format_RGB32) with the part of `picture` (Format_RGB32) magnified by `scale`
// whose top-left corner lies at `origin` of the magnified picture. Enlarged, each picture pixel
// covers whole pixels; reduced, each pixel shows the middle pixel of its block (the last, partial
// block its last pixel). Pixels of colour `key` come out as `replacement`, the others opaque.
// Rows that repeat the row above are copied, not computed again. Target pixels beyond the
// magnified picture are left as they are.
void ScaleKeyed(const QImage &picture, TZoomFactor scale, QPoint origin, QImage &target, QRgb key,
                QRgb replacement);
