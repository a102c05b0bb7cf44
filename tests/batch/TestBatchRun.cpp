#include "batch/BatchRun.h"
#include "toolkit/Exception.h"

#include <QtTest>
#include <stdexcept>

// The writing loop of a run: it keeps going past failures, records them, stops when the folder
// vanishes, reports progress at a bounded rate and cancels between items.
class TestBatchRun final : public QObject
{
    Q_OBJECT

private:
    static void WriteFile(const TBatchItem &item)
    {
        QFile file(item.FileName);
        if (!file.open(QIODevice::WriteOnly))
            throw Exception(file.errorString());
        file.write(item.Text.toUtf8());
    }

private Q_SLOTS:
    void KeepsGoingPastFailures()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.path() + u'/';
        const TBatchPlan plan = PlanBatch({"ok1", "bad", "ok2", "odd", "silent", "ok3"}, folder,
                                          QStringLiteral(".txt"));
        const TBatchResult result = RunBatch(plan, folder, [](const TBatchItem &item) {
            if (item.Text == QLatin1String("bad"))
                throw Exception(QStringLiteral("Invalid character in data"));
            if (item.Text == QLatin1String("odd"))
                throw std::runtime_error("out of memory");
            if (item.Text == QLatin1String("silent"))
                return; // claims success, writes nothing
            WriteFile(item);
        }, nullptr);

        QCOMPARE(result.Total, 6);
        QCOMPARE(result.Written, 3);
        QVERIFY(!result.Cancelled);
        QVERIFY(!result.FolderLost);
        QCOMPARE(result.Failures.size(), 3);
        QCOMPARE(result.Failures.at(0).Line, 2);
        QCOMPARE(result.Failures.at(0).Text, QStringLiteral("bad"));
        QCOMPARE(result.Failures.at(0).Message, QStringLiteral("Invalid character in data"));
        QCOMPARE(result.Failures.at(1).Line, 4);
        QCOMPARE(result.Failures.at(1).Message, QStringLiteral("out of memory"));
        QCOMPARE(result.Failures.at(2).Line, 5);
        QCOMPARE(result.Failures.at(2).Message, FileNotWrittenMessage());
        QVERIFY(QFile::exists(folder + QStringLiteral("ok3.txt")));
    }

    void OldFileLeftAloneIsNoWrite_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("checksNewFiles");
        QTest::addColumn<bool>("written");
        for (const bool checks : {false, true}) {
            const char *save = checks ? "checking save" : "plain save";
            QTest::addRow("%s, left alone", save) << "none" << checks << false;
            QTest::addRow("%s, rewritten with the same bytes", save) << "same" << checks << true;
            QTest::addRow("%s, rewritten with other bytes", save) << "other" << checks << true;
            QTest::addRow("%s, replaced by a new file", save) << "replace" << checks << true;
        }
    }

    // A save that claims success while the file from an earlier run stays as it was has not
    // written anything, even a save that checks the new files it writes.
    void OldFileLeftAloneIsNoWrite()
    {
        QFETCH(QString, action);
        QFETCH(bool, checksNewFiles);
        QFETCH(bool, written);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.path() + u'/';
        const QString fileName = folder + QStringLiteral("item.txt");
        {
            QFile old(fileName);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("item");
            old.close();
            // Written by an earlier run, an hour ago.
            QVERIFY(old.open(QIODevice::ReadWrite));
            QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        }
        const QDateTime oldTime = QFileInfo(fileName).lastModified();
        const TBatchPlan plan = PlanBatch({"item"}, folder, QStringLiteral(".txt"));
        QCOMPARE(plan.Items.first().FileName, fileName);
        QVERIFY(plan.Items.first().Existed);

        const TBatchSave save([&action](const TBatchItem &item) {
            if (action == QLatin1String("same")) {
                WriteFile(item);
            } else if (action == QLatin1String("other")) {
                QFile file(item.FileName);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write("something else");
            } else if (action == QLatin1String("replace")) {
                QVERIFY(QFile::remove(item.FileName));
                WriteFile(item);
            }
        }, checksNewFiles);
        const TBatchResult result = RunBatch(plan, folder, save, nullptr);

        QCOMPARE(result.Written, written ? 1 : 0);
        QCOMPARE(result.Failures.size(), written ? 0 : 1);
        if (!written) {
            QCOMPARE(result.Failures.first().Message, FileNotWrittenMessage());
            QCOMPARE(QFileInfo(fileName).lastModified(), oldTime);
        }
    }

    void CancelsBetweenItems_data()
    {
        QTest::addColumn<int>("cancelAtCall");
        QTest::addColumn<int>("written");
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("at the first report") << 1 << 1 << true;
        QTest::newRow("never") << 0 << 50 << false;
    }

    void CancelsBetweenItems()
    {
        QFETCH(int, cancelAtCall);
        QFETCH(int, written);
        QFETCH(bool, cancelled);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.path() + u'/';
        QStringList strings;
        for (int i = 0; i < 50; ++i)
            strings.append(QStringLiteral("s%1").arg(i));
        int calls = 0;
        int saves = 0;
        const TBatchResult result = RunBatch(PlanBatch(strings, folder, QStringLiteral(".txt")), folder,
                                             [&saves](const TBatchItem &item) { ++saves; WriteFile(item); },
                                             [&](qsizetype, qsizetype) { return ++calls != cancelAtCall; });
        QCOMPARE(result.Written, written);
        QCOMPARE(saves, written);
        QCOMPARE(result.Cancelled, cancelled);
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), written);
    }

    void ReportsAtBoundedRate()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.path() + u'/';
        QStringList strings;
        for (int i = 0; i < 300; ++i)
            strings.append(QString::number(i));
        QList<qsizetype> reports;
        QElapsedTimer timer;
        timer.start();
        RunBatch(PlanBatch(strings, folder, QStringLiteral(".txt")), folder,
                 [](const TBatchItem &item) { QThread::usleep(1000); WriteFile(item); },
                 [&reports](qsizetype done, qsizetype total) {
                     reports.append(done);
                     return total == 300;
                 });
        const qint64 elapsed = timer.elapsed();
        QVERIFY(reports.size() >= 2);
        QCOMPARE(reports.first(), 1);
        QCOMPARE(reports.last(), 300);
        // Not one report per item: about one per interval, plus the first and the last.
        QVERIFY2(reports.size() <= elapsed / ProgressInterval + 3,
                 qPrintable(QStringLiteral("%1 reports in %2 ms").arg(reports.size()).arg(elapsed)));
    }

    void StopsWhenFolderVanishes()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.path() + QStringLiteral("/out/");
        QVERIFY(QDir().mkpath(folder));
        int saves = 0;
        const TBatchResult result = RunBatch(
            PlanBatch({"a", "b", "c", "d", "e"}, folder, QStringLiteral(".txt")), folder,
            [&](const TBatchItem &item) {
                if (++saves == 3)
                    QDir(folder).removeRecursively();
                WriteFile(item);
            },
            nullptr);
        QVERIFY(result.FolderLost);
        QCOMPARE(saves, 3);
        QCOMPARE(result.Written, 2);
        QCOMPARE(result.Failures.size(), 1);
        QCOMPARE(result.Failures.first().Line, 3);
    }
};

QTEST_GUILESS_MAIN(TestBatchRun)
#include "TestBatchRun.moc"
