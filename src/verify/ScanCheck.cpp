#include "verify/ScanCheck.h"

#include "verify/ScanProfiles.h"
#include "verify/ScanWarnings.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <QPainter>

namespace {

// A picture the reader can take: 8-bit grey, transparent parts on white as printed.
QImage GreyPicture(const QImage &picture)
{
    if (picture.hasAlphaChannel()) {
        QImage flat(picture.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter painter(&flat);
        painter.drawImage(0, 0, picture);
        painter.end();
        return flat.convertToFormat(QImage::Format_Grayscale8);
    }
    return picture.convertToFormat(QImage::Format_Grayscale8);
}

// Modules of about three pixels are all the reader needs; larger ones only cost it time. The
// engine draws a module as 2 x Scale pixels.
constexpr double ReadModulePixels = 3.0;

QImage ReaderSized(const QImage &picture, float scale)
{
    const int factor = int(2.0 * double(scale) / ReadModulePixels);
    if (factor < 2)
        return picture;
    return picture.scaled(picture.width() / factor, picture.height() / factor, Qt::IgnoreAspectRatio,
                          Qt::FastTransformation);
}

QString TextOf(const ZXing::Result &result)
{
    return QString::fromStdString(result.text());
}

} // namespace

bool HasScanReader(TSymbology symbology)
{
    return ScanProfile(symbology).Formats != 0;
}

TScanRequest FileScanRequest(const TBarcode &barcode, const QString &data)
{
    TScanRequest request;
    request.Symbology = barcode.Symbology();
    request.Data = data;
    request.Primary = barcode.PrimaryMessage();
    request.Gs1 = barcode.InputMode() == imGs1;
    request.Parentheses = barcode.InputParentheses();
    request.Escapes = barcode.InputEscape();
    request.Linear = !InSet(barcode.Capabilities(), caFixedRatio);
    request.Rotation = barcode.Rotation();
    request.ForeColor = barcode.ForeColor();
    request.BackColor = barcode.BackColor();
    request.Scale = barcode.Scale();
    request.Framed = InSet(barcode.OutputOptions(), opBox) || InSet(barcode.OutputOptions(), opBars);
    request.WhiteSpace = barcode.WhiteSpaceWidth();
    request.QuietZones = barcode.QuietZones();
    return request;
}

TScanRequest ScanRequestOf(TBarcode &barcode, double xDimensionMm)
{
    TScanRequest request = FileScanRequest(barcode, barcode.InputText());
    request.SymbolWidth = barcode.Width();
    request.XDimensionMm = xDimensionMm;
    return request;
}

TScanVerdict CheckPicture(const QImage &picture, const TScanRequest &request)
{
    TScanVerdict verdict = ReadBack(picture, request);
    verdict.Warnings = ScanWarnings(picture, request);
    return verdict;
}

TScanVerdict ReadBack(const QImage &picture, const TScanRequest &request)
{
    TScanVerdict verdict;
    const TScanProfile &profile = ScanProfile(request.Symbology);
    if (profile.Formats == 0) {
        verdict.Outcome = TScanOutcome::NoReader;
        return verdict;
    }
    verdict.Outcome = TScanOutcome::DoesNotRead;
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0)
        return verdict;

    const QImage grey = GreyPicture(ReaderSized(picture, request.Scale));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormats(ZXing::BarcodeFormat(profile.Formats)));
    hints.setTryHarder(true);
    hints.setTryRotate(true);
    hints.setReturnErrors(true);
    // One symbol is all a picture holds; looking for more trips the reader over stacked DataBar.
    hints.setMaxNumberOfSymbols(1);
    hints.setTryCode39ExtendedMode(profile.Code39Extended);
    if (profile.CharacterSet != nullptr)
        hints.setCharacterSet(profile.CharacterSet);
    if (profile.Rule == TScanRule::Digits && request.Data.contains(u'+'))
        hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Require);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    const ZXing::Results results = ZXing::ReadBarcodes(view, hints);

    QString differently;
    QString reason;
    for (const ZXing::Result &result : results) {
        if (!result.isValid()) {
            if (reason.isEmpty())
                reason = QString::fromStdString(result.error().msg());
            continue;
        }
        const QString seen = TextOf(result);
        if (ReadsAsAsked(request, seen)) {
            verdict.Outcome = TScanOutcome::ReadsBack;
            verdict.Seen.clear();
            return verdict;
        }
        if (differently.isNull())
            differently = seen;
    }
    if (!differently.isNull()) {
        verdict.Outcome = TScanOutcome::ReadsDifferently;
        verdict.Seen = differently;
    } else {
        verdict.Seen = reason;
    }
    return verdict;
}
