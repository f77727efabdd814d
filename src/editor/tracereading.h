// tracereading.h - an image to trace over, read on a thread of its own.
//
// A big image takes seconds to read and fit; the window goes on answering
// meanwhile (workthread.h: the thread wakes the loop when it is done, and
// when the reading has moved on, at most four times a second):
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

#include <optional>
#include <string>

#include "traceimage.h"
#include "workthread.h"

class TraceReading {
public:
    explicit TraceReading(std::string path)
        : imagePath(std::move(path)),
          work([path = imagePath](TraceProgress& progress) { return readTraceImage(path, &progress); }) {}

    const std::string& path() const { return imagePath; }

    // The result, once the thread is done; nothing before, and after it was taken.
    std::optional<TraceRead> take() { return work.take(); }

    // The percent read, when it changed since it was last shown and a fifth of
    // a second has passed since then (or since the start): a few updates a
    // second, no faster.
    std::optional<int> progressToShow() { return work.progressToShow(); }

private:
    std::string imagePath;
    WorkThread<TraceRead> work;
};

#endif
