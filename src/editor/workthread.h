// workthread.h - work done on a thread of its own while the window goes on
// answering: an image read to trace over (tracereading.h), lines found in it
// (linefinding.h).
//
// The work is handed a TraceProgress: it tells how far it is through `moved`
// and stops at its next check once `cancelled` is set. The thread wakes the
// loop's wait (wakeEventWait) when it is done and, from a fifth of a second
// on, when the work has moved on, at most four times a second, so that an
// idle editor shows how far it is without looking by itself:
//
//     WorkThread<TraceRead> reading([path](TraceProgress& p) { return readTraceImage(path, &p); });
//     ...                                   // each pass:
//     if (std::optional<TraceRead> read = reading.take()) use(*read);
//     else if (std::optional<int> percent = reading.progressToShow()) show(*percent);
//
// Dropping it cancels the work: the destructor waits for the thread, and what
// the work made goes with it.
#ifndef TESSARY_WORKTHREAD_H
#define TESSARY_WORKTHREAD_H

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "gfx.h"
#include "traceimage.h"

// When the progress wakes the loop and when it is shown: the pace for one work.
class ProgressPace {
public:
    ProgressPace();
    // On the work's thread, as the percent done changes: whether to wake the loop.
    bool wakeNow();
    // On the loop's thread: the percent to show, when it changed since it was
    // last shown and a fifth of a second has passed since then (or the start).
    std::optional<int> toShow(int percent);

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point wokenAt, shownAt;
    int shownPercent = 0;
};

template <typename Result>
class WorkThread {
public:
    explicit WorkThread(std::function<Result(TraceProgress&)> work) : shared(std::make_unique<Shared>()) {
        Shared& s = *shared;
        s.progress.moved = [&s](int percent) {
            s.percent = percent;
            if (s.pace.wakeNow()) wakeEventWait();
        };
        s.thread = std::thread([&s, work = std::move(work)] {
            Result result = work(s.progress);
            {
                std::lock_guard<std::mutex> lock(s.resultLock);
                s.result = std::move(result);
            }
            wakeEventWait();
        });
    }
    ~WorkThread() {
        shared->progress.cancelled = true;
        shared->thread.join();
    }
    WorkThread(const WorkThread&) = delete;
    WorkThread& operator=(const WorkThread&) = delete;

    // The result, once the thread is done; nothing before, and after it was taken.
    std::optional<Result> take() {
        std::lock_guard<std::mutex> lock(shared->resultLock);
        std::optional<Result> result = std::move(shared->result);
        shared->result.reset();
        return result;
    }

    std::optional<int> progressToShow() { return shown.toShow(shared->percent); }

private:
    struct Shared {
        TraceProgress progress;
        ProgressPace pace;  // its waking half, used on the work's thread only
        std::atomic<int> percent{0};
        std::mutex resultLock;
        std::optional<Result> result;  // set once, by the thread, as it ends
        std::thread thread;
    };
    std::unique_ptr<Shared> shared;
    ProgressPace shown;  // its showing half, used on the loop's thread only
};

#endif
