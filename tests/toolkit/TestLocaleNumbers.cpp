#include "toolkit/LocaleNumbers.h"

#include <QtTest>
#include <clocale>

class TestLocaleNumbers final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void GeneralFormatWithFifteenDigits_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << "en_US" << 0.0 << "0";
        QTest::newRow("one") << "en_US" << 1.0 << "1";
        QTest::newRow("two and a half") << "en_US" << 2.5 << "2.5";
        QTest::newRow("two and a half, German") << "de_DE" << 2.5 << "2,5";
        QTest::newRow("single 0.8 widened") << "en_US" << double(0.8f) << "0.800000011920929";
        QTest::newRow("single 2.6 widened, German") << "de_DE" << double(2.6f) << "2,59999990463257";
        QTest::newRow("negative") << "en_US" << -0.5 << "-0.5";
        QTest::newRow("no grouping") << "en_US" << 1234567.0 << "1234567";
        QTest::newRow("small uses exponent") << "en_US" << 0.00001 << "1E-5";
        QTest::newRow("smallest fixed") << "en_US" << 0.0001 << "0.0001";
        QTest::newRow("large uses exponent") << "en_US" << 1e15 << "1E15";
        QTest::newRow("largest fixed") << "en_US" << 1e14 << "100000000000000";
        QTest::newRow("exponent with fraction, German") << "de_DE" << 1.5e-7 << "1,5E-7";
        QTest::newRow("rounds to 15 digits") << "en_US" << 0.1 + 0.2 << "0.3";
    }

    void GeneralFormatWithFifteenDigits()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(FloatToStr(value), text);
    }

    void TenthsInExtendedPrecision_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "0";
        QTest::newRow("5") << 5 << "0.5";
        QTest::newRow("10") << 10 << "1";
        QTest::newRow("25") << 25 << "2.5";
        QTest::newRow("26") << 26 << "2.6";
        QTest::newRow("-3") << -3 << "-0.3";
    }

    void TenthsInExtendedPrecision()
    {
        QFETCH(int, position);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(FloatToStr(position * 0.1L), text);
    }

    void CLibraryLocaleDoesNotLeakIn()
    {
        // Qt applications take the C library's numeric locale from the environment.
        const char *previous = std::setlocale(LC_NUMERIC, nullptr);
        const QByteArray saved = previous ? QByteArray(previous) : QByteArray("C");
        if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
            QSKIP("de_DE.UTF-8 is not installed");
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QString text = FloatToStr(2.5L);
        const std::optional<double> parsed = StrToFloat("2.5");
        std::setlocale(LC_NUMERIC, saved.constData());
        QCOMPARE(text, QString("2.5"));
        QVERIFY(parsed.has_value());
        QCOMPARE(*parsed, 2.5);
    }

    void ParsesLocaleDecimals_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("point") << "en_US" << "2.5" << true << 2.5;
        QTest::newRow("comma, German") << "de_DE" << "2,5" << true << 2.5;
        QTest::newRow("point, German") << "de_DE" << "2.5" << false << 0.0;
        QTest::newRow("comma, English") << "en_US" << "2,5" << false << 0.0;
        QTest::newRow("thousands separator") << "en_US" << "1,000.5" << false << 0.0;
        QTest::newRow("blanks around") << "en_US" << "  7.25 " << true << 7.25;
        QTest::newRow("integer") << "en_US" << "12" << true << 12.0;
        QTest::newRow("leading separator") << "en_US" << ".5" << true << 0.5;
        QTest::newRow("trailing separator") << "en_US" << "3." << true << 3.0;
        QTest::newRow("negative") << "en_US" << "-1.5" << true << -1.5;
        QTest::newRow("exponent") << "en_US" << "1.5E2" << true << 150.0;
        QTest::newRow("exponent without digits") << "en_US" << "1E" << false << 0.0;
        QTest::newRow("letters") << "en_US" << "abc" << false << 0.0;
        QTest::newRow("digits then letters") << "en_US" << "2.5x" << false << 0.0;
        QTest::newRow("empty") << "en_US" << "" << false << 0.0;
        QTest::newRow("separator only") << "en_US" << "." << false << 0.0;
        QTest::newRow("sign only") << "en_US" << "-" << false << 0.0;
        QTest::newRow("overflow") << "en_US" << "1E999" << false << 0.0;
    }

    void ParsesLocaleDecimals()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        QLocale::setDefault(QLocale(locale));
        const std::optional<double> parsed = StrToFloat(text);
        QCOMPARE(parsed.has_value(), ok);
        if (ok)
            QCOMPARE(*parsed, value);
    }

    void ExplicitSeparator()
    {
        QCOMPARE(StrToFloat("1,5", QLatin1Char(',')).value_or(-1), 1.5);
        QVERIFY(!StrToFloat("1.5", QLatin1Char(',')).has_value());
        QCOMPARE(FloatToStr(1.5L, QLatin1Char(',')), QString("1,5"));
    }

    void WholeNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "42" << true << 42;
        QTest::newRow("negative") << "-7" << true << -7;
        QTest::newRow("blanks") << " 8 " << true << 8;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("beyond 32 bits") << "2147483648" << false << 0;
        QTest::newRow("fraction") << "1.5" << false << 0;
        QTest::newRow("letters") << "x1" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
    }

    void WholeNumbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        const std::optional<int> parsed = StrToInt(text);
        QCOMPARE(parsed.has_value(), ok);
        if (ok)
            QCOMPARE(*parsed, value);
    }
};

QTEST_GUILESS_MAIN(TestLocaleNumbers)
#include "TestLocaleNumbers.moc"
