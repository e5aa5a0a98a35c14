#pragma once

#include <string>

namespace usage_analytics {

inline constexpr size_t kMaxNameBytes = 100;
inline constexpr size_t kMaxIdentityBytes = 255;
inline constexpr size_t kMaxStringValueBytes = 8192;

inline constexpr const char* kLabelDistinctId = "Distinct ID";
inline constexpr const char* kLabelOriginalId = "Original ID";
inline constexpr const char* kLabelEventName = "Event Name";
inline constexpr const char* kLabelPropertyKey = "Property Key";

// Each check reports a refusal on standard error and returns false.
bool CheckName(const std::string& name, const std::string& label);
bool CheckIdentity(const std::string& id, const std::string& label);
bool CheckStringValue(const std::string& name, const std::string& value);

// UTF-8 in the well-formed sequences of RFC 3629; single bytes only TAB, LF,
// CR and 0x20..0x7E.
bool IsWellFormedText(const std::string& bytes);

}  // namespace usage_analytics
