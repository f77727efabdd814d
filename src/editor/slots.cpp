// slots.cpp - the slot commands: the picture to and from its pair of files.
#include "slots.h"

#include "promptline.h"
#include "picturefiles.h"

static PictureFileNames slotFileNames(int nr) { return pictureFileNames("pixels", "lines", nr); }

bool savePicture(const Editor& e) {
    const PictureFileNames names = slotFileNames(e.nr);
    const char* failed = writePictureFiles(names, e.picture.tables(), ' ');
    if (failed) reportFileFailure("Save", failed);
    return !failed;
}

bool loadPicture(Editor& e) {
    const PictureFileNames names = slotFileNames(e.nr);
    PictureTables loaded;
    const bool pointsRead = readTable(names.points, pointTable(loaded), loaded.pixels_Amount);
    const bool linesRead = readTable(names.lines, lineTable(loaded), loaded.lines_amount);
    e.picture.replace(loaded);
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
