#include "batch/LabelSheetPrint.h"

#include "toolkit/Exception.h"

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

TLabelSymbols::TLabelSymbols(const TBarcode &settings, QStringList strings)
    : FBarcode(std::make_unique<TBarcode>(nullptr))
    , FStrings(std::move(strings))
{
    FBarcode->AssignSettings(settings);
}

TLabelSymbols::~TLabelSymbols() = default;

const TSymbolVector &TLabelSymbols::Symbol(int item)
{
    const QString &text = FStrings.at(item);
    auto made = FMade.constFind(text);
    if (made == FMade.constEnd()) {
        FBarcode->SetInputText(text);
        made = FMade.insert(text, FBarcode->Vector());
    }
    return *made;
}

QSizeF TLabelSymbols::Modules(int item)
{
    // The engine's vector units are those of its raster output: 2 x Scale a module.
    return Symbol(item).Size / (2.0 * double(FBarcode->Scale()));
}

QStringList TLabelSymbols::Failures(int most)
{
    QStringList failures;
    int count = 0;
    for (int item = 0; item < Count(); ++item) {
        try {
            Symbol(item);
        } catch (const EBarcodeError &error) {
            if (count++ < most)
                failures << QStringLiteral("%1: %2").arg(item + 1).arg(error.Message());
        }
    }
    if (count > most)
        failures << QStringLiteral("\u2026");
    return failures;
}

void PaintLabelPage(QPainter &painter, const TLabelSheet &sheet, const QList<TLabelPlace> &places,
                    TLabelSymbols &symbols, int page, double devicePerMm, double fitDotsPerMm, bool outlines)
{
    const auto device = [devicePerMm](const QRectF &mm) {
        return QRectF(mm.topLeft() * devicePerMm, mm.size() * devicePerMm);
    };
    for (const TLabelPlace &place : places) {
        if (place.Page != page)
            continue;
        if (outlines) {
            painter.save();
            painter.setPen(QPen(QColor(0xB0, 0xB0, 0xB0), 0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(device(place.LabelMm));
            painter.restore();
        }
        try {
            const TSymbolVector &symbol = symbols.Symbol(place.Item);
            const TSymbolFit fit = FitSymbol(LabelSymbolAreaMm(sheet, place.LabelMm), symbols.Modules(place.Item), fitDotsPerMm);
            PaintSymbolVector(painter, symbol, device(fit.TargetMm));
        } catch (const EBarcodeError &) {
            continue; // the preview shows the label empty; printing checks first
        }
        const QRectF caption = LabelCaptionAreaMm(sheet, place.LabelMm);
        if (!caption.isEmpty()) {
            const QRectF area = device(caption);
            QFont font(QStringLiteral("Helvetica"));
            font.setStyleHint(QFont::SansSerif);
            font.setPixelSize(qMax(1, int(area.height() * 0.8)));
            painter.save();
            painter.setFont(font);
            painter.setPen(Qt::black);
            const QString text = QFontMetricsF(font, painter.device()).elidedText(
                symbols.Text(place.Item).simplified(), Qt::ElideRight, area.width());
            painter.drawText(area, Qt::AlignHCenter | Qt::AlignVCenter, text);
            painter.restore();
        }
    }
}

void PrintLabelSheet(QPagedPaintDevice &device, const TLabelSheet &sheet, TLabelSymbols &symbols)
{
    const QList<TLabelPlace> places = LayOutLabels(sheet, symbols.Count());
    if (places.isEmpty())
        throw Exception(QStringLiteral("There is nothing to print."));
    const QStringList failures = symbols.Failures();
    if (!failures.isEmpty())
        throw Exception(QStringLiteral("These strings cannot be encoded; nothing was printed:\n%1")
                            .arg(failures.join(QLatin1Char('\n'))));
    device.setPageLayout(QPageLayout(QPageSize(sheet.PageMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                                     QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&device))
        throw Exception(QStringLiteral("Printing failed: the printer or its output file could not be opened"));
    const double dotsPerMm = device.logicalDpiX() / 25.4;
    const int pages = places.last().Page + 1;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            throw Exception(QStringLiteral("Printing failed: the printer took no further page"));
        PaintLabelPage(painter, sheet, places, symbols, page, dotsPerMm, dotsPerMm, false);
    }
    if (!painter.end())
        throw Exception(QStringLiteral("Printing failed: the printer or its output file could not be opened"));
}

void SaveLabelSheetPdf(const QString &fileName, const TLabelSheet &sheet, TLabelSymbols &symbols)
{
    QSaveFile file(fileName);
    const auto fail = [&](const QString &reason) {
        throw Exception(QStringLiteral("The file \"%1\" could not be written: %2")
                            .arg(QDir::toNativeSeparators(fileName), reason));
    };
    if (!file.open(QIODevice::WriteOnly))
        fail(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Quorvel (QR code) Generator"));
        writer.setResolution(int(LabelPdfDpi));
        PrintLabelSheet(writer, sheet, symbols);
    }
    if (!file.commit())
        fail(file.errorString());
}
