#include "barcode/Barcode.h"

#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The file as Qt's readers see it, alpha channel included; an SVG drawn onto a transparent canvas of
// its own size. TIF goes through ImageMagick when Qt has no TIFF plug-in.
QImage Loaded(const QString &fileName)
{
    if (fileName.endsWith(QLatin1String(".svg"))) {
        QSvgRenderer renderer(fileName);
        QImage canvas(renderer.defaultSize(), QImage::Format_ARGB32);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        renderer.render(&painter);
        return canvas;
    }
    if (fileName.endsWith(QLatin1String(".tif")) && !QImageReader::supportedImageFormats().contains("tiff")) {
        const QString png = fileName + QStringLiteral(".png");
        QProcess process;
        process.start(QStringLiteral("convert"), {fileName, QStringLiteral("png32:") + png});
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            return QImage();
        return QImage(png).convertToFormat(QImage::Format_ARGB32);
    }
    return QImageReader(fileName).read().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestTransparentBack : public QObject
{
    Q_OBJECT

private slots:
    void Files_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::newRow("PNG") << "png";
        QTest::newRow("TIF") << "tif";
        QTest::newRow("GIF") << "gif";
        QTest::newRow("SVG") << "svg";
    }

    // The corner is background (white space around the symbol); the first module of a QR Code's
    // finder pattern is a bar.
    void Files()
    {
        QFETCH(QString, extension);
        QTemporaryDir folder;
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("see through"));
        barcode.SetWhiteSpaceWidth(2);
        barcode.SetWhiteSpaceHeight(2);
        barcode.SetBackColor(0x00FFFF); // yellow: the engine must not fill it in anyway
        const int margin = 2 * 2 * int(barcode.Scale()) + 1; // into the first module
        for (const bool transparent : {false, true}) {
            barcode.SetTransparentBack(transparent);
            const QString fileName = folder.filePath(QStringLiteral("symbol.") + extension);
            barcode.Save(fileName);
            const QImage picture = Loaded(fileName);
            QVERIFY(!picture.isNull());
            QCOMPARE(qAlpha(picture.pixel(0, 0)), transparent ? 0 : 255);
            QCOMPARE(qAlpha(picture.pixel(margin, margin)), 255);
            // The bars keep their colour either way.
            QCOMPARE(QColor(picture.pixel(margin, margin)).rgb(), QColor(Qt::black).rgb());
        }
    }

    // The background is a rectangle in the background colour; transparent, the engine leaves
    // it out (2.11) or gives it no opacity at all (later versions).
    void SvgFillOpacity()
    {
        QTemporaryDir folder;
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("svg"));
        const QString fileName = folder.filePath(QStringLiteral("symbol.svg"));
        const QRegularExpression background(QStringLiteral("<rect[^>]*fill=\"#FFFFFF\"[^>]*>"));
        const QRegularExpression none(QStringLiteral("opacity=\"0(\\.0+)?\""));
        for (const bool transparent : {false, true}) {
            barcode.SetTransparentBack(transparent);
            barcode.Save(fileName);
            QFile file(fileName);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QRegularExpressionMatch rect = background.match(QString::fromUtf8(file.readAll()));
            const bool filled = rect.hasMatch() && !rect.captured(0).contains(none);
            QVERIFY2(filled != transparent, qPrintable(rect.captured(0)));
        }
    }

    void Preview()
    {
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("preview"));
        barcode.SetWhiteSpaceWidth(2);
        QCOMPARE(qAlpha(barcode.Bitmap().pixel(0, 0)), 255);
        barcode.SetTransparentBack(true);
        const QImage picture = barcode.Bitmap();
        QVERIFY(picture.hasAlphaChannel());
        QCOMPARE(qAlpha(picture.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(picture.pixel(2 * 2 + 1, 1)), 255); // the finder pattern's corner
    }

    // A copy for a batch worker draws the same background.
    void Assigned()
    {
        TBarcode source(nullptr);
        source.SetTransparentBack(true);
        TBarcode copy(nullptr);
        copy.AssignSettings(source);
        QVERIFY(copy.TransparentBack());
    }
};

QTEST_MAIN(TestTransparentBack)
#include "TestTransparentBack.moc"
