#include "batch/BatchNames.h"

namespace {

bool IsForbidden(char16_t c)
{
    switch (c) {
    case u'\\': case u'/': case u':': case u'*': case u'?': case u'"': case u'<': case u'>': case u'|':
        return true;
    default:
        return c < 32;
    }
}

bool IsTrimmed(QChar c)
{
    return c.unicode() <= 32 || c == u'.';
}

QString TrimBlanksAndDots(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsTrimmed(text[first]))
        ++first;
    while (last > first && IsTrimmed(text[last - 1]))
        --last;
    return text.sliced(first, last - first);
}

qsizetype CodePointBytes(char16_t c)
{
    if (c < 0x80)
        return 1;
    if (c < 0x800)
        return 2;
    return 3;
}

} // namespace

qsizetype Utf8Length(QStringView text)
{
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            bytes += 4;
            ++i;
        } else {
            bytes += CodePointBytes(c.unicode());
        }
    }
    return bytes;
}

QString CutToUtf8Bytes(const QString &text, qsizetype maxBytes)
{
    qsizetype bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const qsizetype size = pair ? 4 : CodePointBytes(c.unicode());
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        i += pair ? 2 : 1;
    }
    return i == text.size() ? text : text.first(i);
}

QString CleanFileName(const QString &text)
{
    QString name = text;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (IsForbidden(c.unicode()) || c.isSurrogate())
            name[i] = u'_';
    }
    return TrimBlanksAndDots(name);
}

TBatchNamer::TBatchNamer(qsizetype count, qsizetype budgetBytes)
    : FWidth(int(QString::number(qMax<qsizetype>(count, 1)).size()))
    , FBudget(budgetBytes)
{
}

QString TBatchNamer::NameFor(qsizetype line, const QString &text)
{
    const QString cleaned = CleanFileName(text);
    const QString name = TrimBlanksAndDots(CutToUtf8Bytes(cleaned, FBudget));
    if (!name.isEmpty()) {
        // Folded once: a run names every item, and folding makes a copy.
        QString folded = name.toCaseFolded();
        if (!FUsed.contains(folded)) {
            FUsed.insert(std::move(folded));
            return name;
        }
    }

    ++FNumbered;
    const QString number = QStringLiteral("%1").arg(line, FWidth, 10, QChar(u'0'));
    QString candidate = Numbered(number, cleaned);
    // An earlier string such as "07_x" may already hold the numbered name; a counter then
    // makes it unique.
    for (int extra = 2; !IsFree(candidate); ++extra)
        candidate = Numbered(number + u'_' + QString::number(extra), cleaned);
    return Take(candidate);
}

bool TBatchNamer::IsFree(const QString &name) const
{
    return !FUsed.contains(name.toCaseFolded());
}

QString TBatchNamer::Take(const QString &name)
{
    FUsed.insert(name.toCaseFolded());
    return name;
}

QString TBatchNamer::Numbered(const QString &prefix, const QString &cleaned) const
{
    if (cleaned.isEmpty())
        return prefix;
    const QString rest = TrimBlanksAndDots(CutToUtf8Bytes(cleaned, FBudget - prefix.size() - 1));
    if (rest.isEmpty())
        return prefix;
    return prefix + u'_' + rest;
}
