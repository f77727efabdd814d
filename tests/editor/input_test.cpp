// Input through the real loop pass on the dummy driver: events queued at once,
// as one pump of the window system queues them, each reach a pass of their
// own that sees the keys and mouse as of that event; and the arrows' pace.
#include <functional>
#include <vector>

#include "editor.h"
#include "editor_fixture.h"

namespace {

// A pump has already brought SDL's state up to date with everything queued:
// pushed events leave SDL's state alone, and the keys and buttons end up, so
// the pairs below match what SDL shows; SDL_WarpMouse queues a real motion.
void pushKey(int key, bool down) {
    SDL_Event event = {};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = static_cast<SDLKey>(key);
    SDL_PushEvent(&event);
}

void pushClick(Uint8 button, int x, int y, bool down) {
    SDL_Event event = {};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.x = static_cast<Uint16>(x);
    event.button.y = static_cast<Uint16>(y);
    SDL_PushEvent(&event);
}

void tapKey(int key) {
    pushKey(key, true);
    pushKey(key, false);
}

void click(Uint8 button, int x, int y) {
    pushClick(button, x, y, true);
    pushClick(button, x, y, false);
}

class Input : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        SDL_ShowCursor(SDL_DISABLE);  // the dummy driver would draw its own into the surface
        SDL_WarpMouse(5, 5);
        drainEvents();
        runPass(e);
    }
    void TearDown() override {
        drainEvents();
        done();  // finds the queue empty: the state shown is SDL's own again
        SDL_ShowCursor(SDL_ENABLE);
        EditorTest::TearDown();
    }
    // Passes until one reports Idle or Quit; the last result.
    PassResult passesUntilSettled() {
        PassResult result = PassResult::Continue;
        for (int pass = 0; pass < 100 && result == PassResult::Continue; ++pass) result = runPass(e);
        return result;
    }
    std::vector<std::pair<int, int>> points() const {
        std::vector<std::pair<int, int>> found;
        for (int i = 0; i < p_number; ++i)
            if (tables().pixel_oc[i]) found.emplace_back(tables().pixel[0][i], tables().pixel[1][i]);
        return found;
    }
};

TEST_F(Input, EveryEventQueuedAtOnceIsSeenByAPass) {
    using Points = std::vector<std::pair<int, int>>;
    struct Case {
        const char* what;
        std::function<void()> queue;
        PassResult last;
        int scale;
        Points placed;
    };
    const PassResult idle = PassResult::Idle;
    const std::vector<Case> cases = {
        {"z pressed and let go", [] { tapKey(SDLK_z); }, idle, 2, {}},
        {"z three times", [] { tapKey(SDLK_z), tapKey(SDLK_z), tapKey(SDLK_z); }, idle, 4, {}},
        {"Escape pressed and let go", [] { tapKey(SDLK_ESCAPE); }, PassResult::Quit, 1, {}},
        {"a click", [] { SDL_WarpMouse(50, 60), click(SDL_BUTTON_LEFT, 50, 60); }, idle, 1, {{50, 60}}},
        {"a drag: each motion's cell",
         [] {
             pushClick(SDL_BUTTON_LEFT, 5, 5, true);
             for (int x = 6; x <= 9; ++x) SDL_WarpMouse(x, 7);
             pushClick(SDL_BUTTON_LEFT, 9, 7, false);
             SDL_WarpMouse(20, 20);  // after the release: no point
         },
         idle, 1, {{5, 5}, {6, 7}, {7, 7}, {8, 7}, {9, 7}}},
        {"a wheel notch is no click", [] { click(SDL_BUTTON_WHEELUP, 5, 5); }, idle, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        e = Editor();
        SetUp();
        c.queue();
        EXPECT_EQ(passesUntilSettled(), c.last);
        EXPECT_EQ(e.scale, c.scale);
        EXPECT_EQ(points(), c.placed);
        if (c.last == PassResult::Quit) screen(640, 640, false, "tests");
    }
}

TEST_F(Input, LineModeTakesEachClickOfABurst) {
    e.mode = lineMode;
    SDL_WarpMouse(10, 20);
    click(SDL_BUTTON_LEFT, 10, 20);
    SDL_WarpMouse(30, 40);
    click(SDL_BUTTON_LEFT, 30, 40);
    EXPECT_EQ(passesUntilSettled(), PassResult::Idle);
    ASSERT_EQ(tables().lines_amount, 1);
    EXPECT_EQ(tables().lines[0][0], 10);
    EXPECT_EQ(tables().lines[1][0], 20);
    EXPECT_EQ(tables().lines[2][0], 30);
    EXPECT_EQ(tables().lines[3][0], 40);
}

TEST(ArrowPace, OneStepAtThePressThenSixtyASecondAfterAQuarter) {
    struct Look {
        bool down;
        float at;
        bool steps;
    };
    const Look looks[] = {
        {true, 1000, true},  {true, 1010, false}, {true, 1249, false}, {true, 1250, true},
        {true, 1260, false}, {true, 1267, true},  {true, 1400, true},  {true, 1400.5f, true},  // late: catches up
        {false, 1401, false}, {true, 1402, true}, {true, 1500, false},
    };
    ArrowHold hold;
    for (const Look& look : looks) {
        SCOPED_TRACE(look.at);
        EXPECT_EQ(hold.stepDue(look.down, look.at), look.steps);
    }
}

}  // namespace
