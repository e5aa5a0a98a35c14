#include "SkinTestSupport.h"

#include "skinui/ShadowImage.h"

#include <gtest/gtest.h>

namespace {

using namespace SkinTest;

constexpr int kW = 40;
constexpr int kH = 30;

WindowRegion SmallRoundedRegion()
{
    return WindowRegion::RoundRect(kW, kH, kW + 1, kH + 1, 8, 8);
}

unsigned Alpha(const ArgbImage& img, int x, int y)
{
    return img.At(x, y) >> 24;
}

TEST(ShadowImage, LayoutParametersGiveTheSoftEdgeAndAClearCentre)
{
    ShadowParams p;
    p.size = 6;
    p.sharpness = 10;
    p.darkness = 20;
    p.xOffset = 0;
    p.yOffset = 0;
    const ArgbImage img = ComputeShadowImage(SmallRoundedRegion(), p);
    ASSERT_EQ(img.width, kW + 12);
    ASSERT_EQ(img.height, kH + 12);
    // Middle row: four erosion passes put the outline at x = 10; the kernel then
    // falls off by 20 * (1 - d / 11) towards the image edge.
    const int mid = img.height / 2;
    const unsigned left[] = {1, 3, 5, 7, 9, 10};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(Alpha(img, x, mid), left[x]) << "x " << x;
        EXPECT_EQ(Alpha(img, img.width - 1 - x, mid), left[x]) << "mirrored x " << x;
    }
    // The same fall-off above the window, in the middle column.
    for (int y = 0; y < 6; ++y) {
        EXPECT_EQ(Alpha(img, img.width / 2, y), left[y]) << "y " << y;
    }
    // Everything the window covers stays clear; its cut-off corners do not cover.
    const WindowRegion region = SmallRoundedRegion();
    int covered = 0;
    for (int y = 6; y < 6 + kH; ++y) {
        for (int x = 6; x < 6 + kW; ++x) {
            if (!region.Contains(x - 6, y - 6)) {
                continue;
            }
            ++covered;
            ASSERT_EQ(img.At(x, y), 0u) << x << "," << y;
        }
    }
    EXPECT_GT(covered, kW * kH * 9 / 10);
    EXPECT_GT(Alpha(img, 6, 6), 0u);  // a corner outside the rounded region
}

TEST(ShadowImage, OutlineHasFullDarknessWhereTheWindowDoesNotCoverIt)
{
    ShadowParams p;
    p.size = 6;
    p.sharpness = 10;
    p.darkness = 20;
    p.xOffset = -5;  // the window sits 11 pixels right of the shadow's left edge
    p.yOffset = 0;
    const ArgbImage img = ComputeShadowImage(SmallRoundedRegion(), p);
    const int mid = img.height / 2;
    EXPECT_EQ(Alpha(img, 10, mid), 20u);
    EXPECT_EQ(Alpha(img, 0, mid), 1u);
    EXPECT_EQ(img.At(11, mid), 0u);
}

TEST(ShadowImage, PremultipliedColourAndNoRegionNoShadow)
{
    ShadowParams p;
    p.size = 6;
    p.sharpness = 10;
    p.darkness = 255;
    p.color = 0x26003B76;  // red 0x76, green 0x3B, blue 0x00; the top byte is ignored
    p.xOffset = 0;
    p.yOffset = 0;
    const ArgbImage img = ComputeShadowImage(SmallRoundedRegion(), p);
    const std::uint32_t px = img.At(5, img.height / 2);
    const unsigned a = px >> 24;
    ASSERT_GT(a, 0u);
    EXPECT_EQ((px >> 16) & 0xFF, 0x76 * a / 255);
    EXPECT_EQ((px >> 8) & 0xFF, 0x3B * a / 255);
    EXPECT_EQ(px & 0xFF, 0u);

    WindowRegion none(kW, kH);
    for (int y = 0; y < kH; ++y) {
        none.SetRow(y, {kW, 0});
    }
    const ArgbImage blank = ComputeShadowImage(none, p);
    for (std::uint32_t v : blank.pixels) {
        ASSERT_EQ(v, 0u);
    }
}

TEST(ShadowFrame, LayoutAttributesAndSetterRanges)
{
    OffscreenHost host;
    TestFrame w(host, L"MainWnd.xml");
    w.Open();
    const ShadowParams& p = w.Shadow().Params();
    EXPECT_EQ(p.size, 6);
    EXPECT_EQ(p.sharpness, 10);
    EXPECT_EQ(p.darkness, 20);
    EXPECT_EQ(p.xOffset, 1);
    EXPECT_EQ(p.yOffset, 1);
    EXPECT_EQ(p.color & 0xFF, 0x76u);
    EXPECT_EQ((p.color >> 8) & 0xFF, 0x3Bu);
    EXPECT_EQ((p.color >> 16) & 0xFF, 0x00u);

    CWindowShadow& s = w.Shadow();
    const struct {
        bool (*set)(CWindowShadow&, int);
        int value;
        bool accepted;
    } cases[] = {
        {[](CWindowShadow& x, int v) { return x.SetSize(v); }, 21, false},
        {[](CWindowShadow& x, int v) { return x.SetSize(v); }, -20, true},
        {[](CWindowShadow& x, int v) { return x.SetSharpness(v); }, -1, false},
        {[](CWindowShadow& x, int v) { return x.SetSharpness(v); }, 20, true},
        {[](CWindowShadow& x, int v) { return x.SetDarkness(v); }, 300, false},
        {[](CWindowShadow& x, int v) { return x.SetDarkness(v); }, 255, true},
        {[](CWindowShadow& x, int v) { return x.SetPosition(v, 0); }, -21, false},
        {[](CWindowShadow& x, int v) { return x.SetPosition(0, v); }, 20, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.set(s, c.value), c.accepted) << c.value;
    }
}

TEST(ShadowFrame, RefusedOrSwitchedOffAttributes)
{
    TempSkin skin;
    skin.Write("dark.xml", "<Window size=\"50,40\" roundcorner=\"4,4\" showshadow=\"TRUE\" shadowdarkness=\"300\" shadowsize=\"3\"><Control/></Window>");
    skin.Write("off.xml", "<Window size=\"50,40\" roundcorner=\"4,4\" showshadow=\"yes\" shadowsize=\"3\"><Control/></Window>");
    OffscreenHost host;
    TestFrame dark(host, L"dark.xml", kResourceFile);
    dark.Open();
    EXPECT_TRUE(dark.Shadow().Status() & CWindowShadow::kEnabled);
    EXPECT_EQ(dark.Shadow().Params().darkness, 150);
    EXPECT_EQ(dark.Shadow().Params().size, 3);
    TestFrame off(host, L"off.xml", kResourceFile);
    off.Open();
    EXPECT_EQ(off.Shadow().Status(), 0);
    EXPECT_EQ(off.Shadow().Params().size, 0);
}

TEST(ShadowFrame, FollowsTheParentAndHidesWhenMinimised)
{
    OffscreenHost host;
    TestFrame w(host, L"MainWnd.xml");
    w.Open();
    host.MoveWindow(w.GetHWND(), {200, 100, 800, 500});
    w.ShowWindow();
    host.PumpMessages();
    const WindowHandle shadow = w.Shadow().GetShadowWindow();
    ASSERT_NE(shadow, kNoWindow);
    EXPECT_EQ(w.Shadow().Status(), CWindowShadow::kEnabled | CWindowShadow::kVisible | CWindowShadow::kParentVisible);
    ASSERT_NE(host.LayeredImage(shadow), nullptr);
    EXPECT_EQ(host.LayeredPos(shadow), (Point{195, 95}));
    EXPECT_EQ(host.LayeredImage(shadow)->width, 612);
    host.MoveWindow(w.GetHWND(), {300, 150, 900, 550});
    EXPECT_EQ(host.GetWindowRect(shadow).left, 295);
    EXPECT_EQ(host.GetWindowRect(shadow).top, 145);

    host.ShowWindow(w.GetHWND(), ShowCommand::Minimize);
    EXPECT_FALSE(host.IsVisible(shadow));
    EXPECT_FALSE(w.Shadow().Status() & CWindowShadow::kVisible);
    host.ShowWindow(w.GetHWND(), ShowCommand::Restore);
    EXPECT_TRUE(host.IsVisible(shadow));
    EXPECT_TRUE(w.Shadow().IsUpdatePending());
    host.PumpMessages();
    EXPECT_FALSE(w.Shadow().IsUpdatePending());

    const WindowHandle parent = w.GetHWND();
    w.Close(1);
    host.PumpMessages();
    EXPECT_FALSE(host.IsWindow(parent));
    EXPECT_FALSE(host.IsWindow(shadow));
}

}  // namespace
