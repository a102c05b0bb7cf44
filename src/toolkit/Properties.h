#pragma once

#include <QList>
#include <QMetaProperty>
#include <QObject>
#include <QString>
#include <QStringList>
#include <initializer_list>

// Published properties: the Q_PROPERTYs of the program's own classes whose name starts with an
// upper-case letter (Qt's own properties are lower-case and stay unpublished). The kind of a
// property comes from its type.

enum TPropKind { pkText, pkInteger, pkInt64, pkFloat, pkObject, pkOther };

// A set of kinds.
class TPropKinds
{
public:
    TPropKinds() = default;
    TPropKinds(std::initializer_list<TPropKind> kinds)
    {
        for (TPropKind kind : kinds)
            Include(kind);
    }
    void Include(TPropKind kind) { FBits |= 1u << kind; }
    bool Contains(TPropKind kind) const { return (FBits & (1u << kind)) != 0; }

private:
    unsigned FBits = 0;
};

struct TPropInfo
{
    QString Name;
    TPropKind Kind = pkOther;
    QMetaProperty Property;

    bool IsValid() const { return Property.isValid(); }
    bool IsWritable() const { return Property.isWritable(); }
};

TPropKind PropKindOf(const QMetaProperty &property);

// Orders property names: letters without regard to case, a name that is the beginning of a
// longer one first.
bool PropNameLess(const QString &a, const QString &b);

// The published properties of `object` whose kind is in `kinds`, sorted by name.
QList<TPropInfo> GetPropList(const QObject *object, TPropKinds kinds);
// All published properties, sorted by name.
QList<TPropInfo> GetPropList(const QObject *object);
// The published property called `name` without regard to letter case; invalid when absent.
TPropInfo FindPropInfo(const QObject *object, const QString &name);

// Reading and writing by name (without regard to case). An absent property, a wrong kind or a
// write the property refuses raises EInvalidOperation.
QString GetStrProp(const QObject *object, const QString &name);
void SetStrProp(QObject *object, const QString &name, const QString &value);
qint64 GetOrdProp(const QObject *object, const QString &name);
// Writes a 32-bit or 64-bit integer property; a 32-bit property refuses values beyond its range.
void SetOrdProp(QObject *object, const QString &name, qint64 value);
double GetFloatProp(const QObject *object, const QString &name);
void SetFloatProp(QObject *object, const QString &name, double value);
QObject *GetObjectProp(const QObject *object, const QString &name);

// The same, given a property description of `object`.
QString GetStrProp(const QObject *object, const TPropInfo &info);
void SetStrProp(QObject *object, const TPropInfo &info, const QString &value);
qint64 GetOrdProp(const QObject *object, const TPropInfo &info);
void SetOrdProp(QObject *object, const TPropInfo &info, qint64 value);
double GetFloatProp(const QObject *object, const TPropInfo &info);
void SetFloatProp(QObject *object, const TPropInfo &info, double value);
QObject *GetObjectProp(const QObject *object, const TPropInfo &info);

// Gives the object held by a property the lines of a string list: a list (TStrings) takes a copy
// of the lines; any other object raises EInvalidOperation "Cannot assign a TStringList to a
// <class>". A property that holds no object is left alone.
void AssignLines(QObject *holder, const QStringList &lines);
void AssignLines(QObject *object, const QString &propName, const QStringList &lines);

// The class name, e.g. "TForm1".
QString ClassName(const QObject *object);
// True when `object`'s class is `className` or derives from it.
bool InheritsFrom(const QObject *object, const char *className);
bool InheritsFrom(const QObject *object, const QString &className);
