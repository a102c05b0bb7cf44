#include "batch/BatchRun.h"

#include "batch/BatchFolder.h"
#include "toolkit/Exception.h"

#include <QElapsedTimer>
#include <QFileInfo>

namespace {

// Runs one save and answers the failure message, or an empty text on success.
QString TrySave(const TBatchSave &save, const TBatchItem &item)
{
    try {
        save(item);
    } catch (const Exception &error) {
        return error.Message().isEmpty() ? FileNotWrittenMessage() : error.Message();
    } catch (const std::exception &error) {
        return QString::fromUtf8(error.what());
    }
    // The save entry writes nothing for a format it does not know, without an error.
    if (!QFileInfo(item.FileName).isFile())
        return FileNotWrittenMessage();
    return QString();
}

} // namespace

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
        const QString message = TrySave(save, item);
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
