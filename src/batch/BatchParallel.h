#pragma once

#include "batch/BatchRun.h"

#include <functional>
#include <cstddef>
#include <memory>
#include <type_traits>

// The writing loop of a batch run spread over worker threads. The calling thread only waits,
// reports progress and may cancel, so a window that calls it stays responsive. Files, counts and
// the failure list (in line order) are those of RunBatch over the same plan.

// Makes the save of one worker. Called on the calling thread, once per worker, before any worker
// starts; the save it returns runs on that worker's thread only and is destroyed on the calling
// thread after the workers have ended, so it may own an engine record of its own.
using TBatchSaveFactory = std::function<TBatchSave()>;

// The saves of a symbol component's copies: each worker gets a component of its own with the
// settings of `settings` (which must outlive the factory), so that no two threads share an engine
// record and the original stays as it is. Any component with AssignSettings, SetInputText, Save
// and SaveChecksFiles will do. `afterSave(copy, item)`, when given, runs on the worker's thread
// after each save that succeeded.
template <typename TComponentType, typename TAfterSave = std::nullptr_t>
TBatchSaveFactory ComponentCopies(const TComponentType *settings, TAfterSave afterSave = nullptr)
{
    return [settings, afterSave] {
        auto component = std::make_shared<TComponentType>(nullptr);
        component->AssignSettings(*settings);
        return TBatchSave(
            [component, afterSave](const TBatchItem &item) {
                component->SetInputText(item.Text);
                component->Save(item.FileName);
                if constexpr (!std::is_null_pointer_v<TAfterSave>)
                    afterSave(static_cast<const TComponentType &>(*component), item);
            },
            component->SaveChecksFiles());
    };
}

// Workers a run uses on this machine: one per processor core.
int BatchThreadCount();

// `wanted` workers for copies of `settings`, or one: workers need the engine loaded beforehand
// (only the calling thread loads it, through the component's Version), and an engine that does
// not load leaves the run on the calling thread, where every item reports why.
template <typename TComponentType>
int WorkersFor(const TComponentType &settings, int wanted)
{
    if (wanted <= 1)
        return 1;
    try {
        settings.Version();
    } catch (...) {
        return 1;
    }
    return wanted;
}

// Items are handed out in line order; each worker finishes the item it holds, so after a cancel
// or a vanished folder every item up to the last one started has been tried and nothing after it.
// `progress` runs on the calling thread: after the first item, then at most every
// ProgressInterval milliseconds, and once more when every item is done. With one thread (or one
// item) this is RunBatch on the calling thread with a single save from `makeSave`.
TBatchResult RunBatchParallel(const TBatchPlan &plan, const QString &folder,
                              const TBatchSaveFactory &makeSave, int threadCount,
                              const TBatchProgress &progress);
