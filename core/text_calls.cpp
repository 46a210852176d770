// The calls that hand a text to the system: the ANSI ones, or the wide ones for Japanese on
// a system whose code page cannot carry it. Those are looked up at run time: the 9x family
// has them only as stubs that fail, and never takes that path.
#include "core/text_calls.h"

#include <cstring>

#include "core/optional_functions.h"
#include "core/shared_state.h"

namespace {

bool wide = false;

struct WideCalls {
    ATOM(WINAPI* registerClass)(const WNDCLASSW*);
    HWND(WINAPI* createWindowEx)(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE, LPVOID);
    LRESULT(WINAPI* defWindowProc)(HWND, UINT, WPARAM, LPARAM);
    int(WINAPI* messageBox)(HWND, LPCWSTR, LPCWSTR, UINT);
    BOOL(WINAPI* appendMenu)(HMENU, UINT, UINT_PTR, LPCWSTR);
    LRESULT(WINAPI* sendMessage)(HWND, UINT, WPARAM, LPARAM);
    int(WINAPI* drawText)(HDC, LPCWSTR, int, LPRECT, UINT);
    LONG_PTR(WINAPI* setWindowLongPtr)(HWND, int, LONG_PTR);
    LRESULT(WINAPI* callWindowProc)(WNDPROC, HWND, UINT, WPARAM, LPARAM);
    BOOL(WINAPI* shellNotifyIcon)(DWORD, PNOTIFYICONDATAW);
    int(WINAPI* getWindowText)(HWND, LPWSTR, int);
    BOOL(WINAPI* getTextExtentPoint32)(HDC, LPCWSTR, int, LPSIZE);
} w;

bool LookUpWideCalls()
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    HMODULE shell32 = GetModuleHandleA("shell32.dll");
#ifdef _WIN64
    const char* setLong = "SetWindowLongPtrW";
#else
    const char* setLong = "SetWindowLongW";
#endif
    bool found = LookUpFunction(user32, "RegisterClassW", w.registerClass);
    found &= LookUpFunction(user32, "CreateWindowExW", w.createWindowEx);
    found &= LookUpFunction(user32, "DefWindowProcW", w.defWindowProc);
    found &= LookUpFunction(user32, "MessageBoxW", w.messageBox);
    found &= LookUpFunction(user32, "AppendMenuW", w.appendMenu);
    found &= LookUpFunction(user32, "SendMessageW", w.sendMessage);
    found &= LookUpFunction(user32, "DrawTextW", w.drawText);
    found &= LookUpFunction(user32, setLong, w.setWindowLongPtr);
    found &= LookUpFunction(user32, "CallWindowProcW", w.callWindowProc);
    found &= LookUpFunction(shell32, "Shell_NotifyIconW", w.shellNotifyIcon);
    found &= LookUpFunction(user32, "GetWindowTextW", w.getWindowText);
    found &= LookUpFunction(GetModuleHandleA("gdi32.dll"), "GetTextExtentPoint32W", w.getTextExtentPoint32);
    return found;
}

// A text in UTF-8 as the wide calls take it; texts longer than any of the program's are cut.
class Widen {
public:
    explicit Widen(const char* text) : none(!text)
    {
        units[0] = L'\0';
        if (text && !MultiByteToWideChar(CP_UTF8, 0, text, -1, units, kSize)) units[kSize - 1] = L'\0';
    }
    // Null for no text at all, as the ANSI call had it.
    const wchar_t* get() const { return none ? nullptr : units; }

private:
    static constexpr int kSize = 1024;
    bool none;
    wchar_t units[kSize];
};

}  // namespace

bool TakeWideCalls()
{
    wide = LookUpWideCalls();
    return wide;
}

bool WideTexts() { return wide; }

HWND CreateTextWindow(DWORD exStyle, const char* className, const char* text, DWORD style, int x, int y, int width,
                      int height, HWND parent, HMENU menu)
{
    if (!wide) {
        return CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent, menu, instance, nullptr);
    }
    return w.createWindowEx(exStyle, Widen(className).get(), Widen(text).get(), style, x, y, width, height, parent,
                            menu, instance, nullptr);
}

int ShowMessage(HWND owner, const char* text, const char* caption, UINT type)
{
    if (!wide) return MessageBoxA(owner, text, caption, type);
    return w.messageBox(owner, Widen(text).get(), Widen(caption).get(), type);
}

void AppendMenuText(HMENU menu, UINT flags, UINT_PTR id, const char* text)
{
    if (!wide) {
        AppendMenuA(menu, flags, id, text);
        return;
    }
    w.appendMenu(menu, flags, id, Widen(text).get());
}

void AddComboText(HWND combo, const char* text)
{
    if (!wide) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        return;
    }
    w.sendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).get()));
}

int DrawUiText(HDC dc, const char* text, RECT* rect, UINT format)
{
    if (!wide) return DrawTextA(dc, text, static_cast<int>(std::strlen(text)), rect, format);
    return w.drawText(dc, Widen(text).get(), -1, rect, format);
}

void RegisterTextClass(const WNDCLASSA& wanted)
{
    if (!wide) {
        RegisterClassA(&wanted);
        return;
    }
    const Widen name(wanted.lpszClassName);
    WNDCLASSW c{};
    c.style = wanted.style;
    c.lpfnWndProc = wanted.lpfnWndProc;
    c.hInstance = wanted.hInstance;
    c.hIcon = wanted.hIcon;
    c.hCursor = wanted.hCursor;
    c.hbrBackground = wanted.hbrBackground;
    c.lpszClassName = name.get();
    w.registerClass(&c);
}

LRESULT CALLBACK DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    return wide ? w.defWindowProc(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

WNDPROC SubclassWindow(HWND window, WNDPROC procedure)
{
    const auto value = reinterpret_cast<LONG_PTR>(procedure);
    return reinterpret_cast<WNDPROC>(wide ? w.setWindowLongPtr(window, GWLP_WNDPROC, value)
                                          : SetWindowLongPtrA(window, GWLP_WNDPROC, value));
}

LRESULT CallPreviousProc(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return wide ? w.callWindowProc(previous, window, message, wParam, lParam)
                : CallWindowProcA(previous, window, message, wParam, lParam);
}

// Wide units back into UTF-8, cut to `size`.
static void Narrow(const wchar_t* units, char* text, int size)
{
    if (!WideCharToMultiByte(CP_UTF8, 0, units, -1, text, size, nullptr, nullptr)) text[size - 1] = '\0';
}

void WindowTextOf(HWND window, char* text, int size)
{
    text[0] = '\0';
    if (!wide) {
        GetWindowTextA(window, text, size);
        return;
    }
    wchar_t units[1024] = {};
    w.getWindowText(window, units, 1024);
    Narrow(units, text, size);
}

void ComboTextOf(HWND combo, int index, char* text, int size)
{
    text[0] = '\0';
    if (SendMessageA(combo, CB_GETLBTEXTLEN, index, 0) >= (wide ? 1024 : size)) return;
    if (!wide) {
        SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        return;
    }
    wchar_t units[1024] = {};
    w.sendMessage(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(units));
    Narrow(units, text, size);
}

SIZE LineExtent(HDC dc, const char* text, int length)
{
    SIZE size{0, 0};
    if (!wide) {
        GetTextExtentPoint32A(dc, text, length, &size);
        return size;
    }
    wchar_t units[1024] = {};
    const int count = MultiByteToWideChar(CP_UTF8, 0, text, length, units, 1023);
    w.getTextExtentPoint32(dc, units, count, &size);
    return size;
}

void AddNotifyIcon(NOTIFYICONDATAA& data, const char* tip)
{
    if (!wide) {
        std::strncpy(data.szTip, tip, sizeof data.szTip - 1);
        data.szTip[sizeof data.szTip - 1] = '\0';
        Shell_NotifyIconA(NIM_ADD, &data);
        return;
    }
    NOTIFYICONDATAW d{};
    d.cbSize = NOTIFYICONDATAW_V1_SIZE;
    d.hWnd = data.hWnd;
    d.uID = data.uID;
    d.uFlags = data.uFlags;
    d.uCallbackMessage = data.uCallbackMessage;
    d.hIcon = data.hIcon;
    wcsncpy(d.szTip, Widen(tip).get(), 63);
    w.shellNotifyIcon(NIM_ADD, &d);
}
