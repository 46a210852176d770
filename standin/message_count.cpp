#include "message_count.h"

namespace {

LONG messages = 0;
LONG notices = 0;
HHOOK sentHook = nullptr;
HHOOK postedHook = nullptr;

LRESULT CALLBACK CountSent(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == 0) {
        const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        ++messages;
        if (sent->message == WM_USER + 104) ++notices;
    }
    return CallNextHookEx(sentHook, code, wParam, lParam);
}

LRESULT CALLBACK CountPosted(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        const UINT message = reinterpret_cast<const MSG*>(lParam)->message;
        if (message == WM_NCHITTEST || message == WM_NCLBUTTONDOWN || message == WM_RBUTTONUP) ++messages;
    }
    return CallNextHookEx(postedHook, code, wParam, lParam);
}

}  // namespace

void StartMessageCount()
{
    // For WH_CALLWNDPROC, wParam is zero when the message came from another thread.
    sentHook = SetWindowsHookExA(WH_CALLWNDPROC, CountSent, nullptr, GetCurrentThreadId());
    postedHook = SetWindowsHookExA(WH_GETMESSAGE, CountPosted, nullptr, GetCurrentThreadId());
}

LONG MessagesReceived()
{
    return messages;
}

LONG PointerNoticesReceived()
{
    return notices;
}
