#include "toolkit/Exception.h"

#include <QtTest>

class TestException final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void MessageAndWhatCarryTheSameText_data()
    {
        QTest::addColumn<QString>("message");
        QTest::newRow("plain") << QStringLiteral("Symbology not found");
        QTest::newRow("non-ASCII") << QStringLiteral("Fehler \u00e4\u00f6\u00fc \u20ac");
        QTest::newRow("empty") << QString();
    }

    void MessageAndWhatCarryTheSameText()
    {
        QFETCH(QString, message);
        try {
            throw EInvalidOperation(message);
        } catch (const Exception &error) {
            QCOMPARE(error.Message(), message);
            QCOMPARE(QString::fromUtf8(error.what()), message);
        }
    }
};

QTEST_GUILESS_MAIN(TestException)
#include "TestException.moc"
