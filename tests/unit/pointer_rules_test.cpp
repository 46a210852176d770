#include <gtest/gtest.h>

#include "watch/pointer_rules.h"

namespace {

constexpr WindowId kClock = 0x10, kNotify = 0x20, kHidden = 0x30, kDesktop = 0x40;

TEST(PointerRules, ClockArea)
{
    struct Row {
        WindowId under;
        bool dragging, expected;
    };
    const Row rows[] = {
        {kClock, false, true},   {kClock, true, true},    {kNotify, false, true}, {kNotify, true, false},
        {kHidden, false, true},  {kHidden, true, false},  {kDesktop, false, false}, {0, false, false},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(IsClockArea(r.under, kClock, kNotify, kHidden, r.dragging), r.expected)
            << std::hex << r.under << " dragging " << r.dragging;
    }
    // A taskbar without a hidden-icons button: an empty window under the pointer is no match.
    EXPECT_FALSE(IsClockArea(0x99, kClock, kNotify, 0, false));
    EXPECT_TRUE(IsClockArea(0, kClock, kNotify, 0, false));
}

TEST(PointerRules, TrayListWalk)
{
    WindowId list[11];
    for (size_t i = 0; i < 11; ++i) list[i] = 0x100 + i;
    // Every entry matches by the window under the pointer and by the foreground window.
    for (size_t i = 0; i < 11; ++i) {
        EXPECT_TRUE(MatchesAnyWindow(list[i], 0x999, list, 11)) << i;
        EXPECT_TRUE(MatchesAnyWindow(0x999, list[i], list, 11)) << i;
    }
    EXPECT_FALSE(MatchesAnyWindow(0x999, 0x998, list, 11));
    // The walk stops at the given count.
    EXPECT_FALSE(MatchesAnyWindow(list[10], 0x998, list, 10));
    // A missing window (empty entry) matches an empty foreground or an empty window under
    // the pointer, and nothing else.
    list[5] = 0;
    EXPECT_TRUE(MatchesAnyWindow(0x999, 0, list, 11));
    EXPECT_TRUE(MatchesAnyWindow(0, 0x998, list, 11));
    EXPECT_FALSE(MatchesAnyWindow(0x999, 0x998, list, 11));
}

// The popups: a window matches only as the one its class finds; an empty handle (the pointer
// or the focus on no window, as in an activation gap) matches a popup that does not exist.
TEST(PointerRules, TrayListPopups)
{
    struct Row {
        WindowId under, foreground;
        WindowId popups[3];  // tooltip, flyout, overflow window as found now; 0 for none
        bool expected;
    };
    // 0x21 has the flyout's class, 0x31 the overflow window's; 0x50 is of no popup class.
    const Row rows[] = {{0x21, 0x50, {0x11, 0x21, 0x31}, true},  {0x50, 0x31, {0x11, 0x21, 0x31}, true},
                        {0x21, 0x50, {0x11, 0x22, 0x31}, false}, {0x50, 0x50, {0, 0, 0}, false},
                        {0, 0x50, {0x11, 0, 0x31}, true},        {0x50, 0, {0x11, 0x21, 0}, true},
                        {0, 0x50, {0x11, 0x21, 0x31}, false}};
    for (const Row& r : rows) {
        const auto classOf = [](WindowId w) { return w == 0x21 ? 1 : w == 0x31 ? 2 : w == 0x11 ? 0 : -1; };
        const auto find = [&](int popupClass) { return r.popups[popupClass]; };
        EXPECT_EQ(MatchesTaskbarPopup(r.under, r.foreground, classOf, find), r.expected)
            << std::hex << r.under << " " << r.foreground;
    }
}

// Windows 10's clock ("6.1" there) takes no requests; its calendar, the new foreground window
// of its class after a press on the clock, counts as the flyout at the single-click timer.
TEST(PointerRules, Windows10ClockAndCalendar)
{
    EXPECT_EQ(ClockKindFor("6.1", false), ClockKind::requests);
    EXPECT_EQ(ClockKindFor("6.1", true), ClockKind::clicks);
    EXPECT_TRUE(IsArrivingCalendar(0x50, true, 0x40));
    EXPECT_FALSE(IsArrivingCalendar(0x50, true, 0x50));   // in front already: Start, or the calendar a click closes
    EXPECT_FALSE(IsArrivingCalendar(0x50, false, 0x40));  // another class
    EXPECT_TRUE(CalendarStillAwaited(true, 60000));
    EXPECT_FALSE(CalendarStillAwaited(false, kCalendarArrival + 1));
    EXPECT_TRUE(SingleClickBringsTaskbarForward("6.1", false, false));
    EXPECT_FALSE(SingleClickBringsTaskbarForward("6.1", false, true));
    EXPECT_TRUE(SingleClickBringsTaskbarForward("5.0", true, true));
}

TEST(PointerRules, LogicalButtons)
{
    EXPECT_EQ(LogicalButtonKey(0, false), 1);
    EXPECT_EQ(LogicalButtonKey(1, false), 2);
    EXPECT_EQ(LogicalButtonKey(0, true), 2);
    EXPECT_EQ(LogicalButtonKey(1, true), 1);
    struct Row {
        int16_t state;
        bool down, up;
    };
    // Down now; down and pressed since; pressed and released since the last query; neither.
    const Row rows[] = {{static_cast<int16_t>(0x8000), true, false},
                        {static_cast<int16_t>(0x8001), true, false},
                        {1, false, false},
                        {0, false, true}};
    for (const Row& r : rows) {
        EXPECT_EQ(KeyStateDown(r.state), r.down) << r.state;
        EXPECT_EQ(KeyStateUp(r.state), r.up) << r.state;
    }
}

// Cycles as pairs of characters, left then right: L/R down, l/r up, '.' neither.
uint32_t RunCycles(ClockClickState& s, const char* cycles, uint32_t* last = nullptr)
{
    uint32_t all = 0, action = 0;
    for (const char* c = cycles; *c; c += 2) {
        action = StepClockLeftButton(s, c[0] == 'L', c[0] == 'l');
        action |= StepClockRightButton(s, c[1] == 'R', c[1] == 'r');
        all |= action;
    }
    if (last) *last = action;
    return all;
}

TEST(PointerRules, ClockClickStateMachine)
{
    struct Row {
        const char* name;
        ClockClickState start;
        const char* cycles;  // pairs: left, right
        uint32_t actions;    // every action seen
        uint32_t lastAction;
        ClockClickState end;
    };
    const ClockClickState idle{0, 0, 0, 0};
    const Row rows[] = {
        {"press", idle, "Lr", kNewLeftPress, kNewLeftPress, {1, 1, 0, 0}},
        {"held", idle, "LrLrLr", kNewLeftPress, kClickNone, {1, 1, 0, 0}},
        {"single click arms timers once", idle, "Lrlrlrlr", kNewLeftPress | kArmClickTimers, kClickNone, {1, 0, 0, 3}},
        {"double click", idle, "LrlrLrlr", kNewLeftPress | kArmClickTimers | kDoubleClick, kDoubleClick, {0, 0, 0, 0}},
        {"third click starts anew", idle, "LrlrLrlrLrlr", kNewLeftPress | kArmClickTimers | kDoubleClick,
         kArmClickTimers, {1, 0, 0, 1}},
        {"three presses clamp to a double click", {2, 0, 0, 5}, "Lrlr", kNewLeftPress | kDoubleClick, kDoubleClick,
         {0, 0, 0, 0}},
        {"quick press between queries counts nothing", idle, ".r.r", kClickNone, kClickNone, idle},
        {"right press resets the clicks", {1, 1, 0, 0}, ".R", kClickNone, kClickNone, {0, 0, 1, 0}},
        {"right release forwarded once", idle, "lRlrlr", kRightRelease, kClickNone, {0, 0, 0, 0}},
        {"right release waits while neither up", idle, "lRl.", kClickNone, kClickNone, {0, 0, 1, 0}},
        {"left press clears a waiting right release", {0, 0, 1, 0}, "L.", kNewLeftPress, kNewLeftPress, {1, 1, 0, 0}},
    };
    for (const Row& r : rows) {
        ClockClickState s = r.start;
        uint32_t last = 0;
        EXPECT_EQ(RunCycles(s, r.cycles, &last), r.actions) << r.name;
        EXPECT_EQ(last, r.lastAction) << r.name;
        EXPECT_EQ(s.clickCount, r.end.clickCount) << r.name;
        EXPECT_EQ(s.leftHeld, r.end.leftHeld) << r.name;
        EXPECT_EQ(s.rightPressed, r.end.rightPressed) << r.name;
        EXPECT_EQ(s.timersStarted, r.end.timersStarted) << r.name;
    }
}

// Quiet: a repeat of the previous cycle's send waits up to a second; any change sends at once.
TEST(PointerRules, QuietSendOrSkip)
{
    struct Row { WindowId target; uintptr_t wParam; uint32_t cycle, now; bool broken, sent; };
    const Row rows[] = {{kClock, 1, 1, 0, false, true},       {kClock, 1, 2, 5, false, false},
                        {kClock, 1, 3, 999, false, false},    {kClock, 1, 4, 1000, false, true},
                        {kClock, 2, 5, 1005, false, true},    {kNotify, 2, 6, 1010, false, true},
                        {kNotify, 2, 8, 1015, false, true},   {kNotify, 2, 9, 1020, true, true},
                        {kNotify, 2, 10, 1025, false, false}, {kNotify, 2, 0, 1030, false, true},
                        {kNotify, 2, 0xFFFFFFFFu, 0xFFFFFFF0u, false, true}, {kNotify, 2, 0, 0x10, false, false}};
    RepeatedSend send{};
    for (const Row& r : rows) {
        if (r.broken) BreakRepeatedSend(send);
        EXPECT_EQ(TakeRepeatedSend(send, r.target, r.wParam, r.cycle, r.now), r.sent) << "cycle " << r.cycle;
    }
}

// The long pause only when quiet, idle and no button down; near: around [100, 200) x [100, 200).
TEST(PointerRules, QuietPause)
{
    EXPECT_EQ(PointerWatchPause(true, false, false), kQuietIdlePause);
    for (bool busy : {false, true}) EXPECT_EQ(PointerWatchPause(false, busy, !busy), kPointerWatchPause);
    EXPECT_EQ(PointerWatchPause(true, true, false) + PointerWatchPause(true, false, true), 2 * kPointerWatchPause);
    const int m = kNearMainWindow;
    EXPECT_TRUE(IsNearWindow(100 - m, 199 + m, 100, 100, 200, 200));
    EXPECT_FALSE(IsNearWindow(99 - m, 150, 100, 100, 200, 200));
    EXPECT_FALSE(IsNearWindow(150, 200 + m, 100, 100, 200, 200));
}

}  // namespace
