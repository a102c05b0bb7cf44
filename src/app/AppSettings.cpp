#include "app/AppSettings.h"

#include "lang/LangChanger.h"
#include "toolkit/MessageBox.h"

#include <QDir>
#include <QSettings>
#include <QVariant>

TAppSettings AppSettings;

namespace {

const QString Organisation = QStringLiteral("Marvane");
const QString Application = QStringLiteral("Quorvel (QR code) Generator");
const QString Section = QStringLiteral("Options");

// The integer values in the order they are read and written, with their defaults.
struct TIntegerValue
{
    const char *Key;
    int TAppSettings::*Field;
    int Default;
};

const TIntegerValue IntegerValues[] = {
    {"WindowState", &TAppSettings::WindowState, 0},
    {"WindowWidth", &TAppSettings::WindowWidth, 855},
    {"WindowHeight", &TAppSettings::WindowHeight, 693},
    {"WindowLeft", &TAppSettings::WindowLeft, 575},
    {"WindowTop", &TAppSettings::WindowTop, 208},
};

const QString LanguageKey = QStringLiteral("Language");
const QString PathKey = QStringLiteral("Path");
// The symbol, beside the values above: a group of its own for the look and one per symbology.
const QString SymbolGroup = QStringLiteral("Symbol");
const QString SymbologyKey = QStringLiteral("Symbology");
const QString DataKey = QStringLiteral("Data");
const QString PrimaryKey = QStringLiteral("PrimaryMessage");
const QString AppearanceGroup = QStringLiteral("Appearance");
const QString SymbologiesGroup = QStringLiteral("Symbologies");

// A number is taken as it is, a text is parsed as a decimal integer. Anything else (a list, a
// text that does not parse) gives the default, so one bad value cannot stop the program.
int ReadInteger(const QSettings &store, const QString &key, int defaultValue)
{
    const QVariant value = store.value(key);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        // A 32-bit registry number arrives unsigned; the setting is a signed 32-bit value.
        return int(quint32(value.toULongLong()));
    case QMetaType::QString: {
        bool ok = false;
        const int number = value.toString().toInt(&ok, 10);
        return ok ? number : defaultValue;
    }
    default:
        return defaultValue;
    }
}

QString ReadString(const QSettings &store, const QString &key, const QString &defaultValue)
{
    const QVariant value = store.value(key);
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    return defaultValue;
}

// An integer keeps the kind of the value already stored under its name: stored as text, it is
// written as text again.
void WriteInteger(QSettings &store, const QString &key, int number)
{
    if (store.value(key).typeId() == QMetaType::QString)
        store.setValue(key, QString::number(number));
    else
        store.setValue(key, number);
}

// Every text value of the current group; values of another kind are left out.
QMap<QString, QString> ReadTexts(QSettings &store)
{
    QMap<QString, QString> values;
    for (const QString &key : store.childKeys()) {
        const QVariant value = store.value(key);
        if (value.typeId() == QMetaType::QString)
            values.insert(key, value.toString());
    }
    return values;
}

void ReadSymbol(QSettings &store)
{
    store.beginGroup(SymbolGroup);
    AppSettings.HasSymbol = store.contains(SymbologyKey);
    AppSettings.Symbology = ReadString(store, SymbologyKey, QString());
    AppSettings.Data = ReadString(store, DataKey, QString());
    AppSettings.PrimaryMessage = ReadString(store, PrimaryKey, QString());
    store.beginGroup(AppearanceGroup);
    AppSettings.Appearance = ReadTexts(store);
    store.endGroup();
    store.beginGroup(SymbologiesGroup);
    AppSettings.SymbologyOptions.clear();
    for (const QString &symbology : store.childGroups()) {
        store.beginGroup(symbology);
        AppSettings.SymbologyOptions.insert(symbology, ReadTexts(store));
        store.endGroup();
    }
    store.endGroup();
    store.endGroup();
}

void WriteTexts(QSettings &store, const QMap<QString, QString> &values)
{
    for (auto value = values.cbegin(); value != values.cend(); ++value)
        store.setValue(value.key(), value.value());
}

// The whole group is written again, so that values put back to their default are gone.
void WriteSymbol(QSettings &store)
{
    store.remove(SymbolGroup);
    if (!AppSettings.HasSymbol)
        return;
    store.beginGroup(SymbolGroup);
    store.setValue(SymbologyKey, AppSettings.Symbology);
    store.setValue(DataKey, AppSettings.Data);
    store.setValue(PrimaryKey, AppSettings.PrimaryMessage);
    store.beginGroup(AppearanceGroup);
    WriteTexts(store, AppSettings.Appearance);
    store.endGroup();
    store.beginGroup(SymbologiesGroup);
    for (auto symbology = AppSettings.SymbologyOptions.cbegin(); symbology != AppSettings.SymbologyOptions.cend(); ++symbology) {
        if (symbology.value().isEmpty())
            continue;
        store.beginGroup(symbology.key());
        WriteTexts(store, symbology.value());
        store.endGroup();
    }
    store.endGroup();
    store.endGroup();
}

bool Flush(QSettings &store)
{
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace

QString DefaultOutputPath()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\");
#else
    return QDir::homePath() + QLatin1Char('/');
#endif
}

void LoadSettings()
{
    {
        QSettings machine(QSettings::NativeFormat, QSettings::SystemScope, Organisation, Application);
        machine.setFallbacksEnabled(false);
        machine.beginGroup(Section);
        AppSettings.DefaultLanguage = ReadString(machine, LanguageKey, QStringLiteral("English"));
    }

    QSettings user(QSettings::NativeFormat, QSettings::UserScope, Organisation, Application);
    // Only the language falls back to the machine, and only through DefaultLanguage.
    user.setFallbacksEnabled(false);
    user.beginGroup(Section);
    for (const TIntegerValue &value : IntegerValues)
        AppSettings.*value.Field = ReadInteger(user, QLatin1String(value.Key), value.Default);
    AppSettings.Language = ReadString(user, LanguageKey, AppSettings.DefaultLanguage);
    AppSettings.Path = ReadString(user, PathKey, DefaultOutputPath());
    ReadSymbol(user);
}

bool WriteSettings()
{
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, Organisation, Application);
    user.setFallbacksEnabled(false);
    user.beginGroup(Section);
    // Each value is flushed on its own so that the first refused write stops the rest.
    for (const TIntegerValue &value : IntegerValues) {
        WriteInteger(user, QLatin1String(value.Key), AppSettings.*value.Field);
        if (!Flush(user))
            return false;
    }
    user.setValue(LanguageKey, AppSettings.Language);
    if (!Flush(user))
        return false;
    user.setValue(PathKey, AppSettings.Path);
    if (!Flush(user))
        return false;
    WriteSymbol(user);
    return Flush(user);
}

void SaveSettings(const TLangChanger *translator)
{
    if (WriteSettings())
        return;
    QString message = QStringLiteral("Error saving settings!");
    if (translator != nullptr)
        message = translator->TranslateMessage(message);
    ShowMessage(message);
}
