// heldevents_test.cpp - a backlog kept beyond SDL's queue, the bytes
// allocated while it drains counted.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <set>
#include <thread>
#include <vector>

#include "surface.h"
#include "surface_helpers.h"

// It takes its memory from malloc, which GCC, seeing both inlined, takes for a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
static std::atomic<std::size_t> bytesAllocated{0};
void* operator new(std::size_t size) {
    bytesAllocated += size;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { ::operator delete(memory); }

namespace {

using Position = std::pair<int, int>;

Position nth(std::size_t i) { return {static_cast<int>(i % 600) + 1, static_cast<int>(i / 600) + 1}; }

// As SDL's event filter does: kept by the layer, or into SDL's queue.
void queue(SDL_Event event) { holdOverflow(&event) || SDL_PushEvent(&event); }

void queueMotions(std::size_t first, std::size_t end, std::size_t step = 1) {
    static Position at{0, 0};
    for (std::size_t i = first; i < end; i += step) {
        SDL_Event event = {};
        event.type = SDL_MOUSEMOTION;
        event.motion.x = static_cast<Uint16>(nth(i).first);
        event.motion.y = static_cast<Uint16>(nth(i).second);
        event.motion.xrel = static_cast<Sint16>(nth(i).first - at.first);
        event.motion.yrel = static_cast<Sint16>(nth(i).second - at.second);
        queue(event);
        at = nth(i);
    }
}

// A backlog past the limit drains without a copy per event. A motion back to
// a position of its burst merges; a new position, a key, a motion after the
// key (a new burst) and a close request queued from another thread never do.
TEST(HeldEvents, ABacklogDrainsInLinearTimeAndOnlyRepeatedPositionsOfABurstMerge) {
    const std::size_t distinct = heldEventLimit + 200;
    queueMotions(1, distinct);
    queueMotions(200, 7200, 7);  // all kept before
    queueMotions(distinct, distinct + 1);
    queue(SDL_Event{SDL_KEYDOWN});
    queueMotions(3, 4);
    std::thread([] { queueEvent(SDL_Event{SDL_QUIT}); }).join();
    std::vector<Position> motions;
    std::vector<Uint8> others;
    motions.reserve(distinct + 1);
    const std::size_t before = bytesAllocated;
    for (SDL_Event event; takeEvent(event);) {
        int x = 0, y = 0;
        getMouseState(x, y);  // as of the event: what each event costs the most
        if (event.type == SDL_MOUSEMOTION) motions.emplace_back(event.motion.x, event.motion.y);
        else others.push_back(event.type);
    }
    EXPECT_LT(bytesAllocated - before, distinct * 16) << "allocated while draining";
    EXPECT_EQ(motions.size(), distinct + 1);
    EXPECT_EQ(std::set<Position>(motions.begin(), motions.end()).size(), distinct);
    EXPECT_EQ(others, (std::vector<Uint8>{SDL_KEYDOWN, SDL_QUIT}));
}

}  // namespace
