#include "batch/BatchText.h"

#include <QtTest>

// Reading batch input: encodings by byte-order mark, line rules, NUL, trimming.
class TestBatchText final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void DecodesByMark_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");

        const QString nonAscii = QStringLiteral("Gr\u00fc\u00dfe \u20ac \U0001F600");
        QByteArray le("\xFF\xFE", 2);
        QByteArray be("\xFE\xFF", 2);
        for (QChar c : nonAscii) {
            le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
            be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
        }
        QTest::newRow("UTF-16 LE") << le << nonAscii;
        QTest::newRow("UTF-16 BE") << be << nonAscii;
        QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF") + nonAscii.toUtf8() << nonAscii;
        QTest::newRow("UTF-8 without mark") << nonAscii.toUtf8() << nonAscii;
        QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF") << QString();
        QTest::newRow("empty") << QByteArray() << QString();
        // Latin-1 bytes are not valid UTF-8; they must not turn into replacement characters.
        QTest::newRow("8-bit, not UTF-8") << QByteArray("caf\xE9 \xA3" "5") << QStringLiteral("caf\u00e9 \u00a35");
        QTest::newRow("NUL ends 8-bit text") << QByteArray("ab\0cd\xFF\xFE", 7) << QStringLiteral("ab");
        QTest::newRow("NUL ends UTF-8 text") << QByteArray("\xEF\xBB\xBFx\0y", 6) << QStringLiteral("x");
        QTest::newRow("NUL ends UTF-16 text") << QByteArray("\xFF\xFEx\0\0\0y\0", 8) << QStringLiteral("x");
        // A UTF-16 text whose characters have a zero high byte is not cut at those bytes.
        QTest::newRow("UTF-16 LE zero bytes") << QByteArray("\xFF\xFE" "a\0b\0", 6) << QStringLiteral("ab");
        QTest::newRow("odd UTF-16 byte") << QByteArray("\xFE\xFF\0a\0", 5) << QStringLiteral("a\ufffd");
    }

    void DecodesByMark()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(DecodeBatchFile(bytes), text);
    }

    void SplitsLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("CR LF") << QStringLiteral("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("lone LF") << QStringLiteral("a\nb") << QStringList{"a", "b"};
        QTest::newRow("lone CR") << QStringLiteral("a\rb") << QStringList{"a", "b"};
        QTest::newRow("LF CR is two breaks") << QStringLiteral("a\n\rb") << QStringList{"a", "", "b"};
        QTest::newRow("final break adds nothing") << QStringLiteral("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("final CR adds nothing") << QStringLiteral("a\r") << QStringList{"a"};
        QTest::newRow("empty lines inside kept") << QStringLiteral("a\n\n\nb") << QStringList{"a", "", "", "b"};
        QTest::newRow("two final breaks give one empty line") << QStringLiteral("a\n\n") << QStringList{"a", ""};
        QTest::newRow("break only") << QStringLiteral("\r\n") << QStringList{""};
        QTest::newRow("empty") << QString() << QStringList{};
        QTest::newRow("NUL ends the text") << QStringLiteral("a\nb") + QChar(0) + QStringLiteral("\nc")
                                           << QStringList{"a", "b"};
        QTest::newRow("blanks untouched") << QStringLiteral(" a \t\n") << QStringList{" a \t"};
    }

    void SplitsLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(SplitBatchLines(text), lines);
    }

    void TrimsBlanks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");

        QTest::newRow("spaces") << QStringLiteral("  word  ") << QStringLiteral("word");
        QTest::newRow("tab and controls") << QStringLiteral("\x01\tword\t\x1f") << QStringLiteral("word");
        QTest::newRow("inner blanks kept") << QStringLiteral(" a b ") << QStringLiteral("a b");
        QTest::newRow("only blanks") << QStringLiteral(" \t ") << QString();
        // Code 32 or less is a blank; a no-break space (160) is not.
        QTest::newRow("no-break space kept") << QStringLiteral("\u00a0x\u00a0") << QStringLiteral("\u00a0x\u00a0");
    }

    void TrimsBlanks()
    {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(TrimBatchLine(text), trimmed);
    }

    void LargeInputStaysLinear()
    {
        // One million short lines and one line of a megabyte: both must finish quickly.
        QByteArray many;
        many.reserve(8 * 1000000);
        for (int i = 0; i < 1000000; ++i)
            many.append("line\r\n");
        QElapsedTimer timer;
        timer.start();
        const QStringList lines = SplitBatchLines(DecodeBatchFile(many));
        QCOMPARE(lines.size(), 1000000);
        QCOMPARE(lines.last(), QStringLiteral("line"));

        const QByteArray wide(1 << 20, 'x');
        const QStringList one = SplitBatchLines(DecodeBatchFile(wide));
        QCOMPARE(one.size(), 1);
        QCOMPARE(one.first().size(), 1 << 20);
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestBatchText)
#include "TestBatchText.moc"
