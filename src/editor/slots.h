// slots.h - saving and loading the picture in the seven slots.
//
// Slot nr is the pair "pixels<nr>.txt" (one "x y " record per point in use)
// and "lines<nr>.txt" (one "x1 y1 x2 y2 " record per line in use, then one
// more line end) in the working directory. A failure, and a file read only in
// part, is shown on the prompt line and written to standard error.
#ifndef TESSARY_SLOTS_H
#define TESSARY_SLOTS_H

#include <string>
#include <vector>

#include "picturefiles.h"
#include "state.h"

// The two file names of slot nr.
PictureFileNames slotFileNames(int nr);

// Slot nr's files read into tables, with a message for each file that could
// not be read ("Load failed: <file>", both names in one message when neither
// could) or was read only in part ("Load stopped: <file>, <n> kept").
struct SlotRead {
    PictureTables tables;
    std::vector<std::string> messages;
};
SlotRead readSlot(int nr);

// Writes the picture to slot e.nr. Either both files get their new content or
// both keep their old one; when even that cannot be had, the report says which
// file holds what. Returns false, after reporting, when the save failed.
bool savePicture(const Editor& e);

// Replaces the picture with the contents of slot e.nr (one step of the
// history) and clears the window. A file that is missing or unreadable leaves
// its table empty; one read only in part keeps the records before the stop.
// Either is reported, and returns false.
bool loadPicture(Editor& e);

void saveCommand(Editor& e);  // key s
void loadCommand(Editor& e);  // key l

#endif
