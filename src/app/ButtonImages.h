#pragma once

#include <QImage>

// The four 24 x 24 button pictures of the main window's image list, drawn in code:
// 0 floppy disk (Save As), 1 list document (batch), 2 chequered flag (START), 3 gear (settings).
constexpr int ButtonImageSize = 24;
constexpr int ButtonImageCount = 4;

QImage ButtonImage(int index);
