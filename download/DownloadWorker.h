#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "utils/Thread.h"

// Cancellation of a downloader's threads at destruction: a flag, and pauses
// that end as soon as it is set.
class DownloadCancel {
public:
    void Cancel();
    bool IsCancelled() const;
    // Waits for `duration`; false at once when cancelled.
    bool Pause(std::chrono::milliseconds duration);

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool cancelled_ = false;
};

// The "ABDEF" worker of a downloader. Start() from another thread waits for the
// previous run's thread to end and starts a new one. Start() from within the
// running worker (its last report asks for a retry) cannot wait for itself: the
// new run is queued and begins on the same thread once the reporting run has
// returned, so it never overlaps the run that asked for it.
class DownloadWorker {
public:
    explicit DownloadWorker(std::function<void()> run);
    ~DownloadWorker();
    DownloadWorker(const DownloadWorker&) = delete;
    DownloadWorker& operator=(const DownloadWorker&) = delete;

    // Safe to call from any thread, including the worker and threads it started.
    void Start();
    // Waits for the current run's thread. After Close() no run starts any more.
    void Join();
    void Close();
    bool IsCurrentThread() const;

private:
    static std::uint32_t Body(void* self);

    std::function<void()> run_;
    std::unique_ptr<Utils::Thread> thread_;
    mutable std::mutex mutex_;
    std::thread::id runningOn_;
    bool queued_ = false;
    bool closed_ = false;
};
