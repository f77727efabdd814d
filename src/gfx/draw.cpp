// draw.cpp - pixel, horizontal line, general line and filled rectangle.
//
// Off-surface rules: pset wraps (x mod w, y mod h) and ignores negative
// coordinates; horLine clips; drawLine and drawRect refuse the whole shape
// unless every end or corner is on the surface. Colours are mapped with
// SDL_MapRGB on the surface's format from the low 8 bits of each channel.
#include "gfx.h"
#include "surface.h"

Uint32 mapColor(ColorRGB color) {
    return SDL_MapRGB(scr->format, static_cast<Uint8>(color.r), static_cast<Uint8>(color.g),
                      static_cast<Uint8>(color.b));
}

Uint32* pixelAddress(int x, int y) {
    return static_cast<Uint32*>(scr->pixels) + y * rowStride() + x;
}

void pset(int x, int y, ColorRGB color) {
    // A negative remainder would address memory before the surface.
    if (x < 0 || y < 0) return;
    markDrawn(x % w, y % h, x % w, y % h);
    *pixelAddress(x % w, y % h) = mapColor(color);
}

bool horLine(int y, int x1, int x2, ColorRGB color) {
    markDrawn(std::min(x1, x2), y, std::max(x1, x2), y);
    return storeRun(y, x1, x2, w, h, mapColor(color), 1, [y](int x) { return pixelAddress(x, y); });
}

bool drawLine(int x1, int y1, int x2, int y2, ColorRGB color) {
    if (!onSurface(x1, y1) || !onSurface(x2, y2)) return false;
    walkLine(x1, y1, x2, y2, [&](int x, int y) { pset(x, y, color); });
    return true;
}

bool drawRect(int x1, int y1, int x2, int y2, ColorRGB color) {
    if (!onSurface(x1, y1) || !onSurface(x2, y2)) return false;
    // Extents are unsigned 16-bit: a corner left of (or above) the first one
    // wraps to a huge extent, which SDL_FillRect clips at the surface's edge.
    SDL_Rect rect;
    rect.x = static_cast<Sint16>(x1);
    rect.y = static_cast<Sint16>(y1);
    rect.w = static_cast<Uint16>(x2 - x1 + 1);
    rect.h = static_cast<Uint16>(y2 - y1 + 1);
    markDrawn(x1, y1, x2 >= x1 ? x2 : w - 1, y2 >= y1 ? y2 : h - 1);
    SDL_FillRect(scr, &rect, mapColor(color));
    return true;
}
