#include "SkinTestSupport.h"

#include "skinui/CheckBox.h"
#include "skinui/TabLayout.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace SkinTest;

struct Fixture : testing::Test {
    OffscreenHost host;
    TestFrame w{host, L"MainWnd.xml"};
    void SetUp() override
    {
        ASSERT_NE(w.Open(), kNoWindow);
        w.ShowWindow();
        host.PumpMessages();
        w.log.clear();
    }
};

using Notifications = Fixture;

TEST_F(Notifications, CheckBoxClickPostsClickThenSelectChanged)
{
    auto* cb = w.FindControl<CheckBox>(L"treatyCb");
    host.MouseMove(w.GetHWND(), Center(cb));
    host.MouseDown(w.GetHWND(), Center(cb));
    // Posted, not sent: nothing has arrived while the button is still down.
    EXPECT_TRUE(w.log.empty());
    host.SendMessage(w.GetHWND(), Msg::LButtonUp, 0, MakeLParam(Center(cb).x, Center(cb).y));
    EXPECT_FALSE(cb->IsSelected());
    EXPECT_TRUE(w.log.empty());
    host.PumpMessages();
    ASSERT_EQ(w.log.size(), 2u);
    EXPECT_EQ(w.log[0], L"click:treatyCb:0");
    EXPECT_EQ(w.log[1], L"selectchanged:treatyCb:0");
    cb->Selected(false);  // no change: no notification
    host.PumpMessages();
    EXPECT_EQ(w.log.size(), 2u);
}

TEST_F(Notifications, DisabledButtonIgnoresTheMouse)
{
    auto* btn = w.FindControl<Button>(L"customeBtn");
    btn->SetEnabled(false);
    host.Click(w.GetHWND(), Center(btn));
    EXPECT_TRUE(w.log.empty());
    EXPECT_EQ(btn->GetState(), Button::State::Disabled);
    btn->SetEnabled(true);
    host.Click(w.GetHWND(), Center(btn));
    ASSERT_EQ(w.log.size(), 1u);
    EXPECT_EQ(w.log[0], L"click:customeBtn:0");
}

TEST_F(Notifications, SelectItemRaisesTabSelectWithTheNewIndex)
{
    auto* tabs = w.FindControl<TabLayout>(L"mainTabLt");
    EXPECT_EQ(tabs->GetCurSel(), 0);
    EXPECT_TRUE(tabs->SelectItem(2));
    ASSERT_EQ(w.log.size(), 1u);
    EXPECT_EQ(w.log[0], L"tabselect:mainTabLt:2");
    EXPECT_EQ(tabs->GetCurSel(), 2);
    EXPECT_FALSE(tabs->GetItemAt(0)->IsVisible());
    EXPECT_TRUE(tabs->GetItemAt(2)->IsVisible());
    EXPECT_FALSE(tabs->SelectItem(4));
    EXPECT_TRUE(tabs->SelectItem(2));
    EXPECT_EQ(w.log.size(), 1u);
}

TEST_F(Notifications, TimersRepeatUntilKilled)
{
    Control* root = w.FindControl(L"winCtn");
    // The progress animation runs its own timer; only the root's count here.
    const auto rootTimers = [this] {
        std::vector<std::wstring> out;
        for (const auto& entry : w.log) {
            if (entry.starts_with(L"timer:winCtn:")) {
                out.push_back(entry);
            }
        }
        return out;
    };
    ASSERT_TRUE(w.SetTimer(root, 10, 100));
    host.Advance(99);
    EXPECT_TRUE(rootTimers().empty());
    host.Advance(1);
    host.Advance(250);
    EXPECT_EQ(rootTimers(), (std::vector<std::wstring>(3, L"timer:winCtn:10")));
    ASSERT_TRUE(w.SetTimer(root, 11, 1000));
    EXPECT_TRUE(w.KillTimer(root, 10));
    EXPECT_FALSE(w.KillTimer(root, 10));
    host.Advance(1000);
    ASSERT_EQ(rootTimers().size(), 4u);
    EXPECT_EQ(rootTimers()[3], L"timer:winCtn:11");
}

TEST_F(Notifications, SentIsHandledAtOncePostedLater)
{
    Control* root = w.FindControl(L"winCtn");
    w.SendNotify(root, L"install", 1, 0, false);
    ASSERT_EQ(w.log.size(), 1u);
    EXPECT_EQ(w.log[0], L"install:winCtn:1");
    w.SendNotify(root, L"checknet", 7, 0, true);
    EXPECT_EQ(w.log.size(), 1u);
    host.PumpMessages();
    ASSERT_EQ(w.log.size(), 2u);
    EXPECT_EQ(w.log[1], L"checknet:winCtn:7");
}

TEST_F(Notifications, PostedFromAnotherThreadReachesTheModalLoop)
{
    Control* root = w.FindControl(L"winCtn");
    std::thread worker([&] {
        for (WParam i = 0; i < 50; ++i) {
            w.SendNotify(root, L"checknet", i, 0, true);
        }
        w.Close(3);
    });
    EXPECT_EQ(w.ShowModal(), 3);
    worker.join();
    ASSERT_EQ(w.log.size(), 50u);
    for (std::size_t i = 0; i < w.log.size(); ++i) {
        EXPECT_EQ(w.log[i], L"checknet:winCtn:" + std::to_wstring(i));
    }
}

TEST_F(Notifications, CloseButtonClosesAndEscapeIsSwallowed)
{
    host.KeyDown(w.GetHWND(), Key::Escape);
    EXPECT_TRUE(host.IsWindow(w.GetHWND()));
    const WindowHandle h = w.GetHWND();
    host.Click(h, Center(w.FindControl(L"closebtn")));
    EXPECT_FALSE(host.IsWindow(h));
    EXPECT_EQ(w.GetCloseCode(), 1);
}

TEST(ModalLoop, OwnerIsDisabledDuringTheBoxAndBoxIsCentredOverIt)
{
    OffscreenHost host;
    TestFrame owner(host, L"MainWnd.xml");
    owner.Open();
    owner.ShowWindow();
    host.MoveWindow(owner.GetHWND(), {100, 100, 700, 500});
    TestFrame box(host, L"ExitTipWnd.xml");
    box.Create(owner.GetHWND(), L"消息框", Style::OverlappedWindow | Style::Visible, 0);
    box.CenterWindow();
    EXPECT_EQ(host.GetWindowRect(box.GetHWND()), (Rect{220, 210, 580, 390}));
    bool ownerDisabled = false;
    host.SetIdleHandler([&] {
        if (!host.IsWindow(box.GetHWND())) {
            return false;
        }
        ownerDisabled = !host.IsWindowEnabled(owner.GetHWND());
        host.Click(box.GetHWND(), Center(box.FindControl(L"okBtn")));
        box.Close(0);
        return true;
    });
    EXPECT_EQ(box.ShowModal(), 0);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(host.IsWindowEnabled(owner.GetHWND()));
    EXPECT_EQ(host.Focused(), owner.GetHWND());
    ASSERT_FALSE(box.log.empty());
    EXPECT_EQ(box.log.front(), L"click:okBtn:0");
    // With the owner minimised the box goes to the middle of the work area.
    host.ShowWindow(owner.GetHWND(), ShowCommand::Minimize);
    TestFrame box2(host, L"MessageBox1Wnd.xml");
    box2.Create(owner.GetHWND(), L"消息框", Style::OverlappedWindow, 0);
    box2.CenterWindow();
    EXPECT_EQ(host.GetWindowRect(box2.GetHWND()), (Rect{780, 470, 1140, 570}));
}

}  // namespace
