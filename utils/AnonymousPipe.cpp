#include "utils/AnonymousPipe.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

#include "utils/Exception.h"
#include "utils/FdWrite.h"

namespace Utils {
namespace {

void CloseHandle(int& fd)
{
    if (fd != AnonymousPipe::kNoHandle) {
        ::close(fd);
        fd = AnonymousPipe::kNoHandle;
    }
}

}  // namespace

AnonymousPipe::AnonymousPipe()
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        throw Exception();
    read_ = ends[0];
    write_ = ends[1];
}

AnonymousPipe::~AnonymousPipe()
{
    Close();
}

AnonymousPipe::AnonymousPipe(AnonymousPipe&& other) noexcept
    : write_(std::exchange(other.write_, kNoHandle)), read_(std::exchange(other.read_, kNoHandle))
{
}

AnonymousPipe& AnonymousPipe::operator=(AnonymousPipe&& other) noexcept
{
    if (this != &other) {
        Close();
        write_ = std::exchange(other.write_, kNoHandle);
        read_ = std::exchange(other.read_, kNoHandle);
    }
    return *this;
}

void AnonymousPipe::CloseWrite()
{
    CloseHandle(write_);
}

void AnonymousPipe::CloseRead()
{
    CloseHandle(read_);
}

void AnonymousPipe::Close()
{
    CloseHandle(write_);
    CloseHandle(read_);
}

long AnonymousPipe::Read(void* buffer, std::size_t size)
{
    if (read_ == kNoHandle)
        return -1;
    for (;;) {
        const ssize_t n = ::read(read_, buffer, size);
        if (n >= 0 || errno != EINTR)
            return static_cast<long>(n);
    }
}

long AnonymousPipe::Write(const void* data, std::size_t size)
{
    if (write_ == kNoHandle)
        return -1;
    return WriteAllWithoutSigPipe(write_, data, size);
}

}  // namespace Utils
