// The texts of the chosen language, read once from the string tables, and the wide calls
// for Japanese on a system whose code page cannot carry it. Those calls are looked up at
// run time: the 9x family has them only as stubs that fail, and never takes that path.
#include "core/ui_text.h"

#include <cstring>

#include "core/optional_functions.h"
#include "core/shared_state.h"

namespace {

// Every text, each with its terminating zero, in one store: the longest language, Japanese
// in UTF-8, takes about 4 KB.
char textStore[8192];
size_t textStart[TEXT_COUNT];
Language language = Language::japanese;
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

uint16_t UserUiLanguage()
{
    LANGID(WINAPI * getUserDefaultUILanguage)() = nullptr;
    if (LookUpFunction(GetModuleHandleA("kernel32.dll"), "GetUserDefaultUILanguage", getUserDefaultUILanguage)) {
        return getUserDefaultUILanguage();
    }
    return GetUserDefaultLangID();
}

// A text of the string table of `languageId`, converted into `codePage` and kept in the
// store from `at` on; the size it took there, its zero included. No room keeps it empty.
size_t ReadText(int id, LANGID languageId, UINT codePage, size_t at)
{
    textStore[at] = '\0';
    const auto block = static_cast<WORD>(id / 16 + 1);
    HRSRC found = FindResourceExA(instance, MAKEINTRESOURCEA(6), MAKEINTRESOURCEA(block), languageId);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const uint16_t* text = nullptr;
    size_t length = 0;
    if (!data || !TextInBlock(static_cast<const uint16_t*>(data), SizeofResource(instance, found) / 2,
                              static_cast<unsigned>(id % 16), &text, &length) || length == 0) {
        return 1;
    }
    const int room = static_cast<int>(sizeof textStore - at - 1);
    const int size = WideCharToMultiByte(codePage, 0, reinterpret_cast<LPCWSTR>(text), static_cast<int>(length),
                                         textStore + at, room, nullptr, nullptr);
    if (size <= 0) return 1;
    textStore[at + static_cast<size_t>(size)] = '\0';
    return static_cast<size_t>(size) + 1;
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

void LoadTexts(int32_t languageSetting)
{
    const UINT codePage = GetACP();
    const bool win9x = (GetVersion() & 0x80000000u) != 0;
    language = ChooseLanguage(languageSetting, UserUiLanguage(), codePage);
    wide = NeedsWideTexts(language, codePage, win9x) && LookUpWideCalls();
    LANGID languageId = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    UINT textCodePage = CP_ACP;
    if (language == Language::japanese) {
        languageId = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
        // Where neither the system nor the wide calls carry Japanese, its bytes are still
        // Japanese ones, for a font that can show them.
        if (wide) {
            textCodePage = CP_UTF8;
        } else if (IsValidCodePage(kJapaneseCodePage)) {
            textCodePage = kJapaneseCodePage;
        }
    }
    size_t at = 0;
    for (int id = 1; id < TEXT_COUNT; ++id) {
        textStart[id] = at;
        at += ReadText(id, languageId, textCodePage, at);
        if (at >= sizeof textStore) at = sizeof textStore - 1;
    }
}

Language TextLanguage() { return language; }
bool WideTexts() { return wide; }
bool TextsNeedRoom() { return language == Language::english || GetACP() != kJapaneseCodePage; }

const char* Text(int id) { return id > 0 && id < TEXT_COUNT ? textStore + textStart[id] : ""; }

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
