#include "support/FileBytes.h"
#include "ReliabilitySupport.h"

#include "app/AppSettings.h"
#include "barcode/Barcode.h"
#include "batch/BatchPlan.h"
#include "batch/BatchRun.h"
#include "lang/LangFile.h"
#include "toolkit/Exception.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

// Writing onto a full disk. /dev/full (every write fails with "no space left") is always there;
// a real full file system is used when the environment names a small one that may be filled
// (QUORVEL_FULL_DISK_DIR, a tiny tmpfs mounted by scripts/ci-reliability.sh).
class TestDiskFull : public QObject
{
    Q_OBJECT

private:
    QString FFullDir;   // a folder on the full file system, empty when there is none
    QString FFiller;

    static bool WriteFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()
               && file.flush();
    }

    // Fills the file system up to its last byte.
    void FillUp()
    {
        const int fd = ::open(QFile::encodeName(FFiller).constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        QVERIFY(fd >= 0);
        const QByteArray block(4096, 'x');
        while (::write(fd, block.constData(), size_t(block.size())) > 0) {
        }
        while (::write(fd, block.constData(), 1) > 0) {
        }
        const int error = errno;
        ::close(fd);
        QCOMPARE(error, ENOSPC);
    }

    void RequireFullDisk()
    {
        if (FFullDir.isEmpty())
            QSKIP("no small file system to fill (QUORVEL_FULL_DISK_DIR)");
    }

private slots:
    void initTestCase()
    {
        const QString root = qEnvironmentVariable("QUORVEL_FULL_DISK_DIR");
        if (root.isEmpty())
            return;
        QTemporaryDir probe(root + QStringLiteral("/disk-XXXXXX"));
        QVERIFY2(probe.isValid(), qPrintable(root));
        probe.setAutoRemove(false);
        FFullDir = probe.path();
        FFiller = root + QStringLiteral("/filler-") + QFileInfo(FFullDir).fileName();
    }

    void cleanup()
    {
        if (!FFiller.isEmpty())
            QFile::remove(FFiller);
    }

    void cleanupTestCase()
    {
        if (!FFullDir.isEmpty())
            QDir(FFullDir).removeRecursively();
    }

    void SaveOntoDevFull_data()
    {
        AddSaveExtensionRows();
    }

    // The engine reports success for a file whose every write failed; the user must not be told
    // that a barcode was saved when nothing was.
    void SaveOntoDevFull()
    {
        QFETCH(QString, extension);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("full") + extension);
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), path));
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("Quorvel"));
        QVERIFY2(!ErrorMessage([&] { barcode.Save(path); }).isEmpty(), "saving onto a full device succeeded");
        // The component is still usable afterwards.
        QVERIFY(!barcode.Bitmap().isNull());
    }

    void SaveOntoFullFileSystem_data() { SaveOntoDevFull_data(); }

    void SaveOntoFullFileSystem()
    {
        QFETCH(QString, extension);
        RequireFullDisk();
        const QString path = FFullDir + QStringLiteral("/symbol") + extension;
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("Quorvel"));
        FillUp();
        QVERIFY2(!ErrorMessage([&] { barcode.Save(path); }).isEmpty(), "saving onto a full disk succeeded");
        QFile::remove(path);
    }

    // Batch run: no item of a run onto a full disk may count as written.
    void BatchRunOntoFullFileSystem()
    {
        RequireFullDisk();
        const QString folder = FFullDir + u'/';
        const TBatchPlan plan = PlanBatch({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")},
                                          folder, QStringLiteral(".svg"));
        TBarcode barcode(nullptr);
        FillUp();
        const TBatchResult result = RunBatch(plan, folder, [&barcode](const TBatchItem &item) {
            barcode.SetInputText(item.Text);
            barcode.Save(item.FileName);
        }, nullptr);
        QCOMPARE(result.Written, qsizetype(0));
        QCOMPARE(result.Failures.size(), qsizetype(3));
        for (const TBatchItem &item : plan.Items)
            QFile::remove(item.FileName);
    }

    // A language file rewritten on a full disk: an error, and the old file is still whole.
    void LanguageFileOntoFullFileSystem()
    {
        RequireFullDisk();
        const QString path = FFullDir + QStringLiteral("/German.lng");
        TLangFile file;
        file.WriteString(QStringLiteral("Messages"), QStringLiteral("Strings"), QStringLiteral("Zeichenketten"));
        file.Save(path);
        const QByteArray before = ReadBytes(path);
        QVERIFY(!before.isEmpty());

        file.WriteString(QStringLiteral("Messages"), QStringLiteral("Long"), QString(8192, u'x'));
        FillUp();
        QVERIFY(!ErrorMessage([&] { file.Save(path); }).isEmpty());
        QCOMPARE(ReadBytes(path), before);
        QFile::remove(path);
    }

    // Settings saved on a full disk: the save reports failure and the stored values survive.
    void SettingsOntoFullFileSystem()
    {
        RequireFullDisk();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FFullDir);
        AppSettings = TAppSettings();
        AppSettings.Language = QStringLiteral("German");
        AppSettings.Path = QStringLiteral("/tmp/out/");
        AppSettings.WindowWidth = 900;
        QVERIFY(WriteSettings());

        AppSettings.Language = QString(8192, u'L');
        AppSettings.WindowWidth = 1000;
        FillUp();
        QVERIFY(!WriteSettings());

        cleanup(); // room again, so that nothing but the old file decides what is read
        LoadSettings();
        QCOMPARE(AppSettings.Language, QStringLiteral("German"));
        QCOMPARE(AppSettings.WindowWidth, 900);
        QCOMPARE(AppSettings.Path, QStringLiteral("/tmp/out/"));
    }
};

QTEST_GUILESS_MAIN(TestDiskFull)
#include "TestDiskFull.moc"
