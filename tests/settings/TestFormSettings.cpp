// The settings dialog: its language list, the choice at showing, a choice by the user, and the
// hidden template button, with the real main window and translation component.
#include "SettingsFixture.h"

#include "batch/FormBatchGenerator.h"
#include "lang/Flags.h"
#include "lang/FormSettings.h"
#include "barcode/Barcode.h"
#include "lang/LangChanger.h"
#include "toolkit/StdCtrls.h"

#include <QMetaProperty>

namespace {

const QStringList GermanLines = {
    "[Translations]",
    "FormSettings.Caption=Einstellungen",
    "FormSettings.LabelLanguage.Caption=Sprache",
    "Form1.ButtonSave.Caption=Speichern unter ...",
    "Form1.LabelInputText.Caption=Eingabetext",
    "FormBatchGenerator.ButtonStart.Caption=LOS",
};

const QStringList EnglishLines = {
    "[Translations]",
    "FormSettings.Caption=Settings",
    "FormSettings.LabelLanguage.Caption=Language",
    "Form1.ButtonSave.Caption=Save As ...",
    "Form1.LabelInputText.Caption=Input Text",
    "FormBatchGenerator.ButtonStart.Caption=START",
};

// Opens the dialog as the main window's button does, without running it modally: created,
// pointed at the current language, translated, then shown (which runs FormShow).
std::unique_ptr<TFormSettings> OpenSettings(TForm1 *main)
{
    auto dialog = std::make_unique<TFormSettings>(main, main->SettingsHost());
    main->LangChanger1->SetLangFile(LanguageFilePath(AppSettings.Language));
    main->LangChanger1->TranslateForm(dialog.get());
    dialog->show();
    return dialog;
}

void Pick(TComboBox *box, const QString &text)
{
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
}

QStringList Entries(const TComboBox *box)
{
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries << QStringLiteral("%1:%2").arg(box->itemText(i)).arg(box->ItemImageIndex(i));
    entries.sort();
    return entries;
}

// Every text property of a window and of its owned components, by path.
QMap<QString, QString> TextsOf(QObject *window)
{
    QMap<QString, QString> texts;
    QList<QObject *> objects{window};
    objects += OwnedComponents(window);
    for (QObject *object : objects) {
        const QMetaObject *meta = object->metaObject();
        for (int i = 0; i < meta->propertyCount(); ++i) {
            const QMetaProperty property = meta->property(i);
            const QString name = QString::fromLatin1(property.name());
            if (property.metaType().id() != QMetaType::QString || name.front().isLower())
                continue;
            const QString path = object == window ? name : object->objectName() + '.' + name;
            texts.insert(path, property.read(object).toString());
        }
    }
    return texts;
}

} // namespace

class TestFormSettings : public QObject
{
    Q_OBJECT

private slots:
    void languageList_data();
    void languageList();
    void choiceAtShowing_data();
    void choiceAtShowing();
    void storedGermanRetranslatesBothWindows();
    void choosingAnEntryAppliesAtOnce();
    void openingTwiceBuildsAFreshList();
    void choiceIsStoredWhenTheMainWindowCloses();
    void translatedListsKeepTheirSelection();
    void templateButtonWritesThreeWindows();
    void templateAppliedUnchangedReproducesTheTexts();
    void readOnlyProgramFolderUsesTheUsersFolder();
};

void TestFormSettings::languageList_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("two known names and one outside the table")
        << QStringList{"English", "German", "Klingon"}
        << QStringList{"English:0", "German:10", "Klingon:-1"};
    QTest::newRow("both Chinese names share a picture")
        << QStringList{"Chinese Simplified", "Chinese Traditional"}
        << QStringList{"Chinese Simplified:11", "Chinese Traditional:11"};
    QTest::newRow("a name differing only in case has no flag")
        << QStringList{"german", "ENGLISH"} << QStringList{"ENGLISH:-1", "german:-1"};
    QTest::newRow("a file name with two dots keeps the inner dot")
        << QStringList{"Portuguese.Brazil", "Portuguese"}
        << QStringList{"Portuguese.Brazil:-1", "Portuguese:8"};
    QTest::newRow("no language files") << QStringList{} << QStringList{};
}

void TestFormSettings::languageList()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, entries);
    TSettingsEnvironment env;
    for (const QString &file : files)
        env.WriteLanguage(file, {"[Translations]"});
    TForm1 *main = env.CreateMain(QStringLiteral("Klingon"));

    TFormSettings dialog(main, main->SettingsHost());
    QCOMPARE(Entries(dialog.ComboBoxLang), entries);
    QCOMPARE(dialog.ComboBoxLang->ItemIndex(), -1);
    for (int i = 0; i < dialog.ComboBoxLang->count(); ++i) {
        const int picture = dialog.ComboBoxLang->ItemImageIndex(i);
        QCOMPARE(dialog.ComboBoxLang->itemIcon(i).isNull(), picture < 0);
        if (picture >= 0)
            QCOMPARE(dialog.ImageListFlags->Image(picture), FlagPicture(picture));
    }
    QCOMPARE(dialog.ImageListFlags->Count(), FlagCount);
    QCOMPARE(dialog.objectName(), QStringLiteral("FormSettings"));
    QCOMPARE(dialog.Caption(), QStringLiteral("Settings"));
    QVERIFY(!dialog.Button1->Visible());
}

void TestFormSettings::choiceAtShowing_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("selected");  // empty: nothing selected
    QTest::addColumn<QString>("language");  // AppSettings.Language afterwards

    QTest::newRow("stored language present")
        << QStringList{"English", "German"} << "German" << "German" << "German";
    QTest::newRow("stored language without a file switches to English")
        << QStringList{"English", "German"} << "Klingon" << "English" << "English";
    QTest::newRow("stored name does not select a file spelled in another case")
        << QStringList{"English", "german"} << "German" << "English" << "English";
    QTest::newRow("no file and no English: nothing changes")
        << QStringList{"German", "French"} << "Klingon" << "" << "Klingon";
    QTest::newRow("no language files at all") << QStringList{} << "German" << "" << "German";
    QTest::newRow("name with two dots")
        << QStringList{"English", "Portuguese.Brazil"} << "Portuguese.Brazil" << "Portuguese.Brazil"
        << "Portuguese.Brazil";
    QTest::newRow("empty stored language picks English")
        << QStringList{"German", "English"} << "" << "English" << "English";
}

void TestFormSettings::choiceAtShowing()
{
    QFETCH(QStringList, files);
    QFETCH(QString, stored);
    QFETCH(QString, selected);
    QFETCH(QString, language);
    TSettingsEnvironment env;
    for (const QString &file : files)
        env.WriteLanguage(file, {"[Translations]"});
    TForm1 *main = env.CreateMain(stored);

    const auto dialog = OpenSettings(main);
    QCOMPARE(dialog->ComboBoxLang->Text(), selected);
    QCOMPARE(dialog->ComboBoxLang->ItemIndex() >= 0, !selected.isEmpty());
    QCOMPARE(AppSettings.Language, language);
    QCOMPARE(main->LangChanger1->LangFile(), LanguageFilePath(language));
    QVERIFY(env.Messages.Requests.isEmpty());
}

void TestFormSettings::storedGermanRetranslatesBothWindows()
{
    TSettingsEnvironment env;
    env.WriteLanguage("English", EnglishLines);
    env.WriteLanguage("German", GermanLines);
    TForm1 *main = env.CreateMain(QStringLiteral("German"));
    QCOMPARE(main->ButtonSave->Caption(), QStringLiteral("Save As ..."));

    auto dialog = std::make_unique<TFormSettings>(main, main->SettingsHost());
    QCOMPARE(dialog->Caption(), QStringLiteral("Settings"));
    dialog->show();
    QCOMPARE(dialog->ComboBoxLang->Text(), QStringLiteral("German"));
    QCOMPARE(dialog->Caption(), QStringLiteral("Einstellungen"));
    QCOMPARE(dialog->LabelLanguage->Caption(), QStringLiteral("Sprache"));
    QCOMPARE(main->ButtonSave->Caption(), QStringLiteral("Speichern unter ..."));
    QCOMPARE(main->LabelInputText->Caption(), QStringLiteral("Eingabetext"));
}

void TestFormSettings::choosingAnEntryAppliesAtOnce()
{
    TSettingsEnvironment env;
    env.WriteLanguage("English", EnglishLines);
    env.WriteLanguage("German", GermanLines);
    TForm1 *main = env.CreateMain(QStringLiteral("English"));
    const auto dialog = OpenSettings(main);
    QCOMPARE(dialog->ComboBoxLang->Text(), QStringLiteral("English"));

    Pick(dialog->ComboBoxLang, QStringLiteral("German"));
    QCOMPARE(AppSettings.Language, QStringLiteral("German"));
    QCOMPARE(main->LangChanger1->LangFile(), env.PathOf("German.lng"));
    QCOMPARE(dialog->Caption(), QStringLiteral("Einstellungen"));
    QCOMPARE(main->ButtonSave->Caption(), QStringLiteral("Speichern unter ..."));
    // The choice reaches the store only when the main window closes.
    QCOMPARE(QSettings("Marvane", "Quorvel (QR code) Generator").value("Options/Language").toString(),
             QString());

    Pick(dialog->ComboBoxLang, QStringLiteral("English"));
    QCOMPARE(AppSettings.Language, QStringLiteral("English"));
    QCOMPARE(dialog->Caption(), QStringLiteral("Settings"));
    QCOMPARE(dialog->LabelLanguage->Caption(), QStringLiteral("Language"));
    QCOMPARE(main->ButtonSave->Caption(), QStringLiteral("Save As ..."));
    QCOMPARE(main->LabelInputText->Caption(), QStringLiteral("Input Text"));

    // OK closes the (modal) dialog and keeps the choice.
    Pick(dialog->ComboBoxLang, QStringLiteral("German"));
    dialog->hide();
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    dialog->ButtonOK->Click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->ModalResult(), mrOk);
    QCOMPARE(AppSettings.Language, QStringLiteral("German"));
}

void TestFormSettings::openingTwiceBuildsAFreshList()
{
    TSettingsEnvironment env;
    env.WriteLanguage("English", EnglishLines);
    env.WriteLanguage("German", GermanLines);
    TForm1 *main = env.CreateMain(QStringLiteral("German"));

    auto first = OpenSettings(main);
    QCOMPARE(first->ComboBoxLang->count(), 2);
    Pick(first->ComboBoxLang, QStringLiteral("English"));
    first->close();
    first.reset();

    env.WriteLanguage("French", {"[Translations]", "FormSettings.Caption=Paramètres"});
    QVERIFY(QFile::remove(env.PathOf("German.lng")));
    const auto second = OpenSettings(main);
    QCOMPARE(Entries(second->ComboBoxLang), QStringList({"English:0", "French:3"}));
    QCOMPARE(second->ComboBoxLang->Text(), QStringLiteral("English"));
    QCOMPARE(second->Caption(), QStringLiteral("Settings"));
    Pick(second->ComboBoxLang, QStringLiteral("French"));
    QCOMPARE(second->Caption(), QStringLiteral("Paramètres"));
}

void TestFormSettings::choiceIsStoredWhenTheMainWindowCloses()
{
    TSettingsEnvironment env;
    env.WriteLanguage("English", EnglishLines);
    env.WriteLanguage("German", GermanLines);
    TForm1 *main = env.CreateMain(QStringLiteral("English"));
    {
        const auto dialog = OpenSettings(main);
        Pick(dialog->ComboBoxLang, QStringLiteral("German"));
        dialog->ButtonOK->Click();
    }
    TCloseAction action = caHide;
    main->FormClose(main, action);
    QCOMPARE(QSettings("Marvane", "Quorvel (QR code) Generator").value("Options/Language").toString(),
             QStringLiteral("German"));

    // The next start comes up in German.
    env.Main.reset();
    AppSettings.Language.clear();
    env.Main.reset(CreateForm1());
    QCOMPARE(AppSettings.Language, QStringLiteral("German"));
    env.Main->show();
    QCOMPARE(env.Main->ButtonSave->Caption(), QStringLiteral("Speichern unter ..."));
}

void TestFormSettings::translatedListsKeepTheirSelection()
{
    TSettingsEnvironment env;
    env.WriteLanguage("English", EnglishLines + QStringList{
        "Form1.ComboBoxRotation.Items=0 degree,90 degree,180 degree,270 degree"});
    env.WriteLanguage("German", GermanLines + QStringList{
        "Form1.ComboBoxRotation.Items=0 Grad,90 Grad,180 Grad,270 Grad"});
    TForm1 *main = env.CreateMain(QStringLiteral("English"));
    Pick(main->ComboBoxRotation, QStringLiteral("90 degree"));
    QCOMPARE(main->Barcode->Rotation(), 90);
    const auto dialog = OpenSettings(main);

    Pick(dialog->ComboBoxLang, QStringLiteral("German"));
    QCOMPARE(main->ComboBoxRotation->Text(), QStringLiteral("90 Grad"));
    QCOMPARE(main->ComboBoxExt->Text(), QStringLiteral("BMP"));
    QCOMPARE(dialog->ComboBoxLang->Text(), QStringLiteral("German"));
    QCOMPARE(main->Barcode->Rotation(), 90);
    Pick(dialog->ComboBoxLang, QStringLiteral("English"));
    QCOMPARE(main->ComboBoxRotation->Text(), QStringLiteral("90 degree"));
}

void TestFormSettings::templateButtonWritesThreeWindows()
{
    TSettingsEnvironment env;
    env.WriteLanguage("English", EnglishLines);
    TForm1 *main = env.CreateMain(QStringLiteral("English"));
    auto dialog = OpenSettings(main);
    const qsizetype formsBefore = OpenForms().size();

    dialog->Button1->Click();

    QCOMPARE(OpenForms().size(), formsBefore); // the batch window is gone again
    for (TForm *form : OpenForms())
        QVERIFY(qobject_cast<TFormBatchGenerator *>(form) == nullptr);
    const TLangFile native = TLangFile::Load(env.PathOf("Native.lng"));
    const QStringList keys = native.ReadSectionKeys("Translations");
    const auto value = [&](const char *key) { return native.ReadString("Translations", key, "<none>"); };
    QCOMPARE(value("FormSettings.Caption"), QStringLiteral("Settings"));
    QCOMPARE(value("FormSettings.LabelLanguage.Caption"), QStringLiteral("Language"));
    QCOMPARE(value("FormSettings.ButtonOK.Caption"), QStringLiteral("OK"));
    QCOMPARE(value("Form1.ButtonSave.Caption"), QStringLiteral("Save As ..."));
    QCOMPARE(value("Form1.SavePictureDialog.Title"), QStringLiteral("Save Barcode"));
    QCOMPARE(value("FormBatchGenerator.ButtonStart.Caption"), QStringLiteral("START"));
    QCOMPARE(value("FormBatchGenerator.LabelStrings.Caption"), QStringLiteral("Strings: 0"));
    // The three windows in the order they were written.
    const qsizetype settings = keys.indexOf("FormSettings.Caption");
    const qsizetype mainWindow = keys.indexOf("Form1.ButtonSave.Caption");
    const qsizetype batch = keys.indexOf("FormBatchGenerator.ButtonStart.Caption");
    QVERIFY(settings < mainWindow);
    QVERIFY(mainWindow < batch);
    QVERIFY(!native.KeyExists("Translations", "FormSettings.ImageListFlags.Name"));

    // Listed from now on, without a flag.
    dialog.reset();
    const auto next = OpenSettings(main);
    QVERIFY(Entries(next->ComboBoxLang).contains("Native:-1"));
}

void TestFormSettings::templateAppliedUnchangedReproducesTheTexts()
{
    TSettingsEnvironment env;
    env.WriteLanguage("German", GermanLines);
    TForm1 *main = env.CreateMain(QStringLiteral("Klingon"));
    auto dialog = OpenSettings(main);
    QCOMPARE(dialog->ComboBoxLang->ItemIndex(), -1);
    const QMap<QString, QString> mainTexts = TextsOf(main);
    QMap<QString, QString> dialogTexts = TextsOf(dialog.get());
    QMap<QString, QString> batchTexts;
    {
        TFormBatchGenerator batch(main, main->BatchHost());
        batchTexts = TextsOf(&batch);
    }
    dialog->Button1->Click();

    Pick(dialog->ComboBoxLang, QStringLiteral("German"));
    QCOMPARE(main->ButtonSave->Caption(), QStringLiteral("Speichern unter ..."));
    dialog.reset();
    const auto again = OpenSettings(main);
    QCOMPARE(again->Caption(), QStringLiteral("Einstellungen"));
    Pick(again->ComboBoxLang, QStringLiteral("Native"));
    QCOMPARE(AppSettings.Language, QStringLiteral("Native"));

    QCOMPARE(TextsOf(main), mainTexts);
    QMap<QString, QString> againTexts = TextsOf(again.get());
    // The list's own text is the selected language, not a design text.
    dialogTexts.remove("ComboBoxLang.Text");
    againTexts.remove("ComboBoxLang.Text");
    QCOMPARE(againTexts, dialogTexts);

    TFormBatchGenerator batch(main, main->BatchHost());
    main->LangChanger1->SetLangFile(env.PathOf("German.lng"));
    main->LangChanger1->TranslateForm(&batch);
    QCOMPARE(batch.ButtonStart->Caption(), QStringLiteral("LOS"));
    main->LangChanger1->SetLangFile(env.PathOf("Native.lng"));
    main->LangChanger1->TranslateForm(&batch);
    QCOMPARE(TextsOf(&batch), batchTexts);
}

// An installed program's folders take no new files: the template goes to the user's own folder,
// and the languages there are offered and applied like the shipped ones.
void TestFormSettings::readOnlyProgramFolderUsesTheUsersFolder()
{
    TSettingsEnvironment env;
    SetProgramFolderForTests(QStringLiteral("/proc"));
    QVERIFY(QDir().mkpath(UserLanguageFolder()));
    WriteLanguageBytes(UserLanguageFolder() + QStringLiteral("/German.lng"), EncodeLines(GermanLines));
    TForm1 *main = env.CreateMain(QStringLiteral("English"));
    auto dialog = OpenSettings(main);
    QCOMPARE(Entries(dialog->ComboBoxLang), QStringList{"German:10"});

    dialog->Button1->Click();
    const TLangFile native = TLangFile::Load(UserLanguageFolder() + QStringLiteral("/Native.lng"));
    QCOMPARE(native.ReadString("Translations", "Form1.ButtonSave.Caption", "<none>"), QStringLiteral("Save As ..."));
    QVERIFY(!QFile::exists(QStringLiteral("/proc/Native.lng")));

    dialog.reset();
    const auto next = OpenSettings(main);
    QCOMPARE(Entries(next->ComboBoxLang), QStringList({"German:10", "Native:-1"}));
    Pick(next->ComboBoxLang, QStringLiteral("German"));
    QCOMPARE(main->ButtonSave->Caption(), QStringLiteral("Speichern unter ..."));
    QCOMPARE(main->LangChanger1->LangFile(), UserLanguageFolder() + QStringLiteral("/German.lng"));
}

QTEST_MAIN(TestFormSettings)
#include "TestFormSettings.moc"
