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
    if (field == "fgcolour" || field == "bgcolour")
        return double(QByteArray(field == "fgcolour" ? record.fgcolour : record.bgcolour).toUInt(nullptr, 16));
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
        struct Row { const char *name, *symbology, *argument; uint capabilities; const char *field; double expected; int bits; };
        const int zones = BARCODE_QUIET_ZONES | BARCODE_NO_QUIET_ZONES;
        const Row rows[] = {
            {"fg", "QRCode", "--fg=FF8000", 0, "fgcolour", 0xFF8000, 0},
            {"bg", "QRCode", "--bg=0000FF", 0, "bgcolour", 0x0000FF, 0},
            {"border", "QRCode", "--border=3", 0, "border_width", 3.0, 0},
            {"whitesp", "QRCode", "--whitesp=2", 0, "whitespace_width", 2.0, 0},
            {"vwhitesp", "QRCode", "--vwhitesp=6", 0, "whitespace_height", 6.0, 0},
            {"height", "Code128", "--height=12.5", 0, "height", 12.5, 0},
            {"scale", "QRCode", "--scale=2.5", 0, "scale", 2.5, 0},
            {"-s", "QRCode", "-s=3", 0, "scale", 3.0, 0},
            {"rotate", "QRCode", "--rotate=270", 0, "rotate_angle", 270.0, 0},
            {"dotty", "QRCode", "--dotty", 0, "output_options", BARCODE_DOTTY_MODE, BARCODE_DOTTY_MODE},
            {"dotsize", "QRCode", "--dotsize=0.5", 0, "dot_size", 0.5, 0},
            {"box", "Code128", "--box", 0, "output_options", BARCODE_BOX, BARCODE_BOX},
            {"bind", "Code128", "--bind", 0, "output_options", BARCODE_BIND, BARCODE_BIND},
            {"notext", "Code128", "--notext", 0, "show_hrt", 0.0, 0},
            {"small", "Code128", "--small", 0, "output_options", SMALL_TEXT, SMALL_TEXT},
            {"bold", "Code128", "--bold", 0, "output_options", BOLD_TEXT, BOLD_TEXT},
            {"secure, QR Code", "QRCode", "--secure=4", 0, "option_1", 4.0, 0},
            {"secure, PDF417", "PDF417", "--secure=7", 0, "option_1", 7.0, 0},
            {"secure, Han Xin", "HanXin", "--secure=3", 0, "option_1", 3.0, 0},
            {"vers, QR Code", "QRCode", "--vers=12", 0, "option_2", 12.0, 0},
            {"vers, Ultracode revision", "Ultracode", "--vers=2", 0, "option_2", 2.0, 0},
            {"mask", "QRCode", "--mask=3", ZINT_CAP_MASK, "option_3", (3 + 1) << 8, 0xFF00},
            {"cols", "PDF417", "--cols=5", 0, "option_2", 5.0, 0},
            {"rows", "CodaBlockF", "--rows=7", 0, "option_1", 7.0, 0},
            {"square", "DataMatrix", "--square", 0, "option_3", DM_SQUARE, 0},
            {"dmre", "DataMatrix", "--dmre", 0, "option_3", DM_DMRE, 0},
            {"mode, MaxiCode", "MaxiCode", "--mode=5", 0, "option_1", 5.0, 0},
            {"mode, composite", "CompositeEAN", "--mode=3", 0, "option_1", 3.0, 0},
            {"text by default", "QRCode", "--border=8", 0, "input_mode", UNICODE_MODE, 0x07},
            {"binary", "QRCode", "--binary", 0, "input_mode", DATA_MODE, 0x07},
            {"gs1", "DataMatrix", "--gs1", 0, "input_mode", GS1_MODE, 0x07},
            {"gs1parens", "DataMatrix", "--gs1parens", 0, "input_mode", GS1PARENS_MODE, GS1PARENS_MODE},
            {"esc", "QRCode", "--esc", 0, "input_mode", ESCAPE_MODE, ESCAPE_MODE},
            {"eci", "QRCode", "--eci=4", 0, "eci", 4.0, 0},
            {"eci, binary", "QRCode", "--eci=899", 0, "eci", 899.0, 0},
            {"fullmultibyte", "QRCode", "--fullmultibyte", ZINT_CAP_FULL_MULTIBYTE, "option_3", ZINT_FULL_MULTIBYTE, 0},
            {"fast", "DataMatrix", "--fast", 0, "input_mode", FAST_MODE, FAST_MODE},
            {"quietzones", "QRCode", "--quietzones", 0, "output_options", BARCODE_QUIET_ZONES, zones},
            {"noquietzones", "QRCode", "--noquietzones", 0, "output_options", BARCODE_NO_QUIET_ZONES, zones},
            {"separator", "Code16K", "--separator=3", ZINT_CAP_STACKABLE, "option_3", 3.0, 0},
            {"guarddescent", "EAN", "--guarddescent=2.5", 0, "guard_descent", 2.5, 0},
            {"heightperrow", "Code16K", "--heightperrow", ZINT_CAP_STACKABLE, "input_mode", HEIGHTPERROW_MODE, HEIGHTPERROW_MODE},
        };
        for (const Row &row : rows)
            QTest::newRow(row.name) << QString(row.symbology) << QString(row.argument) << row.capabilities
                                    << QString(row.field) << row.expected << row.bits;
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
        for (const auto &[value, text] : {std::pair{0.1f, "0.1"}, {0.33f, "0.33"}, {2.5f, "2.5"}, {50.0f, "50"}, {99.99f, "99.99"}})
            QTest::newRow(text) << value << QString(text);
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
