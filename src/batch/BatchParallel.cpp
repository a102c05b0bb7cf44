#include "batch/BatchParallel.h"

#include "batch/BatchFolder.h"

#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
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
    std::exception_ptr Error; // an error that is neither the toolkit's nor a standard one

    TSharedRun(const TBatchPlan &plan, const QString &folder)
        : Plan(plan), Folder(folder), Messages(size_t(plan.Items.size()))
    {
    }

    void Work(const TBatchSave &save)
    {
        const qsizetype total = Plan.Items.size();
        try {
            while (!Stop.load(std::memory_order_relaxed)) {
                const qsizetype index = Next.fetch_add(1);
                if (index >= total)
                    break;
                QString message = TryBatchSave(save, Plan.Items.at(index));
                // Without the folder every later item fails the same way: stop and say why.
                if (!message.isEmpty() && !BatchFolderExists(Folder)) {
                    FolderLost = true;
                    Stop = true;
                }
                Messages[size_t(index)] = std::move(message);
                if (Finished.fetch_add(1) == 0)
                    Changed.notify_all(); // the first item is done: the first report is due
            }
        } catch (...) {
            const std::lock_guard<std::mutex> guard(Lock);
            if (!Error)
                Error = std::current_exception();
            Stop = true;
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
    run.Running = workerCount;
    std::vector<std::thread> workers;
    workers.reserve(size_t(workerCount));
    for (const TBatchSave &save : saves)
        workers.emplace_back([&run, &save] { run.Work(save); });

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
            if (!progress(done, total)) {
                cancelled = true;
                run.Stop = true;
            }
        }
    }
    for (std::thread &worker : workers)
        worker.join();
    saves.clear();
    if (run.Error)
        std::rethrow_exception(run.Error);

    // Items were handed out in order and each one taken was finished: the tried ones are a
    // start of the plan.
    TBatchResult result;
    result.Total = total;
    const qsizetype tried = qMin(run.Next.load(), total);
    for (qsizetype i = 0; i < tried; ++i) {
        const QString &message = run.Messages[size_t(i)];
        if (message.isEmpty()) {
            ++result.Written;
        } else {
            const TBatchItem &item = plan.Items.at(i);
            result.Failures.append({item.Line, item.Text, message});
        }
    }
    result.FolderLost = run.FolderLost;
    result.Cancelled = cancelled && tried < total;
    if (!run.Stop && progress)
        progress(total, total);
    return result;
}
