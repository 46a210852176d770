// Shell_TrayWnd: lays out its bands, takes notification icons over WM_COPYDATA and records
// the clicks and moves other programs make on it.
#include <string>

#include "journal.h"
#include "tray.h"

namespace {

// x and y of a point packed into an LPARAM, sign and all.
std::string PointParams(WPARAM wParam, LPARAM lParam)
{
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    return "wParam=" + std::to_string(static_cast<UINT_PTR>(wParam)) + " lParam=" + Hex(static_cast<UINT_PTR>(lParam)) +
           " x=" + std::to_string(x) + " y=" + std::to_string(y);
}

void PaintTaskbar(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, FaceBrush());
    DrawEdge(dc, &client, BDR_RAISEDINNER, BF_TOP);
}

// The wait window as a test compares it whatever the screen: its place from the screen's
// centre, its size and its first child's text. Read from the window manager, not asked of
// the program, whose thread does not answer during its ending.
std::string WaitWindowParams(HWND wait)
{
    if (!wait) return std::string();
    RECT rect;
    GetWindowRect(wait, &rect);
    char text[256] = "";
    GetWindowTextA(GetWindow(wait, GW_CHILD), text, sizeof text);
    return " waitDx=" + std::to_string(rect.left - GetSystemMetrics(SM_CXSCREEN) / 2) +
           " waitDy=" + std::to_string(rect.top - GetSystemMetrics(SM_CYSCREEN) / 2) +
           " waitW=" + std::to_string(rect.right - rect.left) + " waitH=" + std::to_string(rect.bottom - rect.top) +
           " waitText=" + Escaped(text);
}

}  // namespace

LRESULT CALLBACK TaskbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        Journal("Shell_TrayWnd", "WM_SIZE",
                "wParam=" + std::to_string(static_cast<UINT_PTR>(wParam)) + " lParam=" + Hex(static_cast<UINT_PTR>(lParam)) +
                    " w=" + std::to_string(LOWORD(lParam)) + " h=" + std::to_string(HIWORD(lParam)) +
                    (TakePosted(window, message) ? " posted=1" : ""));
        // The size in lParam may be anything a sender chose (0, 0 after a MoveWindow):
        // the layout goes by the real client area. Like a real taskbar, one that was moved
        // away from its screen edge docks there again.
        if (window == tray.taskbar && !DockTaskbar()) LayoutTaskbar();
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        RECT rect;
        GetWindowRect(window, &rect);
        Journal("Shell_TrayWnd", "WM_WINDOWPOSCHANGED",
                "x=" + std::to_string(rect.left) + " y=" + std::to_string(rect.top) +
                    " w=" + std::to_string(rect.right - rect.left) + " h=" + std::to_string(rect.bottom - rect.top) +
                    " flags=" + Hex(pos->flags) +
                    // Whether the program's wait window is up while it moves the taskbar.
                    " waitWindow=" + (FindWindowA("WaitWnd", nullptr) ? "1" : "0") +
                    WaitWindowParams(FindWindowA("WaitWnd", nullptr)));
        break;
    }
    case WM_RBUTTONUP:
        Journal("Shell_TrayWnd", "WM_RBUTTONUP", PointParams(wParam, lParam));
        return 0;
    case WM_NCHITTEST: {
        const LRESULT hit = DefWindowProcA(window, message, wParam, lParam);
        Journal("Shell_TrayWnd", "WM_NCHITTEST", PointParams(wParam, lParam) + " result=" + std::to_string(hit));
        return hit;
    }
    case WM_NCLBUTTONDOWN:
        // Journaled only: the default handling of some hit-test codes would start a modal
        // move or tracking loop.
        Journal("Shell_TrayWnd", "WM_NCLBUTTONDOWN",
                PointParams(wParam, lParam) + (TakePosted(window, message) ? " posted=1" : ""));
        return 0;
    case WM_COPYDATA:
        return HandleNotifyIconData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        PaintTaskbar(window, dc);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintTaskbar(window, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_CLOSE:
        // Only the stand-in itself decides when its taskbar goes.
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
