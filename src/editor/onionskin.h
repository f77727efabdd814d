// onionskin.h - the onion skin: the previous slot's picture shown dimmed under
// the picture being drawn (key n), as animators see the frame before.
//
// The previous slot of slot 1 is slot 7. What that slot's files hold is read
// when the onion skin is shown and again whenever the slot chosen changes
// (the slot keys); a slot whose files are missing shows nothing. The cells it
// covers are kept as a Coverage, which colorunder.h paints under the picture,
// over a traced image, halfway between the drawing colour and the background;
// the frame (frame.h) draws everything again when it changes. It never enters
// the picture, its files, its exports or its undo.
//
//     onionSkinKeys(e);  // every event, after the slot keys
#ifndef TESSARY_ONIONSKIN_H
#define TESSARY_ONIONSKIN_H

#include "state.h"

// The slot before slot nr, 7 before 1.
int previousSlot(int nr);

// Key n shows the onion skin ("Onion skin: slot 2") or hides it ("Onion skin
// off"); while it shows, it follows the slot chosen. Either change clears the
// window, which paints the new cells under the picture.
void onionSkinKeys(Editor& e);

#endif
