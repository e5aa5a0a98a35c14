#include "RecordQueue.h"

#include <fstream>

namespace usage_analytics {
namespace {

std::string StagingFileFor(const std::string& path) {
    if (!path.empty() && (path.back() == '/' || path.back() == '\\')) return path + RecordQueue::kStagingFileName;
    return path;
}

bool IsRecordLine(const std::string& line) { return !line.empty() && line.front() == '{' && line.back() == '}'; }

}  // namespace

RecordQueue::RecordQueue(const std::string& serverUrl, const std::string& stagingPath)
    : stagingFilePath_(StagingFileFor(stagingPath)), sender_(std::make_unique<BatchSender>(serverUrl)) {}

RecordQueue::~RecordQueue() = default;

void RecordQueue::Add(const utils::ObjectNode& record) { AddJson(utils::ObjectNode::ToJson(record)); }

void RecordQueue::AddJson(std::string jsonText) {
    std::lock_guard lock(queueLock_);
    if (closed_) return;
    records_.push_back(std::move(jsonText));
    if (records_.size() > kCapacity) records_.pop_front();
}

size_t RecordQueue::Size() const {
    std::lock_guard lock(queueLock_);
    return records_.size();
}

std::deque<std::string> RecordQueue::Snapshot() const {
    std::lock_guard lock(queueLock_);
    return records_;
}

void RecordQueue::LoadFromStaging() {
    std::lock_guard lock(queueLock_);
    if (!loadPending_) return;
    const size_t room = kCapacity - std::min(kCapacity, records_.size());
    if (room > 0 && !stagingFilePath_.empty()) {
        std::deque<std::string> lines;
        std::ifstream in(stagingFilePath_);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!IsRecordLine(line)) continue;
            lines.push_back(std::move(line));
            if (lines.size() > room) lines.pop_front();
        }
        records_.insert(records_.begin(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
    }
    if (!stagingFilePath_.empty()) std::ofstream(stagingFilePath_, std::ios::trunc);
    loadPending_ = false;
}

bool RecordQueue::FlushPart() {
    LoadFromStaging();
    std::lock_guard send(sendLock_);
    std::deque<std::string> batch;
    {
        std::lock_guard lock(queueLock_);
        if (closed_) return false;
        const size_t n = std::min(records_.size(), kBatchSize);
        if (n == 0) return true;
        batch.assign(std::make_move_iterator(records_.begin()), std::make_move_iterator(records_.begin() + n));
        records_.erase(records_.begin(), records_.begin() + n);
    }
    std::string text = "[";
    for (size_t i = 0; i < batch.size(); ++i) {
        if (i) text += ',';
        text += batch[i];
    }
    text += ']';
    const bool sent = sender_->Send(text, extraHeaders_);
    if (!sent) {
        // With the queue filled meanwhile, the oldest records of the batch are the ones lost.
        std::lock_guard lock(queueLock_);
        const size_t room = kCapacity - std::min(kCapacity, records_.size());
        const size_t keep = std::min(batch.size(), room);
        records_.insert(records_.begin(), std::make_move_iterator(batch.end() - keep),
                        std::make_move_iterator(batch.end()));
    }
    return sent;
}

bool RecordQueue::Flush() {
    LoadFromStaging();
    for (;;) {
        {
            std::lock_guard lock(queueLock_);
            if (records_.empty() || closed_) return records_.empty();
        }
        if (!FlushPart()) return false;
    }
}

void RecordQueue::DumpToStaging() {
    if (stagingFilePath_.empty()) return;
    std::ofstream out(stagingFilePath_, std::ios::trunc);
    for (const auto& record : records_) out << record << '\n';
}

void RecordQueue::Close() {
    // The send lock waits for a batch still on the wire, so it is back in the queue first.
    std::lock_guard send(sendLock_);
    std::lock_guard lock(queueLock_);
    if (closed_) return;
    LoadFromStaging();
    DumpToStaging();
    records_.clear();
    closed_ = true;
    sender_.reset();
}

}  // namespace usage_analytics
