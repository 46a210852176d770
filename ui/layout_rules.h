// Room for texts longer than the ones a window was laid out for, as plain rectangles.
#pragma once

#include <cstddef>

struct LayoutBox {
    int left, top, right, bottom;  // in the client area of the window laid out
    int needWidth, needHeight;     // what its text needs; 0 where it has none
};

// Makes every box at least as wide and as high as its text needs. A box short of width
// opens a column at its right edge across the whole window: the boxes wholly right of it
// move right by the shortfall, and those across it (the box itself, the group boxes around
// it) widen by it; height likewise by rows at bottom edges. Whatever stood apart stays
// apart. The widths first, then the heights; returns what the client area grows by.
struct LayoutGrowth {
    int width, height;
};
LayoutGrowth GrowToTexts(LayoutBox* boxes, size_t count);
