// The program's texts in the language it speaks, and the calls that hand a text to the
// system. Texts are held as bytes of the ANSI code page (Japanese in code page 932 where the
// system's is 932, English in plain ASCII), or, where Japanese must pass through the wide
// calls, in UTF-8, which these calls widen on the way.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>

#include "core/text_ids.h"
#include "core/text_rules.h"

// Chooses the language (`languageSetting` is the key "Language") and reads its texts from
// the string tables. Once at start, before any text is used.
void LoadTexts(int32_t languageSetting);
Language TextLanguage();
bool WideTexts();
// False only for the Japanese texts in code page 932, which the windows were laid out for;
// any other texts, in whatever font shows them, are measured and given room.
bool TextsNeedRoom();
// The text with that number in the chosen language; empty for a number it lacks.
const char* Text(int id);

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
