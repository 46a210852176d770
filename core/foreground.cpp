// Hands the foreground to a window: Windows refuses SetForegroundWindow to a thread that
// does not own the foreground, so the two threads' input is joined and the foreground-lock
// time-out is zero for the moment of the switch.
#include "core/foreground.h"

#include "core/shared_state.h"
#include "core/test_switches.h"

namespace {

// The time-out is the user's system-wide setting, and the main thread and both watchers
// switch the foreground, at times all at once. Each caller saving and restoring it by
// itself, a second caller would save the first one's zero and "restore" that, and the
// user's system would keep a zero time-out until the next log-off. So the first caller in
// saves the user's value and the last one out puts it back. The guard covers only these
// reads and writes of the setting, never the switch itself, which may wait on other threads.
CRITICAL_SECTION timeoutGuard;
struct GuardSetUp {
    GuardSetUp() { InitializeCriticalSection(&timeoutGuard); }
} guardSetUp;
int callersInside;
SharedWord usersTimeout;
SharedWord timeoutZeroed;

void ZeroForegroundLockTimeout()
{
    EnterCriticalSection(&timeoutGuard);
    if (callersInside++ == 0) {
        DWORD saved = 0;
        SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &saved, 0);
        usersTimeout = static_cast<int32_t>(saved);
        timeoutZeroed = 1;
        SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
    }
    LeaveCriticalSection(&timeoutGuard);
}

void SetUsersTimeout()
{
    const auto saved = static_cast<UINT_PTR>(static_cast<uint32_t>(usersTimeout.load()));
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(saved), 0);
}

void RestoreForegroundLockTimeout()
{
    EnterCriticalSection(&timeoutGuard);
    if (--callersInside == 0) {
        SetUsersTimeout();
        timeoutZeroed = 0;
    }
    LeaveCriticalSection(&timeoutGuard);
}

}  // namespace

void BringWindowToFront(HWND window, HWND other, int show, int useOther)
{
    if (show && !IsWindowVisible(window)) ShowWindow(window, SW_SHOW);
    HWND joined = useOther ? other : GetForegroundWindow();
    DWORD targetThread = GetWindowThreadProcessId(joined, nullptr);
    DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    if (targetThread == windowThread) return;

    AttachThreadInput(windowThread, targetThread, TRUE);
    ZeroForegroundLockTimeout();
    // Lets a test make calls from several threads overlap for certain.
    if (TestSwitchOn("HOLD_FOREGROUND")) Sleep(400);
    SetForegroundWindow(window);
    RestoreForegroundLockTimeout();
    AttachThreadInput(windowThread, targetThread, FALSE);

    if (show) {
        SetWindowPos(other, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
        InvalidateRect(window, nullptr, FALSE);
    }
}

void PutBackForegroundLockTimeout()
{
    if (timeoutZeroed) SetUsersTimeout();
}
