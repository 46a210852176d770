// The calls that hand a text to the system: the ANSI calls, or, once TakeWideCalls has
// taken them, the wide calls, which widen texts held in UTF-8 on the way (core/texts.h).
#pragma once

#include <windows.h>
#include <shellapi.h>

// Looks the wide calls up and, where all are there, takes them for every call below from
// then on; false, with the ANSI calls kept, where one is missing.
bool TakeWideCalls();
// True once the wide calls are taken: the texts are then held in UTF-8.
bool WideTexts();

// Each is the ANSI call, or in wide mode the wide call with the texts widened.
HWND CreateTextWindow(DWORD exStyle, const char* className, const char* text, DWORD style, int x, int y, int width,
                      int height, HWND parent, HMENU menu);
int ShowMessage(HWND owner, const char* text, const char* caption, UINT type);
void AppendMenuText(HMENU menu, UINT flags, UINT_PTR id, const char* text);
void AddComboText(HWND combo, const char* text);
int DrawUiText(HDC dc, const char* text, RECT* rect, UINT format);
void RegisterTextClass(const WNDCLASSA& wanted);
// The system's default handling, for windows whose class RegisterTextClass registered.
LRESULT CALLBACK DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
// Puts `procedure` in front of a control's own; the control's text stays whole either way.
WNDPROC SubclassWindow(HWND window, WNDPROC procedure);
LRESULT CallPreviousProc(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// A window's text, and a combo box's entry, as the texts here are held; cut to `size`.
void WindowTextOf(HWND window, char* text, int size);
void ComboTextOf(HWND combo, int index, char* text, int size);
// The extent of `length` bytes of a text in the font selected into `dc`.
SIZE LineExtent(HDC dc, const char* text, int length);
// NIM_ADD with `tip` as the icon's tip; the rest of `data` as it is.
void AddNotifyIcon(NOTIFYICONDATAA& data, const char* tip);
