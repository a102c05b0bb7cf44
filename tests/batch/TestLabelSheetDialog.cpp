#include "support/TestPresenters.h"

#include "barcode/Barcode.h"
#include "batch/LabelSheetDialog.h"
#include "verify/ScanCheck.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString Untranslated(const QString &text)
{
    return text;
}

// The page poppler draws from the PDF at `dpi`.
QImage Page(const QString &pdf, int page, int dpi)
{
    const QString stem = pdf + QStringLiteral(".page");
    QProcess process;
    process.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                                               QString::number(page), QStringLiteral("-l"), QString::number(page),
                                               QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, stem});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QImage();
    return QImage(stem + QStringLiteral(".png"));
}

QString Poppler(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The part of a page at `dpi` that a label in millimetres covers.
QImage Label(const QImage &page, const QRectF &labelMm, int dpi)
{
    const double perMm = dpi / 25.4;
    return page.copy(QRectF(labelMm.topLeft() * perMm, labelMm.size() * perMm).toRect());
}

QStringList Serials(int count)
{
    QStringList strings;
    for (int i = 1; i <= count; ++i)
        strings << QStringLiteral("LBL-%1").arg(i, 4, 10, QLatin1Char('0'));
    return strings;
}

} // namespace

class TestLabelSheetDialog : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FDir;
    TBarcode FBarcode{nullptr};

private slots:
    void initTestCase()
    {
        FBarcode.SetSymbology(syQRCode);
        FBarcode.SetQuietZones(qzCompliant);
    }

    // More strings than one page: every label a symbol that reads back as its own string,
    // the pages vectors only.
    void SavesEveryPage()
    {
        TLabelSheetDialog dialog(nullptr, FBarcode, Serials(26), TLabelSheetDialog::TFill::OnePerString, Untranslated);
        QCOMPARE(dialog.Problem(), QString());
        QCOMPARE(dialog.PageCount(), 2);
        TLabelSheet sheet = dialog.Sheet();
        sheet.Caption = true;
        dialog.SetSheet(sheet);
        const QString pdf = FDir.filePath(QStringLiteral("sheet.pdf"));
        QVERIFY(dialog.SavePdf(pdf));
        QVERIFY(Poppler(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
        QCOMPARE(Poppler(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(u'\n', Qt::SkipEmptyParts).size(), 2);
        // Captions are text.
        const QString text = Poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.contains(QLatin1String("LBL-0001")) && text.contains(QLatin1String("LBL-0026")));

        const QList<TLabelPlace> places = LayOutLabels(sheet, 26);
        constexpr int Dpi = 200;
        const QImage first = Page(pdf, 1, Dpi);
        const QImage second = Page(pdf, 2, Dpi);
        QVERIFY(!first.isNull() && !second.isNull());
        for (const int item : {0, 4, 23, 24, 25}) {
            const TLabelPlace &place = places.at(item);
            const QImage label = Label(place.Page == 0 ? first : second, place.LabelMm, Dpi);
            const QString data = QStringLiteral("LBL-%1").arg(item + 1, 4, 10, QLatin1Char('0'));
            const TScanVerdict verdict = ReadBack(label, FileScanRequest(FBarcode, data));
            QVERIFY2(verdict.Outcome == TScanOutcome::ReadsBack, qPrintable(QStringLiteral("%1: %2").arg(data, verdict.Seen)));
        }
    }

    // A printer measures from the paper's corner too: Qt's PDF printer stands in for a real one.
    void PrintsAtThePapersCorner()
    {
        TLabelSheetDialog dialog(nullptr, FBarcode, Serials(3), TLabelSheetDialog::TFill::OnePerString, Untranslated);
        dialog.ComboBoxPreset->setCurrentIndex(1); // Letter, with margins of its own
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = FDir.filePath(QStringLiteral("printed.pdf"));
        printer.setOutputFileName(pdf);
        QVERIFY(dialog.Print(printer));
        QVERIFY(Poppler(QStringLiteral("pdfinfo"), {pdf}).contains(QLatin1String("612 x 792 pts")));
        constexpr int Dpi = 200;
        const QImage page = Page(pdf, 1, Dpi);
        const QList<TLabelPlace> places = LayOutLabels(dialog.Sheet(), 3);
        for (int item = 0; item < 3; ++item) {
            const QString data = QStringLiteral("LBL-%1").arg(item + 1, 4, 10, QLatin1Char('0'));
            const TScanVerdict verdict = ReadBack(Label(page, places.at(item).LabelMm, Dpi), FileScanRequest(FBarcode, data));
            QVERIFY2(verdict.Outcome == TScanOutcome::ReadsBack, qPrintable(data));
        }
    }

    // From the main window: the one symbol on every label from the start position on.
    void FillsThePageFromTheStart()
    {
        TLabelSheetDialog dialog(nullptr, FBarcode, {QStringLiteral("same")}, TLabelSheetDialog::TFill::FillPage, Untranslated);
        QCOMPARE(dialog.LabelCount(), 24);
        dialog.EditStart->setValue(5);
        QCOMPARE(dialog.LabelCount(), 20);
        QCOMPARE(dialog.PageCount(), 1);
        dialog.ComboBoxPreset->setCurrentIndex(1); // Letter, 3 x 10
        QCOMPARE(dialog.Sheet().PageMm, PageLetterMm);
        QCOMPARE(dialog.LabelCount(), 26);
    }

    // A value that cannot work is named, the buttons are off and nothing is written.
    void ImpossibleValues_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("named");
        QTest::newRow("zero rows") << "EditRows" << 0.0 << "Rows must be at least 1, not 0";
        QTest::newRow("label wider than the page") << "EditLabelWidth" << 250.0 << "need 750 mm across, but the page is 210 mm wide";
        QTest::newRow("start beyond the page") << "EditStart" << 30.0 << "not 30";
    }

    void ImpossibleValues()
    {
        QFETCH(QString, field);
        QFETCH(double, value);
        QFETCH(QString, named);
        TLabelSheetDialog dialog(nullptr, FBarcode, Serials(3), TLabelSheetDialog::TFill::OnePerString, Untranslated);
        QObject *edit = dialog.findChild<QObject *>(field);
        QVERIFY(edit != nullptr);
        QVERIFY(edit->setProperty("value", value));
        QVERIFY2(dialog.Problem().contains(named), qPrintable(dialog.Problem()));
        QVERIFY(!dialog.ButtonPrint->isEnabled());
        QVERIFY(!dialog.ButtonSavePdf->isEnabled());
        TRecordingMessages messages;
        const QString pdf = FDir.filePath(QStringLiteral("impossible.pdf"));
        QVERIFY(!dialog.SavePdf(pdf));
        QCOMPARE(messages.Texts().size(), 1);
        QVERIFY(!QFile::exists(pdf));
    }

    // A string the symbology refuses is named with its line before anything is written; an
    // earlier file stays.
    void RefusedStringWritesNothing()
    {
        TBarcode ean(nullptr);
        ean.SetSymbology(syEAN);
        TLabelSheetDialog dialog(nullptr, ean, {QStringLiteral("501234567890"), QStringLiteral("letters")},
                                 TLabelSheetDialog::TFill::OnePerString, Untranslated);
        const QString pdf = FDir.filePath(QStringLiteral("kept.pdf"));
        {
            QFile earlier(pdf);
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("earlier");
        }
        TRecordingMessages messages;
        QVERIFY(!dialog.SavePdf(pdf));
        QCOMPARE(messages.Texts().size(), 1);
        // The engine's own words for the refused string, after its line number.
        ean.SetInputText(QStringLiteral("letters"));
        QString engine;
        try {
            ean.Bitmap();
        } catch (const EBarcodeError &error) {
            engine = error.Message();
        }
        QVERIFY(!engine.isEmpty());
        QVERIFY2(messages.Texts().first().contains(QStringLiteral("2: ") + engine), qPrintable(messages.Texts().first()));
        QFile kept(pdf);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("earlier"));
    }

    void UnwritableFolder()
    {
        TLabelSheetDialog dialog(nullptr, FBarcode, Serials(1), TLabelSheetDialog::TFill::OnePerString, Untranslated);
        TRecordingMessages messages;
        QVERIFY(!dialog.SavePdf(FDir.filePath(QStringLiteral("missing/sheet.pdf"))));
        QCOMPARE(messages.Texts().size(), 1);
        QVERIFY(messages.Texts().first().contains(QLatin1String("missing")));
    }
};

QTEST_MAIN(TestLabelSheetDialog)
#include "TestLabelSheetDialog.moc"
