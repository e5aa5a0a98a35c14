#include "ChildRun.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace demo_test {

Child::Child(const std::filesystem::path& program, const std::vector<std::string>& args,
             const std::map<std::string, std::string>& env) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    std::vector<std::string> envText;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        if (!env.count(entry.substr(0, entry.find('='))))
            envText.push_back(entry);
    }
    for (const auto& [k, v] : env)
        envText.push_back(k + "=" + v);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& e : envText)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0)
        pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    out_ = fds[0];
}

Child::~Child() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0)
        close(out_);
}

std::optional<std::string> Child::ReadLine(std::chrono::seconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (size_t nl = buffer_.find('\n'); nl != std::string::npos) {
            std::string line = buffer_.substr(0, nl);
            buffer_.erase(0, nl + 1);
            return line;
        }
        if (eof_ || out_ < 0) {
            if (buffer_.empty())
                return std::nullopt;
            std::string line;
            line.swap(buffer_);
            return line;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return std::nullopt;
        pollfd p{out_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char chunk[4096];
        ssize_t n = read(out_, chunk, sizeof chunk);
        if (n <= 0)
            eof_ = true;
        else
            buffer_.append(chunk, static_cast<size_t>(n));
    }
}

int Child::Finish(std::vector<std::string>* rest) {
    while (auto line = ReadLine())
        if (rest)
            rest->push_back(*line);
    if (pid_ <= 0)
        return -1;
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Child::Signal(int sig) {
    if (pid_ > 0)
        kill(pid_, sig);
}

std::filesystem::path MakeTempFolder(const std::string& tag) {
    std::string templ = (std::filesystem::temp_directory_path() / ("lp-" + tag + "-XXXXXX")).string();
    char* made = mkdtemp(templ.data());
    return made ? std::filesystem::path(made) : std::filesystem::path();
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace demo_test
