#include "Form1Fixture.h"

#include "barcode/Barcode.h"

// "Save As ..." and the save to a given path, with the real engine writing real files.
class TestForm1Save : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTestEnvironment> FEnvironment;
    std::unique_ptr<TForm1> FForm;
    std::unique_ptr<QTemporaryDir> FOut;

    QString OutPath(const QString &name) const { return FOut->filePath(name); }

    static QByteArray ReadAll(const QString &fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void AddFormatRows()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QByteArray>("signature"); // bytes the file starts with
        QTest::newRow("BMP") << "BMP" << "Bitmap (*.bmp)|*.bmp" << "bmp" << QByteArray("BM");
        QTest::newRow("EMF") << "EMF" << "Enhanced Metafile (*.emf)|*.emf" << "emf" << QByteArray("\x01\0\0\0", 4);
        QTest::newRow("EPS") << "EPS" << "Encapsulated PostScript (*.eps)|*.eps" << "eps" << QByteArray("%!PS");
        QTest::newRow("GIF") << "GIF" << "GIF (*.gif)|*.gif" << "gif" << QByteArray("GIF8");
        QTest::newRow("PCX") << "PCX" << "PCX (*.pcx)|*.pcx" << "pcx" << QByteArray("\x0A");
        QTest::newRow("TXT") << "TXT" << "Text (*.txt)|*.txt" << "txt" << QByteArray("FE ");
        QTest::newRow("SVG") << "SVG" << "Scalable Vector Graphics (*.svg)|*.svg" << "svg" << QByteArray("<?xml");
        QTest::newRow("PNG") << "PNG" << "Portable Network Graphics (*.png)|*.png" << "png" << QByteArray("\x89PNG\r\n");
        QTest::newRow("TIF") << "TIF" << "Tagged Image File Format (*.tif)|*.tif" << "tif" << QByteArray("II*\0", 4);
        QTest::newRow("PDF") << "PDF" << "Portable Document Format (*.pdf)|*.pdf" << "pdf" << QByteArray("%PDF-");
    }

private slots:
    void init()
    {
        FEnvironment = std::make_unique<TTestEnvironment>();
        FOut = std::make_unique<QTemporaryDir>();
        FForm.reset(CreateForm1());
        FForm->Show();
    }

    void cleanup()
    {
        FForm.reset();
        FEnvironment.reset();
        FOut.reset();
    }

    void EachFormat_data() { AddFormatRows(); }

    void EachFormat()
    {
        QFETCH(QString, code);
        QFETCH(QString, filter);
        QFETCH(QString, extension);
        QFETCH(QByteArray, signature);
        PickItem(FForm->ComboBoxExt, code);
        FEnvironment->Dialog.Answer = OutPath(QStringLiteral("symbol"));
        FForm->ButtonSave->Click();

        TAnsweringFileDialog &dialog = FEnvironment->Dialog;
        QCOMPARE(dialog.Calls, 1);
        QVERIFY(dialog.WasSave);
        QCOMPARE(dialog.SeenTitle, QStringLiteral("Save Barcode"));
        QCOMPARE(dialog.SeenFilter, filter);
        QCOMPARE(dialog.SeenDefaultExt, extension);
        QVERIFY(!dialog.SeenOptions.testFlag(ofOverwritePrompt));
        QCOMPARE(dialog.SeenInitialDir, QString());
        QVERIFY(FEnvironment->Messages.Requests.isEmpty());
        QCOMPARE(QDir(FOut->path()).entryList(QDir::Files), QStringList{"symbol." + extension});
        QVERIFY(ReadAll(OutPath("symbol." + extension)).startsWith(signature));
    }

    void SavePath_data() { AddFormatRows(); }

    void SavePath()
    {
        QFETCH(QString, code);
        QFETCH(QString, extension);
        QFETCH(QByteArray, signature);
        PickItem(FForm->ComboBoxExt, code);
        // The path is used as given, even when it already ends in an extension.
        FForm->ButtonSavePathClick(OutPath(QStringLiteral("given.bmp")));
        QVERIFY(ReadAll(OutPath("given.bmp." + extension)).startsWith(signature));
        QCOMPARE(FEnvironment->Dialog.Calls, 0);
    }

    void UnknownListEntry()
    {
        // A translated list names no format: neither way saves anything.
        FForm->ComboBoxExt->Items()->SetStrings({QStringLiteral("Bitmap"), QStringLiteral("ALL")});
        FForm->ComboBoxExt->SetItemIndex(0);
        FEnvironment->Dialog.Answer = OutPath(QStringLiteral("symbol"));
        FForm->ButtonSave->Click();
        FForm->ButtonSavePathClick(OutPath(QStringLiteral("symbol")));
        QCOMPARE(FEnvironment->Dialog.Calls, 0);
        // "ALL" offers every format and keeps the default extension as it was.
        FForm->ComboBoxExt->SetItemIndex(1);
        FForm->ButtonSavePathClick(OutPath(QStringLiteral("symbol")));
        FEnvironment->Dialog.Answer = OutPath(QStringLiteral("symbol.gif"));
        FForm->ButtonSave->Click();
        QCOMPARE(FEnvironment->Dialog.Calls, 1);
        QCOMPARE(FEnvironment->Dialog.SeenFilter,
                 QStringLiteral("All available formats | *.bmp;*.emf;*.eps;*.gif;*.pcx;*.txt;*.svg;*.png;*.tif;*.pdf"));
        QCOMPARE(FEnvironment->Dialog.SeenDefaultExt, QString());
        QCOMPARE(QDir(FOut->path()).entryList(QDir::Files), QStringList{"symbol.gif"});
        QVERIFY(ReadAll(OutPath("symbol.gif")).startsWith("GIF8"));
    }

    void Cancel()
    {
        FEnvironment->Dialog.Answer.clear();
        FForm->ButtonSave->Click();
        QCOMPARE(FEnvironment->Dialog.Calls, 1);
        QVERIFY(QDir(FOut->path()).entryList(QDir::Files).isEmpty());
        QVERIFY(FEnvironment->Messages.Requests.isEmpty());
    }

    void SecondSaveReopensWithFirstName()
    {
        TAnsweringFileDialog &dialog = FEnvironment->Dialog;
        dialog.Answer = OutPath(QStringLiteral("first"));
        FForm->ButtonSave->Click();
        QCOMPARE(dialog.SeenFileName, QString());

        PickItem(FForm->ComboBoxExt, QStringLiteral("SVG"));
        dialog.Answer = OutPath(QStringLiteral("first.bmp")); // the user confirms the name shown
        FForm->ButtonSave->Click();
        QCOMPARE(dialog.SeenFileName, OutPath(QStringLiteral("first.bmp")));
        QCOMPARE(dialog.SeenDefaultExt, QStringLiteral("svg"));
        // The name's own extension decides the format; the existing file is replaced.
        QVERIFY(ReadAll(OutPath("first.bmp")).startsWith("BM"));
        QCOMPARE(QDir(FOut->path()).entryList(QDir::Files), QStringList{"first.bmp"});
    }

    void CtrlSSavesAndTheStatusBarTells_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("pixels");
        QTest::newRow("PNG") << "PNG" << true;
        QTest::newRow("BMP") << "BMP" << true;
        QTest::newRow("SVG") << "SVG" << false;
    }

    void CtrlSSavesAndTheStatusBarTells()
    {
        QFETCH(QString, code);
        QFETCH(bool, pixels);
        PickItem(FForm->ComboBoxExt, code);
        FEnvironment->Dialog.Answer = OutPath(QStringLiteral("label"));
        QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
        FForm->MemoInputText->setFocus();
        QTest::keyClick(FForm->MemoInputText, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(FEnvironment->Dialog.Calls, 1);
        const QString name = "label." + code.toLower();
        QString expected = QStringLiteral("Saved %1").arg(name);
        if (pixels) {
            const QImage saved(OutPath(name));
            QVERIFY(!saved.isNull());
            expected = QStringLiteral("Saved %1, %2 \u00D7 %3 pixels").arg(name).arg(saved.width()).arg(saved.height());
        }
        QCOMPARE(FForm->StatusBar->SimpleText(), expected);
        // The note belongs to the symbol that was saved.
        FForm->MemoInputText->setPlainText(QStringLiteral("654321"));
        QCOMPARE(FForm->StatusBar->SimpleText(), QString());
    }

    void EngineFailure()
    {
        PickItem(FForm->ComboBoxSymbology, TBarcode::SymbologyNames(syEAN));
        FForm->MemoInputText->setPlainText(QStringLiteral("12AB"));
        const QString engineText = FForm->StatusBar->SimpleText();
        QVERIFY(!engineText.isEmpty());

        FEnvironment->Dialog.Answer = OutPath(QStringLiteral("rejected"));
        FForm->ButtonSave->Click();
        QCOMPARE(FEnvironment->Messages.Requests.size(), 1);
        const TMessageBoxRequest &box = FEnvironment->Messages.Requests.first();
        QCOMPARE(box.Type, mtError);
        QCOMPARE(box.Text, ErrorDisplayText(engineText));
        QCOMPARE(box.Caption, QStringLiteral("Quorvel (QR code) Generator " QUORVEL_VERSION_TEXT));
        QVERIFY(QDir(FOut->path()).entryList(QDir::Files).isEmpty());
        QCOMPARE(FForm->StatusBar->SimpleText(), engineText);
    }
};

QTEST_MAIN(TestForm1Save)
#include "TestForm1Save.moc"
