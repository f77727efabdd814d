// damage.cpp - the part of the surface stored into since a program last asked
// (takeDamage), for programs that draw again only what changed.
//
// Every store the layer notes for presentChanges() (markDrawn) is noted here
// too, and a clear makes the whole surface damaged. Presenting does not reset
// it: a program that presents in the middle of its work (a prompt, say) still
// learns afterwards what was drawn since its own last frame.
#include <algorithm>
#include <utility>

#include "gfx.h"
#include "surface.h"

namespace {

SurfaceRegion damage;

}  // namespace

void SurfaceRegion::add(int x1, int y1, int x2, int y2) {
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, w - 1);
    y2 = std::min(y2, h - 1);
    if (x1 > x2 || y1 > y2 || whole) return;
    if (left.empty()) {
        left.assign((h + regionBandRows - 1) / regionBandRows, w);
        right.assign(left.size(), -1);
    }
    for (int band = y1 / regionBandRows; band <= y2 / regionBandRows; ++band) {
        left[band] = std::min(left[band], x1);
        right[band] = std::max(right[band], x2);
    }
}

bool SurfaceRegion::touches(int x1, int y1, int x2, int y2) const {
    if (x1 > x2) std::swap(x1, x2);  // any two opposite corners: the overview's view frame
    if (y1 > y2) std::swap(y1, y2);  // turns inside out where the view shows past the canvas
    y1 = std::max(y1, 0);
    y2 = std::min(y2, h - 1);
    if (y1 > y2 || x2 < 0 || x1 > w - 1) return false;
    if (whole) return true;
    if (left.empty()) return false;
    for (int band = y1 / regionBandRows; band <= y2 / regionBandRows; ++band)  // only the bands of rows y1..y2
        if (left[band] <= x2 && x1 <= right[band]) return true;
    return false;
}

void noteDamage(int x1, int y1, int x2, int y2) { damage.add(x1, y1, x2, y2); }

void noteClearDamage() { damage.whole = true; }

bool surfaceCleared() { return damage.whole; }

SurfaceRegion takeDamage() {
    SurfaceRegion taken;
    std::swap(taken, damage);
    return taken;
}
