#include "Sdk.h"

#include <chrono>
#include <iostream>
#include <mutex>

#include "ValueRules.h"

namespace usage_analytics {
namespace {

constexpr const char* kTypeTrack = "track";
constexpr const char* kTypeTrackSignup = "track_signup";
constexpr const char* kTypeProfileSet = "profile_set";
constexpr const char* kTypeProfileSetOnce = "profile_set_once";
constexpr const char* kTypeProfileIncrement = "profile_increment";
constexpr const char* kTypeProfileAppend = "profile_append";

constexpr const char* kLibName = "cpp";
constexpr const char* kLibVersion = "0.7";
constexpr const char* kLibMethod = "code";

// Instance lifetime: Init and Shutdown are rare, calls are frequent.
std::shared_mutex g_instanceLock;
Sdk* g_instance = nullptr;

int64_t NowMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

bool CheckPropertyKeys(const PropertiesNode& properties) {
    for (const auto& [name, value] : properties.members()) {
        if (!CheckName(name, kLabelPropertyKey)) return false;
        if (name == "$time" && value.kind != PropertyValue::kDateTime) {
            std::cerr << "The property '$time' should be DateTime type.";
            return false;
        }
        if (name == "$project" && value.kind != PropertyValue::kString) {
            std::cerr << "The property '$project' should be String type.";
            return false;
        }
    }
    return true;
}

template <typename T>
PropertiesNode OneMember(const std::string& name, const T& value) {
    PropertiesNode node;
    if constexpr (std::is_same_v<T, std::string>) {
        node.SetString(name, value);
    } else if constexpr (std::is_same_v<T, int>) {
        node.SetInteger(name, value);
    } else {
        node.SetDouble(name, value);
    }
    return node;
}

}  // namespace

Sdk::Sdk(const std::string& stagingFilePath, const std::string& serverUrl, const std::string& distinctId,
         bool isLoginId)
    : distinctId_(distinctId), isLoginId_(isLoginId), queue_(std::make_unique<RecordQueue>(serverUrl, stagingFilePath)) {
    superProperties_.SetString("$lib", kLibName);
    superProperties_.SetString("$lib_version", kLibVersion);
}

Sdk::~Sdk() = default;

bool Sdk::Init(const std::string& stagingFilePath, const std::string& serverUrl, const std::string& distinctId,
               bool isLoginId) {
    if (!CheckIdentity(distinctId, kLabelDistinctId)) return false;
    std::unique_lock lock(g_instanceLock);
    if (g_instance) return true;
    g_instance = new Sdk(stagingFilePath, serverUrl, distinctId, isLoginId);
    return true;
}

void Sdk::Shutdown() {
    std::unique_lock lock(g_instanceLock);
    if (!g_instance) return;
    g_instance->queue_->Close();
    delete g_instance;
    g_instance = nullptr;
}

bool Sdk::IsLive() {
    std::shared_lock lock(g_instanceLock);
    return g_instance != nullptr;
}

RecordQueue* Sdk::Queue() {
    std::shared_lock lock(g_instanceLock);
    return g_instance ? g_instance->queue_.get() : nullptr;
}

bool Sdk::Build(const std::string& type, const std::string& event, const PropertiesNode& properties,
                const std::string& distinctId, const std::string& originalId) {
    if (!CheckPropertyKeys(properties)) return false;
    if (type == kTypeTrack) {
        if (!CheckName(event, kLabelEventName)) return false;
    } else if (type == kTypeTrackSignup) {
        if (!CheckIdentity(originalId, kLabelOriginalId)) return false;
    }

    PropertiesNode merged;
    bool loginId;
    {
        std::shared_lock state(stateLock_);
        if (type.find("track") != std::string::npos) merged.Merge(superProperties_);
        loginId = isLoginId_;
    }
    merged.Merge(properties);

    int64_t time = NowMilliseconds();
    if (const PropertyValue* t = merged.Find("$time")) {
        time = t->seconds * 1000 + t->milliseconds;
        merged.Remove("$time");
    }
    std::string project;
    if (const PropertyValue* p = merged.Find("$project")) {
        project = p->stringValue;
        merged.Remove("$project");
    }
    if (loginId) merged.SetBool("$is_login_id", true);

    utils::ObjectNode lib;
    lib.SetString("$lib", kLibName);
    lib.SetString("$lib_version", kLibVersion);
    lib.SetString("$lib_method", kLibMethod);

    utils::ObjectNode record;
    record.SetString("type", type);
    record.SetInteger("time", time);
    record.SetString("distinct_id", distinctId);
    record.SetObject("properties", merged);
    record.SetObject("lib", lib);
    if (!project.empty()) record.SetString("project", project);
    if (type == kTypeTrack || type == kTypeTrackSignup) record.SetString("event", event);
    if (type == kTypeTrackSignup) record.SetString("original_id", originalId);
    queue_->Add(record);
    return true;
}

std::string Sdk::CurrentId() const {
    std::shared_lock state(stateLock_);
    return distinctId_;
}

bool Sdk::Track(const std::string& event, const PropertiesNode& properties) {
    std::shared_lock lock(g_instanceLock);
    if (!g_instance) return false;
    return g_instance->Build(kTypeTrack, event, properties, g_instance->CurrentId(), {});
}

bool Sdk::Track(const std::string& event) { return Track(event, PropertiesNode{}); }

bool Sdk::TrackInstallation(const std::string& event, const PropertiesNode& properties) {
    PropertiesNode withSource;
    withSource.SetString("$ios_install_source", "");
    withSource.Merge(properties);
    return Track(event, withSource);
}

bool Sdk::TrackSignup(const std::string& loginId) {
    std::shared_lock lock(g_instanceLock);
    if (!g_instance) return false;
    const bool queued = g_instance->Build(kTypeTrackSignup, "$SignUp", PropertiesNode{}, loginId, g_instance->CurrentId());
    // The identity switches even when the record was refused.
    std::unique_lock state(g_instance->stateLock_);
    g_instance->distinctId_ = loginId;
    g_instance->isLoginId_ = true;
    return queued;
}

bool Sdk::Profile(const char* type, const PropertiesNode& properties) {
    std::shared_lock lock(g_instanceLock);
    if (!g_instance) return false;
    return g_instance->Build(type, {}, properties, g_instance->CurrentId(), {});
}

bool Sdk::ProfileSet(const PropertiesNode& properties) { return Profile(kTypeProfileSet, properties); }
bool Sdk::ProfileSet(const std::string& name, const std::string& value) { return ProfileSet(OneMember(name, value)); }
bool Sdk::ProfileSet(const std::string& name, int value) { return ProfileSet(OneMember(name, value)); }
bool Sdk::ProfileSet(const std::string& name, double value) { return ProfileSet(OneMember(name, value)); }

bool Sdk::ProfileSetOnce(const PropertiesNode& properties) { return Profile(kTypeProfileSetOnce, properties); }
bool Sdk::ProfileSetOnce(const std::string& name, const std::string& value) {
    return ProfileSetOnce(OneMember(name, value));
}
bool Sdk::ProfileSetOnce(const std::string& name, int value) { return ProfileSetOnce(OneMember(name, value)); }
bool Sdk::ProfileSetOnce(const std::string& name, double value) { return ProfileSetOnce(OneMember(name, value)); }

bool Sdk::ProfileIncrement(const PropertiesNode& properties) { return Profile(kTypeProfileIncrement, properties); }
bool Sdk::ProfileIncrement(const std::string& name, int value) { return ProfileIncrement(OneMember(name, value)); }

bool Sdk::ProfileAppend(const std::string& name, const std::string& value) {
    PropertiesNode node;
    node.SetList(name, {value});
    return Profile(kTypeProfileAppend, node);
}

void Sdk::RegisterSuperProperties(const PropertiesNode& properties) {
    std::shared_lock lock(g_instanceLock);
    if (!g_instance) return;
    std::unique_lock state(g_instance->stateLock_);
    g_instance->superProperties_.Merge(properties);
}

void Sdk::SetIdentity(const std::string& distinctId, bool isLoginId) {
    std::shared_lock lock(g_instanceLock);
    if (!g_instance) return;
    std::unique_lock state(g_instance->stateLock_);
    g_instance->distinctId_ = distinctId;
    g_instance->isLoginId_ = isLoginId;
}

bool Sdk::Flush() {
    std::shared_lock lock(g_instanceLock);
    if (!g_instance) return false;
    return g_instance->queue_->Flush();
}

bool Sdk::AddEvent(const std::string& type, const std::string& event, const PropertiesNode& properties,
                   const std::string& distinctId, const std::string& originalId) {
    std::shared_lock lock(g_instanceLock);
    if (!g_instance) return false;
    return g_instance->Build(type, event, properties, distinctId, originalId);
}

}  // namespace usage_analytics
