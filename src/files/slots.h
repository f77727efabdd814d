// slots.h - the picture's seven slots as pairs of text files.
//
// Slot nr is the pair "pixels<nr>.txt" (one "x y " record per point in use)
// and "lines<nr>.txt" (one "x1 y1 x2 y2 " record per line in use, then one
// more line end) in the working directory. Reading and writing return what
// went wrong as messages; showing them is the caller's business.
//
//     const SlotRead read = readSlot(3);          // read.tables, read.reports
//     const SlotReport failure = writeSlot(read.tables, 4);
#ifndef TESSARY_SLOTS_H
#define TESSARY_SLOTS_H

#include <string>
#include <vector>

#include "filemessage.h"
#include "picturefiles.h"

// The two file names of slot nr.
PictureFileNames slotFileNames(int nr);

// What a read or write of a slot has to report: the message for the prompt
// line, which names the first file that could not be read or written with the
// system's reason, and the line for standard error, which names each.
struct SlotReport {
    FileMessage message;
    std::string logged;  // empty when nothing is to be reported
};

// Slot nr's files read into tables, with a report for each file that could
// not be read ("Load failed: <file>: <reason>", both files in one report when
// neither could) or was read only in part ("Load stopped: <file>, <n> kept"). A file
// that is missing or unreadable leaves its table empty; one read only in part
// keeps the records before the stop.
struct SlotRead {
    PictureTables tables;
    std::vector<SlotReport> reports;
    bool neitherRead = false;  // neither file could be read: the slot holds no picture
};
SlotRead readSlot(int nr);

// Writes the tables to slot nr. Either both files get their new content or
// both keep their old one; when even that cannot be had, the message says which
// file holds what ("Save failed: <file>: <reason>[, <file> new|damaged]"). The
// report is empty when both files were written.
SlotReport writeSlot(const PictureTables& tables, int nr);

#endif
