#include "watch/pointer_rules.h"

#include <cstring>

#include "taskbar/flavour_rules.h"
#include "taskbar/popup_classes.h"

bool IsClockArea(WindowId under, WindowId clock, WindowId notifyArea, WindowId hiddenIconsButton, bool frameDragging)
{
    if (under == clock) return true;
    return !frameDragging && (under == notifyArea || under == hiddenIconsButton);
}

bool MatchesAnyWindow(WindowId under, WindowId foreground, const WindowId* windows, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (under == windows[i] || foreground == windows[i]) return true;
    }
    return false;
}

const char* const kTaskbarPopupClasses[3] = {ClockTooltipClass, ClockFlyoutClass, OverflowWindowClass};

int TaskbarPopupClassIndex(const char* className)
{
    for (int i = 0; i < 3; ++i) {
        if (std::strcmp(className, kTaskbarPopupClasses[i]) == 0) return i;
    }
    return -1;
}

bool MatchesTaskbarPopup(WindowId under, WindowId foreground, const std::function<int(WindowId)>& popupClassOf,
                         const std::function<WindowId(int)>& findPopup)
{
    for (WindowId window : {under, foreground}) {
        if (window == 0) {
            for (int popupClass = 0; popupClass < 3; ++popupClass) {
                if (findPopup(popupClass) == 0) return true;
            }
            continue;
        }
        const int popupClass = popupClassOf(window);
        if (popupClass >= 0 && findPopup(popupClass) == window) return true;
    }
    return false;
}

ClockKind ClockKindFor(const char* flavour, bool windows10Taskbar)
{
    if (!FlavourIsVersion60Or61(flavour)) return ClockKind::ownTooltip;
    return windows10Taskbar ? ClockKind::clicks : ClockKind::requests;
}

bool IsCalendarClass(const char* className) { return std::strcmp(className, CalendarClass) == 0; }

bool IsArrivingCalendar(WindowId foreground, bool calendarClass, WindowId inFrontAtPress)
{
    return foreground != 0 && calendarClass && foreground != inFrontAtPress;
}

bool CalendarStillAwaited(bool held, uint32_t sinceRelease) { return held || sinceRelease <= kCalendarArrival; }

bool SingleClickBringsTaskbarForward(const char* flavour, bool flyoutExists, bool calendarInFront)
{
    return (FlavourIsVersion51To62(flavour) && !flyoutExists && !calendarInFront) || std::strcmp(flavour, "5.0") == 0;
}

int LogicalButtonKey(int button, bool swapped)
{
    const int left = 1, right = 2;  // VK_LBUTTON, VK_RBUTTON
    const bool primary = button == 0;
    return primary != swapped ? left : right;
}

bool KeyStateDown(int16_t state)
{
    return (static_cast<uint16_t>(state) & 0x8000u) != 0;
}

bool KeyStateUp(int16_t state)
{
    return state == 0;
}

uint32_t StepClockLeftButton(ClockClickState& s, bool down, bool up)
{
    if (down) {
        if (s.leftHeld) return kClickNone;
        s.clickCount += 1;
        s.leftHeld = 1;
        s.rightPressed = 0;
        return kNewLeftPress;
    }
    if (!up) return kClickNone;
    if (s.leftHeld) {
        s.leftHeld = 0;
        if (s.clickCount >= 3) s.clickCount = 2;
    }
    if (s.clickCount == 2) {
        s.clickCount = 0;
        s.leftHeld = 0;
        s.timersStarted = 0;
        return kDoubleClick;
    }
    if (s.clickCount == 1) {
        s.timersStarted += 1;
        if (s.timersStarted == 1) return kArmClickTimers;
    }
    return kClickNone;
}

uint32_t StepClockRightButton(ClockClickState& s, bool down, bool up)
{
    if (down) {
        s.rightPressed = 1;
        s.clickCount = 0;
        s.leftHeld = 0;
        return kClickNone;
    }
    if (up && s.rightPressed) {
        s.rightPressed = 0;
        return kRightRelease;
    }
    return kClickNone;
}

bool TakeRepeatedSend(RepeatedSend& s, WindowId target, uintptr_t wParam, uint32_t cycle, uint32_t now)
{
    const bool repeat = s.wanted && s.target == target && s.wParam == wParam && s.cycle + 1 == cycle &&
                        now - s.sentAt < kRepeatRefresh;
    s.wanted = true;
    s.target = target;
    s.wParam = wParam;
    s.cycle = cycle;
    if (!repeat) s.sentAt = now;
    return !repeat;
}

uint32_t PointerWatchPause(bool quiet, bool busy, bool buttonDown)
{
    return quiet && !busy && !buttonDown ? kQuietIdlePause : kPointerWatchPause;
}

bool IsNearWindow(int x, int y, int left, int top, int right, int bottom)
{
    return x >= left - kNearMainWindow && x < right + kNearMainWindow && y >= top - kNearMainWindow &&
           y < bottom + kNearMainWindow;
}
