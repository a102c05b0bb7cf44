#include "batch/BatchRun.h"

#include "batch/BatchFolder.h"
#include "toolkit/Exception.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <optional>

namespace {

// What tells a file that was written from one that was left alone: a write changes the size or
// the times (the change time cannot be set back by anybody).
struct TFileStamp
{
    bool IsFile = false;
    qint64 Size = 0;
    QDateTime Modified;
    QDateTime Changed;

    explicit TFileStamp(const QString &fileName)
    {
        const QFileInfo info(fileName);
        IsFile = info.isFile();
        if (!IsFile)
            return;
        Size = info.size();
        Modified = info.lastModified();
        Changed = info.metadataChangeTime();
    }

    bool operator==(const TFileStamp &other) const
    {
        return IsFile == other.IsFile && Size == other.Size && Modified == other.Modified
               && Changed == other.Changed;
    }
};

} // namespace

QString TryBatchSave(const TBatchSave &save, const TBatchItem &item)
{
    std::optional<TFileStamp> before;
    if (item.Existed)
        before.emplace(item.FileName);
    try {
        save.Write(item);
    } catch (const Exception &error) {
        return error.Message().isEmpty() ? FileNotWrittenMessage() : error.Message();
    } catch (const std::exception &error) {
        return QString::fromUtf8(error.what());
    }
    // A save entry may write nothing without an error (a format it does not know, or standard
    // output instead of the file); a file that was there before and is unchanged was not written
    // either. The times are read only when there is an earlier file to compare with: a fresh file
    // needs one look, not two time conversions, and none when the save has looked itself.
    if (!before || !before->IsFile) {
        if (save.ChecksNewFiles)
            return QString();
        return QFileInfo(item.FileName).isFile() ? QString() : FileNotWrittenMessage();
    }
    const TFileStamp after(item.FileName);
    if (!after.IsFile || after == *before)
        return FileNotWrittenMessage();
    return QString();
}

QString FileNotWrittenMessage()
{
    return QStringLiteral("The file was not written");
}

TBatchResult RunBatch(const TBatchPlan &plan, const QString &folder, const TBatchSave &save,
                      const TBatchProgress &progress)
{
    TBatchResult result;
    result.Total = plan.Items.size();
    QElapsedTimer sinceReport;
    sinceReport.start();
    qsizetype done = 0;
    for (const TBatchItem &item : plan.Items) {
        const QString message = TryBatchSave(save, item);
        ++done;
        if (message.isEmpty()) {
            ++result.Written;
        } else {
            result.Failures.append({item.Line, item.Text, message});
            // Without the folder every later item fails the same way: stop and say why.
            if (!BatchFolderExists(folder)) {
                result.FolderLost = true;
                break;
            }
        }
        if (done == 1 || done == result.Total || sinceReport.elapsed() >= ProgressInterval) {
            sinceReport.restart();
            if (progress && !progress(done, result.Total)) {
                result.Cancelled = done < result.Total;
                break;
            }
        }
    }
    return result;
}
