#include "barcode/Barcode.h"

#include <QMetaProperty>
#include <QtTest>

// Copying a component's settings into another one: every stored setting arrives, and the copy
// writes the same file as the original.
class TestBarcodeAssign final : public QObject
{
    Q_OBJECT

private:
    static void SetNonDefaults(TBarcode &barcode)
    {
        barcode.SetSymbology(syCode128);
        barcode.SetBackColor(RGBToColor(250, 240, 230));
        barcode.SetForeColor(RGBToColor(10, 20, 30));
        barcode.SetBorderWidth(2);
        barcode.SetHeight(33.0f);
        barcode.SetScale(1.5f);
        barcode.SetShowText(false);
        barcode.SetWhiteSpaceWidth(5);
        barcode.SetWhiteSpaceHeight(3);
        barcode.SetOutputOptions(SetOf(opBox, opBoldText));
        barcode.SetRotation(90);
        barcode.SetInputText(QStringLiteral("ABC-123"));
        barcode.SetMask(3);
        barcode.SetSymbolVersion(5);
        barcode.SetQuietZones(qzCompliant);
        barcode.SetEciEncoding(enUtf8);
        barcode.SetWarningLevel(waError);
    }

private Q_SLOTS:
    void CopiesEveryStoredSetting()
    {
        TBarcode source(nullptr);
        SetNonDefaults(source);
        TBarcode copy(nullptr);
        copy.AssignSettings(source);

        const QMetaObject &meta = TBarcode::staticMetaObject;
        int compared = 0;
        for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
            const QMetaProperty property = meta.property(i);
            if (!property.isStored() || !property.isWritable())
                continue;
            QVERIFY2(property.read(&copy) == property.read(&source), property.name());
            ++compared;
        }
        QVERIFY(compared >= 30);
        QCOMPARE(copy.Symbology(), syCode128);
        QCOMPARE(copy.ForeColor(), RGBToColor(10, 20, 30));
        QCOMPARE(copy.InputText(), QStringLiteral("ABC-123"));
        QCOMPARE(copy.EciEncoding(), enUtf8);
        QVERIFY(copy.Name().isEmpty());
    }

    void CopyWritesTheSameFile_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::newRow("SVG") << ".svg";
        QTest::newRow("BMP") << ".bmp";
    }

    void CopyWritesTheSameFile()
    {
        QFETCH(QString, extension);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        TBarcode source(nullptr);
        SetNonDefaults(source);
        source.SetMask(-1);
        source.SetSymbolVersion(0);
        source.SetEciEncoding(enDefault); // Code 128 takes no ECI
        source.SetResolution(300);        // stamped into BMP files
        // A render before the copy: the copy still renders for itself.
        QVERIFY(!source.Bitmap().isNull());
        TBarcode copy(nullptr);
        copy.AssignSettings(source);
        QCOMPARE(copy.Resolution(), 300.0);
        source.Save(dir.filePath(QStringLiteral("source") + extension));
        copy.Save(dir.filePath(QStringLiteral("copy") + extension));

        QFile a(dir.filePath(QStringLiteral("source") + extension));
        QFile b(dir.filePath(QStringLiteral("copy") + extension));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        const QByteArray bytes = a.readAll();
        QVERIFY(!bytes.isEmpty());
        QCOMPARE(b.readAll(), bytes);
        QCOMPARE(copy.Bitmap(), source.Bitmap());
    }

    // A copy keeps warnings as its source does: the batch saves text that needs an ECI as the
    // window shows it, and without the choice the engine's warning stops the save.
    void CopyKeepsWarningsAsTheSourceDoes_data()
    {
        QTest::addColumn<bool>("keep");
        QTest::newRow("kept") << true;
        QTest::newRow("raised") << false;
    }

    void CopyKeepsWarningsAsTheSourceDoes()
    {
        QFETCH(bool, keep);
        TBarcode source(nullptr);
        source.SetInputMode(imUnicode);
        source.SetInputText(QStringLiteral("Grüße 日本"));
        source.SetKeepWarnings(keep);
        TBarcode copy(nullptr);
        copy.AssignSettings(source);
        bool raised = false;
        try {
            QVERIFY(!copy.Bitmap().isNull());
        } catch (const EBarcodeError &) {
            raised = true;
        }
        QCOMPARE(raised, !keep);
        QCOMPARE(copy.Warning().isEmpty(), !keep);
    }
};

QTEST_GUILESS_MAIN(TestBarcodeAssign)
#include "TestBarcodeAssign.moc"
