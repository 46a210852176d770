#include "secondary_windows.h"

#include <cstdio>

namespace e2e {

HWND OpenFromMenu(const Program& program, UINT command, const char* cls, int x, int y)
{
    MoveCursor(x, y);
    Pause(50);
    PostMessageA(program.mainWindow(), WM_COMMAND, command, 0);
    HWND window = nullptr;
    WaitUntil(
        [&] {
            window = FindTopLevel(cls, program.processId());
            return window && IsWindowVisible(window);
        },
        5000);
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND ControlOf(HWND parent, int id, const char* text)
{
    for (HWND child : Children(parent)) {
        if (GetDlgCtrlID(child) == id && (!text || TextOf(child) == text)) return child;
    }
    return nullptr;
}

bool IsChecked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void ClickControl(HWND control)
{
    RECT r = RectOf(control);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

bool ToggleBox(HWND box)
{
    bool before = IsChecked(box);
    ClickControl(box);
    if (WaitUntil([&] { return IsChecked(box) != before; }, 3000)) return true;
    std::fprintf(stderr, "a click on the box \"%s\" left it as it was: %s\n", TextOf(box).c_str(), ClickScene(box).c_str());
    return false;
}

std::string ClickScene(HWND window)
{
    POINT at = {};
    auto capture = [](HWND of) {
        GUITHREADINFO thread = {};
        thread.cbSize = sizeof thread;
        return GetGUIThreadInfo(GetWindowThreadProcessId(of, nullptr), &thread) ? ClassOf(thread.hwndCapture) : "?";
    };
    const bool pointer = GetCursorPos(&at) != FALSE;
    const HWND under = pointer ? WindowFromPoint(at) : nullptr;
    DWORD_PTR state = 0;
    const DWORD asked = GetTickCount();
    const bool answered = SendMessageTimeoutA(window, BM_GETSTATE, 0, 0, SMTO_ABORTIFHUNG, 5000, &state) != 0;
    return "under the pointer " + (under ? ClassOf(under) + " \"" + TextOf(under) + "\" at " + std::to_string(at.x) + "," + std::to_string(at.y) : "?") +
           ", in front " + ClassOf(GetForegroundWindow()) + ", the window's thread's capture " + capture(window) +
           ", the front's thread's capture " + capture(GetForegroundWindow()) + ", the window's state " +
           (answered ? std::to_string(state) + " told after " + std::to_string(GetTickCount() - asked) + " ms" : "not told in 5 s");
}

bool SetBox(HWND box, bool checked) { return IsChecked(box) == checked || ToggleBox(box); }

RECT RectInParent(HWND window)
{
    RECT r = RectOf(window);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string WaitMessageBox(const Program& program, DWORD timeoutMs)
{
    std::string text;
    WaitUntil(
        [&] {
            text = program.messageBox() ? program.messageBoxText() : "";
            return !text.empty();
        },
        timeoutMs);
    return text;
}

bool AnswerMessageBox(const Program& program, int button)
{
    program.pressMessageBoxButton(button);
    return WaitUntil([&] { return program.messageBox() == nullptr; }, 5000);
}

bool HotkeyTaken(UINT modifiers, UINT key)
{
    const int probeId = 0x7A00;
    if (!RegisterHotKey(nullptr, probeId, modifiers, key)) return true;
    UnregisterHotKey(nullptr, probeId);
    return false;
}

int AlphaOf(HWND window)
{
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) return -1;
    return alpha;
}

void ClickCloseBox(HWND window)
{
    RECT r = RectOf(window);
    // Searched along the caption from the right: the close box is the last button there.
    for (int x = r.right - 2; x > r.right - 60; x -= 3) {
        for (int y = r.top + 2; y < r.top + GetSystemMetrics(SM_CYCAPTION) + 6; y += 3) {
            if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                ClickAt(x, y);
                return;
            }
        }
    }
}

}  // namespace e2e
