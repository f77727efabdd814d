// convert.cpp - conversions between RGB and the HSL and HSV colour models.
//
// Pure functions on the colour records. Channels go in as single-precision
// fractions (channel / 256) and come out as channel * 255 truncated toward
// zero, so a round trip comes out slightly darker: white gives (253, 253, 253).
// Hue is a fraction of the colour circle scaled to 0..255 (red 0, green 85,
// blue 170); a hue outside 0..255 wraps round the circle. Results are clamped
// to 0..255, which only inputs outside 0..255 can reach.
#include "gfx.h"

static float fraction(int channel) { return static_cast<float>(channel) / 256.0f; }

// Hue modulo the full circle, as a fraction in 0..1.
static float hueFraction(int hue) { return fraction((hue % 256 + 256) % 256); }

// A fraction back to a channel. Clamping first keeps the conversion to int
// defined for every float, including infinities and NaN (which gives 0).
static int toChannel(float value) {
    const float scaled = value * 255.0f;
    if (!(scaled > 0.0f)) return 0;
    if (scaled > 255.0f) return 255;
    return static_cast<int>(scaled);
}

static ColorRGB rgbChannels(float r, float g, float b) {
    ColorRGB color;
    color.r = toChannel(r);
    color.g = toChannel(g);
    color.b = toChannel(b);
    return color;
}

// The scaled r, g and b of a colour with their largest and smallest values.
struct Channels {
    float r, g, b, maxColor, minColor;
};

static Channels channelsOf(ColorRGB colorRGB) {
    Channels c;
    c.r = fraction(colorRGB.r);
    c.g = fraction(colorRGB.g);
    c.b = fraction(colorRGB.b);
    c.maxColor = c.r > (c.g > c.b ? c.g : c.b) ? c.r : (c.g > c.b ? c.g : c.b);
    c.minColor = c.r < (c.g < c.b ? c.g : c.b) ? c.r : (c.g < c.b ? c.g : c.b);
    return c;
}

// Hue of a colour that is not grey, as a fraction in 0..1. On ties the later
// test wins; the formulas agree there.
static float hueOf(const Channels& c) {
    const float d = c.maxColor - c.minColor;
    float hue = 0.0f;
    if (c.r == c.maxColor) hue = (c.g - c.b) / d;
    if (c.g == c.maxColor) hue = 2.0f + (c.b - c.r) / d;
    if (c.b == c.maxColor) hue = 4.0f + (c.r - c.g) / d;
    hue /= 6.0f;
    if (hue < 0.0f) hue += 1.0f;
    return hue;
}

ColorHSL RGBtoHSL(ColorRGB colorRGB) {
    const Channels c = channelsOf(colorRGB);
    float hue = 0.0f, saturation = 0.0f, lightness = c.r;
    if (c.minColor != c.maxColor) {
        const float d = c.maxColor - c.minColor;
        lightness = (c.minColor + c.maxColor) / 2.0f;
        saturation = lightness < 0.5f ? d / (c.maxColor + c.minColor) : d / (2.0f - c.maxColor - c.minColor);
        hue = hueOf(c);
    }
    ColorHSL result;
    result.h = toChannel(hue);
    result.s = toChannel(saturation);
    result.l = toChannel(lightness);
    return result;
}

// One channel of HSL to RGB from its position t on the circle.
static float hslChannel(float t, float temp1, float temp2) {
    if (t < 1.0f / 6.0f) return temp1 + (temp2 - temp1) * 6.0f * t;
    if (t < 0.5f) return temp2;
    if (t < 2.0f / 3.0f) return temp1 + (temp2 - temp1) * (2.0f / 3.0f - t) * 6.0f;
    return temp1;
}

ColorRGB HSLtoRGB(ColorHSL colorHSL) {
    const float hue = hueFraction(colorHSL.h);
    const float saturation = fraction(colorHSL.s);
    const float lightness = fraction(colorHSL.l);
    if (saturation == 0.0f) return rgbChannels(lightness, lightness, lightness);
    const float temp2 =
        lightness < 0.5f ? lightness * (1.0f + saturation) : (lightness + saturation) - lightness * saturation;
    const float temp1 = 2.0f * lightness - temp2;
    float tempr = hue + 1.0f / 3.0f;
    if (tempr > 1.0f) tempr -= 1.0f;
    float tempb = hue - 1.0f / 3.0f;
    if (tempb < 0.0f) tempb += 1.0f;
    return rgbChannels(hslChannel(tempr, temp1, temp2), hslChannel(hue, temp1, temp2),
                       hslChannel(tempb, temp1, temp2));
}

ColorHSV RGBtoHSV(ColorRGB colorRGB) {
    const Channels c = channelsOf(colorRGB);
    const float saturation = c.maxColor == 0.0f ? 0.0f : (c.maxColor - c.minColor) / c.maxColor;
    const float hue = saturation == 0.0f ? 0.0f : hueOf(c);
    ColorHSV result;
    result.h = toChannel(hue);
    result.s = toChannel(saturation);
    result.v = toChannel(c.maxColor);
    return result;
}

ColorRGB HSVtoRGB(ColorHSV colorHSV) {
    const float saturation = fraction(colorHSV.s);
    const float value = fraction(colorHSV.v);
    if (saturation == 0.0f) return rgbChannels(value, value, value);
    // The hue is wrapped into 0..1 first, so the sector is always 0..5.
    const float hue = hueFraction(colorHSV.h) * 6.0f;
    const int sector = static_cast<int>(hue);
    const float f = hue - static_cast<float>(sector);
    const float p = value * (1.0f - saturation);
    const float q = value * (1.0f - saturation * f);
    const float t = value * (1.0f - saturation * (1.0f - f));
    switch (sector) {
        case 0: return rgbChannels(value, t, p);
        case 1: return rgbChannels(q, value, p);
        case 2: return rgbChannels(p, value, t);
        case 3: return rgbChannels(p, q, value);
        case 4: return rgbChannels(t, p, value);
        default: return rgbChannels(value, p, q);
    }
}
