// slots.cpp - the picture to and from its pair of slot files.
#include "slots.h"

#include <cstring>
#include <string>

#include "filereplace.h"
#include "picturefiles.h"

PictureFileNames slotFileNames(int nr) { return pictureFileNames("pixels", "lines", nr); }

// ", <name> new" or ", <name> damaged" for a file that no longer holds what it
// held before the save; nothing for one that does.
static std::string stateNote(const char* fileName, FileState state) {
    if (state == FileState::old) return "";
    return std::string(", ") + fileName + (state == FileState::replaced ? " new" : " damaged");
}

SlotWrite writeSlot(const PictureTables& tables, int nr) {
    const PictureFileNames names = slotFileNames(nr);
    const PictureFileTexts texts = pictureFileTexts(tables, ' ');
    const PairOutcome outcome = replaceFilePair(names.points, texts.points, names.lines, texts.lines);
    if (!outcome.failed) return {};
    const std::string failed = std::string("Save failed: ") + outcome.failed;
    const std::string notes = stateNote(names.points, outcome.first) + stateNote(names.lines, outcome.second);
    return {failed + notes, failed + ": " + std::strerror(outcome.error) + notes};
}

// The message for one file's read, or none when it came to the end.
static void noteRead(std::vector<std::string>& messages, const char* fileName, ReadResult result, int kept) {
    if (result == ReadResult::unreadable) messages.push_back(std::string("Load failed: ") + fileName);
    if (result == ReadResult::stopped) {
        messages.push_back(std::string("Load stopped: ") + fileName + ", " + std::to_string(kept) + " kept");
    }
}

SlotRead readSlot(int nr) {
    const PictureFileNames names = slotFileNames(nr);
    SlotRead read;
    PictureTables& t = read.tables;
    const ReadResult points = readTable(names.points, pointTable(t), t.pixels_Amount);
    const ReadResult lines = readTable(names.lines, lineTable(t), t.lines_amount);
    read.neitherRead = points == ReadResult::unreadable && lines == ReadResult::unreadable;
    if (read.neitherRead) {
        read.messages.push_back(std::string("Load failed: ") + names.points + ", " + names.lines);
    } else {
        noteRead(read.messages, names.points, points, t.pixels_Amount);
        noteRead(read.messages, names.lines, lines, t.lines_amount);
    }
    return read;
}
