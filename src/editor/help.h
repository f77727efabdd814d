// help.h - the help page: every key and mouse action, the palette and where the
// files go, drawn over the view area.
//
// h or F1 opens it; any key or mouse button (the wheel too) closes it once let
// go, and does nothing else. While it shows, it takes every pass, so nothing
// else runs; closing it paints the view area in the background colour and
// draws the frame again. Its texts are the table helpRows in help.cpp, one
// line each.
//
//     readKeys();
//     if (const std::optional<PassResult> help = helpStep(e)) return *help;
#ifndef TESSARY_HELP_H
#define TESSARY_HELP_H

#include <optional>
#include <string>

#include "state.h"

// The help step of the pass, after readKeys: opens the page on h or F1, keeps
// it while shown and closes it. Returns what the pass returns while the page
// takes it, or nothing when the pass goes on as usual.
std::optional<PassResult> helpStep(Editor& e);

// True while the page shows and Escape is held: Escape then closes the page
// instead of quitting.
bool helpKeepsEscape(const Editor& e);

// `path` as it fits in `width` characters: whole, or its end after "...".
std::string fitPath(const std::string& path, std::size_t width);

#endif
