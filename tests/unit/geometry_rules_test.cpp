// Minimum size, snapping, start position and popup placement of the main window.
#include "taskbar/geometry_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(Geometry, TrayIsHorizontal)
{
    struct Row {
        uint32_t edge, state;
        bool expected;
    };
    const Row rows[] = {
        {0, 0, false}, {1, 0, true}, {2, 0, false}, {3, 0, true}, {7, 0, false},
        {3, 1, false}, {0, 1, true}, {7, 1, true},  // auto-hide alone inverts
        {3, 2, true},  {3, 3, true}, {0, 3, false}, // always-on-top does not
    };
    for (const Row& row : rows) {
        EXPECT_EQ(TrayIsHorizontal(row.edge, row.state), row.expected) << row.edge << " " << row.state;
    }
}

TEST(Geometry, MinimumSizeTable)
{
    struct Row {
        bool horizontal, themed;
        const char* flavour;
        int32_t width, height;
    };
    const Row rows[] = {
        {true, true, "5.2", 45, 63},    {true, true, "6.1", 80, 65},    {true, true, "6.0", 85, 63},
        {true, true, "5.1", 45, 63},    {false, true, "4.0", 60, 95},   {false, true, "6.1", 80, 150},
        {false, true, "6.0", 60, 125},  {false, true, "5.1", 60, 95},   {true, false, "5.0", 40, 56},
        {true, false, "6.1", 44, 50},   {true, false, "6.0", 60, 56},   {true, false, "5.1", 44, 56},
        {false, false, "6.2", 40, 50},  {false, false, "6.1", 44, 85},  {false, false, "6.0", 44, 80},
        {false, false, "5.1", 40, 50},
    };
    for (const Row& row : rows) {
        const Size size = MinimumSize(row.horizontal, row.themed, row.flavour, false, 16, 22, true);
        EXPECT_EQ(size.width, row.width) << row.horizontal << row.themed << " " << row.flavour;
        EXPECT_EQ(size.height, row.height) << row.horizontal << row.themed << " " << row.flavour;
    }
}

TEST(Geometry, MinimumSizeHiddenIconsButton)
{
    struct Row {
        bool horizontal, themed, visible, pager;
        int32_t width, height;
    };
    const Row rows[] = {
        {true, false, true, true, 60, 56},    // 44 + min(16, 22)
        {false, false, true, true, 40, 66},   // 50 + 16
        {true, true, true, true, 45, 63},     // styles on: no addition
        {true, false, false, true, 44, 56},   // button hidden
        {true, false, true, false, 44, 56},   // no pager layout
    };
    for (const Row& row : rows) {
        const Size size = MinimumSize(row.horizontal, row.themed, "5.1", row.visible, 16, 22, row.pager);
        EXPECT_EQ(size.width, row.width);
        EXPECT_EQ(size.height, row.height);
    }
    // Windows 7, taskbar at the bottom versus auto-hiding there.
    const Size bottom = MinimumSize(TrayIsHorizontal(3, 0), true, "6.1", false, 0, 0, true);
    const Size autoHide = MinimumSize(TrayIsHorizontal(3, 1), true, "6.1", false, 0, 0, true);
    EXPECT_EQ(bottom.width, 80);
    EXPECT_EQ(bottom.height, 65);
    EXPECT_EQ(autoHide.width, 80);
    EXPECT_EQ(autoHide.height, 150);
}

struct SnapRow {
    int32_t x, y, cx, cy;
    int32_t expectedX, expectedY;
};

void ExpectSnaps(const SnapRow* rows, size_t count, const Rect& work, const Rect& bar, uint32_t edge,
                 uint32_t flags = 0, uint32_t dpi = 96)
{
    for (size_t i = 0; i < count; ++i) {
        const SnapRow& row = rows[i];
        const Point p = SnapPosition(row.x, row.y, row.cx, row.cy, flags, work, bar, edge, dpi);
        EXPECT_EQ(p.x, row.expectedX) << "from " << row.x << "," << row.y;
        EXPECT_EQ(p.y, row.expectedY) << "from " << row.x << "," << row.y;
    }
}

// Targets kept apart so each range can be seen on its own.
constexpr Rect kWork{100, 100, 1000, 800};
constexpr Rect kBar{300, 400, 700, 900};

TEST(Snap, LeftAndTopRanges)
{
    const SnapRow rows[] = {
        // origin: within -15..+10
        {-15, 500, 50, 50, 0, 500}, {10, 500, 50, 50, 0, 500}, {-16, 500, 50, 50, -16, 500}, {11, 500, 50, 50, 11, 500},
        // work-area left: within -15..+10
        {85, 500, 50, 50, 100, 500}, {110, 500, 50, 50, 100, 500}, {84, 500, 50, 50, 84, 500}, {111, 500, 50, 50, 111, 500},
        // taskbar left: strictly within -10..+15
        {291, 500, 50, 50, 300, 500}, {314, 500, 50, 50, 300, 500}, {290, 500, 50, 50, 290, 500}, {315, 500, 50, 50, 315, 500},
        // origin and work-area top: within -3..+10
        {500, -3, 50, 50, 500, 0}, {500, 10, 50, 50, 500, 0}, {500, -4, 50, 50, 500, -4}, {500, 11, 50, 50, 500, 11},
        {500, 97, 50, 50, 500, 100}, {500, 110, 50, 50, 500, 100}, {500, 96, 50, 50, 500, 96}, {500, 111, 50, 50, 500, 111},
        // taskbar top: strictly within -10..+15
        {500, 391, 50, 50, 500, 400}, {500, 414, 50, 50, 500, 400}, {500, 390, 50, 50, 500, 390}, {500, 415, 50, 50, 500, 415},
    };
    ExpectSnaps(rows, sizeof rows / sizeof rows[0], kWork, kBar, 3);
}

TEST(Snap, RightAndBottomRanges)
{
    const SnapRow rows[] = {
        // work-area right: x + cx within -10..+15 of 1000
        {940, 500, 50, 50, 950, 500}, {965, 500, 50, 50, 950, 500}, {939, 500, 50, 50, 939, 500}, {966, 500, 50, 50, 966, 500},
        // taskbar right: strictly within -10..+8 of 700
        {641, 500, 50, 50, 650, 500}, {657, 500, 50, 50, 650, 500}, {640, 500, 50, 50, 640, 500}, {658, 500, 50, 50, 658, 500},
        // work-area bottom: y + cy within -10..+15 of 800
        {500, 740, 50, 50, 500, 750}, {500, 765, 50, 50, 500, 750}, {500, 739, 50, 50, 500, 739}, {500, 766, 50, 50, 500, 766},
        // taskbar bottom: strictly within -10..+8 of 900
        {500, 841, 50, 50, 500, 850}, {500, 857, 50, 50, 500, 850}, {500, 840, 50, 50, 500, 840}, {500, 858, 50, 50, 500, 858},
        // right and bottom win, measured from the x and y the left and top rules set
        {105, 500, 890, 50, 110, 500}, {500, 105, 50, 690, 500, 110},
    };
    ExpectSnaps(rows, sizeof rows / sizeof rows[0], kWork, kBar, 3);
}

TEST(Snap, DesktopExamplesAndPassThrough)
{
    const Rect work{0, 0, 1920, 1040};
    const Rect bar{0, 1040, 1920, 1080};
    const SnapRow rows[] = {
        {8, 400, 180, 140, 0, 400},
        {-16, 400, 180, 140, -16, 400},
        {1752, 400, 180, 140, 1740, 400},  // right edge 12 px beyond the work area
    };
    ExpectSnaps(rows, 3, work, bar, 3);
    const SnapRow untouched[] = {{8, 5, 180, 140, 8, 5}};
    ExpectSnaps(untouched, 1, work, bar, 3, kFrameRefreshFlags);
    const SnapRow otherFlags[] = {{8, 5, 180, 140, 0, 0}};
    ExpectSnaps(otherFlags, 1, work, bar, 3, kFrameRefreshFlags | 1);
}

// A per-monitor-aware window at 150 %: the ranges grow with the pixels.
TEST(Snap, RangesFollowTheWindowsDpi)
{
    const SnapRow rows[] = {
        {-23, 500, 50, 50, 0, 500}, {15, 500, 50, 50, 0, 500}, {-24, 500, 50, 50, -24, 500}, {16, 500, 50, 50, 16, 500},
        {500, -5, 50, 50, 500, 0}, {500, -6, 50, 50, 500, -6},
        {286, 500, 50, 50, 300, 500}, {285, 500, 50, 50, 285, 500},            // taskbar left: strictly -15..+23
        {935, 500, 50, 50, 950, 500}, {934, 500, 50, 50, 934, 500},            // work-area right: -15..+23
        {500, 860, 50, 50, 500, 850}, {500, 862, 50, 50, 500, 862},            // taskbar bottom: strictly -15..+12
    };
    ExpectSnaps(rows, sizeof rows / sizeof rows[0], kWork, kBar, 3, 0, 144);
}

TEST(Snap, UnknownEdgeDropsTaskbarLinesOnTheWorkArea)
{
    const Rect bar{100, 800, 1000, 900};  // left and right repeat the work area's
    const SnapRow known[] = {{112, 500, 50, 50, 100, 500}, {12, 500, 50, 50, 12, 500}};
    ExpectSnaps(known, 2, kWork, bar, 3);
    const SnapRow unknown[] = {{112, 500, 50, 50, 112, 500}, {12, 500, 50, 50, 0, 500}};
    ExpectSnaps(unknown, 2, kWork, bar, 4);
}

TEST(Geometry, ClampInitialPosition)
{
    struct Row {
        bool single;
        Rect work;
        int32_t x, y, expectedX, expectedY;
    };
    const Rect primary{0, 0, 1920, 1040};
    const Rect leftMonitor{-1280, 0, 0, 984};
    const Row rows[] = {
        {true, primary, 100, 100, 100, 100},
        {true, primary, 1800, 1000, 1743, 945},  // whole screen, not the work area
        {true, primary, 1743, 945, 1743, 945},
        {true, primary, -20, -5, 0, 0},
        {false, leftMonitor, -1300, 900, -1280, 849},
        {false, leftMonitor, -100, 10, -177, 10},
        {false, leftMonitor, -600, -20, -600, 0},
    };
    for (const Row& row : rows) {
        const Point p = ClampInitialPosition(row.x, row.y, 177, 135, 1920, 1080, row.single, row.work);
        EXPECT_EQ(p.x, row.expectedX) << row.x << "," << row.y;
        EXPECT_EQ(p.y, row.expectedY) << row.x << "," << row.y;
    }
}

TEST(Geometry, PlacePopupNearWindow)
{
    struct Row {
        const char* name;
        int32_t mode;
        Point pointer;
        Rect anchor;
        int32_t w, h;
        Rect work;
        bool themed61;
        int32_t expectedX, expectedY;
    };
    const Rect bottomBar{0, 0, 1920, 1040};
    const Rect anchor{400, 200, 600, 350};
    const Row rows[] = {
        {"below", 0, {500, 300}, anchor, 100, 50, bottomBar, false, 450, 350},
        {"flush right", 0, {1900, 300}, anchor, 100, 50, bottomBar, false, 1820, 350},
        {"left clamp", 0, {30, 300}, anchor, 100, 50, bottomBar, false, 0, 350},
        {"left end", 0, {51, 300}, anchor, 100, 50, bottomBar, false, 1, 350},
        {"above at screen bottom", 0, {500, 1000}, {400, 900, 600, 1080}, 100, 50, bottomBar, false, 450, 850},
        {"just above screen bottom", 0, {500, 1000}, {400, 900, 600, 1079}, 100, 50, bottomBar, false, 450, 1079},
        {"second monitor limit", 0, {3190, 500}, anchor, 100, 50, {1920, 0, 3200, 984}, false, 3100, 350},
        {"full-height area takes the screen", 0, {1900, 300}, anchor, 100, 50, {0, 0, 1800, 1080}, false, 1820, 350},
        {"no monitor functions", 0, {1900, 300}, anchor, 100, 50, {0, 0, 0, 0}, false, 1820, 350},
        {"above the primary", 0, {500, -500}, {400, -600, 600, -450}, 100, 50, {0, -1080, 1920, -40}, false, 450, -450},
        {"flyout", 1, {500, 300}, anchor, 360, 400, bottomBar, false, 320, 350},
        {"flyout 6.1 themed", 1, {500, 300}, anchor, 360, 400, bottomBar, true, 320, 356},
        {"flyout above", 1, {500, 650}, {400, 600, 600, 700}, 360, 380, bottomBar, false, 320, 220},
        {"flyout fits below", 1, {500, 650}, {400, 600, 600, 700}, 360, 379, bottomBar, false, 320, 700},
        {"flyout right", 1, {1800, 300}, {1700, 200, 1900, 350}, 360, 400, bottomBar, false, 1560, 350},
        {"flyout left", 1, {150, 300}, {100, 200, 300, 350}, 360, 400, bottomBar, false, 0, 350},
        {"flyout at the right limit", 1, {1500, 300}, {1400, 200, 1560, 350}, 360, 400, bottomBar, false, 1560, 350},
        {"flyout short of the right limit", 1, {1500, 300}, {1400, 200, 1559, 350}, 360, 400, bottomBar, false, 1320, 350},
        {"flyout left, anchor at the left end", 1, {100, 300}, {360, 200, 560, 350}, 360, 400, bottomBar, false, 0, 350},
        {"flyout left, anchor past the left end", 1, {100, 300}, {361, 200, 560, 350}, 360, 400, bottomBar, false, -80, 350},
        {"flyout left, pointer at the left end", 1, {180, 300}, {300, 200, 560, 350}, 360, 400, bottomBar, false, 0, 350},
        {"flyout left, pointer past the left end", 1, {181, 300}, {300, 200, 560, 350}, 360, 400, bottomBar, false, 1, 350},
        {"flyout 6.1 themed fits below", 1, {500, 650}, {400, 600, 600, 700}, 360, 379, bottomBar, true, 320, 706},
        {"flyout 6.1 themed above", 1, {500, 650}, {400, 600, 600, 700}, 360, 380, bottomBar, true, 320, 220},
        {"flyout above the primary", 1, {500, -500}, {400, -600, 600, -450}, 360, 300, {0, -1080, 1920, -40}, true, 320, -444},
    };
    for (const Row& row : rows) {
        const Point p = PlacePopupNearWindow(row.mode, row.pointer, row.anchor, row.w, row.h, row.work, 1920, 1080,
                                             row.themed61);
        EXPECT_EQ(p.x, row.expectedX) << row.name;
        EXPECT_EQ(p.y, row.expectedY) << row.name;
    }
}

TEST(Geometry, NearPointerPosition)
{
    struct Row {
        int32_t px, py, expectedX, expectedY;
    };
    // Area 100,50 - 1700,1000 and a 300 x 200 window: near left when px <= 260,
    // top when py <= 160, right when px >= 1400, bottom when py >= 800.
    const Row rows[] = {
        {200, 100, 120, 70},    {200, 900, 120, 780},   {1500, 100, 1380, 70},  {1500, 900, 1380, 780},
        {200, 500, 20, 400},    {800, 100, 800, 20},    {1500, 500, 1380, 400}, {800, 900, 800, 780},
        {800, 500, 650, 400},   {260, 500, 20, 400},    {261, 500, 111, 400},   {800, 160, 800, 20},
        {800, 161, 650, 61},    {1400, 500, 1380, 400}, {1399, 500, 1249, 400}, {800, 800, 800, 780},
        {800, 799, 650, 699},
    };
    for (const Row& row : rows) {
        const Point p = NearPointerPosition({100, 50, 1700, 1000}, {row.px, row.py}, 300, 200, 1920, 1080);
        EXPECT_EQ(p.x, row.expectedX) << row.px << "," << row.py;
        EXPECT_EQ(p.y, row.expectedY) << row.px << "," << row.py;
    }
    const Point screen = NearPointerPosition({0, 0, 0, 0}, {1800, 500}, 300, 200, 1920, 1080);
    EXPECT_EQ(screen.x, 1600);
    EXPECT_EQ(screen.y, 400);
}

}  // namespace
