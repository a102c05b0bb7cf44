#pragma once

#include <QtGlobal>

// How large a picture the component may make. The system hands out more memory than it has and
// asks only when the pages are first written: a picture too large for the machine does not fail
// to allocate, it gets the program killed while its pixels are drawn.

// Half of the machine's memory, in bytes (no limit where the system does not tell).
qint64 PictureMemoryLimit();

// True when a picture of `width` x `height` pixels, 32 bits per pixel or one bit (`bpp1`, rows
// padded to 32 bits), takes no more than `limit` bytes. Sizes above zero; no product overflows.
bool PictureFitsInMemory(int width, int height, bool bpp1, qint64 limit);
