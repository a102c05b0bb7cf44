#include "Form1Fixture.h"

#include "barcode/Barcode.h"
#include "batch/FormBatchGenerator.h"
#include "batch/LabelSheetDialog.h"
#include "toolkit/ExtCtrls.h"

#include <QSpinBox>

// The main window's transparent background and its label sheet.
class TestForm1Labels : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTestEnvironment> FEnvironment;
    std::unique_ptr<TForm1> FForm;

private slots:
    void init()
    {
        FEnvironment = std::make_unique<TTestEnvironment>();
        FForm.reset(CreateForm1());
        FForm->Show();
    }

    void cleanup()
    {
        FForm.reset();
        FEnvironment.reset();
    }

    // The box reaches the component and the preview; a chosen format that cannot keep the
    // background says so, one that can does not.
    void TransparentBackground_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("noted");
        QTest::newRow("BMP") << "BMP" << true;
        QTest::newRow("EPS") << "EPS" << true;
        QTest::newRow("PNG") << "PNG" << false;
        QTest::newRow("SVG") << "SVG" << false;
        QTest::newRow("PDF") << "PDF" << false;
    }

    void TransparentBackground()
    {
        QFETCH(QString, format);
        QFETCH(bool, noted);
        PickItem(FForm->ComboBoxExt, format);
        QCOMPARE(FForm->StatusBar->SimpleText(), QString());
        QVERIFY(!FForm->CheckBoxTransparent->Hint().isEmpty());
        FForm->CheckBoxTransparent->click();
        QVERIFY(FForm->Barcode->TransparentBack());
        QVERIFY(FForm->Image->Picture().hasAlphaChannel());
        QCOMPARE(qAlpha(FForm->Image->Picture().pixel(0, 0)), 0);
        QCOMPARE(FForm->StatusBar->SimpleText().contains(format), noted);
        // Picking the format after the box says it just as well.
        PickItem(FForm->ComboBoxExt, QStringLiteral("TXT"));
        QVERIFY(!FForm->StatusBar->SimpleText().isEmpty());
        PickItem(FForm->ComboBoxExt, format);
        QCOMPARE(FForm->StatusBar->SimpleText().contains(format), noted);
        FForm->CheckBoxTransparent->click();
        QCOMPARE(FForm->StatusBar->SimpleText(), QString());
        QCOMPARE(qAlpha(FForm->Image->Picture().pixel(0, 0)), 255);
    }

    // The window's symbol fills one page of labels from the start position on.
    void LabelSheetFillsAPage()
    {
        int labels = -1;
        QString shownText;
        SetBatchDialogPresenterForTests([&](QDialog &shown) {
            auto &dialog = static_cast<TLabelSheetDialog &>(shown);
            dialog.EditStart->setValue(4);
            labels = dialog.LabelCount();
            shownText = dialog.Problem();
            return false;
        });
        FForm->ButtonLabelSheet->Click();
        SetBatchDialogPresenterForTests({});
        QCOMPARE(shownText, QString());
        QCOMPARE(labels, LabelPresets().first().Sheet.LabelsPerPage() - 3);
    }
};

QTEST_MAIN(TestForm1Labels)
#include "TestForm1Labels.moc"
