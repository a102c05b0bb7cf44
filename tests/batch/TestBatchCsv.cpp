#include "batch/BatchCsv.h"
#include "batch/BatchPlan.h"

#include <QtTest>

Q_DECLARE_METATYPE(TCsvKind)

// Reading a loaded file as a table: which separator, quoted fields, and what is wrong with a
// file that is almost a table; the names a file-name column gives.
class TestBatchCsv final : public QObject
{
    Q_OBJECT

private:
    // Rows written as "a|b" per row, rows joined by "/": compact expected tables.
    static QList<QStringList> Rows(const QString &compact)
    {
        QList<QStringList> rows;
        for (const QString &row : compact.split(u'/'))
            rows.append(row.split(u'|'));
        return rows;
    }

private Q_SLOTS:
    void Detects_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TCsvKind>("kind");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<qsizetype>("badLine");

        const QList<QStringList> none;
        QTest::newRow("plain lines") << "abc\ndef\n" << TCsvKind::NoColumns << "" << none << qsizetype(0);
        QTest::newRow("a comma in the first line only") << "Hello, world\nplain\n" << TCsvKind::NoColumns << ""
                                                        << none << qsizetype(0);
        QTest::newRow("commas in a few lines of a list") << "Hello, world\nplain\nA, B\nother\nmore\n"
                                                         << TCsvKind::NoColumns << "" << none << qsizetype(0);
        QTest::newRow("most rows agree, one lacks separators") << "a,b\n1,2\n3,4\nplain\n" << TCsvKind::MixedColumns
                                                               << "," << none << qsizetype(4);
        QTest::newRow("comma") << "code,name\n123,first\n456,second\n" << TCsvKind::Table << ","
                               << Rows("code|name/123|first/456|second") << qsizetype(0);
        QTest::newRow("semicolon, CR LF, no break at the end") << "a;b;c\r\n1;2;3" << TCsvKind::Table << ";"
                                                               << Rows("a|b|c/1|2|3") << qsizetype(0);
        QTest::newRow("tab") << "x\ty\n1\t2\n" << TCsvKind::Table << "\t" << Rows("x|y/1|2") << qsizetype(0);
        QTest::newRow("semicolon before comma") << "1,5;2,5\n3,5;4,5\n" << TCsvKind::Table << ";"
                                                << Rows("1,5|2,5/3,5|4,5") << qsizetype(0);
        QTest::newRow("quoted separator and doubled quotes")
            << "data,file\n\"a,b\",\"say \"\"hi\"\"\"\n" << TCsvKind::Table << ","
            << QList<QStringList>{{"data", "file"}, {"a,b", "say \"hi\""}} << qsizetype(0);
        QTest::newRow("line break inside quotes")
            << "data,file\n\"line 1\r\nline 2\",f\nx,y\n" << TCsvKind::Table << ","
            << QList<QStringList>{{"data", "file"}, {"line 1\r\nline 2", "f"}, {"x", "y"}} << qsizetype(0);
        QTest::newRow("empty fields and blank lines") << "a,b\n\n,2\n1,\n\n" << TCsvKind::Table << ","
                                                      << QList<QStringList>{{"a", "b"}, {"", "2"}, {"1", ""}}
                                                      << qsizetype(0);
        QTest::newRow("mixed column counts") << "a,b\n1,2\n1,2,3\n" << TCsvKind::MixedColumns << ","
                                             << none << qsizetype(3);
        QTest::newRow("mixed after a quoted break") << "a,b\n\"1\n2\",3\n4\n" << TCsvKind::MixedColumns << ","
                                                    << none << qsizetype(4);
        QTest::newRow("unclosed quote") << "a,b\n1,\"open\n2,3\n" << TCsvKind::UnclosedQuote << ","
                                        << none << qsizetype(2);
        QTest::newRow("control characters: binary, no table") << "a,b\n1,\x01\n1,2,3\n" << TCsvKind::NoColumns << ""
                                                               << none << qsizetype(0);
        QTest::newRow("NUL ends the text") << QString::fromUtf16(u"a,b\n1,2\n\0x,y,z\n", 15) << TCsvKind::Table
                                           << "," << Rows("a|b/1|2") << qsizetype(0);
    }

    void Detects()
    {
        QFETCH(QString, text);
        QFETCH(TCsvKind, kind);
        QFETCH(QString, separator);
        QFETCH(QList<QStringList>, rows);
        QFETCH(qsizetype, badLine);

        const TCsvTable table = DetectCsv(text);
        QCOMPARE(table.Kind, kind);
        if (kind != TCsvKind::NoColumns)
            QCOMPARE(QString(table.Separator), separator);
        QCOMPARE(table.Rows, rows);
        QCOMPARE(table.BadLine, badLine);
        if (kind == TCsvKind::Table)
            QCOMPARE(table.ColumnCount, rows.first().size());
    }

    void MixedColumnsTellsCounts()
    {
        const TCsvTable table = DetectCsv(u"a;b;c\n1;2;3\n1;2\n");
        QCOMPARE(table.Kind, TCsvKind::MixedColumns);
        QCOMPARE(table.ColumnCount, 3);
        QCOMPARE(table.BadCount, 2);
        QCOMPARE(table.BadLine, 3);
    }

    void ColumnFromRow()
    {
        const QList<QStringList> rows = Rows("h1|h2/a|1/b|2/c|3");
        QCOMPARE(CsvColumn(rows, 1, 1), QStringList({"1", "2", "3"}));
        QCOMPARE(CsvColumn(rows, 0, 0), QStringList({"h1", "a", "b", "c"}));
        QVERIFY(AllBlank(CsvColumn(Rows("h| /a|  /b|"), 1, 1)));
        QVERIFY(!AllBlank(CsvColumn(Rows("h| /a|x"), 1, 1)));
    }

    void NamesFromAColumn()
    {
        // Names clean and clash the way names from the strings do; the data stays as it is.
        const QStringList strings = {"data 1", "data 2", "data 3", "data 4"};
        const QStringList names = {"Invoice/7", "invoice_7", "", "ok"};
        const TBatchPlan plan = PlanBatch(strings, names, QStringLiteral("/out/"), QStringLiteral(".svg"));
        QCOMPARE(plan.Items.size(), 4);
        QCOMPARE(plan.Items.at(0).Text, QStringLiteral("data 1"));
        QCOMPARE(plan.Items.at(0).FileName, QStringLiteral("/out/Invoice_7.svg"));
        QCOMPARE(plan.Items.at(1).FileName, QStringLiteral("/out/2_invoice_7.svg"));
        QCOMPARE(plan.Items.at(2).FileName, QStringLiteral("/out/3.svg"));
        QCOMPARE(plan.Items.at(3).FileName, QStringLiteral("/out/ok.svg"));

        const TBatchNamePreview preview = PreviewBatchNames(names, QStringLiteral("/out/"), QStringLiteral(".svg"), 3);
        QCOMPARE(preview.First, QStringList({"Invoice_7.svg", "2_invoice_7.svg", "3.svg"}));
        QCOMPARE(preview.Numbered, 2);
    }
};

QTEST_GUILESS_MAIN(TestBatchCsv)
#include "TestBatchCsv.moc"
