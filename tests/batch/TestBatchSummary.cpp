#include "batch/BatchSummary.h"

#include <QtTest>

// The texts of the end-of-run summary: counts, why a run ended early, one line per failure.
class TestBatchSummary final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void Headline_data()
    {
        QTest::addColumn<int>("written");
        QTest::addColumn<int>("failed");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<bool>("folderLost");
        QTest::addColumn<QString>("headline");

        QTest::newRow("all written") << 5 << 0 << false << false << "5 of 5 files written, 0 failed.";
        QTest::newRow("some failed") << 3 << 2 << false << false << "3 of 5 files written, 2 failed.";
        QTest::newRow("cancelled")
            << 1 << 0 << true << false
            << "1 of 5 files written, 0 failed. The run was cancelled; the remaining strings were not written.";
        QTest::newRow("folder lost")
            << 2 << 1 << false << true
            << "2 of 5 files written, 1 failed. The output folder disappeared during the run; the remaining strings were not written.";
    }

    void Headline()
    {
        QFETCH(int, written);
        QFETCH(int, failed);
        QFETCH(bool, cancelled);
        QFETCH(bool, folderLost);
        QFETCH(QString, headline);

        TBatchResult result;
        result.Total = 5;
        result.Written = written;
        for (int i = 0; i < failed; ++i)
            result.Failures.append({i + 1, QStringLiteral("x"), QStringLiteral("bad")});
        result.Cancelled = cancelled;
        result.FolderLost = folderLost;
        QCOMPARE(BatchSummaryHeadline(result, [](const QString &text) { return text; }), headline);
    }

    void HeadlineIsTranslated()
    {
        TBatchResult result;
        result.Total = 4;
        result.Written = 4;
        const QString text = BatchSummaryHeadline(result, [](const QString &message) {
            return message == QLatin1String("%1 of %2 files written, %3 failed.")
                       ? QStringLiteral("%1 von %2 Dateien geschrieben, %3 fehlgeschlagen.")
                       : message;
        });
        QCOMPARE(text, QStringLiteral("4 von 4 Dateien geschrieben, 0 fehlgeschlagen."));
    }

    void FailureLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("line");

        QTest::newRow("plain") << "ABC" << "Invalid character in data" << "7\tABC\tInvalid character in data";
        QTest::newRow("empty string") << "" << "No input data" << "7\t\tNo input data";
        QTest::newRow("tab inside") << "a\tb" << "m" << "7\ta b\tm";
        QTest::newRow("placeholders untouched") << "%1 %2" << "%3" << "7\t%1 %2\t%3";
        const QString longText(200, u'q');
        QTest::newRow("long string shortened")
            << longText << "Input too long" << QStringLiteral("7\t") + QString(FailureTextLimit, u'q') + QChar(0x2026) + QStringLiteral("\tInput too long");
    }

    void FailureLines()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, line);
        TBatchResult result;
        result.Failures.append({7, text, message});
        QCOMPARE(BatchFailureLines(result), QStringList{line});
    }
};

QTEST_GUILESS_MAIN(TestBatchSummary)
#include "TestBatchSummary.moc"
