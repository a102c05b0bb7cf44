#include "toolkit/ComCtrls.h"
#include "toolkit/Form.h"
#include "toolkit/StdCtrls.h"

#include <QtTest>

struct TRequest
{
    int NewValue;
    TUpDownDirection Direction;
};

class TestUpDown final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void AttachedSpinTakesOnlyWholeNumbersInRange_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::newRow("whole number") << "en_US" << "42" << 42;
        QTest::newRow("blanks around") << "en_US" << " 42 " << 42;
        QTest::newRow("letters") << "en_US" << "abc" << 8;
        QTest::newRow("digits then letters") << "en_US" << "12a" << 8;
        QTest::newRow("fraction") << "en_US" << "2.5" << 8;
        QTest::newRow("above range") << "en_US" << "2001" << 8;
        QTest::newRow("below range") << "en_US" << "-1" << 8;
        QTest::newRow("empty") << "en_US" << "" << 8;
        QTest::newRow("upper end") << "en_US" << "2000" << 2000;
        QTest::newRow("thousands separator") << "en_US" << "1,000" << 1000;
        QTest::newRow("German thousands separator") << "de_DE" << "1.500" << 1500;
        QTest::newRow("German decimal comma") << "de_DE" << "1,5" << 8;
    }

    void AttachedSpinTakesOnlyWholeNumbersInRange()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(int, position);
        QLocale::setDefault(QLocale(locale));
        TForm form(nullptr);
        auto *edit = new TEdit(&form, &form);
        auto *spin = new TUpDown(&form, &form);
        spin->SetMin(0);
        spin->SetMax(2000);
        spin->SetAssociate(edit);
        spin->SetPosition(8);
        QCOMPARE(edit->Text(), QString("8"));
        int changes = 0;
        int positionSeen = -1;
        QObject::connect(edit, &TEdit::OnChange, &form, [&] {
            ++changes;
            positionSeen = spin->Position();
        });
        edit->SetText(text);
        QCOMPARE(spin->Position(), position);
        // The edit's change still fires, and sees the spin's position already settled.
        QCOMPARE(changes, text == "8" ? 0 : 1);
        QCOMPARE(positionSeen, position);
        QCOMPARE(edit->Text(), text);
    }

    void StepShowsThousandsSeparators_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("thousands");
        QTest::addColumn<QString>("shown");
        QTest::newRow("English") << "en_US" << true << "1,000";
        QTest::newRow("German") << "de_DE" << true << "1.000";
        QTest::newRow("without separators") << "en_US" << false << "1000";
    }

    void StepShowsThousandsSeparators()
    {
        QFETCH(QString, locale);
        QFETCH(bool, thousands);
        QFETCH(QString, shown);
        QLocale::setDefault(QLocale(locale));
        TForm form(nullptr);
        auto *edit = new TEdit(&form, &form);
        auto *spin = new TUpDown(&form, &form);
        spin->SetMax(2000);
        spin->SetThousands(thousands);
        spin->SetAssociate(edit);
        edit->SetText("999");
        spin->StepUp();
        QCOMPARE(spin->Position(), 1000);
        QCOMPARE(edit->Text(), shown);
        // The shown text reads back as the same position.
        spin->StepDown();
        spin->StepUp();
        QCOMPARE(spin->Position(), 1000);
    }

    void InvalidTextKeepsPositionAndStepsFromIt()
    {
        TForm form(nullptr);
        auto *edit = new TEdit(&form, &form);
        auto *spin = new TUpDown(&form, &form);
        spin->SetAssociate(edit);
        spin->SetPosition(10);
        edit->SetText("150");
        QCOMPARE(spin->Position(), 10);
        spin->StepUp();
        QCOMPARE(spin->Position(), 11);
        QCOMPARE(edit->Text(), QString("11"));
    }

    void ArrowKeysInTheEditStepTheSpin()
    {
        TForm form(nullptr);
        auto *edit = new TEdit(&form, &form);
        auto *spin = new TUpDown(&form, &form);
        spin->SetMax(100);
        spin->SetAssociate(edit);
        spin->SetPosition(50);
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(spin->Position(), 51);
        QCOMPARE(edit->Text(), QString("51"));
        QTest::keyClick(edit, Qt::Key_Down);
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(spin->Position(), 49);
    }

    void ProgramPositionFiresTheEditChangeEvenWhenTextStays()
    {
        TForm form(nullptr);
        auto *edit = new TEdit(&form, &form);
        auto *spin = new TUpDown(&form, &form);
        spin->SetAssociate(edit);
        spin->SetPosition(5);
        int changes = 0;
        QObject::connect(edit, &TEdit::OnChange, &form, [&changes] { ++changes; });
        spin->SetPosition(5);
        QCOMPARE(changes, 1);
        spin->SetPosition(500);
        QCOMPARE(edit->Text(), QString("100"));
        QCOMPARE(changes, 2);
    }

    void FreeSpinReportsRequestedPosition_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("reported");
        QTest::addColumn<int>("direction");
        QTest::newRow("up") << 25 << "up" << 26 << int(updUp);
        QTest::newRow("down") << 25 << "down" << 24 << int(updDown);
        QTest::newRow("program sets 7") << 25 << "set 7" << 7 << int(updNone);
        QTest::newRow("program sets beyond range") << 25 << "set 250" << 100 << int(updNone);
        QTest::newRow("program sets below range") << 25 << "set -3" << 0 << int(updNone);
        QTest::newRow("up at the end asks nothing") << 100 << "up" << -1 << -1;
        QTest::newRow("down at zero asks nothing") << 0 << "down" << -1 << -1;
    }

    void FreeSpinReportsRequestedPosition()
    {
        QFETCH(int, start);
        QFETCH(QString, action);
        QFETCH(int, reported);
        QFETCH(int, direction);
        TForm form(nullptr);
        auto *spin = new TUpDown(&form, &form);
        spin->SetMax(100);
        spin->SetPosition(start);
        QList<TRequest> requests;
        QObject *sender = nullptr;
        QObject::connect(spin, &TUpDown::OnChangingEx, &form,
                         [&](QObject *Sender, bool &AllowChange, short NewValue, TUpDownDirection Direction) {
                             QVERIFY(AllowChange);
                             sender = Sender;
                             requests.append({NewValue, Direction});
                         });
        if (action == "up")
            spin->StepUp();
        else if (action == "down")
            spin->StepDown();
        else
            spin->SetPosition(action.mid(4).toInt());
        if (reported < 0) {
            QVERIFY(requests.isEmpty());
            QCOMPARE(spin->Position(), start);
            return;
        }
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.first().NewValue, reported);
        QCOMPARE(int(requests.first().Direction), direction);
        QCOMPARE(sender, static_cast<QObject *>(spin));
        QCOMPARE(spin->Position(), reported);
    }

    void RefusedRequestKeepsPosition()
    {
        TForm form(nullptr);
        auto *edit = new TEdit(&form, &form);
        auto *spin = new TUpDown(&form, &form);
        spin->SetAssociate(edit);
        spin->SetPosition(3);
        QObject::connect(spin, &TUpDown::OnChangingEx, &form,
                         [](QObject *, bool &AllowChange, short, TUpDownDirection) { AllowChange = false; });
        spin->StepUp();
        spin->SetPosition(9);
        QCOMPARE(spin->Position(), 3);
        QCOMPARE(edit->Text(), QString("3"));
    }

    void ArrowButtonClickSteps()
    {
        TForm form(nullptr);
        auto *spin = new TUpDown(&form, &form);
        spin->SetBounds(0, 0, 17, 24);
        form.show();
        QList<int> requested;
        QObject::connect(spin, &TUpDown::OnChangingEx, &form,
                         [&](QObject *, bool &, short NewValue, TUpDownDirection) { requested.append(NewValue); });
        QWidget *up = spin->childAt(8, 4);
        QWidget *down = spin->childAt(8, 20);
        QVERIFY(up != nullptr && down != nullptr && up != down);
        QTest::mouseClick(up, Qt::LeftButton);
        QTest::mouseClick(down, Qt::LeftButton);
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(requested, QList<int>({1, 0}));
    }
};

QTEST_MAIN(TestUpDown)
#include "TestUpDown.moc"
