// Height arithmetic of switching the main window's title bar on and off.
#include "ui/title_bar_rules.h"

int32_t TitleGrowHeight(int32_t windowHeight, int32_t minHeight, int32_t captionHeight)
{
    return windowHeight <= minHeight + 5 ? captionHeight : 0;
}

TitleBarResize TitleBarHeightCorrection(bool atCapture, bool nowShown, int32_t left, int32_t top,
                                        int32_t width, int32_t height, int32_t minHeight,
                                        int32_t titleGrowHeight, int32_t hiddenCaptionHeight)
{
    const TitleBarResize unchanged{false, false, left, top, width, height};
    if (height > minHeight) {
        return unchanged;
    }
    if (atCapture) {
        return {true, false, left, top, width, height - hiddenCaptionHeight};
    }
    if (nowShown) {
        return {true, true, left, top - titleGrowHeight, width, height + titleGrowHeight};
    }
    // Hiding it interactively lets the client area take the caption's room.
    return unchanged;
}
