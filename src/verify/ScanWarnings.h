#pragma once

#include "verify/ScanCheck.h"

// The warnings about a drawn symbol, each with the figure that triggered it.

// Luminance contrast of two colours, in percent (0 to 100): the difference of their relative
// luminances, as a scanner's symbol contrast.
double LuminanceContrast(TColor fore, TColor back);

// Least contrast scanners need, in percent.
constexpr double MinimumContrast = 40.0;
// Least pixels per module in a raster file.
constexpr double MinimumModulePixels = 2.0;

QList<TScanWarning> ScanWarnings(const QImage &picture, const TScanRequest &request);
