// tracereading.h - an image to trace over, read on a thread of its own.
//
// A big image takes seconds to read and fit; the window goes on answering
// meanwhile. The thread wakes the loop's wait (wakeEventWait) when it is done,
// and when the reading has moved on since it last did, at most four times a
// second, so that an idle editor shows how far it is without looking by itself:
//
//     auto reading = std::make_shared<TraceReading>("big.png");
//     ...                                   // each pass:
//     if (std::optional<TraceRead> read = reading->take()) use(*read);
//     else if (std::optional<int> percent = reading->progressToShow()) show(*percent);
//
// Dropping the reading cancels it: the destructor waits for the thread, which
// stops at its next row or its next bytes read from the file (a few hundred
// at most), within milliseconds whatever the file holds, and what it read
// goes with it.
#ifndef TESSARY_TRACEREADING_H
#define TESSARY_TRACEREADING_H

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "traceimage.h"

class TraceReading {
public:
    explicit TraceReading(std::string path);
    ~TraceReading();
    TraceReading(const TraceReading&) = delete;
    TraceReading& operator=(const TraceReading&) = delete;

    const std::string& path() const { return imagePath; }

    // The result, once the thread is done; nothing before, and after it was taken.
    std::optional<TraceRead> take();

    // The percent read, when it changed since it was last shown and a fifth of
    // a second has passed since then (or since the start): a few updates a
    // second, no faster.
    std::optional<int> progressToShow();

private:
    struct Shared;
    std::string imagePath;
    std::unique_ptr<Shared> shared;
    int shownPercent = 0;
    std::chrono::steady_clock::time_point shownAt;
};

#endif
