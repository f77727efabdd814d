// trace_probe.cpp - reads one image to trace over in a process of its own and
// says how it went, for hostileimages_test.
//
// A test program has threads running (SDL's, the test's), so a child forked
// from it may not safely read an image; the test starts this program instead,
// once on each SDL 1.2 library (LD_LIBRARY_PATH picks sdl12-compat):
//
//     trace_probe FILE CANCEL_MS
//
// It reads FILE on its main thread while a second one cancels the reading
// CANCEL_MS milliseconds after the start (never when negative), and prints
// one line: the reason the reading gave (empty for an image), the processor
// time of the whole reading in milliseconds, the processor time and the time
// it still took after the cancel (-1 when it ended before), the address space
// in KiB it took above what the process held at its start, and the patch
// number of the SDL 1.2 library linked (sdl12-compat counts from 50):
//
//     cancelled|50.3|0.4|0.5|1204|15
#include <malloc.h>
#include <pthread.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "traceimage.h"

namespace {

using Clock = std::chrono::steady_clock;

long statusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == key) return (status >> word, std::stol(word));
    return 0;
}

double cpuMs(clockid_t clock) {
    timespec now = {};
    clock_gettime(clock, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Cancels the reading on the main thread once the time has come, unless the
// reading ended first; notes the main thread's processor time and the clock then.
class Canceller {
public:
    Canceller(TraceProgress& progress, long delayMs) : progress(progress) {
        pthread_getcpuclockid(pthread_self(), &readerClock);
        if (delayMs >= 0) thread = std::thread([this, delayMs] { cancelAfter(std::chrono::milliseconds(delayMs)); });
    }
    // Ends the canceller; the processor time and the time since the cancel, or -1 each.
    std::pair<double, double> sinceCancel() {
        {
            std::lock_guard<std::mutex> hold(lock);
            readingOver = true;
        }
        woken.notify_one();
        if (thread.joinable()) thread.join();
        if (!progress.cancelled) return {-1, -1};
        const double wallMs = std::chrono::duration<double, std::milli>(Clock::now() - cancelledAt).count();
        return {cpuMs(CLOCK_THREAD_CPUTIME_ID) - cpuAtCancel, wallMs};
    }

private:
    void cancelAfter(std::chrono::milliseconds delay) {
        std::unique_lock<std::mutex> hold(lock);
        if (woken.wait_for(hold, delay, [this] { return readingOver; })) return;
        cpuAtCancel = cpuMs(readerClock);
        cancelledAt = Clock::now();
        progress.cancelled = true;
    }

    TraceProgress& progress;
    clockid_t readerClock = CLOCK_THREAD_CPUTIME_ID;
    std::mutex lock;
    std::condition_variable woken;
    bool readingOver = false;
    double cpuAtCancel = 0;
    Clock::time_point cancelledAt;
    std::thread thread;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: trace_probe FILE CANCEL_MS\n");
        return 2;
    }
    mallopt(M_ARENA_MAX, 1);  // no arena of its own for the canceller: only the reading's memory counts
    TraceProgress progress;
    Canceller canceller(progress, std::atol(argv[2]));
    const long before = statusKb("VmSize:");
    const double cpuBefore = cpuMs(CLOCK_THREAD_CPUTIME_ID);
    const TraceRead read = readTraceImage(argv[1], &progress);
    const double readingCpu = cpuMs(CLOCK_THREAD_CPUTIME_ID) - cpuBefore;
    const auto [cpuAfterCancel, wallAfterCancel] = canceller.sinceCancel();
    std::printf("%s|%.1f|%.1f|%.1f|%ld|%d\n", read.image ? "" : read.reason.c_str(), readingCpu, cpuAfterCancel,
                wallAfterCancel, statusKb("VmPeak:") - before, SDL_Linked_Version()->patch);
    return 0;
}
