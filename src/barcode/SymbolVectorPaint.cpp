#include "barcode/SymbolVector.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace {

QPolygonF Hexagon(const TSymbolVector::THexagon &hexagon)
{
    // Corner to corner along one axis, flat sides along the other.
    const double radius = hexagon.Diameter / 2.0;
    const double half = radius / 2.0;
    const double across = radius * std::sqrt(3.0) / 2.0;
    const double x = hexagon.Centre.x(), y = hexagon.Centre.y();
    if (hexagon.Rotation == 90 || hexagon.Rotation == 270)
        return QPolygonF({{x - radius, y}, {x - half, y + across}, {x + half, y + across},
                          {x + radius, y}, {x + half, y - across}, {x - half, y - across}});
    return QPolygonF({{x, y + radius}, {x + across, y + half}, {x + across, y - half},
                      {x, y - radius}, {x - across, y - half}, {x - across, y + half}});
}

QRectF CircleBox(QPointF centre, double diameter)
{
    return {centre.x() - diameter / 2.0, centre.y() - diameter / 2.0, diameter, diameter};
}

// A disc in the foreground with the largest background disc of the same centre cut out: the
// engine's rings of older versions are discs laid over each other, which a transparent
// background must not show as filled.
QPainterPath Disc(const TSymbolVector &vector, const TSymbolVector::TCircle &disc)
{
    QPainterPath path;
    path.addEllipse(CircleBox(disc.Centre, disc.Diameter));
    double hole = 0;
    for (const TSymbolVector::TCircle &other : vector.Circles)
        if (other.Background && other.Width == 0 && other.Centre == disc.Centre && other.Diameter < disc.Diameter)
            hole = std::max(hole, other.Diameter);
    if (hole > 0) {
        QPainterPath inner;
        inner.addEllipse(CircleBox(disc.Centre, hole));
        path = path.subtracted(inner);
    }
    return path;
}

void PaintText(QPainter &painter, const TSymbolVector &vector, const TSymbolVector::TText &text)
{
    QFont font(QStringLiteral("Helvetica"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(text.FontSize > 0 ? text.FontSize : 1.0);
    font.setBold(vector.Bold);
    // The painter's units are the engine's; the point size is taken as that many units high.
    painter.save();
    painter.translate(text.Position);
    painter.rotate(text.Rotation);
    const double unitsPerPoint = 72.0 / painter.device()->logicalDpiY();
    painter.scale(unitsPerPoint, unitsPerPoint);
    painter.setFont(font);
    const double width = QFontMetricsF(font, painter.device()).horizontalAdvance(text.Text);
    const double x = text.Align == 1 ? 0.0 : text.Align == 2 ? -width : -width / 2.0;
    painter.setPen(vector.Fore);
    painter.drawText(QPointF(x, 0.0), text.Text);
    painter.restore();
}

} // namespace

void PaintSymbolVector(QPainter &painter, const TSymbolVector &vector, const QRectF &target)
{
    if (vector.Size.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / vector.Size.width(), target.height() / vector.Size.height());
    painter.setPen(Qt::NoPen);
    if (vector.Back.alpha() != 0)
        painter.fillRect(QRectF(QPointF(0, 0), vector.Size), vector.Back);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const TSymbolVector::TRect &rect : vector.Rects)
        painter.fillRect(rect.Area, rect.Colour);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(vector.Fore);
    for (const TSymbolVector::THexagon &hexagon : vector.Hexagons)
        painter.drawPolygon(Hexagon(hexagon));
    for (const TSymbolVector::TCircle &circle : vector.Circles) {
        if (circle.Width > 0) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(circle.Background ? vector.Back : vector.Fore, circle.Width));
            painter.drawEllipse(CircleBox(circle.Centre, circle.Diameter));
            painter.setPen(Qt::NoPen);
            painter.setBrush(vector.Fore);
        } else if (!circle.Background) {
            painter.drawPath(Disc(vector, circle));
        }
    }
    for (const TSymbolVector::TText &text : vector.Texts)
        PaintText(painter, vector, text);
    painter.restore();
}
