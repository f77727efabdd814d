// title.h - the window's title: the program, the slot, and whether the picture is unsaved.
//
// "Tessary v.0.3 - slot 3", with " *" at the end while the picture is
// unsaved. It always starts with "Tessary v.0.3", the name that window rules
// and scripts look for.
#ifndef TESSARY_TITLE_H
#define TESSARY_TITLE_H

#include <string>

#include "state.h"

// `group`: " - group" after the slot, in group mode.
std::string windowTitle(int nr, bool unsaved, bool group = false);

// A step of the pass: the title for e's slot and picture (the layer sets the
// caption only when its text changes).
void showTitle(const Editor& e);

#endif
