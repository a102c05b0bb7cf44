#pragma once

#include "lang/LangText.h"
#include "toolkit/Component.h"

#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <memory>

class TLangFile;

// Kinds of value the template writer may be asked for.
enum TSaveKindProperties : unsigned char { skStringProperties, skIntegerProperties, skFloatProperties };

// A set of TSaveKindProperties; value number n is bit n.
class TSaveKindsProperties
{
public:
    constexpr TSaveKindsProperties() = default;
    constexpr TSaveKindsProperties(std::initializer_list<TSaveKindProperties> kinds)
    {
        for (TSaveKindProperties kind : kinds)
            FBits |= Bit(kind);
    }

    constexpr bool Contains(TSaveKindProperties kind) const { return (FBits & Bit(kind)) != 0; }
    constexpr bool IsEmpty() const { return FBits == 0; }
    constexpr bool operator==(TSaveKindsProperties other) const { return FBits == other.FBits; }
    constexpr bool operator!=(TSaveKindsProperties other) const { return FBits != other.FBits; }

private:
    static constexpr unsigned char Bit(TSaveKindProperties kind) { return static_cast<unsigned char>(1u << kind); }
    unsigned char FBits = 0;
};

// Translates a message from the language file at `LangFile`: "Messages" first, then
// "LngCaptions", else the message itself; blanks around the message are kept. The file is read
// at every call (TLangChanger::TranslateMessage reads it once per change).
QString LngTranslateMessage(const QString &LangFile, const QString &UserMessage);

// The translation component: applies a language file to messages and windows and writes the
// language template "Native.lng" from windows. Every operation looks at the file anew, so edits to
// it take effect at the next call; an unchanged file is not read again. A file that cannot be
// read is shown to the user once; errors of writing reach the caller as Exception.
class TLangChanger final : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(QString LangFile READ LangFile WRITE SetLangFile)
    Q_PROPERTY(QString Separator READ Separator WRITE SetSeparator)
    Q_PROPERTY(QString LngPostfix READ LngPostfix WRITE SetLngPostfix)
    Q_PROPERTY(QStringList ExcludeProperties READ ExcludeProperties WRITE SetExcludeProperties)

public:
    explicit TLangChanger(QObject *AOwner);
    ~TLangChanger() override;
    Q_DISABLE_COPY_MOVE(TLangChanger)

    QString LangFile() const { return FLangFile; }
    // Sets the file and normalises it on disk: bare text lines become keys with empty values.
    void SetLangFile(const QString &Value);

    QString Separator() const { return FSeparator; }
    void SetSeparator(const QString &Value);
    QString LngPostfix() const { return FLngPostfix; }
    void SetLngPostfix(const QString &Value);
    QStringList ExcludeProperties() const { return FExcludeProperties; }
    void SetExcludeProperties(const QStringList &Value);

    QString TranslateMessage(const QString &UserMessage) const;
    // Replaces the lines by the keys of the section, in file order; no file leaves them alone.
    void TranslateStrings(QStringList &Lines, const QString &Section) const;

    // Applies the language file to a window; nullptr translates every open window.
    void TranslateForm(QObject *Form);

    // Writes the texts (and numbers, by SaveKind) of a window and its components into the
    // template "Native.lng" (TemplateFilePath: beside the language files, or the user's folder).
    void SaveProperties(QObject *Form, TSaveKindsProperties SaveKind);
    void SaveObject(QObject *AObject, const QString &ObjectName, TSaveKindsProperties SaveKind);

    // The window SaveProperties is writing (or wrote last).
    QObject *SavedForm() const { return FSavedForm; }

    static QString DefaultSeparator() { return QStringLiteral(","); }
    static QString DefaultLngPostfix() { return QStringLiteral("_lng"); }

private:
    // The current file, read once per change of it; a file that cannot be read (too large, not
    // a regular file) is reported once and reads as an empty one.
    std::shared_ptr<const TLangFile> CurrentFile() const;

    // Form translation.
    void TranslateObjLngProperties(QObject *AObject, const TLangFile &File);
    void ChangeProperty(QObject *Form, const QString &PropertyPath, const QString &Value);
    void ApplyPathEntries(const QList<QObject *> &Forms, const TLangFile &File);
    // Tells the user which entries were skipped: `header` names the file with %1.
    void ReportSkippedEntries(const QString &header, const QStringList &entries);

    // Template writer.
    void WalkObject(TLangFile &Template, QObject *AObject, const QString &ObjectName,
                    TSaveKindsProperties SaveKind);

    QString FLangFile;
    QString FSeparator;
    QString FLngPostfix;
    QStringList FExcludeProperties;
    QPointer<QObject> FSavedForm; // not owned
    QList<QObject *> FWalkPath;    // objects being written, to stop at reference cycles
    mutable QSet<QString> FReportedEntries; // refused entries and unreadable files already reported, by file
};
