#include "barcode/Barcode.h"
#include "lang/LangChanger.h"
#include "support/TestPresenters.h"
#include "toolkit/Exception.h"
#include "toolkit/Properties.h"
#include "LangTestFiles.h"
#include "LangTestWindows.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

class TestFormTranslation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dictionary_data();
    void dictionary();
    void componentErrorDiscarded();
    void listValue_data();
    void listValue();
    void numbers_data();
    void numbers();
    void negativeColor_data();
    void negativeColor();
    void textKeepsBlanks_data();
    void textKeepsBlanks();
    void pathsThatLeadNowhere();
    void refusedValuesAreNamed_data();
    void refusedValuesAreNamed();
    void sharedEntriesReachEveryWindow();
    void windowEntries();
    void laterPassesWin();
    void switchingLanguages();

private:
    // Points the component at a new language file with the given text.
    void UseLanguage(const QString &text);

    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<TLangChanger> FChanger;
    std::unique_ptr<TFormLangTest> FForm;
    int FFiles = 0;
};

void TestFormTranslation::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    QVERIFY(FDir->isValid());
    FChanger = std::make_unique<TLangChanger>(nullptr);
    FForm = std::make_unique<TFormLangTest>(nullptr);
}

void TestFormTranslation::cleanup()
{
    FForm.reset();
    FChanger.reset();
    QCOMPARE(OpenForms().size(), 0);
}

void TestFormTranslation::UseLanguage(const QString &text)
{
    const QString path = FDir->filePath(QStringLiteral("Language%1.lng").arg(++FFiles));
    WriteBytes(path, Utf16Le(text));
    FChanger->SetLangFile(path);
}

void TestFormTranslation::dictionary_data()
{
    QTest::addColumn<bool>("menuItem");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("captions"); // entries of [LngCaptions]
    QTest::addColumn<QString>("expected");

    QTest::newRow("whole caption") << false << "&Symbology:" << "&Symbology:=&Symbologie:" << "&Symbologie:";
    QTest::newRow("label needs the accelerator") << false << "&Symbology:" << "Symbology:=Symbologie:"
                                                 << "&Symbology:";
    QTest::newRow("menu item without accelerator") << true << "&Save" << "save=Speichern" << "Speichern";
    QTest::newRow("menu item whole caption first") << true << "&Save" << "Save=A\r\n&Save=&Sichern"
                                                   << "&Sichern";
    QTest::newRow("trimmed lookup keeps blanks") << false << " \tInput Text  " << "input text=Eingabetext"
                                                 << " \tEingabetext  ";
    QTest::newRow("line break in key and value") << false << "Line one\r\nLine two"
                                                 << "Line one{\\n}Line two=Eins{\\n}Zwei" << "Eins\r\nZwei";
    QTest::newRow("comment key not applied") << false << "#Save" << "#Save=Speichern" << "#Save";
    QTest::newRow("only whole values") << false << "Save As ..." << "Save=Speichern" << "Save As ...";
    QTest::newRow("later key wins") << false << "Save" << "Save=A\r\nSAVE=B" << "B";
}

void TestFormTranslation::dictionary()
{
    QFETCH(bool, menuItem);
    QFETCH(QString, caption);
    QFETCH(QString, captions);
    QFETCH(QString, expected);

    if (menuItem)
        FForm->MenuSave->SetCaption(caption);
    else
        FForm->LabelSymbology->SetCaption(caption);
    UseLanguage("[LngCaptions]\r\n" + captions + "\r\n");
    FChanger->TranslateForm(FForm.get());
    QCOMPARE(menuItem ? FForm->MenuSave->Caption() : FForm->LabelSymbology->Caption(), expected);
}

void TestFormTranslation::componentErrorDiscarded()
{
    // The edit's properties are visited by name: Hint, Name (refused: not an identifier), Text.
    UseLanguage("[LngCaptions]\r\nType here=Hier tippen\r\nEditInput=Not a name!\r\nHello=Hallo\r\n"
                "Save As ...=Speichern unter ...\r\nTest window=Testfenster\r\n");
    FChanger->TranslateForm(FForm.get());
    QCOMPARE(FForm->EditInput->Hint(), QString("Hier tippen"));
    QCOMPARE(FForm->EditInput->Name(), QString("EditInput"));
    QCOMPARE(FForm->EditInput->Text(), QString("Hello"));
    QCOMPARE(FForm->ButtonSave->Caption(), QString("Speichern unter ..."));
    QCOMPARE(FForm->Caption(), QString("Testfenster"));

    // Without a window nothing is discarded.
    FForm->EditInput->SetHint("Type here");
    QVERIFY_THROWS_EXCEPTION(EInvalidOperation, FChanger->TranslateForm(nullptr));
}

void TestFormTranslation::listValue_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("empty item, final separator") << "," << "0 Grad,,90 Grad," << QStringList({"0 Grad", "", "90 Grad"});
    QTest::newRow("items trimmed") << "," << " a , b " << QStringList({"a", "b"});
    QTest::newRow("separator with blanks") << " ; " << "x ; y;z ;w" << QStringList({"x", "y;z ;w"});
    QTest::newRow("separator only") << "," << "," << QStringList({""});
    QTest::newRow("several characters") << "||" << "a||b|c" << QStringList({"a", "b|c"});
}

void TestFormTranslation::listValue()
{
    QFETCH(QString, separator);
    QFETCH(QString, value);
    QFETCH(QStringList, items);

    FChanger->SetSeparator(separator);
    UseLanguage("[Translations]\r\nFormLangTest.ComboBoxRotation.Items=" + value + "\r\n");
    FChanger->TranslateForm(FForm.get());
    QCOMPARE(FForm->ComboBoxRotation->Items()->ToStringList(), items);
}

void TestFormTranslation::numbers_data()
{
    QTest::addColumn<QString>("entries");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<qlonglong>("big");
    QTest::addColumn<int>("left");

    QTest::newRow("point") << "Gadget.Ratio=1.5\r\nGadget.Big=-7\r\nButtonSave.Left=12" << 1.5 << -7LL << 12;
    QTest::newRow("comma") << "Gadget.Ratio=1,5\r\nGadget.Big=2147483647" << 1.5 << 2147483647LL << 40;
    QTest::newRow("exponent") << "Gadget.Ratio=2.5e2" << 250.0 << 0LL << 40;
    QTest::newRow("not numbers") << "Gadget.Ratio=abc\r\nGadget.Big=1.5\r\nButtonSave.Left=x" << 0.25 << 0LL << 40;
    QTest::newRow("two separators") << "Gadget.Ratio=1.000,5" << 0.25 << 0LL << 40;
    QTest::newRow("beyond 32 bits") << "Gadget.Big=4294967296\r\nButtonSave.Left=99999999999" << 0.25
                                    << 4294967296LL << 40;
}

void TestFormTranslation::numbers()
{
    QFETCH(QString, entries);
    QFETCH(double, ratio);
    QFETCH(qlonglong, big);
    QFETCH(int, left);

    // The file's numbers do not depend on the user's locale.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    FForm->Gadget->SetRatio(0.25);
    UseLanguage("[LngControls]\r\n" + entries + "\r\n");
    FChanger->TranslateForm(FForm.get());
    QLocale::setDefault(QLocale::c());
    QCOMPARE(FForm->Gadget->Ratio(), ratio);
    QCOMPARE(FForm->Gadget->Big(), big);
    QCOMPARE(FForm->ButtonSave->Left(), left);
}

void TestFormTranslation::negativeColor_data()
{
    QTest::addColumn<QString>("entry");   // "<section>|<key>=<value>"
    QTest::addColumn<QString>("colour");  // the property, "<component>.<path>"
    QTest::addColumn<bool>("refused");

    QTest::newRow("font colour") << "Translations|FormLangTest.ButtonSave.Font.Color=-5"
                                 << "ButtonSave.Font.Color" << true;
    QTest::newRow("shared panel colour") << "LngControls|PanelButtons_lng.Color=-2"
                                         << "PanelButtons_lng.Color" << true;
    QTest::newRow("barcode colour") << "Translations|FormLangTest.Barcode.ForeColor=-1"
                                    << "Barcode.ForeColor" << true;
    QTest::newRow("zero is black") << "Translations|FormLangTest.ButtonSave.Font.Color=0"
                                   << "ButtonSave.Font.Color" << false;
    // What a template written with numbers holds for the window colour, clBtnFace.
    QTest::newRow("system colour") << "Translations|FormLangTest.ButtonSave.Font.Color=-16777201"
                                   << "ButtonSave.Font.Color" << false;
}

// A negative number for a colour is refused with a message naming the entry; the entries after
// it still apply, and a second window translated from the same file repeats no message.
void TestFormTranslation::negativeColor()
{
    QFETCH(QString, entry);
    QFETCH(QString, colour);
    QFETCH(bool, refused);
    auto *barcode = new TBarcode(FForm.get());
    barcode->SetName("Barcode");
    const QString section = entry.section(u'|', 0, 0);
    const QString line = entry.section(u'|', 1);
    const QString component = colour.section(u'.', 0, 0);
    const QString property = colour.section(u'.', 1);
    QObject *target = FindComponent(FForm.get(), component);
    if (property.contains(u'.'))
        target = GetObjectProp(target, property.section(u'.', 0, 0));
    const QString name = property.section(u'.', -1);
    const qint64 before = GetOrdProp(target, name);

    // The entry comes first; one after it still applies.
    const QString later = "FormLangTest.LabelInputText.Caption=Eingabe\r\n";
    if (section == "Translations")
        UseLanguage("[Translations]\r\n" + line + "\r\n" + later);
    else
        UseLanguage("[" + section + "]\r\n" + line + "\r\n[Translations]\r\n" + later);
    TRecordingMessages messages;
    FChanger->TranslateForm(FForm.get());

    QCOMPARE(FForm->LabelInputText->Caption().trimmed(), QString("Eingabe"));
    if (!refused) {
        QCOMPARE(GetOrdProp(target, name), line.section(u'=', 1).toLongLong());
        QVERIFY(messages.Requests.isEmpty());
        return;
    }
    QCOMPARE(GetOrdProp(target, name), before);
    QCOMPARE(messages.Requests.size(), 1);
    const QString text = messages.Requests.first().Text;
    QVERIFY2(text.contains("negative") && text.contains(line)
                 && text.contains(QFileInfo(FChanger->LangFile()).fileName()),
             qPrintable(text));

    TFormLangTest second(nullptr);
    FChanger->TranslateForm(&second);
    QCOMPARE(second.LabelInputText->Caption().trimmed(), QString("Eingabe"));
    QCOMPARE(messages.Requests.size(), 1);
}

void TestFormTranslation::textKeepsBlanks_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expected");

    QTest::newRow("two blanks each side") << "  Input  " << "   Eingabe " << "  Eingabe  ";
    QTest::newRow("no blanks") << "Input" << "Eingabe" << "Eingabe";
    QTest::newRow("blank current value") << "  " << "Eingabe" << "Eingabe  ";
    QTest::newRow("line break restored") << "Input" << "Ein{\\n}gabe" << "Ein\r\ngabe";
}

void TestFormTranslation::textKeepsBlanks()
{
    QFETCH(QString, current);
    QFETCH(QString, entry);
    QFETCH(QString, expected);

    FForm->LabelInputText->SetCaption(current);
    UseLanguage("[Translations]\r\nFormLangTest.LabelInputText.Caption=" + entry + "\r\n");
    FChanger->TranslateForm(FForm.get());
    QCOMPARE(FForm->LabelInputText->Caption(), expected);
}

void TestFormTranslation::pathsThatLeadNowhere()
{
    UseLanguage("[Translations]\r\n"
                "FormLangTest.Gadget.Link.Caption=lost\r\n"        // reference holds no object
                "FormLangTest.NoSuchButton.Caption=lost\r\n"       // no such component
                "FormLangTest.ButtonSave.NoSuchProperty=lost\r\n"  // no such property
                "FormLangTest.ButtonSave.Caption.Text=lost\r\n"    // a text is no object
                "FormLangTest.ButtonSave.Visible=false\r\n"        // other kinds are left alone
                "FormLangTest.Gadget.Version=2.0\r\n"              // read-only
                "FormLangTest.ButtonSave.Font.Size=17\r\n"         // through a sub-object
                "FormLangTest.buttonsave.caption=Sichern\r\n");    // names without case
    FChanger->TranslateForm(FForm.get());
    QCOMPARE(FForm->ButtonSave->Font()->Size(), 17);
    QCOMPARE(FForm->ButtonSave->Caption(), QString("Sichern"));
    QVERIFY(FForm->ButtonSave->Visible());
    QCOMPARE(FForm->Gadget->Version(), QString("1.0"));
    QCOMPARE(FForm->Caption(), QString("Test window"));
}

void TestFormTranslation::refusedValuesAreNamed_data()
{
    QTest::addColumn<QString>("entry");
    QTest::newRow("list into a font") << "FormLangTest.ButtonSave.Font=Arial,12";
    QTest::newRow("mask out of range") << "FormLangTest.Barcode.Mask=2147483647";
    QTest::newRow("version out of range") << "FormLangTest.Barcode.SymbolVersion=-2147483648";
}

// A value a component refuses is named with the file in one message; the entries after it
// still apply.
void TestFormTranslation::refusedValuesAreNamed()
{
    QFETCH(QString, entry);
    auto *barcode = new TBarcode(FForm.get());
    barcode->SetName("Barcode");
    UseLanguage("[Translations]\r\n" + entry + "\r\nFormLangTest.Caption=Late\r\n");
    TRecordingMessages messages;
    FChanger->TranslateForm(FForm.get());
    QCOMPARE(FForm->Caption(), QString("Late"));
    QCOMPARE(messages.Requests.size(), 1);
    const QString text = messages.Requests.first().Text;
    QVERIFY2(text.contains(entry) && text.contains(QFileInfo(FChanger->LangFile()).fileName()), qPrintable(text));
}

void TestFormTranslation::sharedEntriesReachEveryWindow()
{
    TFormOther other(nullptr);
    TFormPlain plain(nullptr);
    UseLanguage("[LngControls]\r\nButtonSave.Caption=Speichern\r\nCaption=Fenster\r\n#Hint=never\r\n");

    FChanger->TranslateForm(&other);
    QCOMPARE(other.ButtonSave->Caption(), QString("Speichern"));
    QCOMPARE(FForm->ButtonSave->Caption(), QString("Save As ..."));

    FChanger->TranslateForm(nullptr);
    QCOMPARE(FForm->ButtonSave->Caption(), QString("Speichern"));
    QCOMPARE(plain.LabelTitle->Caption(), QString("Title"));
    for (TForm *form : {static_cast<TForm *>(FForm.get()), static_cast<TForm *>(&other), static_cast<TForm *>(&plain)}) {
        QCOMPARE(form->Caption(), QString("Fenster"));
        QCOMPARE(form->Hint(), QString());
    }
}

void TestFormTranslation::windowEntries()
{
    TFormOther other(nullptr);
    UseLanguage("[Translations]\r\n"
                "FormLangTest.Caption=Testfenster\r\n"
                "FormOther.Caption=Anderes Fenster\r\n"
                "Caption=no window part\r\n"
                "#FormLangTest.Hint=comment\r\n"
                "formlangtest.ButtonSave.Caption=Sichern\r\n");
    FChanger->TranslateForm(FForm.get());
    QCOMPARE(FForm->Caption(), QString("Testfenster"));
    QCOMPARE(FForm->Hint(), QString());
    QCOMPARE(FForm->ButtonSave->Caption(), QString("Sichern"));
    QCOMPARE(other.Caption(), QString("Other window"));
    QCOMPARE(other.ButtonSave->Caption(), QString("Save As ..."));

    FChanger->TranslateForm(nullptr);
    QCOMPARE(other.Caption(), QString("Anderes Fenster"));
}

void TestFormTranslation::laterPassesWin()
{
    UseLanguage("[Translations]\r\nFormLangTest.ButtonSave.Caption=Window\r\n"
                "[LngControls]\r\nButtonSave.Caption=Shared\r\nMenuSave.Caption=Shared menu\r\n"
                "[LngCaptions]\r\nSave As ...=Dictionary\r\n&Save=Dictionary menu\r\n");
    FChanger->TranslateForm(FForm.get());
    QCOMPARE(FForm->ButtonSave->Caption(), QString("Window"));
    QCOMPARE(FForm->MenuSave->Caption(), QString("Shared menu"));
}

void TestFormTranslation::switchingLanguages()
{
    const QString captions = "[LngCaptions]\r\nSave As ...=%1\r\n[Translations]\r\nFormLangTest.Caption=%2\r\n";
    UseLanguage(captions.arg("Speichern unter ...", "Testfenster"));
    FChanger->TranslateForm(FForm.get());
    QCOMPARE(FForm->ButtonSave->Caption(), QString("Speichern unter ..."));

    UseLanguage(captions.arg("Enregistrer sous ...", "Fenêtre de test"));
    FChanger->TranslateForm(FForm.get());
    QCOMPARE(FForm->Caption(), QString("Fenêtre de test"));
    QCOMPARE(FForm->ButtonSave->Caption(), QString("Speichern unter ..."));
}

QTEST_MAIN(TestFormTranslation)
#include "TestFormTranslation.moc"
