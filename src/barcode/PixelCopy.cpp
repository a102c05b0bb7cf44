#include "barcode/Barcode.h"
#include "barcode/PictureMemory.h"

#include <QtEndian>

#include <cstring>
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

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

QRgb Opaque(TColor colour)
{
    return qRgb(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

// One row of '0' (background) and bar characters into 32-bit pixels of the two colours.
void PaintCharacterRow(const unsigned char *source, QRgb *target, int width, QRgb fore, QRgb back)
{
    int x = 0;
#if defined(__SSE2__)
    // Sixteen pixels at a time: a byte mask of the background widened to 32 bits picks the colour.
    const __m128i backgroundCharacter = _mm_set1_epi8('0');
    const __m128i fores = _mm_set1_epi32(int(fore));
    const __m128i flips = _mm_set1_epi32(int(fore ^ back));
    auto store = [&](QRgb *to, __m128i isBackground) {
        _mm_storeu_si128(reinterpret_cast<__m128i *>(to), _mm_xor_si128(fores, _mm_and_si128(flips, isBackground)));
    };
    for (; x + 16 <= width; x += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(source + x));
        const __m128i isBackground = _mm_cmpeq_epi8(bytes, backgroundCharacter);
        const __m128i low = _mm_unpacklo_epi8(isBackground, isBackground);
        const __m128i high = _mm_unpackhi_epi8(isBackground, isBackground);
        store(target + x, _mm_unpacklo_epi16(low, low));
        store(target + x + 4, _mm_unpackhi_epi16(low, low));
        store(target + x + 8, _mm_unpacklo_epi16(high, high));
        store(target + x + 12, _mm_unpackhi_epi16(high, high));
    }
#endif
    for (; x < width; ++x)
        target[x] = source[x] == '0' ? back : fore;
}

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
// pixel, or one character per pixel, '0' for the background.
void TBarcode::CopyPixels(const unsigned char *pixels, int width, int height, TPixelLayout layout)
{
    const bool bpp1 = layout == TPixelLayout::Mono;
    // A transparent background needs the alpha channel; the engine's red-green-blue pixels
    // (Ultracode) have none to give.
    const bool alpha = FTransparentBack && layout == TPixelLayout::Characters;
    const QImage::Format format = bpp1 ? QImage::Format_Mono : alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    if (width <= 0 || height <= 0 || pixels == nullptr) {
        FBitmap = QImage();
        return;
    }
    // A new image also when a caller still shares the old one: detaching would copy pixels that
    // are overwritten at once.
    if (FBitmap.width() != width || FBitmap.height() != height || FBitmap.format() != format
        || !FBitmap.isDetached()) {
        // Refused like a failed allocation when it is too large for the machine.
        QImage image = PictureFitsInMemory(width, height, bpp1, PictureMemoryLimit()) ? QImage(width, height, format)
                                                                                       : QImage();
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
    const qsizetype sourceBytes = qsizetype(width) * (layout == TPixelLayout::Rgb ? 3 : 1);
    const QRgb fore = Opaque(FForeColor);
    const QRgb back = alpha ? Opaque(FBackColor) & 0x00FFFFFFu : Opaque(FBackColor);
    auto source = [&](int y) { return pixels + y * sourceBytes; };
    auto line = [&](int y) { return bits + y * bytesPerLine; };
    // Symbols repeat most rows (a module is several pixels high; linear bars are all alike), and
    // comparing is far cheaper than converting. Each row is compared with the last converted one,
    // whose source and pixels are still in the nearest cache, and then copied from it.
    for (int y = 0; y < height;) {
        if (bpp1)
            PackMonoRow(source(y), line(y), width);
        else if (layout == TPixelLayout::Characters)
            PaintCharacterRow(source(y), reinterpret_cast<QRgb *>(line(y)), width, fore, back);
        else
            ConvertRgbRow(source(y), reinterpret_cast<QRgb *>(line(y)), width);
        int next = y + 1;
        for (; next < height && std::memcmp(source(y), source(next), size_t(sourceBytes)) == 0; ++next)
            std::memcpy(line(next), line(y), size_t(bytesPerLine));
        y = next;
    }
}
