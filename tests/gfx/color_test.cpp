// Colour records: construction, unclamped arithmetic and 24-bit packing.
#include <gtest/gtest.h>

#include "gfx.h"

static void expectChannels(ColorRGB c, int r, int g, int b) {
    EXPECT_EQ(c.r, r);
    EXPECT_EQ(c.g, g);
    EXPECT_EQ(c.b, b);
}

TEST(ColorRecords, ConstructorsReduceToBytesAndDefaultToBlack) {
    expectChannels(ColorRGB(255, 255, 255), 255, 255, 255);
    expectChannels(ColorRGB(), 0, 0, 0);
    int big = 300, negative = -1;  // not constants: the reduction happens at run time
    expectChannels(ColorRGB(big, 0, negative), 44, 0, 255);
    const ColorRGB8bit bytes(ColorRGB(200, 0, 0) + ColorRGB(100, 0, 0));
    EXPECT_EQ(bytes.r, 44);
    expectChannels(ColorRGB(ColorRGB8bit(1, 2, 3)), 1, 2, 3);
    const ColorHSL hsl(1, 2, 3);
    EXPECT_EQ(hsl.h + hsl.s + hsl.l, 6);
    const ColorHSV hsv;
    EXPECT_EQ(hsv.h + hsv.s + hsv.v, 0);
}

TEST(ColorRecords, ArithmeticIsChannelWiseAndUnclamped) {
    expectChannels(ColorRGB(200, 0, 0) + ColorRGB(100, 0, 0), 300, 0, 0);
    const ColorRGB mixed = ColorRGB(7, 0, 9) - ColorRGB(0, 7, 0);
    expectChannels(mixed, 7, -7, 9);
    expectChannels(mixed / 2, 3, -3, 4);  // truncates toward zero
    expectChannels(ColorRGB(10, 20, 30) / 0, 10, 20, 30);
    expectChannels(ColorRGB(10, 20, 30) * 3, 30, 60, 90);
    expectChannels(2 * ColorRGB(10, 20, 30), 20, 40, 60);
    EXPECT_TRUE(ColorRGB(1, 2, 3) == ColorRGB(1, 2, 3));
    EXPECT_TRUE(ColorRGB(1, 2, 3) != ColorRGB(1, 2, 4));
    EXPECT_FALSE(ColorRGB(1, 2, 3) != ColorRGB(1, 2, 3));
}

TEST(ColorRecords, PackingRoundTripsAndSpillsUnmaskedChannels) {
    EXPECT_EQ(RGBtoINT(ColorRGB(1, 2, 3)), 1u * 65536 + 2u * 256 + 3);
    EXPECT_EQ(RGBtoINT(ColorRGB(0, 0, 0) + ColorRGB(0, 255, 0) + ColorRGB(0, 1, 0)), RGBtoINT(ColorRGB(1, 0, 0)));
    expectChannels(INTtoRGB(0x12345678), 0x34, 0x56, 0x78);
    for (int v : {0x000000, 0x588D43, 0xFFFFFF, 0x010203}) {
        EXPECT_EQ(RGBtoINT(INTtoRGB(static_cast<Uint32>(v))), static_cast<Uint32>(v));
    }
}
