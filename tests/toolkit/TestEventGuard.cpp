#include "support/TestPresenters.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/EventGuard.h"
#include "toolkit/Exception.h"
#include "toolkit/Form.h"
#include "toolkit/MessageBox.h"
#include "toolkit/StdCtrls.h"

#include <QtTest>
#include <memory>
#include <stdexcept>

class TFormThrowing final : public TForm
{
    Q_OBJECT

public:
    explicit TFormThrowing(QObject *AOwner) : TForm(AOwner)
    {
        ButtonFail = new TButton(this, this);
        ConnectGuarded(ButtonFail, &TButton::OnClick, this, &TFormThrowing::ButtonFailClick);
        CheckBox = new TCheckBox(this, this);
        ConnectGuarded(CheckBox, &TCheckBox::OnClick, this, &TFormThrowing::CheckBoxClick);
        UpDown = new TUpDown(this, this);
        ConnectGuarded(UpDown, &TUpDown::OnChangingEx, this, &TFormThrowing::UpDownChangingEx);
    }

    // Refuses every step above 5: the flag must reach the spin through the guard.
    void UpDownChangingEx(QObject *, bool &AllowChange, short NewValue, TUpDownDirection)
    {
        if (NewValue > 5)
            AllowChange = false;
    }

    void ButtonFailClick(QObject *Sender)
    {
        LastSender = Sender;
        ++Clicks;
        throw EInvalidOperation("Symbology not found");
    }

    void CheckBoxClick()
    {
        ++CheckClicks;
    }

    TButton *ButtonFail;
    TCheckBox *CheckBox;
    TUpDown *UpDown;
    QObject *LastSender = nullptr;
    int Clicks = 0;
    int CheckClicks = 0;
};

class TestEventGuard final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        FMessages = std::make_unique<TRecordingMessages>();
        SetApplicationTitle("Quorvel (QR code) Generator 1.24.8.15");
    }

    void cleanup() { FMessages.reset(); }

    void ErrorDisplayAppendsFullStopByLastCharacter_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Symbology not found" << "Symbology not found.";
        QTest::newRow("full stop (46)") << "Done." << "Done.";
        QTest::newRow("minus (45)") << "Range 1-" << "Range 1-";
        QTest::newRow("comma (44)") << "a," << "a,";
        QTest::newRow("blank (32)") << "trailing " << "trailing ";
        QTest::newRow("exclamation (33)") << "Error saving settings!" << "Error saving settings!";
        QTest::newRow("slash (47)") << "C:/" << "C:/.";
        QTest::newRow("digit") << "Error 12" << "Error 12.";
        QTest::newRow("question mark (63)") << "Why?" << "Why?.";
        QTest::newRow("non-ASCII") << QString::fromUtf8("Fehler \u00e4") << QString::fromUtf8("Fehler \u00e4.");
        QTest::newRow("empty") << "" << "";
    }

    void ErrorDisplayAppendsFullStopByLastCharacter()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        RunGuarded([&] { throw Exception(message); });
        QCOMPARE(FMessages->Requests.size(), 1);
        const TMessageBoxRequest &box = FMessages->Requests.first();
        QCOMPARE(box.Text, shown);
        QCOMPARE(box.Caption, QString("Quorvel (QR code) Generator 1.24.8.15"));
        QCOMPARE(box.Type, mtError);
        QCOMPARE(box.Buttons, mbOK);
    }

    void ForeignExceptionsShowAnEmptyMessage_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("std::runtime_error") << 0;
        QTest::newRow("int") << 1;
        QTest::newRow("std::bad_alloc") << 2;
    }

    void ForeignExceptionsShowAnEmptyMessage()
    {
        QFETCH(int, which);
        RunGuarded([which] {
            if (which == 0)
                throw std::runtime_error("not shown");
            if (which == 1)
                throw 42;
            throw std::bad_alloc();
        });
        QCOMPARE(FMessages->Requests.size(), 1);
        QCOMPARE(FMessages->Requests.first().Text, QString());
        QCOMPARE(FMessages->Requests.first().Type, mtError);
    }

    void NothingShownWithoutError()
    {
        bool ran = false;
        RunGuarded([&ran] { ran = true; });
        QVERIFY(ran);
        QVERIFY(FMessages->Requests.isEmpty());
    }

    void HandlerErrorShowsOneBoxAndTheEventLoopGoesOn()
    {
        TFormThrowing form(nullptr);
        form.show();
        // Clicks delivered by the event loop; the loop must survive the first to deliver the second.
        QTimer::singleShot(0, form.ButtonFail, [&form] { QTest::mouseClick(form.ButtonFail, Qt::LeftButton); });
        QTimer::singleShot(5, form.ButtonFail, [&form] { QTest::mouseClick(form.ButtonFail, Qt::LeftButton); });
        QTRY_COMPARE(form.Clicks, 2);
        QCOMPARE(FMessages->Requests.size(), 2);
        QCOMPARE(FMessages->Requests.at(0).Text, QString("Symbology not found."));
        QCOMPARE(form.LastSender, static_cast<QObject *>(form.ButtonFail));
    }

    void HandlerWithoutArgumentsIsCalled()
    {
        TFormThrowing form(nullptr);
        form.CheckBox->SetChecked(true);
        QCOMPARE(form.CheckClicks, 1);
        form.CheckBox->SetChecked(true);
        QCOMPARE(form.CheckClicks, 1);
        form.CheckBox->SetChecked(false);
        QCOMPARE(form.CheckClicks, 2);
        QVERIFY(FMessages->Requests.isEmpty());
    }

    void GuardedHandlerChangesReferenceArguments()
    {
        TFormThrowing form(nullptr);
        form.UpDown->SetPosition(5);
        form.UpDown->StepUp();
        QCOMPARE(form.UpDown->Position(), 5);
        form.UpDown->SetPosition(9);
        QCOMPARE(form.UpDown->Position(), 5);
        form.UpDown->StepDown();
        QCOMPARE(form.UpDown->Position(), 4);
    }

    void PlainAndQuestionBoxes()
    {
        ShowMessage("Output folder does not exist !");
        QCOMPARE(FMessages->Requests.size(), 1);
        QCOMPARE(FMessages->Requests.at(0).Text, QString("Output folder does not exist !"));
        QCOMPARE(FMessages->Requests.at(0).Type, mtCustom);
        QCOMPARE(FMessages->Requests.at(0).Buttons, mbOK);
        QCOMPARE(FMessages->Requests.at(0).Caption, ApplicationTitle());

        FMessages->Answer = mrYes;
        QVERIFY(MessageDlgYesNo("Overwrite?"));
        FMessages->Answer = mrNo;
        QVERIFY(!MessageDlgYesNo("Overwrite?"));
        QCOMPARE(FMessages->Requests.at(1).Buttons, mbYesNo);
        QCOMPARE(FMessages->Requests.at(1).Type, mtConfirmation);
        QCOMPARE(FMessages->Requests.at(1).DefaultButton, mrYes);
    }

    void EnterAnswersTheDefaultButton_data()
    {
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes by default") << int(mrYes) << true;
        QTest::newRow("No by default") << int(mrNo) << false;
    }

    void EnterAnswersTheDefaultButton()
    {
        QFETCH(int, defaultButton);
        QFETCH(bool, yes);
        FMessages.reset(); // the real box
        QString seen;
        PressKeyOnNextMessageBox(Qt::Key_Return, &seen);
        QCOMPARE(MessageDlgYesNo("Overwrite them?", defaultButton), yes);
        QCOMPARE(seen, QStringLiteral("Overwrite them?"));
    }

private:
    std::unique_ptr<TRecordingMessages> FMessages;
};

QTEST_MAIN(TestEventGuard)
#include "TestEventGuard.moc"
