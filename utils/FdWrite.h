#pragma once
// Writes to a descriptor, header-only so that the diagnostic log can use it too.
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <pthread.h>
#include <time.h>
#include <unistd.h>

namespace Utils {

// Writes every byte (retrying on interruption); the number written, or -1 on failure.
inline long WriteAll(int fd, const void* data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, static_cast<const char*>(data) + done, size - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<long>(done);
}

// WriteAll for pipes whose reader may be gone: SIGPIPE is blocked on this thread for
// the write, and one that the write raised is taken back, so the process lives on and
// the write fails with EPIPE.
inline long WriteAllWithoutSigPipe(int fd, const void* data, std::size_t size)
{
    sigset_t pipeSet, oldSet, pending;
    sigemptyset(&pipeSet);
    sigaddset(&pipeSet, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSet, &oldSet);
    sigpending(&pending);
    const bool wasPending = sigismember(&pending, SIGPIPE) == 1;
    const long n = WriteAll(fd, data, size);
    const int error = errno;
    if (n < 0 && error == EPIPE && !wasPending) {
        const timespec zero{};
        sigtimedwait(&pipeSet, nullptr, &zero);
    }
    pthread_sigmask(SIG_SETMASK, &oldSet, nullptr);
    errno = error;
    return n;
}

}  // namespace Utils
