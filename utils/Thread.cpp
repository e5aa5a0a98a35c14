#include "utils/Thread.h"

#include <unistd.h>

#include "app/DebugLog.h"
#include "utils/TextConvert.h"

namespace Utils {
namespace {

constexpr std::size_t kMaxThreadNameBytes = 15;

bool IsUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

Thread::Thread(void* parameter, std::wstring name, ThreadProcedure procedure)
    : procedure_(std::move(procedure)), parameter_(parameter), name_(std::move(name))
{
}

Thread::~Thread()
{
    Join();
    name_.clear();
}

bool Thread::Start()
{
    if (state_ == State::Running)
        return true;
    if (state_ == State::Joined)
        return false;
    if (pthread_create(&handle_, nullptr, &Thread::CallBack, this) != 0) {
        state_ = State::Joined;
        return false;
    }
    state_ = State::Running;
    named_.acquire();  // the thread has published its id
    return true;
}

void Thread::Join()
{
    if (state_ == State::Running && !pthread_equal(handle_, pthread_self()))
        pthread_join(handle_, nullptr);
    state_ = State::Joined;
    id_ = kNoThreadId;
}

std::string Thread::DebuggerName(const std::wstring& name, std::uint32_t id)
{
    std::string text = name.empty() ? "t" + std::to_string(id) : ToNarrow(name, kCodePageAnsi);
    if (text.size() > kMaxThreadNameBytes) {
        std::size_t cut = kMaxThreadNameBytes;
        while (cut > 0 && IsUtf8Continuation(text[cut]))
            --cut;
        text.resize(cut);
    }
    return text;
}

void* Thread::CallBack(void* self) noexcept
{
    auto* thread = static_cast<Thread*>(self);
    thread->id_ = static_cast<std::uint32_t>(gettid());
    pthread_setname_np(pthread_self(), DebuggerName(thread->name_, thread->id_).c_str());
    thread->named_.release();
    DEBUG_LOG(L"THREAD BEGIN\r\n");
    // An exception out of the procedure (an empty one included) ends the process
    // through std::terminate, where the crash report is made.
    thread->procedure_(thread->parameter_);
    DEBUG_LOG(L"THREAD END\r\n");
    return nullptr;
}

}  // namespace Utils
