#pragma once

#include <QList>
#include <QObject>
#include <QString>

// Components and owners. An owner keeps the ordered list of the components created with it
// (creation order = design order), independent of which visual container shows a control; the
// list is what translation and the template writer walk. `Name` is the object name.

// Registers `component` at the end of `owner`'s list (once); it leaves the list when destroyed.
void InsertComponent(QObject *owner, QObject *component);
int ComponentCount(const QObject *owner);
// The owned component at `index` (creation order), or nullptr when out of range.
QObject *Components(const QObject *owner, int index);
QList<QObject *> OwnedComponents(const QObject *owner);
// The owned component whose name equals `name` without regard to letter case, or nullptr.
QObject *FindComponent(const QObject *owner, const QString &name);
// The owner a component was registered with, or nullptr.
QObject *ComponentOwner(const QObject *component);

// Raises EInvalidOperation when `name` cannot become the name of `component`: it is not an
// identifier (a letter or "_", then letters, digits or "_"), or another component of the same
// owner has it (letters compared without regard to case). An empty name is allowed.
void ValidateComponentName(const QObject *component, const QString &name);

// Base of the non-visual components: owned, named, destroyed together with the owner.
class TComponent : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)

public:
    explicit TComponent(QObject *AOwner);

    QString Name() const { return objectName(); }
    // Validated as ValidateComponentName does.
    void SetName(const QString &value);
    QObject *Owner() const { return ComponentOwner(this); }
};
