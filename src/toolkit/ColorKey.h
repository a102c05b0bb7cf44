#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

// Taking one colour out of a picture, as the picture control does with its transparent colour.
// Colours are compared without their alpha byte: an opaque picture's unused byte may hold
// anything, and the pixels written get it set, as their format requires.

// One row: each pixel of `from` whose colour is `key` becomes `replacement` in `to`, every other
// pixel is copied opaque. `from` and `to` may be the same row.
void KeyRow(const QRgb *from, QRgb *to, int width, QRgb key, QRgb replacement);
// The same over a whole picture of 32 bits per pixel, in place.
void ReplaceColor(QImage &image, QRgb key, QRgb replacement);
// The colour table with every entry of colour `key` replaced by `replacement`.
QList<QRgb> ReplaceTableColor(QList<QRgb> table, QRgb key, QRgb replacement);
