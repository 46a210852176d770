// WM_PAINT and WM_PRINTCLIENT for the stand-in's windows.
#include "paint.h"

bool HandlePaintMessage(HWND window, UINT message, WPARAM wParam, Painter paint)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        paint(window, dc);
        EndPaint(window, &ps);
        return true;
    }
    case WM_PRINTCLIENT:
        paint(window, reinterpret_cast<HDC>(wParam));
        return true;
    default:
        return false;
    }
}
