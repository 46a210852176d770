// Message handling of the main window. Much of it keeps the captured notification area, a
// window of another process, usable: painting and focus are forwarded to it, a right click
// on the hidden-icons button goes to the taskbar, and ordinary clicks do not activate.
#include "app/main_window_proc.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "core/dpi.h"
#include "core/dpi_rules.h"
#include "core/environment.h"
#include "app/test_hooks.h"
#include "core/foreground.h"
#include "app/main_window.h"
#include "core/messages.h"
#include "core/shared_state.h"
#include "core/test_counters.h"
#include "core/text_calls.h"
#include "core/texts.h"
#include "app/shutdown.h"
#include "taskbar/flavour.h"
#include "taskbar/geometry.h"
#include "taskbar/geometry_rules.h"
#include "taskbar/popup_classes.h"
#include "taskbar/taskbar_windows.h"
#include "ui/hotkeys.h"
#include "ui/options_window.h"
#include "watch/clock_calendar.h"
#include "watch/watchers.h"

HWND previousActiveWindow;
// The user's move or size loop runs (main thread only).
static bool userSizeMove;

void ShowPopupMenu(HWND window, HMENU menu)
{
    POINT pointer{};
    GetCursorPos(&pointer);
    SetForegroundWindow(window);
    TrackPopupMenu(menu, 0, pointer.x, pointer.y, 0, window, nullptr);
}

void ShowNearPointer(HWND window)
{
    RECT area = GetMonitorArea(true, 0, 0, false);
    POINT pointer{};
    GetCursorPos(&pointer);
    RECT r{};
    GetWindowRect(window, &r);
    Point at = NearPointerPosition(ToRect(area), Point{pointer.x, pointer.y},
                                   r.right - r.left, r.bottom - r.top, GetSystemMetrics(SM_CXSCREEN),
                                   GetSystemMetrics(SM_CYSCREEN));
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    // Set before the show: while the show hands the activation over, a watcher cycle that
    // still finds the focus elsewhere must already see the window open, or it hides the
    // main window that this window keeps.
    secondaryWindowOpen = 1;
    ShowWindow(window, SW_SHOWNORMAL);
}

static void ShowHelp()
{
    const char* target = webHelpUrl;
    if (helpAvailable && PathFileExistsA(helpPath)) {
        int answer = ShowMessage(mainWindow, Text(TEXT_HELP_CHOICE), caption, MB_YESNO | MB_ICONQUESTION);
        if (answer == IDNO) target = helpPath;
    } else {
        ShowMessage(mainWindow, Text(TEXT_NO_HELP_FILE), caption, MB_ICONINFORMATION);
    }
    ShellExecuteA(nullptr, "open", target, nullptr, nullptr, SW_SHOWNORMAL);
}

static void OnCommand(WPARAM command)
{
    switch (command) {
    case CommandExit: SendMessageA(mainWindow, WM_DESTROY, 0, 0); break;
    case CommandOptions: ShowNearPointer(optionsWindow); break;
    case CommandHelp: ShowHelp(); break;
    case CommandVersion: ShowNearPointer(versionWindow); break;
    default: break;
    }
}

static void ShowClockTooltip()
{
    const TaskbarWindows& t = taskbarWindows;
    POINT last{lastPointerX, lastPointerY};
    switch (CurrentClockKind()) {
    case ClockKind::requests: {
        if (!FindWindowA(ClockFlyoutClass, nullptr) && WindowFromPoint(last) == t.clock &&
            !FindWindowA(ClockTooltipClass, nullptr)) {
            SendToTaskbarBounded(t.clock, ClockTooltipRequest, 1, 0);
        }
        HWND tooltip = FindWindowA(ClockTooltipClass, nullptr);
        POINT at = PlacePopupNearWindow(mainWindow, tooltip, kPopupBelow);
        SetWindowPos(tooltip, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        break;
    }
    case ClockKind::ownTooltip:
        if (WindowFromPoint(last) == t.clock && !clockLeftHeld) ShowWindow(clockTipWindow, SW_SHOWNOACTIVATE);
        break;
    // Windows 10's clock shows its own tooltip control, which follows it into the main window.
    case ClockKind::clicks: break;
    }
}

static void OnTimer(WPARAM id)
{
    switch (id) {
    case ClickWindowTimer:
        KillTimer(mainWindow, ClickWindowTimer);
        clockClickCount = 0;
        clickTimersStarted = 0;
        break;
    case SingleClickTimer: {
        KillTimer(mainWindow, SingleClickTimer);
        char flavour[24];
        CurrentFlavour(flavour);
        if (SingleClickBringsTaskbarForward(flavour, FindWindowA(ClockFlyoutClass, nullptr) != nullptr,
                                            ClockCalendarInFront())) {
            BringWindowToFront(taskbarWindows.taskbar, nullptr, 0, 0);
        }
        break;
    }
    case TooltipDelayTimer: {
        // The arming this expiry belongs to, read before the kill: if the pointer left
        // (flag cleared) or left and came back (a new arming) meanwhile, its flag is the
        // watcher's, and a delay that the leaving cancelled shows nothing.
        int32_t arming = tipTimerArmed;
        KillTimer(mainWindow, TooltipDelayTimer);
        if (arming == 0) break;
        ShowClockTooltip();
        tipTimerArmed.compare_exchange_strong(arming, 0);
        break;
    }
    default: break;
    }
}

static void OnActivate(WPARAM wParam, LPARAM lParam)
{
    const TaskbarWindows& t = taskbarWindows;
    switch (LOWORD(wParam)) {
    case WA_INACTIVE:
        if (IsOptionChecked(optionsControls.hide) && !pointerOnOwnWindows && !secondaryWindowOpen) {
            ShowWindow(mainWindow, SW_HIDE);
        }
        SendToTaskbarBounded(t.pagerToolbar, WM_KILLFOCUS, 0, 0);
        break;
    case WA_ACTIVE:
        SendToTaskbarBounded(t.iconToolbar, WM_SETFOCUS, reinterpret_cast<WPARAM>(mainWindow), 0);
        break;
    case WA_CLICKACTIVE:
        if (IsOptionChecked(optionsControls.hide)) SetForegroundWindow(mainWindow);
        break;
    default: break;
    }
    previousActiveWindow = reinterpret_cast<HWND>(lParam);
}

static void OnSetCursor(WPARAM wParam, LPARAM lParam)
{
    const TaskbarWindows& t = taskbarWindows;
    HWND under = reinterpret_cast<HWND>(wParam);
    UINT hit = LOWORD(lParam);
    if (hit == HTCLIENT && under == t.hiddenIconsButton) {
        SendMessageA(mainWindow, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(mainWindow), lParam);
    }
    if (hit == HTCAPTION && under != mainWindow) return;
    switch (CurrentClockKind()) {
    case ClockKind::requests: SendToTaskbarBounded(t.clock, ClockTooltipRequest, 0, 0); break;
    case ClockKind::ownTooltip:
        if (under != t.notifyArea) {
            ShowWindow(clockTipWindow, SW_HIDE);
            KillTimer(clockTipWindow, TooltipHideTimer);
        }
        break;
    case ClockKind::clicks: break;
    }
    if (hit == HTCLIENT && HIWORD(lParam) == WM_MOUSEMOVE) {
        SendMessageA(mainWindow, WM_PRINTCLIENT, 0, PRF_CLIENT);
    }
}

static LRESULT OnMouseActivate(LPARAM lParam)
{
    if (LOWORD(lParam) != HTCLIENT || HIWORD(lParam) != WM_RBUTTONUP) return MA_NOACTIVATE;
    frameDragging = 0;
    POINT pointer{};
    GetCursorPos(&pointer);
    ScreenToClient(taskbarWindows.taskbar, &pointer);
    PostMessageA(taskbarWindows.taskbar, WM_RBUTTONUP, 0, MAKELPARAM(pointer.x, pointer.y));
    return MA_ACTIVATE;
}

// Returns true when the press was turned into a caption drag and must not go on.
static bool OnNcLeftButtonDown(WPARAM hit, LPARAM lParam)
{
    const TaskbarWindows& t = taskbarWindows;
    if (hit == HTCAPTION) {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (WindowFromPoint(at) == mainWindow) frameDragging = 1;
        return false;
    }
    frameDragging = 1;
    if (IsVersion60Or61()) {
        BringWindowToFront(t.taskbar, mainWindow, 0, 1);
        SendToTaskbarBounded(t.iconToolbar, WM_KILLFOCUS, 0, 0);
    }
    // Without a title bar, Shift and a drag on the frame moves the window.
    if ((GetAsyncKeyState(VK_SHIFT) & 0x8000) && !titleBarShown) {
        ReleaseCapture();
        SendMessageA(mainWindow, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
        return true;
    }
    return false;
}

static void OnPrintClient(LPARAM lParam)
{
    const TaskbarWindows& t = taskbarWindows;
    HDC dc = GetDC(mainWindow);
    SendToTaskbarBounded(t.iconToolbar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), lParam);
    if (IsWindowsVersion("6.0")) SendToTaskbarBounded(t.systemPager, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), lParam);
    ReleaseDC(mainWindow, dc);
}

// Closed in the middle of the capture, the window would be destroyed with the notification
// area half taken, and the area with it; the request is kept and handled once the capture
// is whole. (Posted again at once, it would come straight back inside the modal loop of a
// message box shown during the start, a core spinning for as long as the box is up.) A
// second close (another copy asking too) can arrive while the ending gives the area back
// and waits on the taskbar's answers; destroying the window then would take the area along
// before it is back and lose the window's place. False when the close must wait.
static bool OnClose()
{
    if (startingUp) {
        closeRequestedAtStart = true;
        return false;
    }
    return !restorationRunning;
}

static void OnEraseBackground(WPARAM wParam, LPARAM lParam)
{
    const TaskbarWindows& t = taskbarWindows;
    SendToTaskbarBounded(t.taskbar, WM_ERASEBKGND, wParam, lParam);
    SendToTaskbarBounded(t.iconToolbar, WM_ERASEBKGND, wParam, lParam);
    SendToTaskbarBounded(t.notifyArea, WM_ERASEBKGND, wParam, lParam);
}

static void OnActivateApp(WPARAM wParam)
{
    if (wParam == 1) InvalidateRect(taskbarWindows.iconToolbar, nullptr, FALSE);
}

// The minimum is kept in 96-DPI units, as the watchers use it; the message speaks in the
// main window's own pixels.
static void OnGetMinMaxInfo(MINMAXINFO* info)
{
    {
        DpiScope programDpi(DpiScope::programDpi);
        ComputeMinimumSize();
    }
    const uint32_t dpi = WindowDpi(mainWindow);
    info->ptMinTrackSize.x = ScaleToDpi(minWidth, dpi);
    info->ptMinTrackSize.y = ScaleToDpi(minHeight - hiddenCaptionHeight, dpi);
}

static void OnEnterSizeMove()
{
    userSizeMove = true;
    frameDragging = 1;
}

static void OnWindowPosChanging(WINDOWPOS* position)
{
    // Only the user's moves count as a drag of the frame: the program's own (creation,
    // fits, reveals, hotkeys) would leave the clock dead until the pointer happened to
    // cross the frame.
    if (userSizeMove) frameDragging = 1;
    if (IsDragFullWindows()) SnapWindowPos(position);
}

static void OnNcMouseMove() { frameDragging = 0; }

// The end of a press or a move or size loop on the frame.
static void OnNcLeftButtonUp()
{
    frameDragging = 0;
    SendMessageA(mainWindow, WM_PRINTCLIENT, 0, PRF_CLIENT);
    SendToTaskbarBounded(taskbarWindows.pagerToolbar, WM_KILLFOCUS, 0, 0);
}

static void OnExitSizeMove()
{
    userSizeMove = false;
    OnNcLeftButtonUp();
}

static void OnNcRightButtonDown(WPARAM hit)
{
    if (hit == HTCAPTION && !secondaryWindowOpen) {
        SendToTaskbarBounded(taskbarWindows.pagerToolbar, WM_KILLFOCUS, 0, 0);
        ShowPopupMenu(mainWindow, popupMenu);
    }
    frameDragging = 0;
}

static void OnTrayIconNotify(LPARAM lParam)
{
    if (lParam == WM_RBUTTONUP && !secondaryWindowOpen) ShowPopupMenu(mainWindow, popupMenu);
}

// A request may have waited while the main thread was busy: since the watcher decided, an
// options or version window may have opened, or a hotkey or an edge revealed the window and
// brought it to the foreground.
static void OnHideWhenLeftRequest()
{
    CountTestEvent(TestCounter::hideRequest);
    if (!secondaryWindowOpen && GetForegroundWindow() != mainWindow) ShowWindow(mainWindow, SW_HIDE);
}

// The title bar's switch adds or takes away the program's own icon, and with it an icon of
// the tray. The fit for it is made at once, as the tray watch would make it a moment later:
// that fit shows the window, and would undo a hide that the user asked for meanwhile.
static void OnHotkey(WPARAM wParam, LPARAM lParam)
{
    NudgeWatcher(pointerWatchControl);
    const int32_t titled = titleBarShown;
    HandleHotkey(lParam, wParam);
    if (titleBarShown != titled && IsVersion50To62()) FitToVisibleIcons();
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_CREATE: HandleMainWindowCreate(window); return 0;
    case WM_CLOSE:
        if (!OnClose()) return 0;
        break;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_QUERYENDSESSION: OnQueryEndSession(); return TRUE;
    case WM_ENDSESSION: OnEndSession(wParam != 0); return 0;
    case WM_ACTIVATE:
        NudgeWatcher(pointerWatchControl);
        OnActivate(wParam, lParam);
        break;
    case WM_ERASEBKGND: OnEraseBackground(wParam, lParam); return 0;
    case WM_ACTIVATEAPP: OnActivateApp(wParam); return 0;
    case WM_SETCURSOR:
        // Also for the captured children that leave the pointer's shape to their parents.
        NudgeWatcher(pointerWatchControl);
        OnSetCursor(wParam, lParam);
        break;
    case WM_MOUSEACTIVATE: return OnMouseActivate(lParam);
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_ENTERSIZEMOVE: OnEnterSizeMove(); break;
    case WM_WINDOWPOSCHANGING: OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case WM_SIZING: return 0;
    // The notification area follows the main window's client area.
    case WM_WINDOWPOSCHANGED: NudgeWatcher(pointerWatchControl); break;
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED: ++systemChanges; break;
    case WM_NCMOUSEMOVE: OnNcMouseMove(); break;
    case WM_NCLBUTTONDOWN:
        if (OnNcLeftButtonDown(wParam, lParam)) return 0;
        break;
    case WM_NCLBUTTONUP: OnNcLeftButtonUp(); break;
    case WM_EXITSIZEMOVE: OnExitSizeMove(); break;
    case WM_NCRBUTTONDOWN: OnNcRightButtonDown(wParam); return 0;
    case WM_COMMAND: OnCommand(wParam); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_HOTKEY: OnHotkey(wParam, lParam); return 0;
    case WM_PRINTCLIENT: OnPrintClient(lParam); break;
    case TrayIconNotify: OnTrayIconNotify(lParam); return 0;
    case HideWhenLeftRequest: OnHideWhenLeftRequest(); return 0;
    default:
        if (taskbarCreatedMessage && message == taskbarCreatedMessage) {
            ++systemChanges;
            RehostNotifyArea();
        }
        // The test-only hooks come last; a release build has neither.
        if (message == FaultSwitchMessage) TriggerFault(wParam);
        if (OnTestReport(message)) return 0;
        break;
    }
    return DefaultWindowProc(window, message, wParam, lParam);
}
