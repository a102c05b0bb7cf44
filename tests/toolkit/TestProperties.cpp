#include "toolkit/Exception.h"
#include "toolkit/Form.h"
#include "toolkit/Properties.h"
#include "toolkit/StdCtrls.h"

#include <QtTest>

// Only a class of the program with 64-bit and floating-point properties can show those kinds; the
// controls have none.
class TNumbers final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(qlonglong Big READ Big WRITE SetBig)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
    Q_PROPERTY(float Scale READ Scale WRITE SetScale)
    Q_PROPERTY(int Count READ Count)
    Q_PROPERTY(int lowerCase READ Count)

public:
    qlonglong Big() const { return FBig; }
    void SetBig(qlonglong value) { FBig = value; }
    double Ratio() const { return FRatio; }
    void SetRatio(double value) { FRatio = value; }
    float Scale() const { return FScale; }
    void SetScale(float value) { FScale = value; }
    int Count() const { return 3; }

private:
    qlonglong FBig = 0;
    double FRatio = 0;
    float FScale = 0;
};

class TestProperties final : public QObject
{
    Q_OBJECT

private:
    static QStringList Names(const QList<TPropInfo> &list)
    {
        QStringList names;
        for (const TPropInfo &info : list)
            names.append(info.Name);
        return names;
    }

private Q_SLOTS:
    void ButtonListsItsPublishedPropertiesSortedWithKinds()
    {
        TForm form(nullptr);
        TButton button(&form, &form);
        const QList<TPropInfo> all = GetPropList(&button);
        QCOMPARE(Names(all), QStringList({"Align", "Anchors", "Caption", "Default", "Enabled", "Font",
                                          "Height", "Hint", "ImageIndex", "Images", "Left", "ModalResult",
                                          "Name", "TabOrder", "Top", "Visible", "Width"}));
        QHash<QString, TPropKind> kinds;
        for (const TPropInfo &info : all)
            kinds.insert(info.Name, info.Kind);
        QCOMPARE(kinds.value("Caption"), pkText);
        QCOMPARE(kinds.value("Name"), pkText);
        QCOMPARE(kinds.value("Left"), pkInteger);
        QCOMPARE(kinds.value("ModalResult"), pkInteger);
        QCOMPARE(kinds.value("Font"), pkObject);
        QCOMPARE(kinds.value("Images"), pkObject);
        QCOMPARE(kinds.value("Visible"), pkOther);
        QCOMPARE(kinds.value("Align"), pkOther);
        QCOMPARE(kinds.value("Anchors"), pkOther);
    }

    void KindFilterSelectsOnlyThoseKinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("text") << int(pkText) << QStringList({"Caption", "Hint", "Name"});
        QTest::newRow("object") << int(pkObject) << QStringList({"Font", "Images"});
        QTest::newRow("other") << int(pkOther) << QStringList({"Align", "Anchors", "Default", "Enabled", "Visible"});
    }

    void KindFilterSelectsOnlyThoseKinds()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, names);
        TForm form(nullptr);
        TButton button(&form, &form);
        QCOMPARE(Names(GetPropList(&button, {TPropKind(kind)})), names);
    }

    void FontListsItsPropertiesAndNoQtOnes()
    {
        TFont font;
        QCOMPARE(Names(GetPropList(&font)), QStringList({"Color", "Height", "Name", "Size", "Style"}));
        QCOMPARE(FindPropInfo(&font, "Color").Kind, pkInteger);
        QCOMPARE(FindPropInfo(&font, "Style").Kind, pkOther);
        QVERIFY(!FindPropInfo(&font, "objectName").IsValid());
    }

    void StringListHasNoPublishedProperties()
    {
        TStringList list;
        QVERIFY(GetPropList(&list).isEmpty());
    }

    void NamesSortLettersWithoutCaseAndPrefixFirst_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("less");
        QTest::newRow("prefix before longer") << "Tab" << "TabOrder" << true;
        QTest::newRow("longer after prefix") << "TabOrder" << "Tab" << false;
        QTest::newRow("case ignored") << "abc" << "ABD" << true;
        QTest::newRow("case ignored reverse") << "ABD" << "abc" << false;
        QTest::newRow("equal without case") << "Name" << "NAME" << false;
        QTest::newRow("underscore after letters") << "A_b" << "AZ" << false;
    }

    void NamesSortLettersWithoutCaseAndPrefixFirst()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, less);
        QCOMPARE(PropNameLess(a, b), less);
    }

    void LookupIgnoresCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("found");
        QTest::newRow("exact") << "Caption" << "Caption";
        QTest::newRow("lower") << "caption" << "Caption";
        QTest::newRow("upper") << "TABORDER" << "TabOrder";
        QTest::newRow("Qt's own property is not published") << "objectName" << "";
        QTest::newRow("absent") << "Captions" << "";
        QTest::newRow("empty") << "" << "";
    }

    void LookupIgnoresCase()
    {
        QFETCH(QString, name);
        QFETCH(QString, found);
        TForm form(nullptr);
        TButton button(&form, &form);
        const TPropInfo info = FindPropInfo(&button, name);
        QCOMPARE(info.IsValid(), !found.isEmpty());
        QCOMPARE(info.Name, found);
    }

    void WritesEachKind()
    {
        TForm form(nullptr);
        TButton button(&form, &form);
        SetStrProp(&button, "caption", "Save As ...");
        QCOMPARE(button.text(), QString("Save As ..."));
        QCOMPARE(GetStrProp(&button, "Caption"), QString("Save As ..."));
        SetOrdProp(&button, "Width", 123);
        QCOMPARE(button.width(), 123);
        QCOMPARE(GetOrdProp(&button, "width"), 123);

        TNumbers numbers;
        SetOrdProp(&numbers, "Big", Q_INT64_C(0x123456789A));
        QCOMPARE(numbers.Big(), Q_INT64_C(0x123456789A));
        QCOMPARE(FindPropInfo(&numbers, "Big").Kind, pkInt64);
        SetFloatProp(&numbers, "Ratio", 1.5);
        QCOMPARE(numbers.Ratio(), 1.5);
        SetFloatProp(&numbers, "scale", 2.6);
        QCOMPARE(numbers.Scale(), 2.6f);
        QCOMPARE(FindPropInfo(&numbers, "Scale").Kind, pkFloat);
        QCOMPARE(GetObjectProp(&button, "Font"), static_cast<QObject *>(button.Font()));
    }

    void RefusedWritesRaise_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<qint64>("value");
        QTest::newRow("beyond 32 bits") << "Width" << Q_INT64_C(0x100000000);
        QTest::newRow("read-only") << "Count" << Q_INT64_C(1);
        QTest::newRow("absent") << "Nothing" << Q_INT64_C(1);
        QTest::newRow("text property") << "Caption" << Q_INT64_C(1);
    }

    void RefusedWritesRaise()
    {
        QFETCH(QString, property);
        QFETCH(qint64, value);
        TForm form(nullptr);
        TButton button(&form, &form);
        TNumbers numbers;
        QObject *target = property == "Count" ? static_cast<QObject *>(&numbers) : &button;
        const int width = button.width();
        QVERIFY_THROWS_EXCEPTION(EInvalidOperation, SetOrdProp(target, property, value));
        QCOMPARE(button.width(), width);
    }

    void ListPropertiesTakeTheLines_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("combo box Items") << "combo";
        QTest::newRow("list box Items") << "list";
        QTest::newRow("memo Lines") << "memo";
    }

    void ListPropertiesTakeTheLines()
    {
        QFETCH(QString, control);
        TForm form(nullptr);
        TComboBox combo(&form, &form);
        TListBox list(&form, &form);
        TMemo memo(&form, &form);
        combo.Items()->SetStrings({"old"});
        const QStringList lines = {"0 degree", "", "180 degree", "270 degree"};
        QObject *target = control == "combo" ? static_cast<QObject *>(&combo)
                        : control == "list"  ? static_cast<QObject *>(&list)
                                             : static_cast<QObject *>(&memo);
        AssignLines(target, control == "memo" ? "lines" : "items", lines);
        if (control == "combo") {
            QCOMPARE(combo.count(), 4);
            QCOMPARE(combo.itemText(2), QString("180 degree"));
            QCOMPARE(combo.itemText(1), QString());
        } else if (control == "list") {
            QCOMPARE(list.count(), 4);
            QCOMPARE(list.item(3)->text(), QString("270 degree"));
        } else {
            QCOMPARE(memo.toPlainText(), QString("0 degree\n\n180 degree\n270 degree"));
        }
        auto *strings = qobject_cast<TStrings *>(GetObjectProp(target, control == "memo" ? "Lines" : "Items"));
        QVERIFY(strings != nullptr);
        QCOMPARE(strings->ToStringList(), lines);
    }

    void FontRefusesLines()
    {
        TForm form(nullptr);
        TButton button(&form, &form);
        button.Font()->SetSize(13);
        try {
            AssignLines(&button, "Font", {"a", "b"});
            QFAIL("no error raised");
        } catch (const EInvalidOperation &error) {
            QCOMPARE(error.Message(), QString("Cannot assign a TStringList to a TFont"));
        }
        QCOMPARE(button.Font()->Size(), 13);
    }

    void PropertyWithoutObjectTakesNoLines()
    {
        TForm form(nullptr);
        TButton button(&form, &form);
        QCOMPARE(GetObjectProp(&button, "Images"), nullptr);
        AssignLines(&button, "Images", {"a"});
        QCOMPARE(GetObjectProp(&button, "Images"), nullptr);
    }

    void ClassNamesAndMembership()
    {
        TForm form(nullptr);
        TButton button(&form, &form);
        QCOMPARE(ClassName(&form), QString("TForm"));
        QCOMPARE(ClassName(&button), QString("TButton"));
        QVERIFY(InheritsFrom(&button, "TButton"));
        QVERIFY(InheritsFrom(&button, "QWidget"));
        QVERIFY(!InheritsFrom(&button, "TMenuItem"));
        QVERIFY(InheritsFrom(&button, QString("QAbstractButton")));
        QVERIFY(!InheritsFrom(&button, QString("TWebBrowser")));
        QVERIFY(!InheritsFrom(nullptr, "TButton"));
    }

    void NamesAreValidatedOnWrite_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        QTest::newRow("blank inside") << "Save As" << "'Save As' is not a valid component name";
        QTest::newRow("starts with digit") << "1Button" << "'1Button' is not a valid component name";
        QTest::newRow("taken, other case") << "buttonsave" << "A component named buttonsave already exists";
        QTest::newRow("valid") << "Button_2" << "";
    }

    void NamesAreValidatedOnWrite()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);
        TForm form(nullptr);
        TButton save(&form, &form);
        save.SetName("ButtonSave");
        TButton other(&form, &form);
        other.SetName("Other");
        try {
            SetStrProp(&other, "Name", name);
            QVERIFY(error.isEmpty());
            QCOMPARE(other.objectName(), name);
        } catch (const EInvalidOperation &e) {
            QCOMPARE(e.Message(), error);
            QCOMPARE(other.objectName(), QString("Other"));
        }
    }
};

QTEST_MAIN(TestProperties)
#include "TestProperties.moc"
