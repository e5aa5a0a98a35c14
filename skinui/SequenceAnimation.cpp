#include "skinui/SequenceAnimation.h"

#include "skinui/Control.h"
#include "skinui/Text.h"
#include "skinui/WindowContext.h"
#include "skinui/markup/ValueSyntax.h"

#include <cwchar>

namespace SkinUI {
namespace {

constexpr std::size_t kFrameNameChars = 260;

// Any value but the exact text "false" turns these switches on.
bool SwitchValue(std::wstring_view value)
{
    return value != L"false";
}

// True when `pattern` holds exactly one integer conversion (flags, width and
// precision allowed) and otherwise only "%%": anything else would make the
// formatting read arguments that are not there.
bool IsSingleIntegerPattern(const std::wstring& pattern)
{
    int conversions = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != L'%') {
            continue;
        }
        ++i;
        if (i < pattern.size() && pattern[i] == L'%') {
            continue;
        }
        while (i < pattern.size() && std::wcschr(L"-+ #0", pattern[i])) {
            ++i;
        }
        while (i < pattern.size() && pattern[i] >= L'0' && pattern[i] <= L'9') {
            ++i;
        }
        if (i < pattern.size() && pattern[i] == L'.') {
            ++i;
            while (i < pattern.size() && pattern[i] >= L'0' && pattern[i] <= L'9') {
                ++i;
            }
        }
        if (i >= pattern.size() || !std::wcschr(L"diuxXo", pattern[i])) {
            return false;
        }
        ++conversions;
    }
    return conversions == 1;
}

}  // namespace

bool SequenceAnimation::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    if (name == L"sequencebkimage") {
        pattern_ = std::wstring(value);
    } else if (EqualsNoCase(name, L"sequencecount")) {
        count_ = static_cast<int>(Markup::ParseLong(value));
    } else if (EqualsNoCase(name, L"sequencespan")) {
        span_ = static_cast<int>(Markup::ParseLong(value));
    } else if (EqualsNoCase(name, L"sequenceloop")) {
        loop_ = SwitchValue(value);
    } else if (EqualsNoCase(name, L"autostart")) {
        autoStart_ = SwitchValue(value);
    } else if (EqualsNoCase(name, L"sequenceround")) {
        pingPong_ = SwitchValue(value);
    } else {
        return false;
    }
    return true;
}

void SequenceAnimation::Init(Control& owner)
{
    if (autoStart_ && owner.GetContext()) {
        owner.GetContext()->SetTimer(&owner, kTimerId, static_cast<unsigned>(span_ < 0 ? 0 : span_));
    }
}

void SequenceAnimation::Restart(Control& owner)
{
    index_ = 0;
    if (owner.GetContext()) {
        owner.GetContext()->SetTimer(&owner, kTimerId, static_cast<unsigned>(span_ < 0 ? 0 : span_));
    }
}

std::optional<std::wstring> SequenceAnimation::FrameName(unsigned index) const
{
    if (!IsSingleIntegerPattern(pattern_)) {
        return std::nullopt;
    }
    wchar_t buf[kFrameNameChars];
    const int n = std::swprintf(buf, kFrameNameChars, pattern_.c_str(), index);
    if (n < 0) {
        return std::nullopt;
    }
    return std::wstring(buf, static_cast<std::size_t>(n));
}

void SequenceAnimation::Tick(Control& owner)
{
    if (pattern_.empty()) {
        return;
    }
    const auto stop = [&owner] {
        if (owner.GetContext()) {
            owner.GetContext()->KillTimer(&owner, kTimerId);
        }
    };
    if (forward_ && static_cast<long long>(index_) > static_cast<long long>(count_) - 1) {
        if (pingPong_) {
            forward_ = false;
            // With fewer than two frames there is no frame before the last one.
            index_ = count_ >= 2 ? static_cast<unsigned>(count_ - 2) : 0u;
        } else {
            index_ = 0;
            if (!loop_) {
                stop();
                return;
            }
        }
    }
    if (!forward_ && index_ == 0) {
        if (pingPong_) {
            forward_ = true;
        }
        index_ = 0;
        if (!loop_) {
            stop();
            return;
        }
    }
    if (const auto frame = FrameName(index_)) {
        owner.SetBkImage(*frame);
    }
    owner.Invalidate();
    index_ = forward_ ? index_ + 1 : index_ - 1;
}

}  // namespace SkinUI
