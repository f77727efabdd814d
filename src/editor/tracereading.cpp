// tracereading.cpp - the thread that reads an image to trace over, and what it shares with the loop.
#include "tracereading.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "gfx.h"

namespace {

// The least time between two wake-ups of the loop for the progress, and
// between two updates of what is shown: less, so that a pass woken a little
// sooner after the last wake-up than the one before still shows it.
using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds wakeStep(250);
constexpr std::chrono::milliseconds showStep(200);

}  // namespace

struct TraceReading::Shared {
    TraceProgress progress;
    std::atomic<int> percent{0};
    std::mutex resultLock;
    std::optional<TraceRead> result;  // set once, by the thread, as it ends
    std::thread thread;
};

TraceReading::TraceReading(std::string path)
    : imagePath(std::move(path)), shared(std::make_unique<Shared>()), shownAt(Clock::now()) {
    Shared& s = *shared;
    s.progress.moved = [&s, wokenAt = Clock::now()](int percent) mutable {
        s.percent = percent;
        if (Clock::now() < wokenAt + wakeStep) return;
        wokenAt = Clock::now();
        wakeEventWait();
    };
    s.thread = std::thread([&s, path = imagePath] {
        TraceRead read = readTraceImage(path, &s.progress);
        {
            std::lock_guard<std::mutex> lock(s.resultLock);
            s.result = std::move(read);
        }
        wakeEventWait();
    });
}

TraceReading::~TraceReading() {
    shared->progress.cancelled = true;
    shared->thread.join();
}

std::optional<TraceRead> TraceReading::take() {
    std::lock_guard<std::mutex> lock(shared->resultLock);
    std::optional<TraceRead> read = std::move(shared->result);
    shared->result.reset();
    return read;
}

std::optional<int> TraceReading::progressToShow() {
    const int percent = shared->percent;
    const auto now = Clock::now();
    if (percent == shownPercent || now < shownAt + showStep) return std::nullopt;
    shownPercent = percent;
    shownAt = now;
    return percent;
}
