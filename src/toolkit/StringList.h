#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// A list of lines. It has no published properties; list controls hand out one that shows their
// items, and giving it lines replaces the control's items.
class TStrings : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TStrings)

public:
    explicit TStrings(QObject *parent = nullptr) : QObject(parent) {}

    virtual int Count() const = 0;
    virtual QString Strings(int index) const = 0;
    virtual void Insert(int index, const QString &line) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    // Replaces every line at once.
    virtual void SetStrings(const QStringList &lines);
    virtual void BeginUpdate() {}
    virtual void EndUpdate() {}

    int Add(const QString &line);
    QStringList ToStringList() const;
    // Index of the first line equal to `line` without regard to letter case, or -1.
    int IndexOf(const QString &line) const;
    // Every line followed by CR LF.
    QString Text() const;
    // Splits at CR LF, LF or CR; a final line break adds no empty line.
    void SetText(const QString &text);
};

// A free-standing string list.
class TStringList final : public TStrings
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TStringList)

public:
    explicit TStringList(QObject *parent = nullptr) : TStrings(parent) {}

    int Count() const override { return int(FLines.size()); }
    QString Strings(int index) const override;
    void Insert(int index, const QString &line) override;
    void Delete(int index) override;
    void Clear() override { FLines.clear(); }
    void SetStrings(const QStringList &lines) override { FLines = lines; }

private:
    QStringList FLines;
};

// Splits a text into lines at CR LF, a lone LF or a lone CR; a final line break adds no empty line.
QStringList SplitLines(const QString &text);
