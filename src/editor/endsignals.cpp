// endsignals.cpp - the thread that turns an ending signal into a close request.
#include "endsignals.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <initializer_list>
#include <mutex>
#include <thread>

#include "gfx.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::seconds graceTime(5);

std::atomic<int> signalTaken(0);

// Passing the close request to SDL: only while its event queue exists (from
// deliverEndSignals to the exit hooks), and once. The lock keeps the push and
// the queue's opening and closing apart.
struct HandOver {
    std::mutex lock;
    bool windowOpen = false;
    bool pushed = false;
};

// The writes running now.
struct Writes {
    std::mutex lock;
    std::condition_variable ended;
    int running = 0;
};

// Never destroyed: the signal thread may use them while the program exits.
HandOver& handOver() {
    static HandOver* const state = new HandOver;
    return *state;
}

Writes& writes() {
    static Writes* const state = new Writes;
    return *state;
}

sigset_t endSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaddset(&set, sig);
    return set;
}

// Ends the process by `sig` with its default action: unblocked in this thread
// and raised here.
[[noreturn]] void endBy(int sig) {
    signal(sig, SIG_DFL);
    sigset_t one;
    sigemptyset(&one);
    sigaddset(&one, sig);
    pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
    raise(sig);
    std::_Exit(128 + sig);  // not reached: the default action of these signals ends the process
}

// Pushes the close request when a signal was taken and the queue is open, once.
// Needs handOver().lock.
void pushCloseRequest(HandOver& h) {
    if (h.pushed || !h.windowOpen || signalTaken == 0) return;
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    queueEvent(quit);  // behind any backlog of input, never lost to a full queue
    wakeEventWait();   // the loop may be asleep in its wait
    h.pushed = true;
}

// Returns, with the writes' lock held so that no write can start any more,
// once graceTime has passed since `signalled` and no write runs: a write
// going on then still ends whole, but none starts after it.
std::unique_lock<std::mutex> waitOutGrace(Clock::time_point signalled) {
    Writes& w = writes();
    std::unique_lock<std::mutex> held(w.lock);
    w.ended.wait_until(held, signalled + graceTime, [] { return false; });
    w.ended.wait(held, [&] { return w.running == 0; });
    return held;
}

void waitForEndSignal(sigset_t set) {
    int sig = 0;
    if (sigwait(&set, &sig) != 0) return;
    const Clock::time_point signalled = Clock::now();
    signalTaken = sig;
    {
        HandOver& h = handOver();
        std::lock_guard<std::mutex> held(h.lock);
        pushCloseRequest(h);
    }
    const std::unique_lock<std::mutex> noWrite = waitOutGrace(signalled);
    endBy(sig);
}

// At exit, before SDL_Quit (registered earlier, when the window opened) runs.
void stopDelivering() {
    HandOver& h = handOver();
    std::lock_guard<std::mutex> held(h.lock);
    h.windowOpen = false;
}

// The last exit hook: a run ended by a signal ends by it again, now that the
// copy is written and SDL_Quit has run.
void endByTakenSignal() {
    if (signalTaken != 0) endBy(signalTaken);
}

}  // namespace

void watchEndSignals() {
    const sigset_t set = endSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread(waitForEndSignal, set).detach();
    std::atexit(endByTakenSignal);
}

void deliverEndSignals() {
    HandOver& h = handOver();
    {
        std::lock_guard<std::mutex> held(h.lock);
        h.windowOpen = true;
        pushCloseRequest(h);  // a signal taken during start-up
    }
    std::atexit(stopDelivering);
}

WriteInProgress::WriteInProgress() {
    Writes& w = writes();
    std::lock_guard<std::mutex> held(w.lock);
    ++w.running;
}

WriteInProgress::~WriteInProgress() {
    Writes& w = writes();
    std::lock_guard<std::mutex> held(w.lock);
    --w.running;
    w.ended.notify_all();
}
