// exportfiles.cpp - sorting the tables and writing the export files.
#include "exportfiles.h"

#include <climits>


int sortKeyFromAnswer(double answer) {
    if (!(answer > INT_MIN - 1.0 && answer < INT_MAX + 1.0)) return -1;
    return static_cast<int>(answer);
}

std::vector<FileFailure> writeExportFiles(Picture& picture, int nr, int mode1, int mode2) {
    picture.sort(mode1, mode2);
    const PictureFileNames names = pictureFileNames("epixels", "elines", nr);
    const PictureFileTexts texts = pictureFileTexts(picture.tables(), ',');
    std::vector<FileFailure> failed;
    noteFailure(failed, names.points, replaceFile(names.points, texts.points));
    noteFailure(failed, names.lines, replaceFile(names.lines, texts.lines));
    return failed;
}
