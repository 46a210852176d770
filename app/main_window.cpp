// Creates the owner window and the main window, and takes the taskbar's notification area
// into the main window's client area.
#include "app/main_window.h"

#include "core/dpi.h"
#include "core/dpi_rules.h"
#include "core/environment.h"
#include "core/fault_point.h"
#include "app/test_hooks.h"
#include "app/main_window_proc.h"
#include "app/capture_rules.h"
#include "app/taskbar_return.h"
#include "core/messages.h"
#include "core/optional_functions.h"
#include "core/shared_state.h"
#include "ui/title_bar.h"
#include "core/text_calls.h"
#include "core/texts.h"
#include "core/window_class.h"
#include "settings/settings_file.h"
#include "taskbar/drawn_tray.h"
#include "taskbar/fit.h"
#include "taskbar/flavour.h"
#include "taskbar/geometry.h"
#include "taskbar/taskbar_windows.h"
#include "ui/hotkeys.h"
#include "ui/options_window.h"
#include "ui/text_fit.h"
#include "ui/version_window.h"
#include "watch/clock_tip.h"
#include "watch/watchers.h"

RECT notifyAreaHomeRect;
HMENU popupMenu;
UINT taskbarCreatedMessage;
HANDLE trayWatchHandle;
HANDLE pointerWatchHandle;
bool notifyAreaCaptured;
bool startingUp;
bool closeRequestedAtStart;
bool startRefused;

void CreateMainWindow()
{
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int width = ReadSettingInt(setting::windowWidth);
    int height = ReadSettingInt(setting::windowHeight);
    int top = ReadSettingInt(setting::windowTop, screenHeight / 2 - setting::windowHeight.defaultValue / 2);
    int left = ReadSettingInt(setting::windowLeft, screenWidth / 2 - setting::windowWidth.defaultValue / 2);

    RegisterProgramClass(OwnerWindowClass, DefaultWindowProc);
    ownerWindow = CreateTextWindow(WS_EX_TOOLWINDOW, OwnerWindowClass, Text(TEXT_OWNER_WINDOW_TITLE), WS_BORDER, 0, 0, 0,
                                   0, nullptr, nullptr);

    RegisterProgramClass(MainWindowClass, MainWindowProc, CS_HREDRAW | CS_VREDRAW);
    DWORD exStyle = WS_EX_TOPMOST;
    if (IsVersion50To62()) exStyle |= WS_EX_LAYERED;
    POINT at = ClampInitialPosition(left, top, width, height, screenWidth, screenHeight);
    // The main window takes the notification area's DPI awareness, so that the capture's
    // SetParent crosses none; the saved place follows the DPI the window then sees.
    PlanMainWindowAwareness(FindWindowExA(FindWindowA("Shell_TrayWnd", nullptr), nullptr, "TrayNotifyWnd", nullptr));
    const Place place = PlaceForWindow(Place{at.x, at.y, width, height}, EnterMainWindowCreation(at));
    startingUp = true;
    HWND window = CreateTextWindow(exStyle, MainWindowClass, caption,
                                   WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_THICKFRAME, place.left,
                                   place.top, place.width, place.height, ownerWindow, nullptr);
    LeaveMainWindowCreation();
    startingUp = false;
    if (closeRequestedAtStart) PostMessageA(window, WM_CLOSE, 0, 0);
    if (optionalFunctions.layeredAvailable) {
        BYTE alpha = static_cast<BYTE>(ReadSettingInt(setting::windowAlpha));
        optionalFunctions.setLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA);
    }
    UpdateWindow(window);
}

// The box, then the ending, which finds nothing to give back and nothing to save.
static void RefuseStart(HWND window, int text)
{
    startRefused = true;
    ShowMessage(window, Text(text), Text(TEXT_PRODUCT_NAME), MB_ICONINFORMATION);
    SendMessageA(window, WM_DESTROY, 0, 0);
}

void HandleMainWindowCreate(HWND window)
{
    // The capture, its windows and its boxes in the program's own awareness: only the main
    // window itself takes the notification area's.
    DpiScope programDpi(DpiScope::programDpi);
    FindTaskbarWindows();
    if (!taskbarWindows.notifyArea) {
        RefuseStart(window, TEXT_NO_NOTIFY_AREA);
        return;
    }
    // Taken into a window of its own, a tray that the taskbar draws elsewhere shows nothing.
    if (TaskbarDrawsTrayNow()) {
        RefuseStart(window, TEXT_TRAY_DRAWN_BY_TASKBAR);
        return;
    }
    taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    BeginCapture(window);
}

// Every call into the taskbar's process, and every message box, serves the messages other
// programs send meanwhile: a log-off query among them runs the whole ending right there,
// inside a capture or a re-host. The area is given back by that ending, unless our own
// SetParent, under way when the query came, was carried out after the ending's: then it is
// given back once more, or a cancelled log-off would destroy it with the main window.
static void GiveBackAreaTakenAfterTheEnding()
{
    if (IsChild(mainWindow, taskbarWindows.notifyArea)) ReturnNotifyAreaToTaskbar();
}

// The capture then goes no further, and what the interrupted step itself added after that
// ending (an icon, a hotkey) is taken away again.
static bool CaptureCutShort()
{
    if (!endingStarted) return false;
    GiveBackAreaTakenAfterTheEnding();
    DeleteTrayIcon();
    for (const HotkeyBinding& hotkey : hotkeys) UnregisterHotKey(mainWindow, hotkey.id);
    return true;
}

void BeginCapture(HWND window)
{
    mainWindow = window;
    SetWindowLongA(mainWindow, GWL_STYLE, GetWindowLongA(mainWindow, GWL_STYLE) | WS_VISIBLE);
    if (!CaptureNotifyArea()) return;
    trayWatchHandle = CreateThread(nullptr, 0, TrayWatchThread, &trayWatchControl, 0, nullptr);
    pointerWatchHandle = CreateThread(nullptr, 0, PointerWatchThread, &pointerWatchControl, 0, nullptr);
    ArmFaultSwitch();
}

static void BuildPopupMenu()
{
    popupMenu = CreatePopupMenu();
    AppendMenuText(popupMenu, 0, CommandOptions, Text(TEXT_MENU_OPTIONS));
    AppendMenuText(popupMenu, MF_SEPARATOR, CommandSeparator, nullptr);
    AppendMenuText(popupMenu, 0, CommandHelp, Text(TEXT_MENU_HELP));
    AppendMenuText(popupMenu, 0, CommandVersion, Text(TEXT_MENU_VERSION));
    AppendMenuText(popupMenu, MF_SEPARATOR, CommandSeparator, nullptr);
    AppendMenuText(popupMenu, 0, CommandExit, Text(TEXT_MENU_EXIT));
}

static void AddHotkeyAtoms()
{
    hotkeys[0].id = GlobalAddAtomA("VeltrinKey");
    hotkeys[1].id = GlobalAddAtomA("VeltrinKey2");
    hotkeys[2].id = GlobalAddAtomA("VeltrinKey3");
}

// The start button: by its caption, else the taskbar's first button.
static void FindStartButton()
{
    TaskbarWindows& t = taskbarWindows;
    t.startButton = FindWindowA("Button", "スタート");
    if (!t.startButton) t.startButton = FindWindowExA(t.taskbar, nullptr, "Button", nullptr);
}

// Takes the notification area out of the taskbar and lets it fill the main window; false
// when an ending began meanwhile, which has given the area back already.
static bool TakeNotifyArea()
{
    const TaskbarWindows& t = taskbarWindows;
    GetWindowRect(t.notifyArea, &notifyAreaHomeRect);
    MeasureWindows10TrayRest();
    RECT client{};
    GetClientRect(mainWindow, &client);
    // Marked before the move: the calls into the taskbar's process let other programs' sent
    // messages in (a log-off query, a second copy's close), and their ending must give the
    // notification area back.
    notifyAreaCaptured = true;
    SetParent(t.notifyArea, mainWindow);
    if (endingStarted) return false;
    MoveWindow(t.notifyArea, 0, 0, client.right, client.bottom, TRUE);
    return !endingStarted;
}

// On 6.x with visual styles a saved size below the minimum would cut the clock off.
static void RaiseSavedSizeToMinimum()
{
    int savedWidth = ReadSettingInt(setting::windowWidth);
    int savedHeight = ReadSettingInt(setting::windowHeight);
    RECT r{};
    GetWindowRect(mainWindow, &r);
    const SizeRaise raise = RaiseSavedSize(Size{savedWidth, savedHeight}, Size{r.right - r.left, r.bottom - r.top},
                                           Size{minWidth, minHeight});
    const UINT flags = SWP_NOSENDCHANGING | SWP_NOZORDER | SWP_NOMOVE;
    if (raise.raiseWidth) SetWindowPos(mainWindow, nullptr, 0, 0, raise.widthStep.width, raise.widthStep.height, flags);
    if (raise.raiseHeight) {
        SetWindowPos(mainWindow, nullptr, 0, 0, raise.heightStep.width, raise.heightStep.height, flags);
    }
}

void FitToVisibleIcons()
{
    visibleIconCount = CountVisibleTrayIcons();
    FitWindowToTray(minWidth, minHeight, IsOptionChecked(optionsControls.reSize));
}

bool CaptureNotifyArea()
{
    FindTaskbarWindows();
    TaskbarWindows& t = taskbarWindows;
    titleBarShown = ReadSettingInt(setting::titleBar) == 0 ? 1 : 0;
    ToggleTitleBar(1);
    if (CaptureCutShort()) return false;
    BuildPopupMenu();
    SendMessageA(mainWindow, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont), FALSE);
    AddHotkeyAtoms();
    FindStartButton();

    FaultPoint(FaultSite::capture);
    if (!TakeNotifyArea() && CaptureCutShort()) return false;
    FaultPoint(FaultSite::capture);
    const UINT frameOnly = SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED;
    SetWindowPos(t.notifyArea, HWND_BOTTOM, 0, 0, 0, 0, frameOnly);
    if (CaptureCutShort()) return false;
    SetWindowPos(t.clock, HWND_BOTTOM, 0, 0, 0, 0, frameOnly);
    if (CaptureCutShort()) return false;

    CreateOptionsWindow();
    CreateVersionWindow();
    CreateOptionsControls();
    RegisterHotkeysAtStart();
    CreateVersionControls();
    if (TextsNeedRoom()) {
        FitOptionsWindowToTexts();
        FitWindowToTexts(versionWindow);
    }
    if (!IsVersion60Or61()) CreateClockTipWindow();
    if (CaptureCutShort()) return false;
    FaultPoint(FaultSite::capture);

    ComputeMinimumSize();
    // Windows 10's tray needs more room than the saved size of a new user gives it.
    if ((IsVersion60Or61() && IsThemeActive()) || Windows10TrayRest() > 0) RaiseSavedSizeToMinimum();
    if (IsVersion50To62()) {
        FitToVisibleIcons();
    } else {
        InvalidateRect(t.iconToolbar, nullptr, FALSE);
    }
    if (CaptureCutShort()) return false;
    PrepareWatcherControl(trayWatchControl, mainWindow);
    PrepareWatcherControl(pointerWatchControl, mainWindow);
    // Read at start only: the options window offers no control for it.
    pointerWatchControl.quiet = ReadSettingInt(setting::quietWatch) == 1 ? 1 : 0;
    trayWatchControl.quiet = pointerWatchControl.quiet.load();
    KeepToolbarBlocks(pointerWatchControl.quiet != 0);
    SendToTaskbarBounded(t.iconToolbar, WM_KILLFOCUS, 0, 0);
    SendToTaskbarBounded(t.clock, WM_KILLFOCUS, 0, 0);
    FaultPoint(FaultSite::capture);
    return !CaptureCutShort();
}

void RehostNotifyArea()
{
    // Once the ending has begun the area is the taskbar's for good: a new taskbar (a log-off
    // that another program cancelled leaves the user working on) must not get it taken away
    // by a program that has already said goodbye.
    if (endingStarted) return;
    TaskbarWindows& t = taskbarWindows;
    if (!IsWindow(t.notifyArea)) {
        // Explorer restarted: the recorded windows died with it. Capture the new taskbar's
        // notification area instead, so the main window never stays empty.
        FindTaskbarWindows();
        RetireToolbarBlocks();
        if (!t.notifyArea) return;
        FindStartButton();
        if (TakeNotifyArea()) {
            ComputeMinimumSize();
        } else {
            GiveBackAreaTakenAfterTheEnding();
        }
        return;
    }
    SetParent(t.notifyArea, t.taskbar);
    RetireToolbarBlocks();
    if (endingStarted) return;
    MoveWindow(t.taskbar, 0, 0, notifyAreaHomeRect.right - notifyAreaHomeRect.left,
               notifyAreaHomeRect.bottom - notifyAreaHomeRect.top, TRUE);
    if (endingStarted) return;
    GetWindowRect(t.notifyArea, &notifyAreaHomeRect);
    if (!TakeNotifyArea()) GiveBackAreaTakenAfterTheEnding();
}
