#include "barcode/Barcode.h"
#include "verify/ScanCheck.h"
#include "verify/ScanFile.h"
#include "verify/ScanText.h"

#include <QtTest>

Q_DECLARE_METATYPE(TSymbology)
Q_DECLARE_METATYPE(TScanOutcome)
Q_DECLARE_METATYPE(TQuietZones)
Q_DECLARE_METATYPE(TInputMode)

namespace {

struct TLook
{
    int Rotation = 0;
    bool Dotty = false;
    TColor Fore = clBlack;
    TColor Back = clWhite;
    float Scale = 1.0f;
    TInputMode Mode = imData;
    float DotSize = 0.8f;
};

// The engine draws the symbol with room around it, as a label would have.
TScanVerdict Checked(TSymbology symbology, const QString &data, const TLook &look = {})
{
    TBarcode barcode(nullptr);
    barcode.SetSymbology(symbology);
    barcode.SetInputText(data);
    barcode.SetQuietZones(qzCompliant);
    barcode.SetWhiteSpaceWidth(4);
    barcode.SetWhiteSpaceHeight(4);
    barcode.SetRotation(look.Rotation);
    barcode.SetForeColor(look.Fore);
    barcode.SetBackColor(look.Back);
    barcode.SetScale(look.Scale);
    barcode.SetInputMode(look.Mode);
    if (look.Dotty) {
        barcode.SetOutputOptions(SetOf(opDotty));
        barcode.SetDotSize(look.DotSize);
    }
    const QImage picture = barcode.Bitmap();
    return CheckPicture(picture, ScanRequestOf(barcode));
}

QString Words(const TScanVerdict &verdict)
{
    return ScanVerdictText(verdict, [](const QString &text) { return text; });
}

} // namespace

Q_DECLARE_METATYPE(TLook)

class TestScanCheck : public QObject
{
    Q_OBJECT

private slots:
    void ReadsBack_data();
    void ReadsBack();
    void Compare_data();
    void Compare();
    void Unreadable();
    void Files_data();
    void Files();
    void Unicode_data();
    void Unicode();
    void Warnings_data();
    void Warnings();
};

struct TSample
{
    const char *Name;
    TSymbology Symbology;
    const char *Data;
};

// One sample of every symbology the reader knows.
const TSample Samples[] = {
    {"QR", syQRCode, "Hello, World 123"},
    {"UPNQR", syUPNQR, "UPN 123"},
    {"HIBC QR", syHIBC_QRCode, "A123BJC5D6E71"},
    {"Micro QR", syMicroQRCode, "12345"},
    {"Data Matrix", syDataMatrix, "Data Matrix"},
    {"HIBC Data Matrix", syHIBC_DataMatrix, "A123BJC5D6E71"},
    {"Aztec", syAztecCode, "Aztec Code 2D"},
    {"HIBC Aztec", syHIBC_AztecCode, "A123BJC5D6E71"},
    {"PDF417", syPDF417, "PDF417 text"},
    {"Compact PDF417", syPDF417Compact, "PDF417 text"},
    {"HIBC PDF417", syHIBC_PDF417, "A123BJC5D6E71"},
    {"MaxiCode", syMaxicode, "MaxiCode data"},
    {"Code 128", syCode128, "Code 128 abc"},
    {"Code 128 AB", syCode128SubsetAB, "Code128 AB"},
    {"GS1-128", syGS1_128, "[01]09501101530003[10]AB12"},
    {"EAN-14", syEAN14, "9501101530003"},
    {"NVE-18", syNVE18, "12345678901234567"},
    {"HIBC 128", syHIBC_Code128, "A123BJC5D6E71"},
    {"Code 39", syCode3Of9, "CODE39 TEST"},
    {"Code 39 lower case", syCode3Of9, "code39"},
    {"LOGMARS", syLOGMARS, "LOGMARS1"},
    {"VIN", syVIN, "1M8GDM9AXKP042788"},
    {"Extended 39", syExtendedCode3Of9, "Extended 39 abc"},
    {"HIBC 39", syHIBC_Code39, "A123BJC5D6E71"},
    {"Code 32", syCode32, "12345678"},
    {"PZN", syPZN, "1234567"},
    {"Code 93", syCode93, "Code 93 x"},
    {"Codabar", syCodabar, "A123456B"},
    {"ITF", syInterleaved2Of5, "12345678"},
    {"Leitcode", syDeutschePostLeitcode, "2104505612345"},
    {"Identcode", syDeutschePostIdentcode, "12345678901"},
    {"ITF-14", syITF14, "1234567890123"},
    {"EAN-13", syEAN, "123456789012"},
    {"EAN-8", syEAN, "1234567"},
    {"EAN add-on", syEAN, "123456789012+12"},
    {"EAN check", syEAN_Check, "1234567890128"},
    {"UPC-A", syUPCA, "12345678901"},
    {"UPC-A check", syUPCA_Check, "123456789012"},
    {"UPC-E", syUPCE, "123456"},
    {"UPC-E check", syUPCE_Check, "01234565"},
    {"ISBN", syISBN, "9781234567897"},
    {"ISBN-10", syISBN, "0123456789"},
    {"DataBar", syGS1_DataBarOmni, "0950110153000"},
    {"DataBar stacked", syGS1_DataBarStacked, "0950110153000"},
    {"DataBar omni stacked", syGS1_DataBarOmniStacked, "0950110153000"},
    {"DataBar expanded", syGS1_DataBarExpanded, "[01]09501101530003[10]AB12"},
    {"DataBar expanded stacked", syGS1_DataBarExpandedStacked, "[01]09501101530003[10]AB12"},
};

void TestScanCheck::ReadsBack_data()
{
    QTest::addColumn<TSymbology>("symbology");
    QTest::addColumn<QString>("data");
    QTest::addColumn<TLook>("look");
    QTest::addColumn<TScanOutcome>("outcome");
    TLook navyOnCream;
    navyOnCream.Fore = RGBToColor(0, 0, 128);
    navyOnCream.Back = RGBToColor(255, 250, 205);
    const std::pair<const char *, TLook> looks[] = {
        {"plain", TLook{}}, {"90", TLook{90}}, {"180", TLook{180}}, {"270", TLook{270}},
        {"dotty", TLook{0, true}}, {"dotty 1", TLook{0, true, clBlack, clWhite, 4.0f, imData, 1.0f}}, {"navy on cream", navyOnCream}, {"scale 3", TLook{0, false, clBlack, clWhite, 3.0f}},
    };
    for (const TSample &sample : Samples) {
        TBarcode barcode(nullptr);
        barcode.SetSymbology(sample.Symbology);
        const bool dots = InSet(barcode.Capabilities(), caDotty);
        for (const auto &[name, look] : looks) {
            if (look.Dotty && !dots)
                continue;
            // This reader finds MaxiCode only upright, and dots only where they nearly touch: where
            // it fails it must say so, and what it reads must be the data.
            const bool dataMatrix = sample.Symbology == syDataMatrix || sample.Symbology == syHIBC_DataMatrix;
            const bool unreadable = (look.Dotty && (look.DotSize < 1.0f || !dataMatrix)) ||
                                    (sample.Symbology == syMaxicode && look.Rotation != 0);
            QTest::addRow("%s, %s", sample.Name, name) << sample.Symbology << QString::fromUtf8(sample.Data) << look
                                                       << (unreadable ? TScanOutcome::DoesNotRead : TScanOutcome::ReadsBack);
        }
    }
}

void TestScanCheck::ReadsBack()
{
    QFETCH(TSymbology, symbology);
    QFETCH(QString, data);
    QFETCH(TLook, look);
    QFETCH(TScanOutcome, outcome);
    QVERIFY(HasScanReader(symbology));
    const TScanVerdict verdict = Checked(symbology, data, look);
    QVERIFY2(verdict.Outcome == outcome, qPrintable(Words(verdict)));
}

void TestScanCheck::Compare_data()
{
    QTest::addColumn<TSymbology>("symbology");
    QTest::addColumn<QString>("data");
    QTest::addColumn<bool>("gs1");
    QTest::addColumn<bool>("escapes");
    QTest::addColumn<QString>("seen");
    QTest::addColumn<bool>("same");
    const auto row = [](const char *name, TSymbology symbology, const char *data, const char *seen, bool same,
                        bool gs1 = false, bool escapes = false) {
        QTest::newRow(name) << symbology << QString::fromUtf8(data) << gs1 << escapes << QString::fromUtf8(seen) << same;
    };
    row("EAN other number", syEAN, "123456789012", "1234567890135", false);
    row("EAN two digits added", syEAN, "1234567890", "123456789012", false);
    row("EAN letters", syEAN, "12345A", "0012345", false);
    row("add-on missing", syEAN, "123456789012+12", "1234567890128", false);
    row("add-on other", syEAN, "123456789012+12", "1234567890128 13", false);
    row("HIBC wrong check", syHIBC_Code128, "A123", "+A123X", false);
    row("HIBC right check", syHIBC_Code128, "A123", "+A123E", true);
    row("Code 39 case kept", syExtendedCode3Of9, "abc", "ABC", false);
    row("Codabar without ends", syCodabar, "A123B", "123", true);
    row("GS1 separators", syGS1_128, "[10]AB[01]09501101530003", "10AB|0109501101530003", true);
    row("GS1 other AI", syGS1_128, "[10]AB", "11AB", false);
    row("GS1 in QR", syQRCode, "[10]AB[21]X", "10AB|21X", true, true);
    row("Code 32 other number", syCode32, "12345678", "0BCDFG", false);
    row("empty read", syCode128, "A", "", false);
    row("no reader", syCode11, "123", "123", false);
    row("escapes", syQRCode, "a\\tb\\x41\\u00E9\\\\", "a\tbAé\\", true, false, true);
    row("escapes off", syQRCode, "a\\tb", "a\tb", false);
}

void TestScanCheck::Compare()
{
    QFETCH(TSymbology, symbology);
    QFETCH(QString, data);
    QFETCH(bool, gs1);
    QFETCH(bool, escapes);
    QFETCH(QString, seen);
    QFETCH(bool, same);
    TScanRequest request;
    request.Symbology = symbology;
    request.Data = data;
    request.Gs1 = gs1;
    request.Escapes = escapes;
    seen.replace(u'|', QChar(0x1D)); // the group separator
    QCOMPARE(ReadsAsAsked(request, seen), same);
}

// A file read back as written, or cut or damaged: never a crash, never "reads back".
void TestScanCheck::Files_data()
{
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("keep"); // bytes kept of the written file; -1 all
    QTest::addColumn<TScanOutcome>("outcome");
    for (const char *extension : {"png", "bmp", "gif", "pcx", "svg"}) {
        QTest::addRow("%s", extension) << QString::fromLatin1(extension) << -1 << TScanOutcome::ReadsBack;
        QTest::addRow("%s cut", extension) << QString::fromLatin1(extension) << 200 << TScanOutcome::DoesNotRead;
        QTest::addRow("%s empty", extension) << QString::fromLatin1(extension) << 0 << TScanOutcome::DoesNotRead;
    }
}

void TestScanCheck::Files()
{
    QFETCH(QString, extension);
    QFETCH(int, keep);
    QFETCH(TScanOutcome, outcome);
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("symbol.") + extension);
    TBarcode barcode(nullptr);
    barcode.SetInputText(QStringLiteral("Read back from a file"));
    barcode.SetWhiteSpaceWidth(4);
    barcode.SetWhiteSpaceHeight(4);
    barcode.Save(fileName);
    if (keep >= 0) {
        QFile file(fileName);
        QVERIFY(file.resize(keep));
    }
    const std::optional<TScanVerdict> verdict = ReadBackFile(fileName, FileScanRequest(barcode, barcode.InputText()));
    QVERIFY(verdict.has_value());
    QVERIFY2(verdict->Outcome == outcome, qPrintable(Words(*verdict)));
}

// Text beyond ASCII: in Unicode mode the engine converts it (to the symbol's character set or
// with an ECI); in data mode its UTF-8 bytes go in as they are, which UPNQR's Latin-2 reads
// as other letters.
void TestScanCheck::Unicode_data()
{
    QTest::addColumn<TSymbology>("symbology");
    QTest::addColumn<TInputMode>("mode");
    QTest::addColumn<QString>("data");
    QTest::addColumn<TScanOutcome>("outcome");
    const QString latin1 = QStringLiteral("Grüße, señor");
    const QString latin2 = QStringLiteral("Plačilo računa");
    const QString mixed = QStringLiteral("Grüße, Привет, 日本");
    QTest::newRow("QR, UTF-8 bytes") << syQRCode << imData << mixed << TScanOutcome::ReadsBack;
    QTest::newRow("QR, Unicode") << syQRCode << imUnicode << latin1 << TScanOutcome::ReadsBack;
    QTest::newRow("Data Matrix, Unicode") << syDataMatrix << imUnicode << latin1 << TScanOutcome::ReadsBack;
    QTest::newRow("Aztec, Unicode") << syAztecCode << imUnicode << latin1 << TScanOutcome::ReadsBack;
    QTest::newRow("UPNQR, Unicode") << syUPNQR << imUnicode << latin2 << TScanOutcome::ReadsBack;
    QTest::newRow("UPNQR, UTF-8 bytes") << syUPNQR << imData << latin2 << TScanOutcome::ReadsDifferently;
}

void TestScanCheck::Unicode()
{
    QFETCH(TSymbology, symbology);
    QFETCH(TInputMode, mode);
    QFETCH(QString, data);
    QFETCH(TScanOutcome, outcome);
    TLook look;
    look.Mode = mode;
    const TScanVerdict verdict = Checked(symbology, data, look);
    QVERIFY2(verdict.Outcome == outcome, qPrintable(Words(verdict)));
}

void TestScanCheck::Unreadable()
{
    // Half of the symbol wiped out: nothing to read, and certainly not the data.
    TBarcode barcode(nullptr);
    barcode.SetSymbology(syQRCode);
    barcode.SetInputText(QStringLiteral("Hello"));
    barcode.SetScale(2.0f);
    QImage picture = barcode.Bitmap().convertToFormat(QImage::Format_RGB32);
    for (int y = picture.height() / 3; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, 0xFFFFFFFF);
    const TScanVerdict verdict = CheckPicture(picture, ScanRequestOf(barcode));
    QCOMPARE(verdict.Outcome, TScanOutcome::DoesNotRead);
    QVERIFY(Words(verdict).startsWith(Words(TScanVerdict{TScanOutcome::DoesNotRead, {}, {}})));
}

void TestScanCheck::Warnings_data()
{
    QTest::addColumn<TSymbology>("symbology");
    QTest::addColumn<QString>("data");
    QTest::addColumn<TColor>("fore");
    QTest::addColumn<TColor>("back");
    QTest::addColumn<TQuietZones>("zones");
    QTest::addColumn<float>("scale");
    QTest::addColumn<double>("xMm");
    QTest::addColumn<QList<int>>("kinds");
    const TColor grey = RGBToColor(210, 210, 210);
    const auto kind = [](TScanWarningKind k) { return QList<int>{int(k)}; };
    const QString ean = QStringLiteral("123456789012");
    const QString text = QStringLiteral("Code 128");
    QTest::newRow("clean QR") << syQRCode << text << clBlack << clWhite << qzCompliant << 1.0f << 0.0 << QList<int>{};
    QTest::newRow("clean EAN") << syEAN << ean << clBlack << clWhite << qzCompliant << 1.0f << 0.33 << QList<int>{};
    QTest::newRow("clean Code 128") << syCode128 << text << clBlack << clWhite << qzCompliant << 1.0f << 0.0 << QList<int>{};
    QTest::newRow("low contrast") << syQRCode << text << grey << clWhite << qzCompliant << 1.0f << 0.0
                                  << kind(TScanWarningKind::Contrast);
    QTest::newRow("light on dark") << syCode128 << text << clWhite << clBlack << qzCompliant << 1.0f << 0.0
                                   << kind(TScanWarningKind::LightOnDark);
    QTest::newRow("no quiet zone linear") << syCode128 << text << clBlack << clWhite << qzDisabled << 1.0f << 0.0
                                          << kind(TScanWarningKind::QuietZone);
    QTest::newRow("no quiet zone QR") << syQRCode << text << clBlack << clWhite << qzDisabled << 1.0f << 0.0
                                      << kind(TScanWarningKind::QuietZone);
    QTest::newRow("small modules") << syQRCode << text << clBlack << clWhite << qzCompliant << 0.5f << 0.0
                                   << kind(TScanWarningKind::SmallModules);
    QTest::newRow("EAN X too small") << syEAN << ean << clBlack << clWhite << qzCompliant << 1.0f << 0.2
                                     << kind(TScanWarningKind::XDimension);
    QTest::newRow("EAN X too large") << syEAN << ean << clBlack << clWhite << qzCompliant << 1.0f << 0.7
                                     << kind(TScanWarningKind::XDimension);
}

void TestScanCheck::Warnings()
{
    QFETCH(TSymbology, symbology);
    QFETCH(QString, data);
    QFETCH(TColor, fore);
    QFETCH(TColor, back);
    QFETCH(TQuietZones, zones);
    QFETCH(float, scale);
    QFETCH(double, xMm);
    QFETCH(QList<int>, kinds);
    TBarcode barcode(nullptr);
    barcode.SetSymbology(symbology);
    barcode.SetInputText(data);
    barcode.SetForeColor(fore);
    barcode.SetBackColor(back);
    barcode.SetQuietZones(zones);
    barcode.SetScale(scale);
    const QImage picture = barcode.Bitmap();
    const TScanVerdict verdict = CheckPicture(picture, ScanRequestOf(barcode, xMm));
    QList<int> found;
    for (const TScanWarning &warning : verdict.Warnings)
        found.append(int(warning.Kind));
    const QStringList texts = ScanWarningTexts(verdict, [](const QString &t) { return t; });
    QVERIFY2(found == kinds, qPrintable(texts.join(u'|')));
    // Each warning names its figure.
    for (int i = 0; i < texts.size(); ++i)
        QVERIFY2(texts[i].contains(QString::number(verdict.Warnings[i].Value).left(1)), qPrintable(texts[i]));
}

QTEST_GUILESS_MAIN(TestScanCheck)
#include "TestScanCheck.moc"
