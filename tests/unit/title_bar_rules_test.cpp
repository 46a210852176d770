// Height arithmetic of the title-bar switch.
#include "ui/title_bar_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(TitleBar, GrowHeight)
{
    EXPECT_EQ(TitleGrowHeight(140, 135, 19), 19);
    EXPECT_EQ(TitleGrowHeight(141, 135, 19), 0);
    EXPECT_EQ(TitleGrowHeight(116, 135, 19), 19);
}

TEST(TitleBar, HeightCorrection)
{
    struct Row {
        const char* name;
        bool atCapture, nowShown;
        int32_t height, grow, hidden;
        TitleBarResize expected;
    };
    const Row rows[] = {
        {"show at minimum grows upward", false, true, 135, 19, 0, {true, true, 10, 81, 180, 154}},
        {"show when taller", false, true, 136, 19, 0, {false, false, 10, 100, 180, 136}},
        {"hide keeps the size", false, false, 116, 19, 19, {false, false, 10, 100, 180, 116}},
        {"capture hidden loses the caption", true, false, 135, 19, 19, {true, false, 10, 100, 180, 116}},
        {"capture shown keeps the size", true, true, 135, 19, 0, {true, false, 10, 100, 180, 135}},
        {"capture when taller", true, false, 200, 0, 19, {false, false, 10, 100, 180, 200}},
    };
    for (const Row& row : rows) {
        const TitleBarResize r =
            TitleBarHeightCorrection(row.atCapture, row.nowShown, 10, 100, 180, row.height, 135, row.grow, row.hidden);
        EXPECT_EQ(r.apply, row.expected.apply) << row.name;
        EXPECT_EQ(r.move, row.expected.move) << row.name;
        EXPECT_EQ(r.left, row.expected.left) << row.name;
        EXPECT_EQ(r.top, row.expected.top) << row.name;
        EXPECT_EQ(r.width, row.expected.width) << row.name;
        EXPECT_EQ(r.height, row.expected.height) << row.name;
    }
}

}  // namespace
