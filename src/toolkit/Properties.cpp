#include "toolkit/Properties.h"

#include "toolkit/Exception.h"
#include "toolkit/StringList.h"

#include <QMetaObject>
#include <QMetaType>
#include <QVariant>
#include <algorithm>
#include <limits>

namespace {

bool IsPublishedName(const char *name)
{
    return name != nullptr && name[0] >= 'A' && name[0] <= 'Z';
}

QChar UpperAscii(QChar c)
{
    return c >= QLatin1Char('a') && c <= QLatin1Char('z') ? QChar(c.unicode() - 32) : c;
}

TPropInfo Describe(const QMetaProperty &property)
{
    TPropInfo info;
    info.Name = QString::fromLatin1(property.name());
    info.Kind = PropKindOf(property);
    info.Property = property;
    return info;
}

[[noreturn]] void RaiseUnknown(const QObject *object, const QString &name)
{
    throw EInvalidOperation(QStringLiteral("Property %1 does not exist in %2")
                                .arg(name, object ? ClassName(object) : QStringLiteral("nil")));
}

TPropInfo Require(const QObject *object, const QString &name)
{
    TPropInfo info = FindPropInfo(object, name);
    if (!info.IsValid())
        RaiseUnknown(object, name);
    return info;
}

void RequireKind(const TPropInfo &info, std::initializer_list<TPropKind> kinds)
{
    for (TPropKind kind : kinds)
        if (info.Kind == kind)
            return;
    throw EInvalidOperation(QStringLiteral("Invalid property type: %1").arg(info.Name));
}

void Write(QObject *object, const TPropInfo &info, const QVariant &value)
{
    if (object == nullptr || !info.IsValid())
        throw EInvalidOperation(QStringLiteral("Property %1 does not exist").arg(info.Name));
    if (!info.Property.isWritable())
        throw EInvalidOperation(QStringLiteral("Property %1 is read-only").arg(info.Name));
    if (!info.Property.write(object, value))
        throw EInvalidOperation(QStringLiteral("Invalid property value for %1").arg(info.Name));
}

QVariant Read(const QObject *object, const TPropInfo &info)
{
    if (object == nullptr || !info.IsValid())
        throw EInvalidOperation(QStringLiteral("Property %1 does not exist").arg(info.Name));
    return info.Property.read(object);
}

} // namespace

TPropKind PropKindOf(const QMetaProperty &property)
{
    if (property.isEnumType() || property.isFlagType())
        return pkOther;
    const QMetaType type = property.metaType();
    switch (type.id()) {
    case QMetaType::QString:
        return pkText;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return pkInteger;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
        return pkInt64;
    case QMetaType::Float:
    case QMetaType::Double:
        return pkFloat;
    case QMetaType::QObjectStar:
        return pkObject;
    default:
        break;
    }
    if (type.flags().testFlag(QMetaType::PointerToQObject))
        return pkObject;
    return pkOther;
}

bool PropNameLess(const QString &a, const QString &b)
{
    const int length = int(std::min(a.size(), b.size()));
    for (int i = 0; i < length; ++i) {
        const QChar ca = UpperAscii(a.at(i));
        const QChar cb = UpperAscii(b.at(i));
        if (ca != cb)
            return ca < cb;
    }
    return a.size() < b.size();
}

QList<TPropInfo> GetPropList(const QObject *object, TPropKinds kinds)
{
    QList<TPropInfo> result;
    if (object == nullptr)
        return result;
    const QMetaObject *meta = object->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!IsPublishedName(property.name()))
            continue;
        TPropInfo info = Describe(property);
        if (kinds.Contains(info.Kind))
            result.append(info);
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const TPropInfo &a, const TPropInfo &b) { return PropNameLess(a.Name, b.Name); });
    return result;
}

QList<TPropInfo> GetPropList(const QObject *object)
{
    return GetPropList(object, {pkText, pkInteger, pkInt64, pkFloat, pkObject, pkOther});
}

TPropInfo FindPropInfo(const QObject *object, const QString &name)
{
    if (object == nullptr || name.isEmpty())
        return TPropInfo();
    const QMetaObject *meta = object->metaObject();
    // The most derived declaration wins when a class publishes a name again.
    for (int i = meta->propertyCount() - 1; i >= 0; --i) {
        const QMetaProperty property = meta->property(i);
        if (IsPublishedName(property.name())
            && QString::fromLatin1(property.name()).compare(name, Qt::CaseInsensitive) == 0)
            return Describe(property);
    }
    return TPropInfo();
}

QString GetStrProp(const QObject *object, const TPropInfo &info)
{
    RequireKind(info, {pkText});
    return Read(object, info).toString();
}

void SetStrProp(QObject *object, const TPropInfo &info, const QString &value)
{
    RequireKind(info, {pkText});
    Write(object, info, value);
}

qint64 GetOrdProp(const QObject *object, const TPropInfo &info)
{
    RequireKind(info, {pkInteger, pkInt64});
    return Read(object, info).toLongLong();
}

void SetOrdProp(QObject *object, const TPropInfo &info, qint64 value)
{
    RequireKind(info, {pkInteger, pkInt64});
    if (info.Kind == pkInteger) {
        const QMetaType type = info.Property.metaType();
        QVariant converted(value);
        if (!converted.convert(type) || converted.toLongLong() != value)
            throw EInvalidOperation(QStringLiteral("Value %1 out of range for %2").arg(value).arg(info.Name));
        Write(object, info, converted);
        return;
    }
    Write(object, info, QVariant::fromValue(value));
}

double GetFloatProp(const QObject *object, const TPropInfo &info)
{
    RequireKind(info, {pkFloat});
    return Read(object, info).toDouble();
}

void SetFloatProp(QObject *object, const TPropInfo &info, double value)
{
    RequireKind(info, {pkFloat});
    QVariant converted(value);
    converted.convert(info.Property.metaType());
    Write(object, info, converted);
}

QObject *GetObjectProp(const QObject *object, const TPropInfo &info)
{
    RequireKind(info, {pkObject});
    return Read(object, info).value<QObject *>();
}

QString GetStrProp(const QObject *object, const QString &name)
{
    return GetStrProp(object, Require(object, name));
}

void SetStrProp(QObject *object, const QString &name, const QString &value)
{
    SetStrProp(object, Require(object, name), value);
}

qint64 GetOrdProp(const QObject *object, const QString &name)
{
    return GetOrdProp(object, Require(object, name));
}

void SetOrdProp(QObject *object, const QString &name, qint64 value)
{
    SetOrdProp(object, Require(object, name), value);
}

double GetFloatProp(const QObject *object, const QString &name)
{
    return GetFloatProp(object, Require(object, name));
}

void SetFloatProp(QObject *object, const QString &name, double value)
{
    SetFloatProp(object, Require(object, name), value);
}

QObject *GetObjectProp(const QObject *object, const QString &name)
{
    return GetObjectProp(object, Require(object, name));
}

void AssignLines(QObject *holder, const QStringList &lines)
{
    if (holder == nullptr)
        return;
    if (auto *strings = qobject_cast<TStrings *>(holder)) {
        strings->SetStrings(lines);
        return;
    }
    throw EInvalidOperation(QStringLiteral("Cannot assign a TStringList to a %1").arg(ClassName(holder)));
}

void AssignLines(QObject *object, const QString &propName, const QStringList &lines)
{
    AssignLines(GetObjectProp(object, propName), lines);
}

QString ClassName(const QObject *object)
{
    return object ? QString::fromLatin1(object->metaObject()->className()) : QString();
}

bool InheritsFrom(const QObject *object, const char *className)
{
    return object != nullptr && object->inherits(className);
}

bool InheritsFrom(const QObject *object, const QString &className)
{
    return InheritsFrom(object, className.toLatin1().constData());
}
