// Prints, per symbol, the time of a render through TBarcode::Bitmap and through the bare engine
// (ZBarcode_Create, the same fields, ZBarcode_Encode, ZBarcode_Buffer, ZBarcode_Delete), their
// ratio (goal: at most 1.15), and the cost of reading Bitmap with nothing changed (goal: < 1 us).
// An argument runs only the symbols whose title contains it (for profiling one of them).
#include "barcode/Barcode.h"

#include <zint.h>

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <malloc.h>
#include <vector>

namespace {

struct TCase
{
    const char *Title;
    TSymbology Symbology;
    int EngineId;
    float Scale;
    QByteArray Data;
    float Height = 50.0f; // 0: the engine's own height (a tall PDF417 only warns)
};

QByteArray Text(int length)
{
    static const char Pattern[] = "Quorvel barcode 0123456789 ABCDEFGHIJ klmnopqrst; ";
    QByteArray text;
    while (text.size() < length)
        text += Pattern;
    return text.left(length);
}

// The record as TBarcode fills it for a fresh component with the case's symbology and scale.
int RenderBare(const TCase &c)
{
    zint_symbol *symbol = ZBarcode_Create();
    ZBarcode_Clear(symbol);
    symbol->symbology = c.EngineId;
    symbol->guard_descent = 5.0f;
    symbol->height = c.Height;
    symbol->whitespace_width = 0;
    symbol->whitespace_height = 0;
    symbol->border_width = 0;
    symbol->warn_level = 0;
    symbol->output_options = 0;
    std::memset(symbol->fgcolour, 0, sizeof symbol->fgcolour);
    std::memcpy(symbol->fgcolour, "000000", 6);
    std::memset(symbol->bgcolour, 0, sizeof symbol->bgcolour);
    std::memcpy(symbol->bgcolour, "FFFFFF", 6);
    symbol->scale = c.Scale;
    symbol->show_hrt = 1;
    symbol->input_mode = 0;
    if (ZBarcode_Cap(c.EngineId, ZINT_CAP_STACKABLE))
        symbol->option_3 = 1;
    int result = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char *>(c.Data.constData()),
                                 int(c.Data.size()));
    if (result == 0)
        result = ZBarcode_Buffer(symbol, 0);
    const int size = symbol->bitmap_width * symbol->bitmap_height;
    ZBarcode_Delete(symbol);
    return result == 0 ? size : -1;
}

// The thread's processor time: on a shared machine, wall-clock time mostly measures the others.
double CpuNs()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
}

// Processor nanoseconds per call of `f`, the best of several rounds.
template <typename F>
double BestOf(int rounds, int iterations, F &&f)
{
    double best = 1e300;
    for (int r = 0; r < rounds; ++r) {
        const double start = CpuNs();
        for (int i = 0; i < iterations; ++i)
            f(i);
        best = std::min(best, (CpuNs() - start) / iterations);
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    // Freed memory stays with the process: otherwise whichever side frees a large block first
    // hands it back to the system, and the other pays the page faults of getting it again, so
    // the ratio would measure the allocator's history rather than the work.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    QCoreApplication application(argc, argv);
    const QByteArray only = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    std::vector<TCase> cases = {
        {"Code 128 \"ABC-123456\"", syCode128, BARCODE_CODE128, 1.0f, "ABC-123456"},
        {"Code 128, 60 characters, scale 2", syCode128, BARCODE_CODE128, 2.0f, Text(60)},
        {"PDF417 \"123456\"", syPDF417, BARCODE_PDF417, 1.0f, "123456", 0.0f},
        {"PDF417, 800 characters", syPDF417, BARCODE_PDF417, 1.0f, Text(800), 0.0f},
        {"Data Matrix \"123456\"", syDataMatrix, BARCODE_DATAMATRIX, 1.0f, "123456"},
        {"Data Matrix, 500 characters", syDataMatrix, BARCODE_DATAMATRIX, 1.0f, Text(500)},
        {"QR Code \"123456\"", syQRCode, BARCODE_QRCODE, 1.0f, "123456"},
        {"QR Code, 1000 characters, scale 4", syQRCode, BARCODE_QRCODE, 4.0f, Text(1000)},
    };
    cases.erase(std::remove_if(cases.begin(), cases.end(),
                               [&](const TCase &c) { return !QByteArray(c.Title).contains(only); }),
                cases.end());

    std::printf("%-36s %12s %12s %7s\n", "symbol", "TBarcode us", "bare us", "ratio");
    bool allMet = true;
    try {
        for (const TCase &c : cases) {
            TBarcode barcode(nullptr);
            barcode.SetSymbology(c.Symbology);
            barcode.SetScale(c.Scale);
            barcode.SetHeight(c.Height);
            barcode.SetInputText(QString::fromLatin1(c.Data));
            const QImage &image = barcode.Bitmap();
            if (RenderBare(c) != image.width() * image.height()) {
                std::printf("%s: the bare engine and the component disagree\n", c.Title);
                return 1;
            }
            // Each component render is forced by a change that leaves the record as it is: a dot
            // size of 0 keeps the engine's default, 0.8.
            const float dotSizes[2] = {0.0f, 0.8f};
            auto component = [&](int i) {
                barcode.SetDotSize(dotSizes[i & 1]);
                barcode.Bitmap();
            };
            auto bare = [&](int) { RenderBare(c); };
            // A first pass to warm caches; then interleaved rounds.
            const double fast = BestOf(1, 3, bare);
            const int iterations = std::max(3, int(20e6 / std::max(fast, 1.0)));
            double componentNs = 1e300, bareNs = 1e300;
            for (int round = 0; round < 7; ++round) {
                componentNs = std::min(componentNs, BestOf(1, iterations, component));
                bareNs = std::min(bareNs, BestOf(1, iterations, bare));
            }
            const double ratio = componentNs / bareNs;
            allMet = allMet && ratio <= 1.15;
            std::printf("%-36s %12.1f %12.1f %7.3f\n", c.Title, componentNs / 1000, bareNs / 1000, ratio);
        }

        TBarcode barcode(nullptr);
        barcode.SetInputText(QStringLiteral("123456"));
        barcode.Bitmap();
        qint64 sum = 0;
        const double readNs = BestOf(5, 10000000, [&](int) { sum += barcode.Bitmap().width(); });
        std::printf("Bitmap read with nothing changed: %.1f ns (checksum %lld)\n", readNs, sum);
        allMet = allMet && readNs < 1000;
    } catch (const Exception &error) {
        std::printf("error: %s\n", error.what());
        return 1;
    }
    std::printf("%s\n", allMet ? "all goals met" : "some goal missed");
    return 0;
}
