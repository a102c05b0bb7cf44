#include "barcode/Barcode.h"
#include "toolkit/Exception.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

// File names that the engine would read differently from the program: what is saved must be the
// file that was named, or nothing and an error.
class TestFileNameEdgeCases : public QObject
{
    Q_OBJECT

private slots:
    void NameWithNulCharacter_data()
    {
        QTest::addColumn<QString>("name");
        // The engine reads its file name up to the first zero byte and takes the last three
        // characters before it as the format.
        QTest::newRow("format letters before the NUL") << QStringLiteral("PNG") + QChar(0) + QStringLiteral("x.svg");
        QTest::newRow("whole name before the NUL") << QStringLiteral("a.gif") + QChar(0) + QStringLiteral(".svg");
        QTest::newRow("NUL at the end") << QStringLiteral("b.svg") + QChar(0);
    }

    void NameWithNulCharacter()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("Quorvel"));
        QString message;
        try {
            barcode.Save(dir.path() + u'/' + name);
        } catch (const EBarcodeError &error) {
            message = error.Message();
        }
        const QStringList written = QDir(dir.path()).entryList(QDir::Files);
        QVERIFY2(written.isEmpty(), qPrintable(QStringLiteral("wrote another file: ") + written.join(u' ')));
        QVERIFY(!message.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFileNameEdgeCases)
#include "TestFileNameEdgeCases.moc"
