#include "toolkit/Component.h"

#include "toolkit/Exception.h"

#include <QPointer>
#include <QVariant>

namespace {

// The owner's list lives in a hidden child object, so any QObject can own components and the
// list goes away with its owner.
class TComponentList final : public QObject
{
public:
    explicit TComponentList(QObject *owner) : QObject(owner) { setObjectName(ListName()); }

    static QString ListName() { return QStringLiteral("\x01components"); }

    QList<QPointer<QObject>> Items;

    void Compact()
    {
        Items.removeAll(QPointer<QObject>());
    }
};

TComponentList *ListOf(const QObject *owner, bool create)
{
    if (owner == nullptr)
        return nullptr;
    for (QObject *child : owner->children()) {
        if (child->objectName() == TComponentList::ListName())
            if (auto *list = dynamic_cast<TComponentList *>(child))
                return list;
    }
    return create ? new TComponentList(const_cast<QObject *>(owner)) : nullptr;
}

const char *const OwnerProperty = "_q_componentOwner";

} // namespace

void InsertComponent(QObject *owner, QObject *component)
{
    if (owner == nullptr || component == nullptr)
        return;
    TComponentList *list = ListOf(owner, true);
    list->Compact();
    if (!list->Items.contains(component))
        list->Items.append(component);
    component->setProperty(OwnerProperty, QVariant::fromValue(owner));
}

int ComponentCount(const QObject *owner)
{
    TComponentList *list = ListOf(owner, false);
    if (list == nullptr)
        return 0;
    list->Compact();
    return int(list->Items.size());
}

QObject *Components(const QObject *owner, int index)
{
    TComponentList *list = ListOf(owner, false);
    if (list == nullptr)
        return nullptr;
    list->Compact();
    return index >= 0 && index < list->Items.size() ? list->Items.at(index).data() : nullptr;
}

QList<QObject *> OwnedComponents(const QObject *owner)
{
    QList<QObject *> result;
    const int count = ComponentCount(owner);
    for (int i = 0; i < count; ++i)
        result.append(Components(owner, i));
    return result;
}

QObject *FindComponent(const QObject *owner, const QString &name)
{
    if (name.isEmpty())
        return nullptr;
    for (QObject *component : OwnedComponents(owner))
        if (component->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return component;
    return nullptr;
}

QObject *ComponentOwner(const QObject *component)
{
    return component ? component->property(OwnerProperty).value<QObject *>() : nullptr;
}

TComponent::TComponent(QObject *AOwner)
    : QObject(AOwner)
{
    InsertComponent(AOwner, this);
}

void ValidateComponentName(const QObject *component, const QString &name)
{
    if (name.isEmpty())
        return;
    auto isStart = [](QChar c) {
        return (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char('_');
    };
    bool valid = isStart(name.front());
    for (QChar c : name)
        valid = valid && (isStart(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')));
    if (!valid)
        throw EInvalidOperation(QStringLiteral("'%1' is not a valid component name").arg(name));
    QObject *owner = ComponentOwner(component);
    QObject *other = FindComponent(owner, name);
    if (other != nullptr && other != component)
        throw EInvalidOperation(QStringLiteral("A component named %1 already exists").arg(name));
}

void TComponent::SetName(const QString &value)
{
    if (value == objectName())
        return;
    ValidateComponentName(this, value);
    setObjectName(value);
}
