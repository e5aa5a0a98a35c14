// The demo product opens its window on a real X server (Xvfb), records its
// start in the product data folder and closes itself when asked to.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

#include "ChildRun.h"

namespace fs = std::filesystem;
using demo_test::Child;

namespace {

const fs::path kProduct = LUMAPANE_DEMO_PRODUCT;

TEST(DemoProduct, OpensItsWindowAndClosesByItselfWhenAsked) {
    // -displayfd 1: Xvfb picks a free display and prints its number once it accepts clients.
    Child xvfb("/usr/bin/Xvfb", {"-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp"});
    ASSERT_TRUE(xvfb.started());
    auto display = xvfb.ReadLine();
    ASSERT_TRUE(display && !display->empty()) << "Xvfb did not start";

    const fs::path home = demo_test::MakeTempFolder("product");
    struct Case {
        std::vector<std::string> args;
        std::map<std::string, std::string> env;
    } cases[] = {
        {{"--close-after=200"}, {}},
        {{}, {{"LUMAPANE_DEMO_CLOSE_AFTER_MS", "200"}}},
    };
    for (auto& c : cases) {
        c.env["DISPLAY"] = ":" + *display;
        // Xvfb has no session bus for the accessibility bridge to wait for.
        c.env["NO_AT_BRIDGE"] = "1";
        c.env["HOME"] = home.string();
        c.env["XDG_DATA_HOME"] = (home / "data").string();
        Child product(kProduct, c.args, c.env);
        ASSERT_TRUE(product.started());
        std::vector<std::string> lines;
        EXPECT_EQ(product.Finish(&lines), 0);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0], "Lumapane 2.3.0: window shown");
    }
    std::string log = demo_test::ReadFile(home / "data" / "OrvekData" / "Lumapane" / "runs.log");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
    EXPECT_NE(log.find("started pid="), std::string::npos) << log;

    // Without a display it says so and fails instead of hanging.
    Child headless(kProduct, {"--close-after=200"}, {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}});
    EXPECT_EQ(headless.Finish(), 1);
    xvfb.Signal(SIGTERM);
    xvfb.Finish();
    fs::remove_all(home);
}

}  // namespace
