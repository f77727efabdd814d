// slots.cpp - the slot commands: the picture to and from its pair of files.
#include "slots.h"

#include <string>

#include "filereplace.h"
#include "picturefiles.h"
#include "promptline.h"

PictureFileNames slotFileNames(int nr) { return pictureFileNames("pixels", "lines", nr); }

// ", <name> new" or ", <name> damaged" for a file that no longer holds what it
// held before the save; nothing for one that does.
static std::string stateNote(const char* fileName, FileState state) {
    if (state == FileState::old) return "";
    return std::string(", ") + fileName + (state == FileState::replaced ? " new" : " damaged");
}

static void reportSaveFailure(const PictureFileNames& names, const PairOutcome& outcome) {
    reportMessage(std::string("Save failed: ") + outcome.failed + stateNote(names.points, outcome.first) +
                  stateNote(names.lines, outcome.second));
}

bool savePicture(const Editor& e) {
    const PictureFileNames names = slotFileNames(e.nr);
    const PictureFileTexts texts = pictureFileTexts(e.picture.tables(), ' ');
    const PairOutcome outcome = replaceFilePair(names.points, texts.points, names.lines, texts.lines);
    if (outcome.failed) reportSaveFailure(names, outcome);
    return !outcome.failed;
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
    if (points == ReadResult::unreadable && lines == ReadResult::unreadable) {
        read.messages.push_back(std::string("Load failed: ") + names.points + ", " + names.lines);
    } else {
        noteRead(read.messages, names.points, points, t.pixels_Amount);
        noteRead(read.messages, names.lines, lines, t.lines_amount);
    }
    return read;
}

bool loadPicture(Editor& e) {
    const SlotRead read = readSlot(e.nr);
    e.picture.replace(read.tables);
    cls(e.Background_Color);
    // After the clear, or the messages would be wiped at once.
    for (const std::string& message : read.messages) reportMessage(message);
    return read.messages.empty();
}

void saveCommand(Editor& e) { savePicture(e); }

void loadCommand(Editor& e) { loadPicture(e); }
