#pragma once

#include <string>

// Digest of a file's bytes as 32 lower-case hexadecimal characters; empty when
// the path is empty or the file cannot be opened.
std::string GetFileMd5(const std::string& ansiPath);

// The digest a download URL carries: its second-to-last path segment. Empty when
// the URL has fewer than two slashes. Length and characters are not checked.
std::string GetUrlMd5(const std::string& url);

// The digest published in a URL is usable only when it has this many characters.
constexpr std::size_t kMd5TextLength = 32;
