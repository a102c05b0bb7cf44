// The component's text-to-engine conversion of the input text and the primary message, against
// the real engine: any text in any symbology either renders a picture or fails with a message.
#include "FuzzSupport.h"

#include "barcode/Barcode.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

QString TakeText(FuzzedDataProvider &provider, size_t maxBytes)
{
    const bool asUnits = provider.ConsumeBool();
    const std::string raw = provider.ConsumeRandomLengthString(maxBytes);
    const QByteArray bytes(raw.data(), qsizetype(raw.size()));
    return asUnits ? Utf16FromBytes(bytes) : QString::fromUtf8(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider provider(data, size);
    // One component for the whole run, as the main window keeps one: state carried over from
    // the previous input is part of what is tried.
    static TBarcode *barcode = new TBarcode(nullptr);

    barcode->SetSymbology(TSymbology(provider.ConsumeIntegralInRange<int>(0, SymbologyCount - 1)));
    barcode->SetInputMode(TInputMode(provider.ConsumeIntegralInRange<int>(imData, imGs1)));
    barcode->SetEciEncoding(TEciEncoding(provider.ConsumeIntegralInRange<int>(enDefault, enBinary)));
    barcode->SetInputEscape(provider.ConsumeBool());
    barcode->SetInputExtraEscape(provider.ConsumeBool());
    barcode->SetInputParentheses(provider.ConsumeBool());
    barcode->SetInputCheck(provider.ConsumeBool());
    barcode->SetShowText(provider.ConsumeBool());
    barcode->SetRotation(90 * provider.ConsumeIntegralInRange<int>(0, 3));
    const TOutputOptions options = provider.ConsumeIntegral<quint16>()
                                   & SetOf(opBars, opBoldText, opBox, opBpp1, opDotty,
                                           opGsSeparator, opSmallText, opCompliantHeight);
    barcode->SetOutputOptions(options);
    barcode->SetPrimaryMessage(TakeText(provider, 160));
    barcode->SetInputText(TakeText(provider, 1200));

    try {
        const QImage &bitmap = barcode->Bitmap();
        FUZZ_CHECK(!bitmap.isNull() && bitmap.width() > 0 && bitmap.height() > 0);
        (void)barcode->OutputText();
    } catch (const Exception &error) {
        // The user sees this text in the status bar: it must say something.
        FUZZ_CHECK(!error.Message().trimmed().isEmpty());
    }
    return 0;
}
