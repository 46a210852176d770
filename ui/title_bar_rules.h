// Height arithmetic of switching the main window's title bar on and off.
#pragma once

#include <cstdint>

// Taken before the frame is recomputed: a window at most 5 pixels above its
// minimum height will grow by the caption when the title bar comes back.
int32_t TitleGrowHeight(int32_t windowHeight, int32_t minHeight, int32_t captionHeight);

struct TitleBarResize {
    bool apply;  // false: leave the window as it is
    bool move;   // false: keep the position, set only the size
    int32_t left, top, width, height;
};

// Taken after the frame is recomputed, with the window rectangle as it is now.
// An interactive show at minimum height grows upward and keeps the bottom edge;
// an interactive hide keeps the outer size; at capture a window at minimum
// height loses the hidden caption's height (0 while the title bar is shown).
TitleBarResize TitleBarHeightCorrection(bool atCapture, bool nowShown, int32_t left, int32_t top,
                                        int32_t width, int32_t height, int32_t minHeight,
                                        int32_t titleGrowHeight, int32_t hiddenCaptionHeight);
