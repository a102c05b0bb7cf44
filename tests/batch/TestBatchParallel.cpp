#include "BatchTestSupport.h"

#include "barcode/Barcode.h"
#include "batch/BatchParallel.h"
#include "toolkit/Exception.h"

#include <QtTest>
#include <atomic>
#include <stdexcept>
#include <memory>

// The writing loop on worker threads: the same files and the same report as one thread, a
// prompt cancel that reports exactly what was written, failures in line order, the stop when
// the folder vanishes, and progress on the calling thread.
class TestBatchParallel final : public QObject
{
    Q_OBJECT

private:
    // Each worker gets a component of its own with the settings of `settings`.
    static TBatchSaveFactory BarcodeSaves(const TBarcode &settings)
    {
        return [&settings] {
            auto barcode = std::make_shared<TBarcode>(nullptr);
            barcode->AssignSettings(settings);
            return [barcode](const TBatchItem &item) {
                barcode->SetInputText(item.Text);
                barcode->Save(item.FileName);
            };
        };
    }

    static void WriteFile(const TBatchItem &item)
    {
        QFile file(item.FileName);
        if (!file.open(QIODevice::WriteOnly))
            throw Exception(file.errorString());
        file.write(item.Text.toUtf8());
    }

    static TBatchSaveFactory Plain(const TBatchSave &save)
    {
        return [save] { return save; };
    }

    static QStringList Strings(int count)
    {
        QStringList strings;
        for (int i = 1; i <= count; ++i)
            strings.append(QStringLiteral("item %1").arg(i));
        return strings;
    }

    // Name and bytes of every file in `folder`, by name.
    static QMap<QString, QByteArray> Contents(const QString &folder)
    {
        QMap<QString, QByteArray> files;
        for (const QString &name : QDir(folder).entryList(QDir::Files))
            files.insert(name, ReadBytes(folder + name));
        return files;
    }

    static QString Folder(const QTemporaryDir &dir, const QString &name)
    {
        const QString folder = dir.filePath(name) + u'/';
        QDir().mkpath(folder);
        return folder;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The engine is loaded on this thread before any worker renders.
        QVERIFY(TBarcode(nullptr).Version() > 0);
    }

    void SameFilesAndReportAsOneThread_data()
    {
        QTest::addColumn<int>("threads");
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QString>("extension");
        for (int threads : {1, 2, 4}) {
            QTest::addRow("%d threads, Code 128 to SVG", threads) << threads << int(syCode128) << ".svg";
            QTest::addRow("%d threads, QR Code to BMP", threads) << threads << int(syQRCode) << ".bmp";
        }
    }

    void SameFilesAndReportAsOneThread()
    {
        QFETCH(int, threads);
        QFETCH(int, symbology);
        QFETCH(QString, extension);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        TBarcode settings(nullptr);
        settings.SetSymbology(TSymbology(symbology));
        settings.SetForeColor(RGBToColor(0x12, 0x34, 0x56));
        settings.SetBorderWidth(3);
        settings.SetScale(2.0f);
        // Failures in the middle (a character outside Latin-1 breaks Code 128; too much data
        // breaks a QR Code), a repeated string, and a name that needs cleaning.
        QStringList strings = Strings(120);
        strings[29] = QStringLiteral("bad \u4e2d\u6587 %1").arg(QString(8000, u'9'));
        strings[30] = QStringLiteral("item 1");
        strings[70] = QStringLiteral("a/b:c");
        strings[71] = QStringLiteral("\u4e2d %1").arg(QString(8000, u'8'));

        const QString one = Folder(dir, QStringLiteral("one"));
        const TBatchResult expected = RunBatch(PlanBatch(strings, one, extension), one,
                                               BarcodeSaves(settings)(), nullptr);
        QCOMPARE(expected.Failures.size(), 2);
        QCOMPARE(expected.Failures.at(0).Line, 30);
        QCOMPARE(expected.Failures.at(1).Line, 72);

        const QString many = Folder(dir, QStringLiteral("many"));
        const TBatchResult result = RunBatchParallel(PlanBatch(strings, many, extension), many,
                                                     BarcodeSaves(settings), threads, nullptr);
        QCOMPARE(result.Total, expected.Total);
        QCOMPARE(result.Written, expected.Written);
        QCOMPARE(result.Cancelled, false);
        QCOMPARE(result.FolderLost, false);
        QCOMPARE(result.Failures.size(), expected.Failures.size());
        for (qsizetype i = 0; i < expected.Failures.size(); ++i) {
            QCOMPARE(result.Failures.at(i).Line, expected.Failures.at(i).Line);
            QCOMPARE(result.Failures.at(i).Text, expected.Failures.at(i).Text);
            QCOMPARE(result.Failures.at(i).Message, expected.Failures.at(i).Message);
        }
        const QMap<QString, QByteArray> oneFiles = Contents(one);
        const QMap<QString, QByteArray> manyFiles = Contents(many);
        QCOMPARE(oneFiles.size(), 118);
        QCOMPARE(manyFiles.keys(), oneFiles.keys());
        for (auto it = oneFiles.cbegin(); it != oneFiles.cend(); ++it)
            QVERIFY2(manyFiles.value(it.key()) == it.value(), qPrintable(it.key()));
    }

    void CancelStopsEveryWorker_data()
    {
        QTest::addColumn<int>("threads");
        QTest::newRow("2 threads") << 2;
        QTest::newRow("4 threads") << 4;
    }

    void CancelStopsEveryWorker()
    {
        QFETCH(int, threads);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = Folder(dir, QStringLiteral("out"));
        const TBatchPlan plan = PlanBatch(Strings(2000), folder, QStringLiteral(".txt"));
        std::atomic<int> saves{0};
        std::atomic<bool> reported{false};
        qsizetype doneAtCancel = -1;
        const TBatchResult result = RunBatchParallel(
            plan, folder,
            Plain([&](const TBatchItem &item) {
                ++saves;
                // Later items wait for the cancel, so that it surely comes in the middle.
                while (item.Line > 40 && !reported)
                    QThread::usleep(100);
                QThread::usleep(200);
                WriteFile(item);
            }),
            threads,
            [&](qsizetype done, qsizetype) {
                doneAtCancel = done;
                reported = true;
                return false;
            });

        QVERIFY(result.Cancelled);
        QVERIFY(doneAtCancel >= 1 && doneAtCancel <= 40);
        // The workers stop after the items they hold, far from the end of the list.
        QVERIFY2(saves < 200, qPrintable(QStringLiteral("%1 saves").arg(saves.load())));
        QCOMPARE(result.Written, saves.load());
        QVERIFY(result.Failures.isEmpty());
        // What was written is a start of the list, and the count says exactly that.
        const QStringList files = QDir(folder).entryList(QDir::Files);
        QCOMPARE(files.size(), result.Written);
        for (qsizetype i = 0; i < result.Written; ++i)
            QVERIFY2(QFile::exists(plan.Items.at(i).FileName), qPrintable(plan.Items.at(i).FileName));
    }

    void StopsWhenFolderVanishes_data()
    {
        QTest::addColumn<int>("threads");
        QTest::newRow("2 threads") << 2;
        QTest::newRow("4 threads") << 4;
    }

    void StopsWhenFolderVanishes()
    {
        QFETCH(int, threads);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = Folder(dir, QStringLiteral("out"));
        // One save at a time, so that every save after the 20th surely finds no folder.
        QMutex oneAtATime;
        int saves = 0;
        const TBatchResult result = RunBatchParallel(
            PlanBatch(Strings(500), folder, QStringLiteral(".txt")), folder,
            Plain([&](const TBatchItem &item) {
                const QMutexLocker locker(&oneAtATime);
                if (++saves == 20)
                    QDir(folder).removeRecursively();
                WriteFile(item);
            }),
            threads, nullptr);

        QVERIFY(result.FolderLost);
        QVERIFY(!result.Cancelled);
        QCOMPARE(result.Total, 500);
        QVERIFY(result.Written <= 19);
        QCOMPARE(result.Written + result.Failures.size(), saves);
        // The worker that met the missing folder stops; each other one fails once more at most.
        QVERIFY2(saves <= 20 + threads - 1, qPrintable(QString::number(saves)));
        for (qsizetype i = 1; i < result.Failures.size(); ++i)
            QVERIFY(result.Failures.at(i - 1).Line < result.Failures.at(i).Line);
    }

    void OldFileLeftAloneIsNotWritten_data()
    {
        QTest::addColumn<int>("threads");
        QTest::newRow("one thread") << 1;
        QTest::newRow("2 threads") << 2;
        QTest::newRow("4 threads") << 4;
    }

    void OldFileLeftAloneIsNotWritten()
    {
        QFETCH(int, threads);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = Folder(dir, QStringLiteral("out"));
        const QStringList strings = Strings(60);
        // Files of an earlier run: the save leaves items 20 and 41 alone and rewrites item 30.
        for (const int line : {20, 30, 41})
            QVERIFY(WriteBytes(folder + strings.at(line - 1) + QStringLiteral(".txt"), "earlier run, longer text"));
        const TBatchPlan plan = PlanBatch(strings, folder, QStringLiteral(".txt"));
        QCOMPARE(plan.ExistingCount, 3);

        const TBatchResult result = RunBatchParallel(plan, folder, Plain([](const TBatchItem &item) {
                                                         if (item.Line != 20 && item.Line != 41)
                                                             WriteFile(item);
                                                     }),
                                                     threads, nullptr);
        QCOMPARE(result.Written, 58);
        QCOMPARE(result.Failures.size(), 2);
        QCOMPARE(result.Failures.at(0).Line, 20);
        QCOMPARE(result.Failures.at(1).Line, 41);
        QCOMPARE(result.Failures.at(0).Message, FileNotWrittenMessage());
        QCOMPARE(ReadBytes(folder + QStringLiteral("item 30.txt")), QByteArray("item 30"));
    }

    void ProgressOnCallingThread()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = Folder(dir, QStringLiteral("out"));
        QList<qsizetype> reports;
        bool otherThread = false;
        QThread *caller = QThread::currentThread();
        std::atomic<bool> savedOnCaller{false};
        const TBatchResult result = RunBatchParallel(
            PlanBatch(Strings(300), folder, QStringLiteral(".txt")), folder,
            Plain([&](const TBatchItem &item) {
                if (QThread::currentThread() == caller)
                    savedOnCaller = true;
                QThread::usleep(500);
                WriteFile(item);
            }),
            2,
            [&](qsizetype done, qsizetype total) {
                otherThread = otherThread || QThread::currentThread() != caller;
                reports.append(done);
                return total == 300;
            });
        QCOMPARE(result.Written, 300);
        QVERIFY(!otherThread);
        QVERIFY(!savedOnCaller);
        QVERIFY(!reports.isEmpty());
        QCOMPARE(reports.last(), 300);
        QVERIFY(std::is_sorted(reports.cbegin(), reports.cend()));
    }

    // An error that is no failure of one item (a foreign one from a save, any from the
    // progress report) stops the run on one thread and on several alike; the workers are joined
    // and the result counts exactly the files that are there.
    void ErrorsStopTheRunAndKeepTheCount_data()
    {
        QTest::addColumn<int>("threads");
        QTest::addColumn<bool>("fromProgress");
        QTest::newRow("foreign error, 1 thread") << 1 << false;
        QTest::newRow("foreign error, 2 threads") << 2 << false;
        QTest::newRow("progress throws, 1 thread") << 1 << true;
        QTest::newRow("progress throws, 2 threads") << 2 << true;
    }
    void ErrorsStopTheRunAndKeepTheCount()
    {
        QFETCH(int, threads);
        QFETCH(bool, fromProgress);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = Folder(dir, QStringLiteral("out"));
        const TBatchResult result = RunBatchParallel(
            PlanBatch(Strings(500), folder, QStringLiteral(".txt")), folder,
            Plain([fromProgress](const TBatchItem &item) {
                if (!fromProgress && item.Line == 10)
                    throw 42;
                WriteFile(item);
            }),
            threads, [fromProgress](qsizetype, qsizetype) -> bool {
                if (fromProgress)
                    throw std::runtime_error("the report broke");
                return true;
            });
        QCOMPARE(result.StoppedBy, fromProgress ? QStringLiteral("the report broke") : QStringLiteral("an unknown error"));
        const qsizetype onDisk = QDir(folder).entryList(QDir::Files).size();
        QCOMPARE(result.Written, onDisk);
        QVERIFY(result.Written < 500);
        if (!fromProgress) {
            QCOMPARE(result.Failures.size(), qsizetype(1));
            QCOMPARE(result.Failures.first().Line, qsizetype(10));
        }
    }

    // Blank strings are skipped and counted so, not failed.
    void BlankStringsAreSkipped_data()
    {
        QTest::addColumn<int>("threads");
        QTest::newRow("1 thread") << 1;
        QTest::newRow("2 threads") << 2;
    }
    void BlankStringsAreSkipped()
    {
        QFETCH(int, threads);
        QTemporaryDir dir;
        const QString folder = Folder(dir, QStringLiteral("out"));
        const QStringList strings{QStringLiteral("a"), QString(), QStringLiteral("b"), QStringLiteral(" \t"), QString()};
        const TBatchResult result = RunBatchParallel(PlanBatch(strings, folder, QStringLiteral(".txt")), folder,
                                                     Plain(&WriteFile), threads, nullptr);
        QCOMPARE(result.Written, qsizetype(2));
        QCOMPARE(result.Skipped, qsizetype(3));
        QCOMPARE(result.Failures.size(), qsizetype(0));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), qsizetype(2));
    }
};

QTEST_GUILESS_MAIN(TestBatchParallel)
#include "TestBatchParallel.moc"
