#include "BatchTestSupport.h"

#include "batch/BatchSequenceDialog.h"
#include "batch/FormBatchGenerator.h"
#include "toolkit/DirectoryEdit.h"
#include "toolkit/EventGuard.h"
#include "toolkit/Exception.h"
#include "toolkit/ProgramPaths.h"
#include "toolkit/StdCtrls.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QMimeData>
#include <QtTest>
#include <memory>

// The batch window without a run: loading from a file, the clipboard, a drop and Ctrl+V; the count
// label; the folder field and what START does with the folder text.
class TestFormBatchGenerator final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FDir;
    TFolderKeepingHost FHost;
    std::unique_ptr<TFormBatchGenerator> FForm;

    QString FilePath(const QString &name) const { return FDir.filePath(name); }

    QStringList Items() const
    {
        QStringList items;
        for (int i = 0; i < FForm->ListBox1->count(); ++i)
            items.append(FForm->ListBox1->item(i)->text());
        return items;
    }

    void Load(const QByteArray &bytes, const QString &name = QStringLiteral("input.txt"))
    {
        QVERIFY(WriteBytes(FilePath(name), bytes));
        TAnsweringFileDialog dialog;
        dialog.Answer = FilePath(name);
        FForm->ButtonLoadFromFile->Click();
        QCOMPARE(dialog.Calls, 1);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(FDir.isValid());
        // No language file there: every text stays English.
        SetProgramFolderForTests(FDir.path());
    }

    void init()
    {
        FForm = std::make_unique<TFormBatchGenerator>(nullptr, &FHost);
        FormBatchGenerator = FForm.get();
    }

    void cleanup()
    {
        FForm.reset();
        QGuiApplication::clipboard()->clear();
    }

    void Design()
    {
        QCOMPARE(FForm->objectName(), QStringLiteral("FormBatchGenerator"));
        QCOMPARE(QString::fromLatin1(FForm->metaObject()->className()), QStringLiteral("TFormBatchGenerator"));
        QCOMPARE(FForm->Caption(), QStringLiteral("Batch Generator"));
        QCOMPARE(FForm->ButtonStart->Caption(), QStringLiteral("START"));
        QVERIFY(FForm->ButtonStart->font().bold());
        QCOMPARE(FForm->ButtonLoadFromFile->Caption(), QStringLiteral("Load From File ..."));
        QCOMPARE(FForm->ButtonPasteFromClipboard->Caption(), QStringLiteral("Paste From Clipboard"));
        QCOMPARE(FForm->LabelStrings->Caption(), QStringLiteral("Strings: 0"));
        QCOMPARE(FForm->DirectoryEdit1->ButtonHint(), QStringLiteral("Browse"));
        QCOMPARE(FForm->DirectoryEdit1->DialogText(), QStringLiteral("Choose the folder:"));
        QCOMPARE(FForm->ListBox1->count(), 0);
        QVERIFY(!FForm->ListBox1->isSortingEnabled());

        const QList<int> tabOrder{FForm->ButtonStart->TabOrder(), FForm->ListBox1->TabOrder(),
                                  FForm->ButtonLoadFromFile->TabOrder(),
                                  FForm->ButtonPasteFromClipboard->TabOrder(),
                                  FForm->DirectoryEdit1->TabOrder()};
        QCOMPARE(tabOrder, (QList<int>{0, 1, 2, 3, 4}));
        // From top to bottom: buttons, label, list, folder, START.
        QVERIFY(FForm->ButtonLoadFromFile->y() < FForm->LabelStrings->y());
        QVERIFY(FForm->LabelStrings->y() < FForm->ListBox1->y());
        QVERIFY(FForm->ListBox1->geometry().bottom() < FForm->DirectoryEdit1->y());
        QVERIFY(FForm->DirectoryEdit1->geometry().bottom() < FForm->ButtonStart->y());
        QCOMPARE(FForm->ButtonLoadFromFile->y(), FForm->ButtonPasteFromClipboard->y());
        QVERIFY(qAbs(FForm->ButtonStart->geometry().center().x() - FForm->width() / 2) <= 1);
    }

    void LoadsFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("items");

        QTest::newRow("three lines with blanks and a tab")
            << QByteArray("  alpha  \r\n\r\nbeta\t") << QStringList{"alpha", "", "beta"};
        QTest::newRow("trailing line break") << QByteArray("one\r\ntwo\r\n") << QStringList{"one", "two"};
        QTest::newRow("lone LF and CR") << QByteArray("a\nb\rc") << QStringList{"a", "b", "c"};
        QTest::newRow("UTF-8 with mark and non-ASCII")
            << QByteArray("\xEF\xBB\xBF") + QStringLiteral("Gr\u00fc\u00dfe\r\n\u20ac 5").toUtf8()
            << QStringList{QStringLiteral("Gr\u00fc\u00dfe"), QStringLiteral("\u20ac 5")};
        QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF\0x\0\r\0\n\0\xE4", 10)
                                   << QStringList{QStringLiteral("x"), QStringLiteral("\u00e4")};
        QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFEy\0\n\0\xAC\x20", 8)
                                   << QStringList{QStringLiteral("y"), QStringLiteral("\u20ac")};
        QTest::newRow("UTF-16 LE without a mark") << QByteArray("a\0\n\0\xE9\0", 6)
                                                  << QStringList{QStringLiteral("a"), QStringLiteral("\u00e9")};
        QTest::newRow("NUL padding ends the text") << QByteArray("MZ\x90\r\n\0\0", 7)
                                                   << QStringList{QStringLiteral("MZ\u0090")};
        QTest::newRow("duplicates kept in order") << QByteArray("b\na\nb\n") << QStringList{"b", "a", "b"};
    }

    void LoadsFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, items);
        Load(bytes);
        QCOMPARE(Items(), items);
        QCOMPARE(FForm->LabelStrings->Caption(), QStringLiteral("Strings: %1").arg(items.size()));
    }

    void OpenDialogIsSetAtEveryClick()
    {
        TAnsweringFileDialog dialog;
        for (int click = 0; click < 2; ++click) {
            FForm->OpenDialog1->SetFilter(QStringLiteral("changed|*.x"));
            FForm->OpenDialog1->SetDefaultExt(QStringLiteral("x"));
            FForm->ButtonLoadFromFile->Click();
            QCOMPARE(dialog.SeenFilter, QStringLiteral("Text and tables|*.txt;*.csv;*.tsv|All files|*.*"));
            QCOMPARE(dialog.SeenDefaultExt, QStringLiteral("txt"));
            QVERIFY(!dialog.WasSave);
        }
        QCOMPARE(dialog.Calls, 2);
    }

    void KeepsListWhenNothingLoads_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("empty file") << QStringLiteral("empty file");
        QTest::newRow("file of NUL bytes") << QStringLiteral("nul file");
        QTest::newRow("dialog cancelled") << QStringLiteral("cancel");
        QTest::newRow("clipboard with empty text") << QStringLiteral("empty clipboard");
        QTest::newRow("clipboard without text") << QStringLiteral("image clipboard");
    }

    void KeepsListWhenNothingLoads()
    {
        QFETCH(QString, how);
        Load("first\nsecond\n");
        QCOMPARE(Items(), (QStringList{"first", "second"}));
        FForm->LabelStrings->SetCaption(QStringLiteral("stale"));

        if (how == QLatin1String("empty file")) {
            Load(QByteArray(), QStringLiteral("empty.txt"));
        } else if (how == QLatin1String("nul file")) {
            Load(QByteArray("\0\0\0", 3), QStringLiteral("nul.txt"));
        } else if (how == QLatin1String("cancel")) {
            TAnsweringFileDialog dialog;
            FForm->ButtonLoadFromFile->Click();
            QCOMPARE(dialog.Calls, 1);
        } else if (how == QLatin1String("empty clipboard")) {
            QGuiApplication::clipboard()->setText(QString());
            FForm->ButtonPasteFromClipboard->Click();
        } else {
            auto *mime = new QMimeData;
            mime->setImageData(QImage(4, 4, QImage::Format_RGB32));
            QGuiApplication::clipboard()->setMimeData(mime);
            FForm->ButtonPasteFromClipboard->Click();
        }
        QCOMPARE(Items(), (QStringList{"first", "second"}));
        // The label is refreshed in every case.
        QCOMPARE(FForm->LabelStrings->Caption(), QStringLiteral("Strings: 2"));
    }

    void SecondLoadReplacesList()
    {
        Load("a\nb\nc\n", QStringLiteral("one.txt"));
        Load("z\n", QStringLiteral("two.txt"));
        QCOMPARE(Items(), QStringList{"z"});
        QGuiApplication::clipboard()->setText(QStringLiteral(" p \r\n q "));
        FForm->ButtonPasteFromClipboard->Click();
        QCOMPARE(Items(), (QStringList{"p", "q"}));
        QCOMPARE(FForm->LabelStrings->Caption(), QStringLiteral("Strings: 2"));
    }

    // The sequence dialog replaces the list as a load does; one that gives no strings or is
    // cancelled leaves it as it was.
    void SequenceFillsList_data()
    {
        QTest::addColumn<QStringList>("fields"); // start, end, step, pattern
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<bool>("message");
        QTest::newRow("serial numbers") << QStringList{"8", "11", "1", "SN-{000000}"} << true
                                        << QStringList{"SN-000008", "SN-000009", "SN-000010", "SN-000011"} << false;
        QTest::newRow("counting down") << QStringList{"3", "1", "-1", ""} << true << QStringList{"3", "2", "1"} << false;
        QTest::newRow("cancelled") << QStringList{"1", "3", "1", "{0}"} << false << QStringList{"old"} << false;
        QTest::newRow("zero step") << QStringList{"1", "3", "0", "{0}"} << true << QStringList{"old"} << true;
        QTest::newRow("empty range") << QStringList{"5", "3", "1", "{0}"} << true << QStringList{"old"} << true;
        QTest::newRow("too many") << QStringList{"1", "5000000", "1", "{0}"} << true << QStringList{"old"} << true;
        QTest::newRow("not a number") << QStringList{"one", "3", "1", "{0}"} << true << QStringList{"old"} << true;
    }

    void SequenceFillsList()
    {
        QFETCH(QStringList, fields);
        QFETCH(bool, accepted);
        QFETCH(QStringList, items);
        QFETCH(bool, message);
        Load("old\n");
        bool okEnabled = false;
        QString said;
        SetBatchDialogPresenterForTests([&](QDialog &shown) {
            auto &dialog = static_cast<TBatchSequenceDialog &>(shown);
            dialog.EditStart->setText(fields.at(0));
            dialog.EditEnd->setText(fields.at(1));
            dialog.EditStep->setText(fields.at(2));
            dialog.EditPattern->setText(fields.at(3));
            okEnabled = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->isEnabled();
            said = dialog.Message();
            return accepted;
        });
        FForm->ButtonSequence->Click();
        SetBatchDialogPresenterForTests({});
        QCOMPARE(Items(), items);
        QCOMPARE(!said.isEmpty(), message);
        QCOMPARE(okEnabled, !message);
        QCOMPARE(FForm->LabelStrings->Caption(), QStringLiteral("Strings: %1").arg(items.size()));
    }

    void UnreadableFileKeepsList()
    {
        Load("keep\n");
        const QString missing = FilePath(QStringLiteral("missing.txt"));
        try {
            FForm->LoadFromFile(missing);
            QFAIL("no error for a missing file");
        } catch (const Exception &error) {
            QVERIFY2(error.Message().contains(missing), qPrintable(error.Message()));
        }
        // Through the button the error reaches the error display, not the caller.
        TRecordingMessages messages;
        TAnsweringFileDialog dialog;
        dialog.Answer = FilePath(QStringLiteral("folder.txt"));
        QVERIFY(QDir().mkpath(dialog.Answer));
        FForm->ButtonLoadFromFile->Click();
        QCOMPARE(messages.Requests.size(), 1);
        QCOMPARE(messages.Requests.first().Type, mtError);
        QCOMPARE(Items(), QStringList{"keep"});
        QCOMPARE(FForm->LabelStrings->Caption(), QStringLiteral("Strings: 1"));
    }

    // A file that is no list of strings is refused with its name; the list stays as it was.
    void RefusedFileKeepsList_data()
    {
        QTest::addColumn<QString>("path"); // empty: a binary file
        QTest::newRow("binary file") << QString();
        QTest::newRow("endless device") << QStringLiteral("/dev/zero");
    }

    void RefusedFileKeepsList()
    {
        QFETCH(QString, path);
        Load("keep\n");
        if (path.isEmpty()) {
            path = FilePath(QStringLiteral("program.exe"));
            QVERIFY(WriteBytes(path, QByteArray("MZ\x90\0\x03\0\0\0\x04\0\0\0\xFF\xFF", 14)));
        }
        TRecordingMessages messages;
        TAnsweringFileDialog dialog;
        dialog.Answer = path;
        FForm->ButtonLoadFromFile->Click();
        QCOMPARE(messages.Requests.size(), 1);
        QVERIFY2(messages.Requests.first().Text.contains(path), qPrintable(messages.Requests.first().Text));
        QCOMPARE(Items(), QStringList{"keep"});
    }

    // Lines with bytes that are not UTF-8 are read byte by byte and named; the others keep
    // their UTF-8 text.
    void StrayBytesAreNamed()
    {
        TRecordingMessages messages;
        Load("h\xC3\xA9llo\ncaf\xE9\nna\xC3\xAF" "ve\n");
        QCOMPARE(Items(), (QStringList{QStringLiteral("h\u00e9llo"), QStringLiteral("caf\u00e9"),
                                       QStringLiteral("na\u00efve")}));
        QCOMPARE(messages.Requests.size(), 1);
        QVERIFY2(messages.Requests.first().Text.contains(QStringLiteral(": 2")), qPrintable(messages.Requests.first().Text));
    }

    void CtrlVInListPastes()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("v1\nv2\n"));
        QTest::keyClick(FForm->ListBox1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Items(), (QStringList{"v1", "v2"}));
        QCOMPARE(FForm->LabelStrings->Caption(), QStringLiteral("Strings: 2"));
    }

    void DroppedFileLoads()
    {
        QVERIFY(WriteBytes(FilePath(QStringLiteral("dropped.txt")), "d1\r\nd2\r\nd3"));
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(FilePath(QStringLiteral("dropped.txt")))});
        QWidget *target = FForm->ListBox1->viewport();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        QVERIFY(drop.isAccepted());
        QTRY_COMPARE(Items(), (QStringList{"d1", "d2", "d3"}));
        QCOMPARE(FForm->LabelStrings->Caption(), QStringLiteral("Strings: 3"));
    }

    void NoSecondLoadDuringFill()
    {
        // Long enough that the fill processes events on its way.
        QByteArray bytes;
        for (int i = 0; i < 200000; ++i)
            bytes += "line " + QByteArray::number(i) + "\n";
        QVERIFY(WriteBytes(FilePath(QStringLiteral("long.txt")), bytes));
        QGuiApplication::clipboard()->setText(QStringLiteral("intruder"));

        bool checked = false;
        bool buttonsDisabled = false;
        // Runs inside the fill, from its processing of pending events.
        QTimer::singleShot(0, this, [&] {
            checked = true;
            buttonsDisabled = !FForm->ButtonLoadFromFile->isEnabled()
                              && !FForm->ButtonPasteFromClipboard->isEnabled()
                              && !FForm->ButtonStart->isEnabled();
            RunGuarded([&] { FForm->ButtonPasteFromClipboardClick(nullptr); });
            QTest::keyClick(FForm->ListBox1, Qt::Key_V, Qt::ControlModifier);
            RunGuarded([&] { FForm->ButtonStartClick(nullptr); });
        });
        FForm->LoadFromFile(FilePath(QStringLiteral("long.txt")));
        QVERIFY(checked);
        QVERIFY(buttonsDisabled);
        QCOMPARE(FForm->ListBox1->count(), 200000);
        QCOMPARE(FForm->ListBox1->item(199999)->text(), QStringLiteral("line 199999"));
        QVERIFY(FForm->ButtonLoadFromFile->isEnabled());
        QVERIFY(FForm->ButtonStart->isEnabled());
    }

    void EscapeClosesTheWindow()
    {
        FForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
        QTest::keyClick(FForm->ListBox1, Qt::Key_Escape);
        QVERIFY(!FForm->isVisible());
    }

    void ClosingStopsFill()
    {
        QByteArray bytes;
        for (int i = 0; i < 200000; ++i)
            bytes += "row " + QByteArray::number(i) + "\n";
        QVERIFY(WriteBytes(FilePath(QStringLiteral("rows.txt")), bytes));
        FForm->show();
        QTimer::singleShot(0, FForm.get(), [this] { FForm->close(); });
        FForm->LoadFromFile(FilePath(QStringLiteral("rows.txt")));
        QVERIFY(!FForm->isVisible());
        QVERIFY(FForm->ListBox1->count() < 200000);
        QVERIFY(!FForm->IsBusy());
        QVERIFY(FForm->ButtonLoadFromFile->isEnabled());
    }

    void FormShowTakesPath()
    {
        FHost.Folder = QStringLiteral("/srv/some where/");
        FForm->show();
        QCOMPARE(FForm->DirectoryEdit1->Text(), QStringLiteral("/srv/some where/"));
    }

    void StartNormalisesAndStoresFolder_data()
    {
        QTest::addColumn<QString>("text");     // relative to the temporary folder, "" for none
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("message");

        const QString missing = QStringLiteral("Output folder does not exist !");
        const QString nothing = QStringLiteral("The list is empty: there is nothing to write.");
        QTest::newRow("existing without separator") << "out" << "out/" << nothing;
        QTest::newRow("existing with separator") << "out/" << "out/" << nothing;
        QTest::newRow("missing folder") << "gone" << "gone/" << missing;
        QTest::newRow("a file is no folder") << "plain.txt" << "plain.txt/" << missing;
        QTest::newRow("empty text") << "" << "" << missing;
    }

    void StartNormalisesAndStoresFolder()
    {
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        QVERIFY(QDir(FDir.path()).mkpath(QStringLiteral("out")));
        QVERIFY(WriteBytes(FilePath(QStringLiteral("plain.txt")), "x"));
        const QString prefix = FDir.path() + u'/';
        const QString typed = text.isEmpty() ? QString() : prefix + text;
        const QString expected = stored.isEmpty() ? QString() : prefix + stored;

        FHost.Folder = QStringLiteral("/previous/");
        FForm->show();
        FForm->DirectoryEdit1->SetText(typed);
        TRecordingMessages messages;
        FForm->ButtonStart->Click();
        QCOMPARE(FHost.Folder, expected);
        QCOMPARE(messages.Texts(), QStringList{message});
        QCOMPARE(messages.Requests.first().Type, mtCustom);
        QVERIFY(FForm->isVisible());

        // The next opening shows what START stored, even a folder that does not exist.
        FForm.reset();
        init();
        FForm->show();
        QCOMPARE(FForm->DirectoryEdit1->Text(), expected);
    }

    void WithoutHost()
    {
        // A batch window nobody opened: no picture, no folder kept, and a run says why it
        // cannot write instead of writing somewhere.
        TFormBatchGenerator lonely(nullptr, nullptr);
        QCOMPARE(lonely.ButtonStart->Images(), nullptr);
        QTemporaryDir out;
        QVERIFY(out.isValid());
        lonely.DirectoryEdit1->SetText(out.path());
        lonely.ListBox1->addItems({"one"});
        TRecordingMessages messages;
        lonely.ButtonStart->Click();
        QCOMPARE(messages.Texts(), QStringList{"The main window is not available."});
        QCOMPARE(messages.Requests.first().Type, mtError);
        QVERIFY(QDir(out.path()).isEmpty());
    }

    void LargeInputs()
    {
        // A line of one megabyte, a binary file and many lines: no hang, no crash. The window is
        // shown: a visible list lays out its items, which a hidden one never does.
        FForm->show();
        QByteArray wide(1 << 20, 'w');
        Load(wide + "\nshort\n", QStringLiteral("wide.txt"));
        QCOMPARE(FForm->ListBox1->count(), 2);
        QCOMPARE(FForm->ListBox1->item(0)->text().size(), 1 << 20);

        QByteArray binary;
        for (int i = 0; i < 1 << 16; ++i)
            binary.append(char(1 + (i * 7919) % 255));
        Load(binary, QStringLiteral("binary.bin"));
        QVERIFY(FForm->ListBox1->count() > 0);

        QByteArray many;
        for (int i = 0; i < 200000; ++i)
            many += "ITEM-" + QByteArray::number(i) + "\r\n";
        QElapsedTimer timer;
        timer.start();
        Load(many, QStringLiteral("many.txt"));
        const qint64 elapsed = timer.elapsed();
        QCOMPARE(FForm->ListBox1->count(), 200000);
        QCOMPARE(FForm->LabelStrings->Caption(), QStringLiteral("Strings: 200000"));
        QVERIFY2(elapsed < 20000, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
    }
};

QTEST_MAIN(TestFormBatchGenerator)
#include "TestFormBatchGenerator.moc"
