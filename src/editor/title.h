// title.h - the window's title: the program, the slot, the editing mode, and
// whether the picture is unsaved.
//
// "Tessary v.0.3 - slot 3 - lines", with " *" at the end while the picture is
// unsaved; the mode is "points", "lines", "selection" or "group". The drawing
// aids that are on follow the mode: "... - lines - mirror - snap *" (aids.h). It always starts with
// "Tessary v.0.3", the name that window rules and scripts look for.
#ifndef TESSARY_TITLE_H
#define TESSARY_TITLE_H

#include <string>

#include "state.h"

// `aids`: the drawing aids' part, as aidsInTitle gives it.
std::string windowTitle(int nr, int mode, bool unsaved, const std::string& aids = "");
// While the slots play (animation.h): "Tessary v.0.3 - slot 3 - playing", the
// slot of the frame shown.
std::string playingTitle(int nr);

// A step of the pass: the title for e's slot, mode, aids and picture (the layer sets
// the caption only when its text changes).
void showTitle(const Editor& e);

#endif
