#include "skinui/ResourceStore.h"

#include "skinui/Text.h"

#include <archive.h>
#include <archive_entry.h>

#include <cctype>
#include <fstream>
#include <memory>
#include <sstream>

namespace SkinUI {
namespace {

struct ArchiveCloser {
    void operator()(archive* a) const { archive_read_free(a); }
};

}  // namespace

std::string ResourceStore::NormaliseName(std::wstring_view name)
{
    std::string out = ToUtf8(name);
    for (auto& c : out) {
        if (c == '\\') {
            c = '/';
        } else {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    while (out.starts_with("./")) {
        out.erase(0, 2);
    }
    while (!out.empty() && out.front() == '/') {
        out.erase(0, 1);
    }
    return out;
}

std::optional<std::string> ResourceStore::ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream buf;
    buf << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return buf.str();
}

bool ResourceStore::OpenArchive(std::span<const std::uint8_t> bytes)
{
    entries_.clear();
    if (bytes.empty()) {
        return false;
    }
    std::unique_ptr<archive, ArchiveCloser> a(archive_read_new());
    archive_read_support_format_all(a.get());
    archive_read_support_filter_all(a.get());
    if (archive_read_open_memory(a.get(), bytes.data(), bytes.size()) != ARCHIVE_OK) {
        return false;
    }
    archive_entry* entry = nullptr;
    std::map<std::string, std::string> read;
    int rc = ARCHIVE_OK;
    while ((rc = archive_read_next_header(a.get(), &entry)) == ARCHIVE_OK) {
        if (archive_entry_filetype(entry) != AE_IFREG) {
            continue;
        }
        const char* path = archive_entry_pathname(entry);
        if (!path) {
            continue;
        }
        std::string data;
        char chunk[16384];
        la_ssize_t n = 0;
        while ((n = archive_read_data(a.get(), chunk, sizeof chunk)) > 0) {
            data.append(chunk, static_cast<std::size_t>(n));
        }
        if (n < 0) {
            return false;
        }
        read[NormaliseName(FromUtf8(path))] = std::move(data);
    }
    if (rc != ARCHIVE_EOF || read.empty()) {
        return false;
    }
    entries_ = std::move(read);
    return true;
}

void ResourceStore::Clear()
{
    entries_.clear();
}

std::optional<std::string> ResourceStore::Load(std::wstring_view name) const
{
    if (name.empty()) {
        return std::nullopt;
    }
    if (name.front() == L'/') {
        return ReadFile(ToUtf8(name));
    }
    if (!entries_.empty()) {
        const auto it = entries_.find(NormaliseName(name));
        if (it == entries_.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    if (folder_.empty()) {
        return std::nullopt;
    }
    std::wstring path = folder_;
    for (wchar_t c : name) {
        path.push_back(c == L'\\' ? L'/' : c);
    }
    return ReadFile(ToUtf8(path));
}

}  // namespace SkinUI
