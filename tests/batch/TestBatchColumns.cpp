#include "BatchTestSupport.h"

#include "app/Form1.h"
#include "batch/BatchColumnsDialog.h"
#include "batch/FormBatchGenerator.h"
#include "toolkit/DirectoryEdit.h"
#include "toolkit/ProgramPaths.h"
#include "toolkit/StdCtrls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTreeWidget>
#include <QtTest>
#include <memory>
#include <optional>

// A loaded table in the batch window: the column dialog with its preview of file names, the data
// and file-name columns reaching the run, and every way out that leaves the list as it was.
class TestBatchColumns final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FHome;
    std::unique_ptr<QTemporaryDir> FOut;
    std::unique_ptr<TFormBatchGenerator> FForm;
    std::optional<TBatchResult> FResult;
    // What the dialog showed, and how the stand-in user answers it.
    QStringList FPreview;
    QStringList FPreviewData; // the data shown beside each previewed name
    QString FWarning;
    int FDialogs = 0;
    std::function<TBatchColumnChoice(TBatchColumnsDialog &)> FAnswer;

    QStringList Items() const
    {
        QStringList items;
        for (int i = 0; i < FForm->ListBox1->count(); ++i)
            items.append(FForm->ListBox1->item(i)->text());
        return items;
    }

    void Load(const QByteArray &bytes)
    {
        const QString name = FHome.filePath(QStringLiteral("table.csv"));
        QVERIFY(WriteBytes(name, bytes));
        TAnsweringFileDialog dialog;
        dialog.Answer = name;
        FForm->ButtonLoadFromFile->Click();
    }

    // Picks columns through the dialog's own controls.
    static TBatchColumnChoice Pick(TBatchColumnsDialog &dialog, int data, int name, bool header = true)
    {
        dialog.findChild<QCheckBox *>(QStringLiteral("CheckBoxHeader"))->setChecked(header);
        dialog.findChild<QComboBox *>(QStringLiteral("ComboBoxData"))->setCurrentIndex(data);
        dialog.findChild<QComboBox *>(QStringLiteral("ComboBoxName"))->setCurrentIndex(name + 1);
        TBatchColumnChoice choice = dialog.Choice();
        choice.Action = TBatchColumnChoice::Columns;
        return choice;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(FHome.isValid());
        SetProgramFolderForTests(FHome.path());
        QVERIFY(CreateForm1() != nullptr);
        SetBatchSummaryPresenterForTests([this](QWidget *, const TBatchResult &result) { FResult = result; });
        SetBatchColumnsPresenterForTests([this](TBatchColumnsDialog &dialog) {
            ++FDialogs;
            const TBatchColumnChoice choice = FAnswer(dialog);
            FPreview = dialog.PreviewNames();
            FPreviewData.clear();
            const auto *tree = dialog.findChild<QTreeWidget *>(QStringLiteral("TreePreview"));
            for (int i = 0; tree != nullptr && i < tree->topLevelItemCount(); ++i)
                FPreviewData.append(tree->topLevelItem(i)->text(0));
            FWarning = dialog.Warning();
            return choice;
        });
    }

    void cleanupTestCase()
    {
        SetBatchColumnsPresenterForTests(nullptr);
        SetBatchSummaryPresenterForTests(nullptr);
        delete Form1;
    }

    void init()
    {
        FOut = std::make_unique<QTemporaryDir>();
        QVERIFY(FOut->isValid());
        FForm = std::make_unique<TFormBatchGenerator>(Form1, Form1->BatchHost());
        FormBatchGenerator = FForm.get();
        FForm->DirectoryEdit1->SetText(FOut->path());
        Form1->ComboBoxExt->SetText(QStringLiteral("SVG"));
        FResult.reset();
        FPreview.clear();
        FPreviewData.clear();
        FWarning.clear();
        FDialogs = 0;
    }

    void cleanup()
    {
        FForm.reset();
        FOut.reset();
    }

    void DataAndNameColumnsReachTheRun()
    {
        FAnswer = [](TBatchColumnsDialog &dialog) { return Pick(dialog, 1, 0); };
        Load("name;data;note\r\nfirst;\"A;1\";x\r\nsecond;B2;y\r\nfirst;C3;z\r\n");
        QCOMPARE(FDialogs, 1);
        QCOMPARE(FPreview, QStringList({"first.svg", "second.svg", "3_first.svg"}));
        QCOMPARE(FPreviewData, QStringList({"A;1", "B2", "C3"}));
        QCOMPARE(FWarning, QStringLiteral("Empty or clashing file names: 1. Those files get their line number in front."));
        QCOMPARE(Items(), QStringList({"A;1", "B2", "C3"}));

        FForm->ButtonStart->Click();
        QVERIFY(FResult.has_value());
        QCOMPARE(FResult->Written, 3);
        QStringList files = QDir(FOut->path()).entryList(QDir::Files);
        files.sort();
        QCOMPARE(files, QStringList({"3_first.svg", "first.svg", "second.svg"}));
    }

    void WithoutNameColumnTheDataNamesFiles()
    {
        FAnswer = [](TBatchColumnsDialog &dialog) { return Pick(dialog, 0, -1, false); };
        Load("a,b\n\"x\"\"y\",2\n\"two\r\nlines\",3\n");
        QCOMPARE(FPreview, QStringList({"a.svg", "x_y.svg", "two__lines.svg"}));
        // Data with a line break shows on one line of the preview.
        QCOMPARE(FPreviewData, QStringList({"a", "x\"y", "two lines"}));
        QCOMPARE(Items(), QStringList({"a", "x\"y", "two\r\nlines"}));
        // A later plain list forgets the names of the table.
        TRecordingMessages messages;
        Load("plain\nlist\n");
        QCOMPARE(FDialogs, 1);
        FForm->ButtonStart->Click();
        QCOMPARE(QDir(FOut->path()).entryList(QDir::Files).size(), 2);
        QVERIFY(QFile::exists(FOut->filePath(QStringLiteral("plain.svg"))));
    }

    void WaysOutKeepTheList_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("action"); // how the dialog is answered
        QTest::addColumn<int>("answer"); // how a question is answered
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("message");
        const QStringList kept{"kept"};
        QTest::newRow("dialog cancelled") << QByteArray("a,b\n1,2\n") << int(TBatchColumnChoice::Cancel) << 0 << kept << "";
        QTest::newRow("one string per line") << QByteArray("a,b\n1,2\n") << int(TBatchColumnChoice::Lines) << 0
                                             << QStringList({"a,b", "1,2"}) << "";
        QTest::newRow("empty data column") << QByteArray("a,b\n,2\n ,3\n") << int(TBatchColumnChoice::Columns) << 0 << kept
                                           << "The chosen data column is empty: nothing was loaded.";
        QTest::newRow("mixed columns, keep the list") << QByteArray("a,b\n1,2,3\n") << 0 << int(mrNo) << kept
                                                      << "The file looks like a table, but line 2 has 3 columns where the first line has 2. Load it as one string per line?";
        QTest::newRow("mixed columns, as lines") << QByteArray("a,b\n1,2,3\n") << 0 << int(mrYes)
                                                 << QStringList({"a,b", "1,2,3"})
                                                 << "The file looks like a table, but line 2 has 3 columns where the first line has 2. Load it as one string per line?";
        QTest::newRow("unclosed quote, keep the list") << QByteArray("a;b\n1;\"2\n3;4\n") << 0 << int(mrNo) << kept
                                                       << "The file looks like a table, but the quote opened on line 2 is never closed. Load it as one string per line?";
    }

    void WaysOutKeepTheList()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, action);
        QFETCH(int, answer);
        QFETCH(QStringList, items);
        QFETCH(QString, message);
        FForm->ListBox1->addItem(QStringLiteral("kept"));
        FAnswer = [action](TBatchColumnsDialog &dialog) {
            TBatchColumnChoice choice = Pick(dialog, 0, -1, true);
            choice.Action = TBatchColumnChoice::TAction(action);
            return choice;
        };
        TRecordingMessages messages;
        messages.Answer = TModalResult(answer);
        Load(bytes);
        QCOMPARE(Items(), items);
        QCOMPARE(messages.Texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(FForm->LabelStrings->Caption(), QStringLiteral("Strings: %1").arg(items.size()));
    }

    void DialogWarnsOfAnEmptyColumn()
    {
        FAnswer = [](TBatchColumnsDialog &dialog) {
            TBatchColumnChoice choice = Pick(dialog, 1, -1);
            choice.Action = TBatchColumnChoice::Cancel;
            return choice;
        };
        Load("a,b\nx,\ny,\n");
        QCOMPARE(FWarning, QStringLiteral("The chosen data column is empty."));
    }
};

QTEST_MAIN(TestBatchColumns)
#include "TestBatchColumns.moc"
