// surface.h - helpers shared by the layer's drawing sources (not public).
//
// Besides colour mapping and pixel addresses, it offers the "map once, store
// directly" helpers of the fast drawing paths: a block test and a block fill.
// A fast path first asks blockOnSurface; only then may it store without the
// wrap that pset applies, so the result is the same pixels either way.
#ifndef TESSARY_GFX_SURFACE_H
#define TESSARY_GFX_SURFACE_H

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "gfx.h"

// The pixel value of a colour on the window's surface (low 8 bits of each channel).
Uint32 mapColor(ColorRGB color);
// Address of pixel (x, y); the caller guarantees it lies on the surface.
Uint32* pixelAddress(int x, int y);

// Called by screen(): lets the next presentChanges() present the whole surface after
// the window has been exposed. Installs the layer's SDL event filter.
void watchExposes();

// Called by screen() before SDL starts (display.cpp): unless SDL_VIDEODRIVER
// names a driver, lets SDL start only on the display of the desktop. Returns
// null, or why there is no display to open the window on.
const char* chooseVideoDriver();

// True when the library linked as SDL 1.2 is sdl12-compat, over SDL2 (display.cpp).
bool isSdl12Compat(const SDL_version& linked);

// An environment variable SDL reads when it starts, and the value to give it.
struct EnvironmentHint {
    const char* name;
    const char* value;
};
// The hints that make SDL2 present the window cheapest under library `linked`:
// SDL2's software renderer over the window system's framebuffer on
// sdl12-compat, none on SDL 1.2, and none where the user has set any of them
// (display.cpp).
std::vector<EnvironmentHint> presentHints(const SDL_version& linked);
// Called by screen() before SDL starts: sets presentHints for the linked library.
void choosePresentPath();

// Called by that filter for every event SDL is about to queue: true when the
// layer keeps it instead, SDL's queue being full or events being kept already
// (events.cpp). Past heldEventLimit kept events, a motion to a position its
// burst reported already is merged into the next.
constexpr std::size_t heldEventLimit = 1 << 16;
bool holdOverflow(const SDL_Event* event);

// True when an event of the types in `mask` (SDL_EVENTMASK bits) is queued, in
// SDL's queue or kept by the layer; looked at without pumping (events.cpp).
bool eventQueued(Uint32 mask);

// Called by that filter for every window manager event, which the layer
// drops: true when it tells that the window was destroyed, which then
// becomes a close request (windowloss.cpp).
bool windowDestroyed(const SDL_Event* event);

// Called by screen() once the window is open: on X11, turns the window
// destroyed by another program into a close request and a lost connection
// into an exit with status 1 (windowloss.cpp).
void watchWindowLoss();

// Queues a close request (SDL_QUIT) behind every event queued and wakes a
// wait; callable from the event filter and from Xlib's error handler (events.cpp).
void keepCloseRequest();

// Called by that filter for every event queued: counts a wheel notch (wheel.cpp).
void countWheelNotch(const SDL_Event* event);

// Called by screen() once the window is open: on X11, asks the server to send
// a held key's repeats as presses alone, without a release before each (eventwait.cpp).
void reportHeldKeysAsPresses();

// getTicks() of the last present that pushed pixels to the window, if any (present.cpp).
std::optional<Uint32> lastPresentTicks();

// True when the event the program took last is a pointer motion (events.cpp).
bool motionTakenLast();

// Notes that the whole surface was just filled with `value` (cls), so that
// presentChanges() need compare only what was drawn over it, when the frame it
// presented last was cleared alike.
void markCleared(Uint32 value);

// Called by markDrawn and markCleared: the surface's damage (takeDamage, damage.cpp).
void noteDamage(int x1, int y1, int x2, int y2);
void noteClearDamage();

inline bool onSurface(int x, int y) { return x >= 0 && x < w && y >= 0 && y < h; }

// Uint32 elements from one row of the surface to the next.
inline int rowStride() { return scr->pitch / 4; }

// A straight run of pixels along one axis: the run from `from` to `to` (either
// order) of a line at `across` on the other axis, whose axes are `length` and
// `breadth` long. Clips it to the surface and stores `value` into every pixel,
// `step` elements apart from `first` on. Returns false when the run misses.
template <typename FirstPixel>
bool storeRun(int across, int from, int to, int length, int breadth, Uint32 value, int step, FirstPixel first) {
    if (to < from) std::swap(from, to);
    if (to < 0 || from > length - 1 || across < 0 || across > breadth - 1) return false;
    from = std::max(from, 0);
    to = std::min(to, length - 1);
    Uint32* p = first(from);
    for (int i = from; i <= to; ++i, p += step) *p = value;
    return true;
}

// True when the block of width x height pixels whose top-left pixel is (x, y)
// lies wholly on the surface. Wide arguments, so that the far edge of a large
// magnified cell cannot overflow.
inline bool blockOnSurface(long long x, long long y, long long width, long long height) {
    return x >= 0 && y >= 0 && x + width <= w && y + height <= h;
}

// Stores `value` into the width x height block whose top-left pixel is at
// `first`; the caller guarantees the block lies on the surface. Inline, since
// the scaled lines call it for every cell they draw.
inline void fillBlock(Uint32* first, int width, int height, Uint32 value) {
    const int stride = rowStride();
    for (int row = 0; row < height; ++row) std::fill_n(first + row * stride, width, value);
}

#endif
