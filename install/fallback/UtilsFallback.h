#pragma once
// Temporary stand-ins for the utility layer until it is merged; removed then.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <sys/types.h>
#include <thread>

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
    // Blocking read from the read end; 0 at end of data or on failure.
    std::size_t Read(char* buffer, std::size_t size);
    int readEnd = -1;
    int writeEnd = -1;
};

class ChildProcess {
public:
    ~ChildProcess() { CloseAll(); }
    void Start(const std::wstring& commandLine);
    void CloseAll();
    // Waits for the process to end.
    void Wait();
    AnonymousPipe* errorPipe = nullptr;
    AnonymousPipe* outputPipe = nullptr;
    AnonymousPipe* inputPipe = nullptr;
    pid_t pid = -1;
};

std::wstring ToWide(const std::string& bytes, int codePage);
std::string ToNarrow(const std::wstring& text, int codePage);
std::wstring GetWorkFolder();
bool CreateFolderPath(const std::wstring& path);
bool PathFileExists(const std::wstring& path);
bool CopyFile(const std::wstring& from, const std::wstring& to);
bool DeleteFile(const std::wstring& path);
bool MarkExecutable(const std::wstring& path);
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
