#include "download/DownloadWorker.h"

void DownloadCancel::Cancel() {
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    changed_.notify_all();
}

bool DownloadCancel::IsCancelled() const {
    std::lock_guard lock(mutex_);
    return cancelled_;
}

bool DownloadCancel::Pause(std::chrono::milliseconds duration) {
    std::unique_lock lock(mutex_);
    return !changed_.wait_for(lock, duration, [this] { return cancelled_; });
}

DownloadWorker::DownloadWorker(std::function<void()> run) : run_(std::move(run)) {}

DownloadWorker::~DownloadWorker() { Close(); }

bool DownloadWorker::IsCurrentThread() const {
    std::lock_guard lock(mutex_);
    return runningOn_ == std::this_thread::get_id();
}

void DownloadWorker::Start() {
    std::unique_ptr<Utils::Thread> previous;
    {
        std::lock_guard lock(mutex_);
        if (closed_) return;
        if (runningOn_ == std::this_thread::get_id()) {
            queued_ = true;
            return;
        }
        previous = std::move(thread_);
    }
    // Joined outside the lock: the ending run may still take it.
    if (previous) previous->Join();
    std::lock_guard lock(mutex_);
    if (closed_ || thread_) return;
    thread_ = std::make_unique<Utils::Thread>(this, L"ABDEF", &DownloadWorker::Body);
    thread_->Start();
}

void DownloadWorker::Join() {
    std::unique_ptr<Utils::Thread> current;
    {
        std::lock_guard lock(mutex_);
        current = std::move(thread_);
    }
    if (current) current->Join();
}

void DownloadWorker::Close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    Join();
}

std::uint32_t DownloadWorker::Body(void* self) {
    auto* worker = static_cast<DownloadWorker*>(self);
    {
        std::lock_guard lock(worker->mutex_);
        worker->runningOn_ = std::this_thread::get_id();
    }
    for (;;) {
        worker->run_();
        std::lock_guard lock(worker->mutex_);
        if (!worker->queued_ || worker->closed_) {
            worker->queued_ = false;
            worker->runningOn_ = std::thread::id();
            return 0;
        }
        worker->queued_ = false;
    }
}
