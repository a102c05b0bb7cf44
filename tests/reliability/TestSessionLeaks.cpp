#include "app/AppSettings.h"
#include "app/Form1.h"
#include "barcode/Barcode.h"
#include "batch/BatchRun.h"
#include "batch/FormBatchGenerator.h"
#include "lang/FormSettings.h"
#include "lang/LangFile.h"
#include "toolkit/Dialogs.h"
#include "toolkit/DirectoryEdit.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ProgramPaths.h"
#include "toolkit/StdCtrls.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

#if defined(__SANITIZE_ADDRESS__)
#define QUORVEL_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUORVEL_LEAK_CHECK 1
#endif
#endif
#ifdef QUORVEL_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

// One whole session as a user runs it, offscreen: start, type, change the symbology, save in
// every format, open and close the batch window and run a small batch, open and close the
// settings dialog and change the language, close. In the sanitizer build the leak checker runs
// once the main window is gone: nothing the program allocated may be left unreachable.
class TestSessionLeaks : public QObject
{
    Q_OBJECT

private:
    // The user in front of the message boxes and file dialogs.
    class TUser final : public TMessagePresenter, public TFileDialogPresenter
    {
    public:
        TModalResult Present(const TMessageBoxRequest &request) override
        {
            Messages.append(request.Text);
            return request.Buttons == mbYesNo ? mrYes : mrOk;
        }
        bool Present(const TOpenDialog &, bool, QString &fileName, int &filterIndex) override
        {
            if (NextFile.isEmpty())
                return false;
            fileName = NextFile;
            filterIndex = 1;
            return true;
        }
        QStringList Messages;
        QString NextFile;
    };

    QTemporaryDir FProgramDir;
    QTemporaryDir FSettingsDir;
    QTemporaryDir FWorkDir;
    TUser FUser;
    QList<TBatchResult> FBatchResults;

    static void WriteLanguage(const QString &path, const QStringList &lines)
    {
        WriteLanguageBytes(path, EncodeLines(lines));
    }

    // Runs `action` once the modal window `window()` is open, then closes that window.
    static void WhenOpen(const std::function<QWidget *()> &window, const std::function<void()> &action)
    {
        auto *poll = new QTimer;
        poll->setInterval(20);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, window, action] {
            QWidget *open = window();
            if (open == nullptr || !open->isVisible())
                return;
            poll->stop();
            poll->deleteLater();
            action();
            open->close();
        });
        poll->start();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(FProgramDir.isValid() && FSettingsDir.isValid() && FWorkDir.isValid());
        SetProgramFolderForTests(FProgramDir.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FSettingsDir.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, FSettingsDir.path() + QStringLiteral("/machine"));
        WriteLanguage(FProgramDir.filePath(QStringLiteral("English.lng")),
                      {QStringLiteral("[Form1]"), QStringLiteral("ButtonSave.Caption=Save As ...")});
        WriteLanguage(FProgramDir.filePath(QStringLiteral("German.lng")),
                      {QStringLiteral("[Form1]"), QStringLiteral("ButtonSave.Caption=Speichern unter ..."),
                       QStringLiteral("[Messages]"), QStringLiteral("Strings=Zeichenketten")});
        SetMessagePresenterForTests(&FUser);
        SetFileDialogPresenterForTests(&FUser);
        SetBatchSummaryPresenterForTests([this](QWidget *, const TBatchResult &result) { FBatchResults.append(result); });
    }

    void cleanupTestCase()
    {
        SetBatchSummaryPresenterForTests(nullptr);
        SetFileDialogPresenterForTests(nullptr);
        SetMessagePresenterForTests(nullptr);
        SetProgramFolderForTests(QString());
    }

    void Session()
    {
        std::unique_ptr<TForm1> form(CreateForm1());
        form->Show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));

        // Type.
        form->MemoInputText->setFocus();
        form->MemoInputText->selectAll();
        QTest::keyClicks(form->MemoInputText, QStringLiteral("Quorvel session 42"));
        QCOMPARE(form->Barcode->InputText(), QStringLiteral("Quorvel session 42"));

        // Change the symbology as the list does when the user picks an entry.
        const int dataMatrix = form->ComboBoxSymbology->findText(TBarcode::SymbologyNames(syDataMatrix));
        QVERIFY(dataMatrix >= 0);
        form->ComboBoxSymbology->SetItemIndex(dataMatrix);
        Q_EMIT form->ComboBoxSymbology->activated(dataMatrix);
        QCOMPARE(form->Barcode->Symbology(), syDataMatrix);
        QVERIFY(!form->Barcode->Bitmap().isNull());

        // Save in every format through "Save As ...".
        const QStringList extensions{"bmp", "emf", "eps", "gif", "pcx", "txt", "svg"};
        for (const QString &extension : extensions) {
            const int entry = form->ComboBoxExt->findText(extension, Qt::MatchFixedString);
            QVERIFY2(entry >= 0, qPrintable(extension));
            form->ComboBoxExt->SetItemIndex(entry);
            Q_EMIT form->ComboBoxExt->activated(entry);
            FUser.NextFile = FWorkDir.filePath(QStringLiteral("symbol.") + extension);
            QTest::mouseClick(form->ButtonSave, Qt::LeftButton);
            QVERIFY2(QFileInfo(FUser.NextFile).size() > 0, qPrintable(FUser.NextFile));
        }
        FUser.NextFile.clear();
        const QString svgFormat = QStringLiteral("svg");
        form->ComboBoxExt->SetItemIndex(form->ComboBoxExt->findText(svgFormat, Qt::MatchFixedString));

        // The batch window: load a small list, write it into a folder, close.
        const QString listFile = FWorkDir.filePath(QStringLiteral("list.txt"));
        {
            QFile list(listFile);
            QVERIFY(list.open(QIODevice::WriteOnly));
            list.write("first\r\nsecond\r\nthird\r\n");
        }
        const QString outDir = FWorkDir.filePath(QStringLiteral("batch"));
        QVERIFY(QDir().mkpath(outDir));
        WhenOpen([] { return FormBatchGenerator.data(); }, [&] {
            FormBatchGenerator->LoadFromFile(listFile);
            FormBatchGenerator->DirectoryEdit1->SetText(outDir);
            QTest::mouseClick(FormBatchGenerator->ButtonStart, Qt::LeftButton);
        });
        QTest::mouseClick(form->ButtonBatch, Qt::LeftButton);
        QVERIFY(FormBatchGenerator.isNull());
        QCOMPARE(FBatchResults.size(), 1);
        QCOMPARE(FBatchResults.first().Written, qsizetype(3));
        QCOMPARE(QDir(outDir).entryList(QDir::Files).size(), 3);

        // The settings dialog: choose German, then English again, close.
        WhenOpen([] { return FormSettings.data(); }, [] {
            for (const QString &language : {QStringLiteral("German"), QStringLiteral("English")}) {
                const int entry = FormSettings->ComboBoxLang->findText(language);
                QVERIFY(entry >= 0);
                FormSettings->ComboBoxLang->SetItemIndex(entry);
                Q_EMIT FormSettings->ComboBoxLang->activated(entry);
                QCOMPARE(AppSettings.Language, language);
            }
        });
        QTest::mouseClick(form->ButtonSettings, Qt::LeftButton);
        QVERIFY(FormSettings.isNull());
        QCOMPARE(AppSettings.Language, QStringLiteral("English"));

        // Close: the settings are written.
        QVERIFY(form->close());
        form.reset();
        QVERIFY2(FUser.Messages.isEmpty(), qPrintable(FUser.Messages.join(u'\n')));
        QVERIFY(QFile::exists(FSettingsDir.filePath(QStringLiteral("Marvane/Quorvel (QR code) Generator.conf"))));

#ifdef QUORVEL_LEAK_CHECK
        // Whatever the session allocated and lost shows up here, with its allocation stack.
        QCOMPARE(__lsan_do_recoverable_leak_check(), 0);
#endif
    }
};

QTEST_MAIN(TestSessionLeaks)
#include "TestSessionLeaks.moc"
