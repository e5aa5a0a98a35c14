#pragma once

#include <memory>
#include <shared_mutex>
#include <string>

#include "PropertiesNode.h"
#include "RecordQueue.h"

namespace usage_analytics {

// Process-wide facade: validates calls, builds the records and queues them.
// Without a live instance every operation is a no-op (false where it returns).
class Sdk {
public:
    static bool Init(const std::string& stagingFilePath, const std::string& serverUrl, const std::string& distinctId,
                     bool isLoginId);
    static void Shutdown();
    static bool IsLive();

    static bool Track(const std::string& event, const PropertiesNode& properties);
    static bool Track(const std::string& event);
    static bool TrackInstallation(const std::string& event, const PropertiesNode& properties);
    static bool TrackSignup(const std::string& loginId);

    static bool ProfileSet(const PropertiesNode& properties);
    static bool ProfileSet(const std::string& name, const std::string& value);
    static bool ProfileSet(const std::string& name, int value);
    static bool ProfileSet(const std::string& name, double value);
    static bool ProfileSetOnce(const PropertiesNode& properties);
    static bool ProfileSetOnce(const std::string& name, const std::string& value);
    static bool ProfileSetOnce(const std::string& name, int value);
    static bool ProfileSetOnce(const std::string& name, double value);
    static bool ProfileIncrement(const PropertiesNode& properties);
    static bool ProfileIncrement(const std::string& name, int value);
    static bool ProfileAppend(const std::string& name, const std::string& value);

    static void RegisterSuperProperties(const PropertiesNode& properties);
    // Sets the identity of later records (the tracker's login switch).
    static void SetIdentity(const std::string& distinctId, bool isLoginId);
    static bool Flush();

    // For inspection: the queue of the live instance, or null.
    static RecordQueue* Queue();

    ~Sdk();

private:
    Sdk(const std::string& stagingFilePath, const std::string& serverUrl, const std::string& distinctId,
        bool isLoginId);

    static bool AddEvent(const std::string& type, const std::string& event, const PropertiesNode& properties,
                         const std::string& distinctId, const std::string& originalId);
    static bool Profile(const char* type, const PropertiesNode& properties);
    bool Build(const std::string& type, const std::string& event, const PropertiesNode& properties,
               const std::string& distinctId, const std::string& originalId);
    std::string CurrentId() const;

    // Guards the super properties and the identity against a concurrent login switch.
    mutable std::shared_mutex stateLock_;
    PropertiesNode superProperties_;
    std::string distinctId_;
    bool isLoginId_;
    std::unique_ptr<RecordQueue> queue_;
};

}  // namespace usage_analytics
