#include "app/SymbolPrint.h"
#include "barcode/Barcode.h"
#include "toolkit/Exception.h"

#include <QPageLayout>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

// Printing the symbol: a real printer writing a PDF file, read back to see where the symbol
// stands on the page, how large it is and that its pixels are the symbol's, unsmoothed.

namespace {

constexpr double PointsPerInch = 72.0;
constexpr double MarginMm = 10.0;

// What a page of the PDF shows of its one image.
struct TPrintedImage
{
    QSize Pixels;
    QByteArray Filter;
    QByteArray Data; // the image's samples, decompressed
    QRectF Placed;   // on the page, in points, the origin at the bottom left
};

QByteArray Inflate(const QByteArray &deflated)
{
    // qUncompress wants the expected size first; it is only a hint.
    QByteArray sized(4, '\0');
    sized[1] = '\x10';
    return qUncompress(sized + deflated);
}

// The streams of the file with their dictionaries.
QList<QPair<QByteArray, QByteArray>> Streams(const QByteArray &pdf)
{
    QList<QPair<QByteArray, QByteArray>> streams;
    qsizetype at = 0;
    while ((at = pdf.indexOf("stream\n", at)) >= 0) {
        if (at >= 3 && pdf.mid(at - 3, 3) == "end") {
            at += 7;
            continue;
        }
        const qsizetype dictionary = pdf.lastIndexOf("<<", at);
        const qsizetype start = at + 7;
        const qsizetype end = pdf.indexOf("endstream", start);
        QByteArray data = pdf.mid(start, end - start);
        const QByteArray head = pdf.mid(dictionary, at - dictionary);
        if (head.contains("/FlateDecode"))
            data = Inflate(data);
        streams.append({head, data});
        at = end;
    }
    return streams;
}

// Follows the graphics state of the page's content up to the image it draws.
QRectF PlacedImage(const QByteArray &content)
{
    QList<QTransform> saved;
    QTransform current;
    QList<double> operands;
    for (const QByteArray &token : content.simplified().split(' ')) {
        bool number = false;
        const double value = token.toDouble(&number);
        if (number) {
            operands.append(value);
            continue;
        }
        if (token == "q") {
            saved.append(current);
        } else if (token == "Q" && !saved.isEmpty()) {
            current = saved.takeLast();
        } else if (token == "cm" && operands.size() >= 6) {
            const auto m = operands.mid(operands.size() - 6);
            current = QTransform(m[0], m[1], m[2], m[3], m[4], m[5]) * current;
        } else if (token == "Do") {
            return current.mapRect(QRectF(0, 0, 1, 1));
        }
        operands.clear();
    }
    return QRectF();
}

TPrintedImage ReadPrintedImage(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    TPrintedImage printed;
    for (const auto &[head, data] : Streams(file.readAll())) {
        if (head.contains("/Subtype /Image")) {
            const QRegularExpressionMatch width = QRegularExpression(R"(/Width (\d+))").match(QString::fromLatin1(head));
            const QRegularExpressionMatch height = QRegularExpression(R"(/Height (\d+))").match(QString::fromLatin1(head));
            const QRegularExpressionMatch filter = QRegularExpression(R"(/Filter /(\w+))").match(QString::fromLatin1(head));
            printed.Pixels = QSize(width.captured(1).toInt(), height.captured(1).toInt());
            printed.Filter = filter.captured(1).toLatin1();
            printed.Data = data;
        } else if (data.contains(" Do")) {
            printed.Placed = PlacedImage(data);
        }
    }
    return printed;
}

std::unique_ptr<QPrinter> PdfPrinter(const QString &fileName)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(fileName);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter));
    return printer;
}

// The symbol as the main window shows it by default, drawn by the real engine.
QImage Symbol(float scale)
{
    TBarcode barcode(nullptr);
    barcode.SetSymbology(syQRCode);
    barcode.SetInputText(QStringLiteral("Printed at its actual size"));
    barcode.SetBorderWidth(8);
    barcode.SetScale(scale);
    return barcode.Bitmap();
}

} // namespace

class TestSymbolPrint : public QObject
{
    Q_OBJECT

private slots:
    void PrintsAtActualSize_data()
    {
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<double>("dpi");
        QTest::newRow("QR Code at the print resolution") << Symbol(1) << SymbolPrintDpi(TBarcode(nullptr));
        QTest::newRow("scale 3 at 300 dpi") << Symbol(3) << 300.0;
    }

    void PrintsAtActualSize()
    {
        QFETCH(QImage, picture);
        QFETCH(double, dpi);
        QTemporaryDir folder;
        const QString fileName = folder.filePath(QStringLiteral("symbol.pdf"));
        {
            const auto printer = PdfPrinter(fileName);
            QVERIFY(PrintSymbol(*printer, picture, dpi));
        }
        const TPrintedImage printed = ReadPrintedImage(fileName);
        QCOMPARE(printed.Pixels, picture.size());
        // Lossless: the samples are the symbol's own colours.
        QVERIFY2(printed.Filter != "DCTDecode", printed.Filter.constData());
        const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
        QByteArray samples;
        for (int y = 0; y < rgb.height(); ++y)
            samples.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 3);
        QVERIFY(printed.Data == samples);

        const QSizeF expected(picture.width() / dpi * PointsPerInch, picture.height() / dpi * PointsPerInch);
        QVERIFY2(std::abs(printed.Placed.width() - expected.width()) < 0.01
                     && std::abs(printed.Placed.height() - expected.height()) < 0.01,
                 qPrintable(QStringLiteral("%1 x %2 pt").arg(printed.Placed.width()).arg(printed.Placed.height())));
        // At the top left of the printable area of an A4 page (842 points high).
        const double margin = MarginMm / 25.4 * PointsPerInch;
        QVERIFY2(std::abs(printed.Placed.left() - margin) < 1 && std::abs(printed.Placed.bottom() - (842 - margin)) < 1,
                 qPrintable(QStringLiteral("at %1, %2").arg(printed.Placed.left()).arg(printed.Placed.bottom())));
    }

    void PrintResolutionFollowsTheComponent()
    {
        TBarcode barcode(nullptr);
        QCOMPARE(SymbolPrintDpi(barcode), 96.0);
        barcode.SetResolution(300);
        QCOMPARE(SymbolPrintDpi(barcode), 300.0);
    }

    void LargerThanThePageIsReducedToFit()
    {
        QTemporaryDir folder;
        const QString fileName = folder.filePath(QStringLiteral("wide.pdf"));
        QImage picture(4000, 100, QImage::Format_RGB32);
        picture.fill(Qt::black);
        {
            const auto printer = PdfPrinter(fileName);
            QVERIFY(!PrintSymbol(*printer, picture, 96));
        }
        const TPrintedImage printed = ReadPrintedImage(fileName);
        const double printable = (210 - 2 * MarginMm) / 25.4 * PointsPerInch;
        QVERIFY2(std::abs(printed.Placed.width() - printable) < 1, qPrintable(QString::number(printed.Placed.width())));
        QVERIFY(std::abs(printed.Placed.width() / printed.Placed.height() - 40.0) < 0.01);
    }

    void PrinterThatCannotStart()
    {
        QTemporaryDir folder;
        const auto printer = PdfPrinter(folder.filePath(QStringLiteral("missing/symbol.pdf")));
        try {
            PrintSymbol(*printer, Symbol(1), 96);
            QFAIL("printed into a missing folder");
        } catch (const Exception &error) {
            QCOMPARE(error.Message(),
                     QStringLiteral("Printing failed: the printer or its output file could not be opened"));
        }
    }
};

QTEST_MAIN(TestSymbolPrint)
#include "TestSymbolPrint.moc"
