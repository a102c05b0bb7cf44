#include "barcode/Barcode.h"
#include "barcode/SymbolVector.h"
#include "verify/ScanCheck.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(TSymbology)

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a poppler tool, an independent PDF reader, prints; nothing when it fails.
std::optional<QString> Poppler(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The page rasterised at `dpi`; with `transparent`, what the page leaves clear keeps no colour.
QImage Rasterised(const QString &pdf, int dpi, bool transparent = false)
{
    QStringList arguments{QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), QStringLiteral("-singlefile")};
    if (transparent)
        arguments << QStringLiteral("-transp");
    const QString stem = pdf + QStringLiteral(".page");
    if (!Poppler(transparent ? QStringLiteral("pdftocairo") : QStringLiteral("pdftoppm"), arguments << pdf << stem))
        return QImage();
    return QImage(stem + QStringLiteral(".png"));
}

// The pictures poppler finds in the file (two heading lines, then one line each); -1 when it cannot tell.
int ImageCount(const QString &pdf)
{
    const std::optional<QString> list = Poppler(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    return list ? int(list->split(u'\n', Qt::SkipEmptyParts).size()) - 2 : -1;
}

} // namespace

class TestSymbolPdf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const char *tool : {"pdftoppm", "pdftocairo", "pdftotext", "pdfimages"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QFAIL(qPrintable(QStringLiteral("%1 is missing (poppler-utils, scripts/setup.sh)").arg(QLatin1String(tool))));
    }

    void ReadsBack_data()
    {
        QTest::addColumn<TSymbology>("symbology");
        QTest::addColumn<QString>("data");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<float>("scale");
        QTest::addColumn<double>("dpi"); // the symbol's resolution; 0: none
        QTest::newRow("QR Code") << syQRCode << "https://example.org/pdf" << 0 << 1.0f << 0.0;
        QTest::newRow("Code 128 with its text") << syCode128 << "ABC-123" << 0 << 1.0f << 0.0;
        QTest::newRow("Data Matrix at 300 dpi") << syDataMatrix << "Label 42" << 0 << 2.0f << 300.0;
        QTest::newRow("Aztec turned") << syAztecCode << "Aztec in a PDF" << 90 << 1.5f << 0.0;
        QTest::newRow("EAN-13 turned upside down") << syEAN << "501234567890" << 180 << 1.0f << 0.0;
        QTest::newRow("MaxiCode hexagons and rings") << syMaxicode << "MaxiCode in a PDF" << 0 << 1.0f << 0.0;
    }

    void ReadsBack()
    {
        QFETCH(TSymbology, symbology);
        QFETCH(QString, data);
        QFETCH(int, rotation);
        QFETCH(float, scale);
        QFETCH(double, dpi);
        QTemporaryDir folder;
        TBarcode barcode(nullptr);
        barcode.SetSymbology(symbology);
        barcode.SetInputText(data);
        barcode.SetRotation(rotation);
        barcode.SetScale(scale);
        barcode.SetResolution(dpi);
        barcode.SetWhiteSpaceWidth(4);
        barcode.SetWhiteSpaceHeight(4);
        barcode.SetQuietZones(qzCompliant);
        const QString pdf = folder.filePath(QStringLiteral("symbol.pdf"));
        barcode.Save(pdf);

        const QString bytes = QString::fromLatin1(ReadAll(pdf));
        QVERIFY(bytes.startsWith(QLatin1String("%PDF-")));
        // Vectors only: no picture object anywhere in the file, by its bytes and by poppler.
        QVERIFY(!bytes.contains(QRegularExpression(QStringLiteral("/Subtype\\s*/Image"))));
        QCOMPARE(ImageCount(pdf), 0);
        // The page is the engine's drawing at the symbol's resolution (or 96 dpi), in whole points:
        // never smaller than the symbol, less than one point more.
        const QSizeF points = barcode.Vector().Size / (dpi > 0 ? dpi : 96.0) * 72;
        const QRegularExpressionMatch box = QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(bytes);
        QVERIFY(box.hasMatch());
        const double width = box.captured(1).toDouble(), height = box.captured(2).toDouble();
        QVERIFY2(width >= points.width() - 1e-3 && width < points.width() + 1, qPrintable(box.captured(0)));
        QVERIFY2(height >= points.height() - 1e-3 && height < points.height() + 1, qPrintable(box.captured(0)));

        const QImage page = Rasterised(pdf, 300);
        QVERIFY(!page.isNull());
        const TScanVerdict verdict = ReadBack(page, FileScanRequest(barcode, data));
        QCOMPARE(verdict.Seen, QString());
        QCOMPARE(verdict.Outcome, TScanOutcome::ReadsBack);
    }

    void TextIsText()
    {
        QTemporaryDir folder;
        TBarcode barcode(nullptr);
        barcode.SetSymbology(syCode128);
        barcode.SetInputText(QStringLiteral("Grüße-42"));
        const QString pdf = folder.filePath(QStringLiteral("text.pdf"));
        barcode.Save(pdf);
        QCOMPARE(Poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).value_or(QString()).simplified(),
                 barcode.OutputText());
    }

    void TransparentBackground()
    {
        QTemporaryDir folder;
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("clear"));
        barcode.SetWhiteSpaceWidth(2);
        const QString pdf = folder.filePath(QStringLiteral("clear.pdf"));
        for (const bool transparent : {false, true}) {
            barcode.SetTransparentBack(transparent);
            barcode.Save(pdf);
            const QImage page = Rasterised(pdf, 96, true);
            QVERIFY(!page.isNull());
            QCOMPARE(qAlpha(page.pixel(0, 0)), transparent ? 0 : 255);
            QCOMPARE(qAlpha(page.pixel(page.width() / 2, page.height() / 2)) > 0, true);
        }
    }

    // The earlier file survives a save that fails.
    void FailedSaveKeepsTheFile()
    {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("kept.pdf"));
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("first"));
        barcode.Save(pdf);
        const QByteArray first = ReadAll(pdf);
        barcode.SetSymbology(syEAN);
        barcode.SetInputText(QStringLiteral("not digits"));
        QVERIFY_THROWS_EXCEPTION(EBarcodeError, barcode.Save(pdf));
        QCOMPARE(ReadAll(pdf), first);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("kept.pdf")});
    }
};

QTEST_MAIN(TestSymbolPdf)
#include "TestSymbolPdf.moc"
