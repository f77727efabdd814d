// Presenting only what changed: after every kind of drawing, each pixel that
// differs from the frame presented before lies in a rectangle that presentChanges()
// pushed. This program stands in for SDL's two update calls to see them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gfx.h"
#include "surface_helpers.h"
#include "view.h"

namespace {

std::vector<SDL_Rect> pushed;

}  // namespace

extern "C" {

void SDL_UpdateRects(SDL_Surface*, int count, SDL_Rect* rects) { pushed.insert(pushed.end(), rects, rects + count); }

void SDL_UpdateRect(SDL_Surface*, Sint32 x, Sint32 y, Uint32 width, Uint32 height) {
    const bool whole = x == 0 && y == 0 && width == 0 && height == 0;
    SDL_Rect rect;
    rect.x = static_cast<Sint16>(x);
    rect.y = static_cast<Sint16>(y);
    rect.w = static_cast<Uint16>(whole ? w : width);
    rect.h = static_cast<Uint16>(whole ? h : height);
    pushed.push_back(rect);
}

}  // extern "C"

namespace {

std::vector<Uint32> surface() {
    std::vector<Uint32> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels.push_back(rawPixel(x, y));
    return pixels;
}

bool wasPushed(int x, int y) {
    for (const SDL_Rect& r : pushed)
        if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h) return true;
    return false;
}

TEST(Present, EveryChangedPixelIsPushedAndAnUnchangedFrameNothing) {
    const ColorRGB ink(200, 100, 50), black;
    std::vector<Uint32> buffer(static_cast<size_t>(w) * h, 0x123456);
    using Frame = std::function<void()>;
    struct Case {
        const char* what;
        Frame draw;
        std::vector<Frame> earlier = {};  // frames presented before, after a black one
    };
    const auto scaled = [&](int scale, int x1, int y1, int x2, int y2) {
        return [=] { lineScaled(x1, y1, x2, y2, ink, scale, 0, 0, 0, calcMax(scale, 0, 0)); };
    };
    const auto cell = [&](int scale, int x, int y) {
        return [=] { pixelScaled(scale, x, y, ink, 0, 0, 1, calcMax(scale, 0, 0)); };
    };
    const std::vector<Case> cases = {
        {"nothing new", [&] { cls(black); }},
        {"pset, wrapped", [&] { pset(700, 650, ink); }},
        {"horLine, clipped", [&] { horLine(100, 50, -5, ink); }},
        {"verLine, clipped", [&] { verLine(600, 700, 630, ink); }},
        {"drawLine", [&] { drawLine(10, 300, 300, 10, ink); }},
        {"drawRect", [&] { drawRect(20, 30, 40, 35, ink); }},
        {"drawRect, corners swapped", [&] { drawRect(600, 620, 20, 30, ink); }},
        {"drawCircle", [&] { drawCircle(320, 320, 50, ink); }},
        {"drawDisk, clipped", [&] { drawDisk(630, 630, 20, ink); }},
        {"print on the surface", [&] { print("Hi", 10, 600, ink, true, black, 4); }},
        {"print across the right edge", [&] { print("Hi", 630, 100, ink, true, black, 0); }},
        {"cls", [&] { cls(ink); }},
        {"drawBuffer", [&] { drawBuffer(buffer.data()); }},
        {"a cell at scale 1", cell(1, 200, 100)},
        {"a cell at scale 5", cell(5, 100, 70)},
        {"a cell across the edge", cell(7, 91, 91)},
        {"a line at scale 1", scaled(1, 255, 0, 0, 199)},
        {"a line at scale 2", scaled(2, 0, 0, 255, 10)},
        {"a line at scale 3", scaled(3, 10, 150, 12, 0)},
        {"a line at scale 4", scaled(4, 150, 100, 0, 60)},
        // Frames that start with a clear are compared where either of them drew.
        {"a clear like the frame before, drawn elsewhere",
         [&] {
             cls(black);
             pset(300, 300, ink);
         },
         {[&] {
             cls(black);
             pset(100, 100, ink);
         }}},
        {"a clear to another colour", [&] { cls(ink); }, {[&] { cls(black); }}},
        {"a clear after frames drawn without one",
         [&] {
             cls(black);
             pset(300, 300, ink);
         },
         {[&] { pset(100, 100, ink); }, [&] { pset(500, 10, ink); }}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cls(black);
        presentChanges();
        for (const Frame& frame : c.earlier) {
            frame();
            presentChanges();
        }
        const std::vector<Uint32> before = surface();
        c.draw();
        const std::vector<Uint32> after = surface();
        pushed.clear();
        const bool changed = presentChanges();
        int missed = 0, differing = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const size_t i = static_cast<size_t>(y) * w + x;
                if (before[i] == after[i]) continue;
                ++differing;
                if (!wasPushed(x, y)) ++missed;
            }
        }
        EXPECT_EQ(changed, differing > 0);
        EXPECT_EQ(pushed.empty(), differing == 0);
        EXPECT_EQ(missed, 0) << "of " << differing << " changed pixels";
    }
}

TEST(Present, AfterAnExposeTheWholeSurfaceIsPushed) {
    cls(ColorRGB());
    presentChanges();
    // SDL hands its own expose events to the filter that screen() installed.
    SDL_Event expose = {};
    expose.type = SDL_VIDEOEXPOSE;
    ASSERT_NE(SDL_GetEventFilter(), nullptr);
    EXPECT_EQ(SDL_GetEventFilter()(&expose), 1);  // the event is kept
    pushed.clear();
    EXPECT_TRUE(presentChanges());
    ASSERT_EQ(pushed.size(), 1u);
    EXPECT_EQ(pushed[0].w * pushed[0].h, w * h);
    EXPECT_FALSE(presentChanges());
}

TEST(Present, RedrawShowsWhatTheProgramStoredItself) {
    const Uint32 ink = 0x00C86432;
    cls(ColorRGB());
    presentChanges();
    static_cast<Uint32*>(scr->pixels)[300 * (scr->pitch / 4) + 200] = ink;  // noted nowhere
    pushed.clear();
    EXPECT_TRUE(redraw());
    ASSERT_EQ(pushed.size(), 1u);
    EXPECT_EQ(pushed[0].w * pushed[0].h, w * h);
    // The clear erases the unnoted store, which the window shows: so it is compared.
    cls(ColorRGB());
    pushed.clear();
    EXPECT_TRUE(presentChanges());
    EXPECT_TRUE(wasPushed(200, 300));
}

}  // namespace
