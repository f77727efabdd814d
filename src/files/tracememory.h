// tracememory.h - which image a picture folder traces over, and the frames a
// second its animation plays at, remembered between runs.
//
// The choice lives in the folder's kept-picture store (keptpictures.h) as the
// file "trace": "shown" or "hidden" on the first line, the image's path (as
// chosen: relative to the picture folder, or absolute) on the second. The
// frames a second live beside it in the file "fps", a number and a newline.
//
//     const KeptStore store = keptStoreForWorkingFolder();
//     std::optional<TraceChoice> last = rememberedTrace(store);
//     std::optional<FileFailure> failed = rememberTrace(store, {"map.png", true});
//     const int fps = rememberedFps(store);
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

// The frames a second remembered for the store's folder; defaultFps when none
// is, or the file holds anything but a number in fewestFps..mostFps.
int rememberedFps(const KeptStore& store);

// Remembers `fps`, making the store when needed. Returns what could not be
// made or written, and why, or nothing.
std::optional<FileFailure> rememberFps(const KeptStore& store, int fps);

#endif
