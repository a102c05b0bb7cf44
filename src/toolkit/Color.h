#pragma once

#include <QColor>
#include <cstdint>

// A colour laid out 0x00BBGGRR: red in the lowest byte; only the three low bytes carry colour.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;

constexpr int GetRValue(TColor color) { return int(color & 0xFF); }
constexpr int GetGValue(TColor color) { return int((color >> 8) & 0xFF); }
constexpr int GetBValue(TColor color) { return int((color >> 16) & 0xFF); }
constexpr TColor RGBToColor(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}

inline QColor ColorToQColor(TColor color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

inline TColor QColorToColor(const QColor &color)
{
    return RGBToColor(color.red(), color.green(), color.blue());
}
