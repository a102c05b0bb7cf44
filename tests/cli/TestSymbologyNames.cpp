// Symbologies named on the command line: every name of the catalogue leads back to its own
// symbology, whatever the case, blanks and punctuation.
#include "barcode/Symbologies.h"
#include "cli/SymbologyNames.h"

#include <QtTest>

class TestSymbologyNames : public QObject
{
    Q_OBJECT

private slots:
    void everyNameFindsItsOwnSymbology()
    {
        for (int i = 0; i < SymbologyCount; ++i) {
            const auto symbology = TSymbology(i);
            for (const QString &name : {DisplayName(symbology), CommandLineName(symbology),
                                        DisplayName(symbology).toUpper(), CommandLineName(symbology).toLower()}) {
                TSymbology found = symbology == syCode11 ? syQRCode : syCode11;
                QVERIFY2(SymbologyFromCommandLine(name, found), qPrintable(name));
                QVERIFY2(found == symbology, qPrintable(name + " -> " + DisplayName(found)));
            }
        }
    }

    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("known");
        QTest::addColumn<int>("symbology");
        QTest::newRow("short name") << "QRCode" << true << int(syQRCode);
        QTest::newRow("hyphens and case") << "qr-code" << true << int(syQRCode);
        QTest::newRow("list name, blanks around") << "  Data Matrix (ECC200) " << true << int(syDataMatrix);
        QTest::newRow("short name with underscore") << "gs1_128" << true << int(syGS1_128);
        QTest::newRow("non-ASCII list name") << "UPNQR (Univerzalnega Plačilnega Naloga QR)" << true << int(syUPNQR);
        QTest::newRow("short name in words") << "Data Matrix" << true << int(syDataMatrix);
        QTest::newRow("a part of a name") << "Matrix" << false << 0;
        QTest::newRow("the prefix") << "syQRCode" << false << 0;
        QTest::newRow("punctuation only") << "--" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
    }

    void names()
    {
        QFETCH(QString, name);
        QFETCH(bool, known);
        QFETCH(int, symbology);
        TSymbology found = syCode11;
        QCOMPARE(SymbologyFromCommandLine(name, found), known);
        if (known)
            QCOMPARE(int(found), symbology);
    }
};

QTEST_GUILESS_MAIN(TestSymbologyNames)
#include "TestSymbologyNames.moc"
