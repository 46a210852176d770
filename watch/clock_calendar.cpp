// Windows 10's calendar, known by the window of its class that comes to the foreground after
// a press on the clock (see pointer_rules.h). The pointer watcher awaits and finds it; the
// main window asks at its single-click timer.
#include "watch/clock_calendar.h"

#include "core/shared_state.h"
#include "watch/pointer_rules.h"

namespace {

// Window handles as 32-bit words: a window handle's value fits in 32 bits on every Windows.
SharedWord calendar{0};
SharedWord awaited{0};
SharedWord inFrontAtPress{0};
SharedWord releaseSeen{0};
SharedWord releasedAt{0};

int32_t Word(HWND window) { return HandleToLong(window); }
WindowId Id(int32_t word) { return reinterpret_cast<WindowId>(LongToHandle(word)); }
WindowId Id(HWND window) { return reinterpret_cast<WindowId>(window); }

bool HasCalendarClass(HWND window)
{
    char name[64] = "";
    return window && GetClassNameA(window, name, sizeof name) > 0 && IsCalendarClass(name);
}

}  // namespace

void AwaitClockCalendar(HWND inFront)
{
    inFrontAtPress = Word(inFront);
    releaseSeen = 0;
    awaited = 1;
}

void LookForClockCalendar(bool held)
{
    if (!awaited) return;
    const auto now = static_cast<uint32_t>(GetTickCount());
    if (held) {
        releaseSeen = 0;
    } else if (!releaseSeen.exchange(1)) {
        releasedAt = static_cast<int32_t>(now);
    }
    HWND foreground = GetForegroundWindow();
    if (IsArrivingCalendar(Id(foreground), HasCalendarClass(foreground), Id(inFrontAtPress.load()))) {
        calendar = Word(foreground);
        awaited = 0;
    } else if (!CalendarStillAwaited(held, now - static_cast<uint32_t>(releasedAt.load()))) {
        awaited = 0;
    }
}

HWND ClockCalendar() { return static_cast<HWND>(LongToHandle(calendar.load())); }

bool ClockCalendarInFront()
{
    HWND foreground = GetForegroundWindow();
    if (!foreground) return false;
    if (foreground == ClockCalendar()) return true;
    return awaited && IsArrivingCalendar(Id(foreground), HasCalendarClass(foreground), Id(inFrontAtPress.load()));
}
