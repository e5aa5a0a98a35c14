#include "utils/IniDocument.h"

#include "utils/TextUtils.h"

namespace Utils {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The section name of a header line, or nothing.
std::optional<std::string_view> SectionOf(std::string_view line)
{
    line = TrimWhiteSpace(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    return TrimWhiteSpace(line.substr(1, close == line.npos ? line.npos : close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> KeyOf(std::string_view line)
{
    const std::string_view trimmed = TrimWhiteSpace(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[')
        return std::nullopt;
    const std::size_t eq = line.find('=');
    if (eq == line.npos)
        return std::nullopt;
    return KeyLine{TrimWhiteSpace(line.substr(0, eq)), TrimWhiteSpace(line.substr(eq + 1))};
}

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != text.npos;
}

}  // namespace

IniDocument::IniDocument(std::string_view content)
{
    if (content.starts_with(kUtf8Bom))
        content.remove_prefix(kUtf8Bom.size());
    const std::size_t firstBreak = content.find('\n');
    if (firstBreak != content.npos)
        lineEnd_ = (firstBreak > 0 && content[firstBreak - 1] == '\r') ? "\r\n" : "\n";
    finalLineEnd_ = content.empty() || content.back() == '\n';
    std::size_t begin = 0;
    while (begin < content.size()) {
        std::size_t end = content.find('\n', begin);
        const std::size_t next = end == content.npos ? content.size() : end + 1;
        if (end == content.npos)
            end = content.size();
        std::string_view text = content.substr(begin, end - begin);
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        lines_.push_back(Line{std::string(text)});
        begin = next;
    }
}

std::size_t IniDocument::FindSection(std::string_view section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionOf(lines_[i].text);
        if (name && EqualsIgnoreCase(*name, section))
            return i;
    }
    return kNone;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const
{
    std::size_t i = header + 1;
    while (i < lines_.size() && !SectionOf(lines_[i].text))
        ++i;
    return i;
}

std::size_t IniDocument::FindKey(std::size_t header, std::string_view key) const
{
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const auto line = KeyOf(lines_[i].text);
        if (line && EqualsIgnoreCase(line->key, key))
            return i;
    }
    return kNone;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const
{
    const std::size_t header = FindSection(section);
    if (header == kNone)
        return std::nullopt;
    const std::size_t at = FindKey(header, key);
    if (at == kNone)
        return std::nullopt;
    return std::string(Unquote(KeyOf(lines_[at].text)->value));
}

bool IniDocument::HasSection(std::string_view section) const
{
    return FindSection(section) != kNone;
}

std::vector<std::string> IniDocument::SectionNames() const
{
    std::vector<std::string> names;
    for (const auto& line : lines_) {
        if (const auto name = SectionOf(line.text))
            names.emplace_back(*name);
    }
    return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const
{
    std::vector<std::string> names;
    const std::size_t header = FindSection(section);
    if (header == kNone)
        return names;
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (const auto line = KeyOf(lines_[i].text))
            names.emplace_back(line->key);
    }
    return names;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value)
{
    section = TrimWhiteSpace(section);
    key = TrimWhiteSpace(key);
    if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) ||
        section.find(']') != section.npos || key.find('=') != key.npos || key.front() == '[' || key.front() == ';')
        return false;
    finalLineEnd_ = true;
    std::size_t header = FindSection(section);
    if (header == kNone) {
        lines_.push_back(Line{"[" + std::string(section) + "]"});
        header = lines_.size() - 1;
    }
    const std::string text = std::string(key) + "=" + std::string(value);
    if (const std::size_t at = FindKey(header, key); at != kNone) {
        lines_[at].text = std::string(KeyOf(lines_[at].text)->key) + "=" + std::string(value);
        return true;
    }
    // After the last non-blank line of the section, so that a blank line before the next
    // section stays where it is.
    std::size_t insert = SectionEnd(header);
    while (insert > header + 1 && TrimWhiteSpace(lines_[insert - 1].text).empty())
        --insert;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert), Line{text});
    return true;
}

void IniDocument::RemoveKey(std::string_view section, std::string_view key)
{
    const std::size_t header = FindSection(section);
    if (header == kNone)
        return;
    if (const std::size_t at = FindKey(header, key); at != kNone)
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
}

void IniDocument::RemoveSection(std::string_view section)
{
    const std::size_t header = FindSection(section);
    if (header == kNone)
        return;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
}

std::string IniDocument::Serialize() const
{
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i].text;
        if (i + 1 < lines_.size() || finalLineEnd_)
            out += lineEnd_;
    }
    return out;
}

}  // namespace Utils
