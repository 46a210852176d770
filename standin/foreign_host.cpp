#include "foreign_host.h"

#include <string>

#include "journal.h"
#include "tray.h"

namespace {

// The host window last drawn into and the rectangle drawn, in its client coordinates.
HWND lastHost = nullptr;
RECT lastRect = {};
bool copyRequested = false;
bool paintingStopped = false;

POINT ClientOrigin(HWND window)
{
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    return origin;
}

// The window's client area into a bitmap of its own, its visible children composed on top
// in Z order. One bitmap per window rather than one shifted DC: Wine's static control clips
// in device coordinates and would draw at the wrong place in a shared one.
HBITMAP Render(HWND window, HDC reference, int& width, int& height)
{
    RECT client;
    GetClientRect(window, &client);
    width = client.right;
    height = client.bottom;
    if (width <= 0 || height <= 0) return nullptr;
    HBITMAP bitmap = CreateCompatibleBitmap(reference, width, height);
    HDC dc = CreateCompatibleDC(reference);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const POINT origin = ClientOrigin(window);
    // From the bottom of the Z order up, so that a child above covers one below.
    for (HWND child = GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV)) {
        if (!IsWindowVisible(child)) continue;
        int childWidth = 0, childHeight = 0;
        HBITMAP picture = Render(child, reference, childWidth, childHeight);
        if (!picture) continue;
        const POINT at = ClientOrigin(child);
        HDC source = CreateCompatibleDC(reference);
        HGDIOBJ oldPicture = SelectObject(source, picture);
        BitBlt(dc, at.x - origin.x, at.y - origin.y, childWidth, childHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, oldPicture);
        DeleteDC(source);
        DeleteObject(picture);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

// The part of the area that shows on the screen, in the host's client coordinates; null
// when none does.
HRGN VisiblePart(HWND area, HWND host)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    HDC dc = GetDCEx(area, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    const int got = dc ? GetRandomRgn(dc, region, SYSRGN) : 0;
    if (dc) ReleaseDC(area, dc);
    RECT box;
    if (got != 1 || GetRgnBox(region, &box) == NULLREGION) {
        DeleteObject(region);
        return nullptr;
    }
    // The system region is in screen coordinates.
    const POINT origin = ClientOrigin(host);
    OffsetRgn(region, -origin.x, -origin.y);
    return region;
}

void GiveBackLastRect()
{
    if (lastHost && IsWindow(lastHost)) InvalidateRect(lastHost, &lastRect, TRUE);
    if (lastHost) Journal("TrayNotifyWnd", "foreign-copy-end", "host=" + HandleText(lastHost));
    lastHost = nullptr;
    lastRect = {};
}

void DrawInto(HWND host, HWND area)
{
    HDC screen = GetDC(nullptr);
    int width = 0, height = 0;
    HBITMAP picture = Render(area, screen, width, height);
    HRGN visible = picture ? VisiblePart(area, host) : nullptr;
    if (visible) {
        const POINT hostOrigin = ClientOrigin(host), areaOrigin = ClientOrigin(area);
        const int x = areaOrigin.x - hostOrigin.x, y = areaOrigin.y - hostOrigin.y;
        HDC target = GetDCEx(host, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
        if (target) {
            SelectClipRgn(target, visible);
            HDC source = CreateCompatibleDC(screen);
            HGDIOBJ old = SelectObject(source, picture);
            BitBlt(target, x, y, width, height, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
            ReleaseDC(host, target);
        }
        DeleteObject(visible);
        if (host != lastHost) {
            GiveBackLastRect();
            Journal("TrayNotifyWnd", "foreign-copy",
                    "host=" + HandleText(host) + " x=" + std::to_string(x) + " y=" + std::to_string(y) +
                        " w=" + std::to_string(width) + " h=" + std::to_string(height));
        }
        lastHost = host;
        lastRect = {x, y, x + width, y + height};
    }
    if (picture) DeleteObject(picture);
    ReleaseDC(nullptr, screen);
}

}  // namespace

bool RunsUnderWine()
{
    static const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

bool PaintsForeignHosts() { return RunsUnderWine() && !paintingStopped; }
void StopPaintingForeignHosts() { paintingStopped = true; }

void CopyAreaIntoForeignHost()
{
    copyRequested = false;
    if (!PaintsForeignHosts()) return;
    HWND area = tray.notifyArea;
    HWND host = area && IsWindow(area) ? GetAncestor(area, GA_ROOT) : nullptr;
    DWORD hostProcess = 0;
    if (host) GetWindowThreadProcessId(host, &hostProcess);
    if (!host || hostProcess == GetCurrentProcessId() || !IsWindowVisible(area)) {
        GiveBackLastRect();
        return;
    }
    DrawInto(host, area);
}

void RequestForeignCopy()
{
    if (!PaintsForeignHosts() || copyRequested || !tray.notifyArea) return;
    DWORD hostProcess = 0;
    GetWindowThreadProcessId(GetAncestor(tray.notifyArea, GA_ROOT), &hostProcess);
    if (hostProcess == GetCurrentProcessId()) return;
    copyRequested = PostMessageA(tray.notifyArea, kForeignCopyMessage, 0, 0) != FALSE;
}

void ForgetForeignHost()
{
    copyRequested = false;
    GiveBackLastRect();
}
