#include "Form1Fixture.h"

#include "barcode/Barcode.h"
#include "batch/FormBatchGenerator.h"
#include "lang/FormSettings.h"
#include "lang/LangChanger.h"
#include "toolkit/ExtCtrls.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QTimer>

// Start-up, placement, caption, language and the settings written at close, on the real window.
class TestForm1Start : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTestEnvironment> FEnvironment;

    std::unique_ptr<TForm1> Start()
    {
        std::unique_ptr<TForm1> form(CreateForm1());
        form->Show();
        return form;
    }

    static const QString Title;

private slots:
    void init() { FEnvironment = std::make_unique<TTestEnvironment>(); }
    void cleanup() { FEnvironment.reset(); }

    void FirstStart()
    {
        auto form = Start();
        // The design's size, unless the desktop is smaller.
        const QRect desktop = QGuiApplication::primaryScreen()->availableVirtualGeometry();
        const int width = std::min(855, desktop.width());
        const int height = std::min(693, desktop.height());
        QCOMPARE(form->Width(), width);
        QCOMPARE(form->Height(), height);
        QCOMPARE(form->WindowState(), wsNormal);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(form->Left(), std::max(area.left(), area.left() + (area.width() - width) / 2));
        QCOMPARE(form->Top(), std::max(area.top(), area.top() + (area.height() - height) / 2));
        QCOMPARE(form->Caption(), Title);
        QCOMPARE(ApplicationTitle(), Title);
        QCOMPARE(AppSettings.Language, QStringLiteral("English"));
        QCOMPARE(AppSettings.Path, QDir::homePath() + QLatin1Char('/'));
        QCOMPARE(form->LangChanger1->LangFile(), LanguageFilePath(QStringLiteral("English")));
        const QDir data(FEnvironment->DataFolder() + QStringLiteral("/Quorvel(QRcode)Generator"));
        QVERIFY(data.exists());
        QVERIFY(data.isEmpty());
        QVERIFY(FEnvironment->Messages.Requests.isEmpty());
    }

    void Caption_data()
    {
        QTest::addColumn<QString>("languageFile");
        QTest::addColumn<QString>("caption");
        QTest::newRow("no language file") << QString() << Title;
        QTest::newRow("no caption for the window")
            << "[Translations]\r\nForm1.LabelInputText.Caption=Eingabetext\r\n" << Title;
        QTest::newRow("translated caption")
            << "[Translations]\r\nForm1.Caption=Strichcode-Generator\r\n"
            << QStringLiteral("Strichcode-Generator " QUORVEL_VERSION_TEXT);
    }

    void Caption()
    {
        QFETCH(QString, languageFile);
        QFETCH(QString, caption);
        if (!languageFile.isEmpty())
            FEnvironment->WriteLanguageFile(QStringLiteral("English"), languageFile);
        auto form = Start();
        QCOMPARE(form->Caption(), caption);
    }

    void Placement_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::addColumn<int>("state");
        QTest::addColumn<QSize>("size"); // outer size
        QTest::addColumn<bool>("lostFrame"); // brought back from off-screen: outer size := client size
        QTest::newRow("minimised opens normal")
            << QByteArray("[Options]\nWindowState=1\nWindowWidth=780\nWindowHeight=640\n") << int(wsNormal)
            << QSize(780, 640) << false;
        QTest::newRow("maximised") << QByteArray("[Options]\nWindowState=2\n") << int(wsMaximized) << QSize()
                                   << false;
        QTest::newRow("left beyond the desktop")
            << QByteArray("[Options]\nWindowLeft=100000\nWindowWidth=760\nWindowHeight=620\n") << int(wsNormal)
            << QSize(760, 620) << true;
    }

    void Placement()
    {
        QFETCH(QByteArray, store);
        QFETCH(int, state);
        QFETCH(QSize, size);
        QFETCH(bool, lostFrame);
        TTestEnvironment::WriteFile(FEnvironment->UserStore(), store);
        auto form = Start();
        QTRY_COMPARE(int(form->WindowState()), state);
        if (lostFrame)
            size -= QSize(form->Width() - form->ClientWidth(), form->Height() - form->ClientHeight());
        if (size.isValid())
            QCOMPARE(QSize(form->Width(), form->Height()), size);
        QCOMPARE(AppSettings.WindowState, state == wsMaximized ? 2 : 0);
        QVERIFY(form->Left() < QGuiApplication::primaryScreen()->virtualSize().width());
    }

    // A wide window gives the two data fields equal halves, and the extra height to the preview.
    void DataFieldsShareTheWidth()
    {
        auto form = Start();
        form->resize(1400, 800);
        form->layout()->activate();
        QVERIFY(form->MemoInputText->width() > 600);
        QVERIFY(qAbs(form->MemoInputText->width() - form->MemoPrimaryMessage->width()) <= 1);
        QVERIFY(form->PanelTop->height() > form->PanelBottom->height());
    }

    // Sizes and places no window can take, from the settings or a language file: the window
    // gets a usable size on the desktop, start-up completes, and what it has is stored.
    void UnusableBoundsAreMadeUsable_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::addColumn<QString>("languageFile");
        QTest::newRow("width 0") << QByteArray("[Options]\nWindowWidth=0\n") << QString();
        QTest::newRow("height 0") << QByteArray("[Options]\nWindowHeight=0\n") << QString();
        QTest::newRow("negative width") << QByteArray("[Options]\nWindowWidth=-99999\n") << QString();
        QTest::newRow("largest width") << QByteArray("[Options]\nWindowWidth=2147483647\nWindowHeight=2147483647\n") << QString();
        QTest::newRow("far above and left")
            << QByteArray("[Options]\nWindowLeft=-2147483648\nWindowTop=-2147483648\n") << QString();
        QTest::newRow("maximised with no size") << QByteArray("[Options]\nWindowState=2\nWindowWidth=0\nWindowHeight=0\n") << QString();
        // A size that fits any desktop, so that only the language file is at fault.
        const QByteArray fits("[Options]\nWindowWidth=600\nWindowHeight=400\n");
        QTest::newRow("language: width 0") << fits << "[Translations]\r\nForm1.Width=0\r\nForm1.Height=0\r\n";
        QTest::newRow("language: negative client size")
            << fits << "[Translations]\r\nForm1.ClientWidth=-5\r\nForm1.ClientHeight=-1\r\n";
        QTest::newRow("language: largest client size")
            << fits << "[Translations]\r\nForm1.ClientWidth=2147483647\r\nForm1.ClientHeight=2147483647\r\n";
        QTest::newRow("language: far away") << fits << "[Translations]\r\nForm1.Left=99999\r\nForm1.Top=-99999\r\n";
    }

    void UnusableBoundsAreMadeUsable()
    {
        QFETCH(QByteArray, store);
        QFETCH(QString, languageFile);
        if (!store.isEmpty())
            TTestEnvironment::WriteFile(FEnvironment->UserStore(), store);
        if (!languageFile.isEmpty())
            FEnvironment->WriteLanguageFile(QStringLiteral("English"), languageFile);
        auto form = Start();
        QVERIFY(form->isVisible());
        QVERIFY(form->Caption().endsWith(QStringLiteral(QUORVEL_VERSION_TEXT)));
        const QRect desktop = QGuiApplication::primaryScreen()->availableVirtualGeometry();
        const auto usable = [&desktop](QSize size) {
            return size.boundedTo(desktop.size()) == size && size.expandedTo(MinimumFormSize.boundedTo(desktop.size())) == size;
        };
        if (form->WindowState() == wsNormal) {
            QVERIFY(usable(QSize(form->Width(), form->Height())));
            QVERIFY(form->Top() >= desktop.top() && form->Top() < desktop.bottom());
            QVERIFY(form->Left() + form->Width() > desktop.left() && form->Left() <= desktop.right());
        }
        form->Close();
        QSettings saved(FEnvironment->UserStore(), QSettings::IniFormat);
        saved.beginGroup(QStringLiteral("Options"));
        QVERIFY(usable(QSize(saved.value(QStringLiteral("WindowWidth")).toInt(), saved.value(QStringLiteral("WindowHeight")).toInt())));
    }

    void MachineWideLanguage()
    {
        TTestEnvironment::WriteFile(FEnvironment->MachineStore(), "[Options]\nLanguage=German\n");
        FEnvironment->WriteLanguageFile(QStringLiteral("German"), "[LngCaptions]\r\nInput Text=Eingabetext\r\n");
        auto form = Start();
        QCOMPARE(AppSettings.Language, QStringLiteral("German"));
        QCOMPARE(form->LabelInputText->Caption(), QStringLiteral("Eingabetext"));
    }

    void TranslatedLists()
    {
        FEnvironment->WriteLanguageFile(QStringLiteral("English"),
                                        "[Translations]\r\nForm1.ComboBoxRotation.Items=0 Grad,90 Grad,180 Grad,"
                                        "270 Grad\r\nForm1.ComboBoxExt.Items=BMP,SVG\r\n");
        auto form = Start();
        QCOMPARE(form->ComboBoxRotation->Text(), QStringLiteral("0 Grad"));
        QCOMPARE(form->ComboBoxExt->Text(), QStringLiteral("BMP"));
        PickItem(form->ComboBoxRotation, QStringLiteral("180 Grad"));
        QCOMPARE(form->Barcode->Rotation(), 180);
    }

    void CloseWritesSettings()
    {
        auto form = Start();
        form->SetWidth(800);
        form->SetHeight(600);
        AppSettings.Language = QStringLiteral("Danish");
        QVERIFY(!QFile::exists(FEnvironment->UserStore()));
        form->Close();
        QVERIFY(!form->isVisible());

        QSettings store(FEnvironment->UserStore(), QSettings::IniFormat);
        store.beginGroup(QStringLiteral("Options"));
        QCOMPARE(store.value(QStringLiteral("WindowWidth")).toInt(), 800);
        QCOMPARE(store.value(QStringLiteral("WindowHeight")).toInt(), 600);
        QCOMPARE(store.value(QStringLiteral("WindowLeft")).toInt(), form->Left());
        QCOMPARE(store.value(QStringLiteral("WindowState")).toInt(), 0);
        QCOMPARE(store.value(QStringLiteral("Language")).toString(), QStringLiteral("Danish"));
        QVERIFY(FEnvironment->Messages.Requests.isEmpty());
    }

    void RefusedWrite()
    {
        FEnvironment->WriteLanguageFile(QStringLiteral("English"),
                                        "[Messages]\r\nError saving settings!=Not saved, sorry\r\n");
        // A folder where the store's file belongs refuses every write.
        QVERIFY(QDir().mkpath(FEnvironment->UserStore()));
        auto form = Start();
        form->Close();
        QVERIFY(!form->isVisible());
        QCOMPARE(FEnvironment->Messages.Requests.size(), 1);
        QCOMPARE(FEnvironment->Messages.Requests.first().Text, QStringLiteral("Not saved, sorry"));
        QCOMPARE(FEnvironment->Messages.Requests.first().Caption, Title);
    }

    void BatchWindow()
    {
        FEnvironment->WriteLanguageFile(QStringLiteral("English"),
                                        "[Translations]\r\nFormBatchGenerator.Caption=Stapel\r\n");
        auto form = Start();
        QString seenCaption;
        QTimer::singleShot(0, [&] {
            if (FormBatchGenerator != nullptr) {
                seenCaption = FormBatchGenerator->Caption();
                FormBatchGenerator->Close();
            }
        });
        form->ButtonBatch->Click();
        QCOMPARE(seenCaption, QStringLiteral("Stapel"));
        QVERIFY(FormBatchGenerator == nullptr);
        QVERIFY(form->findChildren<TFormBatchGenerator *>().isEmpty());
    }

    void SettingsDialog()
    {
        FEnvironment->WriteLanguageFile(
            QStringLiteral("English"),
            "[Translations]\r\nFormSettings.Caption=Optionen\r\n");
        auto form = Start();
        QString seenCaption;
        QTimer::singleShot(0, [&] {
            if (FormSettings != nullptr) {
                seenCaption = FormSettings->Caption();
                FormSettings->Close();
            }
        });
        form->ButtonSettings->Click();
        QCOMPARE(seenCaption, QStringLiteral("Optionen"));
        QVERIFY(FormSettings == nullptr);
        QVERIFY(form->findChildren<TFormSettings *>().isEmpty());
    }
};

const QString TestForm1Start::Title = QStringLiteral("Quorvel (QR code) Generator " QUORVEL_VERSION_TEXT);

QTEST_MAIN(TestForm1Start)
#include "TestForm1Start.moc"
