#include "lang/LangChanger.h"

#include "lang/LangFile.h"
#include "toolkit/Exception.h"
#include "toolkit/LocaleNumbers.h"
#include "toolkit/ProgramPaths.h"
#include "toolkit/Properties.h"

#include <QDir>
#include <QPointer>
#include <exception>
#include <functional>

namespace {

const QString CaptionsSection = QStringLiteral("LngCaptions");
const QString ControlsSection = QStringLiteral("LngControls");
const QString TranslationsSection = QStringLiteral("Translations");

TLangFile LoadTemplate(const QString &path)
{
    TLangFile file = TLangFile::Load(path);
    // Entries are added to what is there; a file that is not UTF-16 text would be mangled.
    if (!file.Rewritable())
        throw Exception(QStringLiteral("The language template \"%1\" is not a UTF-16 language file; "
                                       "it was left unchanged")
                            .arg(path));
    return file;
}

QString MessageOf(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Exception &e) {
        return e.Message();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QString();
    }
}

// Runs the walk and writes the template back in any case, so the entries found before an error
// are kept. When writing fails as well, both reasons reach the caller.
void WalkAndSave(TLangFile &templateFile, const QString &path, const std::function<void()> &walk)
{
    std::exception_ptr walkError;
    try {
        walk();
    } catch (...) {
        walkError = std::current_exception();
    }
    try {
        templateFile.Save(path);
    } catch (const Exception &saveError) {
        if (walkError)
            throw Exception(MessageOf(walkError) + QLatin1Char('\n') + saveError.Message());
        throw;
    }
    if (walkError)
        std::rethrow_exception(walkError);
}

TPropKinds FilterOf(TSaveKindsProperties SaveKind)
{
    TPropKinds filter{pkObject};
    if (SaveKind.Contains(skStringProperties))
        filter.Include(pkText);
    if (SaveKind.Contains(skIntegerProperties)) {
        filter.Include(pkInteger);
        filter.Include(pkInt64);
    }
    if (SaveKind.Contains(skFloatProperties))
        filter.Include(pkFloat);
    return filter;
}

// "Caption" and "Hint" of an object linked to an action come from the action.
bool HasAssignedAction(const QObject *object, const QList<TPropInfo> &properties)
{
    for (const TPropInfo &info : properties)
        if (info.Name == QLatin1String("Action") && info.Kind == pkObject)
            return GetObjectProp(object, info) != nullptr;
    return false;
}

} // namespace

void TLangChanger::SaveProperties(QObject *Form, TSaveKindsProperties SaveKind)
{
    FSavedForm = Form;
    if (Form == nullptr)
        return;
    const QString path = TemplateFilePath();
    TLangFile templateFile = LoadTemplate(path);
    WalkAndSave(templateFile, path, [&]() {
        const QString formName = Form->objectName();
        WalkObject(templateFile, Form, formName, SaveKind);
        QList<QPointer<QObject>> components;
        for (QObject *component : OwnedComponents(Form))
            components.append(component);
        for (const QPointer<QObject> &component : components) {
            if (component.isNull() || InheritsFrom(component, "TWebBrowser"))
                continue;
            WalkObject(templateFile, component, formName + u'.' + component->objectName(), SaveKind);
        }
    });
}

void TLangChanger::SaveObject(QObject *AObject, const QString &ObjectName, TSaveKindsProperties SaveKind)
{
    const QString path = TemplateFilePath();
    TLangFile templateFile = LoadTemplate(path);
    WalkAndSave(templateFile, path, [&]() {
        if (AObject != nullptr)
            WalkObject(templateFile, AObject, ObjectName, SaveKind);
    });
}

void TLangChanger::WalkObject(TLangFile &Template, QObject *AObject, const QString &ObjectName,
                              TSaveKindsProperties SaveKind)
{
    // Object properties may lead back to an object being written (a dialog's parent window
    // referring to the dialog, say); such a chain is followed only once.
    if (FWalkPath.contains(AObject))
        return;
    FWalkPath.append(AObject);
    struct TPathGuard
    {
        QList<QObject *> &Path;
        ~TPathGuard() { Path.removeLast(); }
    } guard{FWalkPath};

    const bool shared = ObjectName.endsWith(FLngPostfix);
    const QString section = shared ? ControlsSection : TranslationsSection;
    const QString keyBase = shared ? ObjectName.mid(ObjectName.lastIndexOf(u'.') + 1) : ObjectName;
    const auto excluded = [this](const QString &name) {
        return FExcludeProperties.contains(name, Qt::CaseInsensitive);
    };

    const QList<TPropInfo> properties = GetPropList(AObject, FilterOf(SaveKind));
    const auto writeProperty = [&](const TPropInfo &info) {
        const QString key = keyBase + u'.' + info.Name;
        switch (info.Kind) {
        case pkText: {
            if (excluded(info.Name))
                break;
            const QString value = RemoveEnter(TrimBlanks(GetStrProp(AObject, info)));
            if ((info.Name == QLatin1String("Hint") || info.Name == QLatin1String("Caption"))
                && HasAssignedAction(AObject, properties))
                break;
            if (value.isEmpty() || info.Name == QLatin1String("Name"))
                break;
            // A text the dictionary already translates needs no entry of its own.
            if (!shared && Template.KeyExists(CaptionsSection, value))
                break;
            Template.WriteString(section, key, value);
            break;
        }
        case pkInteger:
        case pkInt64:
            if (!excluded(info.Name))
                Template.WriteString(section, key, QString::number(GetOrdProp(AObject, info)));
            break;
        case pkFloat:
            if (!excluded(info.Name))
                Template.WriteString(section, key, FloatToStr(GetFloatProp(AObject, info)));
            break;
        case pkObject: {
            QObject *held = GetObjectProp(AObject, info);
            if (held == nullptr)
                break;
            // Components of the window are written on their own; other windows are not part
            // of this window's template.
            if (FSavedForm != nullptr && ComponentOwner(held) == FSavedForm)
                break;
            if (held == FSavedForm || InheritsFrom(held, "TForm"))
                break;
            WalkObject(Template, held, ObjectName + u'.' + info.Name, SaveKind);
            break;
        }
        case pkOther:
            break;
        }
    };
    for (const TPropInfo &info : properties) {
        // A value nobody can set (a barcode's Bitmap, Version, Width ...) cannot be translated.
        if (info.Kind != pkObject && !info.IsWritable())
            continue;
        // A property that cannot be read now (a barcode's XDimension on an older engine, a
        // bitmap of bad data) has no text to offer; the rest of the window still has.
        try {
            writeProperty(info);
        } catch (const std::exception &) {
        }
    }
}
