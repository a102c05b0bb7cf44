#include "lang/ToolkitTranslation.h"

#include "lang/LangFile.h"
#include "toolkit/Exception.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace {

struct TKnownLanguage
{
    const char *Name;
    const char *Locale;
};

// The names of the flag table, spelled as there; the flag says which variant (Brazil's
// Portuguese).
const TKnownLanguage KnownLanguages[] = {
    {"English", "en"},  {"Russian", "ru"},  {"Hungarian", "hu"},
    {"French", "fr"},   {"Hindi", "hi"},    {"Spanish", "es"},
    {"Arabic", "ar"},   {"Dutch", "nl"},    {"Portuguese", "pt_BR"},
    {"Italiano", "it"}, {"German", "de"},   {"Chinese Simplified", "zh_CN"},
    {"Chinese Traditional", "zh_TW"}, {"Japanese", "ja"}, {"Korean", "ko"},
    {"Danish", "da"},
};

QString LocaleInFile(const QString &languageFile)
{
    if (languageFile.isEmpty() || !LanguageFileExists(languageFile))
        return QString();
    try {
        return TLangFile::Shared(languageFile)
            ->ReadString(QStringLiteral("Language"), QStringLiteral("Locale"), QString())
            .trimmed();
    } catch (const Exception &) {
        // An unreadable file is reported where the language itself is applied.
        return QString();
    }
}

QString LocaleByQtName(const QString &language)
{
    for (int value = QLocale::AnyLanguage + 1; value <= QLocale::LastLanguage; ++value) {
        const auto candidate = static_cast<QLocale::Language>(value);
        const QLocale locale(candidate);
        if (locale.language() != candidate)
            continue; // Qt has no data for it
        if (QLocale::languageToString(candidate).compare(language, Qt::CaseInsensitive) == 0
            || locale.nativeLanguageName().compare(language, Qt::CaseInsensitive) == 0)
            return locale.name();
    }
    return QString();
}

std::unique_ptr<QTranslator> &LoadedTranslator()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

} // namespace

QString LocaleOfLanguage(const QString &language, const QString &languageFile)
{
    const QString fromFile = LocaleInFile(languageFile);
    if (!fromFile.isEmpty())
        return fromFile;
    for (const TKnownLanguage &known : KnownLanguages)
        if (language == QLatin1String(known.Name))
            return QLatin1String(known.Locale);
    const QString name = language.trimmed();
    return name.isEmpty() ? QString() : LocaleByQtName(name);
}

bool LoadToolkitTranslation(const QString &language, const QString &languageFile)
{
    std::unique_ptr<QTranslator> &loaded = LoadedTranslator();
    if (loaded) {
        QCoreApplication::removeTranslator(loaded.get());
        loaded.reset();
    }
    const QString locale = LocaleOfLanguage(language, languageFile);
    if (locale.isEmpty() || QCoreApplication::instance() == nullptr)
        return false;
    auto translator = std::make_unique<QTranslator>();
    // Looks for the locale's own catalogue, then for its language's ("qtbase_de_AT", "qtbase_de").
    if (!translator->load(QLocale(locale), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    loaded = std::move(translator);
    return true;
}
