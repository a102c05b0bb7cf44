#include "barcode/BarcodeOptions.h"

#include "barcode/RecordFields.h"
#include "barcode/ZintLibrary.h"

#include <QRegularExpression>

#include <cmath>

namespace {

using K = TOptionKind;
using P = TOptionPlace;

bool Always(TSymbology, TCapabilities) { return true; }
bool WithDots(TSymbology, TCapabilities c) { return InSet(c, caDotty); }
bool WithText(TSymbology, TCapabilities c) { return InSet(c, caHumanReadable); }
bool WithHeight(TSymbology, TCapabilities c) { return !InSet(c, caFixedRatio); }
bool WithEci(TSymbology, TCapabilities c) { return InSet(c, caECI); }
bool WithGs1(TSymbology, TCapabilities c) { return InSet(c, caGS1); }
bool WithMask(TSymbology, TCapabilities c) { return InSet(c, caMask); }
bool WithMultiByte(TSymbology, TCapabilities c) { return InSet(c, caMultiByte); }
bool Stacked(TSymbology, TCapabilities c) { return InSet(c, caStackable); }
bool EanUpc(TSymbology, TCapabilities c) { return InSet(c, caEanUpc); }
bool DataMatrixShape(TSymbology s, TCapabilities) { return TakesDataMatrixShape(s); }
bool EncodingMode(TSymbology s, TCapabilities) { return TakesEncodingMode(s); }
bool Code128Family(TSymbology s, TCapabilities) { return s == syCode128 || s == syCode128SubsetAB; }

// option_1 is the error correction of these besides those that take SecurityLevel; the
// component sends them Rows there.
bool EccInRows(TSymbology s)
{
    return s == syHanXin || s == syGridMatrix || s == syRMQR || s == syUltracode;
}

bool WithErrorCorrection(TSymbology s, TCapabilities)
{
    return (TakesSecurityLevel(s) && s != syMicroPDF417 && s != syHIBC_MicroPDF417) || EccInRows(s);
}

void ErrorCorrectionRange(TSymbology s, int &minimum, int &maximum)
{
    minimum = 1;
    switch (s) {
    case syQRCode: case syHIBC_QRCode: case syAztecCode: case syHanXin: maximum = 4; break;
    case syMicroQRCode: maximum = 3; break;
    case syRMQR: maximum = 4; break;
    case syGridMatrix: maximum = 5; break;
    case syUltracode: maximum = 6; break;
    default: minimum = 0; maximum = 8; break; // PDF417
    }
}

// Ultracode's revision travels in option_2 with the component's Columns.
bool WithVersion(TSymbology s, TCapabilities) { return TakesSymbolVersion(s) || s == syUltracode; }

void VersionRange(TSymbology s, int &minimum, int &maximum)
{
    minimum = 1;
    switch (s) {
    case syQRCode: case syHIBC_QRCode: maximum = 40; break;
    case syMicroQRCode: maximum = 4; break;
    case syDataMatrix: case syHIBC_DataMatrix: maximum = 48; break;
    case syAztecCode: case syHIBC_AztecCode: maximum = 36; break;
    case syHanXin: maximum = 84; break;
    case syGridMatrix: maximum = 13; break;
    case syCodeOne: maximum = 10; break;
    case syRMQR: maximum = 38; break;
    case syChannelCode: minimum = 3; maximum = 8; break;
    case syUltracode: maximum = 2; break;
    case syCode11: maximum = 2; break;       // check digits
    case syMsiPlessey: maximum = 6; break;   // check digit scheme
    default: maximum = 1; break;             // Code 39 family, Codabar, VIN: check digit on
    }
}

bool WithColumns(TSymbology s, TCapabilities)
{
    switch (s) {
    case syPDF417: case syPDF417Compact: case syMicroPDF417: case syHIBC_PDF417:
    case syHIBC_MicroPDF417: case syCodaBlockF: case syHIBC_BlockF: case syGS1_DataBarExpandedStacked:
    case syCompositeGS1_DataBarExpandedStacked: case syDotCode:
        return true;
    default:
        return false;
    }
}

void ColumnRange(TSymbology s, int &minimum, int &maximum)
{
    minimum = 1;
    switch (s) {
    case syMicroPDF417: case syHIBC_MicroPDF417: maximum = 4; break;
    case syCodaBlockF: case syHIBC_BlockF: minimum = 9; maximum = 67; break;
    case syGS1_DataBarExpandedStacked: case syCompositeGS1_DataBarExpandedStacked: maximum = 11; break;
    case syDotCode: minimum = 5; maximum = 200; break;
    default: maximum = 30; break;
    }
}

bool WithRows(TSymbology s, TCapabilities)
{
    return s == syCodaBlockF || s == syHIBC_BlockF || s == syCode16K || s == syCode49;
}

void RowRange(TSymbology s, int &minimum, int &maximum)
{
    minimum = 1;
    maximum = s == syCode16K ? 16 : s == syCode49 ? 8 : 44;
}

void MaskRange(TSymbology s, int &minimum, int &maximum)
{
    minimum = 0;
    maximum = s == syMicroQRCode || s == syHanXin || s == syDotCode ? 3 : 7;
}

void ModeRange(TSymbology s, int &minimum, int &maximum)
{
    if (s == syMaxicode) {
        minimum = 2;
        maximum = 6;
    } else {
        minimum = 1;
        maximum = 3;
    }
}

bool WithFastMode(TSymbology s, TCapabilities)
{
    switch (s) {
    case syDataMatrix: case syHIBC_DataMatrix: case syQRCode: case syHIBC_QRCode: case syMicroQRCode:
    case syRMQR: case syUPNQR: case syPDF417: case syPDF417Compact: case syMicroPDF417:
    case syHIBC_PDF417: case syHIBC_MicroPDF417:
        return true;
    default:
        return false;
    }
}

// TColor is 0x00BBGGRR; the command line writes RRGGBB.
double ColourValue(TColor colour)
{
    return double(((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF));
}
TColor ColourOf(double value)
{
    const quint32 rgb = quint32(value);
    return TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

void SetOption(TBarcode &b, TOutputOption option, bool present)
{
    const TOutputOptions flag = SetOf(option);
    b.SetOutputOptions(present ? TOutputOptions(b.OutputOptions() | flag) : TOutputOptions(b.OutputOptions() & ~flag));
}

TEciEncoding EncodingOfEci(int number)
{
    for (int e = enDefault; e <= enBinary; ++e)
        if (EciNumber(TEciEncoding(e)) == number)
            return TEciEncoding(e);
    return enDefault;
}

const TOptionChoice Rotations[] = {{0, nullptr, "0"}, {90, nullptr, "90"}, {180, nullptr, "180"}, {270, nullptr, "270"}};
const TOptionChoice Shapes[] = {{dmDefault, nullptr, "Automatic"},
                                {dmSquare, "square", "Square only"},
                                {dmExtended, "dmre", "Rectangles too (DMRE)"}};
const TOptionChoice InputModes[] = {{imUnicode, nullptr, "Text (Unicode)"},
                                    {imData, "binary", "Raw bytes"},
                                    {imGs1, "gs1", "GS1 data"}};
const TOptionChoice QuietZoneChoices[] = {{qzDefault, nullptr, "As usual"},
                                          {qzCompliant, "quietzones", "Standard quiet zones"},
                                          {qzDisabled, "noquietzones", "None"}};
// The character sets by their ECI number, in the order of the engine's table.
const TOptionChoice EciChoices[] = {
    {0, nullptr, "Automatic"}, {3, nullptr, "ISO/IEC 8859-1 Latin-1"}, {4, nullptr, "ISO/IEC 8859-2 Latin-2"},
    {5, nullptr, "ISO/IEC 8859-3 Latin-3"}, {6, nullptr, "ISO/IEC 8859-4 Latin-4"},
    {7, nullptr, "ISO/IEC 8859-5 Cyrillic"}, {8, nullptr, "ISO/IEC 8859-6 Arabic"},
    {9, nullptr, "ISO/IEC 8859-7 Greek"}, {10, nullptr, "ISO/IEC 8859-8 Hebrew"},
    {11, nullptr, "ISO/IEC 8859-9 Latin-5"}, {12, nullptr, "ISO/IEC 8859-10 Latin-6"},
    {13, nullptr, "ISO/IEC 8859-11 Thai"}, {15, nullptr, "ISO/IEC 8859-13 Latin-7"},
    {16, nullptr, "ISO/IEC 8859-14 Latin-8"}, {17, nullptr, "ISO/IEC 8859-15 Latin-9"},
    {18, nullptr, "ISO/IEC 8859-16 Latin-10"}, {20, nullptr, "Shift JIS"},
    {21, nullptr, "Windows-1250"}, {22, nullptr, "Windows-1251"}, {23, nullptr, "Windows-1252"},
    {24, nullptr, "Windows-1256"}, {26, nullptr, "UTF-8"}, {27, nullptr, "ASCII"},
    {28, nullptr, "Big5"}, {29, nullptr, "GB 2312"}, {30, nullptr, "Korean (EUC-KR)"},
    {31, nullptr, "GBK"}, {32, nullptr, "GB 18030"}, {33, nullptr, "UTF-16BE"},
    {34, nullptr, "UTF-16LE"}, {35, nullptr, "UTF-32BE"}, {170, nullptr, "ISO/IEC 646 Invariant"},
    {899, nullptr, "8-bit binary"},
};
constexpr int EciChoiceCount = int(sizeof EciChoices / sizeof EciChoices[0]);
static_assert(EciChoiceCount == enBinary + 1, "one choice per encoding");

#define CHOICES(list) list, int(sizeof list / sizeof list[0])

const TBarcodeOption Options[] = {
    {"fg", nullptr, "The colour of bars and modules", "fgcolour", K::Colour, P::Appearance, 0x000000, 0, 0xFFFFFF, nullptr, 0,
     [](const TBarcode &b) { return ColourValue(b.ForeColor()); },
     [](TBarcode &b, double v) { b.SetForeColor(ColourOf(v)); }, Always, nullptr},
    {"bg", nullptr, "The colour of the background and the spaces", "bgcolour", K::Colour, P::Appearance, 0xFFFFFF, 0, 0xFFFFFF, nullptr, 0,
     [](const TBarcode &b) { return ColourValue(b.BackColor()); },
     [](TBarcode &b, double v) { b.SetBackColor(ColourOf(v)); }, Always, nullptr},
    {"border", nullptr, "Border width in modules", "border_width", K::Integer, P::Appearance, 8, 0, 100, nullptr, 0,
     [](const TBarcode &b) { return double(b.BorderWidth()); },
     [](TBarcode &b, double v) { b.SetBorderWidth(int(v)); }, Always, nullptr},
    {"whitesp", nullptr, "White space left and right, in modules", "whitespace_width", K::Integer, P::Appearance, 4, 0, 100, nullptr, 0,
     [](const TBarcode &b) { return double(b.WhiteSpaceWidth()); },
     [](TBarcode &b, double v) { b.SetWhiteSpaceWidth(int(v)); }, Always, nullptr},
    {"vwhitesp", nullptr, "White space above and below, in modules", "whitespace_height", K::Integer, P::Appearance, 4, 0, 100, nullptr, 0,
     [](const TBarcode &b) { return double(b.WhiteSpaceHeight()); },
     [](TBarcode &b, double v) { b.SetWhiteSpaceHeight(int(v)); }, Always, nullptr},
    {"height", nullptr, "Height in modules", "height", K::Decimal, P::Appearance, 50, 0.5, 2000, nullptr, 0,
     [](const TBarcode &b) { return double(b.Height()); },
     [](TBarcode &b, double v) { b.SetHeight(float(v)); }, WithHeight, nullptr},
    {"scale", nullptr, "Pixels per module", "scale", K::Decimal, P::Appearance, 1, 0.01, 100, nullptr, 0,
     [](const TBarcode &b) { return double(b.Scale()); },
     [](TBarcode &b, double v) { b.SetScale(float(v)); }, Always, nullptr},
    {"rotate", nullptr, "Turns the symbol clockwise", "rotate_angle", K::Integer, P::Appearance, 0, 0, 270, CHOICES(Rotations),
     [](const TBarcode &b) { return double(b.Rotation()); },
     [](TBarcode &b, double v) { b.SetRotation(int(v)); }, Always, nullptr},
    {"dotty", nullptr, "Draws the modules as dots", "output_options", K::Switch, P::Appearance, 0, 0, 1, nullptr, 0,
     [](const TBarcode &b) { return InSet(b.OutputOptions(), opDotty) ? 1.0 : 0.0; },
     [](TBarcode &b, double v) { SetOption(b, opDotty, v != 0); }, WithDots, nullptr},
    {"dotsize", nullptr, "Dot diameter in modules; 0 is the engine's own", "dot_size", K::Decimal, P::Appearance, 0, 0, 20, nullptr, 0,
     [](const TBarcode &b) { return double(b.DotSize()); },
     [](TBarcode &b, double v) { b.SetDotSize(float(v)); }, WithDots, nullptr},
    {"box", nullptr, "A box around the symbol", "output_options", K::Switch, P::Appearance, 0, 0, 1, nullptr, 0,
     [](const TBarcode &b) { return InSet(b.OutputOptions(), opBox) ? 1.0 : 0.0; },
     [](TBarcode &b, double v) { SetOption(b, opBox, v != 0); }, Always, nullptr},
    {"bind", nullptr, "Boundary bars above and below", "output_options", K::Switch, P::Appearance, 0, 0, 1, nullptr, 0,
     [](const TBarcode &b) { return InSet(b.OutputOptions(), opBars) ? 1.0 : 0.0; },
     [](TBarcode &b, double v) { SetOption(b, opBars, v != 0); }, Always, nullptr},
    {"notext", nullptr, "Hides the human-readable text", "show_hrt", K::Switch, P::Appearance, 0, 0, 1, nullptr, 0,
     [](const TBarcode &b) { return b.ShowText() ? 0.0 : 1.0; },
     [](TBarcode &b, double v) { b.SetShowText(v == 0); }, WithText, nullptr},
    {"small", nullptr, "Smaller human-readable text", "output_options", K::Switch, P::Appearance, 0, 0, 1, nullptr, 0,
     [](const TBarcode &b) { return InSet(b.OutputOptions(), opSmallText) ? 1.0 : 0.0; },
     [](TBarcode &b, double v) { SetOption(b, opSmallText, v != 0); }, WithText, nullptr},
    {"bold", nullptr, "Bold human-readable text", "output_options", K::Switch, P::Appearance, 0, 0, 1, nullptr, 0,
     [](const TBarcode &b) { return InSet(b.OutputOptions(), opBoldText) ? 1.0 : 0.0; },
     [](TBarcode &b, double v) { SetOption(b, opBoldText, v != 0); }, WithText, nullptr},

    {"secure", "Error correction le&vel:", "How much of the symbol may be damaged and still read; more costs room",
     "option_1", K::Integer, P::Symbology, 0, 0, 8, nullptr, 0,
     [](const TBarcode &b) { return double(TakesSecurityLevel(b.Symbology()) ? int(b.SecurityLevel()) : b.Rows()); },
     [](TBarcode &b, double v) {
         if (TakesSecurityLevel(b.Symbology()))
             b.SetSecurityLevel(TSecurityLevel(int(v)));
         else
             b.SetRows(int(v));
     },
     WithErrorCorrection, ErrorCorrectionRange},
    {"vers", "Size / version:", "The symbol's size, or the symbology's variant; Automatic fits the data",
     "option_2", K::Integer, P::Symbology, 0, 0, 84, nullptr, 0,
     [](const TBarcode &b) { return double(TakesSymbolVersion(b.Symbology()) ? b.SymbolVersion() : b.Columns()); },
     [](TBarcode &b, double v) {
         if (TakesSymbolVersion(b.Symbology()))
             b.SetSymbolVersion(int(v));
         else
             b.SetColumns(int(v));
     },
     WithVersion, VersionRange},
    {"mask", "Mask:", "The pattern laid over the modules; Automatic picks the best", "option_3", K::Integer,
     P::Symbology, -1, -1, 7, nullptr, 0,
     [](const TBarcode &b) { return double(b.Mask()); },
     [](TBarcode &b, double v) { b.SetMask(int(v)); }, WithMask, MaskRange},
    {"cols", "Columns:", "Data columns; Automatic fits the data", "option_2", K::Integer, P::Symbology, 0, 0, 200, nullptr, 0,
     [](const TBarcode &b) { return double(b.Columns()); },
     [](TBarcode &b, double v) { b.SetColumns(int(v)); }, WithColumns, ColumnRange},
    {"rows", "Rows:", "Rows; Automatic fits the data", "option_1", K::Integer, P::Symbology, 0, 0, 44, nullptr, 0,
     [](const TBarcode &b) { return double(b.Rows()); },
     [](TBarcode &b, double v) { b.SetRows(int(v)); }, WithRows, RowRange},
    {"shape", "Shape:", "Which Data Matrix sizes may be chosen", "option_3", K::Choice, P::Symbology, dmDefault, 0, 0,
     CHOICES(Shapes),
     [](const TBarcode &b) { return double(b.DataMatrix()); },
     [](TBarcode &b, double v) { b.SetDataMatrix(TDataMatrix(int(v))); }, DataMatrixShape, nullptr},
    {"mode", "Encoding mode:", "MaxiCode's mode or the composite part's kind (CC-A, CC-B, CC-C)", "option_1",
     K::Integer, P::Symbology, 0, 0, 6, nullptr, 0,
     [](const TBarcode &b) { return b.EncodingMode() == emDefault ? 0.0 : double(int(b.EncodingMode()) - 1); },
     [](TBarcode &b, double v) { b.SetEncodingMode(v == 0 ? emDefault : TEncodingMode(int(v) + 1)); },
     EncodingMode, ModeRange},
    {"input", "&Input:", "Text is encoded in the symbology's character set or with an ECI; raw bytes go in as they are",
     "input_mode", K::Choice, P::Symbology, imUnicode, 0, 0, CHOICES(InputModes),
     [](const TBarcode &b) { return double(b.InputMode()); },
     [](TBarcode &b, double v) { b.SetInputMode(TInputMode(int(v))); }, Always, nullptr},
    {"gs1parens", "GS1 in &parentheses", "Application identifiers in (parentheses) instead of [brackets]",
     "input_mode", K::Switch, P::Symbology, 0, 0, 1, nullptr, 0,
     [](const TBarcode &b) { return b.InputParentheses() ? 1.0 : 0.0; },
     [](TBarcode &b, double v) { b.SetInputParentheses(v != 0); }, WithGs1, nullptr},
    {"esc", "Escape sequences", "Reads \\n, \\t, \\xNN, \\uNNNN and the like in the data", "input_mode", K::Switch,
     P::Symbology, 0, 0, 1, nullptr, 0,
     [](const TBarcode &b) { return b.InputEscape() ? 1.0 : 0.0; },
     [](TBarcode &b, double v) { b.SetInputEscape(v != 0); }, Always, nullptr},
    {"extraesc", "Extra escapes", "Reads Code 128's \\^A, \\^B, \\^C code set escapes", "input_mode", K::Switch,
     P::Symbology, 0, 0, 1, nullptr, 0,
     [](const TBarcode &b) { return b.InputExtraEscape() ? 1.0 : 0.0; },
     [](TBarcode &b, double v) { b.SetInputExtraEscape(v != 0); }, Code128Family, nullptr},
    {"eci", "ECI:", "The character set the data is encoded in; Automatic lets the engine choose", "eci",
     K::Integer, P::Symbology, 0, 0, 899, CHOICES(EciChoices),
     [](const TBarcode &b) { return double(EciNumber(b.EciEncoding())); },
     [](TBarcode &b, double v) { b.SetEciEncoding(EncodingOfEci(int(v))); }, WithEci, nullptr},
    {"fullmultibyte", "Full multibyte", "Packs Latin and binary data in the Kanji or Hanzi mode", "option_3",
     K::Switch, P::Symbology, 0, 0, 1, nullptr, 0,
     [](const TBarcode &b) { return b.MultiByte() ? 1.0 : 0.0; },
     [](TBarcode &b, double v) { b.SetMultiByte(v != 0); }, WithMultiByte, nullptr},
    {"fast", "Fast mode", "Encodes faster, at times in a larger symbol", "input_mode", K::Switch, P::Symbology, 0, 0, 1,
     nullptr, 0,
     [](const TBarcode &b) { return b.FastMode() ? 1.0 : 0.0; },
     [](TBarcode &b, double v) { b.SetFastMode(v != 0); }, WithFastMode, nullptr},
    {"quietzones", "&Quiet zones:", "The blank margin that readers need around the symbol", "output_options",
     K::Choice, P::Symbology, qzDefault, 0, 0, CHOICES(QuietZoneChoices),
     [](const TBarcode &b) { return double(b.QuietZones()); },
     [](TBarcode &b, double v) { b.SetQuietZones(TQuietZones(int(v))); }, Always, nullptr},
    {"separator", "Separator:", "Height of the bars between the rows, in modules", "option_3", K::Integer,
     P::Symbology, 1, 0, 4, nullptr, 0,
     [](const TBarcode &b) { return double(b.SeparatorHeight()); },
     [](TBarcode &b, double v) { b.SetSeparatorHeight(int(v)); }, Stacked, nullptr},
    {"guarddescent", "Guard descent:", "How far the guard bars reach below the others, in modules", "guard_descent",
     K::Decimal, P::Symbology, 5, 0, 20, nullptr, 0,
     [](const TBarcode &b) { return double(b.GuardDescent()); },
     [](TBarcode &b, double v) { b.SetGuardDescent(float(v)); }, EanUpc, nullptr},
    {"heightperrow", "Height per row", "The height is that of each row, not of the whole symbol", "input_mode",
     K::Switch, P::Symbology, 0, 0, 1, nullptr, 0,
     [](const TBarcode &b) { return b.HeightPerRow() ? 1.0 : 0.0; },
     [](TBarcode &b, double v) { b.SetHeightPerRow(v != 0); }, Stacked, nullptr},
    {"textgap", "Text gap:", "Room between the bars and the text, in modules; 0 is the engine's own", "text_gap",
     K::Decimal, P::Symbology, 0, 0, 10, nullptr, 0,
     [](const TBarcode &b) { return double(b.TextGap()); },
     [](TBarcode &b, double v) { b.SetTextGap(float(v)); }, WithText, nullptr},
};

// Decimal digits with an optional sign and fraction; no exponents, "inf", hexadecimal or comma.
bool ReadNumber(const QString &text, double &value)
{
    static const QRegularExpression syntax(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
    if (!syntax.match(text).hasMatch())
        return false;
    value = text.toDouble();
    return true;
}

QString ChoiceList(const TBarcodeOption &option)
{
    QStringList values;
    for (int i = 0; i < option.ChoiceCount; ++i)
        values.append(QString::number(option.Choices[i].Value));
    const QString last = values.takeLast();
    return values.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

} // namespace

const QList<const TBarcodeOption *> &BarcodeOptions()
{
    static const QList<const TBarcodeOption *> rows = [] {
        QList<const TBarcodeOption *> list;
        for (const TBarcodeOption &option : Options)
            if (OptionAvailable(option))
                list.append(&option);
        return list;
    }();
    return rows;
}

const QList<const TBarcodeOption *> &EveryBarcodeOption()
{
    static const QList<const TBarcodeOption *> rows = [] {
        QList<const TBarcodeOption *> list;
        for (const TBarcodeOption &option : Options)
            list.append(&option);
        return list;
    }();
    return rows;
}

const TBarcodeOption *FindBarcodeOption(const QString &name)
{
    for (const TBarcodeOption *option : BarcodeOptions())
        if (name == QLatin1String(option->Name))
            return option;
    return nullptr;
}

bool OptionAvailable(const TBarcodeOption &option)
{
    const QLatin1String name(option.Name);
    if (name == QLatin1String("textgap"))
        return ZintHasTextGap();
    if (name == QLatin1String("extraesc"))
        return ZintHasExtraEscape();
    return true;
}

void OptionRange(const TBarcodeOption &option, TSymbology symbology, int &minimum, int &maximum)
{
    minimum = int(option.Minimum);
    maximum = int(option.Maximum);
    if (option.RangeFor != nullptr)
        option.RangeFor(symbology, minimum, maximum);
}

QString ParseOptionValue(const TBarcodeOption &option, TSymbology symbology, const QString &text, double &value)
{
    const QString name = QLatin1String(option.Name);
    switch (option.Kind) {
    case K::Switch:
    case K::Choice:
        value = 1;
        return QString();
    case K::Colour: {
        static const QRegularExpression rgb(QStringLiteral("^[0-9A-Fa-f]{6}$"));
        if (!rgb.match(text).hasMatch())
            return QStringLiteral("--%1 needs a colour as six hexadecimal digits RRGGBB, such as FF0000, not \"%2\"").arg(name, text);
        value = double(text.toUInt(nullptr, 16));
        return QString();
    }
    case K::Decimal: {
        double number = 0;
        if (ReadNumber(text, number) && number >= option.Minimum && number <= option.Maximum) {
            value = number;
            return QString();
        }
        return QStringLiteral("--%1 needs a number from %2 to %3, such as 2 or 0.5, not \"%4\"")
            .arg(name, QString::number(option.Minimum), QString::number(option.Maximum), text);
    }
    case K::Integer:
        break;
    }
    double number = 0;
    const bool whole = ReadNumber(text, number) && std::floor(number) == number;
    if (option.Choices != nullptr) {
        for (int i = 0; whole && i < option.ChoiceCount; ++i)
            if (option.Choices[i].Value == number) {
                value = number;
                return QString();
            }
        return QStringLiteral("--%1 takes %2, not \"%3\"").arg(name, ChoiceList(option), text);
    }
    int minimum = 0, maximum = 0;
    OptionRange(option, symbology, minimum, maximum);
    // With a range of its own, the default stands for "Automatic" beside the range.
    const bool automatic = option.RangeFor != nullptr;
    if (whole && ((number >= minimum && number <= maximum) || (automatic && number == option.Default))) {
        value = number;
        return QString();
    }
    if (!automatic)
        return QStringLiteral("--%1 needs a whole number from %2 to %3, not \"%4\"").arg(name).arg(minimum).arg(maximum).arg(text);
    return QStringLiteral("--%1 takes %2 (automatic) or a whole number from %3 to %4 with %5, not \"%6\"")
        .arg(name).arg(int(option.Default)).arg(minimum).arg(maximum).arg(TBarcode::SymbologyNames(symbology), text);
}

QString OptionValueText(const TBarcodeOption &option, double value)
{
    if (option.Kind == K::Colour)
        return QStringLiteral("%1").arg(quint32(value), 6, 16, QLatin1Char('0')).toUpper();
    // The component keeps decimals as floats: seven digits give back the same float ("0.1", not
    // "0.100000001490116"); within the options' ranges that is the plain form ParseOptionValue reads.
    if (option.Kind == K::Decimal)
        return QString::number(value, 'g', 7);
    return QString::number(value, 'g', 15);
}

QStringList OptionArguments(const TBarcodeOption &option, double value)
{
    if (value == option.Default)
        return {};
    const QString name = QLatin1String(option.Name);
    switch (option.Kind) {
    case K::Switch:
        return {QStringLiteral("--") + name};
    case K::Choice:
        for (int i = 0; i < option.ChoiceCount; ++i)
            if (option.Choices[i].Value == value && option.Choices[i].Switch != nullptr)
                return {QStringLiteral("--") + QLatin1String(option.Choices[i].Switch)};
        return {};
    default:
        return {QStringLiteral("--%1=%2").arg(name, OptionValueText(option, value))};
    }
}

void ApplyOptionDefaults(TBarcode &barcode)
{
    for (const TBarcodeOption *option : BarcodeOptions())
        option->Write(barcode, option->Default);
}

void ResetSymbologyOptions(TBarcode &barcode)
{
    for (const TBarcodeOption *option : BarcodeOptions())
        if (option->Place == P::Symbology)
            option->Write(barcode, option->Default);
}

QString OptionValueCaption(const TBarcodeOption &option, TSymbology symbology, int value)
{
    if (QLatin1String(option.Name) == QLatin1String("secure")
        && (symbology == syQRCode || symbology == syHIBC_QRCode || symbology == syMicroQRCode || symbology == syRMQR)
        && value >= 1 && value <= 4)
        return QString(QLatin1Char("LMQH"[value - 1]));
    for (int i = 0; i < option.ChoiceCount; ++i)
        if (option.Choices[i].Value == value)
            return QLatin1String(option.Choices[i].Caption);
    return QString();
}

bool OfferedInWindow(TSymbology symbology)
{
    // The four after the first 95 (Code One, Grid Matrix, ... as the catalogue orders them) are
    // reached by the command line only.
    constexpr int OfferedSymbologies = 95;
    return int(symbology) < OfferedSymbologies;
}
