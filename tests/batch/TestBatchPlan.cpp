#include "batch/BatchFolder.h"
#include "batch/BatchNames.h"
#include "batch/BatchPlan.h"

#include <QtTest>

// The plan of a run: one target per string, below the engine's name limit, existing targets
// counted; and the folder text as START confirms it.
class TestBatchPlan final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void NormalisesFolder_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("folder");

        QTest::newRow("separator appended") << QStringLiteral("/tmp/out") << QStringLiteral("/tmp/out/");
        QTest::newRow("separator kept") << QStringLiteral("/tmp/out/") << QStringLiteral("/tmp/out/");
        QTest::newRow("root") << QStringLiteral("/") << QStringLiteral("/");
        QTest::newRow("empty stays empty") << QString() << QString();
        // No drive letters on this platform: a lone letter is a relative folder name.
        QTest::newRow("one letter") << QStringLiteral("C") << QStringLiteral("C/");
        QTest::newRow("letter and colon") << QStringLiteral("C:") << QStringLiteral("C:/");
        QTest::newRow("backslash is a character") << QStringLiteral("a\\") << QStringLiteral("a\\/");
    }

    void NormalisesFolder()
    {
        QFETCH(QString, text);
        QFETCH(QString, folder);
        QCOMPARE(NormaliseBatchFolder(text), folder);
    }

    void FolderExistence()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(BatchFolderExists(dir.path() + u'/'));
        QVERIFY(!BatchFolderExists(dir.path() + QStringLiteral("/missing/")));
        QVERIFY(!BatchFolderExists(QString()));
        QFile file(dir.filePath(QStringLiteral("plain")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(!BatchFolderExists(file.fileName() + u'/'));
    }

    void PlansTargetsAndCountsExisting()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.path() + u'/';
        for (const char *existing : {"b.svg", "3_a.svg", "a.bmp"}) {
            QFile file(folder + QLatin1String(existing));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }

        const TBatchPlan plan = PlanBatch({"a", "b", "a", ""}, folder, QStringLiteral(".svg"));
        QCOMPARE(plan.Items.size(), 4);
        QStringList files;
        for (const TBatchItem &item : plan.Items) {
            QCOMPARE(item.FileName, item.BasePath + QStringLiteral(".svg"));
            files.append(item.FileName.mid(folder.size()));
        }
        QCOMPARE(files, (QStringList{"a.svg", "b.svg", "3_a.svg", "4.svg"}));
        QCOMPARE(plan.Items.at(2).Line, 3);
        QCOMPARE(plan.Items.at(2).Text, QStringLiteral("a"));
        // "a.bmp" is no target of an SVG run.
        QCOMPARE(plan.ExistingCount, 2);
    }

    void SeesWhatTheFolderHolds_data()
    {
        // What the folder holds before the run (a trailing "/" makes a folder, "->x" a link to
        // x), and which of the targets "a.svg", "b.svg", "c.svg" count as existing.
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QList<bool>>("existed");
        QTest::newRow("empty folder") << QStringList{} << QList<bool>{false, false, false};
        QTest::newRow("only other files") << QStringList{"a.bmp", "x.svg"} << QList<bool>{false, false, false};
        QTest::newRow("only a hidden file") << QStringList{".a.svg"} << QList<bool>{false, false, false};
        QTest::newRow("some targets") << QStringList{"a.svg", "c.svg", "x"} << QList<bool>{true, false, true};
        QTest::newRow("a folder of a target's name") << QStringList{"b.svg/"} << QList<bool>{false, true, false};
        // A run replaces a link itself, so one that leads nowhere is overwritten too.
        QTest::newRow("links, one leading nowhere")
            << QStringList{"x.svg", "a.svg->x.svg", "b.svg->missing"} << QList<bool>{true, true, false};
    }

    // Targets that exist are counted for the overwrite question and compared after their
    // write; the folder is read, not guessed.
    void SeesWhatTheFolderHolds()
    {
        QFETCH(QStringList, entries);
        QFETCH(QList<bool>, existed);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.path() + u'/';
        for (const QString &entry : entries) {
            if (entry.endsWith(u'/')) {
                QVERIFY(QDir(folder).mkdir(entry.chopped(1)));
            } else if (entry.contains(QLatin1String("->"))) {
                QVERIFY(QFile::link(entry.section(QLatin1String("->"), 1), folder + entry.section(QLatin1String("->"), 0, 0)));
            } else {
                QFile file(folder + entry);
                QVERIFY(file.open(QIODevice::WriteOnly));
            }
        }

        const TBatchPlan plan = PlanBatch({"a", "b", "c"}, folder, QStringLiteral(".svg"));
        QList<bool> seen;
        for (const TBatchItem &item : plan.Items)
            seen.append(item.Existed);
        QCOMPARE(seen, existed);
        QCOMPARE(plan.ExistingCount, existed.count(true));
    }

    void MissingFolderHoldsNothing()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const TBatchPlan plan = PlanBatch({"a"}, dir.path() + QStringLiteral("/missing/"), QStringLiteral(".svg"));
        QCOMPARE(plan.Items.size(), 1);
        QVERIFY(!plan.Items.first().Existed);
        QCOMPARE(plan.ExistingCount, 0);
    }

    void StaysBelowEngineLimit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("long ASCII") << QString(1000, u'x');
        QTest::newRow("long two-byte") << QString(1000, QChar(0xE4));
        QTest::newRow("long four-byte") << QStringLiteral("\U0001F600").repeated(300);
        QTest::newRow("one megabyte") << QString(1 << 20, u'q');
    }

    void StaysBelowEngineLimit()
    {
        QFETCH(QString, text);
        const QString folder = QStringLiteral("/tmp/") + QString(60, u'f') + u'/';
        const TBatchPlan plan = PlanBatch({text, text}, folder, QStringLiteral(".svg"));
        for (const TBatchItem &item : plan.Items) {
            const QByteArray utf8 = item.FileName.toUtf8();
            QVERIFY2(utf8.size() < EngineFileNameLimit, qPrintable(QString::number(utf8.size())));
            // Nothing invalid: the name decodes back to itself.
            QCOMPARE(QString::fromUtf8(utf8), item.FileName);
        }
        QVERIFY(plan.Items.at(0).FileName != plan.Items.at(1).FileName);
        // The first name uses the room there is, to within one character.
        QVERIFY(plan.Items.at(0).FileName.toUtf8().size() > EngineFileNameLimit - 1 - 4);
    }
};

QTEST_GUILESS_MAIN(TestBatchPlan)
#include "TestBatchPlan.moc"
