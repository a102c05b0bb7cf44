#include "toolkit/PictureScale.h"

#include "toolkit/ColorKey.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The picture pixel that zoomed pixel `at` shows, along one side of `length` picture pixels.
int SourceIndex(int at, TZoomFactor scale, int length)
{
    if (scale.Down > 1)
        return std::min(at * scale.Down + scale.Down / 2, length - 1);
    return std::min(at / scale.Up, length - 1);
}

} // namespace

void ScaleKeyed(const QImage &picture, TZoomFactor scale, QPoint origin, QImage &target, QRgb key,
                QRgb replacement)
{
    // Only the part that lies on the magnified picture is filled.
    const QSize zoomed = ZoomedSize(picture.size(), scale);
    const int width = std::min(target.width(), zoomed.width() - origin.x());
    const int height = std::min(target.height(), zoomed.height() - origin.y());
    const int pictureWidth = picture.width();
    if (width <= 0 || height <= 0 || origin.x() < 0 || origin.y() < 0)
        return;
    // The picture's columns that the target shows.
    const int firstColumn = SourceIndex(origin.x(), scale, pictureWidth);
    const int lastColumn = SourceIndex(origin.x() + width - 1, scale, pictureWidth);
    const size_t spanBytes = size_t(lastColumn - firstColumn + 1) * sizeof(QRgb);
    std::vector<QRgb> keyed;
    if (scale.Up > 1)
        keyed.resize(size_t(lastColumn - firstColumn + 1));

    const QRgb *previousSource = nullptr;
    const QRgb *previousRow = nullptr;
    for (int y = 0; y < height; ++y) {
        const int sourceRow = SourceIndex(origin.y() + y, scale, picture.height());
        const auto *source = reinterpret_cast<const QRgb *>(picture.constScanLine(sourceRow)) + firstColumn;
        auto *row = reinterpret_cast<QRgb *>(target.scanLine(y));
        // Modules are many pixels high: most rows repeat the one above.
        if (previousRow != nullptr
            && (source == previousSource || std::memcmp(source, previousSource, spanBytes) == 0)) {
            std::memcpy(row, previousRow, size_t(width) * sizeof(QRgb));
            previousSource = source;
            previousRow = row;
            continue;
        }
        if (scale.Up == 1 && scale.Down == 1) {
            KeyRow(source, row, width, key, replacement);
        } else if (scale.Up > 1) {
            KeyRow(source, keyed.data(), int(keyed.size()), key, replacement);
            // The first picture pixel may be cut by the left edge.
            int x = 0;
            int run = scale.Up - origin.x() % scale.Up;
            for (size_t i = 0; x < width; ++i) {
                const int count = std::min(run, width - x);
                std::fill_n(row + x, count, keyed[i]);
                x += count;
                run = scale.Up;
            }
        } else {
            const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(sourceRow));
            for (int x = 0; x < width; ++x)
                row[x] = line[SourceIndex(origin.x() + x, scale, pictureWidth)];
            KeyRow(row, row, width, key, replacement);
        }
        previousSource = source;
        previousRow = row;
    }
}
