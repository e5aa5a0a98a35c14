#pragma once

#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include "BatchSender.h"
#include "ObjectNode.h"

namespace usage_analytics {

// Bounded queue of JSON records, kept across runs in a staging file and sent
// in batches. Add may run on any thread; flushes are serialised.
class RecordQueue {
public:
    static constexpr size_t kCapacity = 1024;
    static constexpr size_t kBatchSize = 30;
    // Name of the staging file when the path handed over is a folder.
    static constexpr const char* kStagingFileName = "OVSStaging.txt";

    RecordQueue(const std::string& serverUrl, const std::string& stagingPath);
    ~RecordQueue();
    RecordQueue(const RecordQueue&) = delete;
    RecordQueue& operator=(const RecordQueue&) = delete;

    void Add(const utils::ObjectNode& record);
    void AddJson(std::string jsonText);
    bool Flush();
    void Close();

    size_t Size() const;
    std::deque<std::string> Snapshot() const;
    const std::string& stagingFilePath() const { return stagingFilePath_; }

private:
    void LoadFromStaging();
    bool FlushPart();
    void DumpToStaging();

    mutable std::recursive_mutex queueLock_;
    std::mutex sendLock_;
    std::deque<std::string> records_;
    const std::string stagingFilePath_;
    bool loadPending_ = true;
    bool closed_ = false;
    std::unique_ptr<BatchSender> sender_;
    HeaderList extraHeaders_;
};

}  // namespace usage_analytics
