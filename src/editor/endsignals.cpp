// endsignals.cpp - the thread that turns an ending signal into a close request.
#include "endsignals.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <initializer_list>
#include <thread>

#include "gfx.h"

namespace {

constexpr std::chrono::seconds graceTime(5);

std::atomic<int> signalTaken(0);

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

void waitForEndSignal(sigset_t set) {
    int sig = 0;
    if (sigwait(&set, &sig) != 0) return;
    signalTaken = sig;
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    wakeEventWait();  // the loop may be asleep in its wait
    std::this_thread::sleep_for(graceTime);
    endBy(sig);
}

// The last exit hook: a run ended by a signal ends by it again, now that the
// copy is written and SDL_Quit, registered when the window opened, has run.
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
