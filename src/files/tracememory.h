// tracememory.h - which image a picture folder traces over, remembered between runs.
//
// The choice lives in the folder's kept-picture store (keptpictures.h) as the
// file "trace": "shown" or "hidden" on the first line, the image's path (as
// chosen: relative to the picture folder, or absolute) on the second.
//
//     const KeptStore store = keptStoreForWorkingFolder();
//     std::optional<TraceChoice> last = rememberedTrace(store);
//     std::optional<FileFailure> failed = rememberTrace(store, {"map.png", true});
#ifndef TESSARY_TRACEMEMORY_H
#define TESSARY_TRACEMEMORY_H

#include <optional>
#include <string>

#include "keptpictures.h"

struct TraceChoice {
    std::string path;  // empty: no image chosen
    bool shown = false;
};

// The choice remembered for the store's folder; nothing when none is, or the
// file is not a plain, small, well-formed one.
std::optional<TraceChoice> rememberedTrace(const KeptStore& store);

// Remembers `choice`, making the store when needed. Returns what could not be
// made or written, and why, or nothing.
std::optional<FileFailure> rememberTrace(const KeptStore& store, const TraceChoice& choice);

#endif
