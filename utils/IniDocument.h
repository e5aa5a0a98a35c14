#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Utils {

// The lines of an INI file (UTF-8), read and changed the way the profile functions of
// the system do: section and key names compare without regard to ASCII letter case;
// the first section and the first key of a name count; lines starting with ";" are
// comments; a value is trimmed of surrounding blanks and of one pair of matching
// quotes. Changes keep every other line as it was.
class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string_view content);

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    std::vector<std::string> SectionNames() const;
    std::vector<std::string> KeyNames(std::string_view section) const;

    // Replaces the key's value in place, or adds the key at the end of its section, or
    // adds the section at the end. False (nothing changed) for names or values that
    // cannot be written as one line: a line break in any, "=" or a leading "[" or ";"
    // in a key, "]" in a section name, an empty section or key name.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    void RemoveKey(std::string_view section, std::string_view key);
    void RemoveSection(std::string_view section);

    std::string Serialize() const;

private:
    struct Line {
        std::string text;  // without its line end
    };
    std::size_t FindSection(std::string_view section) const;
    std::size_t SectionEnd(std::size_t header) const;
    std::size_t FindKey(std::size_t header, std::string_view key) const;

    std::vector<Line> lines_;
    std::string lineEnd_ = "\r\n";
    bool finalLineEnd_ = true;
};

}  // namespace Utils
