#pragma once

#include <QSet>
#include <QString>
#include <QStringView>

// File names for the strings of a batch run.

// Number of bytes of `text` in UTF-8.
qsizetype Utf8Length(QStringView text);

// The longest start of `text` that takes at most `maxBytes` bytes in UTF-8; never ends inside a
// character (a surrogate pair stays whole).
QString CutToUtf8Bytes(const QString &text, qsizetype maxBytes);

// `text` as a file name: every character that a file name cannot hold on any common system
// (\ / : * ? " < > |, codes below 32, and halves of broken surrogate pairs) becomes "_"; blanks
// and dots are removed from both ends (a name of dots only would name the folder itself).
QString CleanFileName(const QString &text);

// Hands out the base names of one run, in list order. A name is the cleaned string cut to the
// byte budget; when that is empty or was already given in this run (letter case ignored, so
// that no two items share a file on a file system that ignores case), it becomes the line
// number, zero-padded to the width of the item count, followed by "_" and the cleaned string
// when there is one. No two calls return names that differ only in letter case.
class TBatchNamer final
{
public:
    // `count`: the number of items of the run; `budgetBytes`: the most UTF-8 bytes a base name
    // may take so that folder, name and extension stay within the engine's limit.
    TBatchNamer(qsizetype count, qsizetype budgetBytes);

    QString NameFor(qsizetype line, const QString &text);
    // How many names so far were numbered because the text was empty or its name taken.
    qsizetype NumberedCount() const { return FNumbered; }

private:
    bool IsFree(const QString &name) const;
    QString Take(const QString &name);
    QString Numbered(const QString &prefix, const QString &cleaned) const;

    int FWidth;
    qsizetype FBudget;
    QSet<QString> FUsed; // case-folded
    qsizetype FNumbered = 0;
};
