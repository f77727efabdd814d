// Window, frame and event pump on the dummy driver: the loop test, the key
// state pointer, the mouse, the waits (and what ends them) and the exits; and
// the hints that choose how SDL2 presents under sdl12-compat.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

#include "gfx.h"
#include "surface.h"
#include "surface_helpers.h"

namespace {

class Window : public ::testing::Test {
protected:
    void SetUp() override {
        drainEvents();
        releaseAllKeys();
    }
    void TearDown() override {
        drainEvents();
        releaseAllKeys();
    }
    static int pendingEvents() { return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_ALLEVENTS); }
};

TEST_F(Window, ScreenKeepsTheRequestedSurface) {
    ASSERT_NE(scr, nullptr);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 640);
    EXPECT_EQ(scr->format->BitsPerPixel, 32);
    EXPECT_EQ(scr->w, 640);
}

TEST_F(Window, DoneWithAnEmptyQueueReturnsFalseAndLeavesTheKeyPointer) {
    inkeys = nullptr;
    EXPECT_FALSE(done());
    EXPECT_EQ(inkeys, nullptr);
}

TEST_F(Window, DoneTakesOneEventPerCallAndReportsCloseRequests) {
    pushEvent(SDL_USEREVENT);
    pushEvent(SDL_QUIT);
    EXPECT_FALSE(done());  // takes the user event only
    EXPECT_NE(inkeys, nullptr);
    EXPECT_TRUE(done());
    EXPECT_FALSE(done());
}

TEST_F(Window, EscapeCountsOnlyWhenAnEventIsTaken) {
    setKey(SDLK_ESCAPE, true);
    EXPECT_FALSE(done());
    pushEvent(SDL_USEREVENT);
    EXPECT_TRUE(done());
    setKey(SDLK_ESCAPE, false);
    pushEvent(SDL_USEREVENT);
    EXPECT_FALSE(done());
}

TEST_F(Window, ReadKeysFetchesSdlsKeyArray) {
    inkeys = nullptr;
    readKeys();
    EXPECT_EQ(inkeys, SDL_GetKeyState(nullptr));
    setKey(SDLK_a, true);
    EXPECT_NE(inkeys[SDLK_a], 0);
}

TEST_F(Window, MouseStateReportsThePointerPosition) {
    SDL_WarpMouse(123, 45);
    int x = -1, y = -1;
    bool left = true, right = true;
    getMouseState(x, y, left, right);
    EXPECT_EQ(x, 123);
    EXPECT_EQ(y, 45);
    EXPECT_FALSE(left);  // no button is held on the dummy driver
    EXPECT_FALSE(right);
    SDL_WarpMouse(7, 8);
    getMouseState(x, y);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 8);
}

// SDL 1.2 queues 127 events and drops the rest; the layer keeps them, in order.
TEST_F(Window, MotionsBeyondSdlsQueueAreTakenInOrderWithTheirPositions) {
    SDL_ShowCursor(SDL_DISABLE);  // the dummy driver would draw its own on every warp
    const int motions = 300;
    for (int i = 1; i <= motions; ++i) SDL_WarpMouse(static_cast<Uint16>(i), 7);
    int seen = 0;
    SDL_Event event;
    while (takeEvent(event)) {
        if (event.type != SDL_MOUSEMOTION) continue;
        ++seen;
        int x = 0, y = 0;
        getMouseState(x, y);
        EXPECT_EQ(event.motion.x, seen);
        EXPECT_EQ(x, seen) << "the pointer as of motion " << seen;
    }
    SDL_ShowCursor(SDL_ENABLE);
    EXPECT_EQ(seen, motions);
}

TEST_F(Window, TimeAdvancesAndWaitFrameWaitsOutItsSpan) {
    const float start = getTime();
    waitFrame(start, 20);
    EXPECT_GE(getTime() - start, 20.0f);
}

TEST_F(Window, WaitFrameThatIsAlreadyDueLeavesTheQueueAlone) {
    pushEvent(SDL_USEREVENT);
    waitFrame(getTime(), 0);
    waitFrame(getTime() - 100, 50);
    EXPECT_EQ(pendingEvents(), 1);
}

// On the dummy driver the waits look every 10 ms; an event or a wake-up from
// another thread ends them all the same. A wait that missed either would run
// into the test's time limit: the deadline lies far beyond it.
TEST_F(Window, TheWaitsEndOnAnEventOrAWakeUpFromAnotherThread) {
    struct Case { const char* what; void (*wake)(); bool queued; };
    const Case cases[] = {
        {"an event pushed", [] { pushEvent(SDL_USEREVENT); }, true},
        {"a wake-up", wakeEventWait, false},
    };
    for (const Case& c : cases) {
        for (const bool until : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (until ? ", waitForEventUntil" : ", waitForEvent"));
            std::atomic<bool> woken{false};
            std::thread waker([&] {
                SDL_Delay(30);
                woken = true;
                c.wake();
            });
            const bool eventCame = until ? waitForEventUntil(getTicks() + 600000) : (waitForEvent(), eventPending());
            EXPECT_TRUE(woken);
            waker.join();
            EXPECT_EQ(eventCame, c.queued);
            EXPECT_EQ(pendingEvents(), c.queued ? 1 : 0);  // the event stays for the loop test
            drainEvents();
        }
    }
}

TEST_F(Window, SleepIgnoresClicksAndReleasesAndEndsOnAKeyDown) {
    pushEvent(SDL_MOUSEBUTTONDOWN);
    pushEvent(SDL_KEYUP);
    pushEvent(SDL_KEYDOWN);
    pushEvent(SDL_USEREVENT);
    sleep();
    EXPECT_EQ(pendingEvents(), 0);  // the queue is emptied before it returns
}

using WindowDeathTest = Window;

TEST_F(WindowDeathTest, EndExitsWithStatusOne) { EXPECT_EXIT(end(), ::testing::ExitedWithCode(1), ""); }

TEST_F(WindowDeathTest, CloseRequestsEndTheWaits) {
    pushEvent(SDL_QUIT);
    EXPECT_EXIT(sleep(), ::testing::ExitedWithCode(1), "");
    EXPECT_EXIT(waitFrame(getTime(), 1000), ::testing::ExitedWithCode(1), "");
    drainEvents();
    setKey(SDLK_ESCAPE, true);
    EXPECT_EXIT(waitFrame(getTime(), 1000), ::testing::ExitedWithCode(1), "");
}

TEST_F(WindowDeathTest, AnUnknownVideoDriverFailsTheStart) {
    EXPECT_EXIT(
        {
            SDL_Quit();
            setenv("SDL_VIDEODRIVER", "nonexistent", 1);
            screen(64, 64, false, "x");
        },
        ::testing::ExitedWithCode(1), "");
}

// The user's value of each hint variable (null: not set), the linked version's
// patch level, and whether the present hints are set.
struct PresentHintCase {
    const char* renderDriver;
    const char* framebufferAcceleration;
    Uint8 patch;
    bool hinted;
};

class PresentHints : public ::testing::TestWithParam<PresentHintCase> {
protected:
    void SetUp() override {
        setOrUnset("SDL_RENDER_DRIVER", GetParam().renderDriver);
        setOrUnset("SDL_FRAMEBUFFER_ACCELERATION", GetParam().framebufferAcceleration);
    }
    void TearDown() override {
        unsetenv("SDL_RENDER_DRIVER");
        unsetenv("SDL_FRAMEBUFFER_ACCELERATION");
    }
    static void setOrUnset(const char* name, const char* value) {
        if (value != nullptr) setenv(name, value, 1);
        else unsetenv(name);
    }
};

TEST_P(PresentHints, AreSetOnlyOnSdl12CompatAndOnlyWhereTheUserSetNone) {
    std::string set;
    for (const EnvironmentHint& hint : presentHints({1, 2, GetParam().patch}))
        set += std::string(hint.name) + "=" + hint.value + " ";
    EXPECT_EQ(set, GetParam().hinted ? "SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0 " : "");
}

INSTANTIATE_TEST_SUITE_P(Window, PresentHints,
                         ::testing::Values(PresentHintCase{nullptr, nullptr, 15, false},  // the original SDL 1.2
                                           PresentHintCase{nullptr, nullptr, 50, true},  // sdl12-compat
                                           PresentHintCase{"opengl", nullptr, 60, false},  // the user's choice
                                           PresentHintCase{nullptr, "1", 60, false},
                                           PresentHintCase{"", nullptr, 60, false}));

}  // namespace
