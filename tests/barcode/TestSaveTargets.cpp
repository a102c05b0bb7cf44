#include "barcode/Barcode.h"
#include "barcode/BarcodeTestSupport.h"
#include "barcode/SaveTarget.h"
#include "support/CapturedStdout.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Saving to targets that are no regular file: they get the engine's bytes, or a clear error.
class TestSaveTargets final : public QObject
{
    Q_OBJECT

    QTemporaryDir FDir;
    QByteArray FExpected; // the SVG a regular save writes

    QString Path(const char *name) const { return FDir.filePath(QLatin1String(name)); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(FDir.isValid());
        // Temporary files of this test only, so that the check for leftovers sees no others.
        QVERIFY(QDir(FDir.path()).mkdir(QStringLiteral("tmp")));
        qputenv("TMPDIR", QFile::encodeName(Path("tmp")));
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("Quorvel"));
        barcode.Save(Path("regular.svg"));
        FExpected = ReadAll(Path("regular.svg"));
        QVERIFY(FExpected.startsWith("<?xml"));
    }

    void DeviceOrFifoTargets_data()
    {
        QTest::addColumn<QString>("device"); // what the name links to; "fifo" for a named pipe
        QTest::addColumn<QString>("error");  // the start of the message; empty for success
        QTest::newRow("/dev/null") << "/dev/null" << QString();
        QTest::newRow("/dev/stdout") << "/dev/stdout" << QString();
        QTest::newRow("named pipe") << "fifo" << QString();
        QTest::newRow("/dev/full") << "/dev/full" << "The file \"";
    }

    void DeviceOrFifoTargets()
    {
        QFETCH(QString, device);
        QFETCH(QString, error);
        const QString name = FDir.filePath(QStringLiteral("target-%1.svg").arg(QTest::currentDataTag()).replace(u'/', u'_'));
        if (device == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(name).constData(), 0600), 0);
        else
            QVERIFY(QFile::link(device, name));
        QByteArray piped;
        std::thread reader;
        if (device == QLatin1String("fifo"))
            reader = std::thread([&] { piped = ReadAll(name); });
        const QString captured = Path("stdout.txt");
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("Quorvel"));
        QString message;
        {
            const TCapturedStdout capture(captured);
            message = Message([&] { barcode.Save(name); });
        }
        if (reader.joinable())
            reader.join();
        if (!error.isEmpty()) {
            QVERIFY2(message.startsWith(error) && message.contains(QStringLiteral("could not be written")), qPrintable(message));
            return;
        }
        QCOMPARE(message, QStringLiteral("<no EBarcodeError>"));
        if (device == QLatin1String("fifo"))
            QCOMPARE(piped, FExpected);
        if (device == QLatin1String("/dev/stdout"))
            QCOMPARE(ReadAll(captured), FExpected);
        // No temporary file stays behind.
        QCOMPARE(QDir(Path("tmp")).entryList(QDir::Files), QStringList());
    }

    // With the standard-output option the engine writes there itself; no file appears, and the
    // save does not mistake the missing file for a failure.
    void StdoutOptionWritesNoFile()
    {
        const QString captured = Path("stdout-option.txt");
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("Quorvel"));
        barcode.SetOutputOptions(SetOf(opStdout));
        QString message;
        {
            const TCapturedStdout capture(captured);
            message = Message([&] { barcode.Save(Path("not-written.svg")); });
        }
        QCOMPARE(message, QStringLiteral("<no EBarcodeError>"));
        QVERIFY(!QFile::exists(Path("not-written.svg")));
        QCOMPARE(ReadAll(captured), FExpected);
    }

    // "-" means standard output to engines that know it; others refuse the name. Either way a
    // save never reports success with nothing written.
    void DashIsStandardOutputOrRefused()
    {
        const QString captured = Path("stdout-dash.txt");
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("Quorvel"));
        QString message;
        {
            const TCapturedStdout capture(captured);
            message = Message([&] { barcode.Save(QStringLiteral("-")); });
        }
        if (message == QLatin1String("<no EBarcodeError>"))
            QVERIFY(!ReadAll(captured).isEmpty());
        else
            QVERIFY2(message.contains(QStringLiteral("output format")), qPrintable(message));
        QVERIFY(!QFile::exists(QStringLiteral("-")));
    }
};

QTEST_GUILESS_MAIN(TestSaveTargets)
#include "TestSaveTargets.moc"
