#include "lang/LangChanger.h"

#include "lang/LangFile.h"
#include "toolkit/Exception.h"
#include "toolkit/Form.h"
#include "toolkit/Graphics.h"
#include "toolkit/LocaleNumbers.h"
#include "toolkit/MessageBox.h"
#include "toolkit/Properties.h"

#include <QDir>
#include <QPointer>
#include <cmath>

namespace {

// A negative number given to a colour that is none of the toolkit's system colours (a template
// written with numbers holds those). Colours are 0x00BBGGRR; any other negative number would
// become a system colour nobody knows, or be refused by a component half way through the file.
class ENegativeColor final : public Exception
{
public:
    ENegativeColor() : Exception(QString()) {}
};

bool IsColorProperty(const QObject *object, const TPropInfo &info)
{
    return info.Name.endsWith(QLatin1String("Color"), Qt::CaseInsensitive)
           || (info.Name.compare(QLatin1String("Selected"), Qt::CaseInsensitive) == 0
               && InheritsFrom(object, "TColorBox"));
}

const QString CaptionsSection = QStringLiteral("LngCaptions");
const QString ControlsSection = QStringLiteral("LngControls");
const QString TranslationsSection = QStringLiteral("Translations");

// In the three translation sections a key starting with "#" is a note for translators.
bool IsCommentKey(const QString &key)
{
    return key.startsWith(u'#');
}

QStringList ActiveKeys(const TLangFile &file, const QString &section)
{
    QStringList keys = file.ReadSectionKeys(section);
    keys.removeIf(IsCommentKey);
    return keys;
}

bool HasCaption(const TLangFile &file, const QString &key)
{
    return !IsCommentKey(key) && file.KeyExists(CaptionsSection, key);
}

bool IsWebBrowser(const QObject *object)
{
    return InheritsFrom(object, "TWebBrowser");
}

// Items of a list value: every separator ends an item, empty ones included; what follows the
// last separator is an item only when it is not empty.
QStringList SplitListValue(const QString &value, const QString &separator)
{
    QStringList items;
    qsizetype start = 0;
    qsizetype at;
    while ((at = value.indexOf(separator, start)) >= 0) {
        items.append(TrimBlanks(value.mid(start, at - start)));
        start = at + separator.size();
    }
    const QString rest = TrimBlanks(value.mid(start));
    if (!rest.isEmpty())
        items.append(rest);
    return items;
}

QList<QPointer<QObject>> Guarded(const QList<QObject *> &objects)
{
    QList<QPointer<QObject>> guarded;
    for (QObject *object : objects)
        guarded.append(object);
    return guarded;
}

} // namespace

void TLangChanger::TranslateForm(QObject *Form)
{
    if (FLangFile.isEmpty())
        return;
    // A missing file reads as an empty one: nothing changes.
    const std::shared_ptr<const TLangFile> shared = CurrentFile();
    const TLangFile &file = *shared;

    QList<QObject *> forms;
    if (Form != nullptr) {
        forms.append(Form);
    } else {
        for (TForm *openForm : OpenForms())
            forms.append(openForm);
    }
    const QList<QPointer<QObject>> guardedForms = Guarded(forms);

    for (const QPointer<QObject> &form : guardedForms) {
        if (form.isNull())
            continue;
        TranslateObjLngProperties(form, file);
        for (const QPointer<QObject> &component : Guarded(OwnedComponents(form))) {
            if (component.isNull() || IsWebBrowser(component))
                continue;
            if (Form == nullptr) {
                TranslateObjLngProperties(component, file);
                continue;
            }
            // One component that refuses a text must not keep the rest of the window untranslated.
            try {
                TranslateObjLngProperties(component, file);
            } catch (const std::exception &) {
            }
        }
    }

    forms.clear();
    for (const QPointer<QObject> &form : guardedForms)
        if (!form.isNull())
            forms.append(form);
    ApplyPathEntries(forms, file);
}

void TLangChanger::TranslateObjLngProperties(QObject *AObject, const TLangFile &File)
{
    if (!File.SectionExists(CaptionsSection))
        return;
    const bool isMenuItem = InheritsFrom(AObject, "TMenuItem");
    for (const TPropInfo &info : GetPropList(AObject, TPropKinds{pkText})) {
        // A property without a setter cannot take a translation; it is not an error.
        if (!info.IsWritable())
            continue;
        const QString current = GetStrProp(AObject, info);
        const QString text = RemoveEnter(current);
        QString key;
        QString leading;
        QString trailing;
        bool found = HasCaption(File, text);
        if (found)
            key = text;
        if (!found && isMenuItem && info.Name.compare(QLatin1String("Caption"), Qt::CaseInsensitive) == 0) {
            QString bare = text;
            bare.remove(u'&');
            found = HasCaption(File, bare);
            if (found)
                key = bare;
        }
        if (!found) {
            const TTextParts parts = SplitAroundCore(text);
            found = HasCaption(File, parts.Core);
            if (found) {
                key = parts.Core;
                leading = parts.Leading;
                trailing = parts.Trailing;
            }
        }
        if (!found)
            continue;
        const QString translated =
            leading + RestoreEnter(File.ReadString(CaptionsSection, key, QString())) + trailing;
        if (translated != current)
            SetStrProp(AObject, info, translated);
    }
}

void TLangChanger::ApplyPathEntries(const QList<QObject *> &Forms, const TLangFile &File)
{
    const QList<QPointer<QObject>> forms = Guarded(Forms);
    // Entries refused for a negative colour or by the component (a value out of its range);
    // the others still apply.
    QStringList negativeColors;
    QStringList refused;
    const auto change = [this, &negativeColors, &refused](QObject *form, const QString &path,
                                                          const QString &value, const QString &entry) {
        try {
            ChangeProperty(form, path, value);
        } catch (const ENegativeColor &) {
            if (!negativeColors.contains(entry))
                negativeColors.append(entry);
        } catch (const Exception &error) {
            const QString named = entry + QStringLiteral(" (") + error.Message() + u')';
            if (!refused.contains(named))
                refused.append(named);
        }
    };

    for (const QString &key : ActiveKeys(File, ControlsSection)) {
        const QString value = RestoreEnter(File.ReadString(ControlsSection, key, QString()));
        for (const QPointer<QObject> &form : forms)
            if (!form.isNull())
                change(form, key, value, key + u'=' + value);
    }

    for (const QString &key : ActiveKeys(File, TranslationsSection)) {
        const qsizetype dot = key.indexOf(u'.');
        // Without a window part the key addresses no window.
        if (dot < 0)
            continue;
        const QString className = u'T' + key.left(dot);
        const QString path = key.mid(dot + 1);
        const QString value = RestoreEnter(File.ReadString(TranslationsSection, key, QString()));
        for (const QPointer<QObject> &form : forms)
            if (!form.isNull() && ClassName(form).compare(className, Qt::CaseInsensitive) == 0)
                change(form, path, value, key + u'=' + value);
    }
    if (!negativeColors.isEmpty())
        ReportSkippedEntries(QStringLiteral("The language file \"%1\" gives a colour a negative number that "
                                            "names no colour; these entries were skipped:"),
                             negativeColors);
    if (!refused.isEmpty())
        ReportSkippedEntries(QStringLiteral("The language file \"%1\" gives values that the program cannot "
                                            "take; these entries were skipped:"),
                             refused);
}

void TLangChanger::ReportSkippedEntries(const QString &header, const QStringList &entries)
{
    // Every window translated from the file meets the same entries: each is reported once.
    QStringList fresh;
    for (const QString &entry : entries) {
        const QString identity = FLangFile + u'\n' + entry;
        if (!FReportedEntries.contains(identity)) {
            FReportedEntries.insert(identity);
            fresh.append(entry);
        }
    }
    if (fresh.isEmpty())
        return;
    const QString message = TranslateMessage(header).arg(QDir::toNativeSeparators(FLangFile));
    ShowMessage(message + u'\n' + fresh.join(u'\n'));
}

void TLangChanger::ChangeProperty(QObject *Form, const QString &PropertyPath, const QString &Value)
{
    QObject *target = Form;
    QString path = PropertyPath;

    // Only the first segment names a component of the window.
    qsizetype dot = path.indexOf(u'.');
    if (dot >= 0) {
        if (QObject *component = FindComponent(Form, path.left(dot))) {
            target = component;
            path = path.mid(dot + 1);
        }
    }
    while ((dot = path.indexOf(u'.')) >= 0) {
        const TPropInfo info = FindPropInfo(target, path.left(dot));
        if (!info.IsValid() || info.Kind != pkObject)
            return;
        QObject *held = GetObjectProp(target, info);
        if (held == nullptr)
            return;
        target = held;
        path = path.mid(dot + 1);
    }

    const TPropInfo info = FindPropInfo(target, path);
    if (!info.IsValid())
        return;
    switch (info.Kind) {
    case pkInteger: {
        const std::optional<int> number = StrToInt(Value);
        if (!number || !info.IsWritable())
            break;
        if (*number < 0 && IsColorProperty(target, info) && !IsSystemColor(TColor(*number)))
            throw ENegativeColor();
        // A window's size or place that no window can take is made usable.
        if (const auto *form = qobject_cast<const TForm *>(target))
            SetOrdProp(target, info, form->UsableValue(info.Name, *number));
        else
            SetOrdProp(target, info, *number);
        break;
    }
    case pkInt64: {
        // The template writes all 64 bits; reading them back as 32 bits would drop larger values.
        bool ok = false;
        const qlonglong number = TrimBlanks(Value).toLongLong(&ok, 10);
        if (ok && info.IsWritable())
            SetOrdProp(target, info, number);
        break;
    }
    case pkFloat: {
        // Both "." and "," serve as the decimal separator in a language file.
        QString text = Value;
        text.replace(u'.', u',');
        const std::optional<double> number = StrToFloat(text, u',');
        if (number && std::isfinite(*number) && info.IsWritable())
            SetFloatProp(target, info, *number);
        break;
    }
    case pkText: {
        if (!info.IsWritable())
            break;
        const QString current = GetStrProp(target, info);
        const TTextParts parts = SplitAroundCore(current);
        const QString changed = parts.Leading + TrimBlanks(Value) + parts.Trailing;
        if (changed != current)
            SetStrProp(target, info, changed);
        break;
    }
    case pkObject:
        // An object that cannot take lines (a font) raises the toolkit's assignment error.
        AssignLines(target, info.Name, SplitListValue(Value, FSeparator));
        break;
    case pkOther:
        break;
    }
}
