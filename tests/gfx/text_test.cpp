// Text output: glyph pixels, the cursor result, wrap, forced length and the
// number formats.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "gfx.h"
#include "surface_helpers.h"

namespace {

const ColorRGB white(255, 255, 255);
const ColorRGB blue(0, 0, 255);

class Text : public ::testing::Test {
protected:
    void SetUp() override { fillSurface(0); }
    static Uint32 ink() { return packed(white); }
    // True when the cell at (x, y) shows exactly glyph n in ink.
    static bool shows(unsigned char n, int x, int y) { return cellPattern(x, y, ink()) == glyphPattern(n); }
    // The text shown in `cells` cells from (x, y), read back glyph by glyph; a
    // trailing blank in an expectation checks that nothing follows the text.
    static std::string readBack(int x, int y, int cells) {
        std::string text;
        for (int i = 0; i < cells; ++i) {
            for (int c = 32; c < 127; ++c) {
                if (shows(static_cast<unsigned char>(c), x + 8 * i, y)) {
                    text += static_cast<char>(c);
                    break;
                }
            }
        }
        return text;
    }
};

TEST_F(Text, PrintableGlyphsMatchTheirBitmaps) {
    // Spot checks of the table against known rows (most significant bit left).
    const unsigned char aRows[8] = {0x30, 0x78, 0xCC, 0xCC, 0xFC, 0xCC, 0xCC, 0x00};
    for (int v = 0; v < 8; ++v)
        for (int u = 0; u < 8; ++u) EXPECT_EQ(font['A'][v][u], ((aRows[v] >> (7 - u)) & 1) != 0);
    for (int n : {0, 32, 255})
        for (int v = 0; v < 8; ++v)
            for (int u = 0; u < 8; ++u) EXPECT_FALSE(font[n][v][u]);
    EXPECT_TRUE(font['_'][7][0] && font['_'][7][7]);
}

TEST_F(Text, PrintDrawsInkOnlyAndReturnsTheCursor) {
    EXPECT_EQ(print("AB", 0, 0, white, false, blue, 0), h * 16 + 0);
    EXPECT_TRUE(shows('A', 0, 0));
    EXPECT_TRUE(shows('B', 8, 0));
    EXPECT_EQ(countPixels(packed(blue)), 0);
    int inkCount = 0;
    for (int n : {'A', 'B'})
        for (int v = 0; v < 8; ++v)
            for (int u = 0; u < 8; ++u) inkCount += font[n][v][u];
    EXPECT_EQ(countPixels(ink()), inkCount);
}

TEST_F(Text, ForcedLengthPadsWithBackgroundCells) {
    EXPECT_EQ(print("", 10, 20, white, true, blue, 3), h * 34 + 20);
    EXPECT_EQ(countPixels(packed(blue)), 3 * 64);
    EXPECT_EQ(countPixels(10, 20, 33, 27, packed(blue)), 3 * 64);
    fillSurface(0);
    EXPECT_EQ(print("", 10, 20, white, true, blue, 0), h * 10 + 20);
    EXPECT_EQ(countPixels(0), 640 * 640);
    EXPECT_EQ(print("ABC", 0, 0, white, false, blue, 2), h * 24);  // shorter than the text: no effect
    EXPECT_TRUE(shows('C', 16, 0));
}

TEST_F(Text, LinesWrapAtTheRightEdgeAndTheBottom) {
    const int cursor = print("XY", 628, 40, white, false, blue, 0);
    EXPECT_TRUE(shows('X', 628, 40));
    EXPECT_TRUE(shows('Y', 4, 48));
    EXPECT_EQ(cursor, h * 12 + 48);
    fillSurface(0);
    const std::string row(81, 'I');
    print(row.c_str(), 0, 100, white, false, blue, 0);
    EXPECT_TRUE(shows('I', 632, 100));
    EXPECT_TRUE(shows('I', 0, 108));
    fillSurface(0);
    // A wrap below the last full line continues at the top, inside the surface.
    EXPECT_EQ(print("MN", 632, 632, white, false, blue, 0), h * 8 + 0);
    EXPECT_TRUE(shows('M', 632, 632));
    EXPECT_TRUE(shows('N', 0, 0));
}

TEST_F(Text, IntegersKeepASignColumnWhenAsked) {
    iprint(5, 0, 0, white, false, blue, true, 0);
    EXPECT_TRUE(shows('5', 8, 0));
    iprint(-5, 0, 10, white, false, blue, true, 0);
    EXPECT_TRUE(shows('-', 0, 10));
    EXPECT_TRUE(shows('5', 8, 10));
    iprint(-2147483647 - 1, 0, 20, white, false, blue, false, 0);
    EXPECT_EQ(readBack(0, 20, 11), "-2147483648");
    iprint(static_cast<Uint32>(4294967295u), 0, 30, white, false, blue, true, 0);
    EXPECT_EQ(readBack(8, 30, 10), "4294967295");
    EXPECT_EQ(iprint(12, 0, 40, white, false, blue, false, 0), h * 16 + 40);
}

TEST_F(Text, DoublesUseFixedDecimalsOrSixteenSignificantDigits) {
    fprint(3.14159, 2, 0, 0, white, false, blue, false, 0);
    EXPECT_EQ(readBack(0, 0, 5), "3.14 ");
    fprint(3.14159, 0, 0, 10, white, false, blue, false, 0);
    EXPECT_EQ(readBack(0, 10, 8), "3.14159 ");
    fprint(3.14159, 16, 0, 20, white, false, blue, false, 0);
    EXPECT_EQ(readBack(0, 20, 8), "3.14159 ");
    fprint(1.0 / 3.0, -1, 0, 30, white, false, blue, false, 0);
    EXPECT_EQ(readBack(0, 30, 19), "0.3333333333333333 ");
    fprint(std::nan(""), 2, 0, 40, white, false, blue, true, 0);
    EXPECT_EQ(readBack(0, 40, 3), "nan");  // not a number gets no sign shift
    fprint(2.5, 1, 0, 50, white, false, blue, true, 0);
    EXPECT_EQ(readBack(8, 50, 3), "2.5");
}

TEST_F(Text, HugeFixedPointValuesFallBackInsteadOfOverflowing) {
    // 1e300 with 15 decimals would need over 300 characters.
    fprint(1e300, 15, 0, 0, white, false, blue, false, 0);
    EXPECT_EQ(readBack(0, 0, 7), "1e+300 ");
    fprint(-std::numeric_limits<double>::max(), 15, 0, 10, white, false, blue, false, 0);
    EXPECT_EQ(readBack(0, 10, 24), "-1.797693134862316e+308 ");
}

TEST_F(Text, CprintDrawsOneCellAndReturnsOne) {
    EXPECT_EQ(cprint(0, 100, 100, white, true, blue), 1);
    EXPECT_EQ(countPixels(packed(blue)), 64);
    EXPECT_EQ(cprint('Q', 100, 100, white, false, blue), 1);
    EXPECT_TRUE(shows('Q', 100, 100));
}

}  // namespace
