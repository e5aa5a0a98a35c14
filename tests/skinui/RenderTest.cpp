#include "SkinTestSupport.h"

#include "skinui/Progress.h"
#include "skinui/TabLayout.h"

#include <cairo.h>
#include <gtest/gtest.h>

namespace {

using namespace SkinTest;

struct MainWindow : testing::Test {
    OffscreenHost host;
    TestFrame w{host, L"MainWnd.xml"};
    void SetUp() override
    {
        ASSERT_NE(w.Open(), kNoWindow);
        w.ShowWindow();
        host.PumpMessages();
    }
    std::uint32_t At(int x, int y) { return host.Pixel(w.GetHWND(), {x, y}); }
    std::vector<std::uint32_t> Area(const Rect& rc)
    {
        std::vector<std::uint32_t> px;
        for (int y = rc.top; y < rc.bottom; ++y) {
            for (int x = rc.left; x < rc.right; ++x) {
                px.push_back(At(x, y));
            }
        }
        return px;
    }
};

using Rendering = MainWindow;

TEST_F(Rendering, ButtonBackgroundFollowsItsState)
{
    w.FindControl<TabLayout>(L"mainTabLt")->SelectItem(1);
    Control* btn = w.FindControl(L"chDirBtn");
    host.MouseMove(w.GetHWND(), {0, 300});
    At(0, 0);
    const Point probe{btn->GetPos().left + 6, btn->GetPos().top + 6};
    EXPECT_EQ(At(probe.x, probe.y), 0xFF0075FFu);
    host.MouseMove(w.GetHWND(), Center(btn));
    EXPECT_EQ(At(probe.x, probe.y), 0xFF1380FFu);
    host.MouseDown(w.GetHWND(), Center(btn));
    EXPECT_EQ(At(probe.x, probe.y), 0xFF0057FFu);
    host.MouseUp(w.GetHWND(), Center(btn));
    EXPECT_EQ(At(probe.x, probe.y), 0xFF1380FFu);
}

TEST_F(Rendering, ProgressForegroundCoversTheShare)
{
    w.FindControl<TabLayout>(L"mainTabLt")->SelectItem(2);
    auto* bar = w.FindControl<Progress>(L"installPrg");
    bar->SetValue(35);
    At(0, 0);  // lays the newly shown page out
    const Rect rc = bar->GetPos();
    const int mid = (rc.top + rc.bottom) / 2;
    const int edge = rc.left + rc.Width() * 35 / 100;
    EXPECT_EQ(At(rc.left + 20, mid), 0xFF0075FFu);
    EXPECT_EQ(At(edge - 3, mid), 0xFF0075FFu);
    EXPECT_EQ(At(edge + 3, mid), 0xFFE3E8F0u);
    bar->SetValue(250);  // clamped to the maximum
    EXPECT_EQ(bar->GetValue(), 100);
    EXPECT_EQ(At(rc.right - 20, mid), 0xFF0075FFu);
}

TEST_F(Rendering, PushedCustomButtonKeepsItsNormalTextColour)
{
    Control* btn = w.FindControl(L"customeBtn");
    const Rect text{btn->GetPos().left, btn->GetPos().top, btn->GetPos().left + 82, btn->GetPos().bottom};
    host.MouseMove(w.GetHWND(), {300, 200});
    const auto normal = Area(text);
    host.MouseMove(w.GetHWND(), Center(btn));
    const auto hot = Area(text);
    host.MouseDown(w.GetHWND(), Center(btn));
    const auto pushed = Area(text);
    EXPECT_NE(hot, normal);     // the hot colour is set
    EXPECT_EQ(pushed, normal);  // "##FF777777" is not set: the normal grey shows
}

TEST_F(Rendering, DisabledTitleButtonsShowTheirNormalImages)
{
    Control* close = w.FindControl(L"closebtn");
    const auto normal = Area(close->GetPos());
    close->SetEnabled(false);
    const auto disabled = Area(close->GetPos());
    EXPECT_EQ(disabled, normal);
    EXPECT_NE(std::count(normal.begin(), normal.end(), 0u), static_cast<long>(normal.size()));
}

TEST_F(Rendering, CenterValignKeepsTheTextVerticallyCentred)
{
    Control* btn = w.FindControl(L"defaultInstallBtn");
    const Rect rc = btn->GetPos();
    int top = -1;
    int bottom = -1;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left + 80; x < rc.right - 80; ++x) {
            const std::uint32_t px = At(x, y);
            if (((px >> 16) & 0xFF) > 0xF0 && ((px >> 8) & 0xFF) > 0xF0) {  // white text on blue
                top = top < 0 ? y : top;
                bottom = y;
            }
        }
    }
    ASSERT_GE(top, 0);
    const int textMid = (top + bottom) / 2;
    EXPECT_NEAR(textMid, (rc.top + rc.bottom) / 2, 3);
}

TEST_F(Rendering, AbsoluteImagePathOutsideTheArchiveIsShown)
{
    TempSkin disk;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    const std::string file = disk.Path("red.png").string();
    ASSERT_EQ(cairo_surface_write_to_png(s, file.c_str()), CAIRO_STATUS_SUCCESS);
    cairo_surface_destroy(s);
    Control* root = w.FindControl(L"winCtn");
    root->SetBkImage(FromUtf8(file));
    EXPECT_EQ(At(300, 390), 0xFFFF0000u);
    root->SetBkImage(L"/no/such/file.png");
    EXPECT_EQ(At(300, 390), 0u);  // a missing image is not drawn
}

TEST(RenderAll, EveryLayoutRendersToPng)
{
    TempSkin out;
    for (const wchar_t* layout : {L"MainWnd.xml", L"MessageBox1Wnd.xml", L"MessageBox2Wnd.xml", L"ExitTipWnd.xml",
                                  L"NetworkTipWnd.xml", L"InstalledPathTipWnd.xml"}) {
        OffscreenHost host;
        TestFrame w(host, layout);
        ASSERT_NE(w.Open(), kNoWindow);
        w.ShowWindow();
        const std::string path = out.Path(ToUtf8(layout) + ".png").string();
        ASSERT_TRUE(host.RenderToPng(w.GetHWND(), path, true)) << path;
        cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
        ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
        const Rect rc = host.GetWindowRect(w.GetHWND());
        // The shadow widens the picture around the window.
        EXPECT_GT(cairo_image_surface_get_width(png), rc.Width());
        EXPECT_GT(cairo_image_surface_get_height(png), rc.Height());
        cairo_surface_destroy(png);
    }
}

}  // namespace
