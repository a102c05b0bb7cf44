#include "barcode/RecordFields.h"

namespace {

// eci by TEciEncoding; 0 for enDefault, which writes nothing.
const int EciNumbers[] = {0,  3,  4,  5,  6,  11, 12, 15, 16, 17, 18,  8,  7, 9, 10, 13, 22,
                          23, 21, 24, 26, 20, 27, 28, 29, 30, 31, 32, 33, 34, 35, 170, 899};
static_assert(sizeof EciNumbers / sizeof EciNumbers[0] == enBinary + 1, "one ECI per value");

} // namespace

bool TakesSecurityLevel(TSymbology s)
{
    switch (s) {
    case syPDF417: case syPDF417Compact: case syQRCode: case syMicroPDF417: case syAztecCode:
    case syMicroQRCode: case syHIBC_QRCode: case syHIBC_PDF417: case syHIBC_MicroPDF417:
        return true;
    default:
        return false;
    }
}

bool TakesEncodingMode(TSymbology s)
{
    return s == syMaxicode || (s >= syCompositeEAN && s <= syCompositeGS1_DataBarExpandedStacked);
}

bool TakesSymbolVersion(TSymbology s)
{
    switch (s) {
    case syCode11: case syCode3Of9: case syExtendedCode3Of9: case syCodabar: case syMsiPlessey:
    case syLOGMARS: case syQRCode: case syDataMatrix: case syVIN: case syAztecCode:
    case syMicroQRCode: case syHIBC_Code39: case syHIBC_DataMatrix: case syHIBC_QRCode:
    case syHIBC_AztecCode: case syHanXin: case syChannelCode: case syCodeOne: case syGridMatrix:
    case syRMQR:
        return true;
    default:
        return false;
    }
}

bool TakesDataMatrixShape(TSymbology s)
{
    return s == syDataMatrix || s == syHIBC_DataMatrix;
}

int EciNumber(TEciEncoding encoding)
{
    return encoding <= enBinary ? EciNumbers[encoding] : 0;
}
