#pragma once

#include "skinui/Label.h"
#include "skinui/SequenceAnimation.h"

namespace SkinUI {

/// A label that shows a numbered series of images as an animation (markup "SequenceLabel").
class CSequenceLabelUI : public Label {
public:
    static constexpr unsigned kTimerId = SequenceAnimation::kTimerId;

    std::wstring_view GetClass() const override;
    Control* GetInterface(std::wstring_view name) override;

    void SetSequenceImage(const std::wstring& pattern) { anim_.SetPattern(pattern); }
    const std::wstring& GetSequenceImage() const { return anim_.Pattern(); }
    void SetSequenceCount(int count) { anim_.SetCount(count); }
    int GetSequenceCount() const { return anim_.Count(); }
    void SetSequenceSpan(int span) { anim_.SetSpan(span); }
    int GetSequenceSpan() const { return anim_.Span(); }
    void Restart() { anim_.Restart(*this); }
    const SequenceAnimation& Animation() const { return anim_; }

    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void DoInit() override;
    void DoEvent(ControlEvent& event) override;

private:
    SequenceAnimation anim_{30, false};
};

}  // namespace SkinUI
