#include "verify/ScanWorker.h"

#include <QMetaObject>
#include <QPointer>

#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

// The reader yields to the user-interface thread where both want the same core.
void LowerThisThreadsPriority()
{
#ifdef __linux__
    setpriority(PRIO_PROCESS, id_t(gettid()), 10);
#endif
}

} // namespace

TScanWorker::TScanWorker(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<TScanVerdict>();
    FThread = std::thread([this] { Run(); });
}

TScanWorker::~TScanWorker()
{
    {
        const std::lock_guard<std::mutex> lock(FLock);
        FStopping = true;
        FPending.reset();
    }
    FWake.notify_all();
    FThread.join();
}

quint64 TScanWorker::Submit(const QImage &picture, const TScanRequest &request)
{
    quint64 number = 0;
    {
        const std::lock_guard<std::mutex> lock(FLock);
        number = ++FLatest;
        FPending = TJob{number, picture, request};
    }
    FWake.notify_one();
    return number;
}

void TScanWorker::Cancel()
{
    const std::lock_guard<std::mutex> lock(FLock);
    ++FLatest;
    FPending.reset();
}

quint64 TScanWorker::Latest() const
{
    const std::lock_guard<std::mutex> lock(FLock);
    return FLatest;
}

void TScanWorker::Run()
{
    LowerThisThreadsPriority();
    for (;;) {
        TJob job;
        {
            std::unique_lock<std::mutex> lock(FLock);
            FWake.wait(lock, [this] { return FStopping || FPending.has_value(); });
            if (FStopping)
                return;
            job = std::move(*FPending);
            FPending.reset();
        }
        const TScanVerdict verdict = CheckPicture(job.Picture, job.Request);
        {
            const std::lock_guard<std::mutex> lock(FLock);
            if (FStopping || job.Number != FLatest)
                continue; // overtaken while it was read
        }
        // Queued to the owner's thread; the worker may be gone by then.
        QPointer<TScanWorker> self(this);
        QMetaObject::invokeMethod(
            this, [self, number = job.Number, verdict] {
                if (self)
                    self->Deliver(number, verdict);
            },
            Qt::QueuedConnection);
    }
}

void TScanWorker::Deliver(quint64 number, const TScanVerdict &verdict)
{
    if (number == Latest())
        emit Checked(number, verdict);
}
