// A part of the surface (SurfaceRegion): which rectangles it touches, by bands
// of rows, clipped to the surface, and all of it once whole.
#include <gtest/gtest.h>

#include <algorithm>

#include "gfx.h"

namespace {

struct TouchCase {
    int x1, y1, x2, y2;
    bool touched;
};

// The region: columns 100..120 of rows 16..31 (bands 2 and 3), and column 5 of rows 632..639 (the last band).
SurfaceRegion sample() {
    SurfaceRegion region;
    region.add(100, 20, 120, 27);
    region.add(5, 639, 5, 700);
    return region;
}

class RegionTouches : public ::testing::TestWithParam<TouchCase> {};

TEST_P(RegionTouches, OnlyRectanglesThatMeetACoveredBand) {
    const TouchCase& c = GetParam();
    EXPECT_EQ(sample().touches(c.x1, c.y1, c.x2, c.y2), c.touched);
    SurfaceRegion whole;
    whole.whole = true;
    const bool onSurface = std::max(c.x1, c.x2) >= 0 && std::max(c.y1, c.y2) >= 0 && std::min(c.x1, c.x2) < w &&
                           std::min(c.y1, c.y2) < h;
    EXPECT_EQ(whole.touches(c.x1, c.y1, c.x2, c.y2), onSurface);
    EXPECT_FALSE(SurfaceRegion().touches(c.x1, c.y1, c.x2, c.y2));
}

INSTANTIATE_TEST_SUITE_P(Damage, RegionTouches,
                         ::testing::Values(TouchCase{110, 16, 110, 16, true},    // the same band, another row
                                           TouchCase{6, 0, 99, 639, false},      // between the two, every row
                                           TouchCase{0, 32, 639, 631, false},    // every band between
                                           TouchCase{5, 630, 5, 2000, true},     // the last band, past the edge
                                           TouchCase{110, -50, 110, 16, true},   // from above into band 2
                                           TouchCase{640, 20, 700, 27, false},   // right of the surface
                                           TouchCase{120, 27, 100, 20, true}));  // corners in either order

}  // namespace
