// The picture control on a screen with two device pixels per logical pixel: picture pixels land
// on whole device pixels, so module edges stay sharp.
#include "toolkit/ExtCtrls.h"
#include "toolkit/Form.h"

#include <QtTest>

class TestImageHighDpi final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void PicturePixelsAreWholeDevicePixels_data()
    {
        QTest::addColumn<int>("up");
        QTest::addColumn<int>("down");
        QTest::addColumn<int>("devicePixels");
        QTest::newRow("fit: the largest whole factor, 49 device pixels") << 0 << 0 << 49;
        QTest::newRow("3x is 6") << 3 << 1 << 6;
        QTest::newRow("half is 1") << 1 << 2 << 1;
    }

    void PicturePixelsAreWholeDevicePixels()
    {
        QFETCH(int, up);
        QFETCH(int, down);
        QFETCH(int, devicePixels);
        TForm form(nullptr);
        form.SetClientWidth(200);
        form.SetClientHeight(100);
        auto *image = new TImage(&form, &form);
        image->SetAlign(alClient);
        image->SetTransparent(false);
        form.Show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(image->devicePixelRatioF(), 2.0);

        // A checkerboard: every picture pixel differs from its neighbours.
        QImage picture(5, 4, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, (x + y) % 2 == 0 ? 0xFF000000u : 0xFFFFFFFFu);
        image->SetPicture(picture);
        if (up > 0)
            image->SetZoom({up, down});
        QCOMPARE(image->DrawnScale().Value(), double(devicePixels));

        const QImage shot = image->grab().toImage();
        QCOMPARE(shot.devicePixelRatio(), 2.0);
        // The picture's first pixel is black, and nothing else on the control is.
        QPoint origin(-1, -1);
        for (int y = 0; y < shot.height() && origin.y() < 0; ++y)
            for (int x = 0; x < shot.width() && origin.x() < 0; ++x)
                if (shot.pixel(x, y) == 0xFF000000u)
                    origin = QPoint(x, y);
        QVERIFY(origin.x() >= 0);
        QVERIFY(QRectF(image->PictureRect()).contains(QPointF(origin) / 2));
        for (int y = 0; y < picture.height() * devicePixels; ++y)
            for (int x = 0; x < picture.width() * devicePixels; ++x)
                QCOMPARE(shot.pixel(origin.x() + x, origin.y() + y), picture.pixel(x / devicePixels, y / devicePixels));
    }
};

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    TestImageHighDpi test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "TestImageHighDpi.moc"
