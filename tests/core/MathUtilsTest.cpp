// Animation frames from time, powers of two and the point-in-quad test at their edges.
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
