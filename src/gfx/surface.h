// surface.h - helpers shared by the layer's drawing sources (not public).
#ifndef TESSARY_GFX_SURFACE_H
#define TESSARY_GFX_SURFACE_H

#include "gfx.h"

// The pixel value of a colour on the window's surface (low 8 bits of each channel).
Uint32 mapColor(ColorRGB color);
// Address of pixel (x, y); the caller guarantees it lies on the surface.
Uint32* pixelAddress(int x, int y);

inline bool onSurface(int x, int y) { return x >= 0 && x < w && y >= 0 && y < h; }

#endif
