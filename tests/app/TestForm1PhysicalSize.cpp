#include "Form1Fixture.h"

#include "app/SymbologyOptionsView.h"
#include "barcode/Barcode.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/DisabledReason.h"

#include <QLayout>
#include <QtEndian>

// The physical-size row of the real main window: the scale it sets, the resolution the saved files
// carry, and what bad values do.
class TestForm1PhysicalSize : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTestEnvironment> FEnvironment;
    std::unique_ptr<TForm1> FForm;
    std::unique_ptr<QTemporaryDir> FOut;

    // The horizontal resolution of a BMP file, in pixels per metre.
    static qint32 BmpPixelsPerMetre(const QString &fileName)
    {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray header = file.read(54);
        return header.size() == 54 ? qFromLittleEndian<qint32>(header.constData() + 38) : -1;
    }

    // The fields take typing only while the box is ticked; before, the values are put in.
    void SwitchOn(const QString &millimetres, const QString &dpi)
    {
        QVERIFY(!FForm->EditXDimension->isEnabled());
        FForm->EditXDimension->setText(millimetres);
        FForm->EditResolution->setText(dpi);
        FForm->CheckBoxPhysicalSize->setFocus();
        QTest::keyClick(FForm->CheckBoxPhysicalSize, Qt::Key_Space);
        QVERIFY(FForm->CheckBoxPhysicalSize->Checked());
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale::c());
        FEnvironment = std::make_unique<TTestEnvironment>();
        FOut = std::make_unique<QTemporaryDir>();
        FForm.reset(CreateForm1());
        FForm->Show();
        QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    }

    void cleanup()
    {
        FForm.reset();
        FEnvironment.reset();
        FOut.reset();
        QLocale::setDefault(QLocale::c());
    }

    void OffAtStartChangesNothing()
    {
        QVERIFY(!FForm->CheckBoxPhysicalSize->Checked());
        QCOMPARE(FForm->Barcode->Resolution(), 0.0);
        QCOMPARE(FForm->Barcode->Scale(), 1.0f);
        QVERIFY(FForm->EditScale->isEnabled());
        QCOMPARE(FForm->LabelPhysicalSize->Caption(), QString());
    }

    void SizeSetsScaleResolutionAndFile_data()
    {
        QTest::addColumn<QString>("millimetres");
        QTest::addColumn<QString>("dpi");
        QTest::addColumn<float>("scale");
        QTest::addColumn<QString>("module"); // the X-dimension the whole pixels give
        QTest::newRow("0.33 mm at 300 dpi") << "0.33" << "300" << 2.0f << "0.339";
        QTest::newRow("1 mm at 600 dpi") << "1" << "600" << 12.0f << "1.016";
        QTest::newRow("0.25 mm at 96 dpi") << "0.25" << "96" << 0.5f << "0.265";
    }

    void SizeSetsScaleResolutionAndFile()
    {
        QFETCH(QString, millimetres);
        QFETCH(QString, dpi);
        QFETCH(float, scale);
        QFETCH(QString, module);
        SwitchOn(millimetres, dpi);
        QCOMPARE(FForm->Barcode->Scale(), scale);
        QCOMPARE(FForm->Barcode->Resolution(), dpi.toDouble());
        QVERIFY(!FForm->EditScale->isEnabled());
        QVERIFY(!FForm->UpDownScale->isEnabled());
        const QString caption = FForm->LabelPhysicalSize->Caption();
        const QSize pixels = FForm->Barcode->Bitmap().size();
        const auto mm = [&](int count) { return QLocale::c().toString(std::round(count / dpi.toDouble() * 254) / 10); };
        QCOMPARE(caption, QStringLiteral("%1 x %2 mm, %3 x %4 pixels, module %5 mm")
                              .arg(mm(pixels.width()), mm(pixels.height()))
                              .arg(pixels.width())
                              .arg(pixels.height())
                              .arg(module));

        PickItem(FForm->ComboBoxExt, QStringLiteral("BMP"));
        const QString base = FOut->filePath(QStringLiteral("sized"));
        FForm->ButtonSavePathClick(base);
        QCOMPARE(BmpPixelsPerMetre(base + ".bmp"), qRound(dpi.toDouble() / 0.0254));

        // Off again: the scale typed before comes back, files carry no resolution, the scale can
        // be typed and the size fields cannot.
        QTest::keyClick(FForm->CheckBoxPhysicalSize, Qt::Key_Space);
        QCOMPARE(FForm->Barcode->Resolution(), 0.0);
        QCOMPARE(FForm->Barcode->Scale(), 1.0f);
        QCOMPARE(FForm->EditScale->Text(), QStringLiteral("1"));
        QVERIFY(FForm->EditScale->isEnabled());
        QVERIFY(!FForm->EditXDimension->isEnabled());
        QVERIFY(!ShownHint(FForm->EditXDimension).isEmpty());
        QCOMPARE(FForm->LabelPhysicalSize->Caption(), QString());
    }

    void BadValuesAreNamedAndChangeNothing_data()
    {
        QTest::addColumn<QString>("millimetres");
        QTest::addColumn<QString>("dpi");
        QTest::addColumn<QString>("message");
        const QString mm = QStringLiteral("The X-dimension must be a number of millimetres above 0, such as 0.33.");
        const QString res = QStringLiteral("The resolution must be a number of dots per inch above 0, such as 300.");
        QTest::newRow("zero dpi") << "0.33" << "0" << res;
        QTest::newRow("negative dpi") << "0.33" << "-300" << res;
        QTest::newRow("empty dpi") << "0.33" << "" << res;
        QTest::newRow("zero mm") << "0" << "300" << mm;
        QTest::newRow("letters for mm") << "abc" << "300" << mm;
        QTest::newRow("infinite mm") << "1e999" << "300" << mm;
    }

    void BadValuesAreNamedAndChangeNothing()
    {
        QFETCH(QString, millimetres);
        QFETCH(QString, dpi);
        QFETCH(QString, message);
        const QImage before = FForm->Barcode->Bitmap();
        SwitchOn(millimetres, dpi);
        QCOMPARE(FForm->LabelPhysicalSize->Caption(), message);
        QCOMPARE(FForm->Barcode->Scale(), 1.0f);
        QCOMPARE(FForm->Barcode->Resolution(), 0.0);
        QCOMPARE(FForm->Barcode->Bitmap(), before);
        QCOMPARE(FForm->StatusBar->SimpleText(), QString());

        // Mending the value applies it; the typed data never changed.
        TypeInto(FForm->EditXDimension, QStringLiteral("0.33"));
        TypeInto(FForm->EditResolution, QStringLiteral("300"));
        QCOMPARE(FForm->Barcode->Scale(), 2.0f);
        QVERIFY(!FForm->LabelPhysicalSize->Caption().contains(QStringLiteral("must")));
        QCOMPARE(FForm->MemoInputText->Text(), QStringLiteral("123456"));
    }

    void GermanDecimalComma()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        SwitchOn(QStringLiteral("0,5"), QStringLiteral("203,2"));
        QCOMPARE(FForm->Barcode->Scale(), 2.0f);
        QCOMPARE(FForm->Barcode->Resolution(), 203.2);
        QVERIFY2(FForm->LabelPhysicalSize->Caption().contains(QStringLiteral("module 0,5 mm")),
                 qPrintable(FForm->LabelPhysicalSize->Caption()));
    }

    // The readout wraps instead of being cut off, also at the window's smallest size.
    void ReadoutIsNotCutOff()
    {
        SwitchOn(QStringLiteral("2.5"), QStringLiteral("1200"));
        FForm->resize(FForm->minimumSize());
        FForm->layout()->activate();
        TLabel *label = FForm->LabelPhysicalSize;
        QVERIFY(label->Caption().endsWith(QStringLiteral("module 2.498 mm")));
        const QRect needed = label->fontMetrics().boundingRect(label->contentsRect(), Qt::TextWordWrap,
                                                               label->Caption());
        QVERIFY2(label->contentsRect().contains(needed), qPrintable(label->Caption()));
    }

    void ScaleComesBackAfterOff()
    {
        TypeInto(FForm->EditScale, QStringLiteral("4"));
        SwitchOn(QStringLiteral("0.33"), QStringLiteral("300"));
        QCOMPARE(FForm->Barcode->Scale(), 2.0f);
        QTest::keyClick(FForm->CheckBoxPhysicalSize, Qt::Key_Space);
        QCOMPARE(FForm->Barcode->Scale(), 4.0f);
        QCOMPARE(FForm->UpDownScale->Position(), 40);
    }

    void KeyboardReachesTheRow()
    {
        // The primary message takes input for composite symbols only.
        PickItem(FForm->ComboBoxSymbology, QStringLiteral("EAN Composite"));
        FForm->MemoPrimaryMessage->setFocus();
        QTest::keyClick(FForm->MemoPrimaryMessage, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), FForm->CheckBoxPhysicalSize);
        QTest::keyClick(FForm->CheckBoxPhysicalSize, Qt::Key_Space);
        QTest::keyClick(FForm->CheckBoxPhysicalSize, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), FForm->EditXDimension);
        QTest::keyClick(FForm->EditXDimension, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), FForm->EditResolution);
        // Then the symbology's own options, then Save As.
        QTest::keyClick(FForm->EditResolution, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), FForm->SymbologyOptions->Control(QStringLiteral("mode")));
        for (int step = 0; step < 20 && QApplication::focusWidget() != FForm->ButtonSave; ++step)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), FForm->ButtonSave);
        for (QWidget *control : {static_cast<QWidget *>(FForm->CheckBoxPhysicalSize),
                                 static_cast<QWidget *>(FForm->EditXDimension),
                                 static_cast<QWidget *>(FForm->EditResolution)})
            QVERIFY2(!control->toolTip().isEmpty(), qPrintable(control->objectName()));
    }
};

QTEST_MAIN(TestForm1PhysicalSize)
#include "TestForm1PhysicalSize.moc"
