#pragma once
#include <cstdint>

namespace Utils {

// Milliseconds of a 32-bit tick counter; differences stay right across a wrap.
class TickStopwatch {
public:
    void Start();
    // 0 when not started; otherwise the seconds since Start.
    float ElapsedSeconds() const;
    bool IsRunning() const { return running_; }

    static std::uint32_t TickCount();  // milliseconds of the monotonic clock, wrapping
    static float SecondsBetween(std::uint32_t startTick, std::uint32_t nowTick);

private:
    std::uint32_t startTick_ = 0;
    bool running_ = false;
};

}  // namespace Utils
