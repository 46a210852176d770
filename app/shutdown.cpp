// Gives the notification area back to the taskbar when the program ends, at log-off or when
// a second copy takes over, behind a small wait window, and saves the window's place.
#include "app/shutdown.h"

#include <windows.h>
#include <shellapi.h>

#include "core/dpi.h"
#include "core/dpi_rules.h"
#include "core/environment.h"
#include "core/fault_point.h"
#include "core/foreground.h"
#include "app/main_window.h"
#include "app/main_window_proc.h"
#include "core/messages.h"
#include "core/optional_functions.h"
#include "core/shared_state.h"
#include "app/taskbar_return.h"
#include "app/test_hooks.h"
#include "ui/title_bar.h"
#include "core/text_calls.h"
#include "core/texts.h"
#include "core/window_class.h"
#include "settings/settings_file.h"
#include "taskbar/flavour.h"
#include "taskbar/taskbar_windows.h"
#include "ui/hotkeys.h"
#include "ui/text_fit.h"
#include "watch/watchers.h"

constexpr DWORD kWatcherWait = 3000;

bool restorationRunning;

void ShowWaitWindow()
{
    DpiScope programDpi(DpiScope::programDpi);
    RegisterProgramClass(WaitWindowClass, DefaultWindowProc, 0, false);

    bool wide = IsVersion60Or61();
    int width = wide ? 196 : 186, height = wide ? 80 : 70;
    int textWidth = wide ? 190 : 170, textHeight = 35;
    waitWindow = CreateTextWindow(0, WaitWindowClass, caption, WS_VISIBLE | WS_CAPTION,
                                  GetSystemMetrics(SM_CXSCREEN) / 2 - 88, GetSystemMetrics(SM_CYSCREEN) / 2 - 66, width,
                                  height, mainWindow, nullptr);
    HWND text = CreateTextWindow(0, "STATIC", Text(TEXT_WAIT), WS_CHILD | WS_VISIBLE, 8, 8, textWidth, textHeight,
                                 waitWindow, nullptr);
    SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont), FALSE);
    if (TextsNeedRoom()) FitWindowToTexts(waitWindow);
    UpdateWindow(text);
    UpdateWindow(waitWindow);
    ShowWindow(waitWindow, SW_SHOW);
    SetForegroundWindow(waitWindow);
}

static void KillTimerIfSet(UINT_PTR id, const SharedWord& set)
{
    if (set) KillTimer(mainWindow, id);
}

// Waits a bounded time for a watcher; true when it has ended. A watcher may be waiting on
// a message it sent to one of the program's windows (a fit, a hide): such messages are
// served meanwhile, while posted ones stay queued for later.
static bool WaitForWatcher(HANDLE& thread)
{
    if (!thread) return true;
    const DWORD start = GetTickCount();
    DWORD result = WAIT_TIMEOUT;
    for (DWORD spent = 0; spent < kWatcherWait; spent = GetTickCount() - start) {
        result = MsgWaitForMultipleObjects(1, &thread, FALSE, kWatcherWait - spent, QS_SENDMESSAGE);
        if (result != WAIT_OBJECT_0 + 1) break;
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        result = WAIT_TIMEOUT;
    }
    if (result != WAIT_FAILED) CloseHandle(thread);
    thread = nullptr;
    return result == WAIT_OBJECT_0;
}

void RestoreTaskbar()
{
    const TaskbarWindows& t = taskbarWindows;
    bool captured = notifyAreaCaptured;
    restorationRunning = true;
    RequestWatcherStop(trayWatchControl);
    RequestWatcherStop(pointerWatchControl);
    KillTimerIfSet(ClickWindowTimer, clickWindowTimerSet);
    KillTimerIfSet(SingleClickTimer, singleClickTimerSet);
    KillTimerIfSet(TooltipDelayTimer, tooltipDelayTimerSet);
    ShowWaitWindow();
    FaultPoint(FaultSite::ending);

    // The watchers have ended (or had their time) before the area goes back: a cycle still
    // running would size it to the main window again inside the taskbar. The libraries are
    // released only once no watcher can call into them any more.
    bool trayEnded = WaitForWatcher(trayWatchHandle);
    bool pointerEnded = WaitForWatcher(pointerWatchHandle);
    ReleaseToolbarBlocks();
    FreeOptionalFunctions(trayEnded && pointerEnded);
    FaultPoint(FaultSite::ending);

    // A refused start never took the notification area: then the taskbar is left as it is.
    if (captured) {
        if (!IsThemeActive() && !IsWin9xFamily()) {
            SetWindowLongA(t.notifyArea, GWL_EXSTYLE, GetWindowLongA(t.notifyArea, GWL_EXSTYLE) | WS_EX_STATICEDGE);
        }
        ShowWindow(t.clock, SW_SHOW);
        ReturnNotifyAreaToTaskbar();
    }
    FaultPoint(FaultSite::ending);

    // A refused start added no icon to take away: the taskbar hears nothing from it.
    if (!startRefused) {
        DeleteTrayIcon();
        for (const HotkeyBinding& hotkey : hotkeys) UnregisterHotKey(mainWindow, hotkey.id);
    }

    FaultPoint(FaultSite::ending);
    if (captured) {
        RECT r{};
        {
            DpiScope mainWindowDpi(DpiScope::mainWindowDpi);
            GetWindowRect(mainWindow, &r);
        }
        const Place place =
            PlaceForSettings(Place{r.left, r.top, r.right - r.left, r.bottom - r.top}, WindowDpi(mainWindow));
        // One short wait in all for a file held open, and no report: the ending runs at
        // log-off too, where a box would hold it up.
        SettingsWriteGroup group;
        WriteSettingNumber(setting::windowTop, place.top);
        WriteSettingNumber(setting::windowLeft, place.left);
        WriteSettingNumber(setting::windowWidth, place.width);
        WriteSettingNumber(setting::windowHeight, place.height);
        if (CurrentClockKind() == ClockKind::requests) SendToTaskbarBounded(t.clock, ClockTooltipRequest, 0, 0);
    }
    DestroyWindow(waitWindow);
    waitWindow = nullptr;
    restorationRunning = false;
    WriteEndingReport();
}

void OnDestroy()
{
    if (endingStarted.exchange(1) == 0) {
        RestoreTaskbar();
        // A refused start leaves the taskbar's windows alone, their focus too.
        if (!startRefused) {
            SendToTaskbarBounded(taskbarWindows.pagerToolbar, WM_KILLFOCUS, 0, 0);
            SendToTaskbarBounded(taskbarWindows.notifyArea, WM_KILLFOCUS, 0, 0);
        }
        BringWindowToFront(previousActiveWindow, mainWindow, 0, 1);
    }
    // A refused start is a failed one; a close that comes after its ending keeps saying so.
    PostQuitMessage(startRefused ? kRefusedStartExitCode : 0);
}

void OnQueryEndSession()
{
    if (endingStarted.exchange(1) == 0) RestoreTaskbar();
}

void OnEndSession(bool sessionEnds)
{
    if (sessionEnds) {
        OnQueryEndSession();
    } else if (endingStarted) {
        // The log-off was cancelled after the area went back and the place was saved: the
        // program has said goodbye and ends, rather than stay behind as an empty window.
        PostQuitMessage(startRefused ? kRefusedStartExitCode : 0);
    }
}
