#include "verify/ScanProfiles.h"

#include <ZXing/BarcodeFormat.h>

namespace {

using ZXing::BarcodeFormat;
using R = TScanRule;

constexpr int F(BarcodeFormat format) { return int(format); }

constexpr int EanUpc = F(BarcodeFormat::EAN8) | F(BarcodeFormat::EAN13) | F(BarcodeFormat::UPCA) |
                       F(BarcodeFormat::UPCE);

// Quiet zones after ISO/IEC and GS1 (in modules); X-dimensions after the GS1 General
// Specifications where GS1 sets them, else the usual range of label printers.
TScanProfile Lookup(TSymbology symbology)
{
    switch (symbology) {
    case syQRCode:
        return {F(BarcodeFormat::QRCode), R::Exact, false, 4, 4, 0.25f, 2.0f};
    case syUPNQR:
        return {F(BarcodeFormat::QRCode), R::Exact, false, 4, 4, 0.25f, 2.0f, "ISO-8859-2"};
    case syHIBC_QRCode:
        return {F(BarcodeFormat::QRCode), R::Hibc, false, 4, 4, 0.25f, 2.0f};
    case syMicroQRCode:
        return {F(BarcodeFormat::MicroQRCode), R::Exact, false, 2, 2, 0.25f, 2.0f};
    case syDataMatrix:
        return {F(BarcodeFormat::DataMatrix), R::Exact, false, 1, 1, 0.255f, 0.99f};
    case syHIBC_DataMatrix:
        return {F(BarcodeFormat::DataMatrix), R::Hibc, false, 1, 1, 0.255f, 0.99f};
    case syAztecCode:
        return {F(BarcodeFormat::Aztec), R::Exact, false, 0, 0, 0.25f, 2.0f};
    case syHIBC_AztecCode:
        return {F(BarcodeFormat::Aztec), R::Hibc, false, 0, 0, 0.25f, 2.0f};
    case syPDF417:
    case syPDF417Compact:
        return {F(BarcodeFormat::PDF417), R::Exact, false, 2, 2, 0.19f, 1.0f};
    case syHIBC_PDF417:
        return {F(BarcodeFormat::PDF417), R::Hibc, false, 2, 2, 0.19f, 1.0f};
    case syMaxicode:
        return {F(BarcodeFormat::MaxiCode), R::Exact, false, 1, 1, 0.0f, 0.0f};
    case syCode128:
    case syCode128SubsetAB:
        return {F(BarcodeFormat::Code128), R::Exact, false, 10, 10, 0.19f, 1.0f};
    case syGS1_128:
        return {F(BarcodeFormat::Code128), R::Gs1, false, 10, 10, 0.495f, 1.016f};
    case syEAN14:
    case syNVE18:
        return {F(BarcodeFormat::Code128), R::Gtin, false, 10, 10, 0.495f, 1.016f};
    case syHIBC_Code128:
        return {F(BarcodeFormat::Code128), R::Hibc, false, 10, 10, 0.19f, 1.0f};
    case syCode3Of9:
    case syLOGMARS:
    case syVIN:
        return {F(BarcodeFormat::Code39), R::Upper, false, 10, 10, 0.19f, 1.0f};
    case syExtendedCode3Of9:
        return {F(BarcodeFormat::Code39), R::Exact, true, 10, 10, 0.19f, 1.0f};
    case syHIBC_Code39:
        return {F(BarcodeFormat::Code39), R::Hibc, false, 10, 10, 0.19f, 1.0f};
    case syCode32:
        return {F(BarcodeFormat::Code39), R::Code32, false, 10, 10, 0.19f, 1.0f};
    case syPZN:
        return {F(BarcodeFormat::Code39), R::Pzn, false, 10, 10, 0.19f, 1.0f};
    case syCode93:
        return {F(BarcodeFormat::Code93), R::Exact, false, 10, 10, 0.19f, 1.0f};
    case syCodabar:
        return {F(BarcodeFormat::Codabar), R::Codabar, false, 10, 10, 0.19f, 1.0f};
    case syInterleaved2Of5:
    case syDeutschePostLeitcode:
    case syDeutschePostIdentcode:
        return {F(BarcodeFormat::ITF), R::Digits, false, 10, 10, 0.19f, 1.0f};
    case syITF14:
        return {F(BarcodeFormat::ITF), R::Digits, false, 10, 10, 0.495f, 1.016f};
    case syEAN:
    case syEAN_Check:
    case syISBN:
        return {EanUpc, R::Digits, false, 11, 7, 0.264f, 0.66f};
    case syUPCA:
    case syUPCA_Check:
        return {EanUpc, R::Digits, false, 9, 9, 0.264f, 0.66f};
    case syUPCE:
    case syUPCE_Check:
        return {EanUpc, R::Digits, false, 9, 7, 0.264f, 0.66f};
    case syGS1_DataBarOmni:
    case syGS1_DataBarStacked:
    case syGS1_DataBarOmniStacked:
        return {F(BarcodeFormat::DataBar), R::Gtin, false, 0, 0, 0.264f, 0.66f};
    case syGS1_DataBarExpanded:
    case syGS1_DataBarExpandedStacked:
        return {F(BarcodeFormat::DataBarExpanded), R::Gs1, false, 0, 0, 0.264f, 0.66f};
    // Symbologies the reader does not know still have quiet zones.
    case syCode11:
    case syStandardCode2Of5:
    case syCode2Of5IATA:
    case syCode2Of5DataLogic:
    case syCode2Of5Industrial:
    case syTelepenAlpha:
    case syTelepenNumeric:
    case syCodaBlockF:
    case syHIBC_BlockF:
        return {0, R::None, false, 10, 10, 0.0f, 0.0f};
    case syMsiPlessey:
    case syPlessey:
        return {0, R::None, false, 12, 12, 0.0f, 0.0f};
    case syCode16K:
    case syCode49:
        return {0, R::None, false, 10, 1, 0.0f, 0.0f};
    case syMicroPDF417:
    case syHIBC_MicroPDF417:
    case syCodeOne:
        return {0, R::None, false, 1, 1, 0.0f, 0.0f};
    case syHanXin:
    case syDotCode:
        return {0, R::None, false, 3, 3, 0.0f, 0.0f};
    case syRMQR:
        return {0, R::None, false, 2, 2, 0.0f, 0.0f};
    default:
        return {};
    }
}

struct TProfiles
{
    TScanProfile Rows[SymbologyCount];
    TProfiles()
    {
        for (int i = 0; i < SymbologyCount; ++i)
            Rows[i] = Lookup(TSymbology(i));
    }
};

} // namespace

const TScanProfile &ScanProfile(TSymbology symbology)
{
    static const TProfiles profiles;
    static const TScanProfile none;
    const int row = int(symbology);
    return row >= 0 && row < SymbologyCount ? profiles.Rows[row] : none;
}
