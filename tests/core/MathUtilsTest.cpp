// Animation frames from time, powers of two, the point-in-quad and rectangle overlap tests at their edges.
#include <gtest/gtest.h>

#include "core/MathUtils.h"

TEST(MathUtilsTest, FramesAndPowersNeverDivideByZeroNorLoop) {
    EXPECT_EQ(FrameFromTime(1000, 1000, 10), 9);
    EXPECT_EQ(FrameFromTime(-5, 1000, 10), 0);
    EXPECT_EQ(FrameFromTime(5, 0, 10), 9);
    EXPECT_EQ(FrameFromTime(5, 0, 10, 0), 0);
    EXPECT_EQ(FrameFromTime(5, 100, 0), 0);
    EXPECT_EQ(NextPowerOf2(65), 128);
    EXPECT_EQ(NextPowerOf2(-8), 1);
    EXPECT_EQ(NextPowerOf2(0x7FFFFFFF), 1 << 30) << "terminates at the largest int power";
    // Corners clockwise on screen (y down) put the inside on the positive side of every edge.
    EXPECT_TRUE(PointInQuad(5, 5, 0, 0, 10, 0, 10, 10, 0, 10));
    EXPECT_FALSE(PointInQuad(0, 5, 0, 0, 10, 0, 10, 10, 0, 10)) << "the edge itself is outside";
    EXPECT_FALSE(PointInQuad(5, 5, 0, 0, 0, 10, 10, 10, 10, 0)) << "the other winding has no inside";
}

TEST(MathUtilsTest, RectsOverlapOnlyWhenTheyShareAnInsideOnBothAxes) {
    EXPECT_TRUE(RectsOverlap(0, 0, 10, 10, 5, 5, 10, 10));
    EXPECT_FALSE(RectsOverlap(0, 0, 10, 10, 20, 0, 10, 10)) << "side by side";
    EXPECT_FALSE(RectsOverlap(0, 0, 10, 10, 0, 20, 10, 10)) << "one above the other";
    EXPECT_FALSE(RectsOverlap(0, 0, 10, 10, 10, 0, 10, 10)) << "touching edges";
    EXPECT_FALSE(RectsOverlap(20, 0, 10, 10, 0, 0, 10, 10));
    EXPECT_FALSE(RectsOverlap(0, 20, 10, 10, 0, 0, 10, 10));
}
