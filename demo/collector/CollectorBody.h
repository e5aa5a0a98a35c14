#pragma once

#include <optional>
#include <string>

namespace demo {

// Undoes the analytics body encoding: the form field "data_list" is
// URL-decoded, base64-decoded and gunzipped into the JSON array text.
// The "gzip=1" field must be present. On failure returns nullopt and
// sets *error.
std::optional<std::string> DecodeCollectorBody(const std::string& body, std::string* error = nullptr);

std::optional<std::string> UrlDecode(const std::string& text);
std::optional<std::string> Base64Decode(const std::string& text);
std::optional<std::string> Gunzip(const std::string& bytes);

}  // namespace demo
