// shapes_test.cpp - pixel reads, frame copies, vertical lines, circles, disks
// and line clipping, checked on the real surface.
#include <climits>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gfx.h"
#include "surface_helpers.h"

namespace {

const ColorRGB red(255, 0, 0);

class Shapes : public ::testing::Test {
protected:
    void SetUp() override { fillSurface(0); }
    const Uint32 ink = packed(red);
};

TEST_F(Shapes, PgetWrapsLikePsetAndReadsBlackForNegatives) {
    pset(12, 34, ColorRGB(10, 20, 30));
    EXPECT_EQ(pget(12, 34), ColorRGB(10, 20, 30));
    pset(5, 7, red);
    pset(5, 0, ColorRGB(0, 255, 0));
    EXPECT_EQ(pget(w + 5, 7), red);
    EXPECT_EQ(pget(5, h), ColorRGB(0, 255, 0));
    fillSurface(packed(ColorRGB(255, 255, 255)));
    EXPECT_EQ(pget(-1, 3), ColorRGB());
    EXPECT_EQ(pget(3, -1), ColorRGB());
    EXPECT_EQ(pget(INT_MIN, INT_MIN), ColorRGB());
}

TEST_F(Shapes, DrawBufferCopiesColumnOrder) {
    std::vector<Uint32> buffer(static_cast<size_t>(w) * h);
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) buffer[static_cast<size_t>(x) * h + y] = static_cast<Uint32>(x * 1000 + y);
    drawBuffer(buffer.data());
    EXPECT_EQ(rawPixel(0, 0), 0u);
    EXPECT_EQ(rawPixel(3, 1), 3001u);
    EXPECT_EQ(rawPixel(1, 3), 1003u);
    EXPECT_EQ(rawPixel(w - 1, h - 1), static_cast<Uint32>((w - 1) * 1000 + h - 1));
}

TEST_F(Shapes, DrawBufferIgnoresNullBuffer) {
    fillSurface(ink);
    drawBuffer(nullptr);
    EXPECT_EQ(countPixels(ink), w * h);
}

TEST_F(Shapes, OnScreenTestsEveryEdge) {
    EXPECT_TRUE(onScreen(0, 0));
    EXPECT_TRUE(onScreen(w - 1, h - 1));
    EXPECT_FALSE(onScreen(-1, 0));
    EXPECT_FALSE(onScreen(0, -1));
    EXPECT_FALSE(onScreen(w, 0));
    EXPECT_FALSE(onScreen(0, h));
}

TEST_F(Shapes, VerLineFillsTheWholeLeftColumn) {
    EXPECT_TRUE(verLine(0, 0, h - 1, red));
    EXPECT_EQ(countPixels(0, 0, 0, h - 1, ink), h);
    EXPECT_EQ(countPixels(ink), h);
}

TEST_F(Shapes, VerLineSwapsAndClips) {
    EXPECT_TRUE(verLine(7, 50, 20, red));
    EXPECT_EQ(countPixels(7, 20, 7, 50, ink), 31);
    EXPECT_EQ(countPixels(ink), 31);
    fillSurface(0);
    EXPECT_TRUE(verLine(w - 1, -5, 3, red));
    EXPECT_EQ(countPixels(ink), 4);
    EXPECT_EQ(rawPixel(w - 1, 3), ink);
}

TEST_F(Shapes, VerLineOffTheSurfaceDrawsNothing) {
    EXPECT_FALSE(verLine(-1, 0, 9, red));
    EXPECT_FALSE(verLine(w, 0, 9, red));
    EXPECT_FALSE(verLine(3, -9, -1, red));
    EXPECT_FALSE(verLine(3, h, h + 9, red));
    EXPECT_EQ(countPixels(ink), 0);
}

TEST_F(Shapes, CircleRefusesUnlessWhollyOnTheSurface) {
    EXPECT_TRUE(drawCircle(10, 10, 10, red));
    EXPECT_FALSE(drawCircle(0, 5, 1, red));
    EXPECT_FALSE(drawCircle(w - 10, 100, 10, red));  // reaches column w
    EXPECT_FALSE(drawCircle(100, h - 10, 10, red));
    fillSurface(0);
    EXPECT_FALSE(drawCircle(100, 100, -1, red));
    EXPECT_FALSE(drawCircle(INT_MAX, INT_MAX, INT_MAX, red));
    EXPECT_FALSE(drawCircle(INT_MIN, 0, INT_MAX, red));
    EXPECT_EQ(countPixels(ink), 0);
}

// The 5 x 5 block round (x, y) as rows of '#' (ink) and '.'.
std::vector<std::string> block(int x, int y, Uint32 ink) {
    std::vector<std::string> rows(5);
    for (int v = 0; v < 5; ++v)
        for (int u = 0; u < 5; ++u) rows[v] += rawPixel(x - 2 + u, y - 2 + v) == ink ? '#' : '.';
    return rows;
}

TEST_F(Shapes, RadiusZeroIsOnePixel) {
    EXPECT_TRUE(drawCircle(40, 50, 0, red));
    EXPECT_TRUE(drawDisk(3, 4, 0, red));
    EXPECT_EQ(countPixels(ink), 2);
    EXPECT_EQ(rawPixel(40, 50), ink);
    EXPECT_EQ(rawPixel(3, 4), ink);
}

TEST_F(Shapes, CircleOfRadiusTwoHasTheMidpointOutline) {
    EXPECT_TRUE(drawCircle(20, 20, 2, red));
    EXPECT_EQ(block(20, 20, ink), (std::vector<std::string>{".###.", "#...#", "#...#", "#...#", ".###."}));
    EXPECT_EQ(countPixels(ink), 12);
}

TEST_F(Shapes, DiskOfRadiusTwoHasOnePixelTopAndBottomRows) {
    EXPECT_TRUE(drawDisk(30, 30, 2, red));
    EXPECT_EQ(block(30, 30, ink), (std::vector<std::string>{"..#..", "#####", "#####", "#####", "..#.."}));
    EXPECT_EQ(countPixels(ink), 17);
}

TEST_F(Shapes, DiskCentredOffTheSurfaceDrawsItsOverlap) {
    EXPECT_TRUE(drawDisk(-2, 30, 3, red));
    // Rows 29..31 reach x = 1; rows 28 and 32 reach x = 0; the rows 27 and 33
    // are one pixel at x = -2, off the surface.
    EXPECT_EQ(countPixels(0, 29, 1, 31, ink), 6);
    EXPECT_EQ(rawPixel(0, 28), ink);
    EXPECT_EQ(rawPixel(0, 32), ink);
    EXPECT_EQ(countPixels(ink), 8);
}

TEST_F(Shapes, DiskWhollyOffTheSurfaceOrNegativeIsRefused) {
    EXPECT_FALSE(drawDisk(-4, 30, 3, red));
    EXPECT_FALSE(drawDisk(30, h + 3, 3, red));
    EXPECT_FALSE(drawDisk(30, 30, -1, red));
    EXPECT_FALSE(drawDisk(INT_MAX, INT_MAX, 5, red));
    EXPECT_FALSE(drawDisk(INT_MIN, INT_MIN, 5, red));
    EXPECT_EQ(countPixels(ink), 0);
}

TEST_F(Shapes, LargeDiskCoversTheSurface) {
    EXPECT_TRUE(drawDisk(w / 2, h / 2, 2 * w, red));
    EXPECT_EQ(countPixels(ink), w * h);
}

TEST(Regions, CodesNameEachSide) {
    EXPECT_EQ(findRegion(0, 0), 0);
    EXPECT_EQ(findRegion(w - 1, h - 1), 0);
    EXPECT_EQ(findRegion(-1, -1), 10);
    EXPECT_EQ(findRegion(w, h), 5);
    EXPECT_EQ(findRegion(-1, h), 9);
    EXPECT_EQ(findRegion(w, -1), 6);
}

struct Clipped {
    bool kept;
    int x3, y3, x4, y4;
};

Clipped clip(int x1, int y1, int x2, int y2) {
    Clipped c{false, -7, -7, -7, -7};
    c.kept = clipLine(x1, y1, x2, y2, c.x3, c.y3, c.x4, c.y4);
    return c;
}

void expectClipped(const Clipped& c, int x3, int y3, int x4, int y4) {
    EXPECT_TRUE(c.kept);
    EXPECT_EQ(c.x3, x3);
    EXPECT_EQ(c.y3, y3);
    EXPECT_EQ(c.x4, x4);
    EXPECT_EQ(c.y4, y4);
}

TEST(ClipLine, ClipsAtEachEdge) {
    expectClipped(clip(3, 4, 600, 500), 3, 4, 600, 500);
    expectClipped(clip(-10, 5, 10, 5), 0, 5, 10, 5);
    expectClipped(clip(10, 5, -10, 5), 10, 5, 0, 5);
    expectClipped(clip(5, 600, 5, 700), 5, 600, 5, h - 1);
    expectClipped(clip(5, -50, 5, 20), 5, 0, 5, 20);
    expectClipped(clip(600, 9, 700, 9), 600, 9, w - 1, 9);
}

TEST(ClipLine, CrossingsTruncateTowardZero) {
    // y = 0 + (0 - 3) * -7 / 17 = 21 / 17 = 1
    expectClipped(clip(-7, 0, 10, 3), 0, 1, 10, 3);
    // y = 3 + (3 - 0) * -7 / 17 = 3 - 1 (not 3 - 2, as rounding down would give)
    expectClipped(clip(-7, 3, 10, 0), 0, 2, 10, 0);
}

TEST(ClipLine, ClipsBothEndsOfADiagonal) {
    expectClipped(clip(-10, -10, 10, 10), 0, 0, 10, 10);
    expectClipped(clip(-100, 320, 1000, 320), 0, 320, w - 1, 320);
    expectClipped(clip(INT_MIN, INT_MIN, INT_MAX, INT_MAX), 0, 0, w - 1, h - 1);
}

TEST(ClipLine, RejectsLinesThatMissTheSurface) {
    const Clipped c = clip(-20, 5, -10, 50);
    EXPECT_FALSE(c.kept);
    EXPECT_TRUE(c.x3 == 0 && c.y3 == 0 && c.x4 == 0 && c.y4 == 0);
    // Crosses no edge inside the surface: past the top-left corner.
    EXPECT_FALSE(clip(-10, 5, 5, -10).kept);
    EXPECT_FALSE(clip(INT_MIN, INT_MAX, INT_MIN + 1, INT_MIN).kept);
}

TEST(ClipLine, ClippedEndsDrawWithDrawLine) {
    fillSurface(0);
    int x3, y3, x4, y4;
    ASSERT_TRUE(clipLine(-30, -30, 30, 30, x3, y3, x4, y4));
    EXPECT_TRUE(drawLine(x3, y3, x4, y4, red));
    EXPECT_EQ(countPixels(packed(red)), 31);
    EXPECT_EQ(rawPixel(30, 30), packed(red));
}

}  // namespace
