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

void TStrings::SetStrings(const QStringList &lines)
{
    BeginUpdate();
    Clear();
    for (const QString &line : lines)
        Insert(Count(), line);
    EndUpdate();
}

int TStrings::Add(const QString &line)
{
    const int index = Count();
    Insert(index, line);
    return index;
}

QStringList TStrings::ToStringList() const
{
    QStringList result;
    const int count = Count();
    result.reserve(count);
    for (int i = 0; i < count; ++i)
        result.append(Strings(i));
    return result;
}

int TStrings::IndexOf(const QString &line) const
{
    const int count = Count();
    for (int i = 0; i < count; ++i)
        if (Strings(i).compare(line, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString TStrings::Text() const
{
    QString result;
    const int count = Count();
    for (int i = 0; i < count; ++i)
        result += Strings(i) + QStringLiteral("\r\n");
    return result;
}

void TStrings::SetText(const QString &text)
{
    SetStrings(SplitLines(text));
}

QString TStringList::Strings(int index) const
{
    return index >= 0 && index < FLines.size() ? FLines.at(index) : QString();
}

void TStringList::Insert(int index, const QString &line)
{
    FLines.insert(qBound(0, index, int(FLines.size())), line);
}

void TStringList::Delete(int index)
{
    if (index >= 0 && index < FLines.size())
        FLines.removeAt(index);
}

QStringList SplitLines(const QString &text)
{
    QStringList lines;
    QString current;
    const int length = int(text.size());
    for (int i = 0; i < length; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(current);
            current.clear();
            if (c == QLatin1Char('\r') && i + 1 < length && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            current.append(c);
        }
    }
    if (!current.isEmpty())
        lines.append(current);
    return lines;
}
