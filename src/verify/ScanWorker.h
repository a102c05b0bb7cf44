#pragma once

#include "verify/ScanCheck.h"

#include <QObject>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

// Checks pictures on a thread of its own, so that drawing never waits for the reader. Only the
// latest picture counts: one handed in while another waits replaces it, and a verdict that a
// newer picture has overtaken is dropped. Verdicts arrive on the thread that owns the worker.
class TScanWorker final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TScanWorker)

public:
    explicit TScanWorker(QObject *parent = nullptr);
    ~TScanWorker() override;

    // Hands in a picture; answers its number. A null picture stands for "nothing to check".
    quint64 Submit(const QImage &picture, const TScanRequest &request);
    // Forgets what is waiting and drops the verdict of what is being read.
    void Cancel();
    // The number of the latest picture handed in.
    quint64 Latest() const;

Q_SIGNALS:
    // The verdict of the latest picture, numbered as Submit answered.
    void Checked(quint64 number, const TScanVerdict &verdict);

private:
    struct TJob
    {
        quint64 Number = 0;
        QImage Picture;
        TScanRequest Request;
    };
    void Run();
    void Deliver(quint64 number, const TScanVerdict &verdict);

    mutable std::mutex FLock;
    std::condition_variable FWake;
    std::optional<TJob> FPending;
    quint64 FLatest = 0;
    bool FStopping = false;
    std::thread FThread;
};
