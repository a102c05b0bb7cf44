#pragma once

#include "batch/BatchPlan.h"

#include <QList>
#include <QString>
#include <exception>
#include <functional>
#include <type_traits>

// The writing loop of a batch run, apart from any window: every item is tried, a failure is
// recorded and the run goes on, progress is reported at a bounded rate and may cancel.

struct TBatchFailure
{
    qsizetype Line = 0;
    QString Text;
    QString Message;
};

// Files read back after a run ("Check every file"): those that read back, those whose format
// cannot be read back, and those that do not read back, with the reader's words as the message.
struct TBatchCheck
{
    bool Ran = false;
    qsizetype ReadBack = 0;
    qsizetype Unchecked = 0;
    QList<TBatchFailure> Unreadable;
};

struct TBatchResult
{
    qsizetype Total = 0;
    qsizetype Written = 0;
    QList<TBatchFailure> Failures;
    bool Cancelled = false;
    qsizetype Skipped = 0;   // blank strings: nothing to encode, no file, no failure
    bool FolderLost = false; // the output folder vanished during the run; the rest was not tried
    QString StoppedBy;       // the error that stopped the run (a failing progress report, say)
    TBatchCheck Check;
};

// Writes one item; reports a failure by throwing (the toolkit's Exception or any std::exception).
// A save that makes sure itself that a new file arrived (it throws otherwise) says so, and the run
// does not look again: a batch pays for every look at the disk ten thousand times. A file that
// was there before the run is always compared with its earlier state.
struct TBatchSave
{
    std::function<void(const TBatchItem &item)> Write;
    bool ChecksNewFiles = false;

    template <typename F, typename = std::enable_if_t<std::is_invocable_v<F &, const TBatchItem &>>>
    TBatchSave(F write, bool checksNewFiles = false)
        : Write(std::move(write))
        , ChecksNewFiles(checksNewFiles)
    {
    }
};
// Told how many items are done; answers false to cancel the rest. Called after the first item,
// then at most every `ProgressInterval` milliseconds, and after the last item.
using TBatchProgress = std::function<bool(qsizetype done, qsizetype total)>;

constexpr int ProgressInterval = 100;

// The message recorded when a save reports success but no file is there afterwards, or the file
// that was there is unchanged.
QString FileNotWrittenMessage();

// True for a string of blanks only (or none): a batch skips it.
bool IsBlankBatchText(const QString &text);

// Runs one save and answers the failure message, or an empty text when the file is there. Errors
// other than the toolkit's and the standard ones pass through. Whether the file was there before
// comes from the plan.
QString TryBatchSave(const TBatchSave &save, const TBatchItem &item);

// The message of an error caught while a run goes on (the toolkit's, a standard one or another).
QString StopMessage(const std::exception_ptr &error);

// Blank strings are skipped; an error that is not a failure of one item (of the progress report,
// or of an unknown kind) stops the run, which answers what was written up to it.
TBatchResult RunBatch(const TBatchPlan &plan, const QString &folder, const TBatchSave &save,
                      const TBatchProgress &progress);
