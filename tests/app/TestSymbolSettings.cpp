// The symbol's own settings in the real main window with the real engine: the options area,
// what the next start remembers, Reset to defaults, and "Copy as command line", whose command
// writes the file that Save As writes.
#include "Form1Fixture.h"

#include "app/SymbologyOptionsView.h"
#include "barcode/Barcode.h"
#include "barcode/BarcodeOptions.h"
#include "cli/CommandLine.h"
#include "support/ProgramRun.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Menus.h"

#include <QClipboard>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>

namespace {

// The words of a command as a POSIX shell reads them; enough for the quoting that "Copy as
// command line" writes: single quotes, and \' between them.
QStringList ShellWords(const QString &command)
{
    static const QRegularExpression word(QStringLiteral(R"((?:'[^']*'|\\.|[^ '\\])+)"));
    static const QRegularExpression part(QStringLiteral(R"('([^']*)'|\\(.)|([^'\\]))"));
    QStringList words;
    for (const QRegularExpressionMatch &w : word.globalMatch(command)) {
        words << QString();
        for (const QRegularExpressionMatch &p : part.globalMatch(w.captured()))
            words.last() += p.captured(1) + p.captured(2) + p.captured(3);
    }
    return words;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSymbolSettings : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTestEnvironment> FEnvironment;
    std::unique_ptr<TForm1> FForm;
    QTemporaryDir FOut;

    void Start()
    {
        FForm.reset(CreateForm1());
        FForm->Show();
        QVERIFY(FForm->ControlsReady());
    }

    void Stop()
    {
        FForm->Close();
        FForm.reset();
    }

    // Sets an option as the user does: through its control in the options area, or, for the
    // look, through the component the panel shows.
    void SetOption(const TBarcodeOption &option, double value)
    {
        if (option.Place == TOptionPlace::Appearance) {
            option.Write(*FForm->Barcode, value);
            return;
        }
        QWidget *control = FForm->SymbologyOptions->Control(QLatin1String(option.Name));
        QVERIFY2(control != nullptr && control->isVisible(), option.Name);
        if (auto *box = qobject_cast<TComboBox *>(control)) {
            const int index = box->findData(value);
            QVERIFY2(index >= 0, option.Name);
            box->setCurrentIndex(index);
            Q_EMIT box->activated(index);
        } else if (auto *check = qobject_cast<TCheckBox *>(control)) {
            QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
        } else if (auto *edit = qobject_cast<TEdit *>(control)) {
            TypeInto(edit, QString::number(value));
        }
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale::c());
        FEnvironment = std::make_unique<TTestEnvironment>();
        QVERIFY(FOut.isValid());
        Start();
    }

    void cleanup()
    {
        FForm.reset();
        FEnvironment.reset();
    }

    // Each option, set in the window, is in the command line it copies, and the next start has it
    // again; the other symbologies keep their own.
    void RoundTrip_data()
    {
        QTest::addColumn<QString>("symbology"); // display name
        QTest::addColumn<QString>("option");
        QTest::addColumn<double>("value");
        const QList<std::tuple<const char *, const char *, double>> rows = {
            {"QR Code", "fg", 0x123456}, {"QR Code", "bg", 0xFFEEDD}, {"QR Code", "border", 2},
            {"QR Code", "whitesp", 1}, {"QR Code", "vwhitesp", 3}, {"Code 128", "height", 20},
            {"QR Code", "scale", 2.5}, {"QR Code", "rotate", 180}, {"QR Code", "dotty", 1},
            {"QR Code", "dotsize", 0.5}, {"Code 128", "box", 1}, {"Code 128", "bind", 1},
            {"Code 128", "notext", 1}, {"Code 128", "small", 1}, {"Code 128", "bold", 1},
            {"QR Code", "secure", 3}, {"QR Code", "vers", 7}, {"QR Code", "mask", 5},
            {"PDF417", "cols", 5}, {"Codablock-F", "rows", 6}, {"Data Matrix (ECC200)", "shape", dmSquare},
            {"Data Matrix (ECC200)", "shape", dmExtended}, {"MaxiCode", "mode", 3}, {"QR Code", "input", imData},
            {"Data Matrix (ECC200)", "input", imGs1}, {"Data Matrix (ECC200)", "gs1parens", 1}, {"QR Code", "esc", 1},
            {"QR Code", "eci", 26}, {"QR Code", "fullmultibyte", 1}, {"Data Matrix (ECC200)", "fast", 1},
            {"QR Code", "quietzones", qzCompliant}, {"Code 128", "quietzones", qzDisabled}, {"Code 16K", "separator", 3},
            {"EAN (European Article Number)", "guarddescent", 2.5}, {"Code 16K", "heightperrow", 1},
            {"Code 128", "extraesc", 1}, {"Code 128", "textgap", 2},
        };
        for (const auto &[symbology, option, value] : rows)
            QTest::newRow(qPrintable(QStringLiteral("%1 %2 %3").arg(option, symbology).arg(value)))
                << QString::fromUtf8(symbology) << QString::fromLatin1(option) << value;
    }

    void RoundTrip()
    {
        QFETCH(QString, symbology);
        QFETCH(QString, option);
        QFETCH(double, value);
        const TBarcodeOption *row = FindBarcodeOption(option);
        if (row == nullptr)
            QSKIP("the engine this program is built for lacks the option");
        PickItem(FForm->ComboBoxSymbology, symbology);
        SetOption(*row, value);
        QCOMPARE(row->Read(*FForm->Barcode), value);

        // The copied command line gives the engine the same value.
        const QStringList words = ShellWords(FForm->CommandLineText());
        QCOMPARE(words.first(), QStringLiteral("quorvel"));
        const TCommandLine line = ParseCommandLine(words);
        QVERIFY2(line.Action == TCommandAction::Single, qPrintable(line.Error + ": " + words.join(u' ')));
        TBarcode fromCommandLine(nullptr);
        ApplyOptionDefaults(fromCommandLine);
        fromCommandLine.SetSymbology(line.Symbology);
        for (const auto &[given, number] : line.Settings)
            given->Write(fromCommandLine, number);
        QCOMPARE(fromCommandLine.Symbology(), FForm->Barcode->Symbology());
        QCOMPARE(row->Read(fromCommandLine), value);

        // Another symbology does not take this symbology's options; coming back brings them.
        if (row->Place == TOptionPlace::Symbology) {
            PickItem(FForm->ComboBoxSymbology, QStringLiteral("Aztec Runes"));
            QCOMPARE(row->Read(*FForm->Barcode), row->Default);
            PickItem(FForm->ComboBoxSymbology, symbology);
            QCOMPARE(row->Read(*FForm->Barcode), value);
        }

        Stop();
        Start();
        QCOMPARE(FForm->ComboBoxSymbology->Text(), symbology);
        QCOMPARE(row->Read(*FForm->Barcode), value);
        QCOMPARE(FEnvironment->Messages.Requests.size(), 0);
    }

    // What the store holds that the program cannot take is left at its default, silently.
    void UnreadableStoredValues()
    {
        Stop();
        TTestEnvironment::WriteFile(FEnvironment->UserStore(),
                                    "[Options]\nSymbol\\Symbology=PDF417\nSymbol\\Data=kept\n"
                                    "Symbol\\Appearance\\border=wide\nSymbol\\Appearance\\scale=1000\n"
                                    "Symbol\\Appearance\\whitesp=2\nSymbol\\Symbologies\\PDF417\\secure=9\n"
                                    "Symbol\\Symbologies\\PDF417\\cols=4\nSymbol\\Symbologies\\PDF417\\esc=2\n"
                                    "Symbol\\Symbologies\\PDF417\\shape=7\n");
        Start();
        const TBarcode &barcode = *FForm->Barcode;
        QCOMPARE(FForm->ComboBoxSymbology->Text(), QStringLiteral("PDF417"));
        QCOMPARE(FForm->MemoInputText->Text(), QStringLiteral("kept"));
        for (const auto &[name, expected] : std::initializer_list<std::pair<const char *, double>>{
                 {"border", 8}, {"scale", 1}, {"whitesp", 2}, {"secure", 0}, {"cols", 4}, {"esc", 0}})
            QCOMPARE(FindBarcodeOption(QLatin1String(name))->Read(barcode), expected);
        QCOMPARE(FEnvironment->Messages.Requests.size(), 0);
        QVERIFY(!FForm->Image->Picture().isNull());
    }

    void ResetToDefaults()
    {
        PickItem(FForm->ComboBoxSymbology, QStringLiteral("PDF417"));
        SetOption(*FindBarcodeOption("cols"), 6);
        PickItem(FForm->ComboBoxSymbology, QStringLiteral("QR Code"));
        SetOption(*FindBarcodeOption("secure"), 4);
        FForm->EditBorderWidth->setFocus();
        TypeInto(FForm->EditBorderWidth, QStringLiteral("2"));
        QCOMPARE(FForm->Barcode->BorderWidth(), 2);

        // By keyboard: Tab reaches the button, Space presses it.
        FForm->SymbologyOptions->ButtonResetOptions->setFocus();
        QTest::keyClick(FForm->SymbologyOptions->ButtonResetOptions, Qt::Key_Space);
        for (const TBarcodeOption *option : BarcodeOptions())
            QCOMPARE(option->Read(*FForm->Barcode), option->Default);
        QCOMPARE(FForm->EditBorderWidth->Text(), QStringLiteral("8"));
        QCOMPARE(FForm->ComboBoxSymbology->Text(), QStringLiteral("QR Code"));
        QCOMPARE(FForm->MemoInputText->Text(), QStringLiteral("123456"));
        PickItem(FForm->ComboBoxSymbology, QStringLiteral("PDF417"));
        QCOMPARE(FindBarcodeOption("cols")->Read(*FForm->Barcode), 0.0);
    }

    // The options area shows what the symbology takes, and hides what it does not.
    void ShowsWhatTheSymbologyTakes_data()
    {
        QTest::addColumn<QString>("symbology");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("hidden");
        QTest::newRow("QR Code") << "QR Code" << QStringList{"secure", "vers", "mask", "eci", "input"}
                                 << QStringList{"cols", "rows", "shape", "mode", "separator", "guarddescent"};
        QTest::newRow("Data Matrix") << "Data Matrix (ECC200)" << QStringList{"vers", "shape", "gs1parens", "fast"}
                                     << QStringList{"secure", "mask", "cols"};
        QTest::newRow("PDF417") << "PDF417" << QStringList{"secure", "cols"} << QStringList{"vers", "shape", "mask"};
        QTest::newRow("EAN") << "EAN (European Article Number)" << QStringList{"guarddescent"}
                             << QStringList{"secure", "vers", "eci"};
        QTest::newRow("Code 16K") << "Code 16K" << QStringList{"rows", "separator", "heightperrow"}
                                  << QStringList{"secure", "vers"};
        QTest::newRow("MaxiCode") << "MaxiCode" << QStringList{"mode"} << QStringList{"vers", "cols"};
    }

    void ShowsWhatTheSymbologyTakes()
    {
        QFETCH(QString, symbology);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, hidden);
        PickItem(FForm->ComboBoxSymbology, symbology);
        for (const QString &name : shown) {
            QWidget *control = FForm->SymbologyOptions->Control(name);
            QVERIFY2(control != nullptr && control->isVisible(), qPrintable(name));
            QVERIFY2(!control->toolTip().isEmpty(), qPrintable(name));
            QVERIFY2(control->focusPolicy() & Qt::TabFocus, qPrintable(name));
        }
        for (const QString &name : hidden)
            QVERIFY2(!FForm->SymbologyOptions->Control(name)->isVisible(), qPrintable(name));
    }

    // Tab goes through the area as it is read: the lists row by row, the switches, the button.
    void TabFollowsTheRows()
    {
        QApplication::setActiveWindow(FForm.get());
        QStringList visited;
        QWidget *focus = FForm->SymbologyOptions->Control(QStringLiteral("secure"));
        focus->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), focus);
        for (int step = 0; step < 11 && focus != nullptr && focus != FForm->SymbologyOptions->ButtonResetOptions; ++step) {
            visited << focus->objectName();
            QTest::keyClick(focus, Qt::Key_Tab);
            focus = QApplication::focusWidget();
        }
        QCOMPARE(focus, static_cast<QWidget *>(FForm->SymbologyOptions->ButtonResetOptions));
        QCOMPARE(visited, (QStringList{"ComboBoxSecure", "ComboBoxVers", "ComboBoxMask", "ComboBoxInput", "ComboBoxEci",
                                       "ComboBoxQuietzones", "CheckBoxGs1parens", "CheckBoxEsc", "CheckBoxFullmultibyte",
                                       "CheckBoxFast"}));
    }

    // The version the area names is the one the engine chose: asked for, it gives the same symbol.
    void AutomaticNamesTheEnginesChoice()
    {
        FForm->MemoInputText->setPlainText(QStringLiteral("https://example.org/a/longer/address"));
        auto *versions = qobject_cast<TComboBox *>(FForm->SymbologyOptions->Control(QStringLiteral("vers")));
        QVERIFY(versions != nullptr);
        const QString said = versions->itemText(0);
        const QRegularExpressionMatch version = QRegularExpression(QStringLiteral("(\\d+) \\((\\d+) × (\\d+)\\)")).match(said);
        QVERIFY2(version.hasMatch(), qPrintable(said));
        const int width = FForm->Barcode->Width();
        QCOMPARE(version.captured(2).toInt(), width);
        SetOption(*FindBarcodeOption("vers"), version.captured(1).toInt());
        QCOMPARE(FForm->Barcode->Width(), width);
        // Chosen by hand, the version is no longer the engine's to name.
        QVERIFY(!versions->itemText(0).contains(version.captured(0)));
    }

    // Text beyond the symbology's character set is encoded as text with an ECI; the engine's
    // warning is shown and the preview keeps the symbol.
    void WarningKeepsThePreview()
    {
        FForm->MemoInputText->setPlainText(QStringLiteral("Grüße 日本 €"));
        QVERIFY(!FForm->Image->Picture().isNull());
        QVERIFY(!FForm->Barcode->Warning().isEmpty());
        QVERIFY2(FForm->StatusBar->SimpleText().contains(FForm->Barcode->Warning()), qPrintable(FForm->StatusBar->SimpleText()));
        // Raw bytes stay a choice, and then the engine has nothing to warn about.
        SetOption(*FindBarcodeOption("input"), imData);
        QVERIFY(!FForm->Image->Picture().isNull());
        QCOMPARE(FForm->Barcode->Warning(), QString());
    }

    // The copied command, run by the shell, writes the file that Save As writes.
    void CopiedCommandWritesTheSavedFile_data()
    {
        QTest::addColumn<QString>("symbology");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QStringList>("options"); // name=value
        QTest::addColumn<bool>("transparent");
        QTest::newRow("QR Code as SVG") << "QR Code" << "SVG" << "it's \"quoted\" $HOME" << QStringList{"secure=4", "fg=336699"} << false;
        QTest::newRow("GS1 Data Matrix as BMP") << "Data Matrix (ECC200)" << "BMP" << "[01]09501101530003"
                                                << QStringList{"input=2", "shape=1", "border=1"} << false;
        QTest::newRow("PDF417 as TXT") << "PDF417" << "TXT" << "-starts with a dash\nand two lines" << QStringList{"cols=4"} << false;
        QTest::newRow("Code 128 as EPS") << "Code 128" << "EPS" << "ABC" << QStringList{"notext=1", "height=30", "rotate=90"} << false;
        // A transparent background goes along where the file keeps one, and only there.
        QTest::newRow("transparent PNG") << "QR Code" << "PNG" << "clear" << QStringList() << true;
        QTest::newRow("transparent box, BMP file") << "Code 128" << "BMP" << "ABC" << QStringList() << true;
    }

    void CopiedCommandWritesTheSavedFile()
    {
        QFETCH(QString, symbology);
        QFETCH(QString, format);
        QFETCH(QString, data);
        QFETCH(QStringList, options);
        QFETCH(bool, transparent);
        PickItem(FForm->ComboBoxSymbology, symbology);
        if (transparent)
            FForm->CheckBoxTransparent->click();
        PickItem(FForm->ComboBoxExt, format);
        FForm->MemoInputText->setPlainText(data);
        for (const QString &setting : options)
            SetOption(*FindBarcodeOption(setting.section(u'=', 0, 0)), setting.section(u'=', 1).toDouble());
        QVERIFY2(!FForm->Image->Picture().isNull(), qPrintable(FForm->StatusBar->SimpleText()));
        FForm->ButtonSavePathClick(FOut.filePath(QStringLiteral("saved")));
        const QByteArray saved = ReadAll(FOut.filePath(QStringLiteral("saved.") + format.toLower()));
        QVERIFY(!saved.isEmpty());

        FForm->MenuItemCopyCommandLine->Action()->trigger();
        const QString command = QGuiApplication::clipboard()->text();
        QCOMPARE(command, FForm->CommandLineText());
        QVERIFY(command.startsWith(QStringLiteral("quorvel ")));
        QTemporaryDir folder;
        // "quorvel" stands for the program just built, given to the shell as its $0.
        const QString script = QStringLiteral("quorvel() { \"$0\" \"$@\"; }; ") + command;
        const TProgramRun shell = RunProgram(QStringLiteral("/bin/sh"), {"-c", script, ProgramPath()}, folder.path());
        QVERIFY2(shell.ExitCode == 0, qPrintable(shell.Err));
        QCOMPARE(ReadAll(folder.filePath(QStringLiteral("barcode.") + format.toLower())), saved);
    }
};

QTEST_MAIN(TestSymbolSettings)
#include "TestSymbolSettings.moc"
