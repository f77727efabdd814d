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

// A file that could not be read, or was read only in part (with how many of
// its records the picture kept).
static void reportRead(const char* fileName, ReadResult result, int kept) {
    if (result == ReadResult::unreadable) reportFileFailure("Load", fileName);
    if (result == ReadResult::stopped) {
        reportMessage(std::string("Load stopped: ") + fileName + ", " + std::to_string(kept) + " kept");
    }
}

bool loadPicture(Editor& e) {
    const PictureFileNames names = slotFileNames(e.nr);
    PictureTables loaded;
    const ReadResult points = readTable(names.points, pointTable(loaded), loaded.pixels_Amount);
    const ReadResult lines = readTable(names.lines, lineTable(loaded), loaded.lines_amount);
    e.picture.replace(loaded);
    cls(e.Background_Color);
    // After the clear, or the message would be wiped at once.
    if (points == ReadResult::unreadable && lines == ReadResult::unreadable) {
        reportFileFailure("Load", names.points, names.lines);
    } else {
        reportRead(names.points, points, loaded.pixels_Amount);
        reportRead(names.lines, lines, loaded.lines_amount);
    }
    return points == ReadResult::complete && lines == ReadResult::complete;
}

void saveCommand(Editor& e) { savePicture(e); }

void loadCommand(Editor& e) { loadPicture(e); }
