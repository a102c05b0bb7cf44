#include "barcode/Barcode.h"
#include "barcode/BarcodeTestSupport.h"
#include "barcode/PhysicalSize.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// X/YResolution of a little-endian TIFF's first IFD as numerator / denominator, and its unit.
void TiffResolution(const QByteArray &bytes, double &x, double &y, int &unit)
{
    x = y = -1;
    unit = -1;
    const char *data = bytes.constData();
    const quint32 ifd = qFromLittleEndian<quint32>(data + 4);
    const int count = qFromLittleEndian<quint16>(data + ifd);
    for (int i = 0; i < count; ++i) {
        const char *entry = data + ifd + 2 + 12 * i;
        const int tag = qFromLittleEndian<quint16>(entry);
        const quint32 value = qFromLittleEndian<quint32>(entry + 8);
        if (tag == 282 || tag == 283) {
            const double ratio = double(qFromLittleEndian<quint32>(data + value)) / qFromLittleEndian<quint32>(data + value + 4);
            (tag == 282 ? x : y) = ratio;
        } else if (tag == 296) {
            unit = qFromLittleEndian<quint16>(entry + 8);
        }
    }
}

} // namespace

class TestPhysicalSize final : public QObject
{
    Q_OBJECT

    QTemporaryDir FDir;

    // A symbol of "Quorvel" saved by the engine as `name` in the test's folder.
    QString Saved(const QString &name, double resolution = 0)
    {
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("Quorvel"));
        barcode.SetResolution(resolution);
        const QString path = FDir.filePath(name);
        barcode.Save(path);
        return path;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(FDir.isValid()); }

    void ScaleForXDimension_data()
    {
        QTest::addColumn<double>("millimetres");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<float>("scale");
        QTest::newRow("0.33 mm at 300 dpi: 4 pixels") << 0.33 << 300.0 << 2.0f;
        QTest::newRow("0.25 mm at 96 dpi: 1 pixel") << 0.25 << 96.0 << 0.5f;
        QTest::newRow("below one pixel stays one") << 0.1 << 72.0 << 0.5f;
        QTest::newRow("1 mm at 600 dpi: 24 pixels") << 1.0 << 600.0 << 12.0f;
        QTest::newRow("0.5 mm at 203.2 dpi: 4 pixels") << 0.5 << 203.2 << 2.0f;
        QTest::newRow("an odd number of pixels") << 0.254 << 300.0 << 1.5f;
    }

    // The scale draws whole pixels per module: a QR Code of 21 modules is 21 times as wide.
    void ScaleForXDimension()
    {
        QFETCH(double, millimetres);
        QFETCH(double, dpi);
        QFETCH(float, scale);
        QCOMPARE(::ScaleForXDimension(millimetres, dpi), scale);
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("123456"));
        barcode.SetScale(scale);
        const int pixelsPerModule = int(scale * 2);
        QCOMPARE(barcode.Bitmap().size(), QSize(21, 21) * pixelsPerModule);
        QCOMPARE(ModulesOf(barcode.Bitmap().size(), scale), QSizeF(21, 21));
        QVERIFY(std::abs(XDimensionAtScale(scale, dpi) - pixelsPerModule * 25.4 / dpi) < 1e-9);
    }

    void SizeOnPaper()
    {
        const TPhysicalSize size = PhysicalSizeOf(QSize(300, 150), 300);
        QCOMPARE(size.Pixels, QSize(300, 150));
        QCOMPARE(size.Millimetres, QSizeF(25.4, 12.7));
        QCOMPARE(PhysicalSizeOf(QSize(96, 0), 96).Millimetres, QSizeF(25.4, 0));
        // Below the engine's smallest scale a module is still one pixel.
        QCOMPARE(ModulesOf(QSize(21, 21), 0.25f), QSizeF(21, 21));
    }

    void BadValuesAreRefused_data()
    {
        QTest::addColumn<double>("millimetres");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<QString>("message");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("zero dpi") << 0.33 << 0.0 << "The resolution must be greater than 0 dpi, not 0";
        QTest::newRow("negative dpi") << 0.33 << -300.0 << "The resolution must be greater than 0 dpi, not -300";
        QTest::newRow("zero X-dimension") << 0.0 << 300.0 << "The X-dimension must be greater than 0 mm, not 0";
        QTest::newRow("negative X-dimension") << -0.5 << 300.0 << "The X-dimension must be greater than 0 mm, not -0.5";
        QTest::newRow("not a number") << nan << 300.0 << "The X-dimension must be greater than 0 mm, not nan";
    }

    void BadValuesAreRefused()
    {
        QFETCH(double, millimetres);
        QFETCH(double, dpi);
        QFETCH(QString, message);
        QCOMPARE(Message([&] { ::ScaleForXDimension(millimetres, dpi); }), message);
        if (!(dpi > 0)) {
            QCOMPARE(Message([&] { PhysicalSizeOf(QSize(10, 10), dpi); }), message);
            QCOMPARE(Message([&] { XDimensionAtScale(1.0f, dpi); }), message);
            const QString path = Saved(QStringLiteral("refused.bmp"));
            const QByteArray before = ReadAll(path);
            QCOMPARE(Message([&] { StampResolution(path, dpi); }), message);
            QCOMPARE(ReadAll(path), before);
        }
    }

    // Read back through Qt's own readers, which drop a PNG chunk whose CRC is wrong.
    void StampedFilesCarryTheResolution_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<double>("dpi");
        QTest::newRow("bmp 300") << "bmp" << 300.0;
        QTest::newRow("bmp 96") << "bmp" << 96.0;
        QTest::newRow("png 300") << "png" << 300.0;
        QTest::newRow("png 600") << "png" << 600.0;
        QTest::newRow("pcx 300") << "pcx" << 300.0;
        QTest::newRow("pcx 72") << "pcx" << 72.0;
        QTest::newRow("tif 300") << "tif" << 300.0;
        QTest::newRow("tif 203.2") << "tif" << 203.2;
    }

    void StampedFilesCarryTheResolution()
    {
        QFETCH(QString, extension);
        QFETCH(double, dpi);
        const QString plain = Saved(QStringLiteral("plain.") + extension);
        const QString path = Saved(QStringLiteral("stamped.") + extension, dpi);
        const QByteArray bytes = ReadAll(path);
        const int perMetre = int(std::lround(dpi / 0.0254));
        if (extension == QLatin1String("pcx")) {
            QCOMPARE(int(qFromLittleEndian<quint16>(bytes.constData() + 12)), int(dpi));
            QCOMPARE(int(qFromLittleEndian<quint16>(bytes.constData() + 14)), int(dpi));
            QCOMPARE(bytes.mid(16), ReadAll(plain).mid(16));
        } else if (extension == QLatin1String("tif")) {
            double x = 0, y = 0;
            int unit = 0;
            TiffResolution(bytes, x, y, unit);
            QCOMPARE(x, dpi);
            QCOMPARE(y, dpi);
            QCOMPARE(unit, 2); // inch
        } else {
            QImage image;
            QVERIFY(image.loadFromData(bytes));
            QCOMPARE(image.dotsPerMeterX(), perMetre);
            QCOMPARE(image.dotsPerMeterY(), perMetre);
            QImage original;
            QVERIFY(original.loadFromData(ReadAll(plain)));
            QCOMPARE(image.convertToFormat(QImage::Format_RGB32), original.convertToFormat(QImage::Format_RGB32));
        }
        // Stamping again replaces the value rather than adding a second one.
        QVERIFY(StampResolution(path, 150));
        if (extension == QLatin1String("png")) {
            QCOMPARE(ReadAll(path).count("pHYs"), 1);
            QImage again;
            QVERIFY(again.loadFromData(ReadAll(path)));
            QCOMPARE(again.dotsPerMeterX(), int(std::lround(150 / 0.0254)));
        }
    }

    // Formats without a resolution field, and vector formats, stay exactly as the engine wrote them.
    void FormatsWithoutAFieldAreLeftAlone_data()
    {
        QTest::addColumn<QString>("extension");
        for (const char *extension : {"gif", "svg", "eps", "emf", "txt"})
            QTest::newRow(extension) << QString::fromLatin1(extension);
    }

    void FormatsWithoutAFieldAreLeftAlone()
    {
        QFETCH(QString, extension);
        const QString path = Saved(QStringLiteral("alone.") + extension);
        const QByteArray before = ReadAll(path);
        QVERIFY(!StampResolution(path, 300));
        QCOMPARE(ReadAll(path), before);
        Saved(QStringLiteral("alone.") + extension, 300);
        QCOMPARE(ReadAll(path), before);
    }

    void DamagedOrMissingFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << "No such file or directory";
        QTest::newRow("short BMP") << QByteArray("BM\x10\x00", 4) << "damaged";
        QTest::newRow("PNG without image data") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\0IEND\xAE\x42\x60\x82", 20) << "damaged";
        QTest::newRow("PNG chunk longer than the file") << QByteArray("\x89PNG\r\n\x1A\n\0\0\x10\0IDAT", 16) << "damaged";
        QTest::newRow("TIFF with its directory beyond the end") << QByteArray("II*\0\xFF\0\0\0", 8) << "damaged";
    }

    void DamagedOrMissingFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString path = FDir.filePath(QStringLiteral("damaged-%1").arg(QTest::currentDataTag()));
        if (!bytes.isEmpty())
            QVERIFY(WriteAll(path, bytes));
        const QString message = Message([&] { StampResolution(path, 300); });
        QVERIFY2(message.startsWith(QStringLiteral("The resolution of \"%1\" could not be set: ").arg(path))
                     && message.contains(reason),
                 qPrintable(message));
        if (!bytes.isEmpty())
            QCOMPARE(ReadAll(path), bytes);
    }

    void ComponentResolution()
    {
        TBarcode barcode(nullptr);
        QCOMPARE(barcode.Resolution(), 0.0);
        QCOMPARE(Message([&] { barcode.SetResolution(-1); }),
                 QStringLiteral("Resolution must be 0 (none) or a positive number of dpi, not -1"));
        QCOMPARE(barcode.Resolution(), 0.0);
        barcode.SetResolution(300);
        barcode.SetInputText(QStringLiteral("Quorvel"));
        const QImage before = barcode.Bitmap().copy();
        // A resolution is no setting of the symbol: the image is not rendered again.
        barcode.SetResolution(600);
        QCOMPARE(barcode.Bitmap().cacheKey(), barcode.Bitmap().cacheKey());
        QCOMPARE(barcode.Bitmap(), before);
        // Saving to a device stamps nothing and does not fail.
        const QString device = FDir.filePath(QStringLiteral("null.png"));
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), device));
        barcode.Save(device);
        // Without a resolution the engine's PNG has no pHYs chunk.
        QVERIFY(!ReadAll(Saved(QStringLiteral("none.png"))).contains("pHYs"));
    }
};

QTEST_GUILESS_MAIN(TestPhysicalSize)
#include "TestPhysicalSize.moc"
