#include "lang/LangChanger.h"

#include "lang/LangFile.h"

// Window translation needs the toolkit's published-property layer; until it is in place the
// calls leave windows as they are (translation never fails loudly).
void TLangChanger::TranslateForm(QObject *)
{
}

void TLangChanger::TranslateObjLngProperties(QObject *, const TLangFile &)
{
}

void TLangChanger::ChangeProperty(QObject *, const QString &, const QString &)
{
}

void TLangChanger::ApplyPathEntries(const QList<QObject *> &, const TLangFile &)
{
}
