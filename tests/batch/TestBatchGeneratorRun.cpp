#include "BatchTestSupport.h"

#include "app/AppSettings.h"
#include "app/Form1.h"
#include "barcode/Barcode.h"
#include "batch/BatchRun.h"
#include "batch/BatchSummary.h"
#include "batch/FormBatchGenerator.h"
#include "support/CapturedStdout.h"
#include "toolkit/DirectoryEdit.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/ProgramPaths.h"
#include "toolkit/StdCtrls.h"
#include "verify/ScanText.h"

#include <QProgressDialog>
#include <QScopeGuard>
#include <QtEndian>
#include <QtTest>
#include <memory>
#include <optional>

// A batch run through the real main window and the real engine: one file per string in the
// chosen format, clean and distinct names, failures reported without stopping, the question
// before overwriting, cancel, and the main window's data as it was.
class TestBatchGeneratorRun final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FHome;
    std::unique_ptr<QTemporaryDir> FOut;
    std::unique_ptr<TFormBatchGenerator> FForm;
    std::optional<TBatchResult> FResult;
    int FSummaries = 0;
    QString FInputTextAtSummary;

    QString OutFolder() const { return FOut->path() + u'/'; }

    void SetStrings(const QStringList &strings)
    {
        FForm->ListBox1->clear();
        FForm->ListBox1->addItems(strings);
    }

    QStringList OutFiles() const
    {
        QStringList files = QDir(OutFolder()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        files.sort();
        return files;
    }

    void Start()
    {
        FForm->DirectoryEdit1->SetText(FOut->path());
        FForm->ButtonStart->Click();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(FHome.isValid());
        SetProgramFolderForTests(FHome.path());
        TForm1 *form = CreateForm1();
        QVERIFY(form != nullptr);
        QCOMPARE(Form1, form);
        QCOMPARE(Form1->Barcode->Symbology(), syQRCode);
        SetBatchSummaryPresenterForTests([this](QWidget *, const TBatchResult &result) {
            ++FSummaries;
            FResult = result;
            // By the time the summary shows, the window takes new work again and the main
            // window has its own text back.
            QVERIFY(FForm->ButtonStart->isEnabled());
            QVERIFY(FForm->ButtonLoadFromFile->isEnabled());
            FInputTextAtSummary = Form1->Barcode->InputText();
        });
    }

    void cleanupTestCase()
    {
        SetBatchSummaryPresenterForTests(nullptr);
        delete Form1;
    }

    void init()
    {
        FOut = std::make_unique<QTemporaryDir>();
        QVERIFY(FOut->isValid());
        FForm = std::make_unique<TFormBatchGenerator>(Form1, Form1->BatchHost());
        FormBatchGenerator = FForm.get();
        FForm->show();
        FResult.reset();
        FSummaries = 0;
        Form1->ComboBoxExt->SetText(QStringLiteral("BMP"));
        Form1->Barcode->SetInputText(QStringLiteral("123456"));
    }

    void cleanup()
    {
        FForm.reset();
        FOut.reset();
    }

    void WritesOneFilePerItemInFormat_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("magic");
        QTest::addColumn<int>("offset");
        QTest::newRow("SVG") << "SVG" << QByteArray("<?xml") << 0;
        QTest::newRow("BMP") << "BMP" << QByteArray("BM") << 0;
        QTest::newRow("EPS") << "EPS" << QByteArray("%!PS-Adobe") << 0;
        QTest::newRow("GIF") << "GIF" << QByteArray("GIF8") << 0;
        QTest::newRow("PCX") << "PCX" << QByteArray("\x0A") << 0;
        QTest::newRow("EMF") << "EMF" << QByteArray(" EMF") << 40;
        QTest::newRow("TXT") << "TXT" << QByteArray("FE ") << 0;
        QTest::newRow("PNG") << "PNG" << QByteArray("\x89PNG\r\n\x1a\n", 8) << 0;
        QTest::newRow("TIF") << "TIF" << QByteArray("II*\0", 4) << 0;
    }

    void WritesOneFilePerItemInFormat()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, magic);
        QFETCH(int, offset);
        Form1->ComboBoxExt->SetText(format);
        QCOMPARE(Form1->ComboBoxExt->Text(), format);
        SetStrings({"first", "second", "third"});
        TRecordingMessages messages;
        Start();

        const QString ext = u'.' + format.toLower();
        QCOMPARE(OutFiles(), (QStringList{"first" + ext, "second" + ext, "third" + ext}));
        for (const QString &file : OutFiles())
            QCOMPARE(ReadBytes(OutFolder() + file).mid(offset, magic.size()), magic);
        QCOMPARE(FSummaries, 1);
        QCOMPARE(FResult->Written, 3);
        QVERIFY(FResult->Failures.isEmpty());
        QVERIFY(messages.Requests.isEmpty()); // nothing existed: no question
    }

    // "Check every file": raster and SVG files are read back, the other formats counted as not
    // checked, and a file that does not read back is listed with the reader's verdict.
    void ChecksEveryFile_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<TColor>("fore");
        QTest::addColumn<int>("readBack");
        QTest::addColumn<int>("unchecked");
        QTest::addColumn<int>("unreadable");
        QTest::newRow("PNG") << "PNG" << clBlack << 2 << 0 << 0;
        QTest::newRow("BMP") << "BMP" << clBlack << 2 << 0 << 0;
        QTest::newRow("GIF") << "GIF" << clBlack << 2 << 0 << 0;
        QTest::newRow("SVG") << "SVG" << clBlack << 2 << 0 << 0;
        QTest::newRow("PCX") << "PCX" << clBlack << 2 << 0 << 0;
        QTest::newRow("EPS") << "EPS" << clBlack << 0 << 2 << 0;
        QTest::newRow("white on white") << "PNG" << clWhite << 0 << 0 << 2;
    }

    void ChecksEveryFile()
    {
        QFETCH(QString, format);
        QFETCH(TColor, fore);
        QFETCH(int, readBack);
        QFETCH(int, unchecked);
        QFETCH(int, unreadable);
        Form1->ComboBoxExt->SetText(format);
        Form1->Barcode->SetForeColor(fore);
        const auto restore = qScopeGuard([] { Form1->Barcode->SetForeColor(clBlack); });
        FForm->CheckBoxCheckFiles->SetChecked(true);
        SetStrings({"first", "second"});
        Start();
        QVERIFY(FResult.has_value());
        QCOMPARE(FResult->Written, 2);
        QVERIFY(FResult->Check.Ran);
        QCOMPARE(FResult->Check.ReadBack, readBack);
        QCOMPARE(FResult->Check.Unchecked, unchecked);
        QCOMPARE(FResult->Check.Unreadable.size(), unreadable);
        const QString notRead = ScanVerdictText(TScanVerdict{TScanOutcome::DoesNotRead, {}, {}},
                                                [](const QString &text) { return text; });
        for (const TBatchFailure &failure : FResult->Check.Unreadable)
            QVERIFY2(failure.Message.startsWith(notRead), qPrintable(failure.Message));
        QCOMPARE(BatchFailureLines(*FResult).size(), unreadable);
        // The files stay, read back or not.
        QCOMPARE(OutFiles().size(), 2);
    }

    void EncodesEachString()
    {
        // Two files of different strings differ; the same string twice gives the same picture.
        Form1->ComboBoxExt->SetText(QStringLiteral("TXT"));
        SetStrings({"AAA", "BBB", "AAA"});
        Start();
        QCOMPARE(OutFiles(), (QStringList{"3_AAA.txt", "AAA.txt", "BBB.txt"}));
        QVERIFY(ReadBytes(OutFolder() + "AAA.txt") != ReadBytes(OutFolder() + "BBB.txt"));
        QCOMPARE(ReadBytes(OutFolder() + "AAA.txt"), ReadBytes(OutFolder() + "3_AAA.txt"));
    }

    void CleansNamesAndNeverCollides()
    {
        Form1->ComboBoxExt->SetText(QStringLiteral("SVG"));
        SetStrings({"https://example.org/p?id=1", "a/b", "a:b", "Case", "CASE", "..", "  x  ", "x"});
        Start();
        QCOMPARE(OutFiles(), (QStringList{"3_a_b.svg", "5_CASE.svg", "6.svg", "8_x.svg", "Case.svg",
                                          "a_b.svg", "https___example.org_p_id=1.svg", "x.svg"}));
        QCOMPARE(FResult->Written, 8);
    }

    void KeepsGoingPastRejectedItems()
    {
        Form1->ComboBoxExt->SetText(QStringLiteral("SVG"));
        const QString tooLong(8000, u'9'); // more than a QR Code holds
        QVERIFY(QDir(OutFolder()).mkdir(QStringLiteral("blocked.svg"))); // a folder where a file should go
        SetStrings({"good1", "", tooLong, "blocked", "good2"});
        TRecordingMessages messages; // answers Yes to the overwrite question
        Start();

        QCOMPARE(messages.Requests.size(), 1);
        QCOMPARE(FResult->Total, 5);
        QCOMPARE(FResult->Written, 2);
        QCOMPARE(FResult->Skipped, 1); // the blank line
        QCOMPARE(FResult->Failures.size(), 2);
        QCOMPARE(FResult->Failures.at(0).Line, 3);
        QCOMPARE(FResult->Failures.at(0).Text, tooLong);
        QCOMPARE(FResult->Failures.at(1).Line, 4);
        for (const TBatchFailure &failure : FResult->Failures)
            QVERIFY2(!failure.Message.isEmpty(), qPrintable(QString::number(failure.Line)));
        QVERIFY(QFile::exists(OutFolder() + "good1.svg"));
        QVERIFY(QFile::exists(OutFolder() + "good2.svg"));
        QCOMPARE(QDir(OutFolder()).entryList(QDir::Files).size(), 2);
    }

    void UnwritableFolderReportsEveryItem()
    {
        // Not even root can create files here.
        Form1->ComboBoxExt->SetText(QStringLiteral("BMP"));
        SetStrings({"one", "two"});
        FForm->DirectoryEdit1->SetText(QStringLiteral("/proc"));
        FForm->ButtonStart->Click();
        QCOMPARE(FSummaries, 1);
        QCOMPARE(FResult->Written, 0);
        QCOMPARE(FResult->Failures.size(), 2);
        QVERIFY(!FResult->Failures.first().Message.isEmpty());
    }

    void AsksOnceBeforeOverwriting_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("No cancels the run") << int(mrNo);
        QTest::newRow("Yes overwrites") << int(mrYes);
    }

    void AsksOnceBeforeOverwriting()
    {
        QFETCH(int, answer);
        Form1->ComboBoxExt->SetText(QStringLiteral("SVG"));
        QVERIFY(WriteBytes(OutFolder() + "b.svg", "mine"));
        QVERIFY(WriteBytes(OutFolder() + "c.svg", "mine too"));
        QVERIFY(WriteBytes(OutFolder() + "a.bmp", "other format"));
        SetStrings({"a", "b", "c"});
        TRecordingMessages messages;
        messages.Answer = answer;
        Start();

        QCOMPARE(messages.Requests.size(), 1);
        QCOMPARE(messages.Requests.first().Buttons, mbYesNo);
        QCOMPARE(messages.Requests.first().DefaultButton, mrNo);
        QVERIFY2(messages.Requests.first().Text.contains(u'2'), qPrintable(messages.Requests.first().Text));
        QCOMPARE(ReadBytes(OutFolder() + "a.bmp"), QByteArray("other format"));
        if (answer == mrNo) {
            QCOMPARE(FSummaries, 0);
            QVERIFY(!QFile::exists(OutFolder() + "a.svg"));
            QCOMPARE(ReadBytes(OutFolder() + "b.svg"), QByteArray("mine"));
            QCOMPARE(ReadBytes(OutFolder() + "c.svg"), QByteArray("mine too"));
        } else {
            QCOMPARE(FResult->Written, 3);
            QVERIFY(ReadBytes(OutFolder() + "b.svg").startsWith("<?xml"));
            QVERIFY(ReadBytes(OutFolder() + "c.svg").startsWith("<?xml"));
        }
    }

    void EnterOnOverwriteQuestionKeepsFiles()
    {
        // The real question box: Enter answers No.
        Form1->ComboBoxExt->SetText(QStringLiteral("SVG"));
        QVERIFY(WriteBytes(OutFolder() + "b.svg", "mine"));
        SetStrings({"a", "b"});
        QString question;
        PressKeyOnNextMessageBox(Qt::Key_Return, &question);
        Start();

        QVERIFY2(question.contains(QStringLiteral("Overwrite")), qPrintable(question));
        QCOMPARE(FSummaries, 0);
        QCOMPARE(ReadBytes(OutFolder() + "b.svg"), QByteArray("mine"));
        QVERIFY(!QFile::exists(OutFolder() + "a.svg"));
    }

    void CancelsCleanly_data()
    {
        QTest::addColumn<int>("threads");
        QTest::newRow("one thread") << 1;
        QTest::newRow("2 threads") << 2;
        QTest::newRow("4 threads") << 4;
    }

    void CancelsCleanly()
    {
        QFETCH(int, threads);
        SetBatchThreadCountForTests(threads);
        const auto restore = qScopeGuard([] { SetBatchThreadCountForTests(0); });
        Form1->ComboBoxExt->SetText(QStringLiteral("BMP"));
        QStringList strings;
        for (int i = 0; i < 1000; ++i)
            strings.append(QStringLiteral("item %1").arg(i));
        SetStrings(strings);
        int reports = 0;
        bool busyDuringRun = false;
        connect(FForm.get(), &TFormBatchGenerator::BatchProgress, this, [&](qsizetype, qsizetype) {
            if (++reports > 1)
                return;
            busyDuringRun = !FForm->ButtonStart->isEnabled() && !FForm->ButtonLoadFromFile->isEnabled()
                            && !FForm->ButtonPasteFromClipboard->isEnabled();
            auto *progress = FForm->findChild<QProgressDialog *>();
            QVERIFY(progress != nullptr);
            QVERIFY(progress->isVisible());
            progress->cancel();
        });
        Start();

        QVERIFY(busyDuringRun);
        QCOMPARE(reports, 1);
        QVERIFY(FResult->Cancelled);
        if (threads == 1) {
            QCOMPARE(FResult->Written, 1);
            QCOMPARE(OutFiles(), QStringList{"item 0.bmp"});
        } else {
            // The workers stop after the items they hold: what was written is a start of the
            // list, and the summary counts exactly that.
            QVERIFY(FResult->Written >= 1 && FResult->Written < 1000);
            QCOMPARE(OutFiles().size(), FResult->Written);
            for (qsizetype i = 0; i < FResult->Written; ++i)
                QVERIFY(QFile::exists(OutFolder() + QStringLiteral("item %1.bmp").arg(i)));
        }
        QVERIFY(FForm->ButtonStart->isEnabled());
        QVERIFY(FForm->findChild<QProgressDialog *>() == nullptr);
    }

    void SameFilesAndReportForAnyThreadCount_data()
    {
        QTest::addColumn<int>("threads");
        QTest::newRow("one thread") << 1;
        QTest::newRow("2 threads") << 2;
        QTest::newRow("4 threads") << 4;
    }

    void SameFilesAndReportForAnyThreadCount()
    {
        QFETCH(int, threads);
        SetBatchThreadCountForTests(threads);
        const auto restore = qScopeGuard([] { SetBatchThreadCountForTests(0); });
        Form1->ComboBoxExt->SetText(QStringLiteral("SVG"));
        Form1->Barcode->SetForeColor(RGBToColor(0, 0, 128));
        const auto colour = qScopeGuard([] { Form1->Barcode->SetForeColor(clBlack); });
        QStringList strings;
        for (int i = 0; i < 60; ++i)
            strings.append(i == 25 || i == 40 ? QString() : QStringLiteral("s%1").arg(i % 50));
        SetStrings(strings);
        Start();

        QCOMPARE(FResult->Written, 58);
        QCOMPARE(FResult->Skipped, 2);
        QCOMPARE(FResult->Failures.size(), 0);
        const QStringList files = OutFiles();
        QCOMPARE(files.size(), 58);
        // Repeated strings are numbered by line, whichever thread wrote them.
        QVERIFY(files.contains(QStringLiteral("52_s1.svg")));
        // Every file is drawn with the main window's settings.
        for (const QString &file : files)
            QVERIFY2(ReadBytes(OutFolder() + file).contains("000080"), qPrintable(file));
        QCOMPARE(Form1->Barcode->InputText(), QStringLiteral("123456"));
    }

    void ResolutionReachesEveryFile_data()
    {
        QTest::addColumn<int>("threads");
        QTest::newRow("one thread") << 1;
        QTest::newRow("2 threads") << 2;
    }

    void ResolutionReachesEveryFile()
    {
        // The main window's resolution (from its physical size) is no published property, yet
        // the workers' copies must stamp it too.
        QFETCH(int, threads);
        SetBatchThreadCountForTests(threads);
        Form1->Barcode->SetResolution(300);
        const auto restore = qScopeGuard([] {
            SetBatchThreadCountForTests(0);
            Form1->Barcode->SetResolution(0);
        });
        Form1->ComboBoxExt->SetText(QStringLiteral("BMP"));
        SetStrings({"a", "b", "c", "d", "e", "f"});
        Start();

        QCOMPARE(FResult->Written, 6);
        for (const QString &file : OutFiles()) {
            const QByteArray bytes = ReadBytes(OutFolder() + file);
            QVERIFY2(bytes.size() > 46, qPrintable(file));
            // biXPelsPerMeter: 300 dots per inch.
            QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 38), quint32(11811));
        }
    }

    void RestoresInputTextAndPreview()
    {
        Form1->ComboBoxExt->SetText(QStringLiteral("SVG"));
        Form1->Barcode->SetInputText(QStringLiteral("keep me"));
        Form1->RefreshPreview();
        const QImage preview = Form1->Image->Picture();
        QVERIFY(!preview.isNull());
        SetStrings({"x1", "", "x3"}); // a failure in the middle, a success at the end
        Start();
        QCOMPARE(FResult->Written, 2);
        QCOMPARE(Form1->Barcode->InputText(), QStringLiteral("keep me"));
        QCOMPARE(FInputTextAtSummary, QStringLiteral("keep me"));
        QCOMPARE(Form1->Image->Picture(), preview);
        // The component draws the restored text again, exactly as before the run.
        Form1->RefreshPreview();
        QCOMPARE(Form1->Image->Picture(), preview);
    }

    void EmptyListSaysSo()
    {
        SetStrings({});
        TRecordingMessages messages;
        Start();
        QCOMPARE(messages.Texts(), QStringList{"The list is empty: there is nothing to write."});
        QCOMPARE(FSummaries, 0);
        QVERIFY(OutFiles().isEmpty());
    }

    // With the standard-output option the engine writes every symbol there and no file arrives:
    // the run must say so for every item, not count them written.
    void StandardOutputOptionWritesNoFiles()
    {
        Form1->ComboBoxExt->SetText(QStringLiteral("SVG"));
        const TOutputOptions options = Form1->Barcode->OutputOptions();
        const auto restore = qScopeGuard([options] { Form1->Barcode->SetOutputOptions(options); });
        Form1->Barcode->SetOutputOptions(options | SetOf(opStdout));
        SetStrings({"one", "two", "three"});
        const QString captured = FHome.filePath(QStringLiteral("stdout.svg"));
        {
            const TCapturedStdout capture(captured);
            Start();
        }
        QCOMPARE(FSummaries, 1);
        QCOMPARE(FResult->Written, 0);
        QCOMPARE(FResult->Failures.size(), 3);
        for (const TBatchFailure &failure : FResult->Failures)
            QCOMPARE(failure.Message, FileNotWrittenMessage());
        QVERIFY(OutFiles().isEmpty());
        QVERIFY(QFileInfo(captured).size() > 0);
    }

    void UnknownFormatWritesNothing()
    {
        Form1->ComboBoxExt->AddItem(QStringLiteral("Bitmap"));
        Form1->ComboBoxExt->SetText(QStringLiteral("Bitmap"));
        SetStrings({"a"});
        TRecordingMessages messages;
        Start();
        QCOMPARE(messages.Texts(), QStringList{"Choose one of the file formats BMP, EMF, EPS, GIF, PCX, TXT, SVG, PNG, TIF or PDF in the main window first."});
        QCOMPARE(FSummaries, 0);
        QVERIFY(OutFiles().isEmpty());
        Form1->ComboBoxExt->removeItem(Form1->ComboBoxExt->count() - 1);
    }
};

QTEST_MAIN(TestBatchGeneratorRun)
#include "TestBatchGeneratorRun.moc"
