#include "barcode/Barcode.h"

#include "barcode/Symbologies.h"
#include "barcode/ZintLibrary.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QtEndian>

#include <climits>
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif
#include <cstring>
#include <memory>
#if defined(Q_OS_UNIX)
#include <sys/statvfs.h>
#else
#include <QStorageInfo>
#endif

namespace {

// Engine flag values; some of them are newer than older engine headers, so they are spelled
// out here rather than taken from zint.h.
struct TOutputFlag
{
    TOutputOption Option;
    int Flag;
};

// output_options, tested in this order.
const TOutputFlag OutputFlags[] = {
    {opBars, 0x0002},            // BARCODE_BIND
    {opBox, 0x0004},             // BARCODE_BOX
    {opStdout, 0x0008},          // BARCODE_STDOUT
    {opReaderInit, 0x0010},      // READER_INIT
    {opSmallText, 0x0020},       // SMALL_TEXT
    {opBoldText, 0x0040},        // BOLD_TEXT
    {opCmyk, 0x0080},            // CMYK_COLOUR
    {opDotty, 0x0100},           // BARCODE_DOTTY_MODE
    {opGsSeparator, 0x0200},     // GS1_GS_SEPARATOR
    {opCompliantHeight, 0x2000}, // COMPLIANT_HEIGHT
    {opTopBar, 0x0001},          // BARCODE_BIND_TOP
    {opGuardWhiteSpace, 0x4000}, // EANUPC_GUARD_WHITESPACE
    {opEmbedFont, 0x8000},       // EMBED_VECTOR_FONT
    {opBpp1, 0x0400},            // OUT_BUFFER_INTERMEDIATE
};
constexpr int QuietZonesFlag = 0x0800;   // BARCODE_QUIET_ZONES
constexpr int NoQuietZonesFlag = 0x1000; // BARCODE_NO_QUIET_ZONES

// input_mode switches.
constexpr int Gs1NoCheckMode = 0x0020;    // GS1NOCHECK_MODE
constexpr int EscapeMode = 0x0008;        // ESCAPE_MODE
constexpr int Gs1ParensMode = 0x0010;     // GS1PARENS_MODE
constexpr int HeightPerRowMode = 0x0040;  // HEIGHTPERROW_MODE
constexpr int FastEncodeMode = 0x0080;    // FAST_MODE
constexpr int ExtraEscapeMode = 0x0100;   // EXTRA_ESCAPE_MODE

// eci by TEciEncoding; 0 for enDefault, which writes nothing.
const int EciNumbers[] = {0,  3,  4,  5,  6,  11, 12, 15, 16, 17, 18,  8,  7, 9, 10, 13, 22,
                          23, 21, 24, 26, 20, 27, 28, 29, 30, 31, 32, 33, 34, 35, 170, 899};
static_assert(sizeof EciNumbers / sizeof EciNumbers[0] == enBinary + 1, "one ECI per value");

// option_3 by TDataMatrix; 0 for dmDefault, which writes nothing.
const int DataMatrixOptions[] = {0, 100, 101, 128, 228, 229}; // DM_SQUARE, DM_DMRE, DM_ISO_144
static_assert(sizeof DataMatrixOptions / sizeof DataMatrixOptions[0] == dmExtendedIso144 + 1,
              "one option per value");

constexpr int UltraCompression = 128; // ULTRA_COMPRESSION
constexpr int FullMultibyte = 200;    // ZINT_FULL_MULTIBYTE
constexpr int WarnFailAll = 2;        // WARN_FAIL_ALL

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

// Six uppercase hex digits, red first, into a zero-filled field.
template <size_t N>
void WriteColour(char (&field)[N], TColor colour)
{
    static_assert(N > 6, "room for six digits and the terminator");
    static const char Digits[] = "0123456789ABCDEF";
    std::memset(field, 0, N);
    for (int i = 0; i < 3; ++i) {
        const unsigned byte = (colour >> (8 * i)) & 0xFF;
        field[2 * i] = Digits[byte >> 4];
        field[2 * i + 1] = Digits[byte & 0xF];
    }
}

// QString::toUtf8 would silently turn an unpaired surrogate into U+FFFD; the engine must not be
// handed data that differs from what the user gave.
QByteArray ToUtf8(const QString &text, const char *what)
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
    return text.toUtf8();
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

struct TRecordDeleter
{
    decltype(&ZBarcode_Delete) Delete;
    void operator()(zint_symbol *symbol) const { Delete(symbol); }
};

} // namespace

namespace {

// True when the file system holding `folder` has no room left for an ordinary write.
bool DiskIsFull(const QString &folder)
{
#if defined(Q_OS_UNIX)
    struct statvfs info {};
    if (statvfs(QFile::encodeName(folder).constData(), &info) != 0)
        return false;
    return info.f_bavail == 0;
#else
    const QStorageInfo storage(folder);
    return storage.isValid() && storage.bytesAvailable() == 0;
#endif
}

// The engine does not check its own writes: a full disk leaves an empty or cut-off file and
// still reports success, so the result is looked at before the save counts as done.
void CheckWrittenFile(const QString &fileName)
{
    const QFileInfo written(fileName);
    if (!written.exists() || written.size() == 0 || DiskIsFull(written.absolutePath()))
        throw EBarcodeError(QStringLiteral("The file \"%1\" could not be written completely (is the disk full?)")
                                .arg(QDir::toNativeSeparators(fileName)));
}

} // namespace

void TBarcode::Generate(const QString &fileName)
{
    if (!FChanged)
        return;

    const TZintApi &api = LoadZintForRendering();
    // Owned before anything is checked, so every way out deletes it exactly once.
    std::unique_ptr<zint_symbol, TRecordDeleter> record(api.Create(), TRecordDeleter{api.Delete});
    zint_symbol *symbol = record.get();
    if (symbol == nullptr)
        return;
    api.Clear(symbol);

    symbol->symbology = EngineId(FSymbology);          // symbology
    symbol->guard_descent = FGuardDescent;             // guard_descent
    symbol->height = FHeight;                          // height
    symbol->whitespace_width = FWhiteSpaceWidth;       // whitespace_width
    symbol->whitespace_height = FWhiteSpaceHeight;     // whitespace_height
    symbol->border_width = FBorderWidth;               // border_width
    symbol->warn_level = FWarningLevel == waError ? WarnFailAll : 0; // warn_level

    if (!fileName.isEmpty()) {
        const QByteArray name = ToUtf8(fileName, "FileName");
        // The engine's outfile is a C string: a NUL would make it write a different file.
        if (name.contains('\0'))
            throw EBarcodeError(QStringLiteral("FileName contains a NUL character at position %1")
                                    .arg(fileName.indexOf(QChar(0)) + 1));
        if (name.size() >= qsizetype(sizeof symbol->outfile))
            throw EBarcodeError(QStringLiteral("FileName size has to be less than %1 characters")
                                    .arg(sizeof symbol->outfile));
        std::memcpy(symbol->outfile, name.constData(), size_t(name.size()) + 1); // outfile
    }

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
    WriteColour(symbol->bgcolour, FBackColor);         // bgcolour
    symbol->scale = FScale;                            // scale
    symbol->show_hrt = FShowText ? 1 : 0;              // show_hrt
    int inputMode = FInputMode <= imGs1 ? int(FInputMode) : 0;
    if (!FInputCheck)
        inputMode |= Gs1NoCheckMode;
    if (FInputEscape)
        inputMode |= EscapeMode;
    if (FInputParentheses)
        inputMode |= Gs1ParensMode;
    if (FHeightPerRow)
        inputMode |= HeightPerRowMode;
    if (FFastMode)
        inputMode |= FastEncodeMode;
    if (FInputExtraEscape)
        inputMode |= ExtraEscapeMode;
    symbol->input_mode = inputMode;                    // input_mode
    if (FEciEncoding != enDefault && FEciEncoding <= enBinary)
        symbol->eci = EciNumbers[FEciEncoding];        // eci
    if (FDotSize > 0)
        symbol->dot_size = FDotSize;                   // dot_size
    if (FTextGap > 0)
        SetZintTextGap(symbol, FTextGap);              // text_gap

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
    if (FSymbology == syDataMatrix || FSymbology == syHIBC_DataMatrix) {
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

    const QByteArray primary = ToUtf8(FPrimaryMessage, "PrimaryMessage");
    if (!primary.isEmpty()) {
        // Cut at the last whole character that fits: a cut inside one hands the engine
        // malformed UTF-8.
        qsizetype length = qMin(primary.size(), qsizetype(sizeof symbol->primary) - 1);
        if (length < primary.size())
            while (length > 0 && (uchar(primary.at(length)) & 0xC0) == 0x80)
                --length;
        std::memset(symbol->primary, 0, sizeof symbol->primary);
        std::memcpy(symbol->primary, primary.constData(), size_t(length)); // primary
    }

    const QByteArray data = ToUtf8(FInputText, "InputText");
    if (data.size() > INT_MAX)
        throw EBarcodeError(QStringLiteral("InputText is too long"));
    // QByteArray's data is never null and always zero-terminated, also when empty.
    if (api.Encode(symbol, reinterpret_cast<const unsigned char *>(data.constData()), int(data.size())) != 0)
        throw EBarcodeError(FieldText(symbol->errtxt));

    FRowCount = symbol->rows;
    FWidth = symbol->width;
    FOutputText = FieldUtf8(symbol->text);

    if (!fileName.isEmpty()) {
        if (api.Print(symbol, FRotation) != 0)
            throw EBarcodeError(FieldText(symbol->errtxt));
        FChanged = true;
        CheckWrittenFile(fileName);
        return;
    }

    if (api.Buffer(symbol, FRotation) != 0)
        throw EBarcodeError(FieldText(symbol->errtxt));
    CopyPixels(symbol->bitmap, symbol->bitmap_width, symbol->bitmap_height);
    FChanged = false;
}

namespace {

// One row of the engine's red-green-blue bytes into 32-bit pixels (0xFFRRGGBB), four pixels
// (twelve bytes) at a time.
void ConvertRgbRowPortable(const unsigned char *source, QRgb *target, int width)
{
    int x = 0;
    for (; x + 4 <= width; x += 4, source += 12) {
        const quint32 w0 = qFromLittleEndian<quint32>(source);     // R0 G0 B0 R1
        const quint32 w1 = qFromLittleEndian<quint32>(source + 4); // G1 B1 R2 G2
        const quint32 w2 = qFromLittleEndian<quint32>(source + 8); // B2 R3 G3 B3
        target[x] = 0xFF000000u | (qbswap(w0) >> 8);
        target[x + 1] = 0xFF000000u | ((w0 >> 24) << 16) | ((w1 & 0xFF) << 8) | ((w1 >> 8) & 0xFF);
        target[x + 2] = 0xFF000000u | (((w1 >> 16) & 0xFF) << 16) | ((w1 >> 24) << 8) | (w2 & 0xFF);
        target[x + 3] = 0xFF000000u | (qbswap(w2) & 0x00FFFFFFu);
    }
    for (; x < width; ++x, source += 3)
        target[x] = 0xFF000000u | (QRgb(source[0]) << 16) | (QRgb(source[1]) << 8) | source[2];
}

#if defined(__x86_64__) && defined(__GNUC__)
// The same with one byte shuffle per four pixels; each 16-byte load reads four bytes beyond
// the twelve it uses, so the loop stops two pixels before the row's end.
__attribute__((target("ssse3"))) void ConvertRgbRowSsse3(const unsigned char *source, QRgb *target, int width)
{
    const __m128i order = _mm_setr_epi8(2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9, -1);
    const __m128i opaque = _mm_set1_epi32(int(0xFF000000u));
    int x = 0;
    for (; x + 6 <= width; x += 4, source += 12) {
        const __m128i rgb = _mm_loadu_si128(reinterpret_cast<const __m128i *>(source));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(target + x), _mm_or_si128(_mm_shuffle_epi8(rgb, order), opaque));
    }
    ConvertRgbRowPortable(source, target + x, width - x);
}

using TConvertRgbRow = void (*)(const unsigned char *, QRgb *, int);
const TConvertRgbRow ConvertRgbRow = __builtin_cpu_supports("ssse3") ? ConvertRgbRowSsse3 : ConvertRgbRowPortable;
#else
const auto ConvertRgbRow = ConvertRgbRowPortable;
#endif

// One row of '0' (background) and bar characters into 1-bit pixels, first pixel in the top bit.
void PackMonoRow(const unsigned char *source, uchar *target, int width)
{
    std::memset(target, 0, size_t((width + 7) / 8));
    for (int x = 0; x < width; ++x)
        if (source[x] == '0')
            target[x >> 3] |= uchar(0x80 >> (x & 7));
}

} // namespace

// The engine's rows lie one after another from the top: three bytes (red, green, blue) per
// pixel, or with opBpp1 one character per pixel, '0' for the background.
void TBarcode::CopyPixels(const unsigned char *pixels, int width, int height)
{
    const bool bpp1 = InSet(FOutputOptions, opBpp1);
    const QImage::Format format = bpp1 ? QImage::Format_Mono : QImage::Format_RGB32;
    if (width <= 0 || height <= 0 || pixels == nullptr) {
        FBitmap = QImage();
        return;
    }
    // A new image also when a caller still shares the old one: detaching would copy pixels that
    // are overwritten at once.
    if (FBitmap.width() != width || FBitmap.height() != height || FBitmap.format() != format
        || !FBitmap.isDetached()) {
        QImage image(width, height, format);
        if (image.isNull())
            throw EBarcodeError(QStringLiteral("Not enough memory for a bitmap of %1 x %2 pixels")
                                    .arg(width)
                                    .arg(height));
        FBitmap = std::move(image);
    }
    if (bpp1 && (FBitmap.colorCount() != 2 || FBitmap.color(0) != qRgb(0, 0, 0)))
        FBitmap.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});

    uchar *bits = FBitmap.bits();
    const qsizetype bytesPerLine = FBitmap.bytesPerLine();
    const qsizetype sourceBytes = qsizetype(width) * (bpp1 ? 1 : 3);
    auto source = [&](int y) { return pixels + y * sourceBytes; };
    auto line = [&](int y) { return bits + y * bytesPerLine; };
    // Symbols repeat most rows (a module is several pixels high; linear bars are all alike), and
    // comparing is far cheaper than converting. Rows y .. y + run - 1 are alike and done; the next
    // block of up to `run` rows is compared and copied whole, so a long run takes few calls.
    for (int y = 0; y < height;) {
        if (bpp1)
            PackMonoRow(source(y), line(y), width);
        else
            ConvertRgbRow(source(y), reinterpret_cast<QRgb *>(line(y)), width);
        int run = 1;
        while (y + run < height) {
            const int block = qMin(run, height - y - run);
            if (std::memcmp(source(y), source(y + run), size_t(block * sourceBytes)) == 0) {
                std::memcpy(line(y + run), line(y), size_t(block * bytesPerLine));
                run += block;
                continue;
            }
            for (int k = 0; k < block && std::memcmp(source(y), source(y + run), size_t(sourceBytes)) == 0; ++k) {
                std::memcpy(line(y + run), line(y), size_t(bytesPerLine));
                ++run;
            }
            break;
        }
        y += run;
    }
}
