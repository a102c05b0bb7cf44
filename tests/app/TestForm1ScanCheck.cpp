#include "Form1Fixture.h"

#include "app/ScanVerdictView.h"
#include "barcode/Barcode.h"
#include "toolkit/ColorBox.h"
#include "toolkit/ExtCtrls.h"
#include "verify/ScanText.h"
#include "verify/ScanWorker.h"

#include <QSignalSpy>

// The verdict beside the preview in the real window, with the real engine and reader.
class TestForm1ScanCheck : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTestEnvironment> FEnvironment;
    std::unique_ptr<TForm1> FForm;

    static QString Untranslated(const QString &text) { return text; }
    static QString Said(TScanOutcome outcome)
    {
        return ScanVerdictText(TScanVerdict{outcome, {}, {}}, &Untranslated);
    }
    QString Shown() const { return FForm->ScanVerdict->LabelScanVerdict->text(); }

private slots:
    void init()
    {
        FEnvironment = std::make_unique<TTestEnvironment>();
        FForm.reset(CreateForm1());
        FForm->Show();
        QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    }

    void cleanup()
    {
        FForm.reset();
        FEnvironment.reset();
    }

    void VerdictFollowsTheSymbol()
    {
        QTRY_COMPARE(Shown(), Said(TScanOutcome::ReadsBack));
        QCOMPARE(FForm->ScanVerdict->LabelScanVerdict->accessibleName(), Shown());
        PickItem(FForm->ComboBoxSymbology, QStringLiteral("Code 11"));
        QTRY_COMPARE(Shown(), Said(TScanOutcome::NoReader));
        // Switched off: nothing is claimed.
        FForm->ScanVerdict->CheckBoxScanCheck->click();
        QTRY_COMPARE(Shown(), QString());
    }

    void VerdictIsReachedByKeyboard()
    {
        FForm->Image->setFocus();
        QWidget *reached = nullptr;
        for (int i = 0; i < 4 && reached != FForm->ScanVerdict->LabelScanVerdict; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached = QApplication::focusWidget();
        }
        QCOMPARE(reached, FForm->ScanVerdict->LabelScanVerdict);
    }

    void WarningNamesItsFigure()
    {
        FForm->ColorBoxForeColor->SetSelectedColor(RGBToColor(220, 220, 220));
        Q_EMIT FForm->ColorBoxForeColor->OnChange(FForm->ColorBoxForeColor);
        TScanRequest request = ScanRequestOf(*FForm->Barcode);
        const TScanVerdict verdict = CheckPicture(FForm->Barcode->Bitmap(), request);
        QVERIFY(!verdict.Warnings.isEmpty());
        const QString expected = ScanWarningText(verdict.Warnings.front(), &Untranslated);
        QTRY_VERIFY(FForm->ScanVerdict->LabelScanWarnings->text().contains(expected));
        QVERIFY(FForm->ScanVerdict->LabelScanWarnings->isVisible());
    }

    // Pictures handed in one after another: only the last one's verdict arrives.
    void StaleVerdictsAreDropped()
    {
        TScanWorker worker;
        QSignalSpy spy(&worker, &TScanWorker::Checked);
        const QImage readable = FForm->Barcode->Bitmap();
        QImage blank(readable.size(), QImage::Format_RGB32);
        blank.fill(Qt::white);
        const TScanRequest request = ScanRequestOf(*FForm->Barcode);
        for (int i = 0; i < 20; ++i)
            worker.Submit(readable, request);
        const quint64 last = worker.Submit(blank, request);
        QTRY_VERIFY(!spy.isEmpty());
        QTest::qWait(200);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.front().at(0).value<quint64>(), last);
        QCOMPARE(spy.front().at(1).value<TScanVerdict>().Outcome, TScanOutcome::DoesNotRead);
    }
};

QTEST_MAIN(TestForm1ScanCheck)
#include "TestForm1ScanCheck.moc"
