// The loop's idle test: a pass with nothing to do changes nothing and reports
// Idle; held arrows never do; the loop's wait ends on the next
// event and leaves it queued for the loop test.
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "editor.h"
#include "editor_fixture.h"
#include "idle.h"

namespace {

class IdleTest : public EditorTest {
protected:
    // The dummy driver draws its own mouse cursor into the surface; hidden, so
    // that a pass sees only the editor's drawing.
    void SetUp() override {
        EditorTest::SetUp();
        SDL_ShowCursor(SDL_DISABLE);
        addPoint(10, 20);
        SDL_WarpMouse(50, 60);
        drainEvents();
        // The first pass draws the cursor; the next one finds nothing left to do.
        ASSERT_EQ(runPass(e), PassResult::Continue);
        ASSERT_EQ(runPass(e), PassResult::Idle);
    }

    void TearDown() override {
        SDL_ShowCursor(SDL_ENABLE);
        EditorTest::TearDown();
    }

    static std::vector<Uint32> surface() {
        std::vector<Uint32> pixels;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pixels.push_back(rawPixel(x, y));
        return pixels;
    }
};

TEST_F(IdleTest, APassWithNothingToDoChangesNothingAndReportsIdle) {
    const PassMark before = markPass(e);
    const std::vector<Uint32> shown = surface();
    EXPECT_EQ(runPass(e), PassResult::Idle);
    EXPECT_TRUE(before.values == e.values());
    EXPECT_TRUE(before.picture == e.picture.mark());
    EXPECT_EQ(before.latches, keypressed);
    EXPECT_EQ(shown, surface());
}

TEST_F(IdleTest, PassesReportIdleOnlyOnceTheyHaveNothingLeftToDo) {
    struct Case {
        const char* what;
        std::function<void(Editor&)> setUp;
        std::function<void()> beforeEachPass;
        std::vector<PassResult> passes;
    };
    const auto nothing = [] {};
    const PassResult go = PassResult::Continue, idle = PassResult::Idle;
    const std::vector<Case> cases = {
        {"a press that changes only an unseen step", [](Editor&) { setKey(SDLK_EQUALS, true); }, nothing,
         {go, idle, idle}},
        {"the mouse moved", [](Editor&) { SDL_WarpMouse(70, 80); }, nothing, {go, idle, idle}},
        // At scale 2 pixels 50 and 51 lie in one cell: only the mouse state changes.
        {"the mouse moved within its cell",
         [](Editor& ed) {
             ed.scale = 2;
             runPass(ed);
             ASSERT_EQ(runPass(ed), PassResult::Idle);
             SDL_WarpMouse(51, 61);
         },
         nothing, {go, idle, idle}},
        {"Left held at its bound", [](Editor&) { setKey(SDLK_LEFT, true); }, nothing, {go, go, go}},
        // A pass takes every event queued: line mode (its first pass sets the line start)
        // is idle once they are gone.
        {"line mode", [](Editor& ed) { ed.mode = lineMode; },
         [] {
             pushEvent(SDL_USEREVENT);
             pushEvent(SDL_USEREVENT);
         },
         {go, idle, idle}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        e = Editor();
        SetUp();
        c.setUp(e);
        for (PassResult expected : c.passes) {
            c.beforeEachPass();
            EXPECT_EQ(runPass(e), expected);
        }
        releaseAllKeys();
    }
}

TEST_F(IdleTest, TheLoopsWaitEndsOnTheNextEventAndLeavesItQueued) {
    std::atomic<bool> pushed{false};
    std::thread pusher([&] {
        SDL_Delay(50);
        pushed = true;
        pushEvent(SDL_QUIT);
    });
    waitForEvent();
    EXPECT_TRUE(pushed);
    pusher.join();
    EXPECT_EQ(runPass(e), PassResult::Quit);  // the loop test takes the close request
}

}  // namespace
