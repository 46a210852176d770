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

// A row of boxes, given left to right, spread over the span they take: each as wide as its
// text needs (as it is, where it has none), the room left over shared out evenly between
// them, so that they stand at even gaps. A row whose texts need more than its span stays.
void SpaceRowEvenly(LayoutBox* row, size_t count);
// Before the growth: makes each box of the row but the last need `gap` pixels more than its
// text, less the gap that already stands before the next box, so that the row grows to
// room for gaps of at least `gap` between its texts and the boxes that follow them.
void ReserveRowGaps(LayoutBox* row, size_t count, int gap);
