// trace_probe.cpp - reads one image to trace over in a process of its own and
// says how it went, for hostileimages_test, which starts it on each SDL 1.2
// library (a child forked from the threaded test program could not safely read):
//
//     trace_probe FILE CANCEL_MS      (CANCEL_MS < 0: never cancelled)
//
// prints "reason|cpu|cpuAfterCancel|wallAfterCancel|peakKb|sdlPatch": the
// reason given (empty for an image), the reading's processor time and what it
// took after the cancel in milliseconds (-1: it ended first), the address
// space it took above the process's own, and the SDL 1.2 library's patch
// number (sdl12-compat counts from 50).
#include <malloc.h>
#include <pthread.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "traceimage.h"

namespace {

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

double wallMs() { return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    mallopt(M_ARENA_MAX, 1);  // no arena for the canceller: only the reading's memory counts
    TraceProgress progress;
    std::atomic<double> cpuAtCancel{0}, wallAtCancel{0};
    clockid_t reader;
    pthread_getcpuclockid(pthread_self(), &reader);
    if (const long delay = std::atol(argv[2]); delay >= 0) {
        std::thread([&, delay] {
            std::this_thread::sleep_for(std::chrono::milliseconds(delay));
            cpuAtCancel = cpuMs(reader);
            wallAtCancel = wallMs();
            progress.cancelled = true;
        }).detach();  // ends with the process when the reading ends first
    }
    const long before = statusKb("VmSize:");
    const double cpuBefore = cpuMs(CLOCK_THREAD_CPUTIME_ID);
    const TraceRead read = readTraceImage(argv[1], &progress);
    const double cpu = cpuMs(CLOCK_THREAD_CPUTIME_ID), wall = wallMs();
    const bool cancelled = progress.cancelled && wallAtCancel > 0;
    std::printf("%s|%.1f|%.1f|%.1f|%ld|%d\n", read.image ? "" : read.reason.c_str(), cpu - cpuBefore,
                cancelled ? cpu - cpuAtCancel : -1, cancelled ? wall - wallAtCancel : -1,
                statusKb("VmPeak:") - before, SDL_Linked_Version()->patch);
    std::fflush(stdout);
    std::_Exit(0);  // the canceller may still sleep
}
