#include "verify/ScanWarnings.h"

#include "verify/ScanProfiles.h"

#include <QTransform>
#include <algorithm>
#include <initializer_list>
#include <utility>
#include <cmath>

namespace {

double Linearised(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// Relative luminance, 0 to 1.
double Luminance(TColor color)
{
    return 0.2126 * Linearised(GetRValue(color)) + 0.7152 * Linearised(GetGValue(color)) +
           0.0722 * Linearised(GetBValue(color));
}

int Grey(TColor color)
{
    return qGray(GetRValue(color), GetGValue(color), GetBValue(color));
}

// Where the symbol's modules lie in the picture, turned back upright.
struct TExtent
{
    int Left = -1, Right = -1, Top = -1, Bottom = -1;
    bool Found() const { return Left >= 0; }
};

class TDarkMap
{
public:
    TDarkMap(const QImage &picture, const TScanRequest &request)
    {
        QImage upright = picture;
        if (request.Rotation % 360 != 0)
            upright = picture.transformed(QTransform().rotate(-request.Rotation));
        FImage = upright.convertToFormat(QImage::Format_Grayscale8);
        // A pixel is dark when it lies nearer the fore colour than the back colour.
        FThreshold = (Grey(request.ForeColor) + Grey(request.BackColor)) / 2;
        FDarkBelow = Grey(request.ForeColor) < Grey(request.BackColor);
    }

    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    bool Dark(int x, int y) const
    {
        const int value = FImage.constScanLine(y)[x];
        return FDarkBelow ? value < FThreshold : value > FThreshold;
    }

    TExtent Whole() const
    {
        TExtent extent;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                if (Dark(x, y)) {
                    if (!extent.Found() || x < extent.Left)
                        extent.Left = x;
                    extent.Right = std::max(extent.Right, x);
                    if (extent.Top < 0)
                        extent.Top = y;
                    extent.Bottom = y;
                }
        return extent;
    }

    // The dark span of one row.
    TExtent Row(int y) const
    {
        TExtent extent;
        for (int x = 0; x < Width(); ++x)
            if (Dark(x, y)) {
                if (!extent.Found())
                    extent.Left = x;
                extent.Right = x;
            }
        extent.Top = extent.Bottom = y;
        return extent;
    }

private:
    QImage FImage;
    int FThreshold = 128;
    bool FDarkBelow = true;
};

double Rounded(double value)
{
    return std::round(value * 10.0) / 10.0;
}

// The first side whose quiet zone is short, as {modules there, modules needed}; none: {-1, 0}.
std::pair<double, double> ShortQuietZone(std::initializer_list<std::pair<double, double>> sides)
{
    for (const auto &side : sides)
        if (side.first + 0.05 < side.second)
            return side;
    return {-1.0, 0.0};
}

void AddGeometryWarnings(const QImage &picture, const TScanRequest &request, const TScanProfile &profile,
                         QList<TScanWarning> &warnings)
{
    double modulePixels = std::max(1.0, 2.0 * request.Scale);
    std::pair<double, double> shortZone{-1.0, 0.0};
    const double left = profile.QuietLeft;
    const double right = profile.QuietRight;
    if (request.Framed) {
        // Inside a box or bind bars only the white space is quiet.
        shortZone = ShortQuietZone({{request.WhiteSpace, left}, {request.WhiteSpace, right}});
    } else if (request.SymbolWidth > 0 && !picture.isNull()) {
        const TDarkMap map(picture, request);
        const TExtent whole = map.Whole();
        if (whole.Found()) {
            // Linear and stacked symbols: a row through the bars, above any text.
            const TExtent row = request.Linear ? map.Row(whole.Top + (whole.Bottom - whole.Top) / 4) : whole;
            const TExtent &span = row.Found() ? row : whole;
            modulePixels = double(span.Right - span.Left + 1) / request.SymbolWidth;
            const double atLeft = span.Left / modulePixels;
            const double atRight = (map.Width() - 1 - span.Right) / modulePixels;
            if (request.Linear)
                shortZone = ShortQuietZone({{atLeft, left}, {atRight, right}});
            else
                shortZone = ShortQuietZone({{atLeft, left}, {atRight, right}, {whole.Top / modulePixels, left},
                                            {(map.Height() - 1 - whole.Bottom) / modulePixels, left}});
        }
    }
    if (shortZone.first >= 0)
        warnings.append({TScanWarningKind::QuietZone, Rounded(shortZone.first), shortZone.second});
    if (modulePixels < MinimumModulePixels - 1e-6)
        warnings.append({TScanWarningKind::SmallModules, Rounded(modulePixels), MinimumModulePixels});
}

} // namespace

double LuminanceContrast(TColor fore, TColor back)
{
    return std::abs(Luminance(back) - Luminance(fore)) * 100.0;
}

QList<TScanWarning> ScanWarnings(const QImage &picture, const TScanRequest &request)
{
    QList<TScanWarning> warnings;
    const double contrast = LuminanceContrast(request.ForeColor, request.BackColor);
    if (contrast < MinimumContrast)
        warnings.append({TScanWarningKind::Contrast, std::round(contrast), MinimumContrast});
    if (request.Linear && Luminance(request.ForeColor) > Luminance(request.BackColor))
        warnings.append({TScanWarningKind::LightOnDark, std::round(Luminance(request.ForeColor) * 100.0),
                         std::round(Luminance(request.BackColor) * 100.0)});

    const TScanProfile &profile = ScanProfile(request.Symbology);
    // Without contrast the picture shows no modules to measure.
    if (contrast >= 1.0)
        AddGeometryWarnings(picture, request, profile, warnings);

    const double x = request.XDimensionMm;
    if (x > 0 && profile.XMinMm > 0 && (x < profile.XMinMm - 1e-6 || x > profile.XMaxMm + 1e-6))
        warnings.append({TScanWarningKind::XDimension, x, profile.XMinMm, profile.XMaxMm});
    return warnings;
}
