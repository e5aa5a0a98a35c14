#pragma once
#include <cstddef>

namespace Utils {

// A pipe whose two ends the process keeps to itself: both are close-on-exec, and a
// child receives an end only as one of its standard handles (see ChildProcess).
class AnonymousPipe {
public:
    static constexpr int kNoHandle = -1;

    AnonymousPipe();  // throws Utils::Exception when the pipe cannot be created
    ~AnonymousPipe();
    AnonymousPipe(AnonymousPipe&& other) noexcept;
    AnonymousPipe& operator=(AnonymousPipe&& other) noexcept;
    AnonymousPipe(const AnonymousPipe&) = delete;
    AnonymousPipe& operator=(const AnonymousPipe&) = delete;

    int WriteHandle() const { return write_; }
    int ReadHandle() const { return read_; }
    void CloseWrite();
    void CloseRead();
    // Closes both ends that are open.
    void Close();

    // Blocking read from the read end: bytes read, 0 once every write end is closed,
    // -1 on failure (or when the read end is closed).
    long Read(void* buffer, std::size_t size);
    // Blocking write to the write end: bytes written or -1; a missing reader gives -1,
    // never SIGPIPE.
    long Write(const void* data, std::size_t size);

private:
    int write_ = kNoHandle;
    int read_ = kNoHandle;
};

}  // namespace Utils
