#include "barcode/Barcode.h"
#include "barcode/BarcodeTestSupport.h"
#include "barcode/FakeEngine.h"
#include "barcode/PictureMemory.h"
#include "barcode/ZintLibrary.h"

#include <QFile>
#include <QMetaEnum>
#include <QTemporaryDir>
#include <QtTest>

#include <dlfcn.h>

#include <climits>
#include <cstring>
#include <functional>
#include <limits>

namespace {

bool IsLoaded(const char *path)
{
    void *handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr)
        dlclose(handle);
    return handle != nullptr;
}

} // namespace

class TestZintBinding final : public QObject
{
    Q_OBJECT

    TFakeEngine Fake;
    QTemporaryDir WorkFolder;

    qsizetype EncodeCalls() const { return QString::fromLatin1(Fake.Log()).count(QStringLiteral("Encode")); }
    const zint_symbol &Record() const { return *Fake.RecordAtEncode(); }

private Q_SLOTS:
    void initTestCase()
    {
        // Saves through the fake engine use bare names: they land in a folder of our own.
        QVERIFY(WorkFolder.isValid());
        QVERIFY(QDir::setCurrent(WorkFolder.path()));
        Fake.Load(FAKE_ZINT_RECORDING);
        QVERIFY(!QTest::currentTestFailed());
    }

    void init()
    {
        ReplaceZintLibraryForTesting(QStringLiteral(FAKE_ZINT_RECORDING));
        Fake.Reset();
    }

    void cleanupTestCase()
    {
        ReplaceZintLibraryForTesting(QString());
        QDir::setCurrent(QDir::tempPath());
    }

    void MissingLibraryIsReportedAndFoundLaterWithoutRestart()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("libzint-copy.so"));
        ReplaceZintLibraryForTesting(path);
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("123456"));

        const QString message = Message([&] { barcode.Bitmap(); });
        QVERIFY2(message.endsWith(QStringLiteral(": ") + path), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("No such file")), qPrintable(message));
        QCOMPARE(Message([&] { barcode.Version(); }), message);

        QVERIFY(QFile::copy(QStringLiteral(REAL_ZINT_LIBRARY), path));
        QCOMPARE(barcode.Version(), ZintCompiledVersion());
        QVERIFY(!barcode.Bitmap().isNull());
    }

    void LibraryWithoutAnEntryPointIsRefusedAndUnloaded()
    {
        ReplaceZintLibraryForTesting(QStringLiteral(FAKE_ZINT_INCOMPLETE));
        TBarcode barcode(nullptr);
        for (int attempt = 0; attempt < 2; ++attempt) {
            const QString message = Message([&] { barcode.Version(); });
            QVERIFY2(message.endsWith(QStringLiteral(": ZBarcode_ValidID")), qPrintable(message));
            QVERIFY2(message.contains(QStringLiteral("undefined symbol")), qPrintable(message));
            QVERIFY(!IsLoaded(FAKE_ZINT_INCOMPLETE));
        }
    }

    void OtherVersionLoadsButNeverRenders()
    {
        ReplaceZintLibraryForTesting(QStringLiteral(FAKE_ZINT_OLD_VERSION));
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("123456"));
        QCOMPARE(barcode.Version(), FAKE_ZINT_OTHER_VERSION);
        const QString expected = QStringLiteral("Incorrect %1 version").arg(QStringLiteral(ZINT_SONAME));
        QCOMPARE(Message([&] { barcode.Bitmap(); }), expected);
        QVERIFY(IsLoaded(FAKE_ZINT_OLD_VERSION));
        QCOMPARE(Message([&] { barcode.Save(QStringLiteral("x.svg")); }), expected);
        QCOMPARE(Message([&] { barcode.Width(); }), expected);
    }

    // The engine wrote a work file of its own beside the target (same folder, same suffix),
    // which then took the target's name.
    static void VerifyWrittenThroughWorkFile(const char *outfile, const QString &target)
    {
        const QFileInfo engine(QFile::decodeName(outfile));
        const QFileInfo written(target);
        QCOMPARE(engine.absolutePath(), written.absolutePath());
        QVERIFY2(engine.fileName().startsWith(QLatin1String(".quorvel-")), outfile);
        const qsizetype dot = written.fileName().lastIndexOf(u'.');
        QVERIFY2(engine.fileName().endsWith(dot < 0 ? QString() : written.fileName().mid(dot)), outfile);
        QVERIFY(!engine.exists());
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("fake"));
    }

    void CallOrderOfRenderAndSave()
    {
        {
            TBarcode barcode(nullptr);
            barcode.SetSymbolVersion(5);
            barcode.SetPrimaryMessage(QStringLiteral("PRIMARY"));
            barcode.SetInputText(QStringLiteral("123456"));
            barcode.Bitmap();
            QCOMPARE(QString::fromLatin1(Fake.Log()), QStringLiteral("Version,Create,Clear,Cap,Encode,Buffer"));
            // At ZBarcode_Cap, option_2 is written, while option_3 and primary are not yet.
            QCOMPARE(Fake.RecordAtCap()->option_2, 5);
            QCOMPARE(Fake.RecordAtCap()->option_3, DefaultOption3);
            QCOMPARE(QByteArray(Fake.RecordAtCap()->primary), QByteArray("left over"));
            QCOMPARE(QByteArray(Record().primary), QByteArray("PRIMARY"));

            // The record is kept: later renders and saves clear it instead of creating one.
            Fake.Reset();
            barcode.Save(QStringLiteral("a.svg"));
            QCOMPARE(QString::fromLatin1(Fake.Log()), QStringLiteral("Version,Clear,Cap,Encode,Print"));
            VerifyWrittenThroughWorkFile(Fake.Outfile(), QStringLiteral("a.svg"));
            Fake.Reset();
            barcode.SetScale(3.0f);
            barcode.Bitmap();
            QCOMPARE(QString::fromLatin1(Fake.Log()), QStringLiteral("Version,Clear,Cap,Encode,Buffer"));
            Fake.Reset();
        }
        QCOMPARE(QString::fromLatin1(Fake.Log()), QStringLiteral("Delete"));
    }

    void PlainFields()
    {
        TBarcode barcode(nullptr);
        barcode.SetSymbologyName(QStringLiteral("Code 128"));
        barcode.SetHeight(12.5f);
        barcode.SetScale(2.5f);
        barcode.SetWhiteSpaceWidth(3);
        barcode.SetWhiteSpaceHeight(4);
        barcode.SetBorderWidth(2);
        barcode.SetGuardDescent(6.5f);
        barcode.SetShowText(false);
        barcode.SetWarningLevel(waError);
        barcode.SetDotSize(-1.0f); // treated like 0: the engine's default stays
        barcode.SetInputText(QStringLiteral("A\u00e9"));
        barcode.Bitmap();
        const zint_symbol &r = Record();
        QCOMPARE(r.symbology, 20);
        QCOMPARE(r.height, 12.5f);
        QCOMPARE(r.scale, 2.5f);
        QCOMPARE(r.whitespace_width, 3);
        QCOMPARE(r.whitespace_height, 4);
        QCOMPARE(r.border_width, 2);
        QCOMPARE(r.guard_descent, 6.5f);
        QCOMPARE(r.show_hrt, 0);
        QCOMPARE(r.warn_level, 2);
        QCOMPARE(r.eci, DefaultEci);
        QCOMPARE(r.dot_size, DefaultDotSize);
        int length = 0;
        const unsigned char *data = Fake.Data(&length);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(data), length), QByteArray("A\xc3\xa9"));
        QCOMPARE(barcode.RowCount(), 7);
        QCOMPARE(barcode.Width(), 21);
        QCOMPARE(barcode.OutputText(), QStringLiteral("fake \u00e4 text"));

        // Empty data: a valid, zero-terminated buffer and the count 0.
        barcode.SetInputText(QString());
        barcode.SetDotSize(1.5f);
        barcode.Bitmap();
        QCOMPARE(int(Fake.Data(&length)[0]), 0);
        QCOMPARE(length, 0);
        QCOMPARE(Record().dot_size, 1.5f);
    }

    void OutputOptions_data()
    {
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("quietZones");
        QTest::addColumn<int>("expected");
        const QMetaEnum names = QMetaEnum::fromType<TOutputOption>();
        const int flags[] = {0x0002, 0x0040, 0x0004, 0x0400, 0x0080, 0x0100, 0x0200,
                             0x0010, 0x0020, 0x0008, 0x2000, 0x0001, 0x4000, 0x8000}; // by ordinal
        QTest::newRow("none") << 0 << int(qzDefault) << 0;
        for (int option = 0; option < names.keyCount(); ++option)
            QTest::newRow(names.valueToKey(option)) << int(SetOf(option)) << int(qzDefault) << flags[option];
        QTest::newRow("qzCompliant") << 0 << int(qzCompliant) << 0x0800;
        QTest::newRow("qzDisabled with box and bars") << int(SetOf(opBox, opBars)) << int(qzDisabled) << 0x1006;
        QTest::newRow("all") << 0x3FFF << int(qzCompliant) << 0xEFFF;
    }

    void OutputOptions()
    {
        QFETCH(int, options);
        QFETCH(int, quietZones);
        QFETCH(int, expected);
        TBarcode barcode(nullptr);
        barcode.SetOutputOptions(TOutputOptions(options));
        barcode.SetQuietZones(TQuietZones(quietZones));
        barcode.Bitmap();
        QCOMPARE(Record().output_options, expected);
    }

    void InputMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("switches");
        QTest::addColumn<int>("expected");
        QTest::newRow("imData") << int(imData) << QString() << 0;
        QTest::newRow("imUnicode") << int(imUnicode) << QString() << 1;
        QTest::newRow("imGs1 no check") << int(imGs1) << QStringLiteral("nocheck") << 0x22;
        QTest::newRow("escape") << int(imData) << QStringLiteral("escape") << 0x08;
        QTest::newRow("parentheses") << int(imGs1) << QStringLiteral("parens") << 0x12;
        QTest::newRow("height per row") << int(imData) << QStringLiteral("perrow") << 0x40;
        QTest::newRow("fast") << int(imData) << QStringLiteral("fast") << 0x80;
        QTest::newRow("extra escape") << int(imUnicode) << QStringLiteral("extra") << 0x101;
        QTest::newRow("all") << int(imUnicode)
                             << QStringLiteral("nocheck escape parens perrow fast extra") << 0x1F9;
    }

    void InputMode()
    {
        QFETCH(int, mode);
        QFETCH(QString, switches);
        QFETCH(int, expected);
        TBarcode barcode(nullptr);
        barcode.SetInputMode(TInputMode(mode));
        barcode.SetInputCheck(!switches.contains(QStringLiteral("nocheck")));
        barcode.SetInputEscape(switches.contains(QStringLiteral("escape")));
        barcode.SetInputParentheses(switches.contains(QStringLiteral("parens")));
        barcode.SetHeightPerRow(switches.contains(QStringLiteral("perrow")));
        barcode.SetFastMode(switches.contains(QStringLiteral("fast")));
        barcode.SetInputExtraEscape(switches.contains(QStringLiteral("extra")));
        barcode.Bitmap();
        QCOMPARE(Record().input_mode, expected);
    }

    void Eci_data()
    {
        QTest::addColumn<int>("encoding");
        QTest::addColumn<int>("expected");
        const QList<QPair<TEciEncoding, int>> rows = {
            {enDefault, DefaultEci}, {enLatin1, 3}, {enLatin5, 11}, {enLatinArabic, 8}, {enLatinCyrilic, 7},
            {enWindowsLatin2, 21}, {enUtf8, 26}, {enShiftJIS, 20}, {enUtf32LE, 35}, {enInvariant, 170}, {enBinary, 899}};
        for (const auto &row : rows)
            QTest::newRow(QMetaEnum::fromType<TEciEncoding>().valueToKey(row.first)) << int(row.first) << row.second;
    }

    void Eci()
    {
        QFETCH(int, encoding);
        QFETCH(int, expected);
        TBarcode barcode(nullptr);
        barcode.SetEciEncoding(TEciEncoding(encoding));
        barcode.Bitmap();
        QCOMPARE(Record().eci, expected);
    }

    void Options1And2_data()
    {
        QTest::addColumn<QString>("symbology");
        QTest::addColumn<int>("security");
        QTest::addColumn<int>("encodingMode");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("option1");
        QTest::addColumn<int>("option2");
        QTest::newRow("QR defaults") << "QR Code" << 0 << 0 << 3 << 0 << 9 << DefaultOption1 << DefaultOption2;
        QTest::newRow("QR sl4 version 5") << "QR Code" << 4 << 2 << 3 << 5 << 9 << 4 << 5;
        QTest::newRow("PDF417 sl8 columns") << "PDF417" << 8 << 0 << 3 << 5 << 9 << 8 << 9;
        QTest::newRow("HIBC MicroPDF417 sl1") << "HIBC MicroPDF417" << 1 << 0 << 0 << 0 << 0 << 1 << DefaultOption2;
        QTest::newRow("HIBC Aztec sl3 no rows") << "HIBC Aztec Code" << 3 << 0 << 0 << 0 << 0 << DefaultOption1 << DefaultOption2;
        QTest::newRow("HIBC Aztec rows 2 version 7") << "HIBC Aztec Code" << 3 << 0 << 2 << 7 << 4 << 2 << 7;
        QTest::newRow("MaxiCode em0") << "MaxiCode" << 3 << 1 << 5 << 0 << 0 << 0 << DefaultOption2;
        QTest::newRow("MaxiCode emDefault") << "MaxiCode" << 3 << 0 << 5 << 0 << 0 << DefaultOption1 << DefaultOption2;
        QTest::newRow("EAN Composite em6") << "EAN Composite" << 0 << 7 << 0 << 0 << 0 << 6 << DefaultOption2;
        QTest::newRow("DataBar Expanded Stacked Composite em2") << "GS1 DataBar Expanded Stacked Composite" << 0 << 3 << 0 << 0 << 4 << 2 << 4;
        QTest::newRow("Code 128 rows") << "Code 128" << 5 << 3 << 4 << 6 << 0 << 4 << DefaultOption2;
        QTest::newRow("Code 11 version") << "Code 11" << 0 << 0 << 0 << 2 << 9 << DefaultOption1 << 2;
        QTest::newRow("rMQR rows and version") << "Rectangular Micro QR Code (rMQR)" << 2 << 0 << 1 << 11 << 9 << 1 << 11;
        QTest::newRow("Code 16K columns") << "Code 16K" << 0 << 0 << 0 << 6 << 9 << DefaultOption1 << 9;
    }

    void Options1And2()
    {
        QFETCH(QString, symbology);
        QFETCH(int, security);
        QFETCH(int, encodingMode);
        QFETCH(int, rows);
        QFETCH(int, version);
        QFETCH(int, columns);
        QFETCH(int, option1);
        QFETCH(int, option2);
        TBarcode barcode(nullptr);
        barcode.SetSymbologyName(symbology);
        barcode.SetSecurityLevel(TSecurityLevel(security));
        barcode.SetEncodingMode(TEncodingMode(encodingMode));
        barcode.SetRows(rows);
        barcode.SetSymbolVersion(version);
        barcode.SetColumns(columns);
        barcode.Bitmap();
        QCOMPARE(Record().option_1, option1);
        QCOMPARE(Record().option_2, option2);
    }

    void Option3_data()
    {
        QTest::addColumn<QString>("symbology");
        QTest::addColumn<int>("capabilities");
        QTest::addColumn<int>("dataMatrix");
        QTest::addColumn<bool>("compress");
        QTest::addColumn<int>("separator");
        QTest::addColumn<bool>("multiByte");
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("expected");
        const int maskAndMultiByte = SetOf(caMask, caMultiByte);
        const int stackable = SetOf(caStackable, caMask, caMultiByte);
        QTest::newRow("QR mask 3") << "QR Code" << maskAndMultiByte << 0 << false << 1 << false << 3 << (DefaultOption3 | 1024);
        QTest::newRow("QR mask 3 multibyte") << "QR Code" << maskAndMultiByte << 0 << false << 1 << true << 3 << 1224;
        QTest::newRow("QR multibyte") << "QR Code" << maskAndMultiByte << 0 << false << 1 << true << -1 << 200;
        QTest::newRow("QR neither") << "QR Code" << maskAndMultiByte << 0 << false << 1 << false << -1 << DefaultOption3;
        QTest::newRow("mask without caMask") << "QR Code" << int(SetOf(caMultiByte)) << 0 << false << 1 << false << 7 << DefaultOption3;
        QTest::newRow("multibyte without caMultiByte") << "QR Code" << int(SetOf(caMask)) << 0 << false << 1 << true << -1 << DefaultOption3;
        QTest::newRow("DM dmSquareIso144") << "Data Matrix (ECC200)" << stackable << int(dmSquareIso144) << true << 0 << true << 3 << 228;
        QTest::newRow("DM dmSquare") << "Data Matrix (ECC200)" << 0 << int(dmSquare) << false << 1 << false << -1 << 100;
        QTest::newRow("DM dmIso144") << "Data Matrix (ECC200)" << 0 << int(dmIso144) << false << 1 << false << -1 << 128;
        QTest::newRow("HIBC DM dmExtendedIso144") << "HIBC Data Matrix" << 0 << int(dmExtendedIso144) << false << 1 << false << -1 << 229;
        QTest::newRow("DM dmDefault") << "Data Matrix (ECC200)" << maskAndMultiByte << int(dmDefault) << false << 1 << true << 3 << DefaultOption3;
        QTest::newRow("Ultracode compress") << "Ultracode" << stackable << int(dmSquare) << true << 1 << true << 3 << 128;
        QTest::newRow("Ultracode default") << "Ultracode" << stackable << 0 << false << 1 << true << 3 << DefaultOption3;
        QTest::newRow("stackable separator 0") << "Code 128" << stackable << int(dmSquare) << true << 0 << true << 3 << 0;
        QTest::newRow("stackable separator 3") << "Code 128" << stackable << 0 << false << 3 << false << -1 << 3;
    }

    void Option3()
    {
        QFETCH(QString, symbology);
        QFETCH(int, capabilities);
        QFETCH(int, dataMatrix);
        QFETCH(bool, compress);
        QFETCH(int, separator);
        QFETCH(bool, multiByte);
        QFETCH(int, mask);
        QFETCH(int, expected);
        Fake.SetCapabilities(unsigned(capabilities));
        TBarcode barcode(nullptr);
        barcode.SetSymbologyName(symbology);
        barcode.SetDataMatrix(TDataMatrix(dataMatrix));
        barcode.SetUltracode(compress ? ucCompress : ucDefault);
        barcode.SetSeparatorHeight(separator);
        barcode.SetMultiByte(multiByte);
        barcode.SetMask(mask);
        barcode.Bitmap();
        QCOMPARE(Record().option_3, expected);
    }

    void ColourText_data()
    {
        QTest::addColumn<uint>("colour");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("black") << 0u << QByteArray("000000");
        QTest::newRow("white") << 0xFFFFFFu << QByteArray("FFFFFF");
        QTest::newRow("pure red") << 0x000000FFu << QByteArray("FF0000");
        QTest::newRow("mixed") << 0x000CAB12u << QByteArray("12AB0C");
        QTest::newRow("top byte ignored") << 0xFF00A0B0u << QByteArray("B0A000");
    }

    void ColourText()
    {
        QFETCH(uint, colour);
        QFETCH(QByteArray, expected);
        TBarcode barcode(nullptr);
        barcode.SetForeColor(colour);
        barcode.SetBackColor(colour);
        barcode.Bitmap();
        const zint_symbol &r = Record();
        const QByteArray field = expected + QByteArray(int(sizeof r.fgcolour) - 6, '\0');
        QCOMPARE(QByteArray(r.fgcolour, int(sizeof r.fgcolour)), field);
        QCOMPARE(QByteArray(r.bgcolour, int(sizeof r.bgcolour)), field);
    }

    void PrimaryMessageIsCutAtAWholeCharacter_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("expected");
        const QString a126(126, QLatin1Char('a'));
        QTest::newRow("200 ASCII") << QString(200, QLatin1Char('x')) << QByteArray(127, 'x');
        QTest::newRow("127 ASCII") << QString(127, QLatin1Char('y')) << QByteArray(127, 'y');
        QTest::newRow("two-byte char across the limit") << a126 + QStringLiteral("\u00e9b") << QByteArray(126, 'a');
        QTest::newRow("three-byte char across the limit") << a126.left(125) + QStringLiteral("\u20ac") << QByteArray(125, 'a');
        QTest::newRow("two-byte char that just fits") << a126.left(125) + QStringLiteral("\u00e9b") << QByteArray(125, 'a') + "\xc3\xa9";
        QTest::newRow("64 umlauts") << QString(64, QChar(0xe4)) << QByteArray(63 * 2, 'x').replace("xx", "\xc3\xa4");
        QTest::newRow("four-byte char across the limit") << a126.left(124) + QStringLiteral("\U0001F600") << QByteArray(124, 'a');
        QTest::newRow("empty leaves the engine's") << QString() << QByteArray("left over");
    }

    void PrimaryMessageIsCutAtAWholeCharacter()
    {
        QFETCH(QString, message);
        QFETCH(QByteArray, expected);
        TBarcode barcode(nullptr);
        barcode.SetPrimaryMessage(message);
        barcode.Bitmap();
        const zint_symbol &r = Record();
        QCOMPARE(QByteArray(r.primary), expected);
        for (size_t i = size_t(expected.size()); i < sizeof r.primary; ++i)
            QCOMPARE(int(r.primary[i]), 0);
    }

    // Three pixel layouts: the engine's bytes (Ultracode's own colours), the engine's characters
    // painted in the component's colours, and 1-bit images.
    void PixelsOf32BitAnd1BitImages_data()
    {
        QTest::addColumn<bool>("bpp1");
        QTest::addColumn<bool>("ultracode");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("32-bit") << false << false << 11 << 3;
        QTest::newRow("32-bit, sixteen-pixel groups only") << false << false << 32 << 3;
        QTest::newRow("32-bit, groups and a rest") << false << false << 37 << 4;
        QTest::newRow("32-bit, one pixel wide") << false << false << 1 << 5;
        QTest::newRow("32-bit from the engine's colours") << false << true << 11 << 3;
        QTest::newRow("32-bit from the engine's colours, four-pixel groups only") << false << true << 8 << 4;
        QTest::newRow("32-bit from the engine's colours, one pixel wide") << false << true << 1 << 5;
        QTest::newRow("1-bit, partly filled last byte") << true << false << 11 << 3;
        QTest::newRow("1-bit, whole bytes") << true << false << 16 << 2;
    }

    void PixelsOf32BitAnd1BitImages()
    {
        QFETCH(bool, bpp1);
        QFETCH(bool, ultracode);
        QFETCH(int, width);
        QFETCH(int, height);
        Fake.SetBitmapSize(width, height);
        TBarcode barcode(nullptr);
        if (ultracode)
            barcode.SetSymbology(syUltracode);
        barcode.SetOutputOptions(bpp1 ? SetOf(opBpp1) : 0);
        barcode.SetForeColor(0x123456);
        barcode.SetBackColor(0xABCDEF);
        const QImage image = barcode.Bitmap();
        QCOMPARE(image.size(), QSize(width, height));
        QCOMPARE(image.format(), bpp1 ? QImage::Format_Mono : QImage::Format_RGB32);
        if (bpp1)
            QCOMPARE(image.colorTable(), QList<QRgb>({qRgb(0, 0, 0), qRgb(255, 255, 255)}));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (bpp1) {
                    QCOMPARE(image.pixelIndex(x, y), Fake.Char(x, y) == '0' ? 1 : 0);
                } else if (ultracode) {
                    unsigned char rgb[3];
                    Fake.Pixel(x, y, rgb);
                    QCOMPARE(image.pixel(x, y), qRgb(rgb[0], rgb[1], rgb[2]));
                } else {
                    QCOMPARE(image.pixel(x, y), Fake.Char(x, y) == '0' ? qRgb(0xEF, 0xCD, 0xAB) : qRgb(0x56, 0x34, 0x12));
                }
            }
            if (bpp1 && width % 8 != 0)
                QCOMPARE(image.constScanLine(y)[width / 8] & (0xFF >> (width % 8)), 0);
        }
    }

    // With KeepWarnings, an engine warning at any stage keeps the symbol and its text; an error
    // still raises. Without it, the warning raises as before.
    void KeptWarnings_data()
    {
        QTest::addColumn<int>("stage");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("keep");
        QTest::addColumn<bool>("raises");
        QTest::newRow("encode, ECI added, kept") << 1 << int(ZINT_WARN_USES_ECI) << true << false;
        QTest::newRow("encode, not compliant, kept") << 1 << int(ZINT_WARN_NONCOMPLIANT) << true << false;
        QTest::newRow("encode, error") << 1 << int(ZINT_ERROR_TOO_LONG) << true << true;
        QTest::newRow("encode, ECI added, not kept") << 1 << int(ZINT_WARN_USES_ECI) << false << true;
    }

    void KeptWarnings()
    {
        QFETCH(int, stage);
        QFETCH(int, result);
        QFETCH(bool, keep);
        QFETCH(bool, raises);
        TBarcode barcode(nullptr);
        barcode.SetKeepWarnings(keep);
        Fake.SetFailure(stage, result, "Warning 222: the engine's words");
        Fake.SetBitmapSize(4, 4);
        QCOMPARE(Message([&] { barcode.Bitmap(); }) != QStringLiteral("<no EBarcodeError>"), raises);
        if (!raises) {
            QCOMPARE(barcode.Bitmap().size(), QSize(4, 4));
            QCOMPARE(barcode.Warning(), QStringLiteral("Warning 222: the engine's words"));
        }
        Fake.SetFailure(0, 0, "");
        barcode.SetInputText(QStringLiteral("again"));
        barcode.Bitmap();
        QCOMPARE(barcode.Warning(), QString());
    }

    void EngineFailuresKeepTheImageAndRetry_data()
    {
        QTest::addColumn<int>("stage");
        QTest::addColumn<int>("result");
        QTest::newRow("encode error") << 1 << 6;
        QTest::newRow("encode warning") << 1 << 2;
        QTest::newRow("buffer error") << 2 << 9;
    }

    void EngineFailuresKeepTheImageAndRetry()
    {
        QFETCH(int, stage);
        QFETCH(int, result);
        TBarcode barcode(nullptr);
        const QImage &owned = barcode.Bitmap();
        const QImage before = owned.copy();
        Fake.SetFailure(stage, result, "Error 123: engine says no");
        barcode.SetInputText(QStringLiteral("other"));
        Fake.SetBitmapSize(4, 4);
        QCOMPARE(Message([&] { barcode.Bitmap(); }), QStringLiteral("Error 123: engine says no"));
        QVERIFY(QString::fromLatin1(Fake.Log()).endsWith(QStringLiteral("Delete")));
        QCOMPARE(owned, before);
        Fake.SetFailure(0, 0, "");
        // The changed flag stayed set: the next read renders again, and only now the image changes.
        QCOMPARE(barcode.Bitmap().size(), QSize(4, 4));
        QCOMPARE(EncodeCalls(), 3);
    }

    void PictureSizeAgainstMemory_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("bpp1");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<bool>("fits");
        QTest::newRow("exactly the limit") << 100 << 50 << false << qint64(20000) << true;
        QTest::newRow("one row more") << 100 << 51 << false << qint64(20000) << false;
        QTest::newRow("one bit, rows padded to 32 pixels") << 33 << 10 << true << qint64(80) << true;
        QTest::newRow("one bit, one row more") << 33 << 11 << true << qint64(80) << false;
        QTest::newRow("largest sides, no overflow") << INT_MAX << INT_MAX << false
                                                    << std::numeric_limits<qint64>::max() << false;
        QTest::newRow("a wide line that fits") << INT_MAX << 1 << false << qint64(INT_MAX) * 4 << true;
    }

    void PictureSizeAgainstMemory()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, bpp1);
        QFETCH(qint64, limit);
        QFETCH(bool, fits);
        QCOMPARE(PictureFitsInMemory(width, height, bpp1, limit), fits);
        QVERIFY(PictureMemoryLimit() > 0);
    }

    void OversizedPictureIsRefused_data()
    {
        QTest::addColumn<bool>("bpp1");
        QTest::newRow("colour") << false;
        QTest::newRow("one bit per pixel") << true;
    }

    // A picture larger than the machine could hold is refused with a message before any pixel is
    // read, rather than the program being killed while it writes the pages; the next one draws.
    void OversizedPictureIsRefused()
    {
        QFETCH(bool, bpp1);
        Fake.ClaimBitmapSize(1000000, 1000000);
        TBarcode barcode(nullptr);
        barcode.SetOutputOptions(bpp1 ? SetOf(opBpp1) : 0);
        QCOMPARE(Message([&] { barcode.Bitmap(); }),
                 QStringLiteral("Not enough memory for a bitmap of 1000000 x 1000000 pixels"));
        Fake.SetBitmapSize(4, 4);
        barcode.SetInputText(QStringLiteral("smaller"));
        QCOMPARE(barcode.Bitmap().size(), QSize(4, 4));
    }

    void NullRecordEndsQuietlyAndRetries()
    {
        Fake.SetCreateFails(1);
        TBarcode barcode(nullptr);
        QVERIFY(barcode.Bitmap().isNull());
        QCOMPARE(QString::fromLatin1(Fake.Log()), QStringLiteral("Version,Create"));
        Fake.SetCreateFails(0);
        QVERIFY(!barcode.Bitmap().isNull());
    }

    void UltracodeRefusesOneBitOutput()
    {
        TBarcode barcode(nullptr);
        barcode.SetSymbologyName(QStringLiteral("Ultracode"));
        barcode.SetOutputOptions(SetOf(opBpp1));
        const QString expected = QStringLiteral("Ultracode symbology doesn't support opBpp1 output option");
        QCOMPARE(Message([&] { barcode.Bitmap(); }), expected);
        QCOMPARE(Message([&] { barcode.Save(QStringLiteral("u.bmp")); }), expected);
        QCOMPARE(EncodeCalls(), 0);
        QCOMPARE(QString::fromLatin1(Fake.Log()).count(QStringLiteral("Delete")), 2);
    }

    void ChangedFlag()
    {
        TBarcode barcode(nullptr);
        barcode.Bitmap();
        barcode.Bitmap();
        barcode.OutputText();
        QCOMPARE(EncodeCalls(), 1);
        barcode.SetEciEncoding(enUtf8);
        barcode.SetMultiByte(true);
        barcode.SetUltracode(ucCompress);
        barcode.SetWarningLevel(waError);
        barcode.SetColumns(0);
        barcode.SetMask(-1);
        barcode.SetSymbolVersion(0);
        barcode.SetSymbologyName(QStringLiteral("QR Code"));
        barcode.SetInputText(QString());
        barcode.Bitmap();
        QCOMPARE(EncodeCalls(), 1);
        barcode.SetHeight(20.0f);
        barcode.Bitmap();
        QCOMPARE(EncodeCalls(), 2);
        QCOMPARE(Record().eci, 26);
        QCOMPARE(Record().height, 20.0f);
        QCOMPARE(Record().warn_level, 2);
        barcode.SetInputText(QStringLiteral("abc"));
        barcode.SetInputText(QStringLiteral("ABC"));
        barcode.Bitmap();
        QCOMPARE(EncodeCalls(), 3);
        // A save always runs the engine and leaves the next read to render again.
        barcode.Save(QStringLiteral("a.svg"));
        barcode.Save(QStringLiteral("a.svg"));
        barcode.Bitmap();
        barcode.Bitmap();
        QCOMPARE(EncodeCalls(), 6);
        barcode.Save(QString());
        QCOMPARE(QString::fromLatin1(Fake.Log()).count(QStringLiteral("Buffer")), 5);
        barcode.Bitmap();
        QCOMPARE(EncodeCalls(), 7);
    }

    void FileNameLimitIsOnUtf8Bytes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("255 bytes") << QString(251, QLatin1Char('n')) + QStringLiteral(".svg") << true;
        QTest::newRow("256 bytes") << QString(252, QLatin1Char('n')) + QStringLiteral(".svg") << false;
        QTest::newRow("128 two-byte chars") << QString(128, QChar(0xe9)) << false;
        QTest::newRow("127 two-byte chars") << QString(127, QChar(0xe9)) << true;
    }

    void FileNameLimitIsOnUtf8Bytes()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        TBarcode barcode(nullptr);
        if (accepted) {
            barcode.Save(name);
            VerifyWrittenThroughWorkFile(Fake.Outfile(), name);
            QFile::remove(name);
        } else {
            QCOMPARE(Message([&] { barcode.Save(name); }),
                     QStringLiteral("FileName size has to be less than 256 characters"));
            QCOMPARE(EncodeCalls(), 0);
            QVERIFY(QString::fromLatin1(Fake.Log()).endsWith(QStringLiteral("Delete")));
        }
    }

    void UnpairedSurrogatesAreRefused_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QChar high(0xD83D), low(0xDE00);
        QTest::newRow("lone high at end") << "InputText" << QStringLiteral("ab") + high
                                          << "InputText contains an unpaired UTF-16 surrogate at position 3";
        QTest::newRow("lone low") << "InputText" << QString(low) + QStringLiteral("x")
                                  << "InputText contains an unpaired UTF-16 surrogate at position 1";
        QTest::newRow("reversed pair") << "PrimaryMessage" << QString(low) + high
                                       << "PrimaryMessage contains an unpaired UTF-16 surrogate at position 1";
        QTest::newRow("file name") << "FileName" << QStringLiteral("a") + high + QStringLiteral(".svg")
                                   << "FileName contains an unpaired UTF-16 surrogate at position 2";
    }

    void UnpairedSurrogatesAreRefused()
    {
        QFETCH(QString, property);
        QFETCH(QString, text);
        QFETCH(QString, message);
        TBarcode barcode(nullptr);
        if (property == QLatin1String("FileName")) {
            QCOMPARE(Message([&] { barcode.Save(text); }), message);
        } else {
            barcode.setProperty(qPrintable(property), text);
            QCOMPARE(Message([&] { barcode.Bitmap(); }), message);
            QString valid;
            for (QChar c : text)
                if (!c.isSurrogate())
                    valid += c;
            barcode.setProperty(qPrintable(property), valid);
            QVERIFY(!barcode.Bitmap().isNull());
        }
        QCOMPARE(EncodeCalls(), property == QLatin1String("FileName") ? 0 : 1);
        // A valid pair passes as one four-byte character.
        barcode.SetInputText(QStringLiteral("\U0001F600"));
        barcode.Bitmap();
        int length = 0;
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(Fake.Data(&length)), 4), QByteArray("\xf0\x9f\x98\x80"));
        QCOMPARE(length, 4);
    }

    void EngineQuestionsAboutTheSymbology()
    {
        Fake.SetCapabilities(0xFFFFFFFFu);
        TBarcode barcode(nullptr);
        QCOMPARE(barcode.BarcodeName(), QStringLiteral("BARCODE_FAKE"));
        QCOMPARE(int(barcode.Capabilities()), 0x3FFF);
        QCOMPARE(QString::fromLatin1(Fake.Log()), QStringLiteral("BarcodeName,Cap"));
    }
};

QTEST_GUILESS_MAIN(TestZintBinding)
#include "TestZintBinding.moc"
