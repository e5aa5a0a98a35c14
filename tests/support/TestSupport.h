#pragma once
// Small helpers shared by the test suites: a private temporary folder, a scoped
// environment variable and a capture of standard error.
#include <optional>
#include <string>

namespace TestSupport {

// A fresh folder under the system temporary folder, removed with its content.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::wstring wpath() const;
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    std::wstring WFile(const std::wstring& name) const { return wpath() + L"/" + name; }

private:
    std::string path_;
};

// Sets (or, with nullopt, unsets) a variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(std::string name, std::optional<std::string> value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

// Sends descriptor 2 into a file until Stop() (or destruction); Stop returns what came.
class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    std::string Stop();

private:
    TempDir dir_;  // before file_, which is named inside it
    int saved_ = -1;
    std::string file_;
};

std::string ReadTextFile(const std::string& path);
void WriteTextFile(const std::string& path, const std::string& content);

}  // namespace TestSupport
