#pragma once

#include <optional>
#include <string>

namespace usage_analytics {

// gzip (level 9, window bits 31); nullopt after reporting a zlib failure.
std::optional<std::string> GzipCompress(const std::string& data);
// RFC 4648 section 4, with padding and without line breaks.
std::string Base64Encode(const std::string& bytes);
// Keeps letters, digits and "-._~"; every other byte becomes %XX (upper case).
std::string FormUrlEncode(const std::string& text);
// "data_list=" + URL-encoded base64 of the gzip of the batch + "&gzip=1".
std::optional<std::string> EncodeBatchBody(const std::string& jsonArrayText);

}  // namespace usage_analytics
