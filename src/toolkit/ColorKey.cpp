#include "toolkit/ColorKey.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr QRgb Opaque = 0xFF000000u;

} // namespace

void KeyRow(const QRgb *from, QRgb *to, int width, QRgb key, QRgb replacement)
{
    int x = 0;
#if defined(__SSE2__)
    const __m128i keys = _mm_set1_epi32(int(key | Opaque));
    const __m128i alpha = _mm_set1_epi32(int(Opaque));
    const __m128i replacements = _mm_set1_epi32(int(replacement));
    for (; x + 4 <= width; x += 4) {
        const __m128i pixels = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(from + x)), alpha);
        const __m128i hit = _mm_cmpeq_epi32(pixels, keys);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(to + x),
                         _mm_or_si128(_mm_and_si128(hit, replacements), _mm_andnot_si128(hit, pixels)));
    }
#endif
    for (; x < width; ++x) {
        const QRgb pixel = from[x] | Opaque;
        to[x] = pixel == (key | Opaque) ? replacement : pixel;
    }
}

void ReplaceColor(QImage &image, QRgb key, QRgb replacement)
{
    if (image.depth() != 32)
        return;
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        KeyRow(row, row, width, key, replacement);
    }
}

QList<QRgb> ReplaceTableColor(QList<QRgb> table, QRgb key, QRgb replacement)
{
    for (QRgb &entry : table)
        if ((entry | Opaque) == (key | Opaque))
            entry = replacement;
    return table;
}
