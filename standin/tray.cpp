// Building, laying out and rebuilding the stand-in's taskbar.
#include "tray.h"

#include <commctrl.h>

#include "icons.h"
#include "journal.h"
#include "popups.h"
#include "taskbar_states.h"

TrayTree tray = {};
const Flavour* flavour = nullptr;
HINSTANCE instance = nullptr;
DemoIcons demoIcons = {4, 0x8};
HWND controlWindow = nullptr;

void RegisterWindowClass(const char* name, WNDPROC proc, HBRUSH background, UINT style)
{
    WNDCLASSA cls = {};
    cls.style = style;
    cls.lpfnWndProc = proc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.hbrBackground = background;
    cls.lpszClassName = name;
    RegisterClassA(&cls);
}

namespace {

constexpr int kStartButtonWidth = 60;
constexpr int kPearlifyWidth = 10;

void RegisterTrayClass(const char* name, WNDPROC proc, UINT style = CS_HREDRAW | CS_VREDRAW)
{
    RegisterWindowClass(name, proc, FaceBrush(), style);
}

HWND CreateChild(const char* cls, const char* text, HWND parent, DWORD style = 0, int id = 0)
{
    return CreateTrayChild(cls, text, parent, style, id);
}

void CreateNotifyArea()
{
    // Children are created in the order a program finds them: the first Button, the first
    // SysPager and the first ToolbarWindow32 of each parent are the ones that matter.
    tray.notifyArea = CreateChild("TrayNotifyWnd", "", tray.taskbar, WS_CLIPCHILDREN);
    if (flavour->pagerLayout) {
        tray.hiddenIconsButton = CreateChild("Button", kHiddenIconsText, tray.notifyArea, BS_PUSHBUTTON | BS_FLAT,
                                             kHiddenIconsCommand);
        SendMessageA(tray.hiddenIconsButton, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
        tray.pager = CreateChild("SysPager", "", tray.notifyArea, WS_CLIPCHILDREN);
        tray.iconToolbar = CreateIconToolbar(tray.pager, flavour->iconToolbarCaption, true);
        if (flavour->systemPager) {
            tray.systemPager = CreateChild("SysPager", "", tray.notifyArea, WS_CLIPCHILDREN);
            tray.systemToolbar = CreateIconToolbar(tray.systemPager, "システム コントロール領域", false);
            FillSystemToolbar(tray.systemToolbar);
        }
    } else {
        tray.iconToolbar = CreateIconToolbar(tray.notifyArea, flavour->iconToolbarCaption, true);
    }
    tray.clock = CreateChild("TrayClockWClass", "", tray.notifyArea);
    if (flavour->showDesktopButton) tray.showDesktopButton = CreateChild("TrayShowDesktopButtonWClass", "", tray.notifyArea);
}

void PlaceTopLevelStartButton()
{
    RECT bar;
    GetWindowRect(tray.taskbar, &bar);
    SetWindowPos(tray.startButton, HWND_TOPMOST, bar.left, bar.top, kStartButtonWidth - 12, bar.bottom - bar.top,
                 SWP_NOACTIVATE);
}

// The rebar paints nothing without a band; one empty band stands for the task buttons.
void AddTaskBand()
{
    HWND tasks = CreateWindowExA(0, "MSTaskSwWClass", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, tray.rebar, nullptr,
                                 instance, nullptr);
    REBARBANDINFOA band = {};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE;
    band.fStyle = RBBS_NOGRIPPER;
    band.hwndChild = tasks;
    band.cyMinChild = kTaskbarHeight - 6;
    band.cx = GetSystemMetrics(SM_CXSCREEN);
    SendMessageA(tray.rebar, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

void DestroyToolbar(HWND toolbar)
{
    if (!toolbar || !IsWindow(toolbar)) return;
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    DestroyWindow(toolbar);
    if (images) ImageList_Destroy(images);
}

}  // namespace

HWND CreateTrayChild(const char* cls, const char* text, HWND parent, DWORD style, int id)
{
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

HFONT UiFont()
{
    static HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS UI Gothic");
    return font;
}

HBRUSH FaceBrush()
{
    return GetSysColorBrush(COLOR_BTNFACE);
}

void RegisterTrayClasses()
{
    RegisterTrayClass("Shell_TrayWnd", TaskbarProc);
    RegisterTrayClass("TrayNotifyWnd", NotifyAreaProc);
    // A local class of our own is found before comctl32's pager of the same name; it only
    // has to hold the toolbar and pass its notifications on.
    RegisterTrayClass("SysPager", PagerProc);
    RegisterTrayClass("TrayClockWClass", flavour->modernTray ? ModernClockProc : ClockProc,
                      CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
    RegisterTrayClass("TrayShowDesktopButtonWClass", ShowDesktopProc);
    RegisterTrayClass("TrayPearlifyButtonWClass", PearlifyProc);
    RegisterTrayClass("MSTaskSwWClass", DefWindowProcA);
    RegisterPopupClasses();
    if (flavour->modernTray) RegisterModernClasses();
}

bool withNotifyArea = true;
bool queryEndAtCapture = false;
bool queryEndAtHide = false;

bool DockTaskbar()
{
    // Keeps the height it was given, along the whole bottom edge.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT r;
    GetWindowRect(tray.taskbar, &r);
    const int height = r.bottom - r.top > 0 ? r.bottom - r.top : kTaskbarHeight;
    if (r.left == 0 && r.top == screenHeight - height && r.right == screenWidth && r.bottom == screenHeight) return false;
    SetWindowPos(tray.taskbar, nullptr, 0, screenHeight - height, screenWidth, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void CreateTrayTree()
{
    tray = {};
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    // Top-most and created after Wine's own hidden taskbar, so FindWindow finds this one.
    tray.taskbar = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP | WS_CLIPCHILDREN, 0,
                                   screenHeight - kTaskbarHeight, screenWidth, kTaskbarHeight, nullptr, nullptr,
                                   instance, nullptr);
    tray.rebar = CreateWindowExA(WS_EX_TOOLWINDOW, REBARCLASSNAMEA, "",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                                     CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                                 0, 0, 0, 0, tray.taskbar, nullptr, instance, nullptr);
    JournalBandAreaMoves(tray.rebar);
    AddTaskBand();
    if (flavour->modernTray) {
        // Windows 10's Start button is a taskbar child of its own class; on 11 the island
        // draws it, and whether a window of that class remains is not known.
        if (flavour->island == Island::none) tray.startButton = CreateChild("Start", "Start", tray.taskbar);
    } else if (!flavour->topLevelStartButton) {
        tray.startButton = CreateChild("Button", "スタート", tray.taskbar, BS_PUSHBUTTON);
        SendMessageA(tray.startButton, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    }
    if (withNotifyArea) {
        if (flavour->modernTray) {
            CreateModernNotifyArea();
        } else {
            CreateNotifyArea();
        }
    }
    if (flavour->island != Island::none) CreateIsland();
    // There the overflow window exists from the start and is only shown and hidden.
    if (flavour->modernTray) CreateLastingOverflowWindow();
    if (flavour->pearlifyButton) tray.pearlifyButton = CreateChild("TrayPearlifyButtonWClass", "", tray.taskbar);
    if (flavour->topLevelStartButton) {
        // A top-level window beside the taskbar, not a child of it.
        tray.startButton = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "Button", "スタート",
                                           WS_POPUP | BS_PUSHBUTTON, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
        SendMessageA(tray.startButton, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    }
    ResetTrayIcons();
    AddDemoIcons(controlWindow, demoIcons.count, demoIcons.hiddenMask);
    LayoutTaskbar();
    ShowWindow(tray.taskbar, SW_SHOWNOACTIVATE);
    if (flavour->topLevelStartButton) {
        PlaceTopLevelStartButton();
        ShowWindow(tray.startButton, SW_SHOWNOACTIVATE);
    }
}

void DestroyTrayTree()
{
    CloseTaskbarPopups();
    // The notification area may live inside another program's window; it is still ours,
    // so it goes explicitly, before the taskbar takes its remaining children along.
    DestroyToolbar(tray.iconToolbar);
    DestroyToolbar(tray.systemToolbar);
    if (tray.notifyArea && IsWindow(tray.notifyArea)) DestroyWindow(tray.notifyArea);
    if (tray.startButton && IsWindow(tray.startButton)) DestroyWindow(tray.startButton);
    if (tray.taskbar && IsWindow(tray.taskbar)) DestroyWindow(tray.taskbar);
    ResetTrayIcons();
    tray = {};
}

void RestartTray()
{
    Journal("standin", "restart", "taskbar=" + HandleText(tray.taskbar) + " notify=" + HandleText(tray.notifyArea));
    DestroyTrayTree();
    CreateTrayTree();
    AnnounceTaskbar();
}

void AnnounceTaskbar()
{
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
    Journal("standin", "TaskbarCreated",
            "message=" + Hex(taskbarCreated) + " taskbar=" + HandleText(tray.taskbar) +
                " notify=" + HandleText(tray.notifyArea));
}

bool NotifyAreaInTaskbar()
{
    return tray.notifyArea && GetAncestor(tray.notifyArea, GA_PARENT) == tray.taskbar;
}

void LayoutTaskbar()
{
    if (!tray.taskbar) return;
    if (flavour->modernTray) {
        LayoutModernTaskbar();
        return;
    }
    RECT client;
    GetClientRect(tray.taskbar, &client);
    const int width = client.right, height = client.bottom;
    int left = kStartButtonWidth - 8;  // room for the top-level Start button of 6.x
    if (!flavour->topLevelStartButton && tray.startButton) {
        MoveWindow(tray.startButton, 2, 2, kStartButtonWidth, height - 4, TRUE);
        left = kStartButtonWidth + 4;
    }
    int right = width;
    // A notification area that another program has taken keeps the place it was given.
    if (NotifyAreaInTaskbar()) {
        const int notifyWidth = PreferredNotifyWidth();
        MoveWindow(tray.notifyArea, width - notifyWidth, 0, notifyWidth, height, TRUE);
        right = width - notifyWidth;
    }
    if (tray.pearlifyButton) {
        MoveWindow(tray.pearlifyButton, right - kPearlifyWidth - 2, 2, kPearlifyWidth, height - 4, TRUE);
        right -= kPearlifyWidth + 4;
    }
    MoveWindow(tray.rebar, left, 2, right - left > 0 ? right - left : 0, height - 4, TRUE);
    if (flavour->topLevelStartButton && tray.startButton) PlaceTopLevelStartButton();
}

void RelayoutAfterIconChange()
{
    if (flavour->modernTray) {
        RelayoutModernTray();
        return;
    }
    if (NotifyAreaInTaskbar()) {
        LayoutTaskbar();
    }
    // The notification area keeps its size wherever it is; its children are laid out anew
    // because the toolbar's share of it changed.
    LayoutNotifyArea();
    RefreshOverflowWindow();
}
