#pragma once

#include <string>

// One event of an install stage, copied so that it can travel to the UI
// thread (window message 2024) after the callback that delivered it returned.
struct StageEvent {
    int code = 0;
    double value = 0.0;
    std::wstring text;
};
