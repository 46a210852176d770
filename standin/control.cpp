// VtStandInControl: the hidden window through which a test steers the stand-in. A command
// is WM_COPYDATA with dwData 0x5654 and the command text (CP932, no terminating zero
// needed); the reply is the LRESULT: 1 done, 0 refused, or the number asked for.
//   add ID [hidden] TIP...   an icon of the stand-in's own (owner: this window)
//   hide ID | show ID | remove ID
//   restart                  a fresh taskbar, then "TaskbarCreated" to everyone
//   tclock start | tclock end
//   flyout close | calendar close | overflow close
//   count | visible          buttons of the notification toolbar, all or shown only
//   report                   journals where TrayNotifyWnd is: parent and screen rectangle
//   collapse on | collapse off   the taskbar shrinks to a 2-pixel client area, or is whole again
//   staticedge               WS_EX_STATICEDGE back on the notification area
//   query-end capture        a log-off query to the next program that takes the notification area
//   query-end hide           the same, sent at the area's hide step, before it has moved
//   messages | notices       counts kept with --count-messages (message_count.h)
//   quit
#include <cstdlib>
#include <sstream>
#include <string>

#include "control.h"
#include "icons.h"
#include "journal.h"
#include "message_count.h"
#include "popups.h"
#include "taskbar_states.h"
#include "tray.h"

namespace {

constexpr ULONG_PTR kCommandTag = 0x5654;

bool ParseId(const std::string& text, UINT& id)
{
    if (text.empty()) return false;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 10);
    if (*end != '\0') return false;
    id = static_cast<UINT>(value);
    return true;
}

std::string Rest(std::istringstream& in)
{
    std::string rest;
    std::getline(in, rest);
    const size_t start = rest.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : rest.substr(start);
}

LRESULT AddOwnIcon(std::istringstream& in)
{
    std::string word;
    UINT id = 0;
    if (!(in >> word) || !ParseId(word, id)) return 0;
    IconChange initial;
    initial.setTip = true;
    initial.tip = Rest(in);
    if (initial.tip == "hidden" || initial.tip.compare(0, 7, "hidden ") == 0) {
        initial.setHidden = true;
        initial.hidden = true;
        initial.tip = initial.tip.size() > 7 ? initial.tip.substr(7) : std::string();
    }
    return AddTrayIcon(controlWindow, id, initial) ? 1 : 0;
}

LRESULT ChangeOwnIcon(const std::string& verb, std::istringstream& in)
{
    std::string word;
    UINT id = 0;
    if (!(in >> word) || !ParseId(word, id)) return 0;
    if (verb == "remove") return DeleteTrayIcon(controlWindow, id) ? 1 : 0;
    IconChange change;
    change.setHidden = true;
    change.hidden = verb == "hide";
    return ModifyTrayIcon(controlWindow, id, change) ? 1 : 0;
}

LRESULT Report()
{
    const HWND parent = GetAncestor(tray.notifyArea, GA_PARENT);
    char parentClass[256] = "";
    GetClassNameA(parent, parentClass, sizeof parentClass);
    RECT rect = {};
    GetWindowRect(tray.notifyArea, &rect);
    Journal("standin", "report",
            "parent=" + HandleText(parent) + " parentClass=" + parentClass + " x=" + std::to_string(rect.left) +
                " y=" + std::to_string(rect.top) + " w=" + std::to_string(rect.right - rect.left) +
                " h=" + std::to_string(rect.bottom - rect.top));
    // The notification area can be gone with a foreign window that held it.
    return IsWindow(tray.notifyArea) ? 1 : 0;
}

LRESULT RunCommand(HWND window, const std::string& text)
{
    std::istringstream in(text);
    std::string verb, object;
    in >> verb;
    if (verb == "add") return AddOwnIcon(in);
    if (verb == "hide" || verb == "show" || verb == "remove") return ChangeOwnIcon(verb, in);
    if (verb == "count") return ToolbarButtonCount(false);
    if (verb == "visible") return ToolbarButtonCount(true);
    if (verb == "report") return Report();
    if (verb == "messages") return MessagesReceived();
    if (verb == "notices") return PointerNoticesReceived();
    if (verb == "restart") {
        RestartTray();
        return 1;
    }
    if (verb == "quit") {
        // Answered first; the windows go once the sender has its reply.
        PostMessageA(window, kQuitMessage, 0, 0);
        return 1;
    }
    in >> object;
    if (verb == "hang") {
        const unsigned long ms = std::strtoul(object.c_str(), nullptr, 10);
        if (ms == 0 || ms > 600000) return 0;
        PostMessageA(window, kHangMessage, ms, 0);
        return 1;
    }
    if (verb == "query-end" && object == "capture") {
        queryEndAtCapture = true;
        return 1;
    }
    if (verb == "query-end" && object == "hide") {
        queryEndAtHide = true;
        return 1;
    }
    if (verb == "tclock" && object == "start") return StartTClock() ? 1 : 0;
    if (verb == "tclock" && object == "end") {
        EndTClock();
        return 1;
    }
    if (verb == "flyout" && object == "close") {
        CloseClockFlyout();
        return 1;
    }
    if (verb == "calendar" && object == "close") {
        CloseCalendar("command");
        return 1;
    }
    if (verb == "collapse" && (object == "on" || object == "off")) {
        CollapseTaskbar(object == "on");
        return 1;
    }
    if (verb == "staticedge") {
        RestoreStaticEdge();
        return 1;
    }
    if (verb == "overflow" && object == "close") {
        CloseOverflowWindow();
        return 1;
    }
    return 0;
}

}  // namespace

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COPYDATA: {
        const COPYDATASTRUCT* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!copy || copy->dwData != kCommandTag) return 0;
        std::string text(static_cast<const char*>(copy->lpData), copy->lpData ? copy->cbData : 0);
        while (!text.empty() && (text.back() == '\0' || text.back() == ' ' || text.back() == '\r' || text.back() == '\n')) {
            text.pop_back();
        }
        const LRESULT result = RunCommand(window, text);
        Journal("standin", "command", "result=" + std::to_string(result) + " text=" + OneLine(text));
        return result;
    }
    case kHangMessage:
        Journal("standin", "hang", "ms=" + std::to_string(wParam));
        Sleep(static_cast<DWORD>(wParam));
        Journal("standin", "hang-end", "");
        return 0;
    case kQuitMessage:
        Journal("standin", "quit", "");
        DestroyTrayTree();
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateControlWindow(const char* title)
{
    WNDCLASSA cls = {};
    cls.lpfnWndProc = ControlProc;
    cls.hInstance = instance;
    cls.lpszClassName = "VtStandInControl";
    RegisterClassA(&cls);
    return CreateWindowExA(WS_EX_TOOLWINDOW, "VtStandInControl", title, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                           nullptr);
}
