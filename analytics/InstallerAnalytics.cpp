#include "InstallerAnalytics.h"

#include "Tracker.h"
#include "app/CommandLineArgs.h"
#include "app/InstallerConfig.h"
#include "utils/TextConvert.h"

namespace {

using namespace orvek::usage;

constexpr const wchar_t* kAbKey = L"AB";
constexpr const wchar_t* kCollectorOption = L"-analyticsurl";

std::string Utf8(const std::wstring& text) { return Utils::ToNarrow(text, Utils::kCodePageUtf8); }

std::shared_ptr<UsageTrackerWrapper> ActiveTracker() {
    if (!InstallerConfig::Instance().IsEnableAppAnalytics) return nullptr;
    return currentTracker();
}

OvContextProperties GroupLabel(const AnalyticsOptions& options, int event) {
    OvContextProperties context;
    auto it = options.find(kAbKey);
    if (it != options.end()) {
        const std::string value = Utf8(it->second);
        if (OvContextProperties::isValidABValue(value)) context.setProperty(value, {event});
    }
    return context;
}

// Analytics starts before the command line is applied, so its collector
// option is read here; the INI value is already in the configuration.
std::wstring CollectorUrl(const InstallerConfig& cfg) {
    const CommandLineArgs args = CommandLineArgs::FromProcess();
    return args.Contains(kCollectorOption) ? args.GetString(kCollectorOption) : cfg.AnalyticsUrl;
}

}  // namespace

void startAnalytics() {
    const InstallerConfig& cfg = InstallerConfig::Instance();
    if (!cfg.IsEnableAppAnalytics) return;
    TrackerConfig config;
    config.appName = Utf8(cfg.AppName + cfg.DlAppNameSuffix);
    config.appVersion = Utf8(cfg.AppVersion);
    config.appStore = Utf8(cfg.InstallerFileName);
    config.dlappId = Utf8(cfg.AppName);
    config.dlappVersion = Utf8(cfg.DlAppVersion);
    config.edition = kEditionChina;
    config.serverUrl = Utf8(CollectorUrl(cfg));
    createTracker(config);
}

void stopAnalytics() {
    if (!InstallerConfig::Instance().IsEnableAppAnalytics) return;
    releaseTracker();
}

void reportTask(const std::wstring& label, float elapsed, const std::wstring& reason, AnalyticsOptions options) {
    auto tracker = ActiveTracker();
    if (!tracker) return;
    OvEventTask task;
    task.name = Utf8(label);
    task.reason = Utf8(reason);
    task.elapsed = elapsed;
    task.result = kResultSuccess;
    tracker->trackTask(task, GroupLabel(options, kEventTask));
}

void reportClick(AnalyticsOptions options, const std::wstring& label) {
    auto tracker = ActiveTracker();
    if (!tracker) return;
    OvEventClick click;
    click.name = Utf8(label);
    click.clickType = kClickOthers;
    tracker->trackClick(click, GroupLabel(options, kEventClick));
}

void reportView(AnalyticsOptions options) {
    auto tracker = ActiveTracker();
    if (!tracker) return;
    OvEventView view;
    view.name = "安装中";
    tracker->trackView(view, GroupLabel(options, kEventView));
}

void reportCrash() {
    auto tracker = ActiveTracker();
    if (!tracker) return;
    tracker->trackCrash("崩溃");
}
