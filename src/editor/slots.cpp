// slots.cpp - the slot commands: the picture to and from its pair of files.
#include "slots.h"

#include "promptline.h"
#include "picturefiles.h"

PictureFileNames slotFileNames(int nr) { return pictureFileNames("pixels", "lines", nr); }

bool savePicture(const Editor& e) {
    const PictureFileNames names = slotFileNames(e.nr);
    const char* failed = writePictureFiles(names, ' ');
    if (failed) reportFileFailure("Save", failed);
    return !failed;
}

bool loadPicture(Editor& e) {
    clearPicture(e.pixels_Amount, e.lines_amount);
    const PictureFileNames names = slotFileNames(e.nr);
    const bool pointsRead = readTable(names.points, pointTable(), e.pixels_Amount);
    const bool linesRead = readTable(names.lines, lineTable(), e.lines_amount);
    cls(e.Background_Color);
    // After the clear, or the message would be wiped at once.
    if (!pointsRead && !linesRead) {
        reportFileFailure("Load", names.points, names.lines);
    } else if (!pointsRead || !linesRead) {
        reportFileFailure("Load", pointsRead ? names.lines : names.points);
    }
    return pointsRead && linesRead;
}

void saveCommand(Editor& e) { savePicture(e); }

void loadCommand(Editor& e) { loadPicture(e); }
