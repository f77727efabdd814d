// convert_test.cpp - RGB to and from HSL and HSV, including inputs outside 0..255.
#include <array>
#include <climits>

#include <gtest/gtest.h>

#include "gfx.h"
#include "surface_helpers.h"

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

// The three channels of any colour record, in order, for comparing them together.
using Channels = std::array<int, 3>;
Channels channels(ColorRGB c) { return {c.r, c.g, c.b}; }
Channels channels(ColorHSL c) { return {c.h, c.s, c.l}; }
Channels channels(ColorHSV c) { return {c.h, c.s, c.v}; }

template <typename Color>
void expectChannels(Color c, int first, int second, int third) {
    EXPECT_EQ(channels(c), (Channels{first, second, third}));
}

template <typename Color>
bool withinChannelRange(Color c) {
    for (int channel : channels(c))
        if (channel < 0 || channel > 255) return false;
    return true;
}

TEST(RGBtoHSL, ScalesInBy256AndOutBy255) {
    expectChannels(RGBtoHSL(ColorRGB(255, 255, 255)), 0, 0, 254);
    expectChannels(RGBtoHSL(ColorRGB(0, 0, 0)), 0, 0, 0);
    expectChannels(RGBtoHSL(ColorRGB(128, 128, 128)), 0, 0, 127);
}

TEST(RGBtoHSL, PrimariesSitAtThirdsOfTheCircle) {
    expectChannels(RGBtoHSL(ColorRGB(255, 0, 0)), 0, 255, 127);
    expectChannels(RGBtoHSL(ColorRGB(0, 255, 0)), 85, 255, 127);
    expectChannels(RGBtoHSL(ColorRGB(0, 0, 255)), 170, 255, 127);
}

TEST(RGBtoHSV, GreysHaveNoHueOrSaturation) {
    expectChannels(RGBtoHSV(ColorRGB(255, 255, 255)), 0, 0, 254);
    expectChannels(RGBtoHSV(ColorRGB(0, 0, 0)), 0, 0, 0);
    expectChannels(RGBtoHSV(ColorRGB(128, 128, 128)), 0, 0, 127);
}

TEST(RGBtoHSV, Primaries) {
    expectChannels(RGBtoHSV(ColorRGB(255, 0, 0)), 0, 255, 254);
    expectChannels(RGBtoHSV(ColorRGB(0, 255, 0)), 85, 255, 254);
    expectChannels(RGBtoHSV(ColorRGB(0, 0, 255)), 170, 255, 254);
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

    EXPECT_TRUE(withinChannelRange(RGBtoHSL(rgb(INT_MAX, INT_MIN, 0))));
    EXPECT_TRUE(withinChannelRange(RGBtoHSV(rgb(-256, -512, -512))));
}

TEST(ChannelsOutsideTheRange, SaturationDivisorOfZeroIsDefined) {
    // Scaled red 2.0: 2 - max - min is 0, so the saturation divides by zero.
    expectChannels(RGBtoHSL(rgb(512, 0, 0)), 0, 255, 255);
}

}  // namespace
