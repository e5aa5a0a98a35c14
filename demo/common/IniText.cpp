#include "IniText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace demo {

namespace {

std::string Trim(const std::string& s) {
    const char* ws = " \t\r\n";
    size_t b = s.find_first_not_of(ws);
    if (b == std::string::npos)
        return "";
    return s.substr(b, s.find_last_not_of(ws) - b + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// The section name of a "[name]" line, or nullopt for other lines.
std::optional<std::string> SectionOf(const std::string& line) {
    std::string t = Trim(line);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']')
        return Trim(t.substr(1, t.size() - 2));
    return std::nullopt;
}

// The key of a "key=value" line, or nullopt.
std::optional<std::string> KeyOf(const std::string& line) {
    size_t eq = line.find('=');
    if (eq == std::string::npos)
        return std::nullopt;
    return Trim(line.substr(0, eq));
}

std::vector<std::string> ReadLines(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& file, const std::string& bytes, std::string* error,
                         unsigned mode) {
    std::filesystem::path temp = file;
    temp += ".tmp-" + std::to_string(getpid());
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) {
        if (error)
            *error = "无法写入文件：" + file.string() + "（" + std::strerror(errno) + "）";
        return false;
    }
    size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += static_cast<size_t>(n);
    }
    int saved = errno;
    // The mode given to open is cut by the umask; programs must stay executable.
    ok = ok && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    if (!ok)
        saved = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (ok && std::rename(temp.c_str(), file.c_str()) != 0) {
        ok = false;
        saved = errno;
    }
    if (!ok) {
        unlink(temp.c_str());
        if (error)
            *error = "无法写入文件：" + file.string() + "（" + std::strerror(saved) + "）";
    }
    return ok;
}

bool SetIniValue(const std::filesystem::path& file, const std::string& section, const std::string& key,
                 const std::string& value, std::string* error) {
    std::vector<std::string> lines = ReadLines(file);
    const std::string entry = key + "=" + value;
    bool inSection = false;
    bool replaced = false;
    std::optional<size_t> sectionEnd;  // insertion point after the section's last entry
    for (size_t i = 0; i < lines.size(); ++i) {
        if (auto name = SectionOf(lines[i])) {
            if (inSection)
                break;
            inSection = SameName(*name, section);
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (auto k = KeyOf(lines[i]); k && SameName(*k, key)) {
            lines[i] = entry;
            replaced = true;
            break;
        }
        if (!Trim(lines[i]).empty())
            sectionEnd = i + 1;
    }
    if (!replaced) {
        if (sectionEnd) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), entry);
        } else {
            lines.push_back("[" + section + "]");
            lines.push_back(entry);
        }
    }
    std::ostringstream text;
    for (const auto& l : lines)
        text << l << "\n";
    return WriteFileAtomically(file, text.str(), error);
}

std::optional<std::string> GetIniValue(const std::filesystem::path& file, const std::string& section,
                                       const std::string& key) {
    bool inSection = false;
    for (const auto& line : ReadLines(file)) {
        if (auto name = SectionOf(line)) {
            inSection = SameName(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        if (auto k = KeyOf(line); k && SameName(*k, key))
            return Trim(line.substr(line.find('=') + 1));
    }
    return std::nullopt;
}

}  // namespace demo
