#include "batch/BatchNames.h"

#include <QtTest>

// File names of a batch run: cleaning, cutting to the byte budget, collision-free numbering.
class TestBatchNames final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void CleansNames_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");

        QTest::newRow("plain") << QStringLiteral("ABC-123") << QStringLiteral("ABC-123");
        QTest::newRow("every forbidden character")
            << QStringLiteral("a\\b/c:d*e?f\"g<h>i|j") << QStringLiteral("a_b_c_d_e_f_g_h_i_j");
        QTest::newRow("URL") << QStringLiteral("https://example.org/p?id=7")
                             << QStringLiteral("https___example.org_p_id=7");
        QTest::newRow("control characters") << QStringLiteral("a\x01" "b\x1f" "c") << QStringLiteral("a_b_c");
        QTest::newRow("blanks and dots trimmed") << QStringLiteral(" .name. ") << QStringLiteral("name");
        QTest::newRow("dots only") << QStringLiteral("..") << QString();
        QTest::newRow("inner dots kept") << QStringLiteral("a.b.c") << QStringLiteral("a.b.c");
        QTest::newRow("leading forbidden stays as _") << QStringLiteral("/etc") << QStringLiteral("_etc");
        QTest::newRow("non-ASCII kept") << QStringLiteral("\u00c4rger \U0001F600") << QStringLiteral("\u00c4rger \U0001F600");
        QTest::newRow("broken surrogate") << QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b")
                                          << QStringLiteral("a_b");
    }

    void CleansNames()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QCOMPARE(CleanFileName(text), name);
    }

    void CutsAtCharacterBoundaries_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxBytes");
        QTest::addColumn<QString>("cut");

        QTest::newRow("fits") << QStringLiteral("abc") << 3 << QStringLiteral("abc");
        QTest::newRow("ASCII cut") << QStringLiteral("abcdef") << 4 << QStringLiteral("abcd");
        QTest::newRow("two-byte not split") << QStringLiteral("a\u00e4\u00e4") << 4 << QStringLiteral("a\u00e4");
        QTest::newRow("three-byte not split") << QStringLiteral("\u20ac\u20ac") << 5 << QStringLiteral("\u20ac");
        QTest::newRow("pair not split") << QStringLiteral("a\U0001F600") << 4 << QStringLiteral("a");
        QTest::newRow("pair kept whole") << QStringLiteral("a\U0001F600") << 5 << QStringLiteral("a\U0001F600");
        QTest::newRow("no room") << QStringLiteral("abc") << 0 << QString();
        QTest::newRow("negative room") << QStringLiteral("abc") << -3 << QString();
    }

    void CutsAtCharacterBoundaries()
    {
        QFETCH(QString, text);
        QFETCH(int, maxBytes);
        QFETCH(QString, cut);
        const QString result = CutToUtf8Bytes(text, maxBytes);
        QCOMPARE(result, cut);
        QVERIFY(Utf8Length(result) <= qMax(maxBytes, 0));
        QCOMPARE(Utf8Length(result), qsizetype(result.toUtf8().size()));
    }

    void NamesARun_data()
    {
        QTest::addColumn<QStringList>("strings");
        QTest::addColumn<int>("budget");
        QTest::addColumn<QStringList>("names");

        QTest::newRow("distinct strings keep their names")
            << QStringList{"a", "b", "c"} << 200 << QStringList{"a", "b", "c"};
        QTest::newRow("duplicate gets line number")
            << QStringList{"x", "x", "x"} << 200 << QStringList{"x", "2_x", "3_x"};
        QTest::newRow("padding follows the count")
            << QStringList{"x", "", "", "", "", "", "", "", "", "", "x"} << 200
            << QStringList{"x", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11_x"};
        QTest::newRow("empty after cleaning") << QStringList{"...", " "} << 200 << QStringList{"1", "2"};
        QTest::newRow("names that differ only in case")
            << QStringList{"Item", "ITEM", "item"} << 200 << QStringList{"Item", "2_ITEM", "3_item"};
        QTest::newRow("cleaned strings that meet")
            << QStringList{"a/b", "a:b", "a?b"} << 200 << QStringList{"a_b", "2_a_b", "3_a_b"};
        QTest::newRow("numbered name already taken by a string")
            << QStringList{"2_x", "x", "x"} << 200 << QStringList{"2_x", "x", "3_x"};
        QTest::newRow("number taken by an earlier string")
            << QStringList{"2", ""} << 200 << QStringList{"2", "2_2"};
        QTest::newRow("cut to budget") << QStringList{"abcdefgh"} << 5 << QStringList{"abcde"};
        QTest::newRow("cut names that meet")
            << QStringList{"abcdef1", "abcdef2"} << 5 << QStringList{"abcde", "2_abc"};
        QTest::newRow("cut leaves trailing dot") << QStringList{"abcd.ef"} << 5 << QStringList{"abcd"};
    }

    void NamesARun()
    {
        QFETCH(QStringList, strings);
        QFETCH(int, budget);
        QFETCH(QStringList, names);

        TBatchNamer namer(strings.size(), budget);
        QStringList result;
        for (qsizetype i = 0; i < strings.size(); ++i)
            result.append(namer.NameFor(i + 1, strings.at(i)));
        QCOMPARE(result, names);
    }

    void NeverCollides()
    {
        // Many strings that all clean to few names, in changing case, with empty ones between.
        const QStringList stems{"Ab", "aB", "a/b", "a\\b", "", "..", "2_ab", "AB", "1_ab", "a:b"};
        TBatchNamer namer(1000, 40);
        QSet<QString> seen;
        for (int i = 0; i < 1000; ++i) {
            const QString name = namer.NameFor(i + 1, stems.at(i % stems.size()));
            QVERIFY2(!name.isEmpty(), qPrintable(QString::number(i)));
            QVERIFY2(!seen.contains(name.toCaseFolded()), qPrintable(name));
            QVERIFY(Utf8Length(name) <= 40);
            seen.insert(name.toCaseFolded());
        }
    }
};

QTEST_GUILESS_MAIN(TestBatchNames)
#include "TestBatchNames.moc"
