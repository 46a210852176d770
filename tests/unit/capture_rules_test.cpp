// Raising a saved size below the minimum at capture.
#include "app/capture_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(Capture, SavedSizeRaisedToMinimum)
{
    const Size minimum{80, 65};
    // Both too small: the height step keeps the raised width.
    SizeRaise both = RaiseSavedSize(Size{30, 30}, Size{30, 30}, minimum);
    ASSERT_TRUE(both.raiseWidth);
    EXPECT_EQ(both.widthStep.width, 80);
    EXPECT_EQ(both.widthStep.height, 30);
    ASSERT_TRUE(both.raiseHeight);
    EXPECT_EQ(both.heightStep.width, 80);
    EXPECT_EQ(both.heightStep.height, 65);

    SizeRaise heightOnly = RaiseSavedSize(Size{177, 64}, Size{177, 64}, minimum);
    EXPECT_FALSE(heightOnly.raiseWidth);
    ASSERT_TRUE(heightOnly.raiseHeight);
    EXPECT_EQ(heightOnly.heightStep.width, 177);
    EXPECT_EQ(heightOnly.heightStep.height, 65);

    SizeRaise widthOnly = RaiseSavedSize(Size{79, 65}, Size{79, 135}, minimum);
    ASSERT_TRUE(widthOnly.raiseWidth);
    EXPECT_EQ(widthOnly.widthStep.width, 80);
    EXPECT_EQ(widthOnly.widthStep.height, 135);
    EXPECT_FALSE(widthOnly.raiseHeight);

    SizeRaise none = RaiseSavedSize(Size{80, 65}, Size{80, 65}, minimum);
    EXPECT_FALSE(none.raiseWidth);
    EXPECT_FALSE(none.raiseHeight);
}

}  // namespace
