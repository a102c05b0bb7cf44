#include "toolkit/StringList.h"

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
