// Helpers for the stories of the options and version windows: opening them as the menu does,
// finding their controls from outside, clicking them and probing hotkey registrations.
#pragma once

#include <windows.h>

#include <string>

#include "harness.h"
#include "program.h"

namespace e2e {

constexpr UINT kMenuOptions = 24;
constexpr UINT kMenuVersion = 26;

// Chooses the menu entry with the pointer at (x, y), where the window opens, and waits until
// the window of that class is shown; null when it was not.
HWND OpenFromMenu(const Program& program, UINT command, const char* cls, int x = 250, int y = 250);
// First direct child with that control id and text (any text when null).
HWND ControlOf(HWND parent, int id, const char* text = nullptr);
bool IsChecked(HWND box);
// Clicks the middle of a control as a user does.
void ClickControl(HWND control);
// Clicks a check box and waits until its state has flipped; false (with what the click met
// told on the error stream) when it did not.
bool ToggleBox(HWND box);
// For a click that did not do its work: the window under the pointer, the one in front, and
// the capture of the thread of `window` and of the foreground's.
std::string ClickScene(HWND window);
// Sets a check box to the state by clicking it when needed.
bool SetBox(HWND box, bool checked);
// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);
// Waits for a message box of the program and returns its text ("" when none came).
std::string WaitMessageBox(const Program& program, DWORD timeoutMs = 10000);
// Presses a button of the program's message box and waits until it is gone.
bool AnswerMessageBox(const Program& program, int button);
// True while some program holds the combination as a hotkey.
bool HotkeyTaken(UINT modifiers, UINT key);
// The opacity of a layered window; -1 when it has none.
int AlphaOf(HWND window);
// Clicks the close box in the window's caption.
void ClickCloseBox(HWND window);

}  // namespace e2e
