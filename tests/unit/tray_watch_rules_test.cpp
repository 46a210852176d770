// The tray-watch cycle's decisions: sensing keys, edges, working set, collapsed taskbar,
// flat look, band area and show-desktop pin, and what the quiet pass reads and repaints.
#include "watch/tray_watch_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TrayWatch, SensingKeysAskedInOrderUntilOneIsUp)
{
    struct Row {
        int32_t value;
        std::string held;  // letters of the keys held: s, c, a
        bool senses;
        std::string asked;
    };
    const Row rows[] = {
        {0, "", true, ""},       {16, "s", true, "s"},   {16, "ca", false, "s"},
        {17, "c", true, "c"},    {18, "a", true, "a"},   {18, "sc", false, "a"},
        {33, "sc", true, "sc"},  {33, "a", false, "s"},  {33, "s", false, "sc"},
        {34, "sa", true, "sa"},  {35, "ca", true, "ca"}, {35, "c", false, "ca"},
        {51, "sca", true, "sca"}, {51, "sa", false, "sc"},
        {19, "sca", false, ""},  {-16, "sca", false, ""}, {52, "sca", false, ""},
    };
    for (const Row& row : rows) {
        std::string asked;
        const bool senses = SensingKeysHeld(row.value, [&](int32_t key) {
            const char letter = key == kSensingShift ? 's' : key == kSensingCtrl ? 'c' : 'a';
            asked += letter;
            return row.held.find(letter) != std::string::npos;
        });
        EXPECT_EQ(senses, row.senses) << row.value << " held " << row.held;
        EXPECT_EQ(asked, row.asked) << row.value << " held " << row.held;
    }
}

TEST(TrayWatch, SensedEdges)
{
    const int32_t right = 1280, bottom = 770;
    struct Row {
        EdgeBoxes boxes;
        Point pointer;
        int expected;
    };
    const Row rows[] = {
        {{true, false, false, false}, {500, 0}, 1},
        {{true, false, false, false}, {500, 1}, 0},
        {{false, false, false, true}, {1277, 300}, 0},
        {{false, false, false, true}, {1278, 300}, 1},
        {{false, false, false, true}, {1279, 300}, 1},
        {{false, false, false, true}, {1290, 300}, 1},  // past a work area that ends early
        {{false, true, false, false}, {500, 767}, 0},
        {{false, true, false, false}, {500, 768}, 1},
        {{false, false, true, false}, {0, 300}, 1},
        {{false, false, true, false}, {1, 300}, 0},
        {{true, false, true, false}, {0, 0}, 2},  // a corner touches two edges
        {{false, false, false, false}, {0, 0}, 0},
        {{false, false, false, false}, {1279, 799}, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(SensedEdgeCount(row.boxes, row.pointer, right, bottom), row.expected)
            << row.pointer.x << "," << row.pointer.y;
    }
}

TEST(TrayWatch, WorkingSetAndCollapsedTaskbar)
{
    EXPECT_FALSE(ShouldTrimWorkingSet(2047999));
    EXPECT_TRUE(ShouldTrimWorkingSet(2048000));
    // The trim goes to 500 to 1000 KiB, in bytes.
    EXPECT_EQ(kWorkingSetTrimMinimum, 500u * 1024);
    EXPECT_EQ(kWorkingSetTrimMaximum, 1000u * 1024);
    EXPECT_TRUE(IsTaskbarCollapsed(Rect{0, 0, 2, 30}));
    EXPECT_TRUE(IsTaskbarCollapsed(Rect{0, 0, 1280, 2}));
    EXPECT_FALSE(IsTaskbarCollapsed(Rect{0, 0, 1280, 3}));
    EXPECT_FALSE(IsTaskbarCollapsed(Rect{0, 0, 1280, 1}));
    EXPECT_FALSE(IsTaskbarCollapsed(Rect{0, 0, 0, 0}));
}

TEST(TrayWatch, FlatLook)
{
    const uint32_t edged = kStaticEdgeStyle | 0x8;
    EXPECT_EQ(FlatExtendedStyle(edged, false, true), 0x8u);
    EXPECT_EQ(FlatExtendedStyle(edged, false, false), edged);
    EXPECT_EQ(FlatExtendedStyle(edged, true, true), edged);
    EXPECT_EQ(FlatExtendedStyle(0x8, false, true), 0x8u);
}

TEST(TrayWatch, BandAreaStretch)
{
    const Rect client{0, 0, 1280, 30};
    const Placement row = StretchBandArea(client, Point{64, 2}, true);
    EXPECT_EQ(row.x, 64);
    EXPECT_EQ(row.y, 2);
    EXPECT_EQ(row.width, 1216);
    EXPECT_EQ(row.height, 30);
    const Placement column = StretchBandArea(Rect{0, 0, 60, 800}, Point{0, 40}, false);
    EXPECT_EQ(column.x, 0);
    EXPECT_EQ(column.y, 40);
    EXPECT_EQ(column.width, 60);
    EXPECT_EQ(column.height, 760);
}

TEST(TrayWatch, ShowDesktopPin)
{
    const Rect client{0, 0, 300, 40};
    const Rect notifyArea{500, 200, 800, 240};
    // In a row: pinned to the right end while its left edge is not beyond the area.
    auto pinned = PinShowDesktopButton(Rect{800, 200, 814, 240}, notifyArea, client, true);
    ASSERT_TRUE(pinned.has_value());
    EXPECT_EQ(pinned->x, 286);
    EXPECT_EQ(pinned->y, 0);
    EXPECT_EQ(pinned->width, 14);
    EXPECT_EQ(pinned->height, 40);
    EXPECT_FALSE(PinShowDesktopButton(Rect{801, 200, 815, 240}, notifyArea, client, true).has_value());
    // Laid out by the taskbar at its own thickness, the area is left to be put back first.
    EXPECT_FALSE(PinShowDesktopButton(Rect{800, 200, 814, 230}, Rect{500, 200, 814, 230}, client, true).has_value());
    // In a column: pinned to the bottom.
    const Rect tall{0, 0, 60, 400};
    pinned = PinShowDesktopButton(Rect{500, 240, 560, 254}, Rect{500, 0, 560, 240}, tall, false);
    ASSERT_TRUE(pinned.has_value());
    EXPECT_EQ(pinned->x, 0);
    EXPECT_EQ(pinned->y, 386);
    EXPECT_FALSE(PinShowDesktopButton(Rect{500, 241, 560, 255}, Rect{500, 0, 560, 240}, tall, false).has_value());
}

// The buttons are read again on a new count, at the first pass, or when the pass after
// this one would find the reading older than a second; the theme and the like at the first
// pass, after a broadcast of a change, and every five seconds.
TEST(TrayWatch, QuietReadings)
{
    struct Row {
        ButtonsReading last;
        int32_t count;
        uint32_t now;
        bool reads;
    };
    const Row rows[] = {
        {{false, 0, 0}, 0, 0, true},         {{true, 4, 1000}, 4, 1300, false},
        {{true, 4, 1000}, 4, 1549, false},   {{true, 4, 1000}, 4, 1550, true},
        {{true, 4, 1000}, 5, 1001, true},    {{true, 4, 1000}, 3, 1001, true},
        {{true, 4, 0xFFFFFF00u}, 4, 200, false},  {{true, 4, 0xFFFFFF00u}, 4, 300, true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ReadsTrayButtons(row.last, row.count, row.now), row.reads) << row.count << " at " << row.now;
        if (row.count == row.last.count) {
            EXPECT_EQ(IsDueAgain(row.last.done, row.last.at, row.now), row.reads);
        }
    }
    // Passes of either length after a reading: the next is never more than a second later.
    for (uint32_t pause : {kQuietTrayPause, kQuietTrayIdlePause}) {
        uint32_t at = 0, now = 0;
        do now += pause; while (!IsDueAgain(true, at, now));
        EXPECT_LE(now - at, kQuietRefresh) << pause;
    }
    const SystemReading asked{true, 1000, 7};
    EXPECT_TRUE(AsksSystemAgain(SystemReading{}, 0, 0));
    EXPECT_FALSE(AsksSystemAgain(asked, 7, 5999));
    EXPECT_TRUE(AsksSystemAgain(asked, 7, 6000));
    EXPECT_TRUE(AsksSystemAgain(asked, 8, 1001));
    EXPECT_FALSE(AsksSystemAgain(SystemReading{true, 0xFFFFF000u, 7}, 7, 100));
}

// Everything repaints at the first pass and after a change of the look's own; the clock
// alone when only the minute turned; nothing else.
TEST(TrayWatch, QuietRepaint)
{
    const TrayLook base{4, 0x55u, Rect{0, 0, 200, 30}, true, true, true, 210, 60, 17};
    EXPECT_EQ(QuietRepaintFor(nullptr, base), kRepaintAll);
    EXPECT_EQ(QuietRepaintFor(&base, base), kRepaintNothing);
    const auto changed = [&](void (*change)(TrayLook&)) {
        TrayLook now = base;
        change(now);
        return QuietRepaintFor(&base, now);
    };
    EXPECT_EQ(changed([](TrayLook& l) { l.minute = 18; }), kRepaintClock);
    void (*const changes[])(TrayLook&) = {
        [](TrayLook& l) { l.buttons = 5; },       [](TrayLook& l) { l.hiddenMark = 0x56u; },
        [](TrayLook& l) { l.area.left = 1; },     [](TrayLook& l) { l.area.bottom = 31; },
        [](TrayLook& l) { l.themed = false; },    [](TrayLook& l) { l.not256Colors = false; },
        [](TrayLook& l) { l.shown = false; },     [](TrayLook& l) { l.width = 211; },
        [](TrayLook& l) { l.height = 59; },       [](TrayLook& l) { l.buttons = 5, l.minute = 18; },
    };
    for (auto change : changes) EXPECT_EQ(changed(change), kRepaintAll);
}

}  // namespace
