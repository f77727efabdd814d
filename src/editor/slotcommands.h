// slotcommands.h - the slot keys: saving and loading the picture in slot e.nr.
//
// The files are read and written by slots.h; this module shows on the prompt
// line (and writes to standard error) what went wrong, and clears the window
// after a load.
#ifndef TESSARY_SLOTCOMMANDS_H
#define TESSARY_SLOTCOMMANDS_H

#include "state.h"

// Writes the picture to slot e.nr, which makes it saved, and keeps its history
// with the slot (historykeeping.h). Returns false, after reporting, when the
// save failed.
bool savePicture(Editor& e);

// Replaces the picture with the contents of slot e.nr (one step of the
// history, or the history kept with exactly those bytes) and clears the
// window. A file that is missing, unreadable or read only in part is
// reported, and returns false; a whole load says "Loaded slot <nr>". The
// picture is saved after it: it holds what the slot holds.
bool loadPicture(Editor& e);

// Key s: keeps the slot's old picture when it differs (keeping.h), saves, and
// says so on the prompt line, all under the slot's lock (slotlock.h), after
// removing the temporaries of killed saves of the slot. When the old picture
// cannot be kept anywhere, the slot is not replaced, and the prompt line says
// why; when another editor saves the same slot for longer than slotBusyWaitMs,
// "Slot <nr> busy: another editor is saving it", and the picture stays unsaved.
void saveCommand(Editor& e);
// Key l: keeps an unsaved picture (keeping.h), then loads.
void loadCommand(Editor& e);

#endif
