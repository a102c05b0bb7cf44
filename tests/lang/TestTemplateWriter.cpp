#include "barcode/Barcode.h"
#include "lang/LangChanger.h"
#include "lang/LangFile.h"
#include "toolkit/Exception.h"
#include "toolkit/ProgramPaths.h"
#include "toolkit/Properties.h"
#include "LangTestFiles.h"
#include "LangTestWindows.h"

#include <QLocale>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(TSaveKindsProperties)

class TestTemplateWriter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void templateReproducesWindow();
    void writingTwiceKeepsOneEntryPerKey();
    void entries_data();
    void entries();
    void kinds_data();
    void kinds();
    void actionSuppliesCaptionAndHint();
    void exclusionsAtEveryDepth();
    void referenceCyclesAndWindows();
    void templateCannotBeWritten();
    void unreadablePropertyIsSkipped();
    void barcodeWritesOnlyWhatCanBeSet_data();
    void barcodeWritesOnlyWhatCanBeSet();

private:
    QString NativePath() const { return FDir->filePath("Native.lng"); }
    TLangFile Template() const { return TLangFile::Load(NativePath()); }

    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<TLangChanger> FChanger;
    std::unique_ptr<TFormLangTest> FForm;
};

namespace {

// Every published text and integer of an object and of the sub-objects it does not own as
// components, by path.
void Snapshot(const QObject *object, const QString &path, QMap<QString, QString> &values, int depth = 0)
{
    for (const TPropInfo &info : GetPropList(object, TPropKinds{pkText, pkInteger, pkInt64, pkObject})) {
        const QString key = path + '.' + info.Name;
        if (info.Kind == pkText)
            values.insert(key, GetStrProp(object, info));
        else if (info.Kind == pkObject) {
            QObject *held = GetObjectProp(object, info);
            if (held != nullptr && ComponentOwner(held) == nullptr && depth < 2)
                Snapshot(held, key, values, depth + 1);
        } else
            values.insert(key, QString::number(GetOrdProp(object, info)));
    }
}

QMap<QString, QString> Snapshot(const TForm &form)
{
    QMap<QString, QString> values;
    Snapshot(&form, form.objectName(), values);
    for (QObject *component : OwnedComponents(&form))
        Snapshot(component, form.objectName() + '.' + component->objectName(), values);
    return values;
}

} // namespace

void TestTemplateWriter::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    QVERIFY(FDir->isValid());
    SetProgramFolderForTests(FDir->path());
    FChanger = std::make_unique<TLangChanger>(nullptr);
    FForm = std::make_unique<TFormLangTest>(nullptr);
}

void TestTemplateWriter::cleanup()
{
    FForm.reset();
    FChanger.reset();
    SetProgramFolderForTests(QString());
    QLocale::setDefault(QLocale::c());
}

void TestTemplateWriter::templateReproducesWindow()
{
    FForm->ButtonSave->SetCaption("Save As\r\nnow");
    FForm->Gadget->SetBig(qlonglong(1) << 40);
    const QMap<QString, QString> original = Snapshot(*FForm);
    FChanger->SaveProperties(FForm.get(), {skStringProperties, skIntegerProperties});
    QCOMPARE(FChanger->SavedForm(), FForm.get());

    FForm->SetCaption("Changed");
    FForm->ButtonSave->SetCaption("Changed");
    FForm->ButtonSave->SetLeft(3);
    FForm->EditInput->SetText("Changed");
    FForm->LabelInputText->SetCaption("  Changed  "); // the blanks stay with the window
    FForm->PanelButtons_lng->SetCaption("Changed");
    FForm->PanelButtons_lng->Font()->SetSize(20);
    FForm->MenuSave->SetCaption("Changed");
    FForm->ComboBoxRotation->SetItemIndex(1);
    FForm->Gadget->SetBig(5);
    QVERIFY(Snapshot(*FForm) != original);

    FChanger->SetLangFile(NativePath());
    FChanger->TranslateForm(FForm.get());
    const QMap<QString, QString> reproduced = Snapshot(*FForm);
    for (auto it = original.cbegin(); it != original.cend(); ++it)
        QCOMPARE(it.key() + '=' + reproduced.value(it.key()), it.key() + '=' + it.value());
}

void TestTemplateWriter::writingTwiceKeepsOneEntryPerKey()
{
    FChanger->SaveProperties(FForm.get(), {skStringProperties, skIntegerProperties});
    const int lines = int(Template().Lines().size());
    FForm->ButtonSave->SetCaption("Second");
    FChanger->SaveProperties(FForm.get(), {skStringProperties, skIntegerProperties});

    const TLangFile file = Template();
    QCOMPARE(file.Lines().size(), lines);
    for (const QString &section : {QString("Translations"), QString("LngControls")}) {
        const QStringList keys = file.ReadSectionKeys(section);
        QVERIFY(!keys.isEmpty());
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
    }
    QCOMPARE(file.ReadString("Translations", "FormLangTest.ButtonSave.Caption", ""), QString("Second"));
    QVERIFY(ReadBytes(NativePath()).startsWith("\xFF\xFE"));
}

void TestTemplateWriter::entries_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value"); // null: no entry

    QTest::newRow("window caption") << "Translations" << "FormLangTest.Caption" << "Test window";
    QTest::newRow("trimmed") << "Translations" << "FormLangTest.LabelInputText.Caption" << "Input Text";
    QTest::newRow("line break escaped") << "Translations" << "FormLangTest.LabelSymbology.Caption"
                                        << "Line one{\\n}Line two";
    QTest::newRow("empty text") << "Translations" << "FormLangTest.Gadget.Caption" << QString();
    QTest::newRow("blank text") << "Translations" << "FormLangTest.Gadget.Hint" << QString();
    QTest::newRow("component name") << "Translations" << "FormLangTest.ButtonSave.Name" << QString();
    QTest::newRow("font name") << "Translations" << "FormLangTest.ButtonSave.Font.Name" << QString();
    QTest::newRow("font size") << "Translations" << "FormLangTest.ButtonSave.Font.Size"
                               << "%font";
    QTest::newRow("known to the dictionary") << "Translations" << "FormLangTest.EditInput.Text" << QString();
    QTest::newRow("shared control") << "LngControls" << "PanelButtons_lng.Caption" << "Shared panel";
    QTest::newRow("shared control's font") << "Translations" << "FormLangTest.PanelButtons_lng.Font.Size"
                                           << "%font";
    QTest::newRow("shared, not in Translations") << "Translations" << "FormLangTest.PanelButtons_lng.Caption"
                                                 << QString();
    QTest::newRow("postfix case matters") << "Translations" << "FormLangTest.PanelTop_LNG.Caption" << "Top";
    QTest::newRow("zero integer") << "Translations" << "FormLangTest.Gadget.Big" << "0";
    QTest::newRow("read-only text") << "Translations" << "FormLangTest.Gadget.Version" << QString();
    QTest::newRow("referenced component not entered")
        << "Translations" << "FormLangTest.LabelSymbology.FocusControl.Text" << QString();
    QTest::newRow("list items not written") << "Translations" << "FormLangTest.ComboBoxRotation.Items" << QString();
    QTest::newRow("menu item") << "Translations" << "FormLangTest.MenuSave.Caption" << "&Save";
    QTest::newRow("existing entry kept") << "LngCaptions" << "hello" << "Hallo";
}

void TestTemplateWriter::entries()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);

    WriteBytes(NativePath(), Utf16Le("[LngCaptions]\r\nSHARED PANEL=x\r\nhello=Hallo\r\n"));
    FForm->LabelSymbology->SetCaption("Line one\r\nLine two");
    FForm->Gadget->SetHint(" \t ");
    auto *panel = new TPanel(FForm.get(), FForm.get());
    panel->SetName("PanelTop_LNG");
    panel->SetCaption("Top");
    FChanger->SaveProperties(FForm.get(), {skStringProperties, skIntegerProperties});

    value.replace("%font", QString::number(FForm->ButtonSave->Font()->Size()));
    const TLangFile file = Template();
    QCOMPARE(file.KeyExists(section, key), !value.isNull());
    QCOMPARE(file.ReadString(section, key, QString()), value.isNull() ? QString() : value);
}

void TestTemplateWriter::kinds_data()
{
    QTest::addColumn<TSaveKindsProperties>("kinds");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("ratio");

    QTest::newRow("texts") << TSaveKindsProperties{skStringProperties} << "Save As ..." << "" << "";
    QTest::newRow("integers") << TSaveKindsProperties{skIntegerProperties} << "" << "40" << "";
    QTest::newRow("floats, user's separator") << TSaveKindsProperties{skFloatProperties} << "" << "" << "2,5";
    QTest::newRow("none") << TSaveKindsProperties{} << "" << "" << "";
}

void TestTemplateWriter::kinds()
{
    QFETCH(TSaveKindsProperties, kinds);
    QFETCH(QString, caption);
    QFETCH(QString, left);
    QFETCH(QString, ratio);

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    FForm->Gadget->SetRatio(2.5);
    FChanger->SaveProperties(FForm.get(), kinds);

    // With no kind at all the template is still written back.
    QVERIFY(QFile::exists(NativePath()));
    const TLangFile file = Template();
    QCOMPARE(file.ReadString("Translations", "FormLangTest.ButtonSave.Caption", ""), caption);
    QCOMPARE(file.ReadString("Translations", "FormLangTest.ButtonSave.Left", ""), left);
    QCOMPARE(file.ReadString("Translations", "FormLangTest.Gadget.Ratio", ""), ratio);
}

void TestTemplateWriter::actionSuppliesCaptionAndHint()
{
    TTestGadget action(nullptr);
    auto *linked = new TTestGadget(FForm.get(), "Linked");
    for (TTestGadget *gadget : {FForm->Gadget, linked}) {
        gadget->SetCaption("Caption text");
        gadget->SetHint("Hint text");
    }
    linked->SetAction(&action);
    FChanger->SaveProperties(FForm.get(), {skStringProperties});

    const TLangFile file = Template();
    QVERIFY(file.KeyExists("Translations", "FormLangTest.Gadget.Caption"));
    QVERIFY(file.KeyExists("Translations", "FormLangTest.Gadget.Hint"));
    QVERIFY(!file.KeyExists("Translations", "FormLangTest.Linked.Caption"));
    QVERIFY(!file.KeyExists("Translations", "FormLangTest.Linked.Hint"));
    QVERIFY(file.KeyExists("Translations", "FormLangTest.Linked.Fragile"));
}

void TestTemplateWriter::exclusionsAtEveryDepth()
{
    FChanger->SetExcludeProperties({"caption", "SIZE"});
    FChanger->SaveProperties(FForm.get(), {skStringProperties, skIntegerProperties});
    const QStringList lines = Template().Lines();
    QVERIFY(!lines.isEmpty());
    for (const QString &line : lines) {
        const QString key = line.section('=', 0, 0);
        QVERIFY2(!key.endsWith(".Caption") && !key.endsWith(".Size"), qPrintable(line));
    }
    QVERIFY(Template().KeyExists("Translations", "FormLangTest.ButtonSave.Font.Height"));
}

void TestTemplateWriter::referenceCyclesAndWindows()
{
    TTestGadget first(nullptr, "First");
    TTestGadget second(nullptr, "Second");
    first.SetCaption("first");
    second.SetCaption("second");
    FForm->Gadget->SetLink(&first);
    first.SetLink(&second);
    second.SetLink(&first); // back to an object on the current path

    TFormOther other(nullptr);
    auto *toOther = new TTestGadget(FForm.get(), "ToOther");
    toOther->SetLink(&other);
    auto *toSelf = new TTestGadget(FForm.get(), "ToSelf");
    toSelf->SetLink(FForm.get());

    FChanger->SaveProperties(FForm.get(), {skStringProperties});
    const TLangFile file = Template();
    QCOMPARE(file.ReadString("Translations", "FormLangTest.Gadget.Link.Caption", ""), QString("first"));
    QCOMPARE(file.ReadString("Translations", "FormLangTest.Gadget.Link.Link.Caption", ""), QString("second"));
    QVERIFY(!file.KeyExists("Translations", "FormLangTest.Gadget.Link.Link.Link.Caption"));
    QVERIFY(!file.KeyExists("Translations", "FormLangTest.ToOther.Link.Caption"));
    QVERIFY(!file.KeyExists("Translations", "FormLangTest.ToSelf.Link.Caption"));

    // Written on its own, with no window set, the same chain stops as well.
    TLangChanger fresh(nullptr);
    fresh.SaveObject(&first, "Chain", {skStringProperties});
    QCOMPARE(Template().ReadString("Translations", "Chain.Link.Caption", ""), QString("second"));
    QVERIFY(!Template().KeyExists("Translations", "Chain.Link.Link.Caption"));
}

void TestTemplateWriter::templateCannotBeWritten()
{
    const QByteArray readOnly = Utf16Le("[Translations]\r\nFormLangTest.Caption=Old\r\n");
    WriteBytes(NativePath(), readOnly);
    QVERIFY(QFile::setPermissions(NativePath(), QFileDevice::ReadOwner));
    try {
        FChanger->SaveProperties(FForm.get(), {skStringProperties});
        QFAIL("a read-only template must be reported");
    } catch (const Exception &e) {
        QVERIFY2(e.Message().contains("Native.lng") && e.Message().contains("read-only"), qPrintable(e.Message()));
    }
    QCOMPARE(ReadBytes(NativePath()), readOnly);

    // A template saved as UTF-8 is not rewritten as UTF-16 garbage.
    QVERIFY(QFile::setPermissions(NativePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    const QByteArray utf8("[Translations]\r\nFormLangTest.Caption=Old\r\n");
    WriteBytes(NativePath(), utf8);
    QVERIFY_THROWS_EXCEPTION(Exception, FChanger->SaveProperties(FForm.get(), {skStringProperties}));
    QCOMPARE(ReadBytes(NativePath()), utf8);

    // A program folder that cannot hold files: the template goes to the user's folder, and when
    // that cannot hold files either, the failure is reported.
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("XDG_DATA_HOME");
    const auto restoreHome = qScopeGuard([&oldHome] { qputenv("XDG_DATA_HOME", oldHome); });
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    SetProgramFolderForTests(NativePath() + "/below-a-file");
    FChanger->SaveProperties(FForm.get(), {skStringProperties});
    QVERIFY(TLangFile::Load(home.filePath("Quorvel(QRcode)Generator/Native.lng"))
                .KeyExists("Translations", "FormLangTest.Caption"));
    qputenv("XDG_DATA_HOME", (NativePath() + "/below-a-file").toLocal8Bit());
    QVERIFY_THROWS_EXCEPTION(Exception, FChanger->SaveProperties(FForm.get(), {skStringProperties}));
}

void TestTemplateWriter::unreadablePropertyIsSkipped()
{
    FForm->Gadget->SetCaption("Before the failure");
    FForm->Gadget->SetHint("After the failure");
    FForm->Gadget->FailReading = true;
    auto *later = new TLabel(FForm.get(), FForm.get());
    later->SetName("LabelAfterGadget");
    later->SetCaption("Written after the gadget");
    FChanger->SaveProperties(FForm.get(), {skStringProperties});

    const TLangFile file = Template();
    QVERIFY(file.KeyExists("Translations", "FormLangTest.ButtonSave.Caption"));
    QVERIFY(file.KeyExists("Translations", "FormLangTest.Gadget.Caption"));
    QVERIFY(!file.KeyExists("Translations", "FormLangTest.Gadget.Fragile"));
    QCOMPARE(file.ReadString("Translations", "FormLangTest.Gadget.Hint", ""), QString("After the failure"));
    QCOMPARE(file.ReadString("Translations", "FormLangTest.LabelAfterGadget.Caption", ""),
             QString("Written after the gadget"));
}

void TestTemplateWriter::barcodeWritesOnlyWhatCanBeSet_data()
{
    QTest::addColumn<QString>("inputText");
    QTest::newRow("data the symbol takes") << "12345678";
    // Every reading that renders fails for these.
    QTest::newRow("data the symbol refuses") << "letters in an EAN";
}

// The barcode component's read-only properties have nothing to translate, and reading them
// renders, which fails for bad data (and XDimension fails on engines without a default size):
// the template holds the settable ones and the walk goes on past the component.
void TestTemplateWriter::barcodeWritesOnlyWhatCanBeSet()
{
    QFETCH(QString, inputText);
    auto *barcode = new TBarcode(FForm.get());
    barcode->SetName("Barcode");
    barcode->SetSymbology(syEAN);
    barcode->SetInputText(inputText);
    auto *later = new TLabel(FForm.get(), FForm.get());
    later->SetName("LabelAfterBarcode");
    later->SetCaption("Written after the barcode");
    FChanger->SaveProperties(FForm.get(), {skStringProperties, skIntegerProperties, skFloatProperties});

    const TLangFile file = Template();
    for (const char *readOnly : {"BarcodeName", "Bitmap", "Capabilities", "OutputText", "RowCount",
                                 "Version", "Width", "XDimension"})
        QVERIFY2(!file.KeyExists("Translations", QString("FormLangTest.Barcode.") + readOnly), readOnly);
    QCOMPARE(file.ReadString("Translations", "FormLangTest.Barcode.InputText", ""), inputText);
    QVERIFY(file.KeyExists("Translations", "FormLangTest.Barcode.BorderWidth"));
    QVERIFY(file.KeyExists("Translations", "FormLangTest.Barcode.Height"));
    QCOMPARE(file.ReadString("Translations", "FormLangTest.LabelAfterBarcode.Caption", ""),
             QString("Written after the barcode"));
}

QTEST_MAIN(TestTemplateWriter)
#include "TestTemplateWriter.moc"
