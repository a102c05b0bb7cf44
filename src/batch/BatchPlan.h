#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What a batch run will write, decided before anything is written.

// The engine refuses a file name of this many UTF-8 bytes or more.
constexpr qsizetype EngineFileNameLimit = 256;

struct TBatchItem
{
    qsizetype Line = 0;  // 1-based position in the list
    QString Text;        // the string to encode
    QString BasePath;    // folder and base name, without extension: what the save entry takes
    QString FileName;    // BasePath with the extension: the file that will be written
    bool Existed = false; // FileName was there when the plan was made
};

struct TBatchPlan
{
    QList<TBatchItem> Items;
    qsizetype ExistingCount = 0; // targets that exist already and would be overwritten
};

// One item per string, in order. `folder` ends with the separator (as START normalises it),
// `extension` includes its dot (".svg"). Names are cut so that every FileName stays below
// EngineFileNameLimit bytes where the folder leaves room for it.
TBatchPlan PlanBatch(const QStringList &strings, const QString &folder, const QString &extension);

// As above, with the file names made from `names` (one per string) instead of the strings.
TBatchPlan PlanBatch(const QStringList &strings, const QStringList &names, const QString &folder,
                     const QString &extension);

// The file names a plan would use, before anything is checked on disk: the first `shown` of
// them, and how many of all names are numbered because their text is empty or clashes.
struct TBatchNamePreview
{
    QStringList First;
    qsizetype Numbered = 0;
};
TBatchNamePreview PreviewBatchNames(const QStringList &names, const QString &folder,
                                    const QString &extension, qsizetype shown);
