// The clock of Windows 10 from 1607 and its calendar. The clock no longer answers the private
// requests for the flyout and the tooltip; a left press followed by a release on it opens the
// calendar, a top-level Windows.UI.Core.CoreWindow at the taskbar's corner that takes the
// activation and closes as soon as it loses it. Resting the pointer on the clock shows the
// clock's own tooltip control, which asks it for the date with TTN_NEEDTEXT.
// The calendar is a window of another program than the taskbar there; here it lives on a
// thread of its own, so that a switch of the foreground to the taskbar takes the activation
// from it as it would on Windows 10 (a switch between two windows of one thread is none).
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <string>

#include "journal.h"
#include "paint.h"
#include "popups.h"
#include "tray.h"

namespace {

constexpr char kCalendarClass[] = "Windows.UI.Core.CoreWindow";
constexpr char kCalendarTitle[] = "Date and Time Information";
constexpr int kCalendarWidth = 360;
constexpr int kCalendarHeight = 480;
constexpr char kCalendarHostClass[] = "VtCalendarHost";
constexpr UINT kCloseOnDeactivation = WM_APP + 20;
// The calendar thread's host window: open (result 1 when open), close (lParam the reason).
constexpr UINT kOpenOnHost = WM_APP + 21;
constexpr UINT kCloseOnHost = WM_APP + 22;
// A press that took the activation from the calendar reaches the clock right after.
constexpr DWORD kPressAfterDeactivationMs = 1000;

// Written on the calendar's thread, read on the taskbar's.
std::atomic<HWND> calendar{nullptr};
std::atomic<bool> closedByClockPress{false};
std::atomic<DWORD> closedByClockPressAt{0};
HWND calendarHost = nullptr;

bool CloseCalendarHere(const char* reason);

// The clock's press, waiting for its release, and whether the calendar was open at it.
bool pressed = false;
bool openAtPress = false;
HWND clockTooltip = nullptr;

std::string Rect(const RECT& r)
{
    return "x=" + std::to_string(r.left) + " y=" + std::to_string(r.top) + " w=" + std::to_string(r.right - r.left) +
           " h=" + std::to_string(r.bottom - r.top);
}

// Above a taskbar along the bottom edge (below one along the top, beside a vertical one),
// flush with its far end: where Windows opens the calendar, wherever the clock now is.
POINT CornerOfTaskbar(int width, int height)
{
    RECT bar = {};
    GetWindowRect(tray.taskbar, &bar);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    POINT at;
    if (bar.right - bar.left >= bar.bottom - bar.top) {
        at.x = bar.right - width;
        at.y = bar.top >= screenHeight / 2 ? bar.top - height : bar.bottom;
    } else {
        at.x = bar.left >= screenWidth / 2 ? bar.left - width : bar.right;
        at.y = bar.bottom - height;
    }
    at.x = at.x < 0 ? 0 : (at.x + width > screenWidth ? screenWidth - width : at.x);
    at.y = at.y < 0 ? 0 : (at.y + height > screenHeight ? screenHeight - height : at.y);
    return at;
}

bool CursorOnClock()
{
    POINT cursor = {};
    RECT clock = {};
    return tray.clock && GetCursorPos(&cursor) && GetWindowRect(tray.clock, &clock) && PtInRect(&clock, cursor);
}

void PaintCalendar(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    PaintMonthView(dc, client);
}

LRESULT CALLBACK CalendarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (HandlePaintMessage(window, message, wParam, PaintCalendar)) return 0;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && window == calendar) {
            const bool byClockPress = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0 && CursorOnClock();
            // Not the window it went to: Wine names it or not, by the timing of the threads.
            Journal(kCalendarClass, "deactivated", std::string("clockPress=") + (byClockPress ? "1" : "0"));
            if (byClockPress) {
                closedByClockPressAt = GetTickCount();
                closedByClockPress = true;
            }
            // Closed once the activation has moved on, not in the middle of it.
            PostMessageA(window, kCloseOnDeactivation, 0, 0);
        }
        break;
    case kCloseOnDeactivation:
        if (window == calendar) CloseCalendarHere("deactivated");
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (window == calendar && !(pos->flags & SWP_NOMOVE)) {
            Journal(kCalendarClass, "moved", "x=" + std::to_string(pos->x) + " y=" + std::to_string(pos->y));
        }
        break;
    }
    case WM_DESTROY:
        if (window == calendar) calendar = nullptr;
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string LongDate()
{
    char text[80] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, text, sizeof text);
    return text;
}

void CreateClockTooltip(HWND clock)
{
    // TTS_ALWAYSTIP: the taskbar is seldom the active window. The tool is the clock window
    // itself, so the tooltip follows it to whatever window holds it.
    clockTooltip = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, clock, nullptr, instance, nullptr);
    if (!clockTooltip) return;
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = clock;
    tool.uId = reinterpret_cast<UINT_PTR>(clock);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(clockTooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

// The tooltip control's notifications to the clock: the text asked for, shown, hidden.
bool AnswerTooltip(NMHDR* header)
{
    if (!header || header->hwndFrom != clockTooltip) return false;
    static std::string text;
    switch (header->code) {
    case TTN_NEEDTEXTA:
        text = LongDate();
        reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = &text[0];
        Journal("TrayClockWClass", "TTN_NEEDTEXT", "text=" + OneLine(text));
        return true;
    case TTN_NEEDTEXTW: {
        static WCHAR wide[80];
        text = LongDate();
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 80);
        reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = wide;
        Journal("TrayClockWClass", "TTN_NEEDTEXT", "text=" + OneLine(text));
        return true;
    }
    case TTN_SHOW:
        // Named by its tool: the stand-in has other tooltip controls, met in no fixed order.
        Journal("tooltips_class32", "shown", "tool=TrayClockWClass");
        return false;  // placed by the control itself
    case TTN_POP:
        Journal("tooltips_class32", "hidden", "tool=TrayClockWClass");
        return true;
    }
    return false;
}

bool OpenCalendarHere()
{
    if (calendar) return true;
    const POINT at = CornerOfTaskbar(kCalendarWidth, kCalendarHeight);
    calendar = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kCalendarClass, kCalendarTitle, WS_POPUP | WS_BORDER,
                               at.x, at.y, kCalendarWidth, kCalendarHeight, nullptr, nullptr, instance, nullptr);
    if (!calendar) return false;
    const HWND opened = calendar;
    ShowWindow(opened, SW_SHOW);
    SetForegroundWindow(opened);
    RECT rect = {};
    GetWindowRect(opened, &rect);
    Journal(kCalendarClass, "opened",
            "hwnd=" + HandleText(opened) + " " + Rect(rect) +
                " foreground=" + (GetForegroundWindow() == opened ? "1" : "0"));
    return true;
}

bool CloseCalendarHere(const char* reason)
{
    const HWND old = calendar.exchange(nullptr);
    if (!old) return false;
    DestroyWindow(old);
    Journal(kCalendarClass, "closed", "hwnd=" + HandleText(old) + " reason=" + reason);
    return true;
}

LRESULT CALLBACK CalendarHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kOpenOnHost) return OpenCalendarHere() ? 1 : 0;
    if (message == kCloseOnHost) return CloseCalendarHere(reinterpret_cast<const char*>(lParam)) ? 1 : 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

DWORD WINAPI CalendarThread(LPVOID ready)
{
    calendarHost = CreateWindowExA(0, kCalendarHostClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    SetEvent(static_cast<HANDLE>(ready));
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

// The calendar's thread, started with the first calendar and kept for the stand-in's life.
HWND CalendarHost()
{
    if (calendarHost) return calendarHost;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, CalendarThread, ready, 0, nullptr);
    if (thread) {
        WaitForSingleObject(ready, 5000);
        CloseHandle(thread);
    }
    CloseHandle(ready);
    return calendarHost;
}

}  // namespace

bool OpenCalendar()
{
    HWND host = CalendarHost();
    return host && SendMessageA(host, kOpenOnHost, 0, 0) != 0;
}

bool CloseCalendar(const char* reason)
{
    return calendarHost && SendMessageA(calendarHost, kCloseOnHost, 0, reinterpret_cast<LPARAM>(reason)) != 0;
}

bool CalendarOpen()
{
    return calendar != nullptr;
}

bool TakeCalendarClosedByClockPress()
{
    const bool taken = closedByClockPress.exchange(false);
    return taken && GetTickCount() - closedByClockPressAt <= kPressAfterDeactivationMs;
}

void RegisterCalendarClass()
{
    RegisterWindowClass(kCalendarClass, CalendarProc);
    WNDCLASSA host = {};
    host.lpfnWndProc = CalendarHostProc;
    host.hInstance = instance;
    host.lpszClassName = kCalendarHostClass;
    RegisterClassA(&host);
}

LRESULT CALLBACK ModernClockProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const std::string params =
        "wParam=" + std::to_string(static_cast<UINT_PTR>(wParam)) + " lParam=" + Hex(static_cast<UINT_PTR>(lParam));
    switch (message) {
    case WM_CREATE:
        CreateClockTooltip(window);
        break;
    case WM_DESTROY:
        if (clockTooltip) DestroyWindow(clockTooltip);
        clockTooltip = nullptr;
        pressed = false;
        break;
    case WM_USER + 102:
    case WM_USER + 103:
        // Still sent by older tools; the clock has no answer for them any more.
        Journal("TrayClockWClass", message == WM_USER + 102 ? "WM_USER+102" : "WM_USER+103", params + " effect=none");
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressed = true;
        // Asked first whether it is open, then whether a press closed it: on its own thread
        // the calendar may lose the activation to this press in between. The flag is taken
        // at every press: the calendar may also still be closing when it comes.
        openAtPress = CalendarOpen();
        openAtPress = TakeCalendarClosedByClockPress() || openAtPress;
        Journal("TrayClockWClass", message == WM_LBUTTONDOWN ? "WM_LBUTTONDOWN" : "WM_LBUTTONDBLCLK",
                params + " calendar=" + (openAtPress ? "open" : "closed") +
                    (TakePosted(window, message) ? " posted=1" : ""));
        return 0;
    case WM_LBUTTONUP: {
        // A release toggles what the press found; one without a press does nothing.
        const bool posted = TakePosted(window, message);
        const char* effect = "none";
        if (pressed) {
            if (openAtPress) {
                CloseCalendar("clock");
                // Its loss of the activation to the press may have come after the press.
                TakeCalendarClosedByClockPress();
                effect = "closed";
            } else {
                effect = OpenCalendar() ? "opened" : "failed";
            }
        }
        pressed = false;
        Journal("TrayClockWClass", "WM_LBUTTONUP",
                params + " calendar=" + effect + (posted ? " posted=1" : ""));
        return 0;
    }
    case WM_NOTIFY:
        if (AnswerTooltip(reinterpret_cast<NMHDR*>(lParam))) return 0;
        break;
    }
    return ClockProc(window, message, wParam, lParam);
}
