// Room for longer texts: columns and rows opened across the whole window.
#include "ui/layout_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(LayoutRules, LongerTextsOpenColumnsThenRows)
{
    // A group with two check boxes in a row, the first 20 short; a button beside the group;
    // a label 3 short in height across the window and a box below it.
    const std::vector<LayoutBox> before = {
        {0, 0, 100, 50, 0, 0},     {10, 10, 40, 22, 50, 12}, {45, 10, 75, 22, 0, 0},
        {120, 10, 160, 30, 30, 0}, {10, 60, 200, 72, 0, 15}, {10, 80, 50, 90, 0, 0},
    };
    const std::vector<LayoutBox> after = {
        {0, 0, 120, 50, 0, 0},     {10, 10, 60, 22, 50, 12}, {65, 10, 95, 22, 0, 0},
        {140, 10, 180, 30, 30, 0}, {10, 60, 220, 75, 0, 15}, {10, 83, 70, 93, 0, 0},
    };
    for (bool reversed : {false, true}) {
        std::vector<LayoutBox> boxes = before, expected = after;
        if (reversed) {
            std::reverse(boxes.begin(), boxes.end());
            std::reverse(expected.begin(), expected.end());
        }
        const LayoutGrowth growth = GrowToTexts(boxes.data(), boxes.size());
        EXPECT_EQ(growth.width, 20);
        EXPECT_EQ(growth.height, 3);
        for (size_t i = 0; i < boxes.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "box " << i << (reversed ? " reversed" : ""));
            EXPECT_EQ(boxes[i].left, expected[i].left);
            EXPECT_EQ(boxes[i].top, expected[i].top);
            EXPECT_EQ(boxes[i].right, expected[i].right);
            EXPECT_EQ(boxes[i].bottom, expected[i].bottom);
        }
    }
    // Texts that fit move nothing.
    std::vector<LayoutBox> fits = after;
    const LayoutGrowth none = GrowToTexts(fits.data(), fits.size());
    EXPECT_EQ(none.width + none.height, 0);
    EXPECT_EQ(fits[3].right, 180);

    // A row over its span of 140: each box as wide as its text needs (the third, without
    // one, as it is), the 35 pixels left as gaps of 12, 12 and 11; one too tight stays.
    LayoutBox row[] = {{0, 0, 30, 9, 25, 9}, {35, 0, 70, 9, 30, 9}, {80, 0, 100, 9, 0, 0}, {110, 0, 140, 9, 30, 9}};
    LayoutBox tight[] = {{0, 0, 10, 9, 20, 9}, {12, 0, 20, 9, 20, 9}};
    SpaceRowEvenly(row, 4);
    SpaceRowEvenly(tight, 2);
    EXPECT_EQ((std::vector<int>{row[0].left, row[0].right, row[1].left, row[1].right, row[2].left, row[2].right,
                                row[3].left, row[3].right, tight[0].right, tight[1].left}),
              (std::vector<int>{0, 25, 37, 67, 79, 99, 110, 140, 10, 12}));
}

}  // namespace
