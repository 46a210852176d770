// The clock tooltip window, created hidden at capture. What it shows (date and weekday) and
// when it hides again come with the pointer watcher's clock handling.
#include "watch/clock_tip.h"

#include <windows.h>

#include "app/messages.h"
#include "app/shared_state.h"

void CreateClockTipWindow()
{
    WNDCLASSA c{};
    c.style = CS_DBLCLKS;
    c.lpfnWndProc = DefWindowProcA;
    c.hInstance = instance;
    c.hIcon = LoadIconA(instance, "Main");
    c.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
    c.lpszClassName = ClockTipWindowClass;
    RegisterClassA(&c);
    clockTipWindow = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, ClockTipWindowClass, nullptr, WS_POPUP | WS_BORDER,
                                     0, 0, 120, 20, mainWindow, nullptr, instance, nullptr);
}
