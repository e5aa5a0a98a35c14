#include "SkinTestSupport.h"

#include "skinui/ImageCache.h"

#include <gtest/gtest.h>

namespace {

using namespace SkinTest;

std::string SequenceLayout(const std::string& attrs)
{
    return "<Window size=\"100,100\"><VerticalLayout><SequenceLabel name=\"anim\" " + attrs + "/></VerticalLayout></Window>";
}

struct Animated {
    TempSkin skin;
    OffscreenHost host;
    std::unique_ptr<TestFrame> w;
    CSequenceLabelUI* anim = nullptr;

    explicit Animated(const std::string& attrs)
    {
        skin.Write("seq.xml", SequenceLayout(attrs));
        w = std::make_unique<TestFrame>(host, L"seq.xml", kResourceFile);
        w->Open();
        anim = w->FindControl<CSequenceLabelUI>(L"anim");
    }
    bool Running() const { return w->Context().HasTimer(anim, CSequenceLabelUI::kTimerId); }
    // Frame numbers shown tick by tick, ending early when the animation stops itself.
    std::vector<int> Run(int ticks)
    {
        std::vector<int> shown;
        for (int i = 0; i < ticks && Running(); ++i) {
            host.Advance(static_cast<std::uint64_t>(anim->GetSequenceSpan()));
            if (!Running()) {
                break;
            }
            shown.push_back(std::stoi(anim->GetBkImage().substr(1)));
        }
        return shown;
    }
};

TEST(SequenceAnimation, FrameOrdersForFiveFrames)
{
    const struct {
        bool pingPong, loop;
        int ticks;
        std::vector<int> frames;
        int lastVisible;
    } cases[] = {
        {false, true, 11, {0, 1, 2, 3, 4, 0, 1, 2, 3, 4, 0}, 0},
        {false, false, 20, {0, 1, 2, 3, 4}, 4},
        {true, true, 17, {0, 1, 2, 3, 4, 3, 2, 1, 0, 1, 2, 3, 4, 3, 2, 1, 0}, 0},
        {true, false, 20, {0, 1, 2, 3, 4, 3, 2, 1}, 1},
    };
    for (const auto& c : cases) {
        Animated a(std::string("sequencebkimage=\"f%d.png\" sequencecount=\"5\" sequencespan=\"30\" autostart=\"true\"") +
                   " sequenceround=\"" + (c.pingPong ? "true" : "false") + "\" sequenceloop=\"" + (c.loop ? "true" : "false") + "\"");
        ASSERT_TRUE(a.Running());
        EXPECT_EQ(a.Run(c.ticks), c.frames) << "pingpong " << c.pingPong << " loop " << c.loop;
        EXPECT_EQ(a.Running(), c.loop);
        EXPECT_EQ(a.anim->GetBkImage(), L"f" + std::to_wstring(c.lastVisible) + L".png");
    }
}

TEST(SequenceAnimation, AttributeRules)
{
    Animated a("sequencebkimage=\"a%d\" SequenceLoop=\"False\" sequencespan=\"abc\" SEQUENCECOUNT=\"3\" autostart=\"no\"");
    EXPECT_TRUE(a.anim->Animation().Loop());  // only the exact "false" is false
    EXPECT_TRUE(a.anim->Animation().AutoStart());
    EXPECT_EQ(a.anim->GetSequenceSpan(), 0);
    EXPECT_EQ(a.anim->GetSequenceCount(), 3);
    EXPECT_FALSE(a.anim->Animation().PingPong());

    Animated b("SequenceBkImage=\"x%d\" sequenceround=\"false\"");
    EXPECT_EQ(b.anim->GetSequenceImage(), L"");  // that name is matched with its case
    EXPECT_FALSE(b.Running());
    EXPECT_EQ(b.anim->GetSequenceSpan(), 30);

    CSequenceButtonUI button;
    EXPECT_EQ(button.GetSequenceSpan(), 60);
    EXPECT_TRUE(button.Animation().PingPong());
    EXPECT_EQ(button.GetInterface(L"SequenceButton"), &button);
    EXPECT_EQ(button.GetInterface(L"Button"), &button);
    EXPECT_EQ(button.GetInterface(L"SequenceLabel"), nullptr);
}

TEST(SequenceAnimation, PingPongStoppedGoingBackRestartsAtFrameZeroForward)
{
    Animated a("sequencebkimage=\"f%d.png\" sequencecount=\"5\" sequencespan=\"30\" autostart=\"true\" sequenceround=\"true\"");
    EXPECT_EQ(a.Run(6), (std::vector<int>{0, 1, 2, 3, 4, 3}));
    EXPECT_FALSE(a.anim->Animation().Forward());
    a.w->KillTimer(a.anim, CSequenceLabelUI::kTimerId);
    a.host.Advance(300);
    EXPECT_EQ(a.anim->GetBkImage(), L"f3.png");
    a.anim->Restart();
    EXPECT_EQ(a.Run(3), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(a.anim->Animation().Forward());
}

TEST(SequenceAnimation, FrameNamesFollowThePattern)
{
    SequenceAnimation anim(30, false);
    anim.SetPattern(L"res\\mainWnd\\installBtnAnimate\\%.3d.png");
    EXPECT_EQ(anim.FrameName(7).value_or(L"?"), L"res\\mainWnd\\installBtnAnimate\\007.png");
    EXPECT_EQ(anim.FrameName(84).value_or(L"?"), L"res\\mainWnd\\installBtnAnimate\\084.png");
    // Patterns that would read arguments that are not there are refused.
    for (const wchar_t* bad : {L"%s.png", L"%d%d.png", L"frame.png", L"%n"}) {
        anim.SetPattern(bad);
        EXPECT_FALSE(anim.FrameName(1).has_value()) << ToUtf8(bad);
    }
    anim.SetPattern(L"100%%_%02d");
    EXPECT_EQ(anim.FrameName(5).value_or(L"?"), L"100%_05");
}

TEST(SequenceAnimation, MainWindowAnimationRunsFromTheSkin)
{
    OffscreenHost host;
    TestFrame w(host, L"MainWnd.xml");
    w.Open();
    auto* anim = w.FindControl<CSequenceLabelUI>(L"progressAnLb");
    ASSERT_NE(anim, nullptr);
    EXPECT_EQ(anim->GetSequenceCount(), 85);
    host.Advance(30 * 8);
    EXPECT_EQ(anim->GetBkImage(), L"res\\mainWnd\\installBtnAnimate\\007.png");
    EXPECT_NE(w.Context().Images().Get(anim->GetBkImage()), nullptr);
}

}  // namespace
