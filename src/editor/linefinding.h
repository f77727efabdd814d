// linefinding.h - lines found in the image traced over, on a thread of their own.
//
// Finding lines takes a few tens of milliseconds, on a big picture of ink a
// little more; the window goes on answering meanwhile, as it does while an
// image is read (tracereading.h). The thread wakes the loop's wait
// (wakeEventWait) when it is done, and, once 200 ms have passed, when the
// work has moved on, at most four times a second, so that the prompt line
// shows how far it is:
//
//     auto finding = std::make_shared<LineFinding>(image, LineKind::outlines, picture.tables());
//     ...                                   // each pass:
//     if (std::optional<FoundLines> found = finding->take()) use(*found);
//     else if (std::optional<int> percent = finding->progressToShow()) show(*percent);
//
// Dropping it cancels the work: the destructor waits for the thread, which
// stops at its next check, and nothing found is kept.
#ifndef TESSARY_LINEFINDING_H
#define TESSARY_LINEFINDING_H

#include <chrono>
#include <memory>
#include <optional>

#include "vectorize.h"

class LineFinding {
public:
    LineFinding(std::shared_ptr<const TraceImage> image, LineKind kind, const PictureTables& picture);
    ~LineFinding();
    LineFinding(const LineFinding&) = delete;
    LineFinding& operator=(const LineFinding&) = delete;

    // The picture the lines were placed on.
    const PictureTables& picture() const { return tables; }

    // The result, once the thread is done; nothing before, and after it was taken.
    std::optional<FoundLines> take();

    // The percent done, once 200 ms have passed since the start, when it
    // changed since it was last shown and a fifth of a second has passed since.
    std::optional<int> progressToShow();

private:
    struct Shared;
    PictureTables tables;
    std::unique_ptr<Shared> shared;
    int shownPercent = -1;
    std::chrono::steady_clock::time_point shownAt;
};

#endif
