#include "utils/ValueStore.h"

#include <vector>

#include "utils/FileSystem.h"
#include "utils/FolderLock.h"
#include "utils/KnownFolders.h"
#include "utils/TextConvert.h"
#include "utils/TextUtils.h"

namespace Utils {
namespace {

constexpr const wchar_t* kProductKeyFolder = L"OrvekSoft/Lumapane";
constexpr const wchar_t* kProductStoreName = L"values";
constexpr std::string_view kHeader = "# Software\\OrvekSoft\\Lumapane\n";

struct Entry {
    std::string name;  // UTF-8
    std::uint32_t type = kRegSz;
    std::string text;  // UTF-8
};

std::string Escape(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '=': out += "\\="; break;
        default: out += c;
        }
    }
    return out;
}

std::string Unescape(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

// The position of the first "=" that is not escaped.
std::size_t NameEnd(std::string_view line)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\')
            ++i;
        else if (line[i] == '=')
            return i;
    }
    return std::string_view::npos;
}

std::vector<Entry> Parse(std::string_view content)
{
    std::vector<Entry> entries;
    std::size_t begin = 0;
    while (begin < content.size()) {
        std::size_t end = content.find('\n', begin);
        if (end == content.npos)
            end = content.size();
        const std::string_view line = content.substr(begin, end - begin);
        begin = end + 1;
        const std::size_t eq = NameEnd(line);
        if (line.empty() || line.front() == '#' || eq == line.npos)
            continue;
        const std::size_t colon = line.find(':', eq);
        if (colon == line.npos)
            continue;
        const auto type = ParseLeadingInt32(FromSystemPath(std::string(line.substr(eq + 1, colon - eq - 1))));
        if (!type || *type < 0)
            continue;
        entries.push_back(Entry{Unescape(line.substr(0, eq)), static_cast<std::uint32_t>(*type),
                                Unescape(line.substr(colon + 1))});
    }
    return entries;
}

std::string Serialize(const std::vector<Entry>& entries)
{
    std::string out(kHeader);
    for (const auto& e : entries)
        out += Escape(e.name) + "=" + std::to_string(e.type) + ":" + Escape(e.text) + "\n";
    return out;
}

template <class Change>
bool ChangeStore(const std::wstring& file, Change change)
{
    const std::wstring folder = FolderOf(file);
    if (folder.empty() || !CreateFolderPath(folder))
        return false;
    FolderLock lock(ToSystemPath(folder));
    if (!lock.IsLocked())
        return false;
    std::string content;
    ReadFileBytes(file, content);
    std::vector<Entry> entries = Parse(content);
    if (!change(entries))
        return false;
    return WriteFileAtomically(file, Serialize(entries), 0600);
}

}  // namespace

ValueStore::ValueStore(std::wstring file) : file_(std::move(file)) {}

bool ValueStore::Write(std::wstring_view name, std::uint32_t type, std::wstring_view text)
{
    const std::string key = ToSystemPath(name);
    const std::wstring_view value = text.substr(0, text.find(L'\0'));
    const std::string bytes = ToSystemPath(value);
    if (key.empty() || (bytes.empty() && !value.empty()))
        return false;
    return ChangeStore(file_, [&](std::vector<Entry>& entries) {
        for (auto& e : entries) {
            if (EqualsIgnoreCase(e.name, key)) {
                e.type = type;
                e.text = bytes;
                return true;
            }
        }
        entries.push_back(Entry{key, type, bytes});
        return true;
    });
}

bool ValueStore::Read(std::wstring_view name, std::uint32_t& type, std::wstring& text) const
{
    const std::string key = ToSystemPath(name);
    std::string content;
    if (key.empty() || !ReadFileBytes(file_, content))
        return false;
    for (const auto& e : Parse(content)) {
        if (EqualsIgnoreCase(e.name, key)) {
            type = e.type;
            text = FromSystemPath(e.text);
            return true;
        }
    }
    return false;
}

bool ValueStore::Remove(std::wstring_view name)
{
    const std::string key = ToSystemPath(name);
    return !key.empty() && ChangeStore(file_, [&](std::vector<Entry>& entries) {
        std::erase_if(entries, [&](const Entry& e) { return EqualsIgnoreCase(e.name, key); });
        return true;
    });
}

std::wstring ProductValueStoreFile()
{
    const std::wstring config = GetConfigFolder();
    if (config.empty())
        return {};
    return JoinPath(JoinPath(config, kProductKeyFolder), kProductStoreName);
}

bool WriteProductRegValue(std::wstring_view name, std::wstring_view text)
{
    const std::wstring file = ProductValueStoreFile();
    return !file.empty() && ValueStore(file).Write(name, kRegSz, text);
}

bool ReadProductRegValue(std::wstring_view name, std::uint32_t& type, std::wstring& text)
{
    const std::wstring file = ProductValueStoreFile();
    return !file.empty() && ValueStore(file).Read(name, type, text);
}

}  // namespace Utils
