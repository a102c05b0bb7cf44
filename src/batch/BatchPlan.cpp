#include "batch/BatchPlan.h"

#include "batch/BatchNames.h"

#include <QFileInfo>

namespace {

qsizetype NameBudget(const QString &folder, const QString &extension)
{
    return EngineFileNameLimit - 1 - Utf8Length(folder) - Utf8Length(extension);
}

} // namespace

TBatchPlan PlanBatch(const QStringList &strings, const QString &folder, const QString &extension)
{
    return PlanBatch(strings, strings, folder, extension);
}

TBatchPlan PlanBatch(const QStringList &strings, const QStringList &names, const QString &folder,
                     const QString &extension)
{
    Q_ASSERT(names.size() == strings.size());
    TBatchPlan plan;
    TBatchNamer namer(strings.size(), NameBudget(folder, extension));
    plan.Items.reserve(strings.size());
    for (qsizetype i = 0; i < strings.size(); ++i) {
        TBatchItem item;
        item.Line = i + 1;
        item.Text = strings.at(i);
        item.BasePath = folder + namer.NameFor(item.Line, names.at(i));
        item.FileName = item.BasePath + extension;
        item.Existed = QFileInfo::exists(item.FileName);
        if (item.Existed)
            ++plan.ExistingCount;
        plan.Items.append(std::move(item));
    }
    return plan;
}

TBatchNamePreview PreviewBatchNames(const QStringList &names, const QString &folder,
                                    const QString &extension, qsizetype shown)
{
    TBatchNamePreview preview;
    TBatchNamer namer(names.size(), NameBudget(folder, extension));
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString name = namer.NameFor(i + 1, names.at(i));
        if (i < shown)
            preview.First.append(name + extension);
    }
    preview.Numbered = namer.NumberedCount();
    return preview;
}
