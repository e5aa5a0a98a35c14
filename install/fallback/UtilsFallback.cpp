#include "UtilsFallback.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace Utils {
namespace {

std::string Charset(int codePage) {
    switch (codePage) {
    case 0: return nl_langinfo(CODESET);
    case 65001: return "UTF-8";
    case 936: return "GBK";
    default: return "CP" + std::to_string(codePage);
    }
}

std::string Narrow(const std::wstring& w) {
    std::string out;
    for (wchar_t c : w) {
        auto u = static_cast<std::uint32_t>(c);
        if (u < 0x80) out += static_cast<char>(u);
        else if (u < 0x800) { out += static_cast<char>(0xC0 | (u >> 6)); out += static_cast<char>(0x80 | (u & 0x3F)); }
        else if (u < 0x10000) { out += static_cast<char>(0xE0 | (u >> 12)); out += static_cast<char>(0x80 | ((u >> 6) & 0x3F)); out += static_cast<char>(0x80 | (u & 0x3F)); }
        else { out += static_cast<char>(0xF0 | (u >> 18)); out += static_cast<char>(0x80 | ((u >> 12) & 0x3F)); out += static_cast<char>(0x80 | ((u >> 6) & 0x3F)); out += static_cast<char>(0x80 | (u & 0x3F)); }
    }
    return out;
}

std::vector<std::wstring> SplitCommandLine(const std::wstring& line) {
    std::vector<std::wstring> args;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
        if (i >= line.size()) break;
        std::wstring arg;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != L' ' && line[i] != L'\t'))) {
            if (line[i] == L'\\') {
                std::size_t n = 0;
                while (i < line.size() && line[i] == L'\\') { ++n; ++i; }
                if (i < line.size() && line[i] == L'"') {
                    arg.append(n / 2, L'\\');
                    if (n % 2) { arg += L'"'; ++i; }
                } else {
                    arg.append(n, L'\\');
                }
            } else if (line[i] == L'"') {
                quoted = !quoted;
                ++i;
            } else {
                arg += line[i++];
            }
        }
        args.push_back(arg);
    }
    return args;
}

}  // namespace

AnonymousPipe::AnonymousPipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw Exception();
    readEnd = fds[0];
    writeEnd = fds[1];
}

void AnonymousPipe::Close() {
    if (readEnd >= 0) close(readEnd);
    if (writeEnd >= 0) close(writeEnd);
    readEnd = writeEnd = -1;
}

long AnonymousPipe::Read(void* buffer, std::size_t size) {
    for (;;) {
        ssize_t n = read(readEnd, buffer, size);
        if (n < 0 && errno == EINTR) continue;
        return static_cast<long>(n);
    }
}

void ChildProcess::Start(std::wstring_view commandLine) {
    if (Utf16Length(commandLine) >= 1024) throw Exception();
    std::vector<std::wstring> args = SplitCommandLine(std::wstring(commandLine));
    if (args.empty()) throw Exception();
    std::vector<std::string> narrow;
    for (auto& a : args) narrow.push_back(Narrow(a));
    std::vector<char*> argv;
    for (auto& a : narrow) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, inputPipe_.readEnd, 0);
    posix_spawn_file_actions_adddup2(&fa, outputPipe_.writeEnd, 1);
    posix_spawn_file_actions_adddup2(&fa, errorPipe_.writeEnd, 2);
    int rc = posix_spawn(&pid, argv[0], &fa, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&fa);
    if (rc != 0) { pid = -1; throw Exception(); }
    close(outputPipe_.writeEnd); outputPipe_.writeEnd = -1;
    close(errorPipe_.writeEnd); errorPipe_.writeEnd = -1;
    close(inputPipe_.readEnd); inputPipe_.readEnd = -1;
}

std::uint32_t ChildProcess::Wait() {
    int status = 0;
    if (pid > 0) {
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
        pid = -1;
    }
    return static_cast<std::uint32_t>(WEXITSTATUS(status));
}

void ChildProcess::CloseAll() {
    inputPipe_.Close();
    outputPipe_.Close();
    errorPipe_.Close();
}

std::size_t Utf16Length(std::wstring_view text) {
    std::size_t n = 0;
    for (wchar_t c : text) n += static_cast<std::uint32_t>(c) > 0xFFFF ? 2 : 1;
    return n;
}

std::wstring_view CutToUtf16Units(std::wstring_view text, std::size_t units) {
    std::size_t n = 0, i = 0;
    for (; i < text.size(); ++i) {
        std::size_t next = n + (static_cast<std::uint32_t>(text[i]) > 0xFFFF ? 2 : 1);
        if (next > units) break;
        n = next;
    }
    return text.substr(0, i);
}

std::wstring ToWide(std::string_view bytes, int codePage) {
    std::string in(std::string(bytes).c_str());
    if (in.empty()) return {};
    iconv_t cd = iconv_open("WCHAR_T", Charset(codePage).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    std::wstring out(in.size() + 1, L'\0');
    char* src = in.data();
    std::size_t srcLeft = in.size();
    char* dst = reinterpret_cast<char*>(out.data());
    std::size_t dstLeft = out.size() * sizeof(wchar_t);
    std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) return {};
    out.resize(out.size() - dstLeft / sizeof(wchar_t));
    return std::wstring(out.c_str());
}

std::string ToNarrow(std::wstring_view text, int) { return Narrow(std::wstring(text)); }

std::wstring GetWorkFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = std::string(tmp && *tmp ? tmp : "/tmp") + "/~OrvekTemp.92482B06FB471E17/";
    mkdir(dir.c_str(), 0700);
    std::wstring w(dir.begin(), dir.end());
    return w;
}

bool CreateFolderPath(std::wstring_view path) {
    std::string p = Narrow(std::wstring(path));
    for (std::size_t i = 1; i <= p.size(); ++i) {
        if (i == p.size() || p[i] == '/') mkdir(p.substr(0, i).c_str(), 0755);
    }
    return true;
}

bool FileExists(std::wstring_view path) {
    struct stat st;
    return !path.empty() && stat(Narrow(std::wstring(path)).c_str(), &st) == 0;
}

std::wstring FolderOf(std::wstring_view path) {
    std::size_t slash = path.rfind(L'/');
    if (slash == std::wstring_view::npos) return {};
    return std::wstring(slash == 0 ? path.substr(0, 1) : path.substr(0, slash));
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
    std::wstring out(folder);
    if (!out.empty() && out.back() != L'/') out += L'/';
    return out + std::wstring(name);
}

bool CopyFile(std::wstring_view from, std::wstring_view to, bool) {
    int in = open(Narrow(std::wstring(from)).c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct stat st;
    fstat(in, &st);
    if (!S_ISREG(st.st_mode)) { close(in); return false; }
    std::string tmp = Narrow(std::wstring(to));
    int out = open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, st.st_mode & 0777);
    if (out < 0) { close(in); return false; }
    fchmod(out, st.st_mode & 0777);
    char buf[65536];
    ssize_t n;
    bool ok = true;
    while ((n = read(in, buf, sizeof buf)) > 0) ok = ok && write(out, buf, static_cast<std::size_t>(n)) == n;
    close(in);
    close(out);
    return ok;
}

bool DeleteFile(std::wstring_view path) { return unlink(Narrow(std::wstring(path)).c_str()) == 0; }
bool MakeExecutable(std::wstring_view path) {
    struct stat st;
    std::string p = Narrow(std::wstring(path));
    return stat(p.c_str(), &st) == 0 && chmod(p.c_str(), st.st_mode | 0111) == 0;
}
bool IsCurrentUserAdmin() { return geteuid() == 0; }
bool IsAdminAccount(const std::wstring& user) { return user == L"root"; }
bool GetConsoleUserName(std::wstring& name) {
    const char* u = std::getenv("USER");
    if (!u) return false;
    std::string s(u);
    name.assign(s.begin(), s.end());
    return true;
}

}  // namespace Utils

InstallerConfigRecord& InstallerConfig() {
    static InstallerConfigRecord config;
    return config;
}
