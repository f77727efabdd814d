// convert_test.cpp - RGB to and from HSL and HSV, including inputs outside 0..255.
#include <climits>
#include <ostream>

#include <gtest/gtest.h>

#include "gfx.h"

void PrintTo(const ColorRGB& color, std::ostream* os) {
    *os << "RGB(" << color.r << ", " << color.g << ", " << color.b << ")";
}

namespace {

// Records with channels set directly, so that values outside 0..255 survive.
ColorRGB rgb(int r, int g, int b) {
    ColorRGB c;
    c.r = r;
    c.g = g;
    c.b = b;
    return c;
}

ColorHSV hsv(int h, int s, int v) {
    ColorHSV c;
    c.h = h;
    c.s = s;
    c.v = v;
    return c;
}

ColorHSL hsl(int h, int s, int l) {
    ColorHSL c;
    c.h = h;
    c.s = s;
    c.l = l;
    return c;
}

void expectHSL(ColorHSL c, int h, int s, int l) {
    EXPECT_EQ(c.h, h);
    EXPECT_EQ(c.s, s);
    EXPECT_EQ(c.l, l);
}

void expectHSV(ColorHSV c, int h, int s, int v) {
    EXPECT_EQ(c.h, h);
    EXPECT_EQ(c.s, s);
    EXPECT_EQ(c.v, v);
}

bool withinChannelRange(ColorRGB c) {
    return c.r >= 0 && c.r <= 255 && c.g >= 0 && c.g <= 255 && c.b >= 0 && c.b <= 255;
}

TEST(RGBtoHSL, ScalesInBy256AndOutBy255) {
    expectHSL(RGBtoHSL(ColorRGB(255, 255, 255)), 0, 0, 254);
    expectHSL(RGBtoHSL(ColorRGB(0, 0, 0)), 0, 0, 0);
    expectHSL(RGBtoHSL(ColorRGB(128, 128, 128)), 0, 0, 127);
}

TEST(RGBtoHSL, PrimariesSitAtThirdsOfTheCircle) {
    expectHSL(RGBtoHSL(ColorRGB(255, 0, 0)), 0, 255, 127);
    expectHSL(RGBtoHSL(ColorRGB(0, 255, 0)), 85, 255, 127);
    expectHSL(RGBtoHSL(ColorRGB(0, 0, 255)), 170, 255, 127);
}

TEST(RGBtoHSV, GreysHaveNoHueOrSaturation) {
    expectHSV(RGBtoHSV(ColorRGB(255, 255, 255)), 0, 0, 254);
    expectHSV(RGBtoHSV(ColorRGB(0, 0, 0)), 0, 0, 0);
    expectHSV(RGBtoHSV(ColorRGB(128, 128, 128)), 0, 0, 127);
}

TEST(RGBtoHSV, Primaries) {
    expectHSV(RGBtoHSV(ColorRGB(255, 0, 0)), 0, 255, 254);
    expectHSV(RGBtoHSV(ColorRGB(0, 255, 0)), 85, 255, 254);
    expectHSV(RGBtoHSV(ColorRGB(0, 0, 255)), 170, 255, 254);
}

TEST(HSVtoRGB, FullRedAndGrey) {
    EXPECT_EQ(HSVtoRGB(ColorHSV(0, 255, 255)), ColorRGB(254, 0, 0));
    EXPECT_EQ(HSVtoRGB(ColorHSV(123, 0, 128)), ColorRGB(127, 127, 127));
}

TEST(HSLtoRGB, GreyTakesTheLightness) {
    EXPECT_EQ(HSLtoRGB(ColorHSL(200, 0, 128)), ColorRGB(127, 127, 127));
    EXPECT_EQ(HSLtoRGB(ColorHSL(0, 0, 0)), ColorRGB(0, 0, 0));
}

TEST(RoundTrip, ComesBackSlightlyDarker) {
    EXPECT_EQ(HSLtoRGB(RGBtoHSL(ColorRGB(255, 255, 255))), ColorRGB(253, 253, 253));
    EXPECT_EQ(HSVtoRGB(RGBtoHSV(ColorRGB(255, 255, 255))), ColorRGB(253, 253, 253));
    EXPECT_EQ(HSLtoRGB(RGBtoHSL(ColorRGB(128, 128, 128))), ColorRGB(126, 126, 126));
    EXPECT_EQ(HSVtoRGB(RGBtoHSV(ColorRGB(255, 0, 0))), ColorRGB(253, 0, 0));
    EXPECT_EQ(HSLtoRGB(RGBtoHSL(ColorRGB(0, 0, 0))), ColorRGB(0, 0, 0));
}

TEST(HueOutsideTheCircle, WrapsRoundIt) {
    EXPECT_EQ(HSVtoRGB(hsv(256, 200, 200)), HSVtoRGB(hsv(0, 200, 200)));
    EXPECT_EQ(HSVtoRGB(hsv(300, 200, 200)), HSVtoRGB(hsv(44, 200, 200)));
    EXPECT_EQ(HSVtoRGB(hsv(-1, 200, 200)), HSVtoRGB(hsv(255, 200, 200)));
    EXPECT_EQ(HSVtoRGB(hsv(INT_MIN, 200, 200)), HSVtoRGB(hsv(0, 200, 200)));
    EXPECT_EQ(HSLtoRGB(hsl(256 + 85, 255, 127)), HSLtoRGB(hsl(85, 255, 127)));
    EXPECT_EQ(HSLtoRGB(hsl(-86, 255, 127)), HSLtoRGB(hsl(170, 255, 127)));
}

TEST(ChannelsOutsideTheRange, GiveClampedColours) {
    EXPECT_EQ(HSVtoRGB(hsv(0, 1000, 100000)), ColorRGB(255, 0, 0));
    EXPECT_TRUE(withinChannelRange(HSVtoRGB(hsv(INT_MAX, INT_MIN, INT_MAX))));
    EXPECT_TRUE(withinChannelRange(HSLtoRGB(hsl(INT_MAX, INT_MAX, INT_MIN))));
    EXPECT_TRUE(withinChannelRange(HSLtoRGB(hsl(10, INT_MAX, INT_MAX))));

    const ColorHSL light = RGBtoHSL(rgb(INT_MAX, INT_MIN, 0));
    EXPECT_TRUE(light.h >= 0 && light.h <= 255 && light.s >= 0 && light.s <= 255 && light.l >= 0 && light.l <= 255);
    const ColorHSV value = RGBtoHSV(rgb(-256, -512, -512));
    EXPECT_TRUE(value.h >= 0 && value.h <= 255 && value.s >= 0 && value.s <= 255 && value.v >= 0 && value.v <= 255);
}

TEST(ChannelsOutsideTheRange, SaturationDivisorOfZeroIsDefined) {
    // Scaled red 2.0: 2 - max - min is 0, so the saturation divides by zero.
    expectHSL(RGBtoHSL(rgb(512, 0, 0)), 0, 255, 255);
}

}  // namespace
