// Stand-in for the setup package (built as lp_standin_setup) and for an old
// version's uninstaller (built as lp_standin_uninstall, STANDIN_UNINSTALL).
// It checks that its arguments have the shape the installer gives them, then
// plays the scenario file named by LP_SETUP_SCENARIO / LP_UNINSTALL_SCENARIO.
// Without a scenario it writes "State=Success" and ends with 0.
//
// Scenario lines (blank lines and lines starting with '#' are skipped):
//   record <file>       write the arguments received, one per line
//   pid <file>          write the process id
//   mark <file> <text>  append <text> and a line feed to <file>
//   out <text>          one write of <text> to standard output
//   err <text>          one write of <text> to standard error
//                       (<text> escapes: \n \r \t \\ \0 \xHH; ${DIR} is the
//                       install folder or the old folder of the command line)
//   flood-out <bytes>   that many bytes of filler lines on standard output
//   flood-err <bytes>   the same on standard error
//   sleep <ms>          pause
//   wait <fifo>         open <fifo> for reading and read it to its end
//   close-out           close standard output
//   hang                never end (until killed)
//   exit <code>         end at once with <code>
// A command line of the wrong shape writes an Error= line and ends with 64.

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kBadCommandLine = 64;

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

bool IsFlag(const std::string& arg, const std::string& key) {
    return arg == key + "true" || arg == key + "false";
}

std::string Join(const std::vector<std::string>& args, std::size_t from) {
    std::string out;
    for (std::size_t i = from; i < args.size(); ++i) {
        out += (i == from ? "" : " ") + args[i];
    }
    return out;
}

// Setup package: /S -console=show -version=1.0.0 -adminact= -authorizationact=
// -dsc= -ssc= [extra...] [-instdir=<dir> /D=<dir, may hold blanks>]
[[maybe_unused]] bool CheckSetupArgs(const std::vector<std::string>& a, std::string& dir) {
    if (a.size() < 7 || a[0] != "/S" || a[1] != "-console=show" || a[2] != "-version=1.0.0" ||
        !IsFlag(a[3], "-adminact=") || !IsFlag(a[4], "-authorizationact=") || !IsFlag(a[5], "-dsc=") ||
        !IsFlag(a[6], "-ssc=")) {
        return false;
    }
    for (std::size_t i = 7; i < a.size(); ++i) {
        if (StartsWith(a[i], "-instdir=")) {
            dir = a[i].substr(9);
            return i + 1 < a.size() && StartsWith(a[i + 1], "/D=") && Join(a, i + 1).substr(3) == dir;
        }
        if (StartsWith(a[i], "/D=")) {
            return false;
        }
    }
    return true;
}

// Uninstaller: /S -adminact= -authorizationact= -console=show _?=<dir>
[[maybe_unused]] bool CheckUninstallArgs(const std::vector<std::string>& a, std::string& dir) {
    if (a.size() < 5 || a[0] != "/S" || !IsFlag(a[1], "-adminact=") || !IsFlag(a[2], "-authorizationact=") ||
        a[3] != "-console=show" || !StartsWith(a[4], "_?=")) {
        return false;
    }
    dir = Join(a, 4).substr(3);
    return true;
}

void WriteAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

std::string Unescape(const std::string& text, const std::string& dir) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 6, "${DIR}") == 0) {
            out += dir;
            i += 5;
        } else if (text[i] == '\\' && i + 1 < text.size()) {
            const char c = text[++i];
            switch (c) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case '0': out += '\0'; break;
            case 'x':
                out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
                i += 2;
                break;
            default: out += c; break;
            }
        } else {
            out += text[i];
        }
    }
    return out;
}

void Flood(int fd, long bytes) {
    const std::string line(63, '#');
    std::string block;
    while (block.size() < 65536) {
        block += line + "\n";
    }
    while (bytes > 0) {
        const std::size_t n = bytes < static_cast<long>(block.size()) ? static_cast<std::size_t>(bytes) : block.size();
        WriteAll(fd, block.substr(0, n));
        bytes -= static_cast<long>(n);
    }
}

void AppendLine(const std::string& file, const std::string& text) {
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd >= 0) {
        WriteAll(fd, text + "\n");
        close(fd);
    }
}

void Record(const std::string& file, const std::vector<std::string>& args) {
    std::ofstream out(file);
    for (const auto& arg : args) {
        out << arg << "\n";
    }
}

void WaitForFifo(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    char buffer[256];
    while (read(fd, buffer, sizeof buffer) > 0) {
    }
    close(fd);
}

int Play(std::istream& scenario, const std::vector<std::string>& args, const std::string& dir) {
    std::string line;
    while (std::getline(scenario, line)) {
        std::istringstream in(line);
        std::string op;
        in >> op;
        std::string rest;
        std::getline(in >> std::ws, rest);
        if (op.empty() || op[0] == '#') {
            continue;
        }
        if (op == "record") {
            Record(rest, args);
        } else if (op == "pid") {
            std::ofstream(rest) << getpid() << "\n";
        } else if (op == "mark") {
            const std::size_t blank = rest.find(' ');
            AppendLine(rest.substr(0, blank), blank == std::string::npos ? "" : rest.substr(blank + 1));
        } else if (op == "out" || op == "err") {
            WriteAll(op == "out" ? STDOUT_FILENO : STDERR_FILENO, Unescape(rest, dir));
        } else if (op == "flood-out" || op == "flood-err") {
            Flood(op == "flood-out" ? STDOUT_FILENO : STDERR_FILENO, std::atol(rest.c_str()));
        } else if (op == "sleep") {
            usleep(static_cast<useconds_t>(std::atol(rest.c_str()) * 1000));
        } else if (op == "wait") {
            WaitForFifo(rest);
        } else if (op == "close-out") {
            close(STDOUT_FILENO);
        } else if (op == "hang") {
            for (;;) {
                pause();
            }
        } else if (op == "exit") {
            return std::atoi(rest.c_str());
        } else {
            std::fprintf(stderr, "stand-in: unknown scenario step '%s'\n", op.c_str());
            return kBadCommandLine;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string dir;
#ifdef STANDIN_UNINSTALL
    const bool shapeOk = CheckUninstallArgs(args, dir);
    const char* scenarioName = std::getenv("LP_UNINSTALL_SCENARIO");
#else
    const bool shapeOk = CheckSetupArgs(args, dir);
    const char* scenarioName = std::getenv("LP_SETUP_SCENARIO");
#endif
    if (!shapeOk) {
        std::fprintf(stderr, "stand-in: unexpected command line: %s\n", Join(args, 0).c_str());
        WriteAll(STDOUT_FILENO, "Error=stand-in: unexpected command line\n");
        // Still record, so that a test can show what it got.
        if (scenarioName) {
            std::ifstream scenario(scenarioName);
            std::string line;
            while (std::getline(scenario, line)) {
                if (StartsWith(line, "record ")) {
                    Record(line.substr(7), args);
                }
            }
        }
        return kBadCommandLine;
    }
    if (scenarioName == nullptr || *scenarioName == '\0') {
        WriteAll(STDOUT_FILENO, "State=Success\n");
        return 0;
    }
    std::ifstream scenario(scenarioName);
    if (!scenario) {
        std::fprintf(stderr, "stand-in: cannot open scenario %s\n", scenarioName);
        return kBadCommandLine;
    }
    return Play(scenario, args, dir);
}
