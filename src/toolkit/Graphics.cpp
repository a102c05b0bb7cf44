#include "toolkit/Graphics.h"

#include <QGuiApplication>
#include <QPalette>
#include <cmath>

namespace {
// Font heights are given in pixels at the toolkit's standard 96 pixels per inch.
constexpr int PixelsPerInch = 96;
}

QColor ResolveColor(TColor color)
{
    if ((color & 0xFF000000u) == clSystemColor) {
        const QPalette palette = QGuiApplication::palette();
        switch (color & 0xFF) {
        case clWindow & 0xFF: return palette.color(QPalette::Base);
        case clWindowText & 0xFF: return palette.color(QPalette::WindowText);
        case clAppWorkSpace & 0xFF: return palette.color(QPalette::Dark);
        case clBtnFace & 0xFF: return palette.color(QPalette::Button);
        default: return palette.color(QPalette::Window);
        }
    }
    if (color == clDefault)
        return QGuiApplication::palette().color(QPalette::Window);
    return ColorToQColor(color);
}

bool IsSystemColor(TColor color)
{
    return color == clWindow || color == clWindowText || color == clAppWorkSpace || color == clBtnFace;
}

TFont::TFont(QObject *parent)
    : QObject(parent), FFont(QGuiApplication::font())
{
}

void TFont::SetColor(int value)
{
    if (TColor(value) == FColor)
        return;
    FColor = TColor(value);
    Change();
}

int TFont::Height() const
{
    if (FFont.pixelSize() > 0)
        return -FFont.pixelSize();
    return -int(std::lround(FFont.pointSizeF() * PixelsPerInch / 72.0));
}

void TFont::SetHeight(int value)
{
    if (value == 0)
        return;
    // A negative height is the character height, a positive one the cell height; both map to
    // the pixel size here.
    FFont.setPixelSize(std::abs(value));
    Change();
}

void TFont::SetName(const QString &value)
{
    if (value == FFont.family())
        return;
    FFont.setFamily(value);
    Change();
}

int TFont::Size() const
{
    if (FFont.pixelSize() > 0)
        return int(std::lround(FFont.pixelSize() * 72.0 / PixelsPerInch));
    return int(std::lround(FFont.pointSizeF()));
}

void TFont::SetSize(int value)
{
    if (value <= 0)
        return;
    FFont.setPointSize(value);
    Change();
}

TFont::TFontStyles TFont::Style() const
{
    TFontStyles result;
    if (FFont.bold())
        result |= fsBold;
    if (FFont.italic())
        result |= fsItalic;
    if (FFont.underline())
        result |= fsUnderline;
    if (FFont.strikeOut())
        result |= fsStrikeOut;
    return result;
}

void TFont::SetStyle(TFontStyles value)
{
    FFont.setBold(value.testFlag(fsBold));
    FFont.setItalic(value.testFlag(fsItalic));
    FFont.setUnderline(value.testFlag(fsUnderline));
    FFont.setStrikeOut(value.testFlag(fsStrikeOut));
    Change();
}

void TFont::Load(const QFont &font, TColor color)
{
    FFont = font;
    FColor = color;
}

void TFont::Assign(const TFont &other)
{
    if (&other == this)
        return;
    FFont = other.FFont;
    FColor = other.FColor;
    Change();
}

void TFont::Change()
{
    Q_EMIT Changed();
}
