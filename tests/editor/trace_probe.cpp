// trace_probe.cpp - `trace_probe FILE CANCEL_MS` reads one image to trace over
// (cancelled after CANCEL_MS unless negative) in a process of its own for
// hostileimages_test, and prints "cpuMs peakKb sdlPatch reason": the reading's
// processor time (from the cancel, when asked for; -1 when the reading ended
// first), the address space it took, the SDL 1.2 library's patch number
// (sdl12-compat counts from 50) and the reason (empty for an image).
#include <malloc.h>
#include <pthread.h>

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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    mallopt(M_ARENA_MAX, 1);  // no arena for the canceller: only the reading's memory counts
    TraceProgress progress;
    clockid_t reader;
    pthread_getcpuclockid(pthread_self(), &reader);
    std::atomic<double> cpuFrom{cpuMs(reader)};
    if (const long delay = std::atol(argv[2]); delay >= 0)
        std::thread([&, delay] {
            std::this_thread::sleep_for(std::chrono::milliseconds(delay));
            cpuFrom = cpuMs(reader);
            progress.cancelled = true;
        }).detach();  // ends with the process when the reading ends first
    const long before = statusKb("VmSize:");
    const TraceRead read = readTraceImage(argv[1], &progress);
    const bool endedFirst = std::atol(argv[2]) >= 0 && !progress.cancelled;
    std::printf("%.0f %ld %d %s\n", endedFirst ? -1 : cpuMs(reader) - cpuFrom, statusKb("VmPeak:") - before,
                SDL_Linked_Version()->patch, read.image ? "" : read.reason.c_str());
    std::fflush(stdout);
    std::_Exit(0);  // the canceller may still sleep
}
