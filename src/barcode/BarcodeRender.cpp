#include "barcode/Barcode.h"

#include "barcode/EngineRecord.h"
#include "barcode/FileFormats.h"
#include "barcode/RecordFields.h"
#include "barcode/PhysicalSize.h"
#include "barcode/SaveTarget.h"
#include "barcode/SymbolPdf.h"
#include "barcode/SymbolVector.h"
#include "barcode/Symbologies.h"
#include "barcode/ZintLibrary.h"

#include <QByteArray>
#include <QStringEncoder>

#include <climits>
#include <limits>
#include <cstring>
#include <optional>

namespace {

// Flags that older engine headers lack: the values later headers give them. An older engine
// ignores them.
#ifndef BARCODE_BIND_TOP
#define BARCODE_BIND_TOP 0x0001
#endif
#ifndef EANUPC_GUARD_WHITESPACE
#define EANUPC_GUARD_WHITESPACE 0x4000
#endif
#ifndef EMBED_VECTOR_FONT
#define EMBED_VECTOR_FONT 0x8000
#endif
#ifndef EXTRA_ESCAPE_MODE
#define EXTRA_ESCAPE_MODE 0x0100
#endif

struct TOutputFlag
{
    TOutputOption Option;
    int Flag;
};

// output_options, tested in this order.
const TOutputFlag OutputFlags[] = {
    {opBars, BARCODE_BIND},
    {opBox, BARCODE_BOX},
    {opStdout, BARCODE_STDOUT},
    {opReaderInit, READER_INIT},
    {opSmallText, SMALL_TEXT},
    {opBoldText, BOLD_TEXT},
    {opCmyk, CMYK_COLOUR},
    {opDotty, BARCODE_DOTTY_MODE},
    {opGsSeparator, GS1_GS_SEPARATOR},
    {opCompliantHeight, COMPLIANT_HEIGHT},
    {opTopBar, BARCODE_BIND_TOP},
    {opGuardWhiteSpace, EANUPC_GUARD_WHITESPACE},
    {opEmbedFont, EMBED_VECTOR_FONT},
    {opBpp1, OUT_BUFFER_INTERMEDIATE},
};
constexpr int CharacterBufferFlag = OUT_BUFFER_INTERMEDIATE;
constexpr int QuietZonesFlag = BARCODE_QUIET_ZONES;
constexpr int NoQuietZonesFlag = BARCODE_NO_QUIET_ZONES;

// input_mode switches.
constexpr int Gs1NoCheckMode = GS1NOCHECK_MODE;
constexpr int EscapeMode = ESCAPE_MODE;
constexpr int Gs1ParensMode = GS1PARENS_MODE;
constexpr int HeightPerRowMode = HEIGHTPERROW_MODE;
constexpr int FastEncodeMode = FAST_MODE;
constexpr int ExtraEscapeMode = EXTRA_ESCAPE_MODE;

// option_3 by TDataMatrix; 0 for dmDefault, which writes nothing.
#ifndef DM_ISO_144
#define DM_ISO_144 128
#endif
const int DataMatrixOptions[] = {0, DM_SQUARE, DM_DMRE, DM_ISO_144, DM_ISO_144 | DM_SQUARE, DM_ISO_144 | DM_DMRE};
static_assert(sizeof DataMatrixOptions / sizeof DataMatrixOptions[0] == dmExtendedIso144 + 1,
              "one option per value");

constexpr int UltraCompression = ULTRA_COMPRESSION;
constexpr int FullMultibyte = ZINT_FULL_MULTIBYTE;
constexpr int WarnFailAll = WARN_FAIL_ALL;

// Six uppercase hex digits, red first, into a zero-filled field; a transparent colour gets
// the alpha digits "00" too.
template <size_t N>
void WriteColour(char (&field)[N], TColor colour, bool transparent = false)
{
    static_assert(N > 8, "room for eight digits and the terminator");
    static const char Digits[] = "0123456789ABCDEF";
    std::memset(field, 0, N);
    for (int i = 0; i < 3; ++i) {
        const unsigned byte = (colour >> (8 * i)) & 0xFF;
        field[2 * i] = Digits[byte >> 4];
        field[2 * i + 1] = Digits[byte & 0xF];
    }
    if (transparent)
        field[6] = field[7] = '0';
}

#ifndef QUORVEL_FILES_ONLY
// The colours of the engine's vector rectangles 1 to 8 (Ultracode's modules).
QColor RectColour(int colour, const QColor &fore)
{
    static const QColor Palette[] = {Qt::cyan, Qt::blue, Qt::magenta, Qt::red, Qt::yellow, Qt::green,
                                     Qt::black, Qt::white};
    return colour >= 1 && colour <= 8 ? Palette[colour - 1] : fore;
}
#endif

// A PDF page, drawn from the engine's shapes rather than written by the engine.
bool IsDrawnPage(const QString &fileName)
{
    const TFileFormat *format = FileFormatOf(fileName);
    return format != nullptr && format->DrawnPage;
}

// QString::toUtf8 would silently turn an unpaired surrogate into U+FFFD; the engine must not be
// handed data that differs from what the user gave. The bytes go into `buffer`, whose memory is
// reused from render to render.
void ToUtf8(const QString &text, const char *what, QByteArray &buffer)
{
    const qsizetype length = text.size();
    const QChar *chars = text.constData();
    for (qsizetype i = 0; i < length; ++i) {
        if (chars[i].isHighSurrogate() && i + 1 < length && chars[i + 1].isLowSurrogate())
            ++i;
        else if (chars[i].isSurrogate())
            throw EBarcodeError(QStringLiteral("%1 contains an unpaired UTF-16 surrogate at position %2")
                                    .arg(QLatin1String(what))
                                    .arg(i + 1));
    }
    if (length > (std::numeric_limits<qsizetype>::max() - 1) / 3)
        throw EBarcodeError(QStringLiteral("%1 is too long").arg(QLatin1String(what)));
    buffer.resize(length * 3);
    QStringEncoder encoder(QStringEncoder::Utf8);
    char *end = encoder.appendToBuffer(buffer.data(), QStringView(text));
    buffer.resize(end - buffer.data());
}

QByteArray ToUtf8(const QString &text, const char *what)
{
    QByteArray bytes;
    ToUtf8(text, what, bytes);
    return bytes;
}

template <size_t N>
QString FieldText(const char (&field)[N])
{
    return QString::fromLocal8Bit(field, qsizetype(strnlen(field, N)));
}

template <size_t N>
QString FieldUtf8(const unsigned char (&field)[N])
{
    const char *text = reinterpret_cast<const char *>(field);
    return QString::fromUtf8(text, qsizetype(strnlen(text, N)));
}

// The file name as the engine's outfile, a C string of limited size.
void WriteOutfile(zint_symbol *symbol, const QString &fileName)
{
    const QByteArray name = ToUtf8(fileName, "FileName");
    // A NUL would make the engine write a different file.
    if (name.contains('\0'))
        throw EBarcodeError(QStringLiteral("FileName contains a NUL character at position %1")
                                .arg(fileName.indexOf(QChar(0)) + 1));
    if (name.size() >= qsizetype(sizeof symbol->outfile))
        throw EBarcodeError(QStringLiteral("FileName size has to be less than %1 characters")
                                .arg(sizeof symbol->outfile));
    std::memcpy(symbol->outfile, name.constData(), size_t(name.size()) + 1); // outfile
}

} // namespace

// One render or save: the record is filled in the engine's documented order, encoded, and then
// either handed over as pixels or printed to the file.
void TBarcode::Generate(const QString &fileName, TSymbolVector *vector)
{
    if (!FChanged)
        return;

    const TZintApi &api = LoadZintForRendering();
    zint_symbol *symbol = FRecord->Prepare(api);
    if (symbol == nullptr) {
        // A render tries again at the next read; a save must not look as if it had written.
        if (!fileName.isEmpty())
            throw EBarcodeError(QStringLiteral("The engine could not create a symbol record (out of memory?)"));
        return;
    }
    TDiscardOnError discard(*FRecord);

    FillGeometry(symbol);
    std::optional<TSaveTarget> target;
    if (!fileName.isEmpty()) {
        WriteOutfile(symbol, fileName);
        target.emplace(fileName, InSet(FOutputOptions, opStdout), qsizetype(sizeof symbol->outfile));
        if (target->EngineFileName() != fileName)
            WriteOutfile(symbol, target->EngineFileName());
    }
    FillAppearance(symbol);
    FillOptions(symbol);
    FillPrimary(symbol);
    EncodeData(api, symbol);
#ifdef QUORVEL_FILES_ONLY
    // Built without pictures (the command-line program), a render only encodes: rows, width and
    // text are known then. PDF pages are drawn by the full program, which it hands them to.
    Q_UNUSED(vector)
    if (target && IsDrawnPage(fileName))
        throw EBarcodeError(QStringLiteral("PDF files are written by the full program, quorvel-window"));
    if (target)
        PrintFile(api, symbol, *target);
    else
        FChanged = false;
#else
    if (vector != nullptr)
        *vector = CopyVector(api, symbol);
    else if (target && IsDrawnPage(fileName))
        PrintPdf(api, symbol, *target);
    else if (target)
        PrintFile(api, symbol, *target);
    else
        HandOverPixels(api, symbol);
#endif
    discard.Keep();
}

void TBarcode::FillGeometry(zint_symbol *symbol) const
{
    symbol->symbology = EngineId(FSymbology);          // symbology
    symbol->guard_descent = FGuardDescent;             // guard_descent
    symbol->height = FHeight;                          // height
    symbol->whitespace_width = FWhiteSpaceWidth;       // whitespace_width
    symbol->whitespace_height = FWhiteSpaceHeight;     // whitespace_height
    symbol->border_width = FBorderWidth;               // border_width
    symbol->warn_level = FWarningLevel == waError ? WarnFailAll : 0; // warn_level
}

void TBarcode::FillAppearance(zint_symbol *symbol) const
{
    int outputOptions = 0;
    for (const TOutputFlag &flag : OutputFlags)
        if (InSet(FOutputOptions, flag.Option))
            outputOptions |= flag.Flag;
    if (InSet(FOutputOptions, opBpp1) && FSymbology == syUltracode)
        throw EBarcodeError(QStringLiteral("Ultracode symbology doesn't support opBpp1 output option"));
    if (FQuietZones == qzCompliant)
        outputOptions |= QuietZonesFlag;
    else if (FQuietZones == qzDisabled)
        outputOptions |= NoQuietZonesFlag;
    symbol->output_options = outputOptions;            // output_options

    WriteColour(symbol->fgcolour, FForeColor);         // fgcolour
    WriteColour(symbol->bgcolour, FBackColor, FTransparentBack); // bgcolour
    symbol->scale = FScale;                            // scale
    symbol->show_hrt = FShowText ? 1 : 0;              // show_hrt
    int inputMode = FInputMode <= imGs1 ? int(FInputMode) : 0;
    inputMode |= (FInputCheck ? 0 : Gs1NoCheckMode) | (FInputEscape ? EscapeMode : 0)
                 | (FInputParentheses ? Gs1ParensMode : 0) | (FHeightPerRow ? HeightPerRowMode : 0)
                 | (FFastMode ? FastEncodeMode : 0) | (FInputExtraEscape ? ExtraEscapeMode : 0);
    symbol->input_mode = inputMode;                    // input_mode
    if (FEciEncoding != enDefault && FEciEncoding <= enBinary)
        symbol->eci = EciNumber(FEciEncoding);        // eci
    if (FDotSize > 0)
        symbol->dot_size = FDotSize;                   // dot_size
    if (FTextGap > 0)
        SetZintTextGap(symbol, FTextGap);              // text_gap
}

void TBarcode::FillOptions(zint_symbol *symbol) const
{
    if (TakesSecurityLevel(FSymbology)) {
        if (FSecurityLevel != slDefault)
            symbol->option_1 = int(FSecurityLevel);    // option_1
    } else if (TakesEncodingMode(FSymbology)) {
        if (FEncodingMode != emDefault)
            symbol->option_1 = int(FEncodingMode) - 1; // option_1
    } else if (FRows != 0) {
        symbol->option_1 = FRows;                      // option_1
    }
    const int option2 = TakesSymbolVersion(FSymbology) ? FSymbolVersion : FColumns;
    if (option2 != 0)
        symbol->option_2 = option2;                    // option_2

    const TCapabilities capabilities = Capabilities();
    if (TakesDataMatrixShape(FSymbology)) {
        if (FDataMatrix != dmDefault && FDataMatrix <= dmExtendedIso144)
            symbol->option_3 = DataMatrixOptions[FDataMatrix]; // option_3
    } else if (FSymbology == syUltracode) {
        if (FUltracode == ucCompress)
            symbol->option_3 = UltraCompression;       // option_3
    } else if (InSet(capabilities, caStackable)) {
        symbol->option_3 = FSeparatorHeight;           // option_3
    } else {
        if (FMultiByte && InSet(capabilities, caMultiByte))
            symbol->option_3 = FullMultibyte;          // option_3
        if (FMask != -1 && InSet(capabilities, caMask))
            symbol->option_3 |= (FMask + 1) << 8;      // option_3
    }

}

void TBarcode::FillPrimary(zint_symbol *symbol)
{
    ToUtf8(FPrimaryMessage, "PrimaryMessage", FUtf8Buffer);
    if (!FUtf8Buffer.isEmpty()) {
        // Cut at the last whole character that fits: a cut inside one hands the engine
        // malformed UTF-8.
        qsizetype length = qMin(FUtf8Buffer.size(), qsizetype(sizeof symbol->primary) - 1);
        if (length < FUtf8Buffer.size())
            while (length > 0 && (uchar(FUtf8Buffer.at(length)) & 0xC0) == 0x80)
                --length;
        std::memset(symbol->primary, 0, sizeof symbol->primary);
        std::memcpy(symbol->primary, FUtf8Buffer.constData(), size_t(length)); // primary
    }
}

void TBarcode::EncodeData(const TZintApi &api, zint_symbol *symbol)
{
    ToUtf8(FInputText, "InputText", FUtf8Buffer);
    if (FUtf8Buffer.size() > INT_MAX)
        throw EBarcodeError(QStringLiteral("InputText is too long"));
    // QByteArray's data is never null and always zero-terminated, also when empty.
    FWarning.clear();
    PrepareEngineCall();
    CheckResult(api.Encode(symbol, reinterpret_cast<const unsigned char *>(FUtf8Buffer.constData()), int(FUtf8Buffer.size())),
                symbol);
    FEngineChoice = {symbol->option_1, symbol->option_2, symbol->option_3};

    FRowCount = symbol->rows;
    FWidth = symbol->width;
    FOutputText = FieldUtf8(symbol->text);
}

#ifndef QUORVEL_FILES_ONLY
void TBarcode::HandOverPixels(const TZintApi &api, zint_symbol *symbol)
{
    // Two-coloured symbols are asked for as one character per pixel: the engine then skips
    // writing three bytes per pixel, and the colours are put in while the rows are copied anyway.
    // Ultracode's modules have colours of their own.
    TPixelLayout layout = TPixelLayout::Rgb;
    if (InSet(FOutputOptions, opBpp1))
        layout = TPixelLayout::Mono;
    else if (FSymbology != syUltracode) {
        layout = TPixelLayout::Characters;
        symbol->output_options |= CharacterBufferFlag;
    }
    PrepareEngineCall();
    CheckResult(api.Buffer(symbol, FRotation), symbol);
    CopyPixels(symbol->bitmap, symbol->bitmap_width, symbol->bitmap_height, layout);
    FChanged = false;
}
#endif

void TBarcode::PrintFile(const TZintApi &api, zint_symbol *symbol, TSaveTarget &target)
{
    PrepareEngineCall();
    CheckResult(api.Print(symbol, FRotation), symbol);
    FChanged = true;
    // The engine has no resolution field of its own: the written file is stamped before it is
    // put in place.
    target.Finish([&](const QString &engineFileName) {
        WriteOutfile(symbol, engineFileName);
        PrepareEngineCall();
        CheckResult(api.Print(symbol, FRotation), symbol);
    }, FResolution);
}

void TBarcode::CheckResult(int result, zint_symbol *symbol)
{
    if (result == 0)
        return;
    if (FKeepWarnings && result < ZINT_ERROR) {
        if (FWarning.isEmpty())
            FWarning = FieldText(symbol->errtxt);
        return;
    }
    throw EBarcodeError(FieldText(symbol->errtxt));
}

#ifndef QUORVEL_FILES_ONLY
TSymbolVector TBarcode::Vector()
{
    FChanged = true;
    TSymbolVector vector;
    Generate(QString(), &vector);
    // The record now holds shapes, not the pixels of Bitmap: the next reading renders again.
    FChanged = true;
    return vector;
}

TSymbolVector TBarcode::CopyVector(const TZintApi &api, zint_symbol *symbol) const
{
    PrepareEngineCall();
    if (api.BufferVector(symbol, FRotation) != 0)
        throw EBarcodeError(FieldText(symbol->errtxt));
    TSymbolVector vector;
    vector.Fore = ColorToQColor(FForeColor);
    vector.Back = ColorToQColor(FBackColor);
    if (FTransparentBack)
        vector.Back.setAlpha(0);
    vector.Bold = InSet(FOutputOptions, opBoldText);
    const zint_vector *shapes = symbol->vector;
    if (shapes == nullptr)
        return vector;
    vector.Size = QSizeF(shapes->width, shapes->height);
    for (const zint_vector_rect *rect = shapes->rectangles; rect != nullptr; rect = rect->next)
        vector.Rects.append({QRectF(rect->x, rect->y, rect->width, rect->height), RectColour(rect->colour, vector.Fore)});
    for (const zint_vector_hexagon *hexagon = shapes->hexagons; hexagon != nullptr; hexagon = hexagon->next)
        vector.Hexagons.append({QPointF(hexagon->x, hexagon->y), hexagon->diameter, hexagon->rotation});
    for (const zint_vector_circle *circle = shapes->circles; circle != nullptr; circle = circle->next)
        vector.Circles.append({QPointF(circle->x, circle->y), circle->diameter, circle->width, circle->colour != 0});
    for (const zint_vector_string *text = shapes->strings; text != nullptr; text = text->next) {
        const char *bytes = reinterpret_cast<const char *>(text->text);
        vector.Texts.append({QPointF(text->x, text->y), text->fsize, text->rotation, text->halign,
                             QString::fromUtf8(bytes, qsizetype(bytes != nullptr ? std::strlen(bytes) : 0))});
    }
    return vector;
}

// A PDF is drawn by us from the engine's vector output; the file goes through the same target
// as the engine's own formats, so a failed save leaves the earlier file as it was.
void TBarcode::PrintPdf(const TZintApi &api, zint_symbol *symbol, TSaveTarget &target)
{
    const TSymbolVector vector = CopyVector(api, symbol);
    const bool toStdout = InSet(FOutputOptions, opStdout);
    WriteSymbolPdf(vector, FResolution, toStdout ? QStringLiteral("-") : target.EngineFileName());
    FChanged = true;
    target.Finish([&](const QString &engineFileName) { WriteSymbolPdf(vector, FResolution, engineFileName); }, 0.0);
}
#endif
