// The taskbar's windows, found by class, and the reading of the notification toolbar.
#pragma once

#include <windows.h>

#include <cstdint>

struct TaskbarWindows {
    HWND taskbar;
    HWND notifyArea;
    HWND clock;
    HWND showDesktopButton;
    HWND hiddenIconsButton;
    HWND pager;
    HWND pagerToolbar;
    HWND iconToolbar;
    HWND systemPager;
    HWND rebar;
    HWND startButton;
};
// Written on the main thread only; the watcher threads read it.
extern TaskbarWindows taskbarWindows;

void FindTaskbarWindows();
// A message from the main thread to one of the taskbar's windows. The taskbar can stop
// answering for seconds (a shell extension stuck in its process); the program's own windows
// must go on answering meanwhile, so the wait for the answer is bounded, and a window the
// system already knows as hung is not waited for at all. The message still reaches the
// taskbar when it answers again; only its result is then 0.
LRESULT SendToTaskbarBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The buttons of `toolbar` that are not hidden, read out of the taskbar's process; -1 where
// they cannot be read.
int CountShownButtons(HWND toolbar);
int CountVisibleTrayIcons();

// What one reading of the icon toolbar's buttons saw; all zero when it could not be read
// whole.
struct TrayButtons {
    bool read;
    int32_t visible;
    uint32_t hiddenMark;  // MarkTrayButton over every button
};
// TB_BUTTONCOUNT of the icon toolbar.
int32_t CountTrayButtons();
// Reads `count` buttons (below 0: asks the count first). CountVisibleTrayIcons is this
// reading's visible buttons.
TrayButtons ReadTrayButtons(int32_t count);
// With QuietWatch the memory that a reading needs in the taskbar's process is kept for the
// whole capture, one block for each thread that reads, instead of being taken and freed at
// every reading. Set once at the capture, before the watchers start.
void KeepToolbarBlocks(bool keep);
// The area goes back to the taskbar to be taken again, or a new taskbar is followed: every
// block taken so far is let go. The calling thread's goes at once, every other thread's at
// its next reading or ReleaseRetiredToolbarBlock.
void RetireToolbarBlocks();
void ReleaseRetiredToolbarBlock();
// The area goes back for good (the ending, a capture cut short, a fault): every block is
// freed, from whichever thread, except one that a reading is writing into just then, which
// its own thread frees as it ends. No block is kept after this.
void ReleaseToolbarBlocks();
bool IsNot256ColorDisplay();
