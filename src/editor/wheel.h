// wheel.h - the mouse wheel zooms the view about the pointer.
//
// One notch away from the user is a press of z, one towards the user a press
// of x; the canvas cell under the pointer stays under it, as far as the view
// origin's bounds allow. The pointer counts as within the view area (over the
// panel: on its last row). Nothing is placed or erased, in any mode.
#ifndef TESSARY_WHEEL_H
#define TESSARY_WHEEL_H

#include "state.h"

// A step of the pass, after the key commands: the notches turned since the last pass.
void wheelStep(Editor& e);

// Zooms by `notches` steps (in when positive) about window pixel (mouseX, mouseY).
void zoomAbout(Editor& e, int notches, int mouseX, int mouseY);

#endif
