// The pointer and clock watcher: a cycle every 5 ms that drives the captured clock as the
// taskbar would (tooltip delay, clicks, flyout, right click), keeps the notification area
// filling the main window and hides the main window when it is left inactive. With
// QuietWatch it naps while nothing can need it, and the main window's events wake it.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "core/fault_point.h"
#include "core/foreground.h"
#include "core/messages.h"
#include "core/optional_functions.h"
#include "core/test_counters.h"
#include "core/test_switches.h"
#include "taskbar/flavour.h"
#include "taskbar/flavour_rules.h"
#include "taskbar/geometry.h"
#include "taskbar/geometry_rules.h"
#include "taskbar/popup_classes.h"
#include "taskbar/taskbar_windows.h"
#include "ui/options_window.h"
#include "watch/clock_calendar.h"
#include "watch/pointer_rules.h"
#include "watch/taskbar_calls.h"
#include "watch/watchers.h"

SharedWord clockClickCount{0};
SharedWord clickTimersStarted{0};
SharedWord tipTimerArmed{0};
SharedWord clockLeftHeld{0};
SharedWord clockRightPressed{0};
SharedWord lastPointerX{0};
SharedWord lastPointerY{0};
SharedWord clickWindowTimerSet{0};
SharedWord singleClickTimerSet{0};
SharedWord tooltipDelayTimerSet{0};

constexpr DWORD kPopupSettleWait = 250;
constexpr DWORD kRightClickWait = 300;
// A test can hold a cycle in the right click's wait, so that an ending meets it there.
constexpr DWORD kHeldRightClickWait = 1500;
constexpr UINT kTooltipDelay = 1000;
constexpr UINT kSingleClickDelay = 300;
constexpr UINT kClickWindowExtra = 1000;
constexpr UINT kPopupMoveFlags = SWP_NOSIZE | SWP_NOZORDER;
// The hit-test code with which the taskbar takes a press on its clock as its own.
constexpr WPARAM kTaskbarPressHitTest = 9;

static WindowId Id(HWND window) { return reinterpret_cast<WindowId>(window); }

// What the quiet watcher last sent of each message a cycle can repeat. Only this thread
// uses it; `on` is read from the control record as the thread starts.
struct QuietSends {
    bool on;
    uint32_t cycle;
    RepeatedSend notice, pagerFocus, iconFocus, areaFocus;
    RepeatedSend hideAsked;
    bool hideChecked;
    // The main window was shown in the cycle before, and is in this one. A nudge can wake
    // the watcher in the middle of a show, before the activation that comes with it: a
    // window that has only just been shown is not hidden before the next cycle, and a
    // hidden one is never asked to hide.
    bool shownBefore, shownTwice;
    // When a nudge last woke the watcher. What it tells of may reach the system's answers a
    // little later (under Wine the deactivation comes before the new foreground window can
    // be read), so the cycles stay short for a while after it.
    uint32_t nudgedAt;
};
static QuietSends quiet{};

// A message that the quiet watcher leaves out while it only repeats the previous cycle's.
static void SendUnlessRepeated(RepeatedSend& last, HWND target, UINT message, WPARAM wParam)
{
    if (quiet.on && !TakeRepeatedSend(last, Id(target), wParam, quiet.cycle, GetTickCount())) return;
    SendToTaskbar(target, message, wParam, 0);
}

// Any other message to the clock can change what it makes of the next notice.
static void SendToClock(UINT message, WPARAM wParam)
{
    BreakRepeatedSend(quiet.notice);
    SendToTaskbar(taskbarWindows.clock, message, wParam, 0);
}
static LPARAM PointParam(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

static int16_t LogicalButtonState(int button)
{
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    return static_cast<int16_t>(GetAsyncKeyState(LogicalButtonKey(button, swapped)));
}

bool IsLogicalButtonDown(int button) { return KeyStateDown(LogicalButtonState(button)); }
bool IsLogicalButtonUp(int button) { return KeyStateUp(LogicalButtonState(button)); }

// Where the pointer is and the window under it, read once per cycle.
struct PointerView {
    POINT at;
    HWND under;
};

static PointerView ReadPointer()
{
    PointerView view{};
    GetCursorPos(&view.at);
    view.under = WindowFromPoint(view.at);
    return view;
}

// Which of the taskbar's popup classes a window has, kept for the window last asked about:
// a window keeps its class for life, and the pointer and the focus stay on one window for
// many cycles. Each memo serves one thread.
class PopupClassMemo {
public:
    int classOf(HWND window)
    {
        if (window != window_) {
            window_ = window;
            char name[64] = "";
            popupClass_ = window && GetClassNameA(window, name, sizeof name) ? TaskbarPopupClassIndex(name) : -1;
        }
        return popupClass_;
    }

private:
    HWND window_ = nullptr;
    int popupClass_ = -1;
};

// The foreground window is asked once, and the popups are looked up only where their
// class or an empty handle can match: the answer is the same as comparing every entry in turn.
static bool IsOnTrayWindows(const PointerView& view, HWND foreground, PopupClassMemo& underMemo,
                            PopupClassMemo& foregroundMemo)
{
    const TaskbarWindows& t = taskbarWindows;
    const WindowId own[] = {Id(t.iconToolbar),       Id(t.clock),      Id(t.notifyArea),    Id(t.hiddenIconsButton),
                            Id(t.showDesktopButton), Id(mainWindow),   Id(optionsWindow),   Id(versionWindow)};
    if (MatchesAnyWindow(Id(view.under), Id(foreground), own, sizeof own / sizeof own[0])) return true;
    // Windows 10's calendar, once one was found, counts as the clock's flyout does.
    const WindowId calendar = Id(ClockCalendar());
    if (calendar && MatchesAnyWindow(Id(view.under), Id(foreground), &calendar, 1)) return true;
    const auto popupClassOf = [&](WindowId window) {
        HWND w = reinterpret_cast<HWND>(window);
        return (w == view.under ? underMemo : foregroundMemo).classOf(w);
    };
    const auto findPopup = [](int popupClass) { return Id(FindWindowA(kTaskbarPopupClasses[popupClass], nullptr)); };
    return MatchesTaskbarPopup(Id(view.under), Id(foreground), popupClassOf, findPopup) || frameDragging != 0;
}

static bool IsPointerOrFocusOnTrayAt(const PointerView& view, PopupClassMemo& underMemo, PopupClassMemo& foregroundMemo)
{
    return IsOnTrayWindows(view, GetForegroundWindow(), underMemo, foregroundMemo);
}

bool IsPointerOrFocusOnTray()
{
    PopupClassMemo underMemo, foregroundMemo;
    return IsPointerOrFocusOnTrayAt(ReadPointer(), underMemo, foregroundMemo);
}

static void HideClockTip()
{
    ShowWindow(clockTipWindow, SW_HIDE);
    KillTimer(clockTipWindow, TooltipHideTimer);
}

static void MovePopup(const char* cls, int x, int y)
{
    PlaceTaskbarWindow(FindWindowA(cls, nullptr), x, y, 0, 0, kPopupMoveFlags);
}

// The overflow window opens where the taskbar would put it; once it is up it joins the
// main window.
static void MoveOverflowWindow()
{
    if (!WatcherPause(pointerWatchControl, kPopupSettleWait)) return;
    HWND overflow = FindWindowA(OverflowWindowClass, nullptr);
    POINT at = PlacePopupNearWindow(mainWindow, overflow, kPopupBelow);
    PlaceTaskbarWindow(overflow, at.x, at.y, 0, 0, kPopupMoveFlags);
}

// Asks the clock for its flyout and brings it beside the main window in the steps the
// taskbar's own animation expects.
static void OpenClockFlyout(POINT pc)
{
    SendToClock(ClockPointerNotice, 3);
    SendToClock(ClockFlyoutRequest, 1);
    HWND flyout = FindWindowA(ClockFlyoutClass, nullptr);
    RECT anchor{};
    GetWindowRect(mainWindow, &anchor);
    MovePopup(ClockFlyoutClass, pc.x, pc.y);
    POINT final = PlacePopupNearWindow(mainWindow, flyout, kPopupFlyout);
    if (IsWindowsVersion("6.0")) MovePopup(ClockFlyoutClass, final.x, anchor.top);
    if (!WatcherPause(pointerWatchControl, kPopupSettleWait)) return;
    MovePopup(ClockFlyoutClass, final.x, final.y);
}

ClockKind CurrentClockKind()
{
    char flavour[24];
    CurrentFlavour(flavour);
    return ClockKindFor(flavour, IsWindows10Taskbar(flavour));
}

static void OnNewLeftPress(HWND under, POINT pc)
{
    const TaskbarWindows& t = taskbarWindows;
    // Asked once: the flyout's place is taken from the pointer, which soon moves on.
    char flavour[24];
    CurrentFlavour(flavour);
    if (FlavourIsVersion51To62(flavour)) {
        const bool onHiddenIcons = under == t.hiddenIconsButton;
        const ClockKind kind = onHiddenIcons ? ClockKind::ownTooltip : ClockKindFor(flavour, IsWindows10Taskbar(flavour));
        // The press and its release reach Windows 10's clock as the user gives them, and it
        // opens its calendar: the program only learns which window that is.
        if (kind == ClockKind::clicks) AwaitClockCalendar(GetForegroundWindow());
        BringWindowToFront(mainWindow, nullptr, 0, 0);
        if (onHiddenIcons) {
            if (std::strcmp(flavour, "6.1") == 0) MoveOverflowWindow();
        } else if (kind == ClockKind::requests) {
            OpenClockFlyout(pc);
        }
    } else if (!IsWindowsVersion("5.0")) {
        POINT last{lastPointerX, lastPointerY};
        PostToTaskbar(t.taskbar, WM_NCLBUTTONDOWN, kTaskbarPressHitTest, PointParam(last));
    } else {
        HWND foreground = GetForegroundWindow();
        if (foreground == mainWindow) {
            if (!EndingBegun()) BringWindowToFront(t.clock, mainWindow, 0, 1);
        } else {
            BringWindowToFront(mainWindow, foreground, 0, 1);
        }
    }
}

static void OnDoubleClick()
{
    KillTimer(mainWindow, ClickWindowTimer);
    if (!IsVersion60Or61()) {
        ShellExecuteA(nullptr, "open", "rundll32.exe", "shell32.dll,Control_RunDLL timedate.cpl", nullptr,
                      SW_SHOWNOACTIVATE);
    }
}

static void ArmClickTimers()
{
    clickWindowTimerSet = static_cast<int32_t>(
        SetTimer(mainWindow, ClickWindowTimer, GetDoubleClickTime() + kClickWindowExtra, nullptr));
    singleClickTimerSet = static_cast<int32_t>(SetTimer(mainWindow, SingleClickTimer, kSingleClickDelay, nullptr));
}

// The taskbar handles a right click on its clock itself (its context menu).
static void ForwardRightClick(POINT pc)
{
    const TaskbarWindows& t = taskbarWindows;
    HideClockTip();
    if (CurrentClockKind() == ClockKind::requests) SendToClock(ClockTooltipRequest, 0);
    BreakRepeatedSend(quiet.pagerFocus);
    SendToTaskbar(t.pagerToolbar, WM_KILLFOCUS, 0, 0);
    if (!EndingBegun()) BringWindowToFront(t.taskbar, mainWindow, 0, 1);
    SendToTaskbar(t.taskbar, WM_RBUTTONUP, 0, PointParam(pc));
    WatcherPause(pointerWatchControl, TestSwitchOn("HOLD_RIGHT_CLICK") ? kHeldRightClickWait : kRightClickWait);
}

static ClockClickState LoadClickState()
{
    return ClockClickState{clockClickCount, clockLeftHeld, clockRightPressed, clickTimersStarted};
}

// Writes back only what the step changed, so that a reset by the main window's timers
// between the load and the store is not undone.
static void StoreClickState(const ClockClickState& before, const ClockClickState& after)
{
    if (after.clickCount != before.clickCount) clockClickCount = after.clickCount;
    if (after.leftHeld != before.leftHeld) clockLeftHeld = after.leftHeld;
    if (after.rightPressed != before.rightPressed) clockRightPressed = after.rightPressed;
    if (after.timersStarted != before.timersStarted) clickTimersStarted = after.timersStarted;
}

// The pointer left the clock area.
static void TrackPointerAway()
{
    const TaskbarWindows& t = taskbarWindows;
    SendUnlessRepeated(quiet.notice, t.clock, ClockPointerNotice, 1);
    // With the flag clear there is no timer to kill (see ArmTooltipDelay).
    if (tipTimerArmed.exchange(0)) KillTimer(mainWindow, TooltipDelayTimer);
    if (!IsLogicalButtonDown(0)) return;
    clockClickCount = 0;
    clockLeftHeld = 0;
    clockRightPressed = 0;
    frameDragging = 0;
    switch (CurrentClockKind()) {
    case ClockKind::requests: SendToClock(ClockTooltipRequest, 0); break;
    case ClockKind::ownTooltip: HideClockTip(); break;
    // Windows 10's clock hides its own tooltip control.
    case ClockKind::clicks: break;
    }
}

// The flag holds the arming's own number. The main window, at the delay's end, clears it
// only if it still holds the number it saw before it killed the timer, so that an arming
// made meanwhile (the pointer left and came back while the tooltip was asked for) keeps
// its flag, and no timer is left armed without one.
static void ArmTooltipDelay()
{
    static int32_t arming = 0;
    arming = arming == INT32_MAX ? 1 : arming + 1;
    tipTimerArmed = arming;
    tooltipDelayTimerSet = static_cast<int32_t>(SetTimer(mainWindow, TooltipDelayTimer, kTooltipDelay, nullptr));
}

// One cycle of the clock handling for the pointer as read. True when a button was acted
// on, which may have taken a while (the flyout's and the right click's waits).
static bool TrackClockPointerAt(const PointerView& view)
{
    const TaskbarWindows& t = taskbarWindows;
    const POINT p = view.at;
    HWND under = view.under;
    lastPointerX = p.x;
    lastPointerY = p.y;
    if (!IsClockArea(Id(under), Id(t.clock), Id(t.notifyArea), Id(t.hiddenIconsButton), frameDragging != 0)) {
        TrackPointerAway();
        return false;
    }

    POINT pc = p;
    ScreenToClient(t.taskbar, &pc);
    PostToTaskbar(t.taskbar, WM_NCHITTEST, 0, PointParam(pc));
    if (under == t.clock) SendUnlessRepeated(quiet.notice, t.clock, ClockPointerNotice, 2);
    if (under == t.notifyArea) {
        SendToTaskbar(t.notifyArea, WM_SETCURSOR, reinterpret_cast<WPARAM>(t.notifyArea), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
    // Never while a tooltip is up, the taskbar's or our own: a delay that ended meanwhile
    // would show a window already shown, and the next one bring it back the moment its 3
    // seconds are over, a blink instead of a rest.
    if (!tipTimerArmed && under == t.clock && !IsWindowVisible(clockTipWindow) &&
        !FindWindowA(ClockTooltipClass, nullptr)) {
        ArmTooltipDelay();
    }

    ClockClickState before = LoadClickState();
    ClockClickState state = before;
    const int16_t left = LogicalButtonState(0);
    const uint32_t leftAction = StepClockLeftButton(state, KeyStateDown(left), KeyStateUp(left));
    StoreClickState(before, state);
    if (leftAction & kNewLeftPress) OnNewLeftPress(under, pc);
    if (leftAction & kDoubleClick) OnDoubleClick();
    if (leftAction & kArmClickTimers) ArmClickTimers();

    before = LoadClickState();
    state = before;
    const int16_t right = LogicalButtonState(1);
    const uint32_t rightAction = StepClockRightButton(state, KeyStateDown(right), KeyStateUp(right));
    StoreClickState(before, state);
    if (rightAction & kRightRelease) ForwardRightClick(pc);
    return leftAction != kClickNone || rightAction != kClickNone;
}

void TrackClockPointer()
{
    TrackClockPointerAt(ReadPointer());
}

// Explorer lays the notification area out for its own size, so it must follow every change
// of the main window's client area.
static void KeepNotifyAreaFilling()
{
    HWND area = taskbarWindows.notifyArea;
    RECT client{}, placed{};
    GetClientRect(mainWindow, &client);
    GetWindowRect(area, &placed);
    POINT origin{0, 0};
    ClientToScreen(mainWindow, &origin);
    // Already in place: a move to the same place would only cost the taskbar's process.
    if (placed.left == origin.x && placed.top == origin.y && placed.right - placed.left == client.right &&
        placed.bottom - placed.top == client.bottom) {
        return;
    }
    MoveTaskbarWindow(area, 0, 0, client.right, client.bottom);
}

// "4.0" and "4.20" are flavours of a system that reports version 4.0 (flavour_rules): the
// taskbar is probed only then.
static bool IsVersion40Or420()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    if (version.dwMajorVersion != 4 || version.dwMinorVersion != 0) return false;
    char flavour[24];
    CurrentFlavour(flavour);
    return std::strcmp(flavour, "4.0") == 0 || std::strcmp(flavour, "4.20") == 0;
}

// The hide box, a call into the main thread. It changes only while the options window is
// open, and a cycle that sees it open asks nothing, so the quiet watcher asks it afresh in
// the first cycle after that (the one that can hide) and then once a second.
static bool IsHideChecked()
{
    if (!quiet.on || TakeRepeatedSend(quiet.hideAsked, Id(optionsControls.hide), 0, quiet.cycle, GetTickCount())) {
        quiet.hideChecked = IsOptionChecked(optionsControls.hide);
    }
    return quiet.hideChecked;
}

// The pointer and the focus are away from the tray and the program's windows.
static void LeaveTray()
{
    const TaskbarWindows& t = taskbarWindows;
    auto getWindowInfo = optionalFunctions.getWindowInfo;
    if (getWindowInfo && !IsVersion40Or420()) {
        WINDOWINFO info{};
        info.cbSize = sizeof info;
        // A failed call tells nothing about the activation, and so decides nothing.
        if (getWindowInfo(mainWindow, &info) && info.dwWindowStatus == 0) {
            // The hide waits for a second cycle away: pointerOnOwnWindows is still the
            // previous cycle's answer here.
            // Only a shown window is asked to hide: each request wakes the main thread. The box
            // is asked last: it is a call into the main thread.
            if (!pointerOnOwnWindows && !secondaryWindowOpen && IsWindowVisible(mainWindow) &&
                (!quiet.on || quiet.shownTwice) && IsHideChecked()) {
                SendMessageA(mainWindow, HideWhenLeftRequest, 0, 0);
            }
            SendUnlessRepeated(quiet.pagerFocus, t.pagerToolbar, WM_KILLFOCUS, 0);
        }
    }
    SendUnlessRepeated(quiet.iconFocus, t.iconToolbar, WM_KILLFOCUS, 0);
    SendUnlessRepeated(quiet.areaFocus, t.notifyArea, WM_KILLFOCUS, 0);
    pointerOnOwnWindows = 0;
}

// The quiet watcher's pause: the long one only while nothing the cycle watches can need it
// soon, a hide that waits for the next cycle (`hidePending`: away for the first cycle, or
// shown for the first) and a recent wake-up among them; a hidden main window is near
// nothing. The buttons are asked only when nothing else keeps the pause short. What comes
// during the long one nudges the watcher awake (NudgeWatcher).
static DWORD CyclePause(const PointerView& view, PopupClassMemo& underMemo, bool hidePending)
{
    RECT main{};
    GetWindowRect(mainWindow, &main);
    const bool nearWindow =
        IsWindowVisible(mainWindow) && IsNearWindow(view.at.x, view.at.y, main.left, main.top, main.right, main.bottom);
    const bool settling = GetTickCount() - quiet.nudgedAt < kNudgeSettle;
    const bool busy = clockClickCount || clockLeftHeld || clockRightPressed || tipTimerArmed || hidePending ||
                      nearWindow || settling || IsOnTrayWindows(view, view.under, underMemo, underMemo);
    return PointerWatchPause(quiet.on, busy, !busy && (IsLogicalButtonDown(0) || IsLogicalButtonDown(1)));
}

DWORD WINAPI PointerWatchThread(LPVOID parameter)
{
    WatcherControl& control = *static_cast<WatcherControl*>(parameter);
    PopupClassMemo underMemo, foregroundMemo;
    quiet.on = control.quiet != 0;
    for (;;) {
        if (control.stopRequested) return static_cast<DWORD>(control.stopRequested.load());
        if (!control.active || endingStarted) continue;
        FaultPoint(FaultSite::pointerWatchCycle);
        ++quiet.cycle;
        CountTestEvent(TestCounter::pointerWatchCycle);
        const bool shown = quiet.on && IsWindowVisible(mainWindow) != FALSE;
        if (quiet.on) {
            ListenForNudges(control);
            quiet.shownTwice = shown && quiet.shownBefore;
            quiet.shownBefore = shown;
        }
        PointerView view = ReadPointer();
        // While another clock program runs, the clock is its business.
        if (!FindWindowA("TClockMainClass", "TClock") && !frameDragging) {
            if (TrackClockPointerAt(view)) view = ReadPointer();
        }
        KeepNotifyAreaFilling();
        LookForClockCalendar(clockLeftHeld != 0);
        const bool wasOnTray = pointerOnOwnWindows != 0;
        const bool onTray = IsPointerOrFocusOnTrayAt(view, underMemo, foregroundMemo);
        if (onTray) {
            pointerOnOwnWindows = 1;
        } else {
            LeaveTray();
        }
        if (quiet.on) {
            const DWORD pause = CyclePause(view, underMemo, !onTray && (wasOnTray || (shown && !quiet.shownTwice)));
            // Only the long pause hears nudges: in the short one a stream of them (the pointer
            // moving over the window) would only make the cycles come faster.
            if (pause == kPointerWatchPause) {
                WatcherPause(control, pause);
            } else if (WatcherNap(control, pause)) {
                quiet.nudgedAt = GetTickCount();
            }
        } else {
            WatcherPause(control, kPointerWatchPause);
        }
    }
}
