// TrayNotifyWnd and the small windows inside it. The notification area lays its children
// out from its own client size, so it keeps working wherever it is re-parented and however
// it is sized: a row when it is wider than high, a column otherwise.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "foreign_host.h"
#include "icons.h"
#include "journal.h"
#include "paint.h"
#include "popups.h"
#include "tray.h"

namespace {

constexpr int kEdge = 2;  // the sunken border
constexpr int kHiddenIconsButtonSize = 16;
constexpr int kShowDesktopSize = 14;
constexpr int kClockHeight = 24;
constexpr int kMinimumNotifyWidth = 200;

int SystemIconCount()
{
    return tray.systemToolbar ? static_cast<int>(SendMessageW(tray.systemToolbar, TB_BUTTONCOUNT, 0, 0)) : 0;
}

void Place(HWND window, int x, int y, int width, int height)
{
    if (window) MoveWindow(window, x, y, width > 0 ? width : 0, height > 0 ? height : 0, TRUE);
}

// The toolbar fills its pager; it re-wraps its buttons to the new width.
void PlaceToolbar(HWND holder, HWND toolbar, int x, int y, int width, int height)
{
    if (!toolbar) return;
    if (holder != tray.notifyArea) {
        Place(holder, x, y, width, height);
        Place(toolbar, 0, 0, width, height);
    } else {
        Place(toolbar, x, y, width, height);
    }
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
}

void LayoutRow(int width, int height)
{
    const int top = kEdge, inner = height - 2 * kEdge;
    int left = kEdge, right = width - kEdge;
    if (tray.showDesktopButton) {
        Place(tray.showDesktopButton, width - kShowDesktopSize, 0, kShowDesktopSize, height);
        right = width - kShowDesktopSize;
    }
    const int clockWidth = ClockPreferredWidth();
    Place(tray.clock, right - clockWidth, top, clockWidth, inner);
    right -= clockWidth;
    if (tray.hiddenIconsButton) {
        Place(tray.hiddenIconsButton, left, top + (inner - kHiddenIconsButtonSize) / 2, kHiddenIconsButtonSize,
              kHiddenIconsButtonSize);
        left += kHiddenIconsButtonSize + 2;
    }
    const int toolbarHeight = inner < kIconButtonSize ? inner : kIconButtonSize;
    const int toolbarTop = top + (inner - toolbarHeight) / 2;
    if (tray.systemPager) {
        const int systemWidth = SystemIconCount() * kIconButtonSize;
        PlaceToolbar(tray.systemPager, tray.systemToolbar, right - systemWidth, toolbarTop, systemWidth, toolbarHeight);
        right -= systemWidth;
    }
    PlaceToolbar(tray.pager ? tray.pager : tray.notifyArea, tray.iconToolbar, left, toolbarTop, right - left,
                 toolbarHeight);
}

void LayoutColumn(int width, int height)
{
    const int left = kEdge, inner = width - 2 * kEdge;
    int top = kEdge, bottom = height - kEdge;
    if (tray.showDesktopButton) {
        Place(tray.showDesktopButton, 0, height - kShowDesktopSize, width, kShowDesktopSize);
        bottom = height - kShowDesktopSize;
    }
    Place(tray.clock, left, bottom - kClockHeight, inner, kClockHeight);
    bottom -= kClockHeight;
    if (tray.hiddenIconsButton) {
        Place(tray.hiddenIconsButton, left + (inner - kHiddenIconsButtonSize) / 2, top, kHiddenIconsButtonSize,
              kHiddenIconsButtonSize);
        top += kHiddenIconsButtonSize + 2;
    }
    const int perRow = inner / kIconButtonSize > 0 ? inner / kIconButtonSize : 1;
    if (tray.systemPager) {
        const int rows = (SystemIconCount() + perRow - 1) / perRow;
        PlaceToolbar(tray.systemPager, tray.systemToolbar, left, bottom - rows * kIconButtonSize, inner,
                     rows * kIconButtonSize);
        bottom -= rows * kIconButtonSize;
    }
    PlaceToolbar(tray.pager ? tray.pager : tray.notifyArea, tray.iconToolbar, left, top, inner, bottom - top);
}

void PaintNotifyArea(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, FaceBrush());
    // Flat from Windows 10 on.
    if (!flavour->modernTray) DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
}

// Tooltips of the icon buttons come from the icon records.
bool AnswerInfoTip(NMHDR* header)
{
    if (header->code == TBN_GETINFOTIPA) {
        NMTBGETINFOTIPA* tip = reinterpret_cast<NMTBGETINFOTIPA*>(header);
        for (const TrayIcon& icon : TrayIcons()) {
            if (icon.command == tip->iItem && tip->pszText && tip->cchTextMax > 0) {
                lstrcpynA(tip->pszText, icon.tip.c_str(), tip->cchTextMax);
                return true;
            }
        }
    } else if (header->code == TBN_GETINFOTIPW) {
        NMTBGETINFOTIPW* tip = reinterpret_cast<NMTBGETINFOTIPW*>(header);
        for (const TrayIcon& icon : TrayIcons()) {
            if (icon.command == tip->iItem && tip->pszText && tip->cchTextMax > 0) {
                MultiByteToWideChar(932, 0, icon.tip.c_str(), -1, tip->pszText, tip->cchTextMax);
                tip->pszText[tip->cchTextMax - 1] = L'\0';
                return true;
            }
        }
    }
    return false;
}

void HandleCommand(WPARAM wParam, LPARAM lParam)
{
    const HWND from = reinterpret_cast<HWND>(lParam);
    std::string outcome = "ignored";
    if (LOWORD(wParam) == kHiddenIconsCommand && HIWORD(wParam) == BN_CLICKED && from && from == tray.hiddenIconsButton) {
        outcome = ToggleOverflowWindow(tray.hiddenIconsButton) ? "overflow-open" : "overflow-closed";
    }
    Journal("TrayNotifyWnd", "WM_COMMAND",
            "wParam=" + std::to_string(static_cast<UINT_PTR>(wParam)) + " lParam=" + Hex(static_cast<UINT_PTR>(lParam)) +
                " result=" + outcome);
}

// Every re-parenting, so that a test can follow who held the notification area: SetParent
// moves the window and so tells it with WM_WINDOWPOSCHANGED.
void JournalNewParent(HWND window)
{
    static HWND lastParent;
    const HWND parent = GetAncestor(window, GA_PARENT);
    if (parent == lastParent) return;
    lastParent = parent;
    char cls[64] = {};
    GetClassNameA(parent, cls, sizeof cls);
    DWORD pid = 0;
    GetWindowThreadProcessId(parent, &pid);
    Journal("TrayNotifyWnd", "parent",
            "hwnd=" + HandleText(window) + " parent=" + HandleText(parent) + " class=" + cls + " pid=" + std::to_string(pid));
    if (queryEndAtCapture && std::string(cls) == "TVeltrWnd") {
        queryEndAtCapture = false;
        DWORD_PTR answer = 0;
        const bool answered = SendMessageTimeoutA(parent, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 20000, &answer) != 0;
        Journal("standin", "query-end", "answered=" + std::to_string(answered) + " answer=" + std::to_string(answer));
    }
}

// SetParent hides the window first, then moves it and shows it again: a log-off query sent
// at the hide reaches the program before the area has left the taskbar.
void QueryEndAtHide(HWND window, const WINDOWPOS& position)
{
    if (!queryEndAtHide || !(position.flags & SWP_HIDEWINDOW) || GetAncestor(window, GA_PARENT) != tray.taskbar) return;
    HWND program = FindWindowA("TVeltrWnd", nullptr);
    if (!program) return;
    queryEndAtHide = false;
    DWORD_PTR answer = 0;
    const bool answered = SendMessageTimeoutA(program, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 20000, &answer) != 0;
    Journal("standin", "query-end", "answered=" + std::to_string(answered) + " answer=" + std::to_string(answer));
}

}  // namespace

int PreferredNotifyWidth()
{
    if (flavour->modernTray) return ModernNotifyWidth();
    int width = 2 * kEdge + ClockPreferredWidth() + VisibleTrayIconCount() * kIconButtonSize;
    if (tray.hiddenIconsButton) width += kHiddenIconsButtonSize + 2;
    if (tray.systemPager) width += SystemIconCount() * kIconButtonSize;
    if (tray.showDesktopButton) width += kShowDesktopSize;
    return width < kMinimumNotifyWidth ? kMinimumNotifyWidth : width;
}

void LayoutNotifyArea()
{
    if (!tray.notifyArea) return;
    RECT client;
    GetClientRect(tray.notifyArea, &client);
    if (flavour->modernTray) {
        LayoutModernNotifyArea(client.right, client.bottom);
    } else if (client.right >= client.bottom) {
        LayoutRow(client.right, client.bottom);
    } else {
        LayoutColumn(client.right, client.bottom);
    }
}

LRESULT CALLBACK NotifyAreaProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        if (PaintsForeignHosts()) SetTimer(window, kForeignCopyTimer, kForeignCopyPeriodMs, nullptr);
        return 0;
    case WM_TIMER:
        if (wParam == kForeignCopyTimer) CopyAreaIntoForeignHost();
        return 0;
    case kForeignCopyMessage:
        CopyAreaIntoForeignHost();
        return 0;
    case WM_DESTROY:
        KillTimer(window, kForeignCopyTimer);
        ForgetForeignHost();
        return 0;
    case WM_SIZE:
        if (window == tray.notifyArea) {
            Journal("TrayNotifyWnd", "WM_SIZE",
                    "w=" + std::to_string(LOWORD(lParam)) + " h=" + std::to_string(HIWORD(lParam)) +
                        " layout=" + (LOWORD(lParam) >= HIWORD(lParam) ? "row" : "column"));
            LayoutNotifyArea();
        }
        return 0;
    case WM_WINDOWPOSCHANGED:
        if (window == tray.notifyArea) {
            QueryEndAtHide(window, *reinterpret_cast<const WINDOWPOS*>(lParam));
            JournalNewParent(window);
        }
        break;
    case WM_COMMAND:
        HandleCommand(wParam, lParam);
        return 0;
    case WM_NOTIFY:
        if (AnswerInfoTip(reinterpret_cast<NMHDR*>(lParam))) return 0;
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        PaintNotifyArea(window, dc);
        EndPaint(window, &ps);
        RequestForeignCopy();
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintNotifyArea(window, reinterpret_cast<HDC>(wParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK PagerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY:
    case WM_COMMAND:
        // The toolbar's notifications belong to the notification area, as with a real pager.
        return SendMessageA(GetParent(window), message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

namespace {

void PaintShowDesktop(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, FaceBrush());
    DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
}

void PaintPearlify(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_HIGHLIGHT));
}

LRESULT PaintOnly(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Painter paint)
{
    if (HandlePaintMessage(window, message, wParam, paint)) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK ShowDesktopProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PaintOnly(window, message, wParam, lParam, PaintShowDesktop);
}

LRESULT CALLBACK PearlifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PaintOnly(window, message, wParam, lParam, PaintPearlify);
}
