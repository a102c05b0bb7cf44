#include "support/FileBytes.h"
#include "ReliabilitySupport.h"

#include "barcode/Barcode.h"
#include "barcode/WorkFile.h"
#include "batch/BatchParallel.h"
#include "batch/BatchPlan.h"
#include "batch/BatchRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utime.h>

// A save replaces its target in one step or not at all: the earlier file survives every failure,
// no work file stays behind, and what is put in place is whole.
class TestAtomicSave : public QObject
{
    Q_OBJECT

private:
    QString FFullRoot; // a small file system that may be filled (QUORVEL_FULL_DISK_DIR), or empty

    static QStringList WorkFiles(const QString &folder)
    {
        return QDir(folder).entryList({TWorkFile::Prefix() + u'*'}, QDir::Files | QDir::Hidden | QDir::System);
    }

    static QByteArray Saved(const QString &data, const QString &path)
    {
        TBarcode barcode(nullptr);
        barcode.SetInputText(data);
        barcode.Save(path);
        return ReadBytes(path);
    }

    // Leaves exactly `room` bytes (whole pages) of the file system free, through a filler file.
    static void LeaveRoom(const QString &filler, qint64 room)
    {
        const int fd = ::open(QFile::encodeName(filler).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        QVERIFY(fd >= 0);
        const QByteArray block(4096, 'x');
        while (::write(fd, block.constData(), size_t(block.size())) == block.size()) {
        }
        struct stat info {};
        QCOMPARE(::fstat(fd, &info), 0);
        QCOMPARE(::ftruncate(fd, off_t(qMax<qint64>(0, info.st_size - room))), 0);
        ::close(fd);
    }

private slots:
    void initTestCase()
    {
        FFullRoot = qEnvironmentVariable("QUORVEL_FULL_DISK_DIR");
    }

    // A save onto a disk with no room left fails and leaves the earlier file whole; a new file
    // that finds room for only part of itself fails and leaves nothing; one that takes exactly
    // the last free pages is whole and reported written. No work file stays.
    void SaveOntoAFillingDisk_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("room"); // "none" (over an earlier file), "short" or "exact" (new files)
        for (const char *extension : {".bmp", ".emf", ".eps", ".gif", ".pcx", ".txt", ".svg"})
            QTest::newRow(QStringLiteral("%1 no room").arg(QLatin1String(extension)).toUtf8().constData())
                << QString::fromLatin1(extension) << 300 << QStringLiteral("none");
        for (const char *extension : {".svg", ".eps"})
            QTest::newRow(QStringLiteral("%1 new, a page short").arg(QLatin1String(extension)).toUtf8().constData())
                << QString::fromLatin1(extension) << 400 << QStringLiteral("short");
        for (const char *extension : {".svg", ".bmp", ".eps"})
            for (int length : {40, 400})
                QTest::newRow(QStringLiteral("%1 %2 exact").arg(QLatin1String(extension)).arg(length).toUtf8().constData())
                    << QString::fromLatin1(extension) << length << QStringLiteral("exact");
    }
    void SaveOntoAFillingDisk()
    {
        QFETCH(QString, extension);
        QFETCH(int, length);
        QFETCH(QString, room);
        if (FFullRoot.isEmpty())
            QSKIP("no small file system to fill (QUORVEL_FULL_DISK_DIR)");
        QTemporaryDir elsewhere;
        const QString data(length, u'7');
        const QByteArray expected = Saved(data, elsewhere.filePath(QStringLiteral("x") + extension));
        const qint64 pages = (expected.size() + 4095) / 4096 * 4096;
        QTemporaryDir dir(FFullRoot + QStringLiteral("/fill-XXXXXX"));
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("label") + extension);
        const QByteArray first = room == QLatin1String("none") ? Saved(QStringLiteral("first"), path) : QByteArray();
        if (room == QLatin1String("short"))
            QVERIFY2(pages > 4096, "the file must need more than one page");
        const qint64 left = room == QLatin1String("exact") ? pages : room == QLatin1String("short") ? pages - 4096 : 0;
        LeaveRoom(FFullRoot + QStringLiteral("/filler"), left);
        TBarcode barcode(nullptr);
        barcode.SetInputText(data);
        const QString message = ErrorMessage([&] { barcode.Save(path); });
        struct statvfs disk {};
        QCOMPARE(::statvfs(QFile::encodeName(dir.path()).constData(), &disk), 0);
        QFile::remove(FFullRoot + QStringLiteral("/filler"));
        // Full at the end, but for the room that a cut new file took and gave back.
        QCOMPARE(qint64(disk.f_bfree * disk.f_bsize), room == QLatin1String("short") ? left : 0);
        if (room == QLatin1String("exact")) {
            QCOMPARE(message, QString());
            QCOMPARE(ReadBytes(path), expected);
        } else {
            QVERIFY2(message.contains(qt_error_string(ENOSPC)), qPrintable(message));
            QCOMPARE(QFile::exists(path), !first.isEmpty());
            if (!first.isEmpty())
                QCOMPARE(ReadBytes(path), first);
        }
        QCOMPARE(WorkFiles(dir.path()), QStringList());
    }

    // A replaced file keeps its mode; a new one gets the usual mode (0666 less the umask).
    void PermissionsOfReplacedAndNewFiles()
    {
        QTemporaryDir dir;
        const QString kept = dir.filePath(QStringLiteral("kept.svg"));
        Saved(QStringLiteral("one"), kept);
        QVERIFY(QFile::setPermissions(kept, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        Saved(QStringLiteral("two"), kept);
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(kept).constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0640));

        const mode_t mask = ::umask(022);
        ::umask(mask);
        const QString fresh = dir.filePath(QStringLiteral("fresh.svg"));
        Saved(QStringLiteral("three"), fresh);
        QCOMPARE(::stat(QFile::encodeName(fresh).constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0666 & ~mask));
    }

    // A replaced file keeps a group of its own, and one like a new file stays so; either way it
    // is replaced, not written over.
    void ReplacedFileKeepsItsGroup()
    {
        if (::geteuid() != 0)
            QSKIP("giving a file another group needs the superuser");
        QTemporaryDir dir;
        const QByteArray kept = QFile::encodeName(dir.filePath(QStringLiteral("kept.bmp")));
        for (const gid_t otherGroup : {1u, 0u}) {
            Saved(QStringLiteral("one"), QFile::decodeName(kept));
            struct stat before {}, after {};
            QCOMPARE(::stat(kept.constData(), &before), 0);
            QCOMPARE(::chown(kept.constData(), before.st_uid, before.st_gid + otherGroup), 0);
            Saved(QStringLiteral("two"), QFile::decodeName(kept));
            QCOMPARE(::stat(kept.constData(), &after), 0);
            QVERIFY(after.st_ino != before.st_ino);
            QCOMPARE(after.st_gid, before.st_gid + otherGroup);
            QCOMPARE(after.st_mode & 07777, before.st_mode & 07777);
        }
    }

    // A name that the engine's field just takes still works, although no work file name of the
    // same folder fits beside it.
    void LongestNameTheEngineTakes()
    {
        QTemporaryDir dir;
        QString folder = dir.path();
        while (QFile::encodeName(folder).size() < 240)
            folder += QStringLiteral("/ffffffffff");
        folder.truncate(folder.lastIndexOf(u'/'));
        QVERIFY(QDir().mkpath(folder));
        const qsizetype room = 255 - QFile::encodeName(folder).size() - 1;
        const QString path = folder + u'/' + QString(room - 4, u'n') + QStringLiteral(".svg");
        QCOMPARE(QFile::encodeName(path).size(), qsizetype(255));
        const QByteArray written = Saved(QStringLiteral("long"), path);
        QVERIFY(written.startsWith("<?xml"));
        QCOMPARE(WorkFiles(folder), QStringList());
        QCOMPARE(WorkFiles(QDir::tempPath()).filter(QString::number(::getpid())), QStringList());
    }

    // A batch replaces a symbolic link under a planned name by its own file; the file the link
    // led to, outside the folder, is untouched.
    void BatchNeverWritesThroughALink()
    {
        QTemporaryDir outside;
        QTemporaryDir dir;
        const QString victim = outside.filePath(QStringLiteral("precious.txt"));
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep me");
        file.close();
        const QString folder = dir.path() + u'/';
        QVERIFY(QFile::link(victim, folder + QStringLiteral("one.svg")));
        const TBatchPlan plan = PlanBatch({QStringLiteral("one"), QStringLiteral("two")}, folder, QStringLiteral(".svg"));
        QCOMPARE(plan.ExistingCount, qsizetype(1));
        const TBatchResult result = SaveEachItem(plan, folder);
        QCOMPARE(result.Written, qsizetype(2));
        QCOMPARE(ReadBytes(victim), QByteArray("keep me"));
        QVERIFY(!QFileInfo(folder + QStringLiteral("one.svg")).isSymLink());
        QVERIFY(ReadBytes(folder + QStringLiteral("one.svg")).startsWith("<?xml"));
    }

    // Two runs into one folder at the same time: every file is whole and each run's count is
    // the number of files it put in place.
    void TwoBatchesIntoOneFolder()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        QStringList strings;
        for (int i = 0; i < 200; ++i)
            strings.append(QStringLiteral("ITEM%1").arg(i % 50));
        const TBatchPlan plan = PlanBatch(strings, folder, QStringLiteral(".svg"));
        auto run = [&](const QString &prefix, TBatchResult &result) {
            result = RunBatchParallel(plan, folder, [prefix] {
                auto barcode = std::make_shared<TBarcode>(nullptr);
                return TBatchSave([barcode, prefix](const TBatchItem &item) {
                    barcode->SetInputText(prefix + item.Text.repeated(1 + int(item.Line % 7)));
                    barcode->Save(item.FileName);
                }, barcode->SaveChecksFiles());
            }, 2, nullptr);
        };
        TBatchResult a, b;
        std::thread first([&] { run(QStringLiteral("A"), a); });
        run(QStringLiteral("B"), b);
        first.join();
        QCOMPARE(a.Written, plan.Items.size());
        QCOMPARE(b.Written, plan.Items.size());
        for (const TBatchItem &item : plan.Items) {
            const QByteArray bytes = ReadBytes(item.FileName);
            QVERIFY2(bytes.startsWith("<?xml") && bytes.trimmed().endsWith("</svg>"), qPrintable(item.FileName));
        }
        QCOMPARE(WorkFiles(folder), QStringList());
    }

    // Work files of a program that is gone, untouched for a minute, are strays; a running
    // program's and fresh ones are not, nor names of other patterns.
    void StrayWorkFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("age");
        QTest::addColumn<bool>("stray");
        const QString gone = QString::number(DeadProcess());
        const QString alive = QString::number(::getppid());
        QTest::newRow("gone, old") << ".quorvel-" + gone + "-abcd1234.svg" << qint64(3600) << true;
        QTest::newRow("gone, fresh") << ".quorvel-" + gone + "-abcd1234.svg" << qint64(5) << false;
        QTest::newRow("running, old") << ".quorvel-" + alive + "-abcd1234.svg" << qint64(3600) << false;
        QTest::newRow("ourselves, old") << ".quorvel-" + QString::number(::getpid()) + "-abcd1234.bmp" << qint64(3600) << false;
        QTest::newRow("no number") << QStringLiteral(".quorvel-x-abcd1234.svg") << qint64(3600) << false;
        QTest::newRow("too short") << ".quorvel-" + gone + "-ab.svg" << qint64(3600) << false;
        QTest::newRow("user's file") << QStringLiteral("quorvel-1-abcd1234.svg") << qint64(3600) << false;
    }
    void StrayWorkFiles()
    {
        QFETCH(QString, name);
        QFETCH(qint64, age);
        QFETCH(bool, stray);
        QCOMPARE(IsStrayWorkFile(name, age), stray);

        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const struct utimbuf times{std::time(nullptr) - age, std::time(nullptr) - age};
        QCOMPARE(::utime(QFile::encodeName(path).constData(), &times), 0);
        RemoveStrayWorkFiles(dir.path());
        QCOMPARE(QFile::exists(path), !stray);
    }

private:
    // The number of a process that has ended (and been reaped).
    static pid_t DeadProcess()
    {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        ::waitpid(child, nullptr, 0);
        return child;
    }
};

QTEST_GUILESS_MAIN(TestAtomicSave)
#include "TestAtomicSave.moc"
