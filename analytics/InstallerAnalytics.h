#pragma once

#include <map>
#include <string>

// The installer's reporting functions. Each does nothing when analytics is
// switched off or no tracker was started.
using AnalyticsOptions = std::map<std::wstring, std::wstring>;

void startAnalytics();
void stopAnalytics();
void reportTask(const std::wstring& label, float elapsed, const std::wstring& reason, AnalyticsOptions options);
void reportClick(AnalyticsOptions options, const std::wstring& label);
void reportView(AnalyticsOptions options);
void reportCrash();
