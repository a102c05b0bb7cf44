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
