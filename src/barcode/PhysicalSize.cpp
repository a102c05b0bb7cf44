#include "barcode/PhysicalSize.h"

#include "barcode/BarcodeError.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double MillimetresPerInch = 25.4;
constexpr double PixelsPerModuleAtScale1 = 2.0;
constexpr float SmallestScale = 0.5f;

void RequirePositive(double value, const char *what, const char *unit)
{
    if (!std::isfinite(value) || value <= 0)
        throw EBarcodeError(QStringLiteral("%1 must be greater than 0 %2, not %3")
                                .arg(QLatin1String(what), QLatin1String(unit))
                                .arg(value));
}

} // namespace

float ScaleForXDimension(double xDimensionMm, double dpi)
{
    RequirePositive(xDimensionMm, "The X-dimension", "mm");
    RequirePositive(dpi, "The resolution", "dpi");
    const double pixels = std::max(1.0, std::round(xDimensionMm * dpi / MillimetresPerInch));
    if (pixels > 1e6)
        throw EBarcodeError(QStringLiteral("An X-dimension of %1 mm at %2 dpi is too large").arg(xDimensionMm).arg(dpi));
    return float(pixels / PixelsPerModuleAtScale1);
}

double XDimensionAtScale(float scale, double dpi)
{
    RequirePositive(dpi, "The resolution", "dpi");
    return double(std::max(scale, SmallestScale)) * PixelsPerModuleAtScale1 * MillimetresPerInch / dpi;
}

TPhysicalSize PhysicalSizeOf(const QSize &pixels, double dpi)
{
    RequirePositive(dpi, "The resolution", "dpi");
    return {pixels, QSizeF(pixels) * (MillimetresPerInch / dpi)};
}

QSizeF ModulesOf(const QSize &pixels, float scale)
{
    return QSizeF(pixels) / (double(std::max(scale, SmallestScale)) * PixelsPerModuleAtScale1);
}
