#include "lang/LangText.h"

QString TrimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsBlank(text.at(first)))
        ++first;
    while (last > first && IsBlank(text.at(last - 1)))
        --last;
    if (first == 0 && last == text.size())
        return text;
    return text.mid(first, last - first);
}

TTextParts SplitAroundCore(const QString &text)
{
    TTextParts parts;
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsBlank(text.at(first)))
        ++first;
    while (last > first && IsBlank(text.at(last - 1)))
        --last;
    if (first == last) {
        parts.Trailing = text;
        return parts;
    }
    // The core begins with its first character above blank, so its first occurrence in the
    // text is exactly where trimming leaves it.
    parts.Leading = text.left(first);
    parts.Core = text.mid(first, last - first);
    parts.Trailing = text.mid(last);
    return parts;
}

QString RemoveEnter(const QString &Text)
{
    QString result = Text;
    // QString::replace scans left to right and never rescans what it inserted.
    return result.replace(QStringLiteral("\r\n"), EnterEscape());
}

QString RestoreEnter(const QString &Text)
{
    QString result = Text;
    return result.replace(EnterEscape(), QStringLiteral("\r\n"));
}
