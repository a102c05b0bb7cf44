#include "support/TestPresenters.h"

#include "barcode/Barcode.h"
#include "batch/LabelSheetDialog.h"
#include "verify/ScanCheck.h"

#include <QComboBox>
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

constexpr int Dpi = 200; // pages are drawn at this resolution for reading back

// What a poppler tool prints; nothing when it fails.
QString Poppler(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The page poppler draws from the PDF; a file of its own for each page, so none is left from before.
QImage Page(const QString &pdf, int page)
{
    const QString number = QString::number(page), stem = pdf + QStringLiteral(".page") + number;
    Poppler(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-f"), number,
                                         QStringLiteral("-l"), number, QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                         pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}

// How the part of a page that a label in millimetres covers reads back as `data`.
TScanVerdict LabelVerdict(const QImage &page, const QRectF &labelMm, const TBarcode &barcode, const QString &data)
{
    const double perMm = Dpi / 25.4;
    const QImage label = page.copy(QRectF(labelMm.topLeft() * perMm, labelMm.size() * perMm).toRect());
    return ReadBack(label, FileScanRequest(barcode, data));
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
        const QStringList serials = Serials(26);
        TLabelSheetDialog dialog(nullptr, FBarcode, serials, TLabelSheetDialog::TFill::OnePerString, Untranslated);
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
        const QImage pages[] = {Page(pdf, 1), Page(pdf, 2)};
        QVERIFY(!pages[0].isNull() && !pages[1].isNull());
        for (const int item : {0, 4, 23, 24, 25}) {
            const TLabelPlace &place = places.at(item);
            const TScanVerdict verdict = LabelVerdict(pages[qMin(place.Page, 1)], place.LabelMm, FBarcode, serials.at(item));
            QVERIFY2(verdict.Outcome == TScanOutcome::ReadsBack, qPrintable(serials.at(item) + QStringLiteral(": ") + verdict.Seen));
        }
    }

    // A printer measures from the paper's corner too: Qt's PDF printer stands in for a real one.
    void PrintsAtThePapersCorner()
    {
        const QStringList serials = Serials(3);
        TLabelSheetDialog dialog(nullptr, FBarcode, serials, TLabelSheetDialog::TFill::OnePerString, Untranslated);
        dialog.ComboBoxPreset->setCurrentIndex(1); // Letter, with margins of its own
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = FDir.filePath(QStringLiteral("printed.pdf"));
        printer.setOutputFileName(pdf);
        QVERIFY(dialog.Print(printer));
        QVERIFY(Poppler(QStringLiteral("pdfinfo"), {pdf}).contains(QLatin1String("612 x 792 pts")));
        const QImage page = Page(pdf, 1);
        const QList<TLabelPlace> places = LayOutLabels(dialog.Sheet(), 3);
        for (int item = 0; item < 3; ++item)
            QVERIFY2(LabelVerdict(page, places.at(item).LabelMm, FBarcode, serials.at(item)).Outcome == TScanOutcome::ReadsBack,
                     qPrintable(serials.at(item)));
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
