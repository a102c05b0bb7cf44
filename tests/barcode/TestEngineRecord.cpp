#include "barcode/Barcode.h"
#include "barcode/BarcodeTestSupport.h"
#include "barcode/FakeEngine.h"
#include "barcode/ZintLibrary.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The engine record a component keeps between renders, seen through the recording engine.
class TestEngineRecord final : public QObject
{
    Q_OBJECT

    TFakeEngine Fake;
    QTemporaryDir WorkFolder;

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

    // Whatever one render wrote, or the engine wrote back, the next starts from a fresh record.
    void KeptRecordStartsEachRenderFromTheEngineDefaults()
    {
        Fake.SetCapabilities(SetOf(caMask, caMultiByte));
        TBarcode barcode(nullptr);
        barcode.SetSecurityLevel(sl4);
        barcode.SetSymbolVersion(5);
        barcode.SetMask(3);
        barcode.SetEciEncoding(enUtf8);
        barcode.SetDotSize(1.5f);
        barcode.SetPrimaryMessage(QStringLiteral("P"));
        barcode.Save(QStringLiteral("kept.svg"));
        QCOMPARE(Record().option_1, 4);
        QCOMPARE(Record().option_2, 5);
        QCOMPARE(Record().eci, 26);

        barcode.SetSecurityLevel(slDefault);
        barcode.SetSymbolVersion(0);
        barcode.SetMask(-1);
        barcode.SetEciEncoding(enDefault);
        barcode.SetDotSize(0.0f);
        barcode.SetPrimaryMessage(QString());
        barcode.Bitmap();
        const zint_symbol &r = Record();
        QCOMPARE(r.option_1, DefaultOption1);
        QCOMPARE(r.option_2, DefaultOption2); // not the 31337 the engine wrote back
        QCOMPARE(r.option_3, DefaultOption3);
        QCOMPARE(r.eci, DefaultEci);
        QCOMPARE(r.dot_size, DefaultDotSize);
        QCOMPARE(r.height, 50.0f);
        QCOMPARE(QByteArray(r.primary), QByteArray("left over"));
        QCOMPARE(QByteArray(r.outfile), QByteArray());
        QCOMPARE(QByteArray(r.fgcolour), QByteArray("000000"));
        QCOMPARE(QString::fromLatin1(Fake.Log()).count(QStringLiteral("Create")), 1);
    }

    // A record the engine failed on may hold half a symbol: it goes back, and the next render
    // creates a new one. Every created record is deleted exactly once.
    void RecordOfAFailureIsReplaced()
    {
        {
            TBarcode barcode(nullptr);
            barcode.Bitmap();
            Fake.SetFailure(1, 5, "Error 5: no");
            barcode.SetInputText(QStringLiteral("x"));
            QCOMPARE(Message([&] { barcode.Bitmap(); }), QStringLiteral("Error 5: no"));
            QVERIFY(QString::fromLatin1(Fake.Log()).endsWith(QStringLiteral("Encode,Delete")));
            Fake.SetFailure(0, 0, "");
            QVERIFY(!barcode.Bitmap().isNull());
        }
        const QString log = QString::fromLatin1(Fake.Log());
        QCOMPARE(log.count(QStringLiteral("Create")), 2);
        QCOMPARE(log.count(QStringLiteral("Delete")), 2);
    }

    // A record of an engine that has been replaced since is given back to the engine it came
    // from, never handed to the new one.
    void RecordOfAReplacedEngineIsNotReused()
    {
        TBarcode barcode(nullptr);
        barcode.Bitmap();
        ReplaceZintLibraryForTesting(QStringLiteral(FAKE_ZINT_RECORDING));
        Fake.Reset();
        barcode.SetInputText(QStringLiteral("again"));
        QVERIFY(!barcode.Bitmap().isNull());
        QCOMPARE(QString::fromLatin1(Fake.Log()), QStringLiteral("Version,Delete,Create,Clear,Cap,Encode,Buffer"));
    }

    // A save that wrote nothing must never look like one that did.
    void NullRecordFailsASave()
    {
        Fake.SetCreateFails(1);
        TBarcode barcode(nullptr);
        QCOMPARE(Message([&] { barcode.Save(QStringLiteral("none.svg")); }),
                 QStringLiteral("The engine could not create a symbol record (out of memory?)"));
        QVERIFY(!QFile::exists(QStringLiteral("none.svg")));
        QCOMPARE(QString::fromLatin1(Fake.Log()), QStringLiteral("Version,Create"));
        Fake.SetCreateFails(0);
        barcode.Save(QStringLiteral("none.svg"));
        QVERIFY(QFile::exists(QStringLiteral("none.svg")));
    }
};

QTEST_GUILESS_MAIN(TestEngineRecord)
#include "TestEngineRecord.moc"
