// The arithmetic of the picture control's zoom and its one-pass scaling with the transparent colour.
#include "toolkit/ColorKey.h"
#include "toolkit/PictureScale.h"
#include "toolkit/PictureZoom.h"

#include <QtTest>

Q_DECLARE_METATYPE(TZoomFactor)

namespace {

QImage Picture(int width, int height, const QList<QRgb> &pixels)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, pixels.at(y * width + x));
    return image;
}

QList<QRgb> Pixels(const QImage &image)
{
    QList<QRgb> pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            pixels.append(image.pixel(x, y));
    return pixels;
}

constexpr QRgb A = 0xFF000000u, B = 0xFFFFFFFFu, C = 0xFF102030u, D = 0xFF405060u, E = 0xFF708090u;
constexpr QRgb F = 0xFFA0B0C0u, S = 0xFF9F9F9Fu, U = 0xFF0A0B0Cu; // U: not written

} // namespace

class TestPictureZoom final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void DeviceZoomRoundsToWholePixels_data()
    {
        QTest::addColumn<TZoomFactor>("zoom");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<TZoomFactor>("device");
        QTest::newRow("1:1") << TZoomFactor{1, 1} << 1.0 << TZoomFactor{1, 1};
        QTest::newRow("1:1 on a 2x screen") << TZoomFactor{1, 1} << 2.0 << TZoomFactor{2, 1};
        QTest::newRow("1:1 at 125 %") << TZoomFactor{1, 1} << 1.25 << TZoomFactor{1, 1};
        QTest::newRow("1:1 at 150 %") << TZoomFactor{1, 1} << 1.5 << TZoomFactor{2, 1};
        QTest::newRow("3x at 150 %") << TZoomFactor{3, 1} << 1.5 << TZoomFactor{5, 1};
        QTest::newRow("half") << TZoomFactor{1, 2} << 1.0 << TZoomFactor{1, 2};
        QTest::newRow("half on a 2x screen") << TZoomFactor{1, 2} << 2.0 << TZoomFactor{1, 1};
        QTest::newRow("quarter at 150 %") << TZoomFactor{1, 4} << 1.5 << TZoomFactor{1, 3};
    }

    void DeviceZoomRoundsToWholePixels()
    {
        QFETCH(TZoomFactor, zoom);
        QFETCH(double, ratio);
        QFETCH(TZoomFactor, device);
        QCOMPARE(DeviceZoom(zoom, ratio), device);
    }

    void FitUsesWholeFactors_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("area");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<TZoomFactor>("device");
        QTest::newRow("small symbol fills the height") << QSize(41, 41) << QSize(851, 387) << 1.0 << TZoomFactor{9, 1};
        QTest::newRow("one pixel short of twice") << QSize(100, 194) << QSize(851, 387) << 1.0 << TZoomFactor{1, 1};
        QTest::newRow("exactly twice the width") << QSize(400, 100) << QSize(800, 387) << 1.0 << TZoomFactor{2, 1};
        QTest::newRow("exactly the height") << QSize(387, 387) << QSize(851, 387) << 1.0 << TZoomFactor{1, 1};
        QTest::newRow("one pixel too high") << QSize(100, 388) << QSize(851, 387) << 1.0 << TZoomFactor{1, 2};
        QTest::newRow("three times too wide") << QSize(2000, 100) << QSize(700, 387) << 1.0 << TZoomFactor{1, 3};
        QTest::newRow("2x screen, enlarged by 5") << QSize(40, 20) << QSize(200, 100) << 2.0 << TZoomFactor{5, 1};
        QTest::newRow("2x screen, fits at 1") << QSize(150, 60) << QSize(200, 100) << 2.0 << TZoomFactor{1, 1};
        QTest::newRow("2x screen, too big") << QSize(500, 60) << QSize(200, 100) << 2.0 << TZoomFactor{1, 3};
        QTest::newRow("no area yet") << QSize(500, 60) << QSize(0, 0) << 1.0 << TZoomFactor{1, 1};
    }

    void FitUsesWholeFactors()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, area);
        QFETCH(double, ratio);
        QFETCH(TZoomFactor, device);
        QCOMPARE(FitZoom(picture, area, ratio), device);
        if (!area.isEmpty()) {
            const QSize shown = ZoomedSize(picture, device);
            QVERIFY(shown.width() <= area.width() && shown.height() <= area.height());
            // The next larger factor would not fit: the fit fills the area.
            if (device.Down == 1) {
                const QSize larger = ZoomedSize(picture, {device.Up + 1, 1});
                QVERIFY(larger.width() > area.width() || larger.height() > area.height());
            }
        }
    }

    void ZoomSteps_data()
    {
        QTest::addColumn<double>("current");
        QTest::addColumn<int>("direction");
        QTest::addColumn<TZoomFactor>("next");
        QTest::newRow("in from 1:1") << 1.0 << 1 << TZoomFactor{2, 1};
        QTest::newRow("out from 1:1") << 1.0 << -1 << TZoomFactor{1, 2};
        QTest::newRow("in from a fit of 1/5") << 0.2 << 1 << TZoomFactor{1, 4};
        QTest::newRow("out from a fit of 1/5") << 0.2 << -1 << TZoomFactor{1, 6};
        QTest::newRow("in from 1.33") << 4.0 / 3 << 1 << TZoomFactor{2, 1};
        QTest::newRow("out from 1.33") << 4.0 / 3 << -1 << TZoomFactor{1, 1};
        QTest::newRow("in at the top") << 64.0 << 1 << TZoomFactor{64, 1};
        QTest::newRow("in from a fit of 20") << 20.0 << 1 << TZoomFactor{24, 1};
        QTest::newRow("out at the bottom") << 0.125 << -1 << TZoomFactor{1, 8};
        QTest::newRow("in from below the bottom") << 0.01 << 1 << TZoomFactor{1, 8};
    }

    void ZoomSteps()
    {
        QFETCH(double, current);
        QFETCH(int, direction);
        QFETCH(TZoomFactor, next);
        QCOMPARE(ZoomStep(current, direction), next);
    }

    void ZoomedSizeCountsPartialBlocks()
    {
        QCOMPARE(ZoomedSize(QSize(10, 7), {3, 1}), QSize(30, 21));
        QCOMPARE(ZoomedSize(QSize(10, 7), {1, 3}), QSize(4, 3));
        QCOMPARE(ZoomedSize(QSize(), {2, 1}), QSize());
    }

    void KeyRowEveryWidth_data()
    {
        // Widths around the four-pixel steps of the vectorised loop.
        QTest::addColumn<int>("width");
        for (int width : {1, 3, 4, 5, 7, 8, 9, 17})
            QTest::newRow(qPrintable(QString::number(width))) << width;
    }

    void KeyRowEveryWidth()
    {
        QFETCH(int, width);
        QList<QRgb> row;
        for (int x = 0; x < width; ++x)
            row.append(x % 3 == 0 ? (B & 0x00FFFFFFu) | QRgb(x) << 24 : QRgb(0x00102030u + QRgb(x)));
        QList<QRgb> keyed(width);
        KeyRow(row.constData(), keyed.data(), width, B, S);
        for (int x = 0; x < width; ++x) {
            // The key matches whatever the alpha byte holds; the others come out opaque.
            const QRgb expected = x % 3 == 0 ? S : 0xFF102030u + QRgb(x);
            QCOMPARE(keyed.at(x), expected);
        }
        KeyRow(row.constData(), row.data(), width, B, S);
        QCOMPARE(row, keyed);
    }

    void ReplaceInColorTable()
    {
        QCOMPARE(ReplaceTableColor({A, B, C, B}, B, S), QList<QRgb>({A, S, C, S}));
    }

    void ScaleKeyed_data()
    {
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<TZoomFactor>("scale");
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<QRgb>>("expected");
        const QImage three = Picture(3, 2, {A, B, C, D, E, F});
        QTest::newRow("1:1 part") << three << TZoomFactor{1, 1} << QPoint(1, 0) << QSize(2, 2)
                                  << QList<QRgb>{S, C, E, F};
        // Enlarged twice, starting in the middle of the first picture pixel.
        QTest::newRow("2x cut at the left") << three << TZoomFactor{2, 1} << QPoint(1, 1) << QSize(4, 3)
                                            << QList<QRgb>{A, S, S, C, D, E, E, F, D, E, E, F};
        const QImage five = Picture(5, 1, {A, B, C, D, E});
        // Blocks of two: the middle (second) pixel; the last block has one pixel.
        QTest::newRow("reduced by 2") << five << TZoomFactor{1, 2} << QPoint(0, 0) << QSize(3, 1)
                                      << QList<QRgb>{S, D, E};
        // Rows 0 and 1 alike, row 2 not: the copied row must not stand for row 2.
        const QImage rows = Picture(2, 3, {A, C, A, C, C, A});
        QTest::newRow("repeated rows") << rows << TZoomFactor{1, 1} << QPoint(0, 0) << QSize(2, 3)
                                       << QList<QRgb>{A, C, A, C, C, A};
        // The target reaches beyond the picture: those pixels stay as they were.
        QTest::newRow("beyond the picture") << three << TZoomFactor{2, 1} << QPoint(4, 2) << QSize(3, 3)
                                            << QList<QRgb>{F, F, U, F, F, U, U, U, U};
        QTest::newRow("repeated rows enlarged") << rows << TZoomFactor{2, 1} << QPoint(0, 1) << QSize(2, 4)
                                                << QList<QRgb>{A, A, A, A, A, A, C, C};
    }

    void ScaleKeyed()
    {
        QFETCH(QImage, picture);
        QFETCH(TZoomFactor, scale);
        QFETCH(QPoint, origin);
        QFETCH(QSize, size);
        QFETCH(QList<QRgb>, expected);
        QImage target(size, QImage::Format_RGB32);
        target.fill(U);
        ::ScaleKeyed(picture, scale, origin, target, B, S);
        QCOMPARE(Pixels(target), expected);
    }
};

QTEST_MAIN(TestPictureZoom)
#include "TestPictureZoom.moc"
