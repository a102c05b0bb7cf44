#include "Form1Fixture.h"

#include "barcode/Barcode.h"
#include "batch/BatchHost.h"
#include "batch/FormBatchGenerator.h"
#include "lang/LangChanger.h"
#include "lang/SettingsHost.h"
#include "toolkit/DirectoryEdit.h"

#include <QClipboard>
#include <algorithm>

// What the main window hands the batch window and the settings dialog: its own barcode, format
// list, image list and translation, and the settings record.
class TestForm1Hosts : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTestEnvironment> FEnvironment;
    std::unique_ptr<TForm1> FForm;

private slots:
    void init()
    {
        FEnvironment = std::make_unique<TTestEnvironment>();
        FForm.reset(CreateForm1());
    }

    void cleanup()
    {
        FForm.reset();
        FEnvironment.reset();
    }

    void SaveExtensionFollowsFormatList_data()
    {
        QTest::addColumn<QString>("listText");
        QTest::addColumn<QString>("extension");
        QTest::newRow("BMP") << "BMP" << ".bmp";
        QTest::newRow("SVG") << "SVG" << ".svg";
        QTest::newRow("all formats name no single one") << "ALL" << "";
        QTest::newRow("a translated entry") << "Alle" << "";
    }

    void SaveExtensionFollowsFormatList()
    {
        QFETCH(QString, listText);
        QFETCH(QString, extension);
        // A language file may give the list entries of its own.
        if (FForm->ComboBoxExt->findText(listText) < 0)
            FForm->ComboBoxExt->AddItem(listText);
        FForm->ComboBoxExt->SetText(listText);
        QCOMPARE(FForm->ComboBoxExt->Text(), listText);
        QCOMPARE(FForm->BatchHost()->SaveExtension(), extension);
    }

    void BatchHostIsTheMainWindow()
    {
        TBatchHost *host = FForm->BatchHost();
        QCOMPARE(host->Barcode(), FForm->Barcode);
        QCOMPARE(host->ButtonImages(), FForm->ImageList1);

        AppSettings.Path = QStringLiteral("/srv/out/");
        QCOMPARE(host->OutputFolder(), QStringLiteral("/srv/out/"));
        host->SetOutputFolder(QStringLiteral("/tmp/elsewhere/"));
        QCOMPARE(AppSettings.Path, QStringLiteral("/tmp/elsewhere/"));

        FEnvironment->WriteLanguageFile(QStringLiteral("German"),
                                        QStringLiteral("[Messages]\r\nStrings=Zeichenketten\r\n"));
        FForm->LangChanger1->SetLangFile(LanguageFilePath(QStringLiteral("German")));
        QCOMPARE(host->TranslateMessage(QStringLiteral("Strings")), QStringLiteral("Zeichenketten"));
    }

    void SaveBarcodeWritesTheChosenFormat()
    {
        QTemporaryDir out;
        QVERIFY(out.isValid());
        FForm->ComboBoxExt->SetText(QStringLiteral("GIF"));
        FForm->Barcode->SetInputText(QStringLiteral("host"));
        FForm->BatchHost()->SaveBarcode(out.filePath(QStringLiteral("symbol")));
        QVERIFY(QFileInfo(out.filePath(QStringLiteral("symbol.gif"))).size() > 0);
    }

    // The batch window shows what a run will make: the main window's symbology, the format (one
    // choice for both windows) and beside each string the file it becomes.
    void BatchWindowShowsWhatARunMakes()
    {
        PickItem(FForm->ComboBoxSymbology, QStringLiteral("Code 128"));
        // A language file's own entry names no single format.
        FForm->ComboBoxExt->AddItem(QStringLiteral("Alle"));
        PickItem(FForm->ComboBoxExt, QStringLiteral("Alle"));
        TFormBatchGenerator batch(FForm.get(), FForm->BatchHost());
        batch.show();
        QCOMPARE(batch.LabelSymbologyName->Caption(), QStringLiteral("Code 128"));
        QCOMPARE(batch.ComboBoxFormat->ItemIndex(), -1); // all formats name no single one
        PickItem(batch.ComboBoxFormat, QStringLiteral("SVG"));
        QCOMPARE(FForm->ComboBoxExt->Text(), QStringLiteral("SVG"));

        QTemporaryDir out;
        batch.DirectoryEdit1->SetText(out.path());
        QGuiApplication::clipboard()->setText(QStringLiteral("a/b\nA/B\nplain\nplain"));
        batch.ButtonPasteFromClipboard->Click();
        QStringList shown;
        for (int row = 0; row < batch.ListBox1->count(); ++row)
            shown << batch.FileNameOf(row);
        SetBatchSummaryPresenterForTests([](QWidget *, const TBatchResult &) {});
        const auto restore = qScopeGuard([] { SetBatchSummaryPresenterForTests({}); });
        batch.ButtonStart->Click();
        QStringList written = QDir(out.path()).entryList(QDir::Files);
        QCOMPARE(written.size(), shown.size());
        std::sort(shown.begin(), shown.end());
        QCOMPARE(written, shown);

        PickItem(FForm->ComboBoxExt, QStringLiteral("PNG"));
        batch.FormShow(&batch);
        QCOMPARE(batch.ComboBoxFormat->Text(), QStringLiteral("PNG"));
        QVERIFY(batch.FileNameOf(0).endsWith(QStringLiteral(".png")));
    }

    void SettingsHostIsTheMainWindow()
    {
        TSettingsHost *host = FForm->SettingsHost();
        QCOMPARE(host->LangChanger(), FForm->LangChanger1);
        QCOMPARE(host->MainWindow(), FForm.get());
        AppSettings.Language = QStringLiteral("French");
        QCOMPARE(host->Language(), QStringLiteral("French"));
        host->SetLanguage(QStringLiteral("Spanish"));
        QCOMPARE(AppSettings.Language, QStringLiteral("Spanish"));

        // The template's batch window: a real one, owned as asked, reaching the same host.
        QObject owner;
        const std::unique_ptr<QObject> batch = host->CreateBatchWindow(&owner);
        auto *window = qobject_cast<TFormBatchGenerator *>(batch.get());
        QVERIFY(window != nullptr);
        QCOMPARE(ComponentOwner(window), &owner);
        QCOMPARE(window->ButtonStart->Images(), FForm->ImageList1);
    }
};

QTEST_MAIN(TestForm1Hosts)
#include "TestForm1Hosts.moc"
