#include "barcode/PictureMemory.h"

#include <limits>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

qint64 PictureMemoryLimit()
{
#if defined(Q_OS_UNIX)
    static const qint64 limit = [] {
        const long pages = sysconf(_SC_PHYS_PAGES);
        const long pageSize = sysconf(_SC_PAGESIZE);
        return pages > 0 && pageSize > 0 ? qint64(pages) / 2 * pageSize : std::numeric_limits<qint64>::max();
    }();
    return limit;
#else
    return std::numeric_limits<qint64>::max();
#endif
}

bool PictureFitsInMemory(int width, int height, bool bpp1, qint64 limit)
{
    const qint64 bytesPerLine = bpp1 ? (qint64(width) + 31) / 32 * 4 : qint64(width) * 4;
    return height <= limit / bytesPerLine;
}
