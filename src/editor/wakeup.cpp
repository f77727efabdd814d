// wakeup.cpp - the wake-up thread and the time it waits for.
#include "wakeup.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "gfx.h"

namespace {

using Clock = std::chrono::steady_clock;

struct WakeUp {
    std::mutex lock;
    std::condition_variable changed;
    std::optional<Clock::time_point> due;
    bool running = false;
};

// Never destroyed: the detached thread may still wait on it while the program exits.
WakeUp& wakeUp() {
    static WakeUp* const state = new WakeUp;
    return *state;
}

void pushUserEvent() {
    SDL_Event event = {};
    event.type = SDL_USEREVENT;
    SDL_PushEvent(&event);
}

[[noreturn]] void wakeAtDueTimes() {
    WakeUp& state = wakeUp();
    std::unique_lock<std::mutex> held(state.lock);
    for (;;) {
        state.changed.wait(held, [&] { return state.due.has_value(); });
        if (state.changed.wait_until(held, *state.due) == std::cv_status::timeout && state.due &&
            Clock::now() >= *state.due) {
            state.due.reset();
            pushUserEvent();
        }
    }
}

}  // namespace

void wakeAt(Clock::time_point when) {
    WakeUp& state = wakeUp();
    std::lock_guard<std::mutex> held(state.lock);
    if (!state.running) std::thread(wakeAtDueTimes).detach();
    state.running = true;
    state.due = when;
    state.changed.notify_one();
}

void cancelWakeUp() {
    WakeUp& state = wakeUp();
    std::lock_guard<std::mutex> held(state.lock);
    state.due.reset();
}
