// The options window. Its check boxes are the live switches the rest of the program reads,
// from the watcher threads too (through IsOptionChecked, which reads the state each box keeps).
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/hotkey_rules.h"

struct OptionsControls {
    struct ModifierBoxSet {
        HWND shift, ctrl, alt, win;
    };
    HWND trackbar;
    HWND edgeTop, edgeDown, edgeLeft, edgeRight;
    HWND sensingShift, sensingCtrl, sensingAlt;
    HWND flat, hide, reSize;
    HWND ok, cancel, defaults;
    HWND sensingGroup;
    HWND hotkeyGroup[3];
    ModifierBoxSet hotkeyBoxes[3];
    HWND keyList[3];  // children of their hotkey groups
    HWND trackbarLabel;
};
extern OptionsControls optionsControls;

// The number of check boxes, and the state of the window as it was shown.
constexpr int kOptionCheckBoxCount = 22;
struct OptionsSnapshot {
    bool checked[kOptionCheckBoxCount];  // in the order of OptionCheckBoxes()
    int keyListPosition[3];
    int trackbarPosition;
    int32_t sensingKeys;
    HotkeyCombination hotkeys[3];  // the hotkey records as they were
};
extern OptionsSnapshot optionsSnapshot;

void CreateOptionsWindow();
void CreateOptionsControls();
// Gives every text room where the texts are not the Japanese ones the window was laid out
// for (ui/text_fit.h), the edge boxes at even gaps.
void FitOptionsWindowToTexts();
LRESULT CALLBACK OptionsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
bool ApplyOptions();
void CancelOptions();
void RestoreDefaultOptions();
void ApplyFlatStyle();
void TakeOptionsSnapshot();
// The box's state as of the last message it handled, from any thread without a call into
// the box's thread; a missing box is unchecked.
bool IsOptionChecked(HWND box);
