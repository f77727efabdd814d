// exportfiles.cpp - sorting the tables and writing the export files.
#include "exportfiles.h"

#include <climits>

#include "promptline.h"

int sortKeyFromAnswer(double answer) {
    if (!(answer > INT_MIN - 1.0 && answer < INT_MAX + 1.0)) return -1;
    return static_cast<int>(answer);
}

bool exportPicture(Picture& picture, int nr, int mode1, int mode2) {
    picture.sort(mode1, mode2);
    const PictureFileNames names = pictureFileNames("epixels", "elines", nr);
    const char* failed = writePictureFiles(names, picture.tables(), ',');
    if (failed) reportFileFailure("Export", failed);
    return !failed;
}
