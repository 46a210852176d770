// The clock tooltip window, created hidden at capture. What it shows (date and weekday) and
// when it hides again come with the pointer watcher's clock handling.
#include "watch/clock_tip.h"

#include <windows.h>

#include "core/messages.h"
#include "core/shared_state.h"
#include "core/window_class.h"

void CreateClockTipWindow()
{
    RegisterProgramClass(ClockTipWindowClass, DefWindowProcA, 0, true, COLOR_INFOBK);
    clockTipWindow = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, ClockTipWindowClass, nullptr, WS_POPUP | WS_BORDER,
                                     0, 0, 120, 20, mainWindow, nullptr, instance, nullptr);
}
