#include "Form1Fixture.h"

#include "barcode/Barcode.h"
#include "toolkit/ColorBox.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/DisabledReason.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/InputLimits.h"

#include <QClipboard>

// The option panel of the real main window with the real engine: start values, handlers, the
// number fields and the preview.
class TestForm1Options : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTestEnvironment> FEnvironment;
    std::unique_ptr<TForm1> FForm;

    // What the engine says about `data` in `symbology`, asked without the window.
    static QString EngineMessage(const QString &symbology, const QString &data)
    {
        TBarcode barcode(nullptr);
        barcode.SetSymbologyName(symbology);
        barcode.SetInputText(data);
        try {
            barcode.Bitmap();
        } catch (const Exception &error) {
            return error.Message();
        }
        return QString();
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale::c());
        FEnvironment = std::make_unique<TTestEnvironment>();
        FForm.reset(CreateForm1());
        FForm->Show();
        QVERIFY(FForm->ControlsReady());
    }

    void cleanup()
    {
        FForm.reset();
        FEnvironment.reset();
        QLocale::setDefault(QLocale::c());
    }

    void StartValues()
    {
        TForm1 &f = *FForm;
        QCOMPARE(f.ComboBoxSymbology->Text(), QStringLiteral("QR Code"));
        QCOMPARE(f.MemoInputText->Text(), QStringLiteral("123456"));
        QCOMPARE(f.MemoPrimaryMessage->Text(), QString());
        QCOMPARE(f.EditBorderWidth->Text(), QStringLiteral("8"));
        QCOMPARE(f.EditWhiteSpace->Text(), QStringLiteral("4"));
        QCOMPARE(f.EditHeight->Text(), QStringLiteral("50"));
        QCOMPARE(f.EditScale->Text(), QStringLiteral("1"));
        QCOMPARE(f.UpDownScale->Position(), 10);
        QCOMPARE(f.EditDotSize->Text(), QStringLiteral("0"));
        QCOMPARE(f.UpDownDotSize->Position(), 0);
        QCOMPARE(f.ComboBoxRotation->Text(), QStringLiteral("0 degree"));
        QCOMPARE(f.ColorBoxForeColor->SelectedColor(), clBlack);
        QCOMPARE(f.ColorBoxBackColor->SelectedColor(), clWhite);
        QVERIFY(f.CheckBoxShowText->Checked());
        for (TCheckBox *box : {f.CheckBoxSmallText, f.CheckBoxBoldText, f.CheckBoxBars, f.CheckBoxBox,
                               f.CheckBoxDotty})
            QVERIFY2(!box->Checked(), qPrintable(box->Name()));
        QCOMPARE(f.ComboBoxExt->Text(), QStringLiteral("BMP"));
        QCOMPARE(f.StatusBar->SimpleText(), QString());
        QVERIFY(f.Image->HasPicture());
        QCOMPARE(f.Image->Picture().size(), f.Barcode->Bitmap().size());

        QStringList names;
        for (int i = 0; i < f.ComboBoxSymbology->count(); ++i)
            names.append(f.ComboBoxSymbology->itemText(i));
        QCOMPARE(names.size(), 95);
        QCOMPARE(names.first(), QStringLiteral("2 of 5 Data Logic"));
        QCOMPARE(names.last(), QStringLiteral("Vehicle Identification Number"));
        for (int i = 1; i < names.size(); ++i)
            QVERIFY2(names.at(i - 1).compare(names.at(i), Qt::CaseInsensitive) <= 0, qPrintable(names.at(i)));
        for (TSymbology left : {syUPNQR, syUltracode, syRMQR, syBC412})
            QVERIFY(!names.contains(TBarcode::SymbologyNames(left)));
    }

    void RejectedData_data()
    {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QString>("rejected");
        QTest::addColumn<QString>("accepted");
        QTest::newRow("EAN with letters") << int(syEAN) << "12AB" << "1234567";
        QTest::newRow("Code 11 with letters") << int(syCode11) << "ABC" << "123-45";
        QTest::newRow("POSTNET with letters") << int(syPostNet) << "12x" << "12345";
        QTest::newRow("QR Code too long") << int(syQRCode) << QString(8000, QLatin1Char('x')) << "x";
    }

    void RejectedData()
    {
        QFETCH(int, symbology);
        QFETCH(QString, rejected);
        QFETCH(QString, accepted);
        const QString name = TBarcode::SymbologyNames(TSymbology(symbology));
        PickItem(FForm->ComboBoxSymbology, name);
        FForm->MemoInputText->setPlainText(rejected);

        const QString message = EngineMessage(name, rejected);
        QVERIFY(!message.isEmpty());
        QCOMPARE(FForm->StatusBar->SimpleText(), message);
        QVERIFY(!FForm->Image->HasPicture());

        FForm->MemoInputText->setPlainText(accepted);
        QCOMPARE(FForm->StatusBar->SimpleText(), QString());
        QVERIFY(FForm->Image->HasPicture());
    }

    // Text beyond what any symbology takes is refused before the memo lays it out, whether
    // pasted or set (as a language file sets it); text within the limit reaches the engine.
    void TextBeyondTheLimit_data()
    {
        QTest::addColumn<bool>("paste");
        QTest::addColumn<qsizetype>("length");
        QTest::newRow("pasted, a million digits") << true << qsizetype(1000000);
        QTest::newRow("set, one beyond the limit") << false << MaxDataLength + 1;
        QTest::newRow("pasted, at the limit") << true << MaxDataLength;
    }

    void TextBeyondTheLimit()
    {
        QFETCH(bool, paste);
        QFETCH(qsizetype, length);
        const QString before = FForm->MemoInputText->Text();
        const QString digits(length, QLatin1Char('7'));
        if (paste) {
            QGuiApplication::clipboard()->setText(digits);
            FForm->MemoInputText->setFocus();
            FForm->MemoInputText->selectAll();
            QTest::keyClick(FForm->MemoInputText, Qt::Key_V, Qt::ControlModifier);
        } else {
            FForm->MemoInputText->SetText(digits);
        }
        if (length <= MaxDataLength) {
            QCOMPARE(FForm->MemoInputText->Text().size(), length);
            QCOMPARE(FForm->StatusBar->SimpleText(), EngineMessage(QStringLiteral("QR Code"), digits));
            return;
        }
        QCOMPARE(FForm->MemoInputText->Text(), before);
        QCOMPARE(FForm->Barcode->InputText(), before);
        QVERIFY(FForm->Image->HasPicture());
        QVERIFY2(FForm->StatusBar->SimpleText().contains(QString::number(length)), qPrintable(FForm->StatusBar->SimpleText()));
        // Typing at the limit is refused too.
        FForm->MemoInputText->SetText(QString(MaxDataLength, QLatin1Char('1')));
        FForm->MemoInputText->moveCursor(QTextCursor::End);
        QTest::keyClick(FForm->MemoInputText, Qt::Key_2);
        QCOMPARE(FForm->MemoInputText->Text().size(), MaxDataLength);
    }

    void TenthsFields_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stepped");
        QTest::newRow("point") << "C" << "2.5" << "2.6";
        QTest::newRow("comma") << "de_DE" << "2,5" << "2,6";
    }

    void TenthsFields()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(QString, stepped);
        QLocale::setDefault(QLocale(locale));

        TypeInto(FForm->EditScale, typed);
        QCOMPARE(FForm->Barcode->Scale(), 2.5f);
        QCOMPARE(FForm->UpDownScale->Position(), 25);
        FForm->UpDownScale->StepUp();
        QCOMPARE(FForm->EditScale->Text(), stepped);
        QCOMPARE(FForm->Barcode->Scale(), 2.6f);
        QCOMPARE(FForm->UpDownScale->Position(), 26);

        // The same pair of fields for the dot size.
        TypeInto(FForm->EditDotSize, typed);
        QCOMPARE(FForm->Barcode->DotSize(), 2.5f);
        QCOMPARE(FForm->UpDownDotSize->Position(), 25);
        FForm->UpDownDotSize->StepDown();
        QCOMPARE(FForm->Barcode->DotSize(), 2.4f);
    }

    void LettersInDotSize()
    {
        TypeInto(FForm->EditDotSize, QStringLiteral("0.5"));
        QCOMPARE(FForm->UpDownDotSize->Position(), 5);
        TypeInto(FForm->EditDotSize, QStringLiteral("ab"));
        QCOMPARE(FForm->Barcode->DotSize(), 0.0f);
        QCOMPARE(FForm->UpDownDotSize->Position(), 0);
        QCOMPARE(FForm->EditDotSize->Text(), QStringLiteral("ab"));
        // A number far beyond the spin's range leaves the spin at its end.
        TypeInto(FForm->EditScale, QStringLiteral("1e300"));
        QCOMPARE(FForm->UpDownScale->Position(), 100);
    }

    void BorderKeepsLastValidValue_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("border");
        QTest::newRow("letters") << "ab" << 12;
        QTest::newRow("out of range") << "150" << 12;
        QTest::newRow("fraction") << "3.5" << 12;
        QTest::newRow("empty") << "" << 12;
        QTest::newRow("in range") << "100" << 100;
    }

    void BorderKeepsLastValidValue()
    {
        QFETCH(QString, typed);
        QFETCH(int, border);
        TypeInto(FForm->EditBorderWidth, QStringLiteral("12"));
        QCOMPARE(FForm->Barcode->BorderWidth(), 12);
        // Pasted: one change of the text, so that no valid prefix is seen on the way.
        FForm->EditBorderWidth->setText(typed);
        QCOMPARE(FForm->Barcode->BorderWidth(), border);
        QCOMPARE(FForm->EditBorderWidth->Text(), typed);
    }

    void WhiteSpaceAndHeight()
    {
        TypeInto(FForm->EditWhiteSpace, QStringLiteral("6"));
        QCOMPARE(FForm->Barcode->WhiteSpaceWidth(), 6);
        QCOMPARE(FForm->Barcode->WhiteSpaceHeight(), 6);
        // A step of the height spin shows the thousands separator.
        PickItem(FForm->ComboBoxSymbology, QStringLiteral("Code 128"));
        TypeInto(FForm->EditHeight, QStringLiteral("999"));
        FForm->UpDownHeight->StepUp();
        QCOMPARE(FForm->EditHeight->Text(), QStringLiteral("1,000"));
        QCOMPARE(FForm->Barcode->Height(), 1000.0f);
    }

    void DottyRoundTrip()
    {
        TForm1 &f = *FForm;
        QVERIFY(f.CheckBoxDotty->isEnabled());
        f.CheckBoxDotty->click();
        QVERIFY(InSet(f.Barcode->OutputOptions(), opDotty));

        // A symbology without dots disables the fields and says why; the box keeps its check.
        PickItem(f.ComboBoxSymbology, QStringLiteral("Code 128"));
        for (QWidget *w : QList<QWidget *>{f.CheckBoxDotty, f.LabelDotSize, f.EditDotSize, f.UpDownDotSize}) {
            QVERIFY2(!w->isEnabled() && !w->isHidden(), qPrintable(w->objectName()));
            QVERIFY2(!ShownHint(w).isEmpty(), qPrintable(w->objectName()));
        }
        QVERIFY(!InSet(f.Barcode->OutputOptions(), opDotty));
        QVERIFY(f.CheckBoxDotty->Checked());

        PickItem(f.ComboBoxSymbology, QStringLiteral("QR Code"));
        for (QWidget *w : QList<QWidget *>{f.CheckBoxDotty, f.LabelDotSize, f.EditDotSize, f.UpDownDotSize})
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(InSet(f.Barcode->OutputOptions(), opDotty));
    }

    void ShowText()
    {
        TForm1 &f = *FForm;
        PickItem(f.ComboBoxSymbology, QStringLiteral("Code 128"));
        QVERIFY(!f.CheckBoxShowText->isHidden());
        f.CheckBoxBoldText->click();
        QVERIFY(InSet(f.Barcode->OutputOptions(), opBoldText));
        f.CheckBoxShowText->click();
        QVERIFY(!f.Barcode->ShowText());
        QVERIFY(!f.CheckBoxSmallText->isEnabled());
        QVERIFY(!f.CheckBoxBoldText->isEnabled());
        QVERIFY(!f.CheckBoxBoldText->isHidden());
        QVERIFY(f.CheckBoxBoldText->Checked());

        // A symbology without text disables the three boxes and leaves ShowText alone.
        PickItem(f.ComboBoxSymbology, QStringLiteral("QR Code"));
        for (QWidget *w : QList<QWidget *>{f.CheckBoxShowText, f.CheckBoxSmallText, f.CheckBoxBoldText})
            QVERIFY2(!w->isEnabled() && !ShownHint(w).isEmpty(), qPrintable(w->objectName()));
        QVERIFY(!f.Barcode->ShowText());
    }

    void OtherOptions()
    {
        TForm1 &f = *FForm;
        f.Barcode->SetOutputOptions(SetOf(opGsSeparator));
        f.CheckBoxBars->click();
        f.CheckBoxBox->click();
        QCOMPARE(f.Barcode->OutputOptions(), SetOf(opGsSeparator, opBars, opBox));
        PickItem(f.ComboBoxRotation, QStringLiteral("270 degree"));
        QCOMPARE(f.Barcode->Rotation(), 270);
        const QSize upright = f.Barcode->Bitmap().size();
        QCOMPARE(f.Image->Picture().size(), upright);
        f.ColorBoxForeColor->SetSelectedColor(RGBToColor(0, 0, 128));
        Q_EMIT f.ColorBoxForeColor->OnChange(f.ColorBoxForeColor);
        QCOMPARE(f.Barcode->ForeColor(), RGBToColor(0, 0, 128));
    }

    void PreviewOwnsItsPicture()
    {
        // Later drawings of the component leave the picture in the preview alone.
        const QImage shown = FForm->Image->Picture().copy();
        FForm->Barcode->SetInputText(QStringLiteral("another text, drawn without a refresh"));
        FForm->Barcode->Bitmap();
        QCOMPARE(FForm->Image->Picture(), shown);
        // The preview draws the picture in its own colours (white at the bottom-left corner, not
        // the panel's colour), enlarged by a whole factor.
        const QImage drawn = FForm->Image->grab().toImage();
        const QRect at = FForm->Image->PictureRect();
        const int zoom = FForm->Image->DrawnScale().Up;
        QCOMPARE(at.size(), shown.size() * zoom);
        QCOMPARE(drawn.pixel(at.left(), at.bottom()), qRgb(255, 255, 255));
        QCOMPARE(drawn.pixel(at.left() + (8 * 1 + 4) * zoom, at.top() + (8 * 1 + 4) * zoom), qRgb(0, 0, 0)); // the first module
    }

    void MemoLines()
    {
        FForm->MemoInputText->setFocus();
        FForm->MemoInputText->selectAll();
        QTest::keyClicks(FForm->MemoInputText, QStringLiteral("first"));
        QTest::keyClick(FForm->MemoInputText, Qt::Key_Return);
        QTest::keyClicks(FForm->MemoInputText, QStringLiteral("second"));
        QCOMPARE(FForm->Barcode->InputText(), QStringLiteral("first\r\nsecond"));
        FForm->MemoPrimaryMessage->setPlainText(QStringLiteral("a\nb\nc"));
        QCOMPARE(FForm->Barcode->PrimaryMessage(), QStringLiteral("a\r\nb\r\nc"));
    }
};

QTEST_MAIN(TestForm1Options)
#include "TestForm1Options.moc"
