#include "ReliabilitySupport.h"

#include "barcode/Barcode.h"
#include "batch/BatchText.h"
#include "lang/LangChanger.h"
#include "lang/LangFile.h"
#include "toolkit/Exception.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Inputs far beyond anything sensible: refused with a message or handled, in bounded time, and
// the component stays usable afterwards.
class TestHugeInput : public QObject
{
    Q_OBJECT

private:
    // Generous: the sanitizer build on a busy machine is slow, an endless loop is not.
    static constexpr qint64 TimeLimitMs = 60000;

private slots:
    void HugeInputText_data()
    {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QChar>("character");
        QTest::newRow("QR Code, letters") << int(syQRCode) << QChar(u'A');
        QTest::newRow("QR Code, digits") << int(syQRCode) << QChar(u'9');
        QTest::newRow("QR Code, kanji") << int(syQRCode) << QChar(0x6F22);
        QTest::newRow("Data Matrix") << int(syDataMatrix) << QChar(u'A');
        QTest::newRow("Aztec Code") << int(syAztecCode) << QChar(u'A');
        QTest::newRow("PDF417") << int(syPDF417) << QChar(u'A');
        QTest::newRow("MaxiCode") << int(syMaxicode) << QChar(u'A');
        QTest::newRow("Han Xin") << int(syHanXin) << QChar(u'A');
        QTest::newRow("Grid Matrix") << int(syGridMatrix) << QChar(u'A');
        QTest::newRow("Ultracode") << int(syUltracode) << QChar(u'A');
        QTest::newRow("Code One") << int(syCodeOne) << QChar(u'A');
        QTest::newRow("Code 128") << int(syCode128) << QChar(u'A');
        QTest::newRow("Code 39") << int(syCode3Of9) << QChar(u'A');
        QTest::newRow("EAN") << int(syEAN) << QChar(u'9');
        QTest::newRow("GS1-128") << int(syGS1_128) << QChar(u'9');
        QTest::newRow("Codablock-F") << int(syCodaBlockF) << QChar(u'A');
        QTest::newRow("rMQR") << int(syRMQR) << QChar(u'A');
    }

    // One megabyte of data: the engine's "too long" message, not a crash or a hang.
    void HugeInputText()
    {
        QFETCH(int, symbology);
        QFETCH(QChar, character);
        TBarcode barcode(nullptr);
        barcode.SetSymbology(TSymbology(symbology));
        barcode.SetInputText(QString(1 << 20, character));
        QElapsedTimer timer;
        timer.start();
        const QString message = ErrorMessage([&] { (void)barcode.Bitmap(); });
        QVERIFY2(timer.elapsed() < TimeLimitMs, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!message.isEmpty());

        barcode.SetSymbology(syQRCode);
        barcode.SetInputText(QStringLiteral("small"));
        QVERIFY(!barcode.Bitmap().isNull());
    }

    // The primary message of a composite code is cut to what the engine's field holds.
    void HugePrimaryMessage()
    {
        TBarcode barcode(nullptr);
        barcode.SetSymbology(syCompositeGS1_128);
        barcode.SetInputMode(imGs1);
        barcode.SetPrimaryMessage(QStringLiteral("[01]") + QString(1 << 20, u'9'));
        barcode.SetInputText(QStringLiteral("[21]A12345678"));
        QVERIFY(!ErrorMessage([&] { (void)barcode.Bitmap(); }).isEmpty());
        barcode.SetPrimaryMessage(QStringLiteral("[01]12345678901231"));
        QCOMPARE(ErrorMessage([&] { (void)barcode.Bitmap(); }), QString());
        QVERIFY(!barcode.Bitmap().isNull());
    }

    // A file name of a megabyte is refused before the engine sees it.
    void HugeFileName()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("x"));
        const QString path = dir.path() + u'/' + QString(1 << 20, u'n') + QStringLiteral(".svg");
        QVERIFY(ErrorMessage([&] { barcode.Save(path); }).startsWith(QStringLiteral("FileName size")));
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    // A language file of 200,000 entries (about 12 MB): the normalising pass and a message
    // lookup finish and find the last entry.
    void HugeLanguageFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Huge.lng"));
        QStringList lines{QStringLiteral("[Messages]")};
        for (int i = 0; i < 200000; ++i)
            lines.append(QStringLiteral("Message number %1=Meldung %1").arg(i));
        lines.append(QStringLiteral("Bare line at the end"));
        WriteLanguageBytes(path, EncodeLines(lines));

        QElapsedTimer timer;
        timer.start();
        TLangChanger changer(nullptr);
        changer.SetLangFile(path);
        QCOMPARE(changer.TranslateMessage(QStringLiteral(" Message number 199999 ")),
                 QStringLiteral(" Meldung 199999 "));
        QVERIFY(TLangFile::Load(path).KeyExists(QStringLiteral("Messages"), QStringLiteral("Bare line at the end")));
        QVERIFY2(timer.elapsed() < TimeLimitMs, qPrintable(QString::number(timer.elapsed())));
    }

    // A batch file of one line of 32 MB and of 2 million short lines.
    void HugeBatchFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qsizetype>("lines");
        QTest::newRow("one long line") << QByteArray(32 << 20, 'x') << qsizetype(1);
        QByteArray many;
        for (int i = 0; i < 2000000; ++i)
            many.append("line\r\n");
        QTest::newRow("two million lines") << many << qsizetype(2000000);
    }

    void HugeBatchFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qsizetype, lines);
        QElapsedTimer timer;
        timer.start();
        const QStringList split = SplitBatchLines(DecodeBatchFile(bytes));
        QCOMPARE(split.size(), lines);
        QVERIFY2(timer.elapsed() < TimeLimitMs, qPrintable(QString::number(timer.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestHugeInput)
#include "TestHugeInput.moc"
