#include "barcode/Barcode.h"

#include <QMetaEnum>
#include <QMetaProperty>
#include <QSet>
#include <QtTest>

class TestBarcodeModel final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void FreshComponentHasTheDefaults()
    {
        QObject owner;
        TBarcode barcode(&owner);
        QCOMPARE(barcode.Owner(), &owner);
        QCOMPARE(barcode.Symbology(), syQRCode);
        QCOMPARE(int(barcode.Symbology()), 38);
        QCOMPARE(barcode.SymbologyName(), QStringLiteral("QR Code"));
        QCOMPARE(barcode.Height(), 50.0f);
        QCOMPARE(barcode.Scale(), 1.0f);
        QCOMPARE(barcode.GuardDescent(), 5.0f);
        QCOMPARE(barcode.Mask(), -1);
        QCOMPARE(barcode.SeparatorHeight(), 1);
        QVERIFY(barcode.ShowText());
        QVERIFY(barcode.InputCheck());
        QCOMPARE(barcode.BackColor(), TColor(0xFFFFFF));
        QCOMPARE(barcode.ForeColor(), TColor(0));
        QCOMPARE(barcode.DotSize(), 0.0f);
        QCOMPARE(barcode.TextGap(), 0.0f);
        QCOMPARE(barcode.OutputOptions(), TOutputOptions(0));
        QCOMPARE(barcode.QuietZones(), qzDefault);
        QCOMPARE(barcode.WarningLevel(), waDefault);
        QCOMPARE(barcode.InputMode(), imData);
        QVERIFY(barcode.InputText().isEmpty());
        const QString about = barcode.About();
        QVERIFY(about.startsWith(QStringLiteral("Version 7.8, ")));
        QVERIFY(barcode.setProperty("About", QStringLiteral("changed")));
        QCOMPARE(barcode.About(), about);
    }

    void RangeRules_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<int>("start"); // a valid value assigned first
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("Columns 200") << "Columns" << 5 << 200 << true;
        QTest::newRow("Columns 201") << "Columns" << 5 << 201 << false;
        QTest::newRow("Columns -1") << "Columns" << 5 << -1 << false;
        QTest::newRow("Mask -1") << "Mask" << 0 << -1 << true;
        QTest::newRow("Mask 7") << "Mask" << 0 << 7 << true;
        QTest::newRow("Mask -2") << "Mask" << 0 << -2 << false;
        QTest::newRow("Mask 8") << "Mask" << 0 << 8 << false;
        QTest::newRow("SymbolVersion 84") << "SymbolVersion" << 5 << 84 << true;
        QTest::newRow("SymbolVersion 85") << "SymbolVersion" << 5 << 85 << false;
        QTest::newRow("SymbolVersion -1") << "SymbolVersion" << 5 << -1 << false;
    }

    void RangeRules()
    {
        QFETCH(QString, property);
        QFETCH(int, start);
        QFETCH(int, value);
        QFETCH(bool, accepted);
        TBarcode barcode(nullptr);
        const QByteArray name = property.toLatin1();
        QVERIFY(barcode.setProperty(name, start));
        try {
            barcode.setProperty(name, value);
            QVERIFY(accepted);
            QCOMPARE(barcode.property(name).toInt(), value);
        } catch (const EInvalidOperation &error) {
            QVERIFY(!accepted);
            QCOMPARE(error.Message(), QStringLiteral("TBarcode property out of range"));
            QCOMPARE(barcode.property(name).toInt(), start);
        }
    }

    void SymbologyNameSelectsByExactDisplayName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("expected"); // -1: not found
        QTest::newRow("Aztec Code") << "Aztec Code" << int(syAztecCode);
        QTest::newRow("non-ASCII name") << QStringLiteral("UPNQR (Univerzalnega Pla\u010dilnega Naloga QR)") << int(syUPNQR);
        QTest::newRow("last") << "IBM BC412 (SEMI T1-95)" << int(syBC412);
        QTest::newRow("first") << "Code 11" << int(syCode11);
        QTest::newRow("lower case") << "aztec code" << -1;
        QTest::newRow("trailing blank") << "Aztec Code " << -1;
        QTest::newRow("empty") << "" << -1;
    }

    void SymbologyNameSelectsByExactDisplayName()
    {
        QFETCH(QString, name);
        QFETCH(int, expected);
        TBarcode barcode(nullptr);
        barcode.SetSymbology(syCode128);
        try {
            barcode.SetSymbologyName(name);
            QCOMPARE(int(barcode.Symbology()), expected);
            QCOMPARE(barcode.SymbologyName(), name);
        } catch (const EBarcodeError &error) {
            QCOMPARE(expected, -1);
            QCOMPARE(error.Message(), QStringLiteral("Symbology not found"));
            QCOMPARE(barcode.Symbology(), syCode128);
        }
    }

    void CatalogueHasUniqueNamesThatRoundTrip()
    {
        TBarcode barcode(nullptr);
        QSet<QString> names;
        for (int i = 0; i < SymbologyCount; ++i) {
            const QString name = TBarcode::SymbologyNames(TSymbology(i));
            QVERIFY2(!name.isEmpty() && !names.contains(name), qPrintable(name));
            names.insert(name);
            barcode.SetSymbologyName(name);
            QCOMPARE(int(barcode.Symbology()), i);
        }
        QCOMPARE(TBarcode::SymbologyNames(syBC412), QStringLiteral("IBM BC412 (SEMI T1-95)"));
        const QMetaEnum symbologies = QMetaEnum::fromType<TSymbology>();
        QCOMPARE(symbologies.keyCount(), SymbologyCount);
        QCOMPARE(symbologies.valueToKey(syAztecCode), "syAztecCode");
        QCOMPARE(symbologies.valueToKey(98), "syBC412");
    }

    void PublishedPropertiesByName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("Height") << "Height" << QVariant(12.5f);
        QTest::newRow("Symbology") << "Symbology" << QVariant::fromValue(syDataMatrix);
        QTest::newRow("OutputOptions") << "OutputOptions" << QVariant(int(SetOf(opBox, opBpp1)));
        QTest::newRow("ForeColor") << "ForeColor" << QVariant(0x123456u);
        QTest::newRow("InputText") << "InputText" << QVariant(QStringLiteral("x"));
        QTest::newRow("SecurityLevel") << "SecurityLevel" << QVariant::fromValue(sl3);
        QTest::newRow("ShowText") << "ShowText" << QVariant(false);
    }

    void PublishedPropertiesByName()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        TBarcode barcode(nullptr);
        const QByteArray key = name.toLatin1();
        QVERIFY(barcode.setProperty(key, value));
        QCOMPARE(barcode.property(key).toString(), value.toString());
        QCOMPARE(barcode.property(key).toInt(), value.toInt());
    }
};

QTEST_GUILESS_MAIN(TestBarcodeModel)
#include "TestBarcodeModel.moc"
