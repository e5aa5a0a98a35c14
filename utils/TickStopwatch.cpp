#include "utils/TickStopwatch.h"

#include <time.h>

namespace Utils {

std::uint32_t TickStopwatch::TickCount()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

float TickStopwatch::SecondsBetween(std::uint32_t startTick, std::uint32_t nowTick)
{
    return static_cast<float>(static_cast<std::uint32_t>(nowTick - startTick)) / 1000.0f;
}

void TickStopwatch::Start()
{
    startTick_ = TickCount();
    running_ = true;
}

float TickStopwatch::ElapsedSeconds() const
{
    return running_ ? SecondsBetween(startTick_, TickCount()) : 0.0f;
}

}  // namespace Utils
