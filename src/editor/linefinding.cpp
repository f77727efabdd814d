// linefinding.cpp - the thread that finds lines in the traced image, and what it shares with the loop.
#include "linefinding.h"

#include <atomic>
#include <mutex>
#include <thread>

#include "gfx.h"

namespace {

using Clock = std::chrono::steady_clock;
// Work shorter than this shows no progress at all.
constexpr std::chrono::milliseconds quietStart(200);
// The least time between two wake-ups for the progress, and between two
// updates shown: less, so that a pass woken a little early still shows it.
constexpr std::chrono::milliseconds wakeStep(250);
constexpr std::chrono::milliseconds showStep(200);

}  // namespace

struct LineFinding::Shared {
    std::shared_ptr<const TraceImage> image;
    TraceProgress progress;
    std::atomic<int> percent{0};
    std::mutex resultLock;
    std::optional<FoundLines> result;  // set once, by the thread, as it ends
    std::thread thread;
};

LineFinding::LineFinding(std::shared_ptr<const TraceImage> image, LineKind kind, const PictureTables& picture)
    : tables(picture), shared(std::make_unique<Shared>()), shownAt(Clock::now() - showStep + quietStart) {
    Shared& s = *shared;
    s.image = std::move(image);
    s.progress.moved = [&s, wokenAt = Clock::now() - wakeStep + quietStart](int percent) mutable {
        s.percent = percent;
        if (Clock::now() < wokenAt + wakeStep) return;
        wokenAt = Clock::now();
        wakeEventWait();
    };
    s.thread = std::thread([&s, kind, this] {
        FoundLines found = findLines(*s.image, kind, tables, &s.progress);
        {
            std::lock_guard<std::mutex> lock(s.resultLock);
            s.result = std::move(found);
        }
        wakeEventWait();
    });
}

LineFinding::~LineFinding() {
    shared->progress.cancelled = true;
    shared->thread.join();
}

std::optional<FoundLines> LineFinding::take() {
    std::lock_guard<std::mutex> lock(shared->resultLock);
    std::optional<FoundLines> found = std::move(shared->result);
    shared->result.reset();
    return found;
}

std::optional<int> LineFinding::progressToShow() {
    const int percent = shared->percent;
    const auto now = Clock::now();
    if (percent == shownPercent || now < shownAt + showStep) return std::nullopt;
    shownPercent = percent;
    shownAt = now;
    return percent;
}
