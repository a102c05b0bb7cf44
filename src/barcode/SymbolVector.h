#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

// The symbol as the engine's vector output describes it, copied out of the engine's record so
// that it outlives it: the shapes in the engine's units (one unit is one pixel of its raster
// output, a module 2 x Scale units), the colours, and the texts.
struct TSymbolVector
{
    struct TRect
    {
        QRectF Area;
        QColor Colour;
    };
    struct THexagon
    {
        QPointF Centre;
        double Diameter = 0; // from corner to corner
        int Rotation = 0;    // 0 or 180: a corner at the top; 90 or 270: a corner at the side
    };
    struct TCircle
    {
        QPointF Centre;
        double Diameter = 0;
        double Width = 0;      // 0: a disc; else a ring whose line is this wide
        bool Background = false; // drawn in the background colour (cut out of a disc)
    };
    struct TText
    {
        QPointF Position; // baseline, at the centre, start or end as Align says
        double FontSize = 0;
        int Rotation = 0;
        int Align = 0; // 0 centre, 1 left, 2 right
        QString Text;
    };

    QSizeF Size;
    QColor Fore;
    QColor Back; // alpha 0 for a transparent background
    bool Bold = false;
    QList<TRect> Rects;
    QList<THexagon> Hexagons;
    QList<TCircle> Circles;
    QList<TText> Texts;
};

// Draws `vector` into `target` (its whole size, at one scale in both directions), the background
// first unless it is transparent. Vectors stay vectors, texts stay texts on any paint device.
void PaintSymbolVector(QPainter &painter, const TSymbolVector &vector, const QRectF &target);
