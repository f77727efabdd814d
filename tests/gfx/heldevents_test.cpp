// heldevents_test.cpp - a long backlog of events kept beyond SDL's queue: it
// drains without copying the backlog per event (the bytes allocated while
// draining are counted), and past the layer's limit a motion merges only
// where every position is still reported and no other event goes.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "gfx.h"
#include "surface.h"
#include "surface_helpers.h"

// The counting operator new takes its memory from malloc, which GCC, seeing
// both inlined, takes for a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

namespace {

std::atomic<std::size_t> bytesAllocated{0};

}  // namespace

void* operator new(std::size_t size) {
    bytesAllocated += size;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { ::operator delete(memory); }

namespace {

using Position = std::pair<int, int>;

class HeldEvents : public ::testing::Test {
protected:
    void SetUp() override { drainEvents(); }
    void TearDown() override { drainEvents(); }

    // Queues an event as SDL's event filter does: kept by the layer, or into SDL's queue.
    static void queue(SDL_Event event) {
        if (!holdOverflow(&event)) SDL_PushEvent(&event);
    }
    void moveTo(Position to) {
        SDL_Event event = {};
        event.type = SDL_MOUSEMOTION;
        event.motion.x = static_cast<Uint16>(to.first);
        event.motion.y = static_cast<Uint16>(to.second);
        event.motion.xrel = static_cast<Sint16>(to.first - at.first);
        event.motion.yrel = static_cast<Sint16>(to.second - at.second);
        queue(event);
        at = to;
    }
    // Takes every event queued: the motions' positions, each checked against
    // the pointer as of it, and the other events' types.
    void takeAll(std::vector<Position>& motions, std::vector<Uint8>& others) {
        SDL_Event event;
        while (takeEvent(event)) {
            if (event.type != SDL_MOUSEMOTION) {
                others.push_back(event.type);
                continue;
            }
            motions.emplace_back(event.motion.x, event.motion.y);
            // With no pointer event after it, the pointer is SDL's own, which pushed events leave.
            if (!eventQueued(SDL_MOUSEMOTIONMASK | SDL_MOUSEBUTTONDOWNMASK | SDL_MOUSEBUTTONUPMASK)) continue;
            int x = 0, y = 0;
            getMouseState(x, y);
            EXPECT_EQ(Position(x, y), motions.back()) << "the pointer as of motion " << motions.size();
        }
    }
    static Position nth(std::size_t i) { return {static_cast<int>(i % 600) + 1, static_cast<int>(i / 600) + 1}; }

    Position at{0, 0};
};

TEST_F(HeldEvents, ABacklogDrainsWithoutACopyPerEvent) {
    const std::size_t count = 20000;
    for (std::size_t i = 0; i < count; ++i) moveTo(nth(i));
    std::vector<Position> motions;
    std::vector<Uint8> others;
    motions.reserve(count);
    const std::size_t before = bytesAllocated;
    takeAll(motions, others);
    EXPECT_LT(bytesAllocated - before, count * 16) << "allocated while draining";
    ASSERT_EQ(motions.size(), count);
    for (std::size_t i = 0; i < count; i += 997) EXPECT_EQ(motions[i], nth(i));
}

// Past the limit, a motion back to a position of its burst merges; a new
// position, a key, and a motion after the key (a new burst) never do.
TEST_F(HeldEvents, PastTheLimitOnlyRepeatedPositionsOfABurstMerge) {
    const std::size_t distinct = heldEventLimit + 200;
    for (std::size_t i = 0; i < distinct; ++i) moveTo(nth(i));
    for (std::size_t i = 0; i < 1000; ++i) moveTo(nth(200 + i * 7));  // all kept before
    moveTo(nth(distinct));
    SDL_Event key = {};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_a;
    queue(key);
    moveTo(nth(3));
    std::vector<Position> motions;
    std::vector<Uint8> others;
    takeAll(motions, others);
    EXPECT_EQ(motions.size(), distinct + 2);
    EXPECT_EQ(std::set<Position>(motions.begin(), motions.end()).size(), distinct + 1);
    EXPECT_EQ(motions.back(), nth(3));
    EXPECT_EQ(others, std::vector<Uint8>{SDL_KEYDOWN});
}

// A close request queued from another thread comes after the input before
// it, whether SDL's queue has room or not.
TEST_F(HeldEvents, AnEventQueuedFromAnotherThreadIsNeverLostToAFullQueue) {
    for (std::size_t backlog : {100, 300}) {
        for (std::size_t i = 0; i < backlog; ++i) moveTo(nth(i));
        SDL_Event quit = {};
        quit.type = SDL_QUIT;
        std::thread([&quit] { queueEvent(quit); }).join();
        std::vector<Position> motions;
        std::vector<Uint8> others;
        takeAll(motions, others);
        EXPECT_EQ(motions.size(), backlog);
        EXPECT_EQ(others, std::vector<Uint8>{SDL_QUIT}) << backlog;
    }
}

}  // namespace
