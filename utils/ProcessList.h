#pragma once
// The process snapshot: which programs run, by executable file name.
#include <cstdint>
#include <string_view>

namespace Utils {
// The id of the first running process whose executable file name equals the name
// exactly (letter case counts); 0 when none does. The name is the base name of
// /proc/<pid>/exe, or of the first argument when that link cannot be read (processes
// of other users).
std::uint32_t FindProcessId(std::wstring_view exeFileName);
}  // namespace Utils
