#include "barcode/Barcode.h"
#include "barcode/BarcodeTestSupport.h"

#include <zint.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <dlfcn.h>

#include <functional>
#include <memory>

namespace {

// The bare engine, configured like a fresh component, for comparison.
struct TBare
{
    std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)> Symbol{ZBarcode_Create(), &ZBarcode_Delete};
    int Result = 0;

    TBare(int symbology, const QByteArray &data, int rotation = 0, const QByteArray &outfile = QByteArray(),
          int outputOptions = 0, const char *foreground = "000000", const char *background = "FFFFFF")
    {
        zint_symbol *s = Symbol.get();
        s->symbology = symbology;
        s->height = 50.0f;
        s->guard_descent = 5.0f;
        s->output_options = outputOptions;
        qstrncpy(s->fgcolour, foreground, sizeof s->fgcolour);
        qstrncpy(s->bgcolour, background, sizeof s->bgcolour);
        if (!outfile.isEmpty())
            qstrncpy(s->outfile, outfile.constData(), sizeof s->outfile);
        Result = ZBarcode_Encode(s, reinterpret_cast<const unsigned char *>(data.constData()), int(data.size()));
        if (Result == 0)
            Result = outfile.isEmpty() ? ZBarcode_Buffer(s, rotation) : ZBarcode_Print(s, rotation);
    }
    QString Error() const { return QString::fromLocal8Bit(Symbol->errtxt); }
};

} // namespace

class TestBarcodeRender final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The component asks two-coloured symbols for one character per pixel and paints the colours
    // in itself (sixteen pixels at a time, the rest one by one): every pixel must still be the
    // engine's own, whatever the width, colours, dots, rotation or the colours of Ultracode.
    void RendersTheEnginePixelsIn32Bit_data()
    {
        QTest::addColumn<QString>("symbology");
        QTest::addColumn<int>("engineId");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<TOutputOptions>("options");
        QTest::addColumn<int>("engineOptions");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<TColor>("fore");
        QTest::addColumn<TColor>("back");
        const TColor black = 0x000000, white = 0xFFFFFF;
        QTest::newRow("QR Code") << "QR Code" << int(BARCODE_QRCODE) << QByteArray("123456") << TOutputOptions(0)
                                 << 0 << 0 << black << white;
        QTest::newRow("Code 128, long runs of equal rows")
            << "Code 128" << int(BARCODE_CODE128) << QByteArray("ABC-123456") << TOutputOptions(0) << 0 << 0
            << black << white;
        QTest::newRow("Data Matrix") << "Data Matrix (ECC200)" << int(BARCODE_DATAMATRIX) << QByteArray(300, 'q')
                                     << TOutputOptions(0) << 0 << 0 << black << white;
        // 0x563412 is red 0x12, green 0x34, blue 0x56.
        QTest::newRow("Code 128 in colours, turned")
            << "Code 128" << int(BARCODE_CODE128) << QByteArray("Quorvel 17") << TOutputOptions(0) << 0 << 90
            << TColor(0x563412) << TColor(0xBADCFE);
        QTest::newRow("Dotted Data Matrix in colours")
            << "Data Matrix (ECC200)" << int(BARCODE_DATAMATRIX) << QByteArray("dots") << SetOf(opDotty)
            << int(BARCODE_DOTTY_MODE) << 0 << TColor(0x0000FF) << TColor(0x00FF00);
        QTest::newRow("Aztec with a box, odd width")
            << "Aztec Code" << int(BARCODE_AZTEC) << QByteArray("odd") << SetOf(opBox) << int(BARCODE_BOX) << 180
            << black << white;
        QTest::newRow("Ultracode, modules of many colours")
            << "Ultracode" << int(BARCODE_ULTRA) << QByteArray("colour 123") << TOutputOptions(0) << 0 << 0
            << black << white;
    }

    void RendersTheEnginePixelsIn32Bit()
    {
        QFETCH(QString, symbology);
        QFETCH(int, engineId);
        QFETCH(QByteArray, data);
        QFETCH(TOutputOptions, options);
        QFETCH(int, engineOptions);
        QFETCH(int, rotation);
        QFETCH(TColor, fore);
        QFETCH(TColor, back);
        TBarcode barcode(nullptr);
        barcode.SetSymbologyName(symbology);
        barcode.SetOutputOptions(options);
        barcode.SetRotation(rotation);
        barcode.SetForeColor(fore);
        barcode.SetBackColor(back);
        barcode.SetInputText(QString::fromLatin1(data));
        const QImage image = barcode.Bitmap();
        auto hex = [](TColor c) {
            return QByteArray::number((c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF), 16).rightJustified(6, '0');
        };
        const TBare bare(engineId, data, rotation, QByteArray(), engineOptions, hex(fore).constData(),
                         hex(back).constData());
        QCOMPARE(bare.Result, 0);
        QCOMPARE(image.format(), QImage::Format_RGB32);
        QCOMPARE(image.size(), QSize(bare.Symbol->bitmap_width, bare.Symbol->bitmap_height));
        const unsigned char *rgb = bare.Symbol->bitmap;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x, rgb += 3)
                if (image.pixel(x, y) != qRgb(rgb[0], rgb[1], rgb[2]))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3, the engine's %4")
                                         .arg(x).arg(y).arg(image.pixel(x, y), 8, 16)
                                         .arg(qRgb(rgb[0], rgb[1], rgb[2]), 8, 16)));
        QCOMPARE(barcode.RowCount(), bare.Symbol->rows);
        QCOMPARE(barcode.Width(), bare.Symbol->width);
    }

    void EngineAnswersAboutTheSymbology()
    {
        TBarcode barcode(nullptr);
        QCOMPARE(barcode.Version(), ZBarcode_Version());
        QCOMPARE(barcode.BarcodeName(), QStringLiteral("BARCODE_QRCODE"));
        QCOMPARE(int(barcode.Capabilities()), int(ZBarcode_Cap(BARCODE_QRCODE, 0x3FFF)));
        QVERIFY(InSet(barcode.Capabilities(), caMask));
        barcode.SetSymbologyName(QStringLiteral("Code 128"));
        QVERIFY(InSet(barcode.Capabilities(), caStackable));
    }

    void OneBitImageHasWhiteBackground()
    {
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("123456"));
        barcode.SetForeColor(0x0000FF);
        barcode.SetBackColor(0x00FF00);
        barcode.SetForeColor(0);
        barcode.SetBackColor(0xFFFFFF);
        const QImage colour = barcode.Bitmap().copy();
        barcode.SetOutputOptions(SetOf(opBpp1));
        const QImage mono = barcode.Bitmap();
        QCOMPARE(mono.format(), QImage::Format_Mono);
        QCOMPARE(mono.size(), colour.size());
        int whites = 0;
        for (int y = 0; y < mono.height(); ++y)
            for (int x = 0; x < mono.width(); ++x) {
                QCOMPARE(mono.pixel(x, y), colour.pixel(x, y));
                whites += mono.pixelIndex(x, y);
            }
        QVERIFY(whites > 0 && whites < mono.width() * mono.height());
    }

    void RotationTakesTheEngineRotatedSize()
    {
        TBarcode barcode(nullptr);
        barcode.SetSymbologyName(QStringLiteral("Code 128"));
        barcode.SetInputText(QStringLiteral("ABC-123456"));
        const QSize upright = barcode.Bitmap().size();
        barcode.SetRotation(90);
        const QSize turned = barcode.Bitmap().size();
        const TBare bare(BARCODE_CODE128, "ABC-123456", 90);
        QCOMPARE(turned, QSize(bare.Symbol->bitmap_width, bare.Symbol->bitmap_height));
        QCOMPARE(turned, upright.transposed());
        QVERIFY(upright.width() != upright.height());
        barcode.SetRotation(45);
        const TBare refused(BARCODE_CODE128, "ABC-123456", 45);
        QVERIFY(refused.Result != 0);
        QCOMPARE(Message([&] { barcode.Bitmap(); }), refused.Error());
    }

    void RejectedDataRaisesTheEngineTextAndKeepsTheImage()
    {
        TBarcode barcode(nullptr);
        barcode.SetSymbologyName(QStringLiteral("EAN (European Article Number)"));
        barcode.SetInputText(QStringLiteral("123456789012"));
        const QImage &owned = barcode.Bitmap();
        const QImage before = owned.copy();
        QVERIFY(!before.isNull());
        barcode.SetInputText(QStringLiteral("ABC"));
        const TBare bare(BARCODE_EANX, "ABC");
        QVERIFY(bare.Result != 0);
        QCOMPARE(Message([&] { barcode.Bitmap(); }), bare.Error());
        QCOMPARE(owned, before);
        barcode.SetInputText(QStringLiteral("1234567"));
        QVERIFY(barcode.Bitmap().size() != before.size());
    }

    void BadDataEndsInAnErrorAndTheComponentStaysUsable_data()
    {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QString>("data");
        QTest::newRow("empty") << int(syQRCode) << QString();
        QTest::newRow("QR too long") << int(syQRCode) << QString(8000, QLatin1Char('7'));
        QTest::newRow("over the engine's data limit") << int(syQRCode) << QString(ZINT_MAX_DATA_LEN + 1, QLatin1Char('7'));
        QTest::newRow("a megabyte") << int(syDataMatrix) << QString(1 << 20, QLatin1Char('x'));
        QTest::newRow("Code 128 too long") << int(syCode128) << QString(300, QLatin1Char('A'));
    }

    void BadDataEndsInAnErrorAndTheComponentStaysUsable()
    {
        QFETCH(int, symbology);
        QFETCH(QString, data);
        TBarcode barcode(nullptr);
        barcode.SetSymbology(TSymbology(symbology));
        barcode.SetInputText(data);
        const QByteArray utf8 = data.toUtf8();
        const TBare bare(symbology == syQRCode ? BARCODE_QRCODE : symbology == syCode128 ? BARCODE_CODE128 : BARCODE_DATAMATRIX, utf8);
        QVERIFY(bare.Result != 0);
        QCOMPARE(Message([&] { barcode.Bitmap(); }), bare.Error());
        QVERIFY(!bare.Error().isEmpty());
        barcode.SetInputText(QStringLiteral("12"));
        QVERIFY(!barcode.Bitmap().isNull());
    }

    void SavedFilesCarryTheirFormatSignature_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("signature"); // a pattern over the first bytes, read as Latin-1
        QTest::newRow("bmp") << "bmp" << "^BM";
        QTest::newRow("emf") << "emf" << "^\\x01\\x00\\x00\\x00.{36} EMF";
        QTest::newRow("eps") << "eps" << "^%!PS-Adobe-";
        QTest::newRow("gif") << "gif" << "^GIF8[79]a";
        QTest::newRow("pcx") << "pcx" << "^\\x0A[\\x00-\\x05]\\x01";
        QTest::newRow("png") << "png" << "^\\x89PNG\\r\\n\\x1A\\n\\x00\\x00\\x00\\x0DIHDR";
        QTest::newRow("tif") << "tif" << "^(II\\x2A\\x00|MM\\x00\\x2A)";
        QTest::newRow("txt") << "txt" << "^([0-9A-F]{2} )*[0-9A-F]{2}\\n";
        QTest::newRow("svg") << "svg" << "^<\\?xml ";
        QTest::newRow("upper-case extension") << "SVG" << "^<\\?xml ";
    }

    void SavedFilesCarryTheirFormatSignature()
    {
        QFETCH(QString, extension);
        QFETCH(QString, signature);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("symbol \u00e4.") + extension);
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("123456"));
        const QImage &owned = barcode.Bitmap();
        const qint64 key = owned.cacheKey();
        barcode.Save(path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString head = QString::fromLatin1(file.read(64));
        QVERIFY2(QRegularExpression(signature, QRegularExpression::DotMatchesEverythingOption).match(head).hasMatch(),
                 qPrintable(head.toLatin1().toHex(' ')));
        QCOMPARE(owned.cacheKey(), key); // a save leaves the image alone
        QCOMPARE(barcode.RowCount(), 21);
        QVERIFY(owned.cacheKey() != key); // ... and the next read renders again
    }

    void SaveFailures_data()
    {
        QTest::addColumn<QString>("name"); // relative to a temporary folder
        QTest::addColumn<QString>("message"); // empty: the engine's text for the same name
        QTest::newRow("unknown extension") << "x.xyz" << QString();
        QTest::newRow("folder is a file") << "file/x.svg" << QString();
        QTest::newRow("256 bytes") << QString(240, QLatin1Char('n')) + QStringLiteral(".svg")
                                   << "FileName size has to be less than 256 characters";
    }

    void SaveFailures()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile plain(dir.filePath(QStringLiteral("file")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QString path = dir.path() + QLatin1Char('/') + name;
        if (message.isEmpty()) {
            const TBare bare(BARCODE_QRCODE, "123456", 0, path.toUtf8());
            QVERIFY(bare.Result != 0);
            message = bare.Error();
        }
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("123456"));
        QCOMPARE(Message([&] { barcode.Save(path); }), message);
        QVERIFY(!QFile::exists(path));
        QVERIFY(!barcode.Bitmap().isNull());
        barcode.Save(dir.filePath(QStringLiteral("ok.svg")));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("ok.svg"))));
    }

    // Older engines refuse a folder that does not exist, newer ones create it: either a clean
    // failure with the engine's text and no file, or a written file, never success without one.
    void SaveIntoAMissingFolder()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("missing/deeper/x.svg"));
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("123456"));
        const QString message = Message([&] { barcode.Save(path); });
        if (message == QLatin1String("<no EBarcodeError>")) {
            QFile written(path);
            QVERIFY2(written.open(QIODevice::ReadOnly), "a save reported success without a file");
            QVERIFY(written.readAll().startsWith("<?xml"));
        } else {
            QVERIFY(!QFile::exists(path));
            const TBare bare(BARCODE_QRCODE, "123456", 0, dir.filePath(QStringLiteral("missing/other/x.svg")).toUtf8());
            QCOMPARE(message, bare.Error());
        }
        QVERIFY(!barcode.Bitmap().isNull());
    }

    void ReadingTwiceRendersOnce()
    {
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("123456"));
        const qint64 first = barcode.Bitmap().cacheKey();
        QCOMPARE(barcode.Bitmap().cacheKey(), first);
        barcode.OutputText();
        QCOMPARE(barcode.Bitmap().cacheKey(), first);
        barcode.SetScale(2.0f);
        QVERIFY(barcode.Bitmap().cacheKey() != first);
    }

    void XDimensionFollowsTheEngine()
    {
        TBarcode barcode(nullptr);
        barcode.SetSymbology(syDataMatrix);
        // Engines before 2.12 have no default X-dimension; asking them raises.
        if (dlsym(RTLD_DEFAULT, "ZBarcode_Default_Xdim") != nullptr) {
            QVERIFY(barcode.XDimension() > 0.0f);
        } else {
            QCOMPARE(Message([&] { barcode.XDimension(); }),
                     QStringLiteral("ZBarcode_Default_Xdim is not available in %1").arg(QStringLiteral(ZINT_SONAME)));
        }
    }
};

QTEST_GUILESS_MAIN(TestBarcodeRender)
#include "TestBarcodeRender.moc"
