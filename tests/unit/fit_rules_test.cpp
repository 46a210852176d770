// The automatic fit: the window's shape, the length the icons need and the far edge.
#include "taskbar/fit_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

FitMeasures Measures(const char* flavour, bool themed, bool horizontal, int32_t visible, int32_t total)
{
    FitMeasures m{};
    m.flavour = flavour;
    m.themed = themed;
    m.horizontal = horizontal;
    m.visibleIcons = visible;
    m.totalButtons = total;
    m.clockExists = true;
    m.clock = {50, 40};
    m.hiddenIconsButtonExists = true;
    m.hiddenIconsButton = {16, 20};
    m.showDesktopButtonExists = std::string(flavour) == "6.1";
    m.showDesktopButton = {14, 30};
    return m;
}

TEST(Fit, ShapeThresholds)
{
    EXPECT_TRUE(IsOneColumn(44, 40));
    EXPECT_FALSE(IsOneColumn(45, 40));
    EXPECT_TRUE(IsOneRow(54, 50));
    EXPECT_FALSE(IsOneRow(55, 50));
    EXPECT_TRUE(KeepsOldSize(40, 56, 40, 56));
    EXPECT_FALSE(KeepsOldSize(41, 56, 40, 56));
    EXPECT_FALSE(KeepsOldSize(40, 57, 40, 56));
}

TEST(Fit, OneColumnHeight)
{
    struct Row {
        const char* flavour;
        bool themed, horizontal;
        int32_t visible, caption, oldHeight, expected;
    };
    const Row rows[] = {
        // 5 x 24 + clock 40 + hidden-icons button 20 + 24 + 40, then the hidden caption off.
        {"6.0", false, false, 5, 0, 300, 244},
        {"6.0", false, false, 5, 18, 300, 226},
        {"6.0", false, true, 5, 0, 300, 144},    // in a row: no clock, no button, no 40
        {"6.1", false, false, 3, 18, 300, 114},  // 72 + 40 + 20 - 18
        {"5.1", false, true, 3, 0, 92, 92},      // 72 + 20 still fits the old 92
        {"5.1", false, true, 3, 0, 91, 72},      // it would not fit 91
        {"5.0", false, true, 3, 0, 300, 92},     // 72 + 20
        {"5.0", false, false, 3, 0, 300, 136},   // 72 + 40 + 20 + 4
        // The old height is kept as it is, title bar or not.
        {"6.0", true, false, 5, 18, 300, 300},
        {"6.1", false, true, 5, 18, 300, 300},
        {"6.1", true, true, 5, 0, 210, 210},
    };
    for (const Row& row : rows) {
        FitMeasures m = Measures(row.flavour, row.themed, row.horizontal, row.visible, 9);
        m.hiddenCaptionHeight = row.caption;
        EXPECT_EQ(OneColumnHeight(m, row.oldHeight), row.expected)
            << row.flavour << " themed=" << row.themed << " horizontal=" << row.horizontal;
    }
    // Windows the system lacks add nothing.
    FitMeasures bare = Measures("6.1", false, false, 3, 9);
    bare.clockExists = false;
    bare.hiddenIconsButtonExists = false;
    EXPECT_EQ(OneColumnHeight(bare, 300), 72);
}

TEST(Fit, OneRowWidth)
{
    struct Row {
        const char* flavour;
        bool themed, horizontal;
        int32_t oldWidth, expected;
    };
    // Three icons shown of four: 72 (63 on 5.0); clock 50 wide, show-desktop button
    // 14 on "6.1".
    const Row rows[] = {
        {"6.1", false, true, 200, 146},  // 72 + 4 + 50 + 6 + 14
        {"6.1", true, true, 200, 162},   // and 16 with visual styles
        {"6.1", false, true, 100, 140},  // 126 exceeds 100: no 6
        {"6.1", false, true, 72, 136},   // 72 is not less than 72: no button count
        {"5.0", false, true, 200, 123},  // 63 + 4 + 50 + 6
        {"5.0", true, false, 200, 139},  // 5.0 counts its clock in a column too
        {"6.0", false, true, 200, 172},  // 72 + 4 + 40 + 50 + 6
        {"6.0", false, false, 200, 82},  // 72 + 4 + 40 - 40 + 6; no show-desktop in a column
        {"5.1", false, false, 200, 78},  // 72 + 4 - 4 + 6
        {"5.1", true, true, 200, 132},   // 72 + 4 + 50 + 6; no 16 on 5.1
    };
    for (const Row& row : rows) {
        const FitMeasures m = Measures(row.flavour, row.themed, row.horizontal, 3, 4);
        EXPECT_EQ(OneRowWidth(m, row.oldWidth), row.expected)
            << row.flavour << " themed=" << row.themed << " horizontal=" << row.horizontal << " old=" << row.oldWidth;
    }
    FitMeasures noClock = Measures("6.1", false, true, 3, 4);
    noClock.clockExists = false;
    EXPECT_EQ(OneRowWidth(noClock, 200), 90);  // no clock, no 6
}

// Windows 10's tray: the rest of its row (210) beside the icons and the frame, along the
// taskbar only.
TEST(Fit, Windows10AlongTheTaskbar)
{
    FitMeasures m = Measures("6.1", false, true, 3, 4);
    m.windows10Rest = 210;
    m.frame = {8, 30};
    EXPECT_EQ(OneRowWidth(m, 200), 210 + 72 + 8);
    EXPECT_EQ(OneColumnHeight(m, 300), 300);  // across the taskbar: as "6.1"
    m.horizontal = false;
    EXPECT_EQ(OneColumnHeight(m, 300), 210 + 72 + 30);
    // The minimum makes room for one icon, and never lowers the table's.
    EXPECT_EQ(Windows10MinimumSize({44, 50}, true, 210, {8, 48}).width, 242);
    EXPECT_EQ(Windows10MinimumSize({44, 50}, false, 210, {8, 48}).height, 282);
    EXPECT_EQ(Windows10MinimumSize({300, 50}, true, 210, {8, 48}).width, 300);
}

TEST(Fit, FarEdgeStaysOnTheMonitor)
{
    struct Row {
        int32_t newStart, newEnd, oldEnd, monitorEnd;
        std::optional<int32_t> expected;
    };
    const Row rows[] = {
        {1100, 1300, 1250, 1280, 1080},      // grew past the edge: ends at it
        {1100, 1280, 1250, 1280, 1100},      // reaches it exactly
        {1100, 1279, 1250, 1280, std::nullopt},
        {1100, 1230, 1280, 1280, 1150},      // sat on the edge and shrank: keeps it
        {1100, 1230, 1279, 1280, std::nullopt},
        {100, 300, 250, 1280, std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(KeepFarEdge(row.newStart, row.newEnd, row.oldEnd, row.monitorEnd), row.expected)
            << row.newStart << ".." << row.newEnd << " old " << row.oldEnd;
    }
}

// Readings that hid different buttons leave different marks, also with as many shown.
TEST(Fit, HiddenButtonsMark)
{
    const auto mark = [](std::initializer_list<bool> hidden) {
        uint32_t m = 0;
        for (bool h : hidden) m = MarkTrayButton(m, h);
        return m;
    };
    EXPECT_EQ(mark({false, true, false}), mark({false, true, false}));
    EXPECT_NE(mark({false, true, false}), mark({true, false, false}));
    EXPECT_NE(mark({false, false, false, false, false, false, true}), mark({true, false, false, false, false, false, false}));
    EXPECT_NE(mark({}), mark({false}));
}

}  // namespace
