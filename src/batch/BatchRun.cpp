#include "batch/BatchRun.h"

#include "batch/BatchFolder.h"
#include "toolkit/Exception.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <exception>
#include <optional>
#include <sys/stat.h>

namespace {

// What tells a file that was written from one that was left alone: a write changes the size or
// the times (the change time cannot be set back by anybody), a replacement the file itself. One
// look at the disk; no time is converted (a local time would read the zone file every time).
struct TFileStamp
{
    bool IsFile = false;
    struct stat Info {};

    explicit TFileStamp(const QString &fileName)
    {
        IsFile = ::stat(QFile::encodeName(fileName).constData(), &Info) == 0 && S_ISREG(Info.st_mode);
    }

    bool operator==(const TFileStamp &other) const
    {
        if (IsFile != other.IsFile)
            return false;
        const auto same = [](const timespec &a, const timespec &b) {
            return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
        };
        return !IsFile
               || (Info.st_dev == other.Info.st_dev && Info.st_ino == other.Info.st_ino
                   && Info.st_size == other.Info.st_size && same(Info.st_mtim, other.Info.st_mtim)
                   && same(Info.st_ctim, other.Info.st_ctim));
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

bool IsBlankBatchText(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 32; });
}

QString StopMessage(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Exception &known) {
        return known.Message();
    } catch (const std::exception &standard) {
        return QString::fromUtf8(standard.what());
    } catch (...) {
        return QStringLiteral("an unknown error");
    }
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
        ++done;
        QString message;
        try {
            if (IsBlankBatchText(item.Text))
                ++result.Skipped;
            else
                message = TryBatchSave(save, item);
        } catch (...) {
            result.StoppedBy = StopMessage(std::current_exception());
            result.Failures.append({item.Line, item.Text, result.StoppedBy});
            break;
        }
        if (!IsBlankBatchText(item.Text) && message.isEmpty()) {
            ++result.Written;
        } else if (!message.isEmpty()) {
            result.Failures.append({item.Line, item.Text, message});
            // Without the folder every later item fails the same way: stop and say why.
            if (!BatchFolderExists(folder)) {
                result.FolderLost = true;
                break;
            }
        }
        if (done == 1 || done == result.Total || sinceReport.elapsed() >= ProgressInterval) {
            sinceReport.restart();
            bool goOn = true;
            try {
                goOn = !progress || progress(done, result.Total);
            } catch (...) {
                // A failing report must not lose the count of what was written.
                result.StoppedBy = StopMessage(std::current_exception());
                break;
            }
            if (!goOn) {
                result.Cancelled = done < result.Total;
                break;
            }
        }
    }
    return result;
}
