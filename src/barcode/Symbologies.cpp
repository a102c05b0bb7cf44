#include "barcode/Symbologies.h"

#include <QMetaEnum>

namespace {

// In TSymbology order: the ordinal of a value is its row.
const TSymbologyInfo Catalogue[SymbologyCount] = {
    {1, "Code 11"}, // syCode11
    {2, "2 of 5 Standard (Matrix)"}, // syStandardCode2Of5
    {3, "2 of 5 Interleaved"}, // syInterleaved2Of5
    {4, "2 of 5 IATA"}, // syCode2Of5IATA
    {6, "2 of 5 Data Logic"}, // syCode2Of5DataLogic
    {7, "2 of 5 Industrial"}, // syCode2Of5Industrial
    {8, "Code 39"}, // syCode3Of9
    {9, "Extended Code 39"}, // syExtendedCode3Of9
    {13, "EAN (European Article Number)"}, // syEAN
    {14, "EAN + Check Digit"}, // syEAN_Check
    {16, "GS1-128"}, // syGS1_128
    {18, "Codabar"}, // syCodabar
    {20, "Code 128"}, // syCode128
    {21, "Deutsche Post Leitcode"}, // syDeutschePostLeitcode
    {22, "Deutsche Post Identcode"}, // syDeutschePostIdentcode
    {23, "Code 16K"}, // syCode16K
    {24, "Code 49"}, // syCode49
    {25, "Code 93"}, // syCode93
    {28, "Flattermarken"}, // syFlattermarken
    {29, "GS1 DataBar Omnidirectional"}, // syGS1_DataBarOmni
    {30, "GS1 DataBar Limited"}, // syGS1_DataBarLimited
    {31, "GS1 DataBar Expanded"}, // syGS1_DataBarExpanded
    {32, "Telepen Alpha"}, // syTelepenAlpha
    {34, "UPC-A"}, // syUPCA
    {35, "UPC-A + Check Digit"}, // syUPCA_Check
    {37, "UPC-E"}, // syUPCE
    {38, "UPC-E + Check Digit"}, // syUPCE_Check
    {40, "USPS (U.S. Postal Service) POSTNET"}, // syPostNet
    {47, "MSI Plessey"}, // syMsiPlessey
    {49, "Facing Identification Mark"}, // syFIM
    {50, "LOGMARS"}, // syLOGMARS
    {51, "Pharmacode One-Track"}, // syPharmacodeOneTrack
    {52, "Pharmazentralnummer"}, // syPZN
    {53, "Pharmacode Two-Track"}, // syPharmacodeTwoTrack
    {54, "Brazilian CEPNet Postal Code"}, // syCEPNet
    {55, "PDF417"}, // syPDF417
    {56, "Compact PDF417 (Truncated PDF417)"}, // syPDF417Compact
    {57, "MaxiCode"}, // syMaxicode
    {58, "QR Code"}, // syQRCode
    {60, "Code 128 (Suppress Code Set C)"}, // syCode128SubsetAB
    {63, "Australia Post Standard Customer"}, // syAustraliaPostStandardCustomer
    {66, "Australia Post Reply Paid"}, // syAustraliaPostReplyPaid
    {67, "Australia Post Routing"}, // syAustraliaPostRouting
    {68, "Australia Post Redirection"}, // syAustraliaPostRedirection
    {69, "ISBN"}, // syISBN
    {70, "Royal Mail 4-State Customer Code"}, // syRoyalMail4State
    {71, "Data Matrix (ECC200)"}, // syDataMatrix
    {72, "EAN-14"}, // syEAN14
    {73, "Vehicle Identification Number"}, // syVIN
    {74, "Codablock-F"}, // syCodaBlockF
    {75, "NVE-18 (SSCC-18)"}, // syNVE18
    {76, "Japanese Postal Code"}, // syJapanesePost
    {77, "Korea Post"}, // syKoreaPost
    {79, "GS1 DataBar Stacked"}, // syGS1_DataBarStacked
    {80, "GS1 DataBar Stacked Omnidirectional"}, // syGS1_DataBarOmniStacked
    {81, "GS1 DataBar Expanded Stacked"}, // syGS1_DataBarExpandedStacked
    {82, "USPS PLANET"}, // syPLANET
    {84, "MicroPDF417"}, // syMicroPDF417
    {85, "USPS Intelligent Mail (OneCode)"}, // syUSPSIntelligentMail
    {86, "UK Plessey"}, // syPlessey
    {87, "Telepen Numeric"}, // syTelepenNumeric
    {89, "ITF-14"}, // syITF14
    {90, "Dutch Post KIX Code"}, // syDutchPostKIXCode
    {92, "Aztec Code"}, // syAztecCode
    {93, "DAFT Code"}, // syDAFTCode
    {96, "DPD Code"}, // syDPD
    {97, "Micro QR Code"}, // syMicroQRCode
    {98, "HIBC (Health Industry Barcode) Code 128"}, // syHIBC_Code128
    {99, "HIBC Code 39"}, // syHIBC_Code39
    {102, "HIBC Data Matrix"}, // syHIBC_DataMatrix
    {104, "HIBC QR Code"}, // syHIBC_QRCode
    {106, "HIBC PDF417"}, // syHIBC_PDF417
    {108, "HIBC MicroPDF417"}, // syHIBC_MicroPDF417
    {110, "HIBC Codablock-F"}, // syHIBC_BlockF
    {112, "HIBC Aztec Code"}, // syHIBC_AztecCode
    {115, "DotCode"}, // syDotCode
    {116, "Han Xin (Chinese Sensible) Code"}, // syHanXin
    {119, "Royal Mail 2D Mailmark"}, // syMailmark2D
    {120, "Universal Postal Union S10"}, // syUpuS10
    {121, "Royal Mail 4-State Mailmark"}, // syMailmark4S
    {128, "Aztec Runes"}, // syAztecRunes
    {129, "Code 32"}, // syCode32
    {130, "EAN Composite"}, // syCompositeEAN
    {131, "GS1-128 Composite"}, // syCompositeGS1_128
    {132, "GS1 DataBar Omnidirectional Composite"}, // syCompositeGS1_DataBarOmni
    {133, "GS1 DataBar Limited Composite"}, // syCompositeGS1_DataBarLimited
    {134, "GS1 DataBar Expanded Composite"}, // syCompositeGS1_DataBarExpanded
    {135, "UPC-A Composite"}, // syCompositeUPCA
    {136, "UPC-E Composite"}, // syCompositeUPCE
    {137, "GS1 DataBar Stacked Composite"}, // syCompositeGS1_DataBarStacked
    {138, "GS1 DataBar Stacked Omnidirectional Composite"}, // syCompositeGS1_DataBarOmniStacked
    {139, "GS1 DataBar Expanded Stacked Composite"}, // syCompositeGS1_DataBarExpandedStacked
    {140, "Channel Code"}, // syChannelCode
    {141, "Code One"}, // syCodeOne
    {142, "Grid Matrix"}, // syGridMatrix
    {143, "UPNQR (Univerzalnega Plačilnega Naloga QR)"}, // syUPNQR
    {144, "Ultracode"}, // syUltracode
    {145, "Rectangular Micro QR Code (rMQR)"}, // syRMQR
    {146, "IBM BC412 (SEMI T1-95)"}, // syBC412
};

} // namespace

const TSymbologyInfo &SymbologyInfo(TSymbology symbology)
{
    return Catalogue[symbology < SymbologyCount ? symbology : syQRCode];
}

int EngineId(TSymbology symbology)
{
    return SymbologyInfo(symbology).EngineId;
}

QString DisplayName(TSymbology symbology)
{
    return QString::fromUtf8(SymbologyInfo(symbology).DisplayName);
}

bool FindSymbology(const QString &displayName, TSymbology &result)
{
    for (int i = 0; i < SymbologyCount; ++i) {
        if (displayName == QString::fromUtf8(Catalogue[i].DisplayName)) {
            result = TSymbology(i);
            return true;
        }
    }
    return false;
}

QString SymbologyShortName(TSymbology symbology)
{
    const QMetaEnum symbologies = QMetaEnum::fromType<TSymbology>();
    return QString::fromLatin1(symbologies.valueToKey(int(symbology))).mid(2);
}

bool FindSymbologyShortName(const QString &shortName, TSymbology &result)
{
    for (int i = 0; i < SymbologyCount; ++i) {
        if (shortName == SymbologyShortName(TSymbology(i))) {
            result = TSymbology(i);
            return true;
        }
    }
    return false;
}
