#pragma once
// The window's usage reports, in one place so that they reach the analytics glue
// through a single seam. Every report carries the A/B group ("AB" = "IN").
//
// TO BE WIRED: the bodies in UsageReports.cpp do nothing yet; they are to call the
// glue's reportTask, reportClick and reportView once it is in the tree.
#include <string_view>

namespace UsageReports {
inline constexpr const wchar_t* kAbKey = L"AB";
inline constexpr const wchar_t* kAbGroup = L"IN";

// A result event: label, elapsed seconds, reason (the detail text).
void Task(std::wstring_view label, float elapsedSeconds = 0.0F, std::wstring_view reason = {});
// A click on the button of that label.
void Click(std::wstring_view label);
// The progress page is shown.
void View();
}  // namespace UsageReports
