#pragma once

#include "toolkit/Color.h"
#include "toolkit/StringList.h"

#include <QFont>
#include <QObject>
#include <QString>

// Colours the toolkit resolves from the current palette: the high byte 0xFF marks a system colour
// whose low byte names the role. They are for the program's own controls only; pickers never
// offer them.
constexpr TColor clSystemColor = 0xFF000000u;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clDefault = 0x20000000u;

// The RGB colour of `color`, system colours taken from the application palette.
QColor ResolveColor(TColor color);
// True for the system colours above: as 32-bit signed numbers, the only negative colours.
bool IsSystemColor(TColor color);

// A control's font. Changes reach the control at once.
class TFont final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFont)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(TFontStyles Style READ Style WRITE SetStyle)

public:
    enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
    Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
    Q_FLAG(TFontStyles)

    explicit TFont(QObject *parent = nullptr);

    // Colour as TColor (0x00BBGGRR); the property is an integer like the toolkit's colour type.
    int Color() const { return int(FColor); }
    void SetColor(int value);
    // Character height in pixels, negative as the toolkit reports it: -(Size * 96 / 72).
    int Height() const;
    void SetHeight(int value);
    QString Name() const { return FFont.family(); }
    void SetName(const QString &value);
    // Point size.
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const;
    void SetStyle(TFontStyles value);

    QFont ToQFont() const { return FFont; }
    TColor ColorValue() const { return FColor; }
    // Takes a Qt font (and optionally a colour) without signalling a change.
    void Load(const QFont &font, TColor color);
    void Assign(const TFont &other);

Q_SIGNALS:
    void Changed();

private:
    void Change();

    QFont FFont;
    TColor FColor = clWindowText;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TFont::TFontStyles)
