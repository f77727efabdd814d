// Input through the real loop pass on the dummy driver: events queued at once,
// as one pump queues them, each reach a pass that sees the keys and mouse as of
// that event; and the arrows' pace.
#include <functional>
#include <vector>

#include "editor.h"
#include "editor_fixture.h"

namespace {

// A pump has brought SDL's state up to date already: pushed events leave it
// alone, and every key and button below ends up, as SDL shows it. SDL_WarpMouse
// queues a real motion.
void click(int button, int x, int y) {
    pushInput(SDL_MOUSEBUTTONDOWN, button, x, y), pushInput(SDL_MOUSEBUTTONUP, button, x, y);
}

TEST_F(EditorTest, EveryEventQueuedAtOnceIsSeenByAPass) {
    struct Case { const char* what; int mode; std::function<void()> queue; PassResult last; int scale, points, lines; };
    const PassResult idle = PassResult::Idle;
    const std::vector<Case> cases = {
        {"z three times", pointMode, [] { tapKey(SDLK_z), tapKey(SDLK_z), tapKey(SDLK_z); }, idle, 4, 0, 0},
        {"Escape", pointMode, [] { tapKey(SDLK_ESCAPE); }, PassResult::Quit, 1, 0, 0},
        {"a click", pointMode, [] { SDL_WarpMouse(50, 60), click(SDL_BUTTON_LEFT, 50, 60); }, idle, 1, 1, 0},
        {"a drag: a point at each motion, none after the release", pointMode,
         [] {
             pushInput(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 5);
             for (int x = 6; x <= 9; ++x) SDL_WarpMouse(x, 7);
             pushInput(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 9, 7);
             SDL_WarpMouse(20, 20);
         },
         idle, 1, 5, 0},
        {"a wheel notch is no click", pointMode, [] { click(SDL_BUTTON_WHEELUP, 5, 5); }, idle, 1, 0, 0},
        {"two clicks in line mode", lineMode,
         [] {
             SDL_WarpMouse(10, 20), click(SDL_BUTTON_LEFT, 10, 20);
             SDL_WarpMouse(30, 40), click(SDL_BUTTON_LEFT, 30, 40);
         },
         idle, 1, 0, 1},
    };
    SDL_ShowCursor(SDL_DISABLE);  // the dummy driver would draw its own into the surface
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        e = Editor();
        e.mode = c.mode;
        SDL_WarpMouse(5, 5);
        runPass(e);
        c.queue();
        PassResult result = PassResult::Continue;
        for (int pass = 0; pass < 100 && result == PassResult::Continue; ++pass) result = runPass(e);
        EXPECT_EQ(result, c.last);
        EXPECT_EQ(e.scale, c.scale);
        EXPECT_EQ(tables().pixels_Amount, c.points);
        EXPECT_EQ(tables().lines_amount, c.lines);
        if (c.last == PassResult::Quit) screen(640, 640, false, "tests");
    }
    SDL_ShowCursor(SDL_ENABLE);
}

// A pass applies many events but draws once: the end of a panel value that
// reaches past its label's blanks must still be the one a frame per event left.
TEST_F(EditorTest, APassLeavesThePanelValueEndsOfEachEvent) {
    SDL_ShowCursor(SDL_DISABLE);
    for (int i = 0; i < 99; ++i) addPoint(i, 50);
    addPoint(10, 10), addPoint(11, 10);  // 101 points, two under a right drag
    SDL_WarpMouse(10, 10);
    while (runPass(e) != PassResult::Idle) {}
    pushInput(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 10, 10);  // 100 left
    SDL_WarpMouse(11, 10);                                // 99 left
    pushInput(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 11, 10);
    while (runPass(e) != PassResult::Idle) {}
    SDL_ShowCursor(SDL_ENABLE);
    ASSERT_EQ(tables().pixels_Amount, 99);
    // "No. Pixels:   " covers x 0..111; the value stands at 94, so the third
    // digit's cell at 110 keeps its columns 2..7: the 0 of 100, not the 1 of 101.
    const std::vector<std::string> shown = cellPattern(110, 525, white), zero = glyphPattern('0');
    for (int row = 0; row < 8; ++row) EXPECT_EQ(shown[row].substr(2), zero[row].substr(2)) << "row " << row;
}

TEST(ArrowPace, OneStepAtThePressThenSixtyASecondAfterAQuarter) {
    struct Look { bool down; Uint32 after; bool steps; };  // after: ms since the press
    const Look looks[] = {
        {true, 0, true},     {true, 10, false},  {true, 249, false}, {true, 250, true},
        {true, 260, false},  {true, 267, true},  {true, 400, true},  {true, 400, true},  // late: catches up
        {false, 401, false}, {true, 402, true},  {true, 500, false},
    };
    // However long the program has run: from the start, after 25 days, and
    // across the wrap of the tick count at 49.7 days.
    for (const Uint32 start : {1000u, 25u * 24 * 3600 * 1000, 0xFFFFFF00u}) {
        ArrowHold hold;
        for (const Look& look : looks) {
            EXPECT_EQ(hold.stepDue(look.down, start + look.after), look.steps) << start << " + " << look.after;
        }
    }
}

}  // namespace
