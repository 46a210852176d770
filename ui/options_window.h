// The options window. Its check boxes are the live switches the rest of the program reads.
#pragma once

#include <windows.h>

struct OptionsControls {
    HWND trackbar;
    HWND edgeTop, edgeDown, edgeLeft, edgeRight;
    HWND sensingShift, sensingCtrl, sensingAlt;
    HWND flat, hide, reSize;
};
extern OptionsControls optionsControls;

void CreateOptionsWindow();
void CreateOptionsControls();
LRESULT CALLBACK OptionsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Asks the box itself, as the watcher threads do; a missing box is unchecked.
bool IsOptionChecked(HWND box);
