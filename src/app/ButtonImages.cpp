#include "app/ButtonImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

void DrawFloppyDisk(QPainter &p)
{
    // Body with a cut corner, metal shutter at the top, white label at the bottom.
    QPainterPath body;
    body.moveTo(2.5, 2.5);
    body.lineTo(18.5, 2.5);
    body.lineTo(21.5, 5.5);
    body.lineTo(21.5, 21.5);
    body.lineTo(2.5, 21.5);
    body.closeSubpath();
    p.setPen(QPen(QColor(20, 40, 90), 1));
    p.setBrush(QColor(45, 95, 180));
    p.drawPath(body);

    p.setPen(QPen(QColor(90, 90, 100), 1));
    p.setBrush(QColor(200, 205, 215));
    p.drawRect(QRectF(6.5, 2.5, 10, 7));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(45, 95, 180));
    p.drawRect(QRectF(13, 4, 2.5, 4.5));

    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5.5, 13.5, 13, 8));
    p.setPen(QPen(QColor(150, 150, 160), 1));
    p.drawLine(QPointF(7, 16), QPointF(17, 16));
    p.drawLine(QPointF(7, 18.5), QPointF(17, 18.5));
}

void DrawListDocument(QPainter &p)
{
    // A sheet with a folded corner and bulleted lines.
    QPainterPath sheet;
    sheet.moveTo(4.5, 1.5);
    sheet.lineTo(15.5, 1.5);
    sheet.lineTo(20.5, 6.5);
    sheet.lineTo(20.5, 22.5);
    sheet.lineTo(4.5, 22.5);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(80, 80, 90), 1));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    QPainterPath fold;
    fold.moveTo(15.5, 1.5);
    fold.lineTo(15.5, 6.5);
    fold.lineTo(20.5, 6.5);
    p.setBrush(QColor(215, 215, 225));
    p.drawPath(fold);

    for (int row = 0; row < 5; ++row) {
        const qreal y = 9.5 + row * 2.8;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 120, 60));
        p.drawRect(QRectF(7, y - 1, 2, 2));
        p.setPen(QPen(QColor(60, 60, 120), 1.2));
        p.drawLine(QPointF(10.5, y), QPointF(row % 2 ? 15.5 : 18, y));
    }
}

void DrawChequeredFlag(QPainter &p)
{
    // Pole on the left, a waving 5 x 4 chequered cloth.
    p.setPen(QPen(QColor(90, 60, 30), 2));
    p.drawLine(QPointF(4, 2), QPointF(4, 23));

    const int columns = 5, rows = 4;
    const qreal cell = 3.2, left = 5, top = 3;
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row < rows; ++row) {
            // A gentle wave: each column is shifted down a little.
            const qreal shift = 1.2 * qSin(column * 1.1);
            const QRectF square(left + column * cell, top + row * cell + shift, cell, cell);
            p.fillRect(square, (column + row) % 2 ? Qt::white : Qt::black);
        }
    }
    p.setPen(QPen(QColor(60, 60, 60), 0.8));
    p.setBrush(Qt::NoBrush);
    QPainterPath outline;
    outline.moveTo(left, top);
    for (int column = 1; column <= columns; ++column)
        outline.lineTo(left + column * cell, top + 1.2 * qSin((column - 1) * 1.1));
    outline.lineTo(left + columns * cell, top + rows * cell + 1.2 * qSin((columns - 1) * 1.1));
    for (int column = columns - 1; column >= 0; --column)
        outline.lineTo(left + column * cell, top + rows * cell + 1.2 * qSin(column * 1.1));
    outline.closeSubpath();
    p.drawPath(outline);
}

void DrawGear(QPainter &p)
{
    // Eight teeth around a ring with a hole.
    const QPointF centre(12, 12);
    const int teeth = 8;
    const qreal outer = 10.5, inner = 7.8;
    QPainterPath gear;
    for (int i = 0; i < teeth * 4; ++i) {
        const qreal angle = (i - 0.5) * M_PI * 2 / (teeth * 4);
        const qreal radius = (i % 4 == 0 || i % 4 == 1) ? outer : inner;
        const QPointF point = centre + QPointF(radius * qCos(angle), radius * qSin(angle));
        if (i == 0)
            gear.moveTo(point);
        else
            gear.lineTo(point);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(centre, 3.2, 3.2);
    gear = gear.subtracted(hole);

    p.setPen(QPen(QColor(50, 55, 65), 1));
    p.setBrush(QColor(140, 150, 165));
    p.drawPath(gear);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 205, 215), 1));
    p.drawEllipse(centre, 5.6, 5.6);
}

} // namespace

QImage ButtonImage(int index)
{
    QImage image(ButtonImageSize, ButtonImageSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 0: DrawFloppyDisk(painter); break;
    case 1: DrawListDocument(painter); break;
    case 2: DrawChequeredFlag(painter); break;
    case 3: DrawGear(painter); break;
    default: break;
    }
    return image;
}
