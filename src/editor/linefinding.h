// linefinding.h - lines found in the image traced over, on a thread of their own.
//
// Finding lines takes a few tens of milliseconds; the window goes on
// answering meanwhile, as it does while an image is read (workthread.h: the
// thread wakes the loop when it is done, and past a fifth of a second when
// the work has moved on, so that the prompt line shows how far it is):
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

#include <memory>
#include <optional>

#include "vectorize.h"
#include "workthread.h"

class LineFinding {
public:
    LineFinding(std::shared_ptr<const TraceImage> image, LineKind kind, const PictureTables& picture)
        : tables(picture), work([image = std::move(image), kind, picture](TraceProgress& progress) {
              return findLines(*image, kind, picture, &progress);
          }) {}

    // The picture the lines were placed on.
    const PictureTables& picture() const { return tables; }

    // The result, once the thread is done; nothing before, and after it was taken.
    std::optional<FoundLines> take() { return work.take(); }

    // The percent done, when it changed since it was last shown and a fifth
    // of a second has passed since then (or since the start).
    std::optional<int> progressToShow() { return work.progressToShow(); }

private:
    PictureTables tables;
    WorkThread<FoundLines> work;
};

#endif
