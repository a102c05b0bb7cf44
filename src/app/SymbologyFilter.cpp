#include "app/SymbologyFilter.h"

#include <QStringList>

namespace {

// Letters and digits only, folded to lower case.
QString Compact(const QString &text)
{
    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text)
        if (c.isLetterOrNumber())
            compact.append(c.toCaseFolded());
    return compact;
}

} // namespace

bool MatchesSymbologyFilter(const QString &name, const QString &filter)
{
    const QStringList words = filter.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString compactName = Compact(name);
    for (const QString &word : words) {
        if (name.contains(word, Qt::CaseInsensitive))
            continue;
        const QString compactWord = Compact(word);
        if (compactWord.isEmpty() || !compactName.contains(compactWord))
            return false;
    }
    return true;
}
