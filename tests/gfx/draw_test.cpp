// Pixel, line and rectangle primitives on the real surface: their off-surface
// rules (wrap, clip, refuse) and the exact pixels they set.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "gfx.h"
#include "surface_helpers.h"

namespace {

const ColorRGB red(255, 0, 0);

class Primitives : public ::testing::Test {
protected:
    void SetUp() override { fillSurface(0); }
    Uint32 ink() const { return packed(red); }
    std::set<std::pair<int, int>> inked() const {
        std::set<std::pair<int, int>> cells;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (rawPixel(x, y) == ink()) cells.insert({x, y});
        return cells;
    }
};

TEST_F(Primitives, ClsWritesTheRawPackedValue) {
    cls(ColorRGB(255, 0, 128));
    EXPECT_EQ(rawPixel(0, 0), 0x00FF0080u);
    EXPECT_EQ(countPixels(0x00FF0080u), 640 * 640);
}

TEST_F(Primitives, PsetWrapsPastTheEdgesAndIgnoresNegatives) {
    pset(w + 5, 7, red);
    pset(5, h, red);
    pset(-1, 3, red);
    pset(3, -1, red);
    pset(-640, -640, red);
    EXPECT_EQ(inked(), (std::set<std::pair<int, int>>{{5, 7}, {5, 0}}));
    EXPECT_EQ(pixelColor(5, 7), red);
}

TEST_F(Primitives, HorLineClipsAndSwapsItsEnds) {
    EXPECT_TRUE(horLine(10, 50, 20, red));
    EXPECT_EQ(countPixels(20, 10, 50, 10, ink()), 31);
    EXPECT_EQ(countPixels(ink()), 31);
    fillSurface(0);
    EXPECT_TRUE(horLine(10, -5, 3, red));
    EXPECT_EQ(inked().size(), 4u);
    EXPECT_EQ(rawPixel(0, 10), ink());
    fillSurface(0);
    EXPECT_TRUE(horLine(639, 630, 5000, red));
    EXPECT_EQ(countPixels(ink()), 10);
    fillSurface(0);
    EXPECT_FALSE(horLine(-1, 0, 9, red));
    EXPECT_FALSE(horLine(h, 0, 9, red));
    EXPECT_FALSE(horLine(10, w, w + 9, red));
    EXPECT_FALSE(horLine(10, -9, -1, red));
    EXPECT_EQ(countPixels(ink()), 0);
}

TEST_F(Primitives, DrawLineWalksBresenhamCellsAndRefusesOffSurfaceEnds) {
    EXPECT_TRUE(drawLine(0, 0, 3, 1, red));
    EXPECT_EQ(inked(), (std::set<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    fillSurface(0);
    EXPECT_TRUE(drawLine(4, 4, 4, 4, red));
    EXPECT_EQ(inked(), (std::set<std::pair<int, int>>{{4, 4}}));
    fillSurface(0);
    // Reversed direction and a y-major line.
    EXPECT_TRUE(drawLine(3, 1, 0, 0, red));
    EXPECT_EQ(inked(), (std::set<std::pair<int, int>>{{3, 1}, {2, 1}, {1, 0}, {0, 0}}));
    fillSurface(0);
    EXPECT_TRUE(drawLine(10, 10, 11, 14, red));
    EXPECT_EQ(inked(), (std::set<std::pair<int, int>>{{10, 10}, {10, 11}, {11, 12}, {11, 13}, {11, 14}}));
    fillSurface(0);
    EXPECT_FALSE(drawLine(-1, 5, 10, 5, red));
    EXPECT_FALSE(drawLine(0, 0, 0, h, red));
    EXPECT_EQ(countPixels(ink()), 0);
    EXPECT_TRUE(drawLine(639, 639, 0, 0, red));
    EXPECT_EQ(countPixels(ink()), 640);
}

TEST_F(Primitives, DrawRectFillsInclusiveCornersOrRefuses) {
    EXPECT_TRUE(drawRect(320, 410, 639, 639, red));
    EXPECT_EQ(countPixels(ink()), 320 * 230);
    EXPECT_EQ(rawPixel(319, 410), 0u);
    EXPECT_EQ(rawPixel(320, 409), 0u);
    fillSurface(0);
    EXPECT_FALSE(drawRect(0, 0, 640, 10, red));
    EXPECT_FALSE(drawRect(-1, 0, 5, 10, red));
    EXPECT_EQ(countPixels(ink()), 0);
    EXPECT_TRUE(drawRect(10, 10, 9, 20, red));  // zero width
    EXPECT_EQ(countPixels(ink()), 0);
    // A second corner left of the first gives a huge unsigned width: the fill
    // runs to the right edge and never beyond the surface.
    EXPECT_TRUE(drawRect(600, 5, 500, 5, red));
    EXPECT_EQ(countPixels(ink()), 40);
    EXPECT_EQ(rawPixel(639, 5), ink());
}

}  // namespace
