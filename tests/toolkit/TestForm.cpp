#include "toolkit/ComCtrls.h"
#include "toolkit/Component.h"
#include "toolkit/Dialogs.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Form.h"
#include "toolkit/ImgList.h"
#include "toolkit/Properties.h"
#include "toolkit/StdCtrls.h"

#include <QtTest>

class TFormSample final : public TForm
{
    Q_OBJECT

public:
    explicit TFormSample(QObject *AOwner) : TForm(AOwner)
    {
        setObjectName("FormSample");
        SetClientWidth(400);
        SetClientHeight(300);
        // Created in design order, while the controls sit in nested containers.
        PanelTop = new TPanel(this, this);
        PanelTop->SetName("PanelTop");
        PanelBottom = new TPanel(this, this);
        PanelBottom->SetName("PanelBottom");
        PanelBottom->SetHeight(100);
        PanelBottom->SetAlign(alBottom);
        PanelTop->SetAlign(alClient);
        LabelOne = new TLabel(this, PanelBottom);
        LabelOne->SetName("LabelOne");
        Image = new TImage(this, PanelTop);
        Image->SetName("Image");
        ButtonOK = new TButton(this, PanelBottom);
        ButtonOK->SetName("ButtonOK");
        ButtonOK->SetModalResult(mrOk);
        Dialog = new TOpenDialog(this);
        Dialog->SetName("OpenDialog1");
        ButtonCorner = new TButton(this, PanelBottom);
        ButtonCorner->SetName("ButtonCorner");
        ButtonCorner->SetBounds(300, 60, 80, 25);
        ButtonCorner->SetAnchors(TAnchors(akRight | akBottom));
    }

    TPanel *PanelTop;
    TPanel *PanelBottom;
    TLabel *LabelOne;
    TImage *Image;
    TButton *ButtonOK;
    TOpenDialog *Dialog;
    TButton *ButtonCorner;
};

class TestForm final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void OwnedComponentsFollowCreationOrderNotNesting()
    {
        TFormSample form(nullptr);
        QStringList names;
        for (QObject *component : OwnedComponents(&form))
            names.append(component->objectName());
        QCOMPARE(names, QStringList({"PanelTop", "PanelBottom", "LabelOne", "Image", "ButtonOK",
                                     "OpenDialog1", "ButtonCorner"}));
        QCOMPARE(ComponentCount(&form), 7);
        QCOMPARE(FindComponent(&form, "buttonok"), static_cast<QObject *>(form.ButtonOK));
        QCOMPARE(FindComponent(&form, "Nothing"), nullptr);
        QCOMPARE(ComponentOwner(form.LabelOne), static_cast<QObject *>(&form));
        QCOMPARE(form.LabelOne->parentWidget(), static_cast<QWidget *>(form.PanelBottom));
        QCOMPARE(ClassName(&form), QString("TFormSample"));
    }

    void DestroyedComponentLeavesTheList()
    {
        TFormSample form(nullptr);
        delete form.LabelOne;
        QCOMPARE(ComponentCount(&form), 6);
        QCOMPARE(FindComponent(&form, "LabelOne"), nullptr);
    }

    void SampleWindowCanBeWalkedByNameAndKind()
    {
        TFormSample form(nullptr);
        form.ButtonOK->SetCaption("OK");
        form.Dialog->SetTitle("Open");
        QStringList texts;
        for (QObject *component : OwnedComponents(&form))
            for (const TPropInfo &info : GetPropList(component, {pkText}))
                if (!GetStrProp(component, info).isEmpty())
                    texts.append(component->objectName() + "." + info.Name + "=" + GetStrProp(component, info));
        QVERIFY(texts.contains("ButtonOK.Caption=OK"));
        QVERIFY(texts.contains("OpenDialog1.Title=Open"));
        QVERIFY(texts.contains("LabelOne.Name=LabelOne"));
    }

    void WindowOwnedByWindowIsItsComponentAndDiesWithIt()
    {
        auto *main = new TFormSample(nullptr);
        QPointer<TForm> child = new TForm(main);
        child->setObjectName("FormChild");
        QCOMPARE(ComponentOwner(child), static_cast<QObject *>(main));
        QVERIFY(OwnedComponents(main).contains(child.data()));
        QVERIFY(OpenForms().contains(child.data()));
        QCOMPARE(OpenForms().indexOf(main) < OpenForms().indexOf(child.data()), true);
        delete main;
        QVERIFY(child.isNull());
        QVERIFY(OpenForms().isEmpty());
    }

    void DockingAndAnchors()
    {
        TFormSample form(nullptr);
        QCOMPARE(form.PanelBottom->geometry(), QRect(0, 200, 400, 100));
        QCOMPARE(form.PanelTop->geometry(), QRect(0, 0, 400, 200));
        form.SetClientWidth(500);
        form.SetClientHeight(400);
        QCOMPARE(form.PanelBottom->geometry(), QRect(0, 300, 500, 100));
        QCOMPARE(form.PanelTop->geometry(), QRect(0, 0, 500, 300));
        // Anchored to the right and bottom of its panel, which grew by 100 in width only.
        QCOMPARE(form.ButtonCorner->geometry(), QRect(400, 60, 80, 25));
    }

    void ButtonWithModalResultClosesTheModalWindow()
    {
        TFormSample form(nullptr);
        QTimer::singleShot(0, form.ButtonOK, [&form] { form.ButtonOK->Click(); });
        QCOMPARE(form.ShowModal(), mrOk);
        QVERIFY(!form.isVisible());
    }

    void ClosingByTheUserAnswersCancel()
    {
        TFormSample form(nullptr);
        QTimer::singleShot(0, &form, [&form] { form.close(); });
        QCOMPARE(form.ShowModal(), mrCancel);
    }

    void CloseHandlerMayKeepTheWindowOpen()
    {
        TFormSample form(nullptr);
        int closeCalls = 0;
        QObject::connect(&form, &TForm::OnClose, &form, [&closeCalls](QObject *, TCloseAction &action) {
            ++closeCalls;
            if (closeCalls == 1)
                action = caNone;
        });
        form.show();
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        QVERIFY(form.close());
        QVERIFY(!form.isVisible());
        QCOMPARE(closeCalls, 2);
    }

    void ShowEventFiresAtEveryShowing()
    {
        TFormSample form(nullptr);
        int shows = 0;
        QObject::connect(&form, &TForm::OnShow, &form, [&](QObject *sender) {
            QCOMPARE(sender, static_cast<QObject *>(&form));
            ++shows;
        });
        form.show();
        QCOMPARE(shows, 1);
        form.hide();
        form.show();
        QCOMPARE(shows, 2);
    }

    void EscapeClosesOnlyAWindowThatAsks()
    {
        TFormSample form(nullptr);
        int closes = 0;
        QObject::connect(&form, &TForm::OnClose, &form, [&closes](QObject *, TCloseAction &) { ++closes; });
        form.show();
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(form.isVisible());
        form.SetEscapeCloses(true);
        QTest::keyClick(&form, Qt::Key_Escape, Qt::ShiftModifier);
        QVERIFY(form.isVisible());
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QCOMPARE(closes, 1); // as the close button does
    }

    void FirstControlInTabOrderHasTheFocusAtShowing()
    {
        // Created first, last in tab order: Qt's own focus chain would give it the focus.
        TForm form(nullptr);
        auto *top = new TPanel(&form, &form);
        auto *late = new TEdit(&form, top);
        auto *bottom = new TPanel(&form, &form);
        auto *hidden = new TEdit(&form, bottom);
        auto *early = new TEdit(&form, bottom);
        top->SetTabOrder(1);
        bottom->SetTabOrder(0);
        hidden->SetTabOrder(0);
        early->SetTabOrder(1);
        hidden->SetVisible(false);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), early);
        QVERIFY(late->focusPolicy() & Qt::TabFocus);
    }

    void TabKeyFollowsTheTabOrderProperty()
    {
        TForm form(nullptr);
        auto *panel = new TPanel(&form, &form);
        auto *first = new TEdit(&form, &form);
        auto *inner = new TEdit(&form, panel);
        auto *third = new TEdit(&form, &form);
        auto *memo = new TMemo(&form, &form);
        panel->SetTabOrder(3);
        third->SetTabOrder(0);
        first->SetTabOrder(1);
        memo->SetTabOrder(2);
        QCOMPARE(TControl::TabChain(&form), QList<QWidget *>({third, first, memo, inner}));
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        third->setFocus();
        const QList<QWidget *> expected = {first, memo, inner, third};
        for (QWidget *widget : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), widget);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(inner));
    }

    void HiddenControlKeepsItsOwnVisibleFlag()
    {
        TForm form(nullptr);
        auto *box = new TCheckBox(&form, &form);
        QVERIFY(box->Visible());
        box->SetVisible(false);
        form.show();
        QVERIFY(!box->Visible());
        box->SetVisible(true);
        QVERIFY(box->isVisible());
        form.setEnabled(false);
        QVERIFY(box->Enabled());
    }
};

QTEST_MAIN(TestForm)
#include "TestForm.moc"
