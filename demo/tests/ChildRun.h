#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace demo_test {

// A child process whose standard output the test reads through a pipe.
class Child {
public:
    // env: variables set on top of the test's own environment.
    Child(const std::filesystem::path& program, const std::vector<std::string>& args,
          const std::map<std::string, std::string>& env = {});
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return pid_ > 0; }
    // The next output line without its line feed; nullopt at the end of output
    // or when the safety timeout passes.
    std::optional<std::string> ReadLine(std::chrono::seconds timeout = std::chrono::seconds(60));
    // Reads to the end of output and waits for the exit; returns the exit status (-1 if signalled).
    int Finish(std::vector<std::string>* rest = nullptr);
    void Signal(int sig);

private:
    int pid_ = -1;
    int out_ = -1;
    std::string buffer_;
    bool eof_ = false;
};

std::filesystem::path MakeTempFolder(const std::string& tag);
std::string ReadFile(const std::filesystem::path& file);

}  // namespace demo_test
