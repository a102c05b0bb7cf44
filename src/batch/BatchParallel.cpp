#include "batch/BatchParallel.h"

#include "batch/BatchFolder.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// What the workers share. Each item's message slot is written by the one worker that took the
// item and read only after every worker has been joined.
struct TSharedRun
{
    const TBatchPlan &Plan;
    const QString &Folder;
    std::vector<QString> Messages;
    std::atomic<qsizetype> Next{0};
    std::atomic<qsizetype> Finished{0};
    std::atomic<bool> Stop{false};
    std::atomic<bool> FolderLost{false};

    std::mutex Lock;
    std::condition_variable Changed;
    int Running = 0;
    std::exception_ptr Error; // the first error that stopped the run, of a worker or a report

    TSharedRun(const TBatchPlan &plan, const QString &folder)
        : Plan(plan), Folder(folder), Messages(size_t(plan.Items.size()))
    {
    }

    void Work(const TBatchSave &save)
    {
        const qsizetype total = Plan.Items.size();
        while (!Stop.load(std::memory_order_relaxed)) {
            const qsizetype index = Next.fetch_add(1);
            if (index >= total)
                break;
            const TBatchItem &item = Plan.Items.at(index);
            QString message;
            try {
                if (!IsBlankBatchText(item.Text))
                    message = TryBatchSave(save, item);
            } catch (...) {
                // Neither the toolkit's error nor a standard one: the item failed with it and
                // the run stops.
                message = StopMessage(std::current_exception());
                const std::lock_guard<std::mutex> guard(Lock);
                if (!Error)
                    Error = std::current_exception();
                Stop = true;
            }
            // Without the folder every later item fails the same way: stop and say why.
            if (!message.isEmpty() && !Stop && !BatchFolderExists(Folder)) {
                FolderLost = true;
                Stop = true;
            }
            Messages[size_t(index)] = std::move(message);
            if (Finished.fetch_add(1) == 0)
                Changed.notify_all(); // the first item is done: the first report is due
        }
        const std::lock_guard<std::mutex> guard(Lock);
        --Running;
        Changed.notify_all();
    }
};

} // namespace

int BatchThreadCount()
{
    return qMax(1, QThread::idealThreadCount());
}

TBatchResult RunBatchParallel(const TBatchPlan &plan, const QString &folder,
                              const TBatchSaveFactory &makeSave, int threadCount,
                              const TBatchProgress &progress)
{
    const qsizetype total = plan.Items.size();
    const int workerCount = int(qMin<qsizetype>(qMax(threadCount, 1), total));
    if (workerCount <= 1)
        return RunBatch(plan, folder, makeSave(), progress);

    // Every save exists before any thread starts: making one may load the engine, which only
    // the calling thread does.
    std::vector<TBatchSave> saves;
    saves.reserve(size_t(workerCount));
    for (int i = 0; i < workerCount; ++i)
        saves.push_back(makeSave());

    TSharedRun run(plan, folder);
    std::vector<std::thread> workers;
    workers.reserve(size_t(workerCount));
    // Whatever happens on this thread, the workers are stopped and joined before the run's
    // state goes: a thread still running at its destruction ends the program.
    const auto joinAll = qScopeGuard([&] {
        run.Stop = true;
        for (std::thread &worker : workers)
            worker.join();
    });
    for (const TBatchSave &save : saves) {
        {
            const std::lock_guard<std::mutex> guard(run.Lock);
            ++run.Running;
        }
        try {
            workers.emplace_back([&run, &save] { run.Work(save); });
        } catch (const std::system_error &) {
            // No more threads to be had: the ones that started do the work.
            const std::lock_guard<std::mutex> guard(run.Lock);
            --run.Running;
            break;
        }
    }
    if (workers.empty())
        return RunBatch(plan, folder, saves.front(), progress);

    bool cancelled = false;
    bool firstReported = false;
    QElapsedTimer sinceReport;
    sinceReport.start();
    for (;;) {
        bool allDone = false;
        {
            std::unique_lock<std::mutex> lock(run.Lock);
            run.Changed.wait_for(lock, std::chrono::milliseconds(ProgressInterval), [&] {
                return run.Running == 0 || (!firstReported && run.Finished.load() > 0);
            });
            allDone = run.Running == 0;
        }
        if (allDone)
            break;
        const qsizetype done = run.Finished.load();
        const bool due = (!firstReported && done > 0) || sinceReport.elapsed() >= ProgressInterval;
        if (!due)
            continue;
        firstReported = true;
        sinceReport.restart();
        if (progress && !run.Stop) {
            try {
                if (!progress(done, total)) {
                    cancelled = true;
                    run.Stop = true;
                }
            } catch (...) {
                const std::lock_guard<std::mutex> guard(run.Lock);
                if (!run.Error)
                    run.Error = std::current_exception();
                run.Stop = true;
            }
        }
    }
    const bool stopped = run.Stop;
    for (std::thread &worker : workers)
        worker.join();
    workers.clear();

    // Items were handed out in order and each one taken was finished: the tried ones are a
    // start of the plan.
    TBatchResult result;
    result.Total = total;
    const qsizetype tried = qMin(run.Next.load(), total);
    for (qsizetype i = 0; i < tried; ++i) {
        const QString &message = run.Messages[size_t(i)];
        const TBatchItem &item = plan.Items.at(i);
        if (!message.isEmpty())
            result.Failures.append({item.Line, item.Text, message});
        else if (IsBlankBatchText(item.Text))
            ++result.Skipped;
        else
            ++result.Written;
    }
    result.FolderLost = run.FolderLost;
    result.Cancelled = cancelled && tried < total;
    if (run.Error)
        result.StoppedBy = StopMessage(run.Error);
    if (!stopped && progress) {
        try {
            progress(total, total);
        } catch (...) {
            result.StoppedBy = StopMessage(std::current_exception());
        }
    }
    return result;
}
