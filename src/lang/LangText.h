#pragma once

#include <QString>

// Text rules shared by the language file, message translation and window translation.
// A blank is any character whose code is 32 or less; trimming removes blanks at both ends.

inline bool IsBlank(QChar c)
{
    return c.unicode() <= 32;
}

QString TrimBlanks(const QString &text);

// A text cut into its trimmed core and the blanks around it. When the text has no character
// above blank, the core and the leading part are empty and the trailing part is the whole text.
struct TTextParts
{
    QString Leading;
    QString Core;
    QString Trailing;
};

TTextParts SplitAroundCore(const QString &text);

// Line breaks inside keys and values are written as the four characters "{\n}".
QString RemoveEnter(const QString &Text);
QString RestoreEnter(const QString &Text);

// The escape itself, for the few places that need to name it.
inline QString EnterEscape()
{
    return QStringLiteral("{\\n}");
}
