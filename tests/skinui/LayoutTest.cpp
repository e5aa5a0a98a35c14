#include "SkinTestSupport.h"

#include "skinui/CheckBox.h"
#include "skinui/Edit.h"
#include "skinui/Progress.h"
#include "skinui/ResourceStore.h"
#include "skinui/TabLayout.h"

#include <gtest/gtest.h>

namespace {

using namespace SkinTest;

Rect PosOf(TestFrame& w, const wchar_t* name)
{
    Control* c = w.FindControl(name);
    EXPECT_NE(c, nullptr) << "no control " << ToUtf8(name);
    return c ? c->GetPos() : Rect{};
}

void Layout(OffscreenHost& host, TestFrame& w)
{
    host.Pixel(w.GetHWND(), {0, 0});
}

TEST(SkinArchive, LookupIgnoresCaseAndSlashes)
{
    const auto bytes = SkinResources::Find("zipres", 147);
    ASSERT_TRUE(bytes.has_value());
    ResourceStore store;
    ASSERT_TRUE(store.OpenArchive(*bytes));
    for (const wchar_t* name : {L"MainWnd.xml", L"mainWnd.xml", L"ExitTipWnd.xml", L"res\\mainWnd\\bg1.png",
                                L"res/MAINWND/installBtnAnimate/084.png", L"RES\\common\\closebtnM_4.png"}) {
        EXPECT_TRUE(store.Load(name).has_value()) << ToUtf8(name);
    }
    // The disabled title-bar images and the optional progress image are not in the archive.
    for (const wchar_t* name : {L"res\\common\\closebtn4.png", L"res\\common\\minbtn4.png", L"res\\mainWnd\\installPrg3.png"}) {
        EXPECT_FALSE(store.Load(name).has_value()) << ToUtf8(name);
    }
    EXPECT_FALSE(SkinResources::Find("ZIPRES", 148).has_value());
    EXPECT_TRUE(SkinResources::Find("ICON", 145).has_value());
}

TEST(MainLayout, PagesPlaceTheNamedControls)
{
    OffscreenHost host;
    TestFrame w(host, L"MainWnd.xml");
    ASSERT_NE(w.Open(), kNoWindow);
    EXPECT_EQ(host.GetWindowRect(w.GetHWND()).Width(), 600);
    EXPECT_EQ(host.GetWindowRect(w.GetHWND()).Height(), 400);
    EXPECT_EQ(w.GetWindowClassName(), L"MainWnd");
    Layout(host, w);

    const struct {
        int page;
        const wchar_t* name;
        Rect pos;
    } cases[] = {
        {0, L"defaultInstallBtn", {183, 238, 417, 288}},
        {0, L"bTitleLbl1", {174, 150, 426, 198}},
        {0, L"treatyCb", {20, 362, 88, 380}},
        {0, L"customeBtn", {490, 362, 590, 380}},
        {0, L"closebtn", {558, 20, 574, 36}},
        {0, L"minbtn", {522, 20, 538, 36}},
        {1, L"installDirEdit", {128, 179, 468, 219}},
        {1, L"chDirBtn", {478, 179, 559, 219}},
        {1, L"createDSCb", {124, 239, 262, 257}},
        {1, L"customeInstallBtn", {183, 306, 417, 356}},
        {2, L"progressAnLb", {221, 80, 379, 238}},
        {2, L"progressLb", {120, 270, 480, 294}},
        {2, L"installPrg", {95, 314, 505, 322}},
        {3, L"openProduceBtn", {183, 236, 417, 286}},
    };
    auto* tabs = w.FindControl<TabLayout>(L"mainTabLt");
    ASSERT_NE(tabs, nullptr);
    for (const auto& c : cases) {
        tabs->SelectItem(c.page);
        Layout(host, w);
        EXPECT_EQ(PosOf(w, c.name), c.pos) << ToUtf8(c.name) << " on page " << c.page;
        EXPECT_TRUE(w.FindControl(c.name)->IsVisible());
    }
    EXPECT_FALSE(w.FindControl(L"tipLbl")->IsVisible());
    EXPECT_TRUE(w.FindControl<CheckBox>(L"treatyCb")->IsSelected());
    EXPECT_EQ(w.FindControl<Progress>(L"installPrg")->GetMaxValue(), 100);
    EXPECT_NE(w.FindControl<CSequenceLabelUI>(L"progressAnLb"), nullptr);
    EXPECT_EQ(w.FindControl(L"progressLb")->GetText(), L"正在安装中:0%，请稍候...");
    EXPECT_EQ(w.GetCustomAttribute(L"shadowcolor").value_or(L""), L"#26003B76");
    EXPECT_FALSE(w.GetCustomAttribute(L"size").has_value());  // used by the toolkit itself
    EXPECT_EQ(w.FindControl(L"nosuchcontrol"), nullptr);
}

TEST(MessageLayouts, SizesAndControls)
{
    const struct {
        const wchar_t* layout;
        int width, height;
        bool hasButtons, hasText;
        const wchar_t* okText;
        const wchar_t* cancelText;
    } cases[] = {
        {L"MessageBox1Wnd.xml", 360, 100, false, true, nullptr, nullptr},
        {L"MessageBox2Wnd.xml", 360, 180, false, true, nullptr, nullptr},
        {L"ExitTipWnd.xml", 360, 180, true, false, L"是", L"否"},
        {L"NetworkTipWnd.xml", 360, 180, true, false, L"重新安装", L"稍后再试"},
        {L"InstalledPathTipWnd.xml", 400, 180, true, false, L"安装最新版本", L"打开软件"},
    };
    for (const auto& c : cases) {
        OffscreenHost host;
        TestFrame w(host, c.layout);
        ASSERT_NE(w.Open(), kNoWindow);
        Layout(host, w);
        const Rect rc = host.GetWindowRect(w.GetHWND());
        EXPECT_EQ(rc.Width(), c.width) << ToUtf8(c.layout);
        EXPECT_EQ(rc.Height(), c.height) << ToUtf8(c.layout);
        ASSERT_NE(w.FindControl(L"closebtn"), nullptr) << ToUtf8(c.layout);
        EXPECT_LE(w.FindControl(L"closebtn")->GetPos().bottom, 30);
        EXPECT_EQ(w.FindControl(L"okBtn") != nullptr, c.hasButtons) << ToUtf8(c.layout);
        EXPECT_EQ(w.FindControl(L"cancelBtn") != nullptr, c.hasButtons) << ToUtf8(c.layout);
        EXPECT_EQ(w.FindControl(L"textLbl") != nullptr, c.hasText) << ToUtf8(c.layout);
        EXPECT_EQ(w.FindControl(L"captionLbl") != nullptr, c.hasText) << ToUtf8(c.layout);
        if (c.hasText) {
            EXPECT_EQ(w.FindControl(L"captionLbl")->GetText(), L"CAPTION");
            EXPECT_EQ(w.FindControl(L"textLbl")->GetText(), L"TEXT");
        } else {
            EXPECT_EQ(w.FindControl(L"okBtn")->GetText(), c.okText);
            EXPECT_EQ(w.FindControl(L"cancelBtn")->GetText(), c.cancelText);
        }
        EXPECT_TRUE(w.Shadow().Status() & CWindowShadow::kEnabled) << ToUtf8(c.layout);
    }
    // "稍后再试" (cancel) stands to the left of "重新安装" (OK).
    OffscreenHost host;
    TestFrame w(host, L"NetworkTipWnd.xml");
    w.Open();
    Layout(host, w);
    EXPECT_LT(w.FindControl(L"cancelBtn")->GetPos().left, w.FindControl(L"okBtn")->GetPos().left);
}

TEST(MarkupRules, UnknownElementsAreSkippedAndFixedWidthIgnoresNegatives)
{
    TempSkin skin;
    skin.Write("t.xml", R"(<Window size="200,100"><HorizontalLayout name="row">
        <Mystery name="m"><Label name="inside"/></Mystery>
        <Label name="a" width="50" hotborercolor="#FF000000"/><Label name="b"/><Label name="c"/>
        </HorizontalLayout></Window>)");
    OffscreenHost host;
    TestFrame w(host, L"t.xml", kResourceFile);
    ASSERT_NE(w.Open(), kNoWindow);
    Layout(host, w);
    EXPECT_EQ(w.FindControl(L"m"), nullptr);
    EXPECT_EQ(w.FindControl(L"inside"), nullptr);
    EXPECT_EQ(PosOf(w, L"a"), (Rect{0, 0, 50, 100}));
    EXPECT_EQ(PosOf(w, L"b"), (Rect{50, 0, 125, 100}));
    EXPECT_EQ(PosOf(w, L"c"), (Rect{125, 0, 200, 100}));
    w.FindControl(L"a")->SetFixedWidth(-5);
    EXPECT_EQ(w.FindControl(L"a")->GetFixedWidth(), 50);
    w.FindControl(L"a")->SetFixedWidth(100);
    w.FindControl(L"b")->SetVisible(false);
    Layout(host, w);
    EXPECT_EQ(PosOf(w, L"c"), (Rect{100, 0, 200, 100}));
}

TEST(MarkupRules, HiddenControlLosesFocus)
{
    OffscreenHost host;
    TestFrame w(host, L"MainWnd.xml");
    w.Open();
    w.FindControl<TabLayout>(L"mainTabLt")->SelectItem(1);
    auto* edit = w.FindControl<Edit>(L"installDirEdit");
    edit->SetFocus();
    EXPECT_TRUE(edit->IsFocused());
    host.TypeText(w.GetHWND(), L"/opt/x");
    EXPECT_EQ(edit->GetText(), L"/opt/x");
    host.KeyDown(w.GetHWND(), Key::Back);
    EXPECT_EQ(edit->GetText(), L"/opt/");
    w.FindControl<TabLayout>(L"mainTabLt")->SelectItem(0);
    EXPECT_FALSE(edit->IsFocused());
}

TEST(FailurePaths, MissingSkinResourceGivesAnEmptyWindow)
{
    OffscreenHost host;
    TestFrame w(host, L"MainWnd.xml");
    Toolkit::SetResourceFinder([](std::string_view, int) { return std::nullopt; });
    ASSERT_NE(w.Open(), kNoWindow);
    EXPECT_EQ(w.Context().GetRoot(), nullptr);
    EXPECT_TRUE(host.ErrorBoxes().empty());
    Toolkit::SetResourceFinder(&SkinResources::Find);
}

TEST(FailurePathsDeathTest, BadLayoutShowsMessageAndExitsWithOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const char* layouts[] = {"NoSuchWnd.xml", "broken.xml"};
    for (const char* layout : layouts) {
        EXPECT_EXIT(
            {
                TempSkin skin;
                skin.Write("broken.xml", "<Window size=\"10,10\"><Label></Window>");
                OffscreenHost host;
                TestFrame w(host, FromUtf8(layout), kResourceFile);
                w.Open();
            },
            testing::ExitedWithCode(1), "\\[SkinUI\\] 加载资源文件失败")
            << layout;
    }
}

}  // namespace
