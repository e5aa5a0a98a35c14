#pragma once
// Temporary stand-ins for the utility layer until it is merged; removed then.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <thread>

enum DownloadCode : int {
    DL_CODE_START = 1001,
    DL_CODE_PROGRESS = 1002,
    DL_CODE_SUCCESS = 1003,
    DL_CODE_FAIL = 1004,
    DL_CODE_RETRY = 1005,
    DL_CODE_MD5 = 1006,
};

using DownloadCallback = std::function<void(int code, double value, const wchar_t* text)>;

class CDownloader {
public:
    virtual ~CDownloader() = default;
    virtual void Start() = 0;
};

namespace Utils {

class Exception : public std::runtime_error {
public:
    Exception() : std::runtime_error("") {}
};

class Thread {
public:
    using Procedure = std::function<std::uint32_t(void*)>;
    Thread(void* parameter, std::wstring name, Procedure procedure)
        : parameter_(parameter), name_(std::move(name)), procedure_(std::move(procedure)) {}
    ~Thread() { Join(); }
    bool Start() {
        thread_ = std::thread([this] { procedure_(parameter_); });
        return true;
    }
    void Join() {
        if (thread_.joinable()) thread_.join();
    }

private:
    void* parameter_;
    std::wstring name_;
    Procedure procedure_;
    std::thread thread_;
};

class AnonymousPipe {
public:
    AnonymousPipe();
    ~AnonymousPipe() { Close(); }
    void Close();
    long Read(void* buffer, std::size_t size);
    int readEnd = -1;
    int writeEnd = -1;
};

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess() { CloseAll(); }
    void Start(std::wstring_view commandLine);
    void CloseAll();
    std::uint32_t Wait();
    AnonymousPipe& ErrorPipe() { return errorPipe_; }
    AnonymousPipe& OutputPipe() { return outputPipe_; }

private:
    AnonymousPipe errorPipe_;
    AnonymousPipe outputPipe_;
    AnonymousPipe inputPipe_;
    pid_t pid = -1;
};

std::wstring ToWide(std::string_view bytes, int codePage);
std::string ToNarrow(std::wstring_view text, int codePage);
std::size_t Utf16Length(std::wstring_view text);
std::wstring_view CutToUtf16Units(std::wstring_view text, std::size_t units);
inline constexpr wchar_t kPathSeparator = L'/';
std::wstring GetWorkFolder();
bool CreateFolderPath(std::wstring_view path);
bool FileExists(std::wstring_view path);
bool CopyFile(std::wstring_view from, std::wstring_view to, bool failIfExists);
bool DeleteFile(std::wstring_view path);
bool MakeExecutable(std::wstring_view path);
std::wstring FolderOf(std::wstring_view path);
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);
bool IsCurrentUserAdmin();
bool IsAdminAccount(const std::wstring& user);
bool GetConsoleUserName(std::wstring& name);

}  // namespace Utils

struct InstallerConfigRecord {
    std::wstring InstCmd;
    int DownloadType = 1;
};
InstallerConfigRecord& InstallerConfig();

#define DEBUG_LOG(...) ((void)0)
