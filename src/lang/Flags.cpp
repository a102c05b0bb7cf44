#include "lang/Flags.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

#include <array>

namespace {

struct TFlagName
{
    const char *Language;
    int Index;
};

// Sixteen names on fifteen pictures: both Chinese scripts share the flag of China.
constexpr std::array<TFlagName, 16> FlagNames = {{
    {"English", 0},
    {"Russian", 1},
    {"Hungarian", 2},
    {"French", 3},
    {"Hindi", 4},
    {"Spanish", 5},
    {"Arabic", 6},
    {"Dutch", 7},
    {"Portuguese", 8},
    {"Italiano", 9},
    {"German", 10},
    {"Chinese Simplified", 11},
    {"Chinese Traditional", 11},
    {"Japanese", 12},
    {"Korean", 13},
    {"Danish", 14},
}};

void HorizontalBands(QPainter &p, std::initializer_list<std::pair<int, QColor>> bands)
{
    int top = 0;
    for (const auto &[height, color] : bands) {
        p.fillRect(0, top, FlagWidth, height, color);
        top += height;
    }
}

void VerticalTricolour(QPainter &p, const QColor &left, const QColor &middle, const QColor &right)
{
    p.fillRect(0, 0, 6, FlagHeight, left);
    p.fillRect(6, 0, 6, FlagHeight, middle);
    p.fillRect(12, 0, 6, FlagHeight, right);
}

void Disc(QPainter &p, const QPointF &centre, qreal radius, const QColor &color)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(centre, radius, radius);
    p.setRenderHint(QPainter::Antialiasing, false);
}

void Star(QPainter &p, const QPointF &centre, qreal radius, const QColor &color)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 == 0) ? radius : radius * 0.4;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        star << QPointF(centre.x() + r * qCos(angle), centre.y() + r * qSin(angle));
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(star);
    p.setRenderHint(QPainter::Antialiasing, false);
}

void UnitedStates(QPainter &p)
{
    // Thirteen stripes do not fit twelve rows; alternating single rows read as the stripes,
    // and the bottom row stays red like the flag's last stripe.
    for (int row = 0; row < FlagHeight; ++row) {
        const bool red = row % 2 == 0 || row == FlagHeight - 1;
        p.fillRect(0, row, FlagWidth, 1, red ? QColor(0xB2, 0x22, 0x34) : QColor(Qt::white));
    }
    p.fillRect(0, 0, 8, 7, QColor(0x3C, 0x3B, 0x6E));
    for (int y = 1; y < 7; y += 2)
        for (int x = 1; x < 8; x += 2)
            p.fillRect(x, y, 1, 1, Qt::white);
}

void India(QPainter &p)
{
    HorizontalBands(p, {{4, QColor(0xFF, 0x99, 0x33)}, {4, Qt::white}, {4, QColor(0x13, 0x88, 0x08)}});
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0x00, 0x00, 0x80), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(9, 6), 1.6, 1.6);
    p.setRenderHint(QPainter::Antialiasing, false);
}

void Arabic(QPainter &p)
{
    p.fillRect(0, 0, FlagWidth, FlagHeight, QColor(0x00, 0x6C, 0x35));
    Disc(p, QPointF(9, 6), 3.2, QColor(0xF2, 0xEE, 0xD8));
}

void Brazil(QPainter &p)
{
    p.fillRect(0, 0, FlagWidth, FlagHeight, QColor(0x00, 0x9C, 0x3B));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xDF, 0x00));
    p.drawPolygon(QPolygonF({QPointF(9, 1), QPointF(17, 6), QPointF(9, 11), QPointF(1, 6)}));
    p.setRenderHint(QPainter::Antialiasing, false);
    Disc(p, QPointF(9, 6), 2.8, QColor(0x00, 0x27, 0x76));
}

void China(QPainter &p)
{
    p.fillRect(0, 0, FlagWidth, FlagHeight, QColor(0xEE, 0x1C, 0x25));
    const QColor yellow(0xFF, 0xFF, 0x00);
    Star(p, QPointF(3.5, 3.5), 2.6, yellow);
    Star(p, QPointF(7, 1.5), 0.9, yellow);
    Star(p, QPointF(8.2, 3), 0.9, yellow);
    Star(p, QPointF(8.2, 5), 0.9, yellow);
    Star(p, QPointF(7, 6.5), 0.9, yellow);
}

void SouthKorea(QPainter &p)
{
    p.fillRect(0, 0, FlagWidth, FlagHeight, Qt::white);
    const QPointF centre(9, 6);
    const qreal r = 3;
    // The taegeuk: red above, blue below, with the two small swirls.
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xCD, 0x2E, 0x3A));
    p.drawPie(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 0, 180 * 16);
    p.setBrush(QColor(0x00, 0x47, 0xA0));
    p.drawPie(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 180 * 16, 180 * 16);
    p.drawEllipse(QPointF(centre.x() + r / 2, centre.y()), r / 2, r / 2);
    p.setBrush(QColor(0xCD, 0x2E, 0x3A));
    p.drawEllipse(QPointF(centre.x() - r / 2, centre.y()), r / 2, r / 2);
    p.setRenderHint(QPainter::Antialiasing, false);
    // The four trigrams in the corners, as short black bars.
    const QColor black(Qt::black);
    for (int i = 0; i < 3; ++i) {
        p.fillRect(1, 1 + i * 1, 3, 1, i == 1 ? QColor(0x40, 0x40, 0x40) : black);
        p.fillRect(14, 8 + i * 1, 3, 1, i == 1 ? QColor(0x40, 0x40, 0x40) : black);
    }
    for (int i = 0; i < 3; ++i) {
        p.fillRect(14, 1 + i * 1, 3, 1, black);
        p.fillRect(1, 8 + i * 1, 3, 1, black);
    }
}

void Denmark(QPainter &p)
{
    p.fillRect(0, 0, FlagWidth, FlagHeight, QColor(0xC8, 0x10, 0x2E));
    p.fillRect(5, 0, 2, FlagHeight, Qt::white);
    p.fillRect(0, 5, FlagWidth, 2, Qt::white);
}

} // namespace

QImage FlagPicture(int index)
{
    if (index < 0 || index >= FlagCount)
        return QImage();
    QImage image(FlagWidth, FlagHeight, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    switch (index) {
    case 0:
        UnitedStates(p);
        break;
    case 1:
        HorizontalBands(p, {{4, Qt::white}, {4, QColor(0x00, 0x39, 0xA6)}, {4, QColor(0xD5, 0x2B, 0x1E)}});
        break;
    case 2:
        HorizontalBands(p, {{4, QColor(0xCE, 0x29, 0x39)}, {4, Qt::white}, {4, QColor(0x47, 0x70, 0x50)}});
        break;
    case 3:
        VerticalTricolour(p, QColor(0x00, 0x23, 0x95), Qt::white, QColor(0xED, 0x29, 0x39));
        break;
    case 4:
        India(p);
        break;
    case 5:
        HorizontalBands(p, {{3, QColor(0xAA, 0x15, 0x1B)}, {6, QColor(0xF1, 0xBF, 0x00)}, {3, QColor(0xAA, 0x15, 0x1B)}});
        break;
    case 6:
        Arabic(p);
        break;
    case 7:
        HorizontalBands(p, {{4, QColor(0xAE, 0x1C, 0x28)}, {4, Qt::white}, {4, QColor(0x21, 0x46, 0x8B)}});
        break;
    case 8:
        Brazil(p);
        break;
    case 9:
        VerticalTricolour(p, QColor(0x00, 0x92, 0x46), Qt::white, QColor(0xCE, 0x2B, 0x37));
        break;
    case 10:
        HorizontalBands(p, {{4, Qt::black}, {4, QColor(0xDD, 0x00, 0x00)}, {4, QColor(0xFF, 0xCE, 0x00)}});
        break;
    case 11:
        China(p);
        break;
    case 12:
        Disc(p, QPointF(9, 6), 3.6, QColor(0xBC, 0x00, 0x2D));
        break;
    case 13:
        SouthKorea(p);
        break;
    case 14:
        Denmark(p);
        break;
    }
    p.end();
    return image;
}

int FlagIndexOfLanguage(const QString &language)
{
    for (const TFlagName &entry : FlagNames)
        if (language == QLatin1String(entry.Language))
            return entry.Index;
    return -1;
}
