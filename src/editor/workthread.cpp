// workthread.cpp - the pace at which work on a thread of its own wakes the loop and shows its progress.
#include "workthread.h"

namespace {

// Work done sooner than this shows no progress. The least time between two
// wake-ups is longer than between two updates shown, so that a pass woken a
// little sooner after the last wake-up than the one before still shows it.
constexpr std::chrono::milliseconds quietStart(200);
constexpr std::chrono::milliseconds wakeStep(250);
constexpr std::chrono::milliseconds showStep(200);

}  // namespace

ProgressPace::ProgressPace()
    : wokenAt(Clock::now() - wakeStep + quietStart), shownAt(Clock::now() - showStep + quietStart) {}

bool ProgressPace::wakeNow() {
    if (Clock::now() < wokenAt + wakeStep) return false;
    wokenAt = Clock::now();
    return true;
}

std::optional<int> ProgressPace::toShow(int percent) {
    const auto now = Clock::now();
    if (percent == shownPercent || now < shownAt + showStep) return std::nullopt;
    shownPercent = percent;
    shownAt = now;
    return percent;
}
