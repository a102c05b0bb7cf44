#include "batch/BatchPlan.h"

#include "batch/BatchNames.h"

#include <QFileInfo>

TBatchPlan PlanBatch(const QStringList &strings, const QString &folder, const QString &extension)
{
    TBatchPlan plan;
    const qsizetype budget = EngineFileNameLimit - 1 - Utf8Length(folder) - Utf8Length(extension);
    TBatchNamer namer(strings.size(), budget);
    plan.Items.reserve(strings.size());
    for (qsizetype i = 0; i < strings.size(); ++i) {
        TBatchItem item;
        item.Line = i + 1;
        item.Text = strings.at(i);
        item.BasePath = folder + namer.NameFor(item.Line, item.Text);
        item.FileName = item.BasePath + extension;
        if (QFileInfo::exists(item.FileName))
            ++plan.ExistingCount;
        plan.Items.append(std::move(item));
    }
    return plan;
}
