#pragma once
#include <cstdint>
#include <functional>
#include <pthread.h>
#include <semaphore>
#include <string>

namespace Utils {

// Thread procedure: one untyped parameter, a 32-bit result that is discarded.
using ThreadProcedure = std::function<std::uint32_t(void*)>;

// A named worker thread that runs only once Start() is called. The object must outlive
// its thread; destroying it waits for the thread without time-out.
class Thread {
public:
    static constexpr std::uint32_t kNoThreadId = 0xFFFFFFFFu;

    Thread(void* parameter, std::wstring name, ThreadProcedure procedure);
    ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Starts the thread; true when it runs (or already ran). False when the thread could
    // not be created or has been joined.
    bool Start();
    // Waits for the thread without time-out; at once when there is none. A thread that
    // was never started is discarded without running.
    void Join();

    // The kernel's id of the running thread; kNoThreadId before Start and after Join.
    std::uint32_t Id() const { return id_; }
    const std::wstring& Name() const { return name_; }
    // The debugger name: the name in the locale's charset, or "t" and the id when empty,
    // cut to the 15 bytes that the kernel keeps.
    static std::string DebuggerName(const std::wstring& name, std::uint32_t id);

private:
    enum class State { Created, Running, Joined };

    static void* CallBack(void* self) noexcept;

    std::uint32_t id_ = kNoThreadId;
    pthread_t handle_{};
    State state_ = State::Created;
    ThreadProcedure procedure_;
    void* parameter_;
    std::wstring name_;
    std::binary_semaphore named_{0};
};

}  // namespace Utils
