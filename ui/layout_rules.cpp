#include "ui/layout_rules.h"

namespace {

// One axis: `low`/`high` are the box's edges along it, `need` its text's extent.
struct Axis {
    int LayoutBox::*low;
    int LayoutBox::*high;
    int LayoutBox::*need;
};

int Grow(LayoutBox* boxes, size_t count, const Axis& a)
{
    int grown = 0;
    for (;;) {
        // The shortest box whose edge lies nearest the start, so that the result does not
        // depend on the order of the boxes.
        LayoutBox* shortBox = nullptr;
        for (size_t i = 0; i < count; ++i) {
            LayoutBox& b = boxes[i];
            if (b.*a.need > b.*a.high - b.*a.low && (!shortBox || b.*a.high < shortBox->*a.high)) shortBox = &b;
        }
        if (!shortBox) return grown;
        const int edge = shortBox->*a.high;
        const int shortfall = shortBox->*a.need - (edge - shortBox->*a.low);
        for (size_t i = 0; i < count; ++i) {
            LayoutBox& b = boxes[i];
            if (b.*a.low >= edge) {
                b.*a.low += shortfall;
                b.*a.high += shortfall;
            } else if (b.*a.high >= edge) {
                b.*a.high += shortfall;
            }
        }
        grown += shortfall;
    }
}

int TextWidth(const LayoutBox& b) { return b.needWidth > 0 ? b.needWidth : b.right - b.left; }

}  // namespace

void ReserveRowGaps(LayoutBox* row, size_t count, int gap)
{
    for (size_t i = 0; i + 1 < count; ++i) {
        const int lacking = gap - (row[i + 1].left - row[i].right);
        if (lacking > 0) row[i].needWidth = TextWidth(row[i]) + lacking;
    }
}

void SpaceRowEvenly(LayoutBox* row, size_t count)
{
    if (count < 2) return;
    int room = row[count - 1].right - row[0].left;
    for (size_t i = 0; i < count; ++i) room -= TextWidth(row[i]);
    if (room < 0) return;
    const int gaps = static_cast<int>(count) - 1;
    int left = row[0].left;
    for (size_t i = 0; i < count; ++i) {
        const int w = TextWidth(row[i]);
        row[i].left = left;
        row[i].right = left + w;
        // The first gaps take what does not share out evenly, a pixel each.
        const int gap = room / gaps + (static_cast<int>(i) < room % gaps ? 1 : 0);
        left += w + gap;
    }
}

LayoutGrowth GrowToTexts(LayoutBox* boxes, size_t count)
{
    const int width = Grow(boxes, count, Axis{&LayoutBox::left, &LayoutBox::right, &LayoutBox::needWidth});
    const int height = Grow(boxes, count, Axis{&LayoutBox::top, &LayoutBox::bottom, &LayoutBox::needHeight});
    return LayoutGrowth{width, height};
}
