#include "ReliabilitySupport.h"

#include "app/AppSettings.h"
#include "barcode/Barcode.h"
#include "batch/BatchPlan.h"
#include "batch/BatchRun.h"
#include "lang/LangFile.h"
#include "toolkit/Exception.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

// Targets nobody may write, not even the administrator (CI runs as root, so permission bits
// prove nothing): /proc takes no new files or folders.
class TestUnwritableTargets : public QObject
{
    Q_OBJECT

private:
    const QString FFolder = QStringLiteral("/proc");

private slots:
    void SaveBarcode_data()
    {
        AddSaveExtensionRows();
    }

    void SaveBarcode()
    {
        QFETCH(QString, extension);
        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("Quorvel"));
        const QImage before = barcode.Bitmap().copy();
        const QString message = ErrorMessage([&] { barcode.Save(FFolder + QStringLiteral("/symbol") + extension); });
        QVERIFY2(message.contains(QStringLiteral("Could not open")), qPrintable(message));
        QCOMPARE(barcode.Bitmap(), before);
    }

    void BatchRun()
    {
        const QString folder = FFolder + u'/';
        const TBatchPlan plan = PlanBatch({QStringLiteral("one"), QStringLiteral("two")}, folder, QStringLiteral(".svg"));
        const TBatchResult result = SaveEachItem(plan, folder);
        QCOMPARE(result.Written, qsizetype(0));
        QCOMPARE(result.Failures.size(), qsizetype(2));
        for (const TBatchFailure &failure : result.Failures)
            QVERIFY(!failure.Message.isEmpty());
    }

    void LanguageFile()
    {
        TLangFile file;
        file.WriteString(QStringLiteral("Messages"), QStringLiteral("Strings"), QStringLiteral("Zeichenketten"));
        const QString path = FFolder + QStringLiteral("/Native.lng");
        QVERIFY(ErrorMessage([&] { file.Save(path); }).startsWith(QStringLiteral("Cannot write the language file")));
        QVERIFY(!QFile::exists(path));
    }

    void Settings()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FFolder + QStringLiteral("/quorvel"));
        AppSettings = TAppSettings();
        AppSettings.Language = QStringLiteral("German");
        QVERIFY(!WriteSettings());
    }
};

QTEST_GUILESS_MAIN(TestUnwritableTargets)
#include "TestUnwritableTargets.moc"
