#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace SkinUI {

class Control;

/// Frame-sequence state shared by CSequenceLabelUI and CSequenceButtonUI.
class SequenceAnimation {
public:
    static constexpr unsigned kTimerId = 2100;

    SequenceAnimation(int span, bool pingPong) : span_(span), pingPong_(pingPong) {}

    /// Applies a sequence attribute; false when the name is not one of them.
    bool SetAttribute(std::wstring_view name, std::wstring_view value);
    /// On joining a window: starts the timer when autostart is set.
    void Init(Control& owner);
    /// Frame 0 next and the timer running (the direction is kept).
    void Restart(Control& owner);
    /// One timer tick: shows a frame or stops, as the loop and ping-pong settings say.
    void Tick(Control& owner);

    /// Frame file name for `index`; nullopt when the pattern is not a single integer conversion.
    std::optional<std::wstring> FrameName(unsigned index) const;

    const std::wstring& Pattern() const { return pattern_; }
    void SetPattern(std::wstring p) { pattern_ = std::move(p); }
    int Count() const { return count_; }
    void SetCount(int c) { count_ = c; }
    int Span() const { return span_; }
    void SetSpan(int s) { span_ = s; }
    bool AutoStart() const { return autoStart_; }
    bool Loop() const { return loop_; }
    bool PingPong() const { return pingPong_; }
    bool Forward() const { return forward_; }
    unsigned Index() const { return index_; }

private:
    std::wstring pattern_;
    int count_ = 0;
    int span_;
    bool autoStart_ = false;
    bool loop_ = true;
    bool pingPong_;
    bool forward_ = true;
    unsigned index_ = 0;
};

}  // namespace SkinUI
