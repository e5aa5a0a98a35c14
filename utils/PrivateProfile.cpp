#include "utils/PrivateProfile.h"

#include <functional>
#include <optional>

#include "utils/FileSystem.h"
#include "utils/FolderLock.h"
#include "utils/IniDocument.h"
#include "utils/TextConvert.h"
#include "utils/TextUtils.h"

namespace Utils {
namespace {

constexpr std::size_t kIntBufferChars = 30;

std::wstring Wide(std::string_view utf8)
{
    return FromSystemPath(utf8);
}

std::string Utf8(std::wstring_view text)
{
    return ToSystemPath(text);
}

std::string CutBytes(std::string_view text, std::size_t bufferChars)
{
    if (bufferChars == 0)
        return {};
    if (text.size() < bufferChars)
        return std::string(text);
    // text[end] is the first byte left out; a character it belongs to goes as a whole.
    std::size_t end = bufferChars - 1;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end));
}

std::optional<std::string> ReadValue(std::string_view section, std::string_view key, std::string_view file)
{
    std::string bytes;
    if (!ReadFileBytes(Wide(file), bytes))
        return std::nullopt;
    return IniDocument(bytes).Get(section, key);
}

// Read, change and write back under an exclusive lock on the folder, so that two writers
// (threads or processes) do not lose each other's change.
bool ChangeFile(std::string_view file, const std::function<bool(IniDocument&)>& change)
{
    const std::string path(file);
    const std::size_t slash = path.find_last_of('/');
    FolderLock lock(slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash)));
    if (!lock.IsLocked())
        return false;
    std::string bytes;
    ReadFileBytes(Wide(file), bytes);
    IniDocument document(bytes);
    return change(document) && WriteFileAtomically(Wide(file), document.Serialize());
}

}  // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    std::string_view file, std::size_t bufferChars)
{
    const std::optional<std::string> value = ReadValue(section, key, file);
    if (value)
        return CutBytes(*value, bufferChars);
    std::string_view def = defaultValue;
    while (!def.empty() && (def.back() == ' ' || def.back() == '\t'))
        def.remove_suffix(1);
    return CutBytes(def, bufferChars);
}

std::wstring GetPrivateProfileString(std::wstring_view section, std::wstring_view key,
                                     std::wstring_view defaultValue, std::wstring_view file,
                                     std::size_t bufferChars)
{
    if (bufferChars == 0)
        return {};
    std::wstring text;
    if (const std::optional<std::string> value = ReadValue(Utf8(section), Utf8(key), Utf8(file))) {
        text = Wide(*value);
    } else {
        text = defaultValue;
        while (!text.empty() && (text.back() == L' ' || text.back() == L'\t'))
            text.pop_back();
    }
    return std::wstring(CutToUtf16Units(text, bufferChars - 1));
}

std::int32_t GetPrivateProfileInt(std::string_view section, std::string_view key, std::int32_t defaultValue,
                                  std::string_view file)
{
    const std::string text = GetPrivateProfileString(section, key, "", file, kIntBufferChars);
    if (text.empty())
        return defaultValue;
    return ParseLeadingInt32(Wide(text)).value_or(0);
}

std::int32_t GetPrivateProfileInt(std::wstring_view section, std::wstring_view key, std::int32_t defaultValue,
                                  std::wstring_view file)
{
    return GetPrivateProfileInt(Utf8(section), Utf8(key), defaultValue, Utf8(file));
}

bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               std::string_view file)
{
    return ChangeFile(file, [&](IniDocument& document) { return document.Set(section, key, value); });
}

bool WritePrivateProfileString(std::wstring_view section, std::wstring_view key, std::wstring_view value,
                               std::wstring_view file)
{
    const std::string narrowValue = Utf8(value);
    if (narrowValue.empty() && !value.empty())
        return false;
    return WritePrivateProfileString(Utf8(section), Utf8(key), narrowValue, Utf8(file));
}

bool DeletePrivateProfileKey(std::wstring_view section, std::wstring_view key, std::wstring_view file)
{
    return ChangeFile(Utf8(file), [&](IniDocument& document) {
        document.RemoveKey(Utf8(section), Utf8(key));
        return true;
    });
}

bool DeletePrivateProfileSection(std::wstring_view section, std::wstring_view file)
{
    return ChangeFile(Utf8(file), [&](IniDocument& document) {
        document.RemoveSection(Utf8(section));
        return true;
    });
}

}  // namespace Utils
