#include "Form1Fixture.h"

#include "app/SymbolExport.h"
#include "barcode/Barcode.h"
#include "toolkit/ColorBox.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/Menus.h"

#include <QClipboard>
#include <QMenu>
#include <QMimeData>

// The preview's commands in the real main window with the real engine: reaching the preview by
// keyboard, copying, zooming, the context menu and what a drag carries.
class TestForm1Preview : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTestEnvironment> FEnvironment;
    std::unique_ptr<TForm1> FForm;

    // The SVG the engine writes for the window's current symbol.
    QByteArray SavedSvg() const
    {
        QTemporaryDir folder;
        const QString fileName = folder.filePath(QStringLiteral("saved.svg"));
        FForm->Barcode->Save(fileName);
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QImage Opaque(const QImage &image) { return image.convertToFormat(QImage::Format_RGB32); }

private slots:
    void init()
    {
        FEnvironment = std::make_unique<TTestEnvironment>();
        FForm.reset(CreateForm1());
        FForm->Show();
        QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
        QGuiApplication::clipboard()->clear();
    }

    void cleanup()
    {
        FForm.reset();
        FEnvironment.reset();
    }

    void PreviewIsReachedByTab()
    {
        // The window opens with the symbology list focused, as before the preview took the focus.
        QCOMPARE(QApplication::focusWidget(), FForm->ComboBoxSymbology);
        QVERIFY(!FForm->Image->Hint().isEmpty());
        FForm->ButtonSettings->setFocus();
        QTest::keyClick(FForm->ButtonSettings, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), FForm->Image);
        QTest::keyClick(FForm->Image, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), FForm->ButtonSettings);
    }

    // The preview draws every pixel of the symbol in the symbol's own colours, box and quiet zone
    // included, enlarged by a whole factor that fills the preview; the zoom is shown.
    void PreviewShowsTheSymbolAsSaved_data()
    {
        QTest::addColumn<QString>("symbology");
        QTest::addColumn<bool>("box");
        QTest::newRow("QR Code with box") << "QR Code" << true;
        QTest::newRow("Code 128 with bars") << "Code 128" << false;
    }

    void PreviewShowsTheSymbolAsSaved()
    {
        QFETCH(QString, symbology);
        QFETCH(bool, box);
        PickItem(FForm->ComboBoxSymbology, symbology);
        FForm->ColorBoxBackColor->SetSelectedColor(TColor(0x00FFFF)); // yellow
        Q_EMIT FForm->ColorBoxBackColor->OnChange(FForm->ColorBoxBackColor);
        (box ? FForm->CheckBoxBox : FForm->CheckBoxBars)->click();
        const QImage symbol = Opaque(FForm->Barcode->Bitmap());

        const TZoomFactor scale = FForm->Image->DrawnScale();
        QCOMPARE(scale.Down, 1);
        const QRect placed = FForm->Image->PictureRect();
        const QSize area = FForm->Image->viewport()->size();
        // A larger whole factor would not fit.
        QVERIFY(symbol.width() * (scale.Up + 1) > area.width() - 2
                || symbol.height() * (scale.Up + 1) > area.height() - 2);
        QCOMPARE(FForm->LabelZoom->Caption(), QStringLiteral("%1 %").arg(scale.Up * 100));

        const QImage shot = Opaque(FForm->Image->viewport()->grab().toImage());
        for (int y = 0; y < symbol.height(); ++y)
            for (int x = 0; x < symbol.width(); ++x)
                QCOMPARE(shot.pixel(placed.x() + x * scale.Up, placed.y() + y * scale.Up), symbol.pixel(x, y));
        // Outside the line around the symbol, the panel's colour.
        const QColor panel = FForm->PanelTop->palette().color(FForm->PanelTop->backgroundRole());
        QCOMPARE(shot.pixel(placed.x() - 2, placed.y() - 2), panel.rgb());

        QTest::keyClick(FForm->Image, Qt::Key_1, Qt::ControlModifier);
        QCOMPARE(FForm->LabelZoom->Caption(), QStringLiteral("100 %"));
    }

    void CtrlCOnThePreviewCopiesPictureAndSvg()
    {
        FForm->MemoInputText->setPlainText(QStringLiteral("copied symbol"));
        FForm->Image->setFocus();
        QTest::keyClick(FForm->Image, Qt::Key_C, Qt::ControlModifier);
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied != nullptr && copied->hasImage());
        QCOMPARE(Opaque(qvariant_cast<QImage>(copied->imageData())), Opaque(FForm->Barcode->Bitmap()));
        const QByteArray svg = copied->data(SvgMimeType);
        QVERIFY(svg.contains("<svg"));
        QCOMPARE(svg, SavedSvg());
        QVERIFY(FEnvironment->Messages.Requests.isEmpty());
    }

    void CtrlCInTheMemoCopiesItsText()
    {
        FForm->MemoInputText->setFocus();
        FForm->MemoInputText->selectAll();
        QTest::keyClick(FForm->MemoInputText, Qt::Key_C, Qt::ControlModifier);
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(copied->text(), QStringLiteral("123456"));
        QVERIFY(!copied->hasImage());
    }

    void WithoutASymbolNothingIsCopiedOrPrinted()
    {
        PickItem(FForm->ComboBoxSymbology, TBarcode::SymbologyNames(syEAN));
        FForm->MemoInputText->setPlainText(QStringLiteral("12AB"));
        QVERIFY(!FForm->Image->HasPicture());
        QVERIFY(!FForm->MenuItemCopy->Enabled());
        QVERIFY(!FForm->MenuItemPrint->Enabled());
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        FForm->Image->setFocus();
        QTest::keyClick(FForm->Image, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));

        FForm->MemoInputText->setPlainText(QStringLiteral("1234567"));
        QVERIFY(FForm->MenuItemCopy->Enabled());
        QVERIFY(FForm->MenuItemPrint->Enabled());
    }

    void WithoutSvgThePictureIsCopiedAndTheUserTold()
    {
        const QByteArray temp = qgetenv("TMPDIR");
        QTemporaryDir scratch;
        qputenv("TMPDIR", QFile::encodeName(scratch.filePath(QStringLiteral("missing/folder"))));
        FForm->Image->setFocus();
        QTest::keyClick(FForm->Image, Qt::Key_C, Qt::ControlModifier);
        qputenv("TMPDIR", temp);
        if (temp.isEmpty())
            qunsetenv("TMPDIR");

        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied->hasImage());
        QVERIFY(!copied->hasFormat(SvgMimeType));
        QCOMPARE(FEnvironment->Messages.Requests.size(), 1);
        QVERIFY2(FEnvironment->Messages.Requests.at(0).Text.startsWith(
                     QStringLiteral("The symbol was copied as a picture only; the SVG could not be made: No temporary folder")),
                 qPrintable(FEnvironment->Messages.Requests.at(0).Text));
    }

    void ZoomShortcutsWhileTyping_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<bool>("fit");
        QTest::addColumn<int>("up");
        QTest::addColumn<int>("down");
        QTest::newRow("actual size") << QStringList{"Ctrl+1"} << false << 1 << 1;
        QTest::newRow("zoom in") << QStringList{"Ctrl+1", "Ctrl++"} << false << 2 << 1;
        QTest::newRow("zoom in, = key") << QStringList{"Ctrl+1", "Ctrl+="} << false << 2 << 1;
        QTest::newRow("zoom out") << QStringList{"Ctrl+1", "Ctrl+-"} << false << 1 << 2;
        QTest::newRow("back to fit") << QStringList{"Ctrl+1", "Ctrl++", "Ctrl+0"} << true << 2 << 1;
    }

    void ZoomShortcutsWhileTyping()
    {
        QFETCH(QStringList, keys);
        QFETCH(bool, fit);
        QFETCH(int, up);
        QFETCH(int, down);
        FForm->MemoInputText->setFocus();
        for (const QString &key : keys)
            QTest::keySequence(FForm->MemoInputText, QKeySequence(key));
        QCOMPARE(FForm->MemoInputText->Text(), QStringLiteral("123456"));
        QCOMPARE(FForm->Image->FitToWindow(), fit);
        QCOMPARE(FForm->Image->Zoom(), (TZoomFactor{up, down}));
        QCOMPARE(FForm->MenuItemZoomFit->Checked(), fit);
        QCOMPARE(FForm->MenuItemZoomActual->Checked(), !fit && up == 1 && down == 1);
    }

    void MenuKeyOpensEveryCommand()
    {
        FForm->Image->setFocus();
        QTest::keyClick(FForm->Image, Qt::Key_Menu);
        QMenu *menu = FForm->PreviewMenu();
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(menu->toolTipsVisible());
        QStringList shown;
        for (QAction *action : menu->actions())
            if (!action->isSeparator())
                shown.append(action->text());
        QStringList captions;
        for (TMenuItem *item : {FForm->MenuItemCopy, FForm->MenuItemZoomIn, FForm->MenuItemZoomOut,
                                FForm->MenuItemZoomFit, FForm->MenuItemZoomActual, FForm->MenuItemPrint,
                                FForm->MenuItemSave, FForm->MenuItemCopyCommandLine}) {
            captions.append(item->Caption());
            QVERIFY(!item->Hint().isEmpty());
            QCOMPARE(item->Action()->toolTip(), item->Hint());
        }
        QCOMPARE(shown, captions);
        menu->hide();
    }

    void DragCarriesPictureSvgAndFile()
    {
        QTemporaryDir folder;
        const QImage picture = FForm->Image->Picture();
        const QString fileName = WriteSymbolFile(picture, folder.path(), 3);
        QCOMPARE(QFileInfo(fileName).fileName(), QStringLiteral("symbol-3.png"));
        const std::unique_ptr<QMimeData> data(SymbolMimeData(picture, SymbolSvg(*FForm->Barcode), fileName));
        QCOMPARE(data->urls(), QList<QUrl>{QUrl::fromLocalFile(fileName)});
        QCOMPARE(Opaque(QImage(fileName)), Opaque(picture));
        QCOMPARE(Opaque(qvariant_cast<QImage>(data->imageData())), Opaque(picture));
        QCOMPARE(data->data(SvgMimeType), SavedSvg());

        const QString missing = folder.filePath(QStringLiteral("gone"));
        try {
            WriteSymbolFile(picture, missing, 4);
            QFAIL("a file in a missing folder was written");
        } catch (const Exception &error) {
            QVERIFY2(error.Message().startsWith(
                         QStringLiteral("The file \"%1\" could not be written")
                             .arg(QDir::toNativeSeparators(missing + QStringLiteral("/symbol-4.png")))),
                     qPrintable(error.Message()));
        }
    }
};

QTEST_MAIN(TestForm1Preview)
#include "TestForm1Preview.moc"
