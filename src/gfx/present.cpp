// present.cpp - presenting the frame: the whole surface (redraw), or only the
// parts that changed (presentChanges).
//
// Both keep a copy of the frame they presented last. Every store into the
// surface is noted with markDrawn, by bands of sixteen rows, each with the span of
// columns drawn in it; cls notes a clear instead (markCleared). presentChanges()
// compares only the noted spans with the copy, row by row: a pixel that was not
// drawn cannot have changed. After a clear it compares the whole surface,
// unless the frame presented last began with a clear to the same value: then
// both frames hold that value wherever neither drew, so the spans of both are
// enough. Runs of consecutive changed rows become one rectangle each, as wide
// as the changed columns of all its rows, and only those go to SDL_UpdateRects;
// a frame with nothing new pushes nothing. The first call, and the first one
// after the window was exposed (uncovered, restored), present the whole
// surface, since the window may then hold anything. redraw() copies the whole
// surface every time, so that whatever a program stored into it shows, noted
// or not.
//
// sdl12-compat shows an update of part of the window only from a later call
// into the library, at most once per display frame when that call is a pump:
// a program that presents and pumps at a steady pace sees each present shown
// a frame late. SDL_Delay shows it at once, so on sdl12-compat a present of
// the changed rectangles is followed by SDL_Delay(0).
#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>
#include <vector>

#include "gfx.h"
#include "surface.h"

namespace {

constexpr int bandRows = 16;

// The columns drawn in each band of rows; left > right in a band with none.
struct DrawnSpans {
    std::vector<int> left, right;

    void forget() {
        const int bands = (h + bandRows - 1) / bandRows;
        left.assign(bands, w);
        right.assign(bands, -1);
    }
    void widen(int band, int x1, int x2) {
        left[band] = std::min(left[band], x1);
        right[band] = std::max(right[band], x2);
    }
    void widen(const DrawnSpans& other) {
        for (size_t band = 0; band < left.size(); ++band) widen(static_cast<int>(band), other.left[band], other.right[band]);
    }
};

// A clear of the whole surface to `value`. A frame that starts with one keeps
// in its spans only what was drawn after it; when the frame presented last was
// cleared to the same value, the two can differ only where either drew.
struct Clear {
    bool done = false;
    Uint32 value = 0;
};

std::vector<Uint32> presented;  // w * h pixels, rows w apart
DrawnSpans drawn;               // since the last present, or since this frame's clear
Clear frameClear;               // this frame's clear, if any
DrawnSpans presentedDrawn;      // the presented frame holds presentedClear's value
Clear presentedClear;           //   everywhere outside these spans, when done
std::vector<SDL_Rect> changedBands;     // filled by each presentChanges
std::atomic<bool> windowExposed{true};  // true until the first present
std::optional<Uint32> lastPushTicks;     // when a present last pushed pixels to the window

// Notes an expose and counts a wheel notch (wheel.cpp), whichever reader takes
// the event later; an event SDL has no room for is kept by the layer (events.cpp).
// Window manager events go no further: only a window destroyed matters
// (windowloss.cpp).
int SDLCALL noteExpose(const SDL_Event* event) {
    if (event->type == SDL_SYSWMEVENT) {
        windowDestroyed(event);
        return 0;
    }
    if (event->type == SDL_VIDEOEXPOSE) windowExposed = true;
    countWheelNotch(event);
    return holdOverflow(event) ? 0 : 1;
}

void ensureSpans() {
    if (!drawn.left.empty()) return;
    drawn.forget();
    presentedDrawn.forget();
}

void presentWhole() {
    presented.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) std::copy_n(pixelAddress(0, y), w, presented.begin() + static_cast<size_t>(y) * w);
    SDL_UpdateRect(scr, 0, 0, 0, 0);
    lastPushTicks = SDL_GetTicks();
}

SDL_Rect bandRect(int x1, int y1, int x2, int y2) {
    SDL_Rect rect;
    rect.x = static_cast<Sint16>(x1);
    rect.y = static_cast<Sint16>(y1);
    rect.w = static_cast<Uint16>(x2 - x1 + 1);
    rect.h = static_cast<Uint16>(y2 - y1 + 1);
    return rect;
}

// Compares columns from..to of row y with the presented copy; when they differ,
// brings the copy up to date and widens [left, right] to the changed columns.
// False when they are equal.
bool takeChangedRow(int y, int from, int to, int& left, int& right) {
    const Uint32* now = pixelAddress(0, y);
    Uint32* before = presented.data() + static_cast<size_t>(y) * w;
    if (from > to || std::memcmp(now + from, before + from, sizeof(Uint32) * (to - from + 1)) == 0) return false;
    int first = from, last = to;
    while (now[first] == before[first]) ++first;
    while (now[last] == before[last]) --last;
    std::copy(now + first, now + last + 1, before + first);
    left = std::min(left, first);
    right = std::max(right, last);
    return true;
}

// The columns of each band that may differ from the presented frame: what was
// drawn; after a clear, also what the presented frame drew after a clear to
// the same value, or the whole width when it was not cleared alike.
DrawnSpans spansToCompare() {
    if (!frameClear.done) return drawn;
    DrawnSpans spans = drawn;
    const bool clearedAlike = presentedClear.done && presentedClear.value == frameClear.value;
    for (size_t band = 0; band < spans.left.size(); ++band) {
        if (clearedAlike) {
            spans.widen(static_cast<int>(band), presentedDrawn.left[band], presentedDrawn.right[band]);
        } else {
            spans.widen(static_cast<int>(band), 0, w - 1);
        }
    }
    return spans;
}

void findChangedBands(const DrawnSpans& spans) {
    changedBands.clear();
    int top = -1, left = w, right = -1;
    const auto endRun = [&](int bottom) {
        if (top >= 0) changedBands.push_back(bandRect(left, top, right, bottom));
        top = -1, left = w, right = -1;
    };
    for (int y = 0; y < h; ++y) {
        const int band = y / bandRows;
        if (spans.left[band] > spans.right[band]) {  // nothing drawn in the band: none of its rows changed
            endRun(y - 1);
            y = std::min(h, (band + 1) * bandRows) - 1;
        } else if (takeChangedRow(y, spans.left[band], spans.right[band], left, right)) {
            if (top < 0) top = y;
        } else {
            endRun(y - 1);
        }
    }
    endRun(h - 1);
}

// The frame just presented becomes the one the next frame is compared with.
void rememberPresented() {
    if (frameClear.done) {
        presentedClear = frameClear;
        presentedDrawn = drawn;
    } else {
        presentedDrawn.widen(drawn);
    }
    drawn.forget();
    frameClear = Clear();
}

}  // namespace

void watchExposes() { SDL_SetEventFilter(noteExpose); }

void markDrawn(int x1, int y1, int x2, int y2) {
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, w - 1);
    y2 = std::min(y2, h - 1);
    if (x1 > x2 || y1 > y2) return;
    ensureSpans();
    for (int band = y1 / bandRows; band <= y2 / bandRows; ++band) drawn.widen(band, x1, x2);
    noteDamage(x1, y1, x2, y2);
}

void markCleared(Uint32 value) {
    ensureSpans();
    drawn.forget();
    frameClear = {true, value};
    noteClearDamage();
}

bool redraw() {
    ensureSpans();
    windowExposed = false;
    presentWhole();
    // The copy now holds every pixel, noted or not; but a store the program did
    // not note may lie anywhere, so no clear of this frame is trusted.
    drawn.forget();
    frameClear = Clear();
    presentedDrawn.forget();
    presentedClear = Clear();
    return true;
}

bool presentChanges() {
    ensureSpans();
    const bool whole = windowExposed.exchange(false);
    if (whole) {
        presentWhole();
    } else {
        findChangedBands(spansToCompare());
    }
    rememberPresented();
    if (whole) return true;
    if (changedBands.empty()) return false;
    SDL_UpdateRects(scr, static_cast<int>(changedBands.size()), changedBands.data());
    static const bool showsOnlyLater = isSdl12Compat(*SDL_Linked_Version());
    if (showsOnlyLater) SDL_Delay(0);
    lastPushTicks = SDL_GetTicks();
    return true;
}

std::optional<Uint32> lastPresentTicks() { return lastPushTicks; }
