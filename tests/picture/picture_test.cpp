// The picture tables: clearing, the free-entry choice of the create operations,
// emptying, and the palette.
#include <gtest/gtest.h>

#include "picture.h"

namespace {

class Tables : public ::testing::Test {
protected:
    PictureTables t;
    const int (&pixel)[2][p_number] = t.pixel;
    const bool (&pixel_oc)[p_number] = t.pixel_oc;
    const int (&lines)[4][l_number] = t.lines;
    const bool (&line_oc)[l_number] = t.line_oc;
    void addPoint(int x, int y) { t.createPixel(x, y); }
};

TEST_F(Tables, ClearingEmptiesEveryEntryAndZeroesTheCounts) {
    t.createPixel(3, 4);
    t.createLine(1, 2, 3, 4);
    t.clear();
    EXPECT_EQ(t.pixels_Amount, 0);
    EXPECT_EQ(t.lines_amount, 0);
    for (int i = 0; i < p_number; ++i) {
        EXPECT_EQ(pixel[0][i], -1);
        EXPECT_EQ(pixel[1][i], -1);
        EXPECT_FALSE(pixel_oc[i]);
    }
    for (int i = 0; i < l_number; ++i) {
        for (int row = 0; row < 4; ++row) EXPECT_EQ(lines[row][i], -1);
        EXPECT_FALSE(line_oc[i]);
    }
}

TEST_F(Tables, CreationFillsTheLowestGapBelowTheCount) {
    addPoint(1, 1);
    addPoint(2, 2);
    addPoint(3, 3);
    t.emptyPixel(0);
    addPoint(9, 9);
    EXPECT_EQ(pixel[0][0], 9);
    EXPECT_EQ(pixel[1][0], 9);
    EXPECT_TRUE(pixel_oc[0]);
    EXPECT_FALSE(pixel_oc[3]);
}

TEST_F(Tables, CreationTakesEntryCountWhenNoLowerEntryIsFree) {
    for (int i = 0; i < 5; ++i) addPoint(i, i);
    addPoint(50, 60);
    EXPECT_EQ(pixel[0][5], 50);
    EXPECT_EQ(pixel[1][5], 60);
    // Entries 1 and 2 in use with the count 2: entry 0 is the free one.
    t.clear();
    t.createPixel(1, 1);
    t.createPixel(2, 2);
    t.emptyPixel(0);
    t.createPixel(7, 7);
    EXPECT_EQ(pixel[0][0], 7);
}

TEST_F(Tables, LinesFollowTheSameRuleAndEmptyAllFourRows) {
    t.createLine(1, 2, 3, 4);
    t.createLine(5, 6, 7, 8);
    t.emptyLine(0);
    for (int row = 0; row < 4; ++row) EXPECT_EQ(lines[row][0], -1);
    EXPECT_FALSE(line_oc[0]);
    t.createLine(9, 9, 9, 9);
    EXPECT_EQ(lines[2][0], 9);
    EXPECT_TRUE(line_oc[0]);
    EXPECT_EQ(lines[0][1], 5);
}

TEST_F(Tables, PaletteHoldsTheSixteenColours) {
    const Uint32 expected[paletteSize] = {0x000000, 0xFFFFFF, 0x68372B, 0x70A4B2, 0x6F3D86, 0x588D43,
                                          0x352879, 0xB8C76F, 0x6F4F25, 0x433900, 0x9A6759, 0x444444,
                                          0x6C6C6C, 0x9AD284, 0x6C5EB5, 0x959595};
    for (int i = 0; i < paletteSize; ++i) EXPECT_EQ(RGBtoINT(Colors[i]), expected[i]) << "colour " << i + 1;
}

TEST_F(Tables, CanvasTestCoversExactlyTheCells) {
    EXPECT_TRUE(onCanvas(0, 0));
    EXPECT_TRUE(onCanvas(255, 199));
    EXPECT_FALSE(onCanvas(-1, 0));
    EXPECT_FALSE(onCanvas(256, 0));
    EXPECT_FALSE(onCanvas(0, 200));
}

}  // namespace
