#pragma once

#include "verify/ScanCheck.h"

#include <optional>

// Reading back a written file: raster formats as they are (PCX too), SVG drawn first. Other formats give
// no verdict (std::nullopt): they are skipped.
bool CanReadBackFile(const QString &fileName);
std::optional<TScanVerdict> ReadBackFile(const QString &fileName, const TScanRequest &request);
