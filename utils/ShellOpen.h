#pragma once
// ShellExecuteW "open": a program is started on its own, anything else (a web address,
// a document) goes to the desktop's opener, xdg-open.
#include <string_view>

namespace Utils {
// Starts the target detached from the installer (own session, standard streams on
// /dev/null, never a zombie of ours). True when it could be handed over; what the
// started program then does is not followed.
bool ShellOpen(std::wstring_view target);
}  // namespace Utils
