#include "lang/LangChanger.h"

#include "lang/LangFile.h"

// The template writer needs the toolkit's published-property layer; not available yet.
void TLangChanger::SaveProperties(QObject *Form, TSaveKindsProperties)
{
    FSavedForm = Form;
}

void TLangChanger::SaveObject(QObject *, const QString &, TSaveKindsProperties)
{
}

void TLangChanger::WalkObject(TLangFile &, QObject *, const QString &, TSaveKindsProperties)
{
}
