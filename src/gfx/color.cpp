// color.cpp - colour records, their arithmetic and 24-bit packing.
// Plain values: nothing here clamps; consumers take the low 8 bits or pack as is.
#include "gfx.h"

ColorRGB::ColorRGB(ColorRGB8bit color) : r(color.r), g(color.g), b(color.b) {}

ColorRGB8bit::ColorRGB8bit(Uint8 r, Uint8 g, Uint8 b) : r(r), g(g), b(b) {}
ColorRGB8bit::ColorRGB8bit(ColorRGB color)
    : r(static_cast<Uint8>(color.r)), g(static_cast<Uint8>(color.g)), b(static_cast<Uint8>(color.b)) {}
ColorRGB8bit::ColorRGB8bit() : r(0), g(0), b(0) {}

ColorHSL::ColorHSL(Uint8 h, Uint8 s, Uint8 l) : h(h), s(s), l(l) {}
ColorHSL::ColorHSL() : h(0), s(0), l(0) {}

ColorHSV::ColorHSV(Uint8 h, Uint8 s, Uint8 v) : h(h), s(s), v(v) {}
ColorHSV::ColorHSV() : h(0), s(0), v(0) {}

// Channels are set directly: the byte constructor would reduce them mod 256.
static ColorRGB channels(int r, int g, int b) {
    ColorRGB c;
    c.r = r;
    c.g = g;
    c.b = b;
    return c;
}

ColorRGB operator+(ColorRGB color, ColorRGB color2) {
    return channels(color.r + color2.r, color.g + color2.g, color.b + color2.b);
}

ColorRGB operator-(ColorRGB color, ColorRGB color2) {
    return channels(color.r - color2.r, color.g - color2.g, color.b - color2.b);
}

ColorRGB operator*(ColorRGB color, int a) { return channels(color.r * a, color.g * a, color.b * a); }

ColorRGB operator*(int a, ColorRGB color) { return color * a; }

ColorRGB operator/(ColorRGB color, int a) {
    if (a == 0) return color;
    return channels(color.r / a, color.g / a, color.b / a);
}

bool operator==(ColorRGB color, ColorRGB color2) {
    return color.r == color2.r && color.g == color2.g && color.b == color2.b;
}

bool operator!=(ColorRGB color, ColorRGB color2) { return !(color == color2); }

// Computed in unsigned arithmetic so that out-of-range channels spill into their
// neighbours' bits as documented, without signed overflow.
Uint32 RGBtoINT(ColorRGB colorRGB) {
    return ((static_cast<Uint32>(colorRGB.r) * 256u) + static_cast<Uint32>(colorRGB.g)) * 256u +
           static_cast<Uint32>(colorRGB.b);
}
