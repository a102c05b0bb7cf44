#include "cli/SymbologyNames.h"

#include "barcode/Symbologies.h"


namespace {

// Letters and digits only, lower case: what is left of a name once case, blanks and
// punctuation are set aside.
QString Folded(const QString &name)
{
    QString folded;
    folded.reserve(name.size());
    for (const QChar c : name)
        if (c.isLetterOrNumber())
            folded.append(c.toLower());
    return folded;
}

} // namespace

QString CommandLineName(TSymbology symbology)
{
    return SymbologyShortName(symbology);
}

bool SymbologyFromCommandLine(const QString &name, TSymbology &result)
{
    const QString wanted = Folded(name);
    if (wanted.isEmpty())
        return false;
    for (int i = 0; i < SymbologyCount; ++i) {
        const auto symbology = TSymbology(i);
        if (Folded(DisplayName(symbology)) == wanted || Folded(CommandLineName(symbology)) == wanted) {
            result = symbology;
            return true;
        }
    }
    return false;
}
