// See taskbar_states.h.
#include "taskbar_states.h"

#include <string>

#include "journal.h"
#include "tray.h"

namespace {

constexpr int kCollapsedHeight = 2;
WNDPROC rebarProc = nullptr;

LRESULT CALLBACK BandAreaProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WINDOWPOSCHANGED) {
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
            RECT r;
            GetWindowRect(window, &r);
            MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
            Journal("ReBarWindow32", "moved",
                    "x=" + std::to_string(r.left) + " y=" + std::to_string(r.top) +
                        " w=" + std::to_string(r.right - r.left) + " h=" + std::to_string(r.bottom - r.top));
        }
    }
    return CallWindowProcA(rebarProc, window, message, wParam, lParam);
}

}  // namespace

void CollapseTaskbar(bool collapsed)
{
    const int height = collapsed ? kCollapsedHeight : kTaskbarHeight;
    SetWindowPos(tray.taskbar, nullptr, 0, GetSystemMetrics(SM_CYSCREEN) - height, GetSystemMetrics(SM_CXSCREEN),
                 height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void RestoreStaticEdge()
{
    const LONG style = GetWindowLongA(tray.notifyArea, GWL_EXSTYLE);
    SetWindowLongA(tray.notifyArea, GWL_EXSTYLE, style | WS_EX_STATICEDGE);
    SetWindowPos(tray.notifyArea, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void JournalBandAreaMoves(HWND rebar)
{
    const WNDPROC previous =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(rebar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BandAreaProc)));
    // Every taskbar's band area is of the same class, so one saved procedure serves all.
    if (previous != BandAreaProc) rebarProc = previous;
}
