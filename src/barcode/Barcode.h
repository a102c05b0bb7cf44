#pragma once

#include "barcode/BarcodeError.h"
#include "toolkit/Color.h"
#include "toolkit/Component.h"

#include <QByteArray>
#ifndef QUORVEL_FILES_ONLY
#include <QImage>
#endif
#include <QString>
#include <QtGlobal>

#include <memory>

struct zint_symbol;
struct TZintApi;
class TEngineRecord;
class TSaveTarget;
struct TSymbolVector;

// The component's enumerations. They live in one namespace so that the meta-object system knows
// their names (Q_ENUM_NS); the values keep their two-letter prefixes and are used unqualified
// (`syQRCode`, `opBpp1`), which is why the namespace is inline.
inline namespace BarcodeTypes {
Q_NAMESPACE

enum TSymbology : quint8 {
        syCode11,
        syStandardCode2Of5,
        syInterleaved2Of5,
        syCode2Of5IATA,
        syCode2Of5DataLogic,
        syCode2Of5Industrial,
        syCode3Of9,
        syExtendedCode3Of9,
        syEAN,
        syEAN_Check,
        syGS1_128,
        syCodabar,
        syCode128,
        syDeutschePostLeitcode,
        syDeutschePostIdentcode,
        syCode16K,
        syCode49,
        syCode93,
        syFlattermarken,
        syGS1_DataBarOmni,
        syGS1_DataBarLimited,
        syGS1_DataBarExpanded,
        syTelepenAlpha,
        syUPCA,
        syUPCA_Check,
        syUPCE,
        syUPCE_Check,
        syPostNet,
        syMsiPlessey,
        syFIM,
        syLOGMARS,
        syPharmacodeOneTrack,
        syPZN,
        syPharmacodeTwoTrack,
        syCEPNet,
        syPDF417,
        syPDF417Compact,
        syMaxicode,
        syQRCode,
        syCode128SubsetAB,
        syAustraliaPostStandardCustomer,
        syAustraliaPostReplyPaid,
        syAustraliaPostRouting,
        syAustraliaPostRedirection,
        syISBN,
        syRoyalMail4State,
        syDataMatrix,
        syEAN14,
        syVIN,
        syCodaBlockF,
        syNVE18,
        syJapanesePost,
        syKoreaPost,
        syGS1_DataBarStacked,
        syGS1_DataBarOmniStacked,
        syGS1_DataBarExpandedStacked,
        syPLANET,
        syMicroPDF417,
        syUSPSIntelligentMail,
        syPlessey,
        syTelepenNumeric,
        syITF14,
        syDutchPostKIXCode,
        syAztecCode,
        syDAFTCode,
        syDPD,
        syMicroQRCode,
        syHIBC_Code128,
        syHIBC_Code39,
        syHIBC_DataMatrix,
        syHIBC_QRCode,
        syHIBC_PDF417,
        syHIBC_MicroPDF417,
        syHIBC_BlockF,
        syHIBC_AztecCode,
        syDotCode,
        syHanXin,
        syMailmark2D,
        syUpuS10,
        syMailmark4S,
        syAztecRunes,
        syCode32,
        syCompositeEAN,
        syCompositeGS1_128,
        syCompositeGS1_DataBarOmni,
        syCompositeGS1_DataBarLimited,
        syCompositeGS1_DataBarExpanded,
        syCompositeUPCA,
        syCompositeUPCE,
        syCompositeGS1_DataBarStacked,
        syCompositeGS1_DataBarOmniStacked,
        syCompositeGS1_DataBarExpandedStacked,
        syChannelCode,
        syCodeOne,
        syGridMatrix,
        syUPNQR,
        syUltracode,
        syRMQR,
        syBC412
};
Q_ENUM_NS(TSymbology)

constexpr int SymbologyCount = 99;

enum TInputMode : quint8 { imData, imUnicode, imGs1 };
Q_ENUM_NS(TInputMode)

enum TOutputOption : quint8 {
    opBars, opBoldText, opBox, opBpp1, opCmyk, opDotty, opGsSeparator, opReaderInit, opSmallText,
    opStdout, opCompliantHeight, opTopBar, opGuardWhiteSpace, opEmbedFont
};
Q_ENUM_NS(TOutputOption)

enum TSecurityLevel : quint8 { slDefault, sl1, sl2, sl3, sl4, sl5, sl6, sl7, sl8 };
Q_ENUM_NS(TSecurityLevel)

enum TEncodingMode : quint8 { emDefault, em0, em1, em2, em3, em4, em5, em6 };
Q_ENUM_NS(TEncodingMode)

enum TEciEncoding : quint8 {
    enDefault, enLatin1, enLatin2, enLatin3, enLatin4, enLatin5, enLatin6, enLatin7, enLatin8,
    enLatin9, enLatin10, enLatinArabic, enLatinCyrilic, enLatinGreek, enLatinHebrew, enLatinThai,
    enWindowsCyrillic, enWindowsLatin1, enWindowsLatin2, enWindowsArabic, enUtf8, enShiftJIS,
    enASCII, enBig5, enGB2312, enKorean, enGBK, enGB18030, enUtf16LE, enUtf32BE, enUtf32LE,
    enInvariant, enBinary
};
Q_ENUM_NS(TEciEncoding)

enum TDataMatrix : quint8 {
    dmDefault, dmSquare, dmExtended, dmIso144, dmSquareIso144, dmExtendedIso144
};
Q_ENUM_NS(TDataMatrix)

enum TUltracode : quint8 { ucDefault, ucCompress };
Q_ENUM_NS(TUltracode)

enum TWarningLevel : quint8 { waDefault, waError };
Q_ENUM_NS(TWarningLevel)

enum TCapability : quint8 {
    caHumanReadable, caStackable, caEanUpc, caComposite, caECI, caGS1, caDotty, caQuietZones,
    caFixedRatio, caReaderInit, caMultiByte, caMask, caStructuredAppend, caCompliantHeight
};
Q_ENUM_NS(TCapability)

enum TQuietZones : quint8 { qzDefault, qzCompliant, qzDisabled };
Q_ENUM_NS(TQuietZones)

// The two sets are plain 16-bit words: element n is bit n (1 << n). Through the meta-object
// system they read and write as unsigned short (a QVariant holding any integer converts).
using TOutputOptions = quint16;
using TCapabilities = quint16;

template <typename E>
constexpr quint16 SetOf(E element) { return quint16(1u << unsigned(element)); }
template <typename E, typename... More>
constexpr quint16 SetOf(E element, More... more) { return quint16(SetOf(element) | SetOf(more...)); }
template <typename E>
constexpr bool InSet(quint16 set, E element) { return (set & SetOf(element)) != 0; }

} // namespace BarcodeTypes

// A non-visual component holding every setting of one barcode. Reading Bitmap (or OutputText,
// RowCount, Width) renders through the zint engine only when a setting changed since the last
// successful render; Save has the engine write a file in the format of the name's extension.
// Failures raise EBarcodeError (engine text unchanged); Columns, Mask and SymbolVersion out of
// range raise EInvalidOperation.
class TBarcode final : public TComponent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBarcode)

    Q_PROPERTY(QString About READ About WRITE SetAbout STORED false)
    Q_PROPERTY(TColor BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
    Q_PROPERTY(BarcodeTypes::TDataMatrix DataMatrix READ DataMatrix WRITE SetDataMatrix)
    Q_PROPERTY(float DotSize READ DotSize WRITE SetDotSize)
    Q_PROPERTY(BarcodeTypes::TEciEncoding EciEncoding READ EciEncoding WRITE SetEciEncoding)
    Q_PROPERTY(BarcodeTypes::TEncodingMode EncodingMode READ EncodingMode WRITE SetEncodingMode)
    Q_PROPERTY(bool FastMode READ FastMode WRITE SetFastMode)
    Q_PROPERTY(TColor ForeColor READ ForeColor WRITE SetForeColor)
    Q_PROPERTY(float GuardDescent READ GuardDescent WRITE SetGuardDescent)
    Q_PROPERTY(float Height READ Height WRITE SetHeight)
    Q_PROPERTY(bool HeightPerRow READ HeightPerRow WRITE SetHeightPerRow)
    Q_PROPERTY(bool InputCheck READ InputCheck WRITE SetInputCheck)
    Q_PROPERTY(bool InputEscape READ InputEscape WRITE SetInputEscape)
    Q_PROPERTY(bool InputExtraEscape READ InputExtraEscape WRITE SetInputExtraEscape)
    Q_PROPERTY(BarcodeTypes::TInputMode InputMode READ InputMode WRITE SetInputMode)
    Q_PROPERTY(bool InputParentheses READ InputParentheses WRITE SetInputParentheses)
    Q_PROPERTY(QString InputText READ InputText WRITE SetInputText)
    Q_PROPERTY(int Mask READ Mask WRITE SetMask)
    Q_PROPERTY(bool MultiByte READ MultiByte WRITE SetMultiByte)
    Q_PROPERTY(BarcodeTypes::TOutputOptions OutputOptions READ OutputOptions WRITE SetOutputOptions)
    Q_PROPERTY(QString PrimaryMessage READ PrimaryMessage WRITE SetPrimaryMessage)
    Q_PROPERTY(BarcodeTypes::TQuietZones QuietZones READ QuietZones WRITE SetQuietZones)
    Q_PROPERTY(int Rotation READ Rotation WRITE SetRotation)
    Q_PROPERTY(int Rows READ Rows WRITE SetRows)
    Q_PROPERTY(float Scale READ Scale WRITE SetScale)
    Q_PROPERTY(BarcodeTypes::TSecurityLevel SecurityLevel READ SecurityLevel WRITE SetSecurityLevel)
    Q_PROPERTY(int SeparatorHeight READ SeparatorHeight WRITE SetSeparatorHeight)
    Q_PROPERTY(bool ShowText READ ShowText WRITE SetShowText)
    Q_PROPERTY(BarcodeTypes::TSymbology Symbology READ Symbology WRITE SetSymbology)
    Q_PROPERTY(QString SymbologyName READ SymbologyName WRITE SetSymbologyName STORED false)
    Q_PROPERTY(int SymbolVersion READ SymbolVersion WRITE SetSymbolVersion)
    Q_PROPERTY(float TextGap READ TextGap WRITE SetTextGap)
    Q_PROPERTY(BarcodeTypes::TUltracode Ultracode READ Ultracode WRITE SetUltracode)
    Q_PROPERTY(BarcodeTypes::TWarningLevel WarningLevel READ WarningLevel WRITE SetWarningLevel)
    Q_PROPERTY(int WhiteSpaceHeight READ WhiteSpaceHeight WRITE SetWhiteSpaceHeight)
    Q_PROPERTY(int WhiteSpaceWidth READ WhiteSpaceWidth WRITE SetWhiteSpaceWidth)

    // Read-only, never stored.
    Q_PROPERTY(QString BarcodeName READ BarcodeName STORED false)
#ifndef QUORVEL_FILES_ONLY
    Q_PROPERTY(QImage Bitmap READ Bitmap STORED false)
#endif
    Q_PROPERTY(BarcodeTypes::TCapabilities Capabilities READ Capabilities STORED false)
    Q_PROPERTY(QString OutputText READ OutputText STORED false)
    Q_PROPERTY(int RowCount READ RowCount STORED false)
    Q_PROPERTY(int Version READ Version STORED false)
    Q_PROPERTY(int Width READ Width STORED false)
    Q_PROPERTY(float XDimension READ XDimension STORED false)

public:
    explicit TBarcode(QObject *AOwner);
    ~TBarcode() override;

    QString About() const;
    void SetAbout(const QString &) {}

    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    int Columns() const { return FColumns; }
    void SetColumns(int value);
    TDataMatrix DataMatrix() const { return FDataMatrix; }
    void SetDataMatrix(TDataMatrix value);
    float DotSize() const { return FDotSize; }
    void SetDotSize(float value);
    TEciEncoding EciEncoding() const { return FEciEncoding; }
    void SetEciEncoding(TEciEncoding value);
    TEncodingMode EncodingMode() const { return FEncodingMode; }
    void SetEncodingMode(TEncodingMode value);
    bool FastMode() const { return FFastMode; }
    void SetFastMode(bool value);
    TColor ForeColor() const { return FForeColor; }
    void SetForeColor(TColor value);
    float GuardDescent() const { return FGuardDescent; }
    void SetGuardDescent(float value);
    float Height() const { return FHeight; }
    void SetHeight(float value);
    bool HeightPerRow() const { return FHeightPerRow; }
    void SetHeightPerRow(bool value);
    bool InputCheck() const { return FInputCheck; }
    void SetInputCheck(bool value);
    bool InputEscape() const { return FInputEscape; }
    void SetInputEscape(bool value);
    bool InputExtraEscape() const { return FInputExtraEscape; }
    void SetInputExtraEscape(bool value);
    TInputMode InputMode() const { return FInputMode; }
    void SetInputMode(TInputMode value);
    bool InputParentheses() const { return FInputParentheses; }
    void SetInputParentheses(bool value);
    const QString &InputText() const { return FInputText; }
    void SetInputText(const QString &value);
    int Mask() const { return FMask; }
    void SetMask(int value);
    bool MultiByte() const { return FMultiByte; }
    void SetMultiByte(bool value);
    TOutputOptions OutputOptions() const { return FOutputOptions; }
    void SetOutputOptions(TOutputOptions value);
    const QString &PrimaryMessage() const { return FPrimaryMessage; }
    void SetPrimaryMessage(const QString &value);
    TQuietZones QuietZones() const { return FQuietZones; }
    void SetQuietZones(TQuietZones value);
    int Rotation() const { return FRotation; }
    void SetRotation(int value);
    int Rows() const { return FRows; }
    void SetRows(int value);
    float Scale() const { return FScale; }
    void SetScale(float value);
    TSecurityLevel SecurityLevel() const { return FSecurityLevel; }
    void SetSecurityLevel(TSecurityLevel value);
    int SeparatorHeight() const { return FSeparatorHeight; }
    void SetSeparatorHeight(int value);
    bool ShowText() const { return FShowText; }
    void SetShowText(bool value);
    TSymbology Symbology() const { return FSymbology; }
    void SetSymbology(TSymbology value);
    QString SymbologyName() const;
    // Selects the symbology whose display name equals `value` exactly; else "Symbology not found".
    void SetSymbologyName(const QString &value);
    int SymbolVersion() const { return FSymbolVersion; }
    void SetSymbolVersion(int value);
    float TextGap() const { return FTextGap; }
    void SetTextGap(float value);
    TUltracode Ultracode() const { return FUltracode; }
    void SetUltracode(TUltracode value);
    TWarningLevel WarningLevel() const { return FWarningLevel; }
    void SetWarningLevel(TWarningLevel value);
    int WhiteSpaceHeight() const { return FWhiteSpaceHeight; }
    void SetWhiteSpaceHeight(int value);
    int WhiteSpaceWidth() const { return FWhiteSpaceWidth; }
    void SetWhiteSpaceWidth(int value);

    // The engine's own name of the current symbology (empty when the engine does not know it).
    QString BarcodeName() const;
#ifndef QUORVEL_FILES_ONLY
    // Renders when a setting changed, then gives the owned image: 32 bits per pixel, or 1 bit
    // (black/white palette) with opBpp1. Empty (0 x 0) until the first successful render.
    const QImage &Bitmap();
#endif
    TCapabilities Capabilities() const;
    QString OutputText();
    int RowCount();
    // The loaded engine's version number, as the engine reports it.
    int Version() const;
    int Width();
    // The engine's default X-dimension of the current symbology, in millimetres.
    float XDimension() const;

    // Display name of any symbology, without touching the component.
    Q_INVOKABLE static QString SymbologyNames(BarcodeTypes::TSymbology index);
    // Has the engine write the symbol to `FileName`; the format follows its extension.
    Q_INVOKABLE void Save(const QString &FileName);
    // True when Save makes sure that a named file arrived whole and raises EBarcodeError
    // otherwise; false while the engine writes to standard output instead (opStdout), where no
    // file is written. The name "-" always means standard output.
    bool SaveChecksFiles() const;
    // Takes every stored setting of `source` (its published, stored properties, InputText
    // included, and the Resolution of saved files), so that this component draws and saves the
    // same symbol; the next render starts afresh.
    // Components share no state: a copy may render on another thread while `source` is used.
    void AssignSettings(const TBarcode &source);

    // With KeepWarnings set, an engine warning (such as an ECI it added) keeps the symbol and
    // leaves its text in Warning(); without it, every warning raises as the engine's error does.
    // Not published: it is no setting of the symbol but a choice of the program that shows it.
    bool KeepWarnings() const { return FKeepWarnings; }
    void SetKeepWarnings(bool value) { FKeepWarnings = value; }
    // The engine's warning about the last symbol it made; empty when there was none.
    const QString &Warning() const { return FWarning; }

    // What the engine chose where it was left free, as it left option_1 to option_3 after the
    // last successful encoding (size, version, error correction; their meaning is the
    // symbology's).
    struct TEngineChoice
    {
        int Option1 = 0;
        int Option2 = 0;
        int Option3 = 0;
    };
    const TEngineChoice &EngineChoice() const { return FEngineChoice; }

    // The next read of Bitmap renders afresh, also after a setting that waits for another change
    // (EciEncoding, MultiByte, Ultracode).
    void Invalidate() { FChanged = true; }

    // Dots per inch that Save writes into formats with a resolution field (BMP, PCX, PNG, TIF);
    // 0 leaves the engine's file as it is. Not published: it is no setting of the symbol.
    double Resolution() const { return FResolution; }
    // EBarcodeError for a negative or non-finite value.
    void SetResolution(double value);

    // A background that lets through what lies behind the symbol, in the pictures and the
    // files that can hold one (PNG, SVG, TIF, GIF, PDF); the others fill it with BackColor.
    // Not published, like Resolution: the settings of the symbol's look are stored elsewhere.
    bool TransparentBack() const { return FTransparentBack; }
    void SetTransparentBack(bool value);
    // Whether files with this extension ("png", any case, without the dot) keep a transparent
    // background.
    static bool KeepsTransparency(const QString &extension);

#ifndef QUORVEL_FILES_ONLY
    // The symbol as the engine's vector output: its shapes, colours and texts, for drawing on
    // paper or into a PDF at any size. Renders afresh; errors as for Bitmap.
    TSymbolVector Vector();
#endif

private:
    template <typename T>
    void Assign(T &field, const T &value);
    void AssignInRange(int &field, int value, int low, int high);
    void Generate(const QString &fileName, TSymbolVector *vector = nullptr);
    void FillGeometry(zint_symbol *symbol) const;
    void FillAppearance(zint_symbol *symbol) const;
    void FillOptions(zint_symbol *symbol) const;
    void FillPrimary(zint_symbol *symbol);
    void EncodeData(const TZintApi &api, zint_symbol *symbol);
#ifndef QUORVEL_FILES_ONLY
    void HandOverPixels(const TZintApi &api, zint_symbol *symbol);
#endif
    void PrintFile(const TZintApi &api, zint_symbol *symbol, TSaveTarget &target);
    // Raises the engine's message unless `result` is a warning that is kept.
    void CheckResult(int result, zint_symbol *symbol);
#ifndef QUORVEL_FILES_ONLY
    TSymbolVector CopyVector(const TZintApi &api, zint_symbol *symbol) const;
    void PrintPdf(const TZintApi &api, zint_symbol *symbol, TSaveTarget &target);
#endif
    // How the engine handed over its pixels: three bytes each, or one character each ('0' the
    // background), drawn in the component's colours or, with opBpp1, as a 1-bit image.
#ifndef QUORVEL_FILES_ONLY
    enum class TPixelLayout { Rgb, Characters, Mono };
    void CopyPixels(const unsigned char *pixels, int width, int height, TPixelLayout layout);
#endif

    TColor FBackColor;
#ifndef QUORVEL_FILES_ONLY
    QImage FBitmap;
#endif
    int FBorderWidth = 0;
    bool FChanged;
    int FColumns = 0;
    TDataMatrix FDataMatrix = dmDefault;
    float FDotSize;
    TEciEncoding FEciEncoding = enDefault;
    TEncodingMode FEncodingMode = emDefault;
    bool FFastMode = false;
    TColor FForeColor;
    float FGuardDescent;
    float FHeight;
    bool FHeightPerRow = false;
    bool FInputCheck;
    bool FInputEscape = false;
    bool FInputExtraEscape = false;
    TInputMode FInputMode;
    bool FInputParentheses = false;
    QString FInputText;
    int FMask;
    bool FMultiByte = false;
    TOutputOptions FOutputOptions = 0;
    QString FOutputText;
    QString FPrimaryMessage;
    TQuietZones FQuietZones;
    int FRotation = 0;
    int FRowCount = 0;
    int FRows = 0;
    float FScale;
    TSecurityLevel FSecurityLevel = slDefault;
    int FSeparatorHeight;
    bool FShowText;
    TSymbology FSymbology;
    int FSymbolVersion = 0;
    float FTextGap = 0.0f;
    TUltracode FUltracode = ucDefault;
    TWarningLevel FWarningLevel;
    int FWhiteSpaceHeight = 0;
    int FWhiteSpaceWidth = 0;
    int FWidth = 0;

    double FResolution = 0.0;
    bool FKeepWarnings = false;
    QString FWarning;
    TEngineChoice FEngineChoice;
    bool FTransparentBack = false;
    std::unique_ptr<TEngineRecord> FRecord; // kept between renders
    QByteArray FUtf8Buffer;                 // the data and primary message as UTF-8
};
