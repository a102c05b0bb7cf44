// Every option, given as on the command line, reaches the engine's record in the field and with
// the value that zint.h names for it. The recording fake engine keeps the record it was given.
#include "barcode/Barcode.h"
#include "barcode/BarcodeOptions.h"
#include "barcode/FakeEngine.h"
#include "barcode/ZintLibrary.h"
#include "cli/CommandLine.h"

#include <zint.h>

#include <QtTest>

#include <cstring>

namespace {

// The record field a row looks at, as a number (colours as their six digits' value).
double FieldValue(const zint_symbol &record, const QString &field, int rotation)
{
    if (field == "fgcolour")
        return double(QByteArray(record.fgcolour).toUInt(nullptr, 16));
    if (field == "bgcolour")
        return double(QByteArray(record.bgcolour).toUInt(nullptr, 16));
    if (field == "rotate_angle")
        return rotation;
    const QHash<QString, double> fields = {
        {"border_width", record.border_width}, {"whitespace_width", record.whitespace_width},
        {"whitespace_height", record.whitespace_height}, {"height", record.height}, {"scale", record.scale},
        {"dot_size", record.dot_size}, {"show_hrt", record.show_hrt}, {"option_1", record.option_1},
        {"option_2", record.option_2}, {"option_3", record.option_3}, {"eci", record.eci},
        {"guard_descent", record.guard_descent},
        // The flags and modes are compared by their bits below.
        {"output_options", record.output_options}, {"input_mode", record.input_mode},
    };
    return fields.value(field, -1e9);
}

} // namespace

class TestOptionRecord final : public QObject
{
    Q_OBJECT

    TFakeEngine Fake;

private Q_SLOTS:
    void initTestCase()
    {
        Fake.Load(FAKE_ZINT_RECORDING);
        QVERIFY(!QTest::currentTestFailed());
    }

    void init()
    {
        ReplaceZintLibraryForTesting(QStringLiteral(FAKE_ZINT_RECORDING));
        Fake.Reset();
    }

    void cleanupTestCase() { ReplaceZintLibraryForTesting(QString()); }

    void OptionReachesTheRecord_data()
    {
        QTest::addColumn<QString>("symbology");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<uint>("capabilities"); // what the fake engine says the symbology has
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("bits"); // for flag fields: the bits compared; 0: the whole value

        const uint none = 0;
        QTest::newRow("fg") << "QRCode" << "--fg=FF8000" << none << "fgcolour" << double(0xFF8000) << 0;
        QTest::newRow("bg") << "QRCode" << "--bg=0000FF" << none << "bgcolour" << double(0x0000FF) << 0;
        QTest::newRow("border") << "QRCode" << "--border=3" << none << "border_width" << 3.0 << 0;
        QTest::newRow("whitesp") << "QRCode" << "--whitesp=2" << none << "whitespace_width" << 2.0 << 0;
        QTest::newRow("vwhitesp") << "QRCode" << "--vwhitesp=6" << none << "whitespace_height" << 6.0 << 0;
        QTest::newRow("height") << "Code128" << "--height=12.5" << none << "height" << 12.5 << 0;
        QTest::newRow("scale") << "QRCode" << "--scale=2.5" << none << "scale" << 2.5 << 0;
        QTest::newRow("-s") << "QRCode" << "-s=3" << none << "scale" << 3.0 << 0;
        QTest::newRow("rotate") << "QRCode" << "--rotate=270" << none << "rotate_angle" << 270.0 << 0;
        QTest::newRow("dotty") << "QRCode" << "--dotty" << none << "output_options" << double(BARCODE_DOTTY_MODE) << int(BARCODE_DOTTY_MODE);
        QTest::newRow("dotsize") << "QRCode" << "--dotsize=0.5" << none << "dot_size" << 0.5 << 0;
        QTest::newRow("box") << "Code128" << "--box" << none << "output_options" << double(BARCODE_BOX) << int(BARCODE_BOX);
        QTest::newRow("bind") << "Code128" << "--bind" << none << "output_options" << double(BARCODE_BIND) << int(BARCODE_BIND);
        QTest::newRow("notext") << "Code128" << "--notext" << none << "show_hrt" << 0.0 << 0;
        QTest::newRow("small") << "Code128" << "--small" << none << "output_options" << double(SMALL_TEXT) << int(SMALL_TEXT);
        QTest::newRow("bold") << "Code128" << "--bold" << none << "output_options" << double(BOLD_TEXT) << int(BOLD_TEXT);
        QTest::newRow("secure, QR Code") << "QRCode" << "--secure=4" << none << "option_1" << 4.0 << 0;
        QTest::newRow("secure, PDF417") << "PDF417" << "--secure=7" << none << "option_1" << 7.0 << 0;
        QTest::newRow("secure, Han Xin") << "HanXin" << "--secure=3" << none << "option_1" << 3.0 << 0;
        QTest::newRow("vers, QR Code") << "QRCode" << "--vers=12" << none << "option_2" << 12.0 << 0;
        QTest::newRow("vers, Ultracode revision") << "Ultracode" << "--vers=2" << none << "option_2" << 2.0 << 0;
        QTest::newRow("mask") << "QRCode" << "--mask=3" << uint(ZINT_CAP_MASK) << "option_3" << double((3 + 1) << 8) << 0xFF00;
        QTest::newRow("cols") << "PDF417" << "--cols=5" << none << "option_2" << 5.0 << 0;
        QTest::newRow("rows") << "CodaBlockF" << "--rows=7" << none << "option_1" << 7.0 << 0;
        QTest::newRow("square") << "DataMatrix" << "--square" << none << "option_3" << double(DM_SQUARE) << 0;
        QTest::newRow("dmre") << "DataMatrix" << "--dmre" << none << "option_3" << double(DM_DMRE) << 0;
        QTest::newRow("mode, MaxiCode") << "MaxiCode" << "--mode=5" << none << "option_1" << 5.0 << 0;
        QTest::newRow("mode, composite") << "CompositeEAN" << "--mode=3" << none << "option_1" << 3.0 << 0;
        QTest::newRow("text by default") << "QRCode" << "--border=8" << none << "input_mode" << double(UNICODE_MODE) << 0x07;
        QTest::newRow("binary") << "QRCode" << "--binary" << none << "input_mode" << double(DATA_MODE) << 0x07;
        QTest::newRow("gs1") << "DataMatrix" << "--gs1" << none << "input_mode" << double(GS1_MODE) << 0x07;
        QTest::newRow("gs1parens") << "DataMatrix" << "--gs1parens" << none << "input_mode" << double(GS1PARENS_MODE) << int(GS1PARENS_MODE);
        QTest::newRow("esc") << "QRCode" << "--esc" << none << "input_mode" << double(ESCAPE_MODE) << int(ESCAPE_MODE);
        QTest::newRow("eci") << "QRCode" << "--eci=4" << none << "eci" << 4.0 << 0;
        QTest::newRow("eci, binary") << "QRCode" << "--eci=899" << none << "eci" << 899.0 << 0;
        QTest::newRow("fullmultibyte") << "QRCode" << "--fullmultibyte" << uint(ZINT_CAP_FULL_MULTIBYTE) << "option_3"
                                       << double(ZINT_FULL_MULTIBYTE) << 0;
        QTest::newRow("fast") << "DataMatrix" << "--fast" << none << "input_mode" << double(FAST_MODE) << int(FAST_MODE);
        QTest::newRow("quietzones") << "QRCode" << "--quietzones" << none << "output_options" << double(BARCODE_QUIET_ZONES)
                                    << int(BARCODE_QUIET_ZONES | BARCODE_NO_QUIET_ZONES);
        QTest::newRow("noquietzones") << "QRCode" << "--noquietzones" << none << "output_options"
                                      << double(BARCODE_NO_QUIET_ZONES) << int(BARCODE_QUIET_ZONES | BARCODE_NO_QUIET_ZONES);
        QTest::newRow("separator") << "Code16K" << "--separator=3" << uint(ZINT_CAP_STACKABLE) << "option_3" << 3.0 << 0;
        QTest::newRow("guarddescent") << "EAN" << "--guarddescent=2.5" << none << "guard_descent" << 2.5 << 0;
        QTest::newRow("heightperrow") << "Code16K" << "--heightperrow" << uint(ZINT_CAP_STACKABLE) << "input_mode"
                                      << double(HEIGHTPERROW_MODE) << int(HEIGHTPERROW_MODE);
    }

    void OptionReachesTheRecord()
    {
        QFETCH(QString, symbology);
        QFETCH(QString, argument);
        QFETCH(uint, capabilities);
        QFETCH(QString, field);
        QFETCH(double, expected);
        QFETCH(int, bits);
        const TCommandLine line = ParseCommandLine(QStringList{"quorvel", "-b", symbology, "-d", "12345", "-o", "x.txt", argument});
        QVERIFY2(line.Action == TCommandAction::Single, qPrintable(line.Error));
        Fake.SetCapabilities(capabilities);
        TBarcode barcode(nullptr);
        ApplyOptionDefaults(barcode);
        barcode.SetSymbology(line.Symbology);
        for (const auto &[option, value] : line.Settings)
            option->Write(barcode, value);
        barcode.Bitmap();
        QVERIFY(Fake.RecordAtEncode() != nullptr);
        const double actual = FieldValue(*Fake.RecordAtEncode(), field, Fake.Rotation());
        if (bits != 0)
            QCOMPARE(int(actual) & bits, int(expected));
        else
            QCOMPARE(float(actual), float(expected));
    }

    // A decimal the component keeps as a float is written as the user typed it, and read back
    // gives the same float: the copied command line says --scale=0.1, not 0.100000001490116.
    void DecimalTextGivesBackTheFloat_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0.1") << 0.1f << "0.1";
        QTest::newRow("0.33") << 0.33f << "0.33";
        QTest::newRow("2.5") << 2.5f << "2.5";
        QTest::newRow("whole") << 50.0f << "50";
        QTest::newRow("near the top") << 99.99f << "99.99";
    }

    void DecimalTextGivesBackTheFloat()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        const TBarcodeOption &scale = *FindBarcodeOption(QStringLiteral("scale"));
        TBarcode barcode(nullptr);
        scale.Write(barcode, value);
        QCOMPARE(OptionValueText(scale, scale.Read(barcode)), text);
        double parsed = 0;
        QCOMPARE(ParseOptionValue(scale, syCode128, text, parsed), QString());
        scale.Write(barcode, parsed);
        QCOMPARE(barcode.Scale(), value);
    }
};

QTEST_GUILESS_MAIN(TestOptionRecord)
#include "TestOptionRecord.moc"
