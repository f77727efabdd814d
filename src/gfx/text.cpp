// text.cpp - text in the built-in 8 x 8 font.
//
// Every printer takes a foreground `color`, a flag `bg` and a background
// `color2`: ink pixels get `color`, the rest of each 8 x 8 cell gets `color2`
// when `bg` is set and is left alone otherwise. Cells advance by 8 pixels; a
// cell that would cross the right edge starts a new line (at x mod 8), and a
// line below the bottom continues at the top. print() returns the cursor after
// its last cell packed as h*x + y, which the prompts use to place their entry.
#include <cstdio>

#include "gfx.h"
#include "surface.h"

// Visits the pixels of glyph n that a printer writes: plot(u, v, true) for ink,
// plot(u, v, false) for the rest of the cell when `bg` is set.
template <typename Plot>
static void forEachGlyphPixel(unsigned char n, bool bg, Plot plot) {
    for (int v = 0; v < 8; ++v) {
        for (int u = 0; u < 8; ++u) {
            if (font[n][v][u] || bg) plot(u, v, font[n][v][u]);
        }
    }
}

// A cell on the surface is stored directly, both colours mapped once; one that
// crosses the right or bottom edge goes through pset, which wraps its pixels.
static void drawLetter(unsigned char n, int x, int y, ColorRGB color, bool bg, ColorRGB color2) {
    if (blockOnSurface(x, y, 8, 8)) {
        markDrawn(x, y, x + 7, y + 7);
        Uint32* const first = pixelAddress(x, y);
        const int stride = rowStride();
        const Uint32 ink = mapColor(color), paper = mapColor(color2);
        forEachGlyphPixel(n, bg, [&](int u, int v, bool isInk) { first[v * stride + u] = isInk ? ink : paper; });
    } else {
        forEachGlyphPixel(n, bg, [&](int u, int v, bool isInk) { pset(x + u, y + v, isInk ? color : color2); });
    }
}

static void advanceCursor(int& x, int& y) {
    x += 8;
    if (x > w - 8) {
        x %= 8;
        y += 8;
    }
    if (y > h - 8) y %= 8;
}

int print(const char* text, int x, int y, ColorRGB color, bool bg, ColorRGB color2, int forceLength) {
    int pos = 0;
    for (; text[pos] != 0; ++pos) {
        drawLetter(static_cast<unsigned char>(text[pos]), x, y, color, bg, color2);
        advanceCursor(x, y);
    }
    for (; pos < forceLength; ++pos) {
        drawLetter(0, x, y, color, bg, color2);
        advanceCursor(x, y);
    }
    return h * x + y;
}

// Room for 254 characters and the terminator.
static const int numberBufferSize = 255;

static int printNumber(const char* digits, bool shift, int x, int y, ColorRGB color, bool bg, ColorRGB color2,
                       int forceLength) {
    return print(digits, shift ? x + 8 : x, y, color, bg, color2, forceLength);
}

int iprint(int a, int x, int y, ColorRGB color, bool bg, ColorRGB color2, bool orderSigns, int forceLength) {
    char text[numberBufferSize];
    std::snprintf(text, sizeof text, "%i", a);
    return printNumber(text, orderSigns && a >= 0, x, y, color, bg, color2, forceLength);
}

int iprint(Uint32 a, int x, int y, ColorRGB color, bool bg, ColorRGB color2, bool orderSigns, int forceLength) {
    char text[numberBufferSize];
    std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(a));
    return printNumber(text, orderSigns, x, y, color, bg, color2, forceLength);
}

// Fixed point with `length` decimals (1..15); any other length, or a value whose
// fixed-point text would not fit the buffer, falls back to "%.16g".
static void formatDouble(double a, int length, char (&text)[numberBufferSize]) {
    if (length >= 1 && length <= 15) {
        const int written = std::snprintf(text, sizeof text, "%.*f", length, a);
        if (written >= 0 && written < numberBufferSize) return;
    }
    std::snprintf(text, sizeof text, "%.16g", a);
}

int fprint(double a, int length, int x, int y, ColorRGB color, bool bg, ColorRGB color2, bool orderSigns,
           int forceLength) {
    char text[numberBufferSize];
    formatDouble(a, length, text);
    return printNumber(text, orderSigns && a >= 0, x, y, color, bg, color2, forceLength);
}

int cprint(unsigned char n, int x, int y, ColorRGB color, bool bg, ColorRGB color2) {
    drawLetter(n, x, y, color, bg, color2);
    return 1;
}
