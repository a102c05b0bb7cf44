#include "batch/BatchText.h"
#include "toolkit/InputLimits.h"

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
        QTest::newRow("NUL ends 8-bit text") << QByteArray("ab\0\0", 4) << QStringLiteral("ab");
        QTest::newRow("NUL ends UTF-8 text") << QByteArray("\xEF\xBB\xBFx\0", 5) << QStringLiteral("x");
        QTest::newRow("NUL ends UTF-16 text") << QByteArray("\xFF\xFEx\0\0\0\0\0", 8) << QStringLiteral("x");
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

    // Without a mark: UTF-16 by its zero bytes, UTF-8 line by line, binary data refused.
    void DecodesWithoutMark_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<qsizetype>>("strayLines");
        QTest::addColumn<bool>("binary");

        const QString text = QStringLiteral("h\u00e9llo\r\nab\r\n");
        const auto utf16 = [](const QString &value, bool bigEndian) {
            QByteArray bytes;
            for (QChar c : value) {
                const char low = char(c.unicode() & 0xFF);
                const char high = char(c.unicode() >> 8);
                bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
            }
            return bytes;
        };
        QTest::newRow("UTF-16 LE") << utf16(text, false) << text << QList<qsizetype>{} << false;
        QTest::newRow("UTF-16 BE") << utf16(text, true) << text << QList<qsizetype>{} << false;
        QTest::newRow("one UTF-16 character") << QByteArray("a\0", 2) << QStringLiteral("a") << QList<qsizetype>{} << false;
        QTest::newRow("UTF-8, one stray byte")
            << QByteArray("h\xC3\xA9llo\nb\xE9" "d\r\nca\xC3\xB1" "a\rx\xFF") << QStringLiteral("h\u00e9llo\nb\u00e9d\r\nca\u00f1a\rx\u00ff")
            << QList<qsizetype>{2, 4} << false;
        // A stray line ending in CR, then a line of U+FEFF: two lines, the character kept.
        QTest::newRow("stray line, then U+FEFF")
            << QByteArray("\xC3\xA9\n\xEF\r\xEF\xBB\xBF\nz") << QStringLiteral("\u00e9\n\u00ef\r\ufeff\nz")
            << QList<qsizetype>{2} << false;
        QTest::newRow("overlong form is no UTF-8")
            << QByteArray("\xC3\xA9\n\xC0\xAF", 5) << QStringLiteral("\u00e9\n\u00c0\u00af") << QList<qsizetype>{2} << false;
        QTest::newRow("cut sequence at the end of a line")
            << QByteArray("\xC3\xA9\n\xE2\x82\nz") << QStringLiteral("\u00e9\n\u00e2\u0082\nz") << QList<qsizetype>{2} << false;
        QTest::newRow("no UTF-8 at all: 8-bit")
            << QByteArray("caf\xE9\nna\xEF" "ve") << QStringLiteral("caf\u00e9\nna\u00efve") << QList<qsizetype>{} << false;
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\x01\0", 20) << QString()
                                << QList<qsizetype>{} << true;
        QTest::newRow("NUL amid 8-bit text") << QByteArray("ab\0cd", 5) << QString() << QList<qsizetype>{} << true;
        QTest::newRow("NUL amid marked UTF-16") << QByteArray("\xFF\xFEx\0\0\0y\0", 8) << QString()
                                                << QList<qsizetype>{} << true;
    }

    void DecodesWithoutMark()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QList<qsizetype>, strayLines);
        QFETCH(bool, binary);
        const TBatchDecoded decoded = DecodeBatchText(bytes);
        QCOMPARE(decoded.Text, text);
        QCOMPARE(decoded.StrayLines, strayLines);
        QCOMPARE(decoded.Binary, binary);
        // The stray line numbers are those of the lines the list shows.
        const QStringList lines = SplitBatchLines(decoded.Text);
        for (qsizetype line : strayLines)
            QVERIFY(line <= lines.size());
    }

    // Nothing larger than the limit is held: not a huge file, not an endless device.
    void LoadsWithinTheLimit_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("size"); // a sparse file of this size, or -1 for the path itself
        QTest::addColumn<bool>("loaded");
        QTest::newRow("endless device") << QStringLiteral("/dev/zero") << qint64(-1) << false;
        QTest::newRow("one byte beyond") << QString() << MaxTextFileSize + 1 << false;
        QTest::newRow("empty device") << QStringLiteral("/dev/null") << qint64(-1) << true;
    }

    void LoadsWithinTheLimit()
    {
        QFETCH(QString, path);
        QFETCH(qint64, size);
        QFETCH(bool, loaded);
        QTemporaryDir dir;
        if (size >= 0) {
            path = dir.filePath(QStringLiteral("big.txt"));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(size));
        }
        const TBatchFile file = LoadBatchFile(path);
        QCOMPARE(file.Loaded, loaded);
        if (!loaded) {
            QVERIFY2(file.Reason.contains(LimitText(MaxTextFileSize)), qPrintable(file.Reason));
            QVERIFY(file.Text.isEmpty());
        }
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
