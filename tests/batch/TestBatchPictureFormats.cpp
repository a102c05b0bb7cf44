#include "BatchTestSupport.h"

#include "barcode/Barcode.h"
#include "batch/BatchRun.h"
#include "batch/FormBatchGenerator.h"
#include "toolkit/DirectoryEdit.h"
#include "toolkit/ProgramPaths.h"
#include "toolkit/StdCtrls.h"

#include <QScopeGuard>
#include <QtTest>
#include <memory>
#include <optional>

namespace {

// An opener whose format choice is a picture format: it saves its own real component, as the
// main window does with the chosen format's extension.
class TPictureHost final : public TBatchHost
{
public:
    QString TranslateMessage(const QString &message) const override { return message; }
    TImageList *ButtonImages() const override { return nullptr; }
    QString OutputFolder() const override { return Folder; }
    void SetOutputFolder(const QString &folder) override { Folder = folder; }
    QString SaveExtension() const override { return Extension; }
    QStringList SaveFormats() const override { return {Extension.mid(1).toUpper()}; }
    int SaveFormatIndex() const override { return 0; }
    void SetSaveFormatIndex(int) override {}
    TBarcode *Barcode() const override { return FBarcode.get(); }
    void SaveBarcode(const QString &basePath) override { FBarcode->Save(basePath + Extension); }

    QString Folder;
    QString Extension;

private:
    std::unique_ptr<TBarcode> FBarcode = std::make_unique<TBarcode>(nullptr);
};

} // namespace

// A batch run to PNG and TIF writes real pictures of that format, on one thread and on workers,
// and leaves the opener's data as it was.
class TestBatchPictureFormats final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FHome;
    std::optional<TBatchResult> FResult;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(FHome.isValid());
        SetProgramFolderForTests(FHome.path());
        SetBatchSummaryPresenterForTests([this](QWidget *, const TBatchResult &result) { FResult = result; });
    }

    void cleanupTestCase() { SetBatchSummaryPresenterForTests(nullptr); }

    void WritesPictures_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<int>("threads");
        QTest::addColumn<QByteArray>("signature");
        const QByteArray png("\x89PNG\r\n\x1a\n", 8);
        const QByteArray tif("II*\0", 4);
        for (int threads : {1, 2}) {
            QTest::addRow("PNG, %d threads", threads) << ".png" << threads << png;
            QTest::addRow("TIF, %d threads", threads) << ".tif" << threads << tif;
            // Drawn by Qt's PDF writer on the workers' threads, texts included.
            QTest::addRow("PDF, %d threads", threads) << ".pdf" << threads << QByteArray("%PDF-");
        }
    }

    void WritesPictures()
    {
        QFETCH(QString, extension);
        QFETCH(int, threads);
        QFETCH(QByteArray, signature);
        SetBatchThreadCountForTests(threads);
        const auto restore = qScopeGuard([] { SetBatchThreadCountForTests(0); });
        QTemporaryDir out;
        QVERIFY(out.isValid());
        TPictureHost host;
        host.Extension = extension;
        host.Barcode()->SetInputText(QStringLiteral("the opener's own"));
        TFormBatchGenerator form(nullptr, &host);
        form.ListBox1->addItems({"first", "second", "third", "fourth", "fifth"});
        form.DirectoryEdit1->SetText(out.path());
        FResult.reset();

        form.ButtonStart->Click();

        QVERIFY(FResult.has_value());
        QCOMPARE(FResult->Written, 5);
        QVERIFY(FResult->Failures.isEmpty());
        for (const char *name : {"first", "second", "third", "fourth", "fifth"}) {
            const QString file = out.filePath(QLatin1String(name) + extension);
            const QByteArray bytes = ReadBytes(file);
            QVERIFY2(bytes.startsWith(signature), qPrintable(file));
        }
        QCOMPARE(host.Barcode()->InputText(), QStringLiteral("the opener's own"));
    }
};

QTEST_MAIN(TestBatchPictureFormats)
#include "TestBatchPictureFormats.moc"
