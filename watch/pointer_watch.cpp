// The pointer and clock watcher: a cycle every 5 ms that drives the captured clock as the
// taskbar would (tooltip delay, clicks, flyout, right click), keeps the notification area
// filling the main window and hides the main window when it is left inactive.
#include <windows.h>
#include <shellapi.h>

#include "core/fault_point.h"
#include "core/foreground.h"
#include "core/messages.h"
#include "core/optional_functions.h"
#include "taskbar/flavour.h"
#include "taskbar/geometry.h"
#include "taskbar/geometry_rules.h"
#include "taskbar/taskbar_windows.h"
#include "ui/options_window.h"
#include "watch/pointer_rules.h"
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

constexpr DWORD kPointerWatchPause = 5;
constexpr DWORD kPopupSettleWait = 250;
constexpr DWORD kRightClickWait = 300;
constexpr UINT kTooltipDelay = 1000;
constexpr UINT kSingleClickDelay = 300;
constexpr UINT kClickWindowExtra = 1000;
constexpr UINT kPopupMoveFlags = SWP_NOSIZE | SWP_NOZORDER;
// The hit-test code with which the taskbar takes a press on its clock as its own.
constexpr WPARAM kTaskbarPressHitTest = 9;

static WindowId Id(HWND window) { return reinterpret_cast<WindowId>(window); }
static bool IsVersion60Or61() { return IsWindowsVersion("6.0") || IsWindowsVersion("6.1"); }
static LPARAM PointParam(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

static int16_t LogicalButtonState(int button)
{
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    return static_cast<int16_t>(GetAsyncKeyState(LogicalButtonKey(button, swapped)));
}

bool IsLogicalButtonDown(int button) { return KeyStateDown(LogicalButtonState(button)); }
bool IsLogicalButtonUp(int button) { return KeyStateUp(LogicalButtonState(button)); }

static HWND TrayListEntry(int index)
{
    const TaskbarWindows& t = taskbarWindows;
    switch (index) {
    case 0: return t.iconToolbar;
    case 1: return t.clock;
    case 2: return t.notifyArea;
    case 3: return t.hiddenIconsButton;
    case 4: return t.showDesktopButton;
    case 5: return FindWindowA("ClockTooltipWindow", nullptr);
    case 6: return FindWindowA("ClockFlyoutWindow", nullptr);
    case 7: return FindWindowA("NotifyIconOverflowWindow", nullptr);
    case 8: return mainWindow;
    case 9: return optionsWindow;
    default: return versionWindow;
    }
}

bool IsPointerOrFocusOnTray()
{
    POINT p{};
    GetCursorPos(&p);
    HWND under = WindowFromPoint(p);
    for (int i = 0; i < static_cast<int>(kTrayListLength); ++i) {
        if (under == TrayListEntry(i)) return true;
        if (GetForegroundWindow() == TrayListEntry(i)) return true;
    }
    return frameDragging != 0;
}

static void HideClockTip()
{
    ShowWindow(clockTipWindow, SW_HIDE);
    KillTimer(clockTipWindow, TooltipHideTimer);
}

static void MovePopup(const char* cls, int x, int y)
{
    SetWindowPos(FindWindowA(cls, nullptr), nullptr, x, y, 0, 0, kPopupMoveFlags);
}

// The overflow window opens where the taskbar would put it; once it is up it joins the
// main window.
static void MoveOverflowWindow()
{
    Sleep(kPopupSettleWait);
    HWND overflow = FindWindowA("NotifyIconOverflowWindow", nullptr);
    POINT at = PlacePopupNearWindow(mainWindow, overflow, kPopupBelow);
    SetWindowPos(overflow, nullptr, at.x, at.y, 0, 0, kPopupMoveFlags);
}

// Asks the clock for its flyout and brings it beside the main window in the steps the
// taskbar's own animation expects.
static void OpenClockFlyout(POINT pc)
{
    const TaskbarWindows& t = taskbarWindows;
    SendMessageA(t.clock, ClockPointerNotice, 3, 0);
    SendMessageA(t.clock, ClockFlyoutRequest, 1, 0);
    HWND flyout = FindWindowA("ClockFlyoutWindow", nullptr);
    RECT anchor{};
    GetWindowRect(mainWindow, &anchor);
    MovePopup("ClockFlyoutWindow", pc.x, pc.y);
    POINT final = PlacePopupNearWindow(mainWindow, flyout, kPopupFlyout);
    if (IsWindowsVersion("6.0")) MovePopup("ClockFlyoutWindow", final.x, anchor.top);
    Sleep(kPopupSettleWait);
    MovePopup("ClockFlyoutWindow", final.x, final.y);
}

static void OnNewLeftPress(HWND under, POINT pc)
{
    const TaskbarWindows& t = taskbarWindows;
    if (IsVersion51To62()) {
        BringWindowToFront(mainWindow, nullptr, 0, 0);
        if (under == t.hiddenIconsButton) {
            if (IsWindowsVersion("6.1")) MoveOverflowWindow();
        } else if (IsVersion60Or61()) {
            OpenClockFlyout(pc);
        }
    } else if (!IsWindowsVersion("5.0")) {
        POINT last{lastPointerX, lastPointerY};
        PostMessageA(t.taskbar, WM_NCLBUTTONDOWN, kTaskbarPressHitTest, PointParam(last));
    } else {
        HWND foreground = GetForegroundWindow();
        if (foreground == mainWindow) {
            BringWindowToFront(t.clock, mainWindow, 0, 1);
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
    if (IsVersion60Or61()) SendMessageA(t.clock, ClockTooltipRequest, 0, 0);
    SendMessageA(t.pagerToolbar, WM_KILLFOCUS, 0, 0);
    BringWindowToFront(t.taskbar, mainWindow, 0, 1);
    SendMessageA(t.taskbar, WM_RBUTTONUP, 0, PointParam(pc));
    Sleep(kRightClickWait);
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
    SendMessageA(t.clock, ClockPointerNotice, 1, 0);
    KillTimer(mainWindow, TooltipDelayTimer);
    tipTimerArmed = 0;
    if (!IsLogicalButtonDown(0)) return;
    clockClickCount = 0;
    clockLeftHeld = 0;
    clockRightPressed = 0;
    frameDragging = 0;
    if (IsVersion60Or61()) {
        SendMessageA(t.clock, ClockTooltipRequest, 0, 0);
    } else {
        HideClockTip();
    }
}

void TrackClockPointer()
{
    const TaskbarWindows& t = taskbarWindows;
    POINT p{};
    GetCursorPos(&p);
    lastPointerX = p.x;
    lastPointerY = p.y;
    HWND under = WindowFromPoint(p);
    if (!IsClockArea(Id(under), Id(t.clock), Id(t.notifyArea), Id(t.hiddenIconsButton), frameDragging != 0)) {
        TrackPointerAway();
        return;
    }

    POINT pc = p;
    ScreenToClient(t.taskbar, &pc);
    PostMessageA(t.taskbar, WM_NCHITTEST, 0, PointParam(pc));
    if (under == t.clock) SendMessageA(t.clock, ClockPointerNotice, 2, 0);
    if (under == t.notifyArea) {
        SendMessageA(t.notifyArea, WM_SETCURSOR, reinterpret_cast<WPARAM>(t.notifyArea), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
    if (!tipTimerArmed && under == t.clock && !FindWindowA("ClockTooltipWindow", nullptr)) {
        tooltipDelayTimerSet = static_cast<int32_t>(SetTimer(mainWindow, TooltipDelayTimer, kTooltipDelay, nullptr));
        tipTimerArmed = 1;
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
}

// Explorer lays the notification area out for its own size, so it must follow every change
// of the main window's client area.
static void KeepNotifyAreaFilling()
{
    RECT client{};
    GetClientRect(mainWindow, &client);
    MoveWindow(taskbarWindows.notifyArea, 0, 0, client.right, client.bottom, TRUE);
}

// The pointer and the focus are away from the tray and the program's windows.
static void LeaveTray()
{
    const TaskbarWindows& t = taskbarWindows;
    auto getWindowInfo = optionalFunctions.getWindowInfo;
    if (getWindowInfo && !IsWindowsVersion("4.0") && !IsWindowsVersion("4.20")) {
        WINDOWINFO info{};
        info.cbSize = sizeof info;
        getWindowInfo(mainWindow, &info);
        if (info.dwWindowStatus == 0) {
            // The hide waits for a second cycle away: pointerOnOwnWindows is still the
            // previous cycle's answer here.
            if (IsOptionChecked(optionsControls.hide) && !pointerOnOwnWindows && !secondaryWindowOpen) {
                ShowWindow(mainWindow, SW_HIDE);
            }
            SendMessageA(t.pagerToolbar, WM_KILLFOCUS, 0, 0);
        }
    }
    SendMessageA(t.iconToolbar, WM_KILLFOCUS, 0, 0);
    SendMessageA(t.notifyArea, WM_KILLFOCUS, 0, 0);
    pointerOnOwnWindows = 0;
}

DWORD WINAPI PointerWatchThread(LPVOID parameter)
{
    WatcherControl& control = *static_cast<WatcherControl*>(parameter);
    for (;;) {
        if (control.stopRequested) return static_cast<DWORD>(control.stopRequested.load());
        if (!control.active || endingStarted) continue;
        FaultPoint(FaultSite::pointerWatchCycle);
        // While another clock program runs, the clock is its business.
        if (!FindWindowA("TClockMainClass", "TClock") && !frameDragging) TrackClockPointer();
        KeepNotifyAreaFilling();
        if (IsPointerOrFocusOnTray()) {
            pointerOnOwnWindows = 1;
        } else {
            LeaveTray();
        }
        WaitForSingleObject(control.wake, kPointerWatchPause);
    }
}
